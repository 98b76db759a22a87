#include "print/prt.h"

#include "platform/fonts.h"
#include "platform/messagebox.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

PRT::PRT(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PRT"));
    setWindowTitle(ProgramTitle);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(Fonts::make(Fonts::Gothic, 9.75));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(Twips::rect(120, 240, 4800, 255));
    Label2 = new QLabel(QStringLiteral("を印刷中です。"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setGeometry(Twips::rect(120, 600, 4800, 255));
    Command1 = new QPushButton(QStringLiteral("キャンセル"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(Twips::rect(1800, 1020, 1440, 375));
    Command1->setAutoDefault(false);
    setFixedSize(Twips::toPixelsX(5040), Twips::toPixelsY(1560));
    connect(Command1, &QPushButton::clicked, this, &PRT::Command1_Click);
    Form_Load();
}

void PRT::Form_Load()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 3);
    }
}

void PRT::Command1_Click()
{
    cancelRequested = true;
    // Pressed once is enough: the button greys until the run ends.
    Command1->setEnabled(false);
}

void PRT::Finish()
{
    finished = true;
    close();
}

void PRT::closeEvent(QCloseEvent *event)
{
    if (finished) {
        QDialog::closeEvent(event);
        return;
    }
    // The window stays until the run ends; closing it asks the run to stop.
    Command1_Click();
    event->ignore();
}

void PRT::reject()
{
    if (finished) {
        QDialog::reject();
        return;
    }
    Command1_Click();
}
