// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/cselect.h"

#include "main/render/dialog_support.h"
#include "main/render/view_services.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/colors.h"

#include <array>

namespace tavelcor {

namespace {

constexpr double kFrameWidth = 1100.0;
constexpr double kFrameHeight = 3950.0;
constexpr double kRowHeight = 300.0;
constexpr double kPlacementGap = 400.0;

using ColorTable = FixedTable<std::uint8_t, 0, kColorTableTop>;

void setAll(platform::ControlArray<platform::CheckBox>& boxes, int value)
{
    for (int c : kOfferedColors)
        boxes(c).setValue(value);
}

}  // namespace

Cselect::Cselect() : platform::Form(QStringLiteral("Cselect"))
{
    setCaption(QStringLiteral("表示色選択"));
    setBorderStyle(platform::FormBorder::FixedDialog);
    setClientSize(4 * (kFrameWidth + 100.0) + 100.0, 5450.0);

    const std::array<platform::Frame*, 4> frames = {&Frame1, &Frame2, &Frame3, &Frame4};
    const std::array<const char16_t*, 4> captions = {u"POINT", u"LINE", u"TEXT", u"手書"};
    const std::array<platform::ControlArray<platform::CheckBox>*, 4> boxes = {&Check1, &Check2, &Check3,
                                                                             &Check4};
    const std::array<platform::CommandButton*, 8> frameButtons = {&Command3, &Command4, &Command5, &Command6,
                                                                  &Command7, &Command8, &Command9, &Command10};
    for (std::size_t k = 0; k < frames.size(); ++k) {
        const double left = 100.0 + static_cast<double>(k) * (kFrameWidth + 100.0);
        frames[k]->Move(left, 100.0, kFrameWidth, kFrameHeight);
        frames[k]->setCaption(QString::fromUtf16(captions[k]));
        int row = 0;
        for (int c : kOfferedColors) {
            platform::CheckBox& box = boxes[k]->add(c, *frames[k]);
            box.Move(150.0, 250.0 + row * kRowHeight, kFrameWidth - 300.0, 270.0);
            ++row;
        }
        platform::CommandButton& all = *frameButtons[2 * k];
        platform::CommandButton& none = *frameButtons[2 * k + 1];
        all.setCaption(QStringLiteral("全選択"));
        all.Move(left, 4150.0, kFrameWidth, 330.0);
        none.setCaption(QStringLiteral("全解除"));
        none.Move(left, 4520.0, kFrameWidth, 330.0);
        platform::ControlArray<platform::CheckBox>& frameBoxes = *boxes[k];
        all.Click = [&frameBoxes] { setAll(frameBoxes, 1); };
        none.Click = [&frameBoxes] { setAll(frameBoxes, 0); };
    }
    Command1.setCaption(QStringLiteral("再表示"));
    Command1.Move(100.0, 4950.0, 2300.0, 400.0);
    Command2.setCaption(QStringLiteral("閉じる"));
    Command2.Move(2500.0, 4950.0, 2300.0, 400.0);

    Load = [this] { Form_Load(); };
    Activate = [this] { placeTopRight(*this, plot(), kPlacementGap); };
    // Every way of closing applies the boxes; closing cannot be refused.
    Unload = [this](int&) {
        applyBoxes();
        crtplot();
    };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void Cselect::Form_Load()
{
    clearTabStops(*this);
    hideBackgroundWindow();
    // A flag other than 0 and 1 (only from an edited settings file) shows
    // as ticked: the items of that colour are shown.
    const std::array<std::pair<platform::ControlArray<platform::CheckBox>*, const ColorTable*>, 4> rows = {{
        {&Check1, &PointColorShown},
        {&Check2, &LineColorShown},
        {&Check3, &TxtColorShown},
        {&Check4, &TegakiColorShown},
    }};
    for (const auto& [boxes, table] : rows) {
        for (int c : kOfferedColors) {
            platform::CheckBox& box = (*boxes)(c);
            box.setBackColor(platform::QBColor(c));
            box.setValue((*table)[c] != 0 ? 1 : 0);
        }
    }
}

void Cselect::applyBoxes()
{
    for (int c : kOfferedColors) {
        PointColorShown[c] = Check1(c).Value() != 0 ? 1 : 0;
        LineColorShown[c] = Check2(c).Value() != 0 ? 1 : 0;
        TxtColorShown[c] = Check3(c).Value() != 0 ? 1 : 0;
        TegakiColorShown[c] = Check4(c).Value() != 0 ? 1 : 0;
    }
}

void Cselect::Command1_Click()
{
    applyBoxes();
    crtplot();
}

void Cselect::Command2_Click()
{
    applyBoxes();
    platform::Unload(*this);
}

platform::FormHolder<Cselect>& cselectForm()
{
    static platform::FormHolder<Cselect> holder;
    return holder;
}

}  // namespace tavelcor
