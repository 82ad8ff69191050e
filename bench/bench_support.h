// SPDX-License-Identifier: LicenseRef-Tavelcor
// What the benchmarks share: the CPU time of the running thread, the counters
// of a piece of work timed beside its floor, and the full-size site
// (full_size_site.h).
#pragma once

#include "full_size_site.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

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

// The CPU time of this thread so far, split into the time it ran its own
// code (user) and the time the system worked for it (system: page faults,
// reads and writes of files, syncs), in milliseconds. The split comes from
// the system's accounting, which is coarser than threadCpuMs(): sum it over
// many iterations.
struct CpuSplitMs {
    double user = 0.0;
    double system = 0.0;
};

inline CpuSplitMs threadCpuSplitMs()
{
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_usec) / 1e3;
    };
    return {ms(usage.ru_utime), ms(usage.ru_stime)};
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
