#pragma once
// The common dialogs: save a file, choose a font, choose a printer. The
// program shows Qt's; tests install scripted ones (tests/support), which record
// every dialog asked for and answers from a queue, as the scripted message
// boxes do (a dialog nobody expected is cancelled and remembered).
#include <QString>
#include <optional>

class QPrinter;
class QWidget;

struct FontChoice {
    QString name;
    double size = 0;
    bool bold = false;
};

class CommonDialogs {
public:
    virtual ~CommonDialogs() = default;
    // The save dialog with `title`, starting at `proposedPath` (folder and
    // name). It never asks about replacing a file: the caller does. Returns
    // the chosen path, empty when cancelled.
    virtual QString saveFileName(QWidget *parent, const QString &title,
                                 const QString &proposedPath, const QString &filter) = 0;
    // The font dialog, starting at `initial`; nothing when cancelled.
    virtual std::optional<FontChoice> chooseFont(QWidget *parent, const FontChoice &initial) = 0;
    // The printer dialog working on `printer`; false when cancelled.
    virtual bool choosePrinter(QWidget *parent, QPrinter &printer) = 0;
};

class QtCommonDialogs : public CommonDialogs {
public:
    QString saveFileName(QWidget *parent, const QString &title, const QString &proposedPath,
                         const QString &filter) override;
    std::optional<FontChoice> chooseFont(QWidget *parent, const FontChoice &initial) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;
};
