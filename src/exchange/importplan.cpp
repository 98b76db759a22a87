#include "exchange/importplan.h"

#include "exchange/recordassembly.h"
#include "exchange/telephonefit.h"
#include "store/addressrecord.h"
#include "store/blanks.h"

#include "platform/codec.h"

ImportPlan::ImportPlan(ImportSource source)
    : src(std::move(source))
{
    setFirstLineIsHeader(src.kind == SourceKind::Csv && src.firstLineIsHeader);
}

void ImportPlan::setFirstLineIsHeader(bool isHeader)
{
    header = src.kind == SourceKind::Csv && isHeader;
    tbl = src.table(header);
    roles = tbl.roles;
    rebuild();
}

void ImportPlan::setField(int c, int field)
{
    if (c < 0 || c >= roles.size() || field < 0 || field > RecordLayout::FieldCount)
        return;
    const ColumnRole recognised = tbl.roles.value(c);
    if (field == recognised.field) {
        roles[c] = recognised;
    } else if (field == 0) {
        roles[c] = ColumnRole::unused();
    } else {
        // After every recognised part of the field, in column order.
        roles[c] = ColumnRole::to(field, ColumnRole::ChosenRank + c);
    }
    rebuild();
}

void ImportPlan::rebuild()
{
    recs.clear();
    controlMarks.clear();
    skipped = 0;
    const RecordAssembly::Layout layout(roles);
    for (const QStringList &row : tbl.rows) {
        RecordAssembly::ControlMarks marks;
        const FieldValues values = RecordAssembly::assemble(row, layout, &marks);
        if (!RecordAssembly::isContact(values)) {
            ++skipped;
        } else {
            recs << values;
            controlMarks << marks;
        }
    }
}

QString ImportPlan::storedValue(int field, const QString &value, bool fixedLength)
{
    if (fixedLength) {
        const QString fitted = field == Phone || field == CompanyPhone
            ? TelephoneFit::fitted(value, RecordLayout::Width[field]) : value;
        const QByteArray bytes = Cp932::cutBytes(Cp932::encode(fitted), RecordLayout::Width[field]);
        return trimRightBlanks(Cp932::decode(bytes));
    }
    const QString line = field == Mark ? value
        : (field == Address1 || field == Address2) ? trimRightBlanks(value) : trimBlanks(value);
    return Cp932::decode(Cp932::encode(line));
}

QList<StoredChange> ImportPlan::changes(bool fixedLength) const
{
    QList<StoredChange> list;
    for (qsizetype r = 0; r < recs.size(); ++r) {
        for (int f = 1; f <= RecordLayout::FieldCount; ++f) {
            const QString &value = recs[r][f];
            if (value.isEmpty())
                continue;
            const bool tooLong = fixedLength && Cp932::byteLength(value) > RecordLayout::Width[f];
            const bool telephone = f == Phone || f == CompanyPhone;
            const bool cut = tooLong
                && (!telephone || Cp932::byteLength(TelephoneFit::fitted(value, RecordLayout::Width[f]))
                                      > RecordLayout::Width[f]);
            const bool foreign = Cp932::decode(Cp932::encode(value)) != value;
            const bool controls = controlMarks[r].test(f);
            if (!tooLong && !foreign && !controls)
                continue;
            const ChangeKind kind = cut ? ChangeKind::Cut
                : tooLong ? ChangeKind::SeparatorsRemoved
                : foreign ? ChangeKind::NotInCodePage : ChangeKind::ControlsRemoved;
            list << StoredChange{static_cast<int>(r + 1), f, value, storedValue(f, value, fixedLength), cut, kind};
        }
    }
    return list;
}
