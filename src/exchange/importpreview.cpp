#include "exchange/importpreview.h"

#include "exchange/exchangerun.h"
#include "exchange/recordassembly.h"
#include "store/addressrecord.h"
#include "store/datamodule.h"

#include "platform/fonts.h"
#include "platform/twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>

namespace {

const QString Caption = QStringLiteral("他のソフトから読み込み");

QString noteFor(const ColumnRole &role, bool chosen)
{
    if (chosen)
        return QString();
    if (role.groupType)
        return QStringLiteral("種類（自宅・勤務先）");
    if (role.group == ColumnGroup::Phone)
        return QStringLiteral("種類が勤務先なら勤務先ＴＥＬ");
    if (role.group == ColumnGroup::Address)
        return QStringLiteral("自宅の住所を優先");
    if (role.fallback)
        return QStringLiteral("ほかの列が空のときに使用");
    if (role.used() && role.field == Furigana)
        return QStringLiteral("半角ｶﾀｶﾅにして結合");
    if (role.used() && role.field == Address1 && role.rank == RecordAssembly::Country)
        return QStringLiteral("欧文の住所のときに結合");
    if (role.used() && role.field == Name && role.rank >= RecordAssembly::MiddleName)
        return QStringLiteral("欧文の名前のときに結合");
    if (role.used() && (role.field == Name || role.field == Address1))
        return QStringLiteral("同じ項目の列と結合");
    return QString();
}

QString shortened(const QString &value, int length = 24)
{
    const QString text = RecordAssembly::lineBreaksToBlanks(value);
    return text.size() > length ? text.left(length) + QStringLiteral("…") : text;
}

} // namespace

ImportPreview::ImportPreview(DataModule &data, ImportPlan plan, ImportTarget where, QWidget *parent)
    : QDialog(parent), dm(data), importPlan(std::move(plan)), target(std::move(where))
{
    setObjectName(QStringLiteral("ImportPreview"));
    setWindowTitle(Caption);
    setFont(Fonts::make(Fonts::Gothic, 9));
    setFixedSize(Twips::toPixelsX(11400), Twips::toPixelsY(9000));

    auto label = [this](const QString &name, const QRect &rect) {
        auto *l = new QLabel(this);
        l->setObjectName(name);
        l->setGeometry(rect);
        return l;
    };
    Label1 = label(QStringLiteral("Label1"), Twips::rect(120, 120, 8400, 300));
    Check1 = new QCheckBox(QStringLiteral("1行目は項目名(&H)"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(Twips::rect(8640, 100, 2640, 330));

    Label2 = label(QStringLiteral("Label2"), Twips::rect(120, 480, 6000, 300));
    Label2->setText(QStringLiteral("ファイルの列と読み込み先(&C)"));
    Grid1 = new QTableWidget(this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setGeometry(Twips::rect(120, 780, 11160, 2700));
    Grid1->setColumnCount(5);
    Grid1->setHorizontalHeaderLabels({QStringLiteral("列"), QStringLiteral("項目名"), QStringLiteral("1件目の値"),
                                      QStringLiteral("読み込み先"), QStringLiteral("備考")});
    Grid1->verticalHeader()->setVisible(false);
    Grid1->verticalHeader()->setDefaultSectionSize(Twips::toPixelsY(360));
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setSelectionMode(QAbstractItemView::NoSelection);
    Grid1->setColumnWidth(0, Twips::toPixelsX(600));
    Grid1->setColumnWidth(1, Twips::toPixelsX(2900));
    Grid1->setColumnWidth(2, Twips::toPixelsX(3000));
    Grid1->setColumnWidth(3, Twips::toPixelsX(1900));
    Grid1->horizontalHeader()->setStretchLastSection(true);
    Label2->setBuddy(Grid1);

    Label3 = label(QStringLiteral("Label3"), Twips::rect(120, 3600, 8000, 300));
    Label3->setText(QStringLiteral("読み込み後のﾃﾞｰﾀ（先頭 %1 件まで）(&D)").arg(PreviewRows));
    Grid2 = new QTableWidget(this);
    Grid2->setObjectName(QStringLiteral("Grid2"));
    Grid2->setGeometry(Twips::rect(120, 3900, 11160, 2400));
    Grid2->setColumnCount(RecordLayout::FieldCount);
    Grid2->setHorizontalHeaderLabels(ExchangeRun::fieldLabels());
    Grid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid2->setWordWrap(false);
    Grid2->verticalHeader()->setDefaultSectionSize(Twips::toPixelsY(300));
    Label3->setBuddy(Grid2);

    Label4 = label(QStringLiteral("Label4"), Twips::rect(120, 6420, 11160, 300));
    Label5 = label(QStringLiteral("Label5"), Twips::rect(120, 6720, 11160, 300));
    Label6 = label(QStringLiteral("Label6"), Twips::rect(120, 7020, 7000, 300));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(Twips::rect(120, 7320, 8400, 1140));
    Label6->setBuddy(List1);
    Label7 = label(QStringLiteral("Label7"), Twips::rect(120, 8520, 8400, 420));
    Label7->setWordWrap(true);
    Label7->setStyleSheet(QStringLiteral("color: #c00000;"));

    Command1 = new QPushButton(QStringLiteral("読み込み(&R)"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips::rect(8700, 7440, 2580, 480));
    Command1->setAutoDefault(false);
    Command2 = new QPushButton(QStringLiteral("キャンセル"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(Twips::rect(8700, 8040, 2580, 480));
    Command2->setAutoDefault(false);

    connect(Grid1->verticalScrollBar(), &QScrollBar::valueChanged, this, &ImportPreview::showChoicesInSight);
    connect(Check1, &QCheckBox::clicked, this, &ImportPreview::Check1_Click);
    connect(Command1, &QPushButton::clicked, this, &ImportPreview::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &ImportPreview::Command2_Click);

    Form_Load();
}

ImportPreview::~ImportPreview()
{
    Form_Unload();
}

void ImportPreview::Form_Load()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - width()) / 2, (area.height() - height()) / 2);
    }
    // An import into the open book keeps the other windows off it; with no
    // book open there is nothing to lock (and unlocking would enable the
    // record menus).
    if (!target.newBook)
        dm.LockMainMenus();
    Label1->setText(QStringLiteral("ファイル：%1　　形式：%2")
                        .arg(importPlan.source().fileName, importPlan.source().description()));
    Check1->setVisible(importPlan.canChooseHeader());
    Check1->setChecked(importPlan.firstLineIsHeader());
    Label5->setText(target.newBook
                        ? QStringLiteral("読み込み先：%1（新しく作る固定長ﾌｧｲﾙ）").arg(target.name)
                        : QStringLiteral("読み込み先：%1（%2、末尾に追加）")
                              .arg(target.name, target.fixedLength ? QStringLiteral("固定長")
                                                                   : QStringLiteral("可変長")));
    showColumns();
    showRecords();
}

void ImportPreview::showColumns()
{
    const ExchangeTable &table = importPlan.table();
    Grid1->clearContents();
    Grid1->setRowCount(importPlan.columnCount());
    for (int c = 0; c < importPlan.columnCount(); ++c) {
        const QString first = table.rows.isEmpty() ? QString() : table.rows.first().value(c);
        Grid1->setItem(c, 0, new QTableWidgetItem(QString::number(c + 1)));
        Grid1->setItem(c, 1, new QTableWidgetItem(table.columns.value(c)));
        Grid1->setItem(c, 2, new QTableWidgetItem(shortened(first)));
        Grid1->setItem(c, 4, new QTableWidgetItem(noteFor(importPlan.roleOf(c), false)));
    }
    // A file can have thousands of columns: the choice boxes are made for the
    // rows in sight, and for the others when they are scrolled to.
    showChoices(0, EagerChoices);
}

void ImportPreview::showChoices(int first, int count)
{
    QStringList choices{QStringLiteral("未使用")};
    choices << ExchangeRun::fieldLabels();
    const int last = qMin(first + count, importPlan.columnCount());
    for (int c = qMax(first, 0); c < last; ++c) {
        if (Grid1->cellWidget(c, 3))
            continue;
        auto *combo = new QComboBox(Grid1);
        combo->setObjectName(QStringLiteral("Combo1_%1").arg(c));
        combo->addItems(choices);
        combo->setCurrentIndex(importPlan.fieldOf(c));
        connect(combo, &QComboBox::activated, this, [this, c](int index) { Combo1_Click(c, index); });
        Grid1->setCellWidget(c, 3, combo);
    }
}

void ImportPreview::showChoicesInSight()
{
    const int top = Grid1->rowAt(0);
    const int bottom = Grid1->rowAt(Grid1->viewport()->height() - 1);
    showChoices(top, (bottom < 0 ? importPlan.columnCount() : bottom) - top + 1);
}

void ImportPreview::showRecords()
{
    const QList<FieldValues> &records = importPlan.records();
    const int shown = static_cast<int>(qMin<qsizetype>(records.size(), PreviewRows));
    Grid2->clearContents();
    Grid2->setRowCount(shown);
    for (int r = 0; r < shown; ++r)
        for (int f = 1; f <= RecordLayout::FieldCount; ++f)
            Grid2->setItem(r, f - 1, new QTableWidgetItem(
                                         ImportPlan::storedValue(f, records[r][f], target.fixedLength)));

    QString count = QStringLiteral("読み込むﾃﾞｰﾀ数：%1 件").arg(records.size());
    if (importPlan.skippedRows() > 0)
        count += QStringLiteral("（値のない %1 行は読み込みません）").arg(importPlan.skippedRows());
    Label4->setText(count);

    const QList<StoredChange> changes = importPlan.changes(target.fixedLength);
    const QStringList labels = ExchangeRun::fieldLabels();
    Label6->setText(changes.isEmpty() ? QStringLiteral("切り詰め・変更される値：なし")
                                      : QStringLiteral("切り詰め・変更される値：%1 個(&V)").arg(changes.size()));
    List1->clear();
    for (const StoredChange &change : changes) {
        QString why;
        switch (change.kind) {
        case ChangeKind::Cut: why = QStringLiteral("%1ﾊﾞｲﾄに切り詰め").arg(RecordLayout::Width[change.field]); break;
        case ChangeKind::SeparatorsRemoved: why = QStringLiteral("区切りの記号を除去"); break;
        case ChangeKind::ControlsRemoved: why = QStringLiteral("制御文字を除去"); break;
        case ChangeKind::NotInCodePage: why = QStringLiteral("使えない文字は?"); break;
        }
        List1->addItem(QStringLiteral("%1件目 %2：「%3」→「%4」（%5）")
                           .arg(change.record)
                           .arg(labels[change.field - 1], change.value, change.stored, why));
    }

    const QString limit = ExchangeRun::limitText(dm, static_cast<int>(records.size()), target.newBook);
    Label7->setText(limit);
    Command1->setEnabled(!records.isEmpty());
}

void ImportPreview::Check1_Click()
{
    importPlan.setFirstLineIsHeader(Check1->isChecked());
    showColumns();
    showRecords();
}

void ImportPreview::Combo1_Click(int column, int index)
{
    importPlan.setField(column, index);
    if (auto *combo = qobject_cast<QComboBox *>(Grid1->cellWidget(column, 3)))
        combo->setCurrentIndex(importPlan.fieldOf(column));
    if (QTableWidgetItem *note = Grid1->item(column, 4))
        note->setText(noteFor(importPlan.roleOf(column), importPlan.roleOf(column) != importPlan.table().roles.value(column)));
    showRecords();
}

void ImportPreview::Command1_Click()
{
    const int count = static_cast<int>(importPlan.records().size());
    if (count == 0)
        return;
    const QString limit = ExchangeRun::limitText(dm, count, target.newBook);
    if (!limit.isEmpty()) {
        dm.Msg(this, limit, MsgIcon::Exclamation, MsgButtons::Ok, Caption);
        return;
    }
    accept();
}

void ImportPreview::Command2_Click()
{
    reject();
}

void ImportPreview::Form_Unload()
{
    if (unloaded)
        return;
    unloaded = true;
    if (!target.newBook)
        dm.UnlockMainMenus();
}

void ImportPreview::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}
