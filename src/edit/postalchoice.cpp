#include "edit/postalchoice.h"

#include "platform/fonts.h"
#include "platform/twips.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

PostalChoice::PostalChoice(DataModule &data, QWidget *parent, const QString &caption,
                           const QString &prompt, const QStringList &entries)
    : FormDialog(data, parent)
{
    setObjectName(QStringLiteral("PostalChoice"));
    setWindowTitle(caption);
    setFont(Fonts::make(Fonts::Gothic, 10.5));
    buildClient(7320, 3360, false);
    QWidget *area = client();

    Label1 = new QLabel(prompt, area);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(Twips::rect(120, 100, 7080, 255));
    List1 = new QListWidget(area);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setGeometry(Twips::rect(120, 420, 5520, 2820));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->addItems(entries);
    List1->setCurrentRow(0);
    Label1->setBuddy(List1);

    Command1 = new QPushButton(QStringLiteral("決定(&K)"), area);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips::rect(5800, 420, 1400, 375));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("閉じる(&X)"), area);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setGeometry(Twips::rect(5800, 900, 1400, 375));
    Command2->setAutoDefault(false);
    setTabOrder(List1, Command1);
    setTabOrder(Command1, Command2);

    connect(List1, &QListWidget::itemDoubleClicked, this, &PostalChoice::List1_DblClick);
    connect(Command1, &QPushButton::clicked, this, &PostalChoice::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &PostalChoice::Command2_Click);
    setCloseButton(Command2);

    placeOnScreen();
    List1->setFocus();
}

void PostalChoice::List1_DblClick()
{
    Command1_Click();
}

void PostalChoice::Command1_Click()
{
    chosenEntry = List1->currentRow();
    closeForm(chosenEntry >= 0 ? QDialog::Accepted : QDialog::Rejected);
}

void PostalChoice::Command2_Click()
{
    chosenEntry = -1;
    closeForm(QDialog::Rejected);
}
