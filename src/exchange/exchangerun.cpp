#include "exchange/exchangerun.h"

#include "convert/conversion.h"
#include "exchange/csvtext.h"
#include "exchange/vcard.h"
#include "store/datamodule.h"
#include "store/recordstore.h"
#include "store/tempfile.h"

#include "platform/runerror.h"

#include <QFileInfo>

namespace ExchangeRun {

QString limitText(const DataModule &dm, int count, bool newBook)
{
    if (!newBook)
        return AppendRecordsLimitText(dm, count);
    if (count <= DataModule::MaxFixedRecords)
        return QString();
    return QStringLiteral("%1件のﾃﾞｰﾀは固定長ﾌｧｲﾙの上限 %2 件を超えるため、読み込めません。")
        .arg(count)
        .arg(DataModule::MaxFixedRecords);
}

void appendToBook(DataModule &dm, const QList<FieldValues> &records)
{
    AppendRecords(dm, records);
}

void createBook(DataModule &dm, const QString &name, const QList<FieldValues> &records)
{
    const QString refusal = limitText(dm, static_cast<int>(records.size()), true);
    if (!refusal.isEmpty())
        throw RunError(refusal);
    if (QFileInfo::exists(name))
        throw RunError(QStringLiteral("%1 は既に存在します。").arg(name));
    QByteArray out;
    out.reserve(records.size() * RecordLayout::Length);
    for (const FieldValues &values : records) {
        AddressRecord record;
        for (int f = 1; f <= RecordLayout::FieldCount; ++f)
            record.setField(f, values[f]);
        out += record.bytes();
    }
    {
        TempFile temp(Conversion::workFileFor(name));
        temp.write(out);
        temp.commitOver(name);
    }
    dm.CloseData();
    dm.CurrentFileName = name;
    dm.DataFormat = DataModule::FixedLength;
    dm.FileMode = 1;
    if (dm.Hyoujun() != 0)
        throw RunError(QStringLiteral("%1 を開けません。").arg(name));
    dm.RefreshFileInfo();
    dm.CurrentRecord = 1;
}

QStringList fieldLabels()
{
    return {QStringLiteral("名前"), QStringLiteral("ﾌﾘｶﾞﾅ"), QStringLiteral("郵便番号"),
            QStringLiteral("住所１"), QStringLiteral("住所２"), QStringLiteral("電話番号"),
            QStringLiteral("勤務先"), QStringLiteral("役職"), QStringLiteral("勤務先ＴＥＬ"),
            QStringLiteral("マーク")};
}

QList<FieldValues> bookRecords(DataModule &dm)
{
    QList<FieldValues> records;
    records.reserve(dm.RecordCount);
    for (int n = 1; n <= dm.RecordCount; ++n) {
        dm.CurrentRecord = n;
        dm.LoadRecord(n);
        records << dm.FieldText;
    }
    return records;
}

QByteArray csvBytes(const QList<FieldValues> &records)
{
    const QChar comma = QLatin1Char(',');
    QStringList header;
    for (const QString &label : fieldLabels())
        header << Csv::quote(label, comma);
    QString text = header.join(comma) + QStringLiteral("\r\n");
    for (const FieldValues &values : records) {
        QStringList cells;
        for (int f = 1; f <= RecordLayout::FieldCount; ++f)
            cells << Csv::quote(values[f], comma);
        text += cells.join(comma) + QStringLiteral("\r\n");
    }
    // With the mark, spreadsheet programs read the file as UTF-8 too.
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

namespace {

// A content line folded after 75 bytes, never inside a UTF-8 character; each
// further line starts with one blank.
QByteArray folded(const QString &line)
{
    const QByteArray bytes = line.toUtf8();
    constexpr qsizetype Width = 75;
    QByteArray out;
    qsizetype start = 0;
    qsizetype room = Width;
    while (bytes.size() - start > room) {
        qsizetype end = start + room;
        while (end > start && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80)
            --end; // back to the start of a character
        out += bytes.mid(start, end - start);
        out += "\r\n ";
        start = end;
        room = Width - 1;
    }
    out += bytes.mid(start);
    out += "\r\n";
    return out;
}

} // namespace

QByteArray vcardBytes(const QList<FieldValues> &records)
{
    using VCard::escape;
    QByteArray out;
    for (const FieldValues &v : records) {
        out += folded(QStringLiteral("BEGIN:VCARD"));
        out += folded(QStringLiteral("VERSION:3.0"));
        out += folded(QStringLiteral("N:") + escape(v[Name]) + QStringLiteral(";;;;"));
        out += folded(QStringLiteral("FN:") + escape(v[Name]));
        if (!v[Furigana].isEmpty())
            out += folded(QStringLiteral("X-PHONETIC-LAST-NAME:") + escape(v[Furigana]));
        if (!v[PostalCode].isEmpty() || !v[Address1].isEmpty() || !v[Address2].isEmpty())
            out += folded(QStringLiteral("ADR;TYPE=home:;") + escape(v[Address2]) + QLatin1Char(';')
                          + escape(v[Address1]) + QStringLiteral(";;;") + escape(v[PostalCode])
                          + QLatin1Char(';'));
        if (!v[Phone].isEmpty())
            out += folded(QStringLiteral("TEL;TYPE=home:") + escape(v[Phone]));
        if (!v[CompanyPhone].isEmpty())
            out += folded(QStringLiteral("TEL;TYPE=work:") + escape(v[CompanyPhone]));
        if (!v[Company].isEmpty())
            out += folded(QStringLiteral("ORG:") + escape(v[Company]));
        if (!v[Title].isEmpty())
            out += folded(QStringLiteral("TITLE:") + escape(v[Title]));
        if (!v[Mark].isEmpty())
            out += folded(QStringLiteral("CATEGORIES:") + escape(v[Mark]));
        out += folded(QStringLiteral("END:VCARD"));
    }
    return out;
}

void exportBook(DataModule &dm, const QString &path, ExportFormat format)
{
    // A record another program added since the book was opened would be missing.
    RequireUnchangedBook(dm);
    const QList<FieldValues> records = bookRecords(dm);
    const QByteArray bytes = format == ExportFormat::Csv ? csvBytes(records) : vcardBytes(records);
    TempFile out(Conversion::workFileFor(path, dm.DataFilePath()));
    out.write(bytes);
    out.commitOver(path);
}

ExportTarget exportTarget(const QString &typed, ExportFormat selected)
{
    if (typed.endsWith(QLatin1String(".vcf"), Qt::CaseInsensitive))
        return {typed, ExportFormat::VCard};
    if (typed.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        return {typed, ExportFormat::Csv};
    return {typed + (selected == ExportFormat::VCard ? QLatin1String(".vcf") : QLatin1String(".csv")), selected};
}

} // namespace ExchangeRun
