// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/scrollbar.h"

#include "platform/forms/dispatch.h"

#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>

namespace platform {

ScrollBar::ScrollBar(Container& container, QString name, Qt::Orientation orientation)
    : Control(container, std::move(name))
{
    auto* scrollBar = new QScrollBar(orientation, container.clientWidget());
    scrollBar->setTracking(false);  // the value changes when a drag ends; Scroll reports the drag
    scrollBar->setSingleStep(1);
    scrollBar->setPageStep(1);
    attach(scrollBar);
    applyRange();
    QObject::connect(scrollBar, &QScrollBar::valueChanged, scrollBar, [this] { userChanged(); });
    QObject::connect(scrollBar, &QScrollBar::sliderMoved, scrollBar, [this] { userScrolled(); });
}

QScrollBar* ScrollBar::bar() const
{
    return static_cast<QScrollBar*>(widget());
}

void ScrollBar::applyRange()
{
    QScrollBar* scrollBar = bar();
    const QSignalBlocker blocker(scrollBar);
    const bool reversed = mMin > mMax;
    scrollBar->setRange(std::min(mMin, mMax), std::max(mMin, mMax));
    scrollBar->setInvertedAppearance(reversed);
    scrollBar->setInvertedControls(reversed);
    scrollBar->setValue(mValue);
}

int ScrollBar::Value() const
{
    return mValue;
}

bool ScrollBar::setValue(int value)
{
    if (value < std::min(mMin, mMax) || value > std::max(mMin, mMax))
        return false;
    if (value == mValue)
        return true;
    mValue = value;
    {
        const QSignalBlocker blocker(bar());
        bar()->setValue(value);
    }
    fire(Change);
    return true;
}

void ScrollBar::setMin(int min)
{
    setLimits(min, mMax);
}

void ScrollBar::setMax(int max)
{
    setLimits(mMin, max);
}

void ScrollBar::setLimits(int min, int max)
{
    mMin = min;
    mMax = max;
    const int before = mValue;
    mValue = std::clamp(mValue, std::min(mMin, mMax), std::max(mMin, mMax));
    applyRange();
    if (mValue != before)
        fire(Change);
}

int ScrollBar::SmallChange() const
{
    return bar()->singleStep();
}

void ScrollBar::setSmallChange(int change)
{
    bar()->setSingleStep(std::max(1, change));
}

int ScrollBar::LargeChange() const
{
    return bar()->pageStep();
}

void ScrollBar::setLargeChange(int change)
{
    bar()->setPageStep(std::max(1, change));
}

void ScrollBar::userChanged()
{
    detail::DeliveryScope delivery;
    const int value = bar()->value();
    if (value == mValue)
        return;
    mValue = value;
    fire(Change);
}

void ScrollBar::userScrolled()
{
    detail::DeliveryScope delivery;
    fire(Scroll);
}

HScrollBar::HScrollBar(Container& container, QString name)
    : ScrollBar(container, std::move(name), Qt::Horizontal)
{
}

}  // namespace platform
