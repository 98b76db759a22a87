// KANOTE.DAT on a disk that lets it down and in unusual places: a failed
// write is reported and leaves the old file and nothing beside it, a file
// that cannot be read is no first run, and the settings written are always
// the ones the next start reads.
#include "support/faults.h"
#include "support/testenv.h"

#include "store/settingsfile.h"

#include "platform/runerror.h"

#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A 1024-byte settings file that is not what a first run writes.
QByteArray earlierSettings(qint16 sender = 7)
{
    SettingsRecord s;
    SettingsFile::applyFirstRun(s, QStringLiteral("/home/利用者"), QDate(2001, 2, 3), LayoutDefaults::factory());
    s.SenderNumber = sender;
    s.SettingsVersion = SettingsRecord::CurrentVersion;
    return s.toBytes();
}

// The sender number read from `path`, -1 for a first run.
qint16 senderAt(const QString &path)
{
    bool empty = true;
    const SettingsRecord s = SettingsFile::read(path, &empty);
    return empty ? qint16(-1) : s.SenderNumber;
}

ino_t inodeOf(const QString &path)
{
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_ino;
}

} // namespace

class TestSettingsFaults : public QObject {
    Q_OBJECT
private slots:
    void failedWriteKeepsTheOldFile_data();
    void failedWriteKeepsTheOldFile();
    void fileThatCannotBeReadIsNoFirstRun();
    void unusualPlaces();
};

void TestSettingsFaults::failedWriteKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("disk full after 512 bytes") << "full 512";
    QTest::newRow("disk full") << "full 0";
    QTest::newRow("write error") << "write error";
    QTest::newRow("sync error") << "sync error";
    QTest::newRow("close error") << "close error";
}

void TestSettingsFaults::failedWriteKeepsTheOldFile()
{
    QFETCH(QString, fault);
    TestEnv env;
    const QString path = env.path(QStringLiteral("KANOTE.DAT"));
    env.writeFile(QStringLiteral("KANOTE.DAT"), earlierSettings());
    const SettingsRecord next = SettingsRecord::fromBytes(earlierSettings(9));
    {
        FaultInjection faults;
        std::unique_ptr<DiskLimit> full;
        if (fault.startsWith(QLatin1String("full")))
            full = std::make_unique<DiskLimit>(fault.mid(5).toInt());
        else
            faults.inject(SettingsFile::WorkFileName,
                          fault == QLatin1String("write error") ? Fault::writeAfter(100)
                              : fault == QLatin1String("sync error") ? Fault::sync() : Fault::close());
        try {
            SettingsFile::write(path, next);
            QFAIL("the failed write was not reported");
        } catch (const RunError &e) {
            QVERIFY2(e.description().startsWith(QStringLiteral("設定ファイル ")), qPrintable(e.description()));
        }
    }
    QCOMPARE(env.readFile(QStringLiteral("KANOTE.DAT")), earlierSettings());
    QCOMPARE(QDir(env.dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("KANOTE.DAT")});

    // A work file left by a write that was killed goes at the next start.
    env.writeFile(SettingsFile::WorkFileName, QByteArray(3000, 'x'));
    QCOMPARE(senderAt(path), qint16(7));
    QVERIFY(!QFile::exists(env.path(SettingsFile::WorkFileName)));
    SettingsFile::write(path, next);
    QCOMPARE(env.readFile(QStringLiteral("KANOTE.DAT")), next.toBytes());
}

void TestSettingsFaults::fileThatCannotBeReadIsNoFirstRun()
{
    TestEnv env;
    env.writeFile(QStringLiteral("KANOTE.DAT"), earlierSettings());
    FaultInjection faults;
    faults.inject(QStringLiteral("KANOTE.DAT"), Fault::readAt(512));
    QVERIFY_THROWS_EXCEPTION(RunError, senderAt(env.path(QStringLiteral("KANOTE.DAT"))));
    QCOMPARE(faults.struck(), 1);
    QCOMPARE(env.readFile(QStringLiteral("KANOTE.DAT")), earlierSettings());
}

void TestSettingsFaults::unusualPlaces()
{
    if (::geteuid() == 0)
        QSKIP("root may write into any file and folder: run this test as an ordinary user");
    TestEnv env;
    const QString program = env.path(QStringLiteral("bin"));
    const QString config = env.path(QStringLiteral("config"));
    const QString inProgram = program + QStringLiteral("/KANOTE.DAT");
    const QString inConfig = config + QStringLiteral("/KANOTE.DAT");
    QVERIFY(QDir().mkpath(program));
    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto lockedFolder = readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    // Where the next start reads and writes, and a run that writes `sender`.
    auto place = [&] { return SettingsFile::place(program, config); };
    auto runWriting = [&](qint16 sender) {
        SettingsFile::write(place().writePath, SettingsRecord::fromBytes(earlierSettings(sender)));
    };
    using Place = QPair<QString, QString>;
    auto where = [&] { const SettingsFile::Place p = place(); return Place(p.readPath, p.writePath); };

    // A file the user may only read is read; the changes go to the
    // configuration folder, which the next start reads first.
    env.writeFile(QStringLiteral("bin/KANOTE.DAT"), earlierSettings());
    QVERIFY(QFile::setPermissions(inProgram, readOnly));
    QCOMPARE(where(), Place(inProgram, inConfig));
    QCOMPARE(senderAt(inProgram), qint16(7));
    runWriting(8);
    QCOMPARE(env.readFile(QStringLiteral("bin/KANOTE.DAT")), earlierSettings());
    QCOMPARE(where(), Place(inConfig, inConfig));
    QCOMPARE(senderAt(place().readPath), qint16(8));
    QVERIFY(QFile::remove(inConfig));

    // A writable file in a folder that takes no new file: written in place,
    // in one write, and read from there again.
    QVERIFY(QFile::setPermissions(inProgram, readOnly | QFile::WriteOwner));
    QVERIFY(QFile::setPermissions(program, lockedFolder));
    QCOMPARE(where(), Place(inProgram, inProgram));
    const ino_t before = inodeOf(inProgram);
    runWriting(9);
    QCOMPARE(inodeOf(inProgram), before);
    QCOMPARE(senderAt(place().readPath), qint16(9));
    QCOMPARE(QDir(program).entryList(QDir::Files), QStringList{QStringLiteral("KANOTE.DAT")});

    // No file, and a folder that takes none: the configuration folder.
    QVERIFY(QFile::setPermissions(program, lockedFolder | QFile::WriteOwner));
    QVERIFY(QFile::remove(inProgram));
    QVERIFY(QFile::setPermissions(program, lockedFolder));
    QCOMPARE(where(), Place(inConfig, inConfig));
    runWriting(10);
    QCOMPARE(senderAt(place().readPath), qint16(10));

    // The usual case: the program's folder.
    QVERIFY(QFile::setPermissions(program, lockedFolder | QFile::WriteOwner));
    QCOMPARE(where(), Place(inProgram, inProgram));
}

QTEST_MAIN(TestSettingsFaults)
#include "tst_settingsfaults.moc"
