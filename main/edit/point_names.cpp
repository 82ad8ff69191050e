// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/point_names.h"

#include "main/site/tables.h"
#include "platform/text/strings.h"

#include <utility>

namespace tavelcor {

namespace {

constexpr int kFirstCandidate = 1;
constexpr int kLastCandidate = 99;
constexpr int kNumberTextLength = 10;
constexpr int kMostLeadingZeros = 5;

bool isHalfWidthDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A name cut before its trailing half-width digits.
struct SplitName {
    QString prefix;
    QString digits;  ///< the trailing run, possibly empty
    QString number;  ///< the run's value + 1 as text, at most 10 characters
};

// The decimal text of the digit run's value plus one, without leading zeros:
// counted up on the text itself, so that a run of any length gives its exact
// successor ("" gives "1", "0099" gives "100").
QString successor(const QString& digits)
{
    QString text = digits;
    int k = int(text.size()) - 1;
    for (; k >= 0; --k) {
        if (text[k] != u'9') {
            text[k] = QChar(text[k].unicode() + 1);
            break;
        }
        text[k] = u'0';
    }
    if (k < 0)
        text.prepend(u'1');
    int zeros = 0;
    while (zeros < int(text.size()) - 1 && text[zeros] == u'0')
        ++zeros;
    return text.mid(zeros);
}

SplitName split(const QString& name)
{
    int start = int(name.size());
    while (start > 0 && isHalfWidthDigit(name[start - 1]))
        --start;
    SplitName s;
    s.prefix = name.left(start);
    s.digits = name.mid(start);
    s.number = successor(s.digits).left(kNumberTextLength);
    return s;
}

// Whether the number text a is smaller than b (both plain decimal digits
// without leading zeros).
bool numberLess(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

int leadingZeros(const QString& digits)
{
    int n = 0;
    while (n < int(digits.size()) && n < kMostLeadingZeros && digits[n] == u'0')
        ++n;
    return n;
}

QString proposal(const QString& name, const QString& lastCommitted)
{
    if (platform::Trim(name).isEmpty())
        return {};
    const SplitName given = split(name);
    if (!lastCommitted.isEmpty()) {
        const SplitName last = split(lastCommitted);
        if (given.prefix == last.prefix && numberLess(given.number, last.number))
            return last.prefix + last.number;
    }
    int zeros = leadingZeros(given.digits);
    QString result = given.prefix + QString(zeros, u'0') + given.number;
    // Keep the name's width when the number gains a digit («0999» «1000»).
    if (zeros > 0 && result.size() == name.size() + 1) {
        --zeros;
        result = given.prefix + QString(zeros, u'0') + given.number;
    }
    return result;
}

}  // namespace

QString NextPointName(const QString& name)
{
    const QString result = proposal(name, LastCommittedName);
    LastCommittedName.clear();
    return result;
}

void AddNameCandidate(const QString& name)
{
    const QString next = NextPointName(name);
    if (platform::Trim(name).isEmpty())
        return;
    for (int k = kFirstCandidate; k <= kLastCandidate; ++k) {
        const QString& entry = std::as_const(NameCandidates)[k];
        if (entry == next)
            return;
        if (entry.isEmpty())
            break;
    }
    for (int k = kFirstCandidate; k <= kLastCandidate; ++k) {
        const QString& entry = std::as_const(NameCandidates)[k];
        if (entry == name || entry.isEmpty()) {
            NameCandidates[k] = next;
            return;
        }
    }
    NameCandidates[kFirstCandidate] = next;
}

}  // namespace tavelcor
