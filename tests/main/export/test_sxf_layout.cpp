// SPDX-License-Identifier: LicenseRef-Tavelcor
// The line layout of texts for the SXF export (Txtexserchsxf): the parts
// between half-width blanks, hidden parts, line positions one text height
// apart, and the scratch arrays it fills.
#include "export_fixture.h"

#include "main/export/sxf_file.h"
#include "main/site/tables.h"

namespace tavelcor::exporttest {
namespace {

struct LayoutRow {
    const char* legend;
    QString text;
    int split;               // TxtSplit
    std::vector<int> hidden; // TxtLineShow entries set to 1
    QStringList lines;
};

class SxfLayoutTest : public ExportLogicTest {};

TEST_F(SxfLayoutTest, PartsPositionsAndHiddenParts)
{
    const LayoutRow rows[] = {
        {"three words", "A B C", -1, {}, {"A", "B", "C"}},
        {"second part hidden", "A B C", -1, {2}, {"A", "C"}},
        {"splitting off keeps the blanks", "A B C", 0, {}, {"A B C"}},
        {"no blank", "ABC", -1, {1}, {"ABC"}},
        {"only a leading blank", " AB", -1, {}, {"AB"}},
        {"only a trailing blank, hidden", "AB ", -1, {1}, {}},
        {"two blanks give an empty part", "A  B", -1, {}, {"A", "", "B"}},
        {"a full-width blank does not split", "全角　空白 X", -1, {}, {"全角　空白", "X"}},
        {"parts after the tenth are always shown", "1 2 3 4 5 6 7 8 9 10 11 12", -1, {1, 11, 12},
         {"2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}},
    };
    for (const LayoutRow& row : rows) {
        resetTables();
        TxtSplit = static_cast<std::int16_t>(row.split);
        for (const int k : row.hidden)
            TxtLineShow[k] = 1;
        const int t = addText(row.text, 100.5, 0.0, 0);
        const int n = sxf::Txtexserchsxf(t, QStringLiteral("2000"));
        ASSERT_EQ(n, row.lines.size()) << row.legend;
        for (int k = 1; k <= n; ++k) {
            EXPECT_EQ(TxtLineStr[k], row.lines[k - 1]) << row.legend << " line " << k;
            EXPECT_FLOAT_EQ(TxtLinePos[k], static_cast<float>(100.5 - (k - 1) * 2.0)) << row.legend;
        }
    }
}

TEST_F(SxfLayoutTest, TheHeightTextGivesTheLineSpacing)
{
    const int t = addText(QStringLiteral("A B"), 10.0, 0.0, 0);
    ASSERT_EQ(sxf::Txtexserchsxf(t, QStringLiteral("2500")), 2);
    EXPECT_FLOAT_EQ(TxtLinePos[2], 7.5F);
}

TEST_F(SxfLayoutTest, ARunLongerThanTheSearchReachEndsTheSplit)
{
    const QString longWord(1010, u'x');
    const int t = addText(QStringLiteral("a ") + longWord + QStringLiteral(" b"), 0.0, 0.0, 0);
    ASSERT_EQ(sxf::Txtexserchsxf(t, QStringLiteral("2000")), 2);
    EXPECT_EQ(TxtLineStr[2], longWord + QStringLiteral(" b"));
}

TEST_F(SxfLayoutTest, NoTextNoLine)
{
    EXPECT_EQ(sxf::Txtexserchsxf(0, QStringLiteral("2000")), 0);
    EXPECT_EQ(sxf::Txtexserchsxf(kTxtTop + 1, QStringLiteral("2000")), 0);
}

TEST_F(SxfLayoutTest, MoreLinesThanTheScratchArraysAreCountedWhole)
{
    QStringList words;
    for (int k = 0; k < 700; ++k)
        words << QStringLiteral("w");
    const int t = addText(words.join(u' '), 0.0, 0.0, 0);
    EXPECT_EQ(sxf::Txtexserchsxf(t, QStringLiteral("2000")), 700);
    EXPECT_EQ(TxtLineStr[kTxtLineTop], "w");
}

}  // namespace
}  // namespace tavelcor::exporttest
