#include "convert/koumoku.h"

#include "store/blanks.h"
#include "store/datamodule.h"

#include "platform/fonts.h"
#include "platform/twips.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

namespace {

QString entry(const QString &text)
{
    return text.leftJustified(16, QLatin1Char(' '));
}

} // namespace

const std::array<QString, 12> Koumoku::ItemNames = {
    QString(),
    entry(QStringLiteral("名前　　　　  1")),
    entry(QStringLiteral("ﾌﾘｶﾞﾅ 　　　  2")),
    entry(QStringLiteral("郵便番号　　  3")),
    entry(QStringLiteral("住所１　　　  4")),
    entry(QStringLiteral("住所２　　　  5")),
    entry(QStringLiteral("電話番号　　  6")),
    entry(QStringLiteral("勤務先　　　  7")),
    entry(QStringLiteral("役職　　　　  8")),
    entry(QStringLiteral("勤務先℡　　  9")),
    entry(QStringLiteral("マーク　　　  10")),
    entry(QStringLiteral("×未使用項目  11")),
};

int Koumoku::ItemCode(const QString &entry)
{
    return trimRightBlanks(entry).right(2).trimmed().toInt();
}

Koumoku::Koumoku(DataModule &data, QWidget *parent)
    : QDialog(parent), dm(data)
{
    setObjectName(QStringLiteral("Koumoku"));
    setWindowTitle(QStringLiteral("項目選択定義"));
    setFont(Fonts::make(Fonts::Gothic, 10));
    setFixedSize(Twips::toPixelsX(6480), Twips::toPixelsY(4500));

    auto button = [this](const QString &name, const QString &caption, int left, int top) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setGeometry(Twips::rect(left, top, 1215, 400));
        return b;
    };
    auto list = [this](const QString &name, int left) {
        auto *l = new QListWidget(this);
        l->setObjectName(name);
        l->setGeometry(Twips::rect(left, 480, 2400, 3720));
        return l;
    };
    Label1 = new QLabel(QStringLiteral("元項目"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Twips::rect(120, 160, 2400, 300));
    List1 = list(QStringLiteral("List1"), 120);
    Label1->setBuddy(List1);
    Label2 = new QLabel(QStringLiteral("選択項目"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(Twips::rect(2640, 160, 2400, 300));
    List2 = list(QStringLiteral("List2"), 2640);
    Label2->setBuddy(List2);

    Command1 = button(QStringLiteral("Command1"), QStringLiteral("設 定"), 5160, 480);
    Command2 = button(QStringLiteral("Command2"), QStringLiteral("閉じる(&X)"), 5160, 1000);
    Command3 = button(QStringLiteral("Command3"), QStringLiteral("未使用項目"), 5160, 2400);
    Command4 = button(QStringLiteral("Command4"), QStringLiteral("やり直し"), 5160, 2920);

    connect(List1, &QListWidget::itemDoubleClicked, this, [this] { List1_DblClick(); });
    // Enter does the same, for those who work with the keyboard.
    List1->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, &Koumoku::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Koumoku::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Koumoku::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Koumoku::Command4_Click);

    Form_Load();
}

Koumoku::~Koumoku()
{
    Form_Unload();
}

void Koumoku::Form_Load()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - width()) / 2, (area.height() - height()) / 2);
    }
    List1->clear();
    List2->clear();
    const int count = dm.Settings.SelectionCount;
    if (count < 1 || count > MaxEntries) {
        fillList1();
        return;
    }
    std::array<bool, 12> used{};
    for (int k = 1; k <= count; ++k) {
        const int code = dm.Settings.SelectionOrder[k];
        if (code < 1 || code > SkippedItem)
            continue; // not an item code
        List2->addItem(ItemNames[code]);
        used[code] = true;
    }
    for (int j = 1; j <= 10; ++j)
        if (!used[j])
            List1->addItem(ItemNames[j]);
}

void Koumoku::fillList1()
{
    for (int j = 1; j <= 10; ++j)
        List1->addItem(ItemNames[j]);
}

bool Koumoku::roomForEntry()
{
    if (List2->count() < MaxEntries)
        return true;
    dm.Msg(this, QStringLiteral("選択できる項目は %1 までです。").arg(MaxEntries), MsgIcon::Exclamation,
           MsgButtons::Ok, QStringLiteral("項目選択定義"));
    return false;
}

void Koumoku::List1_DblClick()
{
    QListWidgetItem *item = List1->currentItem();
    if (!item || !roomForEntry())
        return;
    List2->addItem(item->text());
    delete List1->takeItem(List1->row(item));
}

bool Koumoku::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == List1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            List1_DblClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Koumoku::Command1_Click()
{
    const int count = qMin(List2->count(), MaxEntries);
    dm.Settings.SelectionCount = static_cast<qint16>(count);
    for (int k = 1; k <= count; ++k)
        dm.Settings.SelectionOrder[k] = static_cast<qint16>(ItemCode(List2->item(k - 1)->text()));
    accept();
}

void Koumoku::Command2_Click()
{
    reject();
}

void Koumoku::Command3_Click()
{
    if (roomForEntry())
        List2->addItem(ItemNames[SkippedItem]);
}

void Koumoku::Command4_Click()
{
    List1->clear();
    List2->clear();
    fillList1();
}

void Koumoku::Form_Unload()
{
    if (unloaded)
        return;
    unloaded = true;
    List1->clear();
    List2->clear();
}

void Koumoku::done(int result)
{
    Form_Unload();
    QDialog::done(result);
}
