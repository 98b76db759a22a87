// Every operation on the open book, on a disk that lets it down: a read
// error, a full disk, a write, sync or close that fails, another program
// changing the book. Afterwards the book is the old one byte for byte, the
// shared state still describes it, and the failure was reported (RunError),
// never done. And bytes CP932 cannot decode stay in the fields nobody changed.
#include "support/faults.h"
#include "support/testenv.h"
#include "support/books.h"

#include "app/furiganasort.h"
#include "convert/conversion.h"
#include "store/duplicaterecord.h"
#include "store/recordstore.h"

#include "platform/codec.h"
#include "platform/runerror.h"

#include <QtTest>

namespace {

const int Records = 5;
const QStringList NewRecord = {QStringLiteral("新人"), QStringLiteral("ｼﾝｼﾞﾝ"), QStringLiteral("999-9999")};

QString bookName(qint16 format)
{
    return format == DataModule::FixedLength ? QStringLiteral("a.kno") : QStringLiteral("a.txt");
}

// Runs `operation` on record 3 of the open book: a change of the record
// store, 並び換え, "convert N" (in place) or "convert N to FILE", an export
// or import in selection order, or the save-as copy. Returns the records the
// book then holds (the sample's for operations that keep them).
QList<QStringList> run(TestEnv &env, const QString &operation)
{
    DataModule &dm = *env.dm;
    QList<QStringList> records;
    for (int i = 1; i <= Records; ++i)
        records << sampleRecord(i);
    dm.CurrentRecord = 3;
    dm.ClearFields();
    for (int f = 1; f <= NewRecord.size(); ++f)
        dm.FieldText[f] = NewRecord[f - 1];
    const QStringList words = operation.split(QLatin1Char(' '));
    const QString &op = words[0];
    if (op == QLatin1String("load")) {
        dm.LoadRecord(3);
    } else if (op == QLatin1String("open")) {
        dm.Hyoujun();
    } else if (op == QLatin1String("append")) {
        AppendRecord(dm);
        records << NewRecord;
    } else if (op == QLatin1String("overwrite")) {
        OverwriteRecord(dm);
        records[2] = NewRecord;
    } else if (op == QLatin1String("delete")) {
        DeleteCurrent(dm);
        records.removeAt(2);
    } else if (op == QLatin1String("duplicate")) {
        dm.DataFormat == DataModule::FixedLength ? DuplicateRecord(dm) : DuplicateLine(dm);
        records.insert(3, records[2]);
    } else if (op == QLatin1String("sort")) {
        SortBook(dm);
    } else if (op == QLatin1String("convert")) {
        const bool inPlace = words.size() == 2;
        Conversion::ConvertBook(dm, inPlace ? dm.DataFilePath() : env.path(words[3]), words[1].toInt(), inPlace);
    } else if (op == QLatin1String("export")) {
        Conversion::ExportBookBySelection(dm, env.path(QStringLiteral("b.txt")), dm.DataFilePath());
    } else if (op == QLatin1String("import")) {
        env.boxes.answer(MsgAnswerCode::Ok);
        Conversion::ImportBySelection(dm);
    } else if (op == QLatin1String("copy")) {
        Conversion::CopyBook(dm.DataFilePath(), env.path(QStringLiteral("b.kno")));
    }
    return records;
}

// The file an operation writes: the book itself (a fixed-length record or a
// text book's new line, in place) or the work file of its rewrite.
QString writtenFile(qint16 format, const QString &operation)
{
    if (operation == QLatin1String("append")
        || (operation == QLatin1String("overwrite") && format == DataModule::FixedLength))
        return bookName(format);
    if (operation == QLatin1String("duplicate"))
        return QStringLiteral("asdfghjk.adr");
    if (QStringList{"overwrite", "delete", "sort"}.contains(operation))
        return QStringLiteral("Temp.adr");
    return Conversion::WorkFileName;
}

struct Opened {
    std::unique_ptr<TestEnv> env;
    QByteArray book;
    BookState state;
};

// The sample book open in a fresh folder, with a field selection defined.
Opened openSample(qint16 format)
{
    Opened o{std::make_unique<TestEnv>(), sampleBook(format, Records), {}};
    DataModule &dm = *o.env->dm;
    dm.Settings.SelectionCount = 3;
    dm.Settings.SelectionOrder[1] = Furigana;
    dm.Settings.SelectionOrder[2] = Name;
    dm.Settings.SelectionOrder[3] = Address1;
    o.env->writeFile(bookName(format), o.book);
    o.env->open(bookName(format), format);
    o.state = stateOf(dm);
    return o;
}

void addRows(const QMap<qint16, QStringList> &operations, const QStringList &variants)
{
    QTest::addColumn<qint16>("format");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("variant");
    for (auto it = operations.begin(); it != operations.end(); ++it)
        for (const QString &op : it.value())
            for (const QString &variant : variants)
                QTest::addRow("%s %s, %s", it.key() == DataModule::FixedLength ? "fixed" : "text",
                              qPrintable(op), qPrintable(variant))
                    << it.key() << op << variant;
}

} // namespace

class TestBookFaults : public QObject {
    Q_OBJECT
private slots:
    void readErrorsAreReported_data();
    void readErrorsAreReported();
    void failedWritesLeaveTheOldBook_data();
    void failedWritesLeaveTheOldBook();
    void overwriteThatCannotBePutBackSaysSo_data();
    void overwriteThatCannotBePutBackSaysSo();
    void bookChangedElsewhereIsLeftAlone_data();
    void bookChangedElsewhereIsLeftAlone();
    void untouchedFieldsKeepTheirBytes_data();
    void untouchedFieldsKeepTheirBytes();
    void bytesGoThroughEveryConversion();
};

void TestBookFaults::readErrorsAreReported_data()
{
    const QStringList both = {"load", "overwrite", "delete", "duplicate", "sort", "export"};
    addRows({{DataModule::FixedLength, both + QStringList{"convert 2", "convert 1 to b.txt", "copy"}},
             {DataModule::DelimitedText, both + QStringList{"open", "append", "convert 0", "convert 0 to b.kno",
                                                            "convert 3", "convert 2 to b.txt", "import"}}},
            {"first read", "record 3"});
}

void TestBookFaults::readErrorsAreReported()
{
    QFETCH(qint16, format);
    QFETCH(QString, operation);
    QFETCH(QString, variant);
    Opened o = openSample(format);
    DataModule &dm = *o.env->dm;
    // An append reads only the last byte of a text book.
    const qint64 at = operation == QLatin1String("append") ? o.book.size() - 1
        : variant == QLatin1String("first read") ? 0
        : format == DataModule::FixedLength ? 2 * 239 + 5 : dm.LineIndex[3] + 4;
    {
        FaultInjection faults;
        faults.inject(bookName(format), Fault::readAt(at), -1);
        dm.ReopenData();
        QVERIFY_THROWS_EXCEPTION(RunError, run(*o.env, operation));
        QVERIFY(faults.struck() > 0);
    }
    QCOMPARE(o.env->readFile(bookName(format)), o.book);
    QCOMPARE(QDir(o.env->dir.path()).entryList(QDir::Files), QStringList{bookName(format)});
    if (operation != QLatin1String("open") && operation != QLatin1String("import"))
        QCOMPARE(stateOf(dm), o.state);
}

void TestBookFaults::failedWritesLeaveTheOldBook_data()
{
    const QStringList both = {"append", "overwrite", "delete", "duplicate", "sort", "export"};
    addRows({{DataModule::FixedLength, both + QStringList{"convert 2", "copy"}},
             {DataModule::DelimitedText, both + QStringList{"convert 0", "convert 3", "import"}}},
            {"full disk", "write error", "sync error", "close error"});
}

void TestBookFaults::failedWritesLeaveTheOldBook()
{
    QFETCH(qint16, format);
    QFETCH(QString, operation);
    QFETCH(QString, variant);
    // Overwriting bytes in place takes no room on a disk.
    if (format == DataModule::FixedLength && operation == QLatin1String("overwrite")
        && variant == QLatin1String("full disk"))
        QSKIP("an overwrite in place needs no room");
    Opened o = openSample(format);
    DataModule &dm = *o.env->dm;
    const QString written = writtenFile(format, operation);
    const bool inPlace = written == bookName(format);
    {
        FaultInjection faults;
        std::unique_ptr<DiskLimit> full;
        if (variant == QLatin1String("full disk"))
            full = std::make_unique<DiskLimit>(inPlace ? o.book.size() + 10 : 100);
        else
            faults.inject(written, variant == QLatin1String("write error") ? Fault::writeAfter(inPlace ? 10 : 100)
                                   : variant == QLatin1String("sync error") ? Fault::sync() : Fault::close());
        QVERIFY_THROWS_EXCEPTION(RunError, run(*o.env, operation));
        QVERIFY(full || faults.struck() > 0);
    }
    QCOMPARE(o.env->readFile(bookName(format)), o.book);
    QCOMPARE(QDir(o.env->dir.path()).entryList(QDir::Files), QStringList{bookName(format)});
    if (operation != QLatin1String("import"))
        QCOMPARE(stateOf(dm), o.state);

    // Once the disk works again the same change is made, exactly once.
    const QList<QStringList> expected = run(*o.env, operation);
    if (inPlace || QStringList{"overwrite", "delete", "duplicate"}.contains(operation)) {
        QCOMPARE(o.env->readFile(bookName(format)), bookOf(format, expected));
        QCOMPARE(int(dm.RecordCount), int(expected.size()));
        if (format == DataModule::DelimitedText) {
            // The index is the one the open routine builds from the file.
            DataModule fresh(PlatformServices{&o.env->boxes, &o.env->modal, &o.env->help});
            fresh.CurrentFileName = bookName(format);
            fresh.DataFormat = format;
            fresh.FileMode = 1;
            QCOMPARE(fresh.Hyoujun(), 0);
            QCOMPARE(stateOf(dm).index, stateOf(fresh).index);
        }
    }
}

void TestBookFaults::overwriteThatCannotBePutBackSaysSo_data()
{
    QTest::addColumn<qint64>("reached"); // bytes of the new record that reach the file
    QTest::newRow("half the record written") << qint64(100);
    QTest::newRow("nothing written") << qint64(0);
}

void TestBookFaults::overwriteThatCannotBePutBackSaysSo()
{
    // The disk fails for the write and for the write-back after it.
    QFETCH(qint64, reached);
    Opened o = openSample(DataModule::FixedLength);
    FaultInjection faults;
    faults.inject(QStringLiteral("a.kno"), Fault::writeAfter(reached));
    faults.inject(QStringLiteral("a.kno"), Fault::writeAfter(0));
    try {
        run(*o.env, QStringLiteral("overwrite"));
        QFAIL("the failed write was not reported");
    } catch (const RunError &e) {
        QCOMPARE(e.description().endsWith(QStringLiteral("ﾃﾞｰﾀ番号 3 を元に戻せませんでした。")), reached > 0);
    }
    QCOMPARE(faults.struck(), 2);
    QCOMPARE(o.env->readFile(QStringLiteral("a.kno")) == o.book, reached == 0);
    QCOMPARE(stateOf(*o.env->dm), o.state);
}

void TestBookFaults::bookChangedElsewhereIsLeftAlone_data()
{
    const QStringList both = {"append", "overwrite", "delete", "duplicate", "sort", "export"};
    addRows({{DataModule::FixedLength, both + QStringList{"convert 1", "convert 2 to b.txt"}},
             {DataModule::DelimitedText, both + QStringList{"convert 0", "convert 3"}}},
            {"record added"});
    // The other program kept the size, not the lines.
    for (const char *op : {"overwrite", "delete", "duplicate", "sort"})
        QTest::addRow("text %s, lines moved", op) << DataModule::DelimitedText << QString::fromLatin1(op)
                                                  << QStringLiteral("lines moved");
}

void TestBookFaults::bookChangedElsewhereIsLeftAlone()
{
    QFETCH(qint16, format);
    QFETCH(QString, operation);
    QFETCH(QString, variant);
    Opened o = openSample(format);
    const QString path = o.env->path(bookName(format));
    if (variant == QLatin1String("lines moved")) {
        QByteArray other = o.book;
        other.remove(2, 1);
        other.insert(qsizetype(o.env->dm->LineIndex[2]), 'x');
        o.env->writeFile(bookName(format), other);
    } else {
        appendBehindBack(path, sampleBook(format, 1));
    }
    const QByteArray changed = o.env->readFile(bookName(format));
    try {
        run(*o.env, operation);
        QFAIL("a book another program changed was written over");
    } catch (const RunError &e) {
        QCOMPARE(e.description(),
                 bookName(format) + QStringLiteral(" が他のプログラムで変更されています。ファイルを開き直してください。"));
    }
    QCOMPARE(o.env->readFile(bookName(format)), changed);
    QCOMPARE(QDir(o.env->dir.path()).entryList(QDir::Files), QStringList{bookName(format)});
    QCOMPARE(stateOf(*o.env->dm), o.state);
}

void TestBookFaults::untouchedFieldsKeepTheirBytes_data()
{
    QTest::addColumn<qint16>("format");
    QTest::newRow("fixed") << DataModule::FixedLength;
    QTest::newRow("text") << DataModule::DelimitedText;
}

void TestBookFaults::untouchedFieldsKeepTheirBytes()
{
    // Address 1 holds a byte pair CP932 does not define (written by another
    // program), the title a character CP932 has two codes for, in the code
    // the program would not choose.
    QFETCH(qint16, format);
    TestEnv env;
    DataModule &dm = *env.dm;
    const QByteArray address = QByteArray("\x85\x40" "x") + Cp932::encode(QStringLiteral("東京"));
    const QByteArray title("\x87\x90");
    QByteArray record;
    if (format == DataModule::FixedLength) {
        AddressRecord r = AddressRecord::fromBytes(fixedRecord({QStringLiteral("山田"), QStringLiteral("ﾔﾏﾀﾞ")}));
        r.setFieldBytes(Address1, address);
        r.setFieldBytes(Title, title);
        record = r.bytes();
    } else {
        record = Cp932::encode(QStringLiteral("山田;ﾔﾏﾀﾞ;;")) + address + ";;;;" + title + ";;\r\n";
    }
    const QByteArray second = sampleBook(format, 1);
    env.writeFile(bookName(format), record + second);
    QVERIFY(env.open(bookName(format), format));

    // The correction as the form makes it: the record loaded, one field changed.
    dm.CurrentRecord = 1;
    dm.LoadRecord(1);
    QVERIFY(dm.FieldText[Address1].contains(QChar(0xFFFD)));
    dm.FieldText[Name] = QStringLiteral("山本");
    OverwriteRecord(dm);
    QCOMPARE(env.readFile(bookName(format)), Cp932::encode(QStringLiteral("山本")) + record.mid(4) + second);

    // A field that was changed is written from its text.
    dm.LoadRecord(1);
    dm.FieldText[Address1] += QStringLiteral("1");
    OverwriteRecord(dm);
    const QByteArray stored = env.readFile(bookName(format));
    QVERIFY(stored.contains(QByteArray("?@x") + Cp932::encode(QStringLiteral("東京1"))));
    QVERIFY(stored.contains(title));
}

void TestBookFaults::bytesGoThroughEveryConversion()
{
    // A fixed-length record with bytes CP932 does not define, through the
    // sort, every text format, back, and out and in in selection order.
    TestEnv env;
    DataModule &dm = *env.dm;
    AddressRecord r = AddressRecord::fromBytes(fixedRecord({QStringLiteral("山田"), QStringLiteral("ﾔﾏﾀﾞ")}));
    const QByteArray odd = QByteArray("\x85\x40" "x,y;") + QByteArray("\x87\x90");
    r.setFieldBytes(Address1, odd);
    r.setFieldBytes(Mark, QByteArray("\xa0"));
    // In the order of the readings: ﾅ comes before ﾔ.
    const QByteArray sorted = sampleBook(DataModule::FixedLength, 1) + r.bytes();
    env.writeFile(QStringLiteral("a.kno"), r.bytes() + sampleBook(DataModule::FixedLength, 1));
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));

    run(env, QStringLiteral("sort"));
    QCOMPARE(env.readFile(QStringLiteral("a.kno")), sorted);
    run(env, QStringLiteral("convert 2"));
    QVERIFY(env.readFile(QStringLiteral("a.kno"))
                .endsWith(Cp932::encode(QStringLiteral("山田,ﾔﾏﾀﾞ,,\"")) + odd + "\",,,,,,\xa0\r\n"));
    run(env, QStringLiteral("convert 3"));
    QVERIFY(env.readFile(QStringLiteral("a.kno")).contains("\t" + odd + "\t"));
    run(env, QStringLiteral("convert 0"));
    QCOMPARE(env.readFile(QStringLiteral("a.kno")), sorted);

    dm.Delimiter = QLatin1Char(';');
    dm.Settings.SelectionCount = 3;
    dm.Settings.SelectionOrder = {0, Furigana, Name, Address1};
    run(env, QStringLiteral("export"));
    QVERIFY(env.readFile(QStringLiteral("b.txt")).endsWith(Cp932::encode(QStringLiteral("ﾔﾏﾀﾞ;山田;\"")) + odd + "\";\r\n"));
    dm.CurrentFileName = QStringLiteral("b.txt");
    run(env, QStringLiteral("import"));
    const AddressRecord back = AddressRecord::fromBytes(env.readFile(QStringLiteral("KANOTE01.KNO")).mid(239));
    QCOMPARE(back.fieldBytes(Address1).left(odd.size()), odd);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

QTEST_MAIN(TestBookFaults)
#include "tst_bookfaults.moc"
