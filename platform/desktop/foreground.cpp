// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/desktop/foreground.h"

#include "platform/desktop/x11_desktop.h"

namespace platform {

namespace {

// Stands in where no display can be used: no window is ever in front.
class NoForegroundWindows final : public ForegroundWindows {
public:
    WindowHandle foregroundWindow() override { return 0; }
    bool bringToFront(WindowHandle) override { return false; }
};

}  // namespace

std::unique_ptr<ForegroundWindows> openForegroundWindows(const QString& displayName)
{
    std::unique_ptr<ForegroundWindows> windows = openX11ForegroundWindows(displayName);
    if (!windows)
        windows = std::make_unique<NoForegroundWindows>();
    return windows;
}

}  // namespace platform
