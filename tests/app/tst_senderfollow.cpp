// The sender of the postcards stays the sender: its number follows its record
// through the sort, every deletion and the list view's duplicate, in both
// formats; a deleted sender becomes 0 and the print dialog says so once; and
// KANOTE.DAT written at the end holds the new number.
#include "support/books.h"
#include "support/testenv.h"

#include "app/adrsbook.h"
#include "app/furiganasort.h"
#include "edit/crctdata.h"
#include "edit/listlab.h"
#include "print/princard.h"
#include "store/recordstore.h"
#include "store/senderfollow.h"

#include <QLabel>
#include <QtEndian>
#include <QtTest>

namespace {

const QString Notice = QStringLiteral("差出人のデータが削除されたため、差出人なしで印刷します。");

// Five records N1 ... N5 whose readings put them in the order 4, 2, 5, 3, 1.
const QStringList Readings = {QStringLiteral("ｵｵﾉ"), QStringLiteral("ｲﾄｳ"), QStringLiteral("ｴﾝﾄﾞｳ"),
                              QStringLiteral("ｱﾍﾞ"), QStringLiteral("ｳｴﾉ")};

QString nameOf(int n)
{
    return QStringLiteral("N%1").arg(n);
}

// Writes and opens "s.kno" with the five records in `format`.
bool openFive(TestEnv &env, qint16 format)
{
    QList<QStringList> fixed;
    QStringList lines;
    for (int n = 1; n <= Readings.size(); ++n) {
        fixed.append({nameOf(n), Readings[n - 1]});
        lines.append(nameOf(n) + QLatin1Char(';') + Readings[n - 1] + QStringLiteral(";;;;;;;;"));
    }
    env.writeFile(QStringLiteral("s.kno"), format == DataModule::FixedLength ? fixedBook(fixed) : textBook(lines));
    return env.open(QStringLiteral("s.kno"), format);
}

// The name of the record the sender's number names now, read from the book.
QString senderName(TestEnv &env)
{
    const int n = env.dm->Settings.SenderNumber;
    if (n < 1)
        return QString();
    env.dm->LoadRecord(n);
    return env.dm->FieldText[1].trimmed();
}

void addFormats()
{
    QTest::addColumn<qint16>("format");
}

} // namespace

class TestSenderFollow : public QObject {
    Q_OBJECT
private slots:
    void rule_data();
    void rule();
    void sortMovesTheSender_data();
    void sortMovesTheSender();
    void deletionMovesTheSender_data();
    void deletionMovesTheSender();
    void windowsFollowTheSender_data();
    void windowsFollowTheSender();
    void printDialogTellsOnce();
    void settingsWrittenAtTheEndHoldTheNewNumber();
};

void TestSenderFollow::rule_data()
{
    QTest::addColumn<bool>("deletion");
    QTest::addColumn<int>("at");
    QTest::addColumn<int>("sender");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("notice");
    QTest::newRow("delete before") << true << 1 << 3 << 2 << false;
    QTest::newRow("delete after") << true << 5 << 3 << 3 << false;
    QTest::newRow("delete the sender") << true << 3 << 3 << 0 << true;
    QTest::newRow("delete, no sender") << true << 1 << 0 << 0 << false;
    QTest::newRow("delete, number beyond the book") << true << 1 << 9 << 9 << false;
    QTest::newRow("insert before") << false << 2 << 3 << 4 << false;
    QTest::newRow("insert the sender's copy") << false << 4 << 3 << 3 << false;
    QTest::newRow("insert after") << false << 5 << 3 << 3 << false;
    QTest::newRow("insert at the sender") << false << 3 << 3 << 4 << false;
}

void TestSenderFollow::rule()
{
    QFETCH(bool, deletion);
    QFETCH(int, at);
    QFETCH(int, sender);
    TestEnv env;
    env.dm->Settings.SenderNumber = qint16(sender);
    if (deletion)
        SenderFollow::afterDeletion(*env.dm, at, 5);
    else
        SenderFollow::afterInsertion(*env.dm, at, 5);
    QTEST(int(env.dm->Settings.SenderNumber), "expected");
    QTEST(env.dm->Conf.SenderDeletedNotice, "notice");
    // The notice is handed out once.
    QCOMPARE(SenderFollow::takeDeletedNotice(*env.dm), env.dm->Conf.SenderDeletedNotice ? Notice : QString());
    QVERIFY(SenderFollow::takeDeletedNotice(*env.dm).isEmpty());
}

void TestSenderFollow::sortMovesTheSender_data()
{
    addFormats();
    QTest::addColumn<int>("sender");
    QTest::addColumn<int>("expected");
    for (const qint16 format : {DataModule::FixedLength, DataModule::DelimitedText}) {
        const char *f = format == DataModule::FixedLength ? "fixed" : "text";
        QTest::addRow("%s, first", f) << format << 1 << 5;
        QTest::addRow("%s, middle", f) << format << 3 << 4;
        QTest::addRow("%s, last", f) << format << 5 << 3;
        QTest::addRow("%s, to the front", f) << format << 4 << 1;
        QTest::addRow("%s, no sender", f) << format << 0 << 0;
    }
}

void TestSenderFollow::sortMovesTheSender()
{
    QFETCH(qint16, format);
    QFETCH(int, sender);
    TestEnv env;
    QVERIFY(openFive(env, format));
    env.dm->Settings.SenderNumber = qint16(sender);
    SortBook(*env.dm);
    QTEST(int(env.dm->Settings.SenderNumber), "expected");
    QCOMPARE(senderName(env), sender ? nameOf(sender) : QString());
    QVERIFY(!env.dm->Conf.SenderDeletedNotice);
}

void TestSenderFollow::deletionMovesTheSender_data()
{
    addFormats();
    QTest::addColumn<int>("deleted");
    QTest::addColumn<int>("expected");
    for (const qint16 format : {DataModule::FixedLength, DataModule::DelimitedText}) {
        const char *f = format == DataModule::FixedLength ? "fixed" : "text";
        QTest::addRow("%s, before", f) << format << 2 << 2;
        QTest::addRow("%s, after", f) << format << 5 << 3;
        QTest::addRow("%s, the sender", f) << format << 3 << 0;
    }
}

void TestSenderFollow::deletionMovesTheSender()
{
    QFETCH(qint16, format);
    QFETCH(int, deleted);
    QFETCH(int, expected);
    TestEnv env;
    QVERIFY(openFive(env, format));
    env.dm->Settings.SenderNumber = 3;
    env.dm->CurrentRecord = deleted;
    DeleteCurrent(*env.dm);
    QCOMPARE(env.dm->RecordCount, qint16(4));
    QCOMPARE(int(env.dm->Settings.SenderNumber), expected);
    QCOMPARE(senderName(env), expected ? nameOf(3) : QString());
    QCOMPARE(env.dm->Conf.SenderDeletedNotice, expected == 0);
}

void TestSenderFollow::windowsFollowTheSender_data()
{
    addFormats();
    QTest::addColumn<QString>("route");
    QTest::addColumn<int>("row"); // record = row + 1
    QTest::addColumn<int>("expected");
    for (const qint16 format : {DataModule::FixedLength, DataModule::DelimitedText}) {
        const char *f = format == DataModule::FixedLength ? "fixed" : "text";
        QTest::addRow("%s, correction form deletes before", f) << format << QStringLiteral("crctdata") << 0 << 2;
        QTest::addRow("%s, correction form deletes the sender", f) << format << QStringLiteral("crctdata") << 2 << 0;
        QTest::addRow("%s, list view deletes before", f) << format << QStringLiteral("delete") << 1 << 2;
        QTest::addRow("%s, list view deletes the sender", f) << format << QStringLiteral("delete") << 2 << 0;
        QTest::addRow("%s, list view duplicates before", f) << format << QStringLiteral("duplicate") << 0 << 4;
        QTest::addRow("%s, list view duplicates the sender", f) << format << QStringLiteral("duplicate") << 2 << 3;
        QTest::addRow("%s, list view duplicates after", f) << format << QStringLiteral("duplicate") << 3 << 3;
    }
}

void TestSenderFollow::windowsFollowTheSender()
{
    QFETCH(qint16, format);
    QFETCH(QString, route);
    QFETCH(int, row);
    QFETCH(int, expected);
    TestEnv env;
    QVERIFY(openFive(env, format));
    env.dm->Settings.SenderNumber = 3;
    if (route == QLatin1String("crctdata")) {
        env.dm->CurrentRecord = row + 1;
        CrctData form(*env.dm, nullptr);
        form.prepare(CrctData::Mode::Delete);
        env.boxes.answer(MsgAnswerCode::Ok);
        form.Command3_Click();
        QCOMPARE(env.boxes.shown.last().text, QStringLiteral("「%1」を削除します。").arg(nameOf(row + 1)));
        form.Command4_Click();
    } else {
        ListLab list(*env.dm);
        list.LabN_DblClick(row);
        if (route == QLatin1String("delete")) {
            env.boxes.answer(MsgAnswerCode::Ok);
            list.M_E_Del_Click();
        } else {
            list.M_E_Copy_Click();
        }
        list.close();
    }
    QCOMPARE(int(env.dm->Settings.SenderNumber), expected);
    QCOMPARE(senderName(env), expected ? nameOf(3) : QString());
    QCOMPARE(env.dm->Conf.SenderDeletedNotice, expected == 0);
}

void TestSenderFollow::printDialogTellsOnce()
{
    TestEnv env;
    QVERIFY(openFive(env, DataModule::FixedLength));
    env.dm->Settings.SenderNumber = 2;
    env.dm->CurrentRecord = 2;
    DeleteCurrent(*env.dm);
    for (int opening = 1; opening <= 2; ++opening) {
        env.boxes.shown.clear();
        if (opening == 1)
            env.boxes.answer(MsgAnswerCode::Ok);
        PrinCard card(*env.dm);
        card.show();
        QVERIFY(QTest::qWaitForWindowExposed(&card));
        QCoreApplication::processEvents();
        QCOMPARE(card.Label5->text(), QStringLiteral("0"));
        if (opening == 1) {
            QCOMPARE(env.boxes.shown.size(), 1);
            QCOMPARE(env.boxes.shown[0].text, Notice);
            QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Information);
            QCOMPARE(env.boxes.shown[0].buttons, MsgButtons::Ok);
            QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("葉書宛名印刷"));
        } else {
            QVERIFY(env.boxes.shown.isEmpty());
        }
        card.Command3_Click();
        QCOMPARE(env.dm->Settings.SenderNumber, qint16(0));
    }
    QVERIFY(!env.dm->Conf.SenderDeletedNotice);
}

void TestSenderFollow::settingsWrittenAtTheEndHoldTheNewNumber()
{
    TestEnv env;
    // The sender is the third record; after the sort it is the fourth.
    env.boxes.answer(MsgAnswerCode::Ok); // the greeting of a first run
    auto main = std::make_unique<Adrsbook>(*env.dm);
    env.dm->MainWindow = main.get();
    main->Form_Load(QString());
    QVERIFY(openFive(env, DataModule::FixedLength));
    env.dm->Settings.SenderNumber = 3;
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    main->Menu_Edit_Sort_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("並び換え完了"));
    main->Form_Unload();
    const QByteArray written = env.readFile(QStringLiteral("KANOTE.DAT"));
    QCOMPARE(written.size(), 1024);
    QCOMPARE(qFromLittleEndian<qint16>(written.constData() + 42), qint16(4));
}

QTEST_MAIN(TestSenderFollow)
#include "tst_senderfollow.moc"
