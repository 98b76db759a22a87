// The main window's commands on a disk that lets them down: the sort keeps
// the old book when it cannot read, write or trust it, the settings file
// that cannot be read or written is reported and kept, and the hourglass
// never stays on.
#include "support/faults.h"
#include "support/testenv.h"

#include "app/adrsbook.h"
#include "app/furiganasort.h"

#include "platform/codec.h"
#include "platform/runerror.h"

#include <QGuiApplication>
#include <QtTest>

namespace {

QString bookName(qint16 format)
{
    return format == DataModule::FixedLength ? QStringLiteral("a.kno") : QStringLiteral("a.txt");
}

// Five records in descending order of their readings, so that a sort
// changes every position but one.
QByteArray reversedBook(qint16 format)
{
    QByteArray book;
    for (int i = 5; i >= 1; --i)
        book += format == DataModule::FixedLength
            ? TestEnv::record(sampleRecord(i))
            : TestEnv::line(sampleRecord(i).join(QLatin1Char(';')) + QStringLiteral(";;;;;;"));
    return book;
}

std::unique_ptr<Adrsbook> start(TestEnv &env)
{
    auto window = std::make_unique<Adrsbook>(*env.dm);
    env.dm->MainWindow = window.get();
    window->Form_Load(QString());
    return window;
}

QByteArray earlierSettings(TestEnv &env)
{
    SettingsRecord s;
    SettingsFile::applyFirstRun(s, env.dir.path(), QDate(2020, 1, 2), LayoutDefaults::factory());
    s.SettingsVersion = SettingsRecord::CurrentVersion;
    s.SenderNumber = 4;
    return s.toBytes();
}

} // namespace

class TestCommandFaults : public QObject {
    Q_OBJECT
private slots:
    void sortKeepsTheOldBook_data();
    void sortKeepsTheOldBook();
    void sortCommandReportsAndPutsThePointerBack();
    void sortKeepsEveryByte();
    void settingsThatCannotBeReadAreKept();
    void settingsThatCannotBeWrittenAreReported();
};

void TestCommandFaults::sortKeepsTheOldBook_data()
{
    QTest::addColumn<qint16>("format");
    QTest::addColumn<QString>("fault");
    for (const qint16 format : {DataModule::FixedLength, DataModule::DelimitedText})
        for (const char *fault : {"read error", "read error in record 3", "full disk", "changed elsewhere"})
            QTest::addRow("%s %s", format == DataModule::FixedLength ? "fixed" : "text", fault)
                << format << QString::fromLatin1(fault);
}

void TestCommandFaults::sortKeepsTheOldBook()
{
    QFETCH(qint16, format);
    QFETCH(QString, fault);
    TestEnv env;
    DataModule &dm = *env.dm;
    const QString name = bookName(format);
    env.writeFile(name, reversedBook(format));
    QVERIFY(env.open(name, format));
    const BookState before = stateOf(dm);
    {
        FaultInjection faults;
        std::unique_ptr<DiskLimit> full;
        if (fault == QLatin1String("read error"))
            faults.inject(name, Fault::readAt(0), -1);
        else if (fault == QLatin1String("read error in record 3"))
            faults.inject(name, Fault::readAt(format == DataModule::FixedLength ? 480 : dm.LineIndex[3] + 2), -1);
        else if (fault == QLatin1String("full disk"))
            full = std::make_unique<DiskLimit>(100);
        else
            appendBehindBack(env.path(name), reversedBook(format).left(format == DataModule::FixedLength ? 239 : 40));
        dm.ReopenData();
        const QByteArray old = env.readFile(name);
        QVERIFY_THROWS_EXCEPTION(RunError, SortBook(dm));
        QVERIFY(full || fault.startsWith(QLatin1String("changed")) || faults.struck() > 0);
        QCOMPARE(env.readFile(name), old);
    }
    QCOMPARE(stateOf(dm), before);
    QVERIFY(!QFile::exists(env.path(QStringLiteral("Temp.adr"))));
}

void TestCommandFaults::sortCommandReportsAndPutsThePointerBack()
{
    TestEnv env;
    env.writeFile(QStringLiteral("KANOTE.DAT"), earlierSettings(env));
    env.writeFile(QStringLiteral("a.kno"), reversedBook(DataModule::FixedLength));
    auto window = start(env);
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    FaultInjection faults;
    faults.inject(QStringLiteral("a.kno"), Fault::readAt(0), -1);
    env.dm->ReopenData();
    env.boxes.answer(MsgAnswerCode::Ok); // 並び換えを行います
    env.boxes.answer(MsgAnswerCode::Ok); // the report
    window->Menu_Edit_Sort_Click();
    QCOMPARE(env.boxes.shown.size(), 2);
    QCOMPARE(env.boxes.shown[1].caption, QStringLiteral("Menu_Edit_Sort_Click"));
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(env.readFile(QStringLiteral("a.kno")), reversedBook(DataModule::FixedLength));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestCommandFaults::sortKeepsEveryByte()
{
    // Records holding bytes CP932 does not define are moved, never rewritten.
    for (const qint16 format : {DataModule::FixedLength, DataModule::DelimitedText}) {
        TestEnv env;
        QByteArray second = format == DataModule::FixedLength ? TestEnv::record(sampleRecord(1))
                                                              : TestEnv::line(sampleRecord(1).join(';'));
        const QByteArray odd("\x85\x40\x87\x90");
        second.replace(qsizetype(second.indexOf(Cp932::encode(QStringLiteral("東京")))), 4, odd);
        const QByteArray first = format == DataModule::FixedLength ? TestEnv::record(sampleRecord(2))
                                                                   : TestEnv::line(sampleRecord(2).join(';'));
        env.writeFile(bookName(format), first + second);
        QVERIFY(env.open(bookName(format), format));
        SortBook(*env.dm);
        QCOMPARE(env.readFile(bookName(format)), second + first);
    }
}

void TestCommandFaults::settingsThatCannotBeReadAreKept()
{
    // A settings file with a read error is neither a first run nor written
    // over with the defaults at the end.
    TestEnv env;
    const QByteArray old = earlierSettings(env);
    env.writeFile(QStringLiteral("KANOTE.DAT"), old);
    FaultInjection faults;
    faults.inject(QStringLiteral("KANOTE.DAT"), Fault::readAt(100));
    env.boxes.answer(MsgAnswerCode::Ok);
    auto window = start(env);
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("Form_Load"));
    QVERIFY(env.boxes.shown[0].text.startsWith(QStringLiteral("設定ファイル ")));
    window->Form_Unload();
    QCOMPARE(env.readFile(QStringLiteral("KANOTE.DAT")), old);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestCommandFaults::settingsThatCannotBeWrittenAreReported()
{
    TestEnv env;
    const QByteArray old = earlierSettings(env);
    env.writeFile(QStringLiteral("KANOTE.DAT"), old);
    auto window = start(env);
    QVERIFY(env.boxes.shown.isEmpty());
    env.dm->Settings.SenderNumber = 2;
    env.boxes.answer(MsgAnswerCode::Ok);
    {
        DiskLimit full(512);
        window->Form_Unload();
    }
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("Form_Unload"));
    QCOMPARE(env.readFile(QStringLiteral("KANOTE.DAT")), old);

    // Written where the start-up said, when that is another place.
    TestEnv other;
    other.dm->SettingsWritePath = other.path(QStringLiteral("elsewhere/KANOTE.DAT"));
    QVERIFY(QDir().mkpath(other.path(QStringLiteral("elsewhere"))));
    other.writeFile(QStringLiteral("KANOTE.DAT"), old);
    auto second = start(other);
    second->Form_Unload();
    QCOMPARE(other.readFile(QStringLiteral("KANOTE.DAT")), old);
    QCOMPARE(other.readFile(QStringLiteral("elsewhere/KANOTE.DAT")).size(), 1024);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

QTEST_MAIN(TestCommandFaults)
#include "tst_commandfaults.moc"
