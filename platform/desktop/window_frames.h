// SPDX-License-Identifier: LicenseRef-Tavelcor
// The frame a window manager draws around a top-level window, as the window
// system reports it. On X11 that is the window's _NET_FRAME_EXTENTS (the
// widths of the frame's four sides) and the window's place on the screen;
// before a window is shown the window manager can be asked for the extents
// it will give it (_NET_REQUEST_FRAME_EXTENTS).
//
// A toolkit's own idea of the frame lags behind: after a window is hidden and
// shown again it may take the client area's corner for the frame's. Asking
// the window system gives the frame as it is now.
//
// This header needs QtCore only.
#pragma once

#include "platform/desktop/foreground.h"

#include <QMargins>
#include <QPoint>
#include <QString>

#include <memory>
#include <optional>

namespace platform {

// A window as the window manager shows it framed: the frame's outer top-left
// corner on the screen and the widths of the frame around the client area,
// in pixels.
struct WindowFrame {
    QPoint outerTopLeft;
    QMargins extents;

    friend bool operator==(const WindowFrame&, const WindowFrame&) = default;
};

class WindowFrames {
public:
    virtual ~WindowFrames() = default;

    // The frame of a window that a window manager shows framed now (shown,
    // with its frame extents set); nullopt for a hidden window, one that no
    // window manager frames (yet), or one that no longer exists.
    virtual std::optional<WindowFrame> frameOf(WindowHandle window) = 0;

    // The extents the window manager will give the window (created, not yet
    // shown), asked for and waited for at most timeoutMs milliseconds;
    // nullopt at once when no window manager that answers such a request
    // runs, or when it did not answer in time.
    virtual std::optional<QMargins> requestExtents(WindowHandle window, int timeoutMs) = 0;

    // True when the window's own size hints ask the window manager to keep
    // its client area where it is put (X11 static gravity), so that the
    // frame goes around it; false when the position it is put at is the
    // frame's corner (the default, north-west gravity).
    virtual bool placesClientArea(WindowHandle window) = 0;

    // Asks the window manager to put the shown window's frame with its outer
    // corner at `outerTopLeft` (_NET_MOVERESIZE_WINDOW, north-west gravity).
    // False when no window manager takes such a request.
    virtual bool moveFrame(WindowHandle window, QPoint outerTopLeft) = 0;
};

// Access to the X11 display named displayName (empty: $DISPLAY), with a
// connection of its own; nullptr when there is no X11 display to open.
std::unique_ptr<WindowFrames> openWindowFrames(const QString& displayName = {});

}  // namespace platform
