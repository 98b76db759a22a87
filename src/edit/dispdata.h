#pragma once
// DispData — the record display (データ表示): one record read-only, stepped through with a scroll bar.
// DispData "データ表示": shows one record of the open book read-only and
// steps to the records before and after it with the scroll bar. It never
// writes to the file.
//
// Callers set CurrentRecord (1 ... RecordCount) to the record to show, then
// construct it and showModal(). Stepping does not change CurrentRecord.
#include "edit/formdialog.h"

#include <array>

class QLabel;
class QPushButton;
class QScrollBar;

class DispData : public FormDialog {
    Q_OBJECT
public:
    DispData(DataModule &dm, QWidget *parent);

    void Form_Load();
    // Shows record ShownRecord.
    void ShowRecord();
    // The scroll bar moved (arrow, trough, keyboard, or the thumb dragged).
    void HScroll1_Change();
    void Command3_Click(); // 閉じる

    // Field captions and value labels in field order: Label1, Label12,
    // Label2 ... Label9 and Lab01 ... Lab10.
    std::array<QLabel *, 10> Captions{};
    std::array<QLabel *, 10> Values{};
    QLabel *Lab01, *Lab02, *Lab03, *Lab04, *Lab05, *Lab06, *Lab07, *Lab08, *Lab09, *Lab10;
    QLabel *Label10, *Label11, *Label13;
    QScrollBar *HScroll1;
    QPushButton *Command3;

    qint32 ShownRecord = 0;

protected:
    void Form_Unload() override;
    // Right and Down show the next record, Left and Up the previous one, as
    // the scroll bar's arrows do (a plain scroll bar runs Left / Right the
    // other way).
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void display(const QString &handler);
};
