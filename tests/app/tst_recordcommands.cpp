// 追加, 修正, 削除 and 検索 on the main window: the gates, the search dialog's
// caption and outcome, and the window opened afterwards.
#include "support/testenv.h"
#include "support/books.h"

#include "app/adrsbook.h"
#include "edit/adrsdinp.h"
#include "edit/crctdata.h"
#include "edit/dispdata.h"
#include "edit/kensaku.h"
#include "edit/listlab.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace {

// Opens the book the way a file named on the command line is opened.
void openBook(TestEnv &env, Adrsbook &window, const QString &name, qint16 format)
{
    env.dm->DataFormat = format;
    env.dm->CommandFile = env.path(name);
    window.Menu_File_Open_Click(1);
}

} // namespace

class TestRecordCommands : public QObject {
    Q_OBJECT
private slots:
    void correctAfterPicking();
    void deleteAfterPicking();
    void searchWithoutChoiceReturns();
    void searchShowsTheChosenRecord();
    void gatesOfAnEmptyBook();
    void addAppends();
    void listViewOpensModally();
};

void TestRecordCommands::correctAfterPicking()
{
    TestEnv env;
    env.writeFile("a.kno", fixedBook({{"一"}, {"二"}, {"三"}}));
    Adrsbook window(*env.dm);
    openBook(env, window, "a.kno", DataModule::FixedLength);
    QCOMPARE(window.Lab03->text(), QStringLiteral("3"));

    env.modal.then([&](QDialog &d) {
        auto &search = dynamic_cast<Kensaku &>(d);
        if (search.windowTitle() != QStringLiteral("データ修正") || env.dm->SearchHit != 0)
            return QDialog::Rejected;
        search.List1->setCurrentRow(1);
        search.Command1_Click();
        return QDialog::Accepted;
    });
    bool preparedForCorrection = false;
    env.modal.then([&](QDialog &d) {
        auto &form = dynamic_cast<CrctData &>(d);
        preparedForCorrection = form.windowTitle() == QStringLiteral("データ修正")
            && form.Command3->isHidden() && !form.Command1->isHidden()
            && form.Menu_Edit->isEnabled() && form.Text0->text() == QStringLiteral("二")
            && !window.Menu_Edit->isEnabled() && !window.Menu_File->isEnabled();
        form.Text0->setText(QStringLiteral("弐"));
        form.Command1_Click();
        form.Command4_Click();
        return QDialog::Accepted;
    });
    env.boxes.answer(MsgAnswerCode::Ok);
    window.Menu_Edit_Correct_Click();
    QCOMPARE(env.modal.ran, (QStringList{"Kensaku", "CrctData"}));
    QVERIFY(preparedForCorrection);
    QCOMPARE(env.readFile("a.kno"), fixedRecord({"一"}) + fixedRecord({"弐"}) + fixedRecord({"三"}));
    QVERIFY(window.Menu_Edit->isEnabled());
    QCOMPARE(window.Lab04->text(), env.dm->FileDateText());
    QCOMPARE(env.dm->CurrentRecord, 1);

    // Closing the search dialog with its close box: the way back is told.
    env.modal.then([](QDialog &d) { d.close(); return QDialog::Rejected; });
    env.boxes.answer(MsgAnswerCode::Ok);
    window.Menu_Edit_Correct_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("見つからないのでメイン画面に戻ります。"));
    QCOMPARE(env.boxes.shown.last().icon, MsgIcon::None);
    QCOMPARE(env.boxes.shown.last().caption, ProgramTitle);
    // With 閉じる: nothing.
    const int boxes = int(env.boxes.shown.size());
    env.modal.then([](QDialog &d) {
        dynamic_cast<Kensaku &>(d).Command2_Click();
        return QDialog::Rejected;
    });
    window.Menu_Edit_Correct_Click();
    QCOMPARE(int(env.boxes.shown.size()), boxes);
    QCOMPARE(env.modal.ran.size(), 4);
}

void TestRecordCommands::deleteAfterPicking()
{
    TestEnv env;
    env.writeFile("t.txt", textLine("a;1") + textLine("b;2"));
    Adrsbook window(*env.dm);
    openBook(env, window, "t.txt", DataModule::DelimitedText);
    QCOMPARE(window.Lab03->text(), QStringLiteral("2"));
    env.modal.then([&](QDialog &d) {
        auto &search = dynamic_cast<Kensaku &>(d);
        if (search.windowTitle() != QStringLiteral("データ削除"))
            return QDialog::Rejected;
        search.List1->setCurrentRow(0);
        search.Command1_Click();
        return QDialog::Accepted;
    });
    bool preparedForDeletion = false;
    env.modal.then([&](QDialog &d) {
        auto &form = dynamic_cast<CrctData &>(d);
        preparedForDeletion = form.windowTitle() == QStringLiteral("データ削除")
            && !form.Command3->isHidden() && form.Command1->isHidden() && form.Command2->isHidden()
            && !form.Menu_Edit->isEnabled() && form.Text0->focusPolicy() == Qt::ClickFocus;
        form.Command3_Click();
        form.Command3_Click();
        return QDialog::Accepted;
    });
    for (int i = 0; i < 2; ++i)
        env.boxes.answer(MsgAnswerCode::Ok);
    window.Menu_Edit_Delete_Click();
    QVERIFY(preparedForDeletion);
    QCOMPARE(env.readFile("t.txt"), QByteArray());
    QCOMPARE(window.Lab03->text(), QStringLiteral("0"));
    QVERIFY(window.Menu_Edit->isEnabled());
    // Nothing left: 修正 is refused before any window opens.
    env.boxes.answer(MsgAnswerCode::Ok);
    window.Menu_Edit_Correct_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("ﾃﾞｰﾀ数が 0のため、処理できません！"));
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("Err Msg"));
    QCOMPARE(env.modal.ran.size(), 2);
}

void TestRecordCommands::searchWithoutChoiceReturns()
{
    TestEnv env;
    env.writeFile("a.kno", fixedBook({{"一"}, {"二"}, {"三"}}));
    Adrsbook window(*env.dm);
    openBook(env, window, "a.kno", DataModule::FixedLength);
    // The close box after 検索表示: nothing is said, nothing opens.
    env.modal.then([&](QDialog &d) {
        if (d.windowTitle() != QStringLiteral("検索表示") || env.dm->SearchHit != -1)
            return QDialog::Accepted;
        d.close();
        return QDialog::Rejected;
    });
    window.Menu_Disp_Search_Click();
    QCOMPARE(env.modal.ran, (QStringList{"Kensaku"}));
    QVERIFY(env.boxes.shown.isEmpty());
}

void TestRecordCommands::searchShowsTheChosenRecord()
{
    TestEnv env;
    env.writeFile("a.kno", fixedBook({{"一"}, {"二"}, {"三"}}));
    Adrsbook window(*env.dm);
    openBook(env, window, "a.kno", DataModule::FixedLength);
    env.modal.then([](QDialog &d) {
        auto &search = dynamic_cast<Kensaku &>(d);
        search.Option2_Click();
        search.List1->setCurrentRow(2);
        emit search.List1->itemDoubleClicked(search.List1->item(2));
        return QDialog::Accepted;
    });
    QString shown;
    env.modal.then([&](QDialog &d) {
        auto &form = dynamic_cast<DispData &>(d);
        form.HScroll1_Change();
        shown = form.Label11->text() + form.Lab01->text().trimmed();
        form.Command3_Click();
        return QDialog::Accepted;
    });
    window.Menu_Disp_Search_Click();
    QCOMPARE(shown, QStringLiteral(" 3三"));
    QCOMPARE(env.dm->CurrentRecord, 3);
    QVERIFY(window.Menu_Disp->isEnabled());
}

void TestRecordCommands::gatesOfAnEmptyBook()
{
    TestEnv env;
    env.writeFile("e.kno", QByteArray());
    Adrsbook window(*env.dm);
    openBook(env, window, "e.kno", DataModule::FixedLength);
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    window.Menu_Edit_Delete_Click();
    window.Menu_Disp_Search_Click();
    QCOMPARE(env.boxes.shown.size(), 2);
    QCOMPARE(env.boxes.shown[0].text, QStringLiteral("ﾃﾞｰﾀ数が 0のため、処理できません！"));
    QCOMPARE(env.boxes.shown[1].text, QStringLiteral("ﾃﾞｰﾀ数が 0のため｢検索表示｣処理はできません！"));
    QCOMPARE(env.boxes.shown[1].icon, MsgIcon::Exclamation);
    QVERIFY(env.modal.ran.isEmpty());
}

void TestRecordCommands::addAppends()
{
    TestEnv env;
    env.writeFile("e.kno", QByteArray());
    Adrsbook window(*env.dm);
    openBook(env, window, "e.kno", DataModule::FixedLength);
    bool locked = false;
    env.modal.then([&](QDialog &d) {
        auto &form = dynamic_cast<AdrsDinp &>(d);
        locked = !window.Menu_File->isEnabled();
        form.Text0->setText(QStringLiteral("新"));
        form.Command1_Click();
        return QDialog::Accepted;
    });
    env.boxes.answer(MsgAnswerCode::Ok);
    window.Menu_Edit_Add_Click();
    QVERIFY(locked);
    QVERIFY(window.Menu_File->isEnabled());
    QCOMPARE(window.Lab03->text(), QStringLiteral("1"));
    QCOMPARE(env.readFile("e.kno"), fixedRecord({"新"}));
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("ファイルに追加しました。"));
}

// 一覧表示 opens the grid modally, with the shortcuts of its menus.
void TestRecordCommands::listViewOpensModally()
{
    TestEnv env;
    env.writeFile("a.kno", fixedBook({{"一"}, {"二"}, {"三"}}));
    Adrsbook main(*env.dm);
    openBook(env, main, "a.kno", DataModule::FixedLength);
    bool ran = false;
    env.modal.then([&](QDialog &d) {
        auto &w = static_cast<ListLab &>(d);
        ran = true;
        // The shortcuts are those of the menus.
        if (w.M_I_A->shortcut() != QKeySequence(Qt::Key_F5) || w.M_I_B->shortcut() != QKeySequence(Qt::Key_F6)
            || w.Menu_End->shortcut() != QKeySequence(Qt::Key_F9)
            || w.M_E_Del->shortcut() != QKeySequence(Qt::Key_Delete)
            || w.M_H_Use->shortcut() != QKeySequence(Qt::Key_F3)
            || w.M_E_Add->shortcut() != QKeySequence(Qt::CTRL | Qt::Key_A)
            || w.M_E_Chan->shortcut() != QKeySequence(Qt::CTRL | Qt::Key_T))
            ran = false;
        if (w.windowTitle() != QStringLiteral("一覧表示") || w.LabNT->text() != QStringLiteral("  名前"))
            ran = false;
        w.Menu_End_Click();
        return QDialog::Rejected;
    });
    main.MeNu_Disp_List_Click();
    QVERIFY(ran);
    QCOMPARE(env.modal.ran, QStringList{QStringLiteral("ListLab")});
    QVERIFY(main.Menu_File->isEnabled());
}

QTEST_MAIN(TestRecordCommands)
#include "tst_recordcommands.moc"
