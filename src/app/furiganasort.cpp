#include "app/furiganasort.h"

#include "store/addressrecord.h"
#include "store/datamodule.h"
#include "store/senderfollow.h"
#include "store/recordstore.h"
#include "store/tempfile.h"

#include "platform/codec.h"
#include "platform/runerror.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <deque>
#include <numeric>

namespace FuriganaSort {

QString fixedKey(const QByteArray &record)
{
    constexpr int width = RecordLayout::Width[Furigana];
    QString key = Cp932::decode(AddressRecord::fromBytes(record).fieldBytes(Furigana));
    if (key.size() < width)
        key.append(QString(width - key.size(), QLatin1Char(' ')));
    return key;
}

std::vector<int> rankKeys(const std::vector<QString> &keys)
{
    std::vector<int> byKey(keys.size());
    std::iota(byKey.begin(), byKey.end(), 0);
    // QString's < compares UTF-16 code units; every character CP932 decodes to
    // lies in the basic plane, so this is the order of the code values.
    std::stable_sort(byKey.begin(), byKey.end(),
                     [&](int a, int b) { return keys[a] < keys[b]; });
    std::vector<int> ranks(keys.size());
    int rank = 0;
    for (size_t i = 0; i < byKey.size(); ++i) {
        if (i > 0 && keys[byKey[i - 1]] != keys[byKey[i]])
            ++rank;
        ranks[byKey[i]] = rank;
    }
    return ranks;
}

namespace {

// Counts, for a position, how many marked positions lie before it.
class PrefixCounter {
public:
    explicit PrefixCounter(int size) : tree(static_cast<size_t>(size) + 1, 0) {}
    void mark(int position)
    {
        for (size_t i = static_cast<size_t>(position) + 1; i < tree.size(); i += i & (~i + 1))
            ++tree[i];
    }
    int before(int position) const
    {
        int count = 0;
        for (size_t i = static_cast<size_t>(position); i > 0; i -= i & (~i + 1))
            count += tree[i];
        return count;
    }

private:
    std::vector<int> tree;
};

// Moves the first `steps` entries (modulo the size) to the back.
void rotate(std::deque<int> &queue, int steps)
{
    if (queue.size() < 2)
        return;
    for (int s = steps % static_cast<int>(queue.size()); s > 0; --s) {
        queue.push_back(queue.front());
        queue.pop_front();
    }
}

} // namespace

// Why this gives the exchange selection's result without running it.
//
// Pass p carries the key at p along the later positions: whenever a strictly
// smaller key is met, the carried record is put down in its place and the
// smaller one is carried on; the last one carried ends at p. So records are
// settled in ascending order of their keys, and the records of one key v are
// settled in the order they stand in once every smaller key is settled.
//
// Watch one key v and call the other records smaller (L) or greater (G).
// The records of key v move only relative to the L and G records around them,
// never by being compared with each other (equal keys are not exchanged), and
// comparisons within L or within G never change which positions hold L, v or
// G records. Take the records not yet settled up to the first L record: a
// pass settles that L record and puts the other records of this stretch one
// place further on, except the first v record among them, which is carried to
// the place of the L record, behind the other v records of the stretch. The
// stretch then runs on to the next L record.
//
// So, for key v, only the v records matter, in their original order, each
// with the number of L records before it: the records before the first L
// start a queue; each L record moves the front of the queue to its back, then
// the v records up to the next L record join at the back. After the last L
// record the queue is the order in which the v records are settled.
std::vector<int> exchangeOrder(const std::vector<int> &ranks, const std::function<void(int)> &pass)
{
    const int n = static_cast<int>(ranks.size());
    std::vector<int> order;
    order.reserve(ranks.size());
    if (n == 0)
        return order;

    const int rankCount = *std::max_element(ranks.begin(), ranks.end()) + 1;
    std::vector<std::vector<int>> byRank(static_cast<size_t>(rankCount));
    for (int i = 0; i < n; ++i)
        byRank[static_cast<size_t>(ranks[static_cast<size_t>(i)])].push_back(i);

    PrefixCounter settled(n);
    std::deque<int> queue;
    for (const std::vector<int> &records : byRank) {
        if (records.size() > 1) {
            const int smaller = static_cast<int>(order.size());
            int passed = 0; // L records met so far
            queue.clear();
            for (int record : records) {
                const int before = settled.before(record);
                rotate(queue, before - passed);
                passed = before;
                queue.push_back(record);
            }
            rotate(queue, smaller - passed);
            order.insert(order.end(), queue.begin(), queue.end());
        } else if (records.size() == 1) {
            order.push_back(records.front());
        }
        for (int record : records)
            settled.mark(record);
        if (pass)
            pass(qMin(static_cast<int>(order.size()), n - 1));
    }
    return order;
}

} // namespace FuriganaSort

namespace {

// Opens the data file again after a rewrite (or after a failed one).
void reopen(DataModule &dm)
{
    dm.ReopenData();
    if (dm.DataFormat != DataModule::FixedLength) {
        const qint32 current = dm.CurrentRecord;
        dm.BuildLineIndex();
        dm.CurrentRecord = current;
    }
}

} // namespace

void SortBook(DataModule &dm, const std::function<void(int)> &pass)
{
    using namespace FuriganaSort;
    const int n = dm.RecordCount;
    if (!dm.DataChannel)
        throw RunError(QStringLiteral("ファイルが開かれていません。"));
    const QString target = dm.DataFilePath();
    if (!QFileInfo(target).isWritable())
        throw RunError(QStringLiteral("%1 に書き込めません。").arg(dm.CurrentFileName));
    const QString tempPath = QFileInfo(target).dir().filePath(QStringLiteral("Temp.adr"));
    // The temporary file must never be the book itself.
    if (QFileInfo(tempPath) == QFileInfo(target))
        throw RunError(QStringLiteral("作業ファイル Temp.adr と同じ名前のファイルは書き換えられません。"));

    // Read every record once: its bytes to write back and its key. A book
    // another program changed is not sorted: its new records would be lost.
    const QByteArray book = ReadUnchangedBook(dm);
    std::vector<QByteArray> records(static_cast<size_t>(n));
    std::vector<QString> keys(static_cast<size_t>(n));
    if (dm.DataFormat == DataModule::FixedLength) {
        const int length = RecordLayout::Length;
        // Equal stored readings are decoded once.
        QHash<QByteArray, QString> decoded;
        for (int j = 0; j < n; ++j) {
            // A short last record is blank-filled, as reading it always did.
            records[j] = AddressRecord::fromBytes(book.mid(qsizetype(j) * length, length)).bytes();
            const QByteArray stored = records[j].mid(RecordLayout::Offset[Furigana],
                                                     RecordLayout::Width[Furigana]);
            auto found = decoded.constFind(stored);
            if (found == decoded.constEnd())
                found = decoded.insert(stored, fixedKey(records[j]));
            keys[j] = *found;
        }
    } else {
        if (n > DataModule::MaxTextRecords)
            throw RunError(QStringLiteral("行の索引が壊れています。"));
        // The key is the second field as the line parser returns it, untrimmed.
        const std::array<QString, 11> fields = dm.FieldText;
        QByteArray copy = book;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        for (int j = 0; j < n; ++j) {
            const qint64 start = qint64(dm.LineIndex[j + 1]) - 1;
            if (start < 0 || start > book.size() || !buffer.seek(start))
                throw RunError(QStringLiteral("行 %1 を読めません。").arg(j + 1));
            readRawLine(buffer, records[j]);
            dm.TakeLine(records[j]);
            dm.SplitLine();
            keys[j] = dm.FieldText[Furigana];
        }
        dm.FieldText = fields;
    }

    const std::vector<int> order = exchangeOrder(rankKeys(keys), pass);

    // Write the new book completely, then put it in place of the old one.
    QByteArray sorted;
    sorted.reserve(book.size() + 2 * n);
    for (int j = 0; j < n; ++j) {
        sorted += records[order[j]];
        if (dm.DataFormat != DataModule::FixedLength)
            sorted += "\r\n";
    }
    try {
        TempFile temp(tempPath);
        temp.write(sorted);
        dm.CloseData();
        temp.commitOver(target);
    } catch (const RunError &) {
        reopen(dm);
        throw;
    }
    // The new order is on disk: the sender's number follows its record.
    SenderFollow::afterOrder(dm, order);
    reopen(dm);
}
