// SPDX-License-Identifier: LicenseRef-Tavelcor
// Two display-only controls: the progress bar (a gauge from Min to Max) and
// the line (a straight line drawn between two points of its container, such
// as the width samples of a line-width dialog). Neither takes the focus.
#pragma once

#include "platform/forms/control.h"

#include <QPointF>

#include <cstdint>

namespace platform {

class ProgressBar final : public Control {
public:
    explicit ProgressBar(Container& container, QString name = QString());

    double Min() const { return mMin; }
    double Max() const { return mMax; }
    double Value() const { return mValue; }
    /// Min must stay below Max: a value at or above Max (or one not finite) is
    /// refused (false). The value is pulled into the new range.
    bool setMin(double min);
    /// Max must stay above Min (else false, nothing changes).
    bool setMax(double max);
    /// Min..Max, else refused (false, nothing changes).
    bool setValue(double value);

private:
    bool focusable() const override { return false; }
    void refresh();

    double mMin = 0.0;
    double mMax = 100.0;
    double mValue = 0.0;
};

class LineControl final : public Control {
public:
    explicit LineControl(Container& container, QString name = QString());

    /// End points in the container's scale (twips, or a picture box's user scale).
    double X1() const { return mFrom.x(); }
    double Y1() const { return mFrom.y(); }
    double X2() const { return mTo.x(); }
    double Y2() const { return mTo.y(); }
    void setX1(double x);
    void setY1(double y);
    void setX2(double x);
    void setY2(double y);
    /// 0x00BBGGRR; black by default.
    std::uint32_t BorderColor() const { return mColor; }
    void setBorderColor(std::uint32_t color);
    /// Pen width in pixels, 1 to 8192 (other values are refused: false).
    int BorderWidth() const { return mWidth; }
    bool setBorderWidth(int pixels);

private:
    bool focusable() const override { return false; }
    void place();

    QPointF mFrom;
    QPointF mTo;
    std::uint32_t mColor = 0;
    int mWidth = 1;
};

}  // namespace platform
