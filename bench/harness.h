#pragma once
// What every benchmark measures with: the wall-clock time of some work, the
// times of repeated work summed up (best, median, 99th percentile, worst),
// the memory of the process (resident now, and its peak), the repetitions
// asked for on the command line, and one report line per figure against its
// target. Benchmarks are run by hand and never in CI.
#include <functional>
#include <vector>

namespace Bench {

struct Figures {
    double best = 0, median = 0, p99 = 0, worst = 0; // seconds
};

// How long `work` takes, in seconds.
double seconds(const std::function<void()> &work);
// The figures of a list of times (seconds); all zero when it is empty.
Figures summarize(std::vector<double> times);
// `work` timed `repetitions` times.
Figures measure(int repetitions, const std::function<void()> &work);
// The repetitions named by the first argument (at least 1), else `fallback`.
int repetitions(int argc, char **argv, int fallback = 9);

// The peak resident memory of the process so far, in kB.
long peakKilobytes();
// The resident memory of the process now, in kB (VmRSS), or -1.
long residentKilobytes();

// Which figure a target judges.
enum class Judged { Median, P99, Worst };
// One line: what was measured, best, median and worst in seconds with
// `decimals` places (and the 99th percentile when judged by it), the target,
// and "ok" or "SLOW".
void report(const char *what, const Figures &f, double target, Judged judged, int decimals);

} // namespace Bench
