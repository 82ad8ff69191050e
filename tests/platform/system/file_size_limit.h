// SPDX-License-Identifier: LicenseRef-Tavelcor
// Test helper: a disk that fills up. While the object lives, files this
// process writes cannot grow past the given size: writes beyond it fail
// (EFBIG), as they do on a full disk, instead of raising the signal that
// would end the process. Everything is put back when the object goes.
#pragma once

#include <sys/resource.h>

#include <algorithm>
#include <csignal>

namespace testing_support {

class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes)
    {
        if (getrlimit(RLIMIT_FSIZE, &mOld) != 0)
            return;
        mOldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = mOld;
        limit.rlim_cur = std::min(bytes, mOld.rlim_max);
        mActive = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~ScopedFileSizeLimit()
    {
        if (mActive)
            setrlimit(RLIMIT_FSIZE, &mOld);
        if (mOldHandler != SIG_ERR)
            std::signal(SIGXFSZ, mOldHandler);
    }
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

    /// False when the limit could not be set (the test cannot go on).
    bool isActive() const { return mActive; }

private:
    rlimit mOld{};
    void (*mOldHandler)(int) = SIG_ERR;
    bool mActive = false;
};

}  // namespace testing_support
