#pragma once
// Kensaku "検索": the modal dialog in which the user picks one record of the
// open book from the list of all names, or of all ﾌﾘｶﾞﾅ readings, in file
// order (list entry k is record k + 1).
//
// Callers set the caption (setWindowTitle) and preset SearchHit, then
// showModal(). Afterwards SearchHit is 1 with the chosen record in
// CurrentRecord (決定 or a double-click), -1 after 閉じる, and the caller's
// preset after the close box. 決定 is enabled only while an entry is
// selected, so a caller is never handed record 0. Enter in the list chooses
// the marked entry, as a double-click does; Escape is 閉じる.
//
// Typing in the list (keys, or what an input method commits) marks the first
// entry that begins with what has been typed so far, as SearchTyping compares
// them; after a pause of a second typing starts afresh. No entry begins so:
// the mark stays where it was.
#include "edit/formdialog.h"
#include "edit/searchtyping.h"

#include <functional>

class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;

class Kensaku : public FormDialog {
    Q_OBJECT
public:
    Kensaku(DataModule &dm, QWidget *parent);

    void Form_Load();
    // Fills List1 with every record's name (ListByName 1) or reading (0).
    void FillList();
    void Option1_Click();
    void Option2_Click();
    void List1_Click();
    void List1_DblClick();
    // Text typed into the list (a key, or an input method's commit).
    void List1_Typed(const QString &text);
    void Command1_Click(); // 決定
    void Command2_Click(); // 閉じる

    QLabel *Label1;
    QListWidget *List1;
    QGroupBox *Frame1;
    QRadioButton *Option1, *Option2;
    QPushButton *Command1, *Command2;

    qint16 ListByName = 1;

    // The clock of the typing pause, in milliseconds (tests set their own).
    void setClock(std::function<qint64()> msClock) { clock = std::move(msClock); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The selected entry's 0-based index, or -1.
    int selectedEntry() const;
    void fill(const QString &handler);

    TypedPrefix typedSoFar;
    std::function<qint64()> clock;
};
