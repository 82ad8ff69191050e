// SPDX-License-Identifier: LicenseRef-Tavelcor
// The report of the last used point names and the names containing a text,
// over the Point table without any window: every point takes part unless a
// case says otherwise, and the notices are collected.
#include "main/edit/last_names.h"

#include "main/site/tables.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace tavelcor {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kEnd = kCrLf + QStringLiteral("終了しました");

class LastNames : public ::testing::Test {
protected:
    void SetUp() override { resetTables(); }

    static int add(const QString& name, const QString& name2 = QString(), int mark = 1)
    {
        const int i = ++PointCount;
        PointName[i] = name;
        PointName2[i] = name2;
        PointMark[i] = static_cast<std::uint8_t>(mark);
        return i;
    }

    // The report with the points of `hidden` kept out of the survey.
    QString report(const std::set<int>& hidden = {})
    {
        return lastNamesReport([hidden](int i) { return PointMark[i] < 100 && !hidden.contains(i); },
                               [this](const QString& text) { notices.push_back(text); });
    }

    // The report's lines without the closing empty line and "終了しました".
    QStringList lines(const std::set<int>& hidden = {})
    {
        const QString text = report(hidden);
        EXPECT_TRUE(text.endsWith(kEnd)) << text.toStdString();
        QString body = text.left(text.size() - kEnd.size());
        if (body.endsWith(kCrLf))
            body.chop(kCrLf.size());
        return body.isEmpty() ? QStringList() : body.split(kCrLf);
    }

    std::vector<QString> notices;
};

TEST_F(LastNames, NoPointAtAllIsReported)
{
    EXPECT_EQ(report(), QStringLiteral("ポイント未登録です"));
}

TEST_F(LastNames, OneShownPointGivesItsNumberItsBlockAndTheEnd)
{
    add(QStringLiteral("12"));
    EXPECT_EQ(report(), QStringLiteral("先頭数字　最大＝12\r\n12\r\n\r\n終了しました"));
    EXPECT_TRUE(notices.empty());
}

TEST_F(LastNames, AFullBlockIsListedOnlyWhenTheNextBlockIsEmpty)
{
    for (int n = 1; n <= 999; ++n)
        add(QString::number(n));
    EXPECT_EQ(lines(), (QStringList{QStringLiteral("先頭数字　最大＝999"), QStringLiteral("999")}));
    for (int n = 1000; n <= 1005; ++n)
        add(QString::number(n));
    EXPECT_EQ(lines(), (QStringList{QStringLiteral("先頭数字　最大＝1005"), QStringLiteral("1005")}));
}

TEST_F(LastNames, ALeadingMinusIsRemovedFromShownPointsOnly)
{
    const int shown = add(QStringLiteral("-15"), QStringLiteral("-7"));
    const int deleted = add(QStringLiteral("-16"), QString(), 102);
    const int hidden = add(QStringLiteral("-17"));
    const QStringList report = lines({hidden});
    EXPECT_EQ(PointName[shown], QStringLiteral("15"));
    EXPECT_EQ(PointName2[shown], QStringLiteral("7"));
    EXPECT_EQ(PointName[deleted], QStringLiteral("-16"));
    EXPECT_EQ(PointName[hidden], QStringLiteral("-17"));
    EXPECT_EQ(notices, (std::vector<QString>{QStringLiteral("ポイント名称１ -15 の先頭マイナスを消しました"),
                                             QStringLiteral("ポイント名称２ -7 の先頭マイナスを消しました")}));
    EXPECT_EQ(report.front(), QStringLiteral("先頭数字　最大＝15"));
    EXPECT_TRUE(report.contains(QStringLiteral("第２名称　最大＝7")));
}

TEST_F(LastNames, TheRemovalKeepsTwentyAndTenCharacters)
{
    const int i = add(QStringLiteral("-") + QString(25, u'1'), QStringLiteral("-") + QString(15, u'2'));
    report();
    EXPECT_EQ(PointName[i], QString(20, u'1'));
    EXPECT_EQ(PointName2[i], QString(10, u'2'));
}

TEST_F(LastNames, NumbersFromOneHundredThousandOnFillNoBlock)
{
    add(QStringLiteral("250000"));
    add(QStringLiteral("7"));
    EXPECT_EQ(lines(), (QStringList{QStringLiteral("先頭数字　最大＝250000"), QStringLiteral("7")}));
}

// Names of ten or more digits do not fit 32 bits: they take no part in any
// maximum, and the survey goes on past them.
TEST_F(LastNames, NumbersBeyondThirtyTwoBitsTakeNoPartInTheMaxima)
{
    add(QStringLiteral("55"));
    add(QStringLiteral("99999999999"), QStringLiteral("88888888888"));
    add(QStringLiteral("A-") + QStringLiteral("1"), QStringLiteral("3"));
    add(QStringLiteral("12-99999999999"));
    add(QStringLiteral("99999999999A"));
    const QStringList report = lines();
    EXPECT_EQ(report.front(), QStringLiteral("先頭数字　最大＝55"));
    EXPECT_TRUE(report.contains(QStringLiteral("第２名称　最大＝3")));
    EXPECT_TRUE(report.contains(QStringLiteral("マイナス以下数字　A-1"))) << report.join(u'|').toStdString();
    EXPECT_FALSE(report.contains(QStringLiteral("先頭（12）　12-99999999999")));
    EXPECT_FALSE(report.contains(QStringLiteral("末尾（A）　99999999999A")));
}

struct SeriesCase {
    const char* why;
    std::vector<const char16_t*> names;
    std::vector<const char16_t*> present;
    std::vector<const char16_t*> absent;
};

TEST_F(LastNames, SeriesLinesNameTheHighestNumberOfEachPattern)
{
    const std::vector<SeriesCase> cases = {
        {"letter and minus", {u"A-3", u"A-12", u"A-7"}, {u"先頭（A-）　A-12"}, {}},
        {"交 counts as 999", {u"T5", u"T交"}, {u"先頭（T）　T交"}, {u"先頭（T）　T5"}},
        {"ten is no key", {u"10-4"}, {u"マイナス以下数字　10-4"}, {u"先頭（1-）　10-4", u"先頭（10）　10-4"}},
        {"digit and minus", {u"3-5", u"3-40", u"3-7"}, {u"先頭（3-）　3-40"}, {}},
        {"two digits and minus", {u"12-3", u"12-345", u"20-1"}, {u"先頭（12）　12-345", u"先頭（20）　20-1"}, {}},
        {"trailing letter", {u"5B", u"12B", u"7B"}, {u"末尾（B）　12B"}, {}},
        {"third and fifth characters", {u"KA12", u"KA3", u"KAXX77"},
         {u"３文字目以降（K）　KA12", u"５文字目以降（K）　KAXX77"}, {}},
        {"lower-case letters are no keys", {u"a-5", u"b7"}, {}, {u"先頭（a-）　a-5", u"先頭（b）　b7"}},
        {"ties go to the later point", {u"C-5", u"C-05"}, {u"先頭（C-）　C-05"}, {}},
    };
    for (const SeriesCase& c : cases) {
        SCOPED_TRACE(c.why);
        resetTables();
        for (const char16_t* name : c.names)
            add(QString::fromUtf16(name));
        const QStringList report = lines();
        for (const char16_t* line : c.present)
            EXPECT_TRUE(report.contains(QString::fromUtf16(line))) << report.join(u'|').toStdString();
        for (const char16_t* line : c.absent)
            EXPECT_FALSE(report.contains(QString::fromUtf16(line))) << report.join(u'|').toStdString();
    }
}

TEST_F(LastNames, SeriesComeInPatternOrderThenKeyOrder)
{
    add(QStringLiteral("B-2"));
    add(QStringLiteral("A-1"));
    const QStringList report = lines();
    const qsizetype a = report.indexOf(QStringLiteral("先頭（A-）　A-1"));
    const qsizetype b = report.indexOf(QStringLiteral("先頭（B-）　B-2"));
    const qsizetype lead = report.indexOf(QStringLiteral("先頭（A）　A-1"));
    ASSERT_GE(a, 0);
    EXPECT_LT(a, b);
    EXPECT_TRUE(lead < 0 || lead > b) << "pattern 2 after all of pattern 1";
}

TEST_F(LastNames, TheMinusMaximumKeepsTheEarlierPointOnTies)
{
    add(QStringLiteral("X-8"));
    add(QStringLiteral("Y-8"));
    EXPECT_TRUE(lines().contains(QStringLiteral("マイナス以下数字　X-8")));
}

TEST_F(LastNames, SecondNameBlocksEndingInNinetyNineAreNeverListed)
{
    add(QStringLiteral("P"), QStringLiteral("1099"));
    add(QStringLiteral("Q"), QStringLiteral("2500"));
    add(QStringLiteral("R"), QStringLiteral("2500"));
    const QStringList report = lines();
    const qsizetype head = report.indexOf(QStringLiteral("第２名称　最大＝2500"));
    ASSERT_GE(head, 0);
    EXPECT_EQ(report.mid(head), (QStringList{QStringLiteral("第２名称　最大＝2500"), QStringLiteral("2500")}));
}

TEST_F(LastNames, WithNoPointTakingPartOnlyTheEndIsWritten)
{
    add(QStringLiteral("12"));
    add(QStringLiteral("A-3"));
    EXPECT_EQ(report({1, 2}), kEnd);
}

// ---------------------------------------------------------------- 文字で抽出

TEST_F(LastNames, ExtractionListsLiveNamesContainingTheText)
{
    add(QStringLiteral("交1"));
    add(QStringLiteral("X交12"), QString(), 105);
    add(QStringLiteral("交2"));
    add(QStringLiteral("A交1B"), QString(), 0);
    EXPECT_EQ(namesContaining(QStringLiteral("交1")), QStringLiteral("交1\r\nA交1B\r\n"));
}

TEST_F(LastNames, ExtractionStopsAfterTwoHundredAndFiftyOneNames)
{
    for (int n = 1; n <= 300; ++n)
        add(QStringLiteral("K%1").arg(n));
    const QStringList rows = namesContaining(QStringLiteral("K")).split(kCrLf);
    ASSERT_EQ(rows.size(), 253);
    EXPECT_EQ(rows[250], QStringLiteral("K251"));
    EXPECT_EQ(rows[251], QStringLiteral("候補が多すぎます"));
    EXPECT_EQ(rows[252], QStringLiteral("検索を中止しました"));
}

}  // namespace
}  // namespace tavelcor
