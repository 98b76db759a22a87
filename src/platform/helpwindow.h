#pragma once
// The help window: a modeless window showing "kanote.hlp" with its contents,
// a keyword index and the topics reached by context number.
#include "platform/helpfile.h"
#include "platform/helpsystem.h"

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QListWidget;
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

private:
    void fillIndex(const QString &key);
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
