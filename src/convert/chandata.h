#pragma once
// ChanData — the conversion run (データ形式の変換): the open book rewritten as fixed-length records or delimited text.
// データ形式の変換: rewrites the open book as fixed-length records or as text
// delimited by semicolon, comma or tab, in place or under a new name, as
// often as the user likes while the dialog is open.
#include <QDialog>
#include <array>

class DataModule;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

class ChanData : public QDialog {
    Q_OBJECT
public:
    ChanData(DataModule &dm, QWidget *parent = nullptr);
    ~ChanData() override;

    void Form_Load();
    void Form_Unload();
    void Command1_Click();
    void Command2_Click();

    QGroupBox *Frame1;
    // 0 固定長, 1 可変長(ｾﾐｺﾛﾝ), 2 可変長(ｺﾝﾏ), 3 可変長(TAB)
    std::array<QRadioButton *, 4> Option1{};
    QLabel *Label1;
    QLineEdit *Text1;
    QLabel *Label2;
    QLabel *Label3;
    QPushButton *Command1;
    QPushButton *Command2;

    void done(int result) override;

private:
    // Enables every button but the open book's own format and selects the
    // most likely target.
    void showFormat();

    DataModule &dm;
    bool unloaded = false;
};
