// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/gauges.h"

#include "platform/canvas/colors.h"

#include <QPainter>
#include <QProgressBar>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

constexpr int kGaugeSteps = 10000;  // the widget's own scale: fine enough for any range
constexpr int kWidestLine = 8192;

// Paints a straight line between two points of its own rectangle.
class LineWidget final : public QWidget {
public:
    explicit LineWidget(QWidget* parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }

    QPointF from;
    QPointF to;
    QColor color = Qt::black;
    int width = 1;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(from, to);
    }
};

}  // namespace

// --- ProgressBar ---------------------------------------------------------------

ProgressBar::ProgressBar(Container& container, QString name) : Control(container, std::move(name))
{
    auto* bar = new QProgressBar(container.clientWidget());
    bar->setRange(0, kGaugeSteps);
    bar->setTextVisible(false);
    attach(bar);
    refresh();
}

void ProgressBar::refresh()
{
    const double share = (mValue - mMin) / (mMax - mMin);
    static_cast<QProgressBar*>(widget())->setValue(static_cast<int>(std::lround(share * kGaugeSteps)));
}

bool ProgressBar::setMin(double min)
{
    if (!std::isfinite(min) || min >= mMax)
        return false;
    mMin = min;
    mValue = std::max(mValue, mMin);
    refresh();
    return true;
}

bool ProgressBar::setMax(double max)
{
    if (!std::isfinite(max) || max <= mMin)
        return false;
    mMax = max;
    mValue = std::min(mValue, mMax);
    refresh();
    return true;
}

bool ProgressBar::setValue(double value)
{
    if (!std::isfinite(value) || value < mMin || value > mMax)
        return false;
    mValue = value;
    refresh();
    return true;
}

// --- LineControl ----------------------------------------------------------------

LineControl::LineControl(Container& container, QString name) : Control(container, std::move(name))
{
    attach(new LineWidget(container.clientWidget()));
    place();
}

void LineControl::setX1(double x)
{
    mFrom.setX(x);
    place();
}

void LineControl::setY1(double y)
{
    mFrom.setY(y);
    place();
}

void LineControl::setX2(double x)
{
    mTo.setX(x);
    place();
}

void LineControl::setY2(double y)
{
    mTo.setY(y);
    place();
}

void LineControl::setBorderColor(std::uint32_t color)
{
    mColor = color;
    place();
}

bool LineControl::setBorderWidth(int pixels)
{
    if (pixels < 1 || pixels > kWidestLine)
        return false;
    mWidth = pixels;
    place();
    return true;
}

void LineControl::place()
{
    // The widget covers the line with half a pen width to spare on each side.
    const QPointF a = container().unitsToPixels(QRectF(mFrom, mFrom)).topLeft();
    const QPointF b = container().unitsToPixels(QRectF(mTo, mTo)).topLeft();
    const int margin = mWidth / 2 + 1;
    const QRect box = QRectF(QPointF(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                             QPointF(std::max(a.x(), b.x()), std::max(a.y(), b.y())))
                          .toAlignedRect()
                          .adjusted(-margin, -margin, margin, margin);
    auto* line = static_cast<LineWidget*>(widget());
    line->setGeometry(box);
    line->from = a - box.topLeft();
    line->to = b - box.topLeft();
    line->color = toQColor(mColor);
    line->width = mWidth;
    line->update();
}

}  // namespace platform
