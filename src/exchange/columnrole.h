#pragma once
// Where one column of another program's table goes in the address record.
//
// Several columns may go to the same field: their values are joined, without
// anything between them, in the order of their rank (姓 before 名, 都道府県
// before 市区町村 before 番地). A fallback column is used only when every
// other column of its field is empty in that row (a full name beside the
// family and given names, a mobile number beside the home number). Columns
// the user gives a field (rank ChosenRank and above) are joined after what
// the recognised columns give.
//
// Columns of one numbered group ("Phone 2 - Value", "Address 1 - City" ...)
// describe one telephone number or one address whose kind ("Home", "Work")
// stands in the group's type column; which group a row uses is decided row by
// row (the assembly below).
#include <QString>

enum class ColumnGroup { None, Phone, Address };

struct ColumnRole {
    static constexpr int ChosenRank = 100;

    int field = 0;        // FieldNo 1 ... 10; 0 未使用
    int rank = 0;         // order of joining within the field
    bool fallback = false;
    ColumnGroup group = ColumnGroup::None;
    int groupNo = 0;      // the number of "Phone 2", "Address 1"
    bool groupType = false; // this column holds the kind of its group

    bool used() const { return field != 0; }
    bool operator==(const ColumnRole &) const = default;

    static ColumnRole to(int field, int rank = 1) { ColumnRole r; r.field = field; r.rank = rank; return r; }
    static ColumnRole fallbackTo(int field, int rank = 1)
    {
        ColumnRole r = to(field, rank);
        r.fallback = true;
        return r;
    }
    static ColumnRole unused() { return ColumnRole(); }
};

// The kind a type column names.
enum class GroupKind { Other, Home, Work, NotUsable };

namespace ColumnRoles {
// "Home", "自宅", "home,voice" → Home; "Work", "勤務先", "会社" → Work; fax,
// pager → NotUsable (never a telephone number of the record); anything
// else, empty included → Other.
GroupKind kindOf(const QString &typeText);
} // namespace ColumnRoles
