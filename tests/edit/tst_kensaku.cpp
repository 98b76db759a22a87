// The search dialog: the list of names or readings, and what it hands back.
#include "support/testenv.h"
#include "support/books.h"

#include "edit/kensaku.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

QStringList entries(const Kensaku &dialog)
{
    QStringList out;
    for (int i = 0; i < dialog.List1->count(); ++i)
        out << dialog.List1->item(i)->text();
    return out;
}

void doubleClick(Kensaku &dialog, int row)
{
    dialog.List1->setCurrentRow(row);
    emit dialog.List1->itemDoubleClicked(dialog.List1->item(row));
}

} // namespace

class TestKensaku : public QObject {
    Q_OBJECT
private slots:
    void listsAFixedBook();
    void listsATextBook();
    void decideNeedsASelection();
    void outcomes();
    void enterChoosesEscapeCloses();
};

void TestKensaku::listsAFixedBook()
{
    TestEnv env;
    env.writeFile("a.kno", fixedRecord({"山田", "ﾔﾏﾀﾞ"}) + fixedRecord({"", "ﾅｼ"})
                               + fixedRecord({"  鈴木", "ｽｽﾞｷ"}) + fixedRecord({"山田", "ﾔﾏﾀﾞ2"}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    for (const bool byName : {true, false}) {
        env.dm->CurrentRecord = 3;
        Kensaku dialog(*env.dm, nullptr);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("検索"));
        QVERIFY(dialog.Option1->isChecked());
        QCOMPARE(dialog.ListByName, qint16(1));
        QCOMPARE(entries(dialog), (QStringList{"山田", "", "  鈴木", "山田"}));
        QCOMPARE(env.dm->CurrentRecord, 1);
        if (!byName) {
            dialog.Option2->setChecked(true);
            QCOMPARE(dialog.ListByName, qint16(0));
            QCOMPARE(dialog.Label1->text(), QStringLiteral("ﾌﾘｶﾞﾅ一覧(&N)："));
            QCOMPARE(entries(dialog), (QStringList{"ﾔﾏﾀﾞ", "ﾅｼ", "ｽｽﾞｷ", "ﾔﾏﾀﾞ2"}));
        }
        // Double-clicking the third entry hands back record 3; the fourth,
        // of the same name as the first, hands back its own number.
        env.dm->SearchHit = 0;
        doubleClick(dialog, 2);
        QCOMPARE(env.dm->SearchHit, qint16(1));
        QCOMPARE(env.dm->CurrentRecord, 3);
        QVERIFY(dialog.isUnloaded());
        Kensaku again(*env.dm, nullptr);
        if (!byName)
            again.Option2_Click();
        again.List1->setCurrentRow(3);
        again.Command1->click();
        QCOMPARE(env.dm->CurrentRecord, 4);
        // An empty name is an entry that can be chosen.
        Kensaku third(*env.dm, nullptr);
        doubleClick(third, 1);
        QCOMPARE(env.dm->CurrentRecord, 2);
    }
}

void TestKensaku::listsATextBook()
{
    TestEnv env;
    env.writeFile("t.txt", textLine("山田  ;ﾔﾏﾀﾞ") + textLine("\"a;b\";ｴｰﾋﾞｰ") + textLine("c;ｼｰ"));
    QVERIFY(env.open("t.txt", DataModule::DelimitedText));
    Kensaku dialog(*env.dm, nullptr);
    QCOMPARE(entries(dialog), (QStringList{"山田", "a;b", "c"}));
    dialog.Option2_Click();
    QCOMPARE(entries(dialog), (QStringList{"ﾔﾏﾀﾞ", "ｴｰﾋﾞｰ", "ｼｰ"}));
    dialog.Option1_Click();
    QCOMPARE(dialog.Label1->text(), QStringLiteral("名前一覧(&N)："));
    doubleClick(dialog, 2);
    QCOMPARE(env.dm->CurrentRecord, 3);
}

void TestKensaku::decideNeedsASelection()
{
    TestEnv env;
    env.writeFile("a.kno", fixedRecord({"一"}) + fixedRecord({"二"}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    Kensaku dialog(*env.dm, nullptr);
    QVERIFY(!dialog.Command1->isEnabled());
    dialog.List1->setCurrentRow(1);
    QVERIFY(dialog.Command1->isEnabled());
    // Switching the list clears the selection, and 決定 with it.
    dialog.Option2->setChecked(true);
    QVERIFY(dialog.List1->selectedItems().isEmpty());
    QVERIFY(!dialog.Command1->isEnabled());
    env.dm->SearchHit = 0;
    dialog.Command1_Click();
    QCOMPARE(env.dm->SearchHit, qint16(0));
    QVERIFY(!dialog.isUnloaded());
    QCOMPARE(env.dm->CurrentRecord, 1);
}

void TestKensaku::outcomes()
{
    TestEnv env;
    env.writeFile("a.kno", fixedRecord({"一"}) + fixedRecord({"二"}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    {
        env.dm->SearchHit = 0;
        Kensaku dialog(*env.dm, nullptr);
        dialog.Command2->click();
        QCOMPARE(env.dm->SearchHit, qint16(-1));
        QVERIFY(dialog.isUnloaded());
    }
    for (const qint16 preset : {qint16(0), qint16(-1)}) {
        env.dm->SearchHit = preset;
        Kensaku dialog(*env.dm, nullptr);
        dialog.List1->setCurrentRow(0);
        dialog.close(); // the close box keeps the caller's preset
        QCOMPARE(env.dm->SearchHit, preset);
    }
}

// Enter in the list chooses the marked entry, as a double-click does;
// Escape is 閉じる.
void TestKensaku::enterChoosesEscapeCloses()
{
    TestEnv env;
    env.writeFile("a.kno", fixedRecord({"一"}) + fixedRecord({"二"}) + fixedRecord({"三"}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    {
        env.dm->SearchHit = 0;
        Kensaku dialog(*env.dm, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QVERIFY(dialog.List1->hasFocus());
        // Nothing marked yet: Enter does nothing.
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
        QVERIFY(!dialog.isUnloaded());
        QCOMPARE(env.dm->SearchHit, qint16(0));
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Down);
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Up);
        QCOMPARE(dialog.List1->selectedItems().size(), 1);
        const int marked = dialog.List1->row(dialog.List1->selectedItems().first());
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
        QVERIFY(dialog.isUnloaded());
        QCOMPARE(env.dm->SearchHit, qint16(1));
        QCOMPARE(env.dm->CurrentRecord, marked + 1);
    }
    {
        env.dm->SearchHit = 0;
        Kensaku dialog(*env.dm, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialog.List1->setCurrentRow(2);
        QTest::keyClick(dialog.windowHandle(), Qt::Key_Escape);
        QVERIFY(dialog.isUnloaded());
        QCOMPARE(env.dm->SearchHit, qint16(-1));
    }
}

QTEST_MAIN(TestKensaku)
#include "tst_kensaku.moc"
