#include "exchange/recordassembly.h"

#include "store/addressrecord.h"

#include "platform/kana.h"

#include <QMap>
#include <algorithm>

namespace RecordAssembly {

namespace {

struct Piece {
    int rank;
    int column;
    bool fallback;
    QString value;
};

QString cell(const QStringList &row, qsizetype column)
{
    return column < row.size() ? row[column] : QString();
}

// The kind of each numbered group in this row, from its type column.
QMap<int, GroupKind> groupKinds(const QStringList &row, const QList<ColumnRole> &roles, ColumnGroup group)
{
    QMap<int, GroupKind> kinds;
    for (qsizetype c = 0; c < roles.size(); ++c) {
        const ColumnRole &r = roles[c];
        if (r.group != group)
            continue;
        if (!kinds.contains(r.groupNo))
            kinds[r.groupNo] = GroupKind::Other;
        if (r.groupType)
            kinds[r.groupNo] = ColumnRoles::kindOf(cell(row, c));
    }
    return kinds;
}

bool groupHasValue(const QStringList &row, const QList<ColumnRole> &roles, ColumnGroup group, int number)
{
    for (qsizetype c = 0; c < roles.size(); ++c)
        if (roles[c].group == group && roles[c].groupNo == number && roles[c].used() && !cell(row, c).isEmpty())
            return true;
    return false;
}

} // namespace

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

bool isEmpty(const FieldValues &values)
{
    for (int f = 1; f <= RecordLayout::FieldCount; ++f)
        if (!values[f].isEmpty())
            return false;
    return true;
}

FieldValues assemble(const QStringList &row, const QList<ColumnRole> &roles)
{
    // Which address group this row uses: the first home one with a value,
    // else the first one with a value that is not a workplace's.
    const QMap<int, GroupKind> addressKinds = groupKinds(row, roles, ColumnGroup::Address);
    int address = 0;
    for (const GroupKind wanted : {GroupKind::Home, GroupKind::Other}) {
        for (auto it = addressKinds.cbegin(); it != addressKinds.cend() && address == 0; ++it)
            if (it.value() == wanted && groupHasValue(row, roles, ColumnGroup::Address, it.key()))
                address = it.key();
    }
    // Which telephone group goes where.
    const QMap<int, GroupKind> phoneKinds = groupKinds(row, roles, ColumnGroup::Phone);
    int homePhone = 0, workPhone = 0, otherPhone = 0;
    for (auto it = phoneKinds.cbegin(); it != phoneKinds.cend(); ++it) {
        if (!groupHasValue(row, roles, ColumnGroup::Phone, it.key()))
            continue;
        if (it.value() == GroupKind::NotUsable)
            continue; // a fax or pager number is no telephone of the record
        int &slot = it.value() == GroupKind::Home ? homePhone
            : it.value() == GroupKind::Work ? workPhone : otherPhone;
        if (slot == 0)
            slot = it.key();
    }

    std::array<QList<Piece>, 11> pieces;
    for (qsizetype c = 0; c < roles.size(); ++c) {
        ColumnRole r = roles[c];
        if (!r.used() || r.groupType)
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
        pieces[r.field] << Piece{r.rank, static_cast<int>(c), r.fallback, lineBreaksToBlanks(cell(row, c))};
    }

    FieldValues values;
    for (int f = 1; f <= RecordLayout::FieldCount; ++f) {
        QList<Piece> &list = pieces[f];
        std::stable_sort(list.begin(), list.end(), [](const Piece &a, const Piece &b) {
            return a.rank != b.rank ? a.rank < b.rank : a.column < b.column;
        });
        QString joined;
        for (const Piece &p : list)
            if (!p.fallback && p.rank < ColumnRole::ChosenRank)
                joined += p.value;
        if (joined.isEmpty()) {
            for (const Piece &p : list) {
                if (p.fallback && !p.value.isEmpty()) {
                    joined = p.value;
                    break;
                }
            }
        }
        for (const Piece &p : list)
            if (!p.fallback && p.rank >= ColumnRole::ChosenRank)
                joined += p.value;
        values[f] = f == Furigana ? Kana::toHalfWidthKatakana(joined) : joined;
    }
    return values;
}

} // namespace RecordAssembly
