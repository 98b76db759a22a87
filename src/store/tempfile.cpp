#include "store/tempfile.h"

#include "store/storefile.h"

#include "platform/runerror.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>

TempFile::TempFile(const QString &path)
    : file(StoreFile::make(path))
{
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw RunError(QStringLiteral("一時ファイル %1 を作成できません。(%2)")
                           .arg(QFileInfo(path).fileName(), file->errorString()));
}

TempFile::~TempFile()
{
    if (!committed) {
        file->close();
        file->remove();
    }
}

void TempFile::write(const QByteArray &bytes)
{
    if (!file->writeAll(bytes))
        throw RunError(QStringLiteral("一時ファイル %1 に書き込めません。(%2)")
                           .arg(QFileInfo(file->fileName()).fileName(), file->errorString()));
    written += bytes.size();
}

void TempFile::commitOver(const QString &target)
{
    const QString name = QFileInfo(file->fileName()).fileName();
    // A book the user has made read-only stays as it is: the rename would
    // otherwise replace it, since it needs only the folder to be writable.
    const QFileInfo existing(target);
    const auto writeBits = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (existing.exists() && (!existing.isWritable() || !(existing.permissions() & writeBits)))
        throw RunError(QStringLiteral("%1 は読み取り専用のため書き換えられません。").arg(existing.fileName()));
    if (!file->syncToDisk() || !file->closeChecked())
        throw RunError(QStringLiteral("一時ファイル %1 に書き込めません。(%2)").arg(name, file->errorString()));
    const QByteArray from = QFile::encodeName(QFileInfo(file->fileName()).absoluteFilePath());
    // A book reached through a symbolic link is replaced itself; the link stays.
    const QString real = existing.isSymLink() && !existing.canonicalFilePath().isEmpty()
        ? existing.canonicalFilePath() : existing.absoluteFilePath();
    const QByteArray to = QFile::encodeName(real);
    if (std::rename(from.constData(), to.constData()) != 0)
        throw RunError(QStringLiteral("%1 を %2 に置き換えられません。(%3)")
                           .arg(name, QFileInfo(target).fileName(),
                                QString::fromLocal8Bit(std::strerror(errno))));
    committed = true;
}

QString TempFile::path() const
{
    return file->fileName();
}
