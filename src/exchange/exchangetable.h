#pragma once
// What an import reads from another program's file before it becomes
// address records: named columns, where each goes, and rows of text.
#include "exchange/columnrole.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// The ten values of one record, index 1 ... 10 in field order (index 0 unused),
// like DataModule::FieldText.
using FieldValues = std::array<QString, 11>;

struct ExchangeTable {
    QStringList columns;     // names shown for the columns
    QList<ColumnRole> roles; // where each column goes unless the user says otherwise
    QList<QStringList> rows; // the data rows (a line of column names excluded)
};
