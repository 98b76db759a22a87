// Printing where the boxes are: the printer's own shift and feed move every
// printed item of a card (and the preview, and the layout view's picture),
// per printer; the alignment sheet shows the card's outline, postal boxes
// and the crosses of the items where a card printed now lands, on the
// recording printer and in a real PDF; the position dialog keeps what the
// user measured.
#include "support/cardbook.h"
#include "support/pageimage.h"
#include "support/pdftext.h"

#include "print/aligndialog.h"
#include "print/cardgeometry.h"
#include "print/cardpreview.h"
#include "print/cardview.h"
#include "print/princard.h"
#include "print/printengine.h"
#include "print/printtable.h"
#include "store/settingsfile.h"

#include "platform/codec.h"
#include "platform/fonts.h"
#include "platform/printerchoice.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

namespace {

// The recording printer of a card job: the card's printable area behind the
// margins a PDF of it has.
constexpr double MarginX = 2.0, MarginY = 2.6;
constexpr double MmPerTwip = 25.4 / 1440;

// The factory layout as the Parts give it (tenths of a millimetre), items 0 ... 8.
constexpr std::array<int, 9> VerticalLeft = {860, 760, 600, 480, 250, 185, 125, 63, 80};
constexpr std::array<int, 9> VerticalTop = {300, 360, 340, 340, 770, 770, 895, 895, 1230};
constexpr std::array<int, 9> HorizontalLeft = {250, 310, 300, 300, 70, 100, 200, 200, 80};
constexpr std::array<int, 9> HorizontalTop = {300, 400, 500, 600, 1180, 1260, 1340, 1400, 1230};

// Where a place of the page (from the printable area) lands on the card's
// recording printer: shifted, then turned about the card's centre.
QPointF landed(QPointF p, QPointF shift, bool turned)
{
    const QPointF q = p + shift;
    if (!turned)
        return q;
    return QPointF(Card::WidthMm - 2 * MarginX - q.x(), Card::HeightMm - 2 * MarginY - q.y());
}

bool near(QPointF a, QPointF b, double tolerance = 1e-6)
{
    return qAbs(a.x() - b.x()) < tolerance && qAbs(a.y() - b.y()) < tolerance;
}

// Whether the printer drew a line between the two points (either way round).
bool hasLine(const RecordingPrinter &printer, QPointF a, QPointF b)
{
    for (const PrintedLine &l : printer.lines)
        if ((near(l.from, a) && near(l.to, b)) || (near(l.from, b) && near(l.to, a)))
            return true;
    return false;
}

// The texts the recording printer printed, one of each, as "text@x,y".
const PrintedText *printedText(const RecordingPrinter &printer, const QString &text)
{
    for (const PrintedText &t : printer.printed)
        if (t.text == text)
            return &t;
    return nullptr;
}

// A text's width and height on the recording printer, millimetres.
QSizeF recordedSize(const PrintedText &t)
{
    return QSizeF(Cp932::byteLength(t.text) * t.size * 10 * MmPerTwip, t.size * 20 * MmPerTwip);
}

// One card printed by 単印刷 of a dialog on the factory layout.
RecordingPrinter *printSingle(TestEnv &env, PrinCard &card)
{
    card.Command1_Click();
    return env.printers.last();
}

void setAdjustment(TestEnv &env, const QString &printer, int x, int y, bool turned)
{
    PrinterAdjustment a;
    a.ShiftX = qint16(x);
    a.ShiftY = qint16(y);
    a.UpsideDown = turned;
    env.dm->Conf.setAdjustment(printer, a);
}

QString shiftedText(const PrintedText &t)
{
    return QStringLiteral("%1 at %2, %3").arg(t.text).arg(t.x).arg(t.y);
}

} // namespace

class TestAlignment : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Fonts::installSubstitutions(); }
    void shiftMovesEveryItem_data();
    void shiftMovesEveryItem();
    void turnedCard_data();
    void turnedCard();
    void valuesFollowThePrinter();
    void shiftedLineStillChecked();
    void sheetOnTheRecordingPrinter_data();
    void sheetOnTheRecordingPrinter();
    void sheetAsPdf_data();
    void sheetAsPdf();
    void positionDialog_data();
    void positionDialog();
    void positionDialogCancelAndTurn();
    void previewAsItComesOut_data();
    void previewAsItComesOut();
    void layoutViewShowsTheShift();
};

void TestAlignment::shiftMovesEveryItem_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::newRow("縦書き") << true;
    QTest::newRow("横書き") << false;
}

void TestAlignment::shiftMovesEveryItem()
{
    QFETCH(bool, vertical);
    TestEnv env;
    QVERIFY(openCardBook(env, 3));
    useFactorySettings(env);
    PrinCard card(*env.dm);
    (vertical ? card.Option1 : card.Option2)->click();
    const QList<PrintedText> plain = printSingle(env, card)->printed;
    setAdjustment(env, PdfPrinterName, 15, -7, false);
    const QList<PrintedText> shifted = printSingle(env, card)->printed;
    QVERIFY(plain.size() >= 12); // the seven digits and the lines that have text
    QCOMPARE(shifted.size(), plain.size());
    for (qsizetype i = 0; i < plain.size(); ++i) {
        QCOMPARE(shifted[i].text, plain[i].text);
        QVERIFY2(near(QPointF(shifted[i].x, shifted[i].y), QPointF(plain[i].x + 1.5, plain[i].y - 0.7), 1e-9),
                 qPrintable(shiftedText(plain[i]) + QStringLiteral(" -> ") + shiftedText(shifted[i])));
        QVERIFY(!shifted[i].turned);
    }
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestAlignment::turnedCard_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPointF>("upright"); // where the factory layout prints it, from the printable area
    QTest::addColumn<QPoint>("shift");
    QTest::newRow("first postal digit") << "1" << QPointF(43.2, 10.2) << QPoint();
    QTest::newRow("seventh postal digit") << "7" << QPointF(85.7, 10.2) << QPoint();
    QTest::newRow("address, first character") << "東" << QPointF(81.0, 25.0) << QPoint();
    QTest::newRow("sender's postal code") << "530-0001" << QPointF(3.0, 118.0) << QPoint();
    QTest::newRow("first digit, shifted") << "1" << QPointF(43.2, 10.2) << QPoint(15, -7);
}

void TestAlignment::turnedCard()
{
    QFETCH(QString, text);
    QFETCH(QPointF, upright);
    QFETCH(QPoint, shift);
    TestEnv env;
    QVERIFY(openCardBook(env, 2, {}, {{2, QStringLiteral("東山")}}));
    useFactorySettings(env);
    env.dm->Settings.SenderNumber = 0;
    setAdjustment(env, PdfPrinterName, shift.x(), shift.y(), true);
    PrinCard card(*env.dm);
    card.HScroll2->setValue(2);
    card.Text06->setText(QStringLiteral("東京都"));
    card.Text14->setText(QStringLiteral("530-0001"));
    for (int k = 1; k <= 7; ++k)
        card.Text01[k]->setText(QString::number(k));
    RecordingPrinter *printer = printSingle(env, card);
    const PrintedText *t = printedText(*printer, text);
    QVERIFY2(t, qPrintable(text));
    QVERIFY(t->turned);
    // On the card: (card width − x − its width, card height − y − its height).
    const QSizeF size = recordedSize(*t);
    const QPointF onCard(upright.x() + shift.x() / 10.0 + MarginX, upright.y() + shift.y() / 10.0 + MarginY);
    const QPointF expected(Card::WidthMm - onCard.x() - size.width(), Card::HeightMm - onCard.y() - size.height());
    QVERIFY2(near(QPointF(t->x + MarginX, t->y + MarginY), expected, 1e-9),
             qPrintable(QStringLiteral("%1 at %2, %3 on the card; expected %4, %5")
                            .arg(text).arg(t->x + MarginX).arg(t->y + MarginY).arg(expected.x()).arg(expected.y())));
    // Every item of the card is turned.
    for (const PrintedText &p : printer->printed)
        QVERIFY(p.turned);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestAlignment::valuesFollowThePrinter()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 2));
    useFactorySettings(env);
    setAdjustment(env, PdfPrinterName, 10, 0, false);
    setAdjustment(env, QStringLiteral("事務所のプリンタ"), -20, 5, false);
    PrinCard card(*env.dm);
    const auto firstDigit = [&] {
        const PrintedText *t = printedText(*printSingle(env, card), QStringLiteral("1"));
        return t ? QPointF(t->x, t->y) : QPointF(-100, -100);
    };
    QVERIFY(near(firstDigit(), QPointF(44.2, 10.2)));
    // ﾌﾟﾘﾝﾀ定義 chooses another printer: its own values.
    env.printers.setupNames = {QStringLiteral("事務所のプリンタ"), QStringLiteral("新しいプリンタ")};
    card.Print_Teigi->trigger();
    QVERIFY(near(firstDigit(), QPointF(41.2, 10.7)));
    // A printer without values of its own prints as the layout says.
    card.Print_Teigi->trigger();
    QVERIFY(near(firstDigit(), QPointF(43.2, 10.2)));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestAlignment::shiftedLineStillChecked()
{
    // Name line 1 of 13 characters at 24 point ends exactly on the printable
    // area's bottom: printed as it is, refused when the printer moves it 0.1
    // mm down (it would be cut off), printed again when moved up.
    SettingsRecord s;
    SettingsFile::applyFirstRun(s, QStringLiteral("/tmp"), QDate(2026, 1, 1), LayoutDefaults::factory());
    CardTexts card;
    card.Items[Layout::Name1] = QString(13, QChar(u'山'));
    const double bottom = 29.0 + 13 * 24 * 25.4 / 72;
    for (const auto &[shiftY, expected] : {std::pair{0.0, CardResult::Printed}, std::pair{0.1, CardResult::OutOfArea},
                                            std::pair{-0.1, CardResult::Printed}}) {
        for (bool turned : {false, true}) {
            RecordingPrinter printer(QSizeF(96, bottom), QMarginsF(2, 0, 2, 0));
            printer.setPlacement({0, shiftY, turned});
            const PrintTable table = PrepareLayout(printer, s, 0, storedGroupFonts(s, 0));
            PrintEngine engine(printer, table, CardCorrections{15.2, 48.2, -5, 7});
            QCOMPARE(engine.PrintCard(card, true), expected);
        }
    }
}

void TestAlignment::sheetOnTheRecordingPrinter_data()
{
    QTest::addColumn<bool>("vertical");
    QTest::addColumn<QPoint>("shift");
    QTest::addColumn<bool>("turned");
    QTest::newRow("縦書き") << true << QPoint() << false;
    QTest::newRow("横書き") << false << QPoint() << false;
    QTest::newRow("縦書き, shifted") << true << QPoint(15, -7) << false;
    QTest::newRow("横書き, shifted, turned") << false << QPoint(15, -7) << true;
    QTest::newRow("縦書き, turned") << true << QPoint() << true;
}

void TestAlignment::sheetOnTheRecordingPrinter()
{
    QFETCH(bool, vertical);
    QFETCH(QPoint, shift);
    QFETCH(bool, turned);
    TestEnv env;
    QVERIFY(openCardBook(env, 2));
    useFactorySettings(env);
    setAdjustment(env, PdfPrinterName, shift.x(), shift.y(), turned);
    PrinCard card(*env.dm);
    (vertical ? card.Option1 : card.Option2)->click();
    env.boxes.answer(MsgAnswerCode::No);
    card.Print_Sheet->trigger();

    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].text,
             QStringLiteral("位置合わせ用紙を印刷しました。\n葉書と重ねて、ずれを測ってください。\n\n続けて位置の調整を行いますか？"));
    QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("位置合わせ印刷"));
    QCOMPARE(env.boxes.shown[0].buttons, MsgButtons::YesNo);
    QVERIFY(env.modal.ran.isEmpty());
    QCOMPARE(env.printers.jobs.size(), 1);
    QCOMPARE(env.printers.jobs[0].pageSize.size(QPageSize::Millimeter), QSizeF(100, 148));
    const RecordingPrinter &printer = *env.printers.last();
    QCOMPARE(printer.endedCount(), 1);
    QCOMPARE(printer.documents[0].pages, 1);

    const QPointF s = QPointF(shift) / 10.0;
    const auto lineAt = [&](QPointF a, QPointF b) { return hasLine(printer, landed(a, s, turned), landed(b, s, turned)); };
    // The card's outline and its seven postal boxes, from the card's corner.
    const QPointF corner(-MarginX, -MarginY);
    QVERIFY(lineAt(corner, corner + QPointF(100, 0)));
    QVERIFY(lineAt(corner + QPointF(0, 148), corner + QPointF(100, 148)));
    QVERIFY(lineAt(corner, corner + QPointF(0, 148)));
    const std::array<double, 7> boxLeft = {44.3, 51.3, 58.3, 65.9, 72.7, 79.5, 86.3};
    for (double left : boxLeft) {
        const QPointF topLeft = corner + QPointF(left, 12.0);
        QVERIFY2(lineAt(topLeft, topLeft + QPointF(5.7, 0)), qPrintable(QString::number(left)));
        QVERIFY(lineAt(topLeft, topLeft + QPointF(0, 8.0)));
        QVERIFY(lineAt(topLeft + QPointF(5.7, 8.0), topLeft + QPointF(0, 8.0)));
    }
    // A cross at the first digit's place and at each item's corner.
    QList<QPointF> places = {QPointF(48.2 - 5, 15.2 - 5)};
    for (int item = 0; item < 9; ++item)
        places.append(vertical ? QPointF(VerticalLeft[item] / 10.0 - 5, VerticalTop[item] / 10.0 - 5)
                               : QPointF(HorizontalLeft[item] / 10.0 - 5, HorizontalTop[item] / 10.0 - 5));
    for (const QPointF &p : places) {
        QVERIFY2(lineAt(p - QPointF(2.5, 0), p + QPointF(2.5, 0)), qPrintable(QStringLiteral("cross at %1, %2").arg(p.x()).arg(p.y())));
        QVERIFY(lineAt(p - QPointF(0, 2.5), p + QPointF(0, 2.5)));
    }
    // Scales: a tick every millimetre, 5 mm long every 10 mm, numbered.
    QVERIFY(lineAt(corner + QPointF(37, 0), corner + QPointF(37, 2)));
    QVERIFY(lineAt(corner + QPointF(40, 0), corner + QPointF(40, 5)));
    QVERIFY(lineAt(corner + QPointF(0, 140), corner + QPointF(5, 140)));
    QVERIFY(lineAt(corner + QPointF(0, 145), corner + QPointF(3.5, 145)));
    for (int mm = 10; mm <= 90; mm += 10) {
        bool found = false;
        for (const PrintedText &t : printer.printed)
            if (t.text == QString::number(mm)) {
                const QSizeF size = recordedSize(t);
                const QPointF middle(t.x + size.width() / 2, t.y + size.height() / 2);
                found |= qAbs(middle.x() - landed(corner + QPointF(mm, 0), s, turned).x()) < 1e-6;
            }
        QVERIFY2(found, qPrintable(QString::number(mm)));
    }
    QVERIFY(printedText(printer, QStringLiteral("140")));
    QVERIFY(printedText(printer, QStringLiteral("〒")));
    QVERIFY(printedText(printer, QStringLiteral("差郵No")));
    // One line says what the sheet was printed with.
    QString line = QStringLiteral("PDF %1 基準値補正 -5 縦補正値 15.2 横補正値 48.2 右へ %2 mm、下へ %3 mm")
                       .arg(vertical ? QStringLiteral("縦書き") : QStringLiteral("横書き"),
                            shift.isNull() ? QStringLiteral("0.0") : QStringLiteral("1.5"),
                            shift.isNull() ? QStringLiteral("0.0") : QStringLiteral("-0.7"));
    if (turned)
        line += QStringLiteral(" 上下逆に給紙");
    QVERIFY2(printedText(printer, line), qPrintable(printer.textsOnPage(1).join(QLatin1Char('|'))));
    for (const PrintedText &t : printer.printed)
        QCOMPARE(t.turned, turned);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestAlignment::sheetAsPdf_data()
{
    QTest::addColumn<QPoint>("shift");
    QTest::addColumn<bool>("turned");
    QTest::newRow("as it is") << QPoint() << false;
    QTest::newRow("shifted") << QPoint(15, -7) << false;
    QTest::newRow("turned") << QPoint() << true;
}

void TestAlignment::sheetAsPdf()
{
    if (!PdfText::toolsAvailable() || !PageImage::rendererAvailable())
        QSKIP("poppler-utils are not installed");
    QFETCH(QPoint, shift);
    QFETCH(bool, turned);
    TestEnv env;
    QVERIFY(openCardBook(env, 2));
    useFactorySettings(env);
    SystemPrinterChoice pdfChoice(env.boxes, env.dialogs);
    env.dialogs.answerPrinter([](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        return true;
    });
    QVERIFY(pdfChoice.setup(nullptr));
    env.dm->Platform.Printers = &pdfChoice;
    setAdjustment(env, PdfPrinterName, shift.x(), shift.y(), turned);
    PrinCard card(*env.dm);
    const QString pdf = env.path(QStringLiteral("sheet.pdf"));
    env.dialogs.answerSave(pdf);
    env.boxes.answer(MsgAnswerCode::No);
    card.Print_Sheet_Click();
    QCOMPARE(PdfText::pageCount(pdf), 1);
    const QList<PdfPage> pages = PdfText::pages(pdf);
    QCOMPARE(pages.size(), 1);
    // The card's page, in whole points.
    QVERIFY(qAbs(pages[0].widthMm - 100) < 0.36 && qAbs(pages[0].heightMm - 148) < 0.36);

    // On the page (the card): x' = x + shift, or turned about the middle.
    const QPointF s = QPointF(shift) / 10.0;
    const auto onPage = [&](double x, double y) {
        const QPointF q(x + s.x(), y + s.y());
        return turned ? QPointF(Card::WidthMm - q.x(), Card::HeightMm - q.y()) : q;
    };
    QVERIFY2(pages[0].text().contains(QStringLiteral("PDF")), qPrintable(pages[0].text()));
    if (!turned) {
        // The scale's numbers stand centred on their ticks.
        for (const QString number : {QStringLiteral("30"), QStringLiteral("70")}) {
            const PdfWord *w = nullptr;
            for (const PdfWord &word : pages[0].words)
                if (word.text == number && word.yMax < 15)
                    w = &word;
            QVERIFY2(w, qPrintable(number));
            const double middle = (w->xMin + w->xMax) / 2;
            QVERIFY2(qAbs(middle - onPage(number.toInt(), 0).x()) <= 0.1, qPrintable(QString::number(middle)));
        }
    }

    const QImage image = PageImage::render(pdf, 508);
    QVERIFY(!image.isNull());
    // Both upright edges and the top edge of every postal box, within 0.1 mm.
    const std::array<double, 7> boxLeft = {44.3, 51.3, 58.3, 65.9, 72.7, 79.5, 86.3};
    for (double left : boxLeft) {
        for (double edge : {left, left + 5.7}) {
            const QPointF at = onPage(edge, 16.0);
            const auto x = PageImage::inkAcross(image, at.y(), at.x() - 0.5, at.x() + 0.5);
            QVERIFY2(x && qAbs(*x - at.x()) <= 0.1,
                     qPrintable(QStringLiteral("box edge %1 drawn at %2, expected %3").arg(edge).arg(x.value_or(-1)).arg(at.x())));
        }
        const QPointF top = onPage(left + 1.0, 12.0);
        const auto y = PageImage::inkDown(image, top.x(), top.y() - 0.5, top.y() + 0.5);
        QVERIFY2(y && qAbs(*y - top.y()) <= 0.1, qPrintable(QStringLiteral("top edge at %1, expected %2").arg(y.value_or(-1)).arg(top.y())));
    }
    // The first digit's cross: its upright arm at 横補正値 + 基準値補正 + the margin.
    const QPointF cross = onPage(48.2 - 5 + Card::PdfMarginLeftMm, 15.2 - 5 + Card::PdfMarginTopMm + 1.5);
    const auto arm = PageImage::inkAcross(image, cross.y(), cross.x() - 0.4, cross.x() + 0.4);
    QVERIFY2(arm && qAbs(*arm - cross.x()) <= 0.1, qPrintable(QString::number(arm.value_or(-1))));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestAlignment::positionDialog_data()
{
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("down");
    QTest::addColumn<int>("storedX");
    QTest::addColumn<int>("storedY");
    QTest::addColumn<QString>("refused"); // the box named in the message; empty: stored
    QTest::newRow("both") << "1.5" << "-0.7" << 15 << -7 << "";
    QTest::newRow("full-width, minus sign") << "１．５" << "−０．７" << 15 << -7 << "";
    QTest::newRow("the ends of the range") << "-10.0" << "10" << -100 << 100 << "";
    QTest::newRow("blanks, a plus, a point first") << " +2 " << ".5" << 20 << 5 << "";
    QTest::newRow("not a number") << "abc" << "0" << 0 << 0 << "右へ (mm)";
    QTest::newRow("beyond the range") << "10.1" << "0" << 0 << 0 << "右へ (mm)";
    QTest::newRow("finer than a tenth") << "0" << "1.25" << 0 << 0 << "下へ (mm)";
    QTest::newRow("empty") << "0" << "" << 0 << 0 << "下へ (mm)";
}

void TestAlignment::positionDialog()
{
    QFETCH(QString, right);
    QFETCH(QString, down);
    QFETCH(QString, refused);
    TestEnv env;
    QVERIFY(openCardBook(env, 2));
    useFactorySettings(env);
    setAdjustment(env, QStringLiteral("他のプリンタ"), 30, 30, true);
    PrinCard card(*env.dm);
    if (!refused.isEmpty())
        env.boxes.answer(MsgAnswerCode::Ok);
    bool seen = false;
    env.modal.then([&](QDialog &dialog) {
        auto &d = static_cast<AlignDialog &>(dialog);
        seen = true;
        [&] {
            QCOMPARE(d.windowTitle(), QStringLiteral("位置合わせ"));
            QCOMPARE(d.Label1->text(), QStringLiteral("ﾌﾟﾘﾝﾀ： PDF"));
            QCOMPARE(d.Label2->text(), QStringLiteral("右へ (mm):"));
            QCOMPARE(d.Label3->text(), QStringLiteral("下へ (mm):"));
            QCOMPARE(d.Text1->text(), QStringLiteral("0.0"));
            QCOMPARE(d.Check1->text(), QStringLiteral("葉書を上下逆に給紙する"));
            QCOMPARE(d.Command1->text(), QStringLiteral("了解"));
            QCOMPARE(d.Command2->text(), QStringLiteral("キャンセル"));
            d.Text1->setText(right);
            d.Text2->setText(down);
            d.Command1->click();
            if (refused.isEmpty()) {
                QCOMPARE(d.result(), int(QDialog::Accepted));
                // The picture showed the crosses moved by the shift: the first
                // digit's from 横補正値 + 基準値補正 + the printer's margin.
                QFETCH(int, storedX);
                QFETCH(int, storedY);
                QVERIFY(near(d.Picture1->crossOnCard(0),
                             QPointF(43.2 + MarginX + storedX / 10.0, 10.2 + MarginY + storedY / 10.0), 1e-9));
                return;
            }
            QCOMPARE(env.boxes.shown.size(), 1);
            QCOMPARE(env.boxes.shown[0].text,
                     refused + QStringLiteral(" には -10.0 から 10.0 までの数値を 0.1 mm 単位で入力してください。"));
            QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("位置合わせ"));
            QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Exclamation);
            QCOMPARE(d.focusWidget(), refused.startsWith(QStringLiteral("右")) ? d.Text1 : d.Text2);
            QVERIFY(d.isVisible() || d.result() != int(QDialog::Accepted));
            d.Command2->click();
        }();
        return d.result();
    });
    card.Print_Adjust->trigger();
    QVERIFY(seen);
    QCOMPARE(env.modal.ran, QStringList({"AlignDialog"}));
    QFETCH(int, storedX);
    QFETCH(int, storedY);
    const PrinterAdjustment stored = env.dm->Conf.adjustment(PdfPrinterName);
    QCOMPARE(int(stored.ShiftX), storedX);
    QCOMPARE(int(stored.ShiftY), storedY);
    QVERIFY(!stored.UpsideDown);
    // Another printer's values are its own.
    QCOMPARE(env.dm->Conf.adjustment(QStringLiteral("他のプリンタ")).ShiftX, qint16(30));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestAlignment::positionDialogCancelAndTurn()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 2));
    useFactorySettings(env);
    setAdjustment(env, PdfPrinterName, -12, 4, false);
    PrinCard card(*env.dm);
    // キャンセル changes nothing, whatever was typed.
    env.modal.then([](QDialog &dialog) {
        auto &d = static_cast<AlignDialog &>(dialog);
        if (d.Text1->text() != QStringLiteral("-1.2") || d.Text2->text() != QStringLiteral("0.4"))
            return -1;
        d.Text1->setText(QStringLiteral("5"));
        d.Check1->setChecked(true);
        d.Command2->click();
        return d.result();
    });
    card.Print_Adjust_Click();
    QCOMPARE(env.dm->Conf.adjustment(PdfPrinterName), (PrinterAdjustment{-12, 4, false}));
    // The feed choice is kept with the shift; after the sheet, the dialog is offered.
    env.boxes.answer(MsgAnswerCode::Yes);
    env.modal.then([](QDialog &dialog) {
        auto &d = static_cast<AlignDialog &>(dialog);
        d.Check1->setChecked(true);
        d.Command1->click();
        return d.result();
    });
    card.Print_Sheet_Click();
    QCOMPARE(env.modal.ran, QStringList({"AlignDialog", "AlignDialog"}));
    QCOMPARE(env.dm->Conf.adjustment(PdfPrinterName), (PrinterAdjustment{-12, 4, true}));
    // The next card comes out turned.
    QVERIFY(printSingle(env, card)->printed.first().turned);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestAlignment::previewAsItComesOut_data()
{
    QTest::addColumn<QPoint>("shift");
    QTest::addColumn<bool>("turned");
    QTest::newRow("shifted") << QPoint(15, -7) << false;
    QTest::newRow("turned") << QPoint() << true;
}

void TestAlignment::previewAsItComesOut()
{
    if (!PageImage::rendererAvailable())
        QSKIP("poppler-utils (pdftoppm) are not installed");
    QFETCH(QPoint, shift);
    QFETCH(bool, turned);
    TestEnv env;
    QVERIFY(openCardBook(env, 2));
    useFactorySettings(env);
    env.dm->Settings.SenderNumber = 0;
    PrinCard card(*env.dm);
    // The preview's page drawn into a PDF file, as the preview shows it.
    const auto previewPage = [&](const QString &name) {
        const QString pdf = env.path(name);
        env.modal.then([pdf](QDialog &dialog) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Postcard), QPageLayout::Portrait, QMarginsF(),
                                              QPageLayout::Millimeter));
            static_cast<CardPreview &>(dialog).PaintCards(&printer);
            return 0;
        });
        card.Print_View->trigger();
        return PageImage::render(pdf, 254);
    };
    const QImage upright = previewPage(QStringLiteral("upright.pdf"));
    setAdjustment(env, PdfPrinterName, shift.x(), shift.y(), turned);
    const QImage placed = previewPage(QStringLiteral("placed.pdf"));
    QVERIFY(!upright.isNull() && !placed.isNull());
    // The first digit "1" of 101-4567 in its box, and where the placement puts it.
    const QRectF digit = PageImage::inkBox(upright, QRectF(44.3, 12.0, 5.7, 8.0));
    QVERIFY(!digit.isEmpty());
    const QPointF s = QPointF(shift) / 10.0;
    const QRectF expected = turned ? QRectF(Card::WidthMm - digit.right(), Card::HeightMm - digit.bottom(),
                                            digit.width(), digit.height())
                                   : digit.translated(s);
    const QRectF ink = PageImage::inkBox(placed, expected.adjusted(-0.5, -0.5, 0.5, 0.5));
    // The renderer fits an upright and a turned glyph to its pixels a little
    // differently (by up to two of its 0.1 mm pixels); the places themselves
    // are exact on the recording printer and on the painter.
    QVERIFY2(near(ink.center(), expected.center(), 0.25) && qAbs(ink.width() - expected.width()) <= 0.2
                 && qAbs(ink.height() - expected.height()) <= 0.2,
             qPrintable(QStringLiteral("ink at %1, %2 - %3, %4; expected %5, %6 - %7, %8")
                            .arg(ink.left()).arg(ink.top()).arg(ink.right()).arg(ink.bottom())
                            .arg(expected.left()).arg(expected.top()).arg(expected.right()).arg(expected.bottom())));
    // The card's own boxes stay on the card: turned with the page, never shifted.
    const QPointF edge = turned ? QPointF(Card::WidthMm - 44.3, Card::HeightMm - 16.0) : QPointF(44.3, 16.0);
    const QRgb pixel = placed.pixel(qRound(edge.x() * 10), qRound(edge.y() * 10));
    QVERIFY2(qRed(pixel) > qGreen(pixel) + 20, qPrintable(QString::number(pixel, 16)));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestAlignment::layoutViewShowsTheShift()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 2));
    useFactorySettings(env);
    const auto pictureMm = [](QWidget *w) {
        return QPointF(w->x(), w->y()) * 25.4 / w->logicalDpiX();
    };
    PrinCard card(*env.dm);
    CardView plain(*env.dm, card.BoxTexts(), storedGroupFonts(env.dm->Settings, 0));
    QVERIFY(plain.ShiftLabel->isHidden());
    setAdjustment(env, PdfPrinterName, 15, -7, false);
    CardView shifted(*env.dm, card.BoxTexts(), storedGroupFonts(env.dm->Settings, 0));
    QCOMPARE(shifted.PrinterShift(), QPoint(15, -7));
    QVERIFY(!shifted.ShiftLabel->isHidden());
    QCOMPARE(shifted.ShiftLabel->text(), QStringLiteral("ﾌﾟﾘﾝﾀ PDF の補正込みで表示：右へ 1.5 mm、下へ -0.7 mm"));
    // The items and digits move by the shift at the picture's 0.6; the
    // positions shown stay the layout's.
    const double pixel = 25.4 / plain.logicalDpiX();
    const QPointF moved = pictureMm(shifted.Label2[0]) - pictureMm(plain.Label2[0]);
    QVERIFY2(near(moved, QPointF(0.9, -0.42), 1.5 * pixel), qPrintable(QStringLiteral("%1, %2").arg(moved.x()).arg(moved.y())));
    const QPointF digit = pictureMm(shifted.Lab1[1]) - pictureMm(plain.Lab1[1]);
    QVERIFY(near(digit, QPointF(0.9, -0.42), 1.5 * pixel));
    QCOMPARE(shifted.Label9[0]->text(), QStringLiteral("30"));
    QCOMPARE(shifted.Label9[1]->text(), QStringLiteral("86"));
    shifted.Command1_Click();
    QCOMPARE(env.dm->Settings.LayoutLeft[0], qint16(860));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

QTEST_MAIN(TestAlignment)
#include "tst_alignment.moc"
