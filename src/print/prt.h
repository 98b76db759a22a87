#pragma once
// PRT — the postcard print dialog's progress window, with キャンセル.
// PRT: the small window shown while postcards print. It names the card being
// printed ("[ name ]" above "を印刷中です。"). Its キャンセル (or its close
// box) asks the run to stop after the card being printed; the cards printed
// so far stay printed. The window only records the request: the printing
// loop asks CancelRequested() between cards.
#include <QDialog>

class QLabel;
class QPushButton;

class PRT : public QDialog {
    Q_OBJECT
public:
    explicit PRT(QWidget *parent = nullptr);

    // Centres the window across the screen.
    void Form_Load();
    // キャンセル: the run stops after the current card.
    void Command1_Click();
    bool CancelRequested() const { return cancelRequested; }
    // The run is over: the window closes.
    void Finish();

    QLabel *Label1;
    QLabel *Label2;
    QPushButton *Command1;

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override; // Esc

private:
    bool cancelRequested = false;
    bool finished = false;
};
