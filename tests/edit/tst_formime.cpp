// The input method in the entry and correction forms, as the list view makes
// them: the postal-code and telephone boxes stay out of its reach through
// everything the forms do, the Japanese boxes keep it, and a name still being
// composed is stored when the user saves.
#include "support/books.h"
#include "support/inputmethod.h"
#include "support/testenv.h"

#include "edit/adrsdinp.h"
#include "edit/crctdata.h"
#include "edit/listlab.h"

#include "platform/inputmethodmode.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestFormIme : public QObject {
    Q_OBJECT
private slots:
    void entryForm();
    void correctionForm_data();
    void correctionForm();
    void formsMadeByTheListView();
};

namespace {

const QStringList OffBoxes = {QStringLiteral("Text2"), QStringLiteral("Text5"), QStringLiteral("Text8")};
const QStringList JapaneseBoxes = {QStringLiteral("Text0"), QStringLiteral("Text1"), QStringLiteral("Text3"),
                                   QStringLiteral("Text4"), QStringLiteral("Text6"), QStringLiteral("Text7")};

} // namespace

void TestFormIme::entryForm()
{
    TestEnv env;
    env.writeFile("a.kno", QByteArray());
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    AdrsDinp form(*env.dm, nullptr);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(inputMethodMismatches(&form, OffBoxes + QStringList{"Text9"}, JapaneseBoxes), QStringList());

    // The name is still being composed when the user tabs on to the postal
    // code and types digits: both are stored, the digits half-width.
    form.Text0->setFocus();
    compose(form.Text0, QStringLiteral("やまだ"));
    QTest::keyClick(form.Text0, Qt::Key_Tab);
    QVERIFY(form.Text1->hasFocus());
    form.Text2->setFocus();
    QVERIFY(!inputMethodReaches(form.Text2));
    QTest::keyClicks(form.Text2, QStringLiteral("100-0001"));
    // The next record: the boxes are emptied and keep their modes.
    form.Command3->click();
    QCOMPARE(env.readFile("a.kno"), TestEnv::record({"やまだ", "", "100-0001"}));
    QCOMPARE(inputMethodMismatches(&form, OffBoxes + QStringList{"Text9"}, JapaneseBoxes), QStringList());

    // Saving with a click while composing stores the composition too.
    form.Text0->setFocus();
    compose(form.Text0, QStringLiteral("すずき"));
    env.boxes.answer(MsgAnswerCode::Ok);
    QTest::mouseClick(form.Command1, Qt::LeftButton); // 保存して閉じる
    QTRY_VERIFY(form.isUnloaded());
    QCOMPARE(env.readFile("a.kno"), TestEnv::record({"やまだ", "", "100-0001"}) + TestEnv::record({"すずき"}));
}

void TestFormIme::correctionForm_data()
{
    QTest::addColumn<bool>("deletion");
    QTest::newRow("correction") << false;
    QTest::newRow("deletion") << true;
}

void TestFormIme::correctionForm()
{
    QFETCH(bool, deletion);
    TestEnv env;
    env.writeFile("a.kno", fixedBook({{"一", "", "100-0001"}, {"二", "", "200-0002"}, {"三"}}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    env.dm->CurrentRecord = 1;
    CrctData form(*env.dm, nullptr);
    form.prepare(deletion ? CrctData::Mode::Delete : CrctData::Mode::Correct);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(inputMethodMismatches(&form, OffBoxes, JapaneseBoxes), QStringList());
    if (deletion) {
        // Deleting shows the next record in the same boxes.
        env.boxes.answer(MsgAnswerCode::Ok);
        form.Command3_Click();
        QCOMPARE(form.Text0->text(), QStringLiteral("二"));
        QCOMPARE(inputMethodMismatches(&form, OffBoxes, JapaneseBoxes), QStringList());
        return;
    }
    // Restoring reloads the boxes; the modes stay.
    form.Text2->setText(QStringLiteral("999"));
    form.Command2_Click();
    QCOMPARE(form.Text2->text(), QStringLiteral("100-0001"));
    QCOMPARE(inputMethodMismatches(&form, OffBoxes, JapaneseBoxes), QStringList());
    // A composition at the end of the name is stored with ﾌｧｲﾙ更新.
    form.Text0->setFocus();
    form.Text0->end(false);
    compose(form.Text0, QStringLiteral("ろう"));
    env.boxes.answer(MsgAnswerCode::Ok);
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    QCOMPARE(env.readFile("a.kno").left(239), TestEnv::record({"一ろう", "", "100-0001"}));
    form.Command4_Click();
}

void TestFormIme::formsMadeByTheListView()
{
    TestEnv env;
    env.writeFile("b.kno", fixedBook({{"一"}, {"二"}, {"三"}}));
    QVERIFY(env.open("b.kno", DataModule::FixedLength));
    ListLab w(*env.dm);
    // The list view makes a new form each time: each one has the modes.
    QStringList mismatches;
    for (int round = 0; round < 2; ++round) {
        env.modal.then([&](QDialog &d) {
            mismatches << inputMethodMismatches(&d, OffBoxes + QStringList{"Text9"}, JapaneseBoxes);
            static_cast<AdrsDinp &>(d).Command4_Click();
            return int(QDialog::Rejected);
        });
        w.M_E_Add_Click();
        w.LabN_DblClick(1);
        env.modal.then([&](QDialog &d) {
            mismatches << inputMethodMismatches(&d, OffBoxes, JapaneseBoxes);
            static_cast<CrctData &>(d).Command4_Click();
            return int(QDialog::Rejected);
        });
        w.M_E_Chan_Click();
    }
    QCOMPARE(env.modal.ran.size(), 4);
    QCOMPARE(mismatches, QStringList());
}

QTEST_MAIN(TestFormIme)
#include "tst_formime.moc"
