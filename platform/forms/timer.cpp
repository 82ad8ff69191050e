// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/timer.h"

#include "platform/forms/dispatch.h"
#include "platform/forms/form.h"

#include <QTimer>

namespace platform {

namespace {

constexpr int kLongestInterval = 65535;

}  // namespace

TimerControl::TimerControl(Container& container, QString name)
    : ControlBase(container.containerForm(), std::move(name)), mTimer(std::make_unique<QTimer>())
{
    mTimer->setTimerType(Qt::PreciseTimer);
    QObject::connect(mTimer.get(), &QTimer::timeout, mTimer.get(), [this] { tick(); });
}

TimerControl::~TimerControl() = default;

bool TimerControl::setInterval(int milliseconds)
{
    if (milliseconds < 0 || milliseconds > kLongestInterval)
        return false;
    mInterval = milliseconds;
    restart();
    return true;
}

void TimerControl::setEnabled(bool enabled)
{
    mEnabled = enabled;
    restart();
}

bool TimerControl::isRunning() const
{
    return mTimer->isActive();
}

void TimerControl::restart()
{
    mTimer->stop();
    if (mEnabled && mInterval > 0 && !mStopped)
        mTimer->start(mInterval);
}

void TimerControl::formUnloading()
{
    mStopped = true;
    mTimer->stop();
}

void TimerControl::tick()
{
    detail::DeliveryScope delivery;
    detail::raise(&form(), Timer);
}

}  // namespace platform
