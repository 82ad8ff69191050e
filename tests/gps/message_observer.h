// SPDX-License-Identifier: LicenseRef-Tavelcor
// Test helper: looks at the program's state at the moment a message box
// opens.  It wraps the prompter installed at its construction (the scripted
// one of the test), calls `seen` with each message request before that
// prompter answers it, and puts the wrapped prompter back when it ends.
#pragma once

#include "platform/prompt/prompter.h"

#include <functional>
#include <memory>
#include <utility>

namespace gpstest {

class ScopedMessageObserver {
public:
    explicit ScopedMessageObserver(std::function<void(const platform::MessageRequest&)> seen)
    {
        auto observing = std::make_unique<Observing>();
        observing->seen = std::move(seen);
        mObserving = observing.get();
        // Make sure a prompter is installed, then take it as the wrapped one.
        static_cast<void>(platform::prompter());
        mObserving->inner = platform::setPrompter(std::move(observing));
    }
    ~ScopedMessageObserver()
    {
        const std::unique_ptr<platform::Prompter> self = platform::setPrompter(std::move(mObserving->inner));
    }
    ScopedMessageObserver(const ScopedMessageObserver&) = delete;
    ScopedMessageObserver& operator=(const ScopedMessageObserver&) = delete;

private:
    struct Observing final : platform::Prompter {
        platform::MsgResult message(const platform::MessageRequest& request) override
        {
            if (seen)
                seen(request);
            return inner->message(request);
        }
        std::optional<QString> input(const platform::InputRequest& request) override { return inner->input(request); }
        std::optional<platform::FileChoice> file(const platform::FileRequest& request) override
        {
            return inner->file(request);
        }
        std::optional<std::uint32_t> color(const platform::ColorRequest& request) override
        {
            return inner->color(request);
        }
        std::optional<QString> printer(const platform::PrinterRequest& request) override
        {
            return inner->printer(request);
        }
        std::optional<platform::MenuPath> popupMenu(const platform::PopupMenuRequest& request) override
        {
            return inner->popupMenu(request);
        }
        void runModal(platform::ModalWindow& window) override { inner->runModal(window); }

        std::unique_ptr<platform::Prompter> inner;
        std::function<void(const platform::MessageRequest&)> seen;
    };

    Observing* mObserving = nullptr;
};

}  // namespace gpstest
