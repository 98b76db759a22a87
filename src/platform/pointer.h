#pragma once
// The mouse pointer during long operations: save it, show the hourglass,
// restore what was saved.
namespace Pointer {
// 0 when the normal pointer shows, otherwise the shape of the current one.
int current();
void showHourglass();
void restore(int saved);
} // namespace Pointer
