// Contacts as the widespread programs write them: names in Latin letters,
// readings in SORT-AS, the column names of mail programs, web address books
// and postcard programs, Western addresses, telephone numbers wider than
// their field, entries that are no contact, and files that must neither
// lose cards nor carry control characters into a record. Each sample is
// imported into a new book whose bytes are compared with the records
// expected; generated books go out through both exports and come back the same.
#include "support/exchangefiles.h"
#include "support/testenv.h"
#include "support/books.h"

#include "exchange/addressassembly.h"
#include "exchange/headernames.h"
#include "exchange/importpreview.h"
#include "exchange/nameassembly.h"
#include "exchange/recordassembly.h"
#include "exchange/telephonefit.h"
#include "exchange/vcard.h"

#include "platform/codec.h"

#include <QComboBox>
#include <QListWidget>
#include <QTableWidget>
#include <QRandomGenerator>
#include <QtTest>

using namespace ExchangeFiles;

class TstExchangeContacts : public QObject {
    Q_OBJECT
private slots:
    void names_data();
    void names();
    void addresses_data();
    void addresses();
    void telephoneFit_data();
    void telephoneFit();
    void headerNames_data();
    void headerNames();
    void samples_data();
    void samples();
    void controlCharactersListed();
    void choicesOfManyColumns();
    void roundTrip_data();
    void roundTrip();
};

namespace {

using Rows = QList<QStringList>;

QByteArray utf8(const QString &text) { return text.toUtf8(); }
QByteArray sjis(const QString &text) { return Cp932::encode(text); }

QByteArray card(const QStringList &properties, const QString &version = QStringLiteral("3.0"))
{
    return utf8(crlf(QStringList{QStringLiteral("BEGIN:VCARD"), QStringLiteral("VERSION:") + version} + properties
                     + QStringList{QStringLiteral("END:VCARD")}));
}

QByteArray utf16(const QString &text)
{
    QByteArray out("\xFF\xFE");
    for (const QChar c : text)
        out += char(c.unicode() & 0xFF), out += char(c.unicode() >> 8);
    return out;
}

} // namespace

void TstExchangeContacts::names_data()
{
    QTest::addColumn<QStringList>("parts"); // family, given, middle, prefix, suffix, display
    QTest::addColumn<QString>("name");
    QTest::newRow("Latin with a display form") << QStringList{"Doe", "John", "", "", "", "John Doe"} << "John Doe";
    QTest::newRow("Latin without one: given blank family") << QStringList{"Doe", "John", "", "", "", ""} << "John Doe";
    QTest::newRow("every part in written order") << QStringList{"Public", "John", "Quincy", "Dr.", "Jr.", ""}
                                                 << "Dr. John Quincy Public Jr.";
    QTest::newRow("given name only") << QStringList{"", "Madonna", "", "", "", ""} << "Madonna";
    QTest::newRow("full-width Latin") << QStringList{"ＤＯＥ", "ＪＯＨＮ", "", "", "", ""} << "ＪＯＨＮ ＤＯＥ";
    QTest::newRow("Japanese: family then given") << QStringList{"山田", "太郎", "", "様", "", "山田 太郎"} << "山田太郎";
    QTest::newRow("Japanese family, Latin given") << QStringList{"山田", "Taro", "", "", "", "Taro Yamada"} << "山田Taro";
    QTest::newRow("Latin family, Japanese given") << QStringList{"Smith", "花子", "", "", "", ""} << "花子 Smith";
    QTest::newRow("only the display form") << QStringList{"", "", "", "", "", "山本商店"} << "山本商店";
    QTest::newRow("nothing") << QStringList{"", "", "", "", "", ""} << "";
}

void TstExchangeContacts::names()
{
    QFETCH(QStringList, parts);
    QFETCH(QString, name);
    QCOMPARE(NameAssembly::join({parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]}), name);
    // The reading of SORT-AS never keeps a separator of the format.
    QCOMPARE(NameAssembly::sortAsReading(QStringLiteral("やまだ,たろう")), QStringLiteral("やまだたろう"));
    QCOMPARE(NameAssembly::sortAsReading(QStringLiteral("やまだ;たろう")), QStringLiteral("やまだたろう"));
    QCOMPARE(NameAssembly::sortAsReading(QStringLiteral("やま\\,だ")), QStringLiteral("やまだ"));
}

void TstExchangeContacts::addresses_data()
{
    QTest::addColumn<QStringList>("parts"); // PO box, extended, street, locality, region, postal code, country
    QTest::addColumn<QStringList>("lines"); // postal code, 住所１, 住所２
    QTest::addColumn<QStringList>("moved"); // street and extended after withExtraAsStreet
    QTest::newRow("Western") << QStringList{"", "", "Silicon Alley 5", "New York", "NY", "10012", "USA"}
                             << QStringList{"10012", "Silicon Alley 5, New York, NY, USA", ""}
                             << QStringList{"Silicon Alley 5", ""};
    QTest::newRow("Western, building and PO box")
        << QStringList{"PO Box 12", "Suite 300", "Main St 1", "Springfield", "", "", ""}
        << QStringList{"", "PO Box 12, Main St 1, Springfield", "Suite 300"} << QStringList{"Main St 1", "Suite 300"};
    QTest::newRow("Japanese") << QStringList{"", "メゾン201", "千代田1-1", "千代田区", "東京都", "100-0001", "日本"}
                              << QStringList{"100-0001", "東京都千代田区千代田1-1", "メゾン201"}
                              << QStringList{"千代田1-1", "メゾン201"};
    QTest::newRow("romaji street, country in Japanese")
        << QStringList{"", "", "Shiba 1", "Minato", "Tokyo", "105-0014", "日本"}
        << QStringList{"105-0014", "Shiba 1, Minato, Tokyo, 日本", ""} << QStringList{"Shiba 1", ""};
    QTest::newRow("extended part only, too long for one line")
        << QStringList{"", "東京都千代田区千代田一丁目一番一号皇居前ビルディング三階", "", "", "", "100-0001", ""}
        << QStringList{"100-0001", "", "東京都千代田区千代田一丁目一番一号皇居前ビルディング三階"}
        << QStringList{"東京都千代田区千代田一丁目一番一号皇居前", "ビルディング三階"};
    QTest::newRow("PO box only, Western") << QStringList{"PO Box 7", "", "", "", "", "", "Canada"}
                                          << QStringList{"", "PO Box 7, Canada", ""} << QStringList{"PO Box 7", ""};
}

void TstExchangeContacts::addresses()
{
    QFETCH(QStringList, parts);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, moved);
    const AddressParts p{parts[0], parts[1], parts[2], parts[3], parts[4], parts[5], parts[6]};
    const AddressLines got = AddressAssembly::assemble(p);
    QCOMPARE((QStringList{got.postalCode, got.address1, got.address2}), lines);
    const AddressParts m = AddressAssembly::withExtraAsStreet(p);
    QCOMPARE((QStringList{m.street, m.extended}), moved);
}

void TstExchangeContacts::telephoneFit_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("fitted");
    QTest::newRow("fits as it is") << "03-1234-5678" << 12 << "03-1234-5678";
    QTest::newRow("13-character mobile") << "090-1234-5678" << 12 << "09012345678";
    QTest::newRow("14 characters with parentheses") << "(905) 666-1234" << 12 << "9056661234";
    QTest::newRow("dots and a plus") << "+1.905.666.1234" << 12 << "+19056661234";
    QTest::newRow("full-width separators") << "０３－１２３４" << 12 << "０３１２３４";
    QTest::newRow("still too long") << "+81 90 1234 5678 99" << 12 << "+81901234567899";
}

void TstExchangeContacts::telephoneFit()
{
    QFETCH(QString, number);
    QFETCH(int, width);
    QFETCH(QString, fitted);
    QCOMPARE(TelephoneFit::fitted(number, width), fitted);
    // What the book holds: kept whole when that fits, else cut like any value.
    const QString stored = ImportPlan::storedValue(Phone, number, true);
    QCOMPARE(stored, Cp932::decode(Cp932::cutBytes(Cp932::encode(fitted), width)));
}

void TstExchangeContacts::headerNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("known");
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("rank");
    using namespace RecordAssembly;
    // Outlook (desktop)
    QTest::newRow("Outlook First Name") << "First Name" << true << int(Name) << int(GivenName);
    QTest::newRow("Outlook Middle Name") << "Middle Name" << true << int(Name) << int(MiddleName);
    QTest::newRow("Outlook Suffix") << "Suffix" << true << int(Name) << int(NameSuffix);
    QTest::newRow("Outlook Title (Mr., Dr.)") << "Title" << true << 0 << 0;
    QTest::newRow("Outlook Home Street 2") << "Home Street 2" << true << int(Address2) << 1;
    QTest::newRow("Outlook Home Country/Region") << "Home Country/Region" << true << int(Address1) << int(Country);
    QTest::newRow("Outlook Home Address PO Box") << "Home Address PO Box" << true << int(Address1) << int(PostOfficeBox);
    QTest::newRow("Outlook Business Street") << "Business Street" << true << 0 << 0;
    QTest::newRow("Outlook Company Main Phone") << "Company Main Phone" << true << int(CompanyPhone) << 1;
    QTest::newRow("Outlook E-mail 2 Address") << "E-mail 2 Address" << true << 0 << 0;
    QTest::newRow("Outlook Categories") << "Categories" << true << 0 << 0;
    // Outlook on the web
    QTest::newRow("Outlook web Surname Yomi") << "Surname Yomi" << true << int(Furigana) << 1;
    QTest::newRow("Outlook web Given Yomi") << "Given Yomi" << true << int(Furigana) << 2;
    // Outlook in Japanese
    QTest::newRow("Outlook ミドル ネーム") << "ミドル ネーム" << true << int(Name) << int(MiddleName);
    QTest::newRow("Outlook 番地 (自宅)") << "番地 (自宅)" << true << int(Address1) << int(Street);
    QTest::newRow("Outlook 市町村 (自宅)") << "市町村 (自宅)" << true << int(Address1) << int(Locality);
    QTest::newRow("Outlook 国/地域 (自宅)") << "国/地域 (自宅)" << true << int(Address1) << int(Country);
    QTest::newRow("Outlook 番地 (会社)") << "番地 (会社)" << true << 0 << 0;
    QTest::newRow("Outlook 電子メール アドレス") << "電子メール アドレス" << true << 0 << 0;
    // Google Contacts
    QTest::newRow("Google Address 1 - Country") << "Address 1 - Country" << true << int(Address1) << int(Country);
    QTest::newRow("Google Address 2 - PO Box") << "Address 2 - PO Box" << true << int(Address1) << int(PostOfficeBox);
    QTest::newRow("Google Name Prefix") << "Name Prefix" << true << int(Name) << int(NamePrefix);
    QTest::newRow("Google Additional Name") << "Additional Name" << true << int(Name) << int(MiddleName);
    // Postcard programs
    QTest::newRow("postcard 住所3") << "住所3" << true << int(Address2) << 2;
    QTest::newRow("postcard 自宅〒") << "自宅〒" << true << int(PostalCode) << 1;
    QTest::newRow("postcard 連名2") << "連名2" << true << 0 << 0;
    QTest::newRow("postcard 連名敬称") << "連名敬称" << true << 0 << 0;
    // A cell far longer than any name is compared by its beginning only.
    QTest::newRow("long cell") << QString(QStringLiteral("Notes") + QString(5000, QChar(0x301))) << false << 0 << 0;
}

void TstExchangeContacts::headerNames()
{
    QFETCH(QString, name);
    QFETCH(bool, known);
    QFETCH(int, field);
    QFETCH(int, rank);
    const HeaderMatch m = HeaderNames::match(name);
    QCOMPARE(m.known, known);
    QCOMPARE(m.role.field, field);
    if (field != 0)
        QCOMPARE(m.role.rank, rank);
}

void TstExchangeContacts::samples_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Rows>("records"); // or one row {"refused: ..."}
    QTest::addColumn<int>("skipped");

    QTest::newRow("Latin name with FN, Western address, wide numbers")
        << "latin.vcf"
        << card({"N:Doe;John;;;", "FN:John Doe", "TEL;TYPE=CELL:(905) 666-1234", "TEL;TYPE=WORK:090-1234-5678",
                 "ADR;TYPE=HOME:;Apt 4B;Silicon Alley 5;New York;NY;10012;USA"})
        << Rows{{"John Doe", "", "10012", "Silicon Alley 5, New York, NY, USA", "Apt 4B", "9056661234", "", "",
                 "09012345678"}}
        << 0;
    QTest::newRow("Latin name without FN, middle name and suffix")
        << "nofn.vcf" << card({"N:Public;John;Quincy,Q.;Dr.;Jr.", "TEL;TYPE=HOME:+1 212 555 0100"})
        << Rows{{"Dr. John Quincy Q. Public Jr.", "", "", "", "", "+12125550100"}} << 0;
    QTest::newRow("SORT-AS in both spellings, escaped")
        << "sortas.vcf"
        << (card({"N;SORT-AS=\"やまだ,たろう\":山田;太郎;;;", "TEL:03-1111-2222"}, QStringLiteral("4.0"))
            + card({"N;SORT-AS=\"すずき;はなこ\":鈴木;花子;;;", "TEL:03-3333-4444"}, QStringLiteral("4.0"))
            + card({"N;SORT-AS=\"さとう\\,いちろう\":佐藤;一郎;;;", "TEL:03-5555-6666"}, QStringLiteral("4.0")))
        << Rows{{"山田太郎", "ﾔﾏﾀﾞﾀﾛｳ", "", "", "", "03-1111-2222"},
                {"鈴木花子", "ｽｽﾞｷﾊﾅｺ", "", "", "", "03-3333-4444"},
                {"佐藤一郎", "ｻﾄｳｲﾁﾛｳ", "", "", "", "03-5555-6666"}}
        << 0;
    QTest::newRow("e-mail-only card skipped, categories")
        << "mixed.vcf"
        << (card({"N:;;;;", "EMAIL:only@example.com", "CATEGORIES:A"})
            + card({"N:田中;次郎;;;", "CATEGORIES:My Contacts", "TEL:06-1111-2222"})
            + card({"N:中村;三郎;;;", "CATEGORIES:My Contacts,A,B", "TEL:06-3333-4444"}))
        << Rows{{"田中次郎", "", "", "", "", "06-1111-2222"}, {"中村三郎", "", "", "", "", "06-3333-4444", "", "", "", "A"}}
        << 1;
    QTest::newRow("company-only card kept") << "org.vcf"
                                            << card({"N:;;;;", "ORG:株式会社かのて", "EMAIL:info@example.com"})
                                            << Rows{{"", "", "", "", "", "", "株式会社かのて"}} << 0;
    QTest::newRow("e-mail-only cards") << "mail.vcf"
                                       << (card({"FN:", "EMAIL:a@example.com"}) + card({"EMAIL:b@example.com"}))
                                       << Rows{{"refused: 読み込める項目がありません。"}} << 0;
    QTest::newRow("address only in the extended part (2.1, Shift_JIS)")
        << "phone.vcf"
        << (QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=SHIFT_JIS:") + sjis(QStringLiteral("高橋;健;;;"))
            + "\r\nADR;HOME;CHARSET=SHIFT_JIS:;" + sjis(QStringLiteral("東京都千代田区千代田一丁目一番一号皇居前ビルディング三階"))
            + ";;;;100-0001;\r\nEND:VCARD\r\n")
        << Rows{{"高橋健", "", "100-0001", "東京都千代田区千代田一丁目一番一号皇居前", "ビルディング三階"}} << 0;

    const QStringList outlook = {
        "Title", "First Name", "Middle Name", "Last Name", "Suffix", "Company", "Department", "Job Title",
        "Business Street", "Business City", "Business State", "Business Postal Code", "Business Country/Region",
        "Home Street", "Home Street 2", "Home Street 3", "Home City", "Home State", "Home Postal Code",
        "Home Country/Region", "Business Fax", "Business Phone", "Home Phone", "Mobile Phone", "Categories",
        "E-mail Address", "E-mail Display Name", "Notes"};
    QTest::newRow("Outlook, English names")
        << "outlook.csv"
        << utf8(crlf({csvHeader(outlook),
                      csvLine(outlook, {{"Title", "Mr."}, {"First Name", "John"}, {"Middle Name", "Q."},
                                        {"Last Name", "Doe"}, {"Suffix", "Jr."}, {"Company", "Acme"},
                                        {"Job Title", "Manager"}, {"Business Street", "Broadway 1"},
                                        {"Business City", "New York"}, {"Home Street", "Silicon Alley 5"},
                                        {"Home City", "New York"}, {"Home State", "NY"}, {"Home Postal Code", "10012"},
                                        {"Home Country/Region", "USA"}, {"Business Phone", "(212) 555-0100"},
                                        {"Mobile Phone", "(905) 666-1234"}, {"Categories", "My Contacts"},
                                        {"E-mail Address", "john@example.com"}}),
                      csvLine(outlook, {{"First Name", "太郎"}, {"Last Name", "山田"}, {"Home Street", "千代田1-1"},
                                        {"Home Street 2", "パレス"}, {"Home Street 3", "101号"},
                                        {"Home City", "千代田区"}, {"Home State", "東京都"},
                                        {"Home Postal Code", "100-0001"}, {"Home Country/Region", "日本"},
                                        {"Home Phone", "03-1111-2222"}}),
                      csvLine(outlook, {{"E-mail Address", "nobody@example.com"}, {"Notes", "mail only"}})}))
        << Rows{{"John Q. Doe Jr.", "", "10012", "Silicon Alley 5, New York, NY, USA", "", "9056661234", "Acme",
                 "Manager", "2125550100"},
                {"山田太郎", "", "100-0001", "東京都千代田区千代田1-1", "パレス101号", "03-1111-2222"}}
        << 1;

    const QStringList outlookJa = {
        "敬称", "名", "ミドル ネーム", "姓", "サフィックス", "会社名", "部署", "役職", "番地 (会社)", "市町村 (会社)",
        "都道府県 (会社)", "郵便番号 (会社)", "番地 (自宅)", "番地 2 (自宅)", "市町村 (自宅)", "都道府県 (自宅)",
        "郵便番号 (自宅)", "国/地域 (自宅)", "会社電話", "自宅電話", "携帯電話", "分類", "電子メール アドレス", "メモ",
        "フリガナ (姓)", "フリガナ (名)"};
    QTest::newRow("Outlook, Japanese names")
        << "outlookja.csv"
        << sjis(crlf({csvHeader(outlookJa),
                      csvLine(outlookJa, {{"名", "花子"}, {"姓", "鈴木"}, {"会社名", "鈴木商事"}, {"役職", "課長"},
                                          {"番地 (会社)", "梅田1-1"}, {"市町村 (会社)", "大阪市北区"},
                                          {"番地 (自宅)", "青葉台2-2"}, {"番地 2 (自宅)", "グランドハイツ302"},
                                          {"市町村 (自宅)", "目黒区"}, {"都道府県 (自宅)", "東京都"},
                                          {"郵便番号 (自宅)", "153-0042"}, {"国/地域 (自宅)", "日本"},
                                          {"会社電話", "06-1111-2222"}, {"携帯電話", "080-1111-2222"},
                                          {"フリガナ (姓)", "すずき"}, {"フリガナ (名)", "はなこ"}})}))
        << Rows{{"鈴木花子", "ｽｽﾞｷﾊﾅｺ", "153-0042", "東京都目黒区青葉台2-2", "グランドハイツ302", "08011112222",
                 "鈴木商事", "課長", "06-1111-2222"}}
        << 0;

    const QStringList google = {
        "First Name", "Middle Name", "Last Name", "Phonetic First Name", "Phonetic Last Name", "Name Prefix",
        "Name Suffix", "Organization Name", "Labels", "E-mail 1 - Label", "E-mail 1 - Value", "Phone 1 - Label",
        "Phone 1 - Value", "Address 1 - Label", "Address 1 - Formatted", "Address 1 - Street", "Address 1 - City",
        "Address 1 - PO Box", "Address 1 - Region", "Address 1 - Postal Code", "Address 1 - Country",
        "Address 1 - Extended Address"};
    QTest::newRow("Google, new layout, Latin name and address")
        << "google.csv"
        << utf8(crlf({csvHeader(google),
                      csvLine(google, {{"First Name", "Jane"}, {"Middle Name", "Ann"}, {"Last Name", "Roe"},
                                       {"Name Prefix", "Ms."}, {"Labels", "* myContacts"},
                                       {"Phone 1 - Label", "Mobile"}, {"Phone 1 - Value", "+1 (416) 555-0199"},
                                       {"Address 1 - Label", "Home"}, {"Address 1 - Street", "King St 10"},
                                       {"Address 1 - City", "Toronto"}, {"Address 1 - Region", "ON"},
                                       {"Address 1 - Postal Code", "M5V 1A1"}, {"Address 1 - Country", "Canada"},
                                       {"Address 1 - Extended Address", "Unit 7"}}),
                      csvLine(google, {{"E-mail 1 - Value", "only@example.com"}})}))
        << Rows{{"Ms. Jane Ann Roe", "", "M5V 1A1", "King St 10, Toronto, ON, Canada", "Unit 7", "+14165550199"}} << 1;

    const QStringList oldGoogle = {"Name", "Given Name", "Additional Name", "Family Name", "Name Prefix",
                                   "Group Membership", "Phone 1 - Type", "Phone 1 - Value", "Address 1 - Type",
                                   "Address 1 - Street", "Address 1 - City", "Address 1 - Region",
                                   "Address 1 - Postal Code", "Address 1 - Country"};
    QTest::newRow("Google, older layout, display name")
        << "oldgoogle.csv"
        << utf8(crlf({csvHeader(oldGoogle),
                      csvLine(oldGoogle, {{"Name", "Richard Roe"}, {"Given Name", "Richard"}, {"Family Name", "Roe"},
                                          {"Name Prefix", "Mr."}, {"Group Membership", "* My Contacts"},
                                          {"Phone 1 - Type", "Work"}, {"Phone 1 - Value", "020 7946 0018"},
                                          {"Address 1 - Type", "Home"}, {"Address 1 - Street", "Baker St 221b"},
                                          {"Address 1 - City", "London"}, {"Address 1 - Postal Code", "NW1 6XE"},
                                          {"Address 1 - Country", "United Kingdom"}})}))
        << Rows{{"Richard Roe", "", "NW1 6XE", "Baker St 221b, London, United Kingdom", "", "", "", "", "02079460018"}}
        << 0;

    QTest::newRow("a header of e-mail columns only")
        << "mails.csv"
        << utf8(crlf({"E-mail Address,E-mail 2 Address,E-mail 3 Address", "a@example.com,b@example.com,"}))
        << Rows{{"refused: 読み込める項目がありません。"}} << 0;

    QTest::newRow("postcard program")
        << "nenga.csv"
        << sjis(crlf({"氏名,フリガナ,敬称,郵便番号,住所1,住所2,住所3,連名,連名敬称,電話番号",
                      "伊藤誠,いとうまこと,様,222-0001,神奈川県横浜市港北区港北1-1,港北ハイツ,2号室,伊藤花子,様,045-111-2222"}))
        << Rows{{"伊藤誠", "ｲﾄｳﾏｺﾄ", "222-0001", "神奈川県横浜市港北区港北1-1", "港北ハイツ2号室", "045-111-2222"}} << 0;

    // A continuation line that reads BEGIN:VCARD or END:VCARD belongs to its value.
    QTest::newRow("BEGIN and END inside folded values")
        << "folds.vcf"
        << utf8(crlf({"BEGIN:VCARD", "VERSION:3.0", "N:山田;太郎;;;", "NOTE:the next line", " BEGIN:VCARD", "END:VCARD",
                      "BEGIN:VCARD", "VERSION:3.0", "NOTE:written by another", " END:VCARD", "N:鈴木;花子;;;",
                      "END:VCARD", "BEGIN:VCARD", "VERSION:2.1", "NOTE;ENCODING=QUOTED-PRINTABLE:soft=", "END:VCARD",
                      "N:佐藤;一郎;;;", "END:VCARD"}))
        << Rows{{"山田太郎"}, {"鈴木花子"}, {"佐藤一郎"}} << 0;

    // Control characters from quoted-printable, raw bytes and UTF-16.
    QTest::newRow("control characters in a vCard")
        << "controls.vcf"
        << (QByteArray("BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:")
            + qp(utf8(QStringLiteral("山") + QChar(0) + QStringLiteral("田;") + QChar(7) + QStringLiteral("太郎")))
            + "\r\nTITLE;ENCODING=QUOTED-PRINTABLE:a=09b=0D=0Ac=7F\r\nFN:A\x01" "B\r\nEND:VCARD\r\n")
        << Rows{{"山田太郎", "", "", "", "", "", "", "a b c"}} << 0;
    QTest::newRow("control characters in UTF-16 CSV")
        << "controls.csv" << utf16(QStringLiteral("氏名,電話,会社名\r\n山%1田,03%2-1111,A\tB\r\n").arg(QChar(0), QChar(0x0B)))
        << Rows{{"山田", "", "", "", "", "03-1111", "A B"}} << 0;
}

void TstExchangeContacts::samples()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, bytes);
    QFETCH(Rows, records);
    QFETCH(int, skipped);
    TestEnv env;
    int skippedRows = 0;
    const QByteArray book = importedBook(env, file, bytes, nullptr, &skippedRows);
    if (records.size() == 1 && records.first().first().startsWith(QStringLiteral("refused: "))) {
        QCOMPARE(QString::fromUtf8(book), records.first().first());
        return;
    }
    QCOMPARE(book, fixedBook(records));
    QCOMPARE(skippedRows, skipped);
}

void TstExchangeContacts::controlCharactersListed()
{
    TestEnv env;
    env.writeFile(QStringLiteral("list.csv"),
                  utf16(QStringLiteral("氏名,携帯電話,会社名\r\n山%1田,(905) 666-1234,A\tB\r\n佐藤,090-1234-5678 99,\r\n")
                            .arg(QChar(7))));
    ImportSource source;
    QString message;
    QVERIFY(LoadImportSource(env.path(QStringLiteral("list.csv")), source, message));
    ImportPreview preview(*env.dm, ImportPlan(source), ImportTarget{true, QStringLiteral("KANOTE01.KNO"), true});
    QStringList listed;
    for (int i = 0; i < preview.List1->count(); ++i)
        listed << preview.List1->item(i)->text();
    QCOMPARE(listed, QStringList({
                         QStringLiteral("1件目 名前：「山田」→「山田」（制御文字を除去）"),
                         QStringLiteral("1件目 電話番号：「(905) 666-1234」→「9056661234」（区切りの記号を除去）"),
                         QStringLiteral("1件目 勤務先：「A B」→「A B」（制御文字を除去）"),
                         QStringLiteral("2件目 電話番号：「090-1234-5678 99」→「090123456789」（12ﾊﾞｲﾄに切り詰め）"),
                     }));
}

void TstExchangeContacts::choicesOfManyColumns()
{
    TestEnv env;
    QStringList header{QStringLiteral("氏名")};
    for (int c = 1; c < 300; ++c)
        header << QStringLiteral("Custom %1").arg(c);
    env.writeFile(QStringLiteral("wide.csv"), utf8(crlf({header.join(QLatin1Char(',')), QStringLiteral("山田")})));
    ImportSource source;
    QString message;
    QVERIFY(LoadImportSource(env.path(QStringLiteral("wide.csv")), source, message));
    ImportPreview preview(*env.dm, ImportPlan(source), ImportTarget{true, QStringLiteral("KANOTE01.KNO"), true});
    preview.show();
    QCOMPARE(preview.Grid1->rowCount(), 300);
    QVERIFY(preview.Grid1->findChild<QComboBox *>(QStringLiteral("Combo1_0")));
    QVERIFY(!preview.Grid1->findChild<QComboBox *>(QStringLiteral("Combo1_250")));
    // Scrolled to, a column gets its choice box, and the choice works.
    preview.Grid1->scrollToItem(preview.Grid1->item(250, 0), QAbstractItemView::PositionAtTop);
    auto *combo = preview.Grid1->findChild<QComboBox *>(QStringLiteral("Combo1_250"));
    QVERIFY(combo);
    QCOMPARE(combo->currentText(), QStringLiteral("未使用"));
    preview.Combo1_Click(250, Address2);
    QCOMPARE(preview.plan().fieldOf(250), int(Address2));
    QCOMPARE(combo->currentIndex(), int(Address2));
}

void TstExchangeContacts::roundTrip_data()
{
    QTest::addColumn<bool>("vcard");
    QTest::newRow("CSV") << false;
    QTest::newRow("vCard") << true;
}

void TstExchangeContacts::roundTrip()
{
    QFETCH(bool, vcard);
    // Every kind of character a field can hold: full and half width, the
    // separators and escapes of both formats, CP932's own characters, blanks.
    const QString any = QStringLiteral("山田髙橋①～－ｱｲｳｶﾞﾟABCxyz019 ,;:\\\"'=()<>.&@#%*+/|ー　々〒");
    const QString kana = QStringLiteral("ｱｲｳｴｵｶﾞﾊﾟﾝｰ ABC-,;");
    QRandomGenerator random(19);
    auto text = [&random](const QString &alphabet, int bytes) {
        QString out;
        while (Cp932::byteLength(out) < bytes)
            out += alphabet[random.bounded(static_cast<int>(alphabet.size()))];
        out = Cp932::decode(Cp932::cutBytes(Cp932::encode(out), bytes));
        return out;
    };
    QList<FieldValues> generated;
    for (int n = 0; n < 60; ++n) {
        FieldValues v;
        v[Name] = QStringLiteral("名") + text(any, random.bounded(0, 28));
        v[Furigana] = text(kana, random.bounded(0, 17));
        v[PostalCode] = n % 3 ? QStringLiteral("%1-%2").arg(100 + n).arg(1000 + n) : QString();
        v[Address1] = n % 7 == 3 ? QString() : text(any, random.bounded(0, 41));
        v[Address2] = text(any, random.bounded(0, 41));
        v[Phone] = text(QStringLiteral("0123456789-() "), random.bounded(0, 13));
        v[Company] = text(any, random.bounded(0, 41));
        v[Title] = text(any, random.bounded(0, 41));
        v[CompanyPhone] = text(QStringLiteral("0123456789-+"), random.bounded(0, 13));
        v[Mark] = QString(QStringLiteral("A*,;\\ｱ1")[n % 7]);
        generated << v;
    }
    // Long values that fold so that a continuation line reads BEGIN or END.
    FieldValues folds;
    folds[Name] = QStringLiteral("折り返し");
    folds[Title] = QString(23, QChar(0xFF76)) + QStringLiteral("BEGIN:VCARD");
    folds[Company] = QStringLiteral("xx") + QString(23, QChar(0xFF76)) + QStringLiteral("END:VCARD");
    generated.insert(5, folds);
    FieldValues secondLineOnly;
    secondLineOnly[Name] = QStringLiteral("二行目だけ");
    secondLineOnly[Address2] = QStringLiteral("東京都千代田区千代田一丁目一番一号皇居前");
    generated.insert(9, secondLineOnly);

    TestEnv env;
    ExchangeRun::createBook(*env.dm, QStringLiteral("BOOK.KNO"), generated);
    const QList<FieldValues> records = ExchangeRun::bookRecords(*env.dm);
    const QByteArray book = env.readFile(QStringLiteral("BOOK.KNO"));
    env.dm->CloseData();
    const QByteArray exported = vcard ? ExchangeRun::vcardBytes(records) : ExchangeRun::csvBytes(records);
    if (vcard)
        QVERIFY(exported.contains("\r\n BEGIN:VCARD\r\n") && exported.contains("\r\n END:VCARD\r\n"));
    QCOMPARE(importedBook(env, vcard ? QStringLiteral("book.vcf") : QStringLiteral("book.csv"), exported), book);
}

QTEST_MAIN(TstExchangeContacts)
#include "tst_exchangecontacts.moc"
