// SPDX-License-Identifier: LicenseRef-Tavelcor
// Breaking a plot text into lines at its blanks.
#include "main/render/text_layout.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace tavelcor::render {
namespace {

QStringList linesOf(const QString& text)
{
    TextLines lines;
    splitTextLines(text, lines);
    QStringList out;
    for (int k = 0; k < lines.count; ++k)
        out << lines.lines[k].toString();
    return out;
}

TEST(TextLayoutTest, EveryBlankBreaks)
{
    EXPECT_EQ(linesOf("A B  C"), (QStringList{"A", "B", "", "C"}));
    EXPECT_EQ(linesOf(" AB"), (QStringList{"AB"})) << "leading blank only";
    EXPECT_EQ(linesOf("  X Y  "), (QStringList{"X", "Y"}));
    EXPECT_EQ(linesOf("境界 杭"), (QStringList{"境界", "杭"}));
    EXPECT_EQ(linesOf("全角　空白"), (QStringList{"全角　空白"})) << "a full-width blank does not break";
}

TEST(TextLayoutTest, UsesLayoutOnlyWhenSplittingAndABlankExists)
{
    EXPECT_TRUE(usesLineLayout(-1, u"A B"));
    EXPECT_TRUE(usesLineLayout(-1, u" AB"));
    EXPECT_FALSE(usesLineLayout(0, u"A B"));
    EXPECT_FALSE(usesLineLayout(-1, u"AB"));
}

TEST(TextLayoutTest, ManyBlanksKeepTheRemainderInTheLastLine)
{
    QString text;
    for (int i = 0; i < kMaxTextLines + 5; ++i)
        text += QStringLiteral("w ");
    text += QStringLiteral("end");
    TextLines lines;
    splitTextLines(text, lines);
    ASSERT_EQ(lines.count, kMaxTextLines);
    EXPECT_EQ(lines.lines[0].toString(), "w");
    EXPECT_TRUE(lines.lines[kMaxTextLines - 1].endsWith(u"end"));
    EXPECT_TRUE(lines.lines[kMaxTextLines - 1].startsWith(u"w w"));
}

TEST(TextLayoutTest, ABlankBeyondTheSearchReachDoesNotBreak)
{
    const QString longWord(kBlankSearchReach + 10, u'x');
    EXPECT_EQ(linesOf("a " + longWord + " b"), (QStringList{"a", longWord + " b"}));
}

TEST(TextLayoutTest, LineShowFlags)
{
    const std::uint8_t flags[4] = {0, 0, 1, 0};
    const LineShowFlags show{flags, 4};
    EXPECT_TRUE(show.shown(1));
    EXPECT_FALSE(show.shown(2));
    EXPECT_TRUE(show.shown(3));
    EXPECT_TRUE(show.shown(9)) << "past the table";
}

}  // namespace
}  // namespace tavelcor::render
