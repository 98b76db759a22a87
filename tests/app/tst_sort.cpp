// 並び換え: the order of the exchange selection, byte for byte, in both formats.
#include "app/adrsbook.h"
#include "app/cancelf.h"
#include "app/furiganasort.h"
#include "store/datamodule.h"

#include "platform/codec.h"
#include "support/testenv.h"
#include "support/books.h"

#include <QBuffer>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

namespace {

// Binary comparison of two texts by the code values of their characters: the
// first difference decides, a text that begins the other is the smaller.
bool greaterByCodes(const QString &a, const QString &b)
{
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        if (a[i].unicode() != b[i].unicode())
            return a[i].unicode() > b[i].unicode();
    }
    return a.size() > b.size();
}

// The exchange selection as it has always been done, one key read per
// comparison, on the order array LineIndex-like 1 ... n.
template <typename KeyOf>
std::vector<int> literalExchangeSelection(int n, KeyOf keyOf)
{
    std::vector<int> order(static_cast<size_t>(n + 1));
    for (int i = 1; i <= n; ++i)
        order[i] = i;
    for (int pos = 1; pos <= n - 1; ++pos) {
        QString key = keyOf(order[pos]);
        for (int j = pos + 1; j <= n; ++j) {
            const QString other = keyOf(order[j]);
            if (greaterByCodes(key, other)) {
                std::swap(order[pos], order[j]);
                key = other;
            }
        }
    }
    return order;
}

// Reference for a fixed-length book: records of 239 bytes, the key the
// stored 16 bytes of the reading, decoded and blank-filled to 16 characters.
QByteArray referenceFixed(const QByteArray &book)
{
    const int n = static_cast<int>((book.size() + 119) / 239);
    std::vector<QByteArray> records(static_cast<size_t>(n + 1));
    std::vector<QString> keys(static_cast<size_t>(n + 1));
    for (int i = 1; i <= n; ++i) {
        QByteArray r = book.mid(qsizetype(i - 1) * 239, 239);
        r.append(QByteArray(239 - r.size(), ' '));
        records[i] = r;
        QString key = Cp932::decode(r.mid(30, 16));
        while (key.size() < 16)
            key += QLatin1Char(' ');
        keys[i] = key;
    }
    const auto order = literalExchangeSelection(n, [&](int i) { return keys[i]; });
    QByteArray out;
    for (int j = 1; j <= n; ++j)
        out += records[order[j]];
    return out;
}

// Reference for a text book: its lines, the key the second field as the
// line parser returns it (untrimmed); every line ends in CR LF afterwards.
QByteArray referenceText(const QByteArray &book, QChar delimiter)
{
    TestEnv parser;
    parser.dm->Delimiter = delimiter;
    std::vector<QByteArray> lines(1);
    std::vector<QString> keys(1);
    QByteArray copy = book;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    QByteArray line;
    while (readRawLine(buffer, line)) {
        lines.push_back(line);
        parser.dm->LineText = Cp932::decode(line);
        parser.dm->LineLength = static_cast<qint16>(parser.dm->LineText.size());
        parser.dm->SplitLine();
        keys.push_back(parser.dm->FieldText[2]);
    }
    const int n = static_cast<int>(lines.size()) - 1;
    const auto order = literalExchangeSelection(n, [&](int i) { return keys[i]; });
    QByteArray out;
    for (int j = 1; j <= n; ++j)
        out += lines[order[j]] + "\r\n";
    return out;
}

// Readings that make many equal keys, empty ones, half- and full-width
// katakana, blanks and a tab (which sorts below a blank).
QString randomReading(QRandomGenerator &rng)
{
    static const QStringList pool = {
        QString(), QStringLiteral("ｱ"), QStringLiteral("ｲ"), QStringLiteral("ｱｲ"),
        QStringLiteral("ｱｱ"), QStringLiteral("ｶﾞ"), QStringLiteral("ｶ"), QStringLiteral("ﾀﾅｶ"),
        QStringLiteral("ﾀﾅｶ ﾀﾛｳ"), QStringLiteral("ア"), QStringLiteral("あい"),
        QStringLiteral(" ｱ"), QStringLiteral("ｱ\t"), QStringLiteral("ABC"), QStringLiteral("ｽｽﾞｷ"),
    };
    if (rng.bounded(4) == 0) {
        QString s;
        const int len = rng.bounded(1, 17);
        for (int i = 0; i < len; ++i)
            s += QChar(0xFF71 + rng.bounded(4)); // ｱ ｲ ｳ ｴ
        return s;
    }
    return pool[rng.bounded(pool.size())];
}

QStringList randomFields(QRandomGenerator &rng, int i)
{
    return {QStringLiteral("名前%1").arg(i), randomReading(rng), QStringLiteral("123-4567"),
            QStringLiteral("東京都%1").arg(rng.bounded(100)), QString(), QStringLiteral("03-1234-5678"),
            QString(), QString(), QString(), rng.bounded(3) == 0 ? QStringLiteral("*") : QString()};
}

} // namespace

class TstSort : public QObject {
    Q_OBJECT
private slots:
    void rankingAndExchangeOrder();
    void fixedBooksMatchTheExchangeSelection();
    void textBooksMatchTheExchangeSelection();
    void largeFixedBookIsSortedWhole();
    void commandGatesAndMessages();
    void commandSortsTextBookAndLeavesNoTemporaryFile();
    void failedRewriteKeepsTheBook();
    void progressWindow();
};

void TstSort::rankingAndExchangeOrder()
{
    using namespace FuriganaSort;
    // Equal keys share a rank; a prefix ranks below the longer key; a tab
    // ranks below a blank.
    const std::vector<QString> keys = {QStringLiteral("ｲ"), QStringLiteral("ｱ"), QString(),
                                       QStringLiteral("ｱ"), QStringLiteral("ｱｲ"),
                                       QStringLiteral("\t"), QStringLiteral(" ")};
    QCOMPARE(rankKeys(keys), (std::vector<int>{5, 3, 0, 3, 4, 1, 2}));

    // Two equal keys keep their places; two in the wrong order are exchanged.
    QCOMPARE(exchangeOrder({1, 1}), (std::vector<int>{0, 1}));
    QCOMPARE(exchangeOrder({1, 0}), (std::vector<int>{1, 0}));
    // The exchange selection is not stable: [2a, 2b, 1] leaves 2b before 2a.
    QCOMPARE(exchangeOrder({2, 2, 1}), (std::vector<int>{2, 1, 0}));

    // Every book of up to 7 records with keys from 3 values.
    for (int n = 0; n <= 7; ++n) {
        int total = 1;
        for (int i = 0; i < n; ++i)
            total *= 3;
        for (int code = 0; code < total; ++code) {
            std::vector<int> ranks;
            for (int i = 0, c = code; i < n; ++i, c /= 3)
                ranks.push_back(c % 3);
            const auto expected = literalExchangeSelection(n, [&](int i) {
                return QString(QChar(0x30 + ranks[static_cast<size_t>(i - 1)]));
            });
            const auto got = exchangeOrder(ranks);
            QCOMPARE(int(got.size()), n);
            for (int j = 0; j < n; ++j)
                QCOMPARE(got[j] + 1, expected[j + 1]);
        }
    }

    // Random rank arrays against the literal procedure.
    QRandomGenerator rng(7);
    for (int round = 0; round < 300; ++round) {
        const int n = rng.bounded(0, 200);
        const int spread = rng.bounded(1, 12);
        std::vector<int> ranks(static_cast<size_t>(n));
        for (int &r : ranks)
            r = rng.bounded(spread);
        const auto expected = literalExchangeSelection(n, [&](int i) {
            return QString(QChar(0x30 + ranks[static_cast<size_t>(i - 1)]));
        });
        int passes = 0;
        const auto got = exchangeOrder(ranks, [&](int done) { passes = done; });
        QCOMPARE(passes, qMax(0, n - 1));
        for (int j = 0; j < n; ++j)
            QCOMPARE(got[j] + 1, expected[j + 1]);
    }
}

void TstSort::fixedBooksMatchTheExchangeSelection()
{
    QRandomGenerator rng(11);
    for (int round = 0; round < 120; ++round) {
        TestEnv env;
        const int n = round < 100 ? rng.bounded(2, 40) : rng.bounded(100, 400);
        QByteArray book;
        for (int i = 1; i <= n; ++i)
            book += fixedRecord(randomFields(rng, i));
        if (round % 10 == 3)
            book.chop(100); // a short last record is read blank-filled
        env.writeFile(QStringLiteral("book.kno"), book);
        QVERIFY(env.open(QStringLiteral("book.kno"), DataModule::FixedLength));
        env.dm->CurrentRecord = 5;
        SortBook(*env.dm);
        const QByteArray expected = referenceFixed(book);
        QCOMPARE(env.readFile(QStringLiteral("book.kno")), expected);
        QCOMPARE(env.dm->RecordCount, n);
        QCOMPARE(env.dm->CurrentRecord, 5);
        QVERIFY(!QFile::exists(env.path(QStringLiteral("Temp.adr"))));
        // The book is open again and reads the new first record.
        env.dm->ReadRecord(1);
        QCOMPARE(env.dm->RecordBuffer.bytes(), expected.left(239));
    }
}

void TstSort::textBooksMatchTheExchangeSelection()
{
    QRandomGenerator rng(23);
    const QList<QChar> delimiters = {QLatin1Char(';'), QLatin1Char(','), QLatin1Char('\t')};
    for (int round = 0; round < 120; ++round) {
        TestEnv env;
        const QChar d = delimiters[round % 3];
        env.dm->Delimiter = d;
        const int n = round < 100 ? rng.bounded(2, 40) : rng.bounded(200, 1028);
        QByteArray book;
        for (int i = 1; i <= n; ++i) {
            QStringList fields = randomFields(rng, i);
            if (fields[1].contains(d))
                fields[1].remove(d);
            QString reading = fields[1];
            if (rng.bounded(8) == 0) // a quoted reading holding the delimiter
                reading = QStringLiteral("\"ｱ%1ｲ\"").arg(d);
            else if (rng.bounded(8) == 0) // blanks around it stay part of the key
                reading = QStringLiteral(" ") + reading + QStringLiteral(" ");
            fields[1] = reading;
            book += textLine(fields.join(d));
        }
        if (round % 4 == 1)
            book.chop(2); // the last line without its line end
        env.writeFile(QStringLiteral("book.txt"), book);
        QVERIFY(env.open(QStringLiteral("book.txt"), DataModule::DelimitedText));
        QCOMPARE(env.dm->RecordCount, n);
        SortBook(*env.dm);
        const QByteArray expected = referenceText(book, d);
        const QByteArray got = env.readFile(QStringLiteral("book.txt"));
        QCOMPARE(got, expected);
        QVERIFY(got.endsWith("\r\n"));
        QCOMPARE(env.dm->RecordCount, n);
        // The line index follows the new file.
        QCOMPARE(env.dm->LineIndex[n + 1], got.size() + 1);
        env.dm->LoadRecord(n);
        QCOMPARE(env.dm->LineText + QStringLiteral("\r\n"),
                 Cp932::decode(expected.mid(expected.lastIndexOf("\r\n", expected.size() - 3) + 2)));
    }
}

void TstSort::largeFixedBookIsSortedWhole()
{
    // More records than the old order array could hold: all of them sorted,
    // none lost or doubled.
    QRandomGenerator rng(5);
    TestEnv env;
    const int n = 1500;
    QByteArray book;
    for (int i = 1; i <= n; ++i)
        book += fixedRecord(randomFields(rng, i));
    env.writeFile(QStringLiteral("big.kno"), book);
    QVERIFY(env.open(QStringLiteral("big.kno"), DataModule::FixedLength));
    SortBook(*env.dm);
    QCOMPARE(env.readFile(QStringLiteral("big.kno")), referenceFixed(book));
}

void TstSort::commandGatesAndMessages()
{
    TestEnv env;
    Adrsbook main(*env.dm);
    const QByteArray one = fixedRecord({QStringLiteral("田中"), QStringLiteral("ﾀﾅｶ")});
    env.writeFile(QStringLiteral("one.kno"), one);
    QVERIFY(env.open(QStringLiteral("one.kno"), DataModule::FixedLength));

    env.boxes.answer(MsgAnswerCode::Ok);
    main.Menu_Edit_Sort_Click();
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].text, QStringLiteral("ﾃﾞｰﾀ数が 1のため｢並び換え｣処理はできません！"));
    QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Exclamation);
    QCOMPARE(env.boxes.shown[0].caption, ProgramTitle);

    // Two records "ｲ" then "ｱ": Cancel changes nothing, OK exchanges them.
    const QByteArray i = fixedRecord({QStringLiteral("伊藤"), QStringLiteral("ｲﾄｳ")});
    const QByteArray a = fixedRecord({QStringLiteral("阿部"), QStringLiteral("ｱﾍﾞ")});
    env.writeFile(QStringLiteral("two.kno"), i + a);
    QVERIFY(env.open(QStringLiteral("two.kno"), DataModule::FixedLength));
    env.boxes.shown.clear();
    env.boxes.answer(MsgAnswerCode::Cancel);
    main.Menu_Edit_Sort_Click();
    QCOMPARE(env.boxes.shown.size(), 1);
    QCOMPARE(env.boxes.shown[0].text, QStringLiteral("「ﾌﾘｶﾞﾅ」をキーにして ｱｲｳｴｵ順に並び換えを行います。"));
    QCOMPARE(env.boxes.shown[0].icon, MsgIcon::Question);
    QCOMPARE(env.boxes.shown[0].buttons, MsgButtons::OkCancel);
    QCOMPARE(env.boxes.shown[0].caption, QStringLiteral("並び換え"));
    QCOMPARE(env.readFile(QStringLiteral("two.kno")), i + a);

    // A leftover Temp.adr larger than the book leaves nothing stale behind.
    env.writeFile(QStringLiteral("Temp.adr"), QByteArray(5000, 'x'));
    env.boxes.shown.clear();
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    main.Menu_Edit_Sort_Click();
    QCOMPARE(env.boxes.shown.size(), 2);
    QCOMPARE(env.boxes.shown[1].text, QStringLiteral("並び換え完了"));
    QCOMPARE(env.boxes.shown[1].icon, MsgIcon::Information);
    QCOMPARE(env.boxes.shown[1].caption, ProgramTitle);
    QCOMPARE(env.readFile(QStringLiteral("two.kno")), a + i);
    QVERIFY(!QFile::exists(env.path(QStringLiteral("Temp.adr"))));
    QCOMPARE(main.Lab04->text(), env.dm->FileDateText());
    QVERIFY(!main.findChild<QDialog *>(QStringLiteral("CancelF")) ||
            !main.findChild<QDialog *>(QStringLiteral("CancelF"))->isVisible());

    // Equal readings stay where they are.
    const QByteArray a2 = fixedRecord({QStringLiteral("安藤"), QStringLiteral("ｱﾍﾞ")});
    env.writeFile(QStringLiteral("eq.kno"), a + a2);
    QVERIFY(env.open(QStringLiteral("eq.kno"), DataModule::FixedLength));
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    main.Menu_Edit_Sort_Click();
    QCOMPARE(env.readFile(QStringLiteral("eq.kno")), a + a2);
}

void TstSort::commandSortsTextBookAndLeavesNoTemporaryFile()
{
    TestEnv env;
    Adrsbook main(*env.dm);
    // An empty reading sorts first; the last line gains its line end.
    const QByteArray book = textLine(QStringLiteral("鈴木;ｽｽﾞｷ;100-0001"))
        + textLine(QStringLiteral("無名;;"))
        + Cp932::encode(QStringLiteral("阿部;ｱﾍﾞ;;東京"));
    env.writeFile(QStringLiteral("t.txt"), book);
    QVERIFY(env.open(QStringLiteral("t.txt"), DataModule::DelimitedText));
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    main.Menu_Edit_Sort_Click();
    QCOMPARE(env.readFile(QStringLiteral("t.txt")),
             textLine(QStringLiteral("無名;;")) + textLine(QStringLiteral("阿部;ｱﾍﾞ;;東京"))
                 + textLine(QStringLiteral("鈴木;ｽｽﾞｷ;100-0001")));
    QCOMPARE(env.dm->RecordCount, 3);
    QCOMPARE(env.dm->LineIndex[2], 9);
    env.dm->LoadRecord(3);
    QCOMPARE(env.dm->FieldText[1], QStringLiteral("鈴木"));
    QVERIFY(!QFile::exists(env.path(QStringLiteral("Temp.adr"))));
}

void TstSort::failedRewriteKeepsTheBook()
{
    TestEnv env;
    Adrsbook main(*env.dm);
    const QByteArray book = fixedRecord({QStringLiteral("伊藤"), QStringLiteral("ｲﾄｳ")})
        + fixedRecord({QStringLiteral("阿部"), QStringLiteral("ｱﾍﾞ")});
    env.writeFile(QStringLiteral("ro.kno"), book);
    QVERIFY(env.open(QStringLiteral("ro.kno"), DataModule::FixedLength));
    env.dm->CallTrace.clear();
    // Sorts that end well leave nothing in the trace.
    for (int i = 0; i < 2; ++i) {
        env.boxes.answer(MsgAnswerCode::Ok);
        env.boxes.answer(MsgAnswerCode::Ok);
        main.Menu_Edit_Sort_Click();
        QCOMPARE(env.dm->CallTrace, QString());
    }
    env.boxes.shown.clear();
    env.writeFile(QStringLiteral("ro.kno"), book);
    QVERIFY(env.open(QStringLiteral("ro.kno"), DataModule::FixedLength));
    env.dm->CallTrace.clear();
    // "Temp.adr" cannot be created: a folder of that name is in the way.
    QVERIFY(QDir(env.dir.path()).mkdir(QStringLiteral("Temp.adr")));
    env.boxes.answer(MsgAnswerCode::Ok);
    env.boxes.answer(MsgAnswerCode::Ok);
    main.Menu_Edit_Sort_Click();
    QCOMPARE(env.boxes.shown.size(), 2);
    QCOMPARE(env.boxes.shown[1].caption, QStringLiteral("Menu_Edit_Sort_Click"));
    QVERIFY2(env.boxes.shown[1].text.endsWith(QStringLiteral("\n > Menu_Edit_Sort_Click")),
             qPrintable(env.boxes.shown[1].text));
    QCOMPARE(env.readFile(QStringLiteral("ro.kno")), book);
    QVERIFY(env.dm->DataChannel && env.dm->DataChannel->isOpen());
    env.dm->ReadRecord(2);
    QCOMPARE(env.dm->RecordBuffer.bytes(), book.mid(239));
}

void TstSort::progressWindow()
{
    TestEnv env;
    env.dm->RecordCount = 40;
    CancelF w(*env.dm);
    QCOMPARE(w.objectName(), QStringLiteral("CancelF"));
    QCOMPARE(w.Label1->text(), QStringLiteral("「ﾌﾘｶﾞﾅ」をキーにして並び換え中です。..."));
    QCOMPARE(w.Label2->text(), QStringLiteral("しばらくお待ちください。(^o^)"));
    QCOMPARE(w.Picture1->ScaleWidth(), 40);
    QVERIFY(w.findChildren<QPushButton *>().isEmpty());
    // While it shows, the other windows take no input.
    QCOMPARE(w.windowModality(), Qt::ApplicationModal);
    w.show();
    w.Advance(10);
    QCOMPARE(w.Picture1->Filled(), 10);
    QImage image = w.Picture1->grab().toImage();
    QCOMPARE(QColor(image.pixel(1, image.height() / 2)), QColor(0, 0, 128));
    QCOMPARE(QColor(image.pixel(image.width() - 2, image.height() / 2)), QColor(Qt::white));
    w.Advance(40);
    image = w.Picture1->grab().toImage();
    QCOMPARE(QColor(image.pixel(image.width() - 2, image.height() / 2)), QColor(0, 0, 128));
}

QTEST_MAIN(TstSort)
#include "tst_sort.moc"
