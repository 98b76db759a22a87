#include "edit/formdialog.h"

#include "store/datamodule.h"

#include "platform/modalrunner.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>

FormDialog::FormDialog(DataModule &data, QWidget *parent)
    : QDialog(parent), dm(data)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void FormDialog::buildClient(int width, int height, bool withMenuBar)
{
    int top = 0;
    if (withMenuBar) {
        bar = new QMenuBar(this);
        bar->setNativeMenuBar(false);
        bar->setObjectName(QStringLiteral("MenuBar"));
        top = bar->sizeHint().height();
        bar->setGeometry(0, 0, Twips::toPixelsX(width), top);
    }
    clientArea = new QWidget(this);
    clientArea->setObjectName(QStringLiteral("client"));
    clientArea->setGeometry(0, top, Twips::toPixelsX(width), Twips::toPixelsY(height));
    setFixedSize(Twips::toPixelsX(width), Twips::toPixelsY(height) + top);
}

void FormDialog::placeOnScreen(int horizontalDivisor)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move(area.left() + (area.width() - width()) / horizontalDivisor,
         area.top() + (area.height() - height()) / 2);
}

int FormDialog::showModal()
{
    const int result = dm.Platform.Modal->run(*this);
    if (!unloaded)
        closeForm(result);
    return result;
}

void FormDialog::closeForm(int result)
{
    unloadOnce();
    QDialog::done(result);
}

void FormDialog::unloadOnce()
{
    if (unloaded)
        return;
    unloaded = true;
    Form_Unload();
}

void FormDialog::closeEvent(QCloseEvent *event)
{
    unloadOnce();
    QDialog::closeEvent(event);
}

void FormDialog::done(int result)
{
    unloadOnce();
    QDialog::done(result);
}
