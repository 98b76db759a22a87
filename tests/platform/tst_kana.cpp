// Readings arrive in hiragana or full-width katakana and are kept in
// half-width katakana.
#include "platform/codec.h"
#include "platform/kana.h"

#include <QtTest>

class TstKana : public QObject {
    Q_OBJECT
private slots:
    void halfWidth_data();
    void halfWidth();
};

void TstKana::halfWidth_data()
{
    QTest::addColumn<QString>("reading");
    QTest::addColumn<QString>("expected");
    QTest::newRow("hiragana") << QStringLiteral("やまだたろう") << QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ");
    QTest::newRow("katakana") << QStringLiteral("スズキハナコ") << QStringLiteral("ｽｽﾞｷﾊﾅｺ");
    QTest::newRow("voiced and semi-voiced") << QStringLiteral("ガギグゲゴパピプペポ") << QStringLiteral("ｶﾞｷﾞｸﾞｹﾞｺﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ");
    QTest::newRow("small kana and long vowel") << QStringLiteral("キャッシュー") << QStringLiteral("ｷｬｯｼｭｰ");
    QTest::newRow("vu, both ways") << QStringLiteral("ヴぁゔ") << QStringLiteral("ｳﾞｧｳﾞ");
    QTest::newRow("old and rare kana") << QStringLiteral("ヰヱゐゑヮヵヶヲを") << QStringLiteral("ｲｴｲｴﾜｶｹｦｦ");
    QTest::newRow("combining marks") << QStringLiteral("か\u3099は\u309A") << QStringLiteral("ｶﾞﾊﾟ");
    QTest::newRow("punctuation and blank") << QStringLiteral("ヤマダ・タロウ　「、。」") << QStringLiteral("ﾔﾏﾀﾞ･ﾀﾛｳ ｢､｡｣");
    QTest::newRow("full-width letters") << QStringLiteral("ＡＢＣ１２３") << QStringLiteral("ABC123");
    QTest::newRow("already half-width") << QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ") << QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ");
    QTest::newRow("kanji stay") << QStringLiteral("山田たろう") << QStringLiteral("山田ﾀﾛｳ");
    QTest::newRow("iteration marks stay") << QStringLiteral("ゝゞヽヾ") << QStringLiteral("ゝゞヽヾ");
}

void TstKana::halfWidth()
{
    QFETCH(QString, reading);
    QFETCH(QString, expected);
    const QString half = Kana::toHalfWidthKatakana(reading);
    QCOMPARE(half, expected);
    // Converting again changes nothing, and kana take one byte each.
    QCOMPARE(Kana::toHalfWidthKatakana(half), half);
    if (!expected.contains(QStringLiteral("山")) && !expected.contains(QStringLiteral("ゝ")))
        QCOMPARE(Cp932::byteLength(half), static_cast<int>(half.size()));
}

QTEST_APPLESS_MAIN(TstKana)
#include "tst_kana.moc"
