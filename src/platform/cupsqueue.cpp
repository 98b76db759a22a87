#include "platform/cupsqueue.h"

#include "platform/runerror.h"

#include <QFile>
#include <QLibrary>
#include <vector>

namespace {

// The two entry points used, as the CUPS library declares them.
struct CupsOption {
    char *name;
    char *value;
};
using PrintFileFn = int (*)(const char *, const char *, const char *, int, CupsOption *);
using LastErrorFn = const char *(*)();

struct CupsLibrary {
    PrintFileFn printFile = nullptr;
    LastErrorFn lastError = nullptr;

    CupsLibrary()
    {
        QLibrary library(QStringLiteral("cups"), 2);
        if (!library.load())
            return;
        printFile = reinterpret_cast<PrintFileFn>(library.resolve("cupsPrintFile"));
        lastError = reinterpret_cast<LastErrorFn>(library.resolve("cupsLastErrorString"));
    }
};

const CupsLibrary &cups()
{
    static const CupsLibrary library;
    return library;
}

} // namespace

namespace CupsQueue {

bool available()
{
    return cups().printFile != nullptr;
}

int submit(const QString &printer, const QString &file, const QString &title,
           const QList<QPair<QByteArray, QByteArray>> &options)
{
    if (!available())
        throw RunError(QStringLiteral("プリンタ %1 に送れません。(CUPS が使えません)").arg(printer));
    std::vector<CupsOption> raw;
    for (const auto &option : options)
        raw.push_back({const_cast<char *>(option.first.constData()),
                       const_cast<char *>(option.second.constData())});
    // A printer instance ("queue/instance") prints through its queue.
    const QByteArray queue = printer.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const int job = cups().printFile(queue.constData(), QFile::encodeName(file).constData(),
                                     title.toUtf8().constData(), int(raw.size()),
                                     raw.empty() ? nullptr : raw.data());
    if (job <= 0) {
        const QString reason = cups().lastError ? QString::fromUtf8(cups().lastError()) : QString();
        throw RunError(QStringLiteral("プリンタ %1 が印刷を受け付けませんでした。(%2)").arg(printer, reason));
    }
    return job;
}

} // namespace CupsQueue
