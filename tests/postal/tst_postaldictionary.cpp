// The postal-code dictionary on the data the program carries: codes to
// areas, addresses to codes, the agreement of a record's code and address,
// the two spellings of a code, and a damaged dictionary.
#include "postal/postalcode.h"
#include "postal/postaldictionary.h"

#include <QRegularExpression>
#include <QtEndian>
#include <QtTest>

namespace {

const PostalDictionary &dictionary()
{
    return PostalDictionary::shared();
}

QString addressesOf(const QList<PostalArea> &areas)
{
    QStringList out;
    for (const PostalArea &a : areas)
        out << a.address() + (a.wholePrefix ? QStringLiteral("*") : QString());
    return out.join(QLatin1Char('|'));
}

QString codesOf(const QList<PostalArea> &areas)
{
    QStringList out;
    for (const PostalArea &a : areas)
        out << PostalCodes::format(a.code) + (a.wholePrefix ? QStringLiteral("*") : QString());
    return out.join(QLatin1Char(' '));
}

// A dictionary file of one prefecture, one city and one area, as the data
// script writes it; `damage` changes it before it is read.
QByteArray tinyDictionary(quint32 date, const std::function<void(QByteArray &)> &damage = {})
{
    const QString text = QStringLiteral("東京都千代田区千代田");
    QByteArray b("KNPOSTAL");
    auto u32 = [&](quint32 v) { char c[4]; qToLittleEndian(v, c); b.append(c, 4); };
    auto u16 = [&](quint16 v) { char c[2]; qToLittleEndian(v, c); b.append(c, 2); };
    auto u8 = [&](quint8 v) { b.append(char(v)); };
    u32(1); u32(date); u32(1); u32(1); u32(1); u32(quint32(text.size()));
    u32(0); u16(3); u16(13);         // 東京都
    u32(3); u16(4); u16(0);          // 千代田区, in prefecture 0
    u32(1000001); u32(7); u16(0); u8(3); u8(0); // 千代田
    u32(0);                          // by full name
    u32(0);                          // by city and town
    for (const QChar c : text)
        u16(c.unicode());
    if (damage)
        damage(b);
    return b;
}

} // namespace

class TestPostalDictionary : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void spellingsOfACode_data();
    void spellingsOfACode();
    void areasOfACode_data();
    void areasOfACode();
    void codesOfAnAddress_data();
    void codesOfAnAddress();
    void codeAndAddressAgree_data();
    void codeAndAddressAgree();
    void readsTheFileItWasGiven();
    void damagedDictionaryIsEmpty_data();
    void damagedDictionaryIsEmpty();
};

void TestPostalDictionary::initTestCase()
{
    QVERIFY2(dictionary().isLoaded(), qPrintable(dictionary().failure()));
    QVERIFY(dictionary().areaCount() > 100000);
    QVERIFY(dictionary().date().isValid());
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}年\\d{1,2}月\\d{1,2}日$"))
                .match(dictionary().dateText()).hasMatch());
}

void TestPostalDictionary::spellingsOfACode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::newRow("seven digits") << "1000001" << 1000001;
    QTest::newRow("with the dash") << "100-0001" << 1000001;
    QTest::newRow("leading zero kept") << "060-0001" << 600001;
    QTest::newRow("full-width") << "１００－０００１" << 1000001;
    QTest::newRow("long-vowel mark as dash") << "100ー0001" << 1000001;
    QTest::newRow("blanks around") << " 1000001 " << 1000001;
    QTest::newRow("six digits") << "100001" << -1;
    QTest::newRow("eight digits") << "10000011" << -1;
    QTest::newRow("ten digits") << "4294967297" << -1;
    QTest::newRow("twenty digits") << "99999999999999999999" << -1;
    QTest::newRow("ten full-width digits") << "２１４７４８３６４８" << -1;
    QTest::newRow("dash elsewhere") << "1000-001" << -1;
    QTest::newRow("two dashes") << "100-00-01" << -1;
    QTest::newRow("old five-digit code") << "100-01" << -1;
    QTest::newRow("letters") << "100-000A" << -1;
    QTest::newRow("empty") << "" << -1;
}

void TestPostalDictionary::spellingsOfACode()
{
    QFETCH(QString, text);
    QFETCH(int, code);
    QCOMPARE(PostalCodes::parse(text), code);
    if (code >= 0)
        QCOMPARE(PostalCodes::parse(PostalCodes::format(code)), code);
}

void TestPostalDictionary::areasOfACode_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("areas"); // '*': the area stands for the whole 5-digit prefix
    QTest::addColumn<QString>("baseTown"); // of the first area
    QTest::newRow("one area") << 1000001 << "東京都千代田区千代田" << "";
    QTest::newRow("one area, full-width digits") << 5180402 << "三重県名張市すずらん台東２番町" << "";
    QTest::newRow("the rest of a city") << 1000000 << "東京都千代田区" << "";
    QTest::newRow("two cities") << 1900100 << "東京都あきる野市|東京都西多摩郡日の出町" << "";
    QTest::newRow("one entry for three towns")
        << 4411324 << "愛知県新城市井道|愛知県新城市奥井道|愛知県新城市内井道" << "";
    QTest::newRow("a prefix area and a town") << 741271 << "北海道深川市音江町*|北海道深川市広里町" << "";
    QTest::newRow("a large office building") << 1006090 << "東京都千代田区霞が関霞が関ビル*" << "霞が関";
    QTest::newRow("another floor of it") << 1006012 << "東京都千代田区霞が関霞が関ビル*" << "霞が関";
    QTest::newRow("a note instead of a town") << 4090142 << "山梨県北都留郡小菅村" << "";
    QTest::newRow("unknown code") << 1000099 << "" << "";
    QTest::newRow("unknown prefix") << 9999999 << "" << "";
    QTest::newRow("no code") << -1 << "" << "";
}

void TestPostalDictionary::areasOfACode()
{
    QFETCH(int, code);
    QFETCH(QString, areas);
    QFETCH(QString, baseTown);
    const QList<PostalArea> found = dictionary().areas(code);
    QCOMPARE(addressesOf(found), areas);
    QCOMPARE(found.isEmpty() ? QString() : found.first().baseTown, baseTown);
    QCOMPARE(dictionary().knows(code), !areas.isEmpty());
    for (const PostalArea &a : found) {
        // Every name is full-width, and the pieces make the address.
        for (const QChar c : a.address())
            QVERIFY2(c.unicode() >= 0x3000 && !(c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F),
                     qPrintable(a.address()));
        QCOMPARE(a.prefecture + a.cityAndTown(), a.address());
        QCOMPARE(a.code, a.wholePrefix ? code / 100 * 100 : code);
    }
}

void TestPostalDictionary::codesOfAnAddress_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("codes");
    QTest::newRow("with 都道府県") << "東京都千代田区千代田１－１" << "100-0001";
    QTest::newRow("without 都道府県") << "千代田区永田町１－７－１" << "100-0014";
    QTest::newRow("blanks between the parts") << "東京都　千代田区 丸の内２－７" << "100-0005";
    QTest::newRow("half-width digits after the town") << "東京都千代田区永田町1-7-1" << "100-0014";
    QTest::newRow("ヶ for ケ") << "千葉県鎌ヶ谷市道野辺中央２" << "273-0113";
    QTest::newRow("the longest town wins") << "東京都千代田区丸の内ＪＰタワー" << "100-7000*";
    QTest::newRow("a town with two codes") << "東京都千代田区一ツ橋２－１" << "100-0003 101-0003";
    QTest::newRow("a city in two prefectures") << "府中市宮西町" << "183-0022";
    QTest::newRow("a city name only, two prefectures") << "府中市" << "183-0000 726-0000";
    QTest::newRow("the prefecture decides") << "広島県府中市" << "726-0000";
    QTest::newRow("a town the data do not name") << "東京都千代田区ないところ１" << "100-0000";
    QTest::newRow("longer than 住所１ holds") << "京都府京都市右京区嵯峨二尊院門前善光寺山町"
                                            << "616-8427";
    QTest::newRow("no such place") << "火星１－１" << "";
    QTest::newRow("empty") << "" << "";
}

void TestPostalDictionary::codesOfAnAddress()
{
    QFETCH(QString, address);
    QFETCH(QString, codes);
    QCOMPARE(codesOf(dictionary().byAddress(address)), codes);
}

void TestPostalDictionary::codeAndAddressAgree_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("agrees");
    QTest::newRow("whole name") << 1000001 << "東京都千代田区千代田１－１" << true;
    QTest::newRow("without 都道府県") << 1000001 << "千代田区千代田１－１" << true;
    QTest::newRow("half-width and blanks") << 1000014 << "東京都 千代田区 永田町1-7-1" << true;
    QTest::newRow("another town") << 1000014 << "東京都千代田区丸の内１" << false;
    QTest::newRow("only the town") << 1000014 << "永田町１－７－１" << false;
    QTest::newRow("the second area of a code") << 741271 << "北海道深川市広里町１" << true;
    QTest::newRow("any floor of a building") << 1006012 << "東京都千代田区霞が関霞が関ビル１２階" << true;
    QTest::newRow("the rest of a city") << 1000000 << "東京都千代田区どこか" << true;
    QTest::newRow("a building's town, its name in 住所２") << 1055106 << "東京都港区浜松町２－４－１" << true;
    QTest::newRow("not the building's town") << 1055106 << "東京都港区芝公園４" << false;
    QTest::newRow("a town named like another") << 986501 << "北海道稚内市声問１" << false;
    QTest::newRow("empty address") << 1000001 << "" << false;
    QTest::newRow("unknown code") << 1000099 << "東京都千代田区" << false;
}

void TestPostalDictionary::codeAndAddressAgree()
{
    QFETCH(int, code);
    QFETCH(QString, address);
    QFETCH(bool, agrees);
    QCOMPARE(dictionary().agrees(code, address), agrees);
}

void TestPostalDictionary::readsTheFileItWasGiven()
{
    const PostalDictionary tiny = PostalDictionary::fromBytes(tinyDictionary(20240131));
    QVERIFY2(tiny.isLoaded(), qPrintable(tiny.failure()));
    QCOMPARE(tiny.date(), QDate(2024, 1, 31));
    QCOMPARE(tiny.dateText(), QStringLiteral("2024年1月31日"));
    QCOMPARE(tiny.areaCount(), 1);
    QCOMPARE(addressesOf(tiny.areas(1000001)), QStringLiteral("東京都千代田区千代田"));
    QCOMPARE(codesOf(tiny.byAddress(QStringLiteral("千代田区千代田１"))), QStringLiteral("100-0001"));
    QVERIFY(!tiny.knows(1000002));
}

void TestPostalDictionary::damagedDictionaryIsEmpty_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("failure");
    const QString broken = QStringLiteral("郵便番号辞書が壊れています。");
    QTest::newRow("empty") << QByteArray() << broken;
    QTest::newRow("another file") << QByteArray("PK\x03\x04 not a dictionary at all.....") << broken;
    QTest::newRow("cut short") << tinyDictionary(20240131, [](QByteArray &b) { b.chop(2); }) << broken;
    QTest::newRow("bytes left over") << tinyDictionary(20240131, [](QByteArray &b) { b.append('x'); })
                                     << broken;
    QTest::newRow("a later format")
        << tinyDictionary(20240131, [](QByteArray &b) { b[8] = 2; })
        << QStringLiteral("郵便番号辞書の形式が違います。");
    QTest::newRow("no date") << tinyDictionary(20241399) << broken;
    QTest::newRow("a city that is not there")
        << tinyDictionary(20240131, [](QByteArray &b) { b[8 + 24 + 8 + 8 + 8] = 5; }) << broken;
    QTest::newRow("a name past the text")
        << tinyDictionary(20240131, [](QByteArray &b) { b[8 + 24 + 8 + 4] = 9; }) << broken;
}

void TestPostalDictionary::damagedDictionaryIsEmpty()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, failure);
    const PostalDictionary damaged = PostalDictionary::fromBytes(bytes);
    QVERIFY(!damaged.isLoaded());
    QCOMPARE(damaged.failure(), failure);
    QCOMPARE(damaged.areaCount(), 0);
    QVERIFY(damaged.areas(1000001).isEmpty());
    QVERIFY(damaged.byAddress(QStringLiteral("東京都千代田区千代田")).isEmpty());
    QVERIFY(!damaged.agrees(1000001, QStringLiteral("東京都千代田区千代田")));
    QCOMPARE(damaged.dateText(), QString());
}

QTEST_GUILESS_MAIN(TestPostalDictionary)
#include "tst_postaldictionary.moc"
