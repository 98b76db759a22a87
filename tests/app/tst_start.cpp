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

// The environment of a terminal without any display.
QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    return env;
}

// A command in `bin` that only leaves a note that it ran.
void fakeCommand(const QString &bin, const QString &name, int status = 0)
{
    QFile file(QDir(bin).filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("#!/bin/sh\necho \"$0 $*\" >> \"%1/ran\"\nexit %2\n")
                   .arg(QFileInfo(bin).absolutePath())
                   .arg(status)
                   .toUtf8());
    file.close();
    QVERIFY(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
}

void copyScript(const QString &from, const QString &to)
{
    QVERIFY(QDir().mkpath(QFileInfo(to).absolutePath()));
    QVERIFY(QFile::copy(from, to));
}

} // namespace

class TestStart : public QObject {
    Q_OBJECT
private slots:
    void programWithoutADisplay();
    void runScriptChecksTheDisplayFirst();
    void setupWithoutRootOrSudoNamesThePackages();
};

void TestStart::programWithoutADisplay()
{
    QProcess program;
    program.setProcessEnvironment(withoutDisplay());
    program.start(QStringLiteral(KANOTE_BINARY), QStringList());
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 2);
    QCOMPARE(program.readAllStandardError(), NoDisplay);
}

void TestStart::runScriptChecksTheDisplayFirst()
{
    // run.sh in a folder of its own, whose set-up and build only leave notes.
    QTemporaryDir dir;
    copyScript(QStringLiteral(KANOTE_SOURCE_DIR "/run.sh"), dir.filePath(QStringLiteral("run.sh")));
    const QString bin = dir.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("scripts"))));
    fakeCommand(dir.filePath(QStringLiteral("scripts")), QStringLiteral("setup.sh"));
    fakeCommand(bin, QStringLiteral("cmake"));
    QProcessEnvironment env = withoutDisplay();
    env.insert(QStringLiteral("PATH"), bin + QStringLiteral(":/usr/bin:/bin"));
    QProcess run;
    run.setProcessEnvironment(env);
    run.start(QStringLiteral("/bin/bash"), {dir.filePath(QStringLiteral("run.sh"))});
    QVERIFY(run.waitForFinished(20000));
    QCOMPARE(run.exitCode(), 2);
    QCOMPARE(run.readAllStandardError(), NoDisplay);
    QVERIFY2(!QFile::exists(dir.filePath(QStringLiteral("ran"))), "nothing is set up or built");
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("scripts/ran"))));
}

void TestStart::setupWithoutRootOrSudoNamesThePackages()
{
    // A user (id 1000) on whose machine no package is installed yet and
    // there is no sudo: only the commands the script may use are there.
    QTemporaryDir dir;
    copyScript(QStringLiteral(KANOTE_SOURCE_DIR "/scripts/setup.sh"), dir.filePath(QStringLiteral("scripts/setup.sh")));
    const QString bin = dir.filePath(QStringLiteral("bin"));
    QVERIFY(QDir().mkpath(bin));
    QFile id(QDir(bin).filePath(QStringLiteral("id")));
    QVERIFY(id.open(QIODevice::WriteOnly));
    id.write("#!/bin/sh\necho 1000\n");
    id.close();
    QVERIFY(id.setPermissions(id.permissions() | QFileDevice::ExeOwner));
    fakeCommand(bin, QStringLiteral("dpkg"), 1);
    fakeCommand(bin, QStringLiteral("apt-get"));
    fakeCommand(bin, QStringLiteral("cmake"));
    QVERIFY(QFile::link(QStringLiteral("/usr/bin/dirname"), QDir(bin).filePath(QStringLiteral("dirname"))));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PATH"), bin);
    QProcess setup;
    setup.setProcessEnvironment(env);
    setup.start(QStringLiteral("/bin/bash"), {dir.filePath(QStringLiteral("scripts/setup.sh"))});
    QVERIFY(setup.waitForFinished(20000));
    const QString said = QString::fromUtf8(setup.readAllStandardError());
    QCOMPARE(setup.exitCode(), 1);
    QVERIFY2(!said.contains(QStringLiteral("command not found")), qPrintable(said));
    for (const char *package : {"qt6-base-dev", "qt6-base-dev-tools", "fonts-ipafont-mincho",
                                "fonts-ipafont-gothic", "cmake", "ninja-build", "g++"})
        QVERIFY2(said.contains(QLatin1String(package)), package);
    QVERIFY2(said.contains(QStringLiteral("apt-get install -y qt6-base-dev")), qPrintable(said));
    QVERIFY2(said.contains(QStringLiteral("as root")), qPrintable(said));
    // Nothing was installed or configured.
    QFile ran(dir.filePath(QStringLiteral("ran")));
    QVERIFY(ran.open(QIODevice::ReadOnly));
    const QString calls = QString::fromUtf8(ran.readAll());
    QVERIFY2(!calls.contains(bin + QStringLiteral("/apt-get")) && !calls.contains(bin + QStringLiteral("/cmake")),
             qPrintable(calls));
}

QTEST_GUILESS_MAIN(TestStart)
#include "tst_start.moc"
