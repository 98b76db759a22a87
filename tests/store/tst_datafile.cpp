// Opening a book: record counts, the line index of a text book, the refusal
// of a text file without delimiters, and files that are damaged or too large.
#include "support/testenv.h"
#include "support/books.h"

#include "store/recordstore.h"

#include "platform/codec.h"
#include "platform/runerror.h"

#include <QtTest>

class TestDataFile : public QObject {
    Q_OBJECT
private slots:
    void fixedLengthCountsRecordsByLength();
    void fixedLengthDamagedOrHugeFiles();
    void textIndexFollowsLineStarts();
    void textWithoutDelimiterIsRefusedOnlyWhenOpened();
    void textTooManyLinesIsAnErrorNotAnOverrun();
    void textBadBytesAndOddLines();
    void newTextBookKeepsAnExistingFile();
};

void TestDataFile::fixedLengthCountsRecordsByLength()
{
    TestEnv env;
    env.writeFile(QStringLiteral("two.kno"),
                  fixedRecord({QStringLiteral("一")}) + fixedRecord({QStringLiteral("二")}));
    QVERIFY(env.open(QStringLiteral("two.kno"), DataModule::FixedLength));
    QCOMPARE(env.dm->RecordCount, qint16(2));
    QCOMPARE(env.dm->FileLength, qint64(478));
    env.dm->LoadRecord(2);
    QCOMPARE(env.dm->FieldText[Name], QStringLiteral("二"));

    env.writeFile(QStringLiteral("empty.kno"), QByteArray());
    QVERIFY(env.open(QStringLiteral("empty.kno"), DataModule::FixedLength));
    QCOMPARE(env.dm->RecordCount, qint16(0));

    // A book that does not exist yet is created empty (新規作成).
    QVERIFY(env.open(QStringLiteral("new.kno"), DataModule::FixedLength, 0));
    QVERIFY(QFile::exists(env.path(QStringLiteral("new.kno"))));
    QCOMPARE(env.dm->RecordCount, qint16(0));
}

void TestDataFile::fixedLengthDamagedOrHugeFiles()
{
    TestEnv env;
    // 597 bytes round to 2 records, 598 to 3; the cut-off record reads blank-filled.
    const QByteArray two = fixedRecord({QStringLiteral("a")}) + fixedRecord({QStringLiteral("b")});
    env.writeFile(QStringLiteral("a.kno"), two + QByteArray(119, 'x'));
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    QCOMPARE(env.dm->RecordCount, qint16(2));
    env.writeFile(QStringLiteral("b.kno"), two + QByteArray("\x82\xa0" "cd") + QByteArray(116, 'x'));
    QVERIFY(env.open(QStringLiteral("b.kno"), DataModule::FixedLength));
    QCOMPARE(env.dm->RecordCount, qint16(3));
    env.dm->LoadRecord(3);
    QCOMPARE(env.dm->FieldText[Name], QStringLiteral("あcdxxxxxxxxxxxxxxxxxxxxxxxxxx"));
    QCOMPARE(env.dm->FieldText[Mark], QString());
    // Invalid CP932 inside a record decodes without crashing.
    env.writeFile(QStringLiteral("c.kno"), QByteArray(239, '\x81'));
    QVERIFY(env.open(QStringLiteral("c.kno"), DataModule::FixedLength));
    env.dm->LoadRecord(1);
    QVERIFY(!env.dm->FieldText[Name].isEmpty());

    // More records than a record number can hold is refused, not wrapped.
    {
        QFile big(env.path(QStringLiteral("big.kno")));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(qint64(32768) * 239));
    }
    env.dm->CurrentFileName = QStringLiteral("big.kno");
    env.dm->DataFormat = DataModule::FixedLength;
    QVERIFY_THROWS_EXCEPTION(RunError, env.dm->Hyoujun());
    QCOMPARE(QFileInfo(env.path(QStringLiteral("big.kno"))).size(), qint64(32768) * 239);
    {
        QFile big(env.path(QStringLiteral("big.kno")));
        QVERIFY(big.open(QIODevice::ReadWrite));
        QVERIFY(big.resize(qint64(32767) * 239));
    }
    QVERIFY(env.open(QStringLiteral("big.kno"), DataModule::FixedLength));
    QCOMPARE(env.dm->RecordCount, qint16(32767));
}

void TestDataFile::textIndexFollowsLineStarts()
{
    TestEnv env;
    const QByteArray bytes = textLine(QStringLiteral("山田;ﾔﾏﾀﾞ;100"))
        + textLine(QStringLiteral("b;c")) + Cp932::encode(QStringLiteral("最後;x"));
    env.writeFile(QStringLiteral("t.txt"), bytes);
    QVERIFY(env.open(QStringLiteral("t.txt"), DataModule::DelimitedText));
    DataModule &dm = *env.dm;
    QCOMPARE(dm.RecordCount, qint16(3));
    QCOMPARE(dm.LineIndex[1], 1);
    QCOMPARE(dm.LineIndex[2], 1 + 15);
    QCOMPARE(dm.LineIndex[3], 1 + 15 + 5);
    QCOMPARE(dm.LineIndex[4], bytes.size() + 1);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("山田"));
    dm.LoadRecord(3);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("最後"));
    QCOMPARE(dm.FieldText[Furigana], QStringLiteral("x"));
    dm.LoadRecord(1);
    QCOMPARE(dm.FieldText[PostalCode], QStringLiteral("100"));
    QCOMPARE(dm.FieldText[Address1], QString());

    // A file ending in a line end has no empty record after it.
    env.writeFile(QStringLiteral("u.txt"), textLine(QStringLiteral("a;b")) + textLine(QStringLiteral("c;d")));
    QVERIFY(env.open(QStringLiteral("u.txt"), DataModule::DelimitedText));
    QCOMPARE(dm.RecordCount, qint16(2));
    QCOMPARE(dm.LineIndex[3], 11);

    env.writeFile(QStringLiteral("e.txt"), QByteArray());
    QVERIFY(env.open(QStringLiteral("e.txt"), DataModule::DelimitedText));
    QCOMPARE(dm.RecordCount, qint16(0));
    QCOMPARE(dm.LineIndex[1], 1);
}

void TestDataFile::textWithoutDelimiterIsRefusedOnlyWhenOpened()
{
    TestEnv env;
    env.writeFile(QStringLiteral("n.txt"), textLine(QStringLiteral("no delimiter here")) + textLine(QStringLiteral("a;b")));
    env.boxes.answer(MsgAnswerCode::Ok);
    QVERIFY(!env.open(QStringLiteral("n.txt"), DataModule::DelimitedText, 1));
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].text, QStringLiteral("指定されている区切り文字がありません。"));
    QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Critical);
    QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("かのて住所録"));
    QCOMPARE(env.dm->CurrentRecord, -1);

    // However long the first line, a line without a delimiter is refused.
    env.writeFile(QStringLiteral("long.txt"), QByteArray(40000, 'x') + "\r\na;b\r\n");
    env.boxes.answer(MsgAnswerCode::Ok);
    QVERIFY(!env.open(QStringLiteral("long.txt"), DataModule::DelimitedText, 1));
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("指定されている区切り文字がありません。"));

    // Other modes accept the file and mark that there is no line to read.
    QVERIFY(env.open(QStringLiteral("n.txt"), DataModule::DelimitedText, 3));
    QCOMPARE(env.dm->CurrentRecord, -1);
    QCOMPARE(env.boxes.shown.size(), 2);

    // That mark belongs to that file: an empty or new text book opened next
    // reads the records added to it.
    for (const qint16 mode : {qint16(1), qint16(0)}) {
        const QString name = mode == 1 ? QStringLiteral("empty.txt") : QStringLiteral("new.txt");
        if (mode == 1)
            env.writeFile(name, QByteArray());
        QVERIFY(env.open(QStringLiteral("n.txt"), DataModule::DelimitedText, 3));
        QVERIFY(env.open(name, DataModule::DelimitedText, mode));
        env.dm->ClearFields();
        env.dm->FieldText[Name] = QStringLiteral("山田");
        env.dm->FieldText[Furigana] = QStringLiteral("ﾔﾏﾀﾞ");
        AppendRecord(*env.dm);
        QCOMPARE(env.readFile(name), textLine(QStringLiteral("山田;ﾔﾏﾀﾞ;;;;;;;;")));
        env.dm->ClearFields();
        env.dm->LoadRecord(1);
        QCOMPARE(env.dm->FieldText[Name], QStringLiteral("山田"));
        QCOMPARE(env.dm->FieldText[Furigana], QStringLiteral("ﾔﾏﾀﾞ"));
    }
}

void TestDataFile::textTooManyLinesIsAnErrorNotAnOverrun()
{
    TestEnv env;
    QByteArray lines;
    for (int i = 1; i <= 1027; ++i)
        lines += textLine(QStringLiteral("n%1;r").arg(i));
    env.writeFile(QStringLiteral("max.txt"), lines);
    QVERIFY(env.open(QStringLiteral("max.txt"), DataModule::DelimitedText));
    QCOMPARE(env.dm->RecordCount, qint16(1027));
    QCOMPARE(env.dm->LineIndex[1028], lines.size() + 1);

    const QByteArray more = lines + textLine(QStringLiteral("n1028;r"));
    env.writeFile(QStringLiteral("over.txt"), more);
    env.dm->CurrentFileName = QStringLiteral("over.txt");
    env.dm->FileMode = 1;
    QVERIFY_THROWS_EXCEPTION(RunError, env.dm->Hyoujun());
    QCOMPARE(env.readFile(QStringLiteral("over.txt")), more);
}

void TestDataFile::textBadBytesAndOddLines()
{
    TestEnv env;
    // Line feeds alone, a lone carriage return, invalid bytes, an empty line
    // and a very long line all read without a crash.
    const QByteArray bytes = QByteArray("a;b\nc;d\re;\x81\x20;f\r\n\r\n")
        + QByteArray(200000, 'x') + QByteArray(";y");
    env.writeFile(QStringLiteral("odd.txt"), bytes);
    QVERIFY(env.open(QStringLiteral("odd.txt"), DataModule::DelimitedText));
    DataModule &dm = *env.dm;
    QCOMPARE(dm.RecordCount, qint16(5));
    dm.LoadRecord(2);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("c"));
    dm.LoadRecord(3);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("e"));
    QVERIFY(dm.FieldText[Furigana].contains(QChar(0xFFFD)));
    QCOMPARE(dm.FieldText[PostalCode], QStringLiteral("f"));
    dm.LoadRecord(4);
    for (int f = 1; f <= 10; ++f)
        QCOMPARE(dm.FieldText[f], QString());
    dm.LoadRecord(5);
    QCOMPARE(dm.FieldText[Name].size(), 200000);
    QCOMPARE(dm.FieldText[Furigana], QStringLiteral("y"));
}

void TestDataFile::newTextBookKeepsAnExistingFile()
{
    TestEnv env;
    const QByteArray bytes = textLine(QStringLiteral("a;b")) + textLine(QStringLiteral("c;d"));
    env.writeFile(QStringLiteral("keep.txt"), bytes);
    QVERIFY(env.open(QStringLiteral("keep.txt"), DataModule::DelimitedText, 0));
    QCOMPARE(env.dm->RecordCount, qint16(2));
    QCOMPARE(env.dm->LineIndex[3], bytes.size() + 1);
    QCOMPARE(env.readFile(QStringLiteral("keep.txt")), bytes);

    QVERIFY(env.open(QStringLiteral("fresh.txt"), DataModule::DelimitedText, 0));
    QCOMPARE(env.dm->RecordCount, qint16(0));
    QCOMPARE(env.dm->LineIndex[1], 1);
    QVERIFY(QFile::exists(env.path(QStringLiteral("fresh.txt"))));
}

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
