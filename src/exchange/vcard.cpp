#include "exchange/vcard.h"

#include "exchange/addressassembly.h"
#include "exchange/nameassembly.h"
#include "exchange/recordassembly.h"
#include "exchange/textencoding.h"
#include "store/addressrecord.h"

#include <QSet>

#include <array>

namespace VCard {

namespace {

// Calls `visit` with each line of `data` (without its CR LF, LF or CR), as a
// view into it: nothing of the file is copied to walk it.
template <typename Visit>
void forEachLine(QByteArrayView data, Visit visit)
{
    qsizetype start = 0;
    const qsizetype n = data.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = data[i];
        if (c == '\r' || c == '\n') {
            if (!visit(data.sliced(start, i - start)))
                return;
            if (c == '\r' && i + 1 < n && data[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        visit(data.sliced(start));
}

bool isBlankLine(QByteArrayView line)
{
    return line.trimmed().isEmpty();
}

bool startsWithBlank(QByteArrayView line)
{
    return !line.isEmpty() && (line[0] == ' ' || line[0] == '\t');
}

// Splits at `separator` outside double quotes.
QList<QByteArray> splitOutsideQuotes(const QByteArray &text, char separator)
{
    QList<QByteArray> parts;
    QByteArray current;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        if (c == separator && !quoted) {
            parts << current;
            current.clear();
        } else {
            current += c;
        }
    }
    parts << current;
    return parts;
}

qsizetype colonOutsideQuotes(QByteArrayView line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i;
    }
    return -1;
}

QByteArray unquote(QByteArray value)
{
    value = value.trimmed();
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        return value.mid(1, value.size() - 2);
    return value;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

QByteArray decodeQuotedPrintable(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '=' && i + 2 < text.size()) {
            const int hi = hexDigit(text[i + 1]);
            const int lo = hexDigit(text[i + 2]);
            if (hi >= 0 && lo >= 0) {
                out += static_cast<char>(hi * 16 + lo);
                i += 2;
                continue;
            }
        }
        // A stray "=" that starts no code stays a character.
        out += c;
    }
    return out;
}

struct Property {
    QByteArray name; // upper case, group removed
    QList<QByteArray> types; // lower case
    QByteArray encoding; // upper case
    QByteArray charset;
    QByteArray sortAs;
    QByteArray valueType; // VALUE=uri ...
    bool partsKept = false; // X-KANOTE-PARTS=KEPT: this program's own address
    QByteArray raw;
};

Property parseProperty(const QByteArray &line)
{
    Property p;
    const qsizetype colon = colonOutsideQuotes(line);
    if (colon < 0)
        return p;
    const QList<QByteArray> head = splitOutsideQuotes(line.left(colon), ';');
    p.raw = line.mid(colon + 1);
    QByteArray name = head.first().trimmed().toUpper();
    if (const qsizetype dot = name.lastIndexOf('.'); dot >= 0)
        name = name.mid(dot + 1);
    p.name = name;
    for (qsizetype k = 1; k < head.size(); ++k) {
        const QByteArray param = head[k].trimmed();
        const qsizetype eq = param.indexOf('=');
        if (eq < 0) {
            const QByteArray bare = param.toUpper();
            if (bare == "QUOTED-PRINTABLE" || bare == "BASE64" || bare == "8BIT" || bare == "7BIT")
                p.encoding = bare;
            else if (!bare.isEmpty())
                p.types << bare.toLower(); // vCard 2.1: TEL;HOME;VOICE
            continue;
        }
        const QByteArray key = param.left(eq).trimmed().toUpper();
        const QByteArray value = unquote(param.mid(eq + 1));
        if (key == "TYPE") {
            for (const QByteArray &t : value.split(','))
                if (!t.trimmed().isEmpty())
                    p.types << unquote(t).toLower();
        } else if (key == "ENCODING") {
            p.encoding = value.toUpper();
        } else if (key == "CHARSET") {
            p.charset = value;
        } else if (key == "SORT-AS") {
            p.sortAs = value;
        } else if (key == "VALUE") {
            p.valueType = value.toLower();
        } else if (key == "X-KANOTE-PARTS") {
            p.partsKept = value.toUpper() == "KEPT";
        }
    }
    return p;
}

bool isQuotedPrintable(QByteArrayView line)
{
    const qsizetype colon = colonOutsideQuotes(line);
    return colon > 0 && line.first(colon).toByteArray().toUpper().contains("QUOTED-PRINTABLE");
}

// Values this import never uses and that can be most of a file's size (a
// photo, a logo, a key, a recorded sound): their lines are passed over
// without being joined or decoded. SOUND;X-IRMC-N holds a reading and stays.
bool isUnusedBulk(QByteArrayView line)
{
    qsizetype end = 0;
    while (end < line.size() && line[end] != ';' && line[end] != ':')
        ++end;
    QByteArrayView name = line.first(end).trimmed();
    if (const qsizetype dot = name.lastIndexOf('.'); dot >= 0)
        name = name.sliced(dot + 1);
    auto is = [&name](const char *word) { return name.compare(word, Qt::CaseInsensitive) == 0; };
    if (is("PHOTO") || is("LOGO") || is("KEY"))
        return true;
    if (!is("SOUND"))
        return false;
    const qsizetype colon = colonOutsideQuotes(line);
    return !line.first(colon < 0 ? line.size() : colon).toByteArray().toUpper().contains("X-IRMC-N");
}

// One line of a card as it stands in the file, and how it joins the line before.
enum class LineJoin : char { Starts, Folded, SoftBreak };
struct PhysicalLine {
    QByteArrayView text;
    LineJoin join;
};

// The logical lines of one card: folded lines joined (vCard 3.0 and 4.0 drop
// the line break and the one blank that starts the next line; vCard 2.1
// keeps the blank, which was part of the text), and the soft line breaks of
// QUOTED-PRINTABLE values joined.
QList<QByteArray> unfold(const QList<PhysicalLine> &lines, bool version21)
{
    QList<QByteArray> logical;
    for (const PhysicalLine &line : lines) {
        if (line.join == LineJoin::Starts || logical.isEmpty()) {
            if (!isBlankLine(line.text))
                logical << line.text.toByteArray();
        } else if (line.join == LineJoin::SoftBreak) {
            logical.last().chop(1); // the "=" that broke the line
            logical.last() += line.text;
        } else {
            logical.last() += version21 ? line.text : line.text.sliced(1);
        }
    }
    return logical;
}

// The value's text, after its transfer encoding and character set.
QString valueText(const Property &p, const QByteArray &fileCharset, bool version40)
{
    QByteArray bytes = p.raw;
    if (p.encoding == "QUOTED-PRINTABLE")
        bytes = decodeQuotedPrintable(bytes);
    else if (p.encoding == "BASE64" || p.encoding == "B")
        bytes = QByteArray::fromBase64(bytes);
    QString text;
    const QByteArray charset = version40 ? QByteArray("UTF-8") : (p.charset.isEmpty() ? fileCharset : p.charset);
    if (!TextEncodings::decodeCharset(bytes, charset, text))
        TextEncodings::decodeCharset(bytes, fileCharset, text);
    return text;
}

// Splits at `separator` where it is not escaped (never, when it is -1:
// a NUL in a value is a character like any other), then removes the escapes.
QStringList components(const QString &value, int separator)
{
    QStringList parts;
    QString current;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == QLatin1Char('\\') && i + 1 < value.size()) {
            const QChar next = value[++i];
            if (next == QLatin1Char('n') || next == QLatin1Char('N'))
                current += QLatin1Char('\n');
            else if (next == QLatin1Char(',') || next == QLatin1Char(';') || next == QLatin1Char('\\')
                     || next == QLatin1Char(':'))
                current += next;
            else {
                current += c;
                current += next;
            }
        } else if (separator >= 0 && c.unicode() == separator) {
            parts << current;
            current.clear();
        } else {
            current += c;
        }
    }
    parts << current;
    return parts;
}

QString unescaped(const QString &value)
{
    return components(value, -1).join(QString());
}

QString componentAt(const QStringList &parts, int index)
{
    return index < parts.size() ? parts[index] : QString();
}

bool hasType(const Property &p, const char *type)
{
    return p.types.contains(QByteArray(type));
}

bool isPhoneUsable(const Property &p)
{
    return !hasType(p, "fax") && !hasType(p, "pager") && !hasType(p, "modem") && !hasType(p, "textphone");
}

struct CardBuilder {
    VCardContact contact;
    QStringList irmc;      // SOUND;X-IRMC-N components
    QString sortAs;        // N;SORT-AS
    QList<QStringList> homeAddresses, otherAddresses;
    QList<bool> homeKept, otherKept; // written by this program with its parts where they belong
    bool homeTel = false, workTel = false, otherTel = false;

    void add(const Property &p, const QString &value, const QByteArray &fileCharset)
    {
        const QByteArray &name = p.name;
        if (name == "N") {
            const QStringList parts = components(value, ';');
            contact.family = componentAt(parts, 0);
            contact.given = componentAt(parts, 1);
            // Lists of several additional names, prefixes or suffixes are
            // written with commas; a name shows them with blanks.
            contact.middle = componentAt(parts, 2).replace(QLatin1Char(','), QLatin1Char(' '));
            contact.prefix = componentAt(parts, 3).replace(QLatin1Char(','), QLatin1Char(' '));
            contact.suffix = componentAt(parts, 4).replace(QLatin1Char(','), QLatin1Char(' '));
            if (!p.sortAs.isEmpty()) {
                QString text;
                if (!TextEncodings::decodeCharset(p.sortAs, p.charset.isEmpty() ? fileCharset : p.charset, text))
                    text = QString::fromUtf8(p.sortAs);
                sortAs = text;
            }
        } else if (name == "FN") {
            contact.formatted = unescaped(value);
        } else if (name == "X-PHONETIC-LAST-NAME") {
            contact.phoneticFamily = unescaped(value);
        } else if (name == "X-PHONETIC-FIRST-NAME") {
            contact.phoneticGiven = unescaped(value);
        } else if (name == "SOUND" && hasType(p, "x-irmc-n")) {
            irmc = components(value, ';');
        } else if (name == "ADR") {
            const QStringList parts = components(value, ';');
            if (hasType(p, "home")) {
                homeAddresses << parts;
                homeKept << p.partsKept;
            } else if (!hasType(p, "work")) {
                otherAddresses << parts;
                otherKept << p.partsKept;
            }
        } else if (name == "TEL") {
            if (!isPhoneUsable(p))
                return;
            QString number = unescaped(value);
            if (p.valueType == "uri" || number.startsWith(QStringLiteral("tel:"), Qt::CaseInsensitive)) {
                if (number.startsWith(QStringLiteral("tel:"), Qt::CaseInsensitive))
                    number = number.mid(4);
                number = number.section(QLatin1Char(';'), 0, 0);
            }
            if (hasType(p, "home")) {
                if (!homeTel) { contact.homePhone = number; homeTel = true; }
            } else if (hasType(p, "work")) {
                if (!workTel) { contact.workPhone = number; workTel = true; }
            } else if (!otherTel) {
                contact.otherPhone = number;
                otherTel = true;
            }
        } else if (name == "ORG") {
            contact.organization = componentAt(components(value, ';'), 0);
        } else if (name == "TITLE") {
            contact.title = unescaped(value);
        } else if (name == "CATEGORIES" && contact.category.isEmpty()) {
            // Only a category of one character is a mark (as this program
            // writes its marks); "My Contacts" and the like are groups.
            for (const QString &category : components(value, ',')) {
                const QString c = category.trimmed();
                const bool oneCharacter = c.size() == 1 || (c.size() == 2 && c[0].isHighSurrogate());
                if (oneCharacter) {
                    contact.category = c;
                    break;
                }
            }
        }
    }

    VCardContact finish()
    {
        if (contact.phoneticFamily.isEmpty() && contact.phoneticGiven.isEmpty()) {
            if (!sortAs.isEmpty()) {
                contact.phoneticFamily = NameAssembly::sortAsReading(sortAs);
            } else if (!irmc.isEmpty()) {
                contact.phoneticFamily = componentAt(irmc, 0);
                contact.phoneticGiven = componentAt(irmc, 1);
            }
        }
        auto filled = [](const QStringList &parts) {
            for (const QString &p : parts)
                if (!p.isEmpty())
                    return true;
            return false;
        };
        const QStringList *address = nullptr;
        bool kept = false;
        for (qsizetype k = 0; k < homeAddresses.size() && !address; ++k)
            if (filled(homeAddresses[k]))
                address = &homeAddresses[k], kept = homeKept[k];
        for (qsizetype k = 0; k < otherAddresses.size() && !address; ++k)
            if (filled(otherAddresses[k]))
                address = &otherAddresses[k], kept = otherKept[k];
        if (address) {
            // post office box; extended address; street; locality; region; postal code; country
            AddressParts parts;
            parts.poBox = componentAt(*address, 0);
            parts.extended = componentAt(*address, 1);
            parts.street = componentAt(*address, 2);
            parts.locality = componentAt(*address, 3);
            parts.region = componentAt(*address, 4);
            parts.postalCode = componentAt(*address, 5);
            parts.country = componentAt(*address, 6);
            if (!kept)
                parts = AddressAssembly::withExtraAsStreet(parts);
            contact.poBox = parts.poBox;
            contact.extended = parts.extended;
            contact.street = parts.street;
            contact.locality = parts.locality;
            contact.region = parts.region;
            contact.postalCode = parts.postalCode;
            contact.country = parts.country;
        }
        return contact;
    }
};

// A card's lines, joined, with the version it says it is.
struct CardText {
    QList<QByteArray> lines;
    QString version;
};

CardText cardText(const QList<PhysicalLine> &lines)
{
    CardText card;
    card.version = QStringLiteral("2.1"); // a card without VERSION is the oldest kind
    for (const PhysicalLine &line : lines) {
        if (line.join == LineJoin::Starts && line.text.size() >= 8
            && line.text.first(8).compare("VERSION:", Qt::CaseInsensitive) == 0) {
            card.version = QString::fromLatin1(line.text.sliced(8).trimmed().first(qMin<qsizetype>(
                line.text.sliced(8).trimmed().size(), 32)));
            break;
        }
    }
    card.lines = unfold(lines, card.version.startsWith(QStringLiteral("2")));
    return card;
}

VCardContact readCard(const CardText &card, const QByteArray &fileCharset)
{
    const bool version40 = card.version.startsWith(QStringLiteral("4"));
    CardBuilder builder;
    for (const QByteArray &line : card.lines) {
        const Property p = parseProperty(line);
        if (p.name.isEmpty())
            continue;
        builder.add(p, valueText(p, fileCharset, version40), fileCharset);
    }
    return builder.finish();
}

// The file's text as bytes: UTF-16 turned into UTF-8, the byte-order mark left out.
QByteArrayView byteText(const QByteArray &bytes, TextEncoding encoding, QByteArray &converted)
{
    if (encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE) {
        converted = TextEncodings::toByteText(bytes, encoding);
        return converted;
    }
    if (encoding == TextEncoding::Utf8WithMark)
        return QByteArrayView(bytes).sliced(3);
    return bytes;
}

} // namespace

bool looksLikeVCard(const QByteArray &bytes)
{
    const TextEncoding encoding = TextEncodings::detect(bytes);
    // The first line is all that is looked at: only as much of the file is
    // turned into text as holds it.
    QByteArray head;
    QByteArrayView text;
    if (encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE)
        text = head = TextEncodings::toByteText(bytes.left(4096), encoding);
    else
        text = byteText(bytes, encoding, head);
    bool found = false;
    forEachLine(text, [&](QByteArrayView line) {
        if (isBlankLine(line))
            return true;
        found = line.trimmed().toByteArray().toUpper() == "BEGIN:VCARD";
        return false;
    });
    return found;
}

VCardFile parse(const QByteArray &bytes)
{
    VCardFile file;
    const TextEncoding encoding = TextEncodings::detect(bytes);
    QByteArray converted;
    const QByteArrayView data = byteText(bytes, encoding, converted);

    // The cards' lines, as views into the file. BEGIN and END count only on
    // a line of their own: a folded line or the rest of a quoted-printable
    // value that reads "BEGIN:VCARD" belongs to the value.
    QList<QList<PhysicalLine>> cardLines;
    QList<PhysicalLine> card;
    int depth = 0;
    bool started = false;    // a line of the card has begun
    bool quoted = false;     // the line begun is a quoted-printable value
    bool softBreak = false;  // ... and the last piece ended with "="
    bool skipping = false;   // the line begun is a photo or the like
    forEachLine(data, [&](QByteArrayView line) {
        LineJoin join = LineJoin::Starts;
        if (started && softBreak)
            join = LineJoin::SoftBreak;
        else if (started && startsWithBlank(line))
            join = LineJoin::Folded;
        if (join == LineJoin::Starts) {
            const QByteArrayView word = line.trimmed();
            const bool begin = word.compare("BEGIN:VCARD", Qt::CaseInsensitive) == 0;
            const bool end = word.compare("END:VCARD", Qt::CaseInsensitive) == 0;
            started = false;
            if (begin) {
                // A card inside a card (AGENT) is part of the outer one and skipped.
                if (++depth == 1) {
                    card.clear();
                    return true;
                }
            } else if (end && depth > 0) {
                if (--depth == 0)
                    cardLines << card;
                return true;
            }
            if (depth != 1)
                return true;
            started = true;
            skipping = isUnusedBulk(line);
            quoted = false;
            if (line.endsWith('='))
                quoted = isQuotedPrintable(line);
        } else if (depth != 1) {
            return true;
        }
        softBreak = quoted && line.endsWith('=');
        if (!skipping)
            card << PhysicalLine{line, join};
        return true;
    });

    QList<CardText> cards;
    cards.reserve(cardLines.size());
    for (const QList<PhysicalLine> &lines : std::as_const(cardLines))
        cards << cardText(lines);
    cardLines.clear();

    // Writers fold lines inside a multi-byte character too, so the file's
    // character set is told from its lines with the folds taken out.
    bool utf8 = encoding != TextEncoding::Cp932;
    if (!utf8) {
        utf8 = true;
        for (const CardText &c : std::as_const(cards))
            for (const QByteArray &line : c.lines)
                utf8 = utf8 && TextEncodings::isUtf8(line);
    }
    const QByteArray fileCharset = utf8 ? QByteArray("UTF-8") : QByteArray("CP932");
    file.charset = TextEncodings::nameOf(utf8 ? TextEncoding::Utf8 : TextEncoding::Cp932);
    QSet<QString> versionsMet;
    for (const CardText &c : std::as_const(cards)) {
        file.contacts << readCard(c, fileCharset);
        if (!versionsMet.contains(c.version)) {
            versionsMet.insert(c.version);
            file.versions << c.version;
        }
    }
    return file;
}

ExchangeTable toTable(const QList<VCardContact> &contacts)
{
    struct Column {
        const char16_t *name;
        QString VCardContact::*value;
        ColumnRole role;
    };
    using namespace RecordAssembly;
    const std::array<Column, 21> columns = {{
        {u"姓 (N)", &VCardContact::family, ColumnRole::to(Name, FamilyName)},
        {u"名 (N)", &VCardContact::given, ColumnRole::to(Name, GivenName)},
        {u"ミドルネーム (N)", &VCardContact::middle, ColumnRole::to(Name, MiddleName)},
        {u"敬称（前） (N)", &VCardContact::prefix, ColumnRole::to(Name, NamePrefix)},
        {u"敬称（後） (N)", &VCardContact::suffix, ColumnRole::to(Name, NameSuffix)},
        {u"表示名 (FN)", &VCardContact::formatted, ColumnRole::fallbackTo(Name)},
        {u"姓のよみ", &VCardContact::phoneticFamily, ColumnRole::to(Furigana, 1)},
        {u"名のよみ", &VCardContact::phoneticGiven, ColumnRole::to(Furigana, 2)},
        {u"郵便番号 (ADR)", &VCardContact::postalCode, ColumnRole::to(PostalCode)},
        {u"都道府県 (ADR)", &VCardContact::region, ColumnRole::to(Address1, Region)},
        {u"市区町村 (ADR)", &VCardContact::locality, ColumnRole::to(Address1, Locality)},
        {u"番地 (ADR)", &VCardContact::street, ColumnRole::to(Address1, Street)},
        {u"私書箱 (ADR)", &VCardContact::poBox, ColumnRole::to(Address1, PostOfficeBox)},
        {u"国 (ADR)", &VCardContact::country, ColumnRole::to(Address1, Country)},
        {u"建物名など (ADR)", &VCardContact::extended, ColumnRole::to(Address2)},
        {u"自宅の電話 (TEL)", &VCardContact::homePhone, ColumnRole::to(Phone)},
        {u"勤務先の電話 (TEL)", &VCardContact::workPhone, ColumnRole::to(CompanyPhone)},
        {u"その他の電話 (TEL)", &VCardContact::otherPhone, ColumnRole::fallbackTo(Phone)},
        {u"会社名 (ORG)", &VCardContact::organization, ColumnRole::to(Company)},
        {u"役職 (TITLE)", &VCardContact::title, ColumnRole::to(Title)},
        {u"分類 (CATEGORIES)", &VCardContact::category, ColumnRole::to(Mark)},
    }};
    ExchangeTable table;
    QList<const Column *> shown;
    for (const Column &column : columns) {
        for (const VCardContact &c : contacts) {
            if (!(c.*column.value).isEmpty()) {
                shown << &column;
                break;
            }
        }
    }
    for (const Column *column : shown) {
        table.columns << QString::fromUtf16(column->name);
        table.roles << column->role;
    }
    for (const VCardContact &c : contacts) {
        QStringList row;
        for (const Column *column : shown)
            row << c.*column->value;
        table.rows << row;
    }
    return table;
}

QString escape(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\\') || c == QLatin1Char(',') || c == ';') {
            out += QLatin1Char('\\');
            out += c;
        } else if (c == QLatin1Char('\r')) {
            out += QStringLiteral("\\n");
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out += QStringLiteral("\\n");
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace VCard
