// What the ﾌﾘｶﾞﾅ box and the boxes without input method make of text that
// comes in: the characters their input-method modes would have given.
#include "edit/inputwidth.h"

#include <QtTest>

class TestInputWidth : public QObject {
    Q_OBJECT
private slots:
    void widths_data();
    void widths();
};

void TestInputWidth::widths_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    const int kana = int(InputWidth::HalfWidthKana);
    const int ascii = int(InputWidth::HalfWidthAscii);
    QTest::newRow("kana: hiragana with sound marks")
        << kana << QStringLiteral("やまだ ぱんだ") << QStringLiteral("ﾔﾏﾀﾞ ﾊﾟﾝﾀﾞ");
    QTest::newRow("kana: small kana and the long-vowel mark")
        << kana << QStringLiteral("ちぇっく・ぱーてぃー") << QStringLiteral("ﾁｪｯｸ･ﾊﾟｰﾃｨｰ");
    QTest::newRow("kana: full-width katakana, ヴ and the old kana")
        << kana << QStringLiteral("ヴァヰヱヮヵヶヷヺ") << QStringLiteral("ｳﾞｧｲｴﾜｶｹﾜﾞｦﾞ");
    QTest::newRow("kana: every plain katakana")
        << kana << QStringLiteral("アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲン")
        << QStringLiteral("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜｦﾝ");
    QTest::newRow("kana: voiced and half-voiced")
        << kana << QStringLiteral("がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ")
        << QStringLiteral("ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ");
    QTest::newRow("kana: decomposed and spacing sound marks")
        << kana << QStringLiteral("か\u3099は\u309A゛゜") << QStringLiteral("ｶﾞﾊﾟﾞﾟ");
    QTest::newRow("kana: signs, letters, digits and blanks")
        << kana << QStringLiteral("「ＡＢ　１２」、。") << QStringLiteral("｢AB 12｣､｡");
    QTest::newRow("kana: half-width stays, kanji are kept")
        << kana << QStringLiteral("ﾔﾏﾀﾞ 山田 ゝ") << QStringLiteral("ﾔﾏﾀﾞ 山田 ゝ");
    QTest::newRow("ascii: a postal code typed full-width")
        << ascii << QStringLiteral("１２３－４５６７") << QStringLiteral("123-4567");
    QTest::newRow("ascii: every hyphen")
        << ascii << QStringLiteral("0ー1‐2‑3−4ｰ5－6") << QStringLiteral("0-1-2-3-4-5-6");
    QTest::newRow("ascii: letters, signs and the full-width blank")
        << ascii << QStringLiteral("（０３）　ｅｘｔ．９") << QStringLiteral("(03) ext.9");
    QTest::newRow("ascii: kana and kanji are kept")
        << ascii << QStringLiteral("内線あ") << QStringLiteral("内線あ");
    QTest::newRow("as typed")
        << int(InputWidth::AsTyped) << QStringLiteral("１ーあ") << QStringLiteral("１ーあ");
}

void TestInputWidth::widths()
{
    QFETCH(int, width);
    QFETCH(QString, in);
    QFETCH(QString, out);
    QCOMPARE(toInputWidth(in, InputWidth(width)), out);
    // What came out is left alone the next time.
    QCOMPARE(toInputWidth(out, InputWidth(width)), out);
}

QTEST_APPLESS_MAIN(TestInputWidth)
#include "tst_inputwidth.moc"
