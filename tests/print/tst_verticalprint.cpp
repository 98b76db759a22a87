// Vertical lines as vertical Japanese sets them: which characters take the
// font's vertical glyph or a quarter turn (glyph indexes on both IPA fonts,
// ink boxes on the image printer, text still in a PDF), long lines set
// tighter, a sender line stopped above the sender's postal code, and the
// joint names' honorifics aligned.
#include "support/ink.h"
#include "support/pdftext.h"
#include "support/testenv.h"

#include "print/cardgeometry.h"
#include "print/printengine.h"
#include "print/printtable.h"
#include "print/verticalforms.h"
#include "store/settingsfile.h"

#include "platform/fonts.h"
#include "platform/painterprinter.h"
#include "platform/qtprinter.h"
#include "support/recordingprinter.h"

#include <QtTest>

namespace {

using Form = PrinterDevice::CellForm;
const QString IS = QString(QChar(0x3000));
constexpr double EmMm(double points) { return points * 25.4 / 72; }

SettingsRecord factorySettings()
{
    SettingsRecord s;
    SettingsFile::applyFirstRun(s, QStringLiteral("/tmp"), QDate(2026, 1, 1), LayoutDefaults::factory());
    return s;
}

// One spaced name line as the composition makes it: 「山　田　様」.
QString spaced(const QString &name, const QString &honorific)
{
    QString out;
    for (QChar c : name)
        out += QString(c) + IS;
    return out + honorific;
}

// A vertical card of the factory layout (基準値補正 -5) on a card's printable
// area of a PDF, 95.9 x 142.8 mm, printed on the recording printer.
struct TestCard {
    CardTexts texts;
    SettingsRecord settings = factorySettings();
    VerticalChoices choices;
    std::unique_ptr<RecordingPrinter> printer;
    CardResult result = CardResult::Printed;
    VerticalPlan plan;

    TestCard() { texts.Items[Layout::SenderPostalCode] = QStringLiteral("5 3 0 0 0 0 1"); }
    void print()
    {
        printer = std::make_unique<RecordingPrinter>(QSizeF(96, 142.8));
        const PrintTable table = PrepareLayout(*printer, settings, 0, storedGroupFonts(settings, 0));
        PrintEngine engine(*printer, table, CardCorrections{15.2, 48.2, -5, 7}, choices);
        plan = engine.PlanVertical(texts);
        result = engine.PrintCard(texts, true);
    }
    // What was printed at the left edge of a slot's column, top to bottom.
    QList<PrintedText> column(int slot) const
    {
        QList<PrintedText> out;
        const double x = settings.LayoutLeft[slot] / 10.0 - 5;
        for (const PrintedText &t : printer->printed)
            if (qAbs(t.x - x) < 1e-6)
                out.append(t);
        return out;
    }
};

// One vertical line of `text` in `font` 24 point at (5 mm, 5 mm) of an
// image printer of 600 dpi; the cells' rectangles in pixels.
struct Rendered {
    QImage page;
    QList<QRect> cells;
};
Rendered renderLine(const QString &text, bool glyphs, const QString &font = Fonts::Mincho)
{
    ImagePrinter printer(QSizeF(20, 120), 600);
    PrintTable table;
    table.X[0] = 50;
    table.Y[0] = 50;
    table.Size[0] = 24;
    table.Font[0] = font;
    VerticalChoices choices;
    choices.Glyphs = glyphs;
    printer.setScale(PrinterDevice::Scale::Millimetres);
    PrintEngine engine(printer, table, CardCorrections{}, choices);
    if (engine.PrintVerticalLine(0, text) != 0)
        return {};
    printer.endDoc();
    Rendered r{printer.pages().value(0), {}};
    const double px = 600 / 25.4;
    const double em = EmMm(24) * px;
    for (qsizetype i = 0; i < VerticalForms::cellsOf(text).size(); ++i)
        r.cells.append(QRect(qRound(5 * px), qRound(5 * px + i * em), qRound(em), qRound(em)));
    return r;
}

} // namespace

class TestVerticalPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Fonts::installSubstitutions(); }
    void treatments_data();
    void treatments();
    void glyphIndexes_data();
    void glyphIndexes();
    void inkBoxes();
    void offIsAsBefore();
    void pdfKeepsText();
    void jointNames_data();
    void jointNames();
    void movedLineOffTheCard_data();
    void movedLineOffTheCard();
    void fitting_data();
    void fitting();
};

void TestVerticalPrint::treatments_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<Form>("form");
    QTest::newRow("long vowel mark") << "ー" << Form::VerticalOrTurned;
    QTest::newRow("full-width bar stays upright") << "｜" << Form::AsIs;
    QTest::newRow("full-width hyphen") << "－" << Form::VerticalOrTurned;
    QTest::newRow("minus sign") << "−" << Form::VerticalOrTurned;
    QTest::newRow("hyphen") << "‐" << Form::VerticalOrTurned;
    QTest::newRow("small katakana") << "ョ" << Form::VerticalForm;
    QTest::newRow("small hiragana") << "っ" << Form::VerticalForm;
    QTest::newRow("small ke") << "ヶ" << Form::VerticalForm;
    QTest::newRow("ideographic comma") << "、" << Form::VerticalForm;
    QTest::newRow("full stop") << "。" << Form::VerticalForm;
    QTest::newRow("bracket") << "（" << Form::VerticalOrTurned;
    QTest::newRow("corner bracket") << "」" << Form::VerticalOrTurned;
    QTest::newRow("wave dash") << "〜" << Form::VerticalOrTurned;
    QTest::newRow("full-width tilde") << "～" << Form::VerticalOrTurned;
    QTest::newRow("equals") << "＝" << Form::VerticalOrTurned;
    QTest::newRow("ellipsis") << "…" << Form::VerticalOrTurned;
    QTest::newRow("kanji") << "漢" << Form::AsIs;
    QTest::newRow("kana") << "ジ" << Form::AsIs;
    QTest::newRow("full-width letter") << "Ａ" << Form::AsIs;
    QTest::newRow("full-width digit") << "３" << Form::AsIs;
    QTest::newRow("half-width digit") << "5" << Form::AsIs;
    QTest::newRow("half-width long vowel") << "ｰ" << Form::AsIs;
    QTest::newRow("outside the basic plane") << "𠮷" << Form::AsIs;
}

void TestVerticalPrint::treatments()
{
    QFETCH(QString, character);
    QTEST(VerticalForms::treatmentOf(character), "form");
    // A line is cut into cells one character each, a surrogate pair kept whole.
    QCOMPARE(VerticalForms::cellsOf(character + QStringLiteral("漢")), QStringList({character, QStringLiteral("漢")}));
}

void TestVerticalPrint::glyphIndexes_data()
{
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("character");
    QTest::addColumn<bool>("verticalGlyph");
    QTest::addColumn<bool>("turned");
    for (const QString &font : {Fonts::Mincho, Fonts::Gothic}) {
        const QByteArray f = font == Fonts::Mincho ? "mincho: " : "gothic: ";
        QTest::newRow(f + "long vowel mark") << font << "ー" << true << false;
        QTest::newRow(f + "full-width bar") << font << "｜" << false << false;
        QTest::newRow(f + "full-width hyphen") << font << "－" << false << true;
        QTest::newRow(f + "small katakana") << font << "ョ" << true << false;
        QTest::newRow(f + "comma") << font << "、" << true << false;
        QTest::newRow(f + "bracket") << font << "（" << true << false;
        QTest::newRow(f + "wave dash") << font << "〜" << true << false;
        QTest::newRow(f + "kanji") << font << "漢" << false << false;
        QTest::newRow(f + "full-width letter") << font << "Ａ" << false << false;
        QTest::newRow(f + "half-width digit") << font << "5" << false << false;
    }
}

void TestVerticalPrint::glyphIndexes()
{
    QFETCH(QString, font);
    QFETCH(QString, character);
    QFETCH(bool, verticalGlyph);
    QFETCH(bool, turned);
    TestCard card;
    card.settings.FontName[0] = font;
    card.texts.Items[0] = QStringLiteral("東") + character;
    card.choices.Glyphs = true;
    card.print();
    const QList<PrintedText> line = card.column(0);
    QCOMPARE(line.size(), 2);
    const PrintedText &cell = line[1];
    QCOMPARE(cell.text, character);
    QVERIFY(cell.cell);
    QCOMPARE(cell.font, font);
    QVERIFY(cell.horizontal != 0);
    QCOMPARE(cell.glyph != cell.horizontal, verticalGlyph);
    QCOMPARE(cell.quarterTurned, turned);
    // In its own cell of the grid: one em under the first character.
    QVERIFY(qAbs(cell.y - line[0].y - EmMm(18)) < 1e-6);
    // The choice off: the character is printed as before, as text.
    card.choices.Glyphs = false;
    card.print();
    QVERIFY(!card.column(0)[1].cell);
    QCOMPARE(card.column(0)[1].text, character);
}

void TestVerticalPrint::inkBoxes()
{
    const Rendered on = renderLine(QStringLiteral("ー｜－ョ漢"), true);
    const Rendered off = renderLine(QStringLiteral("ー｜－ョ漢"), false);
    QCOMPARE(on.cells.size(), 5);
    const QRect longVowel = Ink::box(on.page, on.cells[0]);
    QVERIFY2(longVowel.height() >= 2 * longVowel.width(), "ー stands along the column");
    const QRect bar = Ink::box(on.page, on.cells[1]);
    QVERIFY2(bar.height() >= 2 * bar.width(), "｜ stays upright");
    const QRect hyphen = Ink::box(on.page, on.cells[2]);
    QVERIFY2(hyphen.height() >= 2 * hyphen.width(), "－ is turned along the column");
    // Horizontally the same three lie across the cell (ー and －) or stand (｜).
    QVERIFY(Ink::box(off.page, off.cells[0]).width() >= 2 * Ink::box(off.page, off.cells[0]).height());
    QVERIFY(Ink::box(off.page, off.cells[2]).width() >= 2 * Ink::box(off.page, off.cells[2]).height());
    // The small kana sits in the upper right of its cell, not the lower left.
    const QRectF small = Ink::relativeBox(on.page, on.cells[3]);
    QVERIFY2(small.center().x() > 0.55 && small.center().y() < 0.5,
             qPrintable(QStringLiteral("ョ at %1,%2 %3x%4").arg(small.left()).arg(small.top()).arg(small.width()).arg(small.height())));
    const QRectF lowerLeft = Ink::relativeBox(off.page, off.cells[3]);
    QVERIFY2(lowerLeft.center().x() < 0.5 && lowerLeft.center().y() > 0.55,
             qPrintable(QStringLiteral("ョ at %1,%2 %3x%4").arg(lowerLeft.left()).arg(lowerLeft.top()).arg(lowerLeft.width()).arg(lowerLeft.height())));
    // The cells are the grid's: a kanji fills its own.
    const QRectF kanji = Ink::relativeBox(on.page, on.cells[4]);
    QVERIFY(kanji.top() > 0 && kanji.bottom() < 1 && kanji.height() > 0.8);
    // A kanji keeps its glyph and its place.
    QVERIFY(Ink::samePixels(on.page, off.page, on.cells[4]));
}

void TestVerticalPrint::offIsAsBefore()
{
    // With the choice off a line prints as it always did: each character
    // with print() at its cell's corner, one em apart.
    const QString text = QStringLiteral("ジョージ（株）コ－ポ");
    const Rendered engine = renderLine(text, false, Fonts::Gothic);
    ImagePrinter printer(QSizeF(20, 120), 600);
    printer.setScale(PrinterDevice::Scale::Millimetres);
    printer.setFontName(Fonts::Gothic);
    printer.setFontSize(24);
    const QStringList cells = VerticalForms::cellsOf(text);
    for (qsizetype i = 0; i < cells.size(); ++i) {
        printer.setCurrentY(5 + i * EmMm(24));
        printer.setCurrentX(5);
        printer.print(cells[i]);
    }
    printer.endDoc();
    QCOMPARE(engine.page, printer.pages().value(0));
    // With it on the same line looks different (and the same where nothing turns).
    const Rendered on = renderLine(text, true, Fonts::Gothic);
    QVERIFY(on.page != engine.page);
    QVERIFY(Ink::samePixels(on.page, engine.page, on.cells[0]));
}

void TestVerticalPrint::pdfKeepsText()
{
    if (!PdfText::toolsAvailable())
        QSKIP("poppler-utils (pdftotext, pdfinfo, pdffonts) are not installed");
    TestEnv env;
    CardTexts texts;
    texts.Items[0] = QStringLiteral("大阪市北区梅田一｜一");
    texts.Items[1] = QStringLiteral("ハーバーランド（タワー）");
    texts.Items[2] = spaced(QStringLiteral("ジョージ"), QStringLiteral("様"));
    const SettingsRecord settings = factorySettings();
    QList<QList<PdfWord>> words;
    for (bool glyphs : {false, true}) {
        const QString path = env.path(glyphs ? QStringLiteral("on.pdf") : QStringLiteral("off.pdf"));
        auto pdf = QtPrinter::pdf(path, QPageSize(QPageSize::Postcard), QPageLayout::Portrait, Card::pdfMargins(),
                                  QStringLiteral("test"));
        const PrintTable table = PrepareLayout(*pdf, settings, 0, storedGroupFonts(settings, 0));
        VerticalChoices choices;
        choices.Glyphs = glyphs;
        PrintEngine engine(*pdf, table, CardCorrections{15.2, 48.2, -5, 7}, choices);
        QCOMPARE(engine.PrintCard(texts, true), CardResult::Printed);
        pdf->endDoc();
        const QList<PdfPage> pages = PdfText::pages(path);
        QCOMPARE(pages.size(), 1);
        words.append(pages[0].words);
        // The font travels with the file.
        const QStringList fonts = PdfText::fonts(path);
        QVERIFY(!fonts.isEmpty());
        for (const QString &font : fonts)
            QVERIFY2(font.contains(QStringLiteral(" yes ")), qPrintable(font));
    }
    // Every character still reads as itself, where it read before.
    QString off, on;
    for (const PdfWord &w : words[0])
        off += w.text;
    for (const PdfWord &w : words[1])
        on += w.text;
    for (const QString &c : {QStringLiteral("ー"), QStringLiteral("（"), QStringLiteral("）"), QStringLiteral("ョ"),
                             QStringLiteral("ジ"), QStringLiteral("｜")})
        QVERIFY2(on.contains(c), qPrintable(c + QStringLiteral(" missing in ") + on));
    QCOMPARE(on.size(), off.size());
    for (const PdfWord &w : words[0]) {
        bool found = false;
        for (const PdfWord &v : words[1])
            found = found || (v.text == w.text && qAbs(v.xMin - w.xMin) < 0.05 && qAbs(v.yMin - w.yMin) < 0.05);
        QVERIFY2(found, qPrintable(w.text));
    }
}

void TestVerticalPrint::jointNames_data()
{
    QTest::addColumn<QString>("name1");
    QTest::addColumn<QString>("name2");
    QTest::addColumn<QString>("honorific");
    QTest::addColumn<bool>("align");
    QTest::addColumn<int>("lead1");
    QTest::addColumn<int>("lead2");
    const QString sama = QStringLiteral("様");
    QTest::newRow("second shorter") << spaced("山田太郎", sama) << spaced("花子", sama) << sama << true << 0 << 4;
    QTest::newRow("first shorter") << spaced("花子", sama) << spaced("山田太郎", sama) << sama << true << 4 << 0;
    QTest::newRow("equal lengths") << spaced("山田", sama) << spaced("花子", sama) << sama << true << 0 << 0;
    const QString onchu = QStringLiteral("御 中");
    QTest::newRow("御 中") << QStringLiteral("山田商事株式会社") + IS + onchu << spaced("営業部", onchu) << onchu << true << 0
                          << 3;
    QTest::newRow("なし") << spaced("山田太郎", " ") << spaced("花子", " ") << " " << true << 0 << 0;
    QTest::newRow("no second line") << spaced("山田太郎", sama) << QString() << sama << true << 0 << 0;
    QTest::newRow("edited without honorific") << spaced("山田太郎", sama) << QStringLiteral("花子") << sama << true << 0 << 0;
    QTest::newRow("choice off") << spaced("山田太郎", sama) << spaced("花子", sama) << sama << false << 0 << 0;
}

void TestVerticalPrint::jointNames()
{
    QFETCH(QString, name1);
    QFETCH(QString, name2);
    QFETCH(QString, honorific);
    QFETCH(bool, align);
    QFETCH(int, lead1);
    QFETCH(int, lead2);
    TestCard card;
    card.texts.Items[Layout::Name1] = name1;
    card.texts.Items[Layout::Name2] = name2;
    card.choices.AlignJointNames = align;
    card.choices.Honorific = honorific;
    card.print();
    QCOMPARE(card.result, CardResult::Printed);
    QCOMPARE(card.plan[Layout::Name1].Lead, lead1);
    QCOMPARE(card.plan[Layout::Name2].Lead, lead2);
    // Printed from 29.0 mm (34.0 - 5), moved down by whole cells of 24 point.
    const double em = EmMm(24);
    const QList<PrintedText> first = card.column(Layout::Name1);
    const QList<PrintedText> second = card.column(Layout::Name2);
    QCOMPARE(first.size(), VerticalForms::cellsOf(name1).size());
    QCOMPARE(second.size(), VerticalForms::cellsOf(name2).size());
    QVERIFY(qAbs(first[0].y - (29.0 + lead1 * em)) < 1e-6);
    if (!second.isEmpty())
        QVERIFY(qAbs(second[0].y - (29.0 + lead2 * em)) < 1e-6);
    // Moved or not, the texts are what the boxes hold.
    QString printed;
    for (const PrintedText &t : first)
        printed += t.text;
    QCOMPARE(printed, name1);
    // Aligned: both honorifics end on one line.
    if (lead1 + lead2 > 0)
        QVERIFY(qAbs(first.last().y - second.last().y) < 1e-6);
}

void TestVerticalPrint::movedLineOffTheCard_data()
{
    QTest::addColumn<bool>("fit");
    QTest::addColumn<int>("top2");
    QTest::addColumn<bool>("printed");
    // From 85.0 mm, four cells moved and five printed: 85 + 9 x 8.47 runs
    // past 142.8 mm; set at 6.17 mm (0.73 em) it ends on it.
    QTest::newRow("refused when not fitted") << false << 900 << false;
    QTest::newRow("fitted tighter") << true << 900 << true;
    // From 95.0 mm it would need 4.92 mm, tighter than 0.6 em (5.08 mm).
    QTest::newRow("refused even tighter") << true << 1000 << false;
}

void TestVerticalPrint::movedLineOffTheCard()
{
    QFETCH(bool, fit);
    QFETCH(int, top2);
    TestCard card;
    card.settings.LayoutTop[Layout::Name2] = qint16(top2);
    card.texts.Items[Layout::Name1] = spaced("山田太郎", "様");
    card.texts.Items[Layout::Name2] = spaced("花子", "様");
    card.choices = {false, fit, true, QStringLiteral("様")};
    card.print();
    QFETCH(bool, printed);
    QCOMPARE(card.result == CardResult::Printed, printed);
    QVERIFY(card.plan[Layout::Name2].Lead > 0);
    if (printed) {
        const QList<PrintedText> second = card.column(Layout::Name2);
        QVERIFY(qAbs(second.last().y + EmMm(24) - 142.8) < 0.1);
    } else {
        QVERIFY(card.printer->printed.isEmpty());
    }
}

void TestVerticalPrint::fitting_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fit");
    QTest::addColumn<QString>("postal");
    QTest::addColumn<bool>("printed");
    QTest::addColumn<double>("pitchEm"); // 0: not checked
    QTest::addColumn<double>("lastBottom");
    const QString tower = QStringLiteral("梅田スカイビル（タワーイースト）３０２号"); // 20 characters
    const QString postal = QStringLiteral("5 3 0 0 0 0 1");
    // Address 2 from 31.0 mm, 18 point (6.35 mm); the printable area ends at 142.8 mm.
    QTest::newRow("fits") << 1 << QStringLiteral("梅田一丁目") << true << postal << true << 1.0 << 31 + 5 * 6.35;
    QTest::newRow("fits only tighter") << 1 << tower << true << postal << true << 0.0 << 142.8;
    QTest::newRow("too long even at 0.6 em") << 1 << tower + QStringLiteral("大阪府大阪市北区大淀中一") << true << postal
                                             << false << 0.0 << 0.0;
    QTest::newRow("choice off") << 1 << tower << false << postal << false << 0.0 << 0.0;
    // The sender's address from 72.0 mm in 12 point (4.23 mm), the postal
    // code across from x 3.0 to 30.5 mm at 118.0 mm: the column at 20.0 mm
    // meets it, so the line ends 1 mm above it.
    const QString sender = QStringLiteral("大阪府大阪市北区大淀中一｜一八"); // 15 characters
    QTest::newRow("sender stopped above the postal code") << 4 << sender << true << postal << true << 0.0 << 117.0;
    QTest::newRow("sender without a postal code") << 4 << sender << true << QString() << true << 1.0
                                                  << 72 + 15 * EmMm(12);
    QTest::newRow("sender, choice off") << 4 << sender << false << postal << true << 1.0 << 72 + 15 * EmMm(12);
    QTest::newRow("short sender line") << 4 << QStringLiteral("大阪府") << true << postal << true << 1.0
                                       << 72 + 3 * EmMm(12);
}

void TestVerticalPrint::fitting()
{
    QFETCH(int, slot);
    QFETCH(QString, text);
    QFETCH(bool, fit);
    QFETCH(QString, postal);
    QFETCH(bool, printed);
    QFETCH(double, pitchEm);
    QFETCH(double, lastBottom);
    TestCard card;
    card.texts.Items[slot] = text;
    card.texts.Items[Layout::SenderPostalCode] = postal;
    card.choices.FitLongLines = fit;
    card.print();
    QCOMPARE(card.result == CardResult::Printed, printed);
    if (!printed) {
        QVERIFY(card.printer->printed.isEmpty());
        return;
    }
    const QList<PrintedText> line = card.column(slot);
    QCOMPARE(line.size(), VerticalForms::cellsOf(text).size());
    const double em = EmMm(card.settings.FontSize[slot]);
    const double pitch = line[1].y - line[0].y;
    if (pitchEm > 0)
        QVERIFY(qAbs(pitch - pitchEm * em) < 1e-6);
    QVERIFY(pitch >= 0.6 * em - 1e-6);
    // Evenly set: every step the same, the glyphs one em each.
    for (qsizetype i = 1; i < line.size(); ++i)
        QVERIFY(qAbs(line[i].y - line[i - 1].y - pitch) < 1e-6);
    QCOMPARE(line.last().size, double(card.settings.FontSize[slot]));
    const double bottom = line.last().y + em;
    QVERIFY2(qAbs(bottom - lastBottom) < 0.1, qPrintable(QString::number(bottom)));
}

QTEST_MAIN(TestVerticalPrint)
#include "tst_verticalprint.moc"
