#pragma once
// 項目の複製 of the list view: inserts a copy of record CurrentRecord right
// after it. The whole book is written into "asdfghjk.adr" in the data file's
// folder, which then replaces the data file in one step; the data file is open
// again afterwards (also after a failure, when it is unchanged). The copy is
// the new record CurrentRecord + 1: a sender after it moves down by one
// (SenderFollow); a sender that is the copied record stays where it is.
class DataModule;

// Fixed-length book: RecordCount and FileLength follow the new file.
// Throws RunError (also when the book already holds 32767 records).
void DuplicateRecord(DataModule &dm);
// Text book: every line is written with CR LF; RecordCount, LineIndex and
// FileLength follow the new file. Throws RunError (also when the book already
// holds 1027 lines).
void DuplicateLine(DataModule &dm);
