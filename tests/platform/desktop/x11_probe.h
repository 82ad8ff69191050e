// SPDX-License-Identifier: LicenseRef-Tavelcor
// Looks at an X server from outside, as the tests need it: whether a window
// manager runs, where a framed window and its frame are (the frame measured
// as the window manager's own frame window, not from the extents it
// announces), asking a window manager to close a window, and plain test
// windows. Each call opens its own connection. Free of Qt and Xlib in its
// interface so that tests of either kind can use it.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace x11_probe {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    return out << r.width << "x" << r.height << "+" << r.x << "+" << r.y;
}

// A window shown by the window manager: its client area and the frame the
// window manager put around it, on the screen, in pixels.
struct Framed {
    unsigned long window = 0;
    Rect client;
    Rect frame;
    friend bool operator==(const Framed&, const Framed&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Framed& f)
{
    return out << "window " << f.window << " client " << f.client << " frame " << f.frame;
}

// True when a window manager has taken the screen (it announces itself on
// the root window with _NET_SUPPORTING_WM_CHECK).
bool windowManagerRuns(const std::string& display);

// True once the window manager answers requests: it says how wide it would
// frame a window of the test (_NET_REQUEST_FRAME_EXTENTS) within timeoutMs.
// A window manager announces itself before it handles requests.
bool windowManagerAnswers(const std::string& display, int timeoutMs);

// The screen's size; nullopt when the display cannot be opened.
std::optional<Rect> screen(const std::string& display);

// The managed, shown window titled exactly `title` (WM_NAME) and its frame;
// nullopt while there is none, it is hidden or not yet framed.
std::optional<Framed> framedWindow(const std::string& display, const std::string& title);

// The same for a window known by its id.
std::optional<Framed> framedWindow(const std::string& display, unsigned long window);

// True once the window is mapped and shows on the screen (its map state is
// IsViewable), as another client of the server sees it.
bool viewable(const std::string& display, unsigned long window);

// Asks the window manager to close the window, as its close box does
// (_NET_CLOSE_WINDOW). False when the display cannot be opened.
bool askToClose(const std::string& display, unsigned long window);

// Asks the window manager to move the window's frame to (x, y), as a user
// who drags it does (_NET_MOVERESIZE_WINDOW from a pager). False when the
// display cannot be opened.
bool askToMove(const std::string& display, unsigned long window, int x, int y);

// A plain top-level window of the test, with a title and a fixed size;
// destroyed with the object.
class TestWindow {
public:
    TestWindow(const std::string& display, const std::string& title, int width, int height);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    unsigned long id() const;
    void show();
    void hide();

private:
    struct Connection;
    std::unique_ptr<Connection> mConnection;
};

}  // namespace x11_probe
