// The entry form: what is appended, what the user sees, the edit menu.
#include "support/testenv.h"
#include "support/books.h"
#include "support/userinput.h"

#include "edit/adrsdinp.h"
#include "store/recordstore.h"

#include "platform/codec.h"
#include "platform/twips.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

namespace {

// Message boxes that also run a probe at the moment a box is shown.
class ProbeBoxes : public ScriptedMessageBoxes {
public:
    std::function<void(const QString &)> probe;

protected:
    int present(QWidget *parent, const QString &text, MsgIcon icon, MsgButtons buttons,
                const QString &caption) override
    {
        if (probe)
            probe(text);
        return ScriptedMessageBoxes::present(parent, text, icon, buttons, caption);
    }
};

void type(AdrsDinp &form, const QStringList &values)
{
    for (int n = 0; n < values.size(); ++n)
        form.Texts[n]->setText(values[n]);
}

} // namespace

class TestAdrsDinp : public QObject {
    Q_OBJECT
private slots:
    void saveAndNextOnAnEmptyFixedBook();
    void saveAndCloseOnATextBook();
    void emptyNameIsRefused();
    void limitIsRefused();
    void closingWithoutSaving();
    void editMenu();
    void boxesLimitBytes();
    void boxesTakeWhatTheModeGives_data();
    void boxesTakeWhatTheModeGives();
    void realModalRuns();
};

void TestAdrsDinp::saveAndNextOnAnEmptyFixedBook()
{
    TestEnv env;
    env.writeFile("a.kno", QByteArray());
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    AdrsDinp form(*env.dm, nullptr);
    QCOMPARE(form.windowTitle(), QStringLiteral("データ入力"));
    QCOMPARE(form.Label11->text(), QStringLiteral(" 1"));
    QVERIFY(env.mainWindow.locked);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    type(form, {"山田太郎", "ﾔﾏﾀﾞﾀﾛｳ", "123-4567", "  東京都", "", "03-1234-5678", "", "", "", "A"});
    QCOMPARE(env.dm->FieldText[Address1], QStringLiteral("  東京都"));
    form.Command3->click();
    QCOMPARE(env.readFile("a.kno"),
             fixedRecord({"山田太郎", "ﾔﾏﾀﾞﾀﾛｳ", "123-4567", "  東京都", "", "03-1234-5678", "", "", "", "A"}));
    QCOMPARE(form.Label11->text(), QStringLiteral(" 2"));
    for (QLineEdit *box : form.Texts)
        QVERIFY(box->text().isEmpty());
    for (int f = 1; f <= 10; ++f)
        QVERIFY(env.dm->FieldText[f].isEmpty());
    // The caret waits in the reading box, not the name box.
    QVERIFY(form.Text1->hasFocus());
    QCOMPARE(env.mainWindow.labels[MainWindowLink::CountLabel], QStringLiteral("1"));
    QCOMPARE(env.mainWindow.labels[MainWindowLink::DateLabel], env.dm->FileDateText());
    QVERIFY(!env.dm->FileDateText().isEmpty());
    QVERIFY(!form.isUnloaded());

    type(form, {"鈴木"});
    form.Command3_Click();
    QCOMPARE(env.dm->RecordCount, qint16(2));
    QCOMPARE(env.readFile("a.kno").mid(239), fixedRecord({"鈴木"}));
    QCOMPARE(form.Label11->text(), QStringLiteral(" 3"));
    QVERIFY2(env.boxes.shown.isEmpty(), qPrintable(env.boxes.describe()));
    form.Command4_Click();
    QVERIFY(form.isUnloaded());
    QVERIFY(!env.mainWindow.locked);
}

void TestAdrsDinp::saveAndCloseOnATextBook()
{
    TestEnv env;
    ProbeBoxes boxes;
    env.dm->Platform.Boxes = &boxes;
    const QByteArray book = textLine("a;1") + textLine("b;2");
    env.writeFile("t.txt", book);
    QVERIFY(env.open("t.txt", DataModule::DelimitedText));
    AdrsDinp form(*env.dm, nullptr);
    QCOMPARE(form.Label11->text(), QStringLiteral(" 3"));
    type(form, {" 佐藤 ", "ｻﾄｳ", "", "  大阪府 "});
    bool closedFirst = false;
    boxes.probe = [&](const QString &) { closedFirst = form.isUnloaded() && !env.mainWindow.locked; };
    boxes.answer(MsgAnswerCode::Ok);
    form.Command1_Click();
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].text, QStringLiteral("ファイルに追加しました。"));
    QCOMPARE(boxes.shown[0].icon, MsgIcon::None);
    QCOMPARE(boxes.shown[0].caption, ProgramTitle);
    QVERIFY2(closedFirst, "the message shows only after the window has closed");
    QCOMPARE(env.readFile("t.txt"), book + textLine("佐藤;ｻﾄｳ;;  大阪府;;;;;;"));
    QCOMPARE(env.dm->RecordCount, qint16(3));
    QCOMPARE(env.dm->LineIndex[3], qint32(book.size() + 1));
    QCOMPARE(env.mainWindow.labels[MainWindowLink::CountLabel], QStringLiteral("3"));
}

void TestAdrsDinp::emptyNameIsRefused()
{
    TestEnv env;
    env.writeFile("a.kno", fixedRecord({"一"}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    AdrsDinp form(*env.dm, nullptr);
    type(form, {"   ", "ｲﾁ", "1", "住所"});
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    form.Command1_Click();
    form.Command3_Click();
    QCOMPARE(env.boxes.shown.size(), 2);
    for (const ShownBox &box : env.boxes.shown) {
        QCOMPARE(box.text, QStringLiteral("データがありません。"));
        QCOMPARE(box.icon, MsgIcon::None);
        QCOMPARE(box.buttons, MsgButtons::Ok);
    }
    QCOMPARE(env.readFile("a.kno"), fixedRecord({"一"}));
    QVERIFY(!form.isUnloaded());
    QCOMPARE(form.Text1->text(), QStringLiteral("ｲﾁ"));
    // A record with only a name is written.
    type(form, {"名", "", "", ""});
    form.Command3_Click();
    QCOMPARE(env.readFile("a.kno"), fixedRecord({"一"}) + fixedRecord({"名"}));
}

void TestAdrsDinp::limitIsRefused()
{
    TestEnv env;
    env.writeFile("a.kno", fixedRecord({"一"}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    env.dm->RecordCount = DataModule::MaxFixedRecords;
    AdrsDinp form(*env.dm, nullptr);
    type(form, {"二"});
    env.boxes.answer(MsgAnswerCode::Ok);
    form.Command1_Click();
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].text, AppendLimitText(*env.dm));
    QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Exclamation);
    QCOMPARE(env.readFile("a.kno"), fixedRecord({"一"}));
    QVERIFY(!form.isUnloaded());
    QCOMPARE(form.Text0->text(), QStringLiteral("二"));
}

void TestAdrsDinp::closingWithoutSaving()
{
    TestEnv env;
    env.writeFile("a.kno", QByteArray());
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    {
        AdrsDinp form(*env.dm, nullptr);
        type(form, {"未保存"});
        form.close(); // the close box
        QVERIFY(form.isUnloaded());
        QVERIFY(!env.mainWindow.locked);
    }
    {
        AdrsDinp form(*env.dm, nullptr);
        type(form, {"未保存"});
        form.Menu_End->trigger();
        QVERIFY(form.isUnloaded());
    }
    {
        // The modal run closes the window however the script left it.
        AdrsDinp form(*env.dm, nullptr);
        env.modal.then([](QDialog &) { return QDialog::Rejected; });
        form.showModal();
        QVERIFY(form.isUnloaded());
        QVERIFY(!env.mainWindow.locked);
    }
    QCOMPARE(env.readFile("a.kno"), QByteArray());
}

void TestAdrsDinp::editMenu()
{
    TestEnv env;
    env.writeFile("a.kno", QByteArray());
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    AdrsDinp form(*env.dm, nullptr);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));

    // The bar of データ and 編集 shows above the boxes; a mouse opens its menus.
    auto *bar = form.findChild<QMenuBar *>(QStringLiteral("MenuBar"));
    QVERIFY(bar);
    QVERIFY(bar->height() >= bar->fontMetrics().height());
    QVERIFY(form.Label10->mapTo(&form, QPoint()).y() >= bar->geometry().bottom());
    QCOMPARE(form.height(), bar->height() + Twips::toPixelsY(4755));
    QVERIFY(opensFromBar(bar, form.Menu_Data));
    QVERIFY(opensFromBar(bar, form.Menu_Edit));

    // A button has the focus: all four disabled.
    form.Command4->setFocus();
    form.Menu_Edit_Click();
    QVERIFY(!form.Menu_Ed_Kiri->isEnabled());
    QVERIFY(!form.Menu_Ed_Copy->isEnabled());
    QVERIFY(!form.Menu_Ed_Hari->isEnabled());
    QVERIFY(!form.Menu_Ed_Del->isEnabled());

    // A box without a selection: paste and delete only.
    form.Text3->setFocus();
    form.Text3->setText(QStringLiteral("東京都港区"));
    form.Text3->setCursorPosition(2);
    form.Menu_Edit_Click();
    QVERIFY(!form.Menu_Ed_Kiri->isEnabled());
    QVERIFY(!form.Menu_Ed_Copy->isEnabled());
    QVERIFY(form.Menu_Ed_Hari->isEnabled());
    QVERIFY(form.Menu_Ed_Del->isEnabled());
    // 削除 without a selection removes the character after the caret.
    form.Menu_Ed_Del_Click();
    QCOMPARE(form.Text3->text(), QStringLiteral("東京港区"));
    QCOMPARE(env.dm->FieldText[Address1], QStringLiteral("東京港区"));
    form.Text3->end(false);
    form.Menu_Ed_Del_Click();
    QCOMPARE(form.Text3->text(), QStringLiteral("東京港区"));

    // With a selection: cut, copy, paste.
    form.Text3->setSelection(0, 2);
    form.Menu_Edit_Click();
    QVERIFY(form.Menu_Ed_Kiri->isEnabled());
    QVERIFY(form.Menu_Ed_Copy->isEnabled());
    form.Menu_Ed_Copy_Click();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("東京"));
    form.Menu_Ed_Kiri_Click();
    QCOMPARE(form.Text3->text(), QStringLiteral("港区"));
    form.Text3->end(false);
    form.Menu_Ed_Hari_Click();
    QCOMPARE(form.Text3->text(), QStringLiteral("港区東京"));
    form.Text3->selectAll();
    form.Menu_Ed_Del_Click();
    QCOMPARE(form.Text3->text(), QString());
    form.Command4_Click();
}

void TestAdrsDinp::boxesLimitBytes()
{
    TestEnv env;
    env.writeFile("a.kno", QByteArray());
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    AdrsDinp form(*env.dm, nullptr);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.Text0->setFocus();
    // 16 full-width characters are 32 bytes: the 16th does not fit in 30.
    keyIn(form.Text0, QStringLiteral("あいうえおかきくけこさしすせそた"));
    QCOMPARE(form.Text0->text(), QStringLiteral("あいうえおかきくけこさしすせそ"));
    form.Text5->setFocus();
    keyIn(form.Text5, QStringLiteral("03-1234-56789X"));
    QCOMPARE(form.Text5->text(), QStringLiteral("03-1234-56789"));
    // Characters CP932 cannot hold would be stored as "?": the boxes, the
    // mark box too, do not take them.
    keyIn(form.Text3, QStringLiteral("Café①"));
    QCOMPARE(form.Text3->text(), QStringLiteral("Caf①"));
    keyIn(form.Text9, QStringLiteral("éA"));
    QCOMPARE(form.Text9->text(), QStringLiteral("A"));
    form.Text6->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("商会\U0001F600"));
    form.Menu_Ed_Hari_Click();
    QCOMPARE(form.Text6->text(), QString());
    keyIn(form.Text6, QStringLiteral("?"));
    QCOMPARE(form.Text6->text(), QStringLiteral("?"));
    // A box holds one line: pasted line breaks are dropped.
    form.Text4->setFocus();
    QApplication::clipboard()->setText(QStringLiteral("港区\r\n1-2\n3"));
    form.Menu_Ed_Hari_Click();
    QCOMPARE(form.Text4->text(), QStringLiteral("港区1-23"));
    QCOMPARE(form.Text4->cursorPosition(), 6);
    form.Command3_Click();
    QCOMPARE(env.readFile("a.kno"),
             fixedRecord({"あいうえおかきくけこさしすせそ", "", "", "Caf①", "港区1-23", "03-1234-56789", "?", "", "", "A"}));
    form.Command4_Click();
}

void TestAdrsDinp::boxesTakeWhatTheModeGives_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("how"); // keys, Ctrl+V, menu (貼り付け) or commit (input method)
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("caretAfter");
    const QString twenty = QStringLiteral("東京都千代田区丸の内一丁目二番三号ビル階");
    QTest::newRow("郵便番号 typed full-width") << 2 << "keys" << "" << 0 << "１２３－４５６７" << "123-4567" << 8;
    QTest::newRow("郵便番号 pasted with ー") << 2 << "Ctrl+V" << "" << 0 << "１２３ー４５６７" << "123-4567" << 8;
    QTest::newRow("郵便番号 past its 8 bytes") << 2 << "menu" << "" << 0 << "123-45678" << "123-4567" << 8;
    QTest::newRow("電話番号 with blank and ‐") << 5 << "menu" << "" << 0 << "０３‐１２３４　５６７８" << "03-1234 5678" << 12;
    QTest::newRow("勤務先℡ committed") << 8 << "commit" << "" << 0 << "０６－１１１１－２２２２" << "06-1111-2222" << 12;
    QTest::newRow("ﾌﾘｶﾞﾅ hiragana committed") << 1 << "commit" << "" << 0 << "やまだ　たろう" << "ﾔﾏﾀﾞ ﾀﾛｳ" << 8;
    QTest::newRow("ﾌﾘｶﾞﾅ katakana pasted") << 1 << "Ctrl+V" << "" << 0 << "パーティー" << "ﾊﾟｰﾃｨｰ" << 6;
    QTest::newRow("ﾌﾘｶﾞﾅ keeps ﾞ with its kana") << 1 << "menu" << "ｱ" << 1 << "がぎぐげござじずぜ"
                                               << "ｱｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞ" << 15;
    QTest::newRow("名前 20 full-width pasted") << 0 << "menu" << "" << 0 << twenty << twenty.left(15) << 15;
    QTest::newRow("名前 pasted between") << 0 << "Ctrl+V" << "山田" << 1 << "あいうえおかきくけこさしすせそ"
                                      << "山あいうえおかきくけこさしす田" << 14;
    QTest::newRow("名前 full, a key more") << 0 << "keys" << "あいうえおかきくけこさしすせそ" << 15 << "た"
                                        << "あいうえおかきくけこさしすせそ" << 15;
    QTest::newRow("住所１ as typed") << 3 << "commit" << "" << 0 << "１丁目２－３" << "１丁目２－３" << 6;
    QTest::newRow("ﾏｰｸ as typed") << 9 << "keys" << "" << 0 << "Ａ" << "Ａ" << 1;
}

// Typed, pasted or committed by an input method: each box shows what its
// input-method mode would have given, as far as it fits; the record gets it.
void TestAdrsDinp::boxesTakeWhatTheModeGives()
{
    QFETCH(int, box);
    QFETCH(QString, how);
    QFETCH(QString, before);
    QFETCH(int, caret);
    QFETCH(QString, in);
    QFETCH(QString, shown);
    QFETCH(int, caretAfter);
    TestEnv env;
    env.writeFile("a.kno", QByteArray());
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    AdrsDinp form(*env.dm, nullptr);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QLineEdit *target = form.Texts[box];
    target->setFocus();
    target->setText(before);
    target->setCursorPosition(caret);
    if (how == QLatin1String("keys")) {
        keyIn(target, in);
    } else if (how == QLatin1String("commit")) {
        QInputMethodEvent commit;
        commit.setCommitString(in);
        QApplication::sendEvent(target, &commit);
    } else {
        QApplication::clipboard()->setText(in);
        if (how == QLatin1String("menu"))
            form.Menu_Ed_Hari_Click();
        else
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(target->text(), shown);
    QCOMPARE(target->cursorPosition(), caretAfter);
    QCOMPARE(env.dm->FieldText[box + 1], shown);
    form.Text0->setText(form.Text0->text() + QStringLiteral("名"));
    form.Command3_Click();
    QStringList fields(10);
    fields[box] = shown;
    fields[0] += QStringLiteral("名");
    QCOMPARE(env.readFile("a.kno"), fixedRecord(fields));
    form.Command4_Click();
}

void TestAdrsDinp::realModalRuns()
{
    TestEnv env;
    env.writeFile("a.kno", QByteArray());
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    QtModalRunner runner;
    env.dm->Platform.Modal = &runner;
    // 閉じる, the close box, the menu and Esc each end the run and unload
    // once; Esc is 閉じる, so what was typed and not saved is dropped.
    const QList<std::function<void(AdrsDinp &)>> routes = {
        [](AdrsDinp &f) { f.Command4->click(); },
        [](AdrsDinp &f) { f.close(); },
        [](AdrsDinp &f) { f.Menu_End->trigger(); },
        [](AdrsDinp &f) {
            f.Text0->setText(QStringLiteral("打ちかけ"));
            QTest::keyClick(f.Text0, Qt::Key_Escape);
        },
        [](AdrsDinp &f) {
            f.Text0->setText(QStringLiteral("名"));
            f.Command1->click();
        },
    };
    for (const auto &route : routes) {
        AdrsDinp form(*env.dm, nullptr);
        int unlocks = 0;
        QTimer::singleShot(0, &form, [&] {
            QVERIFY(env.mainWindow.locked);
            route(form);
            unlocks = env.mainWindow.locked ? 0 : 1;
        });
        env.boxes.answer(MsgAnswerCode::Ok);
        form.showModal();
        QVERIFY(form.isUnloaded());
        QVERIFY(!form.isVisible());
        QCOMPARE(unlocks, 1);
    }
    QCOMPARE(env.readFile("a.kno"), fixedRecord({"名"}));
    QCOMPARE(env.boxes.shown.size(), 1);
}

QTEST_MAIN(TestAdrsDinp)
#include "tst_adrsdinp.moc"
