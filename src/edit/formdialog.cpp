#include "edit/formdialog.h"

#include "store/datamodule.h"

#include "platform/modalrunner.h"
#include "platform/twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
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
    // The run is over: the window goes, whatever it was left doing.
    if (!unloaded && !closeForm(result))
        unloadOnce(true);
    return result;
}

bool FormDialog::closeForm(int result)
{
    if (!unloadOnce())
        return false;
    QDialog::done(result);
    return true;
}

bool FormDialog::unloadOnce(bool force)
{
    if (unloaded)
        return true;
    if (!force && !Form_QueryUnload())
        return false;
    unloaded = true;
    Form_Unload();
    return true;
}

void FormDialog::closeEvent(QCloseEvent *event)
{
    if (!unloadOnce()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void FormDialog::done(int result)
{
    if (!unloadOnce())
        return;
    QDialog::done(result);
}

void FormDialog::keyPressEvent(QKeyEvent *event)
{
    if (!escapeCloses && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
