// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/background_step.h"

#include "main/render/plot_face.h"
#include "main/site/tables.h"
#include "platform/canvas/canvas.h"

#include <QImage>

#include <cmath>
#include <cstring>

namespace tavelcor::render {

namespace {

constexpr int kModeNone = 0;
constexpr int kModeFirst = 1;
constexpr int kModeSecond = 2;
constexpr int kModeBoth = 12;
constexpr int kHourglass = 11;
constexpr std::uint8_t kPlacementPreview = 4;

bool isUserRaster(std::uint8_t code)
{
    return code >= 1 && code <= 3;
}

bool rasterWithoutDefinition(std::uint8_t code)
{
    return isUserRaster(code) && HaikeiDef[code - 1].isEmpty();
}

// A single web layer: the standard map or the orthophoto alone.
bool singleWebLayer(std::uint8_t h1, std::uint8_t h2)
{
    const auto web = [](std::uint8_t code) { return code == 5 || code == 7; };
    return (web(h1) && h2 == 0) || (h1 == 0 && web(h2));
}

int brightnessOf(std::uint8_t code)
{
    return code <= kHaikeiLayerTop ? HaikeiBright[code] : 0;
}

// The buffer takes the plot's picture as it is (the buffer has its size).
void copyPicture(const QImage& from, platform::Canvas& to)
{
    QImage& into = to.imageForEdit();
    if (into.size() != from.size() || into.format() != from.format()) {
        to.setPicture(from);
        return;
    }
    const auto rowBytes = static_cast<std::size_t>(from.bytesPerLine());
    for (int y = 0; y < from.height(); ++y)
        std::memcpy(into.scanLine(y), from.constScanLine(y), rowBytes);
}

// Background 1 is kept in the buffer, shown over the plot, while background 2
// is drawn; then the two are mixed in the plot's picture.
void drawBlended(PlotFace& face, const BackgroundCalls& calls)
{
    platform::Canvas& picture = face.picture();
    const int pointer = face.pictureMousePointer();
    face.setPictureMousePointer(kHourglass);
    face.showBlendBuffer(true);
    copyPicture(picture.image(), face.blendBuffer());
    calls.Haikei_Draw(face, Haikei2Code);
    face.setPictureMousePointer(pointer);
    face.showBlendBuffer(false);
    const std::int16_t percent = blendPercent(brightnessOf(Haikei1Code), brightnessOf(Haikei2Code));
    if (calls.BlendPictures)
        calls.BlendPictures(picture, face.blendBuffer(), picture, percent);
}

}  // namespace

BackgroundPlan planBackground(std::uint8_t h1, std::uint8_t h2)
{
    BackgroundPlan plan;
    plan.clear = !singleWebLayer(h1, h2);
    if (h1 > 0 && h2 == 0)
        plan.mode = kModeFirst;
    else if (h1 == 0 && h2 > 0)
        plan.mode = kModeSecond;
    else if (h1 > 0 && h2 > 0)
        plan.mode = h1 == h2 ? kModeFirst : kModeBoth;
    if (rasterWithoutDefinition(h1)) {
        if (plan.mode == kModeFirst)
            plan.mode = kModeNone;
        else if (plan.mode == kModeBoth)
            plan.mode = kModeSecond;
    }
    if (rasterWithoutDefinition(h2)) {
        if (plan.mode == kModeSecond)
            plan.mode = kModeNone;
        else if (plan.mode == kModeBoth)
            plan.mode = kModeFirst;
    }
    return plan;
}

std::int16_t blendPercent(int b1, int b2)
{
    const int sum = b1 + b2 + 2;
    if (sum <= 0)
        return 50;
    return static_cast<std::int16_t>(std::nearbyint(100.0 * (b1 + 1) / sum));
}

void composeBackground(PlotFace& face, const BackgroundCalls& calls)
{
    const BackgroundPlan plan = planBackground(Haikei1Code, Haikei2Code);
    if (plan.clear) {
        platform::Canvas& picture = face.picture();
        picture.Refresh();
        picture.Cls();
    }
    if (!calls.Haikei_Draw)
        return;
    if (calls.rasterSetShown && calls.rasterSetShown()) {
        std::uint8_t preview = kPlacementPreview;
        calls.Haikei_Draw(face, preview);
        return;
    }
    if (plan.mode == kModeFirst || plan.mode == kModeBoth)
        calls.Haikei_Draw(face, Haikei1Code);
    else if (plan.mode == kModeSecond)
        calls.Haikei_Draw(face, Haikei2Code);
    if (plan.mode == kModeBoth)
        drawBlended(face, calls);
}

void drawBackgroundLayer(PlotFace& face, std::uint8_t& code)
{
    if (const auto& draw = renderState().hooks.background.Haikei_Draw)
        draw(face, code);
}

}  // namespace tavelcor::render
