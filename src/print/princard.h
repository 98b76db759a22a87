#pragma once
// PrinCard — the postcard print dialog (葉書宛名印刷).
// PrinCard "葉書宛名印刷": the modeless window postcards are printed from.
// It shows the current addressee and the sender composed into editable
// boxes; 単印刷 prints one card from the boxes as they stand, 全印刷 one card
// per page for every record but the sender (optionally only those of a
// mark); 印刷ﾌﾟﾚﾋﾞｭｰ shows either before a card is spent (princardpreview.cpp)
// and ﾚｲｱｳﾄ opens the layout view. The honorific, print direction, fonts,
// corrections and the printer are chosen here. While it is open the main window's menus are locked;
// closing it stores the layout values into the settings record.
//
// The window only moves values between its controls and the window-free
// parts beside it: layoutvalues (loading, storing), composition (the
// texts), printtable / printengine (one card) and printall (the run).
#include "print/composition.h"
#include "print/printengine.h"
#include "print/prt.h"

#include "platform/printerchoice.h"
#include "platform/printerdevice.h"

#include <QDialog>
#include <QPointer>
#include <array>
#include <memory>
#include <optional>

class DataModule;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QScrollBar;

class PrinCard : public QDialog {
    Q_OBJECT
public:
    static constexpr int HelpContext = 4009;

    PrinCard(DataModule &dm, QWidget *parent = nullptr);
    ~PrinCard() override;

    void Form_Load();
    // Stores the layout values and unlocks the main menus; runs once.
    void Form_Unload();

    void Command1_Click(); // 単印刷
    void Command2_Click(); // 全印刷
    void Command3_Click(); // 閉じる
    void Command4_Click(); // ﾚｲｱｳﾄ
    void Command5_Click(int index); // font of group 2 ... 5
    void Print_View_Click();  // 印刷ﾌﾟﾚﾋﾞｭｰ
    void Print_Teigi_Click(); // ﾌﾟﾘﾝﾀ定義
    void Print_Sheet_Click(); // 位置合わせ印刷: the alignment sheet
    void Print_Adjust_Click(); // 位置の調整: the printer's own shift and feed
    void Help_Print_Click();  // 使い方
    void HScroll1_Change();   // sender number
    void HScroll2_Change();   // addressee number
    void HScroll3_Change();   // 縦補正値
    void HScroll4_Change();   // 横補正値
    void HScroll5_Change();   // 基準値補正
    void Combo1_Click();      // honorific
    void Check1_Click();      // 連名の敬称をそろえる
    void Option1_Click();     // 縦書き
    void Option2_Click();     // 横書き

    // Loads record CurrentRecord and fills the addressee boxes. Throws
    // RunError when the record cannot be read.
    void ComposeAddressee();
    // Loads the record shown in Label5 and fills the sender boxes (emptied
    // for 0); CurrentRecord is left as it is. Throws RunError.
    void ComposeSender();
    // The group labels from the settings, for the current direction.
    void ShowFontLabels();
    // Tells the user, once, that the sender's record was deleted and cards
    // go out without a sender; run when the dialog first shows.
    void ShowSenderNotice();

    // The card as the boxes hold it now.
    CardTexts BoxTexts() const;
    bool IsPrinting() const { return printing; }
    const QString &Honorific() const { return honorific; }
    const QString &Spacing() const { return spacing; }
    // The progress window of the run in progress (null between runs).
    PRT *ProgressWindow() const { return progress; }

    // ---- controls, under their names ----
    QMenuBar *MenuBar;
    QMenu *Print_;
    QAction *Print_Tan, *Print_All, *Print_View, *Print_A, *Print_Teigi, *Print_Sheet, *Print_Adjust, *Print_B,
        *Print_Quit;
    QMenu *Help;
    QAction *Help_Print;

    QLabel *Label1;
    QPushButton *Command1, *Command2, *Command3, *Command4;
    QLabel *Label3, *Label4, *Label6;
    QScrollBar *HScroll2;
    QLabel *Label2, *Label5;
    QScrollBar *HScroll1;
    std::array<QLabel *, 5> Label13{};     // 0 ... 4
    std::array<QLineEdit *, 8> Text01{};   // 1 ... 7
    QLineEdit *Text06, *Text07, *Text08, *Text09;
    std::array<QLabel *, 5> Label10{};     // 1 ... 4
    QLineEdit *Text10, *Text11, *Text12, *Text13, *Text14;
    std::array<QPushButton *, 6> Command5{}; // 2 ... 5
    std::array<QLabel *, 6> Label11{};       // 2 ... 5: font names
    std::array<QLabel *, 6> Label12{};       // 2 ... 5: font sizes
    QLabel *Label7, *Label9;
    QLineEdit *Text1, *Text2;
    QScrollBar *HScroll3, *HScroll4, *HScroll5;
    QGroupBox *Frame1;
    QRadioButton *Option1, *Option2;
    std::array<QLabel *, 4> Label8{};        // 0 ... 3
    QComboBox *Combo1;
    QCheckBox *Check1; // 連名の敬称をそろえる
    QLineEdit *Text3;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void buildMenus();
    void buildControls();
    void connectControls();
    // The handler's error trap: the trace, then the report.
    void report(const QString &handler, const QString &description);
    void compose(const QString &handler, bool addressee, bool sender);
    // Both corrections as numbers, or a message naming the box and nothing.
    std::optional<CardCorrections> readCorrections();
    // Locks the window's commands while a run lets window events through.
    void setRunning(bool running);
    // A printing run: the progress window shows and the commands are locked
    // from construction until end() or the scope's end, however it is left.
    class RunScope {
    public:
        explicit RunScope(PrinCard &card);
        ~RunScope() { end(); }
        void end();
    private:
        PrinCard &card;
        bool ended = false;
    };
    CompositionChoices choices() const;
    // How vertical lines print: the program's settings and Check1.
    VerticalChoices verticalChoices() const;
    // What the four group labels show: the fonts the card prints in.
    GroupFonts shownGroupFonts() const;
    void showOutOfArea();
    // The printer of this run (the user may still decline a PDF's name:
    // then null), placed as that printer's own correction says, and its
    // document's end: kept, or thrown away.
    PrinterDevice *openPrinter();
    // The printer in use's own correction (kanote.conf) as its placement.
    PagePlacement printerPlacement() const;
    void closePrinter(bool keep);
    // The postcard job: 100 x 148 mm portrait, "葉書宛名.pdf" beside the book.
    PrintJob cardJob() const;

    DataModule &dm;
    QString honorific;
    QString spacing;
    bool printing = false;
    bool shownOnce = false;
    bool unloaded = false;
    QPointer<PRT> progress;
    std::shared_ptr<PrinterDevice> printer; // of the run in progress
};
