// The print dialog's commands on the recording printer: single print,
// all print with its sender, mark and cancel rules, the out-of-area card,
// a record that cannot be read, the corrections' check and the fonts.
#include "support/cardbook.h"

#include "app/adrsbook.h"
#include "print/princard.h"
#include "print/prt.h"

#include "platform/fonts.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {

const QString IS = QString(QChar(0x3000));

// Runs `watch` every time the dialog lets window events through during a run.
class RunWatcher {
public:
    explicit RunWatcher(std::function<void()> watch)
    {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, std::move(watch));
        timer.start();
    }

private:
    QTimer timer;
};

// The names of the cards, one a page, of a recorded document.
QStringList cardNames(const RecordingPrinter &printer)
{
    QStringList names;
    const int pages = printer.documents.isEmpty() ? 0 : printer.documents[0].pages;
    for (int page = 1; page <= pages; ++page) {
        QString name;
        for (const PrintedText &t : printer.onPage(page))
            if (t.size == 24 && qAbs(t.x - 55.0) < 1e-6 && t.text != IS)
                name += t.text;
        names << name;
    }
    return names;
}

QString spacedName(int n) // 名前n with 様, letters run together
{
    return cardBookName(n) + QStringLiteral("様");
}

} // namespace

class TestPostcardPrint : public QObject {
    Q_OBJECT
private slots:
    void singlePrint();
    void singlePrintRefusals();
    void allPrint_data();
    void allPrint();
    void allPrintCancel();
    void allPrintOutOfArea();
    void allPrintReadError();
    void fontButtons();
    void mainWindowHookUp();
};

void TestPostcardPrint::singlePrint()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 3));
    useFactorySettings(env);
    PrinCard card(*env.dm);
    card.HScroll2->setValue(3);
    card.Text08->setText(QStringLiteral("山田様"));
    QString progressName;
    bool lockedWhilePrinting = false;
    {
        RunWatcher watch([&] {
            if (PRT *prt = card.ProgressWindow()) {
                progressName = prt->Label1->text();
                lockedWhilePrinting = !card.Command1->isEnabled() && !card.Command3->isEnabled()
                    && !card.HScroll2->isEnabled() && card.Text08->isReadOnly();
            }
        });
        card.Command1->click();
    }
    QCOMPARE(progressName, QStringLiteral("[ 山田様 ]"));
    QVERIFY(lockedWhilePrinting);
    QVERIFY(card.Command1->isEnabled() && !card.Text08->isReadOnly());
    QVERIFY(!card.ProgressWindow());
    // The postcard job on its page.
    QCOMPARE(env.printers.jobs.size(), 1);
    const PrintJob &job = env.printers.jobs[0];
    QCOMPARE(job.title, QStringLiteral("葉書宛名印刷"));
    QCOMPARE(job.pdfFileName, QStringLiteral("葉書宛名.pdf"));
    QCOMPARE(job.pdfFolder, env.dir.path());
    QCOMPARE(job.pageSize.size(QPageSize::Millimeter), QSizeF(100, 148));
    QCOMPARE(job.orientation, QPageLayout::Portrait);
    QVERIFY(!job.printerPaper);
    // The edited box is what printed, on one page of an ended document.
    RecordingPrinter *printer = env.printers.last();
    QCOMPARE(printer->documents.size(), 1);
    QCOMPARE(printer->documents[0].state, RecordedDocument::State::Ended);
    QCOMPARE(cardNames(*printer), QStringList({"山田様"}));
    QVERIFY(printer->textsOnPage(1).contains(QStringLiteral("3")));
    QCOMPARE(env.boxes.shown.size(), 0);

    // The sender itself may be printed this way; nothing is asked.
    card.HScroll2->setValue(1);
    card.Command1_Click();
    QCOMPARE(cardNames(*env.printers.last()), QStringList({spacedName(1)}));
    // The save dialog cancelled: nothing printed, nothing said.
    env.printers.cancelNext = 1;
    card.Command1_Click();
    QCOMPARE(env.printers.opened.size(), 2);
    QCOMPARE(env.printers.jobs.size(), 3);
    QCOMPARE(env.boxes.shown.size(), 0);
    QVERIFY(card.Command1->isEnabled());
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPostcardPrint::singlePrintRefusals()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 3));
    useFactorySettings(env);
    PrinCard card(*env.dm);
    // Corrections that are no number of their range: nothing printed.
    const struct { QLineEdit *box; QString text; QString message; } wrong[] = {
        {card.Text1, QStringLiteral("abc"), QStringLiteral("縦補正値には 0 から 148.0 までの数値（mm）を入力してください。")},
        {card.Text1, QStringLiteral("148.5"), QStringLiteral("縦補正値には 0 から 148.0 までの数値（mm）を入力してください。")},
        {card.Text2, QStringLiteral("-1"), QStringLiteral("横補正値には 0 から 100.0 までの数値（mm）を入力してください。")},
    };
    for (const auto &w : wrong) {
        card.Text1->setText(QStringLiteral("15.2"));
        card.Text2->setText(QStringLiteral("48.2"));
        w.box->setText(w.text);
        env.boxes.answer(MsgAnswerCode::Ok);
        card.Command1_Click();
        QCOMPARE(env.boxes.shown.last().text, w.message);
        QCOMPARE(env.boxes.shown.last().icon, MsgIcon::Exclamation);
        QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("葉書宛名印刷"));
        env.boxes.answer(MsgAnswerCode::Ok);
        card.Command2_Click();
        QCOMPARE(env.boxes.shown.last().text, w.message);
    }
    QVERIFY(env.printers.jobs.isEmpty());
    card.Text1->setText(QStringLiteral("15.2"));
    card.Text2->setText(QStringLiteral("48.2"));

    // A name line that would run below the card: the card is not printed at all.
    env.printers.nextArea = QSizeF(96, 40);
    env.boxes.answer(MsgAnswerCode::Ok);
    card.Command1_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("印刷領域外にプリントしようとしたため、\n印刷処理を中止しました。"));
    QCOMPARE(env.boxes.shown.last().icon, MsgIcon::Critical);
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("縦 印刷"));
    QVERIFY(env.printers.last()->printed.isEmpty());
    QCOMPARE(env.printers.last()->endedCount(), 0);
    // Horizontal cards are printed whatever their extent.
    card.Option2->click();
    card.Command1_Click();
    QCOMPARE(env.printers.last()->endedCount(), 1);
    QVERIFY(env.printers.last()->textsOnPage(1).contains(QStringLiteral("名 前 １ 様")));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPostcardPrint::allPrint_data()
{
    QTest::addColumn<int>("sender");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QList<int>>("printed");
    QTest::newRow("sender 2 of 5") << 2 << "" << QList<int>{1, 3, 4, 5};
    QTest::newRow("no sender") << 0 << "" << QList<int>{1, 2, 3, 4, 5};
    QTest::newRow("blank mark box") << 5 << "  " << QList<int>{1, 2, 3, 4};
    QTest::newRow("mark M") << 2 << "M" << QList<int>{1, 4};
    QTest::newRow("mark m") << 2 << "m" << QList<int>{3};
    QTest::newRow("mark with a blank before") << 2 << " M" << QList<int>{};
    QTest::newRow("sender of the mark") << 1 << "M" << QList<int>{2, 4};
}

void TestPostcardPrint::allPrint()
{
    QFETCH(int, sender);
    QFETCH(QString, mark);
    QFETCH(QList<int>, printed);
    TestEnv env;
    QVERIFY(openCardBook(env, 5, {"M", "M", "m", "M", ""}));
    useFactorySettings(env);
    env.dm->Settings.SenderNumber = qint16(sender);
    PrinCard card(*env.dm);
    card.HScroll2->setValue(2);
    card.Text3->setText(mark);
    // Edits of the addressee's boxes give way to each record; the sender's stay.
    card.Text08->setText(QStringLiteral("無視"));
    card.Text12->setText(QStringLiteral("編集済"));
    // Cancelling the question prints nothing.
    env.boxes.answer(MsgAnswerCode::Cancel);
    card.Command2_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("全宛名印刷を行います。"));
    QCOMPARE(env.boxes.shown.last().buttons, MsgButtons::OkCancel);
    QCOMPARE(env.boxes.shown.last().icon, MsgIcon::None);
    QVERIFY(env.printers.jobs.isEmpty());

    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    card.Command2_Click();
    QCOMPARE(env.boxes.shown.size(), 3);
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral(" %1 件印刷しました。").arg(printed.size()));
    QCOMPARE(env.boxes.shown.last().icon, MsgIcon::None);
    QStringList expected;
    for (int n : printed)
        expected << spacedName(n);
    RecordingPrinter *printer = env.printers.last();
    QCOMPARE(cardNames(*printer), expected);
    for (int page = 1; page <= int(printed.size()); ++page) {
        QString senderName;
        for (const PrintedText &t : printer->onPage(page))
            if (qAbs(t.x - 7.5) < 1e-6)
                senderName += t.text;
        QCOMPARE(senderName, QStringLiteral("編集済"));
    }
    // No card, no document: nothing goes to the printer.
    QCOMPARE(printer->endedCount(), printed.isEmpty() ? 0 : 1);
    // Afterwards: the last record composed in the boxes, the bar where it was.
    QCOMPARE(env.dm->CurrentRecord, 5);
    QCOMPARE(card.Label4->text(), QStringLiteral("2"));
    QCOMPARE(card.HScroll2->value(), 2);
    QCOMPARE(card.Text08->text(), sender == 5 ? "名" + IS + "前" + IS + "４" + IS + "様"
                                              : "名" + IS + "前" + IS + "５" + IS + "様");
    QVERIFY(card.Command2->isEnabled());
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPostcardPrint::allPrintCancel()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 6));
    useFactorySettings(env);
    PrinCard card(*env.dm);
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    QStringList seen;
    bool closeRefused = false;
    {
        RunWatcher watch([&] {
            PRT *prt = card.ProgressWindow();
            if (!prt || prt->Label1->text().isEmpty() || seen.contains(prt->Label1->text()))
                return;
            seen << prt->Label1->text();
            // The window stays while it prints; its キャンセル stops the run after this card.
            card.close();
            closeRefused = card.isVisible() || !card.Command3->isEnabled();
            if (prt->Label1->text() == cardBookName(4))
                prt->Command1->click();
        });
        card.show();
        card.Command2_Click();
    }
    QVERIFY(closeRefused);
    // Record 1 is the sender.
    QCOMPARE(seen, QStringList({cardBookName(2), cardBookName(3), cardBookName(4)}));
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral(" 3 件印刷しました。"));
    QCOMPARE(cardNames(*env.printers.last()), QStringList({spacedName(2), spacedName(3), spacedName(4)}));
    QCOMPARE(env.printers.last()->endedCount(), 1);
    QVERIFY(card.isVisible());
    QVERIFY(env.mainWindow.locked);
    card.close();
    QVERIFY(!env.mainWindow.locked);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPostcardPrint::allPrintOutOfArea()
{
    TestEnv env;
    const QString longName = QStringLiteral("寿限無寿限無五劫の擦り切れ海砂"); // 15 characters, the whole field
    QVERIFY(openCardBook(env, 5, {}, {{3, longName}}));
    useFactorySettings(env);
    env.dm->Settings.SenderNumber = 0;
    // Set tighter, it would fit: refused only with the fitting off.
    env.dm->Conf.FitLongLines = false;
    PrinCard card(*env.dm);
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    card.Command2_Click();
    QCOMPARE(env.boxes.shown.size(), 3);
    QCOMPARE(env.boxes.shown[1].caption, QStringLiteral("縦 印刷"));
    QCOMPARE(env.boxes.shown[2].text,
             QStringLiteral(" 4 件印刷しました。\n印刷領域外のため印刷しなかった宛名：") + longName);
    // The cards before and after it in the one document, one a page.
    RecordingPrinter *printer = env.printers.last();
    QCOMPARE(printer->documents.size(), 1);
    QCOMPARE(printer->documents[0].state, RecordedDocument::State::Ended);
    QCOMPARE(cardNames(*printer), QStringList({spacedName(1), spacedName(2), spacedName(4), spacedName(5)}));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPostcardPrint::allPrintReadError()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 5));
    useFactorySettings(env);
    env.dm->Settings.SenderNumber = 0;
    PrinCard card(*env.dm);
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    {
        // The book goes away after the second card.
        RunWatcher watch([&] {
            if (card.ProgressWindow() && card.ProgressWindow()->Label1->text() == cardBookName(2))
                env.dm->CloseData();
        });
        card.Command2_Click();
    }
    QCOMPARE(env.boxes.shown.size(), 3);
    QCOMPARE(env.boxes.shown[1].caption, QStringLiteral("Command2_Click"));
    QVERIFY(env.boxes.shown[1].text.startsWith(QStringLiteral("レコード 3 を読めません。")));
    QCOMPARE(env.boxes.shown[2].text, QStringLiteral(" 2 件印刷しました。"));
    QCOMPARE(cardNames(*env.printers.last()), QStringList({spacedName(1), spacedName(2)}));
    QCOMPARE(env.printers.last()->endedCount(), 1);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPostcardPrint::fontButtons()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 2));
    useFactorySettings(env);
    PrinCard card(*env.dm);
    const SettingsRecord before = env.dm->Settings;
    env.dialogs.answerFont(FontChoice{QStringLiteral("IPAGothic"), 16, true});
    card.Command5[2]->click();
    QCOMPARE(env.dialogs.shown.last().initial.name, Fonts::Mincho);
    QCOMPARE(env.dialogs.shown.last().initial.size, 24.0);
    QCOMPARE(env.dialogs.shown.last().initial.bold, false);
    QCOMPARE(card.Label11[2]->text(), QStringLiteral("IPAGothic"));
    QCOMPARE(card.Label12[2]->text(), QStringLiteral("16"));
    for (int e : {2, 3}) {
        QCOMPARE(env.dm->Settings.FontName[e], QStringLiteral("IPAGothic"));
        QCOMPARE(env.dm->Settings.FontSize[e], 16.0f);
    }
    // The name lines print in the chosen font, without bold.
    card.Command1_Click();
    bool nameInChosenFont = false;
    for (const PrintedText &t : env.printers.last()->printed)
        if (t.text == QStringLiteral("名") && qAbs(t.x - 55.0) < 1e-6)
            nameInChosenFont = t.font == QStringLiteral("IPAGothic") && t.size == 16 && !t.bold;
    QVERIFY(nameInChosenFont);
    // Horizontal: entries 14 and 15 for the sender's address.
    card.Option2->click();
    env.dialogs.answerFont(FontChoice{QStringLiteral("IPAMincho"), 10.5, false});
    card.Command5[5]->click();
    QCOMPARE(card.Label12[5]->text(), QStringLiteral("10.5"));
    QCOMPARE(env.dm->Settings.FontSize[14], 10.5f);
    QCOMPARE(env.dm->Settings.FontSize[15], 10.5f);
    QCOMPARE(env.dm->Settings.FontSize[4], before.FontSize[4]);
    // Cancelled: nothing changes.
    env.dialogs.answerFont(std::nullopt);
    card.Command5[3]->click();
    QCOMPARE(card.Label11[3]->text(), Fonts::Mincho);
    QCOMPARE(env.dm->Settings.FontName[10], before.FontName[10]);
    // Back to vertical: the vertical entries, unchanged but the name's.
    card.Option1->click();
    QCOMPARE(card.Label12[5]->text(), QStringLiteral("12"));
    QCOMPARE(card.Label11[2]->text(), QStringLiteral("IPAGothic"));
    // ﾌﾟﾘﾝﾀ定義 goes to the printer choice.
    card.Print_Teigi->trigger();
    QCOMPARE(env.printers.setupCount, 1);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPostcardPrint::mainWindowHookUp()
{
    TestEnv env;
    QVERIFY(openCardBook(env, 3));
    useFactorySettings(env);
    env.dm->Settings.SettingsVersion = SettingsRecord::CurrentVersion;
    env.writeFile(QStringLiteral("KANOTE.DAT"), env.dm->Settings.toBytes());
    auto window = std::make_unique<Adrsbook>(*env.dm);
    env.dm->MainWindow = window.get();
    window->Form_Load(env.path(QStringLiteral("a.kno")));
    window->show();
    window->Menu_Disp_Print_Click();
    QPointer<PrinCard> card = window->findChild<PrinCard *>();
    QVERIFY(card);
    QVERIFY(card->isVisible());
    QVERIFY(!window->Menu_Disp->isEnabled());
    QVERIFY(!window->Menu_File->isEnabled());
    card->HScroll1->setValue(3);
    card->Text3->setText(QStringLiteral("Q"));
    // Closing the program closes the dialog first: its values reach the file.
    window->close();
    QVERIFY(!card || !card->isVisible());
    const QByteArray file = env.readFile(QStringLiteral("KANOTE.DAT"));
    QCOMPARE(file.size(), 1024);
    QCOMPARE(file.at(41), 'Q');
    QCOMPARE(file.at(42), char(3));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

QTEST_MAIN(TestPostcardPrint)
#include "tst_postcardprint.moc"
