#pragma once
// The sender of the postcards is one record of the open book, kept by its
// number (Settings.SenderNumber, 差出名番号, 0 = no sender). Whatever gives the
// book's records new numbers reports here how they moved, so that the number
// goes on naming the sender's own record; otherwise the next 全印刷 would
// print every card with whoever now stands at that number as the sender.
//
// - The sort: the number becomes the record's new place.
// - A deletion before the sender lowers it by one; one after it changes
//   nothing; deleting the sender's own record makes it 0 (no sender), and the
//   user is told so once, the next time the print dialog opens
//   (SenderDeletedNotice). The flag waits in kanote.conf (ProgramSettings), so
//   a program ended before that still tells it at the next start; KANOTE.DAT
//   keeps its bytes as they always were.
// - An insertion at or before the sender raises it by one.
// A number that names no record of the book (0, or beyond its last record,
// as another book may leave it) is left as it is: it follows no record.
// Appending after the last record moves no number and needs no report.
#include <QString>
#include <functional>
#include <vector>

class DataModule;

namespace SenderFollow {

// The one rule every report goes through: `newNumberOf(old)` is the record's
// number after the change, 0 when it was removed; `oldCount` the number of
// records before it.
void renumber(DataModule &dm, int oldCount, const std::function<int(int)> &newNumberOf);

// Record `deleted` of `oldCount` records was removed.
void afterDeletion(DataModule &dm, int deleted, int oldCount);
// A record was inserted as number `inserted`; the records from there on
// moved down by one.
void afterInsertion(DataModule &dm, int inserted, int oldCount);
// The book was rewritten in a new order: entry j is the 0-based place, in
// the old book, of the record that now is number j + 1.
void afterOrder(DataModule &dm, const std::vector<int> &order);

// The message the print dialog shows when it opens after the sender's record
// was deleted, then forgets the deletion; empty when there is nothing to say.
QString takeDeletedNotice(DataModule &dm);

} // namespace SenderFollow
