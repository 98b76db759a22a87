// The printer layer: the semantics every printer shares (scales, lines, the
// document and its page breaks) on the recording printer, the same metrics
// on real fonts (an image), a real PDF file read back with poppler, and the
// choice of printer with its save dialog.
#include "support/pdftext.h"
#include "support/testenv.h"

#include "platform/painterprinter.h"
#include "platform/qtprinter.h"
#include "platform/printerchoice.h"
#include "support/recordingprinter.h"
#include "platform/runerror.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QtTest>

class TestPrinter : public QObject {
    Q_OBJECT
private slots:
    void recordingMetrics_data();
    void recordingMetrics();
    void printMovesDownAndBackToTheLeft();
    void documentsAndPageBreaks_data();
    void documentsAndPageBreaks();
    void realFontMetrics();
    void pdfFilePagesPositionsAndFonts();
    void pdfKilledOrFailedLeavesNoFile();
    void pdfChosenInPrinterDialogAsksForTheFile();
    void printerChosenInDialogHoldsForTheRun();
};

using Scale = PrinterDevice::Scale;

namespace {

constexpr double TwipsPerMm = 1440 / 25.4;

// The documents of a recording printer as "E2,K1": state and pages.
QString summary(const RecordingPrinter &p)
{
    QStringList out;
    for (const RecordedDocument &d : p.documents) {
        const char state = d.state == RecordedDocument::State::Ended  ? 'E'
                         : d.state == RecordedDocument::State::Killed ? 'K'
                                                                      : 'O';
        out.append(QString(QLatin1Char(state)) + QString::number(d.pages));
    }
    return out.join(QLatin1Char(','));
}

PrintJob listJob(const QString &folder)
{
    PrintJob job;
    job.title = QStringLiteral("一覧印刷");
    job.pdfFileName = QStringLiteral("一覧印刷.pdf");
    job.pdfFolder = folder;
    job.pdfMarginsMm = QMarginsF(10, 10, 10, 10);
    return job;
}

QStringList spoolFiles(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("-"));
}

} // namespace

void TestPrinter::recordingMetrics_data()
{
    QTest::addColumn<Scale>("scale");
    QTest::addColumn<double>("points");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::newRow("half-width 12 pt, twips") << Scale::Twips << 12.0 << "AB@" << 360.0 << 240.0;
    QTest::newRow("full-width 12 pt, twips") << Scale::Twips << 12.0 << "あい" << 480.0 << 240.0;
    QTest::newRow("two bars and a line feed: three lines") << Scale::Twips << 10.5 << "|\n|\n"
                                                           << 105.0 << 630.0;
    QTest::newRow("widest line counts") << Scale::Twips << 10.0 << "a\nabcd\nab" << 400.0 << 600.0;
    QTest::newRow("18 pt in millimetres") << Scale::Millimetres << 18.0 << "１" << 360 / TwipsPerMm
                                          << 360 / TwipsPerMm;
    QTest::newRow("CR LF is one line break") << Scale::Millimetres << 12.0 << "ab\r\ncd"
                                             << 240 / TwipsPerMm << 480 / TwipsPerMm;
}

void TestPrinter::recordingMetrics()
{
    QFETCH(Scale, scale);
    QFETCH(double, points);
    QFETCH(QString, text);
    QFETCH(double, width);
    QFETCH(double, height);
    RecordingPrinter p(QSizeF(190, 277));
    p.setScale(scale);
    p.setFontSize(points);
    QVERIFY2(qAbs(p.textWidth(text) - width) < 1e-9, qPrintable(QString::number(p.textWidth(text))));
    QVERIFY2(qAbs(p.textHeight(text) - height) < 1e-9, qPrintable(QString::number(p.textHeight(text))));
    const double perMm = scale == Scale::Twips ? TwipsPerMm : 1.0;
    QVERIFY(qAbs(p.scaleWidth() - 190 * perMm) < 1e-9);
    QVERIFY(qAbs(p.scaleHeight() - 277 * perMm) < 1e-9);
}

void TestPrinter::printMovesDownAndBackToTheLeft()
{
    RecordingPrinter p;
    p.setFontName(QStringLiteral("ＭＳ 明朝"));
    p.setFontSize(12);
    p.setCurrentX(500);
    p.setCurrentY(100);
    p.print(QStringLiteral("first\nsecond"));
    QCOMPARE(p.currentX(), 0.0);
    QCOMPARE(p.currentY(), 100.0 + 2 * 240);
    QCOMPARE(p.printed.size(), 2);
    QCOMPARE(p.printed[0].text, QStringLiteral("first"));
    QCOMPARE(p.printed[0].x, 500.0);
    QCOMPARE(p.printed[0].y, 100.0);
    // The text's next line starts at the left edge.
    QCOMPARE(p.printed[1].x, 0.0);
    QCOMPARE(p.printed[1].y, 340.0);
    QCOMPARE(p.printed[1].font, QStringLiteral("ＭＳ 明朝"));
    QCOMPARE(p.printed[1].size, 12.0);

    // An empty text moves down one line and prints nothing.
    p.print(QString());
    QCOMPARE(p.currentY(), 100.0 + 3 * 240);
    QCOMPARE(p.printed.size(), 2);

    // Millimetres from there on: the place stays where it is.
    p.setScale(Scale::Millimetres);
    QVERIFY(qAbs(p.currentY() - 820 / TwipsPerMm) < 1e-9);
    p.setCurrentX(43.2);
    p.setCurrentY(10.2);
    p.setFontName(QStringLiteral("ＭＳ ゴシック"));
    p.setFontSize(18);
    p.setFontBold(true);
    p.print(QStringLiteral("１"));
    const PrintedText &digit = p.printed.last();
    QVERIFY(qAbs(digit.x - 43.2) < 1e-9);
    QVERIFY(qAbs(digit.y - 10.2) < 1e-9);
    QCOMPARE(digit.scale, Scale::Millimetres);
    QCOMPARE(digit.bold, true);
    QVERIFY(qAbs(p.currentY() - (10.2 + 360 / TwipsPerMm)) < 1e-9);
    // A size that cannot be drawn keeps the font as it was.
    p.setFontSize(0);
    QCOMPARE(p.fontSize(), 18.0);
}

void TestPrinter::documentsAndPageBreaks_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("documents");
    // P print, N new page, E end, K kill.
    QTest::newRow("a break before anything printed does nothing") << "N P E" << "E1";
    QTest::newRow("a break right before the end adds no page") << "P N E" << "E1";
    QTest::newRow("a break between texts") << "P N P E" << "E2";
    QTest::newRow("two breaks leave a blank page") << "P N N P E" << "E3";
    QTest::newRow("two breaks before the end: one blank page") << "P N N E" << "E2";
    QTest::newRow("killed, then a new document") << "P N P K N P E" << "K2,E1";
    QTest::newRow("nothing printed: no document") << "N E K" << "";
    QTest::newRow("ending a killed document delivers nothing") << "P K E" << "K1";
}

void TestPrinter::documentsAndPageBreaks()
{
    QFETCH(QString, steps);
    QFETCH(QString, documents);
    RecordingPrinter p;
    for (const QString &step : steps.split(QLatin1Char(' '))) {
        if (step == QLatin1String("P")) {
            p.setCurrentX(100);
            p.print(QStringLiteral("x"));
            // Each text lands on the page the document is on.
            QCOMPARE(p.printed.last().page, p.pageNumber());
        } else if (step == QLatin1String("N")) {
            p.setCurrentY(900);
            p.newPage();
            QCOMPARE(p.currentY(), 0.0);
        } else if (step == QLatin1String("E")) {
            p.endDoc();
        } else {
            p.killDoc();
        }
    }
    QCOMPARE(summary(p), documents);
    QCOMPARE(p.pageNumber(), 0);
}

void TestPrinter::realFontMetrics()
{
    // The IPA fonts at 600 dpi: fixed pitch as the layouts assume.
    ImagePrinter p(QSizeF(190, 277), 600);
    p.setFontName(QStringLiteral("ＭＳ ゴシック"));
    p.setFontSize(12);
    QCOMPARE(p.drawingFont().family(), QStringLiteral("ＭＳ ゴシック"));
    QVERIFY2(qAbs(p.textWidth(QStringLiteral("AB@")) / 3 - 120) < 3,
             qPrintable(QString::number(p.textWidth(QStringLiteral("AB@")))));
    QVERIFY(qAbs(p.textWidth(QStringLiteral("あい")) / 2 - 240) < 3);
    const double line = p.textHeight(QStringLiteral("|"));
    QVERIFY2(line >= 240 && line < 360, qPrintable(QString::number(line)));
    QVERIFY(qAbs(p.textHeight(QStringLiteral("|\n|\n")) - 3 * line) < 1e-6);
    QVERIFY(qAbs(p.scaleWidth() - 190 * TwipsPerMm) < 2.5);
    p.setScale(Scale::Millimetres);
    QVERIFY(qAbs(p.scaleHeight() - 277) < 0.05);
    QVERIFY(qAbs(p.textHeight(QStringLiteral("|")) - line / TwipsPerMm) < 1e-6);

    // What is printed lands where the position says, and Print moves down
    // by the line height.
    p.setCurrentX(20);
    p.setCurrentY(30);
    p.print(QStringLiteral("■"));
    QVERIFY(qAbs(p.currentY() - (30 + line / TwipsPerMm)) < 1e-6);
    p.endDoc();
    QCOMPARE(p.pages().size(), 1);
    const QImage page = p.pages().first();
    const int px = qRound(22.0 / 25.4 * 600), py = qRound(32.0 / 25.4 * 600);
    QVERIFY(qGray(page.pixel(px, py)) < 128);
    QVERIFY(qGray(page.pixel(qRound(18.0 / 25.4 * 600), py)) > 200);
}

void TestPrinter::pdfFilePagesPositionsAndFonts()
{
    if (!PdfText::toolsAvailable())
        QSKIP("poppler-utils (pdftotext, pdfinfo, pdffonts) are not installed");
    TestEnv env;
    const QString path = env.path(QStringLiteral("out.pdf"));
    auto pdf = QtPrinter::pdf(path, QPageSize(QPageSize::A4), QPageLayout::Portrait,
                              QMarginsF(10, 10, 10, 10), QStringLiteral("test"));
    pdf->setScale(Scale::Millimetres);
    QVERIFY(qAbs(pdf->scaleWidth() - 190) < 0.01);
    QVERIFY(qAbs(pdf->scaleHeight() - 277) < 0.01);
    pdf->setFontName(QStringLiteral("ＭＳ 明朝"));
    pdf->setFontSize(12);
    pdf->setCurrentX(20);
    pdf->setCurrentY(30);
    const double line = pdf->textHeight(QStringLiteral("|"));
    pdf->print(QStringLiteral("Alpha"));
    pdf->print(QStringLiteral("住所録"));
    pdf->newPage();
    pdf->setScale(Scale::Twips);
    pdf->setFontName(QStringLiteral("ＭＳ ゴシック"));
    pdf->setCurrentX(1440);
    pdf->setCurrentY(0);
    pdf->print(QStringLiteral("Beta"));
    pdf->newPage();
    // Nothing is written until the document ends.
    QVERIFY(!QFile::exists(path));
    pdf->endDoc();
    QVERIFY(QFile::exists(path));
    QCOMPARE(spoolFiles(env.dir.path()), QStringList());

    QCOMPARE(PdfText::pageCount(path), 2);
    QString error;
    const QList<PdfPage> pages = PdfText::pages(path, &error);
    QVERIFY2(pages.size() == 2, qPrintable(error));
    QVERIFY(qAbs(pages[0].widthMm - 210) < 0.5 && qAbs(pages[0].heightMm - 297) < 0.5);
    const PdfWord *alpha = pages[0].find(QStringLiteral("Alpha"));
    QVERIFY2(alpha, qPrintable(pages[0].text()));
    QVERIFY2(qAbs(alpha->xMin - 30) < 0.5, qPrintable(QString::number(alpha->xMin)));
    QVERIFY2(qAbs(alpha->yMin - 40) < 0.3, qPrintable(QString::number(alpha->yMin)));
    // Five half-width characters of 12 pt: 5 x 2.117 mm.
    QVERIFY(qAbs(alpha->xMax - alpha->xMin - 5 * 120 / TwipsPerMm) < 0.3);
    const PdfWord *kanji = pages[0].find(QStringLiteral("住所録"));
    QVERIFY2(kanji, qPrintable(pages[0].text()));
    QVERIFY(qAbs(kanji->xMin - 10) < 0.5);
    // One line lower.
    QVERIFY(qAbs(kanji->yMin - alpha->yMin - line) < 0.1);
    const PdfWord *beta = pages[1].find(QStringLiteral("Beta"));
    QVERIFY2(beta, qPrintable(pages[1].text()));
    QVERIFY(qAbs(beta->xMin - 35.4) < 0.5);

    // Both fonts travel inside the file.
    const QStringList fonts = PdfText::fonts(path);
    QVERIFY2(fonts.filter(QStringLiteral("IPAMincho")).size() == 1, qPrintable(fonts.join('\n')));
    QVERIFY2(fonts.filter(QStringLiteral("IPAGothic")).size() == 1, qPrintable(fonts.join('\n')));
    for (const QString &font : fonts)
        QVERIFY2(font.contains(QStringLiteral(" yes ")), qPrintable(font));
}

void TestPrinter::pdfKilledOrFailedLeavesNoFile()
{
    TestEnv env;
    const QString path = env.path(QStringLiteral("kill.pdf"));
    auto pdf = QtPrinter::pdf(path, QPageSize(QPageSize::A4), QPageLayout::Portrait,
                              QMarginsF(10, 10, 10, 10), QStringLiteral("test"));
    pdf->print(QStringLiteral("gone"));
    QCOMPARE(spoolFiles(env.dir.path()).size(), 1);
    pdf->killDoc();
    QVERIFY(!QFile::exists(path));
    QCOMPARE(spoolFiles(env.dir.path()), QStringList());

    // A file being replaced stays as it was when the new one is killed, and
    // is replaced when it ends.
    env.writeFile(QStringLiteral("kill.pdf"), "old");
    pdf->print(QStringLiteral("again"));
    pdf->killDoc();
    QCOMPARE(env.readFile(QStringLiteral("kill.pdf")), QByteArray("old"));
    pdf->print(QStringLiteral("new"));
    pdf->endDoc();
    QVERIFY(env.readFile(QStringLiteral("kill.pdf")).startsWith("%PDF"));

    // A destroyed printer with an open document leaves nothing either.
    {
        auto dropped = QtPrinter::pdf(env.path(QStringLiteral("dropped.pdf")), QPageSize(QPageSize::A4),
                                      QPageLayout::Portrait, QMarginsF(), QStringLiteral("test"));
        dropped->print(QStringLiteral("x"));
    }
    QVERIFY(!QFile::exists(env.path(QStringLiteral("dropped.pdf"))));
    QCOMPARE(spoolFiles(env.dir.path()), QStringList());

    // A folder that cannot be written to: a clear error at the first output.
    const QString missing = env.path(QStringLiteral("missing"));
    auto locked = QtPrinter::pdf(missing + QStringLiteral("/list.pdf"), QPageSize(QPageSize::A4),
                                 QPageLayout::Portrait, QMarginsF(), QStringLiteral("test"));
    QString message;
    try {
        locked->print(QStringLiteral("x"));
    } catch (const RunError &e) {
        message = e.description();
    }
    QCOMPARE(message, QStringLiteral("PDF ファイル list.pdf を書き込めません。(フォルダ %1 に書き込めません)")
                          .arg(missing));
    QCOMPARE(locked->pageNumber(), 0);
}

void TestPrinter::pdfChosenInPrinterDialogAsksForTheFile()
{
    TestEnv env;
    SystemPrinterChoice choice(env.boxes, env.dialogs);
    // Cancelling the printer dialog changes nothing.
    env.dialogs.answerPrinter([](QPrinter &) { return false; });
    QVERIFY(!choice.setup(nullptr));
    QVERIFY(!choice.pdfChosen());
    env.dialogs.answerPrinter([](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        return true;
    });
    QVERIFY(choice.setup(nullptr));
    QVERIFY(choice.pdfChosen());
    QCOMPARE(choice.printerInUse(), QString());

    QDir(env.dir.path()).mkdir(QStringLiteral("book"));
    const QString folder = env.path(QStringLiteral("book"));
    const PrintJob job = listJob(folder);
    // Cancelled: no printer, nothing asked besides.
    env.dialogs.answerSave(QString());
    QVERIFY(!choice.open(nullptr, job));
    QCOMPARE(env.dialogs.shown.last().title, QStringLiteral("PDF ファイルに印刷"));
    QCOMPARE(env.dialogs.shown.last().proposedPath, folder + QStringLiteral("/一覧印刷.pdf"));
    QVERIFY(env.boxes.shown.isEmpty());

    // A name without extension becomes a PDF file's name.
    env.dialogs.answerSave(folder + QStringLiteral("/名簿"));
    auto device = choice.open(nullptr, job);
    auto *pdf = dynamic_cast<QtPrinter *>(device.get());
    QVERIFY(pdf && pdf->isPdf());
    QCOMPARE(pdf->pdfPath(), folder + QStringLiteral("/名簿.pdf"));

    // An existing file: asked first; No shows the dialog again.
    env.writeFile(QStringLiteral("book/一覧印刷.pdf"), "old");
    env.dialogs.answerSave(folder + QStringLiteral("/一覧印刷.pdf"));
    env.boxes.answer(MsgAnswerCode::No);
    env.dialogs.answerSave(QString());
    QVERIFY(!choice.open(nullptr, job));
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].text, QStringLiteral("一覧印刷.pdf は既に存在します。\n置き換えますか？"));
    QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("PDF ファイルに印刷"));
    QCOMPARE(env.boxes.shown[0].buttons, MsgButtons::YesNo);
    QCOMPARE(env.dialogs.shown.last().proposedPath, folder + QStringLiteral("/一覧印刷.pdf"));
    QCOMPARE(env.readFile(QStringLiteral("book/一覧印刷.pdf")), QByteArray("old"));

    env.dialogs.answerSave(folder + QStringLiteral("/一覧印刷.pdf"));
    env.boxes.answer(MsgAnswerCode::Yes);
    device = choice.open(nullptr, job);
    pdf = dynamic_cast<QtPrinter *>(device.get());
    QVERIFY(pdf);
    QCOMPARE(pdf->pdfPath(), folder + QStringLiteral("/一覧印刷.pdf"));
    // The postcard's page and margins reach the PDF.
    PrintJob card = job;
    card.pageSize = QPageSize(QSizeF(100, 148), QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    card.pdfMarginsMm = QMarginsF(3, 3, 3, 3);
    card.pdfFileName = QStringLiteral("葉書宛名.pdf");
    env.dialogs.answerSave(folder + QStringLiteral("/葉書宛名.pdf"));
    device = choice.open(nullptr, card);
    QVERIFY(device);
    device->setScale(Scale::Millimetres);
    QVERIFY2(qAbs(device->scaleWidth() - 94) < 0.01, qPrintable(QString::number(device->scaleWidth())));
    QVERIFY2(qAbs(device->scaleHeight() - 142) < 0.01, qPrintable(QString::number(device->scaleHeight())));
    QCOMPARE(env.dialogs.pending(), 0);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPrinter::printerChosenInDialogHoldsForTheRun()
{
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    if (printers.isEmpty())
        QSKIP("no system printer here");
    TestEnv env;
    SystemPrinterChoice choice(env.boxes, env.dialogs);
    const QString name = printers.last();
    env.dialogs.answerPrinter([&name](QPrinter &printer) {
        printer.setPrinterName(name);
        return true;
    });
    QVERIFY(choice.setup(nullptr));
    QCOMPARE(choice.printerInUse(), name);
    for (int command = 0; command < 2; ++command) {
        auto device = choice.open(nullptr, listJob(env.dir.path()));
        auto *printer = dynamic_cast<QtPrinter *>(device.get());
        QVERIFY(printer && !printer->isPdf());
        QCOMPARE(printer->printerName(), name);
        QVERIFY(device->scaleWidth() > 0 && device->scaleHeight() > 0);
    }
    // No save dialog for a printer.
    QCOMPARE(env.dialogs.shown.size(), 1);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

QTEST_MAIN(TestPrinter)
#include "tst_printer.moc"
