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
#include "edit/recordform.h"

class QLabel;
class QPushButton;

class AdrsDinp : public RecordForm {
    Q_OBJECT
public:
    AdrsDinp(DataModule &dm, QWidget *parent);

    void Form_Load();
    // TextN_Change: FieldText[n + 1] = the box's full text.
    void Text_Change(int n) override;
    void Command1_Click(); // 保存して閉じる
    void Command3_Click(); // 保存して次へ
    void Command4_Click(); // 閉じる

    QLabel *Label1, *Label12, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9;
    QLabel *Label10, *Label11, *Label13, *Label14, *Label15;
    QPushButton *Command1, *Command3, *Command4;

protected:
    void Form_Unload() override;

private:
    void buildControls();
    // The name decides whether there is anything to save.
    bool hasName();
    // Appends FieldText; false (the user was told) when nothing was added.
    bool save(const QString &handler);
};
