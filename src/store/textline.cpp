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

QString quoteField(const QString &value, QChar delimiter)
{
    const QChar quote = QLatin1Char('"');
    if (!value.contains(delimiter) && !value.contains(quote))
        return value;
    QString quoted = value;
    quoted.replace(quote, QStringLiteral("\"\""));
    return quote + quoted + quote;
}

void DataModule::BuildLine(QChar d)
{
    QString line;
    for (int f = 1; f <= 9; ++f) {
        const QString value = (f == Address1 || f == Address2) ? trimRightBlanks(FieldText[f])
                                                               : trimBlanks(FieldText[f]);
        line += quoteField(value, d);
        line += d;
    }
    // The mark is read back raw to the end of the line, so it is never quoted.
    line += FieldText[Mark];
    LineText = line + NewLine;
}

void DataModule::ReadLineFrom(QIODevice &device)
{
    QByteArray bytes;
    readRawLine(device, bytes);
    LineText = Cp932::decode(bytes);
    LineLength = static_cast<qint16>(qMin<qsizetype>(LineText.size(), 32767));
}

void DataModule::ReadLine()
{
    LineText.clear();
    if (CurrentRecord == -1)
        return;
    if (RecordCount > 0 && DataChannel)
        ReadLineFrom(*DataChannel);
    else
        LineLength = 0;
}

QString DataModule::NextField()
{
    const qint32 length = static_cast<qint32>(LineText.size());
    FieldStart = FieldEnd + 1;
    if (FieldStart > length)
        return QString();
    const qsizetype from = FieldStart - 1;
    const qsizetype quote = LineText.indexOf(QuoteMark, from);
    const qsizetype delimiter = LineText.indexOf(Delimiter, from);
    FieldEnd = delimiter < 0 ? length + 1 : static_cast<qint32>(delimiter + 1);
    if (quote < 0 || quote + 1 >= FieldEnd)
        return LineText.mid(from, FieldEnd - FieldStart);

    QString result;
    bool inside = false;
    for (qsizetype i = from; i < length; ++i) {
        const QChar c = LineText[i];
        if (c == QuoteMark) {
            if (inside) {
                if (i + 1 < length && LineText[i + 1] == QuoteMark) {
                    result += QuoteMark;
                    ++i;
                } else {
                    inside = false;
                }
            } else {
                inside = true;
            }
        } else if (c == Delimiter && !inside) {
            FieldEnd = static_cast<qint32>(i + 1);
            return result;
        } else {
            result += c;
        }
    }
    FieldEnd = length + 1;
    return result;
}

void DataModule::SplitLine()
{
    QuoteMark = QLatin1Char('"');
    FieldEnd = 0;
    for (int f = 1; f <= 9; ++f)
        FieldText[f] = NextField();
    const qint32 length = static_cast<qint32>(LineText.size());
    FieldStart = FieldEnd + 1;
    if (FieldStart > length) {
        FieldText[Mark].clear();
        return;
    }
    FieldEnd = length + 1;
    const QString rest = LineText.mid(FieldStart - 1);
    FieldText[Mark] = rest == QStringLiteral("\r") ? QStringLiteral(" ") : trimBlanks(rest);
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
    const int count = qBound(0, static_cast<int>(Settings.SelectionCount), 20);
    for (int k = 1; k <= count; ++k) {
        const int code = Settings.SelectionOrder[k];
        if (code >= 1 && code <= 10)
            FieldText[code] = NextField();
        else if (code == 11)
            NextField();
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
