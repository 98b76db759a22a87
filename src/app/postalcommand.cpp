// 郵便番号の確認: the check of every record's postal code against the dictionary.
#include "app/adrsbook.h"

#include "edit/postalchecklist.h"
#include "postal/postalcheck.h"
#include "store/datamodule.h"

#include "platform/pointer.h"
#include "platform/runerror.h"

void Adrsbook::Menu_Disp_Postal_Click()
{
    if (!hasRecords())
        return;
    const PostalDictionary &dictionary = PostalDictionary::shared();
    if (!dictionary.isLoaded()) {
        dm.Msg(this, dictionary.failure(), MsgIcon::Exclamation);
        return;
    }
    const TraceEntry trace(dm, QStringLiteral("Menu_Disp_Postal_Click"));
    QList<PostalProblem> problems;
    Pointer::Hourglass hourglass(dm.SavedPointer);
    try {
        problems = CheckPostalCodes(dm, dictionary);
    } catch (const RunError &error) {
        hourglass.restore();
        dm.ErrReport(QStringLiteral("Menu_Disp_Postal_Click"), error.description(), this);
        return;
    }
    hourglass.restore();
    if (problems.isEmpty()) {
        dm.Msg(this, QStringLiteral("問題はありません。"), MsgIcon::Information);
        return;
    }
    PostalCheckList list(dm, this, dictionary, problems);
    list.showModal();
}
