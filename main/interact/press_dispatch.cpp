// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/interact/press_dispatch.h"

#include "geodesy/format_fixed.h"
#include "main/edit/undo_history.h"
#include "main/interact/key_in_pick.h"
#include "main/interact/line_clicks.h"
#include "main/interact/point_clicks.h"
#include "main/interact/press_branches.h"
#include "main/interact/press_readouts.h"
#include "main/interact/rclick_menu.h"
#include "main/interact/rclick_press.h"
#include "main/interact/text_clicks.h"
#include "main/render/filters.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/text/numbers.h"

#include <array>
#include <optional>

namespace tavelcor {
namespace {

constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;
constexpr int kCopyPen = 13;

// The panel branches of the left chain: the open panel, its chosen option
// and the branch, in the order they are tried. A point add by single press
// needs DblClickInput 0, the text move branch depends on TxtPick: both are
// tested apart.
struct PanelRow {
    platform::Frame Plot::*panel;
    platform::OptionButton Plot::*option;
    LeftBranch branch;
};

constexpr std::array kPanelRows{
    PanelRow{&Plot::Frame9, &Plot::Option17, LeftBranch::StrokeDeleteAnchor},
    PanelRow{&Plot::Frame10, &Plot::Option6, LeftBranch::LineMove},
    PanelRow{&Plot::Frame10, &Plot::Option20, LeftBranch::LineAdd},
    PanelRow{&Plot::Frame10, &Plot::Option21, LeftBranch::LineDeleteAnchor},
    PanelRow{&Plot::Frame10, &Plot::Option25, LeftBranch::LineColour},
    PanelRow{&Plot::Frame4, &Plot::Option12, LeftBranch::PointAdd},
    PanelRow{&Plot::Frame4, &Plot::Option10, LeftBranch::PointDeleteAnchor},
    PanelRow{&Plot::Frame4, &Plot::Option9, LeftBranch::PointAttribute},
    PanelRow{&Plot::Frame4, &Plot::Option11, LeftBranch::PointMove},
    PanelRow{&Plot::Frame11, &Plot::Option22, LeftBranch::TextAdd},
    PanelRow{&Plot::Frame11, &Plot::Option19, LeftBranch::TextDeleteAnchor},
    PanelRow{&Plot::Frame11, &Plot::Option18, LeftBranch::TextEdit},
    PanelRow{&Plot::Frame11, &Plot::Option24, LeftBranch::TextPick},
};

std::optional<LeftBranch> panelBranch(const Plot& window)
{
    for (const PanelRow& row : kPanelRows) {
        if (!(window.*row.panel).Visible() || !(window.*row.option).Value())
            continue;
        if (row.branch == LeftBranch::PointAdd && DblClickInput != 0)
            continue;
        if (row.branch == LeftBranch::TextPick && TxtPick != 0)
            return LeftBranch::TextPlace;
        return row.branch;
    }
    return std::nullopt;
}

// An editing click of the panels: each ends with the common ending.
PressEnd editingClick(void (*click)(Plot&, const Press&), Plot& window, const Press& press)
{
    click(window, press);
    return PressEnd::Common;
}

// The branch bodies of the left chain.
PressEnd runLeftBranch(Plot& window, LeftBranch branch, const Press& press)
{
    switch (branch) {
    case LeftBranch::DiagonalRectangle: return diagonalRectanglePress(window, press);
    case LeftBranch::KeyInPick: return keyInPickPress(window, press);
    case LeftBranch::AreaVertex: return areaMeasurePress(window, press);
    case LeftBranch::StrokeDeleteAnchor:
    case LeftBranch::LineDeleteAnchor:
    case LeftBranch::PointDeleteAnchor:
    case LeftBranch::TextDeleteAnchor: return rangeAnchorPress(press);
    case LeftBranch::LineMove: return editingClick(moveLineEnd, window, press);
    case LeftBranch::LineAdd: return editingClick(addLineVertex, window, press);
    case LeftBranch::LineColour:
        // A press that recoloured no line leaves the draw mode as it is.
        return recolourPickedLine(window, press) ? PressEnd::Common : PressEnd::Skip;
    case LeftBranch::PointAdd: return editingClick(addPointAtPress, window, press);
    case LeftBranch::PointAttribute: return editingClick(pickPointAttributes, window, press);
    case LeftBranch::PointMove: return editingClick(movePointPress, window, press);
    case LeftBranch::TextAdd: return editingClick(addText, window, press);
    case LeftBranch::TextEdit: return editingClick(pickTextToEdit, window, press);
    case LeftBranch::TextPick: return editingClick(pickTextToMove, window, press);
    case LeftBranch::TextPlace: return editingClick(placePickedText, window, press);
    case LeftBranch::StationDesignation: return stationDesignationPress(window, press);
    case LeftBranch::ZoomWindowArm: return armZoomWindow(window, press);
    }
    return PressEnd::Common;
}

PressEnd leftChain(Plot& window, const Press& press)
{
    if (LineSubState == 1) {
        // The cross-section command is armed: the next line drawn is the
        // route's first.
        LineSubState = 2;
        RouteFirst = LineNext;
    }
    showPressReadouts(window, press.x, press.y);
    armPanOnIdlePress(window, press);
    return runLeftBranch(window, leftBranchFor(window), press);
}

PressEnd rightChain(Plot& window, const Press& press)
{
    switch (rightBranchFor(window, press.button)) {
    case RightBranch::AbandonArea:
        AreaCount = 0;
        return PressEnd::Common;
    case RightBranch::ParcelInformation: return showParcelInformation(window, press);
    case RightBranch::Calculation: {
        BandX = 0.0;
        BandY = 0.0;
        Press moved = press;
        const CoordinatePick pick = PickCoordinate(window, moved.x, moved.y, true);
        return rightClickCalculation(window, moved, pick);
    }
    case RightBranch::PanelMenu:
        popUpRightClickMenu(window, press);
        return PressEnd::Skip;
    case RightBranch::Nothing: return PressEnd::Common;
    }
    return PressEnd::Common;
}

}  // namespace

bool pressIsIdle(const Plot& window)
{
    if (window.Frame9.Visible())
        return false;
    if (DblClickInput == 1 && window.Frame4.Visible() && window.Option12.Value())
        return true;
    return !window.Frame4.Visible() && !window.Frame11.Visible() && !window.Frame10.Visible();
}

LeftBranch leftBranchFor(const Plot& window)
{
    if (DiagonalArmed == 1)
        return LeftBranch::DiagonalRectangle;
    if (keyInWindowShown())
        return LeftBranch::KeyInPick;
    if (AreaCount > 0)
        return LeftBranch::AreaVertex;
    if (const std::optional<LeftBranch> branch = panelBranch(window))
        return *branch;
    if (window.Frame13.Visible())
        return LeftBranch::StationDesignation;
    return LeftBranch::ZoomWindowArm;
}

RightBranch rightBranchFor(const Plot& window, int button)
{
    const bool right = button == kRightButton;
    if (right && AreaCount > 0)
        return RightBranch::AbandonArea;
    const bool idle = window.Frame2.Visible() || window.Frame15.Visible();
    if (idle && right && KakuchiCount > 0 && window.Option5.Value())
        return RightBranch::ParcelInformation;
    if (idle && right)
        return RightBranch::Calculation;
    if (right && !window.Frame2.Visible())
        return RightBranch::PanelMenu;
    return RightBranch::Nothing;
}

ShownNumberRanges shownNumberRanges(const Plot& window)
{
    return {platform::Val(window.Text2.Text()), platform::Val(window.Text5.Text()),
            platform::Val(window.Text15.Text()), platform::Val(window.Text16.Text())};
}

CoordinatePick PickCoordinate(Plot& window, double& x, double& y, bool withPoints)
{
    const render::PlotFace& face = plotFace();
    return PickCoordinate(x, y, shownNumberRanges(window), withPoints,
                          [&face](int j) { return PointShown(face, j); });
}

PressEnd rightClickCalculation(Plot& window, const Press& press, const CoordinatePick& pick)
{
    CoordinatePick taken = pick;
    if (window.Option33.Value()) {
        taken.number = 0;
        RclickMode = 0;
    }
    if (RclickMode == 0) {
        popUpRightClickMenu(window, press);
        return PressEnd::Skip;
    }
    return runRightClickCalculation(window, press, taken);
}

QString pressPositionText(double x, double y)
{
    return QStringLiteral("X=") + QString::fromStdString(geodesy::FormatFixed(OriginX - y, 12, 3))
           + QStringLiteral(" Y=") + QString::fromStdString(geodesy::FormatFixed(x + OriginY, 12, 3));
}

void Picture1_MouseDown(Plot& window, int button, int shift, double x, double y)
{
    if (PanOnce == 1)
        button = kMiddleButton;
    U_compact();  // does nothing until the history nears its end
    PointerMoved = 0;
    RedrawCause = 0;
    window.Picture1.SetFocus();
    platform::Canvas& picture = window.Picture1.canvas();
    picture.setDrawMode(kCopyPen);
    if (button == kMiddleButton) {
        PanStartX = static_cast<float>(x);
        PanStartY = static_cast<float>(y);
        return;
    }
    PressX = static_cast<float>(x);
    PressY = static_cast<float>(y);
    window.Label5.setCaption(pressPositionText(x, y));
    LastClickX = x;
    LastClickY = y;
    const Press press{button, shift, x, y};
    const PressEnd end = button == kLeftButton ? leftChain(window, press) : rightChain(window, press);
    if (end == PressEnd::Common)
        picture.setDrawMode(kCopyPen);
}

}  // namespace tavelcor
