#pragma once
// Only one copy of the program runs per user: a lock file in the temporary
// folder, released when the program ends (or found stale after a crash).
//
// The running copy listens on a local socket beside the lock. A second start
// hands it what it was started with (its folder and command line) and ends;
// the running copy announces it (handedOver), brings its window to the
// front and opens the file as a file named on its own command line.
#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `basePath` + ".lock" is the lock, + ".socket" the socket.
    explicit SingleInstance(const QString &basePath = defaultBasePath());
    // True when this is the only running instance (the lock is now held and
    // the socket listens).
    bool acquire();
    // In a second start: gives the running instance `folder` (the start
    // folder, against which a relative name is read) and `commandLine`
    // (empty: nothing to open). False when it could not be reached.
    bool handOver(const QString &folder, const QString &commandLine) const;
    static QString defaultBasePath();
    QString socketPath() const { return base + QStringLiteral(".socket"); }

signals:
    void handedOver(const QString &folder, const QString &commandLine);

private:
    void receive();

    QString base;
    std::unique_ptr<QLockFile> lock;
    QLocalServer server;
};
