#pragma once
// Prints one postcard on a PrinterDevice (scaled in millimetres by
// PrepareLayout): the addressee's postal digits, the eight text lines and the
// sender's postal code, vertically (one character under the other) or
// horizontally. Pages and documents are the caller's: the engine never starts,
// ends or throws away a page.
//
// A printed position is the stored value / 10 + PrintOffset millimetres from
// the printable area's top-left corner; the postal digits add the postal-code
// position (縦補正値 / 横補正値) as well.
//
// A vertical card whose lines would run below the printable area is not
// printed at all: every line is measured before anything of the card goes to
// the printer, so a refused card leaves neither a half card nor a lost
// document behind.
//
// Vertical lines stand on a grid of one-em cells. With the choices of
// VerticalChoices the engine also draws each character as vertical text
// draws it (verticalforms.h), sets a line that would run off the card with an
// evenly reduced pitch (never tighter than 0.6 em; the glyphs keep their
// size), stops a sender line 1 mm above the sender's postal code, and moves
// one of two joint-name lines down by whole cells so that both honorifics
// stand level. The texts themselves are never changed.
#include "print/printtable.h"

#include <QPointF>
#include <QString>
#include <array>

class PrinterDevice;

// The texts of one card as the dialog's boxes hold them when it prints.
struct CardTexts {
    std::array<QString, 8> Digits;                  // Text01(1) ... Text01(7); entry 0 unused
    std::array<QString, Layout::ItemCount> Items;   // Text06 ... Text14, in slot order
};

struct CardCorrections {
    double PostalTopMm = 0;  // 縦補正値
    double PostalLeftMm = 0; // 横補正値
    int PrintOffset = 0;     // 基準値補正, whole millimetres
    int PostalDigits = 7;    // 5 or 7 digits printed
};

enum class CardResult { Printed, OutOfArea };

// Vertical printing's choices beyond the layout values. All off: every
// character upright with its horizontal glyph, a long line refused, the
// joint names where they stand.
struct VerticalChoices {
    bool Glyphs = false;          // the font's vertical glyphs, a quarter turn where it has none
    bool FitLongLines = false;    // a long line set tighter instead of refused
    bool AlignJointNames = false; // 連名の敬称をそろえる
    QString Honorific;            // the honorific both name lines end with; blank: なし
};

// Where one vertical line is set, in the printer's millimetres.
struct VerticalLinePlan {
    int Cells = 0;     // characters of the line
    int Lead = 0;      // empty cells before the first character (joint names aligned)
    double Top = 0;    // the line's stored top, offset included
    double Em = 0;     // one cell's height: one em of the line's font
    double Pitch = 0;  // from one character's top to the next one's
    bool Fits = true;  // false: the card is refused
    double firstTop() const { return Top + Lead * Pitch; }
    // The bottom of the last character (the top when the line is empty).
    double bottom() const { return Cells == 0 ? Top : Top + (Lead + Cells - 1) * Pitch + Em; }
};
// Slots 0 ... 7.
using VerticalPlan = std::array<VerticalLinePlan, 8>;

// Where the engine puts the top-left corner of a slot's text, in
// millimetres from the printable area's corner, before the printer's own
// placement: the stored position / 10 + PrintOffset, and for the digit slots
// the postal-code position (縦補正値 / 横補正値) besides. Everything that
// shows where a card prints asks here.
QPointF SlotPlace(const PrintTable &table, const CardCorrections &corrections, int slot);

class PrintEngine {
public:
    PrintEngine(PrinterDevice &printer, const PrintTable &table, const CardCorrections &corrections,
                const VerticalChoices &choices = {});

    // Vertical when `vertical` (縦書き), else horizontal.
    CardResult PrintCard(const CardTexts &card, bool vertical);
    // Refuses (prints nothing, OutOfArea) a card with a line that would run
    // below the printable area; otherwise prints the digits, the eight lines
    // downwards and the sender's postal code across.
    CardResult PrintCardVertical(const CardTexts &card);
    // Everything across, unchecked: text beyond the page is the printer's.
    void PrintCardHorizontal(const CardTexts &card);

    // The digit box's whole text at the digit's place; an empty box prints nothing.
    void PrintDigit(int slot, const QString &text);
    // One character under the other, one em of the slot's font apart (the
    // height of a line of the program's fonts), every character starting at
    // the same x. 0 when printed, -1 (and the
    // rest of the line not printed) at the first character that would end
    // below the printable area. A line that ends exactly on it is printed.
    int PrintVerticalLine(int slot, const QString &text);
    void PrintHorizontalLine(int slot, const QString &text);
    // Whether PrintVerticalLine would print the whole line (nothing printed).
    bool VerticalLineFits(int slot, const QString &text);
    // How far apart the characters of a vertical line of `points` stand, in
    // millimetres (the layout view shows them so).
    static double VerticalPitchMm(double points);
    // Whether PrintCard would print the card (a horizontal card always fits).
    bool CardFits(const CardTexts &card, bool vertical);
    // Where the eight lines of a vertical card are set.
    VerticalPlan PlanVertical(const CardTexts &card);
    // The narrowest pitch a long line is set with, in ems.
    static constexpr double TightestPitch = 0.6;
    // A sender line stops this far above the sender's postal code.
    static constexpr double SenderPostalGapMm = 1.0;

    // The eight lines and the sender's postal code as the card prints them,
    // without the addressee's digits and without refusing anything: a line
    // that would be refused is drawn one em apart, running where it runs
    // (the layout view shows the card as the user arranges it).
    void DrawItems(const CardTexts &card, bool vertical);

private:
    void useFont(int slot);
    VerticalLinePlan planLine(int slot, int cells, int lead, double stopAt);
    // One character of a vertical line in its cell, in the form the choices ask for.
    void printCell(int slot, const QString &c, double y);
    void printPlannedLine(int slot, const QString &text, const VerticalLinePlan &plan);
    double left(int slot) const;
    double top(int slot) const;

    PrinterDevice &printer;
    PrintTable table;
    CardCorrections corrections;
    VerticalChoices choices;
};
