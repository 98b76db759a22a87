#pragma once
// The postal-code dictionary: Japan Post's codes with their areas
// (都道府県, 市区町村, 町域, all full-width), carried inside the program
// (resources/postal.bin, made by scripts/make_postal_data.py). Nothing is
// fetched; the data are as old as the date they carry.
//
// Two ways in:
// - areas(code): the areas of a 7-digit code, in the data's order. Empty for
//   a code the dictionary does not know. Some 5-digit prefixes stand for one
//   area as a whole (a high-rise building whose floors have codes of their
//   own, a few towns divided by house numbers): every code of such a prefix
//   is known and names that area (wholePrefix).
// - byAddress(address): the areas whose 都道府県 + 市区町村 + 町域, or
//   市区町村 + 町域 alone, is the longest beginning of the address (compared
//   folded, see postalcode.h); several when that name has several codes.
// And the check of a record: agrees(code, address) when the address begins
// with the 都道府県 + 市区町村 + 町域 or the 市区町村 + 町域 of one of the
// code's areas. For a building's area the town it stands in is enough
// (baseTown: "浜松町" of "浜松町世界貿易センタービルディング南館"), since the
// building's name is commonly written in 住所２.
//
// shared() loads the program's dictionary once, on first use, and keeps it
// for the whole run; it never changes afterwards. A dictionary that could not
// be read is empty and says why (failure()).
#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>
#include <vector>

struct PostalArea {
    int code = -1;       // for a wholePrefix area: the prefix * 100
    QString prefecture;  // 都道府県
    QString city;        // 市区町村 (郡 included)
    QString town;        // 町域; empty for "the rest of the city"
    bool wholePrefix = false;
    // For a wholePrefix area named after a building: the ordinary town of
    // the same city its name begins with. Empty otherwise.
    QString baseTown;

    QString address() const { return prefecture + city + town; }
    QString cityAndTown() const { return city + town; }
};

class PostalDictionary {
public:
    // The program's dictionary, loaded from its resource on first use.
    static const PostalDictionary &shared();
    // A dictionary from the bytes of a postal.bin.
    static PostalDictionary fromBytes(const QByteArray &bytes);

    bool isLoaded() const { return failureText.isEmpty(); }
    // Why the dictionary is empty; empty when it loaded.
    QString failure() const { return failureText; }
    // The data's date.
    QDate date() const { return dataDate; }
    // "YYYY年M月D日".
    QString dateText() const;
    int areaCount() const { return int(areaTable.size()); }
    // Bytes the loaded tables take in memory.
    qint64 memoryBytes() const;

    QList<PostalArea> areas(int code) const;
    bool knows(int code) const;
    QList<PostalArea> byAddress(const QString &address) const;
    bool agrees(int code, const QString &address) const;
    // The same on an address already folded (PostalCodes::foldAddress).
    bool agreesFolded(int code, QStringView foldedAddress) const;

private:
    struct Area {
        quint32 code;
        quint32 text;
        quint16 city;
        quint8 length;
        quint8 flags;
    };
    struct Name {
        quint32 text;
        quint16 length;
        quint16 owner; // a city's prefecture; a prefecture's code
    };
    enum Key { FullKey, CityKey };

    QString parse(const QByteArray &body);
    QStringView view(const QString &text, quint32 at, int length) const;
    // The area's folded key in up to three parts; with `baseOnly` the town
    // is cut to the building's town.
    void keyParts(quint32 area, Key key, QStringView parts[3], bool baseOnly = false) const;
    // <0, 0, >0 as the area's key sorts before, equal to, after `query`.
    int compareKey(quint32 area, Key key, QStringView query, bool baseOnly = false) const;
    bool startsWithKey(quint32 area, Key key, QStringView folded, bool baseOnly = false) const;
    // Characters of the area's town that are the building's town; 0: none.
    int baseLength(quint32 area) const;
    PostalArea makeArea(quint32 area) const;
    // Area numbers of `code` (exact) and of the prefix areas covering it.
    std::vector<quint32> entriesOf(int code) const;

    QString failureText = QStringLiteral("郵便番号辞書が読み込まれていません。");
    QDate dataDate;
    std::vector<Name> prefTable;
    std::vector<Name> cityTable;
    std::vector<Area> areaTable;
    std::vector<quint32> byFull;
    std::vector<quint32> byCity;
    QString text;       // every name, as shown
    QString foldedText; // the same, folded one character for one
    int longestKey = 0;
};
