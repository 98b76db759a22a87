#pragma once
// The conversion runs: the open book rewritten in another format (fixed
// length, or text delimited by semicolon, comma or tab), and the exchange
// with text files whose columns follow the user's field selection.
//
// Every file these runs write is written completely into the work file
// "temp.ads" beside it and then renamed over it in one step, so a failure
// never leaves a half-written book behind. Unexpected failures throw RunError:
// a read that fails stops the run with nothing replaced, and the open book is
// not converted or exported when another program changed it since it was
// opened (RequireUnchangedBook).
#include <QChar>
#include <QString>

class DataModule;
class TempFile;
class QWidget;

namespace Conversion {

inline const QString WorkFileName = QStringLiteral("temp.ads");

// Targets of the format conversion: 0 fixed length, 1 ... 3 the delimiter
// codes of the options (semicolon, comma, tab).
constexpr int FixedTarget = 0;
QChar delimiterOf(int target);
// "(ｾﾐｺﾛﾝ)", "(ｺﾝﾏ)", "(ﾀﾌﾞ)".
QString labelOf(int target);

// True when both paths name the same file (resolved to full paths).
bool samePath(const QString &a, const QString &b);
// The work file beside `target`. Throws RunError when that name is one of
// the files the run reads or writes (a book called "temp.ads"), or when
// `target` exists and the user may not write it.
QString workFileFor(const QString &target, const QString &source = QString());

// The open fixed-length book as text lines with the delimiter of `target`;
// LineIndex receives the line starts in the new file. Throws when the result
// would exceed a text book's size.
void FixedToText(DataModule &dm, int target, TempFile &out);
// The open text book as fixed-length records.
void TextToFixed(DataModule &dm, TempFile &out);
// The open text book as text lines with the delimiter of `target`.
void ValTra2(DataModule &dm, int target, TempFile &out);

// Converts the open book into `newPath` in the format `target`. When
// `inPlace`, `newPath` is the open book itself, which then takes the new
// format (DataFormat, DelimiterCode, Delimiter, LineIndex). The open book is
// open again afterwards, also after a failure.
void ConvertBook(DataModule &dm, const QString &newPath, int target, bool inPlace);

// FieldText -> LineText in the order of the field selection, every column
// followed by the delimiter, then CR LF. Empty when no selection is defined.
void BuildSelectionLine(DataModule &dm);
// Every record of the open book, in selection order.
void ExportBySelection(DataModule &dm, TempFile &out);
// Writes the open book (at `source` on disk) in selection order into
// `target`, replacing it.
void ExportBookBySelection(DataModule &dm, const QString &target, const QString &source);

// The first of "KANOTE01.KNO" ... "KANOTE99.KNO" that does not exist in the
// current folder; empty when all 99 exist.
QString NewFileName();
// Reads the text file CurrentFileName in selection order into a new book of
// DataFormat in the current folder, which becomes the open book. 0 success,
// -1 refused (the user was told).
int ImportBySelection(DataModule &dm, QWidget *parent = nullptr);

// Copies the book at `source` byte for byte to `target` (replacing it).
void CopyBook(const QString &source, const QString &target);

} // namespace Conversion
