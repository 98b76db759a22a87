// The 239-byte record: field placement, blank filling, cutting at a byte
// width, and reading back without trailing blanks.
#include "support/testenv.h"

#include "platform/codec.h"

#include <QtTest>

class TestRecord : public QObject {
    Q_OBJECT
private slots:
    void fieldsLandAtTheirOffsets();
    void longValuesAreCutOnCharacterBoundaries();
    void shortOrLongBytesAreFittedTo239();
};

void TestRecord::fieldsLandAtTheirOffsets()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    const QStringList values = {QStringLiteral("山田太郎"), QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ"),
                                QStringLiteral("100-0001"), QStringLiteral("東京都"),
                                QStringLiteral(" 二丁目"), QStringLiteral("03-1234-5678"),
                                QStringLiteral("会社"), QStringLiteral("部長"),
                                QStringLiteral("03-9999-0000"), QStringLiteral("A")};
    for (int f = 1; f <= 10; ++f)
        dm.FieldText[f] = values[f - 1];
    dm.FieldsToRecord();
    const QByteArray bytes = dm.RecordBuffer.bytes();
    QCOMPARE(bytes.size(), 239);
    QCOMPARE(bytes.mid(0, 30), Cp932::encode(values[0]) + QByteArray(22, ' '));
    QCOMPARE(bytes.mid(30, 16), QByteArray("\xd4\xcf\xc0\xde \xc0\xdb\xb3") + QByteArray(8, ' '));
    QCOMPARE(bytes.mid(46, 8), QByteArray("100-0001"));
    QCOMPARE(bytes.mid(94, 40).left(7), QByteArray(" \x93\xf1\x92\x9a\x96\xda"));
    QCOMPARE(bytes.mid(226, 12), QByteArray("03-9999-0000"));
    QCOMPARE(bytes.at(238), 'A');

    dm.ClearFields();
    dm.RecordToFields();
    for (int f = 1; f <= 10; ++f)
        QCOMPARE(dm.FieldText[f], values[f - 1]);

    // Fifteen full-width characters fill the name exactly; a blank mark reads as empty.
    dm.FieldText[Name] = QString(15, QChar(0x5C71));
    dm.FieldText[Mark] = QStringLiteral(" ");
    dm.FieldsToRecord();
    QCOMPARE(dm.RecordBuffer.fieldBytes(Name).size(), 30);
    QVERIFY(!dm.RecordBuffer.fieldBytes(Name).contains(' '));
    dm.RecordToFields();
    QCOMPARE(dm.FieldText[Name], QString(15, QChar(0x5C71)));
    QCOMPARE(dm.FieldText[Mark], QString());
}

void TestRecord::longValuesAreCutOnCharacterBoundaries()
{
    AddressRecord r;
    // 'a' + 15 full-width characters is 31 bytes: the last character goes,
    // leaving 29 bytes and one blank, never half a character.
    r.setField(Name, QStringLiteral("a") + QString(15, QChar(0x5C71)));
    QCOMPARE(r.fieldBytes(Name), Cp932::encode(QStringLiteral("a") + QString(14, QChar(0x5C71))) + " ");
    // Thirteen characters for a twelve-byte telephone field.
    r.setField(Phone, QStringLiteral("090-1234-56789"));
    QCOMPARE(r.fieldBytes(Phone), QByteArray("090-1234-567"));
    QCOMPARE(r.fieldBytes(PostalCode), QByteArray(8, ' '));
    r.setField(Mark, QStringLiteral("山"));
    QCOMPARE(r.fieldBytes(Mark), QByteArray(" "));
    r.setField(Mark, QStringLiteral("AB"));
    QCOMPARE(r.fieldBytes(Mark), QByteArray("A"));
    // Neighbouring fields are never touched by a long value.
    r.setField(Furigana, QString(40, QLatin1Char('x')));
    QCOMPARE(r.fieldBytes(Name), Cp932::encode(QStringLiteral("a") + QString(14, QChar(0x5C71))) + " ");
    QCOMPARE(r.fieldBytes(PostalCode), QByteArray(8, ' '));
}

void TestRecord::shortOrLongBytesAreFittedTo239()
{
    const AddressRecord shortOne = AddressRecord::fromBytes(QByteArray("abc"));
    QCOMPARE(shortOne.bytes().size(), 239);
    QCOMPARE(shortOne.fieldText(Name), QStringLiteral("abc"));
    QCOMPARE(shortOne.fieldText(Mark), QString());
    const AddressRecord longOne = AddressRecord::fromBytes(QByteArray(300, 'z'));
    QCOMPARE(longOne.bytes(), QByteArray(239, 'z'));
}

QTEST_GUILESS_MAIN(TestRecord)
#include "tst_record.moc"
