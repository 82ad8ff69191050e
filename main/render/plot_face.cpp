// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/plot_face.h"

#include "main/render/redraw_hold.h"
#include "platform/canvas/canvas.h"

#include <QSize>

namespace tavelcor::render {

PlotFace::~PlotFace()
{
    forgetDeferredRedraw(*this);
}

StandalonePlot::StandalonePlot(QSize pixels)
    : mCanvas(std::make_unique<platform::Canvas>(pixels)),
      mBuffer(std::make_unique<platform::Canvas>(QSize(0, 0))),
      mFormHeightTwips(static_cast<double>(pixels.height()) * kTwipsPerPixel),
      mText2(QStringLiteral("1")), mText5(QStringLiteral("10000")), mText15(QStringLiteral("10001")),
      mText16(QStringLiteral("500000"))
{
    for (int n : {8, 10, 12, 13, 14, 15, 16, 17})
        mChecks[static_cast<std::size_t>(n)] = 1;
}

StandalonePlot::~StandalonePlot() = default;

double StandalonePlot::pictureWidthTwips() const
{
    return static_cast<double>(mCanvas->pixelSize().width()) * kTwipsPerPixel;
}

double StandalonePlot::pictureHeightTwips() const
{
    return static_cast<double>(mCanvas->pixelSize().height()) * kTwipsPerPixel;
}

void StandalonePlot::showBlendBuffer(bool shown)
{
    if (shown) {
        mBuffer->setBackColor(mCanvas->BackColor());
        mBuffer->resize(mCanvas->pixelSize());
        mBuffer->setScaleMode(platform::ScaleMode::Pixels);
        ++mBufferShowings;
    }
    mBufferShown = shown;
}

int StandalonePlot::checkValue(int number) const
{
    return (number >= 0 && number <= kMaxCheck) ? mChecks[static_cast<std::size_t>(number)] : 0;
}

void StandalonePlot::setCheck(int number, int value)
{
    if (number >= 0 && number <= kMaxCheck)
        mChecks[static_cast<std::size_t>(number)] = value;
}

QString StandalonePlot::rangeText(int number) const
{
    switch (number) {
    case 2: return mText2;
    case 5: return mText5;
    case 15: return mText15;
    case 16: return mText16;
    default: return {};
    }
}

void StandalonePlot::setRangeText(int number, const QString& text)
{
    switch (number) {
    case 2: mText2 = text; break;
    case 5: mText5 = text; break;
    case 15: mText15 = text; break;
    case 16: mText16 = text; break;
    default: break;
    }
}

QString StandalonePlot::symbolCaption(int mark) const
{
    return (mark >= 1 && mark <= 18) ? mSymbolCaptions[static_cast<std::size_t>(mark)] : QString();
}

std::uint32_t StandalonePlot::symbolColor(int mark) const
{
    return (mark >= 1 && mark <= 18) ? mSymbolColors[static_cast<std::size_t>(mark)] : 0U;
}

void StandalonePlot::setSymbol(int mark, const QString& caption, std::uint32_t color)
{
    if (mark < 1 || mark > 18)
        return;
    mSymbolCaptions[static_cast<std::size_t>(mark)] = caption;
    mSymbolColors[static_cast<std::size_t>(mark)] = color;
}

void StandalonePlot::setPointNameFields(const QString& name, const QString& name2)
{
    mText6 = name;
    mText7 = name2;
}

void StandalonePlot::setGauge(Gauge gauge, int percent)
{
    mGauges[static_cast<std::size_t>(gauge)] = percent;
}

}  // namespace tavelcor::render
