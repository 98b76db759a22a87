// File dialog, save as, field selection and data conversion.
#include "app/adrsbook.h"

#include "store/datamodule.h"

void Adrsbook::runFileDialog()
{
    dm.OpenStatus = 1;
}

void Adrsbook::Menu_File_Hozon_Click()
{
    dm.FileMode = 2;
}

void Adrsbook::Menu_File_SRead_Click()
{
}

void Adrsbook::Menu_Edit_Change_Click()
{
    if (!hasRecords())
        return;
}
