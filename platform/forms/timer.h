// SPDX-License-Identifier: LicenseRef-Tavelcor
// The timer control: fires its Timer event every Interval milliseconds while
// Enabled (the default) and Interval is above 0, also while its form is
// hidden; it stops for good when its form unloads. Tests call the handler
// directly (`Timer1.Timer()`) instead of waiting.
#pragma once

#include "platform/forms/control.h"

#include <functional>
#include <memory>

class QTimer;

namespace platform {

class TimerControl final : public ControlBase {
public:
    explicit TimerControl(Container& container, QString name = QString());
    ~TimerControl() override;

    /// Milliseconds, 0..65535 (values outside are refused: false). Setting it
    /// starts the count again.
    int Interval() const { return mInterval; }
    bool setInterval(int milliseconds);
    bool Enabled() const { return mEnabled; }
    /// Switching on starts the count again.
    void setEnabled(bool enabled);
    /// True while the timer counts (enabled, an interval, its form loaded).
    bool isRunning() const;

    std::function<void()> Timer;

    void formUnloading() override;

private:
    void restart();
    void tick();

    std::unique_ptr<QTimer> mTimer;
    int mInterval = 0;
    bool mEnabled = true;
    bool mStopped = false;
};

}  // namespace platform
