#include "edit/postalchecklist.h"

#include "edit/crctdata.h"
#include "store/datamodule.h"

#include "platform/fonts.h"
#include "platform/runerror.h"
#include "platform/twips.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

PostalCheckList::PostalCheckList(DataModule &data, QWidget *parent, const PostalDictionary &dict,
                                 const QList<PostalProblem> &problems)
    : FormDialog(data, parent), dictionary(dict)
{
    setObjectName(QStringLiteral("PostalCheckList"));
    setWindowTitle(QStringLiteral("郵便番号の確認"));
    setFont(Fonts::make(Fonts::Gothic, 10.5));
    buildClient(11520, 5160, false);
    QWidget *area = client();

    Label1 = new QLabel(area);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Twips::rect(120, 100, 11280, 255));
    List1 = new QTreeWidget(area);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(Twips::rect(120, 420, 11280, 4080));
    List1->setRootIsDecorated(false);
    List1->setUniformRowHeights(true);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setHeaderLabels({QStringLiteral("番号"), QStringLiteral("名前"), QStringLiteral("郵便番号"),
                            QStringLiteral("住所１"), QStringLiteral("郵便番号辞書の住所")});
    const int widths[] = {720, 2280, 1140, 3720};
    for (int c = 0; c < 4; ++c)
        List1->setColumnWidth(c, Twips::toPixelsX(widths[c]));
    Label1->setBuddy(List1);

    Label2 = new QLabel(QStringLiteral("郵便番号データ ") + dictionary.dateText(), area);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(Twips::rect(120, 4640, 6000, 255));

    Command1 = new QPushButton(QStringLiteral("修正(&T)"), area);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips::rect(8520, 4600, 1400, 375));
    Command1->setAutoDefault(false);
    Command2 = new QPushButton(QStringLiteral("閉じる(&X)"), area);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(Twips::rect(10000, 4600, 1400, 375));
    Command2->setAutoDefault(false);
    setTabOrder(List1, Command1);
    setTabOrder(Command1, Command2);

    for (const PostalProblem &problem : problems) {
        auto *item = new QTreeWidgetItem(List1);
        showRow(item, problem);
        records.append(problem.record);
    }

    connect(List1, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem *item) { List1_DblClick(List1->indexOfTopLevelItem(item)); });
    connect(Command1, &QPushButton::clicked, this, &PostalCheckList::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &PostalCheckList::Command2_Click);
    setCloseButton(Command2);
    Form_Load();
}

void PostalCheckList::Form_Load()
{
    dm.LockMainMenus();
    placeOnScreen();
    showCount();
    if (List1->topLevelItemCount() > 0)
        List1->setCurrentItem(List1->topLevelItem(0));
    List1->setFocus();
}

void PostalCheckList::Form_Unload()
{
    dm.CurrentRecord = 1;
    dm.UnlockMainMenus();
}

QString PostalCheckList::dictionaryText(const PostalProblem &problem)
{
    if (problem.kind == PostalProblem::UnknownCode || problem.areas.isEmpty())
        return QStringLiteral("（辞書にない郵便番号）");
    QString text = problem.areas.first().address();
    if (problem.areas.size() > 1)
        text += QStringLiteral(" ほか%1件").arg(problem.areas.size() - 1);
    return text;
}

void PostalCheckList::showRow(QTreeWidgetItem *item, const PostalProblem &problem)
{
    item->setText(NumberColumn, QString::number(problem.record));
    item->setTextAlignment(NumberColumn, Qt::AlignRight | Qt::AlignVCenter);
    item->setText(NameColumn, problem.name);
    item->setText(CodeColumn, problem.code);
    item->setText(AddressColumn, problem.address1);
    item->setText(DictionaryColumn, dictionaryText(problem));
    QStringList all;
    for (const PostalArea &area : problem.areas)
        all << area.address();
    item->setToolTip(DictionaryColumn, all.join(QLatin1Char('\n')));
}

void PostalCheckList::showCount()
{
    const int count = List1->topLevelItemCount();
    Label1->setText(count == 0
                        ? QStringLiteral("問題はありません。")
                        : QStringLiteral("郵便番号が辞書にないか、住所１と合わないデータ： %1 件"
                                         "（ダブルクリックで修正します）").arg(count));
    Command1->setEnabled(count > 0);
}

void PostalCheckList::List1_DblClick(int row)
{
    const TraceEntry trace(dm, QStringLiteral("List1_DblClick"));
    if (row < 0 || row >= records.size())
        return;
    const int record = records[row];
    if (record > dm.RecordCount)
        return;
    dm.CurrentRecord = record;
    {
        CrctData form(dm, this);
        form.prepare(CrctData::Mode::Correct);
        form.showModal();
    }
    // The correction form gave the main window its menus back on closing.
    dm.LockMainMenus();
    try {
        PostalProblem problem;
        if (CheckPostalRecordOf(dm, dictionary, record, &problem)) {
            showRow(List1->topLevelItem(row), problem);
        } else {
            delete List1->takeTopLevelItem(row);
            records.removeAt(row);
        }
    } catch (const RunError &error) {
        dm.ErrReport(QStringLiteral("List1_DblClick"), error.description(), this);
    }
    showCount();
}

void PostalCheckList::Command1_Click()
{
    List1_DblClick(List1->indexOfTopLevelItem(List1->currentItem()));
}

void PostalCheckList::Command2_Click()
{
    closeForm();
}
