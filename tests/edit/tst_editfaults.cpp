// The correction form and the list view on a disk that lets them down, as
// the user sees it: ﾌｧｲﾙ更新 keeps the bytes of the boxes left alone, a store
// that fails says so and never "ファイルを更新しました。", and 項目の複製 of a
// book another program changed is refused.
#include "support/faults.h"
#include "support/testenv.h"

#include "edit/crctdata.h"
#include "edit/listlab.h"

#include "platform/codec.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

namespace {

QString bookName(qint16 format)
{
    return format == DataModule::FixedLength ? QStringLiteral("a.kno") : QStringLiteral("a.txt");
}

} // namespace

class TestEditFaults : public QObject {
    Q_OBJECT
private slots:
    void correctionKeepsTheBytesOfOtherBoxes_data();
    void correctionKeepsTheBytesOfOtherBoxes();
    void failedStoreIsReportedNotDone_data();
    void failedStoreIsReportedNotDone();
    void duplicateOfAChangedBookIsRefused_data();
    void duplicateOfAChangedBookIsRefused();
};

void TestEditFaults::correctionKeepsTheBytesOfOtherBoxes_data()
{
    QTest::addColumn<qint16>("format");
    QTest::newRow("fixed") << DataModule::FixedLength;
    QTest::newRow("text") << DataModule::DelimitedText;
}

void TestEditFaults::correctionKeepsTheBytesOfOtherBoxes()
{
    // A company written by another program in bytes CP932 does not define.
    QFETCH(qint16, format);
    TestEnv env;
    const QByteArray company("\x85\x40\x85\x41" "KK");
    QByteArray book;
    if (format == DataModule::FixedLength) {
        AddressRecord r = AddressRecord::fromBytes(TestEnv::record(sampleRecord(1)));
        r.setFieldBytes(Company, company);
        book = r.bytes();
    } else {
        book = Cp932::encode(sampleRecord(1).join(QLatin1Char(';')) + QStringLiteral(";;;")) + company + ";;;\r\n";
    }
    env.writeFile(bookName(format), book);
    QVERIFY(env.open(bookName(format), format));
    env.dm->CurrentRecord = 1;
    CrctData form(*env.dm, nullptr);
    form.prepare(CrctData::Mode::Correct);
    const QString bad(QChar(0xFFFD));
    QCOMPARE(form.Text6->text(), bad + QStringLiteral("@") + bad + QStringLiteral("AKK"));
    form.Text5->setText(QStringLiteral("03-1234-5678"));
    env.boxes.answer(MsgAnswerCode::Ok);
    form.Command1_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("ファイルを更新しました。"));
    const QByteArray stored = env.readFile(bookName(format));
    QVERIFY(stored.contains(company));
    QVERIFY(stored.contains("03-1234-5678"));
    QCOMPARE(stored.size(), book.size() + (format == DataModule::FixedLength ? 0 : 12));
    form.Command4_Click();
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestEditFaults::failedStoreIsReportedNotDone_data()
{
    QTest::addColumn<qint16>("format");
    QTest::addColumn<QString>("written");
    QTest::newRow("fixed, write error") << DataModule::FixedLength << "a.kno";
    QTest::newRow("text, write error") << DataModule::DelimitedText << "Temp.adr";
}

void TestEditFaults::failedStoreIsReportedNotDone()
{
    QFETCH(qint16, format);
    QFETCH(QString, written);
    TestEnv env;
    const QByteArray book = sampleBook(format, 3);
    env.writeFile(bookName(format), book);
    QVERIFY(env.open(bookName(format), format));
    env.dm->CurrentRecord = 2;
    CrctData form(*env.dm, nullptr);
    form.prepare(CrctData::Mode::Correct);
    form.Text0->setText(QStringLiteral("新しい名前"));
    {
        FaultInjection faults;
        faults.inject(written, Fault::writeAfter(10));
        env.boxes.answer(MsgAnswerCode::Ok);
        form.Command1_Click();
        QCOMPARE(faults.struck(), 1);
    }
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("Command1_Click"));
    QCOMPARE(env.readFile(bookName(format)), book);
    // The edit is still in its box, to be stored once the disk works.
    QCOMPARE(form.Text0->text(), QStringLiteral("新しい名前"));
    env.boxes.answer(MsgAnswerCode::Ok);
    form.Command1_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("ファイルを更新しました。"));
    QVERIFY(env.readFile(bookName(format)).contains(Cp932::encode(QStringLiteral("新しい名前"))));
    form.Command4_Click();
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestEditFaults::duplicateOfAChangedBookIsRefused_data()
{
    QTest::addColumn<qint16>("format");
    QTest::newRow("fixed") << DataModule::FixedLength;
    QTest::newRow("text") << DataModule::DelimitedText;
}

void TestEditFaults::duplicateOfAChangedBookIsRefused()
{
    QFETCH(qint16, format);
    TestEnv env;
    env.writeFile(bookName(format), sampleBook(format, 3));
    QVERIFY(env.open(bookName(format), format));
    ListLab w(*env.dm);
    appendBehindBack(env.path(bookName(format)), sampleBook(format, 1));
    const QByteArray changed = env.readFile(bookName(format));
    w.LabN_DblClick(1);
    env.boxes.answer(MsgAnswerCode::Ok);
    w.M_E_Copy_Click();
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("M_E_Copy_Click"));
    QVERIFY(env.boxes.shown[0].text.startsWith(
        bookName(format) + QStringLiteral(" が他のプログラムで変更されています。ファイルを開き直してください。")));
    QCOMPARE(env.readFile(bookName(format)), changed);
    QCOMPARE(env.dm->RecordCount, 3);
    QVERIFY(!w.LabN[3]->isEnabled());
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

QTEST_MAIN(TestEditFaults)
#include "tst_editfaults.moc"
