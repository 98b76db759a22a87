#pragma once
// 全印刷: one card per page for every record of the book but the sender,
// optionally only for the records whose mark is the one asked for. The
// window supplies the steps that touch it (composing a record into its boxes,
// showing the name, letting window events run, the cancel button, the
// out-of-area message); the loop decides what is printed and counts it.
//
// A card the engine refuses (a vertical line below the printable area) uses
// no page and is not counted; the run goes on with the next record in the
// same document. Cancel stops the run after the card being printed; a record
// that cannot be read ends the run. Either way the cards printed so far stay.
#include "print/printengine.h"

#include <QString>
#include <QStringList>
#include <functional>

class PrinterDevice;

struct AllPrintJob {
    int RecordCount = 0;
    int SenderNumber = 0; // never printed as an addressee; 0 = no sender
    QString MarkText;     // the mark box as typed: blank = every record
    bool Vertical = true;
};

// One record as the dialog composed it: the card as its boxes now hold it
// (the sender boxes as the user left them), and the record's name and mark.
struct ComposedCard {
    CardTexts Texts;
    QString Name;
    QString Mark; // trailing blanks removed
};

struct AllPrintSteps {
    // Record n is next: the window shows it and lets pending events run.
    std::function<void(int n)> StartRecord;
    // Asked after StartRecord: true stops the run before record n.
    std::function<bool()> CancelRequested;
    // Loads and composes record n; throws RunError when it cannot be read.
    std::function<ComposedCard(int n)> Compose;
    // The card of this name is about to print.
    std::function<void(const QString &name)> Printing;
    // The card of this name was refused by the engine.
    std::function<void(const QString &name)> Refused;
};

struct AllPrintResult {
    int Printed = 0;
    QStringList LeftOut;  // names of the refused cards, in record order
    bool Cancelled = false;
    bool Failed = false;  // a record could not be read
    int FailedRecord = 0;
    QString Error;        // the failure's description
};

// True when the mark box asks for a mark (anything but blanks).
bool filtersByMark(const QString &markText);
// Whether a record of this mark is printed: every record without a filter,
// else only an exact (case-sensitive) match with the box as typed.
bool markSelected(const QString &markText, const QString &recordMark);

// Prints the run into the open document; a new page before every card but
// the first printed. Pages and the document's end are the caller's.
AllPrintResult PrintAll(PrinterDevice &printer, PrintEngine &engine, const AllPrintJob &job,
                        const AllPrintSteps &steps);
