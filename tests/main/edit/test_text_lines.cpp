// SPDX-License-Identifier: LicenseRef-Tavelcor
// Texts split into the editor's lines and joined back, the text panel's
// commit string and the insertion of a phrase at the caret.
#include "main/edit/text_lines.h"

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tavelcor {
namespace {

TEST(TextLines, SplitCollapsesBlanksAndDropsLinesBeyondTen)
{
    const struct {
        const char* name;
        QString text;
        QStringList lines;
    } cases[] = {
        {"doubled blank", QStringLiteral("a b  c"), {"a", "b", "c"}},
        {"no blank", QStringLiteral("abc"), {"abc"}},
        {"empty", QString(), {""}},
        {"outer blanks", QStringLiteral("  a   b "), {"a", "b"}},
        {"twelve lines",
         QStringLiteral("1 2 3 4 5 6 7 8 9 10 11 12"),
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        {"exactly ten", QStringLiteral("1 2 3 4 5 6 7 8 9 10"), {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitEditorLines(c.text), c.lines) << c.name;
}

TEST(TextLines, SplitOfAHugeTextStopsAtTenLines)
{
    // 30000 blanks after the collapsing would need far more split positions
    // than the editor keeps: only ten lines come back.
    QString text;
    for (int k = 0; k < 30000; ++k)
        text += QStringLiteral("x ");
    const QStringList lines = splitEditorLines(text);
    ASSERT_EQ(lines.size(), 10);
    EXPECT_EQ(lines.last(), QStringLiteral("x"));
}

TEST(TextLines, ALineLongerThanTheLookAheadEndsTheSplit)
{
    const QString longWord(1200, QLatin1Char('w'));
    const QStringList lines = splitEditorLines(QStringLiteral("a ") + longWord + QStringLiteral(" b c"));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.at(0), QStringLiteral("a"));
    EXPECT_EQ(lines.at(1), longWord + QStringLiteral(" b c"));
}

TEST(TextLines, JoinDropsBlankBoxesAndKeepsTheSeparator)
{
    const struct {
        const char* name;
        QStringList boxes;
        QString stored;
    } cases[] = {
        {"three lines", {"a", "b", "c"}, QStringLiteral("a b c")},
        {"blank box between", {"a", "", "b"}, QStringLiteral("a b")},
        {"blanks-only box", {"a", "   ", "b"}, QStringLiteral("a b")},
        {"comma", {"x,y"}, QStringLiteral("x_y")},
        {"two lines in one box", {"a b"}, QStringLiteral("a b")},
        {"leading blanks merge", {"a", "  b"}, QStringLiteral("a b")},
        {"leading blank of the first box stays", {" a", "b"}, QStringLiteral(" a b")},
        {"all empty", {"", "", ""}, QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(joinEditorLines(c.boxes), c.stored) << c.name;
    // What is stored opens again as the lines it holds.
    EXPECT_EQ(splitEditorLines(joinEditorLines({"a", "", "b"})), QStringList({"a", "b"}));
}

TEST(TextLines, PanelStringCollapsesBlanksAndReplacesCommas)
{
    EXPECT_EQ(textPanelString(QStringLiteral("a  b   c")), QStringLiteral("a b c"));
    EXPECT_EQ(textPanelString(QStringLiteral("x,y")), QStringLiteral("x_y"));
    EXPECT_EQ(textPanelString(QStringLiteral(" ")), QStringLiteral(" "));
    EXPECT_EQ(textPanelString(QString()), QString());
}

TEST(TextLines, PhraseReplacesTheSelectionOrGoesInAtTheCaret)
{
    const struct {
        const char* name;
        int start, length;
        QString phrase;
        QString result;
    } cases[] = {
        {"caret at 2", 2, 0, QStringLiteral("XY"), QStringLiteral("abXYcd")},
        {"bc selected", 1, 2, QStringLiteral("XY"), QStringLiteral("aXYd")},
        {"all selected", 0, 4, QStringLiteral("XY"), QStringLiteral("XY")},
        {"caret at the start", 0, 0, QStringLiteral("XY"), QStringLiteral("XYabcd")},
        {"empty phrase deletes the selection", 1, 2, QString(), QStringLiteral("ad")},
        {"positions beyond the text", 9, 9, QStringLiteral("XY"), QStringLiteral("abcdXY")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(insertPhrase(QStringLiteral("abcd"), c.start, c.length, c.phrase), c.result) << c.name;
}

}  // namespace
}  // namespace tavelcor
