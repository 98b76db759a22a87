// オプション: what the dialog shows when it opens, what 了解 stores and 閉じる
// does not, the font dialog of 設定, and which choices outlive the run.
#include "support/testenv.h"

#include "app/adrsbook.h"
#include "options/options.h"
#include "store/settingsfile.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QtEndian>
#include <QtTest>

class TestOptions : public QObject {
    Q_OBJECT
private slots:
    void setDelimiter_data();
    void setDelimiter();
    void opening_data();
    void opening();
    void okStoresAndCloseDoesNot();
    void bookOpenKeepsTheDelimiter();
    void fontDialogChoice_data();
    void fontDialogChoice();
    void whatOutlivesTheRun();
};

namespace {

void setListFont(TestEnv &env, const QString &name, float size)
{
    env.dm->IchiFnt = name;
    env.dm->IchiFsz = size;
}

int checkedDelimiter(const Options &o)
{
    return o.Option1->isChecked() ? 1 : o.Option2->isChecked() ? 2 : o.Option3->isChecked() ? 3 : 0;
}

qint16 int16At(const QByteArray &bytes, int offset)
{
    return qFromLittleEndian<qint16>(bytes.constData() + offset);
}

} // namespace

void TestOptions::setDelimiter_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QChar>("delimiter");
    QTest::newRow("1 semicolon") << 1 << QChar(';');
    QTest::newRow("2 comma") << 2 << QChar(',');
    QTest::newRow("3 tab") << 3 << QChar('\t');
    QTest::newRow("0 semicolon") << 0 << QChar(';');
    QTest::newRow("7 semicolon") << 7 << QChar(';');
}

void TestOptions::setDelimiter()
{
    QFETCH(int, code);
    TestEnv env;
    env.dm->Delimiter = QLatin1Char('x');
    Options o(*env.dm, false);
    o.SetDelimiter(qint16(code));
    QFETCH(QChar, delimiter);
    QCOMPARE(env.dm->Delimiter, delimiter);
}

void TestOptions::opening_data()
{
    QTest::addColumn<bool>("bookOpen");
    QTest::addColumn<int>("delimiterCode");
    QTest::addColumn<int>("kanjiOff");
    QTest::addColumn<int>("postalDigits");
    QTest::addColumn<QString>("font");
    QTest::addColumn<double>("size");
    // Expected:
    QTest::addColumn<int>("front");
    QTest::addColumn<int>("checkedDelimiter");
    QTest::addColumn<int>("combo6");
    QTest::addColumn<int>("combo1");
    QTest::addColumn<int>("combo2");
    QTest::addColumn<QString>("shownSize");
    QTest::newRow("first run, no book") << false << 1 << 0 << 7 << "ＭＳ 明朝" << 10.5
                                        << 0 << 1 << 1 << 0 << 2 << "10.5";
    QTest::newRow("book open: 宛名印刷 in front") << true << 2 << 1 << 5 << "明朝" << 9.75
                                                << 1 << 2 << 0 << 4 << 1 << "9.75";
    QTest::newRow("an unknown code selects ;") << false << 7 << 0 << 7 << "標準ゴシック" << 15.0
                                              << 0 << 1 << 1 << 3 << 5 << "15";
    // 11 is not in the list: "8" is selected and is what 了解 stores.
    QTest::newRow("size 11 selects 8") << false << 3 << 0 << 7 << "ＭＳ ゴシック" << 11.0
                                       << 0 << 3 << 1 << 1 << 0 << "8";
    QTest::newRow("a font of the font dialog") << true << 1 << 0 << 7 << "IPAGothic" << 12.0
                                               << 1 << 1 << 1 << -1 << 3 << "12";
}

void TestOptions::opening()
{
    QFETCH(bool, bookOpen);
    QFETCH(int, delimiterCode);
    QFETCH(int, kanjiOff);
    QFETCH(int, postalDigits);
    QFETCH(QString, font);
    QFETCH(double, size);
    TestEnv env;
    env.dm->Settings.DelimiterCode = qint16(delimiterCode);
    env.dm->Settings.KanjiDigitsOff = qint16(kanjiOff);
    env.dm->PostalDigits = qint16(postalDigits);
    setListFont(env, font, float(size));
    QFETCH(int, front);
    QFETCH(int, combo6);
    QFETCH(int, combo1);
    QFETCH(int, combo2);
    QFETCH(QString, shownSize);
    Options o(*env.dm, bookOpen);

    QCOMPARE(o.windowTitle(), QStringLiteral("オプション"));
    QCOMPARE(o.frontPage(), front);
    QCOMPARE(o.Label2[0]->isEnabled(), !bookOpen);
    for (int i = 1; i < 4; ++i)
        QVERIFY(o.Label2[i]->isEnabled());
    // The pages lie on top of each other.
    for (int i = 1; i < 4; ++i)
        QCOMPARE(o.Picture1[i]->geometry(), o.Picture1[0]->geometry());
    QFETCH(int, checkedDelimiter);
    QCOMPARE(::checkedDelimiter(o), checkedDelimiter);
    QCOMPARE(o.Option4->isChecked(), kanjiOff == 0);
    QCOMPARE(o.Option5->isChecked(), kanjiOff == 1);
    QCOMPARE(o.Combo6->count(), 2);
    QCOMPARE(o.Combo6->itemText(0), QStringLiteral("５桁"));
    QCOMPARE(o.Combo6->itemText(1), QStringLiteral("７桁"));
    QCOMPARE(o.Combo6->currentIndex(), combo6);
    QCOMPARE(o.Combo1->count(), 5);
    QCOMPARE(o.Combo1->currentIndex(), combo1);
    QStringList sizes;
    for (int i = 0; i < o.Combo2->count(); ++i)
        sizes.append(o.Combo2->itemText(i));
    QCOMPARE(sizes, (QStringList{"8", "9.75", "10.5", "12", "13.5", "15"}));
    QCOMPARE(o.Combo2->currentIndex(), combo2);
    QCOMPARE(o.Label5[0]->text(), font);
    QCOMPARE(o.Label5[1]->text(), shownSize);
    for (QComboBox *empty : {o.Combo3, o.Combo4, o.Combo5})
        QCOMPARE(empty->count(), 0);

    // What the labels show is what 了解 stores.
    o.Command1_Click();
    QCOMPARE(env.dm->IchiFnt, o.Label5[0]->text());
    QCOMPARE(QString::number(env.dm->IchiFsz), o.Label5[1]->text());
    QCOMPARE(env.dm->Settings.ListFontName, env.dm->IchiFnt);
    QCOMPARE(env.dm->Settings.ListFontSize, env.dm->IchiFsz);
    QCOMPARE(env.dm->Settings.DelimiterCode, qint16(checkedDelimiter));
    QCOMPARE(o.result(), int(QDialog::Accepted));
}

void TestOptions::okStoresAndCloseDoesNot()
{
    TestEnv env;
    setListFont(env, QStringLiteral("ＭＳ 明朝"), 10.5f);
    const SettingsRecord before = env.dm->Settings;
    auto change = [](Options &o) {
        o.Label2_Click(0);
        o.Option3->setChecked(true);
        o.Option5->setChecked(true);
        o.Combo6->setCurrentIndex(0);
        o.Combo1->setCurrentIndex(4);
        o.Combo1_Click();
        o.Combo2->setCurrentIndex(4);
        o.Combo2_Click();
    };
    {
        Options o(*env.dm, false);
        change(o);
        QCOMPARE(o.Label5[0]->text(), QStringLiteral("明朝"));
        QCOMPARE(o.Label5[1]->text(), QStringLiteral("13.5"));
        o.Command2_Click();
        QCOMPARE(o.result(), int(QDialog::Rejected));
    }
    QCOMPARE(env.dm->Settings.toBytes(), before.toBytes());
    QCOMPARE(env.dm->Delimiter, QChar(';'));
    QCOMPARE(env.dm->PostalDigits, qint16(7));
    QCOMPARE(env.dm->IchiFnt, QStringLiteral("ＭＳ 明朝"));
    QCOMPARE(env.dm->IchiFsz, 10.5f);

    Options o(*env.dm, false);
    change(o);
    o.Command1_Click();
    QCOMPARE(env.dm->Settings.DelimiterCode, qint16(3));
    QCOMPARE(env.dm->Delimiter, QChar('\t'));
    QCOMPARE(env.dm->Settings.KanjiDigitsOff, qint16(1));
    QCOMPARE(env.dm->PostalDigits, qint16(5));
    QCOMPARE(env.dm->IchiFnt, QStringLiteral("明朝"));
    QCOMPARE(env.dm->IchiFsz, 13.5f);
    QCOMPARE(env.dm->Settings.ListFontName, QStringLiteral("明朝"));
    QCOMPARE(env.dm->Settings.ListFontSize, 13.5f);
    // The tabs bring their pages to the front.
    for (int i = 3; i >= 0; --i) {
        o.Label2_Click(i);
        QCOMPARE(o.frontPage(), i);
    }
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestOptions::bookOpenKeepsTheDelimiter()
{
    TestEnv env;
    env.dm->Settings.DelimiterCode = 2;
    env.dm->Delimiter = QLatin1Char(',');
    setListFont(env, QStringLiteral("ＭＳ 明朝"), 10.5f);
    Options o(*env.dm, true);
    QCOMPARE(o.frontPage(), 1);
    // The disabled tab cannot be clicked.
    QTest::mouseClick(o.Label2[0], Qt::LeftButton);
    o.Label2_Click(0);
    QCOMPARE(o.frontPage(), 1);

    // Only the page in front is there for the keyboard and screen readers:
    // the delimiter buttons are neither visible nor reached by Tab.
    o.show();
    QVERIFY(QTest::qWaitForWindowActive(&o));
    auto pagesShown = [&o] {
        QList<bool> shown;
        for (QFrame *page : o.Picture1)
            shown << page->isVisible();
        return shown;
    };
    QCOMPARE(pagesShown(), QList<bool>({false, true, false, false}));
    for (QRadioButton *delimiter : {o.Option1, o.Option2, o.Option3})
        QVERIFY(!delimiter->isVisible());
    o.Command1->setFocus();
    QSet<QWidget *> reached;
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget();
    }
    QVERIFY(reached.contains(o.Combo6)); // the page in front is reached
    for (QWidget *w : reached)
        QVERIFY2(!o.Picture1[0]->isAncestorOf(w) && !o.Picture1[2]->isAncestorOf(w), qPrintable(w->objectName()));
    // Another tab brings its page, and only its page, to the front.
    o.Label2_Click(2);
    QCOMPARE(pagesShown(), QList<bool>({false, false, true, false}));
    QVERIFY(o.Combo1->isVisible() && !o.Option4->isVisible());

    o.Command1_Click();
    QCOMPARE(env.dm->Settings.DelimiterCode, qint16(2));
    QCOMPARE(env.dm->Delimiter, QChar(','));
}

void TestOptions::fontDialogChoice_data()
{
    QTest::addColumn<QString>("chosenName"); // empty: the dialog is cancelled
    QTest::addColumn<double>("chosenSize");
    QTest::addColumn<int>("pickName");       // Combo1 picked afterwards, -1 none
    QTest::addColumn<bool>("ok");            // 了解, else 閉じる
    QTest::addColumn<QString>("storedName");
    QTest::addColumn<double>("storedSize");
    QTest::addColumn<int>("combo1");         // the lists after the dialog
    QTest::addColumn<int>("combo2");
    QTest::newRow("cancelled: nothing changes") << "" << 0.0 << -1 << true << "ＭＳ 明朝" << 10.5 << 0 << 2;
    QTest::newRow("the dialog's font is stored, name and size")
        << "IPAGothic" << 12.0 << -1 << true << "IPAGothic" << 12.0 << -1 << 3;
    QTest::newRow("a list pick afterwards wins for what it picks")
        << "ＭＳ ゴシック" << 11.0 << 4 << true << "明朝" << 11.0 << 1 << -1;
    // 31 bytes: cut to 29 between characters.
    QTest::newRow("a long name is cut between characters")
        << "Aあいうえおかきくけこさしすせそ" << 10.5 << -1 << true << "Aあいうえおかきくけこさしすせ" << 10.5 << -1 << 2;
    QTest::newRow("閉じる forgets what 設定 showed") << "IPAMincho" << 15.0 << -1 << false << "ＭＳ 明朝" << 10.5 << -1 << 5;
}

void TestOptions::fontDialogChoice()
{
    QFETCH(QString, chosenName);
    QFETCH(double, chosenSize);
    QFETCH(int, pickName);
    QFETCH(bool, ok);
    QFETCH(QString, storedName);
    QFETCH(double, storedSize);
    QFETCH(int, combo1);
    QFETCH(int, combo2);
    TestEnv env;
    setListFont(env, QStringLiteral("ＭＳ 明朝"), 10.5f);
    Options o(*env.dm, false);
    if (chosenName.isEmpty())
        env.dialogs.answerFont(std::nullopt);
    else
        env.dialogs.answerFont(FontChoice{chosenName, chosenSize, true});
    o.Command3_Click();
    // The dialog starts at the font shown.
    QCOMPARE(env.dialogs.shown.last().kind, ScriptedCommonDialogs::Kind::Font);
    QCOMPARE(env.dialogs.shown.last().initial.name, QStringLiteral("ＭＳ 明朝"));
    QCOMPARE(env.dialogs.shown.last().initial.size, 10.5);
    QCOMPARE(o.Combo1->currentIndex(), combo1);
    QCOMPARE(o.Combo2->currentIndex(), combo2);
    if (pickName >= 0) {
        o.Combo1->setCurrentIndex(pickName);
        o.Combo1_Click();
    }
    if (ok) {
        // The labels show what is stored.
        QCOMPARE(o.Label5[0]->text(), storedName);
        QCOMPARE(o.Label5[1]->text(), QString::number(storedSize));
        o.Command1_Click();
    } else {
        o.Command2_Click();
    }
    QCOMPARE(env.dm->IchiFnt, storedName);
    QCOMPARE(double(env.dm->IchiFsz), storedSize);
    QCOMPARE(SettingsRecord::fromBytes(env.dm->Settings.toBytes()).ListFontName,
             ok ? storedName : QString());
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestOptions::whatOutlivesTheRun()
{
    TestEnv env;
    {
        auto window = std::make_unique<Adrsbook>(*env.dm);
        env.boxes.answer(MsgAnswerCode::Ok); // the first run's greeting
        window->Form_Load(QString());
        QCOMPARE(env.dm->PostalDigits, qint16(7));
        env.modal.then([](QDialog &d) {
            auto &o = dynamic_cast<Options &>(d);
            // No book: the delimiter page is in front and may be used.
            if (o.frontPage() != 0 || !o.Label2[0]->isEnabled())
                return int(QDialog::Rejected);
            o.Option2->setChecked(true);
            o.Combo6->setCurrentIndex(0);
            o.Option5->setChecked(true);
            o.Command1_Click();
            return o.result();
        });
        window->Menu_File_Kugiri_Click();
        QCOMPARE(env.modal.ran, QStringList{QStringLiteral("Options")});
        QCOMPARE(env.dm->PostalDigits, qint16(5));
        QCOMPARE(env.dm->Delimiter, QChar(','));
        window->Form_Unload();
    }
    const QByteArray written = env.readFile(QStringLiteral("KANOTE.DAT"));
    QCOMPARE(written.size(), SettingsRecord::Size);
    QCOMPARE(int16At(written, 52), qint16(2));  // DelimiterCode
    QCOMPARE(int16At(written, 110), qint16(1)); // KanjiDigitsOff

    // The next run: the delimiter and kanji choice are back, five postal
    // digits are not.
    env.dm = std::make_unique<DataModule>(PlatformServices{&env.boxes, &env.modal, &env.help,
                                                           &env.dialogs, &env.printers});
    env.dm->ProgramFolder = env.dir.path();
    env.dm->SettingsPath = env.path(QStringLiteral("KANOTE.DAT"));
    auto window = std::make_unique<Adrsbook>(*env.dm);
    window->Form_Load(QString());
    QCOMPARE(env.dm->PostalDigits, qint16(7));
    QCOMPARE(env.dm->Delimiter, QChar(','));
    QCOMPARE(env.dm->Settings.KanjiDigitsOff, qint16(1));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

QTEST_MAIN(TestOptions)
#include "tst_options.moc"
