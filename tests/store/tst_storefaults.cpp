// The record store on a disk that lets it down: every read is checked, every
// failed write leaves the old book byte for byte with the shared state
// describing it, the settings file survives a full disk, and bytes CP932
// cannot decode stay in the fields nobody changed.
#include "support/faults.h"
#include "support/testenv.h"

#include "store/duplicaterecord.h"
#include "store/recordstore.h"
#include "store/settingsfile.h"

#include "platform/codec.h"
#include "platform/runerror.h"

#include <QtTest>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const int Records = 5;

QString bookName(qint16 format)
{
    return format == DataModule::FixedLength ? QStringLiteral("a.kno") : QStringLiteral("a.txt");
}

// The book of these records in `format`, as the program writes it.
QByteArray bookOf(qint16 format, const QList<QStringList> &records)
{
    QByteArray book;
    for (const QStringList &r : records)
        book += format == DataModule::FixedLength
            ? TestEnv::record(r)
            : TestEnv::line((r + QStringList(10 - r.size(), QString())).join(QLatin1Char(';')));
    return book;
}

QList<QStringList> sampleRecords()
{
    QList<QStringList> records;
    for (int i = 1; i <= Records; ++i)
        records << sampleRecord(i);
    return records;
}

// The 0-based offset of record n of the open book.
qint64 offsetOf(const DataModule &dm, int n)
{
    return dm.DataFormat == DataModule::FixedLength ? qint64(n - 1) * dm.RecordLength
                                                    : qint64(dm.LineIndex[n]) - 1;
}

void setFields(DataModule &dm, const QStringList &fields)
{
    dm.ClearFields();
    for (int f = 1; f <= fields.size(); ++f)
        dm.FieldText[f] = fields[f - 1];
}

const QStringList NewRecord = {QStringLiteral("新人"), QStringLiteral("ｼﾝｼﾞﾝ"), QStringLiteral("999-9999")};

// Runs a change of the record store on record 3 and returns the records the
// book should then hold.
QList<QStringList> change(DataModule &dm, const QString &operation)
{
    QList<QStringList> records = sampleRecords();
    dm.CurrentRecord = 3;
    if (operation == QLatin1String("append")) {
        setFields(dm, NewRecord);
        AppendRecord(dm);
        records << NewRecord;
    } else if (operation == QLatin1String("overwrite")) {
        setFields(dm, NewRecord);
        OverwriteRecord(dm);
        records[2] = NewRecord;
    } else if (operation == QLatin1String("delete")) {
        DeleteCurrent(dm);
        records.removeAt(2);
    } else if (operation == QLatin1String("duplicate")) {
        if (dm.DataFormat == DataModule::FixedLength)
            DuplicateRecord(dm);
        else
            DuplicateLine(dm);
        records.insert(3, records[2]);
    } else if (operation == QLatin1String("load")) {
        dm.LoadRecord(3);
    } else if (operation == QLatin1String("open")) {
        dm.Hyoujun();
    }
    return records;
}

// A 1024-byte settings file that is not what a first run writes.
QByteArray earlierSettings()
{
    SettingsRecord s;
    SettingsFile::applyFirstRun(s, QStringLiteral("/home/利用者"), QDate(2001, 2, 3), LayoutDefaults::factory());
    s.SenderNumber = 7;
    s.SettingsVersion = SettingsRecord::CurrentVersion;
    return s.toBytes();
}

} // namespace

class TestStoreFaults : public QObject {
    Q_OBJECT
private slots:
    void readErrorsAreReported_data();
    void readErrorsAreReported();
    void failedWritesLeaveTheOldBook_data();
    void failedWritesLeaveTheOldBook();
    void overwriteThatCannotBePutBackSaysSo_data();
    void overwriteThatCannotBePutBackSaysSo();
    void bookChangedElsewhereIsNotRewritten_data();
    void bookChangedElsewhereIsNotRewritten();
    void settingsSurviveAFailedWrite_data();
    void settingsSurviveAFailedWrite();
    void settingsThatCannotBeReadAreNotFirstRun();
    void settingsInUnusualPlaces();
    void untouchedFieldsKeepTheirBytes_data();
    void untouchedFieldsKeepTheirBytes();
};

void TestStoreFaults::readErrorsAreReported_data()
{
    QTest::addColumn<qint16>("format");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("firstRead"); // else five bytes into record 3
    for (const qint16 format : {DataModule::FixedLength, DataModule::DelimitedText}) {
        QStringList operations = {"load", "overwrite", "delete", "duplicate"};
        if (format == DataModule::DelimitedText)
            operations << "open" << "append";
        for (const QString &op : operations)
            for (const bool first : {true, false})
                QTest::addRow("%s %s %s", format == DataModule::FixedLength ? "fixed" : "text",
                              qPrintable(op), first ? "first read" : "record 3")
                    << format << op << first;
    }
}

void TestStoreFaults::readErrorsAreReported()
{
    QFETCH(qint16, format);
    QFETCH(QString, operation);
    QFETCH(bool, firstRead);
    TestEnv env;
    DataModule &dm = *env.dm;
    const QByteArray book = sampleBook(format, Records);
    env.writeFile(bookName(format), book);
    QVERIFY(env.open(bookName(format), format));
    const BookState before = stateOf(dm);
    // An append reads only the last byte of a text book.
    const qint64 at = operation == QLatin1String("append") ? book.size() - 1
        : firstRead ? 0 : offsetOf(dm, 3) + 5;
    {
        FaultInjection faults;
        faults.inject(bookName(format), Fault::readAt(at), -1);
        dm.ReopenData();
        QVERIFY_THROWS_EXCEPTION(RunError, change(dm, operation));
        QVERIFY(faults.struck() > 0);
    }
    QCOMPARE(env.readFile(bookName(format)), book);
    if (operation != QLatin1String("open"))
        QCOMPARE(stateOf(dm), before);
    QVERIFY(!QFile::exists(env.path(QStringLiteral("Temp.adr"))));
    QVERIFY(!QFile::exists(env.path(QStringLiteral("asdfghjk.adr"))));
}

void TestStoreFaults::failedWritesLeaveTheOldBook_data()
{
    QTest::addColumn<qint16>("format");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("fault");
    for (const qint16 format : {DataModule::FixedLength, DataModule::DelimitedText}) {
        for (const char *op : {"append", "overwrite", "delete", "duplicate"}) {
            for (const char *fault : {"full disk", "write error", "sync error", "close error"}) {
                // Overwriting bytes in place takes no room on the disk.
                if (format == DataModule::FixedLength && QByteArray(op) == "overwrite"
                    && QByteArray(fault) == "full disk")
                    continue;
                QTest::addRow("%s %s %s", format == DataModule::FixedLength ? "fixed" : "text", op, fault)
                    << format << QString::fromLatin1(op) << QString::fromLatin1(fault);
            }
        }
    }
}

void TestStoreFaults::failedWritesLeaveTheOldBook()
{
    QFETCH(qint16, format);
    QFETCH(QString, operation);
    QFETCH(QString, fault);
    TestEnv env;
    DataModule &dm = *env.dm;
    const QString name = bookName(format);
    const QByteArray book = sampleBook(format, Records);
    env.writeFile(name, book);
    QVERIFY(env.open(name, format));
    const BookState before = stateOf(dm);

    // A fixed-length book and a text book's new line are written in place;
    // every other change writes a new book into a work file.
    const bool inPlace = operation == QLatin1String("append")
        || (operation == QLatin1String("overwrite") && format == DataModule::FixedLength);
    const QString written = inPlace ? name
        : operation == QLatin1String("duplicate") ? QStringLiteral("asdfghjk.adr") : QStringLiteral("Temp.adr");
    {
        FaultInjection faults;
        std::unique_ptr<DiskLimit> full;
        if (fault == QLatin1String("full disk"))
            full = std::make_unique<DiskLimit>(inPlace ? book.size() + 10 : 100);
        else if (fault == QLatin1String("write error"))
            faults.inject(written, Fault::writeAfter(inPlace ? 10 : 100));
        else if (fault == QLatin1String("sync error"))
            faults.inject(written, Fault::sync());
        else
            faults.inject(written, Fault::close());
        QVERIFY_THROWS_EXCEPTION(RunError, change(dm, operation));
        QVERIFY(full || faults.struck() > 0);
    }
    QCOMPARE(env.readFile(name), book);
    QCOMPARE(stateOf(dm), before);
    QVERIFY(!QFile::exists(env.path(QStringLiteral("Temp.adr"))));
    QVERIFY(!QFile::exists(env.path(QStringLiteral("asdfghjk.adr"))));

    // Once the disk works again the same change is made exactly once.
    const QList<QStringList> expected = change(dm, operation);
    QCOMPARE(env.readFile(name), bookOf(format, expected));
    QCOMPARE(int(dm.RecordCount), int(expected.size()));
    if (format == DataModule::DelimitedText) {
        DataModule fresh(PlatformServices{&env.boxes, &env.modal, &env.help});
        fresh.CurrentFileName = name;
        fresh.DataFormat = format;
        fresh.FileMode = 1;
        QCOMPARE(fresh.Hyoujun(), 0);
        QCOMPARE(stateOf(dm).index, stateOf(fresh).index);
    }
}

void TestStoreFaults::overwriteThatCannotBePutBackSaysSo_data()
{
    QTest::addColumn<qint64>("reached"); // bytes of the new record that reach the file
    QTest::newRow("half the record written") << qint64(100);
    QTest::newRow("nothing written") << qint64(0);
}

void TestStoreFaults::overwriteThatCannotBePutBackSaysSo()
{
    // The disk fails for the write and for the write-back after it.
    QFETCH(qint64, reached);
    TestEnv env;
    const QByteArray book = sampleBook(DataModule::FixedLength, Records);
    env.writeFile(QStringLiteral("a.kno"), book);
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));
    FaultInjection faults;
    faults.inject(QStringLiteral("a.kno"), Fault::writeAfter(reached));
    faults.inject(QStringLiteral("a.kno"), Fault::writeAfter(0));
    try {
        change(*env.dm, QStringLiteral("overwrite"));
        QFAIL("the failed write was not reported");
    } catch (const RunError &e) {
        QCOMPARE(e.description().endsWith(QStringLiteral("ﾃﾞｰﾀ番号 3 を元に戻せませんでした。")), reached > 0);
    }
    QCOMPARE(faults.struck(), 2);
    QCOMPARE(env.readFile(QStringLiteral("a.kno")) == book, reached == 0);
    QCOMPARE(env.dm->RecordCount, qint16(Records));
}

void TestStoreFaults::bookChangedElsewhereIsNotRewritten_data()
{
    QTest::addColumn<qint16>("format");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("sameSize"); // the other program kept the size, not the lines
    QTest::newRow("fixed duplicate") << DataModule::FixedLength << "duplicate" << false;
    QTest::newRow("text duplicate") << DataModule::DelimitedText << "duplicate" << false;
    QTest::newRow("text overwrite, lines moved") << DataModule::DelimitedText << "overwrite" << true;
    QTest::newRow("text delete, lines moved") << DataModule::DelimitedText << "delete" << true;
}

void TestStoreFaults::bookChangedElsewhereIsNotRewritten()
{
    QFETCH(qint16, format);
    QFETCH(QString, operation);
    QFETCH(bool, sameSize);
    TestEnv env;
    DataModule &dm = *env.dm;
    const QString name = bookName(format);
    env.writeFile(name, sampleBook(format, Records));
    QVERIFY(env.open(name, format));
    const BookState before = stateOf(dm);
    if (sameSize) {
        // Another program moved a character from line 1 to line 2.
        QByteArray other = sampleBook(format, Records);
        other.remove(2, 1);
        other.insert(qsizetype(offsetOf(dm, 2)) + 1, 'x');
        env.writeFile(name, other);
    } else {
        appendBehindBack(env.path(name), sampleBook(format, 1));
    }
    const QByteArray changed = env.readFile(name);
    try {
        change(dm, operation);
        QFAIL("the book was rewritten");
    } catch (const RunError &e) {
        QCOMPARE(e.description(), name + QStringLiteral(" が他のプログラムで変更されています。ファイルを開き直してください。"));
    }
    QCOMPARE(env.readFile(name), changed);
    QCOMPARE(stateOf(dm), before);
}

void TestStoreFaults::settingsSurviveAFailedWrite_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("disk full after 512 bytes") << "full 512";
    QTest::newRow("disk full") << "full 0";
    QTest::newRow("write error") << "write error";
    QTest::newRow("sync error") << "sync error";
    QTest::newRow("close error") << "close error";
}

void TestStoreFaults::settingsSurviveAFailedWrite()
{
    QFETCH(QString, fault);
    TestEnv env;
    const QString path = env.path(QStringLiteral("KANOTE.DAT"));
    const QByteArray old = earlierSettings();
    env.writeFile(QStringLiteral("KANOTE.DAT"), old);
    SettingsRecord next = SettingsRecord::fromBytes(old);
    next.SenderNumber = 9;
    {
        FaultInjection faults;
        std::unique_ptr<DiskLimit> full;
        if (fault.startsWith(QLatin1String("full")))
            full = std::make_unique<DiskLimit>(fault.mid(5).toInt());
        else
            faults.inject(SettingsFile::WorkFileName,
                          fault == QLatin1String("write error") ? Fault::writeAfter(100)
                              : fault == QLatin1String("sync error") ? Fault::sync() : Fault::close());
        try {
            SettingsFile::write(path, next);
            QFAIL("the failed write was not reported");
        } catch (const RunError &e) {
            QVERIFY2(e.description().startsWith(QStringLiteral("設定ファイル ")), qPrintable(e.description()));
        }
    }
    QCOMPARE(env.readFile(QStringLiteral("KANOTE.DAT")), old);
    // Nothing of the failed write is left beside it.
    QCOMPARE(QDir(env.dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("KANOTE.DAT")});

    // A work file left by a write that was killed goes at the next start,
    // and the next write takes its place.
    env.writeFile(SettingsFile::WorkFileName, QByteArray(3000, 'x'));
    bool empty = true;
    QCOMPARE(SettingsFile::read(path, &empty).SenderNumber, qint16(7));
    QVERIFY(!empty);
    QVERIFY(!QFile::exists(env.path(SettingsFile::WorkFileName)));
    SettingsFile::write(path, next);
    QCOMPARE(env.readFile(QStringLiteral("KANOTE.DAT")), next.toBytes());
    QCOMPARE(QDir(env.dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("KANOTE.DAT")});
}

void TestStoreFaults::settingsThatCannotBeReadAreNotFirstRun()
{
    TestEnv env;
    const QByteArray old = earlierSettings();
    env.writeFile(QStringLiteral("KANOTE.DAT"), old);
    FaultInjection faults;
    faults.inject(QStringLiteral("KANOTE.DAT"), Fault::readAt(512));
    bool empty = false;
    QVERIFY_THROWS_EXCEPTION(RunError, SettingsFile::read(env.path(QStringLiteral("KANOTE.DAT")), &empty));
    QCOMPARE(faults.struck(), 1);
    QCOMPARE(env.readFile(QStringLiteral("KANOTE.DAT")), old);
}

void TestStoreFaults::settingsInUnusualPlaces()
{
    if (::geteuid() == 0)
        QSKIP("root may write into any file and folder: run this test as an ordinary user");
    TestEnv env;
    const QString program = env.path(QStringLiteral("bin"));
    const QString config = env.path(QStringLiteral("config"));
    const QString inProgram = QDir(program).filePath(QStringLiteral("KANOTE.DAT"));
    const QString inConfig = QDir(config).filePath(QStringLiteral("KANOTE.DAT"));
    QVERIFY(QDir().mkpath(program));
    const QByteArray old = earlierSettings();
    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto folderReadOnly = readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    const auto folderWritable = folderReadOnly | QFile::WriteOwner;
    auto settingsAt = [](const QString &path) {
        bool empty = true;
        const SettingsRecord s = SettingsFile::read(path, &empty);
        return empty ? qint16(-1) : s.SenderNumber;
    };
    auto writeFrom = [&](const SettingsFile::Place &place, qint16 sender) {
        SettingsRecord s = SettingsRecord::fromBytes(old);
        s.SenderNumber = sender;
        SettingsFile::write(place.writePath, s);
    };

    // A file the user may only read is read; the changes go to the
    // configuration folder, which the next start reads first.
    env.writeFile(QStringLiteral("bin/KANOTE.DAT"), old);
    QVERIFY(QFile::setPermissions(inProgram, readOnly));
    SettingsFile::Place place = SettingsFile::place(program, config);
    QCOMPARE(place.readPath, inProgram);
    QCOMPARE(place.writePath, inConfig);
    QCOMPARE(settingsAt(place.readPath), qint16(7));
    writeFrom(place, 8);
    QCOMPARE(env.readFile(QStringLiteral("bin/KANOTE.DAT")), old);
    place = SettingsFile::place(program, config);
    QCOMPARE(place.readPath, inConfig);
    QCOMPARE(place.writePath, inConfig);
    QCOMPARE(settingsAt(place.readPath), qint16(8));
    QVERIFY(QFile::remove(inConfig));

    // A writable file in a folder the user may not write: written in place,
    // in one write, and read from there again.
    QVERIFY(QFile::setPermissions(inProgram, readOnly | QFile::WriteOwner));
    QVERIFY(QFile::setPermissions(program, folderReadOnly));
    place = SettingsFile::place(program, config);
    QCOMPARE(place.readPath, inProgram);
    QCOMPARE(place.writePath, inProgram);
    struct stat before {};
    ::stat(QFile::encodeName(inProgram).constData(), &before);
    writeFrom(place, 9);
    struct stat after {};
    ::stat(QFile::encodeName(inProgram).constData(), &after);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(settingsAt(SettingsFile::place(program, config).readPath), qint16(9));
    QCOMPARE(QDir(program).entryList(QDir::Files), QStringList{QStringLiteral("KANOTE.DAT")});

    // No file and a folder the user may not write: the configuration folder.
    QVERIFY(QFile::setPermissions(program, folderWritable));
    QVERIFY(QFile::remove(inProgram));
    QVERIFY(QFile::setPermissions(program, folderReadOnly));
    place = SettingsFile::place(program, config);
    QCOMPARE(place.readPath, inConfig);
    QCOMPARE(place.writePath, inConfig);
    writeFrom(place, 10);
    QCOMPARE(settingsAt(SettingsFile::place(program, config).readPath), qint16(10));
    QVERIFY(QFile::setPermissions(program, folderWritable));

    // The usual case: the program's folder, written there.
    place = SettingsFile::place(program, config);
    QCOMPARE(place.readPath, inProgram);
    QCOMPARE(place.writePath, inProgram);
}

void TestStoreFaults::untouchedFieldsKeepTheirBytes_data()
{
    QTest::addColumn<qint16>("format");
    QTest::newRow("fixed") << DataModule::FixedLength;
    QTest::newRow("text") << DataModule::DelimitedText;
}

void TestStoreFaults::untouchedFieldsKeepTheirBytes()
{
    QFETCH(qint16, format);
    TestEnv env;
    DataModule &dm = *env.dm;
    const QString name = bookName(format);
    // Address 1 holds a byte pair CP932 does not define (written by another
    // program), the title a character CP932 has two codes for (the code
    // the program would not choose).
    const QByteArray address = QByteArray("\x85\x40" "x") + Cp932::encode(QStringLiteral("東京"));
    const QByteArray title = QByteArray("\x87\x90");
    QByteArray record;
    if (format == DataModule::FixedLength) {
        AddressRecord r = AddressRecord::fromBytes(TestEnv::record({QStringLiteral("山田"), QStringLiteral("ﾔﾏﾀﾞ")}));
        r.setFieldBytes(Address1, address);
        r.setFieldBytes(Title, title);
        record = r.bytes();
    } else {
        record = Cp932::encode(QStringLiteral("山田;ﾔﾏﾀﾞ;;")) + address + ";;;;" + title + ";;\r\n";
    }
    const QByteArray second = sampleBook(format, 1);
    env.writeFile(name, record + second);
    QVERIFY(env.open(name, format));

    // The correction as the form makes it: the record loaded, one field changed.
    dm.CurrentRecord = 1;
    dm.LoadRecord(1);
    QVERIFY(dm.FieldText[Address1].contains(QChar(0xFFFD)));
    dm.FieldText[Name] = QStringLiteral("山本");
    OverwriteRecord(dm);
    const QByteArray stored = env.readFile(name);
    QByteArray expected = record;
    expected.replace(0, 4, Cp932::encode(QStringLiteral("山本")));
    QCOMPARE(stored, expected + second);

    // A field that was changed is written from its text.
    dm.LoadRecord(1);
    dm.FieldText[Address1] = dm.FieldText[Address1] + QStringLiteral("1");
    OverwriteRecord(dm);
    QVERIFY(!env.readFile(name).contains(address));
    QVERIFY(env.readFile(name).contains(QByteArray("?@x") + Cp932::encode(QStringLiteral("東京1"))));
    QVERIFY(env.readFile(name).contains(title));
}

QTEST_MAIN(TestStoreFaults)
#include "tst_storefaults.moc"
