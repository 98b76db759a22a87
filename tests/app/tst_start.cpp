// Starting as a newcomer does: the program and ./run.sh without a display,
// and the set-up as a user who is not root and has no sudo.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray NoDisplay = QByteArray("kanote は画面 (X11 または Wayland) が必要です。\n")
    + "kanote needs a display (X11 or Wayland).\n";

// Writes an executable shell script; `body` may leave a note in dir/ran.
void script(const QString &path, const QString &body)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("#!/bin/sh\n") + body.toUtf8() + "\n");
    file.close();
    QVERIFY(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
}

// Runs `command` without any display and with PATH = `path`; its status,
// and what it said on stderr in `said`.
int run(const QString &command, const QStringList &args, const QString &path, QByteArray &said)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    if (!path.isEmpty())
        env.insert(QStringLiteral("PATH"), path);
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(command, args);
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    said = process.readAllStandardError();
    return process.exitCode();
}

} // namespace

class TestStart : public QObject {
    Q_OBJECT
private slots:
    void withoutADisplay();
    void setupWithoutRootOrSudoNamesThePackages();
};

// The program and run.sh say the same and end with status 2; run.sh sets
// up and builds nothing first.
void TestStart::withoutADisplay()
{
    QByteArray said;
    QCOMPARE(run(QStringLiteral(KANOTE_BINARY), {}, QString(), said), 2);
    QCOMPARE(said, NoDisplay);

    QTemporaryDir dir;
    QVERIFY(QFile::copy(QStringLiteral(KANOTE_SOURCE_DIR "/run.sh"), dir.filePath(QStringLiteral("run.sh"))));
    const QString note = QStringLiteral("echo \"$0\" >> %1/ran").arg(dir.path());
    script(dir.filePath(QStringLiteral("scripts/setup.sh")), note);
    script(dir.filePath(QStringLiteral("bin/cmake")), note);
    QCOMPARE(run(QStringLiteral("/bin/bash"), {dir.filePath(QStringLiteral("run.sh"))},
                 dir.filePath(QStringLiteral("bin")) + QStringLiteral(":/usr/bin:/bin"), said),
             2);
    QCOMPARE(said, NoDisplay);
    QVERIFY2(!QFile::exists(dir.filePath(QStringLiteral("ran"))), "nothing is set up or built");
}

void TestStart::setupWithoutRootOrSudoNamesThePackages()
{
    // User 1000 on a machine without the packages and without sudo: only
    // the commands the script may use are there, and they leave notes.
    QTemporaryDir dir;
    const QString setup = dir.filePath(QStringLiteral("scripts/setup.sh"));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("scripts"))));
    QVERIFY(QFile::copy(QStringLiteral(KANOTE_SOURCE_DIR "/scripts/setup.sh"), setup));
    const QString bin = dir.filePath(QStringLiteral("bin"));
    const QString note = QStringLiteral("echo \"$0\" >> %1/ran").arg(dir.path());
    script(bin + QStringLiteral("/id"), QStringLiteral("echo 1000"));
    script(bin + QStringLiteral("/dpkg"), QStringLiteral("exit 1"));
    script(bin + QStringLiteral("/apt-get"), note);
    script(bin + QStringLiteral("/cmake"), note);
    QVERIFY(QFile::link(QStringLiteral("/usr/bin/dirname"), bin + QStringLiteral("/dirname")));
    QByteArray bytes;
    QCOMPARE(run(QStringLiteral("/bin/bash"), {setup}, bin, bytes), 1);
    const QString said = QString::fromUtf8(bytes);
    QVERIFY2(!said.contains(QStringLiteral("not found")), qPrintable(said));
    for (const char *package : {"qt6-base-dev", "qt6-base-dev-tools", "fonts-ipafont-mincho",
                                "fonts-ipafont-gothic", "cmake", "ninja-build", "g++"})
        QVERIFY2(said.contains(QLatin1String(package)), package);
    QVERIFY2(said.contains(QStringLiteral("as root")) && said.contains(QStringLiteral("apt-get install -y qt6-base-dev")),
             qPrintable(said));
    QVERIFY2(!QFile::exists(dir.filePath(QStringLiteral("ran"))), "nothing is installed or configured");
}

QTEST_GUILESS_MAIN(TestStart)
#include "tst_start.moc"
