// File dialog, save as, field selection and data conversion.
#include "app/adrsbook.h"

#include "convert/chandata.h"
#include "convert/fileio.h"
#include "convert/koumoku.h"
#include "store/datamodule.h"

#include "platform/modalrunner.h"

#include <QApplication>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QGroupBox>

void Adrsbook::runFileDialog()
{
    // FileIO leaves OpenStatus: 0 done, 1 nothing done.
    FileIO dialog(dm, this);
    dm.Platform.Modal->run(dialog);
}

void Adrsbook::Menu_File_Hozon_Click()
{
    dm.FileMode = 2;
    FileIO dialog(dm, this);
    // The file list only shows what is there: it is drawn in grey.
    QPalette grey = dialog.FileSelect->palette();
    grey.setColor(QPalette::Text, QColor(0xC0, 0xC0, 0xC0));
    dialog.FileSelect->setPalette(grey);
    dialog.Frame1->setEnabled(false);
    dialog.Command1->setVisible(false);
    dialog.Command3->setVisible(true);

    dm.Platform.Modal->run(dialog);

    QPalette normal = dialog.FileSelect->palette();
    normal.setColor(QPalette::Text, QApplication::palette().color(QPalette::WindowText));
    dialog.FileSelect->setPalette(normal);
    dialog.Frame1->setEnabled(true);
    dialog.Command1->setVisible(true);
    dialog.Command3->setVisible(false);
}

void Adrsbook::Menu_File_SRead_Click()
{
    Koumoku dialog(dm, this);
    dm.Platform.Modal->run(dialog);
}

void Adrsbook::Menu_Edit_Change_Click()
{
    if (!hasRecords())
        return;
    ChanData dialog(dm, this);
    dm.Platform.Modal->run(dialog);
}
