// The printers' own corrections in the program's settings file, through the
// main window: read at start, used by the print dialog, written at the end;
// a missing or unreadable file gives none, an unwritable one is reported
// once and costs nothing else.
#include "support/cardbook.h"
#include "support/testenv.h"

#include "app/adrsbook.h"
#include "print/princard.h"

#include <QDir>
#include <QtTest>

class TestPrinterSettings : public QObject {
    Q_OBJECT
private slots:
    void startAndEnd_data();
    void startAndEnd();
};

void TestPrinterSettings::startAndEnd_data()
{
    QTest::addColumn<QByteArray>("file"); // null: no file
    QTest::addColumn<bool>("writable");
    QTest::addColumn<double>("firstDigitX"); // where the first card's first digit prints
    QTest::newRow("missing") << QByteArray() << true << 43.2;
    QTest::newRow("unreadable") << QByteArray("\x00\xff[Printer\n\x01", 12) << true << 43.2;
    QTest::newRow("kept shift") << QByteArray("[Printer]\n1\\Name=PDF\n1\\ShiftX=15\n1\\ShiftY=-7\nsize=1\n") << true << 44.7;
    QTest::newRow("unwritable") << QByteArray("[Printer]\n1\\Name=PDF\n1\\ShiftX=-20\nsize=1\n") << false << 41.2;
}

void TestPrinterSettings::startAndEnd()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, writable);
    TestEnv env;
    QVERIFY(openCardBook(env, 2));
    env.dm->SettingsPath = env.path(QStringLiteral("KANOTE.DAT"));
    const QString folder = writable ? QStringLiteral("conf") : QStringLiteral("blocked");
    QDir(env.dir.path()).mkdir(folder);
    if (!file.isNull())
        env.writeFile(folder + QStringLiteral("/kanote.conf"), file);
    env.dm->ConfPath = env.path(folder + QStringLiteral("/kanote.conf"));
    env.boxes.answer(MsgAnswerCode::Ok); // the first run's greeting
    auto window = std::make_unique<Adrsbook>(*env.dm);
    env.dm->MainWindow = window.get();
    window->Form_Load(QString());
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    useFactorySettings(env);
    {
        PrinCard card(*env.dm);
        card.Command1_Click();
        QFETCH(double, firstDigitX);
        const PrintedText &digit = env.printers.last()->printed.first();
        QCOMPARE(digit.text, QStringLiteral("1"));
        QVERIFY2(qAbs(digit.x - firstDigitX) < 1e-9, qPrintable(QString::number(digit.x)));
    }
    // A shift chosen during the run.
    PrinterAdjustment chosen;
    chosen.ShiftY = 12;
    chosen.UpsideDown = true;
    env.dm->Conf.setAdjustment(QStringLiteral("事務所"), chosen);
    if (!writable) {
        // The folder turns into a file after the settings were read: no
        // write can land there.
        QDir(env.path(folder)).removeRecursively();
        env.writeFile(folder, "not a folder");
        env.boxes.answer(MsgAnswerCode::Ok);
    }
    window->Form_Unload();
    const int greeting = 1;
    if (!writable) {
        QCOMPARE(env.boxes.shown.size(), greeting + 1);
        QCOMPARE(env.boxes.shown.last().text,
                 QStringLiteral("設定ファイル %1 に書き込めませんでした。").arg(env.dm->ConfPath));
        QCOMPARE(env.boxes.shown.last().icon, MsgIcon::Exclamation);
        QCOMPARE(env.readFile(folder), QByteArray("not a folder"));
    } else {
        QCOMPARE(env.boxes.shown.size(), greeting);
        const ProgramSettings back = ProgramSettings::read(env.dm->ConfPath);
        QCOMPARE(back.adjustment(QStringLiteral("事務所")), chosen);
        QCOMPARE(back.adjustment(PdfPrinterName), env.dm->Conf.adjustment(PdfPrinterName));
    }
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

QTEST_MAIN(TestPrinterSettings)
#include "tst_printersettings.moc"
