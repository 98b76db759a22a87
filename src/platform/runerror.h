#pragma once
// A run-time error: an unexpected failure (a file that cannot be written,
// renamed or read, a book too large for its index). The handler that traps it
// shows its description through ErrReport with its own name.
#include <QString>
#include <stdexcept>

class RunError : public std::runtime_error {
public:
    explicit RunError(const QString &description)
        : std::runtime_error(description.toStdString()), text(description) {}
    QString description() const { return text; }

private:
    QString text;
};
