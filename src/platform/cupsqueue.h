#pragma once
// Hands a finished print file to a CUPS queue and says whether the queue
// took it. The CUPS library is the one the system's Qt printing already
// loads; it is looked up when first needed, so the program builds and runs
// where there is none (printing then goes to PDF files).
#include <QList>
#include <QPair>
#include <QString>

namespace CupsQueue {

// True when the CUPS library can be used.
bool available();
// Sends `file` to `printer` under `title` with CUPS options (name, value).
// Returns the job number; throws RunError with the queue's reason when the
// job was refused.
int submit(const QString &printer, const QString &file, const QString &title,
           const QList<QPair<QByteArray, QByteArray>> &options);

} // namespace CupsQueue
