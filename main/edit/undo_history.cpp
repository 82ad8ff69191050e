// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/undo_history.h"

#include "main/site/tables.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <utility>

namespace tavelcor {

static_assert(kUndoLastEntry == kUndoTop, "the history's last entry is the table's");

QString undoCoordinateText(double value)
{
    if (!std::isfinite(value) || value == 0.0)
        return QStringLiteral("0");
    std::array<char, 32> buf{};
    const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), value);
    return QString::fromLatin1(buf.data(), result.ptr - buf.data());
}

void U_clear(int P)
{
    if (P < 0 || P > kUndoLastEntry)
        return;
    UndoKind[P] = 0;
    UndoVal1[P] = 0.0F;
    UndoVal2[P] = 0.0F;
    UndoText(0, P).clear();
    UndoText(1, P).clear();
}

void U_compact()
{
    if (UndoPos < kUndoCompactFrom)
        return;
    // UndoPos never passes the last entry, so the source lies within it.
    const int last = std::min<int>(UndoPos, kUndoLastEntry);
    const int first = last - kUndoCompactKeep + 1;
    for (int k = 0; k < kUndoCompactKeep; ++k) {
        const int from = first + k;
        const int to = 1 + k;
        UndoKind[to] = std::as_const(UndoKind)[from];
        UndoItem[to] = std::as_const(UndoItem)[from];
        UndoVal1[to] = std::as_const(UndoVal1)[from];
        UndoVal2[to] = std::as_const(UndoVal2)[from];
        UndoText(0, to) = std::as_const(UndoText)(0, from);
        UndoText(1, to) = std::as_const(UndoText)(1, from);
    }
    for (int p = kUndoCompactKeep + 1; p <= kUndoLastEntry; ++p)
        UndoKind[p] = 0;
    UndoPos = kUndoCompactKeep;
    UndoTop = kUndoCompactKeep;
}

void startNewHistory()
{
    const int top = std::clamp<int>(UndoTop, 0, kUndoLastEntry);
    for (int p = 1; p <= top; ++p)
        U_clear(p);
    UndoPos = 0;
    UndoTop = 0;
}

namespace {

constexpr char16_t kNameBar = u'|';
constexpr char16_t kNameEscape = u'\\';

void appendEscapedName(QString& out, const QString& name)
{
    for (const QChar c : name) {
        if (c == kNameBar || c == kNameEscape)
            out += kNameEscape;
        out += c;
    }
}

// Every record of the kinds in `kinds` whose val1 (the count before the
// addition, or the added line's index) is `first` or more becomes
// kWithdrawn.
void withdrawAdditions(std::initializer_list<std::uint8_t> kinds, int first)
{
    const int top = std::clamp<int>(UndoTop, 0, kUndoLastEntry);
    for (int p = 1; p <= top; ++p) {
        const std::uint8_t k = std::as_const(UndoKind)[p];
        if (std::find(kinds.begin(), kinds.end(), k) != kinds.end() && double(std::as_const(UndoVal1)[p]) >= first)
            UndoKind[p] = undo_kind::kWithdrawn;
    }
}

}  // namespace

QString joinPointNames(const QString& name, const QString& name2)
{
    QString text;
    text.reserve(name.size() + name2.size() + 1);
    appendEscapedName(text, name);
    text += kNameBar;
    appendEscapedName(text, name2);
    return text;
}

std::pair<QString, QString> splitPointNames(const QString& text)
{
    QString parts[2];
    int part = 0;
    for (qsizetype k = 0; k < text.size(); ++k) {
        const QChar c = text[k];
        if (c == kNameEscape && k + 1 < text.size() && (text[k + 1] == kNameBar || text[k + 1] == kNameEscape)) {
            parts[part] += text[++k];
        } else if (c == kNameBar && part == 0) {
            part = 1;
        } else {
            parts[part] += c;
        }
    }
    return {parts[0], parts[1]};
}

void withdrawPointAdditions(int keptCount)
{
    withdrawAdditions({undo_kind::kPointAdded}, keptCount);
}

void withdrawLineAdditions(int keptNext)
{
    withdrawAdditions({undo_kind::kLineCompleted, undo_kind::kSplitPiece}, keptNext);
}

int pushUndoRecord(const UndoRecordFields& fields)
{
    // Positions written by other code are taken as they are only when they
    // keep the history's order; anything else is put back inside it.
    UndoTop = static_cast<std::int16_t>(std::clamp<int>(UndoTop, 0, kUndoLastEntry));
    UndoPos = static_cast<std::int16_t>(std::clamp<int>(UndoPos, 0, UndoTop));
    if (UndoTop > UndoPos)
        UndoPos = UndoTop;
    if (UndoPos + 1 > kUndoLastEntry)
        U_compact();
    UndoPos = static_cast<std::int16_t>(UndoPos + 1);
    UndoTop = UndoPos;
    const int p = UndoPos;
    U_clear(p);
    UndoKind[p] = fields.kind();
    if (fields.itemIndex())
        UndoItem[p] = *fields.itemIndex();
    UndoVal1[p] = fields.val1();
    UndoVal2[p] = fields.val2();
    UndoText(0, p) = fields.before();
    UndoText(1, p) = fields.after();
    return p;
}

}  // namespace tavelcor
