// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/last_names.h"

#include "main/site/tables.h"
#include "platform/text/numbers.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace tavelcor {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Blocks of 1000 numbers: block k holds the highest number of 1000k to
// 1000k + 999 seen; entry 100 stays 0 and is only read as block 99's next.
constexpr int kBlocks = 100;
constexpr double kBlockedBelow = 100000.0;
using Blocks = std::array<std::int32_t, kBlocks + 1>;

// The leading number of a text as a kept 32-bit whole number, nullopt when
// it does not fit.
std::optional<std::int32_t> kept(double value)
{
    return platform::toLongChecked(value);
}

void enterInBlock(Blocks& blocks, double v)
{
    if (v < 0.0 || v >= kBlockedBelow)
        return;
    const auto k = static_cast<std::size_t>(v / 1000.0);
    if (v > blocks[k])
        blocks[k] = platform::CLng(v);
}

// The highest number of one pattern and the point that holds it.
struct Best {
    std::int32_t value = 0;
    int point = 0;
};

// "At least the maximum": ties go to the later point.
void takeIfAtLeast(Best& best, double v, int i)
{
    const std::optional<std::int32_t> n = kept(v);
    if (n && v >= best.value)
        best = {*n, i};
}

// A leading "-" removed from a name of the table, with its notice.  The
// table is written only when the name changes.
template <class Table>
void dropLeadingMinus(Table& names, int i, int keep, const QString& which, const SurveyNotice& notice)
{
    if (!std::as_const(names)[i].startsWith(u'-'))
        return;
    QString& name = names[i];
    name = name.mid(1, keep);
    if (notice)
        notice(QStringLiteral("ポイント名称") + which + QStringLiteral(" -") + name
               + QStringLiteral(" の先頭マイナスを消しました"));
}

// Steps 3 to 5: leading numbers of the first names with their blocks, and
// the number after the first "-".
void firstNameLines(QString& report, const std::vector<bool>& part, const SurveyNotice& notice)
{
    Blocks blocks{};
    Best lead;
    Best afterMinus;
    for (int i = 1; i < static_cast<int>(part.size()); ++i) {
        if (!part[static_cast<std::size_t>(i)])
            continue;
        dropLeadingMinus(PointName, i, 20, QStringLiteral("１"), notice);
        const QString& name = std::as_const(PointName)[i];
        const double v = platform::Val(name);
        enterInBlock(blocks, v);
        takeIfAtLeast(lead, v, i);
        const qsizetype minus = name.indexOf(u'-');
        if (minus >= 0) {
            const double w = platform::Val(name.mid(minus + 1, 10));
            const std::optional<std::int32_t> n = kept(w);
            // Strictly higher: ties go to the earlier point.
            if (n && w > afterMinus.value)
                afterMinus = {*n, i};
        }
    }
    if (lead.point > 0) {
        report += QStringLiteral("先頭数字　最大＝") + std::as_const(PointName)[lead.point] + kCrLf;
        for (int k = 0; k < kBlocks; ++k) {
            const QString entry = QString::number(blocks[static_cast<std::size_t>(k)]);
            const bool full = entry.endsWith(QStringLiteral("999"));
            // A full block is listed only when the next one is empty.
            if ((blocks[static_cast<std::size_t>(k)] > 0 && !full)
                || (full && blocks[static_cast<std::size_t>(k) + 1] == 0))
                report += entry + kCrLf;
        }
    }
    if (afterMinus.point > 0)
        report += QStringLiteral("マイナス以下数字　") + std::as_const(PointName)[afterMinus.point] + kCrLf;
}

// Step 6: the series of names that begin or end with a letter or digits.
enum Series : std::size_t { LetterMinus, LetterLead, LetterTail, Letter3, Letter5, DigitMinus, TwoDigits, SeriesCount };

constexpr int kLetters = 26;
constexpr int kDigits = 10;
constexpr int kTwoDigitFirst = 11;
constexpr int kTwoDigitLast = 99;

struct SeriesTable {
    std::array<std::array<Best, kLetters>, 5> letters;  // LetterMinus .. Letter5
    std::array<Best, kDigits> digitMinus;
    std::array<Best, kTwoDigitLast - kTwoDigitFirst + 1> twoDigits;
};

int letterIndex(QChar c)
{
    return c >= u'A' && c <= u'Z' ? c.unicode() - u'A' : -1;
}

int digitValue(QChar c)
{
    return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1;
}

void enterInSeries(SeriesTable& t, const QString& name, int i)
{
    if (name.isEmpty())
        return;
    const int lead = letterIndex(name.front());
    if (lead >= 0) {
        auto& row = t.letters;
        const auto at = static_cast<std::size_t>(lead);
        if (name.size() >= 2 && name[1] == u'-')
            takeIfAtLeast(row[LetterMinus][at], platform::Val(name.mid(2, 3)), i);
        QString crossed = name;
        crossed.replace(u'交', QStringLiteral("999"));
        takeIfAtLeast(row[LetterLead][at], platform::Val(crossed.mid(1, 3)), i);
        takeIfAtLeast(row[Letter3][at], platform::Val(name.mid(2, 3)), i);
        takeIfAtLeast(row[Letter5][at], platform::Val(name.mid(4, 3)), i);
    }
    const int tail = letterIndex(name.back());
    if (tail >= 0)
        takeIfAtLeast(t.letters[LetterTail][static_cast<std::size_t>(tail)], platform::Val(name), i);
    const int d0 = digitValue(name.front());
    if (d0 >= 0 && name.size() >= 2 && name[1] == u'-')
        takeIfAtLeast(t.digitMinus[static_cast<std::size_t>(d0)], platform::Val(name.mid(2, 3)), i);
    const int d1 = name.size() >= 3 ? digitValue(name[1]) : -1;
    const int two = d0 * 10 + d1;
    if (d0 >= 1 && d1 >= 0 && two >= kTwoDigitFirst && name[2] == u'-')
        takeIfAtLeast(t.twoDigits[static_cast<std::size_t>(two - kTwoDigitFirst)], platform::Val(name.mid(3, 10)), i);
}

void seriesLine(QString& report, const Best& best, const QString& label)
{
    if (best.point > 0)
        report += label + std::as_const(PointName)[best.point] + kCrLf;
}

void seriesLines(QString& report, const std::vector<bool>& part)
{
    SeriesTable t;
    for (int i = 1; i < static_cast<int>(part.size()); ++i)
        if (part[static_cast<std::size_t>(i)])
            enterInSeries(t, std::as_const(PointName)[i], i);
    const struct {
        Series series;
        const char16_t* before;
        const char16_t* after;
    } letterLabels[] = {{LetterMinus, u"先頭（", u"-）　"}, {LetterLead, u"先頭（", u"）　"},
                        {LetterTail, u"末尾（", u"）　"},  {Letter3, u"３文字目以降（", u"）　"},
                        {Letter5, u"５文字目以降（", u"）　"}};
    for (const auto& l : letterLabels)
        for (int k = 0; k < kLetters; ++k)
            seriesLine(report, t.letters[l.series][static_cast<std::size_t>(k)],
                       QString::fromUtf16(l.before) + QChar(u'A' + k) + QString::fromUtf16(l.after));
    for (int k = 0; k < kDigits; ++k)
        seriesLine(report, t.digitMinus[static_cast<std::size_t>(k)],
                   QStringLiteral("先頭（") + QString::number(k) + QStringLiteral("-）　"));
    for (int k = kTwoDigitFirst; k <= kTwoDigitLast; ++k)
        seriesLine(report, t.twoDigits[static_cast<std::size_t>(k - kTwoDigitFirst)],
                   QStringLiteral("先頭（") + QString::number(k) + QStringLiteral("）　"));
}

// Steps 7 and 8: the second names.
void secondNameLines(QString& report, const std::vector<bool>& part, const SurveyNotice& notice)
{
    Blocks blocks{};
    Best highest;
    for (int i = 1; i < static_cast<int>(part.size()); ++i) {
        if (!part[static_cast<std::size_t>(i)])
            continue;
        dropLeadingMinus(PointName2, i, 10, QStringLiteral("２"), notice);
        const double v = platform::Val(std::as_const(PointName2)[i]);
        enterInBlock(blocks, v);
        const std::optional<std::int32_t> n = kept(v);
        // Strictly higher: ties go to the earlier point.
        if (n && v > highest.value)
            highest = {*n, i};
    }
    if (highest.point == 0)
        return;
    report += QStringLiteral("第２名称　最大＝") + std::as_const(PointName2)[highest.point] + kCrLf;
    // Unlike the first names, a block whose highest number ends in 99 is
    // never listed.
    for (int k = 0; k < kBlocks; ++k) {
        const std::int32_t entry = blocks[static_cast<std::size_t>(k)];
        const QString text = QString::number(entry);
        if (entry > 0 && !text.endsWith(QStringLiteral("99")))
            report += text + kCrLf;
    }
}

}  // namespace

QString lastNamesReport(const PointTakesPart& takesPart, const SurveyNotice& notice)
{
    if (PointCount <= 0)
        return QStringLiteral("ポイント未登録です");
    const int last = std::min<int>(PointCount, kPointTop);
    // Whether a point takes part does not hang on its names: asked once.
    std::vector<bool> part(static_cast<std::size_t>(last) + 1, false);
    for (int i = 1; i <= last; ++i)
        part[static_cast<std::size_t>(i)] = takesPart && takesPart(i);
    QString report;
    firstNameLines(report, part, notice);
    seriesLines(report, part);
    secondNameLines(report, part, notice);
    return report + kCrLf + QStringLiteral("終了しました");
}

QString namesContaining(const QString& text)
{
    QString list;
    const int last = std::clamp<int>(PointCount, 0, kPointTop);
    int found = 0;
    for (int i = 1; i <= last; ++i) {
        const QString& name = std::as_const(PointName)[i];
        if (std::as_const(PointMark)[i] >= 100 || !name.contains(text))
            continue;
        list += name + kCrLf;
        if (++found > kExtractListLimit) {
            list += QStringLiteral("候補が多すぎます") + kCrLf + QStringLiteral("検索を中止しました");
            break;
        }
    }
    return list;
}

}  // namespace tavelcor
