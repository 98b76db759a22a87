// 一覧印刷 as the user meets it: the question, pages and record blocks on the
// recording printer for both formats, the debug box, the guards (a font too
// large for a page, a record that cannot be read, a printer that fails), a
// real PDF read back with poppler, and one job through a real CUPS queue.
#include "support/pdftext.h"
#include "support/testenv.h"
#include "support/books.h"

#include "app/adrsbook.h"
#include "app/listprinting.h"
#include "store/settingsrecord.h"

#include "platform/codec.h"
#include "platform/printerchoice.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>
#include <pwd.h>
#include <unistd.h>

class TestListPrint : public QObject {
    Q_OBJECT
private slots:
    void recordTexts_data();
    void recordTexts();
    void pagesOfABook_data();
    void pagesOfABook();
    void questionAnswersAndCancel();
    void debugModeShowsTheGeometry();
    void fontTooLargePrintsOneRecordPerPage();
    void unreadableRecordKillsTheList();
    void printerFailureIsReported();
    void pdfOfABook();
    void cupsQueuePrintsTwoPages();
};

namespace {

constexpr double TwipsPerMm = 1440 / 25.4;
const QString Question = QStringLiteral("一覧印刷を行います。\n　フォント名：ＭＳ 明朝\n　フォントサイズ： 10.5");
const QString Done = QStringLiteral("一覧印刷 完了");

QStringList recordFields(int n)
{
    return {QStringLiteral("氏名%1").arg(n), QStringLiteral("ｼﾒｲ%1").arg(n), QStringLiteral("100-0001"),
            QStringLiteral("東京都千代田区%1").arg(n), QStringLiteral("%1号").arg(n),
            QStringLiteral("03-1234-5678"), QString(), QString(), QString(), QStringLiteral("A")};
}

// A book of `count` numbered records in the format given.
void writeBook(TestEnv &env, const QString &name, int count, qint16 format)
{
    QList<QStringList> rows;
    for (int n = 1; n <= count; ++n)
        rows << recordFields(n);
    env.writeFile(name, bookOf(format, rows));
}

// The main window with the book open and the list font of a first run.
std::unique_ptr<Adrsbook> openWindow(TestEnv &env, const QString &name, qint16 format)
{
    auto window = std::make_unique<Adrsbook>(*env.dm);
    env.dm->IchiFnt = QStringLiteral("ＭＳ 明朝");
    env.dm->IchiFsz = 10.5f;
    env.dm->DataFormat = format;
    env.dm->CommandFile = env.path(name);
    window->Menu_File_Open_Click(1);
    return window;
}

QString header(const QString &name)
{
    return settingsDateText(QDate::currentDate()) + QStringLiteral("  ") + name;
}

// Separator lines of a page: the texts made only of dashes and a number.
QStringList separators(const RecordingPrinter &p, int page)
{
    static const QRegularExpression separator(QStringLiteral("^-+( \\d+| )$"));
    return p.textsOnPage(page).filter(separator);
}

// The printable area (mm) in which exactly `lines` lines of 10.5 pt fit.
QSizeF areaForLines(double lines)
{
    return QSizeF(190, lines * 210 / TwipsPerMm);
}

// The system's printer choice with PDF chosen in the printer dialog, in
// place of the recording printers.
std::unique_ptr<SystemPrinterChoice> choosePdf(TestEnv &env)
{
    auto choice = std::make_unique<SystemPrinterChoice>(env.boxes, env.dialogs);
    env.dm->Platform.Printers = choice.get();
    env.dialogs.answerPrinter([](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        return true;
    });
    choice->setup(nullptr);
    return choice;
}

// Where cups-pdf puts the jobs of this user (its "Out" setting).
QString cupsPdfFolder()
{
    const passwd *user = getpwuid(getuid());
    const QString name = user ? QString::fromLocal8Bit(user->pw_name) : QString();
    const QString home = user ? QString::fromLocal8Bit(user->pw_dir) : QDir::homePath();
    QString out = QStringLiteral("${HOME}/PDF");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : conf.readAll().split('\n'))
            if (line.startsWith("Out "))
                out = QString::fromLocal8Bit(line.mid(4)).trimmed();
    }
    return out.replace(QStringLiteral("${HOME}"), home).replace(QStringLiteral("${USER}"), name);
}

QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

} // namespace

void TestListPrint::recordTexts_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("separator");
    const QString pad14(14, QLatin1Char(' ')), pad22(22, QLatin1Char(' '));
    QTest::newRow("ordinary record, number 20")
        << QStringList{"山田太郎", "ﾔﾏﾀﾞﾀﾛｳ", "123-4567", "東京都港区", "芝公園１", "03-1111-2222",
                       "", "", "", "M"}
        << 20
        << QStringLiteral("　　山田太郎") + QString(22, ' ') + QStringLiteral("123-4567 東京都港区芝公園１")
               + QString(32, ' ')
        << QStringLiteral("　　ﾔﾏﾀﾞﾀﾛｳ%1%2電話番号：03-1111-2222%3ﾏｰｸ:M")
               .arg(QString(9, ' '), pad14, pad22)
        << QStringLiteral("---------- 20");
    QTest::newRow("record 21 ends with a blank, empty fields are blanks")
        << QStringList{"一"} << 21
        << QStringLiteral("　　一%1%2 %3").arg(QString(28, ' '), QString(8, ' '), QString(40, ' '))
        << QStringLiteral("　　%1%2電話番号：%3%4ﾏｰｸ: ")
               .arg(QString(16, ' '), pad14, QString(12, ' '), pad22)
        << QStringLiteral("---------- ");
    // 31 bytes: the last character does not fit in 30 and is not split;
    // a blank fills the name's column to its 30 bytes.
    QTest::newRow("long name cut on a character")
        << QStringList{"aあいうえおかきくけこさしすせそ", "", "1", "  住所  ", "x"} << 100
        << QStringLiteral("　　aあいうえおかきくけこさしすせ 1%1   住所x%2")
               .arg(QString(7, ' '), QString(39, ' '))
        << QStringLiteral("　　%1%2電話番号：%3%4ﾏｰｸ: ")
               .arg(QString(16, ' '), pad14, QString(12, ' '), pad22)
        << QStringLiteral("---------- 100");
}

void TestListPrint::recordTexts()
{
    QFETCH(QStringList, fields);
    QFETCH(int, number);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, separator);
    AddressRecord record = AddressRecord::fromBytes(fixedRecord(fields));
    const QStringList texts = ListRecordTexts(record, number, 10);
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts[0], first + QLatin1Char('\n') + second);
    QCOMPARE(texts[1], separator);
    // The columns after the name start at byte 34 on every line 1.
    QCOMPARE(Cp932::encode(texts[0].section(QLatin1Char('\n'), 0, 0)).mid(34, 8),
             Cp932::encode(record.fieldText(PostalCode)).leftJustified(8, ' '));
}

void TestListPrint::pagesOfABook_data()
{
    QTest::addColumn<qint16>("format");
    QTest::addColumn<QString>("name");
    QTest::newRow("fixed length") << DataModule::FixedLength << "book.kno";
    QTest::newRow("text") << DataModule::DelimitedText << "book.txt";
}

void TestListPrint::pagesOfABook()
{
    QFETCH(qint16, format);
    QFETCH(QString, name);
    TestEnv env;
    writeBook(env, name, 25, format);
    auto window = openWindow(env, name, format);
    QCOMPARE(env.dm->RecordCount, 25);
    // 32 lines to a page: (32 - 2) / 3 = 10 records.
    env.printers.nextArea = areaForLines(32.5);
    env.boxes.answer(MsgAnswerCode::Yes);
    env.boxes.answer(MsgAnswerCode::Ok);
    window->Menu_Disp_All_Click();
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected() + env.boxes.describe()));
    QCOMPARE(env.boxes.shown.size(), 2);
    QCOMPARE(env.boxes.shown[0].text, Question);
    QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Question);
    QCOMPARE(env.boxes.shown[0].buttons, MsgButtons::YesNo);
    QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("一覧印刷"));
    QCOMPARE(env.boxes.shown[1].text, Done);
    QCOMPARE(env.boxes.shown[1].icon, MsgIcon::Information);
    QCOMPARE(env.boxes.shown[1].caption, QStringLiteral("一覧印刷"));

    QCOMPARE(env.printers.jobs.size(), 1);
    const PrintJob &job = env.printers.jobs[0];
    QCOMPARE(job.pdfFileName, QStringLiteral("一覧印刷.pdf"));
    QCOMPARE(job.pdfFolder, env.dir.path());
    QCOMPARE(job.pdfMarginsMm, QMarginsF(10, 10, 10, 10));
    QCOMPARE(job.pageSize.id(), QPageSize::A4);
    QVERIFY(job.printerPaper);

    const RecordingPrinter &p = *env.printers.last();
    QCOMPARE(p.documents.size(), 1);
    QCOMPARE(p.documents[0].state, RecordedDocument::State::Ended);
    QCOMPARE(p.documents[0].pages, 3);
    const int chars = int(190 * TwipsPerMm / 105); // characters of 105 twips
    for (int page = 1; page <= 3; ++page) {
        const QList<PrintedText> texts = p.onPage(page);
        const QString title = header(name) + QStringLiteral(" : %1ﾍﾟｰｼﾞ").arg(page);
        QCOMPARE(texts[0].text, title);
        QCOMPARE(texts[0].y, 0.0);
        // Right-aligned, 284 twips from the right edge.
        QVERIFY(qAbs(texts[0].x - (190 * TwipsPerMm - Cp932::byteLength(title) * 105 - 284)) < 1e-6);
        QCOMPARE(texts[0].font, QStringLiteral("ＭＳ 明朝"));
        QCOMPARE(texts[0].size, 10.5);
        QCOMPARE(texts[0].bold, false);
        QCOMPARE(texts[1].text, QString(chars, QLatin1Char('-')));
        QCOMPARE(texts[1].x, 0.0);
        QCOMPARE(texts[1].y, 210.0);
        QCOMPARE(separators(p, page).size(), page < 3 ? 10 : 5);
    }
    // Record 1's block: its two lines, then its separator.
    QCOMPARE(p.textsOnPage(1)[2].left(6), QStringLiteral("　　氏名1 "));
    QCOMPARE(p.textsOnPage(1)[3].left(6), QStringLiteral("　　ｼﾒｲ1"));
    QCOMPARE(p.onPage(1)[4].y, 4 * 210.0);
    QCOMPARE(separators(p, 2).last(), QString(chars - 5, '-') + QStringLiteral(" 20"));
    QCOMPARE(separators(p, 3).first(), QString(chars - 5, '-') + QStringLiteral(" "));
    QCOMPARE(p.textsOnPage(3)[2].left(6), QStringLiteral("　　氏名21"));
    QCOMPARE(env.dm->CurrentRecord, 25);
}

void TestListPrint::questionAnswersAndCancel()
{
    TestEnv env;
    writeBook(env, QStringLiteral("b.kno"), 3, DataModule::FixedLength);
    auto window = openWindow(env, QStringLiteral("b.kno"), DataModule::FixedLength);
    // No: no printer is even asked for.
    env.boxes.answer(MsgAnswerCode::No);
    window->Menu_Disp_All_Click();
    QCOMPARE(env.printers.jobs.size(), 0);
    QCOMPARE(env.boxes.shown.size(), 1);
    // The PDF file's name was not given: nothing printed, no completion.
    env.printers.cancelNext = 1;
    env.boxes.answer(MsgAnswerCode::Yes);
    window->Menu_Disp_All_Click();
    QCOMPARE(env.printers.jobs.size(), 1);
    QCOMPARE(env.printers.opened.size(), 0);
    QCOMPARE(env.boxes.shown.size(), 2);
    QCOMPARE(env.boxes.shown.last().text, Question);
    // A font and size of the options show in the question and print.
    env.dm->IchiFnt = QStringLiteral("明朝");
    env.dm->IchiFsz = 9.75f;
    env.boxes.answer(MsgAnswerCode::Yes);
    env.boxes.answer(MsgAnswerCode::Ok);
    window->Menu_Disp_All_Click();
    QCOMPARE(env.boxes.shown[2].text,
             QStringLiteral("一覧印刷を行います。\n　フォント名：明朝\n　フォントサイズ： 9.75"));
    QCOMPARE(env.printers.last()->printed.first().font, QStringLiteral("明朝"));
    QCOMPARE(env.printers.last()->printed.first().size, 9.75);
    QCOMPARE(env.boxes.shown.last().text, Done);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestListPrint::debugModeShowsTheGeometry()
{
    TestEnv env;
    writeBook(env, QStringLiteral("b.kno"), 2, DataModule::FixedLength);
    auto window = openWindow(env, QStringLiteral("b.kno"), DataModule::FixedLength);
    env.dm->Settings.DebugMode = 1;
    env.printers.nextArea = areaForLines(32.5);
    env.boxes.answer(MsgAnswerCode::Yes);
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    window->Menu_Disp_All_Click();
    QCOMPARE(env.boxes.shown.size(), 3);
    QCOMPARE(env.boxes.shown[1].text,
             QStringLiteral("IchiFnt : ＭＳ 明朝\nIchiFsz : 10.5\nHeader  : %1\nBfnum   : 32\n"
                            "Prt.FntN: ＭＳ 明朝\nPrt.FntS: 10.5")
                 .arg(header(QStringLiteral("b.kno"))));
    QCOMPARE(env.boxes.shown[1].caption, QStringLiteral("一覧印刷"));
    QCOMPARE(env.boxes.shown[1].icon, MsgIcon::None);
    QCOMPARE(env.boxes.shown[2].text, Done);
}

void TestListPrint::fontTooLargePrintsOneRecordPerPage()
{
    TestEnv env;
    writeBook(env, QStringLiteral("b.kno"), 3, DataModule::FixedLength);
    auto window = openWindow(env, QStringLiteral("b.kno"), DataModule::FixedLength);
    // Four lines fit: (4 - 2) / 3 would be no record per page.
    env.printers.nextArea = areaForLines(4.5);
    env.boxes.answer(MsgAnswerCode::Yes);
    env.boxes.answer(MsgAnswerCode::Ok);
    window->Menu_Disp_All_Click();
    const RecordingPrinter &p = *env.printers.last();
    QCOMPARE(p.documents.size(), 1);
    QCOMPARE(p.documents[0].pages, 3);
    for (int page = 1; page <= 3; ++page) {
        QCOMPARE(separators(p, page).size(), 1);
        QCOMPARE(p.textsOnPage(page)[2].left(5), QStringLiteral("　　氏名%1").arg(page));
    }
    QCOMPARE(env.boxes.shown.last().text, Done);
}

void TestListPrint::unreadableRecordKillsTheList()
{
    TestEnv env;
    writeBook(env, QStringLiteral("b.kno"), 25, DataModule::FixedLength);
    auto window = openWindow(env, QStringLiteral("b.kno"), DataModule::FixedLength);
    QCOMPARE(env.dm->RecordCount, 25);
    // Another program cut the book short after it was opened.
    QVERIFY(QFile::resize(env.path(QStringLiteral("b.kno")), 12 * RecordLayout::Length));
    env.printers.nextArea = areaForLines(32.5);
    env.boxes.answer(MsgAnswerCode::Yes);
    env.boxes.answer(MsgAnswerCode::Ok);
    window->Menu_Disp_All_Click();
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
    QCOMPARE(env.boxes.shown.size(), 2);
    QCOMPARE(env.boxes.shown[1].caption, QStringLiteral("Menu_Disp_All_Click"));
    QCOMPARE(env.boxes.shown[1].icon, MsgIcon::Information);
    QVERIFY2(env.boxes.shown[1].text.startsWith(
                 QStringLiteral("レコード 13 を読めません。(ファイルが短くなっています)\n")),
             qPrintable(env.boxes.shown[1].text));
    QVERIFY(env.boxes.shown[1].text.endsWith(QStringLiteral(" > Menu_Disp_All_Click")));
    const RecordingPrinter &p = *env.printers.last();
    QCOMPARE(p.documents.size(), 1);
    QCOMPARE(p.documents[0].state, RecordedDocument::State::Killed);
}

void TestListPrint::printerFailureIsReported()
{
    TestEnv env;
    writeBook(env, QStringLiteral("b.kno"), 3, DataModule::FixedLength);
    auto window = openWindow(env, QStringLiteral("b.kno"), DataModule::FixedLength);
    const auto choice = choosePdf(env);
    // The chosen file lies in a folder that has gone.
    env.dialogs.answerSave(env.path(QStringLiteral("gone/一覧印刷.pdf")));
    env.boxes.answer(MsgAnswerCode::Yes);
    env.boxes.answer(MsgAnswerCode::Ok);
    window->Menu_Disp_All_Click();
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
    QCOMPARE(env.boxes.shown.size(), 2);
    QCOMPARE(env.boxes.shown[1].caption, QStringLiteral("Menu_Disp_All_Click"));
    QVERIFY2(env.boxes.shown[1].text.startsWith(QStringLiteral("PDF ファイル 一覧印刷.pdf を書き込めません。")),
             qPrintable(env.boxes.shown[1].text));
    QVERIFY(!QFile::exists(env.path(QStringLiteral("gone"))));
}

void TestListPrint::pdfOfABook()
{
    if (!PdfText::toolsAvailable())
        QSKIP("poppler-utils (pdftotext, pdfinfo, pdffonts) are not installed");
    TestEnv env;
    writeBook(env, QStringLiteral("small.kno"), 25, DataModule::FixedLength);
    auto window = openWindow(env, QStringLiteral("small.kno"), DataModule::FixedLength);
    const auto choice = choosePdf(env);
    const QString path = env.path(QStringLiteral("一覧印刷.pdf"));
    env.dialogs.answerSave(path);
    env.boxes.answer(MsgAnswerCode::Yes);
    env.boxes.answer(MsgAnswerCode::Ok);
    window->Menu_Disp_All_Click();
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected() + env.boxes.describe()));
    QCOMPARE(env.dialogs.shown.last().proposedPath, path);
    QCOMPARE(env.boxes.shown.last().text, Done);

    // 10.5 pt lines of IPAMincho on 277 mm: 21 records to a page.
    QCOMPARE(PdfText::pageCount(path), 2);
    QString error;
    const QList<PdfPage> pages = PdfText::pages(path, &error);
    QVERIFY2(pages.size() == 2, qPrintable(error));
    const QString date = settingsDateText(QDate::currentDate());
    for (int i = 0; i < 2; ++i) {
        const PdfPage &page = pages[i];
        QVERIFY(qAbs(page.widthMm - 210) < 0.5 && qAbs(page.heightMm - 297) < 0.5);
        QVERIFY2(page.text().startsWith(date + QStringLiteral(" small.kno : %1ﾍﾟｰｼﾞ").arg(i + 1)),
                 qPrintable(page.text().left(80)));
        // The title ends 284 twips short of the printable area's right edge.
        const PdfWord *last = page.find(QStringLiteral("%1ﾍﾟｰｼﾞ").arg(i + 1));
        QVERIFY(last);
        QVERIFY2(qAbs(last->xMax - (200 - 284 / TwipsPerMm)) < 0.5, qPrintable(QString::number(last->xMax)));
        const PdfWord *first = page.find(date);
        QVERIFY(first && qAbs(first->yMin - 10) < 0.5);
    }
    const QString firstPage = pages[0].text();
    QVERIFY2(firstPage.contains(QStringLiteral("氏名1 100-0001 東京都千代田区11号 ｼﾒｲ1 電話番号：03-1234-5678 ﾏｰｸ:A")),
             qPrintable(firstPage.left(300)));
    QVERIFY(firstPage.contains(QStringLiteral("---------- 20")) || firstPage.contains(QStringLiteral("- 20")));
    QVERIFY(pages[1].text().contains(QStringLiteral("氏名25 ")));
    const PdfWord *name = pages[0].find(QStringLiteral("氏名1"));
    QVERIFY(name);
    // Two full-width blanks in from the left edge of the printable area.
    QVERIFY2(qAbs(name->xMin - (10 + 2 * 10.5 * 20 / TwipsPerMm)) < 0.5, qPrintable(QString::number(name->xMin)));
    QVERIFY(PdfText::fonts(path).filter(QStringLiteral("IPAMincho")).size() == 1);
}

void TestListPrint::cupsQueuePrintsTwoPages()
{
    const bool required = qEnvironmentVariableIsSet("KANOTE_REQUIRE_CUPS");
    const bool running = run(QStringLiteral("lpstat"), {QStringLiteral("-r")}).contains(QStringLiteral("is running"));
    const QString queue = QPrinterInfo::defaultPrinterName();
    if (!running || queue.isEmpty()) {
        if (required)
            QFAIL("no cupsd answers, or it has no default printer");
        QSKIP("no cupsd answers here (CI starts one with scripts/setup-cups.sh)");
    }
    // Only a cups-pdf queue: never paper on a real printer.
    if (!run(QStringLiteral("lpstat"), {QStringLiteral("-v"), queue}).contains(QStringLiteral("cups-pdf:"))) {
        if (required)
            QFAIL("the default printer is not a cups-pdf queue");
        QSKIP("the default printer is not a cups-pdf queue");
    }
    const QDir out(cupsPdfFolder());
    const QStringList before = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);

    TestEnv env;
    writeBook(env, QStringLiteral("cups.kno"), 30, DataModule::FixedLength);
    auto window = openWindow(env, QStringLiteral("cups.kno"), DataModule::FixedLength);
    SystemPrinterChoice choice(env.boxes, env.dialogs);
    env.dm->Platform.Printers = &choice;
    QCOMPARE(choice.printerInUse(), queue);
    env.boxes.answer(MsgAnswerCode::Yes);
    env.boxes.answer(MsgAnswerCode::Ok);
    window->Menu_Disp_All_Click();
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected() + env.boxes.describe()));
    QCOMPARE(env.boxes.shown.last().text, Done);

    // The queue turns the job into a PDF file: wait for it (30 s at most).
    QString made;
    QElapsedTimer waited;
    waited.start();
    while (made.isEmpty() && waited.elapsed() < 30000) {
        for (const QString &name : out.entryList({QStringLiteral("*.pdf")}, QDir::Files))
            if (!before.contains(name) && PdfText::pageCount(out.filePath(name)) > 0)
                made = out.filePath(name);
        if (made.isEmpty())
            QTest::qWait(250);
    }
    QVERIFY2(!made.isEmpty(), qPrintable(QStringLiteral("no PDF appeared in ") + out.path()));
    const int pages = PdfText::pageCount(made);
    QFile::remove(made);
    QCOMPARE(pages, 2);
}

QTEST_MAIN(TestListPrint)
#include "tst_listprint.moc"
