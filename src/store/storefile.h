#pragma once
// The files the program keeps its data in (the address book, the work files
// of its rewrites, the settings file) are opened as StoreFile, through
// StoreFile::make().
//
// A StoreFile is a QFile with three checked steps added: writeAll() writes
// every byte or fails, syncToDisk() puts what was written on the disk, and
// closeChecked() tells whether closing went well. Files written through it
// are opened with QIODevice::Unbuffered, so a failed write fails at once and
// never later, from a buffer, when nobody looks.
//
// The seam for the tests: StoreFile::setFactory() replaces how files are
// made, so that a test can put a file that fails (a read error, a full disk,
// a sync that fails) in the place of any file the store opens. The program
// itself never sets a factory.
#include <QFile>
#include <QString>
#include <functional>
#include <memory>

class StoreFile : public QFile {
public:
    explicit StoreFile(const QString &path) : QFile(path) {}

    // Writes all of `bytes` at the current position; false when fewer bytes
    // were written, with errorString() saying why.
    bool writeAll(const QByteArray &bytes);
    // Flushes what was written to the disk (fsync); false when it failed.
    virtual bool syncToDisk();
    // Closes the file; false when closing reported an error (what was
    // written may then not be on the disk).
    virtual bool closeChecked();

    using Factory = std::function<std::unique_ptr<StoreFile>(const QString &path)>;
    // A new, unopened file for `path`, made by the factory when one is set.
    static std::unique_ptr<StoreFile> make(const QString &path);
    // Sets the factory (an empty one gives plain files); returns the one
    // it replaces.
    static Factory setFactory(Factory factory);

protected:
    // Records a failure of the file's own making (errorString()).
    void fail(const QString &why) { setErrorString(why); }
};
