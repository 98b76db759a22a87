#pragma once
// Books and settings for the postcard tests: the factory layout, and a book
// of numbered records whose every card can be told apart.
#include <QString>
#include <QStringList>

class TestEnv;

// The settings of a first run: the factory layout, sender 1, 様, no mark.
void useFactoryLayout(TestEnv &env);
// "a.kno" of `count` records: 名前n (full-width digit), postal code
// 10n-4567 (n = 1 ... 9: 101-4567 ...), address "東京都港区芝n－１",
// the mark of `marks` (blank when missing). Opened as the current book.
bool openCardBook(TestEnv &env, int count, const QStringList &marks = {});
