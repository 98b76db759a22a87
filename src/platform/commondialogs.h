#pragma once
// The common dialogs: save a file, choose a font, choose a printer. The
// program shows Qt's; tests install ScriptedCommonDialogs, which records
// every dialog asked for and answers from a queue, as the scripted message
// boxes do (a dialog nobody expected is cancelled and remembered).
#include <QList>
#include <QString>
#include <functional>
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

class ScriptedCommonDialogs : public CommonDialogs {
public:
    enum class Kind { Save, Font, Printer };
    struct Shown {
        Kind kind;
        QString title;        // save dialog
        QString proposedPath; // save dialog
        FontChoice initial;   // font dialog
    };

    // The next save dialog answers `path` (empty: cancel).
    void answerSave(const QString &path) { saves.append(path); }
    // The next font dialog answers the font (nothing: cancel).
    void answerFont(std::optional<FontChoice> font) { fonts.append(std::move(font)); }
    // The next printer dialog runs `choose` on the printer and answers what
    // it returns (false: cancel).
    void answerPrinter(std::function<bool(QPrinter &)> choose) { printers.append(std::move(choose)); }

    QList<Shown> shown;
    QList<Shown> unexpected;
    int pending() const { return int(saves.size() + fonts.size() + printers.size()); }

    QString saveFileName(QWidget *parent, const QString &title, const QString &proposedPath,
                         const QString &filter) override;
    std::optional<FontChoice> chooseFont(QWidget *parent, const FontChoice &initial) override;
    bool choosePrinter(QWidget *parent, QPrinter &printer) override;

private:
    QList<QString> saves;
    QList<std::optional<FontChoice>> fonts;
    QList<std::function<bool(QPrinter &)>> printers;
};
