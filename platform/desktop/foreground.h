// SPDX-License-Identifier: LicenseRef-Tavelcor
// The window in front (the one that has the keyboard) and bringing a window
// back to the front.
//
// On X11 the window in front is the root window's _NET_ACTIVE_WINDOW when the
// window manager keeps it, else the top-level window that holds the input
// focus (a display without a window manager, such as a bare Xvfb). Bringing a
// window to the front asks the window manager through a _NET_ACTIVE_WINDOW
// message when it supports one, else raises the window and gives it the input
// focus directly.
//
// This header needs QtCore only.
#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

namespace platform {

// A top-level window of the desktop: the X11 window id (for Qt widgets their
// winId()); 0 is "no window".
using WindowHandle = quint64;

class ForegroundWindows {
public:
    virtual ~ForegroundWindows() = default;

    // The window in front now; 0 when there is none or it cannot be told.
    virtual WindowHandle foregroundWindow() = 0;

    // Brings the window to the front and gives it the keyboard. Waits a short
    // while (at most a quarter second) until the window really has the
    // keyboard. False when the window is 0, no longer exists or did not come
    // to the front in that time.
    virtual bool bringToFront(WindowHandle window) = 0;
};

// Access to the X11 display named displayName (empty: $DISPLAY). Never null:
// without a usable display (no display, a Wayland session, a display that
// cannot be opened) the returned object reports no window in front and
// brings nothing to the front. It keeps its own connection to the display
// until it is destroyed.
std::unique_ptr<ForegroundWindows> openForegroundWindows(const QString& displayName = {});

}  // namespace platform
