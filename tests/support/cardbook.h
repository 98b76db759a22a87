#pragma once
// Address books for the postcard tests: record n is named "名前n" (n in
// full-width digits) unless told otherwise, with postal code "(100+n)-4567",
// address "東京都港区芝n－１" / "コーポn" and the given mark; and the
// settings of a first run (the factory layout).
#include "support/testenv.h"

#include <QMap>
#include <QStringList>

// Writes "a.kno" with `count` records and opens it.
bool openCardBook(TestEnv &env, int count, const QStringList &marks = {},
                  const QMap<int, QString> &names = {});
// The name of record n in such a book.
QString cardBookName(int n);
void useFactorySettings(TestEnv &env);
