#include "store/settingsrecord.h"

#include "platform/codec.h"

#include <QtEndian>
#include <cstring>

namespace {

QString readText(const QByteArray &raw, int offset, int width)
{
    QByteArray bytes = raw.mid(offset, width);
    qsizetype end = bytes.size();
    while (end > 0 && (bytes[end - 1] == ' ' || bytes[end - 1] == '\0'))
        --end;
    bytes.truncate(end);
    return Cp932::decode(bytes);
}

void writeText(QByteArray &raw, int offset, int width, const QString &text)
{
    QByteArray bytes = Cp932::cutBytes(Cp932::encode(text), width);
    bytes.append(QByteArray(width - bytes.size(), ' '));
    raw.replace(offset, width, bytes);
}

qint16 readInt16(const QByteArray &raw, int offset)
{
    return qFromLittleEndian<qint16>(raw.constData() + offset);
}

void writeInt16(QByteArray &raw, int offset, qint16 value)
{
    qToLittleEndian<qint16>(value, raw.data() + offset);
}

float readFloat(const QByteArray &raw, int offset)
{
    const quint32 bits = qFromLittleEndian<quint32>(raw.constData() + offset);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void writeFloat(QByteArray &raw, int offset, float value)
{
    quint32 bits;
    std::memcpy(&bits, &value, sizeof bits);
    qToLittleEndian<quint32>(bits, raw.data() + offset);
}

// The blank texts of an empty record: every text area, reserved ones too.
QByteArray emptyRecord()
{
    QByteArray raw(SettingsRecord::Size, '\0');
    auto blank = [&raw](int offset, int width) { raw.replace(offset, width, QByteArray(width, ' ')); };
    blank(0, 41);
    blank(41, 1);
    blank(98, 10);
    blank(120, 30);
    blank(150, 104);
    blank(416, 600);
    blank(1016, 8);
    return raw;
}

} // namespace

SettingsRecord::SettingsRecord()
    : raw(emptyRecord())
{
}

SettingsRecord SettingsRecord::fromBytes(const QByteArray &bytes)
{
    SettingsRecord s;
    const qsizetype n = qMin<qsizetype>(bytes.size(), Size);
    s.raw.replace(qsizetype(0), n, bytes.constData(), n);
    const QByteArray &r = s.raw;
    s.LastFolder = readText(r, 0, 41);
    s.PrintMark = readText(r, 41, 1);
    s.SenderNumber = readInt16(r, 42);
    s.SavedDataFormat = readInt16(r, 44);
    s.PostalTop = readInt16(r, 46);
    s.PostalLeft = readInt16(r, 48);
    s.HonorificIndex = readInt16(r, 50);
    s.DelimiterCode = readInt16(r, 52);
    s.SelectionCount = readInt16(r, 54);
    for (int i = 0; i < 21; ++i)
        s.SelectionOrder[i] = readInt16(r, 56 + 2 * i);
    s.FirstUseDate = readText(r, 98, 10);
    s.Reserved108 = readInt16(r, 108);
    s.KanjiDigitsOff = readInt16(r, 110);
    s.SettingsVersion = readInt16(r, 112);
    s.PrintOffset = readInt16(r, 114);
    s.ListFontSize = readFloat(r, 116);
    s.ListFontName = readText(r, 120, 30);
    s.DebugMode = readInt16(r, 254);
    for (int i = 0; i < 20; ++i) {
        s.LayoutTop[i] = readInt16(r, 256 + 2 * i);
        s.LayoutLeft[i] = readInt16(r, 296 + 2 * i);
        s.FontSize[i] = readFloat(r, 336 + 4 * i);
        s.FontName[i] = readText(r, 416 + 30 * i, 30);
    }
    return s;
}

QByteArray SettingsRecord::toBytes() const
{
    QByteArray r = raw;
    writeText(r, 0, 41, LastFolder);
    writeText(r, 41, 1, PrintMark);
    writeInt16(r, 42, SenderNumber);
    writeInt16(r, 44, SavedDataFormat);
    writeInt16(r, 46, PostalTop);
    writeInt16(r, 48, PostalLeft);
    writeInt16(r, 50, HonorificIndex);
    writeInt16(r, 52, DelimiterCode);
    writeInt16(r, 54, SelectionCount);
    for (int i = 0; i < 21; ++i)
        writeInt16(r, 56 + 2 * i, SelectionOrder[i]);
    writeText(r, 98, 10, FirstUseDate);
    writeInt16(r, 108, Reserved108);
    writeInt16(r, 110, KanjiDigitsOff);
    writeInt16(r, 112, SettingsVersion);
    writeInt16(r, 114, PrintOffset);
    writeFloat(r, 116, ListFontSize);
    writeText(r, 120, 30, ListFontName);
    writeInt16(r, 254, DebugMode);
    for (int i = 0; i < 20; ++i) {
        writeInt16(r, 256 + 2 * i, LayoutTop[i]);
        writeInt16(r, 296 + 2 * i, LayoutLeft[i]);
        writeFloat(r, 336 + 4 * i, FontSize[i]);
        writeText(r, 416 + 30 * i, 30, FontName[i]);
    }
    return r;
}

QString settingsDateText(const QDate &date)
{
    return date.toString(QStringLiteral("MM-dd-yyyy"));
}

bool isValidSettingsDate(const QString &text)
{
    return QDate::fromString(text.trimmed(), QStringLiteral("MM-dd-yyyy")).isValid()
        || QDate::fromString(text.trimmed(), QStringLiteral("M-d-yyyy")).isValid();
}
