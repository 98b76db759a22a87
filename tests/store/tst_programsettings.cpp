// kanote.conf: the choices beyond KANOTE.DAT survive a write and a read, and
// a file that is missing, garbled or cannot be written never costs more than
// the defaults.
#include "store/programsettings.h"

#include "support/testenv.h"

#include <QFile>
#include <QtTest>

class TestProgramSettings : public QObject {
    Q_OBJECT
private slots:
    void roundTrip();
    void unreadableGivesDefaults_data();
    void unreadableGivesDefaults();
    void unwritable();
};

void TestProgramSettings::roundTrip()
{
    TestEnv env;
    ProgramSettings s;
    s.VerticalGlyphs = false;
    s.FitLongLines = false;
    s.AlignJointNames = true;
    s.SenderDeletedNotice = true;
    s.setAdjustment(QStringLiteral("kanote-pdf"), {15, -7, false});
    s.setAdjustment(QStringLiteral("事務所/2階 [A]"), {-100, 100, true});
    s.setAdjustment(QStringLiteral("PDF"), {}); // the default is not kept
    const QString path = env.path(QStringLiteral("conf/kanote.conf"));
    QVERIFY(s.write(path));
    // A garbled file (which reads as the defaults) is replaced, not kept.
    env.writeFile(QStringLiteral("conf/kanote.conf"), QByteArray("\x00\xff[Printer\n\x01", 12));
    QVERIFY(ProgramSettings::read(path).printers().isEmpty());
    QVERIFY(s.write(path));
    QVERIFY(!QFile::exists(path + QStringLiteral(".new")));
    const ProgramSettings back = ProgramSettings::read(path);
    QVERIFY(back == s);
    QCOMPARE(back.printers().size(), 2);
    QCOMPARE(back.adjustment(QStringLiteral("事務所/2階 [A]")).ShiftX, qint16(-100));
    QVERIFY(back.adjustment(QStringLiteral("事務所/2階 [A]")).UpsideDown);
    QCOMPARE(back.adjustment(QStringLiteral("PDF")), PrinterAdjustment());
}

void TestProgramSettings::unreadableGivesDefaults_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe[[[\x01=\n", 9);
    QTest::newRow("bad values") << QByteArray("[Card]\nVerticalGlyphs=maybe\nFitLongLines=\n"
                                             "[Printer]\n1\\Name=x\n1\\ShiftX=999\n1\\ShiftY=abc\nsize=1\n");
}

void TestProgramSettings::unreadableGivesDefaults()
{
    QFETCH(QByteArray, bytes);
    TestEnv env;
    if (!bytes.isNull())
        env.writeFile(QStringLiteral("kanote.conf"), bytes);
    const ProgramSettings s = ProgramSettings::read(env.path(QStringLiteral("kanote.conf")));
    QVERIFY(s.VerticalGlyphs);
    QVERIFY(s.FitLongLines);
    QVERIFY(!s.AlignJointNames);
    QVERIFY(!s.SenderDeletedNotice);
    QVERIFY(s.printers().isEmpty()); // out-of-range shifts are the default, which is not kept
}

void TestProgramSettings::unwritable()
{
    TestEnv env;
    // A file where the folder should be: nothing can be made there.
    env.writeFile(QStringLiteral("blocked"), "x");
    ProgramSettings s;
    QVERIFY(!s.write(env.path(QStringLiteral("blocked/kanote.conf"))));
    QVERIFY(!s.write(QString()));
}

QTEST_MAIN(TestProgramSettings)
#include "tst_programsettings.moc"
