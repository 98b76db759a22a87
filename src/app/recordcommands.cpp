// The 編集 and 表示 menus: each command checks what it needs before its window opens.
#include "app/adrsbook.h"

#include "store/datamodule.h"

void Adrsbook::Menu_Edit_Correct_Click()
{
    if (!hasRecords())
        return;
}

void Adrsbook::Menu_Edit_Delete_Click()
{
    if (!hasRecords())
        return;
}

void Adrsbook::Menu_Edit_Add_Click()
{
}

void Adrsbook::Menu_Disp_Search_Click()
{
    if (dm.RecordCount < 1) {
        dm.Msg(this, QStringLiteral("ﾃﾞｰﾀ数が %1のため｢検索表示｣処理はできません！").arg(dm.RecordCount),
               MsgIcon::Exclamation);
        return;
    }
}

void Adrsbook::Menu_Disp_Print_Click()
{
    if (!hasRecords())
        return;
}

void Adrsbook::Menu_Disp_All_Click()
{
    if (!hasRecords())
        return;
}
