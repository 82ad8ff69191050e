// SPDX-License-Identifier: LicenseRef-Tavelcor
// A desktop in memory for tests: windows that exist, the one in front, and a
// record of every key string typed and of every window brought to the front.
//
// Keys typed through a sender of this desktop land in the window in front at
// that moment, as on a real desktop. Strings that the real sender refuses
// (malformed notation) are refused here too and not recorded.
#pragma once

#include "platform/desktop/foreground.h"
#include "platform/desktop/keysend.h"

#include <QString>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace platform {

class FakeDesktop final : public ForegroundWindows {
public:
    // One key string as it arrived.
    struct Typed {
        WindowHandle window = 0;  // the window in front when it was typed
        QString keys;

        friend bool operator==(const Typed&, const Typed&) = default;
    };

    // Makes a window exist (bringToFront() refuses windows that do not).
    void addWindow(WindowHandle window) { mWindows.push_back(window); }
    // Closes a window; when it was in front, none is in front afterwards.
    void closeWindow(WindowHandle window)
    {
        std::erase(mWindows, window);
        if (mForeground == window)
            mForeground = 0;
    }
    // The user (or the system) puts a window in front; 0 for none.
    void setForeground(WindowHandle window) { mForeground = window; }

    WindowHandle foregroundWindow() override { return mForeground; }

    bool bringToFront(WindowHandle window) override
    {
        mBroughtToFront.push_back(window);
        if (window == 0 || std::find(mWindows.begin(), mWindows.end(), window) == mWindows.end())
            return false;
        mForeground = window;
        return true;
    }

    // Makes senders fail to open with this reason (empty: they open).
    void setKeySenderFailure(QString failure) { mFailure = std::move(failure); }

    // Opens a sender that types into this desktop; the desktop must outlive
    // it. Counts the openings.
    KeySenderOpening openKeySender()
    {
        KeySenderOpening opening;
        ++mOpenings;
        if (!mFailure.isEmpty())
            opening.failure = mFailure;
        else
            opening.sender = std::make_unique<Sender>(*this);
        return opening;
    }

    const std::vector<Typed>& typed() const { return mTyped; }
    const std::vector<WindowHandle>& broughtToFront() const { return mBroughtToFront; }
    int keySenderOpenings() const { return mOpenings; }

private:
    class Sender final : public KeySender {
    public:
        explicit Sender(FakeDesktop& desktop) : mDesktop(desktop) {}
        bool sendKeys(const QString& keys) override
        {
            if (!parseKeyNotation(keys))
                return false;
            mDesktop.mTyped.push_back(Typed{mDesktop.mForeground, keys});
            return true;
        }

    private:
        FakeDesktop& mDesktop;
    };

    std::vector<WindowHandle> mWindows;
    WindowHandle mForeground = 0;
    std::vector<Typed> mTyped;
    std::vector<WindowHandle> mBroughtToFront;
    QString mFailure;
    int mOpenings = 0;
};

}  // namespace platform
