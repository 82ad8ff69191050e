// SPDX-License-Identifier: LicenseRef-Tavelcor
// The colour texts and the text labels of the KML export.
#include "main/export/kml_labels.h"

#include "kml_support.h"
#include "main/site/tables.h"

#include <gtest/gtest.h>

namespace tavelcor {
namespace {

TEST(Colr, GivesTheOpaqueKmlColourOfEachIndex)
{
    const struct {
        int index;
        const char* text;
    } rows[] = {{0, "ff000000"},  {1, "ff000080"},  {2, "ff007d00"},  {3, "ff808000"},  {4, "ff0080ff"},
                {5, ""},          {6, "ff008080"},  {7, "ffc0c0c0"},  {8, "ff4a4a4a"},  {9, "ffff0000"},
                {10, "ff00ff00"}, {11, "ffffff00"}, {12, "ff0000ff"}, {13, "ffff00ff"}, {14, "ff00ffff"},
                {15, "ff000000"}, {16, ""},         {99, ""},         {255, ""},        {-1, ""}};
    for (const auto& row : rows)
        EXPECT_EQ(Colr(row.index), QString::fromLatin1(row.text)) << row.index;
}

class TxtkmlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        allocateTables();
        resetTables();
    }
    static int text(const QString& s)
    {
        TxtString[1] = s;
        TxtCount = 1;
        return 1;
    }
};

TEST_F(TxtkmlTest, JoinsTheShownLinesEachFollowedByABlank)
{
    ASSERT_EQ(TxtSplit, -1);
    const struct {
        const char16_t* text;
        int hiddenLine;  // 0: every line shown
        const char16_t* label;
    } rows[] = {
        {u"A B C", 2, u"A C "},
        {u"A B C", 0, u"A B C "},
        {u"A  B", 0, u"A  B "},      // the empty middle piece keeps its blank
        {u" A ", 0, u"A "},          // trimmed first
        {u"A B C", 1, u"B C "},
        {u"宅地 123.45㎡", 0, u"宅地 123.45㎡ "},
        {u"ABC", 1, u"ABC"},         // no blank: unchanged, whatever is hidden
        {u"　全角", 0, u"　全角"},   // the full-width blank does not split
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(QString::fromUtf16(row.text).toStdString());
        std::fill(TxtLineShow.begin(), TxtLineShow.end(), std::uint8_t{0});
        if (row.hiddenLine > 0)
            TxtLineShow[row.hiddenLine] = 1;
        EXPECT_EQ(Txtkml(text(QString::fromUtf16(row.text))), QString::fromUtf16(row.label));
    }
}

TEST_F(TxtkmlTest, UnsplitTextsComeBackUnchanged)
{
    TxtSplit = 0;
    TxtLineShow[2] = 1;
    EXPECT_EQ(Txtkml(text(QStringLiteral("A B C"))), QStringLiteral("A B C"));
    EXPECT_EQ(Txtkml(text(QStringLiteral(" A "))), QStringLiteral(" A "));
}

TEST_F(TxtkmlTest, EveryLineHiddenGivesAnEmptyLabel)
{
    for (int j = 1; j <= 10; ++j)
        TxtLineShow[j] = 1;
    EXPECT_EQ(Txtkml(text(QStringLiteral("A B"))), QString());
}

// Lines 11 and further are always shown; the 99th piece takes the rest of a
// text with more blanks, and nothing outside the boundary table is touched.
TEST_F(TxtkmlTest, ManyBlanksStopAtTheNinetyNinthPiece)
{
    QStringList words;
    for (int w = 1; w <= 150; ++w)
        words << QString::number(w);
    TxtLineShow[1] = 1;
    const QString label = Txtkml(text(words.join(u' ')));
    QStringList expected = words.mid(1, 97);
    expected << words.mid(98).join(u' ');
    EXPECT_EQ(label, expected.join(u' ') + u' ');
}

// A blank more than 1000 characters after the previous boundary is not
// looked for: the rest is one piece.
TEST_F(TxtkmlTest, ABlankBeyondAThousandCharactersIsNotLookedFor)
{
    const QString longWord(1000, u'x');
    EXPECT_EQ(Txtkml(text(QStringLiteral("A ") + longWord + QStringLiteral(" B"))),
              QStringLiteral("A ") + longWord + QStringLiteral(" B "));
    const QString shorter(999, u'x');
    EXPECT_EQ(Txtkml(text(QStringLiteral("A ") + shorter + QStringLiteral(" B"))),
              QStringLiteral("A ") + shorter + QStringLiteral(" B "));
    TxtLineShow[3] = 1;
    EXPECT_EQ(Txtkml(text(QStringLiteral("A ") + shorter + QStringLiteral(" B"))),
              QStringLiteral("A ") + shorter + u' ');
    EXPECT_EQ(Txtkml(text(QStringLiteral("A ") + longWord + QStringLiteral(" B"))),
              QStringLiteral("A ") + longWord + QStringLiteral(" B "));
}

TEST_F(TxtkmlTest, NumbersOutsideTheTableGiveNothing)
{
    EXPECT_EQ(Txtkml(-1), QString());
    EXPECT_EQ(Txtkml(kTxtTop + 1), QString());
}

}  // namespace
}  // namespace tavelcor
