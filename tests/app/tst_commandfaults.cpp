// The main window's commands on a disk that lets them down, as the user sees
// them: the sort, the conversion and the file dialog report a read error and
// never their completion, the hourglass never stays on, and a settings file
// that cannot be read or written is reported and kept.
#include "support/faults.h"
#include "support/testenv.h"

#include "app/adrsbook.h"
#include "convert/chandata.h"
#include "convert/fileio.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

namespace {

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

// The sample book open with a read error from byte `at` on.
void openFailing(TestEnv &env, FaultInjection &faults, const QString &name, qint64 at = 0)
{
    env.writeFile(name, sampleBook(name.endsWith(QLatin1String(".kno")) ? DataModule::FixedLength
                                                                         : DataModule::DelimitedText, 5));
    QVERIFY(env.open(name, name.endsWith(QLatin1String(".kno")) ? DataModule::FixedLength
                                                                : DataModule::DelimitedText));
    faults.inject(name, Fault::readAt(at), -1);
    env.dm->ReopenData();
}

// The last of `boxes` boxes was the report of `handler`, with the read error.
void checkReport(const TestEnv &env, int boxes, const QString &handler, const QString &name)
{
    QCOMPARE(env.boxes.shown.size(), boxes);
    const ShownBox &report = env.boxes.shown.last();
    QCOMPARE(report.caption, handler);
    QCOMPARE(report.icon, MsgIcon::Information);
    QVERIFY2(report.text.contains(QStringLiteral("を読めません。(")), qPrintable(report.text));
    QCOMPARE(env.readFile(name), sampleBook(env.dm->DataFormat, 5));
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

} // namespace

class TestCommandFaults : public QObject {
    Q_OBJECT
private slots:
    void sortReportsAReadError();
    void conversionInPlaceReportsAReadError();
    void openReportsAReadError();
    void settingsThatCannotBeReadAreKept();
    void settingsThatCannotBeWrittenAreReported();
};

void TestCommandFaults::sortReportsAReadError()
{
    TestEnv env;
    env.writeFile(QStringLiteral("KANOTE.DAT"), earlierSettings(env));
    auto window = start(env);
    FaultInjection faults;
    openFailing(env, faults, QStringLiteral("a.kno"));
    env.boxes.answer(MsgAnswerCode::Ok); // 並び換えを行います
    env.boxes.answer(MsgAnswerCode::Ok); // the report
    window->Menu_Edit_Sort_Click();
    checkReport(env, 2, QStringLiteral("Menu_Edit_Sort_Click"), QStringLiteral("a.kno"));
}

void TestCommandFaults::conversionInPlaceReportsAReadError()
{
    // A text book converted in place to fixed length, with a read error on
    // the first read: not a book of blanks and "データ変換完了", but the report.
    TestEnv env;
    FaultInjection faults;
    openFailing(env, faults, QStringLiteral("a.txt"));
    ChanData dialog(*env.dm, nullptr);
    dialog.Option1[0]->setChecked(true);
    dialog.Text1->setText(QStringLiteral("a.txt"));
    env.boxes.answer(MsgAnswerCode::Yes); // 上書きしますか？
    env.boxes.answer(MsgAnswerCode::Ok);  // the report
    dialog.Command1_Click();
    checkReport(env, 2, QStringLiteral("CHANDATA"), QStringLiteral("a.txt"));
    QCOMPARE(env.dm->DataFormat, DataModule::DelimitedText);
    QVERIFY(dialog.Option1[0]->isEnabled());
}

void TestCommandFaults::openReportsAReadError()
{
    TestEnv env;
    FaultInjection faults;
    openFailing(env, faults, QStringLiteral("a.txt"), 60);
    env.dm->CloseData();
    env.dm->FileMode = 1;
    FileIO dialog(*env.dm);
    dialog.Option2->setChecked(true);
    dialog.SelFile->setText(QStringLiteral("a.txt"));
    env.boxes.answer(MsgAnswerCode::Ok);
    dialog.Command1_Click();
    checkReport(env, 1, QStringLiteral("FILEIO"), QStringLiteral("a.txt"));
    QCOMPARE(env.dm->OpenStatus, qint16(1));
    QVERIFY(!env.dm->DataChannel);
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
    start(other)->Form_Unload();
    QCOMPARE(other.readFile(QStringLiteral("KANOTE.DAT")), old);
    QCOMPARE(other.readFile(QStringLiteral("elsewhere/KANOTE.DAT")).size(), 1024);
    QVERIFY2(env.unexpected().isEmpty() && other.unexpected().isEmpty(),
             qPrintable(env.unexpected() + other.unexpected()));
}

QTEST_MAIN(TestCommandFaults)
#include "tst_commandfaults.moc"
