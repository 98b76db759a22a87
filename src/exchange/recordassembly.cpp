#include "exchange/recordassembly.h"

#include "exchange/addressassembly.h"
#include "exchange/nameassembly.h"
#include "store/addressrecord.h"

#include "platform/kana.h"

#include <QMap>
#include <algorithm>

namespace RecordAssembly {

namespace {

const QString &cell(const QStringList &row, qsizetype column)
{
    static const QString none;
    return column < row.size() ? row[column] : none;
}

QList<Layout::Group> groupsOf(const QList<ColumnRole> &roles, ColumnGroup kind)
{
    QMap<int, Layout::Group> groups;
    for (qsizetype c = 0; c < roles.size(); ++c) {
        const ColumnRole &r = roles[c];
        if (r.group != kind)
            continue;
        Layout::Group &g = groups[r.groupNo];
        g.number = r.groupNo;
        if (r.groupType)
            g.typeColumns << static_cast<int>(c);
        else if (r.used())
            g.valueColumns << static_cast<int>(c);
    }
    return groups.values();
}

GroupKind kindIn(const QStringList &row, const Layout &layout, const Layout::Group &g)
{
    GroupKind kind = GroupKind::Other;
    for (const int c : g.typeColumns)
        kind = layout.kindOf(cell(row, c)); // the last type column decides
    return kind;
}

bool hasValue(const QStringList &row, const Layout::Group &g)
{
    for (const int c : g.valueColumns)
        if (!cell(row, c).isEmpty())
            return true;
    return false;
}

// What the columns of one field give in a row.
struct FieldPieces {
    QMap<int, QString> ranks;       // recognised columns, joined per rank in column order
    QString fallback;               // the first fallback column with a value
    QString chosen;                 // the user's columns, joined in column order
    QMap<int, QString> chosenOrder; // rank → value, for the order of the user's columns

    QString rank(int r) const { return ranks.value(r); }
    QString joined() const
    {
        QString all;
        for (const QString &v : ranks)
            all += v;
        return all.isEmpty() ? fallback : all;
    }
};

} // namespace

Layout::Layout(QList<ColumnRole> roles)
    : columnRoles(std::move(roles))
{
    phoneGroups = groupsOf(columnRoles, ColumnGroup::Phone);
    addressGroups = groupsOf(columnRoles, ColumnGroup::Address);
}

GroupKind Layout::kindOf(const QString &typeText) const
{
    const auto it = kinds.constFind(typeText);
    if (it != kinds.constEnd())
        return *it;
    const GroupKind kind = ColumnRoles::kindOf(typeText);
    if (kinds.size() < 4096) // a file of endless different texts is not kept in memory
        kinds.insert(typeText, kind);
    return kind;
}

QString lineBreaksToBlanks(const QString &value)
{
    if (!value.contains(QLatin1Char('\r')) && !value.contains(QLatin1Char('\n')))
        return value;
    QString out = value;
    out.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}

QString withoutControls(const QString &value, bool *dropped)
{
    bool other = false;
    bool any = false;
    for (const QChar c : value) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            any = true;
            break;
        }
    }
    if (dropped)
        *dropped = false;
    if (!any)
        return value;
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t u = value[i].unicode();
        if (u == u'\r' || u == u'\n') {
            if (u == u'\r' && i + 1 < value.size() && value[i + 1] == QLatin1Char('\n'))
                ++i;
            out += QLatin1Char(' ');
        } else if (u == u'\t') {
            out += QLatin1Char(' ');
            other = true;
        } else if (u < 0x20 || u == 0x7F) {
            other = true;
        } else {
            out += value[i];
        }
    }
    if (dropped)
        *dropped = other;
    return out;
}

bool isEmpty(const FieldValues &values)
{
    for (int f = 1; f <= RecordLayout::FieldCount; ++f)
        if (!values[f].isEmpty())
            return false;
    return true;
}

bool isContact(const FieldValues &values)
{
    for (const int f : {Name, Furigana, PostalCode, Address1, Address2, Phone, Company, CompanyPhone})
        if (!values[f].trimmed().isEmpty())
            return true;
    return false;
}

FieldValues assemble(const QStringList &row, const QList<ColumnRole> &roles)
{
    return assemble(row, Layout(roles));
}

FieldValues assemble(const QStringList &row, const Layout &layout, ControlMarks *dropped)
{
    const QList<ColumnRole> &roles = layout.roles();
    // Which address group this row uses: the first home one with a value,
    // else the first one with a value that is not a workplace's.
    int address = 0;
    for (const GroupKind wanted : {GroupKind::Home, GroupKind::Other}) {
        for (const Layout::Group &g : layout.addressGroups) {
            if (address != 0)
                break;
            if (hasValue(row, g) && kindIn(row, layout, g) == wanted)
                address = g.number;
        }
    }
    // Which telephone group goes where.
    int homePhone = 0, workPhone = 0, otherPhone = 0;
    for (const Layout::Group &g : layout.phoneGroups) {
        if (!hasValue(row, g))
            continue;
        const GroupKind kind = kindIn(row, layout, g);
        if (kind == GroupKind::NotUsable)
            continue; // a fax or pager number is no telephone of the record
        int &slot = kind == GroupKind::Home ? homePhone : kind == GroupKind::Work ? workPhone : otherPhone;
        if (slot == 0)
            slot = g.number;
    }

    std::array<FieldPieces, 11> pieces;
    ControlMarks marks;
    for (qsizetype c = 0; c < roles.size() && c < row.size(); ++c) {
        ColumnRole r = roles[c];
        if (!r.used() || r.groupType || row[c].isEmpty())
            continue;
        if (r.group == ColumnGroup::Address && r.groupNo != address)
            continue;
        if (r.group == ColumnGroup::Phone) {
            if (r.groupNo == homePhone) {
                r.fallback = false;
            } else if (r.groupNo == workPhone) {
                r.field = CompanyPhone;
            } else if (r.groupNo == otherPhone) {
                r.fallback = true;
            } else {
                continue;
            }
        }
        bool other = false;
        const QString value = withoutControls(row[c], &other);
        if (other)
            marks.set(r.field);
        FieldPieces &p = pieces[r.field];
        if (r.rank >= ColumnRole::ChosenRank)
            p.chosenOrder[r.rank] += value;
        else if (r.fallback)
            p.fallback = p.fallback.isEmpty() ? value : p.fallback;
        else
            p.ranks[r.rank] += value;
    }
    for (FieldPieces &p : pieces)
        for (const QString &v : p.chosenOrder)
            p.chosen += v;

    FieldValues values;
    for (int f = 1; f <= RecordLayout::FieldCount; ++f)
        values[f] = pieces[f].joined();

    const FieldPieces &name = pieces[Name];
    values[Name] = NameAssembly::join({name.rank(FamilyName), name.rank(GivenName), name.rank(MiddleName),
                                       name.rank(NamePrefix), name.rank(NameSuffix), name.fallback});

    const FieldPieces &line1 = pieces[Address1];
    const FieldPieces &line2 = pieces[Address2];
    AddressParts parts;
    parts.region = line1.rank(Region);
    parts.locality = line1.rank(Locality);
    parts.street = line1.rank(Street);
    parts.country = line1.rank(Country);
    parts.poBox = line1.rank(PostOfficeBox);
    if (parts.region.isEmpty() && parts.locality.isEmpty() && parts.street.isEmpty() && parts.poBox.isEmpty())
        parts.street = line1.fallback;
    const bool western = AddressAssembly::isWestern({parts.street, parts.locality, parts.region, parts.poBox,
                                                     line2.joined()});
    if (western) {
        QStringList building(line2.ranks.cbegin(), line2.ranks.cend());
        building.removeAll(QString());
        parts.extended = building.isEmpty() ? line2.fallback : building.join(QStringLiteral(", "));
    } else {
        parts.extended = line2.joined();
        parts.country.clear(); // a Japanese address is written without its country
    }
    const AddressLines lines = AddressAssembly::assemble(parts);
    values[Address1] = lines.address1;
    values[Address2] = lines.address2;

    for (int f = 1; f <= RecordLayout::FieldCount; ++f)
        values[f] += pieces[f].chosen;
    values[Furigana] = Kana::toHalfWidthKatakana(values[Furigana]);
    if (dropped)
        *dropped = marks;
    return values;
}

} // namespace RecordAssembly
