// The postcard print dialog: what it shows when it opens, how it recomposes,
// what it stores when it closes, and the cards its commands print.
#include "support/cardbook.h"

#include "support/books.h"
#include "support/userinput.h"
#include "support/inputmethod.h"

#include "print/cardgeometry.h"
#include "print/princard.h"
#include "print/prt.h"
#include "store/settingsfile.h"

#include "platform/fonts.h"
#include "platform/printerchoice.h"
#include "support/pdftext.h"

#include <QPrinter>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QCheckBox>
#include <QtTest>

namespace {
const QString IS = QString(QChar(0x3000));
} // namespace

class TestPrinCard : public QObject {
    Q_OBJECT
private slots:
    void inputMethodInBoxes();
    void opens();
    void loadsStoredValues_data();
    void loadsStoredValues();
    void recomposes();
    void storesOnClose();
    void alignJointNamesBox();
    void printsIntoPdf();
};

void TestPrinCard::inputMethodInBoxes()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 3));
    useFactorySettings(env);
    PrinCard card(*env.dm);
    card.show();
    QVERIFY(QTest::qWaitForWindowActive(&card));
    // Digits and millimetres are typed straight; the texts of the card take Japanese.
    const QStringList off = {"Text01_1", "Text01_2", "Text01_3", "Text01_4", "Text01_5", "Text01_6", "Text01_7", "Text14",
                             "Text1", "Text2"};
    const QStringList on = {"Text06", "Text07", "Text08", "Text09", "Text10", "Text11", "Text12", "Text13"};
    QCOMPARE(inputMethodMismatches(&card, off, on), QStringList());
    // A print run makes the boxes read-only and editable again; the modes stay.
    card.Command1_Click();
    QVERIFY(!card.Text01[1]->isReadOnly());
    QCOMPARE(inputMethodMismatches(&card, off, on), QStringList());
    // Another addressee refills the boxes; the modes stay.
    card.HScroll2->setValue(2);
    QCOMPARE(inputMethodMismatches(&card, off, on), QStringList());
    card.close();
}

void TestPrinCard::opens()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 5));
    useFactorySettings(env);
    env.dm->Settings.SenderNumber = 2;
    PrinCard card(*env.dm);
    QVERIFY(env.mainWindow.locked);
    QCOMPARE(card.windowTitle(), QStringLiteral("葉書宛名印刷"));
    // Every caption, found by the control's name as a user's tool would.
    const QList<std::pair<const char *, const char *>> captions = {
        {"Label1", "葉書宛名を印刷します。"}, {"Command1", "単印刷"}, {"Command2", "全印刷"},
        {"Command4", "ﾚｲｱｳﾄ(&V)"}, {"Command3", "閉じる(&X)"}, {"Label3", "宛先名番号"}, {"Label2", "差出名番号"},
        {"Label13_0", "郵便番号"}, {"Label13_1", "住所１"}, {"Label13_2", "住所２"}, {"Label13_3", "氏名１"},
        {"Label13_4", "氏名２"}, {"Label10_1", "差住１"}, {"Label10_2", "差住２"}, {"Label10_3", "差名１"},
        {"Label10_4", "差名２"}, {"Command5_2", "氏名ﾌｫﾝﾄ"}, {"Command5_3", "住所ﾌｫﾝﾄ"}, {"Command5_4", "差名ﾌｫﾝﾄ"},
        {"Command5_5", "差住ﾌｫﾝﾄ"}, {"Label7", "縦補正値"}, {"Label9", "横補正値"}, {"Option1", "縦書き"},
        {"Option2", "横書き"}, {"Label8_2", "基準値補正："}, {"Label8_1", "敬称付け："},
        {"Label8_0", "[全印刷］のときに印刷するﾏｰｸ"}};
    for (const auto &[name, caption] : captions) {
        const QWidget *w = card.findChild<QWidget *>(QString::fromLatin1(name));
        QVERIFY2(w, name);
        const QString text = w->property("text").toString();
        QCOMPARE(text, QString::fromUtf8(caption));
    }
    QCOMPARE(card.Frame1->title(), QStringLiteral("印字方向"));
    QVERIFY(card.Option1->isChecked());
    // Menus.
    QCOMPARE(card.Print_->title(), QStringLiteral("印刷(&P)"));
    QStringList entries;
    for (QAction *a : card.Print_->actions())
        entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(entries, QStringList({"単印刷(&T)", "全印刷(&A)", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)...", "-", "ﾌﾟﾘﾝﾀ定義(&P)",
                                   "位置合わせ印刷(&G)...", "位置の調整(&J)...", "-", "閉じる(&X)"}));
    QCOMPARE(card.Print_Quit->shortcut(), QKeySequence(Qt::Key_F9));
    QCOMPARE(card.Help->title(), QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    QCOMPARE(card.Help_Print->text(), QStringLiteral("使い方(&T)"));
    QCOMPARE(card.Help_Print->shortcut(), QKeySequence(Qt::Key_F3));
    // The bar shows above the controls and a mouse opens its menus.
    card.show();
    QVERIFY(QTest::qWaitForWindowExposed(&card));
    QVERIFY(card.MenuBar->height() >= card.MenuBar->fontMetrics().height());
    QVERIFY(card.Label1->mapTo(&card, QPoint()).y() >= card.MenuBar->geometry().bottom());
    QVERIFY(opensFromBar(card.MenuBar, card.Print_));
    QVERIFY(opensFromBar(card.MenuBar, card.Help));
    // Scroll bars: ranges and steps.
    struct Bar { QScrollBar *bar; int min, max, small, large, value; };
    for (const Bar &b : {Bar{card.HScroll1, 0, 5, 1, 5, 2}, Bar{card.HScroll2, 1, 5, 1, 5, 1},
                         Bar{card.HScroll3, 0, 1480, 1, 10, 152}, Bar{card.HScroll4, 0, 1000, 1, 10, 482},
                         Bar{card.HScroll5, -10, 10, 1, 1, -5}}) {
        QCOMPARE(b.bar->minimum(), b.min);
        QCOMPARE(b.bar->maximum(), b.max);
        QCOMPARE(b.bar->singleStep(), b.small);
        QCOMPARE(b.bar->pageStep(), b.large);
        QCOMPARE(b.bar->value(), b.value);
    }
    QCOMPARE(card.Label4->text(), QStringLiteral("1"));
    QCOMPARE(card.Label5->text(), QStringLiteral("2"));
    QCOMPARE(card.Label6->text(), QStringLiteral("／ 5"));
    QCOMPARE(card.Label8[3]->text(), QStringLiteral("-5"));
    QCOMPARE(card.Text1->text(), QStringLiteral("15.2"));
    QCOMPARE(card.Text2->text(), QStringLiteral("48.2"));
    QCOMPARE(card.Combo1->count(), 4);
    QCOMPARE(card.Combo1->itemText(2), QStringLiteral("御中"));
    QCOMPARE(card.Combo1->currentIndex(), 0);
    QCOMPARE(card.Text3->text(), QString());
    // Fonts of the vertical groups.
    for (int i = 2; i <= 5; ++i)
        QCOMPARE(card.Label11[i]->text(), Fonts::Mincho);
    QCOMPARE(card.Label12[2]->text(), QStringLiteral("24"));
    QCOMPARE(card.Label12[3]->text(), QStringLiteral("18"));
    QCOMPARE(card.Label12[4]->text(), QStringLiteral("12"));
    // Addressee 1 and sender 2, composed.
    QStringList digits;
    for (int k = 1; k <= 7; ++k)
        digits << card.Text01[k]->text();
    QCOMPARE(digits.join(QString()), QStringLiteral("1014567"));
    QVERIFY(card.Text01[7]->isVisibleTo(&card));
    QCOMPARE(card.Text06->text(), QStringLiteral("東京都港区芝一｜一"));
    QCOMPARE(card.Text07->text(), QStringLiteral("コ｜ポ1"));
    QCOMPARE(card.Text08->text(), "名" + IS + "前" + IS + "１" + IS + "様");
    QCOMPARE(card.Text09->text(), QString());
    QCOMPARE(card.Text10->text(), QStringLiteral("東京都港区芝二｜一"));
    QCOMPARE(card.Text12->text(), QStringLiteral("名前２"));
    QCOMPARE(card.Text14->text(), QStringLiteral("1 0 2 4 5 6 7"));
    QCOMPARE(env.dm->CurrentRecord, 1);
    QCOMPARE(env.dm->PrintDirection, qint16(0));

    card.Help_Print_Click();
    QCOMPARE(env.help.requests.size(), 1);
    QCOMPARE(env.help.requests[0].command, 1);
    QCOMPARE(env.help.requests[0].data, 4009);

    card.Command3->click();
    QVERIFY(!env.mainWindow.locked);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPrinCard::loadsStoredValues_data()
{
    QTest::addColumn<int>("storedSender");
    QTest::addColumn<int>("postalTop");
    QTest::addColumn<int>("honorific");
    QTest::addColumn<int>("postalDigits");
    QTest::addColumn<QString>("shownSender");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("name1");
    QTest::newRow("sender past the count") << 6 << 150 << 1 << 7 << "1" << "15" << "名" + IS + "前" + IS + "１" + IS + "様";
    QTest::newRow("negative sender") << -3 << 152 << 3 << 7 << "1" << "15.2" << "名" + IS + "前" + IS + "１" + IS + "御 中";
    QTest::newRow("no sender") << 0 << 5 << 4 << 5 << "0" << "0.5" << "名" + IS + "前" + IS + "１" + IS + " ";
    QTest::newRow("last record") << 5 << 1480 << 2 << 5 << "5" << "148" << "名" + IS + "前" + IS + "１" + IS + "殿";
}

void TestPrinCard::loadsStoredValues()
{
    QFETCH(int, storedSender);
    QFETCH(int, postalTop);
    QFETCH(int, honorific);
    QFETCH(int, postalDigits);
    TestEnv env;
    QVERIFY(openCardBook(env, 5));
    useFactorySettings(env);
    env.dm->Settings.SenderNumber = qint16(storedSender);
    env.dm->Settings.PostalTop = qint16(postalTop);
    env.dm->Settings.HonorificIndex = qint16(honorific);
    env.dm->PostalDigits = qint16(postalDigits);
    PrinCard card(*env.dm);
    QTEST(card.Label5->text(), "shownSender");
    QTEST(card.Text1->text(), "text1");
    QTEST(card.Text08->text(), "name1");
    QCOMPARE(card.Combo1->currentIndex(), honorific - 1);
    QCOMPARE(card.Text01[5]->isVisibleTo(&card), true);
    QCOMPARE(card.Text01[6]->isVisibleTo(&card), postalDigits == 7);
    QCOMPARE(card.Text01[7]->isVisibleTo(&card), postalDigits == 7);
    if (card.Label5->text() == QStringLiteral("0"))
        for (QLineEdit *b : {card.Text10, card.Text11, card.Text12, card.Text13, card.Text14})
            QCOMPARE(b->text(), QString());
    card.close();
    QCOMPARE(env.dm->Settings.SenderNumber, card.Label5->text().toShort());
    QCOMPARE(env.dm->Settings.HonorificIndex, qint16(honorific));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPrinCard::recomposes()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 5));
    useFactorySettings(env);
    env.dm->Settings.FontName[12] = QStringLiteral("IPAGothic");
    env.dm->Settings.FontSize[12] = 16;
    PrinCard card(*env.dm);
    card.HScroll2->setValue(3);
    QCOMPARE(card.Label4->text(), QStringLiteral("3"));
    QCOMPARE(env.dm->CurrentRecord, 3);
    QCOMPARE(card.Text08->text(), "名" + IS + "前" + IS + "３" + IS + "様");
    card.Combo1->setCurrentIndex(2);
    QCOMPARE(env.dm->Settings.HonorificIndex, qint16(3));
    QCOMPARE(card.Text08->text(), "名" + IS + "前" + IS + "３" + IS + "御 中");
    card.HScroll1->setValue(4);
    QCOMPARE(card.Label5->text(), QStringLiteral("4"));
    QCOMPARE(card.Text12->text(), QStringLiteral("名前４"));
    QCOMPARE(env.dm->CurrentRecord, 3);
    // Horizontal: half-width spacing, no numerals, the horizontal fonts.
    card.Option2->click();
    QCOMPARE(env.dm->PrintDirection, qint16(1));
    QCOMPARE(card.Text08->text(), QStringLiteral("名 前 ３ 御 中"));
    QCOMPARE(card.Text06->text(), QStringLiteral("東京都港区芝３－１"));
    QCOMPARE(card.Text10->text(), QStringLiteral("東京都港区芝４－１"));
    QCOMPARE(card.Label11[2]->text(), QStringLiteral("IPAGothic"));
    QCOMPARE(card.Label12[2]->text(), QStringLiteral("16"));
    QCOMPARE(card.Label12[3]->text(), QStringLiteral("14"));
    card.Option1->click();
    QCOMPARE(card.Text08->text(), "名" + IS + "前" + IS + "３" + IS + "御 中");
    QCOMPARE(card.Label12[2]->text(), QStringLiteral("24"));
    // Corrections follow their bars; 基準値補正 is stored at once.
    card.HScroll3->setValue(150);
    QCOMPARE(card.Text1->text(), QStringLiteral("15"));
    card.HScroll4->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(card.Text2->text(), QStringLiteral("49.2"));
    card.HScroll5->setValue(3);
    QCOMPARE(card.Label8[3]->text(), QStringLiteral("3"));
    QCOMPARE(env.dm->Settings.PrintOffset, qint16(3));
    card.close();
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPrinCard::storesOnClose()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 5));
    useFactorySettings(env);
    {
        PrinCard card(*env.dm);
        card.HScroll1->setValue(3);
        card.Text3->setText(QStringLiteral("MX"));
        card.Text1->setText(QStringLiteral("16.4"));
        card.Text2->setText(QStringLiteral("50.2"));
        card.close();
        QVERIFY(!env.mainWindow.locked);
    }
    QCOMPARE(env.dm->Settings.SenderNumber, qint16(3));
    QCOMPARE(env.dm->Settings.PrintMark, QStringLiteral("M"));
    QCOMPARE(env.dm->Settings.PostalTop, qint16(164));
    QCOMPARE(env.dm->Settings.PostalLeft, qint16(502));
    {
        // Texts that are no valid correction leave the stored values as they were.
        PrinCard card(*env.dm);
        QCOMPARE(card.Text3->text(), QStringLiteral("M"));
        QCOMPARE(card.Text1->text(), QStringLiteral("16.4"));
        card.Text1->setText(QStringLiteral("abc"));
        card.Text2->setText(QStringLiteral("101"));
        card.Text3->clear();
    } // destroyed without close(): the values are stored all the same
    QCOMPARE(env.dm->Settings.PostalTop, qint16(164));
    QCOMPARE(env.dm->Settings.PostalLeft, qint16(502));
    QCOMPARE(env.dm->Settings.toBytes().at(41), ' ');
    QVERIFY(!env.mainWindow.locked);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPrinCard::alignJointNamesBox()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 3, {}, {{2, QStringLiteral("山田太郎／花子")}}));
    useFactorySettings(env);
    env.dm->Settings.SenderNumber = 0;
    {
        PrinCard card(*env.dm);
        QCOMPARE(card.Check1->text(), QStringLiteral("連名の敬称をそろえる"));
        QVERIFY(!card.Check1->isChecked());
        // Beside 敬称付け, above the corrections.
        QVERIFY(card.Check1->y() > card.Combo1->y() && card.Check1->y() < card.Text1->y());
        card.HScroll2->setValue(2);
        card.Check1->click();
        QVERIFY(env.dm->Conf.AlignJointNames);
        card.Command1_Click();
        // 花 level with 太: the second line moved down by four cells of 24 point.
        const RecordingPrinter *printer = env.printers.last();
        QVERIFY(printer);
        double taro = -1, hana = -1;
        for (const PrintedText &t : printer->printed) {
            if (t.text == QStringLiteral("太"))
                taro = t.y;
            if (t.text == QStringLiteral("花"))
                hana = t.y;
        }
        QVERIFY(taro > 0);
        QCOMPARE(hana, taro);
        card.close();
    }
    {
        // Kept for the next opening; unticking stores that too.
        PrinCard card(*env.dm);
        QVERIFY(card.Check1->isChecked());
        card.Check1->click();
        card.close();
    }
    QVERIFY(!env.dm->Conf.AlignJointNames);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPrinCard::printsIntoPdf()
{
    if (!PdfText::toolsAvailable())
        QSKIP("poppler-utils (pdftotext, pdfinfo) are not installed");
    TestEnv env;
    env.writeFile("a.kno", fixedRecord({"長谷川左衛門", "ﾊｾｶﾞﾜ", "123-4567", "東京都千代田区千代田１－１", "", "", "", "", "", ""})
                               + fixedRecord({"差出人", "", "530-0001", "大阪府大阪市北区梅田１－１"}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    useFactorySettings(env);
    env.dm->Settings.SenderNumber = 2;
    // PDF chosen in the printer dialog: every print of the run goes into a file.
    SystemPrinterChoice choice(env.boxes, env.dialogs);
    env.dm->Platform.Printers = &choice;
    PrinCard card(*env.dm);
    env.dialogs.answerPrinter([](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        return true;
    });
    card.Print_Teigi_Click();
    const QString path = env.path("card.pdf");
    env.dialogs.answerSave(path);
    card.Command1_Click();
    QCOMPARE(env.dialogs.shown.size(), 2);
    QCOMPARE(env.dialogs.shown[1].title, QStringLiteral("PDF ファイルに印刷"));
    QCOMPARE(env.dialogs.shown[1].proposedPath, env.path("葉書宛名.pdf"));
    QCOMPARE(PdfText::pageCount(path), 1);
    QString error;
    const QList<PdfPage> pages = PdfText::pages(path, &error);
    QVERIFY2(pages.size() == 1, qPrintable(error));
    // The postcard page, to the whole point a PDF page is measured in.
    QVERIFY(qAbs(pages[0].widthMm - 100) < 0.36);
    QVERIFY(qAbs(pages[0].heightMm - 148) < 0.36);
    // Every digit inside its printed box of a standard card.
    const QStringList digits = {"1", "2", "3", "4", "5", "6", "7"};
    for (int k = 1; k <= 7; ++k) {
        const PdfWord *digit = pages[0].find(digits[k - 1]);
        QVERIFY(digit);
        const QRectF box = Card::postalBox(k);
        QVERIFY2(digit->xMin >= box.left() && digit->xMax <= box.right() && digit->yMin >= box.top()
                     && digit->yMax <= box.bottom(),
                 qPrintable(QStringLiteral("digit %1 at %2 ... %3 x %4 ... %5 mm")
                                .arg(k).arg(digit->xMin).arg(digit->xMax).arg(digit->yMin).arg(digit->yMax)));
    }
    // The name one character under the other at one x, one em of its font
    // apart: six characters and the honorific, letter-spaced, fit the card.
    QList<const PdfWord *> name;
    for (const QString &c : QStringList{"長", "谷", "川", "左", "衛", "門", "様"}) {
        const PdfWord *w = nullptr;
        for (const PdfWord &word : pages[0].words)
            if (word.text == c && word.xMin > 50 && word.xMin < 60)
                w = &word;
        QVERIFY2(w, qPrintable(c));
        name.append(w);
    }
    QVERIFY(qAbs(name[0]->xMin - (55.0 + Card::PdfMarginLeftMm)) < 0.1);
    QVERIFY(qAbs(name[0]->yMin - (29.0 + Card::PdfMarginTopMm)) < 0.1);
    const double pitch = (name[1]->yMin - name[0]->yMin) / 2; // an ideographic space between
    QVERIFY(qAbs(pitch - 24 * 25.4 / 72) < 0.01); // one em of 24 point
    for (int i = 1; i < name.size(); ++i) {
        QVERIFY(qAbs(name[i]->xMin - name[0]->xMin) < 0.01);
        QVERIFY(qAbs(name[i]->yMin - name[i - 1]->yMin - 2 * pitch) < 0.01);
    }
    // The sender's postal code across, at 3.0 / 118.0 mm of the printable area.
    QStringList senderDigits;
    for (const PdfWord &word : pages[0].words)
        if (qAbs(word.yMin - (118.0 + Card::PdfMarginTopMm)) < 0.1)
            senderDigits << word.text;
    QCOMPARE(senderDigits, QStringList({"5", "3", "0", "0", "0", "0", "1"}));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

QTEST_MAIN(TestPrinCard)
#include "tst_princard.moc"
