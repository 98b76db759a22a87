#include "edit/kensaku.h"

#include "edit/typeaheadlist.h"

#include "store/blanks.h"
#include "store/datamodule.h"
#include "store/recordstore.h"

#include "platform/codec.h"
#include "platform/fonts.h"
#include "platform/runerror.h"
#include "platform/twips.h"

#include <QGroupBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

Kensaku::Kensaku(DataModule &data, QWidget *parent)
    : FormDialog(data, parent)
{
    setObjectName(QStringLiteral("Kensaku"));
    setWindowTitle(QStringLiteral("検索"));
    setFont(Fonts::make(Fonts::Mincho, 9.75));
    buildClient(5580, 2640, false);
    QWidget *area = client();

    Label1 = new QLabel(QStringLiteral("名前一覧(&N)："), area);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Twips::rect(200, 100, 3255, 255));
    auto *list = new TypeAheadList(area);
    List1 = list;
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(Twips::rect(195, 400, 3405, 2010));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setUniformItemSizes(true);
    Label1->setBuddy(List1);

    Frame1 = new QGroupBox(QStringLiteral("項目(&S)"), area);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(Twips::rect(3800, 210, 1575, 1065));
    Option1 = new QRadioButton(QStringLiteral("名前"), Frame1);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setGeometry(Twips::rect(240, 320, 1215, 255));
    Option2 = new QRadioButton(QStringLiteral("ﾌﾘｶﾞﾅ"), Frame1);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option2->setGeometry(Twips::rect(240, 620, 1215, 255));
    Option1->setChecked(true);

    Command1 = new QPushButton(QStringLiteral("決定(&K)"), area);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips::rect(3800, 1525, 1575, 375));
    Command1->setAutoDefault(false);
    Command2 = new QPushButton(QStringLiteral("閉じる(&X)"), area);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(Twips::rect(3800, 2000, 1575, 375));
    Command2->setAutoDefault(false);
    setCloseButton(Command2);

    setTabOrder(List1, Option1);
    setTabOrder(Option1, Option2);
    setTabOrder(Option2, Command1);
    setTabOrder(Command1, Command2);

    connect(Option1, &QRadioButton::toggled, this, [this](bool on) { if (on) Option1_Click(); });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) { if (on) Option2_Click(); });
    connect(List1, &QListWidget::itemSelectionChanged, this, &Kensaku::List1_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &Kensaku::List1_DblClick);
    List1->installEventFilter(this);
    connect(list, &TypeAheadList::typed, this, &Kensaku::List1_Typed);
    clock = [started = std::make_shared<QElapsedTimer>()] {
        if (!started->isValid())
            started->start();
        return started->elapsed();
    };
    connect(Command1, &QPushButton::clicked, this, &Kensaku::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Kensaku::Command2_Click);

    Form_Load();
}

void Kensaku::Form_Load()
{
    Command1->setEnabled(false);
    placeOnScreen(3);
    ListByName = 1;
    fill(QStringLiteral("Form_Load"));
    List1->setFocus();
}

void Kensaku::fill(const QString &handler)
{
    const TraceEntry trace(dm, handler);
    try {
        FillList();
    } catch (const RunError &error) {
        dm.ErrReport(handler, error.description(), this);
    }
}

void Kensaku::FillList()
{
    dm.CurrentRecord = 1;
    typedSoFar.clear();
    List1->clear();
    Command1->setEnabled(false);
    const int count = dm.RecordCount;
    if (count < 1)
        return;
    const QByteArray book = ReadWholeBook(dm);
    QStringList entries;
    entries.reserve(count);
    if (dm.DataFormat == DataModule::FixedLength) {
        const int field = ListByName == 1 ? Name : Furigana;
        const int length = dm.RecordLength;
        for (int i = 1; i <= count; ++i) {
            // Record i as its 239 bytes (a short last record is blank-filled).
            const AddressRecord record
                = AddressRecord::fromBytes(book.mid(qsizetype(i - 1) * length, length));
            entries.append(record.fieldText(field));
        }
    } else {
        const int field = ListByName == 1 ? Name : Furigana;
        for (int i = 1; i <= count; ++i) {
            dm.TakeLine(LineAt(book, dm.LineIndex[i]));
            dm.SplitLine();
            entries.append(trimRightBlanks(dm.FieldText[field]));
        }
    }
    List1->addItems(entries);
    List1->clearSelection();
    List1->setCurrentRow(-1, QItemSelectionModel::NoUpdate);
    Command1->setEnabled(false);
}

void Kensaku::Option1_Click()
{
    ListByName = 1;
    Label1->setText(QStringLiteral("名前一覧(&N)："));
    fill(QStringLiteral("Option1_Click"));
}

void Kensaku::Option2_Click()
{
    ListByName = 0;
    Label1->setText(QStringLiteral("ﾌﾘｶﾞﾅ一覧(&N)："));
    fill(QStringLiteral("Option2_Click"));
}

int Kensaku::selectedEntry() const
{
    const QList<QListWidgetItem *> items = List1->selectedItems();
    return items.isEmpty() ? -1 : List1->row(items.first());
}

void Kensaku::List1_Click()
{
    Command1->setEnabled(selectedEntry() >= 0);
}

void Kensaku::List1_DblClick()
{
    Command1_Click();
}

void Kensaku::List1_Typed(const QString &text)
{
    QStringList entries;
    entries.reserve(List1->count());
    for (int i = 0; i < List1->count(); ++i)
        entries.append(List1->item(i)->text());
    const int found = SearchTyping::firstEntryBeginningWith(typedSoFar.add(text, clock()), entries);
    if (found < 0)
        return;
    // Marked as a click marks it: 決定 becomes available.
    List1->setCurrentRow(found, QItemSelectionModel::ClearAndSelect);
    List1->scrollToItem(List1->item(found));
}

bool Kensaku::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == List1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (selectedEntry() >= 0)
                List1_DblClick();
            return true;
        }
    }
    return FormDialog::eventFilter(watched, event);
}

void Kensaku::Command1_Click()
{
    const int entry = selectedEntry();
    if (entry < 0)
        return;
    dm.SearchHit = 1;
    dm.CurrentRecord = entry + 1;
    closeForm(QDialog::Accepted);
}

void Kensaku::Command2_Click()
{
    dm.SearchHit = -1;
    closeForm(QDialog::Rejected);
}
