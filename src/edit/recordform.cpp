#include "edit/recordform.h"

#include "edit/postalassist.h"

#include "platform/twips.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

RecordForm::RecordForm(DataModule &data, QWidget *parent)
    : FormDialog(data, parent)
{
}

void RecordForm::buildMenus(const RecordEditMenuDesign &design)
{
    QMenuBar *bar = menuBarWidget();
    Menu_Data = bar->addMenu(QStringLiteral("データ(&D)"));
    Menu_Data->setObjectName(QStringLiteral("Menu_Data"));
    Menu_End = Menu_Data->addAction(QStringLiteral("閉じる(&X)"));
    Menu_End->setObjectName(QStringLiteral("Menu_End"));
    Menu_End->setShortcut(QKeySequence(Qt::Key_F9));

    Menu_Edit = bar->addMenu(QStringLiteral("編集(&E)"));
    Menu_Edit->setObjectName(QStringLiteral("Menu_Edit"));
    auto entry = [this](const QString &name, const QString &caption, const QKeySequence &key) {
        QAction *a = Menu_Edit->addAction(caption);
        a->setObjectName(name);
        if (!key.isEmpty())
            a->setShortcut(key);
        return a;
    };
    const auto clipboardKey = [&](const char *key) {
        return design.clipboardKeys ? QKeySequence(QString::fromLatin1(key)) : QKeySequence();
    };
    Menu_Ed_Kiri = entry(QStringLiteral("Menu_Ed_Kiri"), QStringLiteral("切り取り(&T)"), clipboardKey("Ctrl+X"));
    Menu_Ed_Copy = entry(QStringLiteral("Menu_Ed_Copy"), QStringLiteral("コピー(&C)"), clipboardKey("Ctrl+C"));
    Menu_Ed_Hari = entry(QStringLiteral("Menu_Ed_Hari"), QStringLiteral("貼り付け(&P)"), clipboardKey("Ctrl+V"));
    Menu_Ed_Del = entry(QStringLiteral("Menu_Ed_Del"), QString::fromUtf8(design.deleteCaption),
                        QKeySequence(Qt::Key_Delete));

    connect(Menu_End, &QAction::triggered, this, &RecordForm::Menu_End_Click);
    connect(Menu_Edit, &QMenu::aboutToShow, this, &RecordForm::Menu_Edit_Click);
    connect(Menu_Ed_Kiri, &QAction::triggered, this, &RecordForm::Menu_Ed_Kiri_Click);
    connect(Menu_Ed_Copy, &QAction::triggered, this, &RecordForm::Menu_Ed_Copy_Click);
    connect(Menu_Ed_Hari, &QAction::triggered, this, &RecordForm::Menu_Ed_Hari_Click);
    connect(Menu_Ed_Del, &QAction::triggered, this, &RecordForm::Menu_Ed_Del_Click);
}

std::array<QLabel *, 10> RecordForm::buildBoxes(const std::array<RecordBoxDesign, 10> &design)
{
    QWidget *area = client();
    std::array<QLabel *, 10> labels{};
    for (int n = 0; n < 10; ++n) {
        const RecordBoxDesign &d = design[n];
        QLineEdit *box = makeEntryBox(area, n, d.top, d.width, d.height, d.ime);
        auto *label = new QLabel(QString::fromUtf8(d.caption), area);
        label->setObjectName(QString::fromLatin1(d.label));
        label->setGeometry(Twips::rect(120, d.labelTop, 975, 255));
        label->setBuddy(box);
        Texts[n] = box;
        labels[n] = label;
        connect(box, &QLineEdit::textChanged, this, [this, n] { Text_Change(n); });
    }
    Text0 = Texts[0]; Text1 = Texts[1]; Text2 = Texts[2]; Text3 = Texts[3]; Text4 = Texts[4];
    Text5 = Texts[5]; Text6 = Texts[6]; Text7 = Texts[7]; Text8 = Texts[8]; Text9 = Texts[9];
    return labels;
}

void RecordForm::attachPostal()
{
    Postal = new PostalAssist(dm, this, Text2, Text3, Menu_Edit);
}

void RecordForm::leaveBoxes()
{
    setImeMode(Text9, ImeMode::Off);
    Text9->setFocus();
}

void RecordForm::Menu_End_Click()
{
    closeForm();
}

void RecordForm::Menu_Edit_Click()
{
    updateEditMenu(focusWidget(), Menu_Ed_Kiri, Menu_Ed_Copy, Menu_Ed_Hari, Menu_Ed_Del);
}

void RecordForm::Menu_Ed_Kiri_Click() { EditCut(focusWidget()); }
void RecordForm::Menu_Ed_Copy_Click() { EditCopy(focusWidget()); }
void RecordForm::Menu_Ed_Hari_Click() { EditPaste(focusWidget()); }
void RecordForm::Menu_Ed_Del_Click() { EditDelete(focusWidget()); }
