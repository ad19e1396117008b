#pragma once
// Small helpers shared by the benchmarks: a steady stopwatch, medians, and
// one printed line per figure ("bench: <what>: <figure>").

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace platine::bench {

using SteadyClock = std::chrono::steady_clock;

inline double secondsSince(SteadyClock::time_point start)
{
    return std::chrono::duration<double>(SteadyClock::now() - start).count();
}

// Median of the samples (the mean of the two middle ones for an even count).
inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

// Processor time (user + system) of this process, in seconds.
inline double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Runs `body` `runs` times (after one warm-up run) and returns the median
// wall time of one run, in seconds.
template <class F> double medianSeconds(int runs, F &&body)
{
    body();
    std::vector<double> samples;
    samples.reserve(std::size_t(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = SteadyClock::now();
        body();
        samples.push_back(secondsSince(start));
    }
    return median(samples);
}

inline void report(const std::string &what, const std::string &figure)
{
    std::printf("bench: %s: %s\n", what.c_str(), figure.c_str());
    std::fflush(stdout);
}

inline std::string fmt(const char *format, double a, double b = 0, double c = 0, double d = 0)
{
    char text[256];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

} // namespace platine::bench
