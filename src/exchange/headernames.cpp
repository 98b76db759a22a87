#include "exchange/headernames.h"

#include "exchange/recordassembly.h"
#include "store/addressrecord.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace HeaderNames {

namespace {

struct Entry {
    const char16_t *name;
    ColumnRole role;
};

ColumnRole part(int field, int rank = 1) { return ColumnRole::to(field, rank); }
ColumnRole spare(int field) { return ColumnRole::fallbackTo(field); }
const ColumnRole none = ColumnRole::unused();
using RecordAssembly::Country;
using RecordAssembly::FamilyName;
using RecordAssembly::GivenName;
using RecordAssembly::Locality;
using RecordAssembly::MiddleName;
using RecordAssembly::NamePrefix;
using RecordAssembly::NameSuffix;
using RecordAssembly::PostOfficeBox;
using RecordAssembly::Region;
using RecordAssembly::Street;

// The longest name of the table, with room: a longer cell is no known name,
// and only this much of a cell is ever normalised.
constexpr qsizetype LongestName = 64;

// Column names and where they go. Names are compared normalized, so
// "ﾌﾘｶﾞﾅ", "フリガナ", "フリガナ （姓）" and "Home Phone" / "home phone" meet.
const Entry Entries[] = {
    // 名前: a full name is used only when family and given names are empty.
    {u"氏名", spare(Name)}, {u"名前", spare(Name)}, {u"お名前", spare(Name)}, {u"姓名", spare(Name)},
    {u"宛名", spare(Name)}, {u"表示名", spare(Name)}, {u"氏名(漢字)", spare(Name)},
    {u"名前(漢字)", spare(Name)}, {u"name", spare(Name)}, {u"fullname", spare(Name)},
    {u"displayname", spare(Name)},
    {u"姓", part(Name, 1)}, {u"氏", part(Name, 1)}, {u"苗字", part(Name, 1)}, {u"名字", part(Name, 1)},
    {u"氏名(姓)", part(Name, 1)}, {u"姓(漢字)", part(Name, 1)}, {u"lastname", part(Name, 1)},
    {u"familyname", part(Name, 1)}, {u"surname", part(Name, 1)},
    {u"名", part(Name, 2)}, {u"氏名(名)", part(Name, 2)}, {u"名(漢字)", part(Name, 2)},
    {u"firstname", part(Name, 2)}, {u"givenname", part(Name, 2)},
    {u"ミドルネーム", part(Name, MiddleName)}, {u"middlename", part(Name, MiddleName)},
    {u"additionalname", part(Name, MiddleName)},
    {u"nameprefix", part(Name, NamePrefix)}, {u"敬称(名前の前)", part(Name, NamePrefix)},
    {u"namesuffix", part(Name, NameSuffix)}, {u"敬称(名前の後)", part(Name, NameSuffix)},
    {u"suffix", part(Name, NameSuffix)}, {u"サフィックス", part(Name, NameSuffix)},

    // ﾌﾘｶﾞﾅ
    {u"フリガナ", spare(Furigana)}, {u"ふりがな", spare(Furigana)}, {u"よみ", spare(Furigana)},
    {u"読み", spare(Furigana)}, {u"よみがな", spare(Furigana)}, {u"読みがな", spare(Furigana)},
    {u"読み仮名", spare(Furigana)}, {u"カナ", spare(Furigana)}, {u"氏名(フリガナ)", spare(Furigana)},
    {u"氏名(ふりがな)", spare(Furigana)}, {u"名前(フリガナ)", spare(Furigana)},
    {u"フリガナ(氏名)", spare(Furigana)}, {u"氏名フリガナ", spare(Furigana)}, {u"氏名カナ", spare(Furigana)},
    {u"yomi", spare(Furigana)}, {u"yominame", spare(Furigana)}, {u"phoneticname", spare(Furigana)},
    {u"furigana", spare(Furigana)},
    {u"フリガナ(姓)", part(Furigana, 1)}, {u"ふりがな(姓)", part(Furigana, 1)}, {u"よみ(姓)", part(Furigana, 1)},
    {u"カナ(姓)", part(Furigana, 1)}, {u"姓(フリガナ)", part(Furigana, 1)}, {u"姓(ふりがな)", part(Furigana, 1)},
    {u"姓(よみ)", part(Furigana, 1)}, {u"姓(カナ)", part(Furigana, 1)}, {u"セイ", part(Furigana, 1)},
    {u"せい", part(Furigana, 1)}, {u"姓フリガナ", part(Furigana, 1)}, {u"姓のフリガナ", part(Furigana, 1)},
    {u"phoneticlastname", part(Furigana, 1)}, {u"familynameyomi", part(Furigana, 1)},
    {u"lastnameyomi", part(Furigana, 1)}, {u"phoneticfamilyname", part(Furigana, 1)},
    {u"フリガナ(名)", part(Furigana, 2)}, {u"ふりがな(名)", part(Furigana, 2)}, {u"よみ(名)", part(Furigana, 2)},
    {u"カナ(名)", part(Furigana, 2)}, {u"名(フリガナ)", part(Furigana, 2)}, {u"名(ふりがな)", part(Furigana, 2)},
    {u"名(よみ)", part(Furigana, 2)}, {u"名(カナ)", part(Furigana, 2)}, {u"メイ", part(Furigana, 2)},
    {u"めい", part(Furigana, 2)}, {u"名フリガナ", part(Furigana, 2)}, {u"名のフリガナ", part(Furigana, 2)},
    {u"phoneticfirstname", part(Furigana, 2)}, {u"givennameyomi", part(Furigana, 2)},
    {u"firstnameyomi", part(Furigana, 2)}, {u"phoneticgivenname", part(Furigana, 2)},
    {u"surnameyomi", part(Furigana, 1)}, {u"givenyomi", part(Furigana, 2)},
    {u"ミドルネーム(フリガナ)", none}, {u"phoneticmiddlename", none}, {u"additionalnameyomi", none},
    {u"companyyomi", none}, {u"会社名フリガナ", none}, {u"フリガナ(会社名)", none},

    // 郵便番号 (the home's; a workplace's has no field)
    {u"郵便番号", part(PostalCode)}, {u"〒", part(PostalCode)}, {u"郵便", part(PostalCode)},
    {u"郵便番号(自宅欄)", part(PostalCode)}, {u"郵便番号(自宅)", part(PostalCode)},
    {u"自宅郵便番号", part(PostalCode)}, {u"自宅の郵便番号", part(PostalCode)}, {u"zip", part(PostalCode)},
    {u"zipcode", part(PostalCode)}, {u"postalcode", part(PostalCode)}, {u"postcode", part(PostalCode)},
    {u"homezipcode", part(PostalCode)}, {u"homepostalcode", part(PostalCode)},
    {u"自宅〒", part(PostalCode)}, {u"会社〒", none}, {u"otherpostalcode", none}, {u"郵便番号(その他)", none},
    {u"郵便番号(会社欄)", none}, {u"郵便番号(会社)", none}, {u"会社郵便番号", none},
    {u"勤務先郵便番号", none}, {u"勤務先の郵便番号", none}, {u"workzipcode", none}, {u"businesspostalcode", none},

    // 住所１ = 都道府県 + 市区町村 + 番地; 住所２ = 建物名
    {u"都道府県", part(Address1, 1)}, {u"自宅住所(都道府県)", part(Address1, 1)},
    {u"住所(都道府県)", part(Address1, 1)}, {u"自宅都道府県", part(Address1, 1)},
    {u"自宅の都道府県", part(Address1, 1)}, {u"homestate", part(Address1, 1)}, {u"state", part(Address1, 1)},
    {u"region", part(Address1, 1)}, {u"prefecture", part(Address1, 1)},
    {u"市区町村", part(Address1, 2)}, {u"自宅住所(市区町村)", part(Address1, 2)},
    {u"住所(市区町村)", part(Address1, 2)}, {u"自宅市区町村", part(Address1, 2)},
    {u"自宅の市区町村", part(Address1, 2)}, {u"homecity", part(Address1, 2)}, {u"city", part(Address1, 2)},
    {u"番地", part(Address1, 3)}, {u"番地等", part(Address1, 3)}, {u"町名番地", part(Address1, 3)},
    {u"自宅住所(番地等)", part(Address1, 3)}, {u"自宅住所(番地)", part(Address1, 3)},
    {u"住所(番地等)", part(Address1, 3)}, {u"住所(番地)", part(Address1, 3)}, {u"住所", part(Address1, 3)},
    {u"住所1", part(Address1, 3)}, {u"自宅住所", part(Address1, 3)}, {u"自宅住所1", part(Address1, 3)},
    {u"住所(自宅)", part(Address1, 3)}, {u"homeaddress", part(Address1, 3)},
    {u"homeaddress1", part(Address1, 3)}, {u"homestreet", part(Address1, 3)}, {u"street", part(Address1, 3)},
    {u"address", part(Address1, 3)}, {u"address1", part(Address1, 3)},
    {u"住所3", part(Address2, 2)}, {u"自宅住所3", part(Address2, 2)}, {u"homestreet2", part(Address2)},
    {u"homestreet3", part(Address2, 2)}, {u"番地2(自宅)", part(Address2)}, {u"番地3(自宅)", part(Address2, 2)},
    {u"番地(自宅)", part(Address1, Street)}, {u"市町村(自宅)", part(Address1, Locality)},
    {u"都道府県(自宅)", part(Address1, Region)}, {u"国/地域(自宅)", part(Address1, Country)},
    {u"私書箱(自宅)", part(Address1, PostOfficeBox)}, {u"homeaddresspobox", part(Address1, PostOfficeBox)},
    {u"homecountry/region", part(Address1, Country)},
    {u"住所2", part(Address2)}, {u"建物名", part(Address2)}, {u"建物", part(Address2)}, {u"方書", part(Address2)},
    {u"建物名・部屋番号", part(Address2)}, {u"自宅住所(建物名)", part(Address2)},
    {u"住所(建物名)", part(Address2)}, {u"自宅住所2", part(Address2)}, {u"homeaddress2", part(Address2)},
    {u"extendedaddress", part(Address2)}, {u"address2", part(Address2)},
    {u"国", part(Address1, Country)}, {u"country", part(Address1, Country)},
    {u"homecountry", part(Address1, Country)}, {u"自宅の国", part(Address1, Country)}, {u"勤務先住所", none},
    {u"businessstreet", none}, {u"businessstreet2", none}, {u"businessstreet3", none}, {u"businesscity", none},
    {u"businessstate", none}, {u"businesscountry/region", none}, {u"businessaddresspobox", none},
    {u"otherstreet", none}, {u"otherstreet2", none}, {u"otherstreet3", none}, {u"othercity", none},
    {u"otherstate", none}, {u"othercountry/region", none}, {u"otheraddresspobox", none},
    {u"番地(会社)", none}, {u"番地2(会社)", none}, {u"番地3(会社)", none}, {u"市町村(会社)", none},
    {u"都道府県(会社)", none}, {u"国/地域(会社)", none}, {u"私書箱(会社)", none},
    {u"番地(その他)", none}, {u"番地2(その他)", none}, {u"番地3(その他)", none}, {u"市町村(その他)", none},
    {u"都道府県(その他)", none}, {u"国/地域(その他)", none}, {u"私書箱(その他)", none},
    {u"会社住所1", none}, {u"会社住所2", none}, {u"会社住所3", none},
    {u"勤務先住所2", none}, {u"勤務先の市区町村", none}, {u"勤務先の都道府県", none}, {u"勤務先の国", none},
    {u"勤務先市区町村", none}, {u"勤務先都道府県", none}, {u"勤務先国", none}, {u"会社住所", none},
    {u"workaddress", none}, {u"workaddress2", none}, {u"workcity", none}, {u"workstate", none},
    {u"workcountry", none},

    // 電話番号: the home's; a mobile number only when there is none.
    {u"電話番号", part(Phone)}, {u"電話", part(Phone)}, {u"tel", part(Phone)}, {u"自宅電話", part(Phone)},
    {u"自宅電話番号", part(Phone)}, {u"自宅tel", part(Phone)}, {u"電話番号(自宅欄)", part(Phone)},
    {u"電話番号(自宅)", part(Phone)}, {u"電話(自宅)", part(Phone)}, {u"homephone", part(Phone)},
    {u"phone", part(Phone)}, {u"telephone", part(Phone)},
    {u"携帯電話", spare(Phone)}, {u"携帯電話番号", spare(Phone)}, {u"携帯", spare(Phone)},
    {u"携帯番号", spare(Phone)}, {u"電話番号(携帯)", spare(Phone)}, {u"mobile", spare(Phone)},
    {u"mobilenumber", spare(Phone)}, {u"mobilephone", spare(Phone)}, {u"cellphone", spare(Phone)},
    {u"homephone2", spare(Phone)}, {u"自宅電話2", spare(Phone)}, {u"電話(自宅2)", spare(Phone)},
    {u"otherphone", spare(Phone)}, {u"その他の電話", spare(Phone)}, {u"primaryphone", spare(Phone)},
    {u"通常の電話", spare(Phone)},
    {u"businessphone2", spare(CompanyPhone)}, {u"会社電話2", spare(CompanyPhone)},
    {u"companymainphone", spare(CompanyPhone)}, {u"会社代表電話", spare(CompanyPhone)},
    {u"carphone", none}, {u"callback", none}, {u"radiophone", none}, {u"isdn", none}, {u"telex", none},
    {u"tty/tddphone", none}, {u"assistant'sphone", none}, {u"pager", none}, {u"otherfax", none},
    {u"自動車電話", none}, {u"コールバック", none}, {u"無線", none}, {u"テレックス", none}, {u"tty/tdd", none},
    {u"アシスタントの電話", none}, {u"その他のfax", none}, {u"自宅ファックス", none},
    {u"会社ファックス", none},
    {u"fax", none}, {u"fax番号", none}, {u"faxnumber", none}, {u"ファックス", none}, {u"自宅fax", none},
    {u"会社fax", none}, {u"勤務先fax", none}, {u"homefax", none}, {u"workfax", none}, {u"businessfax", none},
    {u"pagernumber", none}, {u"ポケットベル", none}, {u"ポケットベル番号", none},

    // 勤務先, 役職, 勤務先ＴＥＬ
    {u"会社名", part(Company)}, {u"会社", part(Company)}, {u"勤務先", part(Company)}, {u"勤務先名", part(Company)},
    {u"所属", part(Company)}, {u"会社名(会社欄)", part(Company)}, {u"組織", part(Company)},
    {u"組織名", part(Company)}, {u"organization", part(Company)}, {u"organizationname", part(Company)},
    {u"company", part(Company)},
    {u"部署", none}, {u"部署名", none}, {u"部署名(会社欄)", none}, {u"department", none},
    {u"organizationdepartment", none}, {u"組織の部署", none},
    {u"役職", part(Title)}, {u"役職名", part(Title)}, {u"肩書", part(Title)}, {u"肩書き", part(Title)},
    {u"役職(会社欄)", part(Title)}, {u"jobtitle", part(Title)}, {u"organizationtitle", part(Title)},
    {u"組織の役職", part(Title)},
    {u"会社電話", part(CompanyPhone)}, {u"会社電話番号", part(CompanyPhone)}, {u"勤務先電話", part(CompanyPhone)},
    {u"勤務先電話番号", part(CompanyPhone)}, {u"勤務先tel", part(CompanyPhone)}, {u"会社tel", part(CompanyPhone)},
    {u"電話番号(会社欄)", part(CompanyPhone)}, {u"電話番号(会社)", part(CompanyPhone)},
    {u"電話(会社)", part(CompanyPhone)}, {u"電話(勤務先)", part(CompanyPhone)},
    {u"workphone", part(CompanyPhone)}, {u"businessphone", part(CompanyPhone)},
    {u"officephone", part(CompanyPhone)},

    // マーク
    {u"マーク", part(Mark)}, {u"印", part(Mark)}, {u"mark", part(Mark)},

    // Names other programs write that the record has no field for.
    {u"敬称", none}, {u"email", none}, {u"e-mail", none}, {u"メール", none}, {u"メールアドレス", none},
    {u"第2メールアドレス", none}, {u"primaryemail", none}, {u"secondaryemail", none}, {u"nickname", none},
    {u"ニックネーム", none}, {u"screenname", none}, {u"スクリーンネーム", none}, {u"誕生日", none},
    {u"birthday", none}, {u"birthyear", none}, {u"birthmonth", none}, {u"誕生年", none},
    {u"誕生月", none}, {u"notes", none}, {u"note", none}, {u"メモ", none}, {u"備考", none},
    {u"webpage1", none}, {u"webpage2", none}, {u"webページ1", none}, {u"webページ2", none},
    {u"ホームページ", none}, {u"url", none}, {u"labels", none}, {u"ラベル", none},
    {u"groupmembership", none}, {u"initials", none},
    {u"shortname", none}, {u"maidenname", none}, {u"gender", none}, {u"性別", none}, {u"fileas", none},
    {u"photo", none}, {u"写真", none}, {u"表題", none},
    {u"location", none}, {u"occupation", none}, {u"hobby", none}, {u"language", none},
    {u"billinginformation", none}, {u"directoryserver", none}, {u"mileage", none},
    {u"sensitivity", none}, {u"priority", none}, {u"subject", none},
    // Outlook (desktop, English and Japanese; the web version's additions)
    {u"title", none}, {u"タイトル", none}, {u"account", none}, {u"anniversary", none}, {u"assistant'sname", none},
    {u"categories", none}, {u"children", none}, {u"e-mailaddress", none}, {u"e-mailtype", none},
    {u"e-maildisplayname", none}, {u"e-mail2address", none}, {u"e-mail2type", none},
    {u"e-mail2displayname", none}, {u"e-mail3address", none}, {u"e-mail3type", none},
    {u"e-mail3displayname", none}, {u"governmentidnumber", none}, {u"internetfreebusy", none},
    {u"keywords", none}, {u"manager'sname", none}, {u"officelocation", none},
    {u"organizationalidnumber", none}, {u"private", none}, {u"profession", none}, {u"referredby", none},
    {u"spouse", none}, {u"user1", none}, {u"user2", none}, {u"user3", none}, {u"user4", none},
    {u"webpage", none}, {u"personalwebpage", none}, {u"schools", none}, {u"imaddress", none},
    {u"電子メールアドレス", none}, {u"電子メールの種類", none}, {u"電子メール表示名", none},
    {u"電子メール2アドレス", none}, {u"電子メール2の種類", none}, {u"電子メール2表示名", none},
    {u"電子メール3アドレス", none}, {u"電子メール3の種類", none}, {u"電子メール3表示名", none},
    {u"記念日", none}, {u"アシスタント名", none}, {u"支払い情報", none}, {u"分類", none}, {u"子供", none},
    {u"ディレクトリサーバー", none}, {u"id番号", none}, {u"趣味", none}, {u"イニシャル", none},
    {u"インターネット空き時間情報", none}, {u"キーワード", none}, {u"言語", none}, {u"場所", none},
    {u"上司名", none}, {u"走行距離", none}, {u"事業所", none}, {u"組織id番号", none}, {u"優先度", none},
    {u"非公開", none}, {u"職業", none}, {u"紹介者", none}, {u"秘密度", none}, {u"配偶者", none},
    {u"webページ", none}, {u"アカウント", none},
    // Google Contacts and Apple's and Android's address books
    {u"website", none}, {u"phoneticcompanyname", none}, {u"group", none}, {u"groups", none},
    {u"カテゴリ", none}, {u"グループ", none}, {u"e-mailaddress1", none}, {u"emailaddress", none},
    // Japanese postcard programs
    {u"連名", none}, {u"連名敬称", none}, {u"連名ふりがな", none}, {u"連名フリガナ", none},
    {u"自宅fax番号", none}, {u"会社fax番号", none}, {u"部署名1", none}, {u"部署名2", none},
    {u"会社電話番号1", part(CompanyPhone)}, {u"メールアドレス1", none},
    {u"メールアドレス2", none}, {u"携帯メール", none}, {u"携帯メールアドレス", none}, {u"url1", none},
    {u"記念日1", none}, {u"年賀状", none}, {u"喪中", none}, {u"送受信履歴", none}, {u"グループ名", none},
};

const QHash<QString, ColumnRole> &table()
{
    static const QHash<QString, ColumnRole> names = [] {
        QHash<QString, ColumnRole> h;
        for (const Entry &e : Entries)
            h.insert(normalized(QString::fromUtf16(e.name)), e.role);
        return h;
    }();
    return names;
}

ColumnRole grouped(int field, ColumnGroup group, int number, int rank = 1)
{
    ColumnRole r = ColumnRole::to(field, rank);
    r.group = group;
    r.groupNo = number;
    return r;
}

ColumnRole typeOf(ColumnGroup group, int number)
{
    ColumnRole r;
    r.group = group;
    r.groupNo = number;
    r.groupType = true;
    return r;
}

// Numbered groups: "Phone 2 - Value", "電話番号 2 - 値", "Address 1 - City",
// "住所 1 - 市区町村"; the numbered names of other items only count as known.
bool matchGroup(const QString &key, HeaderMatch &out)
{
    static const QRegularExpression numbered(QStringLiteral("^(\\D+?)(\\d+)-(.+)$"));
    const QRegularExpressionMatch m = numbered.match(key);
    if (!m.hasMatch())
        return false;
    const QString base = m.captured(1);
    const int number = m.captured(2).toInt();
    const QString item = m.captured(3);
    static const QStringList typeNames = {QStringLiteral("type"), QStringLiteral("label"),
                                          QStringLiteral("種類"), QStringLiteral("ラベル"),
                                          QStringLiteral("タイプ")};
    out.known = true;
    if (base == u"phone" || base == u"電話" || base == u"電話番号") {
        if (item == u"value" || item == u"値")
            out.role = grouped(Phone, ColumnGroup::Phone, number);
        else if (typeNames.contains(item))
            out.role = typeOf(ColumnGroup::Phone, number);
        return true;
    }
    if (base == u"address" || base == u"住所") {
        if (item == u"region" || item == u"都道府県")
            out.role = grouped(Address1, ColumnGroup::Address, number, 1);
        else if (item == u"city" || item == u"市区町村")
            out.role = grouped(Address1, ColumnGroup::Address, number, 2);
        else if (item == u"street" || item == u"番地")
            out.role = grouped(Address1, ColumnGroup::Address, number, 3);
        else if (item == u"postalcode" || item == u"郵便番号")
            out.role = grouped(PostalCode, ColumnGroup::Address, number);
        else if (item == u"extendedaddress" || item == u"番地2" || item == u"建物名" || item == u"住所2")
            out.role = grouped(Address2, ColumnGroup::Address, number);
        else if (item == u"country" || item == u"国")
            out.role = grouped(Address1, ColumnGroup::Address, number, Country);
        else if (item == u"pobox" || item == u"私書箱")
            out.role = grouped(Address1, ColumnGroup::Address, number, PostOfficeBox);
        else if (typeNames.contains(item))
            out.role = typeOf(ColumnGroup::Address, number);
        return true;
    }
    if (base == u"organization" || base == u"組織") {
        // The older layout's "Organization 1 - Name" / "- Title".
        if (number == 1 && (item == u"name" || item == u"名前" || item == u"名"))
            out.role = ColumnRole::to(Company);
        else if (number == 1 && (item == u"title" || item == u"役職"))
            out.role = ColumnRole::to(Title);
        return true;
    }
    static const QStringList otherItems = {
        QStringLiteral("e-mail"), QStringLiteral("email"), QStringLiteral("メール"), QStringLiteral("website"),
        QStringLiteral("ウェブサイト"), QStringLiteral("im"), QStringLiteral("event"), QStringLiteral("relation"),
        QStringLiteral("customfield"), QStringLiteral("externalid"), QStringLiteral("jot"), QStringLiteral("custom")};
    if (otherItems.contains(base))
        return true;
    out.known = false;
    return false;
}

} // namespace

QString normalized(const QString &name)
{
    // Normalising is slow for long runs of combining marks; no name of the
    // table is near this long, so the rest of a cell could never make it one.
    QString s = name.left(LongestName).normalized(QString::NormalizationForm_KC).toLower();
    QString out;
    out.reserve(s.size());
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        if (c.isSpace())
            continue;
        if ((u >= 0x2010 && u <= 0x2015) || u == 0x2212)
            out += QLatin1Char('-'); // dashes of every width: "Phone 1 – Value"
        else if (u == 0x3010 || u == 0x3014)
            out += QLatin1Char('('); // 【】 and 〔〕 as brackets
        else if (u == 0x3011 || u == 0x3015)
            out += QLatin1Char(')');
        else
            out += c;
    }
    return out;
}

HeaderMatch match(const QString &name)
{
    HeaderMatch out;
    const QString key = normalized(name);
    if (key.isEmpty())
        return out;
    const auto it = table().constFind(key);
    if (it != table().constEnd()) {
        out.known = true;
        out.role = *it;
        return out;
    }
    if (matchGroup(key, out))
        return out;
    // Japan Post's joint names ("連名1(姓:自宅欄)") and workplace address
    // ("会社住所(都道府県)"), Thunderbird's "Custom 1" ...
    static const QRegularExpression otherKnown(QStringLiteral(
        "^(連名\\d*.*|会社住所\\(.*\\)|勤務先住所\\(.*\\)|custom\\d+|カスタム\\d+|その他\\d*)$"));
    out.known = otherKnown.match(key).hasMatch();
    return out;
}

bool isHeaderLine(const QStringList &cells)
{
    int known = 0;
    int filled = 0;
    for (const QString &cell : cells) {
        if (cell.trimmed().isEmpty())
            continue;
        ++filled;
        if (match(cell).known)
            ++known;
    }
    return known >= 2 || (filled == 1 && known == 1);
}

QList<ColumnRole> rolesFor(const QStringList &cells)
{
    QList<ColumnRole> roles;
    roles.reserve(cells.size());
    // The places taken so far (field, rank, fallback), found in one look-up
    // however many columns the header has.
    QSet<quint64> taken;
    QHash<QString, HeaderMatch> seen;
    for (const QString &cell : cells) {
        auto known = seen.constFind(cell);
        if (known == seen.constEnd())
            known = seen.insert(cell, match(cell));
        ColumnRole role = known->role;
        if (role.used() && !role.groupType && role.group == ColumnGroup::None) {
            const quint64 place = (quint64(role.field) << 33) | (quint64(role.rank) << 1) | (role.fallback ? 1 : 0);
            if (taken.contains(place))
                role.fallback = true;
            else
                taken.insert(place);
        }
        roles << role;
    }
    return roles;
}

QList<ColumnRole> standardRoles(int columns)
{
    QList<ColumnRole> roles;
    for (int k = 1; k <= columns; ++k)
        roles << (k <= RecordLayout::FieldCount ? ColumnRole::to(k) : ColumnRole::unused());
    return roles;
}

} // namespace HeaderNames
