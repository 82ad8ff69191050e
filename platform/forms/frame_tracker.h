// SPDX-License-Identifier: LicenseRef-Tavelcor
// The place of a top-level window as the corner of the frame the window
// manager draws around it, kept by asking the window system rather than the
// toolkit. Qt's own idea of the frame is lost when a window is hidden and
// shown again, and while it is lost Qt both reports the client area's corner
// as the window's and places the window off by the frame's widths.
//
// Used by a Form that tracks its frame (Form::setTracksWindowFrame); only
// where the window system reports frames (X11).
#pragma once

#include "platform/desktop/window_frames.h"

#include <QMargins>
#include <QPoint>

#include <memory>
#include <optional>

class QTimer;
class QWidget;

namespace platform {

class FrameTracker {
public:
    // Tracks `window` (a top-level widget that outlives the tracker) through
    // `frames`. Makes the native window and asks the window manager how wide
    // its frame will be.
    FrameTracker(QWidget& window, std::unique_ptr<WindowFrames> frames);
    ~FrameTracker();
    FrameTracker(const FrameTracker&) = delete;
    FrameTracker& operator=(const FrameTracker&) = delete;

    // The frame's outer corner (pixels): where the window was put, or where
    // the window system last showed it once it stood still.
    QPoint outer() const { return mOuter; }
    // The widths of the frame, once the window manager has said them.
    const std::optional<QMargins>& extents() const { return mExtents; }

    // Puts the frame's corner at `outer`. A shown window is checked once the
    // window manager has placed it, and put right when it stands elsewhere;
    // a hidden one when it is shown again.
    void place(QPoint outer);
    // The window has been shown.
    void shown();
    // The window is about to be hidden: the place it has now is kept.
    void hiding();
    // The window system reports that the window moved (the user dragged it,
    // or the window manager placed it).
    void moved();

private:
    WindowHandle nativeWindow() const;
    void adopt();
    void checkPlace();

    QWidget& mWindow;
    std::unique_ptr<WindowFrames> mFrames;
    QPoint mOuter;
    std::optional<QMargins> mExtents;
    // A place asked for that the window system has not shown yet.
    bool mPending = false;
    bool mCorrected = false;
    int mChecks = 0;
    std::unique_ptr<QTimer> mCheck;
};

}  // namespace platform
