// The search dialog: the list of names or readings, and what it hands back.
#include "support/testenv.h"

#include "edit/kensaku.h"
#include "edit/searchtyping.h"

#include <QApplication>
#include <QInputMethodEvent>
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

// One typing step: "<ms> key <text>" (a key press carrying the text) or
// "<ms> ime <text>" (an input method committing the text), at the time given.
void typeStep(Kensaku &dialog, const QString &step, qint64 &now)
{
    const QStringList parts = step.split(QLatin1Char(' '));
    now = parts[0].toLongLong();
    if (parts[1] == QLatin1String("key")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, parts[2]);
        QApplication::sendEvent(dialog.List1, &press);
    } else {
        QInputMethodEvent commit;
        commit.setCommitString(parts[2]);
        QApplication::sendEvent(dialog.List1, &commit);
    }
}

// Characters typed on the keyboard of the dialog's window, one key each.
void typeOnWindow(Kensaku &dialog, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, dialog.windowHandle(), Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Names and readings to search by typing.
QByteArray searchBook()
{
    return TestEnv::record({"山田　太郎", "ﾔﾏﾀﾞ ﾀﾛｳ"}) + TestEnv::record({"鈴木花子", "ｽｽﾞｷ ﾊﾅｺ"})
        + TestEnv::record({"やまもと", "ﾔﾏﾓﾄ"}) + TestEnv::record({"スズキ商店", "ｽｽﾞｷｼｮｳﾃﾝ"})
        + TestEnv::record({"佐藤", "ｻﾄｳ"});
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
    void matching_data();
    void matching();
    void typingJumps_data();
    void typingJumps();
    void typedKeysOnTheShownDialog();
};

void TestKensaku::listsAFixedBook()
{
    TestEnv env;
    env.writeFile("a.kno", TestEnv::record({"山田", "ﾔﾏﾀﾞ"}) + TestEnv::record({"", "ﾅｼ"})
                               + TestEnv::record({"  鈴木", "ｽｽﾞｷ"}) + TestEnv::record({"山田", "ﾔﾏﾀﾞ2"}));
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
    env.writeFile("t.txt", TestEnv::line("山田  ;ﾔﾏﾀﾞ") + TestEnv::line("\"a;b\";ｴｰﾋﾞｰ") + TestEnv::line("c;ｼｰ"));
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
    env.writeFile("a.kno", TestEnv::record({"一"}) + TestEnv::record({"二"}));
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
    env.writeFile("a.kno", TestEnv::record({"一"}) + TestEnv::record({"二"}));
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
    env.writeFile("a.kno", TestEnv::record({"一"}) + TestEnv::record({"二"}) + TestEnv::record({"三"}));
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

void TestKensaku::matching_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("found");
    const QStringList readings{"ｱﾍﾞ", "ｶﾞｯｺｳ", "ﾔﾏﾀﾞ ﾀﾛｳ", "ﾔﾏﾀﾞ ﾊﾅｺ"};
    QTest::newRow("voiced hiragana") << "が" << readings << 1;
    QTest::newRow("small tsu, katakana") << "ガッコ" << readings << 1;
    QTest::newRow("across the blank") << "やまだは" << readings << 3;
    QTest::newRow("the first of two") << "ﾔﾏﾀﾞ" << readings << 2;
    QTest::newRow("longer than every entry") << "ｱﾍﾞｱﾍﾞ" << readings << -1;
    QTest::newRow("nothing typed") << "" << readings << -1;
    QTest::newRow("only a blank") << "　" << readings << -1;
    QTest::newRow("letters ignore case and width") << "ｓｍ" << QStringList{"Abe", "SMITH"} << 1;
    QTest::newRow("an empty list") << "ｱ" << QStringList{} << -1;
}

void TestKensaku::matching()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, entries);
    QTEST(SearchTyping::firstEntryBeginningWith(typed, entries), "found");

    // What has been typed gathers until a pause of a second.
    TypedPrefix prefix;
    QCOMPARE(prefix.add(QStringLiteral("ﾔ"), 5000), QStringLiteral("ﾔ"));
    QCOMPARE(prefix.add(QStringLiteral("ﾏ"), 5999), QStringLiteral("ﾔﾏ"));
    QCOMPARE(prefix.add(QStringLiteral("ｱ"), 6999), QStringLiteral("ｱ"));
    prefix.clear();
    QCOMPARE(prefix.add(QStringLiteral("ｶ"), 7000), QStringLiteral("ｶ"));
}

void TestKensaku::typingJumps_data()
{
    QTest::addColumn<bool>("byName");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("marked"); // -1: nothing marked
    using L = QStringList;
    QTest::newRow("readings, hiragana") << false << L{"0 ime すず"} << 1;
    QTest::newRow("readings, hiragana further") << false << L{"0 ime すずきし"} << 3;
    QTest::newRow("readings, full-width katakana") << false << L{"0 ime ヤマモ"} << 2;
    QTest::newRow("readings, half-width katakana") << false << L{"0 key ｻ"} << 4;
    QTest::newRow("readings, two keys") << false << L{"0 key ﾔ", "300 key ﾏ", "600 key ﾓ"} << 2;
    QTest::newRow("readings, kanji finds nothing") << false << L{"0 ime 佐藤"} << -1;
    QTest::newRow("names, kanji") << true << L{"0 ime 佐藤"} << 4;
    QTest::newRow("names, across the blank") << true << L{"0 ime 山田太"} << 0;
    QTest::newRow("names, hiragana") << true << L{"0 ime やま"} << 2;
    QTest::newRow("names, hiragana finds katakana") << true << L{"0 ime すず"} << 3;
    QTest::newRow("names, two commits") << true << L{"0 ime 鈴", "900 ime 木"} << 1;
    QTest::newRow("no match keeps the mark") << false << L{"0 key ｻ", "200 key ﾀ"} << 4;
    QTest::newRow("no match, nothing marked") << true << L{"0 ime 田中"} << -1;
    QTest::newRow("a pause starts afresh") << false << L{"0 key ｽ", "1000 key ﾔ"} << 0;
    QTest::newRow("no pause goes on") << false << L{"0 key ｽ", "999 key ﾔ"} << 1;
}

void TestKensaku::typingJumps()
{
    QFETCH(bool, byName);
    QFETCH(QStringList, steps);
    QFETCH(int, marked);
    TestEnv env;
    env.writeFile("a.kno", searchBook());
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    Kensaku dialog(*env.dm, nullptr);
    qint64 now = 0;
    dialog.setClock([&now] { return now; });
    if (!byName)
        dialog.Option2->setChecked(true);
    for (const QString &step : steps)
        typeStep(dialog, step, now);
    const QList<QListWidgetItem *> selected = dialog.List1->selectedItems();
    QCOMPARE(selected.isEmpty() ? -1 : dialog.List1->row(selected.first()), marked);
    QCOMPARE(dialog.Command1->isEnabled(), marked >= 0);
    if (marked >= 0) {
        // The marked entry is the one 決定 hands back.
        dialog.Command1_Click();
        QCOMPARE(env.dm->SearchHit, qint16(1));
        QCOMPARE(env.dm->CurrentRecord, marked + 1);
    }
}

void TestKensaku::typedKeysOnTheShownDialog()
{
    TestEnv env;
    env.writeFile("a.kno", searchBook());
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    Kensaku dialog(*env.dm, nullptr);
    qint64 now = 0;
    dialog.setClock([&now] { return now; });
    dialog.Option2->setChecked(true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.List1->setFocus();
    // Keys as the keyboard sends them: the reading "ｽｽﾞ" is found, the
    // arrows and Enter keep their meaning.
    typeOnWindow(dialog, QStringLiteral("ｽｽ"));
    QCOMPARE(dialog.List1->currentRow(), 1);
    QTest::keyClick(dialog.windowHandle(), Qt::Key_Down);
    QCOMPARE(dialog.List1->currentRow(), 2);
    // Refilling the list forgets what was typed.
    dialog.Option1->setChecked(true);
    dialog.List1->setFocus();
    typeOnWindow(dialog, QStringLiteral("ス"));
    QCOMPARE(dialog.List1->currentRow(), 3);
    QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
    QCOMPARE(env.dm->SearchHit, qint16(1));
    QCOMPARE(env.dm->CurrentRecord, 4);
}

QTEST_MAIN(TestKensaku)
#include "tst_kensaku.moc"
