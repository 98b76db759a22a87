// The record store on disk: append, overwrite and delete in both formats,
// compared byte for byte with the book that should result.
#include "support/testenv.h"
#include "support/books.h"

#include "store/recordstore.h"

#include "platform/codec.h"
#include "platform/runerror.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

namespace {

// The line index the open routine builds from the file now on disk.
QList<qint32> freshIndex(TestEnv &env)
{
    DataModule other(PlatformServices{&env.boxes, &env.modal, &env.help});
    other.CurrentFileName = env.dm->CurrentFileName;
    other.DataFormat = DataModule::DelimitedText;
    other.FileMode = 2;
    other.Hyoujun();
    QList<qint32> index;
    for (int i = 1; i <= other.RecordCount + 1; ++i)
        index << other.LineIndex[i];
    return index;
}

QList<qint32> currentIndex(const DataModule &dm)
{
    QList<qint32> index;
    for (int i = 1; i <= dm.RecordCount + 1; ++i)
        index << dm.LineIndex[i];
    return index;
}

} // namespace

class TestRecordStore : public QObject {
    Q_OBJECT
private slots:
    void appendFixed();
    void appendText();
    void overwriteFixed();
    void overwriteText();
    void deleteFixed();
    void deleteText();
    void limits();
    void failuresLeaveTheOldBook();
    void linkedBookIsChangedThroughTheLink();
    void bookChangedElsewhereIsLeftAlone();
    void randomOperationsMatchAModel();
};

void TestRecordStore::appendFixed()
{
    TestEnv env;
    env.writeFile("a.kno", QByteArray());
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    DataModule &dm = *env.dm;
    setFields(dm, {"山田太郎", "ﾔﾏﾀﾞﾀﾛｳ", "123-4567", "東京都"});
    AppendRecord(dm);
    QCOMPARE(dm.RecordCount, qint16(1));
    QCOMPARE(dm.RecordBuffer.bytes(), QByteArray(239, ' '));
    setFields(dm, {"鈴木", "ｽｽﾞｷ", "", "", "", "", "", "", "", "A"});
    AppendRecord(dm);
    QCOMPARE(dm.RecordCount, qint16(2));
    const QByteArray expected = fixedBook({{"山田太郎", "ﾔﾏﾀﾞﾀﾛｳ", "123-4567", "東京都"},
                                           {"鈴木", "ｽｽﾞｷ", "", "", "", "", "", "", "", "A"}});
    QCOMPARE(env.readFile("a.kno"), expected);
    QCOMPARE(dm.FileLength, qint64(478));
    // The channel is open again and reads what was written.
    dm.ReadRecord(2);
    QCOMPARE(dm.RecordBuffer.fieldText(Name), QStringLiteral("鈴木"));
}

void TestRecordStore::appendText()
{
    TestEnv env;
    // A new, empty text book: the first line starts at 1.
    QVERIFY(env.open("new.txt", DataModule::DelimitedText, 0));
    DataModule &dm = *env.dm;
    setFields(dm, {"山田", "ﾔﾏﾀﾞ", " 1 "});
    AppendRecord(dm);
    const QByteArray first = textLine("山田;ﾔﾏﾀﾞ;1;;;;;;;");
    QCOMPARE(env.readFile("new.txt"), first);
    QCOMPARE(dm.RecordCount, qint16(1));
    QCOMPARE(dm.LineIndex[1], 1);
    QCOMPARE(dm.LineIndex[2], qint32(first.size() + 1));

    // An existing book grows by exactly the new line; the old lines keep
    // their positions.
    env.writeFile("b.txt", textBook({"a;b", "c;d"}));
    QVERIFY(env.open("b.txt", DataModule::DelimitedText));
    setFields(dm, {"e", "f"});
    AppendRecord(dm);
    QCOMPARE(env.readFile("b.txt"), textBook({"a;b", "c;d", "e;f;;;;;;;;"}));
    QCOMPARE(currentIndex(dm), (QList<qint32>{1, 6, 11, 24}));
    QCOMPARE(currentIndex(dm), freshIndex(env));

    // A last line without a line end gets one; it is never joined onto.
    env.writeFile("c.txt", Cp932::encode("a;b\r\nc;d"));
    QVERIFY(env.open("c.txt", DataModule::DelimitedText));
    QCOMPARE(dm.RecordCount, qint16(2));
    setFields(dm, {"e", "f"});
    AppendRecord(dm);
    QCOMPARE(env.readFile("c.txt"), textBook({"a;b", "c;d", "e;f;;;;;;;;"}));
    QCOMPARE(dm.RecordCount, qint16(3));
    QCOMPARE(currentIndex(dm), freshIndex(env));
}

void TestRecordStore::overwriteFixed()
{
    TestEnv env;
    env.writeFile("a.kno", fixedBook({{"一"}, {"二"}, {"三"}}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    DataModule &dm = *env.dm;
    dm.CurrentRecord = 2;
    setFields(dm, {"弐", "ﾆ", "", "  左に空白"});
    OverwriteRecord(dm);
    QCOMPARE(env.readFile("a.kno"), fixedBook({{"一"}, {"弐", "ﾆ", "", "  左に空白"}, {"三"}}));
    QCOMPARE(dm.RecordCount, qint16(3));
    QVERIFY(!QFile::exists(env.path("Temp.adr")));
}

void TestRecordStore::overwriteText()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    // Line 1 holds bytes that are not valid CP932: copied lines keep their bytes.
    const QByteArray odd = QByteArray("x\x81;y") + "\r\n";
    env.writeFile("t.txt", odd + textBook({"b;2", "c;3"}));
    QVERIFY(env.open("t.txt", DataModule::DelimitedText));

    // A longer line 2 moves line 3.
    dm.CurrentRecord = 2;
    setFields(dm, {"ながい名前", "ﾅｶﾞｲ"});
    OverwriteRecord(dm);
    QByteArray expected = odd + textLine("ながい名前;ﾅｶﾞｲ;;;;;;;;") + textLine("c;3");
    QCOMPARE(env.readFile("t.txt"), expected);
    QCOMPARE(dm.LineIndex[3], qint32(odd.size() + 25 + 1));
    QCOMPARE(dm.LineIndex[4], qint32(expected.size() + 1));
    QCOMPARE(currentIndex(dm), freshIndex(env));

    // A shorter one moves it back.
    setFields(dm, {"b", "2"});
    OverwriteRecord(dm);
    expected = odd + textLine("b;2;;;;;;;;") + textLine("c;3");
    QCOMPARE(env.readFile("t.txt"), expected);
    QCOMPARE(currentIndex(dm), freshIndex(env));
    // The channel reads the new line.
    dm.LoadRecord(3);
    QCOMPARE(dm.FieldText[1], QStringLiteral("c"));

    // A one-line book whose line had no line end ends with CR LF afterwards.
    env.writeFile("one.txt", Cp932::encode("a;b"));
    QVERIFY(env.open("one.txt", DataModule::DelimitedText));
    dm.CurrentRecord = 1;
    setFields(dm, {"a", "c"});
    OverwriteRecord(dm);
    QCOMPARE(env.readFile("one.txt"), textLine("a;c;;;;;;;;"));
    QCOMPARE(currentIndex(dm), (QList<qint32>{1, 14}));

    // Overwriting the last line of a book whose last line had no line end.
    env.writeFile("two.txt", Cp932::encode("a;b\r\nc;d"));
    QVERIFY(env.open("two.txt", DataModule::DelimitedText));
    dm.CurrentRecord = 1;
    setFields(dm, {"x", "y"});
    OverwriteRecord(dm);
    QCOMPARE(env.readFile("two.txt"), textLine("x;y;;;;;;;;") + textLine("c;d"));
    QVERIFY(!QFile::exists(env.path("Temp.adr")));
}

void TestRecordStore::deleteFixed()
{
    const QList<QStringList> four = {{"一"}, {"二"}, {"三"}, {"四"}};
    struct Case { int deleted; QList<QStringList> left; };
    const QList<Case> cases = {
        {1, {{"二"}, {"三"}, {"四"}}},
        {3, {{"一"}, {"二"}, {"四"}}},
        {4, {{"一"}, {"二"}, {"三"}}},
    };
    for (const Case &c : cases) {
        TestEnv env;
        env.writeFile("a.kno", fixedBook(four));
        // A leftover from an earlier run, larger than the new book.
        env.writeFile("Temp.adr", QByteArray(5000, 'Z'));
        QVERIFY(env.open("a.kno", DataModule::FixedLength));
        env.dm->CurrentRecord = c.deleted;
        DeleteRecord(*env.dm);
        QCOMPARE(env.readFile("a.kno"), fixedBook(c.left));
        QCOMPARE(env.dm->RecordCount, qint16(3));
        QCOMPARE(env.dm->FileLength, qint64(3 * 239));
        QVERIFY(!QFile::exists(env.path("Temp.adr")));
        env.dm->ReadRecord(3);
        QCOMPARE(env.dm->RecordBuffer.fieldText(Name), c.left[2][0]);
    }
    // The only record: an empty book.
    TestEnv env;
    env.writeFile("a.kno", fixedBook({{"一"}}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    env.dm->CurrentRecord = 1;
    DeleteCurrent(*env.dm);
    QCOMPARE(env.readFile("a.kno"), QByteArray());
    QCOMPARE(env.dm->RecordCount, qint16(0));
    QVERIFY(QFile::exists(env.path("a.kno")));
}

void TestRecordStore::deleteText()
{
    const QStringList three = {"a;1", "bb;2", "ccc;3"};
    struct Case { int deleted; QStringList left; };
    const QList<Case> cases = {
        {1, {"bb;2", "ccc;3"}},
        {2, {"a;1", "ccc;3"}},
        {3, {"a;1", "bb;2"}},
    };
    for (const Case &c : cases) {
        TestEnv env;
        env.writeFile("t.txt", textBook(three));
        env.writeFile("Temp.adr", QByteArray(5000, 'Z'));
        QVERIFY(env.open("t.txt", DataModule::DelimitedText));
        env.dm->CurrentRecord = c.deleted;
        DeleteLine(*env.dm);
        QCOMPARE(env.readFile("t.txt"), textBook(c.left));
        QCOMPARE(env.dm->RecordCount, qint16(2));
        QCOMPARE(currentIndex(*env.dm), freshIndex(env));
        QVERIFY(!QFile::exists(env.path("Temp.adr")));
        env.dm->LoadRecord(2);
        QCOMPARE(env.dm->FieldText[1], c.left[1].section(';', 0, 0));
    }
    {
        // The last line had no line end: the copied lines all end in CR LF.
        TestEnv env;
        env.writeFile("t.txt", Cp932::encode("a;1\r\nb;2\r\nc;3"));
        QVERIFY(env.open("t.txt", DataModule::DelimitedText));
        env.dm->CurrentRecord = 1;
        DeleteCurrent(*env.dm);
        QCOMPARE(env.readFile("t.txt"), textBook({"b;2", "c;3"}));
        QCOMPARE(currentIndex(*env.dm), (QList<qint32>{1, 6, 11}));
    }
    // The only line: an empty book whose next line starts at 1.
    TestEnv env;
    env.writeFile("t.txt", textBook({"a;1"}));
    QVERIFY(env.open("t.txt", DataModule::DelimitedText));
    env.dm->CurrentRecord = 1;
    DeleteLine(*env.dm);
    QCOMPARE(env.readFile("t.txt"), QByteArray());
    QCOMPARE(env.dm->RecordCount, qint16(0));
    QCOMPARE(env.dm->LineIndex[1], 1);
    // And a record appended afterwards is the first line.
    setFields(*env.dm, {"z", "9"});
    AppendRecord(*env.dm);
    QCOMPARE(env.readFile("t.txt"), textBook({"z;9;;;;;;;;"}));
}

void TestRecordStore::limits()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    env.writeFile("a.kno", fixedBook({{"一"}}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    QVERIFY(AppendLimitText(dm).isEmpty());
    dm.RecordCount = DataModule::MaxFixedRecords;
    QCOMPARE(AppendLimitText(dm), QStringLiteral("ﾃﾞｰﾀ数が 32767 件に達しているため、これ以上追加できません。"));
    setFields(dm, {"二"});
    QVERIFY_THROWS_EXCEPTION(RunError, AppendRecord(dm));
    QCOMPARE(env.readFile("a.kno"), fixedBook({{"一"}}));
    QCOMPARE(dm.RecordCount, qint16(DataModule::MaxFixedRecords));

    // A text book of 1027 lines takes no 1028th.
    QStringList lines;
    for (int i = 1; i <= DataModule::MaxTextRecords; ++i)
        lines << QStringLiteral("n%1;r").arg(i);
    const QByteArray book = textBook(lines);
    env.writeFile("t.txt", book);
    QVERIFY(env.open("t.txt", DataModule::DelimitedText));
    QCOMPARE(dm.RecordCount, qint16(1027));
    QCOMPARE(AppendLimitText(dm),
             QStringLiteral("可変長ファイルのﾃﾞｰﾀ数が 1027 件に達しているため、これ以上追加できません。"));
    QVERIFY_THROWS_EXCEPTION(RunError, AppendRecord(dm));
    QCOMPARE(env.readFile("t.txt"), book);
    // One line less takes one more, and its end is index entry 1028.
    dm.CurrentRecord = 1027;
    DeleteLine(dm);
    AppendRecord(dm);
    QCOMPARE(dm.RecordCount, qint16(1027));
    QCOMPARE(dm.LineIndex[1028], qint32(QFileInfo(env.path("t.txt")).size() + 1));
}

void TestRecordStore::failuresLeaveTheOldBook()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    const QByteArray book = textBook({"a;1", "b;2", "c;3"});
    env.writeFile("t.txt", book);
    QVERIFY(env.open("t.txt", DataModule::DelimitedText));
    const QList<qint32> index = currentIndex(dm);
    // "Temp.adr" cannot be created: a folder of that name is in the way.
    QVERIFY(QDir(env.dir.path()).mkdir("Temp.adr"));
    dm.CurrentRecord = 2;
    setFields(dm, {"x", "y"});
    QVERIFY_THROWS_EXCEPTION(RunError, OverwriteRecord(dm));
    QVERIFY_THROWS_EXCEPTION(RunError, DeleteLine(dm));
    QCOMPARE(env.readFile("t.txt"), book);
    QCOMPARE(dm.RecordCount, qint16(3));
    QCOMPARE(currentIndex(dm), index);
    // The book is still open and readable.
    dm.LoadRecord(3);
    QCOMPARE(dm.FieldText[1], QStringLiteral("c"));
    QVERIFY(QDir(env.dir.path()).rmdir("Temp.adr"));
    DeleteLine(dm);
    QCOMPARE(env.readFile("t.txt"), textBook({"a;1", "c;3"}));

    // A value holding a line break would split its record over two lines.
    dm.CurrentRecord = 1;
    setFields(dm, {"x", "y", "", "東京都\r\n港区"});
    QVERIFY_THROWS_EXCEPTION(RunError, OverwriteRecord(dm));
    setFields(dm, {"x\ny"});
    QVERIFY_THROWS_EXCEPTION(RunError, AppendRecord(dm));
    QCOMPARE(env.readFile("t.txt"), textBook({"a;1", "c;3"}));
    QCOMPARE(dm.RecordCount, qint16(2));

    // A book named like the temporary file is never written over by it.
    env.writeFile("Temp.adr", fixedBook({{"一"}, {"二"}}));
    QVERIFY(env.open("Temp.adr", DataModule::FixedLength));
    dm.CurrentRecord = 1;
    QVERIFY_THROWS_EXCEPTION(RunError, DeleteRecord(dm));
    QCOMPARE(env.readFile("Temp.adr"), fixedBook({{"一"}, {"二"}}));

    // A fixed-length deletion that cannot create its temporary file.
    env.writeFile("d.kno", fixedBook({{"一"}, {"二"}}));
    QVERIFY(env.open("d.kno", DataModule::FixedLength));
    QVERIFY(QFile::remove(env.path("Temp.adr")));
    QVERIFY(QDir(env.dir.path()).mkdir("Temp.adr"));
    dm.CurrentRecord = 1;
    QVERIFY_THROWS_EXCEPTION(RunError, DeleteRecord(dm));
    QCOMPARE(env.readFile("d.kno"), fixedBook({{"一"}, {"二"}}));
    QCOMPARE(dm.RecordCount, qint16(2));
    QVERIFY(QDir(env.dir.path()).rmdir("Temp.adr"));

    // Books marked read-only: nothing changes, not even through a rewrite's
    // rename (which needs only the folder to be writable), and the mark stays.
    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    env.writeFile("r.kno", fixedBook({{"一"}, {"二"}}));
    QVERIFY(QFile::setPermissions(env.path("r.kno"), readOnly));
    QVERIFY(env.open("r.kno", DataModule::FixedLength));
    setFields(dm, {"三"});
    QVERIFY_THROWS_EXCEPTION(RunError, AppendRecord(dm));
    dm.CurrentRecord = 1;
    QVERIFY_THROWS_EXCEPTION(RunError, OverwriteRecord(dm));
    QVERIFY_THROWS_EXCEPTION(RunError, DeleteRecord(dm));
    QCOMPARE(env.readFile("r.kno"), fixedBook({{"一"}, {"二"}}));
    QCOMPARE(dm.RecordCount, qint16(2));
    const auto anyWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    QVERIFY(!(QFile::permissions(env.path("r.kno")) & anyWrite));

    env.writeFile("r.txt", textBook({"a;1", "b;2"}));
    QVERIFY(QFile::setPermissions(env.path("r.txt"), readOnly));
    QVERIFY(env.open("r.txt", DataModule::DelimitedText));
    dm.CurrentRecord = 2;
    setFields(dm, {"x", "y"});
    QVERIFY_THROWS_EXCEPTION(RunError, OverwriteRecord(dm));
    QVERIFY_THROWS_EXCEPTION(RunError, DeleteLine(dm));
    QVERIFY_THROWS_EXCEPTION(RunError, AppendRecord(dm));
    QCOMPARE(env.readFile("r.txt"), textBook({"a;1", "b;2"}));
    QCOMPARE(dm.RecordCount, qint16(2));
    QVERIFY(!(QFile::permissions(env.path("r.txt")) & anyWrite));
    QVERIFY(!QFile::exists(env.path("Temp.adr")));

    // A book removed behind the program's back is not written into the void.
    env.writeFile("gone.kno", fixedBook({{"一"}}));
    QVERIFY(env.open("gone.kno", DataModule::FixedLength));
    QVERIFY(QFile::remove(env.path("gone.kno")));
    setFields(dm, {"二"});
    try {
        AppendRecord(dm);
        QFAIL("the append went through");
    } catch (const RunError &e) {
        QCOMPARE(e.description(), QStringLiteral("ファイルが見つかりません。(gone.kno)"));
    }
    QCOMPARE(dm.RecordCount, qint16(1));
    QVERIFY(!QFile::exists(env.path("gone.kno")));
}

void TestRecordStore::linkedBookIsChangedThroughTheLink()
{
    // A book opened through a symbolic link: every rewrite changes the file
    // the link points to, and the link stays a link.
    TestEnv env;
    DataModule &dm = *env.dm;
    QVERIFY(QDir(env.dir.path()).mkdir("real"));
    env.writeFile("real/a.kno", fixedBook({{"一"}, {"二"}}));
    QVERIFY(QFile::link(env.path("real/a.kno"), env.path("a.kno")));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    dm.CurrentRecord = 1;
    DeleteRecord(dm);
    QVERIFY(QFileInfo(env.path("a.kno")).isSymLink());
    QCOMPARE(env.readFile("real/a.kno"), fixedBook({{"二"}}));

    env.writeFile("real/t.txt", textBook({"a;1", "b;2"}));
    QVERIFY(QFile::link(env.path("real/t.txt"), env.path("t.txt")));
    QVERIFY(env.open("t.txt", DataModule::DelimitedText));
    dm.CurrentRecord = 2;
    setFields(dm, {"x", "y"});
    OverwriteRecord(dm);
    dm.CurrentRecord = 1;
    DeleteLine(dm);
    QVERIFY(QFileInfo(env.path("t.txt")).isSymLink());
    QCOMPARE(env.readFile("real/t.txt"), textBook({"x;y;;;;;;;;"}));
    dm.LoadRecord(1);
    QCOMPARE(dm.FieldText[1], QStringLiteral("x"));
    QVERIFY(!QFile::exists(env.path("Temp.adr")));
}

void TestRecordStore::bookChangedElsewhereIsLeftAlone()
{
    // Another program added a record after the book was opened: no change
    // may drop it or write over it.
    TestEnv env;
    DataModule &dm = *env.dm;
    env.writeFile("t.txt", textBook({"a;1", "b;2"}));
    QVERIFY(env.open("t.txt", DataModule::DelimitedText));
    const QByteArray grown = textBook({"a;1", "b;2", "c;3"});
    env.writeFile("t.txt", grown);
    dm.CurrentRecord = 1;
    setFields(dm, {"x", "y"});
    QVERIFY_THROWS_EXCEPTION(RunError, OverwriteRecord(dm));
    QVERIFY_THROWS_EXCEPTION(RunError, DeleteLine(dm));
    try {
        AppendRecord(dm);
        QFAIL("the append went through");
    } catch (const RunError &e) {
        QCOMPARE(e.description(),
                 QStringLiteral("t.txt が他のプログラムで変更されています。ファイルを開き直してください。"));
    }
    QCOMPARE(env.readFile("t.txt"), grown);
    QCOMPARE(dm.RecordCount, qint16(2));

    env.writeFile("a.kno", fixedBook({{"一"}, {"二"}}));
    QVERIFY(env.open("a.kno", DataModule::FixedLength));
    const QByteArray grownFixed = fixedBook({{"一"}, {"二"}, {"三"}});
    env.writeFile("a.kno", grownFixed);
    dm.CurrentRecord = 1;
    QVERIFY_THROWS_EXCEPTION(RunError, DeleteRecord(dm));
    setFields(dm, {"四"});
    QVERIFY_THROWS_EXCEPTION(RunError, AppendRecord(dm));
    QCOMPARE(env.readFile("a.kno"), grownFixed);
    QCOMPARE(dm.RecordCount, qint16(2));
    QVERIFY(!QFile::exists(env.path("Temp.adr")));
}

void TestRecordStore::randomOperationsMatchAModel()
{
    QRandomGenerator random(4711);
    const QStringList names = {"山田", "ｽｽﾞｷ", "田中一郎", "abc", "佐藤", "ﾀｶﾊｼ", "伊藤ＡＢ"};
    auto randomRecord = [&] {
        QStringList r;
        for (int f = 0; f < 10; ++f)
            r << (random.bounded(3) == 0 ? QString() : names[random.bounded(names.size())].left(f == 9 ? 1 : 8));
        if (r[0].isEmpty())
            r[0] = QStringLiteral("名");
        return r;
    };
    for (const qint16 format : {DataModule::FixedLength, DataModule::DelimitedText}) {
        TestEnv env;
        DataModule &dm = *env.dm;
        const QString file = format == DataModule::FixedLength ? QStringLiteral("m.kno") : QStringLiteral("m.txt");
        env.writeFile(file, QByteArray());
        QVERIFY(env.open(file, format, 1));
        QList<QStringList> model;
        for (int step = 0; step < 300; ++step) {
            const int op = model.isEmpty() ? 0 : random.bounded(3);
            if (op == 0) {
                const QStringList r = randomRecord();
                setFields(dm, r);
                AppendRecord(dm);
                model.append(r);
            } else {
                const int n = 1 + random.bounded(int(model.size()));
                dm.CurrentRecord = n;
                if (op == 1) {
                    const QStringList r = randomRecord();
                    setFields(dm, r);
                    OverwriteRecord(dm);
                    model[n - 1] = r;
                } else {
                    DeleteCurrent(dm);
                    model.removeAt(n - 1);
                }
            }
            QCOMPARE(int(dm.RecordCount), int(model.size()));
        }
        QByteArray expected;
        for (const QStringList &r : model)
            expected += format == DataModule::FixedLength ? fixedRecord(r) : textLine(r.join(';'));
        QCOMPARE(env.readFile(file), expected);
        if (format == DataModule::DelimitedText)
            QCOMPARE(currentIndex(dm), freshIndex(env));
        for (int n = 1; n <= model.size(); ++n) {
            dm.CurrentRecord = n;
            dm.LoadRecord(n);
            QCOMPARE(dm.FieldText[Name], model[n - 1][0]);
        }
    }
}

QTEST_MAIN(TestRecordStore)
#include "tst_recordstore.moc"
