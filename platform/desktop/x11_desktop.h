// SPDX-License-Identifier: LicenseRef-Tavelcor
// The X11 implementations behind foreground.h, keysend.h and window_frames.h. Internal to
// platform_desktop: callers use openForegroundWindows() and openKeySender().
#pragma once

#include "platform/desktop/foreground.h"
#include "platform/desktop/keysend.h"
#include "platform/desktop/window_frames.h"

#include <QString>

#include <memory>

namespace platform {

// Key sender on the display through the XTest extension.
KeySenderOpening openX11KeySender(const QString& displayName);

// The window in front on the display; nullptr when the display cannot be
// opened.
std::unique_ptr<ForegroundWindows> openX11ForegroundWindows(const QString& displayName);

// Frames of windows on the display; nullptr when the display cannot be
// opened.
std::unique_ptr<WindowFrames> openX11WindowFrames(const QString& displayName);

}  // namespace platform
