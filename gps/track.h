// SPDX-License-Identifier: LicenseRef-Tavelcor
// The track that ORBELA keeps during a run (points 1 to TrackCount; element 0
// stays 0) and the scrolling log of ten received lines.
#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace orbela {

/// The kept track: plane X and Y (metres, double), height (metres, single
/// precision) and local time text of each point.  At most 32000 points: a
/// fix that would be point 32001 is stored as point 1 and counting goes on
/// from there.  The track lives for the whole run.
class Track {
public:
    static constexpr int kCapacity = 32000;
    /// A track file is written at every multiple of this many kept points.
    static constexpr int kFileEvery = 1000;
    /// A fix nearer than this to the last kept point is not kept (metres).
    static constexpr double kMinStep = 0.01;
    /// A fix farther than this from the last kept point is not kept (metres).
    static constexpr double kMaxStep = 10000;

    Track();

    /// What adding a fix did.
    enum class Added {
        Kept,          // the fix is the new last point
        KeptWriteFile, // kept, and the count is a multiple of 1000: write the track file
        Dropped,       // standing still (< 0.01 m) or a jump (> 10 km): not kept
    };

    /// Adds a fix as the next point.  From the second point on, a fix less
    /// than 0.01 m or more than 10000 m from the previous point is dropped.
    Added add(double x, double y, float h, const QString& time);

    int TrackCount() const { return mCount; }
    /// Point i, 0 to 32000 (0 is the unused element).
    double TrackX(int i) const { return mX[i]; }
    double TrackY(int i) const { return mY[i]; }
    float TrackH(int i) const { return mH[i]; }
    const QString& TrackTime(int i) const { return mTime[i]; }

private:
    std::vector<double> mX, mY;
    std::vector<float> mH;
    std::vector<QString> mTime;
    int mCount = 0;
};

/// The ten log boxes `Text8(0)` to `Text8(9)`: each new line goes below the
/// last; once all ten hold a line, the next scrolls them up by one.
class LogBox {
public:
    static constexpr int kLines = 10;

    /// Writes a line into the next box (`LogLine` is raised by 1; above 9 the
    /// boxes 1 to 9 move to 0 to 8 and `LogLine` stays 9).
    void append(const QString& line);
    /// Sets one box directly (the workbook's failure goes to box 0).
    void setLine(int index, const QString& text);

    const std::array<QString, kLines>& lines() const { return mLines; }
    /// Index of the last written box, -1 before the first line.
    int LogLine() const { return mLogLine; }
    /// Back to the start state (at window load): no box written yet.
    void reset() { mLogLine = -1; }

private:
    std::array<QString, kLines> mLines;
    int mLogLine = -1;
};

}  // namespace orbela
