// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/frame_tracker.h"

#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace platform {

namespace {

// How long the window manager may take to say how wide the frame of a window
// will be.
constexpr int kExtentsWaitMs = 1000;
// How often and how long a place asked for is looked for on the screen: the
// window manager frames a window shown a few milliseconds after it is shown.
constexpr int kCheckEveryMs = 20;
constexpr int kChecks = 100;

}  // namespace

FrameTracker::FrameTracker(QWidget& window, std::unique_ptr<WindowFrames> frames)
    : mWindow(window), mFrames(std::move(frames)), mOuter(window.pos()), mCheck(std::make_unique<QTimer>())
{
    static_cast<void>(mWindow.winId());  // made now, to be asked about
    mExtents = mFrames->requestExtents(nativeWindow(), kExtentsWaitMs);
    mCheck->setInterval(kCheckEveryMs);
    QObject::connect(mCheck.get(), &QTimer::timeout, [this] { checkPlace(); });
}

FrameTracker::~FrameTracker() = default;

// The window system's window of the widget now: Qt makes it anew when some
// of the window's flags change, and the widget may still name the old one.
WindowHandle FrameTracker::nativeWindow() const
{
    return mWindow.windowHandle() != nullptr ? mWindow.windowHandle()->winId() : mWindow.winId();
}

void FrameTracker::place(QPoint outer)
{
    mOuter = outer;
    mPending = true;
    mCorrected = false;
    mChecks = 0;
    // Qt turns the client area's corner that it is given into the position
    // it hands the window manager by the frame widths it knows itself (none
    // while the window is not framed), and the window manager reads that
    // position by the window's gravity: as the frame's corner, or (static
    // gravity) as the client area's, around which it then puts the frame.
    const QMargins known = mWindow.windowHandle() != nullptr ? mWindow.windowHandle()->frameMargins() : QMargins();
    const QMargins around = mFrames->placesClientArea(nativeWindow()) ? mExtents.value_or(known) : known;
    mWindow.setGeometry(QRect(outer + QPoint(around.left(), around.top()), mWindow.size()));
    if (mWindow.isVisible())
        mCheck->start();
}

void FrameTracker::shown()
{
    if (mPending)
        mCheck->start();
}

void FrameTracker::hiding()
{
    mCheck->stop();
    if (!mPending)
        adopt();
}

void FrameTracker::moved()
{
    if (!mPending)  // a place asked for is not taken back by the old one
        adopt();
}

// Takes the place and the frame widths the window system shows now.
void FrameTracker::adopt()
{
    if (!mWindow.isVisible())
        return;
    if (const std::optional<WindowFrame> shown = mFrames->frameOf(nativeWindow())) {
        mOuter = shown->outerTopLeft;
        mExtents = shown->extents;
    }
}

// Once the window is framed: done when its frame stands where it was put;
// else the window manager is asked once to put it there. A window manager
// that keeps it elsewhere (at the screen's edge, say) has the last word.
void FrameTracker::checkPlace()
{
    const std::optional<WindowFrame> shown = mWindow.isVisible() ? mFrames->frameOf(nativeWindow()) : std::nullopt;
    ++mChecks;
    if (shown) {
        mExtents = shown->extents;
        if (shown->outerTopLeft == mOuter) {
            mPending = false;
        } else if (!mCorrected) {
            mCorrected = mFrames->moveFrame(nativeWindow(), mOuter);
            if (!mCorrected)
                mChecks = kChecks;
        }
    }
    if (mPending && mChecks < kChecks)
        return;
    mCheck->stop();
    if (mPending) {
        mPending = false;
        adopt();
    }
}

}  // namespace platform
