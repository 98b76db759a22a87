// The record display: what it shows and how the scroll bar steps.
#include "support/testenv.h"
#include "support/books.h"

#include "edit/dispdata.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

class TestDispData : public QObject {
    Q_OBJECT
private slots:
    void showsAndSteps();
    void keysStep_data();
    void keysStep();
    void oneRecord();
    void textBook();
};

void TestDispData::showsAndSteps()
{
    TestEnv env;
    QByteArray book;
    for (int i = 1; i <= 12; ++i)
        book += fixedRecord({QStringLiteral("名前%1").arg(i), "ﾖﾐ", "", "  住所"});
    env.writeFile("a.kno", book);
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    env.dm->CurrentRecord = 3;
    DispData form(*env.dm, nullptr);
    QVERIFY(env.mainWindow.locked);
    QCOMPARE(form.windowTitle(), QStringLiteral("データ表示"));
    QCOMPARE(form.HScroll1->minimum(), 1);
    QCOMPARE(form.HScroll1->maximum(), 12);
    QCOMPARE(form.HScroll1->value(), 3);
    QCOMPARE(form.Label11->text(), QStringLiteral(" 3"));
    // Fixed-length fields whole, trailing blanks included.
    QCOMPARE(form.Lab01->text(), QStringLiteral("名前3") + QString(30 - 5, QLatin1Char(0x20)));
    QCOMPARE(form.Lab04->text(), QStringLiteral("  住所") + QString(40 - 6, ' '));

    // Trough clicks move 5, never past the ends; the number follows.
    form.HScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(form.ShownRecord, 8);
    QCOMPARE(form.Label11->text(), QStringLiteral(" 8"));
    QVERIFY(form.Lab01->text().startsWith(QStringLiteral("名前8 ")));
    form.HScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(form.ShownRecord, 12);
    QVERIFY(form.Lab01->text().startsWith(QStringLiteral("名前12 ")));
    form.HScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(form.Label11->text(), QStringLiteral(" 11"));
    for (int i = 0; i < 3; ++i)
        form.HScroll1->triggerAction(QAbstractSlider::SliderPageStepSub);
    QCOMPARE(form.ShownRecord, 1);
    QCOMPARE(form.Label11->text(), QStringLiteral(" 1"));
    // Dragging the thumb shows each record it passes.
    form.HScroll1->setSliderDown(true);
    form.HScroll1->setSliderPosition(6);
    QCOMPARE(form.Label11->text(), QStringLiteral(" 6"));
    form.HScroll1->setSliderDown(false);

    form.Command3->click();
    QVERIFY(form.isUnloaded());
    QVERIFY(!env.mainWindow.locked);
    QCOMPARE(env.dm->CurrentRecord, 3);
}

void TestDispData::keysStep_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("shown");
    QTest::newRow("Right: next") << int(Qt::Key_Right) << 6;
    QTest::newRow("Down: next") << int(Qt::Key_Down) << 6;
    QTest::newRow("Left: previous") << int(Qt::Key_Left) << 4;
    QTest::newRow("Up: previous") << int(Qt::Key_Up) << 4;
    QTest::newRow("Page Down: five on") << int(Qt::Key_PageDown) << 10;
    QTest::newRow("Page Up: back to the first") << int(Qt::Key_PageUp) << 1;
    QTest::newRow("End: the last") << int(Qt::Key_End) << 12;
    QTest::newRow("Home: the first") << int(Qt::Key_Home) << 1;
    QTest::newRow("Escape: 閉じる") << int(Qt::Key_Escape) << 5;
}

// Keys reach the window as the user presses them, and step as the arrows
// of the scroll bar do.
void TestDispData::keysStep()
{
    QFETCH(int, key);
    QFETCH(int, shown);
    TestEnv env;
    QByteArray book;
    for (int i = 1; i <= 12; ++i)
        book += fixedRecord({QStringLiteral("名前%1").arg(i)});
    env.writeFile("a.kno", book);
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    env.dm->CurrentRecord = 5;
    DispData form(*env.dm, nullptr);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(form.windowHandle(), Qt::Key(key));
    QCOMPARE(form.ShownRecord, shown);
    QCOMPARE(form.Label11->text(), QStringLiteral(" %1").arg(shown));
    QVERIFY(form.Lab01->text().startsWith(QStringLiteral("名前%1 ").arg(shown)));
    QCOMPARE(form.isUnloaded(), key == Qt::Key_Escape);
    QCOMPARE(env.mainWindow.locked, key != Qt::Key_Escape);
    form.Command3_Click();
}

void TestDispData::oneRecord()
{
    TestEnv env;
    env.writeFile("a.kno", fixedRecord({"一"}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    env.dm->CurrentRecord = 1;
    DispData form(*env.dm, nullptr);
    QCOMPARE(form.HScroll1->minimum(), 1);
    QCOMPARE(form.HScroll1->maximum(), 1);
    form.HScroll1->triggerAction(QAbstractSlider::SliderPageStepAdd);
    form.HScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(form.ShownRecord, 1);
    QCOMPARE(form.Label11->text(), QStringLiteral(" 1"));
    form.close();
    QVERIFY(!env.mainWindow.locked);
}

void TestDispData::textBook()
{
    TestEnv env;
    env.writeFile("t.txt", textLine("a;ｱ;1;  x") + textLine("b;ﾋﾞ;2;;;;;;;M"));
    QVERIFY(env.open("t.txt", DataModule::DelimitedText));
    env.dm->CurrentRecord = 2;
    DispData form(*env.dm, nullptr);
    QCOMPARE(form.Lab01->text(), QStringLiteral("b"));
    QCOMPARE(form.Lab02->text(), QStringLiteral("ﾋﾞ"));
    QCOMPARE(form.Lab10->text(), QStringLiteral("M"));
    form.HScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(form.Lab01->text(), QStringLiteral("a"));
    QCOMPARE(form.Lab04->text(), QStringLiteral("  x"));
    QCOMPARE(form.Lab10->text(), QString());
    form.close();
}

QTEST_MAIN(TestDispData)
#include "tst_dispdata.moc"
