// Habits of a desktop program: F1 opens the help contents in every window,
// the tool-bar buttons name their commands, a second start hands its file to
// the running program (two processes), and --version / --help answer
// without a display.
#include "support/testenv.h"

#include "app/adrsbook.h"
#include "app/toolbarpicture.h"
#include "edit/adrsdinp.h"

#include "platform/helpkey.h"
#include "platform/singleinstance.h"

#include <QDir>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QToolTip>
#include <QtTest>
#include <memory>
#include <unistd.h>

class TestDesktop : public QObject {
    Q_OBJECT
private slots:
    void f1OpensTheHelpContents();
    void toolBarTooltips();
    void secondStartHandsOverItsFile();
    void answersWithoutADisplay_data();
    void answersWithoutADisplay();
};

namespace {

std::unique_ptr<Adrsbook> start(TestEnv &env, const QString &commandLine = QString())
{
    auto window = std::make_unique<Adrsbook>(*env.dm);
    env.dm->MainWindow = window.get();
    env.boxes.answer(MsgAnswerCode::Ok); // the greeting of a first run
    window->Form_Load(commandLine);
    return window;
}

// The program itself, started as a user starts it a second time: in
// `folder`, with `args`, its temporary folder (where the running copy
// listens) `tmp`. Its exit status, -1 when it did not end.
int startSecond(const QString &folder, const QStringList &args, const QString &tmp)
{
    QProcess second;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), tmp);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    second.setProcessEnvironment(env);
    second.setWorkingDirectory(folder);
    second.start(QStringLiteral(KANOTE_BINARY), args);
    // The running copy answers from its event loop.
    QElapsedTimer waited;
    waited.start();
    while (second.state() != QProcess::NotRunning && waited.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        second.waitForFinished(20);
    }
    return second.state() == QProcess::NotRunning && second.exitStatus() == QProcess::NormalExit
        ? second.exitCode() : -1;
}

} // namespace

void TestDesktop::f1OpensTheHelpContents()
{
    TestEnv env;
    env.writeFile(QStringLiteral("a.kno"), TestEnv::record({QStringLiteral("山田")}));
    HelpKey f1(env.help, [&env] { return env.dm->HelpFile; });
    qApp->installEventFilter(&f1);
    auto w = start(env, QStringLiteral("a.kno"));
    env.boxes.shown.clear();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w.get(), Qt::Key_F1);
    QCOMPARE(env.help.requests.size(), 1);
    QCOMPARE(env.help.requests[0].command, HelpCommand::Contents);
    QCOMPARE(env.help.requests[0].helpFile, QDir(env.dir.path()).filePath(QStringLiteral("kanote.hlp")));

    // In a form, from the box being typed in.
    {
        AdrsDinp form(*env.dm, w.get());
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.Text2->setFocus();
        QTest::keyClick(form.Text2, Qt::Key_F1);
        QCOMPARE(env.help.requests.size(), 2);
        QCOMPARE(env.help.requests[1].command, HelpCommand::Contents);
        QCOMPARE(form.Text2->text(), QString());
        form.Command4_Click();
    }
    // The program's own help keys keep their meaning: F3 shows the version.
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    env.boxes.answer(MsgAnswerCode::Ok);
    QTest::keyClick(w.get(), Qt::Key_F3);
    QVERIFY(env.boxes.shown.last().text.startsWith(QStringLiteral("「かのて住所録」 ﾊﾞｰｼﾞｮﾝ")));
    QCOMPARE(env.help.requests.size(), 2);
    qApp->removeEventFilter(&f1);
    w->close();
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestDesktop::toolBarTooltips()
{
    TestEnv env;
    auto w = start(env);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const QStringList expected = {"ファイルを開く...", "ファイルを閉じる", "データの追加", "データの修正",
                                  "データの削除", "データ変換...", "データの並び換え"};
    QStringList tips;
    for (int b = 1; b <= 12; ++b) {
        const QPoint at(w->ButtonLeft[b] + 11, 12);
        QHelpEvent help(QEvent::ToolTip, at, w->ToolBar->mapToGlobal(at));
        QCoreApplication::sendEvent(w->ToolBar, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        tips << QToolTip::text();
        QVERIFY2(!tips.last().isEmpty(), qPrintable(QString::number(b)));
    }
    QCOMPARE(tips.mid(0, expected.size()), expected);
    QCOMPARE(QSet<QString>(tips.begin(), tips.end()).size(), 12); // each names its own command
    // Between the buttons: no tip.
    const QPoint gap(w->ToolBar->width() - 2, 12);
    QHelpEvent help(QEvent::ToolTip, gap, w->ToolBar->mapToGlobal(gap));
    QCoreApplication::sendEvent(w->ToolBar, &help);
    QTRY_VERIFY(!QToolTip::isVisible());
    w->close();
}

void TestDesktop::secondStartHandsOverItsFile()
{
    TestEnv env;
    QVERIFY(QDir(env.dir.path()).mkpath(QStringLiteral("elsewhere")));
    env.writeFile(QStringLiteral("elsewhere/b.kno"),
                  TestEnv::records({{QStringLiteral("山田")}, {QStringLiteral("鈴木")}}));
    auto w = start(env);
    // The running program as main() makes it, listening in the test's folder.
    SingleInstance running(QDir(env.dir.path()).filePath(QStringLiteral("kanote-%1").arg(getuid())));
    QVERIFY(running.acquire());
    connect(&running, &SingleInstance::handedOver, w.get(), &Adrsbook::OpenHandedFile);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));

    // While another window works on the book, no book is opened under it.
    w->LockMainMenus();
    QCOMPARE(startSecond(env.path(QStringLiteral("elsewhere")), {QStringLiteral("b.kno")}, env.dir.path()), 0);
    QTest::qWait(200);
    QCOMPARE(w->Lab03->text(), QString());
    w->UnlockMainMenus();

    // A name relative to the folder the second copy was started in.
    w->showMinimized();
    QCOMPARE(startSecond(env.path(QStringLiteral("elsewhere")), {QStringLiteral("b.kno")}, env.dir.path()), 0);
    QTRY_COMPARE(w->Lab03->text(), QStringLiteral("2"));
    QCOMPARE(env.dm->DataFilePath(), QDir::cleanPath(env.path(QStringLiteral("elsewhere/b.kno"))));
    QVERIFY(!w->isMinimized());

    // Without a file: the window only comes to the front.
    w->showMinimized();
    QCOMPARE(startSecond(env.dir.path(), {}, env.dir.path()), 0);
    QTRY_VERIFY(!w->isMinimized());
    QCOMPARE(w->Lab03->text(), QStringLiteral("2"));
    w->close();
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestDesktop::answersWithoutADisplay_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("starts");
    QTest::newRow("--version") << "--version" << "kanote (かのて住所録) 1.";
    QTest::newRow("--help") << "--help" << "使い方: kanote [住所録ファイル]\nUsage: kanote [address book file]\n";
}

void TestDesktop::answersWithoutADisplay()
{
    QFETCH(QString, option);
    QFETCH(QString, starts);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(KANOTE_BINARY), {option});
    QVERIFY(process.waitForFinished(20000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    const QString said = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(said.startsWith(starts), qPrintable(said));
    QCOMPARE(said.count(QLatin1Char('\n')) <= 12, true);
    QCOMPARE(process.readAllStandardError(), QByteArray());
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
