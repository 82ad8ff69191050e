// SPDX-License-Identifier: LicenseRef-Tavelcor
// Sentence names, the checksum and the GGA fields.
#include "gps/nmea.h"
#include "nmea_helpers.h"

#include <gtest/gtest.h>

namespace {

using orbela::SentenceTag;

TEST(NmeaNames, TheTalkerIsGp)
{
    EXPECT_EQ(orbela::sentenceName(SentenceTag::GGA), QByteArray("$GPGGA"));
    EXPECT_EQ(orbela::sentenceName(SentenceTag::RMC), QByteArray("$GPRMC"));
    EXPECT_EQ(orbela::sentenceName(SentenceTag::GSA), QByteArray("$GPGSA"));
}

TEST(NmeaNames, FindsOnlyTheGpTalker)
{
    const QByteArray buffer = "$GNGGA,1,2*00\r\n$GPRMC,1*00\r\n$GPGGA,3,4*00\r\n";
    EXPECT_EQ(orbela::findSentence(buffer, SentenceTag::GGA), buffer.indexOf("$GPGGA"));
    EXPECT_EQ(orbela::findSentence(buffer, SentenceTag::GSA), -1);
    EXPECT_EQ(orbela::findSentence("$GNGGA,1*00", SentenceTag::GGA), -1);
}

TEST(NmeaFields, CountsToTheEndOfTheSentence)
{
    const QByteArray buffer = "$GPRMC,a,b,c*00\r\n$GPGGA,1";
    EXPECT_EQ(orbela::fieldCount(buffer, 0), 4);
    EXPECT_EQ(orbela::fieldCount(buffer, buffer.indexOf("$GPGGA")), 2);
    EXPECT_EQ(orbela::fieldCount("$GPGSA,A,3$GPGGA,1,2,3", 0), 3) << "a spliced sentence ends at the next $";
}

struct ChecksumCase {
    const char* legend;
    QByteArray sentence;
    bool accepted;
};

// A sentence whose checksum is below 16, worked by hand: the XOR of
// "GPGGA,1,2" is 0x55; ",|" (0x2C, 0x7C) brings it to 0x05.
QByteArray lowChecksumSentence() { return "$GPGGA,1,2,|*05"; }

const ChecksumCase kChecksums[] = {
    {"valid", gpstest::nmea("GPGGA,045851.000,3519.9046,N"), true},
    {"valid, followed by the next sentence", gpstest::nmea("GPGGA,1,2") + "$GPRMC,", true},
    {"below 16 with its leading zero", lowChecksumSentence(), true},
    {"below 16 without the leading zero", "$GPGGA,1,2,|*5\r\n", false},
    {"another valid one", "$GPGGA,1,2,m*14", true},
    {"wrong checksum", "$GPGGA,1,2,m*15", false},
    {"no star (cut by the buffer's end)", "$GPGGA,045851.000,3519.9046,N,13640.26", false},
    {"cut within the checksum", "$GPGGA,1,2,m*1", false},
    {"star right after the name", "$GPGGA*00", false},
    {"no dollar", "GPGGA,1,2,m*14", false},
    {"empty", "", false},
};

TEST(NmeaChecksum, AcceptsOnlyTheExactUpperCaseDigits)
{
    for (const ChecksumCase& c : kChecksums)
        EXPECT_EQ(orbela::checkedBody(c.sentence).has_value(), c.accepted) << c.legend;
}

TEST(NmeaChecksum, LowerCaseDigitsOfALetterAreRefused)
{
    // 0x4B has a letter digit: "4b" must not pass for "4B".
    const QByteArray good = gpstest::nmea("GPGGA,1");
    ASSERT_TRUE(orbela::checkedBody(good));
    const QByteArray lower = good.toLower().replace("$gpgga", "$GPGGA");
    EXPECT_NE(lower, good) << "the checksum of this sentence must hold a letter";
    EXPECT_FALSE(orbela::checkedBody(lower));
}

TEST(NmeaChecksum, BodyIsTheTextBetweenDollarAndStar)
{
    // The body is a view into the sentence, which must outlive it.
    const QByteArray sentence = gpstest::nmea("GPGGA,a,b");
    const auto body = orbela::checkedBody(sentence);
    ASSERT_TRUE(body);
    EXPECT_EQ(body->toByteArray(), QByteArray("GPGGA,a,b"));
    EXPECT_EQ(orbela::nmeaChecksum("GPGGA,1,2,|"), 0x05);
}

TEST(NmeaFields, StoresTrimmedFieldsUpToFourteen)
{
    orbela::NmeaFieldRow row;
    row.fill(QStringLiteral("old"));
    const int stored = orbela::storeFields(
        "GPGGA,045851.000, 3519.9046 ,N,13640.2631,E,1,04,2.2,80.4,M,,,,0000", row);
    EXPECT_EQ(stored, 14);
    EXPECT_EQ(row[1], QStringLiteral("GPGGA"));
    EXPECT_EQ(row[3], QStringLiteral("3519.9046"));
    EXPECT_EQ(row[11], QStringLiteral("M"));
    EXPECT_EQ(row[12], QString());
    EXPECT_EQ(row[14], QString());
    EXPECT_EQ(row[15], QStringLiteral("old")) << "the reference station is not stored";
}

TEST(NmeaFields, AShortSentenceLeavesTheLaterFields)
{
    orbela::NmeaFieldRow row;
    row.fill(QStringLiteral("old"));
    EXPECT_EQ(orbela::storeFields("GPGGA,1,2,3", row), 3) << "text after the last comma is no field";
    EXPECT_EQ(row[3], QStringLiteral("2"));
    EXPECT_EQ(row[4], QStringLiteral("old"));
}

}  // namespace
