#include "app/furiganasort.h"

#include "store/addressrecord.h"
#include "store/datamodule.h"
#include "store/tempfile.h"

#include "platform/codec.h"
#include "platform/runerror.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
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

// The first position from `from` on whose rank is below `key`, or `end`.
// Whole blocks are tested first so that the compiler can test each block's
// ranks together.
int firstBelow(const int *ranks, int from, int end, int key)
{
    constexpr int block = 16;
    int j = from;
    while (j + block <= end) {
        int below = 0;
        for (int k = 0; k < block; ++k)
            below |= ranks[j + k] < key;
        if (below)
            break;
        j += block;
    }
    while (j < end && ranks[j] >= key)
        ++j;
    return j;
}

} // namespace

std::vector<int> exchangeOrder(const std::vector<int> &ranks, const std::function<void(int)> &pass)
{
    const int n = static_cast<int>(ranks.size());
    std::vector<int> rank(ranks);
    std::vector<int> index(ranks.size());
    std::iota(index.begin(), index.end(), 0);
    if (n == 0)
        return index;

    // How many of each rank stand at the positions not yet settled: a key
    // that is already the smallest of them cannot be exchanged any more, so
    // a pass stops scanning as soon as its key is that smallest rank.
    const int rankCount = *std::max_element(rank.begin(), rank.end()) + 1;
    std::vector<int> remaining(static_cast<size_t>(rankCount), 0);
    for (int r : rank)
        ++remaining[static_cast<size_t>(r)];
    int lowest = 0;

    for (int pos = 0; pos + 1 < n; ++pos) {
        while (remaining[static_cast<size_t>(lowest)] == 0)
            ++lowest;
        int key = rank[pos];
        int j = pos + 1;
        while (key > lowest) {
            j = firstBelow(rank.data(), j, n, key);
            if (j >= n)
                break;
            std::swap(rank[pos], rank[j]);
            std::swap(index[pos], index[j]);
            key = rank[pos];
            ++j;
        }
        // The pass leaves the smallest remaining rank at pos.
        --remaining[static_cast<size_t>(rank[pos])];
        if (pass)
            pass(pos + 1);
    }
    return index;
}

} // namespace FuriganaSort

namespace {

QByteArray readWholeFile(QFile &file)
{
    if (!file.isOpen() || !file.seek(0))
        throw RunError(QStringLiteral("%1 を読めません。").arg(file.fileName()));
    QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        throw RunError(QStringLiteral("%1 を読めません。(%2)").arg(file.fileName(), file.errorString()));
    return bytes;
}

// Opens the data file again after a rewrite (or after a failed one).
void reopen(DataModule &dm)
{
    dm.CloseData();
    dm.DataChannel = std::make_unique<QFile>(dm.CurrentFileName);
    QFile &file = *dm.DataChannel;
    const bool opened = dm.DataFormat == DataModule::FixedLength
        ? (file.open(QIODevice::ReadWrite) || file.open(QIODevice::ReadOnly))
        : file.open(QIODevice::ReadOnly);
    if (!opened)
        throw RunError(QStringLiteral("%1 を開けません。(%2)").arg(dm.CurrentFileName, file.errorString()));
    dm.FileLength = file.size();
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

    // Read every record once: its bytes to write back and its key.
    const QByteArray book = readWholeFile(*dm.DataChannel);
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
            dm.LineText = Cp932::decode(records[j]);
            dm.LineLength = static_cast<qint16>(qMin<qsizetype>(dm.LineText.size(), 32767));
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
        TempFile temp(QFileInfo(target).dir().filePath(QStringLiteral("Temp.adr")));
        temp.write(sorted);
        dm.CloseData();
        temp.commitOver(target);
    } catch (const RunError &) {
        reopen(dm);
        throw;
    }
    reopen(dm);
}
