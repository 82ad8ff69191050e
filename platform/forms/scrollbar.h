// SPDX-License-Identifier: LicenseRef-Tavelcor
// The horizontal scroll bar. Value runs from Min to Max (Min may be the
// larger: the bar then runs the other way). Change fires when the value
// changes, by the user (arrows, track clicks, the end of a thumb drag) or from
// code; Scroll fires while the thumb is dragged.
#pragma once

#include "platform/forms/control.h"

class QScrollBar;

namespace platform {

class ScrollBar : public Control {
public:
    int Value() const;
    /// Fires Change when the value changes; a value outside Min..Max is
    /// refused (false, nothing changes).
    bool setValue(int value);
    int Min() const { return mMin; }
    int Max() const { return mMax; }
    /// The value is pulled into the new range (firing Change if it moves).
    void setMin(int min);
    void setMax(int max);
    int SmallChange() const;
    void setSmallChange(int change);
    int LargeChange() const;
    void setLargeChange(int change);

    std::function<void()> Change;
    std::function<void()> Scroll;

protected:
    ScrollBar(Container& container, QString name, Qt::Orientation orientation);

private:
    QScrollBar* bar() const;
    /// Sets Min and Max, pulling the value into the range (Change if it moves).
    void setLimits(int min, int max);
    void applyRange();
    void userChanged();
    void userScrolled();

    int mMin = 0;
    int mMax = 32767;
    int mValue = 0;
};

class HScrollBar final : public ScrollBar {
public:
    explicit HScrollBar(Container& container, QString name = QString());
};

}  // namespace platform
