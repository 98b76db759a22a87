#pragma once
// What the postal-code dictionary does in the entry and correction forms,
// on their 郵便番号 (code) and 住所１ (address) boxes:
//
// - Leaving the code box: when the user typed into it since the record was
//   loaded (or the boxes were emptied), it holds a 7-digit code ("1000001"
//   or "100-0001") and 住所１ is empty, 住所１ gets the code's 都道府県 +
//   市区町村 + 町域 (full-width) and the code box "100-0001". When the code
//   covers several areas a small list offers them (PostalChoice); Esc there
//   leaves 住所１ empty. Nothing else happens on leaving: no message.
// - "郵便番号から住所(&Z)" (F8), in the form's 編集 menu: the same on demand,
//   telling the user what is wrong, and asking before a 住所１ that is not
//   empty is replaced.
// - "住所から郵便番号(&Y)" (F7): the code of the longest 都道府県 + 市区町村 +
//   町域 (or 市区町村 + 町域) that begins 住所１, written "NNN-NNNN" into the
//   code box, asking before a code that is not empty is replaced; a choice
//   when the name has several codes.
// Nothing changes a box unless the user typed the code or chose a command.
// A filled 住所１ has the caret at the end of its new text and nothing
// selected, also when the focus comes to it right after the fill (Tab from
// the code box would otherwise select it all): the next key adds to the
// address instead of replacing it.
//
// An address longer than 住所１ holds (40 bytes) is written without its
// 都道府県, which the check of the book accepts as well; a building's name
// that still does not fit is left out (the town it stands in is written).
//
// A form makes one, after its boxes and menus, and calls forgetTyping()
// whenever it loads a record or empties its boxes.
#include <QObject>
#include <QString>

class DataModule;
class FormDialog;
class QAction;
class QLineEdit;
class QMenu;
struct PostalArea;

class PostalAssist : public QObject {
    Q_OBJECT
public:
    PostalAssist(DataModule &dm, FormDialog *form, QLineEdit *code, QLineEdit *address,
                 QMenu *editMenu);

    void Menu_Ed_Zip_Click();   // 郵便番号から住所 (F8)
    void Menu_Ed_Jusho_Click(); // 住所から郵便番号 (F7)
    // The code box loses the focus.
    void Text2_LostFocus(Qt::FocusReason reason);

    // The user has not typed into the code box since now.
    void forgetTyping()
    {
        typed = false;
        caretToEnd = false;
    }
    bool userTyped() const { return typed; }
    // Off in a window that never stores what its boxes hold (deletion).
    void setEnabled(bool on);

    QAction *Menu_Ed_Zip;
    QAction *Menu_Ed_Jusho;

    // What 住所１ gets for an area: 都道府県 + 市区町村 + 町域, or what of it
    // fits the box's 40 bytes (see above).
    static QString addressFor(const PostalArea &area);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The list of several areas after leaving the box, once the focus has
    // settled; skipped when the boxes changed meanwhile or the form closed.
    void offerAreas(int code, const QString &codeText);
    // The 0-based entry the user chose in a PostalChoice, or -1.
    int choose(const QString &caption, const QString &prompt, const QStringList &entries);
    void fill(int code, const PostalArea &area);

    DataModule &dm;
    FormDialog *form;
    QLineEdit *codeBox;
    QLineEdit *addressBox;
    bool typed = false;
    bool enabled = true;
    // 住所１ was filled: its next focus-in leaves the caret at the end.
    bool caretToEnd = false;
    // That focus-in is being handled: the selection it makes is undone.
    bool undoFocusSelection = false;
};
