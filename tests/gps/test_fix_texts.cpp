// SPDX-License-Identifier: LicenseRef-Tavelcor
// The texts of a fix: local time, kind of fix, the fix line, log line and
// caption.
#include "gps/fix_texts.h"
#include "platform/text/numbers.h"

#include <gtest/gtest.h>

namespace {

struct TimeCase {
    const char* utc;
    const char* local;
};

const TimeCase kTimes[] = {
    {"145959.00", " 23:59:59"},  // last hour of the day: blank before the hour
    {"150000.00", "0:00:00"},    // from 24 h on: no blank
    {"001530.50", " 9:15:30"},   // fraction of a second dropped
    {"090530", " 18:05:30"},
    {"235959.999", "8:59:59"},
    {"045851.000", " 13:58:51"},
};

TEST(LocalTimeText, IsUtcPlusNineWithoutTheDate)
{
    for (const TimeCase& c : kTimes)
        EXPECT_EQ(orbela::localTimeText(QString::fromLatin1(c.utc)), QString::fromLatin1(c.local)) << c.utc;
}

struct KindCase {
    const char* quality;
    bool glonass;
    bool qzss;
    const char16_t* kind;
};

const KindCase kKinds[] = {
    {"1", false, false, u"単独即位(G)"},
    {"2", true, false, u"DGPS(GG)"},
    {"3", true, true, u"単独即位(GGQ)"},
    {"4", false, true, u"RTK FIX(GQ)"},
    {"5", false, false, u"RTK FLOAT(G)"},
    {"0", false, false, u"0?(G)"},
    {"8", true, false, u"8?(GG)"},
    {"", false, false, u"?(G)"},
};

TEST(FixKind, NamesTheQualityAndMarksTheConstellations)
{
    for (const KindCase& c : kKinds)
        EXPECT_EQ(orbela::fixKind(QString::fromLatin1(c.quality), c.glonass, c.qzss),
                  QString::fromUtf16(c.kind))
            << c.quality << " " << c.glonass << c.qzss;
}

TEST(SatelliteCount, IsAPlainNumber)
{
    EXPECT_EQ(orbela::satelliteCountText(u"08"), QStringLiteral("8"));
    EXPECT_EQ(orbela::satelliteCountText(u"12"), QStringLiteral("12"));
    EXPECT_EQ(orbela::satelliteCountText(u""), QStringLiteral("0"));
}

TEST(CoordinateTexts, ThreeDecimalsTrimmed)
{
    const auto t = orbela::coordinateTexts(-123.4564, 234.5675, 45.1229);
    EXPECT_EQ(t.x, QStringLiteral("-123.456"));
    EXPECT_EQ(t.y, QStringLiteral("234.568"));
    EXPECT_EQ(t.h, QStringLiteral("45.123"));
    // A large X keeps all its digits within 11 characters.
    EXPECT_EQ(orbela::coordinateTexts(-999999.9994, 0, 0).x, QStringLiteral("-999999.999"));
}

TEST(GpsFixText, HasTheLayoutTheMainProgramReads)
{
    orbela::NmeaFieldRow f;
    f[7] = QStringLiteral("1");
    f[9] = QStringLiteral("0.9");
    f[11] = QStringLiteral("M");
    f[12] = QStringLiteral("36.7");
    f[13] = QStringLiteral("M");
    const QString text = orbela::GpsFixText({QStringLiteral("-123.456"), QStringLiteral("234.567"),
                                             QStringLiteral("45.123")},
                                            QStringLiteral("8"), QStringLiteral(" 18:05:30"), f);
    EXPECT_EQ(text, QStringLiteral("-123.456, 234.567, 45.123, 8 , 18:05:30 ,1 ,0.9 ,M ,36.7 ,M"));
    // X is the number at the start, Y the number in the twelve characters
    // after the first comma.
    EXPECT_DOUBLE_EQ(platform::Val(text), -123.456);
    EXPECT_DOUBLE_EQ(platform::Val(QStringView(text).mid(text.indexOf(QLatin1Char(',')) + 1, 12)), 234.567);
}

TEST(FixLogLine, ShowsTheFixOnOneLine)
{
    EXPECT_EQ(orbela::fixLogLine({QStringLiteral("1.5"), QStringLiteral("-2.25"), QStringLiteral("3")},
                                 QStringLiteral("8"), QStringLiteral(" 9:05:30"),
                                 QStringLiteral("DGPS(G)")),
              QStringLiteral("X=1.5 Y=-2.25 H=3 衛星=8  9:05:30 DGPS(G)"));
}

TEST(MovingCaption, PutsStepBlanksBeforeNmea)
{
    EXPECT_EQ(orbela::movingCaption(QStringLiteral("衛星8"), 1), QStringLiteral("衛星8 NMEA"));
    EXPECT_EQ(orbela::movingCaption(QStringLiteral("準備中"), 5), QStringLiteral("準備中     NMEA"));
    EXPECT_EQ(orbela::movingCaption(QStringLiteral("通信未定"), 0), QStringLiteral("通信未定NMEA"));
}

}  // namespace
