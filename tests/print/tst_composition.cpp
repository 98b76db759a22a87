// The texts of a card: name lines with spacing and honorific, kanji
// numerals, postal digits and the sender's block.
#include "print/composition.h"
#include "print/layoutvalues.h"

#include <QtTest>

namespace {
const QString IS = QString(QChar(0x3000)); // ideographic space

CompositionChoices choices(int direction, int honorificIndex, bool debug = false, bool kanjiOff = false)
{
    return {direction, kanjiOff, debug, Layout::honorificText(honorificIndex), Layout::spacingFor(direction)};
}
} // namespace

class TestComposition : public QObject {
    Q_OBJECT
private slots:
    void nameLines_data();
    void nameLines();
    void kanjiNumerals_data();
    void kanjiNumerals();
    void postalDigits_data();
    void postalDigits();
    void sender_data();
    void sender();
};

void TestComposition::nameLines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("honorific");
    QTest::addColumn<bool>("debug");
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("line2");
    const QString S = IS;
    QTest::newRow("spaced with 様") << "山田太郎" << 0 << 1 << false << "山" + S + "田" + S + "太" + S + "郎" + S + "様" << "";
    QTest::newRow("slash split") << "山田太郎／花子" << 0 << 1 << false
                                 << "山" + S + "田" + S + "太" + S + "郎" + S + "様" << "花" + S + "子" + S + "様";
    QTest::newRow("horizontal") << "山田太郎" << 1 << 1 << false << "山 田 太 郎 様" << "";
    QTest::newRow("horizontal slash") << "山田／花子" << 1 << 2 << false << "山 田 殿" << "花 子 殿";
    QTest::newRow("8 + 御 中 = 11, solid") << "株式会社山田商店" << 0 << 3 << false << "株式会社山田商店" + S + "御 中" << "";
    QTest::newRow("7 + 御 中 = 10, spaced") << "株式会社山田" << 0 << 3 << false
                                          << "株" + S + "式" + S + "会" + S + "社" + S + "山" + S + "田" + S + "御 中" << "";
    QTest::newRow("9 + 様 = 10, spaced") << "一二三四五六七八九" << 0 << 1 << false
                                       << "一" + S + "二" + S + "三" + S + "四" + S + "五" + S + "六" + S + "七" + S + "八" + S + "九" + S + "様" << "";
    QTest::newRow("10 + 様 = 11, solid") << "一二三四五六七八九十" << 0 << 1 << false << "一二三四五六七八九十" + S + "様" << "";
    QTest::newRow("11 + 様, solid") << "一二三四五六七八九十壱" << 0 << 1 << false << "一二三四五六七八九十壱" + S + "様" << "";
    QTest::newRow("なし is a blank") << "山田" << 0 << 4 << false << "山" + S + "田" + S + " " << "";
    QTest::newRow("empty name") << "" << 0 << 1 << false << S + "様" << "";
    QTest::newRow("second line solid past 10") << "山／一二三四五六七八九十" << 0 << 1 << false
                                              << "山" + S + "様" << "一二三四五六七八九十" + S + "様";
    QTest::newRow("blanks around the slash") << "山田  ／花子  " << 0 << 1 << false
                                            << "山" + S + "田" + S + "様" << "花" + S + "子" + S + "様";
    QTest::newRow("slash first") << "／花子" << 0 << 1 << false << S + "様" << "花" + S + "子" + S + "様";
    QTest::newRow("half-width slash does not split") << "山田/花子" << 1 << 1 << false << "山 田 / 花 子 様" << "";
    QTest::newRow("debug: 6 split 3 + rest") << "長谷川左衛門" << 0 << 1 << true << "長谷川" + S + "左衛門" + S + "様" << "";
    QTest::newRow("debug: 5 spaced as usual") << "長谷川左衛" << 0 << 1 << true
                                            << "長" + S + "谷" + S + "川" + S + "左" + S + "衛" + S + "様" << "";
    QTest::newRow("debug: long name solid") << "一二三四五六七八九十" << 0 << 1 << true << "一二三四五六七八九十" + S + "様" << "";
    QTest::newRow("debug: second longer") << "山／花子太郎" << 0 << 1 << true
                                        << "山" + S + "様" << "花" + S + "子" + S + "太郎" + S + "様";
    QTest::newRow("debug: second of one character") << "／花" << 0 << 1 << true << S + "様" << "花" + S + S + S + "様";
    QTest::newRow("debug: second not longer") << "山田／花子" << 0 << 1 << true
                                            << "山" + S + "田" + S + "様" << "花" + S + "子" + S + "様";
}

void TestComposition::nameLines()
{
    QFETCH(QString, name);
    QFETCH(int, direction);
    QFETCH(int, honorific);
    QFETCH(bool, debug);
    const AddresseeTexts t = ComposeAddresseeTexts({name, "", "", ""}, choices(direction, honorific, debug));
    QTEST(t.Name1, "line1");
    QTEST(t.Name2, "line2");
}

void TestComposition::kanjiNumerals_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("direction");
    QTest::addColumn<bool>("kanjiOff");
    QTest::addColumn<QString>("composed");
    QTest::newRow("vertical") << "東京都港区芝５－１２－３" << 0 << false << "東京都港区芝五｜一二｜三";
    QTest::newRow("numerals off") << "東京都港区芝５－１２－３" << 0 << true << "東京都港区芝５－１２－３";
    QTest::newRow("horizontal") << "東京都港区芝５－１２－３" << 1 << false << "東京都港区芝５－１２－３";
    QTest::newRow("half-width never") << "芝5-12-3" << 0 << false << "芝5-12-3";
    QTest::newRow("zero and long bar") << "コーポ１０号" << 0 << false << "コ｜ポ一〇号";
    QTest::newRow("every digit") << "０１２３４５６７８９" << 0 << false << "〇一二三四五六七八九";
    QTest::newRow("trailing blanks go") << "１丁目  " << 0 << false << "一丁目";
}

void TestComposition::kanjiNumerals()
{
    QFETCH(QString, address);
    QFETCH(int, direction);
    QFETCH(bool, kanjiOff);
    const CompositionChoices c = choices(direction, 1, false, kanjiOff);
    const AddresseeTexts t = ComposeAddresseeTexts({"", "", address, address}, c);
    QTEST(t.Address1, "composed");
    QTEST(t.Address2, "composed");
    QCOMPARE(ToKanjiNumerals(address, direction, kanjiOff).size(), address.size());
}

void TestComposition::postalDigits_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("digits");
    QTest::addColumn<QString>("sender");
    QTest::newRow("7 digits") << "123-4567" << QStringList{"1", "2", "3", "4", "5", "6", "7"} << "1 2 3 4 5 6 7";
    QTest::newRow("5 digits") << "123-45" << QStringList{"1", "2", "3", "4", "5", "", ""} << "1 2 3 4 5";
    QTest::newRow("3 digits") << "123" << QStringList{"1", "2", "3", "", "", "", ""} << "1 2 3";
    QTest::newRow("empty") << "" << QStringList{"", "", "", "", "", "", ""} << "";
    QTest::newRow("no separator") << "1234567" << QStringList{"1", "2", "3", "4", "5", "6", "7"} << "1 2 3 4 5 6 7";
    QTest::newRow("full width") << "１２３－４５６７" << QStringList{"１", "２", "３", "４", "５", "６", "７"}
                                << "１ ２ ３ ４ ５ ６ ７";
}

void TestComposition::postalDigits()
{
    QFETCH(QString, code);
    QFETCH(QStringList, digits);
    const AddresseeTexts t = ComposeAddresseeTexts({"", code, "", ""}, choices(0, 1));
    for (int k = 1; k <= 7; ++k)
        QCOMPARE(t.Digits[k], digits[k - 1]);
    QTEST(ComposeSenderTexts({"", code, "", ""}, choices(0, 1)).PostalCode, "sender");
}

void TestComposition::sender_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("name1");
    QTest::addColumn<QString>("name2");
    QTest::addColumn<QString>("address1");
    QTest::newRow("slash split, no spacing") << "山田太郎／花子" << "  東京都１丁目  " << 0 << "山田太郎" << "花子" << "東京都一丁目";
    QTest::newRow("no slash") << "山田太郎" << "東京都１丁目" << 1 << "山田太郎" << "" << "東京都１丁目";
    QTest::newRow("line 2 up to character 28")
        << "一二三四五六七八九／" + QString(25, QChar(u'あ')) << "" << 0 << "一二三四五六七八九" << QString(18, QChar(u'あ')) << "";
    QTest::newRow("blanks before the slash stay") << "山田 ／花子  " << "" << 0 << "山田 " << "花子" << "";
}

void TestComposition::sender()
{
    QFETCH(QString, name);
    QFETCH(QString, address);
    QFETCH(int, direction);
    const SenderTexts t = ComposeSenderTexts({name, "", address, address}, choices(direction, 3));
    QTEST(t.Name1, "name1");
    QTEST(t.Name2, "name2");
    QTEST(t.Address1, "address1");
    QTEST(t.Address2, "address1");
}

QTEST_GUILESS_MAIN(TestComposition)
#include "tst_composition.moc"
