// ファイル → 他のソフトから読み込み / 他のソフト用に書き出し, driven through the
// main window with scripted file dialogs, preview and message boxes: the
// book's bytes, the labels and menus, the limits, and export → import round
// trips in both formats.
#include "support/testenv.h"

#include "app/adrsbook.h"
#include "exchange/importpreview.h"
#include "store/recordstore.h"

#include "platform/codec.h"
#include "platform/runerror.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>
#include <QtTest>
#include <functional>

class TstExchangeCommands : public QObject {
    Q_OBJECT
private slots:
    void importIntoOpenBook_data();
    void importIntoOpenBook();
    void importMakesNewBook();
    void cancelAndRefusals();
    void limits_data();
    void limits();
    void previewShowsWhatIsStored();
    void exportFormats();
    void exportNamedAsTyped_data();
    void exportNamedAsTyped();
    void roundTrips_data();
    void roundTrips();
};

namespace {

using Rows = QList<QStringList>;

QString crlf(const QStringList &lines) { return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"); }

// The next file dialog picks `path` (and the file type `filter`).
void chooseFile(TestEnv &env, const QString &path, int filter = -1)
{
    env.modal.then([path, filter](QDialog &dialog) {
        auto *chooser = qobject_cast<QFileDialog *>(&dialog);
        if (!chooser)
            return int(QDialog::Rejected);
        if (filter >= 0)
            chooser->selectNameFilter(chooser->nameFilters().value(filter));
        chooser->selectFile(path);
        return int(QDialog::Accepted);
    });
}

// The next preview is worked by `steps`; a preview they leave open is
// closed with キャンセル.
void runPreview(TestEnv &env, std::function<void(ImportPreview &)> steps)
{
    env.modal.then([steps](QDialog &dialog) {
        auto &preview = static_cast<ImportPreview &>(dialog);
        steps(preview);
        if (preview.result() != QDialog::Accepted)
            preview.Command2_Click();
        return preview.result();
    });
}

// The next preview is looked at by `check`, then 読み込み is pressed.
void acceptPreview(TestEnv &env, std::function<void(ImportPreview &)> check = {})
{
    runPreview(env, [check](ImportPreview &preview) {
        if (check)
            check(preview);
        preview.Command1_Click();
    });
}

// Opens a book the way a file named on the command line is opened.
void openBook(TestEnv &env, Adrsbook &w, const QString &name, qint16 format)
{
    env.dm->CommandFile = env.path(name);
    env.dm->DataFormat = format;
    w.Menu_File_Open_Click(1);
}

QString cellText(QTableWidget *grid, int row, int column)
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}

const QString ImportCaption = QStringLiteral("他のソフトから読み込み");

} // namespace

void TstExchangeCommands::importIntoOpenBook_data()
{
    QTest::addColumn<qint16>("format");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("target");
    QTest::newRow("fixed length")
        << DataModule::FixedLength << QStringLiteral("a.kno")
        << TestEnv::record({QStringLiteral("山田"), QStringLiteral("ﾔﾏﾀﾞ")})
        << TestEnv::records({{QStringLiteral("山田"), QStringLiteral("ﾔﾏﾀﾞ")},
                             {QStringLiteral("鈴木"), QStringLiteral("ｽｽﾞｷ"), QString(), QString(), QString(),
                              QStringLiteral("03-1")},
                             {QStringLiteral("佐藤; 一郎")}})
        << QStringLiteral("読み込み先：a.kno（固定長、末尾に追加）");
    // A last line without its line end gets one; the new lines are the
    // program's own, the delimiter inside a value quoted.
    QTest::newRow("text") << DataModule::DelimitedText << QStringLiteral("a.txt")
                          << Cp932::encode(QStringLiteral("山田;ﾔﾏﾀﾞ"))
                          << TestEnv::line(QStringLiteral("山田;ﾔﾏﾀﾞ")) + TestEnv::line(QStringLiteral("鈴木;ｽｽﾞｷ;;;;03-1;;;;"))
                                 + TestEnv::line(QStringLiteral("\"佐藤; 一郎\";;;;;;;;;"))
                          << QStringLiteral("読み込み先：a.txt（可変長、末尾に追加）");
}

void TstExchangeCommands::importIntoOpenBook()
{
    QFETCH(qint16, format);
    QFETCH(QString, name);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(QString, target);
    TestEnv env;
    DataModule &dm = *env.dm;
    env.writeFile(name, before);
    env.writeFile(QStringLiteral("new.csv"), crlf({QStringLiteral("氏名,ふりがな,電話番号"),
                                                   QStringLiteral("鈴木,すずき,03-1"),
                                                   QStringLiteral("\"佐藤; 一郎\",,")}).toUtf8());
    Adrsbook w(dm);
    openBook(env, w, name, format);
    QCOMPARE(w.Lab03->text(), QStringLiteral("1"));

    chooseFile(env, env.path(QStringLiteral("new.csv")));
    bool menusLocked = false;
    acceptPreview(env, [&](ImportPreview &p) {
        menusLocked = !w.Menu_File->isEnabled() && !w.Menu_Edit->isEnabled();
        QCOMPARE(p.Label1->text(), QStringLiteral("ファイル：new.csv　　形式：CSV（コンマ区切り、UTF-8）"));
        QCOMPARE(p.Label4->text(), QStringLiteral("読み込むﾃﾞｰﾀ数：2 件"));
        QCOMPARE(p.Label5->text(), target);
        QVERIFY(p.Check1->isVisible() || !p.isVisible());
        QVERIFY(p.Check1->isChecked());
        QCOMPARE(cellText(p.Grid2, 0, 1), QStringLiteral("ｽｽﾞｷ"));
        QCOMPARE(p.Label7->text(), QString());
    });
    env.boxes.answer(MsgAnswerCode::Ok);
    w.Menu_File_Import_Click();

    QVERIFY(menusLocked);
    QVERIFY(w.Menu_File->isEnabled() && w.Menu_Edit->isEnabled());
    QCOMPARE(env.readFile(name), after);
    QCOMPARE(dm.RecordCount, qint16(3));
    QCOMPARE(w.Lab03->text(), QStringLiteral("3"));
    QCOMPARE(w.Lab04->text(), dm.FileDateText());
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("2 件のﾃﾞｰﾀを %1 に読み込みました。").arg(name));
    QCOMPARE(env.boxes.shown.last().caption, ImportCaption);
    QCOMPARE(env.boxes.shown.last().icon, MsgIcon::Information);
    QVERIFY(!QFile::exists(env.path(RewriteTempName)));
    dm.LoadRecord(3);
    QCOMPARE(dm.FieldText[Name], QStringLiteral("佐藤; 一郎"));
    QCOMPARE(dm.CallTrace, QString());

    // A book that may not be written is left as it is; the report says why.
    QFile::setPermissions(env.path(name), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    chooseFile(env, env.path(QStringLiteral("new.csv")));
    acceptPreview(env);
    env.boxes.answer(MsgAnswerCode::Ok);
    w.Menu_File_Import_Click();
    QCOMPARE(env.boxes.shown.last().caption, QStringLiteral("Menu_File_Import"));
    QCOMPARE(env.boxes.shown.last().text,
             name + QStringLiteral(" は読み取り専用のため書き換えられません。\n > Menu_File_Import"));
    QCOMPARE(env.readFile(name), after);
    QCOMPARE(dm.RecordCount, qint16(3));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TstExchangeCommands::importMakesNewBook()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    QDir(env.path(QString())).mkdir(QStringLiteral("phone"));
    env.writeFile(QStringLiteral("phone/KANOTE01.KNO"), TestEnv::record({QStringLiteral("先客")}));
    env.writeFile(QStringLiteral("phone/contacts.vcf"),
                  crlf({QStringLiteral("BEGIN:VCARD"), QStringLiteral("VERSION:3.0"), QStringLiteral("N:山田;太郎;;;"),
                        QStringLiteral("X-PHONETIC-LAST-NAME:やまだ"), QStringLiteral("X-PHONETIC-FIRST-NAME:たろう"),
                        QStringLiteral("TEL;TYPE=HOME:03-1111-2222"), QStringLiteral("END:VCARD"),
                        QStringLiteral("BEGIN:VCARD"), QStringLiteral("VERSION:3.0"), QStringLiteral("FN:鈴木"),
                        QStringLiteral("END:VCARD")}).toUtf8());
    Adrsbook w(dm);

    chooseFile(env, env.path(QStringLiteral("phone/contacts.vcf")));
    acceptPreview(env, [&](ImportPreview &p) {
        QCOMPARE(p.Label1->text(), QStringLiteral("ファイル：contacts.vcf　　形式：vCard 3.0（UTF-8）"));
        QCOMPARE(p.Label5->text(), QStringLiteral("読み込み先：KANOTE02.KNO（新しく作る固定長ﾌｧｲﾙ）"));
        QVERIFY(p.Check1->isHidden());
        // The columns found: only those some card holds.
        QCOMPARE(p.Grid1->rowCount(), 6);
        QCOMPARE(cellText(p.Grid1, 0, 1), QStringLiteral("姓 (N)"));
        QCOMPARE(cellText(p.Grid1, 2, 1), QStringLiteral("表示名 (FN)"));
        QCOMPARE(cellText(p.Grid1, 2, 4), QStringLiteral("ほかの列が空のときに使用"));
        QCOMPARE(p.Grid1->findChild<QComboBox *>(QStringLiteral("Combo1_5"))->currentText(), QStringLiteral("電話番号"));
    });
    env.boxes.answer(MsgAnswerCode::Ok);
    w.Menu_File_Import_Click();

    const QByteArray expected = TestEnv::records(
        {{QStringLiteral("山田太郎"), QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ"), QString(), QString(), QString(), QStringLiteral("03-1111-2222")},
         {QStringLiteral("鈴木")}});
    QCOMPARE(env.readFile(QStringLiteral("phone/KANOTE02.KNO")), expected);
    QCOMPARE(env.readFile(QStringLiteral("phone/KANOTE01.KNO")), TestEnv::record({QStringLiteral("先客")}));
    QCOMPARE(QDir::current().absolutePath(), QDir(env.path(QStringLiteral("phone"))).absolutePath());
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("2 件のﾃﾞｰﾀを KANOTE02.KNO に読み込みました。"));
    // The new book is the open book.
    QCOMPARE(w.Lab01->text(), QStringLiteral("KANOTE02.KNO"));
    QCOMPARE(w.Lab02->text(), QStringLiteral("固定長"));
    QCOMPARE(w.Lab03->text(), QStringLiteral("2"));
    QVERIFY(w.Menu_Edit->isEnabled() && w.Menu_File_Close->isEnabled() && w.Menu_File_Export->isEnabled());
    dm.LoadRecord(1);
    QCOMPARE(dm.FieldText[Furigana], QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ"));
    QVERIFY(!QFile::exists(env.path(QStringLiteral("phone/temp.ads"))));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TstExchangeCommands::cancelAndRefusals()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    Adrsbook w(dm);
    env.writeFile(QStringLiteral("list.csv"), QByteArray("氏名,電話\r\n山田,03\r\n"));

    // The file dialog cancelled.
    env.modal.then([](QDialog &) { return int(QDialog::Rejected); });
    w.Menu_File_Import_Click();
    QCOMPARE(env.modal.ran, QStringList{QStringLiteral("ImportFileDialog")});

    // The preview cancelled: no book made, the record menus stay off.
    chooseFile(env, env.path(QStringLiteral("list.csv")));
    runPreview(env, [](ImportPreview &) {});
    w.Menu_File_Import_Click();
    QVERIFY(!QFile::exists(env.path(QStringLiteral("KANOTE01.KNO"))));
    QVERIFY(!w.Menu_Edit->isEnabled());
    QCOMPARE(w.Lab01->text(), QString());

    // Files that are no tables, or hold no records, are a message and no preview.
    const QList<QPair<QString, QByteArray>> refused = {
        {QStringLiteral("photo.csv"), QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF\0", 11)},
        {QStringLiteral("header.csv"), QByteArray("氏名,電話\r\n")}};
    const QStringList messages = {
        QStringLiteral("photo.csv は CSV ファイルでも vCard ファイルでもないため、読み込めません。"),
        QStringLiteral("header.csv には読み込めるﾃﾞｰﾀがありません。")};
    for (int i = 0; i < refused.size(); ++i) {
        env.writeFile(refused[i].first, refused[i].second);
        chooseFile(env, env.path(refused[i].first));
        env.boxes.answer(MsgAnswerCode::Ok);
        w.Menu_File_Import_Click();
        QCOMPARE(env.boxes.shown.last().text, messages[i]);
        QCOMPARE(env.boxes.shown.last().caption, ImportCaption);
        QCOMPARE(env.boxes.shown.last().icon, MsgIcon::Exclamation);
    }
    QCOMPARE(env.modal.ran.count(QStringLiteral("ImportPreview")), 1); // the one cancelled

    // Every new name taken: nothing is overwritten.
    for (int n = 1; n <= 99; ++n)
        env.writeFile(QStringLiteral("KANOTE%1.KNO").arg(n, 2, 10, QLatin1Char('0')), QByteArray());
    chooseFile(env, env.path(QStringLiteral("list.csv")));
    env.boxes.answer(MsgAnswerCode::Ok);
    w.Menu_File_Import_Click();
    QCOMPARE(env.boxes.shown.last().text,
             QStringLiteral("KANOTE01.KNO～KANOTE99.KNO がすべて使われているため、読み込めません。"));
    QCOMPARE(env.readFile(QStringLiteral("KANOTE01.KNO")), QByteArray());
    QVERIFY(!w.Menu_Edit->isEnabled());
    QCOMPARE(dm.CallTrace, QString());
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TstExchangeCommands::limits_data()
{
    QTest::addColumn<qint16>("format");
    QTest::addColumn<int>("existing");
    QTest::addColumn<int>("adding");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("fixed length, one too many")
        << DataModule::FixedLength << 32766 << 2
        << QStringLiteral("2件のﾃﾞｰﾀを加えると固定長ﾌｧｲﾙの上限 32767 件を超えるため、読み込めません。（現在 32766 件）");
    QTest::newRow("text, one too many")
        << DataModule::DelimitedText << 1026 << 2
        << QStringLiteral("2件のﾃﾞｰﾀを加えると可変長ﾌｧｲﾙの上限 1027 件を超えるため、読み込めません。（現在 1026 件）");
    QTest::newRow("text, filled exactly") << DataModule::DelimitedText << 1026 << 1 << QString();
}

void TstExchangeCommands::limits()
{
    QFETCH(qint16, format);
    QFETCH(int, existing);
    QFETCH(int, adding);
    QFETCH(QString, refusal);
    TestEnv env;
    DataModule &dm = *env.dm;
    const bool fixed = format == DataModule::FixedLength;
    const QString name = fixed ? QStringLiteral("big.kno") : QStringLiteral("big.txt");
    const QByteArray one = fixed ? TestEnv::record({QStringLiteral("x")}) : TestEnv::line(QStringLiteral("x;y"));
    const QByteArray book = one.repeated(existing);
    env.writeFile(name, book);
    QStringList lines{QStringLiteral("氏名")};
    for (int i = 0; i < adding; ++i)
        lines << QStringLiteral("新%1").arg(i);
    env.writeFile(QStringLiteral("more.csv"), crlf(lines).toUtf8());
    Adrsbook w(dm);
    openBook(env, w, name, format);
    QCOMPARE(dm.RecordCount, qint16(existing));

    chooseFile(env, env.path(QStringLiteral("more.csv")));
    runPreview(env, [&](ImportPreview &p) {
        QCOMPARE(p.Label7->text(), refusal);
        p.Command1_Click(); // when refused, the window stays
        QCOMPARE(p.result() == QDialog::Accepted, refusal.isEmpty());
    });
    env.boxes.answer(MsgAnswerCode::Ok); // the refusal, or the report of the import
    w.Menu_File_Import_Click();

    if (refusal.isEmpty()) {
        QCOMPARE(dm.RecordCount, qint16(existing + adding));
        QVERIFY(env.readFile(name).startsWith(book));
        QCOMPARE(w.Lab03->text(), QString::number(existing + adding));
        return;
    }
    QCOMPARE(env.boxes.shown.last().text, refusal);
    QCOMPARE(env.boxes.shown.last().caption, ImportCaption);
    QCOMPARE(env.readFile(name), book);
    QCOMPARE(dm.RecordCount, qint16(existing));
    QVERIFY(!QFile::exists(env.path(RewriteTempName)));

    // The store refuses on its own as well.
    QList<RecordValues> records(adding);
    QVERIFY_THROWS_EXCEPTION(RunError, AppendRecords(dm, records));
    QCOMPARE(env.readFile(name), book);
}

void TstExchangeCommands::previewShowsWhatIsStored()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    const QString longName = QStringLiteral("寿限無寿限無五劫の擦り切れ海砂利水魚の水行末雲来末風来末");
    env.writeFile(QStringLiteral("odd.csv"), crlf({QStringLiteral("氏名,住所,メモ"),
                                                   longName + QStringLiteral(",𠮷田町1-1,"),
                                                   QStringLiteral(",,メモだけの行"), QStringLiteral("山田,東京,")})
                                                 .toUtf8());
    env.writeFile(QStringLiteral("a.kno"), QByteArray());
    Adrsbook w(dm);
    openBook(env, w, QStringLiteral("a.kno"), DataModule::FixedLength);

    chooseFile(env, env.path(QStringLiteral("odd.csv")));
    acceptPreview(env, [&](ImportPreview &p) {
        QCOMPARE(p.Grid1->rowCount(), 3);
        QCOMPARE(cellText(p.Grid1, 1, 1), QStringLiteral("住所"));
        QCOMPARE(cellText(p.Grid1, 0, 2), longName.left(24) + QStringLiteral("…"));
        auto *address = p.Grid1->findChild<QComboBox *>(QStringLiteral("Combo1_1"));
        QCOMPARE(address->currentText(), QStringLiteral("住所１"));
        QCOMPARE(p.Grid1->findChild<QComboBox *>(QStringLiteral("Combo1_2"))->currentText(), QStringLiteral("未使用"));
        QCOMPARE(p.Label4->text(), QStringLiteral("読み込むﾃﾞｰﾀ数：2 件（値のない 1 行は読み込みません）"));
        QCOMPARE(cellText(p.Grid2, 0, 0), QStringLiteral("寿限無寿限無五劫の擦り切れ海砂"));
        QCOMPARE(cellText(p.Grid2, 0, 3), QStringLiteral("?田町1-1"));
        QCOMPARE(p.Label6->text(), QStringLiteral("切り詰め・変更される値：2 個(&V)"));
        QCOMPARE(p.List1->count(), 2);
        QCOMPARE(p.List1->item(0)->text(),
                 QStringLiteral("1件目 名前：「%1」→「寿限無寿限無五劫の擦り切れ海砂」（30ﾊﾞｲﾄに切り詰め）").arg(longName));
        QCOMPARE(p.List1->item(1)->text(), QStringLiteral("1件目 住所１：「𠮷田町1-1」→「?田町1-1」（使えない文字は?）"));

        // 住所 not used, メモ as 住所２.
        p.Combo1_Click(1, 0);
        p.Combo1_Click(2, Address2);
        QCOMPARE(p.List1->count(), 1);
        QCOMPARE(cellText(p.Grid2, 0, 3), QString());
        QCOMPARE(cellText(p.Grid2, 1, 4), QStringLiteral("メモだけの行"));
        QCOMPARE(p.Label4->text(), QStringLiteral("読み込むﾃﾞｰﾀ数：3 件"));

        // The first line as a record: standard order, four records.
        p.Check1->setChecked(false);
        p.Check1_Click();
        QCOMPARE(p.Label4->text(), QStringLiteral("読み込むﾃﾞｰﾀ数：4 件"));
        QCOMPARE(cellText(p.Grid1, 1, 1), QStringLiteral("列2"));
        QCOMPARE(cellText(p.Grid2, 0, 0), QStringLiteral("氏名"));
        QCOMPARE(cellText(p.Grid2, 0, 1), QStringLiteral("住所")); // a reading keeps its kanji
        p.Check1->setChecked(true);
        p.Check1_Click();
        p.Combo1_Click(2, Address2);
    });
    env.boxes.answer(MsgAnswerCode::Ok);
    w.Menu_File_Import_Click();
    QCOMPARE(env.readFile(QStringLiteral("a.kno")),
             TestEnv::records({{longName, QString(), QString(), QStringLiteral("𠮷田町1-1")},
                               {QString(), QString(), QString(), QString(), QStringLiteral("メモだけの行")},
                               {QStringLiteral("山田"), QString(), QString(), QStringLiteral("東京")}}));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TstExchangeCommands::exportNamedAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("selectedType"); // 0 CSV, 1 vCard
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("start");
    const QByteArray csv("\xEF\xBB\xBF");
    const QByteArray vcard("BEGIN:VCARD\r\n");
    QTest::newRow(".vcf typed, CSV selected") << "out.vcf" << 0 << "out.vcf" << vcard;
    QTest::newRow(".csv typed, vCard selected") << "out.csv" << 1 << "out.csv" << csv;
    QTest::newRow("upper case .VCF, CSV selected") << "OUT.VCF" << 0 << "OUT.VCF" << vcard;
    QTest::newRow("no extension, CSV selected") << "out" << 0 << "out.csv" << csv;
    QTest::newRow("no extension, vCard selected") << "out" << 1 << "out.vcf" << vcard;
    QTest::newRow("other extension, vCard selected") << "out.txt" << 1 << "out.txt.vcf" << vcard;
}

void TstExchangeCommands::exportNamedAsTyped()
{
    QFETCH(QString, typed);
    QFETCH(int, selectedType);
    QFETCH(QString, written);
    QFETCH(QByteArray, start);
    TestEnv env;
    env.writeFile(QStringLiteral("a.kno"), TestEnv::records({{QStringLiteral("山田"), QStringLiteral("ﾔﾏﾀﾞ")}}));
    Adrsbook w(*env.dm);
    openBook(env, w, QStringLiteral("a.kno"), DataModule::FixedLength);
    chooseFile(env, env.path(typed), selectedType);
    env.boxes.answer(MsgAnswerCode::Ok);
    w.Menu_File_Export_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("1 件のﾃﾞｰﾀを %1 に書き出しました。").arg(written));
    QVERIFY(env.readFile(written).startsWith(start));
    // Nothing else was written beside it.
    QCOMPARE(QDir(env.dir.path()).entryList(QDir::Files).size(), 2);
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TstExchangeCommands::exportFormats()
{
    TestEnv env;
    DataModule &dm = *env.dm;
    const QString address = QStringLiteral("東京都千代田区千代田一丁目一番一号皇居");
    env.writeFile(QStringLiteral("a.kno"),
                  TestEnv::records({{QStringLiteral("山田"), QStringLiteral("ﾔﾏﾀﾞ"), QStringLiteral("100-0001"),
                                     QStringLiteral("東京都,港区")},
                                    {QStringLiteral("鈴木"), QString(), QString(), address, address}}));
    env.writeFile(QStringLiteral("empty.kno"), QByteArray());
    Adrsbook w(dm);

    // No records: the fixed message, no dialog.
    openBook(env, w, QStringLiteral("empty.kno"), DataModule::FixedLength);
    env.boxes.answer(MsgAnswerCode::Ok);
    w.Menu_File_Export_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("ﾃﾞｰﾀ数が 0のため、処理できません！"));
    QVERIFY(!env.modal.ran.contains(QStringLiteral("ExportFileDialog")));

    openBook(env, w, QStringLiteral("a.kno"), DataModule::FixedLength);
    // CSV: the extension is added; a mark, a line of labels, quoting, CR LF.
    chooseFile(env, env.path(QStringLiteral("out")), 0);
    env.boxes.answer(MsgAnswerCode::Ok);
    w.Menu_File_Export_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("2 件のﾃﾞｰﾀを out.csv に書き出しました。"));
    const QByteArray csv = QByteArray("\xEF\xBB\xBF")
        + crlf({QStringLiteral("名前,ﾌﾘｶﾞﾅ,郵便番号,住所１,住所２,電話番号,勤務先,役職,勤務先ＴＥＬ,マーク"),
                QStringLiteral("山田,ﾔﾏﾀﾞ,100-0001,\"東京都,港区\",,,,,,"),
                QStringLiteral("鈴木,,,%1,%1,,,,,").arg(address)}).toUtf8();
    QCOMPARE(env.readFile(QStringLiteral("out.csv")), csv);
    QVERIFY(!QFile::exists(env.path(QStringLiteral("temp.ads"))));

    // vCard 3.0 chosen by the file type; long lines folded between characters.
    chooseFile(env, env.path(QStringLiteral("cards")), 1);
    env.boxes.answer(MsgAnswerCode::Ok);
    w.Menu_File_Export_Click();
    const QByteArray vcf = env.readFile(QStringLiteral("cards.vcf"));
    const QString adr = QStringLiteral("ADR;TYPE=home:;%1;%1;;;;").arg(address);
    QCOMPARE(QString::fromUtf8(QByteArray(vcf).replace("\r\n ", "")),
             crlf({QStringLiteral("BEGIN:VCARD"), QStringLiteral("VERSION:3.0"), QStringLiteral("N:山田;;;;"),
                   QStringLiteral("FN:山田"), QStringLiteral("X-PHONETIC-LAST-NAME:ﾔﾏﾀﾞ"),
                   QStringLiteral("ADR;TYPE=home:;;東京都\\,港区;;;100-0001;"), QStringLiteral("END:VCARD"),
                   QStringLiteral("BEGIN:VCARD"), QStringLiteral("VERSION:3.0"), QStringLiteral("N:鈴木;;;;"),
                   QStringLiteral("FN:鈴木"), adr, QStringLiteral("END:VCARD")}));
    int folds = 0;
    for (const QByteArray &line : vcf.split('\n')) {
        const QByteArray bare = line.endsWith('\r') ? line.chopped(1) : line;
        QVERIFY2(bare.size() <= 75, bare.constData());
        QCOMPARE(QString::fromUtf8(bare).toUtf8(), bare); // no character cut in two
        folds += bare.startsWith(' ') ? 1 : 0;
    }
    QCOMPARE(folds, 1); // the 140-byte address line

    // An existing file is replaced only when the user says so.
    chooseFile(env, env.path(QStringLiteral("out.csv")), 0);
    env.boxes.answer(MsgAnswerCode::No);
    env.writeFile(QStringLiteral("out.csv"), "keep");
    w.Menu_File_Export_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("out.csv は既に存在します。\n上書きしますか？"));
    QCOMPARE(env.boxes.shown.last().buttons, MsgButtons::YesNo);
    QCOMPARE(env.readFile(QStringLiteral("out.csv")), QByteArray("keep"));
    chooseFile(env, env.path(QStringLiteral("out.csv")), 0);
    env.boxes.answer(MsgAnswerCode::Yes);
    env.boxes.answer(MsgAnswerCode::Ok);
    w.Menu_File_Export_Click();
    QCOMPARE(env.readFile(QStringLiteral("out.csv")), csv);

    // Never over the open book itself.
    env.writeFile(QStringLiteral("book.csv"), TestEnv::line(QStringLiteral("山田;ﾔﾏﾀﾞ")));
    openBook(env, w, QStringLiteral("book.csv"), DataModule::DelimitedText);
    chooseFile(env, env.path(QStringLiteral("book.csv")), 0);
    env.boxes.answer(MsgAnswerCode::Ok);
    w.Menu_File_Export_Click();
    QCOMPARE(env.boxes.shown.last().text, QStringLiteral("book.csv は開いている住所録のため、書き出し先にできません。"));
    QCOMPARE(env.readFile(QStringLiteral("book.csv")), TestEnv::line(QStringLiteral("山田;ﾔﾏﾀﾞ")));
    QCOMPARE(dm.CallTrace, QString());
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TstExchangeCommands::roundTrips_data()
{
    QTest::addColumn<qint16>("format");
    QTest::addColumn<int>("fileType");
    QTest::newRow("fixed length, CSV") << DataModule::FixedLength << 0;
    QTest::newRow("fixed length, vCard") << DataModule::FixedLength << 1;
    QTest::newRow("text, CSV") << DataModule::DelimitedText << 0;
    QTest::newRow("text, vCard") << DataModule::DelimitedText << 1;
}

void TstExchangeCommands::roundTrips()
{
    QFETCH(qint16, format);
    QFETCH(int, fileType);
    TestEnv env;
    DataModule &dm = *env.dm;
    // Every kind of value: full-width, half-width katakana, blanks at the
    // front, commas, semicolons, quotes, backslashes, CP932's own
    // characters, an empty mark, a mark that is a delimiter.
    const Rows values = {
        {"山田　太郎", "ﾔﾏﾀﾞ ﾀﾛｳ", "100-0001", "  東京都千代田区1,2-3", "パレス\"101\"号", "03-1111-2222",
         "山田;商事,本店", "部長\\代理", "03-3333-4444", "A"},
        {"ｽｽﾞｷ ﾊﾅｺ", "ｽｽﾞｷﾊﾅｺ", "", "大阪府", "", "", "", "", "", ""},
        {"髙橋①～－", "", "", "", " 2階", "", "㈱ソフト表示", "", "", "*"},
        {"", "", "530-0001", "", "", "", "", "", "", ","}};
    QList<RecordValues> records;
    for (const QStringList &row : values) {
        RecordValues r;
        for (int f = 1; f <= 10; ++f)
            r[f] = row.value(f - 1);
        records << r;
    }
    const bool fixed = format == DataModule::FixedLength;
    const QString source = fixed ? QStringLiteral("src.kno") : QStringLiteral("src.txt");
    const QString copy = fixed ? QStringLiteral("KANOTE01.KNO") : QStringLiteral("copy.txt");
    env.writeFile(source, QByteArray());
    Adrsbook w(dm);
    openBook(env, w, source, format);
    AppendRecords(dm, records);
    const QByteArray book = env.readFile(source);
    if (fixed)
        QCOMPARE(book, TestEnv::records(values));

    chooseFile(env, env.path(QStringLiteral("exchange")), fileType);
    env.boxes.answer(MsgAnswerCode::Ok);
    w.Menu_File_Export_Click();
    w.Menu_File_Close_Click();

    // Back in: into a new book, or into an empty text book.
    if (!fixed) {
        env.writeFile(copy, QByteArray());
        openBook(env, w, copy, format);
    }
    chooseFile(env, env.path(fileType == 0 ? QStringLiteral("exchange.csv") : QStringLiteral("exchange.vcf")));
    acceptPreview(env, [](ImportPreview &p) { QCOMPARE(p.List1->count(), 0); });
    env.boxes.answer(MsgAnswerCode::Ok);
    w.Menu_File_Import_Click();
    QCOMPARE(env.readFile(copy), book);
    QCOMPARE(w.Lab03->text(), QStringLiteral("4"));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

QTEST_MAIN(TstExchangeCommands)
#include "tst_exchangecommands.moc"
