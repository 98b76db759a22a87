// The print preview of the postcards: the pages it shows are the pages the
// print commands print, the digits stand where the engine puts them on
// paper, and nothing is printed or counted unless the user prints.
#include "support/cardbook.h"
#include "support/pdftext.h"
#include "support/testenv.h"

#include "print/cardgeometry.h"
#include "print/cardpreview.h"
#include "print/princard.h"

#include "platform/fonts.h"
#include "platform/qtprinter.h"
#include "platform/printerchoice.h"
#include "support/recordingprinter.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QScrollBar>
#include <QtTest>

namespace {

constexpr int Dpi = 254; // ten pixels to the millimetre
constexpr double PixelsPerMm = Dpi / 25.4;

// The bounding box of the dark pixels inside `regionMm`, in millimetres.
QRectF inkBox(const QImage &image, const QRectF &regionMm)
{
    const QRect region(qRound(regionMm.left() * PixelsPerMm), qRound(regionMm.top() * PixelsPerMm),
                       qRound(regionMm.width() * PixelsPerMm), qRound(regionMm.height() * PixelsPerMm));
    QRect ink;
    for (int y = region.top(); y <= region.bottom() && y < image.height(); ++y)
        for (int x = region.left(); x <= region.right() && x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                ink |= QRect(x, y, 1, 1);
    return QRectF(ink.left() / PixelsPerMm, ink.top() / PixelsPerMm, ink.width() / PixelsPerMm,
                  ink.height() / PixelsPerMm);
}

// Where the ink of a text lies from the top-left corner of its line, as a
// printer draws it: ＭＳ ゴシック 18 point, unhinted, unkerned.
QPointF inkOffset(const QString &text)
{
    QImage image(qRound(20 * PixelsPerMm), qRound(20 * PixelsPerMm), QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(Dpi / 0.0254));
    image.setDotsPerMeterY(qRound(Dpi / 0.0254));
    image.fill(Qt::white);
    QFont font = Fonts::make(Fonts::Gothic, 18);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(0, QFontMetricsF(font, &image).ascent()), text);
    }
    return inkBox(image, QRectF(0, 0, 20, 20)).topLeft();
}

// The first page of a PDF as an image of ten pixels to the millimetre.
QImage rasterise(const QString &pdf)
{
    const QString prefix = pdf + QStringLiteral(".page");
    QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-png"),
                                                   QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

// Opens the preview from the dialog's menu and runs `look` on it.
void preview(TestEnv &env, PrinCard &card, std::function<void(CardPreview &)> look)
{
    env.modal.then([look](QDialog &dialog) {
        auto &shown = static_cast<CardPreview &>(dialog);
        look(shown);
        return shown.result();
    });
    card.Print_View->trigger();
}

int shownPages(CardPreview &p, CardPreview::Cards cards)
{
    p.ShowCards(cards);
    p.PreviewWidget()->updatePreview();
    return p.PreviewWidget()->pageCount();
}

} // namespace

class TestCardPreview : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Fonts::installSubstitutions(); }
    void pagesOfAllPrint_data();
    void pagesOfAllPrint();
    void currentCard();
    void digitsWhereThePaperHasThem();
    void printsFromThePreview();
    void leftOutCards();
    void sheetOfThePrinterInUse();
};

void TestCardPreview::pagesOfAllPrint_data()
{
    QTest::addColumn<int>("sender");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<int>("pages");
    QTest::newRow("sender 2, every record") << 2 << "" << 4;
    QTest::newRow("no sender") << 0 << "" << 5;
    QTest::newRow("mark M, sender 1") << 1 << "M" << 2;
    QTest::newRow("a mark no record has") << 0 << "Z" << 0;
}

void TestCardPreview::pagesOfAllPrint()
{
    QFETCH(int, sender);
    QFETCH(QString, mark);
    QFETCH(int, pages);
    TestEnv env;
    QVERIFY(openCardBook(env, 5, {"M", "m", "M", "", "M"}));
    useFactorySettings(env);
    env.dm->Settings.SenderNumber = qint16(sender);
    PrinCard card(*env.dm);
    card.HScroll2->setValue(2);
    card.Text3->setText(mark);
    card.Text08->setText(QStringLiteral("書き換えた名前"));
    int previewed = -1;
    preview(env, card, [&](CardPreview &p) {
        QCOMPARE(p.windowTitle(), QStringLiteral("印刷ﾌﾟﾚﾋﾞｭｰ"));
        previewed = shownPages(p, CardPreview::Cards::AllPrint);
        QCOMPARE(p.LastRendered().Cards, previewed);
        QVERIFY(p.LastRendered().LeftOut.isEmpty());
    });
    QCOMPARE(env.modal.ran, QStringList({"CardPreview"}));
    QCOMPARE(previewed, pages);
    // Nothing printed, nothing counted, the dialog as it was.
    QVERIFY(env.printers.opened.isEmpty());
    QVERIFY(env.boxes.shown.isEmpty());
    QCOMPARE(card.Text08->text(), QStringLiteral("書き換えた名前"));
    QCOMPARE(card.Text06->text(), QStringLiteral("東京都港区芝二｜一"));
    QCOMPARE(env.dm->CurrentRecord, 2);
    QCOMPARE(card.Label4->text(), QStringLiteral("2"));

    // 全印刷 prints as many pages.
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    card.Command2_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral(" %1 件印刷しました。").arg(pages));
    QCOMPARE(env.printers.opened.size(), 1);
    const RecordingPrinter &printed = *env.printers.last();
    QCOMPARE(printed.endedCount() == 1 ? printed.documents[0].pages : 0, pages);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestCardPreview::currentCard()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 3));
    useFactorySettings(env);
    PrinCard card(*env.dm);
    preview(env, card, [&](CardPreview &p) {
        // It opens on the current card, as 単印刷 prints it; the preview's own
        // printing, page setup and orientation are not offered.
        QCOMPARE(p.ShownCards(), CardPreview::Cards::Current);
        QVERIFY(p.View_Tan->isChecked());
        QCOMPARE(shownPages(p, CardPreview::Cards::Current), 1);
        QCOMPARE(p.View_Tan->text(), QStringLiteral("単印刷"));
        QCOMPARE(p.View_All->text(), QStringLiteral("全印刷"));
        QCOMPARE(p.View_Print->text(), QStringLiteral("印刷(&P)"));
        QStringList offered;
        for (QAction *a : p.findChildren<QAction *>())
            if (a->isVisible() && !a->text().isEmpty())
                offered << a->text();
        QVERIFY(!offered.contains(QStringLiteral("Print")));
        QVERIFY(!offered.contains(QStringLiteral("Page setup")));
        QVERIFY(!offered.contains(QStringLiteral("Landscape")));
        QVERIFY(offered.contains(QStringLiteral("印刷(&P)")));
        QCOMPARE(shownPages(p, CardPreview::Cards::AllPrint), 2); // sender 1 left out
        QVERIFY(p.View_All->isChecked());
        p.reject();
    });
    QVERIFY(env.printers.opened.isEmpty());
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestCardPreview::digitsWhereThePaperHasThem()
{
    if (!PdfText::toolsAvailable() || QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-v")}) < 0)
        QSKIP("poppler-utils (pdftoppm) are not installed");
    TestEnv env;
    QVERIFY(openCardBook(env, 2));
    useFactorySettings(env);
    env.dm->Settings.SenderNumber = 0;
    PrinCard card(*env.dm);

    // The preview's pages, drawn onto a PDF page of the preview's own layout.
    const QString pdf = env.path("preview.pdf");
    preview(env, card, [&](CardPreview &p) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::Postcard), QPageLayout::Portrait, QMarginsF()));
        p.PaintCards(&printer);
    });
    QCOMPARE(PdfText::pageCount(pdf), 1);
    const QImage page = rasterise(pdf);
    QVERIFY(!page.isNull());

    // The same card on paper (the recording printer), measured from the printable area.
    card.Command1_Click();
    QCOMPARE(env.printers.opened.size(), 1);
    const QList<PrintedText> texts = env.printers.last()->onPage(1);
    QVERIFY(!texts.isEmpty());
    const PrintedText &digit1 = texts.first(); // the digits print first: "1" of 101-4567
    QCOMPARE(digit1.text, QStringLiteral("1"));
    QCOMPARE(digit1.x, 48.2 - 5); // 横補正値 + 基準値補正
    QCOMPARE(digit1.y, 15.2 - 5);

    const QPointF expected = QPointF(digit1.x + Card::PdfMarginLeftMm, digit1.y + Card::PdfMarginTopMm)
        + inkOffset(QStringLiteral("1"));
    const QRectF ink = inkBox(page, QRectF(expected.x() - 3, expected.y() - 3, 6, 9));
    QVERIFY2(qAbs(ink.left() - expected.x()) <= 0.25 && qAbs(ink.top() - expected.y()) <= 0.25,
             qPrintable(QStringLiteral("ink at %1, %2 mm; the printer puts it at %3, %4 mm")
                            .arg(ink.left()).arg(ink.top()).arg(expected.x()).arg(expected.y())));
    // The card's first postal-code box is drawn, faintly, at Japan Post's place.
    const QRgb edge = page.pixel(qRound(44.3 * PixelsPerMm), qRound(16.0 * PixelsPerMm));
    QVERIFY2(qRed(edge) > qGreen(edge) + 20 && qGray(edge) > 100, qPrintable(QString::number(edge, 16)));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestCardPreview::printsFromThePreview()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 5));
    useFactorySettings(env);
    env.dm->Settings.SenderNumber = 2;
    PrinCard card(*env.dm);
    card.Text08->setText(QStringLiteral("書き換えた名前"));

    // 印刷 with the current card: 単印刷 prints it, edits included.
    preview(env, card, [](CardPreview &p) { p.View_Print->trigger(); });
    QCOMPARE(env.printers.opened.size(), 1);
    QCOMPARE(env.printers.last()->documents.size(), 1);
    QCOMPARE(env.printers.last()->documents[0].pages, 1);
    QVERIFY(env.printers.last()->textsOnPage(1).contains(QStringLiteral("書")));

    // 印刷 with the all-print cards: 全印刷 asks, prints and counts them.
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    preview(env, card, [](CardPreview &p) {
        p.ShowCards(CardPreview::Cards::AllPrint);
        p.View_Print->trigger();
    });
    QCOMPARE(env.boxes.shown.size(), 2);
    QCOMPARE(env.boxes.shown[0].text, QStringLiteral("全宛名印刷を行います。"));
    QCOMPARE(env.boxes.shown[1].text, QStringLiteral(" 4 件印刷しました。"));
    QCOMPARE(env.printers.opened.size(), 2);
    QCOMPARE(env.printers.last()->documents[0].pages, 4);

    // Closed without printing: nothing.
    preview(env, card, [](CardPreview &p) {
        p.ShowCards(CardPreview::Cards::AllPrint);
        p.reject();
    });
    QCOMPARE(env.printers.opened.size(), 2);
    QCOMPARE(env.boxes.shown.size(), 2);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestCardPreview::leftOutCards()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 3));
    useFactorySettings(env);
    env.dm->Settings.SenderNumber = 0;
    env.dm->Settings.LayoutTop[0] = 1400; // address line 1 would run below every card
    PrinCard card(*env.dm);
    preview(env, card, [](CardPreview &p) {
        QCOMPARE(shownPages(p, CardPreview::Cards::Current), 0);
        QCOMPARE(p.LastRendered().LeftOut.size(), 1);
        QCOMPARE(shownPages(p, CardPreview::Cards::AllPrint), 0);
        QCOMPARE(p.LastRendered().LeftOut, QStringList({"名前１", "名前２", "名前３"}));
        QCOMPARE(p.LeftOutLabel->text(), QStringLiteral("印刷領域外のため印刷されない宛名：名前１、名前２、名前３"));
    });
    // No out-of-area message: nothing was being printed.
    QVERIFY(env.boxes.shown.isEmpty());
    QVERIFY(env.printers.opened.isEmpty());
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestCardPreview::sheetOfThePrinterInUse()
{
    TestEnv env;
    PrintJob job;
    job.pageSize = QPageSize(QPageSize::Postcard);
    job.pdfMarginsMm = Card::pdfMargins();
    SystemPrinterChoice choice(env.boxes, env.dialogs);
    // A PDF file: the card with the PDF's margins.
    env.dialogs.answerPrinter([](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        return true;
    });
    QVERIFY(choice.setup(nullptr));
    const PreviewSheet pdf = choice.previewSheet(job);
    QCOMPARE(pdf.printableMm, QRectF(2.0, 2.6, 96.0, 142.8));
    QCOMPARE(pdf.printer->pageLayout().fullRect(QPageLayout::Millimeter).size(), QSizeF(100, 148));
    QVERIFY(pdf.printer->fullPage());

    // A system printer: the printable area its print command gets.
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    if (printers.isEmpty())
        QSKIP("no system printer here");
    const QString name = printers.last();
    env.dialogs.answerPrinter([&name](QPrinter &printer) {
        printer.setPrinterName(name);
        return true;
    });
    QVERIFY(choice.setup(nullptr));
    const PreviewSheet sheet = choice.previewSheet(job);
    QCOMPARE(sheet.printer->printerName(), name);
    const std::shared_ptr<PrinterDevice> device = choice.open(nullptr, job);
    QVERIFY(device);
    device->setScale(PrinterDevice::Scale::Millimetres);
    QVERIFY2(qAbs(sheet.printableMm.width() - device->scaleWidth()) < 0.01
                 && qAbs(sheet.printableMm.height() - device->scaleHeight()) < 0.01,
             qPrintable(QStringLiteral("%1 x %2 mm, the printer %3 x %4 mm")
                            .arg(sheet.printableMm.width()).arg(sheet.printableMm.height())
                            .arg(device->scaleWidth()).arg(device->scaleHeight())));
    const auto *system = dynamic_cast<QtPrinter *>(device.get());
    QVERIFY(system);
    const QPrinter &printer = system->printer();
    const QPointF origin = QPointF(printer.pageLayout().paintRectPixels(printer.resolution()).topLeft())
        * 25.4 / printer.resolution();
    QCOMPARE(sheet.printableMm.topLeft(), origin);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

QTEST_MAIN(TestCardPreview)
#include "tst_cardpreview.moc"
