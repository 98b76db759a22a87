#include "edit/listrow.h"

#include "store/addressrecord.h"

#include "platform/codec.h"

namespace {

bool isTrailByte(unsigned char b)
{
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

bool isSingleCharacter(unsigned char b)
{
    return (b >= 0x20 && b <= 0x7E) || (b >= 0xA1 && b <= 0xDF);
}

} // namespace

namespace ListRow {

QString cells(const QByteArray &bytes, int count)
{
    QByteArray out;
    out.reserve(count);
    int i = 0;
    while (out.size() < count) {
        if (i >= bytes.size()) {
            out.append(' ');
            continue;
        }
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (Cp932::isLeadByte(b)) {
            const bool whole = i + 1 < bytes.size()
                && isTrailByte(static_cast<unsigned char>(bytes[i + 1]));
            if (whole && out.size() + 2 <= count) {
                out.append(bytes.mid(i, 2));
                i += 2;
            } else {
                // Half a character: a blank in its place.
                out.append(' ');
                i += whole ? 2 : 1;
            }
            continue;
        }
        out.append(isSingleCharacter(b) ? char(b) : ' ');
        ++i;
    }
    return Cp932::decode(out);
}

QString cellsOf(const QString &text, int count)
{
    return cells(Cp932::encode(text), count);
}

int cellCount(const QString &text)
{
    return Cp932::byteLength(text);
}

QString rowText(const AddressRecord &record, const QString &mark)
{
    QString row;
    for (size_t c = 0; c < ColumnField.size(); ++c)
        row += cells(record.fieldBytes(ColumnField[c]), ColumnCells[c]);
    return row + QStringLiteral("　") + mark;
}

QString headingText()
{
    static const std::array<QString, 8> headings = {
        QStringLiteral("ﾌﾘｶﾞﾅ"), QStringLiteral("郵便番号"), QStringLiteral("住所１"),
        QStringLiteral("住所２"), QStringLiteral("電話番号"), QStringLiteral("勤務先"),
        QStringLiteral("役職"), QStringLiteral("勤務先ＴＥＬ")};
    QString line;
    for (size_t c = 0; c < headings.size(); ++c)
        line += cellsOf(headings[c], ColumnCells[c]);
    return line + QStringLiteral("マーク");
}

} // namespace ListRow
