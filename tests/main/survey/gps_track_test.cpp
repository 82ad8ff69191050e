// SPDX-License-Identifier: LicenseRef-Tavelcor
// The fix text of the GPS program as the GPS client reads it, and the track
// with its repeat, jump and full-track rules.
#include "main/site/tables.h"
#include "main/survey/gps_track.h"

#include <gtest/gtest.h>

namespace tavelcor {
namespace {

class GpsTrackTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        allocateTables();
        resetTables();
        OriginX = 1000.0;
        OriginY = 2000.0;
    }
};

struct FixRow {
    const char* name;
    const char16_t* text;
    bool isFix;
    double x;
    double y;
};

TEST(GpsFixLine, ReadsXAndTheTwelveCharactersAfterTheFirstComma)
{
    const FixRow rows[] = {
        // As the GPS program writes it: width 11, trimmed, one blank after the comma.
        {"published", u"-38600.075, -6521.191, 45.100, 8 , 12:00:00 ,1", true, -38600.075, -6521.191},
        // A Y field longer than 11 characters is read as far as 12 characters reach.
        {"long Y", u"1.5, 123456789.12345, 7", true, 1.5, 123456789.1},
        {"only X and a comma", u"12.25,", true, 12.25, 0.0},
        {"no numbers", u"abc,def", true, 0.0, 0.0},
        {"blanks before X", u"   7.5,   8.5", true, 7.5, 8.5},
        {"status word", u"未接続", false, 0.0, 0.0},
        {"empty", u"", false, 0.0, 0.0},
    };
    for (const FixRow& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<GpsFix> fix = readGpsFixLine(QString::fromUtf16(row.text));
        ASSERT_EQ(fix.has_value(), row.isFix);
        if (!fix)
            continue;
        EXPECT_DOUBLE_EQ(fix->x, row.x);
        EXPECT_DOUBLE_EQ(fix->y, row.y);
    }
}

TEST(GpsFixLine, StatusWordsCompareExactly)
{
    EXPECT_EQ(gpsStatusWord(u"中断"), GpsStatusWord::Suspended);
    EXPECT_EQ(gpsStatusWord(u"終了"), GpsStatusWord::Ended);
    EXPECT_EQ(gpsStatusWord(u"準備中"), GpsStatusWord::Preparing);
    EXPECT_EQ(gpsStatusWord(u"未接続"), GpsStatusWord::Unconnected);
    EXPECT_EQ(gpsStatusWord(u"未接続 "), GpsStatusWord::Other);
    EXPECT_EQ(gpsStatusWord(u"中断した"), GpsStatusWord::Other);
    EXPECT_EQ(gpsStatusWord(u""), GpsStatusWord::Other);
}

TEST(GpsFixLine, BlinkCountsFourFixLines)
{
    std::int16_t blink = 0;
    std::vector<std::int16_t> seen;
    for (int tick = 0; tick < 9; ++tick)
        seen.push_back(blink = nextGpsBlink(blink));
    EXPECT_EQ(seen, (std::vector<std::int16_t>{1, 2, 3, 0, 1, 2, 3, 0, 1}));
}

TEST(WorkbookSignal, RoundsToTheNearestWholeNumberHalvesToEven)
{
    EXPECT_EQ(workbookSignalValue(u"992"), 992);
    EXPECT_EQ(workbookSignalValue(u"992.4"), 992);
    EXPECT_EQ(workbookSignalValue(u"992.6"), 993);
    EXPECT_EQ(workbookSignalValue(u"992.5"), 992);
    EXPECT_EQ(workbookSignalValue(u"993.5"), 994);
    EXPECT_EQ(workbookSignalValue(u"  993 件"), 993);
    EXPECT_EQ(workbookSignalValue(u"接続不良"), 0);
    EXPECT_EQ(workbookSignalValue(u"1E400"), 0);  // beyond double range reads 0
    EXPECT_EQ(workbookSignalValue(u"9E15"), 2147483647);
}

TEST_F(GpsTrackTest, PositionsAreTheFixMinusTheOriginInSinglePrecision)
{
    EXPECT_EQ(appendGpsFix({1234.567891, 2345.678912}), TrackStep::Stored);
    EXPECT_EQ(GpsCount, 1);
    EXPECT_EQ(GpsX[1], static_cast<float>(1234.567891 - 1000.0));
    EXPECT_EQ(GpsY[1], static_cast<float>(2345.678912 - 2000.0));
}

TEST_F(GpsTrackTest, ARepeatedFixStoresOnePosition)
{
    for (int tick = 0; tick < 5; ++tick)
        appendGpsFix({1500.0, 2500.0});
    EXPECT_EQ(GpsCount, 1);
    // Values that differ only beyond single precision are a repeat too.
    EXPECT_EQ(appendGpsFix({1500.00000001, 2500.0}), TrackStep::Repeat);
    EXPECT_EQ(GpsCount, 1);
}

TEST_F(GpsTrackTest, TheFirstTenPositionsAreKeptWhateverTheirDistance)
{
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(appendGpsFix({1000.0 + (k % 2) * 5000000.0, 2000.0 + k}), TrackStep::Stored) << k;
    EXPECT_EQ(GpsCount, 10);
    // The 11th: more than 1000000 m is dropped, exactly 1000000 m kept.
    const double lastX = GpsX[10] + OriginX;
    const double lastY = GpsY[10] + OriginY;
    EXPECT_EQ(appendGpsFix({lastX + 1000000.5, lastY}), TrackStep::Jump);
    EXPECT_EQ(GpsCount, 10);
    EXPECT_EQ(appendGpsFix({lastX + 1000000.0, lastY}), TrackStep::Stored);
    EXPECT_EQ(GpsCount, 11);
}

TEST_F(GpsTrackTest, AFullTrackRestartsTheCountAndNeverWritesPastItsEnd)
{
    GpsCount = kGpsTrackSize;
    GpsX[1] = 11.0F;
    GpsY[1] = 12.0F;
    GpsX[kGpsTrackSize] = 5.0F;
    GpsY[kGpsTrackSize] = 6.0F;
    EXPECT_EQ(appendGpsFix({1100.0, 2100.0}), TrackStep::Restart);
    EXPECT_EQ(GpsCount, 1);
    EXPECT_EQ(GpsX[1], 11.0F) << "position 1 keeps its old value";
    EXPECT_EQ(appendGpsFix({1100.0, 2100.0}), TrackStep::Stored);
    EXPECT_EQ(GpsCount, 2);
    EXPECT_EQ(GpsX[2], 100.0F);
    EXPECT_EQ(GpsY[2], 100.0F);
    EXPECT_EQ(GpsX[kGpsTrackSize], 5.0F);
}

}  // namespace
}  // namespace tavelcor
