// SPDX-License-Identifier: LicenseRef-Tavelcor
// The background step of the full redraw at 1920 x 1080 with two raster
// backgrounds, each one image file covering the view, veiled (levels 1 and
// 2) and blended, beside the same two images composed with QPainter in the
// same iterations: each file loaded and drawn scaled into the view, each
// layer veiled by a white fill of its opacity, the second drawn over the
// first with the blend's opacity.  Aim: within 2 times.
//
// Both sides load the image files in every iteration, as the background
// drawing does (a raster's images are read again at every redraw).  The
// images are 2000 x 1125 pixel JPEG files of a map-like pattern, drawn
// into a view 2 % smaller than themselves.
//
// Each iteration times the step and its floor back to back and reports both
// and their ratio as counters.  The times are wall-clock times: Qt scales
// images on a pool of threads, whose work the CPU time of this thread would
// leave out; on one CPU the wall clock counts all of it.  Run with
// repetitions to get medians, on one CPU:
//   taskset -c 3 bench/bin/bench_background --benchmark_repetitions=5
//       --benchmark_report_aggregates_only=true
#include "bench_support.h"

#include "main/background/background_drawing.h"
#include "main/render/background_step.h"
#include "main/render/plot_face.h"
#include "main/render/render_state.h"
#include "main/site/tables.h"
#include "platform/canvas/canvas.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace tavelcor;

// The wall-clock time work() takes, in milliseconds.
template <typename Work>
double wallMs(Work work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr QSize kImagePixels(2000, 1125);

// A map-like picture: a pale ground with a grid of roads and blocks of
// colour, so that the JPEG files carry detail to decode.
QImage mapPicture(int seed)
{
    QImage image(kImagePixels, QImage::Format_RGB32);
    image.fill(QColor(240, 236, 224));
    QPainter p(&image);
    QRandomGenerator random(static_cast<quint32>(seed));
    for (int k = 0; k < 600; ++k) {
        const QRect block(random.bounded(kImagePixels.width()), random.bounded(kImagePixels.height()),
                          20 + random.bounded(80), 20 + random.bounded(80));
        p.fillRect(block, QColor::fromHsv(random.bounded(360), 60, 200));
    }
    p.setPen(QPen(QColor(120, 120, 120), 3));
    for (int x = 0; x < kImagePixels.width(); x += 90)
        p.drawLine(x, 0, x + 40, kImagePixels.height());
    for (int y = 0; y < kImagePixels.height(); y += 70)
        p.drawLine(0, y, kImagePixels.width(), y + 25);
    return image;
}

struct Setup {
    QTemporaryDir dir;
    QString first;
    QString second;
    render::StandalonePlot face{QSize(kWidth, kHeight)};

    Setup()
    {
        first = dir.filePath(QStringLiteral("map1.jpg"));
        second = dir.filePath(QStringLiteral("map2.jpg"));
        if (!mapPicture(1).save(first, "JPEG", 90) || !mapPicture(2).save(second, "JPEG", 90)) {
            std::fprintf(stderr, "cannot write the images\n");
            std::exit(1);
        }
        allocateTables();
        resetTables();
        OriginX = -30000.0;
        OriginY = 20000.0;
        TwipPixX = TwipPixY = 15.0F * 1.002F;
        // One metre per pixel, the view centred on the origin.
        ViewCX = OriginX;
        ViewCY = OriginY;
        ViewSpanX = kHeight;
        ViewSpanY = kWidth;
        // Each raster one image, 2 % larger than the view.
        const QString files[2] = {first, second};
        for (int slot = 0; slot < 2; ++slot) {
            HaikeiFile(slot, 0) = files[slot];
            HaikeiXMin(slot, 0) = OriginX - kHeight * 0.51;
            HaikeiXMax(slot, 0) = OriginX + kHeight * 0.51;
            HaikeiYMin(slot, 0) = OriginY - kWidth * 0.51;
            HaikeiYMax(slot, 0) = OriginY + kWidth * 0.51;
            HaikeiFile(slot, 1).clear();
            HaikeiDef[slot] = dir.filePath(QStringLiteral("raster%1.AR2").arg(slot + 1));
        }
        Haikei1Code = 1;
        Haikei2Code = 2;
        HaikeiBright[1] = 1;
        HaikeiBright[2] = 2;
        installBackgroundCalls();
    }
};

Setup& setup()
{
    static Setup s;
    return s;
}

// The floor: the same two files composed with QPainter.
void composeWithQPainter(QImage& target, QImage& layer, const QString& first, const QString& second, int percent)
{
    const QRectF view(0, 0, kWidth, kHeight);
    const QRectF source(kImagePixels.width() * 0.01 / 1.02, kImagePixels.height() * 0.01 / 1.02,
                        kImagePixels.width() / 1.02, kImagePixels.height() / 1.02);
    {
        QPainter p(&target);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(view, QImage(first), source);
        p.setOpacity(50 * 1 / 255.0);
        p.fillRect(view, Qt::white);
    }
    {
        QPainter p(&layer);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(view, QImage(second), source);
        p.setOpacity(50 * 2 / 255.0);
        p.fillRect(view, Qt::white);
    }
    QPainter p(&target);
    p.setOpacity(percent / 100.0);
    p.drawImage(0, 0, layer);
}

void BM_BackgroundStep_TwoRastersBlendedAndVeiled(benchmark::State& state)
{
    Setup& s = setup();
    QImage target(kWidth, kHeight, QImage::Format_RGB32);
    QImage layer(kWidth, kHeight, QImage::Format_RGB32);
    const int percent = render::blendPercent(HaikeiBright[1], HaikeiBright[2]);
    double workMs = 0.0;
    double floorMs = 0.0;
    for (auto _ : state) {
        workMs += wallMs([&] {
            render::composeBackground(s.face, render::renderState().hooks.background);
            benchmark::DoNotOptimize(s.face.picture().image().constBits());
        });
        floorMs += wallMs([&] {
            composeWithQPainter(target, layer, s.first, s.second, percent);
            benchmark::DoNotOptimize(target.constBits());
        });
    }
    benchsupport::setRatioCounters(state, workMs, floorMs, "qpainter_ms");
    // Checked once, outside the timing: the blend was made.
    if (s.face.blendBufferShowings() == 0)
        state.SkipWithError("no blend");
}

BENCHMARK(BM_BackgroundStep_TwoRastersBlendedAndVeiled)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

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
