// SPDX-License-Identifier: LicenseRef-Tavelcor
// The X11 implementations behind foreground.h and keysend.h. Internal to
// platform_desktop: callers use openForegroundWindows() and openKeySender().
#pragma once

#include "platform/desktop/foreground.h"
#include "platform/desktop/keysend.h"

#include <QString>

#include <memory>

namespace platform {

// Key sender on the display through the XTest extension.
KeySenderOpening openX11KeySender(const QString& displayName);

// The window in front on the display; nullptr when the display cannot be
// opened.
std::unique_ptr<ForegroundWindows> openX11ForegroundWindows(const QString& displayName);

}  // namespace platform
