#pragma once
// Koumoku — the field selection (項目選択定義): the fields of another program's text file, in column order.
// 項目選択定義: the user builds the field selection, the fields of a text
// file of another program in their column order. The selection lives in the
// settings (SelectionCount, SelectionOrder) and is changed only by 設 定.
#include <QDialog>
#include <array>

class DataModule;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

class Koumoku : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxEntries = 20;
    static constexpr int SkippedItem = 11;
    // The list entries of the item codes 1 ... 11, 16 characters each.
    static const std::array<QString, 12> ItemNames;
    // The item code written at the end of a list entry.
    static int ItemCode(const QString &entry);

    Koumoku(DataModule &dm, QWidget *parent = nullptr);
    ~Koumoku() override;

    void Form_Load();
    void Form_Unload();
    void List1_DblClick();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    QLabel *Label1;
    QLabel *Label2;
    QListWidget *List1;
    QListWidget *List2;
    QPushButton *Command1;
    QPushButton *Command2;
    QPushButton *Command3;
    QPushButton *Command4;

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // False (and the user told) when List2 is full.
    bool roomForEntry();
    void fillList1();

    DataModule &dm;
    bool unloaded = false;
};
