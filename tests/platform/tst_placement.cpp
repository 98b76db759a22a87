// Where a printer puts the page on the paper: texts and lines land shifted,
// or turned about the page's centre (margins as they are), and the printable
// area seen from the page moves the other way; a real painter draws a turned
// text upside down in the place the recording printer says.
#include "support/pageimage.h"

#include "platform/painterprinter.h"
#include "support/recordingprinter.h"

#include <QtTest>

using Scale = PrinterDevice::Scale;
Q_DECLARE_METATYPE(PagePlacement)

class TestPlacement : public QObject {
    Q_OBJECT
private slots:
    void textsAndLines_data();
    void textsAndLines();
    void painterTurnsInThePlaceRecorded();
};

namespace {
constexpr double TextSide = 2 * 12 * 10 * 25.4 / 1440; // "AB" at 12 pt on the recording printer: 4.233 mm across
constexpr double LineHeight = 12 * 20 * 25.4 / 1440;

bool near(QPointF a, QPointF b)
{
    return qAbs(a.x() - b.x()) < 1e-9 && qAbs(a.y() - b.y()) < 1e-9;
}
} // namespace

void TestPlacement::textsAndLines_data()
{
    QTest::addColumn<PagePlacement>("placement");
    QTest::addColumn<QMarginsF>("margins");
    QTest::addColumn<QPointF>("text");
    QTest::addColumn<QPointF>("from");
    QTest::addColumn<QPointF>("to");
    QTest::addColumn<QPointF>("areaEnd");
    // The printable area is 90 x 140 mm; "AB" is printed at (10, 20), the
    // line drawn from (5, 6) to (15, 6).
    const double w = TextSide, h = LineHeight;
    QTest::newRow("none") << PagePlacement{} << QMarginsF() << QPointF(10, 20) << QPointF(5, 6) << QPointF(15, 6)
                          << QPointF(90, 140);
    QTest::newRow("shifted") << PagePlacement{1.5, -0.7, false} << QMarginsF(2, 3, 4, 5) << QPointF(11.5, 19.3)
                             << QPointF(6.5, 5.3) << QPointF(16.5, 5.3) << QPointF(88.5, 140.7);
    // Even margins: the page's centre is the printable area's.
    QTest::newRow("turned") << PagePlacement{0, 0, true} << QMarginsF(2, 2.6, 2, 2.6)
                            << QPointF(90 - 10 - w, 140 - 20 - h) << QPointF(85, 134) << QPointF(75, 134)
                            << QPointF(90, 140);
    // Left 3, top 5, right 1, bottom 2: the page's centre lies 1 mm left of
    // and 1.5 mm above the printable area's.
    QTest::newRow("turned, uneven margins") << PagePlacement{0, 0, true} << QMarginsF(3, 5, 1, 2)
                                            << QPointF(88 - 10 - w, 137 - 20 - h) << QPointF(83, 131)
                                            << QPointF(73, 131) << QPointF(88, 137);
    QTest::newRow("shifted, then turned") << PagePlacement{1.5, -0.7, true} << QMarginsF(2, 2.6, 2, 2.6)
                                          << QPointF(90 - 11.5 - w, 140 - 19.3 - h) << QPointF(83.5, 134.7)
                                          << QPointF(73.5, 134.7) << QPointF(88.5, 140.7);
}

void TestPlacement::textsAndLines()
{
    QFETCH(PagePlacement, placement);
    QFETCH(QMarginsF, margins);
    RecordingPrinter printer(QSizeF(90, 140), margins);
    printer.setScale(Scale::Millimetres);
    printer.setPlacement(placement);
    QCOMPARE(printer.placement(), placement);
    printer.setFontSize(12);
    printer.setCurrentX(10);
    printer.setCurrentY(20);
    printer.print(QStringLiteral("AB"));
    // The position stays the page's: one line further down, back at the left.
    QVERIFY(qAbs(printer.currentY() - (20 + LineHeight)) < 1e-9);
    QCOMPARE(printer.currentX(), 0.0);
    printer.line(5, 6, 15, 6);
    // A character of a vertical line (as wide as "AB") lands where the text
    // did, in the same form, turned with the page.
    printer.setCurrentX(10);
    printer.setCurrentY(20);
    printer.printVerticalCharacter(QStringLiteral("ー"), PrinterDevice::CellForm::VerticalOrTurned);
    printer.endDoc();

    QCOMPARE(printer.printed.size(), 2);
    QFETCH(QPointF, text);
    for (const PrintedText &t : printer.printed) {
        QVERIFY2(near(QPointF(t.x, t.y), text), qPrintable(QStringLiteral("%1 at %2, %3").arg(t.text).arg(t.x).arg(t.y)));
        QCOMPARE(t.turned, placement.Turned);
    }
    QVERIFY(printer.printed[1].cell);
    QCOMPARE(printer.lines.size(), 1);
    QFETCH(QPointF, from);
    QFETCH(QPointF, to);
    const PrintedLine &l = printer.lines[0];
    QVERIFY2(near(l.from, from) && near(l.to, to),
             qPrintable(QStringLiteral("line %1,%2 - %3,%4").arg(l.from.x()).arg(l.from.y()).arg(l.to.x()).arg(l.to.y())));
    QCOMPARE(l.page, 1);
    QFETCH(QPointF, areaEnd);
    QVERIFY(near(QPointF(printer.scaleWidth(), printer.scaleHeight()), areaEnd));
    // The page itself is never moved.
    QVERIFY(near(printer.pageArea().topLeft(), QPointF(-margins.left(), -margins.top())));
    QVERIFY(qAbs(printer.pageArea().width() - (90 + margins.left() + margins.right())) < 1e-9);
}

void TestPlacement::painterTurnsInThePlaceRecorded()
{
    // The same text upright and turned on a 40 x 30 mm image: the turned ink
    // is the upright ink turned about the page's centre, to a tenth of a mm.
    const auto draw = [](bool turned) {
        ImagePrinter printer(QSizeF(40, 30), 254);
        printer.setScale(Scale::Millimetres);
        printer.setPlacement({0, 0, turned});
        printer.setFontName(QStringLiteral("ＭＳ ゴシック"));
        printer.setFontSize(18);
        printer.setCurrentX(6);
        printer.setCurrentY(4);
        printer.print(QStringLiteral("7"));
        printer.line(30, 2, 30, 12);
        printer.endDoc();
        return printer.pages().value(0);
    };
    const QImage upright = draw(false);
    const QImage turned = draw(true);
    QVERIFY(!upright.isNull() && !turned.isNull());
    const QRectF a = PageImage::inkBox(upright, QRectF(0, 0, 20, 20));
    const QRectF b = PageImage::inkBox(turned, QRectF(20, 10, 20, 20));
    QVERIFY(!a.isEmpty() && !b.isEmpty());
    const QRectF expected(40 - a.right(), 30 - a.bottom(), a.width(), a.height());
    QVERIFY2(qAbs(b.left() - expected.left()) <= 0.1 && qAbs(b.top() - expected.top()) <= 0.1
                 && qAbs(b.width() - expected.width()) <= 0.1 && qAbs(b.height() - expected.height()) <= 0.1,
             qPrintable(QStringLiteral("turned ink %1,%2 %3x%4; expected %5,%6")
                            .arg(b.left()).arg(b.top()).arg(b.width()).arg(b.height())
                            .arg(expected.left()).arg(expected.top())));
    // The turned "7" is no mirror image: its bar is at the bottom now.
    const QRectF bar = PageImage::inkBox(turned, QRectF(b.left(), b.bottom() - 0.3, b.width(), 0.3));
    QVERIFY(bar.width() > b.width() * 0.7);
    // The line from (30, 2) to (30, 12) lands at x = 10, y 18 ... 28.
    const auto x = PageImage::inkAcross(turned, 23, 8, 12);
    QVERIFY(x && qAbs(*x - 10) <= 0.1);
}

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
