// SPDX-License-Identifier: LicenseRef-Tavelcor
// The full redraw: set-up, the order of the layers, their gates, the
// previous view and the scale bar.
#include "main/render/plot_render.h"

#include "main/render/background_step.h"
#include "main/render/redraw_hold.h"
#include "main/render/render_internal.h"
#include "main/render/scale_bar.h"
#include "main/site/tables.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"

#include <QDebug>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <exception>
#include <utility>

namespace tavelcor::render {

namespace {

// Runs one step of the redraw.  An error inside it ends that step only: the
// redraw goes on with the next one and always returns.  False when the step
// failed.
template <class Step>
bool guarded(const char* step, Step&& run) noexcept
{
    try {
        run();
        return true;
    } catch (const std::exception& e) {
        qWarning("plot redraw: %s failed: %s", step, e.what());
    } catch (...) {
        qWarning("plot redraw: %s failed", step);
    }
    return false;
}

void keepPreviousView(PlotPainter& p)
{
    if (!(p.scaleHeight() > 0.001))
        return;
    PrevSpanX = p.scaleHeight();
    PrevSpanY = p.scaleWidth();
    PrevCX = -(p.scaleTop() - OriginX + PrevSpanX / 2);
    PrevCY = p.scaleLeft() + OriginY + PrevSpanY / 2;
}

void limitExtents() noexcept
{
    if (ViewSpanX > kMaxViewSpan)
        ViewSpanX = kMaxViewSpan;
    if (ViewSpanY > kMaxViewSpan)
        ViewSpanY = kMaxViewSpan;
}

void setUpPicture(PlotPainter& p)
{
    p.setForeColor(platform::QBColor(0));
    p.setDrawMode(kCopyPen);
    p.setFontSize(FontSize);
    p.setFontName(QStringLiteral("ＭＳ ゴシック"));
    p.setFontBold(FontSize >= 12);
}

// The backgrounds (background_step.h).  A background that fails leaves the
// picture as the step left it; the site is drawn over it all the same.
void drawBackground(PlotFace& face, const RenderState& st)
{
    guarded("the background", [&] { composeBackground(face, st.hooks.background); });
}

void markPerpendicularFoot(PlotPainter& p)
{
    if (RclickMode != 3 || CalcPickCount != 4)
        return;
    const double x = ZahyoPY[0];
    const double y = -ZahyoPX[0];
    p.setForeColor(platform::QBColor(4));
    p.setDrawWidth(3);
    p.pset(x, y, platform::QBColor(12));
    p.print(u" 直交点");
    p.setDrawWidth(1);
}

void placeScaleBar(PlotFace& face, PlotPainter& p, RenderState& st)
{
    st.ScaleBarTop = -(ViewCX - OriginX - 0.45 * ViewSpanX);
    st.ScaleBarLeft = ViewCY - OriginY - 0.45 * ViewSpanY;
    p.setForeColor(platform::QBColor(4));
    p.setDrawWidth(2);
    ScaleBarLabels labels = face.scaleBar();
    labels.label26Left = st.ScaleBarLeft;
    labels.label26Top = st.ScaleBarTop;
    labels.label25BorderStyle = 1;
    labels.label26BorderStyle = 1;
    const ScaleBarRow row = scaleBarFor(ViewSpanX);
    labels.label25Left = st.ScaleBarLeft + row.captionOffset;
    labels.label25Top = st.ScaleBarTop + 0.006 * ViewSpanY;
    labels.label26Width = row.length;
    labels.label25Caption = QString::fromLatin1(row.caption.data(), row.caption.size());
    face.setScaleBar(labels);
    p.setDrawWidth(1);
}

// Each item layer on its own: one that fails leaves the others drawn.
void drawItemLayers(PlotFace& face)
{
    guarded("the hand strokes", [&] {
        if (face.checkValue(14) != 0 && TegakiCount > 1 && SkipTegakidraw == 0)
            Tegakidraw(face);
    });
    guarded("the lines", [&] {
        if (face.checkValue(13) != 0 && LineNext > 1)
            Lineview(face);
    });
    guarded("the observation points", [&] {
        if (face.checkValue(12) != 0 && PointCount > 0 && SkipPointview == 0)
            Pointview(face);
    });
    guarded("the texts", [&] {
        if (face.checkValue(15) != 0 && TxtCount > 0 && SkipTxtview == 0 && PrintMode != 10)
            Txtview(face);
    });
    guarded("the area measurement", [&] {
        if (AreaCount > 1)
            ArAview(face);
    });
}

// Everything that needs a fitted picture: the background, the site's
// layers, the scale bar and the marks over them.  Every step is guarded on
// its own, so a failure drops that step only.
void drawSite(PlotFace& face, PlotPainter& p, RenderState& st, RedrawWork& work)
{
    drawBackground(face, st);
    p.setDrawMode(kMaskPen);
    // Without its working tables no step that reads them can run.
    if (guarded("the working tables", [&] { prepareWorkingTables(work); })) {
        guarded("the parcel outlines", [&] { drawParcelOutlines(face, p, work); });
        guarded("the coordinates", [&] { drawCoordinates(face, p, st, work); });
        guarded("the parcel labels", [&] { drawParcelLabels(face, p, st, work); });
    }
    guarded("the perpendicular foot", [&] { markPerpendicularFoot(p); });
    guarded("the scale bar", [&] { placeScaleBar(face, p, st); });
    drawItemLayers(face);
    guarded("the letter size",
            [&] { p.setFontSize(VarFont == 1 ? static_cast<double>(work.CoordFontSize) : FontSize); });
    if (SearchHit != 0)
        guarded("the search mark", [&] { redplot(face, SearchHit); });
    if (st.hooks.stblueplot)
        guarded("the survey marks", [&] { st.hooks.stblueplot(face); });
    if (st.hooks.linedraw)
        guarded("the construction lines", [&] { st.hooks.linedraw(face); });
}

void drawCreditImage(PlotFace& face, const RenderState& st)
{
    if (st.hooks.creditImage)
        guarded("the map credit image", [&] { st.hooks.creditImage(face); });
}

void markGeocodedPlace(PlotFace& face, PlotPainter& p, const RenderState& st)
{
    const double GeocodeX = st.GeocodeX;
    const double GeocodeY = st.GeocodeY;
    if (GeocodeX == 0 || GeocodeY == 0)
        return;
    const double widthTw = face.pictureWidthTwips();
    if (!(widthTw > 0))
        return;
    p.setDrawWidth(5);
    p.circle(GeocodeY - OriginY, OriginX - GeocodeX, 2.0 * MarkSize * ViewSpanY / widthTw,
             platform::QBColor(12));
    p.setDrawWidth(1);
}

// The tile zoom level goes after the scale caption; a suffix left by an
// earlier redraw (when this one drew no scale bar) is replaced, not repeated.
void appendTileZoom(PlotFace& face)
{
    static const QRegularExpression suffix(QStringLiteral(R"( \(-?\d+\)$)"));
    ScaleBarLabels labels = face.scaleBar();
    labels.label25Caption.remove(suffix);
    labels.label25Caption += QStringLiteral(" (%1)").arg(TileZoom);
    face.setScaleBar(labels);
}

void redrawOnce(PlotFace& face)
{
    face.hideStatusLabel();
    if (LoadingFlag == 9)
        return;
    RenderState& st = renderState();
    PlotPainter p(face.picture());
    // This call's own working tables, taken from a pool: no other drawing
    // (the wheel's preview included) clears the label points it has moved.
    const Scratch<RedrawWork> work;
    work->MovedLabels.clear();
    if (ZahyoMax > 1) {
        keepPreviousView(p);
        limitExtents();
        // Taken before justsc may widen ViewSpanX.
        const double formHeight = face.formHeightTwips();
        work->TwipUnit = formHeight > 0 ? ViewSpanX / formHeight : 0.0;
        setUpPicture(p);
        // Each step of the site guards itself; this guard only catches what
        // lies between them.  Label points moved into view are put back
        // below whatever happens: the moved positions must never outlive the
        // redraw (they would be saved with the site).
        if (justsc(face))
            guarded("the site layers", [&] { drawSite(face, p, st, *work); });
    }
    restoreMovedLabels(*work);
    markGeocodedPlace(face, p, st);
    p.setDrawMode(kCopyPen);
    const bool tiles = Haikei1Code > 4 || Haikei2Code > 4;
    if (PrintMode != 10 && tiles) {
        appendTileZoom(face);
        drawCreditImage(face, st);
    }
    if (face.checkValue(32) != 0)
        drawCreditImage(face, st);
    // The gauges tell how full the tables are once the redraw ends, also
    // for the layers it left out (a large site's first redraw, a layer
    // switched off or emptied), which would otherwise keep an old value.
    for (const Gauge gauge : {Gauge::Tegaki, Gauge::Text, Gauge::Point, Gauge::Line})
        guarded("a fill gauge", [&] { showFill(face, gauge); });
}

}  // namespace

void crtplot(PlotFace& face)
{
    // A redraw asked for while another one runs (from the events the tile
    // download lets through) waits for it, then runs once.
    if (redrawHeld()) {
        deferRedraw(face);
        return;
    }
    // This redraw draws what a waiting one would have drawn.
    forgetDeferredRedraw();
    const RedrawHold hold;
    redrawOnce(face);
}

bool justsc(PlotFace& face)
{
    const auto fitted = fitView(currentView(), OriginX, OriginY, face.pictureWidthTwips(),
                                face.pictureHeightTwips());
    if (!fitted)
        return false;
    FitSpanX = fitted->fitSpanX;
    FitSpanY = fitted->fitSpanY;
    ViewSpanX = fitted->viewSpanX;
    ViewSpanY = fitted->viewSpanY;
    PlotPainter(face.picture())
        .setScale(fitted->scaleLeft, fitted->scaleTop, fitted->scaleWidth, fitted->scaleHeight);
    return true;
}

int hantei(int i)
{
    if (i < 0 || i > kCoordTop)
        return 0;
    return regionCode(std::as_const(ZahyoX)[i], std::as_const(ZahyoY)[i], currentView(), kWideWindowFactor);
}

int hantei6(int i)
{
    if (i < 0 || i > kCoordTop)
        return 0;
    return regionCode(std::as_const(ZahyoX)[i], std::as_const(ZahyoY)[i], currentView(), kViewWindowFactor);
}

int Hantei3(double X, double Y)
{
    return regionCode(X, Y, currentView(), kInnerWindowFactor);
}


ViewWindow currentView() noexcept
{
    return ViewWindow{ViewCX, ViewCY, ViewSpanX, ViewSpanY};
}

double metresPerTwip(const PlotFace& face) noexcept
{
    const double w = face.pictureWidthTwips();
    return w > 0 ? ViewSpanY / w : 0.0;
}

double metresPerPoint(const PlotPainter& painter, const PlotFace& face) noexcept
{
    const double w = face.pictureWidthTwips();
    return w > 0 ? painter.scaleWidth() / w * 20.0 : 0.0;
}

int percentOf(double used, double top) noexcept
{
    return static_cast<int>(std::clamp(used / top * 100.0, 0.0, 100.0));
}

void showFill(PlotFace& face, Gauge gauge)
{
    switch (gauge) {
    case Gauge::Tegaki: face.setGauge(gauge, percentOf(static_cast<double>(TegakiCount), 1000000.0)); break;
    case Gauge::Text: face.setGauge(gauge, percentOf(TxtCount, 30000.0)); break;
    case Gauge::Point: face.setGauge(gauge, percentOf(PointCount, 500000.0)); break;
    case Gauge::Line: face.setGauge(gauge, percentOf(LineNext, 500000.0)); break;
    }
}

long countForExtent(double& keptSpan, std::int32_t& kept, long count) noexcept
{
    if (ViewSpanX == keptSpan)
        return kept;
    kept = static_cast<std::int32_t>(count);
    keptSpan = ViewSpanX;
    return count;
}

}  // namespace tavelcor::render
