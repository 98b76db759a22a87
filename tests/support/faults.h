#pragma once
// Disks that let the program down, on demand, for the tests of what it does
// then: the book on disk stays the old one, the shared state matches it, and
// the user is told.
//
// - Fault / FaultInjection: a file that fails like a failing disk does, put
//   in the place of the files the store opens under a name (through
//   StoreFile::setFactory): reads from a byte offset on fail with an I/O
//   error, writes fail once a number of bytes has gone through (the bytes
//   before still reach the file), the sync to disk or the close fails.
// - DiskLimit: a disk that is really full: while it lives, no file of the
//   process can grow past a size (the system's file-size limit; writes
//   beyond it fail with EFBIG after writing what fits). Works as root and as
//   an ordinary user.
// - appendBehindBack: another program adds bytes to a file through a handle
//   of its own.
#include "store/datamodule.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>
#include <sys/resource.h>

struct Fault {
    qint64 readFailsAt = -1;     // reading byte offset >= this fails
    qint64 writeFailsAfter = -1; // this many bytes are written, then every write fails
    bool syncFails = false;
    bool closeFails = false;

    static Fault readAt(qint64 offset) { Fault f; f.readFailsAt = offset; return f; }
    static Fault writeAfter(qint64 bytes) { Fault f; f.writeFailsAfter = bytes; return f; }
    static Fault sync() { Fault f; f.syncFails = true; return f; }
    static Fault close() { Fault f; f.closeFails = true; return f; }
};

class FaultInjection {
public:
    FaultInjection();
    ~FaultInjection();
    FaultInjection(const FaultInjection &) = delete;
    FaultInjection &operator=(const FaultInjection &) = delete;

    // The next `handles` files opened under the name `fileName` (in any
    // folder) get `fault`; -1 gives it to every one.
    void inject(const QString &fileName, const Fault &fault, int handles = 1);
    // How many times an injected fault struck: a test whose fault never
    // struck tested nothing.
    int struck() const;

    struct State;

private:
    std::shared_ptr<State> state;
};

class DiskLimit {
public:
    explicit DiskLimit(qint64 bytes);
    ~DiskLimit();
    DiskLimit(const DiskLimit &) = delete;
    DiskLimit &operator=(const DiskLimit &) = delete;

private:
    rlimit previous{};
    void (*previousHandler)(int) = nullptr;
};

void appendBehindBack(const QString &path, const QByteArray &bytes);

// A book of `count` records in `format` (text: semicolons), a few dozen
// bytes a record: record i is "名前i" with a reading, a postal code and an
// address.
QByteArray sampleBook(qint16 format, int count);
// One record of sampleBook as its fields.
QStringList sampleRecord(int i);

// What the shared state says about the open book; a failure must leave it
// as it was.
struct BookState {
    QString name;
    qint16 format = 0;
    qint16 count = 0;
    QChar delimiter;
    QList<qint32> index; // LineIndex[1 ... count + 1] of a text book
    bool operator==(const BookState &) const = default;
};
BookState stateOf(const DataModule &dm);
char *toString(const BookState &state); // for QCOMPARE
