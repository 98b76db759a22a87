// kanote: starts the address book with the file named on the command line, if any.
#include "app/adrsbook.h"
#include "store/datamodule.h"
#include "store/settingsfile.h"

#include "platform/commondialogs.h"
#include "platform/fonts.h"
#include "platform/helpwindow.h"
#include "platform/messagebox.h"
#include "platform/modalrunner.h"
#include "platform/printerchoice.h"
#include "platform/singleinstance.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt would abort; say so instead (run.sh says the same
// before it builds anything).
bool displayAvailable()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return true;
    return !qgetenv("DISPLAY").isEmpty() || !qgetenv("WAYLAND_DISPLAY").isEmpty();
}

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fputs("kanote は画面 (X11 または Wayland) が必要です。\n"
                   "kanote needs a display (X11 or Wayland).\n",
                   stderr);
        return 2;
    }
    // A file that may grow no further (a size limit of the system) fails the
    // write, which is reported and undone like a full disk, instead of
    // ending the program with the book half-written.
    std::signal(SIGXFSZ, SIG_IGN);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kanote"));
    QApplication::setOrganizationName(QStringLiteral("kanote"));
    // Qt's own dialogs (save, font, printer) speak Japanese where Qt's
    // translations are installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    // A second copy ends at once, without a word.
    SingleInstance instance;
    if (!instance.acquire())
        return 0;

    Fonts::installSubstitutions();

    QtMessageBoxes boxes;
    QtModalRunner modal;
    QtHelpSystem help;
    QtCommonDialogs dialogs;
    SystemPrinterChoice printers(boxes, dialogs);
    DataModule data(PlatformServices{&boxes, &modal, &help, &dialogs, &printers});
    data.ProgramFolder = QApplication::applicationDirPath();
    const SettingsFile::Place settings = SettingsFile::place(data.ProgramFolder);
    data.SettingsPath = settings.readPath;
    data.SettingsWritePath = settings.writePath;
    data.ConfPath = ProgramSettings::defaultPath();

    Adrsbook window(data);
    QStringList args = QApplication::arguments();
    args.removeFirst();
    window.Form_Load(args.join(QLatin1Char(' ')));
    window.show();
    return app.exec();
}
