// SPDX-License-Identifier: LicenseRef-Tavelcor
// What the benchmarks share: the CPU time of the running thread, the counters
// of a piece of work timed beside its floor, and the full-size site
// (full_size_site.h).
#pragma once

#include "full_size_site.h"

#include <benchmark/benchmark.h>

#include <ctime>

namespace tavelcor::benchsupport {

// CPU time of this thread in milliseconds (user and system): less disturbed
// than the wall clock by other programs running on the machine.
inline double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// The CPU time work() takes, in milliseconds.
template <typename Work>
double timedMs(Work work)
{
    const double start = threadCpuMs();
    work();
    return threadCpuMs() - start;
}

// Counters of work timed beside its floor in the same iterations: the mean
// times of both per iteration and their ratio.
inline void setRatioCounters(benchmark::State& state, double workMs, double floorMs, const char* floorName)
{
    const double n = static_cast<double>(state.iterations());
    state.counters["work_ms"] = workMs / n;
    state.counters[floorName] = floorMs / n;
    state.counters["ratio"] = floorMs > 0 ? workMs / floorMs : 0.0;
}

}  // namespace tavelcor::benchsupport
