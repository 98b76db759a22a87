// 並び換え: puts the book in the order of its readings (ﾌﾘｶﾞﾅ).
#include "app/adrsbook.h"

#include "app/cancelf.h"
#include "app/furiganasort.h"
#include "store/datamodule.h"

#include "platform/pointer.h"
#include "platform/runerror.h"

void Adrsbook::Menu_Edit_Sort_Click()
{
    if (dm.RecordCount <= 1) {
        dm.Msg(this, QStringLiteral("ﾃﾞｰﾀ数が %1のため｢並び換え｣処理はできません！").arg(dm.RecordCount),
               MsgIcon::Exclamation);
        return;
    }
    if (dm.Msg(this, QStringLiteral("「ﾌﾘｶﾞﾅ」をキーにして ｱｲｳｴｵ順に並び換えを行います。"),
               MsgIcon::Question, MsgButtons::OkCancel, QStringLiteral("並び換え"))
        != MsgAnswerCode::Ok)
        return;

    const TraceEntry trace(dm, QStringLiteral("Menu_Edit_Sort_Click"));
    Pointer::Hourglass hourglass(dm.SavedPointer);
    try {
        CancelF progress(dm, this);
        progress.show();
        SortBook(dm, [&progress](int done) { progress.Advance(done); });
        progress.Advance(dm.RecordCount);
        progress.close();
    } catch (const RunError &e) {
        // The book on disk is the one before the sort, open again.
        dm.ErrReport(QStringLiteral("Menu_Edit_Sort_Click"), e.description(), this);
        return;
    }
    dm.RefreshFileInfo();
    dm.SetLabel(MainWindowLink::DateLabel, dm.FileDateText());
    hourglass.restore();
    dm.Msg(this, QStringLiteral("並び換え完了"), MsgIcon::Information);
}
