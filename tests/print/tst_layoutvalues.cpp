// The layout values the print dialog loads and stores, and the print table
// built from them.
#include "print/layoutvalues.h"
#include "print/printtable.h"
#include "store/settingsfile.h"

#include "platform/codec.h"
#include "platform/fonts.h"

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
    void fontGroups_data();
    void fontGroups();
    void loadAndSave();
    void printTable_data();
    void printTable();
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
    QCOMPARE(Layout::honorificList(), QStringList({"様", "殿", "御中", "なし"}));
    QCOMPARE(Layout::honorificText(3), QStringLiteral("御 中"));
    QCOMPARE(Layout::honorificText(4), QStringLiteral(" "));
    QCOMPARE(Layout::spacingFor(Layout::Vertical), QString(QChar(0x3000)));
    QCOMPARE(Layout::spacingFor(Layout::Horizontal), QStringLiteral(" "));
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

void TestLayoutValues::fontGroups_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("entry");
    QTest::newRow("name vertical") << 2 << 0 << "氏名ﾌｫﾝﾄ" << 2;
    QTest::newRow("address vertical") << 3 << 0 << "住所ﾌｫﾝﾄ" << 0;
    QTest::newRow("sender name vertical") << 4 << 0 << "差名ﾌｫﾝﾄ" << 6;
    QTest::newRow("sender address vertical") << 5 << 0 << "差住ﾌｫﾝﾄ" << 4;
    QTest::newRow("name horizontal") << 2 << 1 << "氏名ﾌｫﾝﾄ" << 12;
    QTest::newRow("sender address horizontal") << 5 << 1 << "差住ﾌｫﾝﾄ" << 14;
}

void TestLayoutValues::fontGroups()
{
    QFETCH(int, group);
    QFETCH(int, direction);
    QFETCH(int, entry);
    QTEST(Layout::fontButtonCaption(group), "caption");
    SettingsRecord s = factorySettings();
    const SettingsRecord before = s;
    Layout::storeGroupFont(s, group, direction, QStringLiteral("IPAexGothic"), 10.5);
    for (int e = 0; e < 20; ++e) {
        const bool written = e == entry || e == entry + 1;
        QCOMPARE(s.FontName[e], written ? QStringLiteral("IPAexGothic") : before.FontName[e]);
        QCOMPARE(s.FontSize[e], written ? 10.5f : before.FontSize[e]);
    }
    // Both entries reach the file; the label shows the first.
    const QByteArray bytes = s.toBytes();
    QCOMPARE(bytes.mid(416 + entry * 30, 11), QByteArray("IPAexGothic"));
    QCOMPARE(bytes.mid(416 + (entry + 1) * 30, 11), QByteArray("IPAexGothic"));
    QCOMPARE(Layout::fontLabel(s, group, direction).name, QStringLiteral("IPAexGothic"));
    QCOMPARE(Layout::fontLabel(s, group, direction).size, QStringLiteral("10.5"));
    // The other direction's labels are untouched.
    QCOMPARE(Layout::fontLabel(s, group, 1 - direction).name, Layout::fontLabel(before, group, 1 - direction).name);
    QCOMPARE(Layout::fontLabel(s, group, 1 - direction).size, Layout::fontLabel(before, group, 1 - direction).size);
}

void TestLayoutValues::loadAndSave()
{
    SettingsRecord s = factorySettings();
    // A sender outside 0 ... RecordCount becomes 1; 0 and RecordCount stay.
    for (const auto &[stored, shown] : {std::pair{-1, 1}, {6, 1}, {0, 0}, {5, 5}}) {
        s.SenderNumber = qint16(stored);
        QCOMPARE(Layout::loadDialogValues(s, 5).SenderNumber, qint16(shown));
        QCOMPARE(s.SenderNumber, qint16(shown));
    }
    s.PostalTop = 150;
    s.PostalLeft = 482;
    s.PrintMark = QString();
    Layout::DialogStart start = Layout::loadDialogValues(s, 5);
    QCOMPARE(start.PostalTopText, QStringLiteral("15"));
    QCOMPARE(start.PostalLeftText, QStringLiteral("48.2"));
    QCOMPARE(start.MarkText, QString());
    QCOMPARE(start.PrintOffset, qint16(-5));
    QCOMPARE(start.HonorificIndex, 1);
    // Values no control can hold are brought into range.
    s.PostalTop = 2000;
    s.PrintOffset = -30;
    s.HonorificIndex = 0;
    start = Layout::loadDialogValues(s, 5);
    QCOMPARE(start.PostalTop, qint16(1480));
    QCOMPARE(start.PrintOffset, qint16(-10));
    QCOMPARE(start.HonorificIndex, 1);

    // Closing: the shown sender, the first character of the mark, the corrections as typed.
    Layout::saveDialogValues(s, QStringLiteral("3"), QStringLiteral("MX"), QStringLiteral("15.2"),
                             QStringLiteral("50"));
    QCOMPARE(s.SenderNumber, qint16(3));
    QCOMPARE(s.PrintMark, QStringLiteral("M"));
    QCOMPARE(s.PostalTop, qint16(152));
    QCOMPARE(s.PostalLeft, qint16(500));
    QCOMPARE(s.toBytes().at(41), 'M');
    // A text that is no valid correction leaves the last valid value.
    Layout::saveDialogValues(s, QStringLiteral("0"), QString(), QStringLiteral("abc"),
                             QStringLiteral("100.5"));
    QCOMPARE(s.SenderNumber, qint16(0));
    QCOMPARE(s.toBytes().at(41), ' ');
    QCOMPARE(s.PostalTop, qint16(152));
    QCOMPARE(s.PostalLeft, qint16(500));
    Layout::saveDialogValues(s, QStringLiteral("0"), QStringLiteral(" M"), QStringLiteral("0"),
                             QStringLiteral("0"));
    QCOMPARE(s.toBytes().at(41), ' ');
    QCOMPARE(s.PostalTop, qint16(0));
}

void TestLayoutValues::printTable_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<double>("size");
    QTest::addColumn<QString>("font");
    const QString M = Fonts::Mincho, G = Fonts::Gothic;
    QTest::newRow("v address 1") << 0 << 0 << 860 << 300 << 18.0 << M;
    QTest::newRow("v address 2") << 0 << 1 << 760 << 360 << 18.0 << M;
    QTest::newRow("v name 1") << 0 << 2 << 600 << 340 << 24.0 << M;
    QTest::newRow("v name 2") << 0 << 3 << 480 << 340 << 24.0 << M;
    QTest::newRow("v sender address 1") << 0 << 4 << 250 << 770 << 12.0 << M;
    QTest::newRow("v sender name 2") << 0 << 7 << 63 << 895 << 12.0 << M;
    QTest::newRow("v sender postal") << 0 << 8 << 80 << 1230 << 12.0 << G;
    QTest::newRow("digit 1") << 0 << 9 << 0 << 0 << 18.0 << G;
    QTest::newRow("digit 4") << 0 << 12 << 220 << 0 << 18.0 << G;
    QTest::newRow("digit 6") << 0 << 14 << 355 << 0 << 18.0 << G;
    QTest::newRow("digit 7") << 0 << 15 << 425 << 0 << 18.0 << G;
    QTest::newRow("h address 1") << 1 << 0 << 250 << 300 << 14.0 << M;
    QTest::newRow("h name 1") << 1 << 2 << 300 << 500 << 18.0 << M;
    QTest::newRow("h sender name 2") << 1 << 7 << 200 << 1400 << 12.0 << M;
    QTest::newRow("h sender postal") << 1 << 8 << 80 << 1230 << 12.0 << G;
    QTest::newRow("h digit 7") << 1 << 15 << 425 << 0 << 18.0 << G;
}

void TestLayoutValues::printTable()
{
    QFETCH(int, direction);
    QFETCH(int, slot);
    SettingsRecord s = factorySettings();
    // Whatever entries 8 and 18 hold, the sender's postal code is ＭＳ ゴシック 12.
    s.FontSize[8] = s.FontSize[18] = 40;
    s.FontName[8] = s.FontName[18] = QStringLiteral("IPAexMincho");
    const PrintTable t = BuildPrintTable(s, direction, storedGroupFonts(s, direction));
    QTEST(int(t.X[slot]), "x");
    QTEST(int(t.Y[slot]), "y");
    QTEST(t.Size[slot], "size");
    QTEST(t.Font[slot], "font");
}

QTEST_GUILESS_MAIN(TestLayoutValues)
#include "tst_layoutvalues.moc"
