// SPDX-License-Identifier: LicenseRef-Tavelcor
// The full redraw of a full-size site at 1920 x 1080: the whole site in view,
// a 100 m window and a window off the data, beside the bare cost of drawing
// the same visible primitives straight onto a QImage with QPainter, and with
// the spatial index beside a walk over every table.
//
// The site: 32767 parcels of 18 vertex entries (589806 slots) over 491505
// of the 500000 coordinates, 500000 observation points, 500000 lines,
// 1000000 hand-stroke vertices in strokes of 100, 30000 texts, spread over
// 9 km x 9 km.  Run by hand from the build folder's bench/bin.
#include "bench_support.h"

#include "main/render/plot_face.h"
#include "main/render/plot_render.h"
#include "main/render/render_state.h"
#include "main/render/site_index.h"
#include "main/site/tables.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

using namespace tavelcor;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr double kSite = 9000.0;  // metres across

struct Site {
    Site()
    {
        resetTables();
        LoadingFlag = 0;
        OriginX = -30000;
        OriginY = 20000;
        benchsupport::buildFullSiteParcels(kSite);
        benchsupport::buildFullSiteItems(kSite);
    }
};

Site& site()
{
    static Site s;
    return s;
}

render::StandalonePlot& plotFace()
{
    static render::StandalonePlot face(QSize(kWidth, kHeight));
    static bool symbols = [] {
        face.setSymbol(1, QStringLiteral("■"), platform::QBColor(9));
        face.setSymbol(2, QStringLiteral("●"), platform::QBColor(2));
        face.setSymbol(3, QStringLiteral("◎"), platform::QBColor(12));
        face.setCheck(1, 1);
        face.setCheck(2, 1);
        face.setCheck(6, 1);
        return true;
    }();
    (void)symbols;
    return face;
}

void setView(double centrePX, double centrePY, double span)
{
    ViewCX = OriginX + centrePX;
    ViewCY = OriginY + centrePY;
    ViewSpanX = span;
    ViewSpanY = span;
}

// ---------------------------------------------------------------- baseline
// The primitives a redraw of the current view draws, in pixels, collected
// once with the same selection rules; the timed part only draws them.

struct Segment {
    QLineF line;
    QRgb color;
    int width;
    bool mask;
};
struct Label {
    QPointF at;
    QString text;
    QRgb color;
};

struct Primitives {
    std::vector<Segment> segments;
    std::vector<Label> labels;
    std::vector<QPointF> markers;  // coordinate circles
    int markerRadius = 0;
};

bool insideWide(double x, double y)
{
    return std::fabs(x - ViewCX) <= 0.6 * ViewSpanX && std::fabs(y - ViewCY) <= 0.6 * ViewSpanY;
}

// Coordinates, points, texts and parcel names that the redraw prints.
void collectLabels(const platform::Canvas& c, Primitives& out)
{
    auto px = [&](double x, double y) { return c.toPixel(QPointF(x, y)); };
    std::vector<int> coords, points, texts, parcels;
    for (int i = 1; i <= ZahyoMax; ++i)
        if (insideWide(ZahyoX[i], ZahyoY[i]))
            coords.push_back(i);
    for (int i = 1; i <= PointCount && static_cast<long>(points.size()) <= PointLimit; ++i)
        if (insideWide(PointX[i] + OriginX, PointY[i] + OriginY))
            points.push_back(i);
    for (int i = 1; i <= TxtCount && static_cast<long>(texts.size()) <= TxtLimit; ++i)
        if (insideWide(TxtX[i] + OriginX, TxtY[i] + OriginY))
            texts.push_back(i);
    for (int i = 1; i <= KakuchiCount; ++i)
        if (std::fabs(KakuchiLabelX[i] + OriginX - ViewCX) <= 0.5 * ViewSpanX
            && std::fabs(KakuchiLabelY[i] + OriginY - ViewCY) <= 0.5 * ViewSpanY)
            parcels.push_back(i);
    const QRgb black = platform::toQRgb(0), maroon = platform::toQRgb(platform::QBColor(4));
    if (static_cast<long>(coords.size()) <= PointLimit) {
        out.markerRadius = 5;
        for (int i : coords) {
            out.markers.push_back(px(ZahyoPY[i], -ZahyoPX[i]));
            out.labels.push_back({px(ZahyoPY[i], -ZahyoPX[i]), QStringLiteral(" %1:%2").arg(i).arg(ZahyoName[i]), black});
        }
    }
    if (static_cast<long>(points.size()) <= PointLimit)
        for (int i : points) {
            out.labels.push_back({px(PointY[i], -PointX[i]), QStringLiteral("■"), platform::toQRgb(platform::QBColor(9))});
            out.labels.push_back({px(PointY[i], -PointX[i]), QLatin1Char(' ') + PointName[i], black});
        }
    if (static_cast<long>(texts.size()) < TxtLimit)
        for (int i : texts)
            out.labels.push_back({px(TxtY[i], -TxtX[i]), TxtString[i], maroon});
    if (static_cast<long>(parcels.size()) < TxtLimit)
        for (int i : parcels)
            out.labels.push_back({px(KakuchiLabelY[i], -KakuchiLabelX[i]), KakuchiName[i], maroon});
}

Primitives collectPrimitives(const platform::Canvas& c)
{
    Primitives out;
    auto px = [&](double x, double y) { return c.toPixel(QPointF(x, y)); };
    const double xHi = ViewCX + 0.6 * ViewSpanX, xLo = ViewCX - 0.6 * ViewSpanX;
    const double yHi = ViewCY + 0.6 * ViewSpanY, yLo = ViewCY - 0.6 * ViewSpanY;
    auto code = [&](int v) {
        const double x = ZahyoX[v], y = ZahyoY[v];
        return (x > xHi ? 1 : (x < xLo ? 7 : 4)) + (y > yHi ? 2 : (y < yLo ? 0 : 1));
    };
    auto sides = [](int c) {
        static const unsigned s[10] = {0, 5, 1, 9, 4, 0, 8, 6, 2, 10};
        return s[c];
    };
    const QRgb grey = platform::toQRgb(platform::QBColor(8));
    for (int i = 1; i <= KakuchiCount; ++i) {
        const int f = KakuchiFirst[i], l = KakuchiLast[i];
        int cPrev = code(KakuchiVertex[f]);
        const int cFirst = cPrev;
        for (int j = f + 1; j <= l; ++j) {
            const int a = KakuchiVertex[j - 1], b = KakuchiVertex[j];
            const int d = code(b);
            if ((sides(cPrev) & sides(d)) == 0)
                out.segments.push_back({QLineF(px(ZahyoPY[a], -ZahyoPX[a]), px(ZahyoPY[b], -ZahyoPX[b])), grey, 1, true});
            cPrev = d;
        }
        if ((sides(cPrev) & sides(cFirst)) == 0) {
            const int a = KakuchiVertex[f], b = KakuchiVertex[l];
            out.segments.push_back({QLineF(px(ZahyoPY[a], -ZahyoPX[a]), px(ZahyoPY[b], -ZahyoPX[b])), grey, 1, true});
        }
    }
    const double left = c.ScaleLeft(), top = c.ScaleTop();
    const double right = left + ViewSpanY, bottom = top + ViewSpanX;
    for (int i = 1; i < LineNext; ++i) {
        const double x1 = LineY1[i], y1 = -LineX1[i], x2 = LineY2[i], y2 = -LineX2[i];
        if ((y1 < top && y2 < top) || (y1 > bottom && y2 > bottom) || (x1 < left && x2 < left)
            || (x1 > right && x2 > right))
            continue;
        out.segments.push_back({QLineF(px(x1, y1), px(x2, y2)), platform::toQRgb(platform::QBColor(LineColor[i])), 2, false});
    }
    const double thin = ViewSpanX / 500;
    double pX = TegakiX[1], pY = TegakiY[1];
    const QRgb green = platform::toQRgb(platform::QBColor(2));
    for (int i = 2; i <= TegakiCount; ++i) {
        const double qX = TegakiX[i], qY = TegakiY[i];
        if (TegakiPen[i] == 1) {
            pX = qX;
            pY = qY;
        } else if (TegakiPen[i] == 3) {
            out.segments.push_back({QLineF(px(pY, -pX), px(qY, -qX)), green, 2, false});
        } else if (TegakiPen[i] == 2 && (std::fabs(pX - qX) >= thin || std::fabs(pY - qY) >= thin)) {
            out.segments.push_back({QLineF(px(pY, -pX), px(qY, -qX)), green, 2, false});
            pX = qX;
            pY = qY;
        }
    }
    // Only what reaches the picture is drawn.
    const QRectF picture(-4, -4, kWidth + 8, kHeight + 8);
    std::erase_if(out.segments, [&](const Segment& s) {
        return !picture.intersects(QRectF(s.line.p1(), s.line.p2()).normalized().adjusted(-1, -1, 1, 1));
    });
    collectLabels(c, out);
    return out;
}

void drawPrimitives(QImage& image, const Primitives& prims, const QFont& font)
{
    QPainter p(&image);
    p.fillRect(image.rect(), Qt::white);
    for (const Segment& s : prims.segments) {
        p.setCompositionMode(s.mask ? QPainter::RasterOp_SourceAndDestination
                                    : QPainter::CompositionMode_SourceOver);
        // A pen wider than one pixel has round ends, as the picture draws it.
        QPen pen(QColor::fromRgb(s.color), s.width);
        pen.setCapStyle(s.width > 1 ? Qt::RoundCap : Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(s.line);
    }
    p.setPen(QPen(QColor::fromRgb(platform::toQRgb(platform::QBColor(12))), 1));
    p.setBrush(Qt::NoBrush);
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    for (const QPointF& m : prims.markers)
        p.drawEllipse(m, prims.markerRadius, prims.markerRadius);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setFont(font);
    for (const Label& l : prims.labels) {
        p.setPen(QColor::fromRgb(l.color));
        p.drawText(l.at, l.text);
    }
}

// ---------------------------------------------------------------- benchmarks

// How a run of the redraw treats the site between two redraws.
enum class Between {
    Nothing,    ///< the tables stay as they are
    MovePoint,  ///< one observation point moves, as an edit moves it
};

void runCrtplot(benchmark::State& state, double centrePX, double centrePY, double span,
                render::SiteIndex::Use use = render::SiteIndex::Use::Auto, Between between = Between::Nothing)
{
    site();
    render::StandalonePlot& face = plotFace();
    render::siteIndex().setUse(use);
    setView(centrePX, centrePY, span);
    crtplot(face);  // the index is built by the first redraw of a zoomed view
    for (auto _ : state) {
        if (between == Between::MovePoint)
            PointX[1] = PointX[1] + 0.001;
        setView(centrePX, centrePY, span);
        crtplot(face);
    }
    render::siteIndex().setUse(render::SiteIndex::Use::Auto);
    state.counters["lines"] = LineNext - 1;
}

void runQPainter(benchmark::State& state, double centrePX, double centrePY, double span)
{
    site();
    render::StandalonePlot& face = plotFace();
    setView(centrePX, centrePY, span);
    crtplot(face);  // fits the scale the primitives are collected with
    const Primitives prims = collectPrimitives(face.picture());
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QFont font(QStringLiteral("IPAGothic"));
    font.setPointSize(12);
    font.setStyleStrategy(QFont::NoAntialias);
    for (auto _ : state)
        drawPrimitives(image, prims, font);
    state.counters["segments"] = static_cast<double>(prims.segments.size());
    state.counters["texts"] = static_cast<double>(prims.labels.size());
}

using Use = render::SiteIndex::Use;

void BM_Crtplot_WholeSite(benchmark::State& s) { runCrtplot(s, 0, 0, kSite * 1.05); }
void BM_Crtplot_WholeSite_Walk(benchmark::State& s) { runCrtplot(s, 0, 0, kSite * 1.05, Use::Never); }
void BM_QPainter_WholeSite(benchmark::State& s) { runQPainter(s, 0, 0, kSite * 1.05); }
void BM_Crtplot_Window100m(benchmark::State& s) { runCrtplot(s, 120, -340, 100); }
// The same window walking every table, as the redraw did before it had an index.
void BM_Crtplot_Window100m_Walk(benchmark::State& s) { runCrtplot(s, 120, -340, 100, Use::Never); }
// One point moved before each redraw: the point grid is built again each time.
void BM_Crtplot_Window100m_PointMoved(benchmark::State& s)
{
    runCrtplot(s, 120, -340, 100, Use::Auto, Between::MovePoint);
}
void BM_QPainter_Window100m(benchmark::State& s) { runQPainter(s, 120, -340, 100); }
// A window 100 km off the data: nothing to draw.
void BM_Crtplot_Window100kmOff(benchmark::State& s) { runCrtplot(s, 100000, 0, 100); }
void BM_Crtplot_Window100kmOff_Walk(benchmark::State& s) { runCrtplot(s, 100000, 0, 100, Use::Never); }

BENCHMARK(BM_Crtplot_WholeSite)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Crtplot_WholeSite_Walk)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_QPainter_WholeSite)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Crtplot_Window100m)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Crtplot_Window100m_Walk)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Crtplot_Window100m_PointMoved)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_QPainter_Window100m)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Crtplot_Window100kmOff)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Crtplot_Window100kmOff_Walk)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
