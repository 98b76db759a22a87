// Several records appended at once, all or none, through the rewrite of the
// whole book.
#include "support/testenv.h"
#include "support/books.h"

#include "store/recordstore.h"

#include "platform/runerror.h"

#include <QtTest>

class TstAppendRecords : public QObject {
    Q_OBJECT
private slots:
    void fixedBookWithShortLastRecord();
    void textBookWithoutLastLineEnd();
    void refusedRecordWritesNothing();
};

namespace {

RecordValues values(const QStringList &fields)
{
    RecordValues r;
    for (int f = 1; f <= 10; ++f)
        r[f] = fields.value(f - 1);
    return r;
}

} // namespace

void TstAppendRecords::fixedBookWithShortLastRecord()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    // 439 bytes count as two records; the short second one is kept and filled.
    const QByteArray a = fixedRecord({QStringLiteral("甲")});
    const QByteArray b = fixedRecord({QStringLiteral("乙"), QStringLiteral("ｵﾂ")}).left(200);
    env.writeFile(QStringLiteral("a.kno"), a + b);
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    QCOMPARE(dm.RecordCount, qint16(2));
    AppendRecords(dm, {values({QStringLiteral("丙")}), values({QStringLiteral("丁"), QString(), QStringLiteral("1")})});
    QCOMPARE(env.readFile(QStringLiteral("a.kno")),
             a + b + QByteArray(39, ' ') + fixedBook({{QStringLiteral("丙")}, {QStringLiteral("丁"), QString(), QStringLiteral("1")}}));
    QCOMPARE(dm.RecordCount, qint16(4));
    dm.LoadRecord(4);
    QCOMPARE(dm.FieldText[PostalCode], QStringLiteral("1"));
    QVERIFY(!QFile::exists(env.path(RewriteTempName)));
    // Nothing to add changes nothing.
    AppendRecords(dm, {});
    QCOMPARE(dm.RecordCount, qint16(4));
}

void TstAppendRecords::textBookWithoutLastLineEnd()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    env.writeFile(QStringLiteral("a.txt"), QByteArray("a;b\r\nc;d"));
    QVERIFY(env.open(QStringLiteral("a.txt"), DataModule::DelimitedText));
    dm.FieldText[Name] = QStringLiteral("kept");
    AppendRecords(dm, {values({QStringLiteral(" e "), QStringLiteral("f;g")})});
    QCOMPARE(env.readFile(QStringLiteral("a.txt")), QByteArray("a;b\r\nc;d\r\ne;\"f;g\";;;;;;;;\r\n"));
    QCOMPARE(dm.RecordCount, qint16(3));
    QCOMPARE(dm.LineIndex[3], 11);
    QCOMPARE(dm.LineIndex[4], 28);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("kept")); // the record being worked on stays
    dm.LoadRecord(3);
    QCOMPARE(dm.FieldText[Furigana], QStringLiteral("f;g"));
}

void TstAppendRecords::refusedRecordWritesNothing()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    env.writeFile(QStringLiteral("a.txt"), QByteArray("a;b\r\n"));
    QVERIFY(env.open(QStringLiteral("a.txt"), DataModule::DelimitedText));
    // A line break would split its record over two lines: no record is added.
    QVERIFY_THROWS_EXCEPTION(RunError, AppendRecords(dm, {values({QStringLiteral("x")}), values({QStringLiteral("y\nz")})}));
    QCOMPARE(env.readFile(QStringLiteral("a.txt")), QByteArray("a;b\r\n"));
    QCOMPARE(dm.RecordCount, qint16(1));
    QVERIFY(!QFile::exists(env.path(RewriteTempName)));
    QCOMPARE(AppendRecordsLimitText(dm, 1026), QString());
    QCOMPARE(AppendRecordsLimitText(dm, 1027),
             QStringLiteral("1027件のﾃﾞｰﾀを加えると可変長ﾌｧｲﾙの上限 1027 件を超えるため、読み込めません。（現在 1 件）"));
}

QTEST_MAIN(TstAppendRecords)
#include "tst_appendrecords.moc"
