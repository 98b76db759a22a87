#pragma once
// RecordForm — what the entry and correction forms share: the ten boxes, their menus and edit commands.
// The boxes Text0 ... Text9 with their caption labels, made from a table
// of each form's own design; the データ menu with 閉じる (F9); the 編集 menu
// with 切り取り, コピー, 貼り付け and 削除 acting on the box with the focus;
// the postal-code help on 郵便番号 and 住所１; and, when the form goes, the
// input method left closed and the main window's menus unlocked. Each form
// keeps what differs: its buttons, how it loads and how it saves.
#include "edit/entryform.h"
#include "edit/formdialog.h"

#include <QKeySequence>
#include <array>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class PostalAssist;

// One box of a form's design: its caption label (object name and text), the
// box's top, width and height and the label's top, in twips, and the box's
// input-method mode.
struct RecordBoxDesign {
    const char *label;
    const char *caption;
    int top, width, height, labelTop;
    ImeMode ime;
};

// The 編集 menu of a form: the caption of its 削除 entry, and whether 切り取り,
// コピー and 貼り付け carry Ctrl+X, Ctrl+C and Ctrl+V (削除 always has Del).
struct RecordEditMenuDesign {
    const char *deleteCaption;
    bool clipboardKeys;
};

class RecordForm : public FormDialog {
    Q_OBJECT
public:
    // TextN_Change: box n (0 ... 9) changed.
    virtual void Text_Change(int n) = 0;
    void Menu_End_Click();
    void Menu_Edit_Click(); // the 編集 menu opens
    void Menu_Ed_Kiri_Click();
    void Menu_Ed_Copy_Click();
    void Menu_Ed_Hari_Click();
    void Menu_Ed_Del_Click();

    QLineEdit *Text0, *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9;
    std::array<QLineEdit *, 10> Texts{}; // the same boxes, by number
    QMenu *Menu_Data;
    QAction *Menu_End;
    QMenu *Menu_Edit;
    QAction *Menu_Ed_Kiri, *Menu_Ed_Copy, *Menu_Ed_Hari, *Menu_Ed_Del;
    // The postal-code dictionary on 郵便番号 and 住所１ (its 編集 entries too).
    PostalAssist *Postal = nullptr;

protected:
    RecordForm(DataModule &dm, QWidget *parent);
    // The menus, below the client area's menu bar.
    void buildMenus(const RecordEditMenuDesign &design);
    // The ten boxes, each followed by its caption label (the label the box's
    // buddy, 120 twips from the left), in the client area; the labels in order.
    std::array<QLabel *, 10> buildBoxes(const std::array<RecordBoxDesign, 10> &design);
    // The postal-code help on the boxes and the 編集 menu made above.
    void attachPostal();
    // What every form does as it goes, before its own unloading: the input
    // method is left closed when the main window returns.
    void leaveBoxes();
};
