#include "store/recordstore.h"

#include "store/datamodule.h"
#include "store/senderfollow.h"
#include "store/storefile.h"
#include "store/tempfile.h"

#include "platform/codec.h"
#include "platform/runerror.h"

#include <QDir>
#include <QFileInfo>
#include <array>

namespace {

const QByteArray LineEnd = QByteArrayLiteral("\r\n");

void requireOpen(const DataModule &dm)
{
    if (!dm.DataChannel || !dm.DataChannel->isOpen())
        throw RunError(QStringLiteral("データファイルが開かれていません。"));
}

// A book the user may not write, or one marked read-only (no write permission
// for anyone), is never changed: a rewrite's rename needs only the folder to
// be writable and would otherwise replace it.
void requireWritable(const DataModule &dm)
{
    const QFileInfo book(dm.DataFilePath());
    if (!book.exists())
        throw RunError(QStringLiteral("ファイルが見つかりません。(%1)").arg(dm.CurrentFileName));
    const auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (!book.isWritable() || !(book.permissions() & anyWrite))
        throw RunError(QStringLiteral("%1 は読み取り専用のため書き換えられません。").arg(dm.CurrentFileName));
}

// The book on disk must still be the one RecordCount and LineIndex describe:
// a book another program changed meanwhile would lose its new records to a
// rewrite, or have them overwritten by an append.
bool sameSize(const DataModule &dm, qint64 size)
{
    return dm.DataFormat == DataModule::FixedLength
        ? (size + dm.RecordLength / 2) / dm.RecordLength == dm.RecordCount
        : dm.RecordCount >= 0 && dm.RecordCount + 1 < DataModule::LineIndexSize
            && size + 1 == dm.LineIndex[dm.RecordCount + 1];
}

[[noreturn]] void refuseChanged(const DataModule &dm)
{
    throw RunError(QStringLiteral("%1 が他のプログラムで変更されています。ファイルを開き直してください。")
                       .arg(dm.CurrentFileName));
}

// Opens the book again after a failed change; a book that cannot be opened
// any more is reported by the next command that needs it.
void reopenAfterFailure(DataModule &dm)
{
    try {
        dm.ReopenData();
    } catch (const RunError &) {
    }
}

// After a failed write at the end of the book, the book is cut back to its
// old length by its name, which no buffer of any channel can hold up.
[[noreturn]] void cutBack(DataModule &dm, qint64 oldSize, const RunError &failure)
{
    const bool cut = QFile::resize(dm.DataFilePath(), oldSize);
    reopenAfterFailure(dm);
    if (!cut)
        throw RunError(failure.description() + QStringLiteral("書きかけのﾃﾞｰﾀを取り除けませんでした。"));
    throw failure;
}

void requireCurrent(const DataModule &dm)
{
    requireOpen(dm);
    if (dm.CurrentRecord < 1 || dm.CurrentRecord > dm.RecordCount)
        throw RunError(QStringLiteral("ﾃﾞｰﾀ番号 %1 のﾃﾞｰﾀはありません。").arg(dm.CurrentRecord));
}

} // namespace

QByteArray ReadWholeBook(const DataModule &dm)
{
    const auto channel = StoreFile::make(dm.DataFilePath());
    QFile &file = *channel;
    if (!file.open(QIODevice::ReadOnly))
        throw RunError(QStringLiteral("%1 を読めません。(%2)").arg(dm.CurrentFileName, file.errorString()));
    QByteArray bytes = file.readAll();
    if (bytes.size() != file.size())
        throw RunError(QStringLiteral("%1 を読めません。(%2)").arg(dm.CurrentFileName, file.errorString()));
    return bytes;
}

void RequireUnchangedBook(const DataModule &dm, const QString &path)
{
    if (!sameSize(dm, QFileInfo(path.isEmpty() ? dm.DataFilePath() : path).size()))
        refuseChanged(dm);
}

QByteArray ReadUnchangedBook(const DataModule &dm)
{
    QByteArray book = ReadWholeBook(dm);
    if (!sameSize(dm, book.size()))
        refuseChanged(dm);
    // Lines of another length with the same total still move the lines.
    if (dm.DataFormat != DataModule::FixedLength) {
        for (int i = 2; i <= dm.RecordCount; ++i) {
            const qint64 at = qint64(dm.LineIndex[i]) - 2; // the byte before line i
            if (at < 0 || at >= book.size() || (book[at] != '\n' && book[at] != '\r'))
                refuseChanged(dm);
        }
    }
    return book;
}

QByteArray LineAt(const QByteArray &book, qint64 start)
{
    const qsizetype from = static_cast<qsizetype>(start - 1);
    if (from < 0 || from >= book.size())
        return QByteArray();
    qsizetype end = from;
    while (end < book.size() && book[end] != '\r' && book[end] != '\n')
        ++end;
    return book.mid(from, end - from);
}

namespace {

// The rewrite must never write its temporary file over the book itself.
void requireRewritable(const DataModule &dm)
{
    requireWritable(dm);
    if (QFileInfo(dm.DataFilePath()) == QFileInfo(QDir::current().absoluteFilePath(RewriteTempName)))
        throw RunError(QStringLiteral("作業ファイル %1 と同じ名前のファイルは書き換えられません。")
                           .arg(RewriteTempName));
}

// The file the new book replaces: a book opened through a symbolic link is
// the file the link points to, so the link keeps leading to the new book (a
// rename over the link itself would leave the real book behind, unchanged).
QString rewriteTarget(const DataModule &dm)
{
    const QFileInfo book(dm.DataFilePath());
    return book.isSymLink() ? book.canonicalFilePath() : book.absoluteFilePath();
}

// Writes the text book's lines 1 ... RecordCount (`book`, as read) into
// "Temp.adr", line `replaced` as `replacement` (no line when it is empty and
// `drop` is set), renames it over the book and takes over the new line index.
void rewriteText(DataModule &dm, const QByteArray &book, int replaced, const QByteArray &replacement,
                 bool drop)
{
    std::array<qint32, DataModule::LineIndexSize> index{};
    QByteArray out;
    out.reserve(book.size() + replacement.size() + 2 * dm.RecordCount);
    int line = 0;
    for (int i = 1; i <= dm.RecordCount; ++i) {
        if (i == replaced && drop)
            continue;
        index[++line] = static_cast<qint32>(out.size() + 1);
        if (i == replaced) {
            out += replacement;
        } else {
            out += LineAt(book, dm.LineIndex[i]);
            out += LineEnd;
        }
    }
    index[line + 1] = static_cast<qint32>(out.size() + 1);

    TempFile temp(RewriteTempName);
    temp.write(out);
    temp.commitOver(rewriteTarget(dm));

    // The new book is on disk: the shared state follows it.
    for (int i = 1; i <= line + 1; ++i)
        dm.LineIndex[i] = index[i];
    dm.RecordCount = static_cast<qint16>(line);
    dm.ReopenData();
}

void appendFixed(DataModule &dm, int n)
{
    dm.FieldsToRecord();
    const qint64 oldSize = QFileInfo(dm.DataFilePath()).size();
    try {
        dm.WriteRecord(n);
    } catch (const RunError &failure) {
        // Nothing half-written stays behind.
        cutBack(dm, oldSize, failure);
    }
}

// The text line of FieldText. A value holding a line break would split the
// record over two lines of the book, so such a record is refused.
QByteArray buildTextLine(DataModule &dm)
{
    dm.BuildLine();
    const QString body = dm.LineText.chopped(dm.NewLine.size());
    if (body.contains(QLatin1Char('\r')) || body.contains(QLatin1Char('\n')))
        throw RunError(QStringLiteral("改行を含む項目は可変長ファイルに書き込めません。"));
    return dm.LineBytes;
}

// The new line is written at the end of the book, straight to the file and
// synced to disk; on any failure the book is cut back to its old length.
void appendText(DataModule &dm, int n)
{
    const QByteArray bytes = buildTextLine(dm);
    auto file = StoreFile::make(dm.DataFilePath());
    if (!file->open(QIODevice::ReadWrite | QIODevice::Unbuffered | QIODevice::ExistingOnly))
        throw RunError(QStringLiteral("%1 に書き込めません。(%2)").arg(dm.CurrentFileName, file->errorString()));
    const qint64 oldSize = file->size();
    // A last line without a line end gets one, so that the new line is never
    // joined onto it.
    QByteArray tail;
    if (oldSize > 0) {
        const QByteArray last = file->seek(oldSize - 1) ? file->read(1) : QByteArray();
        if (last.size() != 1)
            throw RunError(QStringLiteral("%1 を読めません。(%2)").arg(dm.CurrentFileName, file->errorString()));
        if (last != "\n" && last != "\r")
            tail = LineEnd;
    }
    const QByteArray all = tail + bytes;
    if (!file->seek(oldSize) || !file->writeAll(all) || !file->syncToDisk() || !file->closeChecked()) {
        const RunError failure(QStringLiteral("%1 に書き込めません。(%2)").arg(dm.CurrentFileName, file->errorString()));
        file.reset();
        cutBack(dm, oldSize, failure);
    }
    dm.LineIndex[n] = static_cast<qint32>(oldSize + tail.size() + 1);
    dm.LineIndex[n + 1] = static_cast<qint32>(oldSize + all.size() + 1);
}

// Writes the stored record n back after a failed overwrite, through a
// channel of its own; true when the record on disk is the stored one again
// (or never stopped being it: the write failed before reaching the file).
bool putBack(DataModule &dm, int n, const AddressRecord &stored)
{
    dm.RecordBuffer = stored;
    bool restored = true;
    try {
        dm.WriteRecord(n);
    } catch (const RunError &) {
        restored = false;
    }
    reopenAfterFailure(dm);
    if (!restored) {
        try {
            dm.ReadRecord(n);
            restored = dm.RecordBuffer.bytes() == stored.bytes();
        } catch (const RunError &) {
        }
        dm.RecordBuffer = stored;
    }
    return restored;
}

void overwriteFixed(DataModule &dm, int n)
{
    dm.ReadRecord(n);
    const AddressRecord stored = dm.RecordBuffer;
    // The fields the user left as they are keep their stored bytes.
    dm.KeepStoredBytes(stored);
    dm.FieldsToRecord();
    try {
        dm.WriteRecord(n);
    } catch (const RunError &failure) {
        // What reached the file is not known: the stored record goes back
        // rather than leave a mix of old and new.
        if (!putBack(dm, n, stored))
            throw RunError(failure.description() + QStringLiteral("ﾃﾞｰﾀ番号 %1 を元に戻せませんでした。").arg(n));
        throw;
    }
    dm.ReopenData();
}

} // namespace

QString AppendLimitText(const DataModule &dm)
{
    if (dm.DataFormat == DataModule::FixedLength) {
        if (dm.RecordCount >= DataModule::MaxFixedRecords)
            return QStringLiteral("ﾃﾞｰﾀ数が %1 件に達しているため、これ以上追加できません。")
                .arg(DataModule::MaxFixedRecords);
    } else if (dm.RecordCount >= DataModule::MaxTextRecords) {
        return QStringLiteral("可変長ファイルのﾃﾞｰﾀ数が %1 件に達しているため、これ以上追加できません。")
            .arg(DataModule::MaxTextRecords);
    }
    return QString();
}

void AppendRecord(DataModule &dm)
{
    requireOpen(dm);
    const QString refusal = AppendLimitText(dm);
    if (!refusal.isEmpty())
        throw RunError(refusal);
    requireWritable(dm);
    RequireUnchangedBook(dm);
    const int n = dm.RecordCount + 1;
    if (dm.DataFormat == DataModule::FixedLength)
        appendFixed(dm, n);
    else
        appendText(dm, n);
    dm.RecordCount = static_cast<qint16>(n);
    dm.ClearRecord();
    dm.ReopenData();
}

void OverwriteRecord(DataModule &dm)
{
    requireCurrent(dm);
    requireWritable(dm);
    RequireUnchangedBook(dm);
    if (dm.DataFormat == DataModule::FixedLength) {
        overwriteFixed(dm, dm.CurrentRecord);
        return;
    }
    requireRewritable(dm);
    const QByteArray book = ReadUnchangedBook(dm);
    dm.KeepStoredLineBytes(LineAt(book, dm.LineIndex[dm.CurrentRecord]));
    rewriteText(dm, book, dm.CurrentRecord, buildTextLine(dm), false);
}

void DeleteRecord(DataModule &dm)
{
    requireCurrent(dm);
    requireRewritable(dm);
    const QByteArray book = ReadUnchangedBook(dm);
    const int length = dm.RecordLength;
    QByteArray out;
    out.reserve(qsizetype(dm.RecordCount - 1) * length);
    for (int i = 1; i <= dm.RecordCount; ++i) {
        if (i == dm.CurrentRecord)
            continue;
        out += AddressRecord::fromBytes(book.mid(qsizetype(i - 1) * length, length)).bytes();
    }
    TempFile temp(RewriteTempName);
    temp.write(out);
    temp.commitOver(rewriteTarget(dm));
    const int oldCount = dm.RecordCount;
    dm.RecordCount = static_cast<qint16>(oldCount - 1);
    SenderFollow::afterDeletion(dm, dm.CurrentRecord, oldCount);
    dm.ReopenData();
}

void DeleteLine(DataModule &dm)
{
    requireCurrent(dm);
    requireRewritable(dm);
    const int oldCount = dm.RecordCount;
    try {
        rewriteText(dm, ReadUnchangedBook(dm), dm.CurrentRecord, QByteArray(), true);
    } catch (const RunError &) {
        // The new book may be on disk although it could not be opened again.
        if (dm.RecordCount != oldCount)
            SenderFollow::afterDeletion(dm, dm.CurrentRecord, oldCount);
        throw;
    }
    SenderFollow::afterDeletion(dm, dm.CurrentRecord, oldCount);
}

void DeleteCurrent(DataModule &dm)
{
    if (dm.DataFormat == DataModule::FixedLength)
        DeleteRecord(dm);
    else
        DeleteLine(dm);
}

QString AppendRecordsLimitText(const DataModule &dm, int count)
{
    const bool fixed = dm.DataFormat == DataModule::FixedLength;
    const int limit = fixed ? DataModule::MaxFixedRecords : DataModule::MaxTextRecords;
    if (count <= 0 || qint64(dm.RecordCount) + count <= limit)
        return QString();
    return QStringLiteral("%1件のﾃﾞｰﾀを加えると%2ﾌｧｲﾙの上限 %3 件を超えるため、読み込めません。（現在 %4 件）")
        .arg(count)
        .arg(fixed ? QStringLiteral("固定長") : QStringLiteral("可変長"))
        .arg(limit)
        .arg(dm.RecordCount);
}

void AppendRecords(DataModule &dm, const QList<RecordValues> &records)
{
    requireOpen(dm);
    const QString refusal = AppendRecordsLimitText(dm, static_cast<int>(records.size()));
    if (!refusal.isEmpty())
        throw RunError(refusal);
    if (records.isEmpty())
        return;
    requireRewritable(dm);
    const QByteArray book = ReadUnchangedBook(dm);

    QByteArray out;
    if (dm.DataFormat == DataModule::FixedLength) {
        // The records the count covers, a short last one blank-filled as it reads.
        const qsizetype kept = qsizetype(dm.RecordCount) * dm.RecordLength;
        out = book.left(kept);
        out.append(QByteArray(kept - out.size(), ' '));
        for (const RecordValues &values : records) {
            AddressRecord record;
            for (int f = 1; f <= RecordLayout::FieldCount; ++f)
                record.setField(f, values[f]);
            out += record.bytes();
        }
    } else {
        out = book;
        // A last line without a line end gets one, so no new line joins it.
        if (!out.isEmpty() && !out.endsWith('\n') && !out.endsWith('\r'))
            out += LineEnd;
        const std::array<QString, 11> before = dm.FieldText;
        try {
            for (const RecordValues &values : records) {
                dm.FieldText = values;
                out += buildTextLine(dm);
            }
        } catch (const RunError &) {
            dm.FieldText = before;
            throw;
        }
        dm.FieldText = before;
    }

    TempFile temp(RewriteTempName);
    temp.write(out);
    temp.commitOver(rewriteTarget(dm));

    dm.RecordCount = static_cast<qint16>(dm.RecordCount + records.size());
    dm.ClearRecord();
    dm.ReopenData();
    if (dm.DataFormat == DataModule::DelimitedText)
        dm.BuildLineIndex();
}
