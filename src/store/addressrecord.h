#pragma once
// One address: ten fields of CP932 text, 239 bytes in a "*.kno" file, each
// field left-aligned and blank-filled to its width, with nothing in between.
#include <QByteArray>
#include <QString>
#include <array>

enum FieldNo {
    Name = 1, Furigana, PostalCode, Address1, Address2,
    Phone, Company, Title, CompanyPhone, Mark
};

namespace RecordLayout {
constexpr int Length = 239;
constexpr int FieldCount = 10;
// Index 1 ... 10 in field order; index 0 is not used.
constexpr std::array<int, 11> Width = {0, 30, 16, 8, 40, 40, 12, 40, 40, 12, 1};
constexpr std::array<int, 11> Offset = {0, 0, 30, 46, 54, 94, 134, 146, 186, 226, 238};
} // namespace RecordLayout

class AddressRecord {
public:
    AddressRecord() { clear(); }
    // Exactly 239 bytes: a short read (the truncated end of a file) is
    // blank-filled, anything longer is ignored.
    static AddressRecord fromBytes(const QByteArray &bytes);

    void clear() { data = QByteArray(RecordLayout::Length, ' '); }
    const QByteArray &bytes() const { return data; }

    // The field's bytes, with their trailing blanks.
    QByteArray fieldBytes(int field) const;
    // The field as text, trailing blanks removed.
    QString fieldText(int field) const;
    // Stores the text cut to the field's width (never half of a double-byte
    // character) and blank-filled.
    void setField(int field, const QString &text);
    // Stores the bytes the same way: cut to the field's width (never half of
    // a double-byte character) and blank-filled.
    void setFieldBytes(int field, const QByteArray &bytes);

private:
    QByteArray data;
};
