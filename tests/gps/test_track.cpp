// SPDX-License-Identifier: LicenseRef-Tavelcor
// The kept track and the ten-line log.
#include "gps/track.h"

#include <gtest/gtest.h>

namespace {

using orbela::Track;

struct StepCase {
    const char* legend;
    double dx;  // metres from the kept point
    double dy;
    Track::Added added;
};

const StepCase kSteps[] = {
    {"5 mm: standing still", 0.003, 0.004, Track::Added::Dropped},
    {"exactly 1 cm is kept", 0.01, 0.0, Track::Added::Kept},
    {"a metre", 0.6, 0.8, Track::Added::Kept},
    {"exactly 10 km is kept", 6000.0, 8000.0, Track::Added::Kept},
    {"12 km: a jump", 12000.0, 0.0, Track::Added::Dropped},
};

TEST(Track, KeepsOnlyPlausibleSteps)
{
    for (const StepCase& c : kSteps) {
        Track track;
        ASSERT_EQ(track.add(100, 200, 3.5f, QStringLiteral(" 9:00:00")), Track::Added::Kept);
        EXPECT_EQ(track.add(100 + c.dx, 200 + c.dy, 3.5f, QStringLiteral(" 9:00:01")), c.added) << c.legend;
        EXPECT_EQ(track.TrackCount(), c.added == Track::Added::Dropped ? 1 : 2) << c.legend;
        EXPECT_DOUBLE_EQ(track.TrackX(1), 100) << c.legend;
    }
}

TEST(Track, TheFirstPointIsAlwaysKept)
{
    Track track;
    EXPECT_EQ(track.add(0, 0, 0, QString()), Track::Added::Kept) << "even at the origin of element 0";
    EXPECT_EQ(track.TrackCount(), 1);
    EXPECT_DOUBLE_EQ(track.TrackX(0), 0);
}

TEST(Track, EveryThousandthPointAsksForTheFile)
{
    Track track;
    for (int i = 1; i <= 2000; ++i) {
        const Track::Added added = track.add(i, 0, 0, QStringLiteral("t"));
        EXPECT_EQ(added, i % 1000 == 0 ? Track::Added::KeptWriteFile : Track::Added::Kept) << i;
    }
    EXPECT_EQ(track.TrackCount(), 2000);
}

TEST(Track, Point32001IsStoredAsPoint1)
{
    Track track;
    for (int i = 1; i <= Track::kCapacity; ++i)
        track.add(i, 0, static_cast<float>(i), QString::number(i));
    ASSERT_EQ(track.TrackCount(), 32000);
    EXPECT_EQ(track.add(32001, 0, 1.0f, QStringLiteral("new")), Track::Added::Kept);
    EXPECT_EQ(track.TrackCount(), 1);
    EXPECT_DOUBLE_EQ(track.TrackX(1), 32001);
    EXPECT_EQ(track.TrackTime(1), QStringLiteral("new"));
    EXPECT_EQ(track.add(32002, 0, 1.0f, QStringLiteral("next")), Track::Added::Kept);
    EXPECT_EQ(track.TrackCount(), 2);
}

TEST(LogBox, TenLinesFillTheBoxesAndTheEleventhScrolls)
{
    orbela::LogBox log;
    EXPECT_EQ(log.LogLine(), -1);
    for (int i = 0; i < 10; ++i)
        log.append(QString::number(i));
    EXPECT_EQ(log.LogLine(), 9);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(log.lines()[i], QString::number(i));
    log.append(QStringLiteral("10"));
    EXPECT_EQ(log.LogLine(), 9);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(log.lines()[i], QString::number(i + 1));
}

TEST(LogBox, SetLineWritesOneBoxAndIgnoresOthers)
{
    orbela::LogBox log;
    log.append(QStringLiteral("fix"));
    log.setLine(0, QStringLiteral("エクセルへのリンクに失敗しました"));
    log.setLine(10, QStringLiteral("outside"));
    log.setLine(-1, QStringLiteral("outside"));
    EXPECT_EQ(log.lines()[0], QStringLiteral("エクセルへのリンクに失敗しました"));
    EXPECT_EQ(log.LogLine(), 0);
}

}  // namespace
