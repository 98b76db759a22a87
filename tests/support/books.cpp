#include "support/books.h"

#include "store/addressrecord.h"
#include "store/datamodule.h"

#include "platform/codec.h"

QByteArray fixedRecord(const QStringList &fields)
{
    AddressRecord r;
    for (int f = 1; f <= 10 && f <= fields.size(); ++f)
        r.setField(f, fields[f - 1]);
    return r.bytes();
}

QByteArray fixedBook(const QList<QStringList> &rows)
{
    QByteArray bytes;
    for (const QStringList &fields : rows)
        bytes += fixedRecord(fields);
    return bytes;
}

QByteArray textLine(const QString &text)
{
    return Cp932::encode(text) + "\r\n";
}

QByteArray textBook(const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &l : lines)
        bytes += textLine(l);
    return bytes;
}

QByteArray delimitedBook(const QList<QStringList> &rows, QChar delimiter)
{
    QByteArray bytes;
    for (const QStringList &r : rows)
        bytes += textLine((r + QStringList(qMax(0, 10 - int(r.size())), QString())).join(delimiter));
    return bytes;
}

QByteArray bookOf(qint16 format, const QList<QStringList> &rows)
{
    return format == DataModule::FixedLength ? fixedBook(rows) : delimitedBook(rows);
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
        bytes += textLine(fields.join(d));
    }
    return bytes;
}
