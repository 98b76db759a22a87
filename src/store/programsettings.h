#pragma once
// The program's own settings file, "kanote.conf" (INI) in the user's
// configuration folder: every choice that goes beyond KANOTE.DAT (which stays
// the 1024-byte record it always was). Read at start-up and written when the
// main window closes, like KANOTE.DAT.
// - A missing file, or one that cannot be read or parsed, gives the defaults.
// - A value that is missing or out of range gives that value's default.
// - A write that fails says so (write() returns false); the caller reports it
//   once, and the program goes on.
#include <QMap>
#include <QString>

struct PrinterAdjustment {
    // A fine shift of everything printed on a card, in tenths of a millimetre
    // (right and down positive), on top of the layout's own corrections.
    qint16 ShiftX = 0;
    qint16 ShiftY = 0;
    // The printer feeds cards upside down: every card page is turned by 180°.
    bool UpsideDown = false;

    static constexpr qint16 ShiftLimit = 100; // ±10.0 mm
    bool isDefault() const { return ShiftX == 0 && ShiftY == 0 && !UpsideDown; }
    bool operator==(const PrinterAdjustment &) const = default;
};

class ProgramSettings
{
public:
    // Vertical lines are drawn with the font's vertical glyphs.
    bool VerticalGlyphs = true;
    // A vertical line too long for the card is set tighter instead of refused.
    bool FitLongLines = true;
    // The print dialog's "連名の敬称をそろえる".
    bool AlignJointNames = false;
    // The sender's record was deleted; the print dialog says so once when it
    // next opens (SenderFollow), also after the program was ended meanwhile.
    bool SenderDeletedNotice = false;

    // Per printer (the CUPS queue's name; "PDF" for PDF files).
    PrinterAdjustment adjustment(const QString &printer) const { return Printers.value(printer); }
    void setAdjustment(const QString &printer, const PrinterAdjustment &value);
    const QMap<QString, PrinterAdjustment> &printers() const { return Printers; }

    static inline const QString FileName = QStringLiteral("kanote.conf");
    // configFolder()/kanote.conf
    static QString defaultPath();

    // Reads `path`; anything that cannot be read leaves the defaults.
    static ProgramSettings read(const QString &path);
    // Writes every value to `path` (the folder is made when missing).
    // Returns false when the file could not be written completely.
    bool write(const QString &path) const;

    bool operator==(const ProgramSettings &) const = default;

private:
    QMap<QString, PrinterAdjustment> Printers;
};
