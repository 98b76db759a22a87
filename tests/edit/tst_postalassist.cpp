// The postal-code dictionary in the entry and correction forms: leaving a
// typed code fills 住所１, F8 and F7 on demand, the choice list, and what
// never changes a box.
#include "support/testenv.h"
#include "support/typing.h"

#include "edit/adrsdinp.h"
#include "edit/crctdata.h"
#include "edit/postalassist.h"
#include "edit/postalchoice.h"
#include "postal/postaldictionary.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace {

constexpr int NoList = -2;   // no choice list expected
constexpr int EscapeKey = -1; // the list is left with Esc

struct ChoiceSeen {
    QString caption, prompt;
    QStringList entries;
};

// The next modal window is the choice list: remember what it offers, then
// take entry `row` or leave it with Esc.
void answerChoice(TestEnv &env, int row, ChoiceSeen *seen)
{
    env.modal.then([row, seen](QDialog &dialog) {
        auto *choice = qobject_cast<PostalChoice *>(&dialog);
        if (!choice)
            return int(QDialog::Rejected);
        seen->caption = choice->windowTitle();
        seen->prompt = choice->Label1->text();
        for (int i = 0; i < choice->List1->count(); ++i)
            seen->entries << choice->List1->item(i)->text();
        if (row == EscapeKey) {
            QTest::keyClick(choice, Qt::Key_Escape);
        } else {
            choice->List1->setCurrentRow(row);
            choice->Command1_Click();
        }
        return choice->result();
    });
}

QString withDate(QString text)
{
    return text.replace(QStringLiteral("%DATE%"), PostalDictionary::shared().dateText());
}

// Columns shared by the F8 and F7 tables.
void commandColumns()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("choice");  // NoList, EscapeKey or the entry taken
    QTest::addColumn<int>("answer");  // 0: no question expected; else the answer
    QTest::addColumn<QString>("shown"); // the box shown, its text; empty: none
    QTest::addColumn<QString>("codeAfter");
    QTest::addColumn<QString>("addressAfter");
}

} // namespace

class TestPostalAssist : public QObject {
    Q_OBJECT
private slots:
    void menuEntriesInBothForms();
    void leavingTheCodeBox_data();
    void leavingTheCodeBox();
    void onlyWhatTheUserTyped();
    void severalAreasOnLeaving();
    void codeToAddressCommand_data();
    void codeToAddressCommand();
    void addressToCodeCommand_data();
    void addressToCodeCommand();
    void filledAddressIsNotSelected_data();
    void filledAddressIsNotSelected();
};

void TestPostalAssist::menuEntriesInBothForms()
{
    TestEnv env;
    env.writeFile("a.kno", TestEnv::record({"一", "", "100-0001"}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    AdrsDinp entry(*env.dm, nullptr);
    env.dm->CurrentRecord = 1;
    CrctData correction(*env.dm, nullptr);
    correction.prepare(CrctData::Mode::Correct);
    for (QMenu *menu : {entry.Menu_Edit, correction.Menu_Edit}) {
        const QList<QAction *> actions = menu->actions();
        QCOMPARE(actions.size(), 7);
        QVERIFY(actions[4]->isSeparator());
        QCOMPARE(actions[5]->text(), QStringLiteral("郵便番号から住所(&Z)"));
        QCOMPARE(actions[5]->shortcut(), QKeySequence(Qt::Key_F8));
        QCOMPARE(actions[6]->text(), QStringLiteral("住所から郵便番号(&Y)"));
        QCOMPARE(actions[6]->shortcut(), QKeySequence(Qt::Key_F7));
        QVERIFY(actions[5]->isEnabled() && actions[6]->isEnabled());
    }
    QCOMPARE(entry.Postal->Menu_Ed_Zip, entry.Menu_Edit->actions()[5]);
    // The edit menu's own entries still follow the active box.
    entry.Menu_Edit_Click();
    QVERIFY(entry.Postal->Menu_Ed_Zip->isEnabled());

    // Deletion never stores what the boxes hold: nothing to look up there.
    CrctData deletion(*env.dm, nullptr);
    deletion.prepare(CrctData::Mode::Delete);
    QVERIFY(!deletion.Postal->Menu_Ed_Zip->isEnabled());
    QVERIFY(!deletion.Postal->Menu_Ed_Jusho->isEnabled());
    deletion.Text3->clear();
    deletion.Text2->clear();
    typeKeys(deletion.Text2, QStringLiteral("1000014"));
    leaveBox(deletion.Text2);
    deletion.Postal->Menu_Ed_Zip_Click();
    QCOMPARE(deletion.Text3->text(), QString());
    QVERIFY2(env.boxes.shown.isEmpty(), qPrintable(env.boxes.describe()));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPostalAssist::leavingTheCodeBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("reason");
    QTest::addColumn<QString>("codeAfter");
    QTest::addColumn<QString>("addressAfter");
    const int tab = Qt::TabFocusReason;
    QTest::newRow("seven digits") << "1000001" << "" << tab << "100-0001" << "東京都千代田区千代田";
    QTest::newRow("with the dash") << "100-0014" << "" << tab << "100-0014" << "東京都千代田区永田町";
    QTest::newRow("backwards") << "1000014" << "" << int(Qt::BacktabFocusReason) << "100-0014"
                               << "東京都千代田区永田町";
    QTest::newRow("a click elsewhere") << "1000014" << "" << int(Qt::MouseFocusReason) << "100-0014"
                                       << "東京都千代田区永田町";
    QTest::newRow("a large office building") << "1006090" << "" << tab << "100-6090"
                                             << "東京都千代田区霞が関霞が関ビル";
    QTest::newRow("longer than 住所１ holds") << "6168427" << "" << tab << "616-8427"
                                            << "京都市右京区嵯峨二尊院門前善光寺山町";
    QTest::newRow("a building too long for 住所１") << "1055106" << "" << tab << "105-5106"
                                                 << "東京都港区浜松町";
    QTest::newRow("unknown code") << "1000099" << "" << tab << "1000099" << "";
    QTest::newRow("six digits") << "100001" << "" << tab << "100001" << "";
    QTest::newRow("住所１ not empty") << "1000001" << "大阪府" << tab << "1000001" << "大阪府";
    QTest::newRow("a menu opens") << "1000001" << "" << int(Qt::PopupFocusReason) << "1000001" << "";
    QTest::newRow("another window") << "1000001" << "" << int(Qt::ActiveWindowFocusReason) << "1000001"
                                    << "";
}

void TestPostalAssist::leavingTheCodeBox()
{
    QFETCH(QString, typed);
    QFETCH(QString, address);
    QFETCH(int, reason);
    QFETCH(QString, codeAfter);
    QFETCH(QString, addressAfter);
    TestEnv env;
    env.writeFile("a.kno", QByteArray());
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    AdrsDinp form(*env.dm, nullptr);
    form.Text3->setText(address);
    typeKeys(form.Text2, typed);
    QCOMPARE(form.Text2->text(), typed);
    leaveBox(form.Text2, Qt::FocusReason(reason));
    QCoreApplication::processEvents();
    QCOMPARE(form.Text2->text(), codeAfter);
    QCOMPARE(form.Text3->text(), addressAfter);
    // The boxes mirror into the record being entered.
    QCOMPARE(env.dm->FieldText[PostalCode], codeAfter);
    QCOMPARE(env.dm->FieldText[Address1], addressAfter);
    // Leaving the box never speaks.
    QVERIFY2(env.boxes.shown.isEmpty(), qPrintable(env.boxes.describe()));
    QVERIFY(env.modal.ran.isEmpty());
}

void TestPostalAssist::onlyWhatTheUserTyped()
{
    TestEnv env;
    env.writeFile("a.kno", TestEnv::records({{"一", "", "100-0001"}, {"二", "", "1000014"}}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    DataModule &dm = *env.dm;
    {
        // A loaded code is not typed: leaving its box changes nothing.
        dm.CurrentRecord = 1;
        CrctData form(dm, nullptr);
        form.prepare(CrctData::Mode::Correct);
        leaveBox(form.Text2);
        QCOMPARE(form.Text3->text(), QString());
        // Typed after loading: it fills.
        form.Text2->clear();
        typeKeys(form.Text2, QStringLiteral("1000014"));
        leaveBox(form.Text2);
        QCOMPARE(form.Text3->text(), QStringLiteral("東京都千代田区永田町"));
        QCOMPARE(form.EditedText[Address1], QStringLiteral("東京都千代田区永田町"));
        // Once filled, emptying 住所１ and leaving again does nothing more.
        form.Text3->clear();
        leaveBox(form.Text2);
        QCOMPARE(form.Text3->text(), QString());
        // 復帰 loads the record again: what was typed is forgotten.
        typeKeys(form.Text2, QStringLiteral("1"));
        form.Command2_Click();
        QCOMPARE(form.Text2->text(), QStringLiteral("100-0001"));
        leaveBox(form.Text2);
        QCOMPARE(form.Text3->text(), QString());
        form.Command4_Click(); // nothing edited: no question
    }
    {
        // The entry form forgets the typing when 保存して次へ empties it.
        AdrsDinp form(dm, nullptr);
        form.Text0->setText(QStringLiteral("三"));
        typeKeys(form.Text2, QStringLiteral("1000099"));
        form.Command3_Click();
        QCOMPARE(dm.RecordCount, qint16(3));
        form.Text2->setText(QStringLiteral("1000001"));
        leaveBox(form.Text2);
        QCOMPARE(form.Text3->text(), QString());
    }
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPostalAssist::severalAreasOnLeaving()
{
    TestEnv env;
    env.writeFile("a.kno", QByteArray());
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    AdrsDinp form(*env.dm, nullptr);
    {
        // The list comes once the focus has settled; the entry taken fills.
        ChoiceSeen seen;
        answerChoice(env, 1, &seen);
        typeKeys(form.Text2, QStringLiteral("1900100"));
        leaveBox(form.Text2);
        QCOMPARE(env.modal.ran.size(), 0);
        QCoreApplication::processEvents();
        QCOMPARE(env.modal.ran, QStringList({"PostalChoice"}));
        QCOMPARE(seen.caption, QStringLiteral("住所の選択"));
        QCOMPARE(seen.prompt, QStringLiteral("郵便番号 190-0100 の地域を選んでください(&L)："));
        QCOMPARE(seen.entries, QStringList({"東京都あきる野市", "東京都西多摩郡日の出町"}));
        QCOMPARE(form.Text3->text(), QStringLiteral("東京都西多摩郡日の出町"));
        QCOMPARE(form.Text2->text(), QStringLiteral("190-0100"));
    }
    {
        // Esc leaves 住所１ empty and the code as typed; leaving again does
        // not ask again.
        form.Text3->clear();
        form.Text2->clear();
        ChoiceSeen seen;
        answerChoice(env, EscapeKey, &seen);
        typeKeys(form.Text2, QStringLiteral("4411324"));
        leaveBox(form.Text2);
        QCoreApplication::processEvents();
        QCOMPARE(seen.entries.size(), 3);
        QCOMPARE(form.Text3->text(), QString());
        QCOMPARE(form.Text2->text(), QStringLiteral("4411324"));
        leaveBox(form.Text2);
        QCoreApplication::processEvents();
        QCOMPARE(env.modal.ran.size(), 2);
    }
    {
        // A mnemonic took the focus to a button: no list in its way.
        form.Text2->clear();
        typeKeys(form.Text2, QStringLiteral("1900100"));
        leaveBox(form.Text2, Qt::ShortcutFocusReason);
        QCoreApplication::processEvents();
        QCOMPARE(env.modal.ran.size(), 2);
        // The box changed before the list could come: no list.
        leaveBox(form.Text2);
        typeKeys(form.Text2, QStringLiteral("9"));
        QCoreApplication::processEvents();
        QCOMPARE(env.modal.ran.size(), 2);
    }
    {
        // The form closed before the list could come: no list.
        form.Text2->clear();
        typeKeys(form.Text2, QStringLiteral("1900100"));
        leaveBox(form.Text2, Qt::MouseFocusReason);
        form.Command4_Click();
        QCoreApplication::processEvents();
        QCOMPARE(env.modal.ran.size(), 2);
    }
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPostalAssist::codeToAddressCommand_data()
{
    commandColumns();
    QTest::newRow("fills an empty 住所１") << "1000014" << "" << NoList << 0 << "" << "100-0014"
                                          << "東京都千代田区永田町";
    QTest::newRow("replaces after Yes") << "1000014" << "東京都千代田区丸の内１" << NoList << 6
                                        << "住所１「東京都千代田区丸の内１」を「東京都千代田区永田町」に置き換えますか？"
                                        << "100-0014" << "東京都千代田区永田町";
    QTest::newRow("keeps it after No") << "1000014" << "東京都千代田区丸の内１" << NoList << 7
                                       << "住所１「東京都千代田区丸の内１」を「東京都千代田区永田町」に置き換えますか？"
                                       << "1000014" << "東京都千代田区丸の内１";
    QTest::newRow("already right: no question") << "1000014" << "東京都千代田区永田町" << NoList << 0 << ""
                                                << "100-0014" << "東京都千代田区永田町";
    QTest::newRow("several areas, the third") << "4411324" << "" << 2 << 0 << "" << "441-1324"
                                              << "愛知県新城市内井道";
    QTest::newRow("several areas, Esc") << "4411324" << "" << EscapeKey << 0 << "" << "4411324" << "";
    QTest::newRow("not seven digits") << "12345" << "" << NoList << 0
                                      << "郵便番号を７桁の数字で入力してください。（例：100-0001）"
                                      << "12345" << "";
    QTest::newRow("empty code") << "" << "東京都" << NoList << 0
                                << "郵便番号を７桁の数字で入力してください。（例：100-0001）" << ""
                                << "東京都";
    QTest::newRow("unknown code") << "100-0099" << "" << NoList << 0
                                  << "郵便番号 100-0099 は郵便番号辞書（%DATE%）にありません。" << "100-0099"
                                  << "";
}

void TestPostalAssist::codeToAddressCommand()
{
    QFETCH(QString, code);
    QFETCH(QString, address);
    QFETCH(int, choice);
    QFETCH(int, answer);
    QFETCH(QString, shown);
    QFETCH(QString, codeAfter);
    QFETCH(QString, addressAfter);
    TestEnv env;
    env.writeFile("a.kno", TestEnv::record({"一", "", code.left(8), address}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    env.dm->CurrentRecord = 1;
    CrctData form(*env.dm, nullptr);
    form.prepare(CrctData::Mode::Correct);
    ChoiceSeen seen;
    if (choice != NoList)
        answerChoice(env, choice, &seen);
    if (answer)
        env.boxes.answer(answer);
    else if (!shown.isEmpty())
        env.boxes.answer(MsgAnswerCode::Ok);
    form.Postal->Menu_Ed_Zip->trigger();
    QCOMPARE(env.modal.ran.size(), choice == NoList ? 0 : 1);
    QCOMPARE(env.boxes.shown.size(), shown.isEmpty() ? 0 : 1);
    if (!shown.isEmpty()) {
        QCOMPARE(env.boxes.shown[0].text, withDate(shown));
        QCOMPARE(env.boxes.shown[0].icon, answer ? MsgIcon::Question : MsgIcon::Exclamation);
        QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("郵便番号から住所"));
    }
    QCOMPARE(form.Text2->text(), codeAfter);
    QCOMPARE(form.Text3->text(), addressAfter);
    QCOMPARE(form.EditedText[PostalCode], codeAfter);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
    form.Command2_Click(); // back to the stored record: closing asks nothing
}

void TestPostalAssist::addressToCodeCommand_data()
{
    commandColumns();
    QTest::newRow("with 都道府県") << "" << "東京都千代田区永田町１－７－１" << NoList << 0 << "" << "100-0014"
                                   << "東京都千代田区永田町１－７－１";
    QTest::newRow("without 都道府県") << "" << "千代田区永田町１" << NoList << 0 << "" << "100-0014"
                                      << "千代田区永田町１";
    QTest::newRow("the same code spelt otherwise") << "1000014" << "東京都千代田区永田町１" << NoList << 0 << ""
                                                   << "100-0014" << "東京都千代田区永田町１";
    QTest::newRow("replaces after Yes") << "100-0001" << "東京都千代田区永田町１" << NoList << 6
                                        << "郵便番号「100-0001」を「100-0014」に置き換えますか？" << "100-0014"
                                        << "東京都千代田区永田町１";
    QTest::newRow("keeps it after No") << "100-0001" << "東京都千代田区永田町１" << NoList << 7
                                       << "郵便番号「100-0001」を「100-0014」に置き換えますか？" << "100-0001"
                                       << "東京都千代田区永田町１";
    QTest::newRow("a town with two codes") << "" << "東京都千代田区一ツ橋２－１" << 1 << 0 << "" << "101-0003"
                                           << "東京都千代田区一ツ橋２－１";
    QTest::newRow("two codes, Esc") << "" << "東京都千代田区一ツ橋２－１" << EscapeKey << 0 << "" << ""
                                    << "東京都千代田区一ツ橋２－１";
    QTest::newRow("a building of many codes")
        << "" << "東京都新宿区西新宿新宿モノリス３階" << NoList << 0
        << "「東京都新宿区西新宿新宿モノリス」の郵便番号は階や番地によって分かれているため、住所からは決められません。"
        << "" << "東京都新宿区西新宿新宿モノリス３階";
    QTest::newRow("no such place") << "" << "火星１－１" << NoList << 0
                                   << "住所１「火星１－１」に当たる郵便番号は、郵便番号辞書（%DATE%）にありません。"
                                   << "" << "火星１－１";
    QTest::newRow("empty 住所１") << "1000001" << "" << NoList << 0 << "住所１に住所を入力してください。"
                                 << "1000001" << "";
}

void TestPostalAssist::addressToCodeCommand()
{
    QFETCH(QString, code);
    QFETCH(QString, address);
    QFETCH(int, choice);
    QFETCH(int, answer);
    QFETCH(QString, shown);
    QFETCH(QString, codeAfter);
    QFETCH(QString, addressAfter);
    TestEnv env;
    env.writeFile("a.kno", QByteArray());
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    AdrsDinp form(*env.dm, nullptr);
    form.Text2->setText(code);
    form.Text3->setText(address);
    ChoiceSeen seen;
    if (choice != NoList)
        answerChoice(env, choice, &seen);
    if (answer)
        env.boxes.answer(answer);
    else if (!shown.isEmpty())
        env.boxes.answer(MsgAnswerCode::Ok);
    form.Postal->Menu_Ed_Jusho->trigger();
    QCOMPARE(env.modal.ran.size(), choice == NoList ? 0 : 1);
    if (choice != NoList) {
        QCOMPARE(seen.caption, QStringLiteral("郵便番号の選択"));
        QCOMPARE(seen.prompt, QStringLiteral("住所１に当たる郵便番号が 2 件あります。選んでください(&L)："));
        QCOMPARE(seen.entries,
                 QStringList({"100-0003　東京都千代田区一ツ橋", "101-0003　東京都千代田区一ツ橋"}));
    }
    QCOMPARE(env.boxes.shown.size(), shown.isEmpty() ? 0 : 1);
    if (!shown.isEmpty()) {
        QCOMPARE(env.boxes.shown[0].text, withDate(shown));
        QCOMPARE(env.boxes.shown[0].icon, answer ? MsgIcon::Question : MsgIcon::Exclamation);
        QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("住所から郵便番号"));
    }
    QCOMPARE(form.Text2->text(), codeAfter);
    QCOMPARE(form.Text3->text(), addressAfter);
    QCOMPARE(env.dm->FieldText[PostalCode], codeAfter);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestPostalAssist::filledAddressIsNotSelected_data()
{
    QTest::addColumn<bool>("correction");
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("filled");
    for (const bool correction : {false, true}) {
        const char *f = correction ? "correction" : "entry";
        QTest::addRow("%s, leaving the code box", f) << correction << "leave" << "東京都千代田区千代田";
        QTest::addRow("%s, F8 then Tab", f) << correction << "f8" << "東京都千代田区千代田";
        QTest::addRow("%s, F8 in 住所１", f) << correction << "f8 in address" << "東京都千代田区千代田";
        QTest::addRow("%s, the choice list", f) << correction << "choice" << "東京都西多摩郡日の出町";
    }
}

void TestPostalAssist::filledAddressIsNotSelected()
{
    QFETCH(bool, correction);
    QFETCH(QString, way);
    QFETCH(QString, filled);
    TestEnv env;
    env.writeFile("a.kno", TestEnv::records({{"一"}}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    env.dm->CurrentRecord = 1;
    std::unique_ptr<FormDialog> window;
    QLineEdit *code = nullptr;
    QLineEdit *address = nullptr;
    PostalAssist *postal = nullptr;
    if (correction) {
        auto *form = new CrctData(*env.dm, nullptr);
        form->prepare(CrctData::Mode::Correct);
        window.reset(form);
        code = form->Text2;
        address = form->Text3;
        postal = form->Postal;
    } else {
        auto *form = new AdrsDinp(*env.dm, nullptr);
        window.reset(form);
        code = form->Text2;
        address = form->Text3;
        postal = form->Postal;
    }
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    code->setFocus(Qt::OtherFocusReason);
    ChoiceSeen seen;
    if (way == QLatin1String("choice")) {
        answerChoice(env, 1, &seen);
        typeKeys(code, QStringLiteral("1900100"));
        QTest::keyClick(code, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCOMPARE(env.modal.ran, QStringList({"PostalChoice"}));
    } else if (way == QLatin1String("f8 in address")) {
        // A code the user did not type: leaving its box fills nothing.
        code->setText(QStringLiteral("1000001"));
        QTest::keyClick(code, Qt::Key_Tab);
        QCOMPARE(address->text(), QString());
        postal->Menu_Ed_Zip->trigger();
    } else {
        typeKeys(code, QStringLiteral("1000001"));
        if (way == QLatin1String("f8"))
            postal->Menu_Ed_Zip->trigger();
        QTest::keyClick(code, Qt::Key_Tab);
    }
    QCoreApplication::processEvents();
    QCOMPARE(address->text(), filled);
    QCOMPARE(QApplication::focusWidget(), address);
    QVERIFY(!address->hasSelectedText());
    QCOMPARE(address->cursorPosition(), filled.size());
    // The next key adds to the address.
    QTest::keyClick(address, Qt::Key_1);
    QCOMPARE(address->text(), filled + QStringLiteral("1"));
    if (correction)
        env.boxes.answer(MsgAnswerCode::No); // the closing question about the edits
    window->close();
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

QTEST_MAIN(TestPostalAssist)
#include "tst_postalassist.moc"
