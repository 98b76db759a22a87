#pragma once
// CardView — the layout view (葉書印刷位置設定): the print items moved on a picture of the card.
// CardView "葉書印刷位置設定": the modal window in which the user moves the
// nine print items of the current print direction on a picture of the
// postcard (0.6 of its size) and stores their positions. The picture shows
// the texts the print dialog holds at that moment, in the fonts they print
// in, the addressee's postal digits in the card's printed boxes, and two
// measuring lines ending at the selected item's top-left corner.
//
// Only 保存終了 stores, and only the current direction's nine positions;
// 標準に戻す shows the factory positions without storing them; 閉じる
// stores nothing. A position whose text runs off the card may be stored (the
// user may want it), but while that item is selected the window says
// "印刷範囲外です".
//
// The card's texts are drawn by the print engine itself, on a printer over
// the picture (as the preview draws on its pages): the same glyphs, pitch,
// fitting and joint-name alignment as on paper. The item labels only mark
// where each item lies, for choosing it with the mouse.
//
// The picture shows where the items land on the printer in use: its own
// shift (kept per printer) moves the items and the digits on the picture,
// and the window says so; the positions shown and stored stay the layout's.
//
// The window only moves values between its controls and cardpicture, the
// geometry it shares with the print preview.
#include "print/printengine.h"
#include "print/printtable.h"

#include <QDialog>
#include <QPoint>
#include <QWidget>
#include <array>

class DataModule;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;

// Where one print item lies on the picture: as large as its text prints
// there (at 0.6), so clicking the text chooses the item. It draws nothing
// but a dotted outline while its text is empty (an empty item keeps the room
// of one character, so it can still be found).
class CardItemLabel : public QWidget {
    Q_OBJECT
public:
    explicit CardItemLabel(QWidget *parent);
    // `extentMm`: the room the text takes on the card; `emptyMm`: the room
    // shown for an empty text.
    void setItem(const QString &text, const QSizeF &extentMm, const QSizeF &emptyMm, bool downwards);
    const QString &text() const { return itemText; }
    bool downwards() const { return vertical; }
    // The room the text takes on the card, millimetres.
    QSizeF extentMm() const { return extent; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString itemText;
    bool vertical = false;
    QSizeF extent;
};

class CardView : public QDialog {
    Q_OBJECT
public:
    // `texts` are the print dialog's boxes, `fonts` its four group labels,
    // `choices` how it prints vertical lines.
    CardView(DataModule &dm, const CardTexts &texts, const GroupFonts &fonts,
             const VerticalChoices &choices = {}, QWidget *parent = nullptr);

    // Runs the window modally through the platform's modal runner.
    int showModal();

    void Form_Load();
    void Option1_Click(int item);   // 0 ... 8
    void Label2_Click(int index);   // layout index: 0 ... 8, or 10 ... 18 when horizontal
    void HScroll1_Change();         // 縦
    void HScroll2_Change();         // 横
    void Command1_Click();          // 保存終了
    void Command2_Click();          // 標準に戻す
    void Command3_Click();          // 閉じる

    const std::array<qint16, 20> &WorkTop() const { return workTop; }
    const std::array<qint16, 20> &WorkLeft() const { return workLeft; }
    int SelectedItem() const { return selectedItem; }
    // The print table the picture is drawn with: the fonts as they print,
    // the working positions.
    PrintTable PictureTable() const;
    // Draws the card's texts as the engine prints them onto a card of the
    // picture (the card widget of the current direction, from its paint event).
    void DrawTexts(QWidget &card);

    // ---- controls, under their names ----
    std::array<QWidget *, 2> Picture1{};        // 0 vertical card, 1 horizontal card
    std::array<CardItemLabel *, 20> Label2{};   // 0 ... 8 on card 0, 10 ... 18 on card 1
    std::array<QLabel *, 8> Lab1{};             // 1 ... 7 on card 0
    std::array<QLabel *, 8> Lab2{};             // 1 ... 7 on card 1
    std::array<QFrame *, 2> Line3{};            // horizontal measuring line of each card
    std::array<QFrame *, 2> Line4{};            // upright measuring line of each card
    QWidget *Picture2;
    std::array<QRadioButton *, 9> Option1{};
    QLabel *Label6, *Label3, *Label7, *Label8;
    std::array<QLabel *, 2> Label9{};
    QScrollBar *HScroll1, *HScroll2;
    QPushButton *Command1, *Command2, *Command3;
    // "印刷範囲外です" while the selected item's text runs off the card.
    QLabel *StatusLabel;
    // The printer's own shift the picture includes; hidden when there is none.
    QLabel *ShiftLabel;
    // The printer's shift in tenths of a millimetre (right, down).
    QPoint PrinterShift() const { return shift; }

private:
    void buildControls();
    void buildCard(int direction);
    void connectControls();
    int base() const;
    // The label of a layout index moves to its working position.
    void placeItem(int index);
    // Lines, Label9, the bars and the status follow the selected item.
    void showSelection();
    void showStatus();
    // The item labels take the room their texts print in (a fitted or moved
    // line included) and the picture is drawn again.
    void showItems();
    CardCorrections pictureCorrections() const;

    DataModule &dm;
    CardTexts texts;
    PrintTable fonts; // the font and size of every slot, as they print
    VerticalChoices choices;
    std::array<qint16, 20> workTop{};
    std::array<qint16, 20> workLeft{};
    int selectedItem = 0;
    QPoint shift; // tenths of a millimetre
};
