// The correction form: storing, restoring, the question on closing, and
// deleting record after record, in both formats.
#include "support/testenv.h"
#include "support/books.h"
#include "support/userinput.h"

#include "edit/crctdata.h"
#include "edit/entryform.h"

#include "platform/codec.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

namespace {

const QString Question = QStringLiteral("修正がファイルに反映されていません。\r\n修正をファイルに反映しますか？");

} // namespace

class TestCrctData : public QObject {
    Q_OBJECT
private slots:
    void correctionModeShowsTheRecord();
    void restoreAndTheClosingQuestion();
    void storeInATextBook();
    void deleteRecordAfterRecord();
    void deleteInATextBook();
    void deletionModeNeverStores();
    void failedStoreKeepsTheWindowUsable();
    void boxesKeepLoadedValues();
};

void TestCrctData::correctionModeShowsTheRecord()
{
    TestEnv env;
    env.writeFile("a.kno", fixedBook({{"一"}, {"  二郎", "ｼﾞﾛｳ", "100-0001", "  東京都  "}, {"三"}}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    env.dm->CurrentRecord = 2;
    CrctData form(*env.dm, nullptr);
    QVERIFY(env.mainWindow.locked);
    form.prepare(CrctData::Mode::Correct);
    QCOMPARE(form.windowTitle(), QStringLiteral("データ修正"));
    // Leading blanks show, trailing ones never.
    QCOMPARE(form.Text0->text(), QStringLiteral("  二郎"));
    QCOMPARE(form.Text3->text(), QStringLiteral("  東京都"));
    QCOMPARE(form.Text2->text(), QStringLiteral("100-0001"));
    QCOMPARE(form.Label11->text(), QStringLiteral(" 2"));
    QVERIFY(form.Command3->isHidden());
    QVERIFY(!form.Command1->isHidden());
    QVERIFY(!form.Command2->isHidden());
    QVERIFY(form.Menu_Edit->isEnabled());
    QCOMPARE(form.Text0->focusPolicy(), Qt::StrongFocus);
    // The bar of データ and 編集 shows above the boxes; a mouse opens its menus.
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *bar = form.findChild<QMenuBar *>(QStringLiteral("MenuBar"));
    QVERIFY(bar);
    QVERIFY(bar->height() >= bar->fontMetrics().height());
    QVERIFY(form.Label11->mapTo(&form, QPoint()).y() >= bar->geometry().bottom());
    QVERIFY(opensFromBar(bar, form.Menu_Data));
    QVERIFY(opensFromBar(bar, form.Menu_Edit));
    form.Command4_Click();
    QVERIFY(form.isUnloaded());
    QVERIFY(!env.mainWindow.locked);
    QCOMPARE(env.dm->CurrentRecord, 1);
}

void TestCrctData::restoreAndTheClosingQuestion()
{
    TestEnv env;
    const QByteArray book = fixedBook({{"一"}, {"二"}, {"三"}});
    env.writeFile("a.kno", book);
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    DataModule &dm = *env.dm;
    {
        // 復帰 brings the stored value back; closing asks nothing.
        dm.CurrentRecord = 2;
        CrctData form(dm, nullptr);
        form.prepare(CrctData::Mode::Correct);
        form.Text0->setText(QStringLiteral("弐"));
        QCOMPARE(form.EditedText[1], QStringLiteral("弐"));
        form.Command2_Click();
        QCOMPARE(form.Text0->text(), QStringLiteral("二"));
        form.Command4_Click();
        QVERIFY2(env.boxes.shown.isEmpty(), qPrintable(env.boxes.describe()));
    }
    {
        // An edit and No: the file is unchanged.
        dm.CurrentRecord = 2;
        CrctData form(dm, nullptr);
        form.prepare(CrctData::Mode::Correct);
        form.Text5->setText(QStringLiteral("03"));
        env.boxes.answer(MsgAnswerCode::No);
        form.close();
        QCOMPARE(env.boxes.shown.size(), 1);
        QCOMPARE(env.boxes.shown[0].text, Question);
        QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Exclamation);
        QCOMPARE(env.boxes.shown[0].buttons, MsgButtons::YesNo);
        QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("修正処理"));
        QCOMPARE(env.readFile("a.kno"), book);
        QVERIFY(!env.mainWindow.locked);
    }
    env.boxes.shown.clear();
    {
        // Escape is 閉じる: the same question.
        dm.CurrentRecord = 2;
        CrctData form(dm, nullptr);
        form.prepare(CrctData::Mode::Correct);
        form.Text5->setText(QStringLiteral("04"));
        env.boxes.answer(MsgAnswerCode::No);
        QTest::keyClick(form.Text5, Qt::Key_Escape);
        QVERIFY(form.isUnloaded());
        QCOMPARE(env.boxes.shown.size(), 1);
        QCOMPARE(env.boxes.shown[0].text, Question);
        QCOMPARE(env.readFile("a.kno"), book);
    }
    env.boxes.shown.clear();
    {
        // An edit and Yes: stored, with its message.
        dm.CurrentRecord = 3;
        CrctData form(dm, nullptr);
        form.prepare(CrctData::Mode::Correct);
        form.Text1->setText(QStringLiteral("ｻﾝ"));
        env.boxes.answer(MsgAnswerCode::Yes);
        env.boxes.answer(MsgAnswerCode::Ok);
        form.Menu_End_Click();
        QCOMPARE(env.boxes.shown.size(), 2);
        QCOMPARE(env.boxes.shown[1].text, QStringLiteral("ファイルを更新しました。"));
        QCOMPARE(env.boxes.shown[1].icon, MsgIcon::Information);
        QCOMPARE(env.readFile("a.kno"), fixedBook({{"一"}, {"二"}, {"三", "ｻﾝ"}}));
    }
    env.boxes.shown.clear();
    {
        // After ﾌｧｲﾙ更新 closing asks nothing.
        dm.CurrentRecord = 1;
        CrctData form(dm, nullptr);
        form.prepare(CrctData::Mode::Correct);
        form.Text0->setText(QStringLiteral("壱"));
        env.boxes.answer(MsgAnswerCode::Ok);
        form.Command1_Click();
        QCOMPARE(env.mainWindow.labels[MainWindowLink::FileNameLabel], QStringLiteral("a.kno"));
        QCOMPARE(env.mainWindow.labels[MainWindowLink::DateLabel], dm.FileDateText());
        form.Command4_Click();
        QCOMPARE(env.boxes.shown.size(), 1);
        QCOMPARE(env.readFile("a.kno"), fixedBook({{"壱"}, {"二"}, {"三", "ｻﾝ"}}));
    }
}

void TestCrctData::storeInATextBook()
{
    TestEnv env;
    // One line without a line end.
    env.writeFile("t.txt", Cp932::encode("山田;ﾔﾏﾀﾞ;;  東京都  "));
    QVERIFY(env.open("t.txt", DataModule::DelimitedText));
    env.dm->CurrentRecord = 1;
    CrctData form(*env.dm, nullptr);
    form.prepare(CrctData::Mode::Correct);
    QCOMPARE(form.Text3->text(), QStringLiteral("  東京都"));
    form.Text2->setText(QStringLiteral("123"));
    env.boxes.answer(MsgAnswerCode::Ok);
    form.Command1_Click();
    QCOMPARE(env.readFile("t.txt"), textLine("山田;ﾔﾏﾀﾞ;123;  東京都;;;;;;"));
    QCOMPARE(env.dm->LineIndex[2], qint32(env.readFile("t.txt").size() + 1));
    form.Command4_Click();
}

void TestCrctData::deleteRecordAfterRecord()
{
    TestEnv env;
    env.writeFile("a.kno", fixedBook({{" 一 "}, {"二"}, {"三"}, {"四"}}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    DataModule &dm = *env.dm;
    dm.CurrentRecord = 1;
    CrctData form(dm, nullptr);
    form.prepare(CrctData::Mode::Delete);
    QCOMPARE(form.windowTitle(), QStringLiteral("データ削除"));
    QVERIFY(!form.Command3->isHidden());
    QVERIFY(form.Command1->isHidden());
    QVERIFY(form.Command2->isHidden());
    QVERIFY(!form.Menu_Edit->isEnabled());
    QCOMPARE(form.Text0->focusPolicy(), Qt::ClickFocus);

    // Cancel: nothing changes.
    env.boxes.answer(MsgAnswerCode::Cancel);
    env.boxes.answer(MsgAnswerCode::Ok);
    form.Command3_Click();
    QCOMPARE(env.boxes.shown[0].text, QStringLiteral("「一」を削除します。"));
    QCOMPARE(env.boxes.shown[0].buttons, MsgButtons::OkCancel);
    QCOMPARE(env.boxes.shown[0].icon, MsgIcon::None);
    QCOMPARE(env.boxes.shown[0].caption, ProgramTitle);
    QCOMPARE(env.boxes.shown[1].text, QStringLiteral("削除しませんでした。"));
    QCOMPARE(env.boxes.shown[1].icon, MsgIcon::Exclamation);
    QCOMPARE(dm.RecordCount, qint16(4));

    // Deleting record 1 of 4 shows the record that was 2 under number 1.
    env.boxes.answer(MsgAnswerCode::Ok);
    form.Command3_Click();
    QCOMPARE(env.readFile("a.kno"), fixedBook({{"二"}, {"三"}, {"四"}}));
    QCOMPARE(form.Label11->text(), QStringLiteral(" 1"));
    QCOMPARE(form.Text0->text(), QStringLiteral("二"));
    QCOMPARE(env.mainWindow.labels[MainWindowLink::CountLabel], QStringLiteral("3"));

    // The last record: the new last one shows.
    dm.CurrentRecord = 3;
    form.LoadRecord();
    env.boxes.answer(MsgAnswerCode::Ok);
    form.Command3_Click();
    QCOMPARE(env.readFile("a.kno"), fixedBook({{"二"}, {"三"}}));
    QCOMPARE(form.Label11->text(), QStringLiteral(" 2"));
    QCOMPARE(form.Text0->text(), QStringLiteral("三"));
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("「四」を削除します。"));

    env.boxes.answer(MsgAnswerCode::Ok);
    form.Command3_Click();
    env.boxes.answer(MsgAnswerCode::Ok);
    form.Command3_Click();
    // The only record is gone: the window closed, the count shows 0.
    QVERIFY(form.isUnloaded());
    QCOMPARE(env.readFile("a.kno"), QByteArray());
    QCOMPARE(dm.RecordCount, qint16(0));
    QCOMPARE(env.mainWindow.labels[MainWindowLink::CountLabel], QStringLiteral("0"));
    QVERIFY(!env.mainWindow.locked);
}

void TestCrctData::deleteInATextBook()
{
    TestEnv env;
    env.writeFile("t.txt", textLine("a;1") + textLine("b;2") + textLine("c;3"));
    QVERIFY(env.open("t.txt", DataModule::DelimitedText));
    env.dm->CurrentRecord = 2;
    CrctData form(*env.dm, nullptr);
    form.prepare(CrctData::Mode::Delete);
    env.boxes.answer(MsgAnswerCode::Ok);
    form.Command3_Click();
    QCOMPARE(env.readFile("t.txt"), textLine("a;1") + textLine("c;3"));
    QCOMPARE(form.Text0->text(), QStringLiteral("c"));
    QCOMPARE(form.Text1->text(), QStringLiteral("3"));
    QCOMPARE(env.dm->LineIndex[3], 11);
    form.Command4_Click();
}

void TestCrctData::deletionModeNeverStores()
{
    TestEnv env;
    const QByteArray book = fixedBook({{"一"}, {"二"}});
    env.writeFile("a.kno", book);
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    env.dm->CurrentRecord = 2;
    CrctData form(*env.dm, nullptr);
    form.prepare(CrctData::Mode::Delete);
    form.Text0->setText(QStringLiteral("書き換え"));
    form.close();
    QVERIFY(form.isUnloaded());
    QCOMPARE(env.readFile("a.kno"), book);
    QVERIFY2(env.boxes.shown.isEmpty(), qPrintable(env.boxes.describe()));
    // Escape closes it as 閉じる does, asking nothing.
    CrctData again(*env.dm, nullptr);
    again.prepare(CrctData::Mode::Delete);
    again.Text0->setText(QStringLiteral("書き換え"));
    QTest::keyClick(again.Command3, Qt::Key_Escape);
    QVERIFY(again.isUnloaded());
    QCOMPARE(env.readFile("a.kno"), book);
    QVERIFY2(env.boxes.shown.isEmpty(), qPrintable(env.boxes.describe()));
}

void TestCrctData::failedStoreKeepsTheWindowUsable()
{
    TestEnv env;
    const QByteArray book = textLine("a;1") + textLine("b;2");
    env.writeFile("t.txt", book);
    QVERIFY(env.open("t.txt", DataModule::DelimitedText));
    QVERIFY(QDir(env.dir.path()).mkdir("Temp.adr"));
    env.dm->CurrentRecord = 2;
    CrctData form(*env.dm, nullptr);
    form.prepare(CrctData::Mode::Correct);
    form.Text0->setText(QStringLiteral("x"));
    env.boxes.answer(MsgAnswerCode::Ok);
    form.Command1_Click();
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("Command1_Click"));
    QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Information);
    QVERIFY(env.boxes.shown[0].text.contains(QStringLiteral("Temp.adr")));
    QCOMPARE(env.readFile("t.txt"), book);
    QVERIFY(!form.isUnloaded());
    // Once the way is clear, the same window stores.
    QVERIFY(QDir(env.dir.path()).rmdir("Temp.adr"));
    env.boxes.answer(MsgAnswerCode::Ok);
    form.Command1_Click();
    QCOMPARE(env.readFile("t.txt"), textLine("a;1") + textLine("x;2;;;;;;;;"));
    // A delete that fails leaves the book and the shown record.
    QVERIFY(QDir(env.dir.path()).mkdir("Temp.adr"));
    form.prepare(CrctData::Mode::Delete);
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    form.Command3_Click();
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("Command3_Click"));
    // The handlers that ended well (loading, the store) left no trace behind.
    QVERIFY2(env.boxes.shown.last().text.endsWith(QStringLiteral("\n > Command3_Click")),
             qPrintable(env.boxes.shown.last().text));
    QCOMPARE(env.dm->RecordCount, qint16(2));
    QCOMPARE(form.Text0->text(), QStringLiteral("x"));

    // Yes to the closing question, and the store fails: the window stays
    // open with the edit; the next close stores it.
    form.prepare(CrctData::Mode::Correct);
    form.Text1->setText(QStringLiteral("ﾆ"));
    env.boxes.answer(MsgAnswerCode::Yes);
    env.boxes.answer(MsgAnswerCode::Ok);
    form.close();
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("Form_Unload"));
    QVERIFY(!form.isUnloaded());
    QVERIFY(env.mainWindow.locked);
    QCOMPARE(form.Text1->text(), QStringLiteral("ﾆ"));
    QVERIFY(QDir(env.dir.path()).rmdir("Temp.adr"));
    env.boxes.answer(MsgAnswerCode::Yes);
    env.boxes.answer(MsgAnswerCode::Ok);
    form.Command4_Click();
    QVERIFY(form.isUnloaded());
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("ファイルを更新しました。"));
    QCOMPARE(env.readFile("t.txt"), textLine("a;1") + textLine("x;ﾆ;;;;;;;;"));
}

void TestCrctData::boxesKeepLoadedValues()
{
    // A text book may hold values longer than the boxes' limits, and bytes
    // CP932 does not define: they are shown whole, and the limits hold from
    // there on (the box only shrinks such a value, never lets it grow).
    TestEnv env;
    const QString longName = QStringLiteral("あいうえおかきくけこさしすせそたちつてと"); // 40 bytes
    const QByteArray book = Cp932::encode(longName + QStringLiteral(";ﾖﾐ;")) + QByteArray("\x85\x40x")
        + QByteArray(";;;;;;;\r\n");
    env.writeFile("t.txt", book);
    QVERIFY(env.open("t.txt", DataModule::DelimitedText));
    env.dm->CurrentRecord = 1;
    CrctData form(*env.dm, nullptr);
    form.prepare(CrctData::Mode::Correct);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(form.Text0->text(), longName);
    QCOMPARE(form.Text2->text(), QString(QChar(0xFFFD)) + QStringLiteral("@x"));

    form.Text0->setFocus();
    form.Text0->end(false);
    keyIn(form.Text0, QStringLiteral("な"));
    QCOMPARE(form.Text0->text(), longName);
    QTest::keyClick(form.Text0, Qt::Key_Backspace);
    QCOMPARE(form.Text0->text(), longName.chopped(1));
    keyIn(form.Text0, QStringLiteral("なに"));
    QCOMPARE(form.Text0->text(), longName.chopped(1));

    // A loaded reading in full-width katakana stays; what is typed after it
    // is half-width. A full box takes what fits of a paste.
    form.Text1->setFocus();
    loadBoxText(form.Text1, QStringLiteral("ヤマダ"));
    form.Text1->end(false);
    keyIn(form.Text1, QStringLiteral("たろう"));
    QCOMPARE(form.Text1->text(), QStringLiteral("ヤマダﾀﾛｳ"));
    QApplication::clipboard()->setText(QStringLiteral("じろうさぶろう"));
    form.Menu_Ed_Hari_Click();
    QCOMPARE(form.Text1->text(), QStringLiteral("ヤマダﾀﾛｳｼﾞﾛｳｻﾌﾞ"));
    QCOMPARE(form.EditedText[Furigana], QStringLiteral("ヤマダﾀﾛｳｼﾞﾛｳｻﾌﾞ"));
    loadBoxText(form.Text1, QStringLiteral("ﾖﾐ"));

    form.Text2->setFocus();
    form.Text2->end(false);
    keyIn(form.Text2, QStringLiteral("é"));
    QCOMPARE(form.Text2->text(), QString(QChar(0xFFFD)) + QStringLiteral("@x"));
    keyIn(form.Text2, QStringLiteral("1"));
    QCOMPARE(form.Text2->text(), QString(QChar(0xFFFD)) + QStringLiteral("@x1"));
    env.boxes.answer(MsgAnswerCode::No);
    form.Menu_End_Click();
    QVERIFY(form.isUnloaded());
    QCOMPARE(env.readFile("t.txt"), book);
}

QTEST_MAIN(TestCrctData)
#include "tst_crctdata.moc"
