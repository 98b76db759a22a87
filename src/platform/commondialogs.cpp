#include "platform/commondialogs.h"

#include "platform/fonts.h"

#include <QFileDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QPrintDialog>
#include <QPrinter>

QString QtCommonDialogs::saveFileName(QWidget *parent, const QString &title,
                                      const QString &proposedPath, const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, proposedPath, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

std::optional<FontChoice> QtCommonDialogs::chooseFont(QWidget *parent, const FontChoice &initial)
{
    // The dialog lists the installed families: it starts on the one that
    // draws the program's name ("ＭＳ 明朝" is IPAMincho here), and that
    // family chosen again keeps the program's name.
    const QString installed = QFontInfo(Fonts::make(initial.name)).family();
    QFont font = Fonts::make(installed, initial.size > 0 ? initial.size : 9);
    font.setBold(initial.bold);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, parent, QStringLiteral("フォント"));
    if (!ok)
        return std::nullopt;
    const bool sameFamily = chosen.family().compare(installed, Qt::CaseInsensitive) == 0;
    const QString family = sameFamily ? initial.name : chosen.family();
    // The dialog offers whole sizes only: an untouched 10.5 stays 10.5.
    const double size = qRound(initial.size) == chosen.pointSize() ? initial.size : chosen.pointSizeF();
    return FontChoice{family, size, chosen.bold()};
}

bool QtCommonDialogs::choosePrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("プリンタの設定"));
    // Only the printer and its settings are chosen here; what is printed is
    // decided by the command.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialog.exec() == QDialog::Accepted;
}
