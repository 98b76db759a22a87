#pragma once
// CancelF — the sort's progress window (並び換え).
// The small progress window of 並び換え: two lines of text and a bar that
// fills from left to right as the passes of the sort are done. It has no
// buttons; while it shows, the rest of the program takes no input, so that
// nothing can close or replace the book being sorted.
#include <QDialog>
#include <QElapsedTimer>

class DataModule;
class QLabel;

// The progress bar: a picture whose width is `ScaleWidth` units, filled in
// dark blue from its left edge to `Filled` units.
class ProgressPicture : public QWidget {
public:
    explicit ProgressPicture(QWidget *parent = nullptr) : QWidget(parent) {}
    void setScaleWidth(int units);
    int ScaleWidth() const { return scaleWidth; }
    void fillTo(int units);
    int Filled() const { return filled; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int scaleWidth = 1;
    int filled = 0;
};

class CancelF : public QDialog {
    Q_OBJECT
public:
    CancelF(DataModule &dm, QWidget *parent = nullptr);

    // The picture's scale is set so that its width is RecordCount units.
    void Form_Load();
    // Draws the bar to `done` units; lets pending window events run now and
    // then, so that the window is painted while the sort works.
    void Advance(int done);

    QLabel *Label1;
    QLabel *Label2;
    ProgressPicture *Picture1;

private:
    DataModule &dm;
    QElapsedTimer sinceYield;
};
