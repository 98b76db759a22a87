#include "store/duplicaterecord.h"

#include "store/datamodule.h"
#include "store/recordstore.h"
#include "store/senderfollow.h"
#include "store/tempfile.h"

#include "platform/runerror.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString TempName = QStringLiteral("asdfghjk.adr");

void checkRecord(const DataModule &dm)
{
    if (dm.CurrentRecord < 1 || dm.CurrentRecord > dm.RecordCount)
        throw RunError(QStringLiteral("レコード %1 はありません。").arg(dm.CurrentRecord));
}

// Writes the new book through "asdfghjk.adr" and puts it in place of the
// data file; on failure the old book is open again.
void replaceBook(DataModule &dm, const QByteArray &book)
{
    const QString target = dm.DataFilePath();
    // A book the user may only read is not replaced behind its back.
    if (!QFileInfo(target).isWritable())
        throw RunError(QStringLiteral("%1 に書き込めません。").arg(dm.CurrentFileName));
    const QString tempPath = QFileInfo(target).dir().filePath(TempName);
    // The temporary file must never be the book itself.
    if (QFileInfo(tempPath) == QFileInfo(target))
        throw RunError(QStringLiteral("作業ファイル %1 と同じ名前のファイルは書き換えられません。").arg(TempName));
    try {
        TempFile temp(tempPath);
        temp.write(book);
        dm.CloseData();
        temp.commitOver(target);
    } catch (const RunError &) {
        dm.ReopenData();
        throw;
    }
    dm.ReopenData();
}

} // namespace

void DuplicateRecord(DataModule &dm)
{
    checkRecord(dm);
    if (const QString refusal = AppendLimitText(dm); !refusal.isEmpty())
        throw RunError(refusal);
    const QByteArray old = ReadUnchangedBook(dm);
    const int length = RecordLayout::Length;
    QByteArray book;
    book.reserve(qsizetype(dm.RecordCount + 1) * length);
    for (int i = 1; i <= dm.RecordCount; ++i) {
        // A short last record is blank-filled, as reading it always did.
        const QByteArray record = AddressRecord::fromBytes(old.mid(qsizetype(i - 1) * length, length)).bytes();
        book += record;
        if (i == dm.CurrentRecord)
            book += record;
    }
    replaceBook(dm, book);
    const int oldCount = dm.RecordCount;
    dm.RecordCount = static_cast<qint16>((dm.FileLength + length / 2) / length);
    SenderFollow::afterInsertion(dm, dm.CurrentRecord + 1, oldCount);
}

void DuplicateLine(DataModule &dm)
{
    checkRecord(dm);
    if (const QString refusal = AppendLimitText(dm); !refusal.isEmpty())
        throw RunError(refusal);
    const QByteArray old = ReadUnchangedBook(dm);
    QByteArray book;
    std::array<qint32, DataModule::LineIndexSize> index{};
    int written = 0;
    auto put = [&](const QByteArray &line) {
        ++written;
        index[written] = static_cast<qint32>(book.size() + 1);
        book += line;
        book += "\r\n";
    };
    for (int i = 1; i <= dm.RecordCount; ++i) {
        const qint64 start = dm.LineIndex[i];
        if (start < 1 || start > old.size() + 1)
            throw RunError(QStringLiteral("行 %1 を読めません。").arg(i));
        const QByteArray line = LineAt(old, start);
        put(line);
        if (i == dm.CurrentRecord)
            put(line);
    }
    index[written + 1] = static_cast<qint32>(book.size() + 1);
    replaceBook(dm, book);
    const int oldCount = dm.RecordCount;
    dm.RecordCount = static_cast<qint16>(written);
    SenderFollow::afterInsertion(dm, dm.CurrentRecord + 1, oldCount);
    for (int i = 1; i <= written + 1; ++i)
        dm.LineIndex[i] = index[i];
}
