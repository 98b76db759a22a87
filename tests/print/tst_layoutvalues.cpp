// The layout values the print dialog loads and stores: number texts, the
// corrections' ranges, values no control can hold.
#include "print/layoutvalues.h"
#include "store/settingsfile.h"

#include <QtTest>

namespace {
SettingsRecord factorySettings()
{
    SettingsRecord s;
    SettingsFile::applyFirstRun(s, QStringLiteral("/tmp"), QDate(2026, 1, 1), LayoutDefaults::factory());
    return s;
}
} // namespace

class TestLayoutValues : public QObject {
    Q_OBJECT
private slots:
    void numberTexts();
    void corrections_data();
    void corrections();
    void loadAndSave();
};

void TestLayoutValues::numberTexts()
{
    QCOMPARE(Layout::millimetreText(152), QStringLiteral("15.2"));
    QCOMPARE(Layout::millimetreText(150), QStringLiteral("15"));
    QCOMPARE(Layout::millimetreText(5), QStringLiteral("0.5"));
    QCOMPARE(Layout::millimetreText(0), QStringLiteral("0"));
    QCOMPARE(Layout::millimetreText(1480), QStringLiteral("148"));
    QCOMPARE(Layout::pointText(18.0f), QStringLiteral("18"));
    QCOMPARE(Layout::pointText(10.5f), QStringLiteral("10.5"));
    QCOMPARE(Layout::pointText(9.75f), QStringLiteral("9.75"));
}

void TestLayoutValues::corrections_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("tenths"); // -1: refused
    QTest::newRow("15.2") << "15.2" << 1480 << 152;
    QTest::newRow("15") << "15" << 1480 << 150;
    QTest::newRow("blanks around") << " 15 " << 1480 << 150;
    QTest::newRow("full width") << "１５．２" << 1480 << 152;
    QTest::newRow("rounded") << "15.25" << 1480 << 153;
    QTest::newRow("leading point") << ".5" << 1480 << 5;
    QTest::newRow("zero") << "0" << 1000 << 0;
    QTest::newRow("top end") << "148.0" << 1480 << 1480;
    QTest::newRow("past top end") << "148.1" << 1480 << -1;
    QTest::newRow("left end") << "100" << 1000 << 1000;
    QTest::newRow("past left end") << "100.1" << 1000 << -1;
    QTest::newRow("negative") << "-1" << 1000 << -1;
    QTest::newRow("empty") << "" << 1000 << -1;
    QTest::newRow("letters") << "15mm" << 1000 << -1;
    QTest::newRow("exponent") << "1e1" << 1000 << -1;
    QTest::newRow("comma") << "15,2" << 1000 << -1;
}

void TestLayoutValues::corrections()
{
    QFETCH(QString, text);
    QFETCH(int, max);
    QFETCH(int, tenths);
    const auto parsed = Layout::parseCorrection(text, max);
    QCOMPARE(parsed.has_value() ? int(*parsed) : -1, tenths);
}

void TestLayoutValues::loadAndSave()
{
    // Values no control can hold are brought into range, so the dialog opens.
    SettingsRecord s = factorySettings();
    s.PostalTop = 2000;
    s.PrintOffset = -30;
    s.HonorificIndex = 0;
    const Layout::DialogStart start = Layout::loadDialogValues(s, 5);
    QCOMPARE(start.PostalTop, qint16(1480));
    QCOMPARE(start.PostalTopText, QStringLiteral("148"));
    QCOMPARE(start.PrintOffset, qint16(-10));
    QCOMPARE(start.HonorificIndex, 1);
    // Closing: one character of the mark; a correction that is no valid
    // number of its range leaves the last valid value.
    Layout::saveDialogValues(s, QStringLiteral("3"), QStringLiteral("MX"), QStringLiteral("abc"),
                             QStringLiteral("100.5"));
    QCOMPARE(s.SenderNumber, qint16(3));
    QCOMPARE(s.toBytes().at(41), 'M');
    QCOMPARE(s.PostalTop, qint16(1480));
    QCOMPARE(s.PostalLeft, qint16(482));
    Layout::saveDialogValues(s, QStringLiteral("0"), QStringLiteral(" M"), QStringLiteral("0"),
                             QStringLiteral("0"));
    QCOMPARE(s.toBytes().at(41), ' ');
    QCOMPARE(s.PostalTop, qint16(0));
}

QTEST_GUILESS_MAIN(TestLayoutValues)
#include "tst_layoutvalues.moc"
