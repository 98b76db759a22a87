#include "platform/singleinstance.h"

#include <QDataStream>
#include <QDir>
#include <QLocalSocket>
#include <QStringList>
#include <unistd.h>

namespace {
constexpr int WaitMs = 3000;
}

SingleInstance::SingleInstance(const QString &basePath)
    : base(basePath), lock(std::make_unique<QLockFile>(basePath + QStringLiteral(".lock")))
{
    lock->setStaleLockTime(0); // stale only when its process is gone
    // Only this user may talk to the running program.
    server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server, &QLocalServer::newConnection, this, &SingleInstance::receive);
}

bool SingleInstance::acquire()
{
    if (!lock->tryLock(0))
        return false;
    // Holding the lock, any socket left there belongs to a copy that is gone.
    QLocalServer::removeServer(socketPath());
    server.listen(socketPath()); // without it the program still runs alone
    return true;
}

bool SingleInstance::handOver(const QString &folder, const QString &commandLine) const
{
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(WaitMs))
        return false;
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << QStringList{folder, commandLine};
    socket.write(message);
    if (!socket.waitForBytesWritten(WaitMs))
        return false;
    socket.disconnectFromServer();
    if (socket.state() != QLocalSocket::UnconnectedState)
        socket.waitForDisconnected(WaitMs);
    return true;
}

void SingleInstance::receive()
{
    while (QLocalSocket *socket = server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The whole message is there when the sender has hung up.
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] {
            QDataStream in(socket->readAll());
            QStringList parts;
            in >> parts;
            if (in.status() == QDataStream::Ok && parts.size() == 2)
                emit handedOver(parts[0], parts[1]);
        });
    }
}

QString SingleInstance::defaultBasePath()
{
    return QDir(QDir::tempPath()).filePath(QStringLiteral("kanote-%1").arg(getuid()));
}
