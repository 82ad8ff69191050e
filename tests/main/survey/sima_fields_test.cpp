// SPDX-License-Identifier: LicenseRef-Tavelcor
// The field cursor of the redisplay command's SIMA scan against the readers
// it stands in for: platform::nextFieldView for the fields, and
// sitetext::fieldNumber / fieldLong for their numbers. Every text is walked
// by both in step, in several orders of reads, and must give the same
// fields (null or not), the same numbers to the bit and the same end.
#include "main/survey/sima_fields.h"

#include "main/site/site_text.h"
#include "platform/text/fields.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <optional>

namespace tavelcor {
namespace {

enum class Read { Text, Number, Whole };

// The reference: the scan's own field reader and the site files' readers.
struct ReferenceWalk {
    QStringView text;
    qsizetype pos = 1;

    bool atEnd() const { return pos > text.size(); }
    QStringView next() { return platform::nextFieldView(text, pos); }
};

std::string shown(QStringView text)
{
    QString out;
    for (const QChar c : text) {
        if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else
            out += c;
    }
    return out.toStdString();
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Walks text with the cursor and the reference in step, reading with the
// kinds of order in turn, up to the end and three reads past it.
void expectSameWalk(const QString& text, std::initializer_list<Read> order)
{
    constexpr std::int32_t kLo = 1;
    constexpr std::int32_t kHi = 500000;
    simatext::FieldCursor cursor(text);
    ReferenceWalk reference{text};
    int pastTheEnd = 0;
    for (int i = 0; pastTheEnd < 3; ++i) {
        ASSERT_EQ(cursor.atEnd(), reference.atEnd()) << shown(text) << " before read " << i;
        if (reference.atEnd())
            ++pastTheEnd;
        const Read read = order.begin()[i % order.size()];
        const QStringView expected = reference.next();
        const std::string where = shown(text) + " read " + std::to_string(i) + " of \"" + shown(expected) + "\"";
        switch (read) {
        case Read::Text: {
            const QStringView got = cursor.text();
            EXPECT_EQ(got, expected) << where;
            EXPECT_EQ(got.isNull(), expected.isNull()) << where;
            break;
        }
        case Read::Number: {
            const double got = cursor.number();
            const double want = sitetext::fieldNumber(expected);
            EXPECT_TRUE(sameBits(got, want)) << where << ": " << got << " for " << want;
            break;
        }
        case Read::Whole: {
            std::int32_t got = 0;
            const bool taken = cursor.whole(kLo, kHi, got);
            const std::optional<std::int32_t> want = sitetext::fieldLong(expected);
            const bool inRange = want && *want >= kLo && *want <= kHi;
            EXPECT_EQ(taken, inRange) << where;
            if (taken && inRange) {
                EXPECT_EQ(got, *want) << where;
            }
            break;
        }
        }
        EXPECT_EQ(cursor.field(), expected) << where << " (the field read last)";
        EXPECT_EQ(cursor.field().isNull(), expected.isNull()) << where << " (the field read last)";
    }
}

// Texts with the record shapes of a reload and every awkward field: line
// ends CR LF, LF and a lone CR; records cut short; empty fields; the end
// with and without a separator; number forms plain and not; fields that end
// at and across the eight-character blocks the cursor searches.
const char16_t* const kTexts[] = {
    u"",
    u",",
    u"\n",
    u"\r\n",
    u",,",
    u"A01",
    u"A01,",
    u"A01,1",
    u"A01,1,",
    u"Z00,SIMA_RELOAD,\r\nA01,1,P1,100,200,0,\r\nD00,1,LOT1,1,,\r\nB01,1,P1,\r\nB01,9,P9,\r\n",
    u"Z00,SIMA_RELOAD,\nA01,1,P1,100,200,0,\nD00,1,LOT1,1,,\nB01,1,P1,\n",
    u"A01,1,P1,100,200,0,\rA01,2,P2,3,4,0,\r",
    u"A01,12,P,-33987.654,12345.678,0.125,\r\nA01,500000,LONGNAME_LONGER,1.5,2.5,",
    u"A01,2\r\n,P,1,2",
    u"A01, 7 ,P, 1.5 ,  -2 ,",
    u"A01,+7,P,+1.5,-.5,5.,.,-,+,",
    u"A01,0.5,P,1.5e3,&H10,1 2,12a,a12,",
    u"A01,１２,Ｐ,１．５,２,",
    u"A01,123456789012345,P,1234567890123456,12345678901234567890,0.000000000000001,",
    u"A01,1,P,99999999999999999999,1.0000000000000000001,123456789012345.6,",
    u"A01,2147483648,P,-2147483649,9E12,",
    u"A01,1,P,\t1,1\t,",
    u"A01,1,P,12\r,12\n,",
    u"1234567,12345678,123456789,1234567890123456,12345678901234567,",
    u"abcdefg,abcdefgh,abcdefghi,abcdefghijklmnop,abcdefghijklmnopq\nx",
    u"       1,        2,                 3,",
    u"B01,,B01, ,B01,-0,B01,0,B01,500001,B01,500000",
    u"名前が長い画地の名前です,１,2,",
};

TEST(SimaFieldCursor, GivesTheFieldsAndNumbersOfTheScansOwnReaders)
{
    const std::initializer_list<Read> orders[] = {
        {Read::Text},
        {Read::Number},
        {Read::Whole},
        {Read::Text, Read::Whole, Read::Text, Read::Number, Read::Number},
        {Read::Whole, Read::Number, Read::Text},
    };
    for (const char16_t* text : kTexts) {
        for (const auto& order : orders)
            expectSameWalk(QString::fromUtf16(text), order);
    }
}

TEST(SimaFieldCursor, EveryCutOfARecordEndsWhereTheScanEnds)
{
    // Every prefix of two records: the text may end inside any field.
    const QString text = QStringLiteral("A01,123,Name 1,-33987.654,12345.678,0.125,\r\nB01,45,P,\r\n");
    for (qsizetype n = 0; n <= text.size(); ++n) {
        expectSameWalk(text.first(n), {Read::Text, Read::Whole, Read::Text, Read::Number, Read::Number});
        expectSameWalk(text.first(n), {Read::Text});
    }
}

TEST(SimaFieldCursor, ReadsPlainNumbersExactly)
{
    const struct {
        const char16_t* field;
        double value;
    } rows[] = {
        {u"-33987.654", -33987.654}, {u" 12 ", 12.0}, {u".5", 0.5}, {u"5.", 5.0},
        {u"-0", 0.0},                {u"1.234567", 1.234567},       {u"123456789012345", 123456789012345.0},
    };
    for (const auto& row : rows) {
        const QString field = QString::fromUtf16(row.field);  // the text outlives its cursor
        simatext::FieldCursor cursor(field);
        const double value = cursor.number();
        EXPECT_TRUE(sameBits(value, row.value)) << shown(QString::fromUtf16(row.field)) << ": " << value;
        EXPECT_TRUE(cursor.atEnd());
    }
}

}  // namespace
}  // namespace tavelcor
