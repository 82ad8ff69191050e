// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/window/start_form.h"

#include "platform/desktop/screen.h"

namespace tavelcor {

namespace {

constexpr double kStartWidth = 4500.0;
constexpr double kStartHeight = 1500.0;

}  // namespace

Start::Start() : platform::Form(QStringLiteral("START"))
{
    setCaption(QStringLiteral("背景ラスター準備中"));
    setBorderStyle(platform::FormBorder::FixedDialog);
    setClientSize(kStartWidth, kStartHeight);
    Label1.setCaption(QStringLiteral("起動準備中です"));
    Label1.setAlignment(2);
    Label1.Move(200.0, 500.0, kStartWidth - 400.0, 400.0);
    if (const auto screen = platform::primaryScreenMetrics())
        Move((screen->widthTwips - Width()) / 2.0, (screen->heightTwips - Height()) / 2.0);
}

platform::FormHolder<Start>& startForm()
{
    static platform::FormHolder<Start> holder;
    return holder;
}

}  // namespace tavelcor
