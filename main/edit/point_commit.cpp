// SPDX-License-Identifier: LicenseRef-Tavelcor
// The point panel's duplicate check, its commit 確定 and its cancel 取消.
#include "main/edit/point_drawing.h"
#include "main/edit/point_names.h"
#include "main/edit/point_panel.h"
#include "main/edit/undo_history.h"
#include "main/edit/xyin.h"
#include "main/site/tables.h"
#include "main/survey/workbook_measure.h"
#include "main/ui/shared_utilities.h"
#include "main/window/plot.h"
#include "platform/prompt/prompter.h"
#include "platform/text/strings.h"

#include <algorithm>
#include <utility>

namespace tavelcor {

namespace {

constexpr int kDeletedMark = 100;
constexpr int kCarriedLineWidth = 2;

bool live(int i)
{
    return PointMark[i] < kDeletedMark;
}

// The added point taken out of the count again, with the name after the
// previous point's proposed.
void withdrawAddedPoint(Plot& window, QString& d)
{
    d = std::as_const(PointName)[std::max(PointCount - 1, 0)];
    window.Text6.setText(NextPointName(d));
    window.Text7.setText(QString());
    --PointCount;
}

// The chosen symbol, 1 to 18 (the design keeps one chosen).
int chosenSymbol(Plot& window)
{
    return std::clamp(SelectedIndex(window.Option13), 1, 18);
}

void captionSymbolButton(Plot& window, int mark)
{
    const platform::OptionButton* symbol = window.Option13.find(mark);
    const platform::Label* label = window.Label24.find(mark);
    if (symbol != nullptr && label != nullptr)
        window.Command24.setCaption(symbol->Caption() + QLatin1Char(' ') + label->Caption());
}

// True while the point PointCount is the point the newest addition made:
// the newest record of kind 11 in the history was not taken back and added
// exactly that point. After Undo withdrew the addition, PointCount names an
// older point, which a commit must not rename.
bool lastAddedPointStands()
{
    const int top = std::clamp<int>(UndoTop, 0, kUndoLastEntry);
    for (int e = top; e >= 1; --e) {
        if (UndoKind[e] != undo_kind::kPointAdded)
            continue;
        return e <= UndoPos && static_cast<int>(UndoVal1[e]) == PointCount - 1;
    }
    return false;
}

void attributeCommit(Plot& window)
{
    const int p = CurPoint;
    QString d = window.Text6.Text();
    int sw = 0;
    Pointnamecheck(window, d, p, sw, NameCheckFor::ExistingPoint);
    const QString before = joinPointNames(std::as_const(PointName)[p], platform::RTrim(std::as_const(PointName2)[p]));
    const int oldMark = PointMark[p];
    drawPointInPlace(window, p, true);
    const QString name = window.Text6.Text();
    PointName[p] = name;
    AddNameCandidate(name);
    LastCommittedName = name;
    PointName2[p] = window.Text7.Text();
    const int mark = chosenSymbol(window);
    PointMark[p] = static_cast<std::uint8_t>(mark);
    pushUndoRecord(UndoRecordFields(undo_kind::kPointChanged)
                       .item(p)
                       .values(static_cast<float>(oldMark), static_cast<float>(mark))
                       .texts(before, joinPointNames(name, window.Text7.Text())));
    captionSymbolButton(window, mark);
    drawPointInPlace(window, p, false);
    window.Label28.setVisible(false);
    window.Text6.setText(QString());
    CurPoint = 0;
}

void addModeCommit(Plot& window)
{
    if (PointCount < 1 || PointCount > kPointTop || !lastAddedPointStands())
        return;
    const int p = PointCount;
    QString d = window.Text6.Text();
    int sw = 0;
    Pointnamecheck(window, d, p, sw, NameCheckFor::AddedPoint);
    if (sw == 1)
        return;
    drawPointInPlace(window, p, true);
    PointName[p] = window.Text6.Text();
    AddNameCandidate(window.Text6.Text());
    PointName2[p] = window.Text7.Text();
    PointMark[p] = static_cast<std::uint8_t>(chosenSymbol(window));
    drawPointInPlace(window, p, false);
    window.Command32.setVisible(false);
    if (PointCount > 0) {
        window.Text6.setText(NextPointName(std::as_const(PointName)[PointCount]));
        window.Text7.setText(QString());
    }
}

// Puts the carried ends of one MoveLines list back at the old position.
void returnCarriedEnds(Plot& window, int list)
{
    for (int n = 1; n <= kMoveLinesTop; ++n) {
        const int line = MoveLines(list, n);
        if (line == 0)
            break;
        if (line < 1 || line > kLineTop)
            continue;
        drawLineInPlace(window, line, true, kCarriedLineWidth);
        if (list == 0) {
            LineX1[line] = MoveOldX;
            LineY1[line] = MoveOldY;
        } else {
            LineX2[line] = MoveOldX;
            LineY2[line] = MoveOldY;
        }
        drawLineInPlace(window, line, false, kCarriedLineWidth);
    }
}

void cancelMove(Plot& window)
{
    const int p = MovedPoint;
    if (!window.Option11.Value() || p < 1 || p > kPointTop)
        return;
    drawPointInPlace(window, p, true);
    PointX[p] = MoveOldX;
    PointY[p] = MoveOldY;
    drawPointInPlace(window, p, false);
    returnCarriedEnds(window, 0);
    returnCarriedEnds(window, 1);
    MovedPoint = 0;
    for (int n = 1; n <= kMoveLinesTop; ++n) {
        MoveLines(0, n) = 0;
        MoveLines(1, n) = 0;
    }
    window.Command31.setVisible(false);
}

}  // namespace

void Pointnamecheck(Plot& window, QString& d, int j, int& sw, NameCheckFor target)
{
    if (j < 1 || j > kPointTop)
        return;
    const int bound = std::min<int>(PointCount, kPointTop);
    for (int i = 1; i <= bound; ++i) {
        bool last = false;
        const auto& xs = std::as_const(PointX);
        const auto& ys = std::as_const(PointY);
        if (i != j && xs[i] == xs[j] && ys[i] == ys[j] && live(i)) {
            platform::MsgBox(QStringLiteral("同位置に(") + std::as_const(PointName)[i]
                             + QStringLiteral(")名のポイントが登録済みです。登録をキャンセルします"));
            i = bound;
            last = true;
            if (target == NameCheckFor::AddedPoint && j == PointCount) {
                withdrawAddedPoint(window, d);
                sw = 1;
            }
        }
        if (std::as_const(PointName)[i] == d && live(i) && !d.isEmpty() && i != j) {
            last = true;
            const platform::MsgResult answer = platform::MsgBox(
                d + QStringLiteral("は、すでに登録済みです。この名称で登録しますか？"), platform::MsgButtons::YesNo);
            if (answer != platform::MsgResult::Yes) {
                if (target == NameCheckFor::AddedPoint && j == PointCount) {
                    withdrawAddedPoint(window, d);
                    sw = 1;
                } else {
                    window.Text6.setText(std::as_const(PointName)[j]);
                }
            }
        }
        if (last)
            break;
    }
}

void Command32_MouseDown(Plot& window)
{
    xyin().Hide();
    window.Command85.setVisible(false);
    if (window.Option9.Value()) {
        if (CurPoint > 0 && CurPoint <= kPointTop)
            attributeCommit(window);
    } else if (window.Option12.Value()) {
        addModeCommit(window);
    }
    window.Picture1.SetFocus();
}

void Command31_Click(Plot& window)
{
    PointChanged = 1;
    if (!window.Option9.Value()) {
        window.Command31.setVisible(false);
        cancelMove(window);
        return;
    }
    measurePoint(window, MeasureButton::Command31);
}

}  // namespace tavelcor
