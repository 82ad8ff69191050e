// SPDX-License-Identifier: LicenseRef-Tavelcor
// A window the prompters can run modally, without the forms library: a plain
// widget with a caption, counting how often it was shown and closed.
#pragma once

#include "platform/prompt/modal_window.h"

#include <QWidget>

#include <memory>

namespace platform::testing {

class FakeModalWindow final : public ModalWindow {
public:
    explicit FakeModalWindow(QString caption) : mWidget(std::make_unique<QWidget>()), mCaption(std::move(caption))
    {
        mWidget->setWindowTitle(mCaption);
    }

    QString modalCaption() const override { return mCaption; }
    QWidget* modalWidget() override { return mWidget.get(); }
    bool modalIsOpen() const override { return mWidget->isVisible(); }
    void modalShow() override
    {
        ++shows;
        mWidget->show();
    }
    void modalClose() override
    {
        ++closes;
        mWidget->hide();
    }

    QWidget& widget() { return *mWidget; }

    int shows = 0;
    int closes = 0;

private:
    std::unique_ptr<QWidget> mWidget;
    QString mCaption;
};

}  // namespace platform::testing
