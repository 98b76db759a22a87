#include "edit/formdialog.h"

#include "store/datamodule.h"

#include "platform/modalrunner.h"
#include "platform/twips.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

FormDialog::FormDialog(DataModule &data, QWidget *parent)
    : QDialog(parent), dm(data)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void FormDialog::buildClient(int width, int height, bool withMenuBar)
{
    // The layout puts the menu bar above the client area and keeps the
    // window at bar + client: the bar's height is known only once its menus
    // are in it, and follows its font and style.
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (withMenuBar) {
        bar = new QMenuBar(this);
        bar->setNativeMenuBar(false);
        bar->setObjectName(QStringLiteral("MenuBar"));
        layout->setMenuBar(bar);
    }
    clientArea = new QWidget(this);
    clientArea->setObjectName(QStringLiteral("client"));
    clientArea->setFixedSize(Twips::toPixelsX(width), Twips::toPixelsY(height));
    layout->addWidget(clientArea);
}

void FormDialog::placeOnScreen(int horizontalDivisor)
{
    // The window's size, menu bar included, as it will be shown.
    if (layout())
        layout()->activate();
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
    if (closeButton && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        if (!closeButton->isHidden() && closeButton->isEnabled())
            closeButton->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
