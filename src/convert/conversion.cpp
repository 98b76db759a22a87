#include "convert/conversion.h"

#include "store/blanks.h"
#include "store/datamodule.h"
#include "store/recordstore.h"
#include "store/settingsfile.h"
#include "store/storefile.h"
#include "store/tempfile.h"

#include "platform/codec.h"
#include "platform/runerror.h"

#include <QDir>
#include <QFileInfo>
#include <array>

namespace Conversion {

namespace {

// Positions the open text book at line n.
void seekLine(DataModule &dm, int n)
{
    if (!dm.DataChannel || n < 1 || n >= DataModule::LineIndexSize
        || !dm.DataChannel->seek(qint64(dm.LineIndex[n]) - 1))
        throw RunError(QStringLiteral("行 %1 を読めません。").arg(n));
}

// A value holding a line break (a fixed-length record written by another
// program may) would split its record over two lines: the run is refused and
// nothing replaces its target.
void writeLine(DataModule &dm, TempFile &out)
{
    const QString body = dm.LineText.chopped(qMin(dm.LineText.size(), dm.NewLine.size()));
    if (body.contains(QLatin1Char('\r')) || body.contains(QLatin1Char('\n')))
        throw RunError(QStringLiteral("ﾃﾞｰﾀ番号 %1 に改行を含む項目があるため、可変長ファイルには書き込めません。")
                           .arg(dm.CurrentRecord));
    out.write(dm.LineBytes);
}

} // namespace

QChar delimiterOf(int target)
{
    qint16 code = static_cast<qint16>(target);
    return SettingsFile::delimiterFor(code);
}

QString labelOf(int target)
{
    return SettingsFile::delimiterName(static_cast<qint16>(target));
}

bool samePath(const QString &a, const QString &b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return QDir::cleanPath(fa.absoluteFilePath()) == QDir::cleanPath(fb.absoluteFilePath());
}

QString workFileFor(const QString &target, const QString &source)
{
    const QFileInfo info(target);
    const QString work = info.absoluteDir().filePath(WorkFileName);
    if (samePath(work, target) || (!source.isEmpty() && samePath(work, source)))
        throw RunError(QStringLiteral("%1 は作業用のファイル名のため使えません。").arg(WorkFileName));
    // A file the user may only read is not replaced behind its back.
    if (info.exists() && !info.isWritable())
        throw RunError(QStringLiteral("%1 に書き込めません。").arg(info.fileName()));
    return work;
}

void FixedToText(DataModule &dm, int target, TempFile &out)
{
    if (dm.RecordCount > DataModule::MaxTextRecords)
        throw RunError(QStringLiteral("ﾃﾞｰﾀ数が %1 件を超えるため、可変長ファイルには変換できません。")
                           .arg(DataModule::MaxTextRecords));
    const QChar d = delimiterOf(target);
    for (int n = 1; n <= dm.RecordCount; ++n) {
        dm.CurrentRecord = n;
        dm.ReadRecord(n);
        dm.RecordToFields();
        dm.BuildLine(d);
        dm.LineIndex[n] = static_cast<qint32>(out.pos() + 1);
        writeLine(dm, out);
    }
    dm.LineIndex[dm.RecordCount + 1] = static_cast<qint32>(out.pos() + 1);
}

void TextToFixed(DataModule &dm, TempFile &out)
{
    for (int n = 1; n <= dm.RecordCount; ++n) {
        dm.CurrentRecord = n;
        seekLine(dm, n);
        dm.ParseLine();
        dm.FieldsToRecord();
        out.write(dm.RecordBuffer.bytes());
    }
}

void ValTra2(DataModule &dm, int target, TempFile &out)
{
    dm.Trace(QStringLiteral("ValTra2"));
    const QChar d = delimiterOf(target);
    for (int n = 1; n <= dm.RecordCount; ++n) {
        dm.CurrentRecord = n;
        seekLine(dm, n);
        dm.ParseLine();
        dm.BuildLine(d);
        writeLine(dm, out);
    }
}

void ConvertBook(DataModule &dm, const QString &newPath, int target, bool inPlace)
{
    // In place, the open book's own file is replaced (not a link that
    // leads to it, which would leave the book unconverted).
    // A record another program added since the book was opened would be
    // missing from the result.
    RequireUnchangedBook(dm);
    QString writePath = newPath;
    if (inPlace) {
        const QString book = QFileInfo(dm.DataFilePath()).canonicalFilePath();
        if (!book.isEmpty())
            writePath = book;
    }
    try {
        TempFile out(workFileFor(writePath, dm.DataFilePath()));
        if (dm.DataFormat == DataModule::FixedLength)
            FixedToText(dm, target, out);
        else if (target != FixedTarget)
            ValTra2(dm, target, out);
        else
            TextToFixed(dm, out);
        out.commitOver(writePath);
    } catch (const RunError &) {
        // Nothing was replaced: the open book stays open as it was.
        if (!dm.DataChannel || !dm.DataChannel->isOpen()) {
            try {
                dm.ReopenData();
            } catch (const RunError &) {
            }
        }
        throw;
    }

    if (inPlace) {
        if (target == FixedTarget) {
            dm.DataFormat = DataModule::FixedLength;
        } else {
            dm.DataFormat = DataModule::DelimitedText;
            dm.Settings.DelimiterCode = static_cast<qint16>(target);
            dm.Delimiter = delimiterOf(target);
        }
    }
    dm.ReopenData();
    // The index always describes the file as it now is on disk: lines that
    // lost quotes or blanks are shorter than before.
    if (inPlace && dm.DataFormat == DataModule::DelimitedText)
        dm.BuildLineIndex();
}

void BuildSelectionLine(DataModule &dm)
{
    dm.LineText.clear();
    dm.LineBytes.clear();
    const int count = qBound(0, static_cast<int>(dm.Settings.SelectionCount), 20);
    if (count == 0)
        return;
    const QChar d = dm.Delimiter;
    const char byte = static_cast<char>(d.unicode());
    QString line;
    QByteArray bytes;
    for (int k = 1; k <= count; ++k) {
        const int code = dm.Settings.SelectionOrder[k];
        if (code < 1 || code > 11)
            continue; // not an item code: no column
        // Quoted like the program's own lines, so every column reads back
        // as written.
        if (code != 11) {
            const DataModule::Trim trim = code == Address1 || code == Address2 ? DataModule::Trim::Right
                : code == Mark ? DataModule::Trim::None : DataModule::Trim::Both;
            const QString value = trim == DataModule::Trim::Right ? trimRightBlanks(dm.FieldText[code])
                : trim == DataModule::Trim::None ? dm.FieldText[code] : trimBlanks(dm.FieldText[code]);
            line += quoteField(value, d);
            bytes += quoteField(dm.FieldOutput(code, trim), byte);
        }
        line += d;
        bytes += byte;
    }
    dm.LineText = line + dm.NewLine;
    dm.LineBytes = bytes + Cp932::encode(dm.NewLine);
}

void ExportBySelection(DataModule &dm, TempFile &out)
{
    for (int n = 1; n <= dm.RecordCount; ++n) {
        dm.CurrentRecord = n;
        dm.LoadRecord(n);
        BuildSelectionLine(dm);
        writeLine(dm, out);
    }
}

void ExportBookBySelection(DataModule &dm, const QString &target, const QString &source)
{
    RequireUnchangedBook(dm, source);
    TempFile out(workFileFor(target, source));
    ExportBySelection(dm, out);
    out.commitOver(target);
}

QString NewFileName()
{
    for (int n = 1; n <= 99; ++n) {
        const QString name = QStringLiteral("KANOTE%1.KNO").arg(n, 2, 10, QLatin1Char('0'));
        if (!QFileInfo::exists(name))
            return name;
    }
    return QString();
}

int ImportBySelection(DataModule &dm, QWidget *parent)
{
    dm.ClearRecord();
    dm.CloseData();
    std::unique_ptr<QFile> source = StoreFile::make(dm.CurrentFileName);
    if (!source->open(QIODevice::ReadOnly))
        throw RunError(QStringLiteral("ファイルを開けません。(%1)").arg(source->errorString()));
    dm.DataChannel = std::move(source);
    const QString sourcePath = dm.DataFilePath();

    // An empty file gives an empty book.
    if (dm.DataChannel->size() == 0) {
        dm.RecordCount = 0;
        dm.LineIndex[1] = 1;
    } else {
        dm.BuildLineIndex();
    }

    const QString name = NewFileName();
    if (name.isEmpty()) {
        // Every name is taken: nothing is overwritten.
        dm.Msg(parent,
               QStringLiteral("KANOTE01.KNO～KANOTE99.KNO がすべて使われているため、変換できません。"),
               MsgIcon::Exclamation, MsgButtons::Ok);
        return -1;
    }
    dm.Msg(parent, QStringLiteral("選択項目によるデータを") + name + QStringLiteral("に保存します。"),
           MsgIcon::Information, MsgButtons::Ok);

    std::array<qint32, DataModule::LineIndexSize> index{};
    TempFile out(workFileFor(name, sourcePath));
    const bool fixed = dm.DataFormat == DataModule::FixedLength;
    for (int n = 1; n <= dm.RecordCount; ++n) {
        dm.CurrentRecord = n;
        dm.ClearFields();
        seekLine(dm, n);
        if (dm.ParseLineBySelection() != 0)
            dm.SplitLine(); // no selection: the standard order
        if (fixed) {
            dm.FieldsToRecord();
            out.write(dm.RecordBuffer.bytes());
        } else {
            dm.BuildLine(dm.Delimiter);
            index[n] = static_cast<qint32>(out.pos() + 1);
            writeLine(dm, out);
        }
    }
    index[1] = 1;
    index[dm.RecordCount + 1] = static_cast<qint32>(out.pos() + 1);
    out.commitOver(name);

    dm.CloseData();
    dm.CurrentFileName = name;
    dm.ReopenData();
    if (!fixed)
        dm.LineIndex = index;
    return 0;
}

void CopyBook(const QString &source, const QString &target)
{
    const auto channel = StoreFile::make(source);
    QFile &in = *channel;
    if (!in.open(QIODevice::ReadOnly))
        throw RunError(QStringLiteral("ファイルを開けません。(%1)").arg(in.errorString()));
    TempFile out(workFileFor(target, source));
    const qint64 size = in.size();
    qint64 copied = 0;
    while (copied < size) {
        const QByteArray chunk = in.read(qMin<qint64>(1 << 16, size - copied));
        // A read that brings nothing short of the end failed.
        if (chunk.isEmpty())
            throw RunError(QStringLiteral("ファイルを読めません。(%1)").arg(in.errorString()));
        out.write(chunk);
        copied += chunk.size();
    }
    out.commitOver(target);
}

} // namespace Conversion
