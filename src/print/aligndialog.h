#pragma once
// AlignDialog "位置合わせ": what the user measured on the alignment sheet
// becomes the printer's own correction. It names the printer, takes the
// shift in two boxes ("右へ (mm):", "下へ (mm):", -10.0 ... 10.0 in 0.1 mm
// steps, negative to the left / up) and the choice of feeding cards upside
// down, and shows the crosses of the sheet shifted on a small picture of the
// card as the user types. 了解 keeps the values for that printer in the
// program's settings (a box that holds no number of the range is refused
// with a message and keeps the focus); キャンセル changes nothing.
#include "print/alignmentsheet.h"
#include "store/programsettings.h"

#include <QDialog>
#include <QList>
#include <QPointF>
#include <optional>

class DataModule;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The card at half its size with its postal-code boxes and the crosses:
// grey where they are now, blue where the typed shift puts them.
class ShiftPicture : public QWidget {
public:
    static constexpr double Scale = 0.5;
    // `marks` from the printable area, which starts at `printableOrigin`
    // (millimetres from the card's corner).
    ShiftPicture(QWidget *parent, const QPointF &printableOrigin, const QList<AlignmentSheet::Mark> &marks);
    void setShift(const QPointF &shiftMm);
    QPointF shift() const { return shiftMm; }
    // Where a mark's cross is drawn now, in millimetres of the card.
    QPointF crossOnCard(int mark) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPointF origin;
    QList<AlignmentSheet::Mark> crosses;
    QPointF shiftMm;
};

class AlignDialog : public QDialog {
    Q_OBJECT
public:
    AlignDialog(DataModule &dm, const QString &printerName, const QPointF &printableOrigin,
                const QList<AlignmentSheet::Mark> &marks, QWidget *parent = nullptr);

    void Command1_Click(); // 了解
    void Command2_Click(); // キャンセル
    const QString &PrinterName() const { return printer; }

    QLabel *Label1;        // the printer's name
    QLabel *Label2, *Label3; // "右へ (mm):", "下へ (mm):"
    QLineEdit *Text1, *Text2;
    QCheckBox *Check1;     // "葉書を上下逆に給紙する"
    QLabel *Label4;        // how to enter a shift
    ShiftPicture *Picture1;
    QPushButton *Command1, *Command2;

private:
    // Both boxes as a shift, or nothing when either is no number of the range.
    std::optional<QPointF> typedShift() const;
    void showShift();

    DataModule &dm;
    QString printer;
};
