// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/desktop/window_frames.h"

#include "platform/desktop/x11_desktop.h"

namespace platform {

std::unique_ptr<WindowFrames> openWindowFrames(const QString& displayName)
{
    return openX11WindowFrames(displayName);
}

}  // namespace platform
