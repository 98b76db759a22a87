// ﾌｧｲﾙ更新 as the user presses it: the boxes the user left alone keep their
// bytes, also bytes CP932 cannot decode that another program wrote.
#include "support/faults.h"
#include "support/testenv.h"
#include "support/books.h"

#include "edit/crctdata.h"

#include "platform/codec.h"

#include <QLineEdit>
#include <QtTest>

class TestEditFaults : public QObject {
    Q_OBJECT
private slots:
    void correctionKeepsTheBytesOfOtherBoxes_data();
    void correctionKeepsTheBytesOfOtherBoxes();
};

void TestEditFaults::correctionKeepsTheBytesOfOtherBoxes_data()
{
    QTest::addColumn<qint16>("format");
    QTest::newRow("fixed") << DataModule::FixedLength;
    QTest::newRow("text") << DataModule::DelimitedText;
}

void TestEditFaults::correctionKeepsTheBytesOfOtherBoxes()
{
    QFETCH(qint16, format);
    TestEnv env;
    const bool fixed = format == DataModule::FixedLength;
    const QString name = fixed ? QStringLiteral("a.kno") : QStringLiteral("a.txt");
    const QByteArray company("\x85\x40\x85\x41" "KK");
    QByteArray book;
    if (fixed) {
        AddressRecord r = AddressRecord::fromBytes(fixedRecord(sampleRecord(1)));
        r.setFieldBytes(Company, company);
        book = r.bytes();
    } else {
        book = Cp932::encode(sampleRecord(1).join(QLatin1Char(';')) + QStringLiteral(";;;")) + company + ";;;\r\n";
    }
    env.writeFile(name, book);
    QVERIFY(env.open(name, format));
    env.dm->CurrentRecord = 1;
    CrctData form(*env.dm, nullptr);
    form.prepare(CrctData::Mode::Correct);
    const QString bad(QChar(0xFFFD));
    QCOMPARE(form.Text6->text(), bad + QStringLiteral("@") + bad + QStringLiteral("AKK"));
    form.Text5->setText(QStringLiteral("03-1234-5678"));
    env.boxes.answer(MsgAnswerCode::Ok);
    form.Command1_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("ファイルを更新しました。"));
    const QByteArray stored = env.readFile(name);
    QVERIFY(stored.contains(company));
    QVERIFY(stored.contains("03-1234-5678"));
    QCOMPARE(stored.size(), book.size() + (fixed ? 0 : 12));
    form.Command4_Click();
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

QTEST_MAIN(TestEditFaults)
#include "tst_editfaults.moc"
