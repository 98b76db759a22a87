// Building and splitting delimited lines: trimming rules, quoting, the mark
// read raw to the end of the line, and the user's field selection.
#include "support/testenv.h"

#include <QRandomGenerator>
#include <QtTest>

class TestTextLine : public QObject {
    Q_OBJECT
private slots:
    void splitsInStandardOrder();
    void quotedFieldsKeepDelimitersAndQuotes();
    void buildTrimsAndQuotesOnlyWhatItMust();
    void everyValueSurvivesBuildAndSplit();
    void splitsInSelectionOrder();

private:
    static void split(DataModule &dm, const QString &line, QChar delimiter = QLatin1Char(';'))
    {
        dm.Delimiter = delimiter;
        dm.LineText = line;
        dm.LineLength = static_cast<qint16>(line.size());
        dm.SplitLine();
    }
};

void TestTextLine::splitsInStandardOrder()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    split(dm, QStringLiteral("山田;ﾔﾏﾀﾞ;100-0001"));
    QCOMPARE(dm.FieldText[Name], QStringLiteral("山田"));
    QCOMPARE(dm.FieldText[Furigana], QStringLiteral("ﾔﾏﾀﾞ"));
    QCOMPARE(dm.FieldText[PostalCode], QStringLiteral("100-0001"));
    for (int f = 4; f <= 10; ++f)
        QCOMPARE(dm.FieldText[f], QString());

    // Fields are not trimmed; everything after the ninth delimiter is the mark, trimmed.
    split(dm, QStringLiteral(" a ;b;c;d;e;f;g;h;i; x;y ;z "));
    QCOMPARE(dm.FieldText[Name], QStringLiteral(" a "));
    QCOMPARE(dm.FieldText[CompanyPhone], QStringLiteral("i"));
    QCOMPARE(dm.FieldText[Mark], QStringLiteral("x;y ;z"));

    split(dm, QString());
    for (int f = 1; f <= 10; ++f)
        QCOMPARE(dm.FieldText[f], QString());

    // A full-width blank is part of a value, not a blank to trim.
    split(dm, QStringLiteral("a;b;c;d;e;f;g;h;i;\u3000M "));
    QCOMPARE(dm.FieldText[Mark], QStringLiteral("\u3000M"));

    split(dm, QStringLiteral("a,b\tc"), QLatin1Char('\t'));
    QCOMPARE(dm.FieldText[Name], QStringLiteral("a,b"));
    QCOMPARE(dm.FieldText[Furigana], QStringLiteral("c"));
}

void TestTextLine::quotedFieldsKeepDelimitersAndQuotes()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    split(dm, QStringLiteral("\"a;b\";c"));
    QCOMPARE(dm.FieldText[Name], QStringLiteral("a;b"));
    QCOMPARE(dm.FieldText[Furigana], QStringLiteral("c"));

    split(dm, QStringLiteral("\"say \"\"hi\"\"\";x"));
    QCOMPARE(dm.FieldText[Name], QStringLiteral("say \"hi\""));
    QCOMPARE(dm.FieldText[Furigana], QStringLiteral("x"));

    split(dm, QStringLiteral("ab\"c;d\"e;f"));
    QCOMPARE(dm.FieldText[Name], QStringLiteral("abc;de"));
    QCOMPARE(dm.FieldText[Furigana], QStringLiteral("f"));

    // A quote after the delimiter belongs to the next field only.
    split(dm, QStringLiteral("a;\"b;c\""));
    QCOMPARE(dm.FieldText[Name], QStringLiteral("a"));
    QCOMPARE(dm.FieldText[Furigana], QStringLiteral("b;c"));

    // An unterminated quote runs to the end of the line.
    split(dm, QStringLiteral("\"open;rest;more"));
    QCOMPARE(dm.FieldText[Name], QStringLiteral("open;rest;more"));
    QCOMPARE(dm.FieldText[Furigana], QString());
}

void TestTextLine::buildTrimsAndQuotesOnlyWhatItMust()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.FieldText = {QString(), QStringLiteral("  山田  "), QStringLiteral(" ﾔﾏﾀﾞ "), QStringLiteral("100"),
                    QStringLiteral("  東京  "), QStringLiteral(" 二丁目 "), QStringLiteral("03"),
                    QStringLiteral("A;B社"), QStringLiteral("部長\"代理\""), QString(), QStringLiteral("M")};
    dm.BuildLine(QLatin1Char(';'));
    QCOMPARE(dm.LineText, QStringLiteral("山田;ﾔﾏﾀﾞ;100;  東京; 二丁目;03;\"A;B社\";\"部長\"\"代理\"\"\";;M\r\n"));
    dm.BuildLine(QLatin1Char(','));
    QCOMPARE(dm.LineText, QStringLiteral("山田,ﾔﾏﾀﾞ,100,  東京, 二丁目,03,A;B社,\"部長\"\"代理\"\"\",,M\r\n"));

    // The mark is written as it is, even when it holds the delimiter.
    dm.ClearFields();
    dm.FieldText[Mark] = QStringLiteral(";");
    dm.BuildLine(QLatin1Char(';'));
    QCOMPARE(dm.LineText, QStringLiteral(";;;;;;;;;;\r\n"));
}

void TestTextLine::everyValueSurvivesBuildAndSplit()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    const QString alphabet = QStringLiteral("a;,\t\" 山ｱ");
    QRandomGenerator random(1234);
    for (const QChar delimiter : {QLatin1Char(';'), QLatin1Char(','), QLatin1Char('\t')}) {
        for (int round = 0; round < 500; ++round) {
            std::array<QString, 11> values;
            for (int f = 1; f <= 9; ++f) {
                const int length = random.bounded(6);
                for (int i = 0; i < length; ++i)
                    values[f] += alphabet[random.bounded(alphabet.size())];
            }
            values[Mark] = QString(QChar(QLatin1Char('A' + random.bounded(3))));
            dm.FieldText = values;
            dm.BuildLine(delimiter);
            split(dm, dm.LineText.chopped(2), delimiter);
            for (int f = 1; f <= 9; ++f) {
                QString want = values[f];
                while (want.endsWith(QLatin1Char(' ')))
                    want.chop(1);
                if (f != Address1 && f != Address2)
                    while (want.startsWith(QLatin1Char(' ')))
                        want.remove(0, 1);
                QVERIFY2(dm.FieldText[f] == want,
                         qPrintable(QStringLiteral("field %1 of [%2]: got [%3] want [%4]")
                                        .arg(f).arg(dm.LineText, dm.FieldText[f], want)));
            }
            QCOMPARE(dm.FieldText[Mark], values[Mark]);
        }
    }
}

void TestTextLine::splitsInSelectionOrder()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Delimiter = QLatin1Char(',');
    // ﾌﾘｶﾞﾅ, 名前, a skipped column, 郵便番号.
    dm.Settings.SelectionCount = 4;
    dm.Settings.SelectionOrder[1] = Furigana;
    dm.Settings.SelectionOrder[2] = Name;
    dm.Settings.SelectionOrder[3] = 11;
    dm.Settings.SelectionOrder[4] = PostalCode;
    dm.ClearFields();
    dm.FieldText[Phone] = QStringLiteral("kept");
    dm.LineText = QStringLiteral("ﾔﾏﾀﾞ,山田,skip,100-0001,extra");
    QCOMPARE(dm.SplitLineBySelection(), 0);
    QCOMPARE(dm.FieldText[Furigana], QStringLiteral("ﾔﾏﾀﾞ"));
    QCOMPARE(dm.FieldText[Name], QStringLiteral("山田"));
    QCOMPARE(dm.FieldText[PostalCode], QStringLiteral("100-0001"));
    QCOMPARE(dm.FieldText[Phone], QStringLiteral("kept"));
    QCOMPARE(dm.FieldText[Address1], QString());

    dm.Settings.SelectionCount = 0;
    env.boxes.answer(MsgAnswerCode::Ok);
    QCOMPARE(dm.SplitLineBySelection(), -1);
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("標準選択で読み込みます。"));
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("かのて住所録"));
}

QTEST_GUILESS_MAIN(TestTextLine)
#include "tst_textline.moc"
