#pragma once
// Whole-file rewrites ("Temp.adr", "temp.ads", "asdfghjk.adr"): the new book
// is written completely into a temporary file in the target's folder, every
// write checked, synced to disk and closed (a failed sync or close counts as
// a failed write), then renamed over the target in one step. At every moment
// either the old or the new book is on disk; a failure leaves the target as
// it was and removes the temporary file.
#include <QString>
#include <memory>

class StoreFile;

class TempFile {
public:
    // Creates `path` empty, whatever an earlier run left there. Throws RunError.
    explicit TempFile(const QString &path);
    // Removes the temporary file unless it was committed.
    ~TempFile();
    TempFile(const TempFile &) = delete;
    TempFile &operator=(const TempFile &) = delete;

    // Appends bytes; throws RunError when they cannot be written.
    void write(const QByteArray &bytes);
    // Bytes written so far: the 0-based position of the next write.
    qint64 pos() const { return written; }
    // Flushes, closes and renames the file over `target` (replacing it).
    // Throws RunError; the target is then untouched.
    void commitOver(const QString &target);
    QString path() const;

private:
    std::unique_ptr<StoreFile> file;
    qint64 written = 0;
    bool committed = false;
};
