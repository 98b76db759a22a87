#pragma once
// Every byte on disk is CP932 (Windows-31J); text in memory is QString.
// All conversion between the two happens here.
#include <QByteArray>
#include <QString>

namespace Cp932 {

// Invalid byte sequences decode to U+FFFD, one per bad byte, never a crash.
QString decode(const QByteArray &bytes);
// Characters CP932 cannot hold are written as "?".
QByteArray encode(const QString &text);
// Length of the text in CP932 bytes (a full-width character counts two).
int byteLength(const QString &text);
// True for the first byte of a double-byte CP932 character.
bool isLeadByte(unsigned char byte);
// The longest prefix of `bytes` of at most `width` bytes that does not end
// in the first half of a double-byte character.
QByteArray cutBytes(const QByteArray &bytes, int width);
// The text cut to at most `width` CP932 bytes, never splitting a character.
QString cutText(const QString &text, int width);

} // namespace Cp932
