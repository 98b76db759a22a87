// The 編集 and 表示 menus: each command checks what it needs before its window opens.
#include "app/adrsbook.h"

#include "edit/adrsdinp.h"
#include "edit/crctdata.h"
#include "edit/dispdata.h"
#include "edit/kensaku.h"
#include "print/princard.h"
#include "store/datamodule.h"

#include "platform/pointer.h"

namespace {

// 修正 and 削除: pick the record in the search dialog, then open the
// correction form in the command's mode.
void findThenChange(DataModule &dm, QWidget *window, CrctData::Mode mode)
{
    const QString caption = mode == CrctData::Mode::Correct ? QStringLiteral("データ修正")
                                                            : QStringLiteral("データ削除");
    dm.CurrentRecord = 1;
    dm.SearchHit = 0;
    {
        Kensaku search(dm, window);
        search.setWindowTitle(caption);
        search.showModal();
    }
    if (dm.SearchHit == -1)
        return;
    if (dm.SearchHit == 0) {
        dm.Msg(window, QStringLiteral("見つからないのでメイン画面に戻ります。"));
        return;
    }
    CrctData form(dm, window);
    form.prepare(mode);
    form.showModal();
}

} // namespace

void Adrsbook::Menu_Edit_Correct_Click()
{
    if (!hasRecords())
        return;
    findThenChange(dm, this, CrctData::Mode::Correct);
}

void Adrsbook::Menu_Edit_Delete_Click()
{
    if (!hasRecords())
        return;
    findThenChange(dm, this, CrctData::Mode::Delete);
}

void Adrsbook::Menu_Edit_Add_Click()
{
    AdrsDinp form(dm, this);
    form.showModal();
}

void Adrsbook::Menu_Disp_Search_Click()
{
    if (dm.RecordCount < 1) {
        dm.Msg(this, QStringLiteral("ﾃﾞｰﾀ数が %1のため｢検索表示｣処理はできません！").arg(dm.RecordCount),
               MsgIcon::Exclamation);
        return;
    }
    dm.SearchHit = -1;
    {
        Kensaku search(dm, this);
        search.setWindowTitle(QStringLiteral("検索表示"));
        search.showModal();
    }
    if (dm.SearchHit != -1 && dm.SearchHit != 0) {
        DispData display(dm, this);
        display.showModal();
    }
}

void Adrsbook::Menu_Disp_Print_Click()
{
    if (!hasRecords())
        return;
    // Modeless: it locks the menus, so it cannot be opened twice.
    dm.SavedPointer = Pointer::current();
    Pointer::showHourglass();
    auto *dialog = new PrinCard(dm, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    printDialog = dialog;
    dialog->show();
}
