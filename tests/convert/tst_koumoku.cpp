// 項目選択定義: building, storing, resetting and clearing the field
// selection, its limit of 20 entries, and its life in KANOTE.DAT.
#include "support/testenv.h"

#include "convert/koumoku.h"
#include "store/settingsfile.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

class TstKoumoku : public QObject {
    Q_OBJECT
private slots:
    void itemNames();
    void newSettingsOfferEveryField();
    void selectionExample();
    void resetClearAndClose();
    void twentyEntriesAtMost();
};

namespace {

QStringList entries(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

void pick(Koumoku &d, int code)
{
    const QList<QListWidgetItem *> found = d.List1->findItems(Koumoku::ItemNames[code], Qt::MatchExactly);
    QVERIFY(found.size() == 1);
    d.List1->setCurrentItem(found.first());
    d.List1_DblClick();
}

} // namespace

void TstKoumoku::itemNames()
{
    QCOMPARE(Koumoku::ItemNames[1], QStringLiteral("名前　　　　  1       "));
    QCOMPARE(Koumoku::ItemNames[2], QStringLiteral("ﾌﾘｶﾞﾅ 　　　  2    "));
    QCOMPARE(Koumoku::ItemNames[10], QStringLiteral("マーク　　　  10      "));
    QCOMPARE(Koumoku::ItemNames[11], QStringLiteral("×未使用項目  11      "));
    for (int code = 1; code <= 11; ++code) {
        QCOMPARE(Koumoku::ItemNames[code].size(), 16);
        QCOMPARE(Koumoku::ItemCode(Koumoku::ItemNames[code]), code);
    }
}

void TstKoumoku::newSettingsOfferEveryField()
{
    TestEnv env;
    Koumoku d(*env.dm);
    QCOMPARE(d.windowTitle(), QStringLiteral("項目選択定義"));
    QCOMPARE(d.Command1->text(), QStringLiteral("設 定"));
    QCOMPARE(d.Command2->text(), QStringLiteral("閉じる(&X)"));
    QCOMPARE(d.Command3->text(), QStringLiteral("未使用項目"));
    QCOMPARE(d.Command4->text(), QStringLiteral("やり直し"));
    QCOMPARE(d.Label1->buddy(), d.List1);
    QStringList all;
    for (int code = 1; code <= 10; ++code)
        all << Koumoku::ItemNames[code];
    QCOMPARE(entries(d.List1), all);
    QCOMPARE(d.List2->count(), 0);
}

void TstKoumoku::selectionExample()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    {
        Koumoku d(dm);
        pick(d, 2);
        pick(d, 1);
        d.Command3_Click();
        pick(d, 3);
        QCOMPARE(d.List1->count(), 7);
        // The keyboard can choose too: Enter on a field appends it.
        d.List1->setCurrentRow(0);
        QTest::keyClick(d.List1, Qt::Key_Return);
        QCOMPARE(d.List2->count(), 5);
        QCOMPARE(d.List2->item(4)->text(), Koumoku::ItemNames[4]);
        d.Command4_Click();
        pick(d, 2);
        pick(d, 1);
        d.Command3_Click();
        pick(d, 3);
        d.Command1_Click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.List2->count(), 0); // emptied on closing
    }
    QCOMPARE(dm.Settings.SelectionCount, qint16(4));
    QCOMPARE(dm.Settings.SelectionOrder[1], qint16(2));
    QCOMPARE(dm.Settings.SelectionOrder[2], qint16(1));
    QCOMPARE(dm.Settings.SelectionOrder[3], qint16(11));
    QCOMPARE(dm.Settings.SelectionOrder[4], qint16(3));

    // It survives a restart through the settings file.
    SettingsFile::write(env.path(QStringLiteral("KANOTE.DAT")), dm.Settings);
    bool first = false;
    dm.Settings = SettingsFile::read(env.path(QStringLiteral("KANOTE.DAT")), &first);
    QVERIFY(!first);

    Koumoku again(dm);
    QCOMPARE(entries(again.List2), (QStringList{Koumoku::ItemNames[2], Koumoku::ItemNames[1],
                                                Koumoku::ItemNames[11], Koumoku::ItemNames[3]}));
    QStringList rest;
    for (int code = 4; code <= 10; ++code)
        rest << Koumoku::ItemNames[code];
    QCOMPARE(entries(again.List1), rest);
}

void TstKoumoku::resetClearAndClose()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Settings.SelectionCount = 2;
    dm.Settings.SelectionOrder[1] = 3;
    dm.Settings.SelectionOrder[2] = 11;
    {
        // 閉じる after changes keeps the selection.
        Koumoku d(dm);
        d.Command4_Click();
        QCOMPARE(d.List1->count(), 10);
        QCOMPARE(d.List2->count(), 0);
        pick(d, 5);
        d.Command2_Click();
        QCOMPARE(d.result(), int(QDialog::Rejected));
    }
    QCOMPARE(dm.Settings.SelectionCount, qint16(2));
    QCOMPARE(dm.Settings.SelectionOrder[1], qint16(3));
    {
        // やり直し and 設 定 with an empty list remove it.
        Koumoku d(dm);
        QCOMPARE(d.List2->count(), 2);
        QCOMPARE(d.List1->count(), 9);
        d.Command4_Click();
        d.Command1_Click();
    }
    QCOMPARE(dm.Settings.SelectionCount, qint16(0));
}

void TstKoumoku::twentyEntriesAtMost()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    Koumoku d(dm);
    pick(d, 1);
    for (int i = 0; i < 19; ++i)
        d.Command3_Click();
    QCOMPARE(d.List2->count(), 20);
    QVERIFY(env.boxes.shown.isEmpty());

    env.boxes.answer(MsgAnswerCode::Ok);
    d.Command3_Click();
    env.boxes.answer(MsgAnswerCode::Ok);
    pick(d, 2);
    QCOMPARE(d.List2->count(), 20);
    QCOMPARE(d.List1->count(), 9);
    QCOMPARE(env.boxes.shown.size(), 2);
    QCOMPARE(env.boxes.shown[0].text, QStringLiteral("選択できる項目は 20 までです。"));
    QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("項目選択定義"));
    QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Exclamation);

    d.Command1_Click();
    QCOMPARE(dm.Settings.SelectionCount, qint16(20));
    QCOMPARE(dm.Settings.SelectionOrder[1], qint16(1));
    QCOMPARE(dm.Settings.SelectionOrder[20], qint16(11));
}

QTEST_MAIN(TstKoumoku)
#include "tst_koumoku.moc"
