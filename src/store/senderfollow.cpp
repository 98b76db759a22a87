#include "store/senderfollow.h"

#include "store/datamodule.h"

namespace SenderFollow {

void renumber(DataModule &dm, int oldCount, const std::function<int(int)> &newNumberOf)
{
    const int sender = dm.Settings.SenderNumber;
    if (sender < 1 || sender > oldCount)
        return;
    const int moved = newNumberOf(sender);
    dm.Settings.SenderNumber = static_cast<qint16>(moved);
    if (moved == 0)
        dm.Conf.SenderDeletedNotice = true;
}

void afterDeletion(DataModule &dm, int deleted, int oldCount)
{
    renumber(dm, oldCount, [deleted](int old) {
        if (old == deleted)
            return 0;
        return old > deleted ? old - 1 : old;
    });
}

void afterInsertion(DataModule &dm, int inserted, int oldCount)
{
    renumber(dm, oldCount, [inserted](int old) { return old >= inserted ? old + 1 : old; });
}

void afterOrder(DataModule &dm, const std::vector<int> &order)
{
    const int count = static_cast<int>(order.size());
    renumber(dm, count, [&order, count](int old) {
        for (int j = 0; j < count; ++j) {
            if (order[j] == old - 1)
                return j + 1;
        }
        // An order that lost the record: the sender is gone with it.
        return 0;
    });
}

QString takeDeletedNotice(DataModule &dm)
{
    if (!dm.Conf.SenderDeletedNotice)
        return QString();
    dm.Conf.SenderDeletedNotice = false;
    return QStringLiteral("差出人のデータが削除されたため、差出人なしで印刷します。");
}

} // namespace SenderFollow
