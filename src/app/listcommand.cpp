// 一覧表示: the grid of every record.
#include "app/adrsbook.h"

#include "edit/listlab.h"
#include "store/datamodule.h"

#include "platform/modalrunner.h"

void Adrsbook::MeNu_Disp_List_Click()
{
    if (!hasRecords())
        return;
    ListLab list(dm, this);
    dm.Platform.Modal->run(list);
}
