#include "harness.h"

#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

namespace Bench {

double seconds(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e9;
}

Figures summarize(std::vector<double> times)
{
    if (times.empty())
        return {};
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2], times[times.size() * 99 / 100], times.back()};
}

Figures measure(int repetitions, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < repetitions; ++i)
        times.push_back(seconds(work));
    return summarize(std::move(times));
}

int repetitions(int argc, char **argv, int fallback)
{
    return argc > 1 ? std::max(1, std::atoi(argv[1])) : fallback;
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

long residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

void report(const char *what, const Figures &f, double target, Judged judged, int decimals)
{
    const double figure = judged == Judged::Median ? f.median : judged == Judged::P99 ? f.p99 : f.worst;
    const char *verdict = figure < target ? "ok" : "SLOW";
    const int t = decimals > 4 ? 3 : 2;
    if (judged == Judged::P99) {
        // Single lookups take microseconds; one in a thousand may be
        // preempted on a busy machine, so they are judged by the 99th
        // percentile and the worst is shown apart.
        std::printf("%-58s best %.*f s  median %.*f s  99%% within %.*f s  (target < %.*f s) %s\n", what,
                    decimals, f.best, decimals, f.median, decimals, f.p99, t, target, verdict);
        std::printf("  worst single lookup %.*f s\n", decimals, f.worst);
        return;
    }
    std::printf("%-58s best %.*f s  median %.*f s  worst %.*f s  (target < %.*f s) %s\n", what, decimals, f.best,
                decimals, f.median, decimals, f.worst, t, target, verdict);
}

} // namespace Bench
