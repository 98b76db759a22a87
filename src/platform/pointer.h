#pragma once
// The mouse pointer during long operations: save it, show the hourglass,
// restore what was saved.
namespace Pointer {
// 0 when the normal pointer shows, otherwise the shape of the current one.
int current();
void showHourglass();
void restore(int saved);

// The hourglass of a long operation, as a scope guard: the pointer showing
// before is kept in `saved` (the shared SavedPointer), the hourglass shows
// while the guard lives, and the kept pointer is back on every way out of
// the operation, an early return or an error included. restore() puts it
// back at once (before the message that ends the operation).
class Hourglass {
public:
    explicit Hourglass(int &saved);
    ~Hourglass();
    Hourglass(const Hourglass &) = delete;
    Hourglass &operator=(const Hourglass &) = delete;
    void restore();

private:
    int &saved;
    bool showing = true;
};
} // namespace Pointer
