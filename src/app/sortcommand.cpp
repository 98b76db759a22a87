// 並び換え: puts the book in the order of its readings (ﾌﾘｶﾞﾅ).
#include "app/adrsbook.h"

#include "store/datamodule.h"

void Adrsbook::Menu_Edit_Sort_Click()
{
    if (dm.RecordCount <= 1) {
        dm.Msg(this, QStringLiteral("ﾃﾞｰﾀ数が %1のため｢並び換え｣処理はできません！").arg(dm.RecordCount),
               MsgIcon::Exclamation);
        return;
    }
}
