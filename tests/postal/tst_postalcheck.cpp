// The check of a book's postal codes, on a small book in both formats: which
// records are listed, with what, and that the book and the shared record
// state are left as they were.
#include "support/testenv.h"
#include "support/books.h"

#include "postal/postalcheck.h"

#include <QtTest>

namespace {

// Name, ﾌﾘｶﾞﾅ, code, 住所１.
const QList<QStringList> Book = {
    {"差出　太郎", "", "100-0001", "東京都千代田区千代田１－１"},   // right
    {"青木　一郎", "", "100-0099", "東京都千代田区千代田２"},       // no such code
    {"伊藤　花子", "", "1000014", "東京都千代田区丸の内１－１"},    // code of 永田町
    {"上田　健", "", "", "どこか"},                                 // no code: never listed
    {"江口　美咲", "", "1000005", "千代田区丸の内２－７"},          // right, without 都道府県
    {"大野　誠", "", "100-01", "東京都千代田区"},                    // an old five-digit code
    {"加藤　由美", "", "1006090", "東京都千代田区霞が関霞が関ビル１２階"}, // right: a building
    {"木村　大輔", "", "074-1271", "北海道深川市広里町１"},          // right: the code's second area
    {"工藤　さくら", "", "   ", ""},                                // blanks only: no code
};

QString describe(const PostalProblem &p)
{
    QStringList areas;
    for (const PostalArea &a : p.areas)
        areas << a.address();
    return QStringLiteral("%1 %2 %3 %4 [%5] {%6}")
        .arg(p.record)
        .arg(p.kind == PostalProblem::UnknownCode ? QStringLiteral("unknown") : QStringLiteral("differs"))
        .arg(p.name, p.code, p.address1, areas.join(QLatin1Char('|')));
}

} // namespace

class TestPostalCheck : public QObject {
    Q_OBJECT
private slots:
    void listsWrongCodesAndAddresses_data();
    void listsWrongCodesAndAddresses();
    void oneRecordAfterItsCorrection();
};

void TestPostalCheck::listsWrongCodesAndAddresses_data()
{
    QTest::addColumn<qint16>("format");
    QTest::newRow("fixed-length book") << DataModule::FixedLength;
    QTest::newRow("text book") << DataModule::DelimitedText;
}

void TestPostalCheck::listsWrongCodesAndAddresses()
{
    QFETCH(qint16, format);
    TestEnv env;
    const QByteArray bytes = format == DataModule::FixedLength ? fixedBook(Book) : delimitedBook(Book);
    const QString name = format == DataModule::FixedLength ? QStringLiteral("a.kno") : QStringLiteral("a.txt");
    env.writeFile(name, bytes);
    QVERIFY(env.open(name, format));
    DataModule &dm = *env.dm;
    dm.FieldText[Name] = QStringLiteral("作業中");
    dm.RecordBuffer.setField(Name, QStringLiteral("作業中"));
    const QByteArray buffer = dm.RecordBuffer.bytes();

    const QList<PostalProblem> problems = CheckPostalCodes(dm, PostalDictionary::shared());
    QStringList listed;
    for (const PostalProblem &p : problems)
        listed << describe(p);
    QCOMPARE(listed, QStringList({
                         QStringLiteral("2 unknown 青木　一郎 100-0099 [東京都千代田区千代田２] {}"),
                         QStringLiteral("3 differs 伊藤　花子 1000014 [東京都千代田区丸の内１－１] {東京都千代田区永田町}"),
                         QStringLiteral("6 unknown 大野　誠 100-01 [東京都千代田区] {}"),
                     }));
    // The book and the record being worked on are as they were.
    QCOMPARE(env.readFile(name), bytes);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("作業中"));
    QCOMPARE(dm.RecordBuffer.bytes(), buffer);
    QCOMPARE(dm.RecordCount, qint16(Book.size()));
}

void TestPostalCheck::oneRecordAfterItsCorrection()
{
    TestEnv env;
    env.writeFile("a.kno", fixedBook(Book));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    DataModule &dm = *env.dm;
    const PostalDictionary &dictionary = PostalDictionary::shared();
    PostalProblem problem;
    QVERIFY(CheckPostalRecordOf(dm, dictionary, 3, &problem));
    QCOMPARE(problem.record, 3);
    QCOMPARE(problem.kind, PostalProblem::AddressDiffers);
    QVERIFY(!CheckPostalRecordOf(dm, dictionary, 1, &problem));
    QVERIFY(!CheckPostalRecordOf(dm, dictionary, 4, &problem));
    QVERIFY(!CheckPostalRecordOf(dm, dictionary, 10, &problem)); // past the last record
    // Corrected on disk: no longer listed.
    dm.CurrentRecord = 3;
    dm.LoadRecord(3);
    dm.FieldText[Address1] = QStringLiteral("東京都千代田区永田町１");
    dm.FieldsToRecord();
    dm.WriteRecord(3);
    QVERIFY(!CheckPostalRecordOf(dm, dictionary, 3, &problem));
    QCOMPARE(CheckPostalCodes(dm, dictionary).size(), 2);

    // A text book holds whatever was typed: ten or more digits are simply no known code.
    for (const QString &code : {QStringLiteral("2147483648"), QStringLiteral("100000000001"),
                                QStringLiteral("１０００００１１１１")}) {
        QVERIFY(CheckPostalRecord(dictionary, 7, QStringLiteral("長い番号"), code, QStringLiteral("東京都"), &problem));
        QCOMPARE(problem.kind, PostalProblem::UnknownCode);
        QCOMPARE(problem.code, code);
    }
}

QTEST_GUILESS_MAIN(TestPostalCheck)
#include "tst_postalcheck.moc"
