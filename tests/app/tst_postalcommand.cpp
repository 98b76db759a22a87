// 表示 → 郵便番号の確認: its place in the menu, its gate, "問題はありません。",
// and the list window with a correction from it.
#include "support/testenv.h"
#include "support/books.h"

#include "app/adrsbook.h"
#include "edit/crctdata.h"
#include "edit/postalchecklist.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

std::unique_ptr<Adrsbook> start(TestEnv &env)
{
    auto window = std::make_unique<Adrsbook>(*env.dm);
    env.dm->MainWindow = window.get();
    env.boxes.answer(MsgAnswerCode::Ok); // the first run's greeting
    window->Form_Load(QString());
    env.boxes.shown.clear();
    return window;
}

QStringList rowsOf(const PostalCheckList &list)
{
    QStringList rows;
    for (int i = 0; i < list.List1->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < list.List1->columnCount(); ++c)
            cells << list.List1->topLevelItem(i)->text(c);
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

} // namespace

class TestPostalCommand : public QObject {
    Q_OBJECT
private slots:
    void menuEntryAndGate();
    void aRightBookHasNoProblems();
    void listAndCorrectFromIt();
};

void TestPostalCommand::menuEntryAndGate()
{
    TestEnv env;
    auto w = start(env);
    QCOMPARE(w->Menu_Disp_Postal->text(), QStringLiteral("郵便番号の確認(&Z)..."));
    QCOMPARE(w->Menu_Disp_Postal->shortcut(), QKeySequence());
    const QList<QAction *> entries = w->Menu_Disp->actions();
    QCOMPARE(entries.indexOf(w->Menu_Disp_Postal), entries.indexOf(w->Menu_Disp_All) + 1);
    QVERIFY(!w->Menu_Disp->isEnabled()); // no book open

    env.writeFile(QStringLiteral("empty.kno"), QByteArray());
    w->Form_OLEDragDrop(env.path(QStringLiteral("empty.kno")));
    QVERIFY(w->Menu_Disp->isEnabled());
    env.boxes.answer(MsgAnswerCode::Ok);
    w->Menu_Disp_Postal->trigger();
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].text, QStringLiteral("ﾃﾞｰﾀ数が 0のため、処理できません！"));
    QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("Err Msg"));
    QVERIFY(env.modal.ran.isEmpty());
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPostalCommand::aRightBookHasNoProblems()
{
    TestEnv env;
    auto w = start(env);
    env.writeFile(QStringLiteral("a.kno"), fixedBook({{"一", "", "100-0001", "東京都千代田区千代田１"},
                                                            {"二", "", "", "住所だけ"},
                                                            {"三", "", "1000014", "千代田区永田町２"}}));
    w->Form_OLEDragDrop(env.path(QStringLiteral("a.kno")));
    env.boxes.answer(MsgAnswerCode::Ok);
    w->Menu_Disp_Postal_Click();
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].text, QStringLiteral("問題はありません。"));
    QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Information);
    QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("かのて住所録"));
    QVERIFY(env.modal.ran.isEmpty());
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPostalCommand::listAndCorrectFromIt()
{
    TestEnv env;
    auto w = start(env);
    const QByteArray before = fixedBook({{"差出　太郎", "", "100-0001", "東京都千代田区千代田１－１"},
                                                {"青木　一郎", "", "100-0099", "東京都千代田区千代田２"},
                                                {"伊藤　花子", "", "1000014", "東京都千代田区丸の内１－１"},
                                                {"上田　健"},
                                                {"江口　美咲", "", "190-0100", "東京都八王子市"}});
    env.writeFile(QStringLiteral("a.kno"), before);
    w->Form_OLEDragDrop(env.path(QStringLiteral("a.kno")));

    QStringList shownFirst, shownAfter;
    QString labelFirst, labelAfter, tip;
    bool lockedWhileOpen = false;
    env.modal.then([&](QDialog &dialog) {
        auto *list = qobject_cast<PostalCheckList *>(&dialog);
        if (!list)
            return int(QDialog::Rejected);
        shownFirst = rowsOf(*list);
        labelFirst = list->Label1->text();
        tip = list->List1->topLevelItem(2)->toolTip(PostalCheckList::DictionaryColumn);
        lockedWhileOpen = !w->Menu_Edit->isEnabled() && !w->Menu_File->isEnabled();
        // A double-click on the second row opens record 3 for correction.
        env.modal.then([&](QDialog &d) {
            auto *form = qobject_cast<CrctData *>(&d);
            if (!form || form->windowTitle() != QStringLiteral("データ修正"))
                return int(QDialog::Rejected);
            form->Text3->setText(QStringLiteral("東京都千代田区永田町１"));
            env.boxes.answer(MsgAnswerCode::Ok);
            form->Command1_Click();
            form->Command4_Click();
            return int(QDialog::Accepted);
        });
        list->List1_DblClick(1);
        shownAfter = rowsOf(*list);
        labelAfter = list->Label1->text();
        lockedWhileOpen = lockedWhileOpen && !w->Menu_Edit->isEnabled();
        list->Command2_Click();
        return list->result();
    });
    w->Menu_Disp_Postal_Click();
    QCOMPARE(env.modal.ran, QStringList({"PostalCheckList", "CrctData"}));
    QCOMPARE(shownFirst, QStringList({
                             "2|青木　一郎|100-0099|東京都千代田区千代田２|（辞書にない郵便番号）",
                             "3|伊藤　花子|1000014|東京都千代田区丸の内１－１|東京都千代田区永田町",
                             "5|江口　美咲|190-0100|東京都八王子市|東京都あきる野市 ほか1件",
                         }));
    QCOMPARE(labelFirst, QStringLiteral("郵便番号が辞書にないか、住所１と合わないデータ： 3 件（ダブルクリックで修正します）"));
    QCOMPARE(tip, QStringLiteral("東京都あきる野市\n東京都西多摩郡日の出町"));
    // The corrected record is right now: its row went.
    QCOMPARE(shownAfter, QStringList({
                             "2|青木　一郎|100-0099|東京都千代田区千代田２|（辞書にない郵便番号）",
                             "5|江口　美咲|190-0100|東京都八王子市|東京都あきる野市 ほか1件",
                         }));
    QCOMPARE(labelAfter, QStringLiteral("郵便番号が辞書にないか、住所１と合わないデータ： 2 件（ダブルクリックで修正します）"));
    QVERIFY(lockedWhileOpen);
    QVERIFY(w->Menu_Edit->isEnabled() && w->Menu_File->isEnabled());
    QCOMPARE(env.dm->CurrentRecord, 1);
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("ファイルを更新しました。"));
    QByteArray after = before;
    after.replace(2 * 239 + 54, 40, fixedRecord({"", "", "", "東京都千代田区永田町１"}).mid(54, 40));
    QCOMPARE(env.readFile(QStringLiteral("a.kno")), after);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

QTEST_MAIN(TestPostalCommand)
#include "tst_postalcommand.moc"
