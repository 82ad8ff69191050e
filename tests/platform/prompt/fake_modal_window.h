// SPDX-License-Identifier: LicenseRef-Tavelcor
// A window the scripted prompter can run modally, without any widget: a
// caption and an open flag, counting how often it was shown and how often the
// prompter closed it.
#pragma once

#include "platform/prompt/modal_window.h"

#include <QString>

#include <utility>

namespace platform::testing {

class FakeModalWindow final : public ModalWindow {
public:
    explicit FakeModalWindow(QString caption) : mCaption(std::move(caption)) {}

    QString modalCaption() const override { return mCaption; }
    QWidget* modalWidget() override { return nullptr; }
    bool modalIsOpen() const override { return mOpen; }
    void modalShow() override
    {
        ++shows;
        mOpen = true;
    }
    void modalClose() override
    {
        ++closes;
        mOpen = false;
    }

    /// The window closes itself, as a form's own close button does.
    void closeByUser() { mOpen = false; }

    int shows = 0;
    int closes = 0;

private:
    QString mCaption;
    bool mOpen = false;
};

}  // namespace platform::testing
