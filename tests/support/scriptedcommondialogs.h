#pragma once
// The common dialogs of a test: every dialog asked for is recorded and
// answered from a queue, as the scripted message boxes do; a dialog nobody
// expected is cancelled and remembered.
#include "platform/commondialogs.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

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
