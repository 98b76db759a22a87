// kanote: starts the address book with the file named on the command line, if any.
#include "app/adrsbook.h"
#include "store/datamodule.h"
#include "store/settingsfile.h"

#include "platform/commondialogs.h"
#include "platform/fonts.h"
#include "platform/helpkey.h"
#include "platform/helpwindow.h"
#include "platform/messagebox.h"
#include "platform/modalrunner.h"
#include "platform/printerchoice.h"
#include "platform/singleinstance.h"

#include <QApplication>
#include <QDir>
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

constexpr const char *VersionText = "kanote (かのて住所録) " KANOTE_VERSION "\n";
constexpr const char *HelpText =
    "使い方: kanote [住所録ファイル]\n"
    "Usage: kanote [address book file]\n"
    "\n"
    "かのて住所録: 住所録を作り、葉書に宛名を印刷します。\n"
    "An address book that prints addresses on postcards.\n"
    "\n"
    "  --help     この説明を表示して終わります (show this text and exit)\n"
    "  --version  版を表示して終わります (show the version and exit)\n"
    "\n"
    "既に起動していれば、ファイルはそのウィンドウで開かれます。\n"
    "If kanote is already running, the file is opened in its window.\n";

// --help and --version answer without a display; anything else is the
// file to open.
const char *answerWithoutWindow(int argc, char *argv[])
{
    if (argc != 2)
        return nullptr;
    const QByteArray option(argv[1]);
    if (option == "--version" || option == "-v")
        return VersionText;
    if (option == "--help" || option == "-h")
        return HelpText;
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    if (const char *text = answerWithoutWindow(argc, argv)) {
        std::fputs(text, stdout);
        return 0;
    }
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

    // A second copy hands what it was started with to the running one,
    // which opens the file (or only comes to the front), and ends.
    QStringList args = QApplication::arguments();
    args.removeFirst();
    const QString commandLine = args.join(QLatin1Char(' '));
    SingleInstance instance;
    if (!instance.acquire()) {
        instance.handOver(QDir::currentPath(), commandLine);
        return 0;
    }

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

    // F1 opens the help contents in every window.
    HelpKey helpKey(help, [&data] { return data.HelpFile; });
    app.installEventFilter(&helpKey);

    Adrsbook window(data);
    QObject::connect(&instance, &SingleInstance::handedOver, &window, &Adrsbook::OpenHandedFile);
    window.Form_Load(commandLine);
    window.show();
    return app.exec();
}
