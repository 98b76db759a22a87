#pragma once
// AdrsDinp — the entry form (データ入力): new records typed in and appended to the book.
// AdrsDinp "データ入力": the modal window in which the user types new
// address records. Each save appends one record to the open book (either
// format) and refreshes the main window's count and date.
//
// Callers (the main window's 追加, the list view's 追加): construct it, then
// showModal(). Loading (centring, empty boxes, the next record number,
// locking the main window's menus) happens in the constructor; the menus are
// unlocked when it closes, by any route.
#include "edit/formdialog.h"

#include <array>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class PostalAssist;

class AdrsDinp : public FormDialog {
    Q_OBJECT
public:
    AdrsDinp(DataModule &dm, QWidget *parent);

    void Form_Load();
    // TextN_Change: FieldText[n + 1] = the box's full text.
    void Text_Change(int n);
    void Command1_Click(); // 保存して閉じる
    void Command3_Click(); // 保存して次へ
    void Command4_Click(); // 閉じる
    void Menu_End_Click();
    void Menu_Edit_Click(); // the 編集 menu opens
    void Menu_Ed_Kiri_Click();
    void Menu_Ed_Copy_Click();
    void Menu_Ed_Hari_Click();
    void Menu_Ed_Del_Click();

    QLineEdit *Text0, *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9;
    std::array<QLineEdit *, 10> Texts{}; // the same boxes, by number
    QLabel *Label1, *Label12, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9;
    QLabel *Label10, *Label11, *Label13, *Label14, *Label15;
    QPushButton *Command1, *Command3, *Command4;
    QMenu *Menu_Data;
    QAction *Menu_End;
    QMenu *Menu_Edit;
    QAction *Menu_Ed_Kiri, *Menu_Ed_Copy, *Menu_Ed_Hari, *Menu_Ed_Del;
    // The postal-code dictionary on 郵便番号 and 住所１ (its 編集 entries too).
    PostalAssist *Postal = nullptr;

protected:
    void Form_Unload() override;

private:
    void buildControls();
    void buildMenus();
    // The name decides whether there is anything to save.
    bool hasName();
    // Appends FieldText; false (the user was told) when nothing was added.
    bool save(const QString &handler);
};
