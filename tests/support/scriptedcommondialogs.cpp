#include "support/scriptedcommondialogs.h"

#include <QPrinter>

QString ScriptedCommonDialogs::saveFileName(QWidget *, const QString &title,
                                            const QString &proposedPath, const QString &)
{
    Shown s{Kind::Save, title, proposedPath, {}};
    shown.append(s);
    if (saves.isEmpty()) {
        unexpected.append(s);
        return QString();
    }
    return saves.takeFirst();
}

std::optional<FontChoice> ScriptedCommonDialogs::chooseFont(QWidget *, const FontChoice &initial)
{
    Shown s{Kind::Font, QString(), QString(), initial};
    shown.append(s);
    if (fonts.isEmpty()) {
        unexpected.append(s);
        return std::nullopt;
    }
    return fonts.takeFirst();
}

bool ScriptedCommonDialogs::choosePrinter(QWidget *, QPrinter &printer)
{
    Shown s{Kind::Printer, QString(), QString(), {}};
    shown.append(s);
    if (printers.isEmpty()) {
        unexpected.append(s);
        return false;
    }
    return printers.takeFirst()(printer);
}
