#pragma once
// PostalCheckList — the list of the postal-code check (郵便番号の確認).
// PostalCheckList "郵便番号の確認": the records of the open book whose postal
// code the dictionary does not know, or whose 住所１ does not begin with the
// code's area (postal/postalcheck.h), one row each: record number, name,
// code, 住所１ and the dictionary's address. A double-click on a row (or
// 修正 on the selected row) opens that record in the correction form; when
// the form closes, the row shows the record as it is now, or goes when the
// record is right.
//
// Callers (the main window's 表示 → 郵便番号の確認): run the check, and when it
// found something construct this window with what it found, then
// showModal(). The main window's menus are locked while it is open.
#include "edit/formdialog.h"
#include "postal/postalcheck.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class PostalCheckList : public FormDialog {
    Q_OBJECT
public:
    enum Column { NumberColumn, NameColumn, CodeColumn, AddressColumn, DictionaryColumn };

    PostalCheckList(DataModule &dm, QWidget *parent, const PostalDictionary &dictionary,
                    const QList<PostalProblem> &problems);

    void Form_Load();
    // Opens the record of row `row` in the correction form.
    void List1_DblClick(int row);
    void Command1_Click(); // 修正
    void Command2_Click(); // 閉じる

    // What the dictionary column says for a problem.
    static QString dictionaryText(const PostalProblem &problem);

    QLabel *Label1;
    QTreeWidget *List1;
    QLabel *Label2;
    QPushButton *Command1, *Command2;

protected:
    void Form_Unload() override;

private:
    void showRow(QTreeWidgetItem *item, const PostalProblem &problem);
    void showCount();

    const PostalDictionary &dictionary;
    QList<int> records; // the record number of each row
};
