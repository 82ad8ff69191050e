// SPDX-License-Identifier: LicenseRef-Tavelcor
// The benchmarks' clock for work measured beside its floor in the same
// iteration.
#pragma once

#include <ctime>

namespace benchsupport {

// CPU time of this thread in milliseconds (user and system): less disturbed
// than the wall clock by other programs running on the machine.
inline double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

}  // namespace benchsupport
