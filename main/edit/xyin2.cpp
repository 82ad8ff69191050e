// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/xyin2.h"

#include "main/edit/coordinate_keyin.h"
#include "main/edit/dialog_places.h"
#include "main/render/plot_painter.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/colors.h"
#include "platform/prompt/prompter.h"
#include "platform/text/numbers.h"

#include <algorithm>
#include <utility>

namespace tavelcor {

namespace {

constexpr double kWidth = 3000.0;
constexpr double kPlaceGap = 100.0;
constexpr int kWhite = 15;

void selectAll(platform::TextBox& field)
{
    field.setSelStart(0);
    field.setSelLength(static_cast<int>(field.Text().size()));
}

// Prints a text with its top left at (x, y), the place first marked by a
// white point.
void printMarked(render::PlotPainter& p, double x, double y, const QString& text, std::uint32_t color)
{
    p.pset(x, y, platform::QBColor(kWhite));
    p.setForeColor(color);
    p.printAt(x, y, text);
}

// Point i's marker glyph and label at plot position (px, py), in their own
// colours or, with `white`, in white over an earlier drawing.
void drawPointAt(WindowPlotFace& face, render::PlotPainter& p, int i, double px, double py, bool white)
{
    const double widthTwips = face.pictureWidthTwips();
    const double s = widthTwips > 0.0 ? PointFontSize * ViewSpanY / widthTwips : 0.0;
    const int mark = PointMark[i];
    const std::uint32_t blank = platform::QBColor(kWhite);
    printMarked(p, py - 9.5 * s, -(px + 8.4 * s), face.symbolCaption(mark), white ? blank : face.symbolColor(mark));
    const bool measured = std::as_const(PointName2)[i].contains(u'済');
    printMarked(p, py, -px, QLatin1Char(' ') + std::as_const(PointName)[i] + std::as_const(PointName2)[i],
                white ? blank : platform::QBColor(measured ? 12 : 0));
}

// The moved point drawn in place: wiped at its old place, drawn at its new.
void redrawMovedPoint(Plot& window, int i)
{
    WindowPlotFace face(window);
    render::PlotPainter p(face.picture());
    p.setDrawMode(render::kCopyPen);
    p.setDrawWidth(1);
    p.setFontSize(PointFontSize);
    drawPointAt(face, p, i, MoveOldX, MoveOldY, true);
    drawPointAt(face, p, i, std::as_const(PointX)[i], std::as_const(PointY)[i], false);
}

}  // namespace

XYIN2::XYIN2() : platform::Form(QStringLiteral("XYIN2"))
{
    setCaption(QStringLiteral("XYIN"));
    setBorderStyle(platform::FormBorder::FixedToolWindow);
    setClientSize(kWidth, 1500.0);
    Label1.setCaption(QStringLiteral("X="));
    Label1.Move(100.0, 150.0, 450.0, 270.0);
    Text1.Move(600.0, 120.0, 2300.0, 330.0);
    Label2.setCaption(QStringLiteral("Y="));
    Label2.Move(100.0, 570.0, 450.0, 270.0);
    Text2.Move(600.0, 540.0, 2300.0, 330.0);
    Command1.setCaption(QStringLiteral("移動"));
    Command1.Move(600.0, 1000.0, 1100.0, 400.0);
    Command2.setCaption(QStringLiteral("Cancel"));
    Command2.Move(1800.0, 1000.0, 1100.0, 400.0);

    Load = [this] { placeAtMainTopRight(*this, kPlaceGap); };
    Activate = [] { unloadBackgroundSettings(); };
    Text1.GotFocus = [this] { selectAll(Text1); };
    Text2.GotFocus = [this] { selectAll(Text2); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Hide(); };
}

void XYIN2::showPickedPosition(double northM, double eastM)
{
    Text1.setText(moveFieldText(northM));
    Text2.setText(moveFieldText(eastM));
}

void XYIN2::Command1_Click()
{
    const int i = MovePoint;
    // A pick that no longer names a point (taken back since) counts as none.
    if (i < 1 || i > std::min<int>(PointCount, kPointTop)) {
        platform::MsgBox(QStringLiteral("移動番０"));
        return;
    }
    const double x = platform::Val(Text1.Text());
    const double y = platform::Val(Text2.Text());
    if (!moveTargetInReach(x, y))
        return;
    PointX[i] = x - OriginX;
    PointY[i] = y - OriginY;
    Plot& window = plot();
    redrawMovedPoint(window, i);
    window.Label28.setCaption(QString());
    MovedPoint = MovePoint;
    MovePoint = 0;
    window.Command31.setVisible(true);
    Hide();
}

platform::FormHolder<XYIN2>& xyin2Form()
{
    static platform::FormHolder<XYIN2> holder;
    return holder;
}

}  // namespace tavelcor
