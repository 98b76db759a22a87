// The conversion runs on a disk that lets them down: a read error stops the
// run with nothing written over any file and no completion message, a book
// another program changed is not converted, and bytes CP932 cannot decode
// go through every conversion unchanged.
#include "support/faults.h"
#include "support/testenv.h"

#include "convert/chandata.h"
#include "convert/conversion.h"
#include "convert/fileio.h"

#include "platform/codec.h"
#include "platform/runerror.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QtTest>

namespace {

const int Records = 5;

QString bookName(qint16 format)
{
    return format == DataModule::FixedLength ? QStringLiteral("a.kno") : QStringLiteral("a.txt");
}

// Runs a conversion of the open book: "convert N" to target N in place,
// "convert N to b" into a new file b, "export", "import", "copy".
void run(TestEnv &env, const QString &operation)
{
    DataModule &dm = *env.dm;
    const QStringList words = operation.split(QLatin1Char(' '));
    if (words[0] == QLatin1String("convert")) {
        const bool inPlace = words.size() == 2;
        Conversion::ConvertBook(dm, inPlace ? dm.DataFilePath() : env.path(words[3]), words[1].toInt(), inPlace);
    } else if (words[0] == QLatin1String("export")) {
        Conversion::ExportBookBySelection(dm, env.path(QStringLiteral("b.txt")), dm.DataFilePath());
    } else if (words[0] == QLatin1String("import")) {
        env.boxes.answer(MsgAnswerCode::Ok);
        Conversion::ImportBySelection(dm);
    } else {
        Conversion::CopyBook(dm.DataFilePath(), env.path(QStringLiteral("b.kno")));
    }
}

void useSelection(DataModule &dm)
{
    dm.Settings.SelectionCount = 3;
    dm.Settings.SelectionOrder[1] = 2;
    dm.Settings.SelectionOrder[2] = 1;
    dm.Settings.SelectionOrder[3] = 4;
}

} // namespace

class TestConversionFaults : public QObject {
    Q_OBJECT
private slots:
    void readErrorsStopTheRun_data();
    void readErrorsStopTheRun();
    void readErrorInPlaceShowsNoCompletion();
    void openWithAReadErrorIsReported();
    void bookChangedElsewhereIsNotConverted_data();
    void bookChangedElsewhereIsNotConverted();
    void undecodableBytesGoThroughEveryConversion();
};

void TestConversionFaults::readErrorsStopTheRun_data()
{
    QTest::addColumn<qint16>("format");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<bool>("firstRead"); // else within record 3
    const QList<QPair<qint16, QString>> runs = {
        {DataModule::FixedLength, "convert 2"}, {DataModule::FixedLength, "convert 1 to b.txt"},
        {DataModule::DelimitedText, "convert 0"}, {DataModule::DelimitedText, "convert 0 to b.kno"},
        {DataModule::DelimitedText, "convert 3"}, {DataModule::DelimitedText, "convert 2 to b.txt"},
        {DataModule::FixedLength, "export"}, {DataModule::DelimitedText, "export"},
        {DataModule::DelimitedText, "import"}, {DataModule::FixedLength, "copy"}};
    for (const auto &[format, operation] : runs)
        for (const bool first : {true, false})
            QTest::addRow("%s %s, %s", format == DataModule::FixedLength ? "fixed" : "text",
                          qPrintable(operation), first ? "first read" : "record 3")
                << format << operation << first;
}

void TestConversionFaults::readErrorsStopTheRun()
{
    QFETCH(qint16, format);
    QFETCH(QString, operation);
    QFETCH(bool, firstRead);
    TestEnv env;
    DataModule &dm = *env.dm;
    useSelection(dm);
    const QString name = bookName(format);
    const QByteArray book = sampleBook(format, Records);
    env.writeFile(name, book);
    QVERIFY(env.open(name, format));
    const BookState before = stateOf(dm);
    const qint64 at = firstRead ? 0
        : format == DataModule::FixedLength ? 2 * 239 + 5 : dm.LineIndex[3] + 4;
    {
        FaultInjection faults;
        faults.inject(name, Fault::readAt(at), -1);
        dm.ReopenData();
        QVERIFY_THROWS_EXCEPTION(RunError, run(env, operation));
        QVERIFY(faults.struck() > 0);
    }
    QCOMPARE(env.readFile(name), book);
    // Nothing else was made or left behind.
    QCOMPARE(QDir(env.dir.path()).entryList(QDir::Files), QStringList{name});
    if (operation != QLatin1String("import"))
        QCOMPARE(stateOf(dm), before);
}

void TestConversionFaults::readErrorInPlaceShowsNoCompletion()
{
    // A text book converted in place to fixed length, with a read error on
    // the first read: the run is reported, nothing replaces the book.
    TestEnv env;
    DataModule &dm = *env.dm;
    const QByteArray book = sampleBook(DataModule::DelimitedText, Records);
    env.writeFile(QStringLiteral("a.txt"), book);
    QVERIFY(env.open(QStringLiteral("a.txt"), DataModule::DelimitedText));
    ChanData dialog(dm, nullptr);
    FaultInjection faults;
    faults.inject(QStringLiteral("a.txt"), Fault::readAt(0), -1);
    dm.ReopenData();
    dialog.Option1[0]->setChecked(true);
    dialog.Text1->setText(QStringLiteral("a.txt"));
    env.boxes.answer(MsgAnswerCode::Yes); // 上書きしますか？
    env.boxes.answer(MsgAnswerCode::Ok);  // the report
    dialog.Command1_Click();
    QCOMPARE(env.boxes.shown.size(), 2);
    QCOMPARE(env.boxes.shown[1].caption, QStringLiteral("CHANDATA"));
    QCOMPARE(env.boxes.shown[1].icon, MsgIcon::Information);
    QVERIFY(env.boxes.shown[1].text.startsWith(QStringLiteral("a.txt を読めません。(")));
    QCOMPARE(env.readFile(QStringLiteral("a.txt")), book);
    QCOMPARE(dm.DataFormat, DataModule::DelimitedText);
    QCOMPARE(dialog.Option1[0]->isEnabled(), true);
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestConversionFaults::openWithAReadErrorIsReported()
{
    TestEnv env;
    env.writeFile(QStringLiteral("a.txt"), sampleBook(DataModule::DelimitedText, Records));
    FaultInjection faults;
    faults.inject(QStringLiteral("a.txt"), Fault::readAt(60), -1);
    env.dm->FileMode = 1;
    FileIO dialog(*env.dm);
    dialog.Option2->setChecked(true);
    dialog.SelFile->setText(QStringLiteral("a.txt"));
    env.boxes.answer(MsgAnswerCode::Ok);
    dialog.Command1_Click();
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("FILEIO"));
    QVERIFY(env.boxes.shown[0].text.startsWith(QStringLiteral("a.txt を読めません。(")));
    QCOMPARE(env.dm->OpenStatus, qint16(1));
    QVERIFY(!env.dm->DataChannel);
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TestConversionFaults::bookChangedElsewhereIsNotConverted_data()
{
    QTest::addColumn<qint16>("format");
    QTest::addColumn<QString>("operation");
    QTest::newRow("fixed in place") << DataModule::FixedLength << "convert 1";
    QTest::newRow("fixed to a new name") << DataModule::FixedLength << "convert 2 to b.txt";
    QTest::newRow("text in place to fixed") << DataModule::DelimitedText << "convert 0";
    QTest::newRow("text in place to tab") << DataModule::DelimitedText << "convert 3";
    QTest::newRow("fixed export") << DataModule::FixedLength << "export";
    QTest::newRow("text export") << DataModule::DelimitedText << "export";
}

void TestConversionFaults::bookChangedElsewhereIsNotConverted()
{
    QFETCH(qint16, format);
    QFETCH(QString, operation);
    TestEnv env;
    DataModule &dm = *env.dm;
    useSelection(dm);
    const QString name = bookName(format);
    env.writeFile(name, sampleBook(format, Records));
    QVERIFY(env.open(name, format));
    const BookState before = stateOf(dm);
    appendBehindBack(env.path(name), sampleBook(format, 1));
    const QByteArray changed = env.readFile(name);
    try {
        run(env, operation);
        QFAIL("a record added by another program would have been dropped");
    } catch (const RunError &e) {
        QCOMPARE(e.description(), name + QStringLiteral(" が他のプログラムで変更されています。ファイルを開き直してください。"));
    }
    QCOMPARE(env.readFile(name), changed);
    QCOMPARE(QDir(env.dir.path()).entryList(QDir::Files), QStringList{name});
    QCOMPARE(stateOf(dm), before);
}

void TestConversionFaults::undecodableBytesGoThroughEveryConversion()
{
    // A fixed-length record with bytes CP932 does not define and a
    // character it has two codes for, through text and back.
    TestEnv env;
    DataModule &dm = *env.dm;
    AddressRecord r = AddressRecord::fromBytes(TestEnv::record({QStringLiteral("山田"), QStringLiteral("ﾔﾏﾀﾞ")}));
    const QByteArray odd = QByteArray("\x85\x40" "x,y;") + QByteArray("\x87\x90");
    r.setFieldBytes(Address1, odd);
    r.setFieldBytes(Mark, QByteArray("\xa0"));
    const QByteArray book = r.bytes() + sampleBook(DataModule::FixedLength, 1);
    env.writeFile(QStringLiteral("a.kno"), book);
    QVERIFY(env.open(QStringLiteral("a.kno"), DataModule::FixedLength));

    run(env, QStringLiteral("convert 2"));
    const QByteArray comma = env.readFile(QStringLiteral("a.kno"));
    QVERIFY(comma.startsWith(Cp932::encode(QStringLiteral("山田,ﾔﾏﾀﾞ,,\"")) + odd + "\",,,,,," + "\xa0\r\n"));
    run(env, QStringLiteral("convert 3"));
    QVERIFY(env.readFile(QStringLiteral("a.kno")).contains("\t" + odd + "\t"));
    run(env, QStringLiteral("convert 0"));
    QCOMPARE(env.readFile(QStringLiteral("a.kno")), book);

    // Exported in selection order and read back.
    useSelection(dm);
    dm.Delimiter = QLatin1Char(';');
    run(env, QStringLiteral("export"));
    QVERIFY(env.readFile(QStringLiteral("b.txt")).startsWith(Cp932::encode(QStringLiteral("ﾔﾏﾀﾞ;山田;\"")) + odd + "\";\r\n"));
    env.dm->CurrentFileName = QStringLiteral("b.txt");
    run(env, QStringLiteral("import"));
    AddressRecord back = AddressRecord::fromBytes(env.readFile(QStringLiteral("KANOTE01.KNO")).left(239));
    QCOMPARE(back.fieldBytes(Address1).left(odd.size()), odd);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

QTEST_MAIN(TestConversionFaults)
#include "tst_conversionfaults.moc"
