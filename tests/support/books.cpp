#include "support/books.h"

#include "support/testenv.h"

QByteArray fixedBook(const QList<QStringList> &records)
{
    return TestEnv::records(records);
}

QByteArray textBook(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &l : lines)
        bytes += TestEnv::line(l);
    return bytes;
}

void setFields(DataModule &dm, const QStringList &fields)
{
    dm.ClearFields();
    for (int f = 1; f <= 10 && f <= fields.size(); ++f)
        dm.FieldText[f] = fields[f - 1];
}

QByteArray twoRecords()
{
    return fixedBook({{QStringLiteral("山田太郎"), QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ"), QStringLiteral("100-0001"),
                       QStringLiteral("  千代田区")},
                      {QStringLiteral("鈴木花子"), QStringLiteral("ｽｽﾞｷﾊﾅｺ")}});
}

namespace {

// A function, so that books made while other files' statics are set up
// find it ready.
const QList<QStringList> &threeRecordFields()
{
    static const QList<QStringList> records = {
        {QStringLiteral("山田太郎"), QStringLiteral("ﾔﾏﾀﾞﾀﾛｳ"), QStringLiteral("100-0001"), QStringLiteral("  千代田区"),
         QStringLiteral("１－２"), QStringLiteral("03-1111-2222"), QStringLiteral("株式会社;甲"), QStringLiteral("部長"),
         QStringLiteral("03-3333"), QStringLiteral("A")},
        {QStringLiteral("鈴木, 花子"), QStringLiteral("ｽｽﾞｷ ﾊﾅｺ")},
        {QStringLiteral("佐藤")},
    };
    return records;
}

} // namespace

QByteArray threeRecords()
{
    return fixedBook(threeRecordFields());
}

QByteArray threeLines(QChar d)
{
    QByteArray bytes;
    for (QStringList fields : threeRecordFields()) {
        while (fields.size() < 10)
            fields << QString();
        for (QString &v : fields)
            if (v.contains(d))
                v = QStringLiteral("\"") + v + QStringLiteral("\"");
        bytes += TestEnv::line(fields.join(d));
    }
    return bytes;
}
