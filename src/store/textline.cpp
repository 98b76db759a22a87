// The delimited text line: building it from FieldText, reading it, and
// splitting it in the standard or the user's selection order.
#include "store/datamodule.h"

#include "store/blanks.h"

#include "platform/codec.h"
#include "platform/runerror.h"

#include <QFileDevice>
#include <QFileInfo>
#include <QIODevice>

namespace {

[[noreturn]] void failedLine(const QIODevice &device)
{
    const auto *file = qobject_cast<const QFileDevice *>(&device);
    const QString what = file ? QFileInfo(file->fileName()).fileName() : QStringLiteral("行");
    throw RunError(QStringLiteral("%1 を読めません。(%2)").arg(what, device.errorString()));
}

} // namespace

bool readRawLine(QIODevice &device, QByteArray &line)
{
    line.clear();
    if (device.atEnd())
        return false;
    const qint64 start = device.pos();
    QByteArray chunk = device.readLine();
    // A line read ends with its line feed or at the end of the file; one that
    // ends anywhere else was cut short by a failing read.
    if (!chunk.endsWith('\n') && !device.atEnd())
        failedLine(device);
    // readLine stops after a line feed; a lone carriage return also ends a line.
    const qsizetype cr = chunk.indexOf('\r');
    if (cr >= 0 && !(cr + 1 < chunk.size() && chunk[cr + 1] == '\n')) {
        if (cr + 1 < chunk.size() && !device.seek(start + cr + 1))
            failedLine(device);
        chunk.truncate(cr);
    } else if (chunk.endsWith("\r\n")) {
        chunk.chop(2);
    } else if (chunk.endsWith('\n')) {
        chunk.chop(1);
    }
    line = chunk;
    return true;
}

namespace {

// The parsing and quoting rules, once for the text of a line and once, alike,
// for its CP932 bytes: the quote and the delimiters are single bytes below
// 0x40, which no double-byte character contains, so both split at the same
// places and each byte field reads as the text field.
template <typename Line, typename Char>
Line quoted(const Line &value, Char quote, Char delimiter)
{
    if (!value.contains(delimiter) && !value.contains(quote))
        return value;
    Line inner = value;
    inner.replace(Line(1, quote), Line(2, quote));
    return Line(1, quote) + inner + Line(1, quote);
}

// The field after position `end` (1-based; `start` and `end` as FieldStart
// and FieldEnd), its quotes taken off.
template <typename Line, typename Char>
Line nextField(const Line &line, Char quote, Char delimiter, qint32 &start, qint32 &end)
{
    const qint32 length = static_cast<qint32>(line.size());
    start = end + 1;
    if (start > length)
        return Line();
    const qsizetype from = start - 1;
    const qsizetype quoteAt = line.indexOf(quote, from);
    const qsizetype delimiterAt = line.indexOf(delimiter, from);
    end = delimiterAt < 0 ? length + 1 : static_cast<qint32>(delimiterAt + 1);
    if (quoteAt < 0 || quoteAt + 1 >= end)
        return line.mid(from, end - start);

    Line result;
    bool inside = false;
    for (qsizetype i = from; i < length; ++i) {
        const Char c = line[i];
        if (c == quote) {
            if (inside) {
                if (i + 1 < length && line[i + 1] == quote) {
                    result += quote;
                    ++i;
                } else {
                    inside = false;
                }
            } else {
                inside = true;
            }
        } else if (c == delimiter && !inside) {
            end = static_cast<qint32>(i + 1);
            return result;
        } else {
            result += c;
        }
    }
    end = length + 1;
    return result;
}

// The mark: the rest of the line after the ninth field, blanks trimmed (a
// lone carriage return left by a line end reads as one blank).
template <typename Line, typename Char>
Line markField(const Line &line, qint32 &start, qint32 &end)
{
    const qint32 length = static_cast<qint32>(line.size());
    start = end + 1;
    if (start > length)
        return Line();
    end = length + 1;
    const Line rest = line.mid(start - 1);
    if (rest == Line(1, Char('\r')))
        return Line(1, Char(' '));
    return trimBlanks(rest);
}

char byteOf(QChar c)
{
    return static_cast<char>(c.unicode());
}

} // namespace

QString quoteField(const QString &value, QChar delimiter)
{
    return quoted(value, QChar(u'"'), delimiter);
}

QByteArray quoteField(const QByteArray &value, char delimiter)
{
    return quoted(value, '"', delimiter);
}

void DataModule::BuildLine(QChar d)
{
    QString line;
    QByteArray bytes;
    for (int f = 1; f <= 9; ++f) {
        const bool address = f == Address1 || f == Address2;
        const QString value = address ? trimRightBlanks(FieldText[f]) : trimBlanks(FieldText[f]);
        line += quoteField(value, d);
        line += d;
        bytes += quoteField(FieldOutput(f, address ? Trim::Right : Trim::Both), byteOf(d));
        bytes += byteOf(d);
    }
    // The mark is read back raw to the end of the line, so it is never quoted.
    line += FieldText[Mark];
    bytes += FieldOutput(Mark, Trim::None);
    LineText = line + NewLine;
    LineBytes = bytes + Cp932::encode(NewLine);
}

void DataModule::TakeLine(const QByteArray &bytes)
{
    LineBytes = bytes;
    LineText = Cp932::decode(bytes);
    LineLength = static_cast<qint16>(qMin<qsizetype>(LineText.size(), 32767));
}

void DataModule::ReadLineFrom(QIODevice &device)
{
    QByteArray bytes;
    readRawLine(device, bytes);
    TakeLine(bytes);
}

void DataModule::ReadLine()
{
    LineText.clear();
    LineBytes.clear();
    if (CurrentRecord == -1)
        return;
    if (RecordCount > 0 && DataChannel)
        ReadLineFrom(*DataChannel);
    else
        LineLength = 0;
}

QString DataModule::NextField()
{
    return nextField(LineText, QuoteMark, Delimiter, FieldStart, FieldEnd);
}

namespace {

// Whether the fields of a line need their bytes kept: only when its text,
// written again, would not give the same bytes.
bool bytesDiffer(const QByteArray &bytes, const QString &text)
{
    return Cp932::encode(text) != bytes;
}

} // namespace

void DataModule::KeepStoredLineBytes(const QByteArray &line)
{
    qint32 start = 0;
    qint32 end = 0;
    const char d = byteOf(Delimiter);
    for (int f = 1; f <= 9; ++f)
        FieldBytes[f] = nextField(line, '"', d, start, end);
    FieldBytes[Mark] = markField<QByteArray, char>(line, start, end);
    for (int f = 1; f <= 10; ++f)
        FieldBytesText[f] = Cp932::decode(FieldBytes[f]);
}

void DataModule::SplitLine()
{
    QuoteMark = QLatin1Char('"');
    FieldEnd = 0;
    for (int f = 1; f <= 9; ++f)
        FieldText[f] = NextField();
    FieldText[Mark] = markField<QString, QChar>(LineText, FieldStart, FieldEnd);
    if (bytesDiffer(LineBytes, LineText)) {
        KeepStoredLineBytes(LineBytes);
    } else {
        for (int f = 1; f <= 10; ++f) {
            FieldBytes[f].clear();
            FieldBytesText[f].clear();
        }
    }
}

void DataModule::ParseLine()
{
    ReadLine();
    if (CurrentRecord == -1) {
        FieldText[1].clear();
        return;
    }
    SplitLine();
}

int DataModule::SplitLineBySelection()
{
    if (Settings.SelectionCount == 0) {
        Msg(nullptr, QStringLiteral("標準選択で読み込みます。"));
        return -1;
    }
    QuoteMark = QLatin1Char('"');
    FieldEnd = 0;
    const bool keepBytes = bytesDiffer(LineBytes, LineText);
    qint32 byteStart = 0;
    qint32 byteEnd = 0;
    const int count = qBound(0, static_cast<int>(Settings.SelectionCount), 20);
    for (int k = 1; k <= count; ++k) {
        const int code = Settings.SelectionOrder[k];
        if (code < 1 || code > 11)
            continue;
        const QString text = NextField();
        const QByteArray bytes = keepBytes ? nextField(LineBytes, '"', byteOf(Delimiter), byteStart, byteEnd)
                                           : QByteArray();
        if (code == 11)
            continue;
        FieldText[code] = text;
        FieldBytes[code] = bytes;
        FieldBytesText[code] = keepBytes ? Cp932::decode(bytes) : QString();
    }
    return 0;
}

int DataModule::ParseLineBySelection()
{
    ReadLine();
    if (CurrentRecord == -1)
        return 0;
    return SplitLineBySelection();
}
