// The conversion runs without their windows: selection-order lines, export,
// import into "KANOTE01.KNO" ..., and the free-name search.
#include "support/testenv.h"
#include "support/books.h"

#include "convert/conversion.h"

#include "platform/codec.h"
#include "platform/runerror.h"

#include <QDir>
#include <QtTest>

class TstConversion : public QObject {
    Q_OBJECT
private slots:
    void selectionLine();
    void exportBySelection();
    void newFileName();
    void importBySelectionFixed();
    void importBySelectionText();
    void importEdgeCases();
    void exportImportRoundTrip();
};

namespace {

void setSelection(DataModule &dm, const QList<int> &codes)
{
    dm.Settings.SelectionCount = static_cast<qint16>(codes.size());
    for (int k = 0; k < codes.size(); ++k)
        dm.Settings.SelectionOrder[k + 1] = static_cast<qint16>(codes[k]);
}

} // namespace

void TstConversion::selectionLine()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Delimiter = QLatin1Char(',');

    // ﾌﾘｶﾞﾅ, 名前, 未使用項目, 郵便番号
    setSelection(dm, {2, 1, 11, 3});
    setFields(dm, {QStringLiteral("N"), QStringLiteral("F"), QStringLiteral("P")});
    Conversion::BuildSelectionLine(dm);
    QCOMPARE(dm.LineText, QStringLiteral("F,N,,P,\r\n"));

    // Trimming: both ends, right end only for the addresses, the mark as it is.
    setSelection(dm, {1, 4, 5, 10, 6});
    setFields(dm, {QStringLiteral("  山田 太郎  "), QString(), QString(), QStringLiteral("  東京都  "),
                   QStringLiteral(" ２丁目 "), QStringLiteral(" 03-1111 "), QString(), QString(), QString(),
                   QStringLiteral(" ")});
    Conversion::BuildSelectionLine(dm);
    QCOMPARE(dm.LineText, QStringLiteral("山田 太郎,  東京都, ２丁目, ,03-1111,\r\n"));

    // A value holding the delimiter or a quote is quoted, so it reads back whole.
    setSelection(dm, {1, 7, 10});
    setFields(dm, {QStringLiteral("a,b"), QString(), QString(), QString(), QString(), QString(),
                   QStringLiteral("say \"hi\""), QString(), QString(), QStringLiteral(",")});
    Conversion::BuildSelectionLine(dm);
    QCOMPARE(dm.LineText, QStringLiteral("\"a,b\",\"say \"\"hi\"\"\",\",\",\r\n"));
    dm.LineText.chop(2);
    dm.LineLength = static_cast<qint16>(dm.LineText.size());
    dm.ClearFields();
    QCOMPARE(dm.SplitLineBySelection(), 0);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("a,b"));
    QCOMPARE(dm.FieldText[Company], QStringLiteral("say \"hi\""));
    QCOMPARE(dm.FieldText[Mark], QStringLiteral(","));

    // No selection: no line at all.
    setSelection(dm, {});
    Conversion::BuildSelectionLine(dm);
    QCOMPARE(dm.LineText, QString());
}

void TstConversion::exportBySelection()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    env.writeFile(QStringLiteral("a.kno"),
                  fixedRecord({QStringLiteral("山田太郎"), QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ"), QStringLiteral("100-0001"),
                                   QStringLiteral("  千代田区")})
                      + fixedRecord({QStringLiteral("鈴木花子"), QStringLiteral("ｽｽﾞｷﾊﾅｺ"),
                                         QStringLiteral("200-0002"), QString(), QString(), QString(),
                                         QString(), QString(), QString(), QStringLiteral("A")}));
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    const QByteArray before = env.readFile(QStringLiteral("a.kno"));

    dm.Delimiter = QLatin1Char(';');
    setSelection(dm, {2, 1, 11, 3, 4, 10});
    Conversion::ExportBookBySelection(dm, env.path(QStringLiteral("out.txt")), dm.DataFilePath());
    QCOMPARE(env.readFile(QStringLiteral("out.txt")),
             textLine(QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ;山田太郎;;100-0001;  千代田区;;"))
                 + textLine(QStringLiteral("ｽｽﾞｷﾊﾅｺ;鈴木花子;;200-0002;;A;")));
    QCOMPARE(env.readFile(QStringLiteral("a.kno")), before);
    QVERIFY(!QFile::exists(env.path(QStringLiteral("temp.ads"))));

    // From a text book the same way.
    env.writeFile(QStringLiteral("t.txt"), textLine(QStringLiteral("山田;ﾔﾏﾀﾞ;100;\"a;b\";;;;;;M")));
    QVERIFY(env.open(QStringLiteral("t.txt"), DataModule::DelimitedText));
    Conversion::ExportBookBySelection(dm, env.path(QStringLiteral("t-out.txt")), dm.DataFilePath());
    QCOMPARE(env.readFile(QStringLiteral("t-out.txt")),
             textLine(QStringLiteral("ﾔﾏﾀﾞ;山田;;100;\"a;b\";M;")));

    // No selection: an empty file, replacing what was there.
    setSelection(dm, {});
    Conversion::ExportBookBySelection(dm, env.path(QStringLiteral("out.txt")), dm.DataFilePath());
    QCOMPARE(env.readFile(QStringLiteral("out.txt")), QByteArray());
    QVERIFY(QFile::exists(env.path(QStringLiteral("out.txt"))));
}

void TstConversion::newFileName()
{
    TestEnv env;
    QCOMPARE(Conversion::NewFileName(), QStringLiteral("KANOTE01.KNO"));
    env.writeFile(QStringLiteral("KANOTE01.KNO"), "x");
    env.writeFile(QStringLiteral("KANOTE02.KNO"), "x");
    env.writeFile(QStringLiteral("KANOTE04.KNO"), "x");
    QCOMPARE(Conversion::NewFileName(), QStringLiteral("KANOTE03.KNO"));
    for (int n = 1; n <= 99; ++n)
        env.writeFile(QStringLiteral("KANOTE%1.KNO").arg(n, 2, 10, QLatin1Char('0')), "x");
    QCOMPARE(Conversion::NewFileName(), QString());
}

void TstConversion::importBySelectionFixed()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Delimiter = QLatin1Char(',');
    setSelection(dm, {2, 1, 11, 3});
    env.writeFile(QStringLiteral("in.csv"),
                  textLine(QStringLiteral("ﾔﾏﾀﾞ,山田,skip me,100-0001,extra"))
                      + textLine(QStringLiteral("\"ｽｽﾞｷ,ﾊﾅｺ\",鈴木"))
                      + Cp932::encode(QStringLiteral("ｻﾄｳ,佐藤,,300")));
    const QByteArray source = env.readFile(QStringLiteral("in.csv"));
    env.writeFile(QStringLiteral("KANOTE01.KNO"), "keep");
    dm.CurrentFileName = QStringLiteral("in.csv");
    dm.DataFormat = DataModule::FixedLength;

    env.boxes.answer(MsgAnswerCode::Ok);
    QCOMPARE(Conversion::ImportBySelection(dm), 0);
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].text, QStringLiteral("選択項目によるデータをKANOTE02.KNOに保存します。"));
    QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Information);
    QCOMPARE(env.boxes.shown[0].caption, ProgramTitle);

    QCOMPARE(dm.CurrentFileName, QStringLiteral("KANOTE02.KNO"));
    QCOMPARE(dm.RecordCount, qint16(3));
    QCOMPARE(env.readFile(QStringLiteral("KANOTE02.KNO")),
             fixedRecord({QStringLiteral("山田"), QStringLiteral("ﾔﾏﾀﾞ"), QStringLiteral("100-0001")})
                 + fixedRecord({QStringLiteral("鈴木"), QStringLiteral("ｽｽﾞｷ,ﾊﾅｺ")})
                 + fixedRecord({QStringLiteral("佐藤"), QStringLiteral("ｻﾄｳ"), QStringLiteral("300")}));
    QCOMPARE(env.readFile(QStringLiteral("KANOTE01.KNO")), QByteArray("keep"));
    QCOMPARE(env.readFile(QStringLiteral("in.csv")), source);
    QVERIFY(!QFile::exists(env.path(QStringLiteral("temp.ads"))));
    // The new book is the open one.
    dm.LoadRecord(2);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("鈴木"));
}

void TstConversion::importBySelectionText()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    dm.Delimiter = QLatin1Char(';');
    setSelection(dm, {3, 11, 1, 4});
    env.writeFile(QStringLiteral("in.txt"),
                  textLine(QStringLiteral("100-0001;x;山田;  東京都"))
                      + textLine(QStringLiteral("200;y;\"a;b\";")));
    dm.CurrentFileName = QStringLiteral("in.txt");
    dm.DataFormat = DataModule::DelimitedText;

    env.boxes.answer(MsgAnswerCode::Ok);
    QCOMPARE(Conversion::ImportBySelection(dm), 0);
    const QByteArray expected = textLine(QStringLiteral("山田;;100-0001;  東京都;;;;;;"))
        + textLine(QStringLiteral("\"a;b\";;200;;;;;;;"));
    QCOMPARE(env.readFile(QStringLiteral("KANOTE01.KNO")), expected);
    QCOMPARE(dm.RecordCount, qint16(2));
    QCOMPARE(dm.LineIndex[1], 1);
    QCOMPARE(dm.LineIndex[2], int(textLine(QStringLiteral("山田;;100-0001;  東京都;;;;;;")).size()) + 1);
    QCOMPARE(dm.LineIndex[3], int(expected.size()) + 1);
    dm.LoadRecord(2);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("a;b"));
    QCOMPARE(dm.FieldText[PostalCode], QStringLiteral("200"));
}

void TstConversion::importEdgeCases()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    setSelection(dm, {1});

    // An empty source gives an empty book, whatever count was held before.
    env.writeFile(QStringLiteral("empty.txt"), QByteArray());
    dm.RecordCount = 5;
    dm.CurrentFileName = QStringLiteral("empty.txt");
    dm.DataFormat = DataModule::FixedLength;
    env.boxes.answer(MsgAnswerCode::Ok);
    QCOMPARE(Conversion::ImportBySelection(dm), 0);
    QCOMPARE(dm.RecordCount, qint16(0));
    QVERIFY(QFile::exists(env.path(QStringLiteral("KANOTE01.KNO"))));
    QCOMPARE(env.readFile(QStringLiteral("KANOTE01.KNO")), QByteArray());

    // Every name taken: refused, nothing overwritten.
    for (int n = 1; n <= 99; ++n)
        env.writeFile(QStringLiteral("KANOTE%1.KNO").arg(n, 2, 10, QLatin1Char('0')), "old");
    env.writeFile(QStringLiteral("in.txt"), textLine(QStringLiteral("a;b")));
    dm.CurrentFileName = QStringLiteral("in.txt");
    env.boxes.answer(MsgAnswerCode::Ok);
    QCOMPARE(Conversion::ImportBySelection(dm), -1);
    QCOMPARE(env.boxes.shown.last().text,
             QStringLiteral("KANOTE01.KNO～KANOTE99.KNO がすべて使われているため、変換できません。"));
    QCOMPARE(env.boxes.shown.last().icon, MsgIcon::Exclamation);
    for (int n = 1; n <= 99; ++n)
        QCOMPARE(env.readFile(QStringLiteral("KANOTE%1.KNO").arg(n, 2, 10, QLatin1Char('0'))), QByteArray("old"));

    // A source called like the work file is not truncated by it.
    QDir().remove(env.path(QStringLiteral("KANOTE50.KNO")));
    env.writeFile(QStringLiteral("temp.ads"), textLine(QStringLiteral("a;b")));
    dm.CurrentFileName = QStringLiteral("temp.ads");
    env.boxes.answer(MsgAnswerCode::Ok);
    QVERIFY_THROWS_EXCEPTION(RunError, Conversion::ImportBySelection(dm));
    QCOMPARE(env.readFile(QStringLiteral("temp.ads")), textLine(QStringLiteral("a;b")));
    QVERIFY(!QFile::exists(env.path(QStringLiteral("KANOTE50.KNO"))));
}

void TstConversion::exportImportRoundTrip()
{
    // Written in the order 10, 9, ..., 1 and read back in that order, every
    // record comes back byte for byte, with delimiters and quotes in its values.
    TestEnv env;
    DataModule &dm = *env.dm;
    QByteArray book;
    for (int i = 0; i < 40; ++i) {
        book += fixedRecord({QStringLiteral("名前%1;\"x\"").arg(i), QStringLiteral("ﾌﾘｶﾞﾅ%1").arg(i),
                                 QStringLiteral("%1-0001").arg(100 + i), QStringLiteral("  住所;%1").arg(i),
                                 QStringLiteral(" 二行目\"%1").arg(i), QStringLiteral("03-%1").arg(i),
                                 i % 2 ? QStringLiteral("勤務先;") : QString(), QStringLiteral("課長"),
                                 QStringLiteral("06-%1").arg(i),
                                 QStringList{QString(), QStringLiteral(";"), QStringLiteral("\""),
                                             QStringLiteral("A")}[i % 4]});
    }
    env.writeFile(QStringLiteral("a.kno"), book);
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    dm.Delimiter = QLatin1Char(';');
    setSelection(dm, {10, 9, 8, 7, 6, 5, 4, 3, 2, 1});
    Conversion::ExportBookBySelection(dm, env.path(QStringLiteral("out.txt")), dm.DataFilePath());

    dm.CurrentFileName = QStringLiteral("out.txt");
    dm.DataFormat = DataModule::FixedLength;
    env.boxes.answer(MsgAnswerCode::Ok);
    QCOMPARE(Conversion::ImportBySelection(dm), 0);
    QCOMPARE(dm.RecordCount, qint16(40));
    QCOMPARE(env.readFile(QStringLiteral("KANOTE01.KNO")), book);
}

QTEST_MAIN(TstConversion)
#include "tst_conversion.moc"
