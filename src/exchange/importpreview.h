#pragma once
// ImportPreview — the import preview (他のソフトから読み込み).
// 他のソフトから読み込み: shows what an import will do before anything is
// written: the file's kind, the columns found and the field each goes to
// (changeable per column, or 未使用), the first records as the book will
// hold them, their number, and every value that will be cut or changed.
// 読み込み closes it accepted unless the records exceed the book's limit
// (then it says so and stays open); キャンセル closes it and nothing happens.
// The caller writes the records (ExchangeRun).
#include "exchange/importplan.h"

#include <QDialog>

class DataModule;
class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

// Where the records will go.
struct ImportTarget {
    bool newBook = false; // no book is open: a new fixed-length book is made
    QString name;         // the open book, or the new book's name
    bool fixedLength = true;
};

class ImportPreview : public QDialog {
    Q_OBJECT
public:
    static constexpr int PreviewRows = 20;
    // Columns whose choice box is made at once; the others' when scrolled to.
    static constexpr int EagerChoices = 64;

    ImportPreview(DataModule &dm, ImportPlan plan, ImportTarget target, QWidget *parent = nullptr);
    ~ImportPreview() override;

    const ImportPlan &plan() const { return importPlan; }

    void Form_Load();
    void Form_Unload();
    void Check1_Click();
    // The choice of column `column` changed to combo entry `index` (0 未使用, 1 ... 10 the fields).
    void Combo1_Click(int column, int index);
    void Command1_Click();
    void Command2_Click();

    QLabel *Label1;        // file and kind
    QCheckBox *Check1;     // 1行目は項目名 (CSV only)
    QLabel *Label2;
    QTableWidget *Grid1;   // the columns found
    QLabel *Label3;
    QTableWidget *Grid2;   // the first records as stored
    QLabel *Label4;        // number of records
    QLabel *Label5;        // where they go
    QLabel *Label6;
    QListWidget *List1;    // values cut or changed
    QLabel *Label7;        // the limit, when exceeded
    QPushButton *Command1; // 読み込み
    QPushButton *Command2; // キャンセル

    void done(int result) override;

private:
    void showColumns();
    void showChoices(int first, int count);
    void showChoicesInSight();
    void showRecords();

    DataModule &dm;
    ImportPlan importPlan;
    ImportTarget target;
    bool unloaded = false;
};
