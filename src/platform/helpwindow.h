#pragma once
// HelpWindow — the help viewer of "kanote.hlp".
// The help window: a modeless window showing "kanote.hlp" with its contents,
// a keyword index and the topics reached by context number. It has no
// owner, so the program's modal windows never block it: it works beside
// them as a help viewer of its own would. Escape closes it. In the keyword
// box, the first keyword that holds the typed text is marked; Enter opens
// its topic, Down goes to the index and opens it; in the index, moving the
// mark opens each topic, Enter and a click open the marked one. A keyword
// of several topics opens a page that links to each of them.
#include "platform/helpfile.h"
#include "platform/helpsystem.h"

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);
    // Loads the file (again if it changed); false with a message shown when it cannot.
    bool openFile(const QString &path);
    void showTopic(const QString &id);
    void showKeywords(const QString &key);

    QTextBrowser *page;
    QLineEdit *keyword;
    QListWidget *index;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillIndex(const QString &key);
    // Opens the topic (or the choice of topics) of an index entry.
    void openEntry(const QListWidgetItem *item);
    void showChoice(const QString &word, const QStringList &ids);
    HelpFile help;
    QString loadedPath;
};

// The program's help system: one help window, opened on request.
class QtHelpSystem : public HelpSystem {
public:
    ~QtHelpSystem() override { delete window; }
    void request(QWidget *owner, const QString &helpFile, int command, int data,
                 const QString &key) override;

private:
    QPointer<HelpWindow> window;
};
