#pragma once
// What the entry form (AdrsDinp) and the correction form (CrctData) share:
// the limits and input-method modes of their ten boxes, and the four
// operations of their 編集 menu on the window's active text box.
#include "edit/inputwidth.h"
#include "platform/inputmethodmode.h"

#include <QString>
#include <QValidator>
#include <array>

class QAction;
class QLineEdit;
class QWidget;

// Input-method modes of a box (setImeMode, platform/inputmethodmode.h):
// every mode but Off and Disabled leaves the input method on; the half-width
// katakana and Off boxes turn what comes in into the width the mode gives.
InputWidth inputWidthOf(ImeMode mode);

// Maximum lengths of Text0 ... Text9, counted in CP932 bytes (a full-width
// character counts two, as the record's field widths do); 0 = no limit.
inline constexpr std::array<int, 10> EntryMaxBytes = {30, 16, 8, 40, 40, 13, 40, 40, 13, 0};

// What a box does with typed or pasted text (input-method commits too): it
// drops line breaks (a box holds one line), turns the text into the width
// its input-method mode gives (InputWidth), and keeps only as much of it as
// fits in `limit` CP932 bytes (0: no limit), cut between characters. It
// refuses an edit that brings in a character CP932 cannot hold (it would be
// written as "?", so what the box shows would not be what is stored). A
// value already longer or holding such characters (loaded from a text book)
// is shown whole and may shrink, so nothing stored is ever cut by the box;
// what the user did not type is never changed.
class ByteLimitValidator : public QValidator {
    Q_OBJECT
public:
    ByteLimitValidator(int limit, QLineEdit *box);
    State validate(QString &input, int &pos) const override;
    // The text about to be loaded into the box is taken as it is.
    void allowLoaded(const QString &text) { loaded = text; }
    void setInputWidth(InputWidth width) { inputWidth = width; }

private:
    int limit;
    int current = 0;
    int currentUnheld = 0;
    QString previous; // the box's text before the edit being validated
    QString loaded;
    InputWidth inputWidth = InputWidth::AsTyped;
};
void setMaxBytes(QLineEdit *box, int limit);
// Box `n` (Text0 ... Text9) of the entry and correction forms: its name,
// place (twips, left 1200), byte limit, input-method mode and the width of
// what it takes in.
QLineEdit *makeEntryBox(QWidget *area, int n, int top, int width, int height, ImeMode mode);
// Shows a stored value in a box whole, even one the box would not let the
// user type; the box's limits then hold from that value on.
void loadBoxText(QLineEdit *box, const QString &text);

// The 編集 menu as it opens: on a text box, 切り取り and コピー only with a
// selection, 貼り付け and 削除 always; on anything else all four disabled.
void updateEditMenu(QWidget *active, QAction *cut, QAction *copy, QAction *paste, QAction *del);
// The operations on the active control; they do nothing unless it is a text box.
void EditCut(QWidget *active);    // selection to the clipboard, then removed
void EditCopy(QWidget *active);   // clipboard emptied, then the selection put on it
void EditPaste(QWidget *active);  // the clipboard's text replaces the selection
void EditDelete(QWidget *active); // the selection, or the one character after the caret, removed

// A record number as the forms show it: a blank, then the digits.
inline QString recordNumberText(qint64 n)
{
    return n < 0 ? QString::number(n) : QStringLiteral(" %1").arg(n);
}
