#include "store/storefile.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

StoreFile::Factory &factory()
{
    static StoreFile::Factory current;
    return current;
}

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

} // namespace

bool StoreFile::writeAll(const QByteArray &bytes)
{
    errno = 0;
    const qint64 written = write(bytes);
    if (written == bytes.size())
        return true;
    // A write cut short by a full disk returns the part that fitted without
    // an error of its own: the reason is the one the system gave last.
    if (error() == QFileDevice::NoError)
        fail(errno != 0 ? systemError(errno) : QStringLiteral("書き込みが途中で終わりました。"));
    return false;
}

bool StoreFile::syncToDisk()
{
    if (!flush())
        return false;
    if (::fsync(handle()) != 0) {
        fail(systemError(errno));
        return false;
    }
    return true;
}

bool StoreFile::closeChecked()
{
    unsetError();
    close();
    return error() == QFileDevice::NoError;
}

std::unique_ptr<StoreFile> StoreFile::make(const QString &path)
{
    if (factory())
        return factory()(path);
    return std::make_unique<StoreFile>(path);
}

StoreFile::Factory StoreFile::setFactory(Factory replacement)
{
    Factory previous = std::move(factory());
    factory() = std::move(replacement);
    return previous;
}
