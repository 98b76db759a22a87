#pragma once
// The state every window shares while one address book is open, and the
// routines that read it. main() creates one DataModule and hands it to every
// window; a test creates its own. Two DataModules never see each other.
#include "store/addressrecord.h"
#include "store/mainwindowlink.h"
#include "store/settingsfile.h"
#include "store/programsettings.h"
#include "store/settingsrecord.h"

#include "platform/messagebox.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <array>
#include <memory>

class CommonDialogs;
class HelpSystem;
class ModalRunner;
class PrinterChoice;
class QIODevice;
class QWidget;

// The platform services the windows use; main() gives the Qt ones, tests
// give scripted ones.
struct PlatformServices {
    MessageBoxes *Boxes = nullptr;
    ModalRunner *Modal = nullptr;
    HelpSystem *Help = nullptr;
    CommonDialogs *Dialogs = nullptr;  // save, font and printer dialogs
    PrinterChoice *Printers = nullptr; // which printer a print command gets
};

class DataModule {
public:
    static constexpr int MaxFixedRecords = 32767;
    static constexpr int LineIndexSize = 1029;  // entries 0 ... 1028
    static constexpr int MaxTextRecords = 1027; // the last entry marks the end
    static constexpr qint16 FixedLength = -1;
    static constexpr qint16 DelimitedText = 0;

    explicit DataModule(PlatformServices services);
    ~DataModule();

    // ---- shared state, under the names every window knows ----
    AddressRecord RecordBuffer;
    std::array<QString, 11> FieldText; // 1 ... 10 in field order
    qint16 RecordCount = 0;
    qint16 RecordLength = RecordLayout::Length;
    std::unique_ptr<QFile> DataChannel;
    qint32 CurrentRecord = 0;
    QString CurrentFileName = QStringLiteral("*.kno");
    qint16 DataFormat = FixedLength;
    qint16 FileMode = 0;
    qint16 OpenStatus = 0;
    std::array<qint32, LineIndexSize> LineIndex{};
    QString LineText;
    qint16 LineLength = 0;
    qint32 FieldStart = 0; // positions in LineText, 1-based
    qint32 FieldEnd = 0;
    QChar QuoteMark = QLatin1Char('"');
    QChar Delimiter = QLatin1Char(';');
    QString NewLine = QStringLiteral("\r\n");
    qint64 FileLength = 0;
    QDateTime FileDate;
    QString StartFolder;
    QString CommandFile;
    QString CallTrace;
    qint16 MsgAnswer = 0;
    int SavedPointer = 0;
    qint16 SearchHit = 0;
    qint16 PostalDigits = 7;
    qint16 PrintDirection = 0; // postcards: 0 vertical, 1 horizontal (while the print dialog is open)
    SettingsRecord Settings;

    // The bytes behind the texts. LineBytes: the bytes of LineText, as read
    // from the file or as built. FieldBytes[f]: the bytes field f was read
    // from (RecordToFields, ParseLine, ParseLineBySelection), and
    // FieldBytesText[f] the text they read as. A field whose text is still
    // that text is written as those bytes, so a field the user did not
    // change keeps its bytes in every rewrite: bytes CP932 cannot decode,
    // and characters CP932 has two codes for, included. (Empty FieldBytes:
    // the text's own CP932 bytes are the same.)
    QByteArray LineBytes;
    std::array<QByteArray, 11> FieldBytes;
    std::array<QString, 11> FieldBytesText;

    // Derived at start-up.
    QString IchiFnt; // list-print font name
    float IchiFsz = 0; // list-print font size
    LayoutDefaults DefaultLayout = LayoutDefaults::factory();
    QString ProgramFolder;
    QString SettingsPath;      // where KANOTE.DAT is read at start-up
    QString SettingsWritePath; // where it is written at the end; empty: SettingsPath
    // The choices beyond KANOTE.DAT ("kanote.conf"): read at start-up from
    // ConfPath and written back there at the end; an empty path (tests) keeps
    // the defaults and writes nothing.
    ProgramSettings Conf;
    QString ConfPath;
    QString HelpFile;

    PlatformServices Platform;
    MainWindowLink *MainWindow = nullptr;

    // ---- messages ----
    // Shows a box and keeps its answer in MsgAnswer.
    int Msg(QWidget *parent, const QString &text, MsgIcon icon = MsgIcon::None,
            MsgButtons buttons = MsgButtons::Ok, const QString &caption = QString());
    // The report of a run-time error: caption = the handler that caught it.
    // Empties CommandFile and CallTrace afterwards.
    void ErrReport(const QString &caption, const QString &description, QWidget *parent = nullptr);
    // Fixed failure messages, caption "Err Msg". Code 1: no records.
    int ErrMsg(int code, const QString &description = QString(), QWidget *parent = nullptr);
    // Appends " > name" to CallTrace (a routine; handlers use TraceEntry).
    void Trace(const QString &name) { CallTrace += QStringLiteral(" > ") + name; }

    // ---- the record buffer ----
    void ClearRecord() { RecordBuffer.clear(); }
    void FieldsToRecord();
    void RecordToFields();
    void ClearFields();

    enum class Trim { None, Right, Both };
    // The bytes to write for field f, with blanks trimmed as `trim` says:
    // the bytes it was read from while its text is still theirs, else its
    // text in CP932.
    QByteArray FieldOutput(int field, Trim trim) const;
    // The stored fields of a record, or of a text line (split with
    // Delimiter), become the bytes to keep; FieldText is not touched. A
    // change of a stored record calls this with what is on disk.
    void KeepStoredBytes(const AddressRecord &stored);
    void KeepStoredLineBytes(const QByteArray &line);

    // ---- the open data file ----
    // Opens CurrentFileName in DataFormat for FileMode; 0 success, -1 failure
    // (the user was told). Unexpected failures throw RunError.
    int Hyoujun();
    void BuildLineIndex();
    // Closes the data file.
    void CloseData();
    // Opens the data file again under a new handle after a change (a fixed
    // length book for reading and writing, or reading only when that is all
    // the user may do; a text book for reading) and refreshes FileLength and
    // FileDate. Never creates a book: a file that vanished is a RunError.
    void ReopenData();
    // Full path of the open data file (the current folder is its folder).
    QString DataFilePath() const;
    // Reads record n of a fixed-length file into RecordBuffer.
    void ReadRecord(int n);
    // Writes RecordBuffer as record n of a fixed-length file, through a
    // channel of its own, straight to the file and synced to disk before it
    // returns. A RunError means the record may be written in part.
    void WriteRecord(int n);
    // Reads record n of either format into FieldText.
    void LoadRecord(int n);
    // FileLength and FileDate from the file on disk.
    void RefreshFileInfo();
    // The main window's labels after a change: count and date, and the name
    // when `withName`.
    void ShowChange(bool withName);
    // "固定長" or "可変長  " + the delimiter's name.
    QString DataFormatText() const;
    QString FileDateText() const;
    static QString DateTimeText(const QDateTime &when);

    // ---- text lines ----
    void BuildLine(QChar delimiter);
    void BuildLine() { BuildLine(Delimiter); }
    void ReadLine();
    // Reads one line of any file into LineText / LineLength (no gates).
    void ReadLineFrom(QIODevice &device);
    // The line `bytes` (without its line end) as LineBytes, LineText and
    // LineLength, ready for SplitLine.
    void TakeLine(const QByteArray &bytes);
    QString NextField();
    void ParseLine();
    int ParseLineBySelection();
    // The splitting halves of ParseLine / ParseLineBySelection, for a
    // LineText already set.
    void SplitLine();
    int SplitLineBySelection();

    // ---- main window ----
    void LockMainMenus();
    void UnlockMainMenus();
    void SetLabel(MainWindowLink::Label label, const QString &text);
};

// A handler's entry in CallTrace: " > name" stays there while the handler
// runs, so that an error report names the handlers that led to the error.
// When the handler ends without an error, its entry goes again, with those
// of the routines it called: the trace never grows from one command to the
// next. A report (which empties the trace) or a run-time error still on its
// way to the handler that reports it leaves the trace alone.
class TraceEntry {
public:
    TraceEntry(DataModule &dm, const QString &name);
    ~TraceEntry();
    TraceEntry(const TraceEntry &) = delete;
    TraceEntry &operator=(const TraceEntry &) = delete;

private:
    DataModule &dm;
    QString before;
    QString entered;
    int errorsInFlight;
};

// Reads one line from the device's position: the bytes up to CR LF, a lone
// CR or a lone LF (the line end is consumed, not returned). Returns false at
// the end of the device with nothing read. A read that fails, or stops
// before a line end short of the device's end, is a RunError.
bool readRawLine(QIODevice &device, QByteArray &line);
// Quotes a value for a delimited line when it holds the delimiter or a
// double quote (inner quotes doubled); other values are returned unchanged.
QString quoteField(const QString &value, QChar delimiter);
// The same for a value's CP932 bytes.
QByteArray quoteField(const QByteArray &value, char delimiter);
