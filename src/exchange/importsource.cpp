#include "exchange/importsource.h"

#include "exchange/csvtext.h"
#include "exchange/headernames.h"
#include "exchange/vcard.h"

#include <QFile>
#include <QFileInfo>

namespace {

QString neitherText(const QString &name)
{
    return name + QStringLiteral(" は CSV ファイルでも vCard ファイルでもないため、読み込めません。");
}

bool blankText(const QString &text)
{
    for (const QChar c : text)
        if (!c.isSpace())
            return false;
    return true;
}

} // namespace

static QString nothingToReadText()
{
    return QStringLiteral("読み込める項目がありません。");
}

// Whether some column goes to a field of the record (a file whose columns
// all go nowhere, e-mail addresses only, has nothing to read, however many
// rows it holds).
static bool anythingToRead(const ExchangeTable &table)
{
    for (const ColumnRole &role : table.roles)
        if (role.used() && !role.groupType)
            return true;
    return false;
}

QString ImportSource::description() const
{
    if (kind == SourceKind::VCard) {
        // A file can name any number of versions; the first few say what it is.
        constexpr qsizetype Shown = 4;
        QString shown = versions.mid(0, Shown).join(QStringLiteral("・"));
        if (versions.size() > Shown)
            shown += QStringLiteral("・…");
        return QStringLiteral("vCard %1（%2）").arg(shown, charsetName);
    }
    return QStringLiteral("CSV（%1区切り、%2）").arg(Csv::delimiterName(delimiter), charsetName);
}

ExchangeTable ImportSource::table(bool header) const
{
    if (kind == SourceKind::VCard)
        return cards;
    ExchangeTable t;
    qsizetype width = 0;
    for (const QStringList &line : lines)
        width = qMax(width, line.size());
    if (header && !lines.isEmpty()) {
        const QStringList &names = lines.first();
        for (qsizetype c = 0; c < width; ++c)
            t.columns << (c < names.size() && !names[c].isEmpty() ? names[c] : QStringLiteral("列%1").arg(c + 1));
        t.roles = HeaderNames::rolesFor(names);
        while (t.roles.size() < width)
            t.roles << ColumnRole::unused();
        t.rows = lines.mid(1);
    } else {
        for (qsizetype c = 0; c < width; ++c)
            t.columns << QStringLiteral("列%1").arg(c + 1);
        t.roles = HeaderNames::standardRoles(static_cast<int>(width));
        t.rows = lines;
    }
    return t;
}

bool LoadImportSource(const QString &path, ImportSource &source, QString &message)
{
    const QString name = QFileInfo(path).fileName();
    source = ImportSource();
    source.fileName = name;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        message = QStringLiteral("%1 を読めません。(%2)").arg(name, file.errorString());
        return false;
    }
    QByteArray bytes = file.readAll();
    if (bytes.size() != file.size()) {
        message = QStringLiteral("%1 を読めません。(%2)").arg(name, file.errorString());
        return false;
    }

    source.encoding = TextEncodings::detect(bytes);
    const bool utf16 = source.encoding == TextEncoding::Utf16LE || source.encoding == TextEncoding::Utf16BE;
    if (!utf16 && bytes.contains('\0')) {
        message = neitherText(name); // a program, a picture, a compressed file ...
        return false;
    }

    // A vCard file is read in place, never turned into text as a whole: a
    // card with a photo can be most of a large file.
    if (VCard::looksLikeVCard(bytes)) {
        const VCardFile cards = VCard::parse(bytes);
        if (cards.contacts.isEmpty()) {
            message = neitherText(name);
            return false;
        }
        source.kind = SourceKind::VCard;
        source.versions = cards.versions;
        source.charsetName = cards.charset;
        source.cards = VCard::toTable(cards.contacts);
        if (!anythingToRead(source.cards)) {
            message = nothingToReadText();
            return false;
        }
        return true;
    }

    DecodedText decoded = TextEncodings::decode(bytes);
    bytes = QByteArray(); // the text is all that is needed from here on
    if (blankText(decoded.text)) {
        message = name + QStringLiteral(" は空のため、読み込めません。");
        return false;
    }
    if (QFileInfo(path).suffix().compare(QStringLiteral("vcf"), Qt::CaseInsensitive) == 0) {
        message = neitherText(name);
        return false;
    }

    // CSV. Bytes that are neither UTF-8 nor CP932 would turn into wrong characters.
    if (decoded.text.contains(QChar(0xFFFD)) && source.encoding == TextEncoding::Cp932) {
        message = name + QStringLiteral(" の文字コード（UTF-8 または Shift_JIS）を判別できないため、読み込めません。");
        return false;
    }
    source.kind = SourceKind::Csv;
    source.charsetName = TextEncodings::nameOf(source.encoding);
    source.delimiter = Csv::detectDelimiter(decoded.text);
    const QChar delimiter = source.delimiter.isNull() ? QLatin1Char(',') : source.delimiter;
    CsvRows rows = Csv::parse(decoded.text, delimiter);
    decoded.text = QString();
    if (rows.unclosedQuote) {
        message = QStringLiteral("%1 の %2 行目で始まる引用符（\"）が閉じられていないため、読み込めません。")
                      .arg(name).arg(rows.unclosedLine);
        return false;
    }
    // Lines that hold nothing (blank lines, a row of bare delimiters) are no records.
    for (const QStringList &row : rows.rows) {
        bool filled = false;
        for (const QString &cell : row)
            filled = filled || !cell.isEmpty();
        if (filled)
            source.lines << row;
    }
    rows.rows.clear();
    source.firstLineIsHeader = !source.lines.isEmpty() && HeaderNames::isHeaderLine(source.lines.first());
    // A header of names that go nowhere (e-mail addresses, web pages ...)
    // gives nothing to read; its line is no record either.
    if (source.firstLineIsHeader && !anythingToRead(source.table(true))) {
        bool allKnown = true;
        for (const QString &cell : source.lines.first())
            allKnown = allKnown && (cell.trimmed().isEmpty() || HeaderNames::match(cell).known);
        if (allKnown) {
            message = nothingToReadText();
            return false;
        }
    }
    // One column only is a list of names under a heading, or not a table at all.
    if (source.delimiter.isNull() && !source.firstLineIsHeader) {
        message = name + QStringLiteral(" には区切り文字（コンマ、セミコロン、タブ）で区切られた項目がないため、読み込めません。");
        return false;
    }
    if (source.delimiter.isNull())
        source.delimiter = QLatin1Char(',');
    return true;
}
