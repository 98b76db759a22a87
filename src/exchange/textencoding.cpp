#include "exchange/textencoding.h"

#include "platform/codec.h"

#include <QStringDecoder>

namespace TextEncodings {

namespace {

const QByteArray Utf8Mark = QByteArrayLiteral("\xEF\xBB\xBF");

QString decodeUtf16(const QByteArray &bytes, bool littleEndian)
{
    QString text;
    text.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        text += QChar(static_cast<char16_t>(littleEndian ? (b << 8) | a : (a << 8) | b));
    }
    return text;
}

} // namespace

bool isUtf8(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra = 0;
        char32_t code = 0;
        char32_t least = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            extra = 1; code = c & 0x1F; least = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            extra = 2; code = c & 0x0F; least = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3; code = c & 0x07; least = 0x10000;
        } else {
            return false;
        }
        if (i + extra >= n)
            return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char t = p[i + k];
            if ((t & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (t & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

TextEncoding detect(const QByteArray &bytes)
{
    if (bytes.startsWith(Utf8Mark))
        return TextEncoding::Utf8WithMark;
    if (bytes.startsWith("\xFF\xFE"))
        return TextEncoding::Utf16LE;
    if (bytes.startsWith("\xFE\xFF"))
        return TextEncoding::Utf16BE;
    return isUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

DecodedText decode(const QByteArray &bytes)
{
    DecodedText out;
    out.encoding = detect(bytes);
    switch (out.encoding) {
    case TextEncoding::Utf8: out.text = QString::fromUtf8(bytes); break;
    case TextEncoding::Utf8WithMark: out.text = QString::fromUtf8(bytes.mid(3)); break;
    case TextEncoding::Utf16LE: out.text = decodeUtf16(bytes.mid(2), true); break;
    case TextEncoding::Utf16BE: out.text = decodeUtf16(bytes.mid(2), false); break;
    case TextEncoding::Cp932: out.text = Cp932::decode(bytes); break;
    }
    return out;
}

QByteArray toByteText(const QByteArray &bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8WithMark: return bytes.mid(3);
    case TextEncoding::Utf16LE: return decodeUtf16(bytes.mid(2), true).toUtf8();
    case TextEncoding::Utf16BE: return decodeUtf16(bytes.mid(2), false).toUtf8();
    default: return bytes;
    }
}

QString nameOf(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8: return QStringLiteral("UTF-8");
    case TextEncoding::Utf8WithMark: return QStringLiteral("UTF-8（BOM付き）");
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: return QStringLiteral("UTF-16");
    case TextEncoding::Cp932: return QStringLiteral("Shift_JIS（CP932）");
    }
    return QString();
}

bool decodeCharset(const QByteArray &bytes, const QByteArray &charset, QString &text)
{
    const QByteArray name = charset.trimmed().toUpper();
    if (name == "UTF-8" || name == "UTF8") {
        text = QString::fromUtf8(bytes);
        return true;
    }
    if (name == "SHIFT_JIS" || name == "SHIFT-JIS" || name == "SJIS" || name == "X-SJIS"
        || name == "CP932" || name == "WINDOWS-31J" || name == "MS932" || name == "MS_KANJI") {
        text = Cp932::decode(bytes);
        return true;
    }
    if (name == "US-ASCII" || name == "ASCII" || name == "ISO-8859-1" || name == "LATIN1") {
        text = QString::fromLatin1(bytes);
        return true;
    }
    if (auto decoder = QStringDecoder(name.constData()); decoder.isValid()) {
        text = decoder.decode(bytes);
        return !decoder.hasError();
    }
    return false;
}

} // namespace TextEncodings
