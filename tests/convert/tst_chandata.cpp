// データ形式の変換: in place and under new names, the labels that follow,
// failures that leave every file as it was, and a 1000-record round trip
// through every format.
#include "support/testenv.h"
#include "support/books.h"

#include "convert/chandata.h"
#include "store/recordstore.h"

#include "platform/codec.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>
#include <unistd.h>

class TstChanData : public QObject {
    Q_OBJECT
private slots:
    void inPlaceToComma();
    void newNameLeavesOpenBook();
    void textToTextRebuildsIndex();
    void otherSpellingIsInPlace();
    void failuresChangeNothing();
    void roundTripThousandRecords();
    void readOnlyFilesStay();
};

namespace {

const QByteArray threeCommaLines = threeLines(QLatin1Char(','));

// Runs 変換実行 towards `target` into `name`, answering the overwrite question
// with `overwrite` when one is expected.
void convert(TestEnv &env, ChanData &d, int target, const QString &name, int overwrite = 0)
{
    d.Option1[target]->setChecked(true);
    d.Text1->setText(name);
    if (overwrite)
        env.boxes.answer(overwrite);
    if (overwrite != MsgAnswerCode::No)
        env.boxes.answer(MsgAnswerCode::Ok);
    d.Command1_Click();
}

} // namespace

void TstChanData::inPlaceToComma()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    env.writeFile(QStringLiteral("a.kno"), threeRecords());
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));

    {
        ChanData d(dm);
        QCOMPARE(d.windowTitle(), QStringLiteral("データ形式の変換"));
        QVERIFY(env.mainWindow.locked);
        QVERIFY(!d.Option1[0]->isEnabled());
        QVERIFY(d.Option1[1]->isEnabled() && d.Option1[1]->isChecked());
        QCOMPARE(d.Text1->text(), QStringLiteral("a.kno"));
        QCOMPARE(d.Label2->text(), QStringLiteral("現在のﾌｫﾙﾀﾞ：") + QDir::currentPath());
        QCOMPARE(d.Label3->text(), QStringLiteral("現在のﾃﾞｰﾀ形式：固定長"));

        convert(env, d, 2, QStringLiteral("a.kno"), MsgAnswerCode::Yes);
        QCOMPARE(env.boxes.shown.size(), 2);
        QCOMPARE(env.boxes.shown[0].text, QStringLiteral("a.kno は既に存在します。\n上書きしますか？"));
        QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("データ変換"));
        QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Exclamation);
        QCOMPARE(env.boxes.shown[0].buttons, MsgButtons::YesNo);
        QCOMPARE(env.boxes.shown[1].text, QStringLiteral("データ変換完了"));
        QCOMPARE(env.boxes.shown[1].icon, MsgIcon::None);
        QCOMPARE(env.boxes.shown[1].caption, ProgramTitle);

        QCOMPARE(env.readFile(QStringLiteral("a.kno")), threeCommaLines);
        QVERIFY(!QFile::exists(env.path(QStringLiteral("temp.ads"))));
        QCOMPARE(dm.DataFormat, DataModule::DelimitedText);
        QCOMPARE(dm.Settings.DelimiterCode, qint16(2));
        QCOMPARE(dm.Delimiter, QLatin1Char(','));
        QCOMPARE(dm.RecordCount, qint16(3));
        QCOMPARE(env.mainWindow.labels[MainWindowLink::FormatLabel], QStringLiteral("可変長　(ｺﾝﾏ)"));
        QCOMPARE(env.mainWindow.labels[MainWindowLink::CountLabel], QStringLiteral("3"));
        QCOMPARE(env.mainWindow.labels[MainWindowLink::DateLabel], dm.FileDateText());
        QCOMPARE(dm.FileLength, qint64(threeCommaLines.size()));
        // The dialog stays open for the next conversion, set for the new format.
        QVERIFY(!d.Option1[2]->isEnabled());
        QVERIFY(d.Option1[0]->isEnabled() && d.Option1[0]->isChecked());
        QVERIFY(d.Option1[1]->isEnabled() && d.Option1[3]->isEnabled());
        QCOMPARE(d.Label3->text(), QStringLiteral("現在のﾃﾞｰﾀ形式：可変長 (ｺﾝﾏ)"));
        // The open book reads as the new text file.
        dm.LoadRecord(2);
        QCOMPARE(dm.FieldText[Name], QStringLiteral("鈴木, 花子"));
        dm.LoadRecord(1);
        QCOMPARE(dm.FieldText[Company], QStringLiteral("株式会社;甲"));
        QCOMPARE(dm.FieldText[Mark], QStringLiteral("A"));
        // The converted book takes new records at once.
        dm.ClearFields();
        dm.FieldText[Name] = QStringLiteral("高橋");
        AppendRecord(dm);
        QCOMPARE(dm.RecordCount, qint16(4));
        QCOMPARE(env.readFile(QStringLiteral("a.kno")),
                 threeCommaLines + textLine(QStringLiteral("高橋,,,,,,,,,")));
        d.Command2_Click();
        QVERIFY(!env.mainWindow.locked);
    }
    {
        ChanData again(dm);
        QVERIFY(!again.Option1[2]->isEnabled());
        QVERIFY(again.Option1[0]->isChecked());
        QCOMPARE(again.Label3->text(), QStringLiteral("現在のﾃﾞｰﾀ形式：可変長 (ｺﾝﾏ)"));
        // And back to fixed length, in place: the original bytes.
        convert(env, again, 0, QStringLiteral("a.kno"), MsgAnswerCode::Yes);
        QCOMPARE(env.readFile(QStringLiteral("a.kno")),
                 threeRecords() + fixedRecord({QStringLiteral("高橋")}));
        dm.ClearFields();
        dm.FieldText[Name] = QStringLiteral("伊藤");
        AppendRecord(dm);
        QCOMPARE(dm.RecordCount, qint16(5));
        QCOMPARE(dm.DataFormat, DataModule::FixedLength);
        QCOMPARE(env.mainWindow.labels[MainWindowLink::FormatLabel], QStringLiteral("固定長"));
        QVERIFY(!again.Option1[0]->isEnabled());
        QVERIFY(again.Option1[1]->isChecked());
    }
    QVERIFY(!env.mainWindow.locked);
}

void TstChanData::newNameLeavesOpenBook()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    env.writeFile(QStringLiteral("a.kno"), threeRecords());
    env.writeFile(QStringLiteral("c.txt"), "other book");
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    ChanData d(dm);

    convert(env, d, 1, QStringLiteral("b.txt"));
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.readFile(QStringLiteral("b.txt")),
             threeLines(QLatin1Char(';')));
    QCOMPARE(env.readFile(QStringLiteral("a.kno")), threeRecords());
    QCOMPARE(dm.DataFormat, DataModule::FixedLength);
    QCOMPARE(dm.Settings.DelimiterCode, qint16(1));
    QCOMPARE(env.mainWindow.labels[MainWindowLink::FormatLabel], QString());
    QVERIFY(d.Option1[1]->isChecked() && !d.Option1[0]->isEnabled());

    // Another existing file: asked first; No changes nothing, Yes replaces it.
    convert(env, d, 3, QStringLiteral("c.txt"), MsgAnswerCode::No);
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("c.txt は既に存在します。\n上書きしますか？"));
    QCOMPARE(env.readFile(QStringLiteral("c.txt")), QByteArray("other book"));
    convert(env, d, 3, QStringLiteral("c.txt"), MsgAnswerCode::Yes);
    QCOMPARE(env.readFile(QStringLiteral("c.txt")), threeLines(QLatin1Char('\t')));
    QCOMPARE(dm.DataFormat, DataModule::FixedLength);
    // The open book still works.
    dm.LoadRecord(3);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("佐藤"));
}

void TstChanData::textToTextRebuildsIndex()
{
    // Lines written by another program: quotes and blanks that the
    // conversion drops, so every line gets shorter.
    TestEnv env;
    DataModule &dm = *env.dm;
    env.writeFile(QStringLiteral("a.txt"),
                  textLine(QStringLiteral("\"山田\";  ﾔﾏﾀﾞ  ;\"100\";;;;;;;A"))
                      + textLine(QStringLiteral("\"鈴木\";\"ｽｽﾞｷ\";  200  ;;;;;;;"))
                      + textLine(QStringLiteral("佐藤;ｻﾄｳ;300;;;;;;;")));
    QVERIFY(env.open(QStringLiteral("a.txt"), DataModule::DelimitedText));
    QCOMPARE(dm.RecordCount, qint16(3));
    ChanData d(dm);
    QVERIFY(!d.Option1[1]->isEnabled());
    QCOMPARE(d.Label3->text(), QStringLiteral("現在のﾃﾞｰﾀ形式：可変長 (ｾﾐｺﾛﾝ)"));

    convert(env, d, 3, QStringLiteral("a.txt"), MsgAnswerCode::Yes);
    const QByteArray l1 = textLine(QStringLiteral("山田\tﾔﾏﾀﾞ\t100\t\t\t\t\t\t\tA"));
    const QByteArray l2 = textLine(QStringLiteral("鈴木\tｽｽﾞｷ\t200\t\t\t\t\t\t\t"));
    const QByteArray l3 = textLine(QStringLiteral("佐藤\tｻﾄｳ\t300\t\t\t\t\t\t\t"));
    QCOMPARE(env.readFile(QStringLiteral("a.txt")), l1 + l2 + l3);
    QCOMPARE(dm.Delimiter, QLatin1Char('\t'));
    QCOMPARE(env.mainWindow.labels[MainWindowLink::FormatLabel], QStringLiteral("可変長　(ﾀﾌﾞ)"));
    QCOMPARE(dm.LineIndex[2], int(l1.size()) + 1);
    QCOMPARE(dm.LineIndex[3], int(l1.size() + l2.size()) + 1);
    QCOMPARE(dm.LineIndex[4], int(l1.size() + l2.size() + l3.size()) + 1);
    dm.LoadRecord(3);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("佐藤"));
    QCOMPARE(dm.FieldText[PostalCode], QStringLiteral("300"));
    dm.LoadRecord(2);
    QCOMPARE(dm.FieldText[Furigana], QStringLiteral("ｽｽﾞｷ"));
}

void TstChanData::otherSpellingIsInPlace()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    QDir().mkdir(env.path(QStringLiteral("sub")));
    env.writeFile(QStringLiteral("a.kno"), threeRecords());
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    ChanData d(dm);

    // With its folder, or through another folder: still the open book.
    convert(env, d, 2, env.path(QStringLiteral("a.kno")), MsgAnswerCode::Yes);
    QCOMPARE(dm.DataFormat, DataModule::DelimitedText);
    QCOMPARE(env.readFile(QStringLiteral("a.kno")), threeCommaLines);
    QCOMPARE(env.mainWindow.labels[MainWindowLink::FormatLabel], QStringLiteral("可変長　(ｺﾝﾏ)"));
    convert(env, d, 0, QStringLiteral("sub/../a.kno"), MsgAnswerCode::Yes);
    QCOMPARE(dm.DataFormat, DataModule::FixedLength);
    QCOMPARE(env.readFile(QStringLiteral("a.kno")), threeRecords());
    QCOMPARE(dm.CurrentFileName, QStringLiteral("a.kno"));

    // Through a link to it: the book itself is converted, the link kept.
    QVERIFY(QFile::link(QStringLiteral("a.kno"), env.path(QStringLiteral("link.kno"))));
    convert(env, d, 2, QStringLiteral("link.kno"), MsgAnswerCode::Yes);
    QCOMPARE(dm.DataFormat, DataModule::DelimitedText);
    QCOMPARE(env.readFile(QStringLiteral("a.kno")), threeCommaLines);
    QVERIFY(QFileInfo(env.path(QStringLiteral("link.kno"))).isSymLink());
    dm.LoadRecord(2);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("鈴木, 花子"));
    QCOMPARE(dm.RecordCount, qint16(3));
}

void TstChanData::failuresChangeNothing()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    QDir().mkdir(env.path(QStringLiteral("folder")));
    env.writeFile(QStringLiteral("a.kno"), threeRecords());
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    const QStringList before = QDir(env.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    ChanData d(dm);

    // A folder is no file name.
    d.Text1->setText(QStringLiteral("folder"));
    env.boxes.answer(MsgAnswerCode::Ok);
    d.Command1_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("folder はフォルダのため、変換先にできません。"));
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("データ変換"));

    // A place that cannot be written: reported, nothing written anywhere.
    dm.CallTrace = QStringLiteral(" > Menu_Edit_Change");
    d.Text1->setText(QStringLiteral("missing/x.txt"));
    env.boxes.answer(MsgAnswerCode::Ok);
    d.Command1_Click();
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("CHANDATA"));
    QCOMPARE(env.boxes.shown.last().icon, MsgIcon::Information);
    QVERIFY(env.boxes.shown.last().text.endsWith(QStringLiteral("\n > Menu_Edit_Change")));
    QCOMPARE(QDir(env.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);

    // A name the file system refuses (too long): reported, nothing written.
    d.Text1->setText(QString(300, QLatin1Char('x')) + QStringLiteral(".txt"));
    env.boxes.answer(MsgAnswerCode::Ok);
    d.Command1_Click();
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("CHANDATA"));
    QCOMPARE(QDir(env.dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    QCOMPARE(env.readFile(QStringLiteral("a.kno")), threeRecords());

    // A book too large for a text file: the open book stays as it was.
    QByteArray big;
    for (int i = 1; i <= 1028; ++i)
        big += fixedRecord({QStringLiteral("名前%1").arg(i)});
    env.writeFile(QStringLiteral("big.kno"), big);
    QVERIFY(env.open(QStringLiteral("big.kno"), DataModule::FixedLength));
    ChanData b(dm);
    convert(env, b, 1, QStringLiteral("big.kno"), MsgAnswerCode::Yes);
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("CHANDATA"));
    QVERIFY(env.boxes.shown.last().text.startsWith(QStringLiteral("ﾃﾞｰﾀ数が 1027 件を超える")));
    QCOMPARE(env.readFile(QStringLiteral("big.kno")), big);
    QVERIFY(!QFile::exists(env.path(QStringLiteral("temp.ads"))));
    QCOMPARE(dm.DataFormat, DataModule::FixedLength);
    QVERIFY(!b.Option1[0]->isEnabled());
    dm.LoadRecord(1028);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("名前1028"));

    // The work file's own name is refused, the book untouched.
    convert(env, b, 1, QStringLiteral("temp.ads"));
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("CHANDATA"));
    QVERIFY(env.boxes.shown.last().text.startsWith(QStringLiteral("temp.ads は作業用のファイル名のため使えません。")));
    QVERIFY(!QFile::exists(env.path(QStringLiteral("temp.ads"))));

    // A fixed-length record holding a line break (written by another
    // program) cannot become one text line: refused, the book untouched.
    QByteArray broken = threeRecords();
    broken.replace(2, 2, "\r\n");
    env.writeFile(QStringLiteral("broken.kno"), broken);
    QVERIFY(env.open(QStringLiteral("broken.kno"), DataModule::FixedLength));
    ChanData c(dm);
    convert(env, c, 2, QStringLiteral("broken.kno"), MsgAnswerCode::Yes);
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("CHANDATA"));
    QVERIFY(env.boxes.shown.last().text.startsWith(QStringLiteral("ﾃﾞｰﾀ番号 1 に改行を含む項目がある")));
    QCOMPARE(env.readFile(QStringLiteral("broken.kno")), broken);
    QCOMPARE(dm.DataFormat, DataModule::FixedLength);

    // A folder that cannot be written to (root may write anywhere).
    if (::geteuid() != 0) {
        QDir().mkdir(env.path(QStringLiteral("ro")));
        QFile::setPermissions(env.path(QStringLiteral("ro")), QFile::ReadOwner | QFile::ExeOwner);
        env.boxes.answer(MsgAnswerCode::Ok);
        b.Text1->setText(QStringLiteral("ro/x.txt"));
        b.Command1_Click();
        QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("CHANDATA"));
        QVERIFY(QDir(env.path(QStringLiteral("ro"))).isEmpty());
        QFile::setPermissions(env.path(QStringLiteral("ro")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
}

void TstChanData::roundTripThousandRecords()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    const QStringList marks = {QString(), QStringLiteral("A"), QStringLiteral(";"), QStringLiteral(","),
                               QStringLiteral("\""), QStringLiteral("\t"), QStringLiteral("＊")};
    QByteArray book;
    for (int i = 0; i < 1000; ++i) {
        QString name = QStringLiteral("山田太郎%1").arg(i);
        if (i % 7 == 0) name += QStringLiteral(";様");
        if (i % 11 == 0) name += QStringLiteral(",殿");
        if (i % 13 == 0) name = QStringLiteral("\"") + name + QStringLiteral("\"");
        if (i % 17 == 0) name += QStringLiteral("\tx");
        book += fixedRecord({name, QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ%1").arg(i % 100),
                                 QStringLiteral("%1-4567").arg(100 + i % 900),
                                 (i % 3 ? QString() : QStringLiteral("  ")) + QStringLiteral("東京都千代田区%1").arg(i),
                                 i % 5 ? QStringLiteral("１－２－３ ①ビル～%1").arg(i) : QString(),
                                 QStringLiteral("03-1234-%1").arg(i, 4, 10, QLatin1Char('0')),
                                 i % 4 ? QStringLiteral("株式会社,甲;乙") : QString(), QStringLiteral("課長"),
                                 i % 6 ? QString() : QStringLiteral("06-%1").arg(i), marks[i % marks.size()]});
    }
    env.writeFile(QStringLiteral("big.kno"), book);
    QVERIFY(env.open(QStringLiteral("big.kno"), DataModule::FixedLength));
    ChanData d(dm);

    // Fixed length -> each text format -> fixed length, under new names.
    for (int target = 1; target <= 3; ++target) {
        const QString text = QStringLiteral("t%1.txt").arg(target);
        convert(env, d, target, text);
        QVERIFY(env.open(text, DataModule::DelimitedText));
        dm.Delimiter = target == 1 ? QLatin1Char(';') : target == 2 ? QLatin1Char(',') : QLatin1Char('\t');
        QCOMPARE(dm.RecordCount, qint16(1000));
        ChanData back(dm);
        convert(env, back, 0, QStringLiteral("back%1.kno").arg(target));
        QVERIFY2(env.readFile(QStringLiteral("back%1.kno").arg(target)) == book, qPrintable(text));
        back.Command2_Click();
        QVERIFY(env.open(QStringLiteral("big.kno"), DataModule::FixedLength));
        dm.Delimiter = QLatin1Char(';');
    }

    // In place through every format and back.
    dm.Settings.DelimiterCode = 1;
    for (int target : {1, 2, 3, 1, 3, 2, 0}) {
        ChanData step(dm);
        convert(env, step, target, QStringLiteral("big.kno"), MsgAnswerCode::Yes);
        QCOMPARE(dm.RecordCount, qint16(1000));
        QCOMPARE(env.boxes.shown.last().text, QStringLiteral("データ変換完了"));
    }
    QCOMPARE(dm.DataFormat, DataModule::FixedLength);
    QVERIFY(env.readFile(QStringLiteral("big.kno")) == book);
}

void TstChanData::readOnlyFilesStay()
{
    // Neither the open book nor another file that the user may only read is
    // replaced; both keep their bytes and their permissions.
    TestEnv env;
    DataModule &dm = *env.dm;
    env.writeFile(QStringLiteral("a.kno"), threeRecords());
    env.writeFile(QStringLiteral("other.txt"), "other");
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    QFile::setPermissions(env.path(QStringLiteral("a.kno")), QFile::ReadOwner);
    QFile::setPermissions(env.path(QStringLiteral("other.txt")), QFile::ReadOwner);
    if (QFileInfo(env.path(QStringLiteral("a.kno"))).isWritable())
        QSKIP("running with rights that ignore file permissions");
    ChanData d(dm);
    convert(env, d, 2, QStringLiteral("a.kno"), MsgAnswerCode::Yes);
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("CHANDATA"));
    QVERIFY(env.boxes.shown.last().text.startsWith(QStringLiteral("a.kno に書き込めません。")));
    QCOMPARE(env.readFile(QStringLiteral("a.kno")), threeRecords());
    QCOMPARE(dm.DataFormat, DataModule::FixedLength);
    convert(env, d, 2, QStringLiteral("other.txt"), MsgAnswerCode::Yes);
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("CHANDATA"));
    QCOMPARE(env.readFile(QStringLiteral("other.txt")), QByteArray("other"));
    for (const QString &name : {QStringLiteral("a.kno"), QStringLiteral("other.txt")})
        QCOMPARE(QFileInfo(env.path(name)).permissions() & QFile::WriteOwner, QFileDevice::Permissions());
    QVERIFY(!QFile::exists(env.path(QStringLiteral("temp.ads"))));
    dm.LoadRecord(3);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("佐藤"));
}

QTEST_MAIN(TstChanData)
#include "tst_chandata.moc"
