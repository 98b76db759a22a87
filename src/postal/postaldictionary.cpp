#include "postal/postaldictionary.h"

#include "postal/postalcode.h"

#include <QResource>
#include <QtEndian>
#include <algorithm>

static void initPostalResource()
{
    Q_INIT_RESOURCE(postal);
}

namespace {

constexpr char Magic[] = "KNPOSTAL";
constexpr quint32 FormatVersion = 1;
constexpr quint8 WholePrefix = 1;

// Reads little-endian values from the body; the sizes are checked before.
class Reader {
public:
    explicit Reader(const QByteArray &bytes) : data(bytes) {}
    bool has(qint64 n) const { return at + n <= data.size(); }
    template <typename T> T take()
    {
        const T value = qFromLittleEndian<T>(data.constData() + at);
        at += sizeof(T);
        return value;
    }
    qsizetype pos() const { return at; }
    void skip(qint64 n) { at += n; }

private:
    const QByteArray &data;
    qsizetype at = 0;
};

// The fold of the dictionary's own names: full-width ASCII as half-width,
// ヶ as ケ, ヵ as カ; one character for one, so positions stay. For these
// names it is what PostalCodes::foldAddress does (the data script checks).
QChar foldName(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E)
        return QChar(char16_t(u - 0xFEE0));
    if (u == u'ヶ')
        return QChar(u'ケ');
    if (u == u'ヵ')
        return QChar(u'カ');
    return c;
}

} // namespace

const PostalDictionary &PostalDictionary::shared()
{
    static const PostalDictionary dictionary = [] {
        initPostalResource();
        // The resource is stored uncompressed: it is read where it lies.
        const QResource resource(QStringLiteral(":/postal.bin"));
        if (!resource.isValid()) {
            PostalDictionary none;
            none.failureText = QStringLiteral("郵便番号辞書がありません。");
            return none;
        }
        if (resource.compressionAlgorithm() == QResource::NoCompression)
            return fromBytes(QByteArray::fromRawData(reinterpret_cast<const char *>(resource.data()),
                                                     qsizetype(resource.size())));
        return fromBytes(resource.uncompressedData());
    }();
    return dictionary;
}

PostalDictionary PostalDictionary::fromBytes(const QByteArray &body)
{
    PostalDictionary dictionary;
    dictionary.failureText = dictionary.parse(body);
    if (!dictionary.failureText.isEmpty()) {
        const QString why = dictionary.failureText;
        dictionary = PostalDictionary();
        dictionary.failureText = why;
    }
    return dictionary;
}

QString PostalDictionary::parse(const QByteArray &body)
{
    const QString broken = QStringLiteral("郵便番号辞書が壊れています。");
    Reader in(body);
    if (!in.has(8 + 6 * 4) || !body.startsWith(Magic))
        return broken;
    in.skip(8);
    if (in.take<quint32>() != FormatVersion)
        return QStringLiteral("郵便番号辞書の形式が違います。");
    const quint32 date = in.take<quint32>();
    dataDate = QDate(int(date / 10000), int(date / 100 % 100), int(date % 100));
    const quint32 prefs = in.take<quint32>();
    const quint32 cities = in.take<quint32>();
    const quint32 areas = in.take<quint32>();
    const quint32 units = in.take<quint32>();
    // The tables fill the rest of the file exactly.
    const qint64 tables = qint64(prefs) * 8 + qint64(cities) * 8 + qint64(areas) * 20 + qint64(units) * 2;
    if (!dataDate.isValid() || in.pos() + tables != body.size())
        return broken;

    auto readNames = [&](std::vector<Name> &table, quint32 count) {
        table.resize(count);
        for (Name &n : table) {
            n.text = in.take<quint32>();
            n.length = in.take<quint16>();
            n.owner = in.take<quint16>();
        }
    };
    readNames(prefTable, prefs);
    readNames(cityTable, cities);
    areaTable.resize(areas);
    for (Area &a : areaTable) {
        a.code = in.take<quint32>();
        a.text = in.take<quint32>();
        a.city = in.take<quint16>();
        a.length = in.take<quint8>();
        a.flags = in.take<quint8>();
    }
    auto readOrder = [&](std::vector<quint32> &order) {
        order.resize(areas);
        for (quint32 &i : order)
            i = in.take<quint32>();
    };
    readOrder(byFull);
    readOrder(byCity);
    text.resize(units);
    for (quint32 i = 0; i < units; ++i)
        text[i] = QChar(in.take<quint16>());

    // Every reference must stay inside the tables.
    auto inText = [units](quint32 at, quint32 length) { return qint64(at) + length <= units; };
    for (const Name &p : prefTable)
        if (!inText(p.text, p.length))
            return broken;
    int longestPref = 0, longestCity = 0;
    for (const Name &p : prefTable)
        longestPref = std::max<int>(longestPref, p.length);
    for (const Name &c : cityTable) {
        if (!inText(c.text, c.length) || c.owner >= prefs)
            return broken;
        longestCity = std::max<int>(longestCity, c.length);
    }
    int longestTown = 0;
    quint32 previous = 0;
    for (const Area &a : areaTable) {
        if (!inText(a.text, a.length) || a.city >= cities || a.code > 9999999 || a.code < previous)
            return broken;
        previous = a.code;
        longestTown = std::max<int>(longestTown, a.length);
    }
    for (const std::vector<quint32> *order : {&byFull, &byCity})
        for (quint32 i : *order)
            if (i >= areas)
                return broken;
    longestKey = longestPref + longestCity + longestTown;

    foldedText = text;
    for (QChar &c : foldedText)
        c = foldName(c);
    return QString();
}

QString PostalDictionary::dateText() const
{
    if (!dataDate.isValid())
        return QString();
    return QStringLiteral("%1年%2月%3日").arg(dataDate.year()).arg(dataDate.month()).arg(dataDate.day());
}

qint64 PostalDictionary::memoryBytes() const
{
    return qint64(prefTable.capacity() + cityTable.capacity()) * sizeof(Name)
        + qint64(areaTable.capacity()) * sizeof(Area)
        + qint64(byFull.capacity() + byCity.capacity()) * sizeof(quint32)
        + qint64(text.capacity() + foldedText.capacity()) * sizeof(QChar);
}

QStringView PostalDictionary::view(const QString &from, quint32 at, int length) const
{
    return QStringView(from).mid(at, length);
}

PostalArea PostalDictionary::makeArea(quint32 i) const
{
    const Area &a = areaTable[i];
    const Name &c = cityTable[a.city];
    const Name &p = prefTable[c.owner];
    PostalArea area;
    area.code = int(a.code);
    area.prefecture = view(text, p.text, p.length).toString();
    area.city = view(text, c.text, c.length).toString();
    area.town = view(text, a.text, a.length).toString();
    area.wholePrefix = a.flags & WholePrefix;
    area.baseTown = area.town.left(baseLength(i));
    return area;
}

int PostalDictionary::baseLength(quint32 i) const
{
    const Area &a = areaTable[i];
    return (a.flags & WholePrefix) ? std::min<int>(a.flags >> 1, a.length) : 0;
}

std::vector<quint32> PostalDictionary::entriesOf(int code) const
{
    std::vector<quint32> found;
    if (code < 0 || code > 9999999)
        return found;
    auto add = [&](quint32 wanted, bool prefix) {
        auto from = std::lower_bound(areaTable.begin(), areaTable.end(), wanted,
                                     [](const Area &a, quint32 c) { return a.code < c; });
        for (auto it = from; it != areaTable.end() && it->code == wanted; ++it)
            if (bool(it->flags & WholePrefix) == prefix)
                found.push_back(quint32(it - areaTable.begin()));
    };
    // As the data lists them: the area of the whole prefix first.
    add(quint32(code / 100 * 100), true);
    add(quint32(code), false);
    return found;
}

QList<PostalArea> PostalDictionary::areas(int code) const
{
    QList<PostalArea> list;
    for (quint32 i : entriesOf(code))
        list.append(makeArea(i));
    return list;
}

bool PostalDictionary::knows(int code) const
{
    return !entriesOf(code).empty();
}

void PostalDictionary::keyParts(quint32 i, Key key, QStringView parts[3], bool baseOnly) const
{
    const Area &a = areaTable[i];
    const Name &c = cityTable[a.city];
    const Name &p = prefTable[c.owner];
    parts[0] = key == FullKey ? view(foldedText, p.text, p.length) : QStringView();
    parts[1] = view(foldedText, c.text, c.length);
    parts[2] = view(foldedText, a.text, baseOnly ? baseLength(i) : a.length);
}

int PostalDictionary::compareKey(quint32 area, Key key, QStringView query, bool baseOnly) const
{
    QStringView parts[3];
    keyParts(area, key, parts, baseOnly);
    qsizetype q = 0;
    for (const QStringView part : parts) {
        for (const QChar c : part) {
            if (q == query.size())
                return 1; // the key goes on: it sorts after
            if (c != query[q])
                return c.unicode() < query[q].unicode() ? -1 : 1;
            ++q;
        }
    }
    return q == query.size() ? 0 : -1;
}

bool PostalDictionary::startsWithKey(quint32 area, Key key, QStringView folded, bool baseOnly) const
{
    QStringView parts[3];
    keyParts(area, key, parts, baseOnly);
    const qsizetype length = parts[0].size() + parts[1].size() + parts[2].size();
    return length <= folded.size() && compareKey(area, key, folded.left(length), baseOnly) == 0;
}

QList<PostalArea> PostalDictionary::byAddress(const QString &address) const
{
    QList<PostalArea> found;
    const QString folded = PostalCodes::foldAddress(address);
    std::vector<quint32> hits;
    // The longest beginning of the address that is a key of either order.
    for (qsizetype length = std::min<qsizetype>(folded.size(), longestKey); length > 0 && hits.empty();
         --length) {
        const QStringView query = QStringView(folded).left(length);
        for (const auto &[order, key] : {std::pair{&byFull, FullKey}, std::pair{&byCity, CityKey}}) {
            auto from = std::lower_bound(order->begin(), order->end(), query,
                                         [&](quint32 a, QStringView q) { return compareKey(a, key, q) < 0; });
            for (auto it = from; it != order->end() && compareKey(*it, key, query) == 0; ++it)
                hits.push_back(*it);
        }
    }
    std::sort(hits.begin(), hits.end());
    hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
    for (quint32 i : hits)
        found.append(makeArea(i));
    return found;
}

bool PostalDictionary::agrees(int code, const QString &address) const
{
    const QString folded = PostalCodes::foldAddress(address);
    return agreesFolded(code, folded);
}

bool PostalDictionary::agreesFolded(int code, QStringView folded) const
{
    for (quint32 i : entriesOf(code)) {
        if (startsWithKey(i, FullKey, folded) || startsWithKey(i, CityKey, folded))
            return true;
        // A building's code with the building's name left to 住所２.
        if (baseLength(i) > 0
            && (startsWithKey(i, FullKey, folded, true) || startsWithKey(i, CityKey, folded, true)))
            return true;
    }
    return false;
}
