#pragma once
// The operations that change the open data file: append a record, overwrite
// the current record, delete the current record, for both data formats.
//
// They are free functions on the shared DataModule. Each starts and ends with
// the data file open on DataChannel (reopened after the change, so the change
// is on disk before control returns) and refreshes FileLength and FileDate;
// the caller then updates the main window's labels (DataModule::ShowChange).
//
// Whole-file rewrites (a text book's overwrite, every deletion) write the new
// book completely into "Temp.adr" in the current folder (the book's folder),
// flush it and rename it over the data file in one step. A failure throws
// RunError; the book on disk is then the old one, untouched, and the shared
// state (RecordCount, LineIndex) still describes it. A leftover "Temp.adr"
// from an earlier run is emptied first, so it never contributes bytes.
//
// Nothing is written (RunError) to a book that is missing, that the user may
// not write or that is marked read-only, or that another program changed
// since it was opened (RequireUnchangedBook).
//
// A fixed-length record, and a text book's new line, are written in place
// through a channel of their own that keeps no buffer, synced to disk before
// the operation returns. When a write, its sync or its close fails, the book
// is put back: an appended record or line is cut off again, an overwritten
// record gets its stored bytes back. Then RunError: the book on disk is the
// old one and RecordCount / LineIndex still describe it.
// A book opened through a symbolic link is changed where the link points.
//
// Lines of a text book are always written with CR LF; lines that are only
// copied keep their bytes exactly, and so do the fields of an overwritten
// record whose text was left as stored (bytes CP932 cannot decode included). A value holding a line break is refused
// for a text book (it would split its record over two lines).
#include <QByteArray>
#include <QList>
#include <QString>
#include <array>

class DataModule;

// The whole data file, read at once (RunError when it cannot be read).
QByteArray ReadWholeBook(const DataModule &dm);
// Refuses (RunError "… が他のプログラムで変更されています。…") a book that
// another program changed since it was opened: its size no longer matches
// RecordCount, or for a text book LineIndex. Every change of the book and
// every run that writes out what it reads of the whole book (sort,
// conversions, exports) checks this first, so that a record another program
// added is never dropped or written over. `path` names the book when
// the current folder is not its folder (the file dialog moves it).
void RequireUnchangedBook(const DataModule &dm, const QString &path = QString());
// ReadWholeBook for a whole-file rewrite, refused as above; for a text book
// every line of LineIndex must also still begin where the index says.
QByteArray ReadUnchangedBook(const DataModule &dm);
// The line of a text book that starts at the 1-based byte position `start`,
// without its line end (CR LF, a lone CR or a lone LF), as the line reader
// reads it.
QByteArray LineAt(const QByteArray &book, qint64 start);

// The name of the temporary file of the rewrites.
inline const QString RewriteTempName = QStringLiteral("Temp.adr");

// Empty when one more record fits into the open book; otherwise the message
// that refuses the addition (32767 records in a fixed-length book, 1027 lines
// in a text book).
QString AppendLimitText(const DataModule &dm);

// Appends FieldText as record RecordCount + 1; RecordCount grows by one and
// RecordBuffer is left blank. Existing records keep their numbers and, in a
// text book, their byte positions; a last line without a line end gets one
// before the new line is added. Refused (RunError with AppendLimitText) at
// the limits, with nothing written.
void AppendRecord(DataModule &dm);

// Replaces record CurrentRecord by FieldText. A fixed-length book is written
// in place; a text book is rewritten through "Temp.adr" and LineIndex follows
// the new line lengths.
void OverwriteRecord(DataModule &dm);

// Removes record CurrentRecord of a fixed-length book: every other record is
// copied, in order, into "Temp.adr", which then replaces the book.
// RecordCount shrinks by one; CurrentRecord is left to the caller. The
// sender's number follows its record (SenderFollow), in both formats.
void DeleteRecord(DataModule &dm);

// Removes line CurrentRecord of a text book through "Temp.adr"; RecordCount
// shrinks by one and LineIndex describes the new file.
void DeleteLine(DataModule &dm);

// DeleteRecord or DeleteLine, by the open book's format.
void DeleteCurrent(DataModule &dm);

// ---- several records at once (the import from other programs) ----

// The ten values of one record, index 1 ... 10 (like FieldText).
using RecordValues = std::array<QString, 11>;

// Empty when `count` more records fit into the open book; otherwise the
// message that refuses them (32767 records in a fixed-length book, 1027
// lines in a text book).
QString AppendRecordsLimitText(const DataModule &dm, int count);

// Appends the records after the last one, all or none: the whole new book
// (the old bytes as they are, then the new records) is written into
// "Temp.adr" and renamed over the book. RecordCount grows by their number and,
// for a text book, LineIndex describes the new file. Refused (RunError, with
// nothing written) at the limits and for a text record holding a line break.
void AppendRecords(DataModule &dm, const QList<RecordValues> &records);
