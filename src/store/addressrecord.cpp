#include "store/addressrecord.h"

#include "platform/codec.h"

AddressRecord AddressRecord::fromBytes(const QByteArray &bytes)
{
    AddressRecord record;
    const qsizetype n = qMin<qsizetype>(bytes.size(), RecordLayout::Length);
    record.data.replace(qsizetype(0), n, bytes.constData(), n);
    return record;
}

QByteArray AddressRecord::fieldBytes(int field) const
{
    return data.mid(RecordLayout::Offset[field], RecordLayout::Width[field]);
}

QString AddressRecord::fieldText(int field) const
{
    QByteArray bytes = fieldBytes(field);
    qsizetype end = bytes.size();
    while (end > 0 && bytes[end - 1] == ' ')
        --end;
    bytes.truncate(end);
    return Cp932::decode(bytes);
}

void AddressRecord::setField(int field, const QString &text)
{
    setFieldBytes(field, Cp932::encode(text));
}

void AddressRecord::setFieldBytes(int field, const QByteArray &text)
{
    const int width = RecordLayout::Width[field];
    QByteArray bytes = Cp932::cutBytes(text, width);
    bytes.append(QByteArray(width - bytes.size(), ' '));
    data.replace(RecordLayout::Offset[field], width, bytes);
}
