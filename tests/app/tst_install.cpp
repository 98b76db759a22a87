// Installing kanote as a desktop program: `cmake --install` into a temporary
// prefix puts every file where the desktop looks for it, and each passes its
// validator; `cpack -G DEB` makes a Debian package with those files and the
// dependencies a Debian machine needs. Tools that are missing skip their part.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestInstall : public QObject {
    Q_OBJECT
private slots:
    void installsIntoAPrefix();
    void packsADebianPackage();
};

namespace {

struct Ran {
    int status = -1;
    QString out;
};

Ran run(const QString &program, const QStringList &args, const QString &folder = QString())
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, args);
    Ran ran;
    if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit)
        ran.status = process.exitCode();
    ran.out = QString::fromUtf8(process.readAll());
    return ran;
}

const QStringList InstalledFiles = {
    "bin/kanote",
    "share/kanote/kanote.hlp",
    "share/kanote/samples/sample.kno",
    "share/applications/org.kanote.kanote.desktop",
    "share/icons/hicolor/scalable/apps/org.kanote.kanote.svg",
    "share/icons/hicolor/16x16/apps/org.kanote.kanote.png",
    "share/icons/hicolor/48x48/apps/org.kanote.kanote.png",
    "share/icons/hicolor/256x256/apps/org.kanote.kanote.png",
    "share/mime/packages/org.kanote.kanote.xml",
    "share/metainfo/org.kanote.kanote.metainfo.xml",
};

} // namespace

void TestInstall::installsIntoAPrefix()
{
    QTemporaryDir prefix;
    const Ran install = run(QStringLiteral(CMAKE_COMMAND_PATH),
                            {"--install", KANOTE_BUILD_DIR, "--prefix", prefix.path()});
    QVERIFY2(install.status == 0, qPrintable(install.out));
    const QDir root(prefix.path());
    for (const QString &file : InstalledFiles)
        QVERIFY2(QFileInfo::exists(root.filePath(file)), qPrintable(file));
    QVERIFY(QFileInfo(root.filePath("bin/kanote")).isExecutable());
    QCOMPARE(QFileInfo(root.filePath("share/kanote/kanote.hlp")).size(),
             QFileInfo(QStringLiteral(KANOTE_SOURCE_DIR "/resources/kanote.hlp")).size());

    // The installed program answers as the built one does.
    const Ran version = run(root.filePath("bin/kanote"), {"--version"});
    QCOMPARE(version.status, 0);
    QVERIFY2(version.out.startsWith(QStringLiteral("kanote (かのて住所録) ")), qPrintable(version.out));

    // The desktop entry names the program in Japanese and English and opens books.
    QFile desktop(root.filePath("share/applications/org.kanote.kanote.desktop"));
    QVERIFY(desktop.open(QIODevice::ReadOnly));
    const QStringList entry = QString::fromUtf8(desktop.readAll()).split(QLatin1Char('\n'));
    for (const char *line : {"Name[ja]=かのて住所録", "Name=Kanote Address Book", "Exec=kanote %f",
                             "MimeType=application/x-kanote-book;", "Icon=org.kanote.kanote"})
        QVERIFY2(entry.contains(QString::fromUtf8(line)), line);
    QVERIFY(entry.contains(QStringLiteral("Categories=Office;ContactManagement;Qt;")));

    const QString desktopValidate = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    const QString appstream = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
    const QString mimeUpdate = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (!desktopValidate.isEmpty()) {
        const Ran valid = run(desktopValidate, {root.filePath("share/applications/org.kanote.kanote.desktop")});
        QVERIFY2(valid.status == 0 && valid.out.trimmed().isEmpty(), qPrintable(valid.out));
    }
    if (!appstream.isEmpty()) {
        const Ran valid = run(appstream, {"validate", "--no-net", root.filePath("share/metainfo/org.kanote.kanote.metainfo.xml")});
        QVERIFY2(valid.status == 0, qPrintable(valid.out));
    }
    if (!mimeUpdate.isEmpty()) {
        // The MIME database built from the package file knows *.kno.
        const Ran updated = run(mimeUpdate, {root.filePath("share/mime")});
        QVERIFY2(updated.status == 0, qPrintable(updated.out));
        QFile globs(root.filePath("share/mime/globs2"));
        QVERIFY(globs.open(QIODevice::ReadOnly));
        QVERIFY(globs.readAll().contains(":application/x-kanote-book:*.kno"));
        QVERIFY(QFileInfo::exists(root.filePath("share/mime/application/x-kanote-book.xml")));
    }
    if (desktopValidate.isEmpty() || appstream.isEmpty() || mimeUpdate.isEmpty())
        QSKIP("desktop-file-utils, appstream or shared-mime-info missing: their validation was skipped");
}

void TestInstall::packsADebianPackage()
{
    const QString dpkgDeb = QStandardPaths::findExecutable(QStringLiteral("dpkg-deb"));
    if (dpkgDeb.isEmpty())
        QSKIP("dpkg-deb is not installed: the Debian package is not built");
    QTemporaryDir out;
    const Ran pack = run(QStringLiteral(CPACK_COMMAND_PATH),
                         {"-G", "DEB", "--config", KANOTE_BUILD_DIR "/CPackConfig.cmake", "-B", out.path()},
                         out.path());
    QVERIFY2(pack.status == 0, qPrintable(pack.out));
    const QStringList debs = QDir(out.path()).entryList({QStringLiteral("*.deb")}, QDir::Files);
    QCOMPARE(debs.size(), 1);
    const QString deb = QDir(out.path()).filePath(debs[0]);
    QVERIFY2(debs[0].startsWith(QStringLiteral("kanote_1.")), qPrintable(debs[0]));

    auto field = [&](const char *name) {
        const Ran f = run(dpkgDeb, {"--field", deb, name});
        return f.out.trimmed();
    };
    QCOMPARE(field("Package"), QStringLiteral("kanote"));
    const QString depends = field("Depends");
    for (const char *needed : {"libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6printsupport6",
                               "libqt6network6", "qt6-qpa-plugins", "fonts-ipafont-mincho", "fonts-ipafont-gothic"})
        QVERIFY2(depends.contains(QString::fromLatin1(needed)), needed);
    QCOMPARE(field("Recommends"), QStringLiteral("qt6-translations-l10n, poppler-utils, fcitx5-frontend-qt6 | ibus"));

    const Ran contents = run(dpkgDeb, {"--contents", deb});
    QCOMPARE(contents.status, 0);
    for (const QString &file : InstalledFiles)
        QVERIFY2(contents.out.contains(QStringLiteral("./usr/") + file), qPrintable(file));
    QVERIFY(!contents.out.contains(QStringLiteral("./usr/local/")));
}

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
