// Files of other programs read without a window: CSV splitting, character
// sets, the column names of each program, vCard in its versions and
// encodings, files that are refused, and the values a book cannot hold.
// Every dialect is imported into a new book whose bytes are compared with
// the records expected.
#include "support/exchangefiles.h"
#include "support/testenv.h"
#include "support/books.h"

#include "convert/conversion.h"
#include "exchange/csvtext.h"
#include "exchange/exchangerun.h"
#include "exchange/importplan.h"
#include "exchange/importsource.h"

#include "platform/codec.h"

#include <QtTest>

class TstExchangeRead : public QObject {
    Q_OBJECT
private slots:
    void csvSplitting_data();
    void csvSplitting();
    void encodings_data();
    void encodings();
    void csvDialects_data();
    void csvDialects();
    void vcards_data();
    void vcards();
    void refusals_data();
    void refusals();
    void choicesAndStoredValues();
};

namespace {

using Rows = QList<QStringList>;
using namespace ExchangeFiles;

QByteArray utf8(const QString &text) { return text.toUtf8(); }
QByteArray sjis(const QString &text) { return Cp932::encode(text); }


} // namespace

void TstExchangeRead::csvSplitting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<Rows>("rows");
    QTest::newRow("plain, CR LF") << QStringLiteral("a,b,c\r\nd,e,f\r\n") << QStringLiteral(",")
                                  << Rows{{"a", "b", "c"}, {"d", "e", "f"}};
    QTest::newRow("quoted delimiter, doubled quotes") << QStringLiteral("\"a,b\",\"say \"\"hi\"\"\",c\r\n1,2,3\r\n")
                                                      << QStringLiteral(",")
                                                      << Rows{{"a,b", "say \"hi\"", "c"}, {"1", "2", "3"}};
    QTest::newRow("line breaks inside quotes") << QStringLiteral("\"x\r\ny\",\"p\nq\",z\r\n1,2,3")
                                               << QStringLiteral(",")
                                               << Rows{{"x\r\ny", "p\nq", "z"}, {"1", "2", "3"}};
    QTest::newRow("LF and CR line ends, no last end") << QStringLiteral("a;b\nc;d\re;f") << QStringLiteral(";")
                                                      << Rows{{"a", "b"}, {"c", "d"}, {"e", "f"}};
    QTest::newRow("tab, empty fields kept") << QStringLiteral("a\t\t c \t\r\n\t\t\t\r\n") << QStringLiteral("\t")
                                            << Rows{{"a", "", " c ", ""}, {"", "", "", ""}};
    QTest::newRow("text after a closing quote, a quote inside a field")
        << QStringLiteral("\"ab\"cd,e\"f\r\n1,2\r\n") << QStringLiteral(",") << Rows{{"abcd", "e\"f"}, {"1", "2"}};
    QTest::newRow("semicolon beats commas inside values")
        << QStringLiteral("名前;住所\r\n山田;東京都,千代田区\r\n鈴木;大阪,北区,梅田\r\n") << QStringLiteral(";")
        << Rows{{"名前", "住所"}, {"山田", "東京都,千代田区"}, {"鈴木", "大阪,北区,梅田"}};
}

void TstExchangeRead::csvSplitting()
{
    QFETCH(QString, text);
    QFETCH(QString, delimiter);
    QFETCH(Rows, rows);
    QCOMPARE(Csv::detectDelimiter(text), delimiter.at(0));
    const CsvRows parsed = Csv::parse(text, delimiter.at(0));
    QVERIFY(!parsed.unclosedQuote);
    QCOMPARE(parsed.rows, rows);
}

void TstExchangeRead::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("description");
    const QString text = crlf({QStringLiteral("氏名,ふりがな,住所"),
                               QStringLiteral("髙橋①,たかはし,東京都港区～１－２"),
                               QStringLiteral("表示,ひょうじ,ソウル")});
    QTest::newRow("UTF-8") << utf8(text) << QStringLiteral("CSV（コンマ区切り、UTF-8）");
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF") + utf8(text)
                                     << QStringLiteral("CSV（コンマ区切り、UTF-8（BOM付き））");
    QTest::newRow("CP932") << sjis(text) << QStringLiteral("CSV（コンマ区切り、Shift_JIS（CP932））");
    QByteArray utf16("\xFF\xFE");
    for (const QChar c : text)
        utf16 += char(c.unicode() & 0xFF), utf16 += char(c.unicode() >> 8);
    QTest::newRow("UTF-16") << utf16 << QStringLiteral("CSV（コンマ区切り、UTF-16）");
}

void TstExchangeRead::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, description);
    TestEnv env;
    QString shown;
    // CP932's own characters (髙, ①, ～, －) and trail bytes of 0x5C (表, ソ) come through.
    QCOMPARE(importedBook(env, QStringLiteral("list.csv"), bytes, &shown),
             fixedBook({{QStringLiteral("髙橋①"), QStringLiteral("ﾀｶﾊｼ"), QString(),
                                QStringLiteral("東京都港区～１－２")},
                               {QStringLiteral("表示"), QStringLiteral("ﾋｮｳｼﾞ"), QString(), QStringLiteral("ソウル")}}));
    QCOMPARE(shown, description);
}

void TstExchangeRead::csvDialects_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Rows>("records");

    // Plain Japanese names; a quoted value holding the delimiter and a line break.
    QTest::newRow("plain Japanese")
        << utf8(crlf({QStringLiteral("氏名,フリガナ,〒,住所1,住所2,電話番号,会社名,役職,会社電話,マーク"),
                      QStringLiteral("山田太郎,やまだたろう,100-0001,東京都千代田区千代田1-1,パレス101,03-1111-2222,山田商事,部長,03-3333-4444,A"),
                      QStringLiteral("\"鈴木, 花子\",スズキ ハナコ,530-0001,\"大阪府大阪市北区\r\n梅田1-1\",,06-1111-2222,,,,")}))
        << Rows{{"山田太郎", "ﾔﾏﾀﾞﾀﾛｳ", "100-0001", "東京都千代田区千代田1-1", "パレス101", "03-1111-2222",
                 "山田商事", "部長", "03-3333-4444", "A"},
                {"鈴木, 花子", "ｽｽﾞｷ ﾊﾅｺ", "530-0001", "大阪府大阪市北区 梅田1-1", "", "06-1111-2222"}};

    // 姓 + 名 and the address in four parts, semicolons, CP932.
    QTest::newRow("plain Japanese in parts")
        << sjis(crlf({QStringLiteral("姓;名;せい;めい;郵便番号;都道府県;市区町村;番地;建物名;電話;勤務先;勤務先電話"),
                      QStringLiteral("佐藤;一郎;さとう;いちろう;060-0001;北海道;札幌市中央区;北一条西1-1;サトウビル3F;011-111-2222;北海商会;011-333-4444")}))
        << Rows{{"佐藤一郎", "ｻﾄｳｲﾁﾛｳ", "060-0001", "北海道札幌市中央区北一条西1-1", "サトウビル3F", "011-111-2222",
                 "北海商会", "", "011-333-4444"}};

    // Japan Post's postcard software.
    const QStringList post = {
        "氏名(姓)", "氏名(名)", "フリガナ(姓)", "フリガナ(名)", "敬称", "郵便番号(自宅欄)", "自宅住所(都道府県)",
        "自宅住所(市区町村)", "自宅住所(番地等)", "自宅住所(建物名)", "会社名(会社欄)", "部署名(会社欄)", "役職(会社欄)",
        "連名1(姓:自宅欄)", "連名1(名:自宅欄)", "連名1(敬称:自宅欄)"};
    QTest::newRow("Japan Post")
        << sjis(crlf({csvHeader(post),
                      csvLine(post, {{"氏名(姓)", "高橋"}, {"氏名(名)", "健"}, {"フリガナ(姓)", "タカハシ"},
                                     {"フリガナ(名)", "ケン"}, {"敬称", "様"}, {"郵便番号(自宅欄)", "980-0001"},
                                     {"自宅住所(都道府県)", "宮城県"}, {"自宅住所(市区町村)", "仙台市青葉区"},
                                     {"自宅住所(番地等)", "中央1-1-1"}, {"会社名(会社欄)", "高橋建設"},
                                     {"部署名(会社欄)", "営業部"}, {"役職(会社欄)", "課長"}, {"連名1(姓:自宅欄)", "高橋"},
                                     {"連名1(名:自宅欄)", "花子"}, {"連名1(敬称:自宅欄)", "様"}})}))
        << Rows{{"高橋健", "ﾀｶﾊｼｹﾝ", "980-0001", "宮城県仙台市青葉区中央1-1-1", "", "", "高橋建設", "課長"}};

    // Google Contacts, the current layout: a mobile number only without a
    // home one, a work number to 勤務先ＴＥＬ, a fax nowhere, the home address
    // rather than the workplace's.
    const QStringList google = {
        "First Name", "Middle Name", "Last Name", "Phonetic First Name", "Phonetic Middle Name", "Phonetic Last Name",
        "Name Prefix", "Name Suffix", "Nickname", "File As", "Organization Name", "Organization Title",
        "Organization Department", "Birthday", "Notes", "Photo", "Labels", "E-mail 1 - Label", "E-mail 1 - Value",
        "Phone 1 - Label", "Phone 1 - Value", "Phone 2 - Label", "Phone 2 - Value", "Phone 3 - Label",
        "Phone 3 - Value", "Address 1 - Label", "Address 1 - Formatted", "Address 1 - Street", "Address 1 - City",
        "Address 1 - PO Box", "Address 1 - Region", "Address 1 - Postal Code", "Address 1 - Country",
        "Address 1 - Extended Address", "Address 2 - Label", "Address 2 - Formatted", "Address 2 - Street",
        "Address 2 - City", "Address 2 - PO Box", "Address 2 - Region", "Address 2 - Postal Code",
        "Address 2 - Country", "Address 2 - Extended Address"};
    QTest::newRow("Google Contacts")
        << utf8(crlf({csvHeader(google),
                      csvLine(google, {{"First Name", "太郎"}, {"Last Name", "山田"}, {"Phonetic First Name", "たろう"},
                                       {"Phonetic Last Name", "やまだ"}, {"Organization Name", "山田商事"},
                                       {"Organization Title", "部長"}, {"Labels", "* myContacts"},
                                       {"E-mail 1 - Label", "* Home"}, {"E-mail 1 - Value", "taro@example.jp"},
                                       {"Phone 1 - Label", "Mobile"}, {"Phone 1 - Value", "090-1111-2222"},
                                       {"Phone 2 - Label", "Work"}, {"Phone 2 - Value", "03-3333-4444"},
                                       {"Phone 3 - Label", "Home Fax"}, {"Phone 3 - Value", "03-9999-9999"},
                                       {"Address 1 - Label", "Work"}, {"Address 1 - Street", "丸の内1-1"},
                                       {"Address 1 - City", "千代田区"}, {"Address 1 - Region", "東京都"},
                                       {"Address 1 - Postal Code", "100-0005"}, {"Address 2 - Label", "Home"},
                                       {"Address 2 - Formatted", "〒150-0001\n東京都渋谷区神宮前1-1"},
                                       {"Address 2 - Street", "神宮前1-1"}, {"Address 2 - City", "渋谷区"},
                                       {"Address 2 - Region", "東京都"}, {"Address 2 - Postal Code", "150-0001"},
                                       {"Address 2 - Country", "Japan"}, {"Address 2 - Extended Address", "メゾン201"}}),
                      csvLine(google, {{"First Name", "花子"}, {"Last Name", "鈴木"}, {"Phone 1 - Label", "Mobile"},
                                       {"Phone 1 - Value", "080-1234-5678"}, {"Phone 2 - Label", "Home"},
                                       {"Phone 2 - Value", "06-1111-2222"}}),
                      csvLine(google, {{"E-mail 1 - Value", "only@example.jp"}})}))
        << Rows{{"山田太郎", "ﾔﾏﾀﾞﾀﾛｳ", "150-0001", "東京都渋谷区神宮前1-1", "メゾン201", "09011112222", "山田商事",
                 "部長", "03-3333-4444"},
                {"鈴木花子", "", "", "", "", "06-1111-2222"}};

    // Google Contacts' older layout (Yomi names, "- Type", "Organization 1 - ...").
    const QStringList oldGoogle = {
        "Name", "Given Name", "Additional Name", "Family Name", "Yomi Name", "Given Name Yomi", "Additional Name Yomi",
        "Family Name Yomi", "Name Prefix", "Name Suffix", "Initials", "Nickname", "Short Name", "Maiden Name",
        "Birthday", "Gender", "Location", "Billing Information", "Directory Server", "Mileage", "Occupation", "Hobby",
        "Sensitivity", "Priority", "Subject", "Notes", "Group Membership", "E-mail 1 - Type", "E-mail 1 - Value",
        "Phone 1 - Type", "Phone 1 - Value", "Address 1 - Type", "Address 1 - Formatted", "Address 1 - Street",
        "Address 1 - City", "Address 1 - PO Box", "Address 1 - Region", "Address 1 - Postal Code",
        "Address 1 - Country", "Address 1 - Extended Address", "Organization 1 - Type", "Organization 1 - Name",
        "Organization 1 - Yomi Name", "Organization 1 - Title", "Organization 1 - Department"};
    QTest::newRow("Google Contacts, older layout")
        << utf8(crlf({csvHeader(oldGoogle),
                      csvLine(oldGoogle, {{"Name", "伊藤 誠"}, {"Given Name", "誠"}, {"Family Name", "伊藤"},
                                          {"Given Name Yomi", "まこと"}, {"Family Name Yomi", "いとう"},
                                          {"Phone 1 - Type", "Home"}, {"Phone 1 - Value", "045-111-2222"},
                                          {"Address 1 - Type", "Home"}, {"Address 1 - Street", "港北1-1"},
                                          {"Address 1 - City", "横浜市港北区"}, {"Address 1 - Region", "神奈川県"},
                                          {"Address 1 - Postal Code", "222-0001"}, {"Organization 1 - Name", "伊藤工業"},
                                          {"Organization 1 - Yomi Name", "いとうこうぎょう"},
                                          {"Organization 1 - Title", "社長"}}),
                      csvLine(oldGoogle, {{"Name", "山本商店"}, {"Yomi Name", "やまもとしょうてん"}})}))
        << Rows{{"伊藤誠", "ｲﾄｳﾏｺﾄ", "222-0001", "神奈川県横浜市港北区港北1-1", "", "045-111-2222", "伊藤工業", "社長"},
                {"山本商店", "ﾔﾏﾓﾄｼｮｳﾃﾝ"}};

    // Google Contacts with Japanese column names.
    const QStringList googleJa = {
        "名", "ミドルネーム", "姓", "名（フリガナ）", "ミドルネーム（フリガナ）", "姓（フリガナ）", "敬称（名前の前）",
        "敬称（名前の後）", "ニックネーム", "表題", "組織名", "組織の役職", "組織の部署", "誕生日", "メモ", "写真",
        "ラベル", "メール 1 - ラベル", "メール 1 - 値", "電話番号 1 - ラベル", "電話番号 1 - 値",
        "電話番号 2 - ラベル", "電話番号 2 - 値", "住所 1 - ラベル", "住所 1 - 書式設定済み", "住所 1 - 番地",
        "住所 1 - 市区町村", "住所 1 - 私書箱", "住所 1 - 都道府県", "住所 1 - 郵便番号", "住所 1 - 国",
        "住所 1 - 番地2"};
    QTest::newRow("Google Contacts, Japanese names")
        << utf8(crlf({csvHeader(googleJa),
                      csvLine(googleJa, {{"名", "一郎"}, {"姓", "中村"}, {"名（フリガナ）", "イチロウ"},
                                         {"姓（フリガナ）", "ナカムラ"}, {"組織名", "中村食品"}, {"組織の役職", "主任"},
                                         {"電話番号 1 - ラベル", "携帯"}, {"電話番号 1 - 値", "090-5555-6666"},
                                         {"電話番号 2 - ラベル", "勤務先"}, {"電話番号 2 - 値", "052-111-2222"},
                                         {"住所 1 - ラベル", "自宅"}, {"住所 1 - 番地", "栄1-1"},
                                         {"住所 1 - 市区町村", "名古屋市中区"}, {"住所 1 - 都道府県", "愛知県"},
                                         {"住所 1 - 郵便番号", "460-0008"}, {"住所 1 - 国", "日本"},
                                         {"住所 1 - 番地2", "栄ハイツ5号"}})}))
        << Rows{{"中村一郎", "ﾅｶﾑﾗｲﾁﾛｳ", "460-0008", "愛知県名古屋市中区栄1-1", "栄ハイツ5号", "09055556666",
                 "中村食品", "主任", "052-111-2222"}};

    // Thunderbird's address book, which ends every line with a comma.
    const QStringList thunderbird = {
        "First Name", "Last Name", "Display Name", "Nickname", "Primary Email", "Secondary Email", "Screen Name",
        "Work Phone", "Home Phone", "Fax Number", "Pager Number", "Mobile Number", "Home Address", "Home Address 2",
        "Home City", "Home State", "Home ZipCode", "Home Country", "Work Address", "Work Address 2", "Work City",
        "Work State", "Work ZipCode", "Work Country", "Job Title", "Department", "Organization", "Web Page 1",
        "Web Page 2", "Birth Year", "Birth Month", "Birth Day", "Custom 1", "Custom 2", "Custom 3", "Custom 4", "Notes"};
    const QMap<QString, QString> kobayashi = {
        {"First Name", "進"}, {"Last Name", "小林"}, {"Display Name", "小林 進"}, {"Primary Email", "s@example.jp"},
        {"Work Phone", "092-111-2222"}, {"Mobile Number", "080-2222-3333"}, {"Home Address", "天神1-1"},
        {"Home Address 2", "天神ビル7F"}, {"Home City", "福岡市中央区"}, {"Home State", "福岡県"},
        {"Home ZipCode", "810-0001"}, {"Home Country", "日本"}, {"Work City", "博多区"}, {"Job Title", "係長"},
        {"Department", "総務"}, {"Organization", "小林物産"}, {"Notes", "メモ"}};
    QTest::newRow("Thunderbird")
        << utf8(crlf({csvHeader(thunderbird) + ",", csvLine(thunderbird, kobayashi) + ","}))
        << Rows{{"小林進", "", "810-0001", "福岡県福岡市中央区天神1-1", "天神ビル7F", "08022223333", "小林物産", "係長",
                 "092-111-2222"}};

    // Thunderbird in Japanese, CP932.
    const QStringList thunderbirdJa = {
        "名", "姓", "表示名", "ニックネーム", "メールアドレス", "第 2 メールアドレス", "スクリーンネーム", "勤務先電話番号",
        "自宅電話番号", "FAX 番号", "ポケットベル番号", "携帯電話番号", "自宅住所", "自宅住所 2", "市区町村", "都道府県",
        "郵便番号", "国", "勤務先住所", "勤務先住所 2", "勤務先の市区町村", "勤務先の都道府県", "勤務先の郵便番号",
        "勤務先の国", "役職", "部署", "所属", "Web ページ 1", "Web ページ 2", "誕生年", "誕生月", "誕生日", "カスタム 1",
        "カスタム 2", "カスタム 3", "カスタム 4", "メモ"};
    QTest::newRow("Thunderbird, Japanese names")
        << sjis(crlf({csvHeader(thunderbirdJa) + ",",
                      csvLine(thunderbirdJa, {{"名", "進"}, {"姓", "小林"}, {"表示名", "小林 進"},
                                              {"自宅電話番号", "092-000-1111"}, {"携帯電話番号", "080-2222-3333"},
                                              {"自宅住所", "天神1-1"}, {"市区町村", "福岡市中央区"}, {"都道府県", "福岡県"},
                                              {"郵便番号", "810-0001"}, {"勤務先の郵便番号", "812-0011"},
                                              {"所属", "小林物産"}}) + ","}))
        << Rows{{"小林進", "", "810-0001", "福岡県福岡市中央区天神1-1", "", "092-000-1111", "小林物産"}};

    // This program's own export.
    QTest::newRow("own export")
        << QByteArray("\xEF\xBB\xBF") + utf8(crlf({QStringLiteral("名前,ﾌﾘｶﾞﾅ,郵便番号,住所１,住所２,電話番号,勤務先,役職,勤務先ＴＥＬ,マーク"),
                                                  QStringLiteral("\" 山田\",ﾔﾏﾀﾞ,1,2,3,4,5,6,7,*")}))
        << Rows{{" 山田", "ﾔﾏﾀﾞ", "1", "2", "3", "4", "5", "6", "7", "*"}};

    // No column names: the standard order; an eleventh column is not used.
    QTest::newRow("no column names")
        << sjis(crlf({QStringLiteral("山田太郎\tやまだ\t100-0001\t東京都\t\t03\t\t\t\t*\t余分"),
                      QStringLiteral("鈴木\t\t\t\t\t\t\t\t\t\t")}))
        << Rows{{"山田太郎", "ﾔﾏﾀﾞ", "100-0001", "東京都", "", "03", "", "", "", "*"}, {"鈴木"}};

    // One column under a name.
    QTest::newRow("one column") << utf8(crlf({QStringLiteral("氏名"), QStringLiteral("山田"), QString(),
                                              QStringLiteral("鈴木")}))
                                << Rows{{"山田"}, {"鈴木"}};
}

void TstExchangeRead::csvDialects()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Rows, records);
    TestEnv env;
    QCOMPARE(importedBook(env, QStringLiteral("contacts.csv"), bytes), fixedBook(records));
    QVERIFY2(env.unexpected().isEmpty(), qPrintable(env.unexpected()));
}

void TstExchangeRead::vcards_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("description");
    QTest::addColumn<Rows>("records");

    // A phone's vCard 2.1: Shift_JIS, QUOTED-PRINTABLE with soft line
    // breaks, the reading in SOUND;X-IRMC-N, bare type parameters.
    QTest::newRow("2.1, Shift_JIS, quoted-printable")
        << QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\n")
               + "N;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:" + qp(sjis(QStringLiteral("山田;太郎;;;"))) + "\r\n"
               + "SOUND;X-IRMC-N;CHARSET=SHIFT_JIS:" + sjis(QStringLiteral("ﾔﾏﾀﾞ;ﾀﾛｳ;;;")) + "\r\n"
               + "TEL;CELL:090-1111-2222\r\nTEL;HOME;VOICE:03-1111-2222\r\n"
               + "ADR;HOME;CHARSET=SHIFT_JIS;ENCODING=QUOTED-PRINTABLE:"
               + qp(sjis(QStringLiteral(";;千代田1-1;千代田区;東京都;100-0001;日本"))) + "\r\n"
               + "ORG;CHARSET=SHIFT_JIS:" + sjis(QStringLiteral("山田表示商事")) + "\r\n"
               + "END:VCARD\r\n"
        << QStringLiteral("vCard 2.1（Shift_JIS（CP932））")
        << Rows{{"山田太郎", "ﾔﾏﾀﾞﾀﾛｳ", "100-0001", "東京都千代田区千代田1-1", "", "03-1111-2222", "山田表示商事"}};

    // An address book's vCard 3.0: UTF-8 folded every 20 bytes (through
    // characters), groups, repeated TYPE parameters, a work address before
    // the home one, a fax, CATEGORIES.
    QByteArray apple = "BEGIN:VCARD\r\nVERSION:3.0\r\nPRODID:-//Example//Contacts 1.0//EN\r\n";
    for (const QString &line : {QStringLiteral("N:鈴木;花子;;;"), QStringLiteral("FN:鈴木 花子"),
                                QStringLiteral("X-PHONETIC-LAST-NAME:すずき"), QStringLiteral("X-PHONETIC-FIRST-NAME:はなこ"),
                                QStringLiteral("ORG:鈴木ソフトウェア開発;システム部"), QStringLiteral("TITLE:課長"),
                                QStringLiteral("item1.TEL;type=CELL;type=VOICE;type=pref:080-1111-2222"),
                                QStringLiteral("TEL;type=WORK;type=VOICE:03-5555-6666"),
                                QStringLiteral("TEL;type=HOME;type=FAX:03-5555-7777"),
                                QStringLiteral("item2.ADR;type=WORK;type=pref:;;大手町1-1;千代田区;東京都;100-0004;日本"),
                                QStringLiteral("item3.ADR;type=HOME:;グランドハイツ302;青葉台2-2;目黒区;東京都;153-0042;日本"),
                                QStringLiteral("item3.X-ABLabel:_$!<Home>!$_"), QStringLiteral("CATEGORIES:A,友人")})
        apple += foldBytes(utf8(line));
    apple += "END:VCARD\r\n";
    QTest::newRow("3.0, UTF-8, folded") << apple << QStringLiteral("vCard 3.0（UTF-8）")
                                        << Rows{{"鈴木花子", "ｽｽﾞｷﾊﾅｺ", "153-0042", "東京都目黒区青葉台2-2",
                                                 "グランドハイツ302", "08011112222", "鈴木ソフトウェア開発", "課長",
                                                 "03-5555-6666", "A"}};

    // vCard 4.0: SORT-AS readings, telephone URIs, a quoted parameter value
    // holding a colon and a semicolon.
    QTest::newRow("4.0")
        << utf8(crlf({QStringLiteral("BEGIN:VCARD"), QStringLiteral("VERSION:4.0"),
                      QStringLiteral("N;SORT-AS=\"たなか,じろう\":田中;次郎;;;"), QStringLiteral("FN:田中次郎"),
                      QStringLiteral("TEL;VALUE=uri;TYPE=\"home,voice\":tel:+81-6-1234-5678"),
                      QStringLiteral("TEL;VALUE=uri;TYPE=work:tel:+81-6-8765-4321;ext=12"),
                      QStringLiteral("ADR;TYPE=home;LABEL=\"梅田2-2; 梅田タワー: 10F\":;梅田タワー;梅田2-2;大阪市北区;大阪府;530-0001;日本"),
                      QStringLiteral("CATEGORIES:X"), QStringLiteral("END:VCARD")}))
        << QStringLiteral("vCard 4.0（UTF-8）")
        << Rows{{"田中次郎", "ﾀﾅｶｼﾞﾛｳ", "530-0001", "大阪府大阪市北区梅田2-2", "梅田タワー", "+81612345678", "", "",
                 "+81687654321", "X"}};

    // FN only when N is empty; escaped commas; an address without a type.
    // Two cards of different versions in one file.
    QTest::newRow("FN, no address type, two versions")
        << utf8(crlf({QStringLiteral("BEGIN:VCARD"), QStringLiteral("VERSION:3.0"), QStringLiteral("N:;;;;"),
                      QStringLiteral("FN:山本商店\\, 本店"), QStringLiteral("TEL;TYPE=work:075-111-2222"),
                      QStringLiteral("ADR:;;河原町1-1;京都市下京区;京都府;600-8001;"),
                      QStringLiteral("NOTE:一行目\\n二行目"), QStringLiteral("END:VCARD"), QString(),
                      QStringLiteral("BEGIN:VCARD"), QStringLiteral("VERSION:2.1"),
                      QStringLiteral("N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:")
                          + QString::fromLatin1(qp(utf8(QStringLiteral("渡辺;健一")))),
                      QStringLiteral("ADR;WORK:;;Shiba 1;Minato;Tokyo;105-0014;"),
                      QStringLiteral("TITLE;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:=E9=83=A8=E9=95=B7=0D=0A=E4=BB=A3=E7=90=86"),
                      QStringLiteral("ORG:Watanabe"), QStringLiteral(" Trading"), QStringLiteral("END:VCARD")}))
        << QStringLiteral("vCard 3.0・2.1（UTF-8）")
        << Rows{{"山本商店, 本店", "", "600-8001", "京都府京都市下京区河原町1-1", "", "", "", "", "075-111-2222"},
                {"渡辺健一", "", "", "", "", "", "Watanabe Trading", "部長 代理"}};
}

void TstExchangeRead::vcards()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, description);
    QFETCH(Rows, records);
    TestEnv env;
    QString shown;
    QCOMPARE(importedBook(env, QStringLiteral("contacts.vcf"), bytes, &shown), fixedBook(records));
    QCOMPARE(shown, description);
}

void TstExchangeRead::refusals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty") << QStringLiteral("empty.csv") << QByteArray()
                           << QStringLiteral("empty.csv は空のため、読み込めません。");
    QTest::newRow("blank lines") << QStringLiteral("blank.txt") << QByteArray("\r\n  \r\n\t\r\n")
                                 << QStringLiteral("blank.txt は空のため、読み込めません。");
    QTest::newRow("binary") << QStringLiteral("photo.csv") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)
                            << QStringLiteral("photo.csv は CSV ファイルでも vCard ファイルでもないため、読み込めません。");
    QTest::newRow("not a vCard") << QStringLiteral("card.vcf") << QByteArray("name,phone\r\na,1\r\n")
                                 << QStringLiteral("card.vcf は CSV ファイルでも vCard ファイルでもないため、読み込めません。");
    QTest::newRow("card never ended") << QStringLiteral("cut.vcf") << QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:A\r\n")
                                      << QStringLiteral("cut.vcf は CSV ファイルでも vCard ファイルでもないため、読み込めません。");
    QTest::newRow("prose") << QStringLiteral("notes.txt") << sjis(QStringLiteral("買い物メモ\r\n牛乳と卵\r\n"))
                           << QStringLiteral("notes.txt には区切り文字（コンマ、セミコロン、タブ）で区切られた項目がないため、読み込めません。");
    QTest::newRow("unclosed quote") << QStringLiteral("quote.csv") << QByteArray("a,b\r\nc,\"d\r\ne,f\r\n")
                                    << QStringLiteral("quote.csv の 2 行目で始まる引用符（\"）が閉じられていないため、読み込めません。");
    QTest::newRow("unknown bytes") << QStringLiteral("odd.csv") << QByteArray("a,\x81\x20\r\nb,\xA0\xFD\r\n")
                                   << QStringLiteral("odd.csv の文字コード（UTF-8 または Shift_JIS）を判別できないため、読み込めません。");
}

void TstExchangeRead::refusals()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    TestEnv env;
    QCOMPARE(importedBook(env, name, bytes), "refused: " + message.toUtf8());
    QVERIFY(!QFile::exists(env.path(QStringLiteral("KANOTE01.KNO"))));
}

void TstExchangeRead::choicesAndStoredValues()
{
    TestEnv env;
    env.writeFile(QStringLiteral("list.csv"),
                  utf8(crlf({QStringLiteral("氏名,メモ,マーク"),
                             QStringLiteral("寿限無寿限無五劫の擦り切れ海砂利水魚の水行末,𠮷野家 ☺,ab")})));
    ImportSource source;
    QString message;
    QVERIFY(LoadImportSource(env.path(QStringLiteral("list.csv")), source, message));
    ImportPlan plan(source);
    QCOMPARE(plan.columnCount(), 3);
    QCOMPARE(plan.fieldOf(0), int(Name));
    QCOMPARE(plan.fieldOf(1), 0); // メモ: known, but no field
    QCOMPARE(plan.fieldOf(2), int(Mark));

    // A column given a field by the user; then given back.
    plan.setField(1, Address2);
    QCOMPARE(plan.records().first()[Address2], QStringLiteral("𠮷野家 ☺"));
    QList<StoredChange> changes = plan.changes(true);
    QCOMPARE(changes.size(), 3);
    QCOMPARE(changes[0].field, int(Name));
    QVERIFY(changes[0].cut);
    QCOMPARE(changes[0].stored, QStringLiteral("寿限無寿限無五劫の擦り切れ海砂"));
    QCOMPARE(changes[1].field, int(Address2));
    QVERIFY(!changes[1].cut);
    QCOMPARE(changes[1].stored, QStringLiteral("?野家 ?"));
    QCOMPARE(changes[2].stored, QStringLiteral("a"));
    // A text book cuts nothing; only the characters it cannot hold change.
    changes = plan.changes(false);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(changes[0].field, int(Address2));
    QCOMPARE(ImportPlan::storedValue(Name, QStringLiteral(" 山田 "), false), QStringLiteral("山田"));
    QCOMPARE(ImportPlan::storedValue(Address1, QStringLiteral(" 東京 "), false), QStringLiteral(" 東京"));
    QCOMPARE(ImportPlan::storedValue(Address1, QStringLiteral(" 東京 "), true), QStringLiteral(" 東京"));
    plan.setField(1, 0);
    QCOMPARE(plan.records().first()[Address2], QString());

    // Two columns to one field are joined in column order after the
    // recognised ones.
    plan.setField(2, Name);
    QCOMPARE(plan.records().first()[Name], QStringLiteral("寿限無寿限無五劫の擦り切れ海砂利水魚の水行末ab"));
    plan.setField(2, Mark);

    // The first line read as a record: the standard order, two records.
    plan.setFirstLineIsHeader(false);
    QCOMPARE(plan.records().size(), 2);
    QCOMPARE(plan.records().first()[Name], QStringLiteral("氏名"));
    QCOMPARE(plan.records().first()[Furigana], QStringLiteral("ﾒﾓ"));
    QCOMPARE(plan.records().first()[PostalCode], QStringLiteral("マーク"));
}

QTEST_MAIN(TstExchangeRead)
#include "tst_exchangeread.moc"
