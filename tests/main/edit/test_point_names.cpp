// SPDX-License-Identifier: LicenseRef-Tavelcor
// The name proposed after a point name, and the candidate list of naming
// series.
#include "main/edit/point_names.h"

#include "main/site/tables.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tavelcor {
namespace {

class PointNameTest : public ::testing::Test {
protected:
    void SetUp() override { resetTables(); }

    /// Entries 1.. of the candidate list up to its first empty entry.
    static std::vector<QString> candidates()
    {
        std::vector<QString> list;
        for (int k = 1; k <= 99 && !NameCandidates[k].isEmpty(); ++k)
            list.push_back(NameCandidates[k]);
        return list;
    }
};

struct NextNameRow {
    const char* given;
    const char* expected;
};

// Hand-worked rows: the trailing half-width digits count up, the prefix and
// the leading zeros stay, and the width stays when the number gains a digit.
const NextNameRow kNextNames[] = {
    {"P5", "P6"},
    {"P09", "P10"},
    {"007", "008"},
    {"0099", "0100"},
    {"0999", "1000"},
    {"00999", "01000"},
    {"交12-3", "交12-4"},
    {"A", "A1"},
    {"Ａ点", "Ａ点1"},
    {"１２", "１２1"},       // full-width digits are no number
    {"P5 ", "P5 1"},        // a trailing blank ends the digit run
    {"", ""},
    {"   ", ""},
    {"9", "10"},
    {"P000", "P001"},       // all zeros: the value 0 counts up to 1
    {"0000000", "000001"},  // at most five leading zeros are kept
    // A run longer than a double holds exactly still counts up by one; the
    // number text is cut after its tenth character.
    {"X12345678901234567", "X1234567890"},
    {"99999999999", "1000000000"},
};

TEST_F(PointNameTest, NextNameTable)
{
    for (const NextNameRow& row : kNextNames) {
        const QString given = QString::fromUtf8(row.given);
        EXPECT_EQ(NextPointName(given), QString::fromUtf8(row.expected)) << row.given;
    }
}

TEST_F(PointNameTest, TheLastCommittedNameSteersOneProposal)
{
    LastCommittedName = QStringLiteral("P7");
    EXPECT_EQ(NextPointName(QStringLiteral("P3")), QStringLiteral("P8"));
    EXPECT_TRUE(LastCommittedName.isEmpty());
    EXPECT_EQ(NextPointName(QStringLiteral("P3")), QStringLiteral("P4"));
}

struct CommittedRow {
    const char* lastCommitted;
    const char* given;
    const char* expected;
};

const CommittedRow kCommitted[] = {
    {"Q7", "P3", "P4"},     // another series
    {"P007", "P003", "P8"}, // the committed series' successor, without zeros
    {"P5", "P8", "P9"},     // the given name is higher
    {"P5", "P5", "P6"},     // equal numbers: the given name's successor
    {"P7", "", ""},         // a blank name gives nothing
};

TEST_F(PointNameTest, ProposalsAgainstTheLastCommittedName)
{
    for (const CommittedRow& row : kCommitted) {
        LastCommittedName = QString::fromUtf8(row.lastCommitted);
        EXPECT_EQ(NextPointName(QString::fromUtf8(row.given)), QString::fromUtf8(row.expected))
            << row.lastCommitted << " / " << row.given;
        EXPECT_TRUE(LastCommittedName.isEmpty()) << "consumed whatever the outcome";
    }
}

TEST_F(PointNameTest, CandidatesKeepOneProposalPerSeries)
{
    AddNameCandidate(QStringLiteral("A1"));
    EXPECT_EQ(candidates(), (std::vector<QString>{QStringLiteral("A2")}));
    AddNameCandidate(QStringLiteral("B5"));
    EXPECT_EQ(candidates(), (std::vector<QString>{QStringLiteral("A2"), QStringLiteral("B6")}));
    AddNameCandidate(QStringLiteral("A2"));
    EXPECT_EQ(candidates(), (std::vector<QString>{QStringLiteral("A3"), QStringLiteral("B6")}));
    AddNameCandidate(QStringLiteral("A1"));
    EXPECT_EQ(candidates(),
              (std::vector<QString>{QStringLiteral("A3"), QStringLiteral("B6"), QStringLiteral("A2")}));
}

TEST_F(PointNameTest, AProposalAlreadyListedAndABlankNameChangeNothing)
{
    AddNameCandidate(QStringLiteral("A1"));
    AddNameCandidate(QStringLiteral("A1"));
    AddNameCandidate(QStringLiteral("  "));
    EXPECT_EQ(candidates(), (std::vector<QString>{QStringLiteral("A2")}));
}

TEST_F(PointNameTest, AddingConsumesTheLastCommittedName)
{
    LastCommittedName = QStringLiteral("A9");
    AddNameCandidate(QStringLiteral("A1"));
    EXPECT_EQ(candidates(), (std::vector<QString>{QStringLiteral("A10")}));
    EXPECT_TRUE(LastCommittedName.isEmpty());
}

TEST_F(PointNameTest, ANewSeriesInAFullListOverwritesTheFirstEntry)
{
    for (int k = 1; k <= 99; ++k)
        NameCandidates[k] = QStringLiteral("S%1-1").arg(k);
    AddNameCandidate(QStringLiteral("NEW7"));
    EXPECT_EQ(NameCandidates[1], QStringLiteral("NEW8"));
    EXPECT_EQ(NameCandidates[2], QStringLiteral("S2-1"));
    EXPECT_EQ(NameCandidates[99], QStringLiteral("S99-1"));
    EXPECT_TRUE(NameCandidates[100].isEmpty()) << "entry 100 is never used";
}

TEST_F(PointNameTest, AUsedCandidateInAFullListAdvancesInPlace)
{
    for (int k = 1; k <= 99; ++k)
        NameCandidates[k] = QStringLiteral("S%1-1").arg(k);
    AddNameCandidate(QStringLiteral("S50-1"));
    EXPECT_EQ(NameCandidates[50], QStringLiteral("S50-2"));
    EXPECT_EQ(NameCandidates[1], QStringLiteral("S1-1"));
}

}  // namespace
}  // namespace tavelcor
