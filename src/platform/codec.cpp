#include "platform/codec.h"

#include <iconv.h>
#include <cerrno>
#include <vector>

namespace {

// iconv descriptors are costly to open and carry state, so each thread keeps
// its own pair for the whole run.
struct Converter {
    iconv_t handle;
    Converter(const char *to, const char *from) : handle(iconv_open(to, from)) {}
    ~Converter() { if (handle != reinterpret_cast<iconv_t>(-1)) iconv_close(handle); }
    bool ok() const { return handle != reinterpret_cast<iconv_t>(-1); }
};

Converter &decoder() { thread_local Converter c("UTF-16LE", "CP932"); return c; }
Converter &encoder() { thread_local Converter c("CP932", "UTF-16LE"); return c; }

} // namespace

namespace Cp932 {

bool isLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

QString decode(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return QString();
    Converter &c = decoder();
    if (!c.ok())
        return QString::fromLatin1(bytes);
    iconv(c.handle, nullptr, nullptr, nullptr, nullptr);
    std::vector<char> out(static_cast<size_t>(bytes.size()) * 2 + 8);
    QByteArray in = bytes;
    char *src = in.data();
    size_t srcLeft = static_cast<size_t>(in.size());
    QString result;
    result.reserve(bytes.size());
    while (srcLeft > 0) {
        char *dst = out.data();
        size_t dstLeft = out.size();
        size_t rc = iconv(c.handle, &src, &srcLeft, &dst, &dstLeft);
        result.append(reinterpret_cast<const QChar *>(out.data()),
                      static_cast<qsizetype>((out.size() - dstLeft) / 2));
        if (rc == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (a lead byte cut off at the end): skip one byte.
            result.append(QChar(0xFFFD));
            ++src;
            --srcLeft;
            iconv(c.handle, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return result;
}

QByteArray encode(const QString &text)
{
    if (text.isEmpty())
        return QByteArray();
    Converter &c = encoder();
    if (!c.ok())
        return text.toLatin1();
    iconv(c.handle, nullptr, nullptr, nullptr, nullptr);
    std::vector<char> out(static_cast<size_t>(text.size()) * 2 + 8);
    char *src = const_cast<char *>(reinterpret_cast<const char *>(text.utf16()));
    size_t srcLeft = static_cast<size_t>(text.size()) * 2;
    QByteArray result;
    result.reserve(text.size() * 2);
    while (srcLeft > 0) {
        char *dst = out.data();
        size_t dstLeft = out.size();
        size_t rc = iconv(c.handle, &src, &srcLeft, &dst, &dstLeft);
        result.append(out.data(), static_cast<qsizetype>(out.size() - dstLeft));
        if (rc == static_cast<size_t>(-1)) {
            if (errno == E2BIG)
                continue;
            // A character CP932 cannot hold (or half a surrogate pair).
            result.append('?');
            const char16_t unit = *reinterpret_cast<const char16_t *>(src);
            size_t skip = 2;
            if (QChar::isHighSurrogate(unit) && srcLeft >= 4)
                skip = 4;
            src += skip;
            srcLeft -= skip;
            iconv(c.handle, nullptr, nullptr, nullptr, nullptr);
        }
    }
    return result;
}

int byteLength(const QString &text)
{
    return static_cast<int>(encode(text).size());
}

QByteArray cutBytes(const QByteArray &bytes, int width)
{
    if (width <= 0)
        return QByteArray();
    if (bytes.size() <= width)
        return bytes;
    int pos = 0;
    while (pos < width) {
        const int step = isLeadByte(static_cast<unsigned char>(bytes[pos])) ? 2 : 1;
        if (pos + step > width)
            break;
        pos += step;
    }
    return bytes.left(pos);
}

QString cutText(const QString &text, int width)
{
    const QByteArray bytes = encode(text);
    if (bytes.size() <= width)
        return text;
    return decode(cutBytes(bytes, width));
}

} // namespace Cp932
