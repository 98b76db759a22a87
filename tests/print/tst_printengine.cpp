// One card on the recording printer: where each item lands, in which font,
// the vertical pitch and the printable-area check.
#include "print/printengine.h"
#include "print/printtable.h"
#include "store/settingsfile.h"

#include "platform/fonts.h"
#include "support/recordingprinter.h"

#include <QtTest>

namespace {

constexpr double PointMm = 25.4 / 72; // one line of a 1-point font on the recording printer

SettingsRecord factorySettings()
{
    SettingsRecord s;
    SettingsFile::applyFirstRun(s, QStringLiteral("/tmp"), QDate(2026, 1, 1), LayoutDefaults::factory());
    return s;
}

// A card whose every line starts with its own character, so each item is found by its text.
CardTexts sampleCard()
{
    CardTexts card;
    const QString digits = QStringLiteral("1234567");
    for (int k = 1; k <= 7; ++k)
        card.Digits[k] = digits.mid(k - 1, 1);
    card.Items = {QStringLiteral("東京都"), QStringLiteral("港区"), QStringLiteral("山田"), QStringLiteral("花子"),
                  QStringLiteral("大阪府"), QStringLiteral("北区"), QStringLiteral("鈴木"), QStringLiteral("一郎"),
                  QStringLiteral("5 3 0 0 0 0 1")};
    return card;
}

struct Printed {
    std::unique_ptr<RecordingPrinter> printer;
    CardResult result;
};

// Prints one card as the dialog does with the factory layout: 縦補正値
// 15.2, 横補正値 48.2, a card's printable area of 96 x 142.8 mm.
Printed printCard(const CardTexts &card, int direction, int offset = -5, int digits = 7,
                  QSizeF area = QSizeF(96, 142.8), const SettingsRecord &s = factorySettings())
{
    Printed p{std::make_unique<RecordingPrinter>(area), CardResult::Printed};
    const PrintTable table = PrepareLayout(*p.printer, s, direction, storedGroupFonts(s, direction));
    PrintEngine engine(*p.printer, table, CardCorrections{15.2, 48.2, offset, digits});
    p.result = engine.PrintCard(card, direction == 0);
    return p;
}

const PrintedText *find(const RecordingPrinter &printer, const QString &text)
{
    for (const PrintedText &t : printer.printed)
        if (t.text == text)
            return &t;
    return nullptr;
}

} // namespace

class TestPrintEngine : public QObject {
    Q_OBJECT
private slots:
    void positions_data();
    void positions();
    void verticalPitchAndPrintableArea();
    void digitBoxes();
    void horizontalBeyondThePage();
};

void TestPrintEngine::positions_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<QString>("font");
    QTest::addColumn<double>("size");
    const QString M = Fonts::Mincho, G = Fonts::Gothic;
    QTest::newRow("digit 1") << 0 << -5 << "1" << 43.2 << 10.2 << G << 18.0;
    QTest::newRow("digit 2") << 0 << -5 << "2" << 50.2 << 10.2 << G << 18.0;
    QTest::newRow("digit 3") << 0 << -5 << "3" << 57.2 << 10.2 << G << 18.0;
    QTest::newRow("digit 4") << 0 << -5 << "4" << 65.2 << 10.2 << G << 18.0;
    QTest::newRow("digit 5") << 0 << -5 << "5" << 72.2 << 10.2 << G << 18.0;
    QTest::newRow("digit 6") << 0 << -5 << "6" << 78.7 << 10.2 << G << 18.0;
    QTest::newRow("digit 7") << 0 << -5 << "7" << 85.7 << 10.2 << G << 18.0;
    QTest::newRow("v address 1") << 0 << -5 << "東" << 81.0 << 25.0 << M << 18.0;
    QTest::newRow("v address 2") << 0 << -5 << "港" << 71.0 << 31.0 << M << 18.0;
    QTest::newRow("v name 1") << 0 << -5 << "山" << 55.0 << 29.0 << M << 24.0;
    QTest::newRow("v name 2") << 0 << -5 << "花" << 43.0 << 29.0 << M << 24.0;
    QTest::newRow("v sender address 1") << 0 << -5 << "大" << 20.0 << 72.0 << M << 12.0;
    QTest::newRow("v sender address 2") << 0 << -5 << "北" << 13.5 << 72.0 << M << 12.0;
    QTest::newRow("v sender name 1") << 0 << -5 << "鈴" << 7.5 << 84.5 << M << 12.0;
    QTest::newRow("v sender name 2") << 0 << -5 << "一" << 1.3 << 84.5 << M << 12.0;
    QTest::newRow("v sender postal") << 0 << -5 << "5 3 0 0 0 0 1" << 3.0 << 118.0 << G << 12.0;
    QTest::newRow("offset 0 digit 1") << 0 << 0 << "1" << 48.2 << 15.2 << G << 18.0;
    QTest::newRow("offset 0 address 1") << 0 << 0 << "東" << 86.0 << 30.0 << M << 18.0;
    QTest::newRow("offset 10 sender postal") << 0 << 10 << "5 3 0 0 0 0 1" << 18.0 << 133.0 << G << 12.0;
    QTest::newRow("h digit 7") << 1 << -5 << "7" << 85.7 << 10.2 << G << 18.0;
    QTest::newRow("h address 1") << 1 << -5 << "東京都" << 20.0 << 25.0 << M << 14.0;
    QTest::newRow("h address 2") << 1 << -5 << "港区" << 26.0 << 35.0 << M << 14.0;
    QTest::newRow("h name 1") << 1 << -5 << "山田" << 25.0 << 45.0 << M << 18.0;
    QTest::newRow("h name 2") << 1 << -5 << "花子" << 25.0 << 55.0 << M << 18.0;
    QTest::newRow("h sender address 1") << 1 << -5 << "大阪府" << 2.0 << 113.0 << M << 12.0;
    QTest::newRow("h sender name 2") << 1 << -5 << "一郎" << 15.0 << 135.0 << M << 12.0;
    QTest::newRow("h sender postal") << 1 << -5 << "5 3 0 0 0 0 1" << 3.0 << 118.0 << G << 12.0;
}

void TestPrintEngine::positions()
{
    QFETCH(int, direction);
    QFETCH(int, offset);
    QFETCH(QString, text);
    SettingsRecord s = factorySettings();
    // Entries 8 and 18 never decide the sender's postal code's font.
    s.FontName[8] = s.FontName[18] = QStringLiteral("IPAexMincho");
    s.FontSize[8] = s.FontSize[18] = 30;
    const Printed p = printCard(sampleCard(), direction, offset, 7, QSizeF(96, 142.8), s);
    QCOMPARE(p.result, CardResult::Printed);
    const PrintedText *t = find(*p.printer, text);
    QVERIFY2(t, qPrintable(text));
    QCOMPARE(t->scale, PrinterDevice::Scale::Millimetres);
    QFETCH(double, x);
    QFETCH(double, y);
    QVERIFY2(qAbs(t->x - x) < 1e-6 && qAbs(t->y - y) < 1e-6,
             qPrintable(QStringLiteral("at %1, %2").arg(t->x).arg(t->y)));
    QTEST(t->font, "font");
    QTEST(t->size, "size");
    QCOMPARE(p.printer->documents.size(), 1);
    QCOMPARE(p.printer->documents[0].pages, 1);
}

void TestPrintEngine::verticalPitchAndPrintableArea()
{
    // Each character one line of its font below the one before, all at one x.
    CardTexts card = sampleCard();
    card.Items[Layout::Name1] = QStringLiteral("山田太郎様");
    Printed p = printCard(card, 0);
    QList<PrintedText> column;
    for (const PrintedText &t : p.printer->printed)
        if (t.size == 24 && qAbs(t.x - 55.0) < 1e-6)
            column.append(t);
    QCOMPARE(column.size(), 5);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(column[i].text, card.Items[Layout::Name1].mid(i, 1));
        QVERIFY(qAbs(column[i].y - (29.0 + i * 24 * PointMm)) < 1e-6);
    }

    // Name line 1 starts at 29.0 mm, 24 point: thirteen characters end
    // exactly at 29.0 + 13 lines. That card prints; one character more and
    // the card is refused before anything of it is printed.
    const double exact = 29.0 + 13 * 24 * PointMm;
    card.Items[Layout::Name1] = QStringLiteral("山田太郎山田太郎山田太郎様");
    p = printCard(card, 0, -5, 7, QSizeF(96, exact));
    QCOMPARE(p.result, CardResult::Printed);
    QVERIFY(find(*p.printer, QStringLiteral("様")));
    card.Items[Layout::Name1] += QStringLiteral("方");
    p = printCard(card, 0, -5, 7, QSizeF(96, exact));
    QCOMPARE(p.result, CardResult::OutOfArea);
    QVERIFY(p.printer->printed.isEmpty());
    QVERIFY(p.printer->documents.isEmpty());
    // The same over-long line in the last slot, after everything else would fit.
    card = sampleCard();
    card.Items[Layout::SenderName2] = QString(40, QChar(u'長'));
    p = printCard(card, 0);
    QCOMPARE(p.result, CardResult::OutOfArea);
    QVERIFY(p.printer->printed.isEmpty());
    // Horizontal cards are never checked.
    QCOMPARE(printCard(card, 1).result, CardResult::Printed);
}

void TestPrintEngine::digitBoxes()
{
    CardTexts card = sampleCard();
    card.Digits[3].clear();
    Printed p = printCard(card, 0);
    QStringList digits;
    for (const PrintedText &t : p.printer->printed)
        if (t.size == 18 && t.font == Fonts::Gothic)
            digits << t.text;
    // The empty box prints nothing; the others keep their places.
    QCOMPARE(digits, QStringList({"1", "2", "4", "5", "6", "7"}));
    QVERIFY(qAbs(find(*p.printer, QStringLiteral("4"))->x - 65.2) < 1e-6);
    // Five digits: boxes 6 and 7 are not printed.
    p = printCard(sampleCard(), 1, -5, 5);
    QVERIFY(find(*p.printer, QStringLiteral("5")));
    QVERIFY(!find(*p.printer, QStringLiteral("6")));
    QVERIFY(!find(*p.printer, QStringLiteral("7")));
}

void TestPrintEngine::horizontalBeyondThePage()
{
    SettingsRecord s = factorySettings();
    s.LayoutLeft[10] = 990; // address line 1 at 94.0 mm
    s.LayoutTop[17] = 1480; // sender name 2 at 143.0 mm, below the printable area
    CardTexts card = sampleCard();
    card.Items[Layout::Address1] = QStringLiteral("東京都千代田区千代田一丁目一番一号");
    const Printed p = printCard(card, 1, -5, 7, QSizeF(96, 142.8), s);
    const PrintedText *address = find(*p.printer, card.Items[Layout::Address1]);
    QVERIFY(address);
    QVERIFY(qAbs(address->x - 94.0) < 1e-6);
    const PrintedText *name = find(*p.printer, QStringLiteral("一郎"));
    QVERIFY(name);
    QVERIFY(qAbs(name->y - 143.0) < 1e-6);
}

QTEST_MAIN(TestPrintEngine)
#include "tst_printengine.moc"
