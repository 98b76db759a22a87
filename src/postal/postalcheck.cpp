#include "postal/postalcheck.h"

#include "postal/postalcode.h"
#include "store/blanks.h"
#include "store/datamodule.h"
#include "store/recordstore.h"

#include "platform/runerror.h"

namespace {

// The shared record state survives the reading of a text book's lines.
class RecordStateKeeper {
public:
    explicit RecordStateKeeper(DataModule &data)
        : dm(data), fields(data.FieldText), buffer(data.RecordBuffer), line(data.LineText),
          lineLength(data.LineLength)
    {
    }
    ~RecordStateKeeper()
    {
        dm.FieldText = fields;
        dm.RecordBuffer = buffer;
        dm.LineText = line;
        dm.LineLength = lineLength;
    }

private:
    DataModule &dm;
    std::array<QString, 11> fields;
    AddressRecord buffer;
    QString line;
    qint16 lineLength;
};

// Calls `visit(n, name, code, address1)` for records first ... last.
template <typename Visit>
void readRecords(DataModule &dm, int first, int last, Visit visit)
{
    if (dm.DataFormat == DataModule::FixedLength) {
        const QByteArray book = ReadWholeBook(dm);
        for (int n = first; n <= last; ++n) {
            const qsizetype at = qsizetype(n - 1) * RecordLayout::Length;
            if (at >= book.size())
                throw RunError(QStringLiteral("レコード %1 を読めません。").arg(n));
            const AddressRecord record = AddressRecord::fromBytes(book.mid(at, RecordLayout::Length));
            visit(n, record);
        }
        return;
    }
    RecordStateKeeper keep(dm);
    for (int n = first; n <= last; ++n) {
        dm.LoadRecord(n);
        visit(n, dm.FieldText);
    }
}

struct Checker {
    const PostalDictionary &dictionary;
    QList<PostalProblem> problems;

    void check(int n, const QString &name, const QString &code, const QString &address1)
    {
        PostalProblem problem;
        if (CheckPostalRecord(dictionary, n, name, code, address1, &problem))
            problems.append(problem);
    }
    void operator()(int n, const AddressRecord &record)
    {
        // Only a record with a code is worth decoding further.
        const QString code = record.fieldText(PostalCode);
        if (trimBlanks(code).isEmpty())
            return;
        check(n, record.fieldText(Name), code, record.fieldText(Address1));
    }
    void operator()(int n, const std::array<QString, 11> &fields)
    {
        check(n, fields[Name], fields[PostalCode], fields[Address1]);
    }
};

} // namespace

bool CheckPostalRecord(const PostalDictionary &dictionary, int record, const QString &name,
                       const QString &code, const QString &address1, PostalProblem *problem)
{
    const QString storedCode = trimBlanks(code);
    if (storedCode.isEmpty())
        return false;
    const int value = PostalCodes::parse(storedCode);
    PostalProblem found;
    found.record = record;
    found.name = trimBlanks(name);
    found.code = storedCode;
    found.address1 = trimRightBlanks(address1);
    if (value < 0 || !dictionary.knows(value)) {
        found.kind = PostalProblem::UnknownCode;
    } else if (!dictionary.agrees(value, address1)) {
        found.kind = PostalProblem::AddressDiffers;
        found.areas = dictionary.areas(value);
    } else {
        return false;
    }
    if (problem)
        *problem = found;
    return true;
}

QList<PostalProblem> CheckPostalCodes(DataModule &dm, const PostalDictionary &dictionary)
{
    Checker checker{dictionary, {}};
    if (dm.RecordCount > 0)
        readRecords(dm, 1, dm.RecordCount, [&](int n, const auto &record) { checker(n, record); });
    return checker.problems;
}

bool CheckPostalRecordOf(DataModule &dm, const PostalDictionary &dictionary, int n,
                         PostalProblem *problem)
{
    if (n < 1 || n > dm.RecordCount)
        return false;
    Checker checker{dictionary, {}};
    readRecords(dm, n, n, [&](int m, const auto &record) { checker(m, record); });
    if (checker.problems.isEmpty())
        return false;
    if (problem)
        *problem = checker.problems.first();
    return true;
}
