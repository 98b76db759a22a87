#pragma once
// Files from other programs arrive as UTF-8 (with or without a byte-order
// mark), UTF-16 with a byte-order mark, or CP932. This tells them apart and
// turns their bytes into text.
#include <QByteArray>
#include <QString>

enum class TextEncoding { Utf8, Utf8WithMark, Utf16LE, Utf16BE, Cp932 };

struct DecodedText {
    QString text;
    TextEncoding encoding = TextEncoding::Utf8;
};

namespace TextEncodings {

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing beyond U+10FFFF).
bool isUtf8(const QByteArray &bytes);
// A byte-order mark decides; otherwise well-formed UTF-8 is UTF-8 and
// anything else is CP932.
TextEncoding detect(const QByteArray &bytes);
// The text without its byte-order mark.
DecodedText decode(const QByteArray &bytes);
// UTF-16 input as UTF-8 bytes (without the mark); other input unchanged but
// for a UTF-8 mark, which is dropped.
QByteArray toByteText(const QByteArray &bytes, TextEncoding encoding);
// "UTF-8", "UTF-8（BOM付き）", "UTF-16", "Shift_JIS（CP932）".
QString nameOf(TextEncoding encoding);
// The bytes in a named character set of another program ("UTF-8",
// "SHIFT_JIS", "ISO-8859-1" ...); Shift_JIS is read as CP932, its superset.
// False when the name is not one this program reads.
bool decodeCharset(const QByteArray &bytes, const QByteArray &charset, QString &text);

} // namespace TextEncodings
