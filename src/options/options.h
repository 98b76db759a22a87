#pragma once
// Options — the options dialog (オプション).
// Options "オプション": the modal dialog with four pages, chosen by the tab
// labels above them: 区切り文字 (the delimiter of text books, only while no
// book is open), 宛名印刷 (five or seven postal digits, kanji numerals), 一覧印刷
// (the list-print font) and 一覧表示 (no settings yet). 宛名印刷 also chooses
// whether vertical lines use the font's vertical glyphs and whether a long
// vertical line is set tighter instead of refused (kanote.conf).
//
// 了解 stores the choices in memory (the settings among them reach KANOTE.DAT
// when the program ends; the postal digits last until then) and closes;
// 閉じる(&X) closes without changing anything.
//
// The list-print font that 了解 stores is the last one chosen: a pick from
// Combo1 / Combo2, or the font dialog of 設定 (name and size). Label5(0) and
// Label5(1) always show it. A name longer than the 30 bytes the settings
// keep is cut on a character boundary.
#include <QDialog>
#include <QLabel>
#include <array>

class DataModule;
class QComboBox;
class QFrame;
class QPushButton;
class QRadioButton;

// A tab label: a label that is clicked.
class TabLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};

class Options : public QDialog {
    Q_OBJECT
public:
    // `bookOpen`: a book is open (the main window's 新規作成 is disabled).
    Options(DataModule &dm, bool bookOpen, QWidget *parent = nullptr);

    // The delimiter of text lines for a code: 1 ";", 2 ",", 3 tab, any
    // other code ";".
    void SetDelimiter(qint16 code);

    void Form_Load();
    void Label2_Click(int index);
    void Combo1_Click();
    void Combo2_Click();
    void Command3_Click(); // 設定
    void Command1_Click(); // 了解
    void Command2_Click(); // 閉じる

    std::array<TabLabel *, 4> Label2{};
    std::array<QFrame *, 4> Picture1{};
    QLabel *Label1;  // 区切り文字を選択してください。
    QRadioButton *Option1, *Option2, *Option3;
    QLabel *Label3, *Label4; // captions of page 宛名印刷
    QComboBox *Combo6;
    QRadioButton *Option4, *Option5;
    QLabel *Label11;                 // 縦書き用の字形で印刷:
    QRadioButton *Option6, *Option7; // する / しない
    QLabel *Label12;                 // 長い行は詰めて印刷:
    QRadioButton *Option8, *Option9; // する / しない
    QLabel *Label6, *Label7; // captions of page 一覧印刷
    QComboBox *Combo1, *Combo2;
    std::array<QLabel *, 2> Label5{};
    QPushButton *Command3;
    QLabel *Label8, *Label9, *Label10; // captions of page 一覧表示
    QComboBox *Combo3, *Combo4, *Combo5;
    QPushButton *Command1, *Command2;

    static const QStringList FontNames;
    static const QList<double> FontSizes;

    // The page in front (0 ... 3).
    int frontPage() const { return front; }
    // What 了解 will store as the list-print font.
    QString chosenFontName() const { return fontName; }
    double chosenFontSize() const { return fontSize; }

private:
    void buildControls();
    void showFont();

    DataModule &dm;
    bool bookOpen;
    int front = 0;
    QString fontName;
    double fontSize = 0;
};
