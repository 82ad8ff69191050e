// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "gps/track.h"

#include <cmath>

namespace orbela {

Track::Track()
    : mX(kCapacity + 1, 0.0), mY(kCapacity + 1, 0.0), mH(kCapacity + 1, 0.0f),
      mTime(kCapacity + 1)
{
}

Track::Added Track::add(double x, double y, float h, const QString& time)
{
    ++mCount;
    if (mCount > kCapacity)
        mCount = 1;
    mX[mCount] = x;
    mY[mCount] = y;
    mH[mCount] = h;
    mTime[mCount] = time;
    if (mCount <= 1)
        return Added::Kept;
    const double dx = x - mX[mCount - 1];
    const double dy = y - mY[mCount - 1];
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d < kMinStep || d > kMaxStep) {
        --mCount;
        return Added::Dropped;
    }
    return mCount % kFileEvery == 0 ? Added::KeptWriteFile : Added::Kept;
}

void LogBox::append(const QString& line)
{
    ++mLogLine;
    if (mLogLine > kLines - 1) {
        for (int i = 1; i < kLines; ++i)
            mLines[i - 1] = mLines[i];
        mLogLine = kLines - 1;
    }
    mLines[mLogLine] = line;
}

void LogBox::setLine(int index, const QString& text)
{
    if (index >= 0 && index < kLines)
        mLines[index] = text;
}

}  // namespace orbela
