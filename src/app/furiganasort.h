#pragma once
// 並び換え without a window: puts the open book in the order of its readings
// (ﾌﾘｶﾞﾅ), for both data formats.
//
// The order is the one the exchange selection has always given: for every
// position from the first to the last but one, the record there is compared
// with every later record and exchanged with each one whose reading is
// strictly smaller, the smaller reading becoming the one compared with. It is
// not stable: records with equal readings end where that procedure puts them,
// and the result here is the same record for record.
//
// The book is read once, the readings are ranked in memory, the order is found
// from the ranks, and the new book is written once through "Temp.adr", which is
// then renamed over the data file in one step. Fixed-length books of any size
// up to 32767 records are sorted.
#include <QString>
#include <functional>
#include <vector>

class DataModule;
class QByteArray;

namespace FuriganaSort {

// The key of a fixed-length record: its ﾌﾘｶﾞﾅ field as stored, blank-filled
// to 16 characters (the trailing blanks take part in the comparison).
QString fixedKey(const QByteArray &record);

// Ranks of the keys: equal keys share a rank, and a smaller rank means a key
// that is smaller by the code values of its characters (the first difference
// decides, a key that begins another is the smaller).
std::vector<int> rankKeys(const std::vector<QString> &keys);

// The result of the exchange selection on ranks, found without running it
// (the procedure itself exchanges about n * n / 4 times on a random book).
// Entry j is the 0-based index (in the original book) of the record that ends
// at position j. `pass` is called as records are placed, with the number of
// positions settled so far (at most n - 1, the procedure's number of passes).
std::vector<int> exchangeOrder(const std::vector<int> &ranks,
                               const std::function<void(int)> &pass = {});

} // namespace FuriganaSort

// Sorts the open data file (DataFormat, CurrentFileName, RecordCount,
// LineIndex of dm) and reopens it; LineIndex is rebuilt for a text book.
// CurrentRecord keeps its value; the sender's number follows its record to
// its new place (SenderFollow). `pass` reports progress as in exchangeOrder.
// Throws RunError; the data file is then as it was and open again.
void SortBook(DataModule &dm, const std::function<void(int)> &pass = {});
