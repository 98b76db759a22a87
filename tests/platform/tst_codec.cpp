// CP932 conversion: the mapping the program's texts rely on, bad bytes, and
// cutting to a byte width without splitting a character.
#include "platform/codec.h"

#include <QtTest>

class TestCodec : public QObject {
    Q_OBJECT
private slots:
    void windowsMappingOfDashesAndTildes();
    void badBytesNeverCrash();
    void cutsNeverLeaveHalfACharacter();
    void unencodableCharactersBecomeQuestionMarks();
};

void TestCodec::windowsMappingOfDashesAndTildes()
{
    QCOMPARE(Cp932::encode(QStringLiteral("－～｜")), QByteArray("\x81\x7c\x81\x60\x81\x62"));
    QCOMPARE(Cp932::decode(QByteArray("\x81\x7c")), QStringLiteral("－"));
    QCOMPARE(Cp932::encode(QStringLiteral("ｱｲ")), QByteArray("\xb1\xb2"));
    QCOMPARE(Cp932::encode(QStringLiteral("山田")), QByteArray("\x8e\x52\x93\x63"));
    // NEC special characters (circled digits) belong to CP932.
    QCOMPARE(Cp932::decode(Cp932::encode(QStringLiteral("①㈱"))), QStringLiteral("①㈱"));
    QCOMPARE(Cp932::byteLength(QStringLiteral("a山ｱ")), 4);
}

void TestCodec::badBytesNeverCrash()
{
    // A lead byte with an invalid trail, a lone lead byte at the end.
    const QString text = Cp932::decode(QByteArray("a\x81\x20" "b\x82", 5));
    QVERIFY(text.startsWith(QLatin1Char('a')));
    QVERIFY(text.contains(QChar(0xFFFD)));
    QVERIFY(text.contains(QLatin1Char('b')));
    QCOMPARE(Cp932::decode(QByteArray()), QString());
    QByteArray noise;
    for (int i = 0; i < 4096; ++i)
        noise.append(static_cast<char>((i * 7919) & 0xFF));
    QVERIFY(!Cp932::decode(noise).isEmpty());
}

void TestCodec::cutsNeverLeaveHalfACharacter()
{
    const QByteArray bytes = Cp932::encode(QStringLiteral("a山田"));
    QCOMPARE(Cp932::cutBytes(bytes, 5), bytes);
    QCOMPARE(Cp932::cutBytes(bytes, 4), QByteArray("a\x8e\x52"));
    QCOMPARE(Cp932::cutBytes(bytes, 2), QByteArray("a"));
    QCOMPARE(Cp932::cutBytes(bytes, 0), QByteArray());
    QCOMPARE(Cp932::cutText(QStringLiteral("ｱ山田太郎"), 6), QStringLiteral("ｱ山田"));
}

void TestCodec::unencodableCharactersBecomeQuestionMarks()
{
    QCOMPARE(Cp932::encode(QStringLiteral("a\u00e9b")), QByteArray("a?b"));
    QCOMPARE(Cp932::encode(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QByteArray("x?y"));
}

QTEST_GUILESS_MAIN(TestCodec)
#include "tst_codec.moc"
