// 一覧表示: the grid of every record.
#include "app/adrsbook.h"

#include "store/datamodule.h"

void Adrsbook::MeNu_Disp_List_Click()
{
    if (!hasRecords())
        return;
}
