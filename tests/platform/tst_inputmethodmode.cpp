// Input-method modes of text boxes: an "off" box stays out of the input
// method's reach through every change of state, the other modes follow the
// box, and a composition in progress is taken in when the focus leaves.
#include "support/inputmethod.h"

#include "platform/inputmethodmode.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>

class TestInputMethodMode : public QObject {
    Q_OBJECT
private slots:
    void modeSurvivesStateChanges_data();
    void modeSurvivesStateChanges();
    void compositionTakenInOnLeaving_data();
    void compositionTakenInOnLeaving();
    void compositionKeptWhileAMenuOpens();
};

using Change = std::function<void(QLineEdit *)>;
Q_DECLARE_METATYPE(Change)

void TestInputMethodMode::modeSurvivesStateChanges_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("onReached");
    // A read-only line edit still lets the input method in (Qt's own
    // answer); it takes nothing in anyway. Only the "off" boxes matter here.
    QTest::newRow("made read-only") << Change([](QLineEdit *b) { b->setReadOnly(true); }) << true;
    QTest::newRow("read-only, then editable again")
        << Change([](QLineEdit *b) { b->setReadOnly(true); b->setReadOnly(false); }) << true;
    QTest::newRow("echo mode password, then normal")
        << Change([](QLineEdit *b) { b->setEchoMode(QLineEdit::Password); b->setEchoMode(QLineEdit::Normal); })
        << true;
    QTest::newRow("disabled, then enabled")
        << Change([](QLineEdit *b) { b->setEnabled(false); b->setEnabled(true); }) << true;
    QTest::newRow("hidden, then shown") << Change([](QLineEdit *b) { b->hide(); b->show(); }) << true;
    QTest::newRow("given the focus") << Change([](QLineEdit *b) { b->setFocus(); }) << true;
    QTest::newRow("mode given twice") << Change([](QLineEdit *b) { setImeMode(b, imeModeOf(b)); }) << true;
}

void TestInputMethodMode::modeSurvivesStateChanges()
{
    QFETCH(Change, change);
    QFETCH(bool, onReached);
    QDialog window;
    auto *digits = new QLineEdit(&window);
    digits->setObjectName(QStringLiteral("digits"));
    auto *name = new QLineEdit(&window);
    name->setObjectName(QStringLiteral("name"));
    auto *mark = new QLineEdit(&window);
    mark->setObjectName(QStringLiteral("mark"));
    setImeMode(digits, ImeMode::Off);
    setImeMode(name, ImeMode::Hiragana);
    setImeMode(mark, ImeMode::Disabled);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(inputMethodMismatches(&window, {"digits", "mark"}, {"name"}), QStringList());

    for (QLineEdit *box : {digits, name, mark})
        change(box);
    QVERIFY(!inputMethodReaches(digits));
    QVERIFY(!inputMethodReaches(mark));
    QCOMPARE(inputMethodReaches(name), onReached);
    QVERIFY(!digits->testAttribute(Qt::WA_InputMethodEnabled));
    QCOMPARE(imeModeOf(digits), ImeMode::Off);
    QCOMPARE(imeModeOf(name), ImeMode::Hiragana);

    // A mode can be changed later, both ways.
    setImeMode(digits, ImeMode::Hiragana);
    setImeMode(name, ImeMode::Off);
    QVERIFY(inputMethodReaches(digits));
    QVERIFY(!inputMethodReaches(name));
}

using Leave = std::function<void(QLineEdit *from, QLineEdit *to, QPushButton *button)>;
Q_DECLARE_METATYPE(Leave)

void TestInputMethodMode::compositionTakenInOnLeaving_data()
{
    QTest::addColumn<Leave>("leave");
    QTest::addColumn<QString>("clickSaw"); // what the button's handler saw in the box
    QTest::newRow("Tab") << Leave([](QLineEdit *from, QLineEdit *, QPushButton *) {
        QTest::keyClick(from, Qt::Key_Tab);
    }) << QString();
    QTest::newRow("a click on another box") << Leave([](QLineEdit *, QLineEdit *to, QPushButton *) {
        QTest::mouseClick(to, Qt::LeftButton);
    }) << QString();
    QTest::newRow("a click on a button") << Leave([](QLineEdit *, QLineEdit *, QPushButton *button) {
        QTest::mouseClick(button, Qt::LeftButton);
    }) << QStringLiteral("やまだ");
    // What a mnemonic does to its button: the focus, then a click.
    QTest::newRow("a shortcut to the button") << Leave([](QLineEdit *, QLineEdit *, QPushButton *button) {
        button->setFocus(Qt::ShortcutFocusReason);
        button->animateClick();
    }) << QStringLiteral("やまだ");
    QTest::newRow("focus taken without warning") << Leave([](QLineEdit *from, QLineEdit *, QPushButton *) {
        from->clearFocus();
    }) << QString();
}

void TestInputMethodMode::compositionTakenInOnLeaving()
{
    QFETCH(Leave, leave);
    QFETCH(QString, clickSaw);
    QDialog window;
    auto *name = new QLineEdit(&window);
    auto *next = new QLineEdit(&window);
    next->move(0, 40);
    auto *save = new QPushButton(QStringLiteral("保存(&S)"), &window);
    save->move(0, 80);
    setImeMode(name, ImeMode::Hiragana);
    setImeMode(next, ImeMode::Off);
    QString seen = QStringLiteral("(not clicked)");
    connect(save, &QPushButton::clicked, [&] { seen = name->text(); });
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    name->setFocus();
    name->setText(QStringLiteral("山"));

    compose(name, QStringLiteral("やまだ"));
    QCOMPARE(name->text(), QStringLiteral("山")); // composing, not yet taken in
    QCOMPARE(pendingComposition(name), QStringLiteral("やまだ"));
    leave(name, next, save);
    QTRY_VERIFY(!name->hasFocus());
    QCOMPARE(name->text(), QStringLiteral("山やまだ"));
    QCOMPARE(pendingComposition(name), QString());
    if (!clickSaw.isEmpty())
        QTRY_COMPARE(seen, QStringLiteral("山") + clickSaw);
    // An input method that commits the same text itself once the focus has
    // gone does not bring it in twice; what comes after is taken as usual.
    QInputMethodEvent echo;
    echo.setCommitString(QStringLiteral("やまだ"));
    QCoreApplication::sendEvent(name, &echo);
    QCOMPARE(name->text(), QStringLiteral("山やまだ"));
    QCoreApplication::sendEvent(name, &echo);
    QCOMPARE(name->text(), QStringLiteral("山やまだやまだ"));
    name->setText(QStringLiteral("山やまだ"));
    // Taken in once: coming back and leaving again adds nothing.
    name->setFocus();
    next->setFocus();
    QCOMPARE(name->text(), QStringLiteral("山やまだ"));
}

void TestInputMethodMode::compositionKeptWhileAMenuOpens()
{
    QDialog window;
    auto *name = new QLineEdit(&window);
    setImeMode(name, ImeMode::Hiragana);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    name->setFocus();
    compose(name, QStringLiteral("にほん"));
    for (Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(name, &out);
        QCOMPARE(name->text(), QString());
        QCOMPARE(pendingComposition(name), QStringLiteral("にほん"));
    }
    // A commit of the input method itself ends the composition.
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("日本"));
    QCoreApplication::sendEvent(name, &commit);
    QCOMPARE(name->text(), QStringLiteral("日本"));
    QCOMPARE(pendingComposition(name), QString());
}

QTEST_MAIN(TestInputMethodMode)
#include "tst_inputmethodmode.moc"
