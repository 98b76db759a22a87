#include "exchange/vcard.h"

#include "exchange/textencoding.h"
#include "store/addressrecord.h"

#include <array>

namespace VCard {

namespace {

QList<QByteArray> physicalLines(const QByteArray &data)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    const qsizetype n = data.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = data[i];
        if (c == '\r' || c == '\n') {
            lines << data.mid(start, i - start);
            if (c == '\r' && i + 1 < n && data[i + 1] == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines << data.mid(start);
    return lines;
}

bool isBlankLine(const QByteArray &line)
{
    return line.trimmed().isEmpty();
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

qsizetype colonOutsideQuotes(const QByteArray &line)
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
        }
    }
    return p;
}

bool isQuotedPrintable(const QByteArray &line)
{
    const qsizetype colon = colonOutsideQuotes(line);
    return colon > 0 && line.left(colon).toUpper().contains("QUOTED-PRINTABLE");
}

// The logical lines of one card: folded lines joined (vCard 3.0 and 4.0 drop
// the line break and the one blank that starts the next line; vCard 2.1
// keeps the blank, which was part of the text), and the soft line breaks of
// QUOTED-PRINTABLE values joined.
QList<QByteArray> unfold(const QList<QByteArray> &lines, bool version21)
{
    QList<QByteArray> logical;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        const bool continuation = !line.isEmpty() && (line[0] == ' ' || line[0] == '\t');
        if (continuation && !logical.isEmpty()) {
            logical.last() += version21 ? line : line.mid(1);
            continue;
        }
        if (isBlankLine(line))
            continue;
        logical << line;
        // "=" at the end of a quoted-printable value continues it on the next line.
        while (isQuotedPrintable(logical.last()) && logical.last().endsWith('=') && i + 1 < lines.size()) {
            logical.last().chop(1);
            logical.last() += lines[++i];
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

// Splits at `separator` where it is not escaped, then removes the escapes.
QStringList components(const QString &value, QChar separator)
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
        } else if (c == separator) {
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
    return components(value, QChar()).join(QString());
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
    QStringList sortAs;    // N;SORT-AS
    QList<QStringList> homeAddresses, otherAddresses;
    bool homeTel = false, workTel = false, otherTel = false;

    void add(const Property &p, const QString &value)
    {
        const QByteArray &name = p.name;
        if (name == "N") {
            const QStringList parts = components(value, QLatin1Char(';'));
            contact.family = componentAt(parts, 0);
            contact.given = componentAt(parts, 1);
            if (!p.sortAs.isEmpty())
                sortAs = components(QString::fromUtf8(p.sortAs), QLatin1Char(','));
        } else if (name == "FN") {
            contact.formatted = unescaped(value);
        } else if (name == "X-PHONETIC-LAST-NAME") {
            contact.phoneticFamily = unescaped(value);
        } else if (name == "X-PHONETIC-FIRST-NAME") {
            contact.phoneticGiven = unescaped(value);
        } else if (name == "SOUND" && hasType(p, "x-irmc-n")) {
            irmc = components(value, QLatin1Char(';'));
        } else if (name == "ADR") {
            const QStringList parts = components(value, QLatin1Char(';'));
            if (hasType(p, "home"))
                homeAddresses << parts;
            else if (!hasType(p, "work"))
                otherAddresses << parts;
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
            contact.organization = componentAt(components(value, QLatin1Char(';')), 0);
        } else if (name == "TITLE") {
            contact.title = unescaped(value);
        } else if (name == "CATEGORIES" && contact.category.isEmpty()) {
            for (const QString &category : components(value, QLatin1Char(','))) {
                if (category.isEmpty())
                    continue;
                const qsizetype length = category.size() > 1 && category[0].isHighSurrogate() ? 2 : 1;
                contact.category = category.left(length);
                break;
            }
        }
    }

    VCardContact finish()
    {
        if (contact.phoneticFamily.isEmpty() && contact.phoneticGiven.isEmpty()) {
            if (!sortAs.isEmpty()) {
                contact.phoneticFamily = componentAt(sortAs, 0);
                contact.phoneticGiven = componentAt(sortAs, 1);
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
        for (const QStringList &a : homeAddresses)
            if (!address && filled(a))
                address = &a;
        for (const QStringList &a : otherAddresses)
            if (!address && filled(a))
                address = &a;
        if (address) {
            // post office box; extended address; street; locality; region; postal code; country
            contact.extended = componentAt(*address, 1);
            contact.street = componentAt(*address, 2);
            contact.locality = componentAt(*address, 3);
            contact.region = componentAt(*address, 4);
            contact.postalCode = componentAt(*address, 5);
        }
        return contact;
    }
};

VCardContact readCard(const QList<QByteArray> &lines, const QByteArray &fileCharset, QString &version)
{
    version = QStringLiteral("2.1"); // a card without VERSION is the oldest kind
    for (const QByteArray &line : lines) {
        if (line.toUpper().startsWith("VERSION:")) {
            version = QString::fromLatin1(line.mid(8).trimmed());
            break;
        }
    }
    const bool version21 = version.startsWith(QStringLiteral("2"));
    const bool version40 = version.startsWith(QStringLiteral("4"));
    CardBuilder card;
    for (const QByteArray &line : unfold(lines, version21)) {
        const Property p = parseProperty(line);
        if (p.name.isEmpty())
            continue;
        card.add(p, valueText(p, fileCharset, version40));
    }
    return card.finish();
}

} // namespace

bool looksLikeVCard(const QByteArray &bytes)
{
    const TextEncoding encoding = TextEncodings::detect(bytes);
    for (const QByteArray &line : physicalLines(TextEncodings::toByteText(bytes, encoding))) {
        if (isBlankLine(line))
            continue;
        return line.trimmed().toUpper() == "BEGIN:VCARD";
    }
    return false;
}

VCardFile parse(const QByteArray &bytes)
{
    VCardFile file;
    const TextEncoding encoding = TextEncodings::detect(bytes);
    const QByteArray data = TextEncodings::toByteText(bytes, encoding);
    // Writers fold lines inside a multi-byte character too, so the file's
    // character set is told from its text with the folds taken out.
    QByteArray unfolded = data;
    for (const char *fold : {"\r\n ", "\r\n\t", "\n ", "\n\t"})
        unfolded.replace(fold, "");
    const bool utf8 = encoding != TextEncoding::Cp932 || TextEncodings::isUtf8(unfolded);
    const QByteArray fileCharset = utf8 ? QByteArray("UTF-8") : QByteArray("CP932");
    file.charset = TextEncodings::nameOf(utf8 ? TextEncoding::Utf8 : TextEncoding::Cp932);
    QList<QByteArray> card;
    int depth = 0;
    for (const QByteArray &line : physicalLines(data)) {
        const QByteArray word = line.trimmed().toUpper();
        if (word == "BEGIN:VCARD") {
            // A card inside a card (AGENT) is part of the outer one and skipped.
            ++depth;
            if (depth == 1) {
                card.clear();
                continue;
            }
        }
        if (depth == 0)
            continue;
        if (word == "END:VCARD") {
            --depth;
            if (depth == 0) {
                QString version;
                file.contacts << readCard(card, fileCharset, version);
                if (!file.versions.contains(version))
                    file.versions << version;
            }
            continue;
        }
        if (depth == 1)
            card << line;
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
    const std::array<Column, 16> columns = {{
        {u"姓 (N)", &VCardContact::family, ColumnRole::to(Name, 1)},
        {u"名 (N)", &VCardContact::given, ColumnRole::to(Name, 2)},
        {u"表示名 (FN)", &VCardContact::formatted, ColumnRole::fallbackTo(Name)},
        {u"姓のよみ", &VCardContact::phoneticFamily, ColumnRole::to(Furigana, 1)},
        {u"名のよみ", &VCardContact::phoneticGiven, ColumnRole::to(Furigana, 2)},
        {u"郵便番号 (ADR)", &VCardContact::postalCode, ColumnRole::to(PostalCode)},
        {u"都道府県 (ADR)", &VCardContact::region, ColumnRole::to(Address1, 1)},
        {u"市区町村 (ADR)", &VCardContact::locality, ColumnRole::to(Address1, 2)},
        {u"番地 (ADR)", &VCardContact::street, ColumnRole::to(Address1, 3)},
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
        if (c == QLatin1Char('\\') || c == QLatin1Char(',') || c == QLatin1Char(';')) {
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
