// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/danmen_frm.h"

#include "main/background/profile_view.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/text/numbers.h"

#include <algorithm>

namespace tavelcor {

namespace {

constexpr double kWidth = 6000.0;
constexpr double kPlaceGap = 100.0;
constexpr int kEnter = 13;

// Ranges of the two number fields.
constexpr double kScaleMin = 1.0;
constexpr double kScaleMax = 50.0;
constexpr double kPointsMin = 10.0;
constexpr double kPointsMax = 1000.0;

// The field's text as its numeric value's trimmed number text, brought into
// min..max.
void bringIntoRange(platform::TextBox& field, double min, double max)
{
    const double value = platform::Val(field.Text());
    if (value < min)
        field.setText(platform::Str(min).trimmed());
    else if (value > max)
        field.setText(platform::Str(max).trimmed());
    else
        field.setText(platform::Str(value).trimmed());
}

// The field's value to the nearest whole number (halves to even).
int wholeValue(const platform::TextBox& field)
{
    return platform::CLng(platform::Val(field.Text()));
}

}  // namespace

bool isProfileViewInstance()
{
    return plot().Caption().contains(QStringLiteral("地理院標高API"));
}

DanmenFrm::DanmenFrm() : platform::Form(QStringLiteral("DanmenFrm"))
{
    designControls();
    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    QueryUnload = [this](int&, int) { Form_QueryUnload(); };
    Check1.Click = [this] { Label4.setVisible(Check1.Value() == platform::check::Checked); };
    Check2.Click = [this] { Text3.setEnabled(Check2.Value() == platform::check::Checked); };
    Text1.DblClick = [this] { Text1_DblClick(); };
    Text1.LostFocus = [this] { bringIntoRange(Text1, kScaleMin, kScaleMax); };
    Text2.LostFocus = [this] { bringIntoRange(Text2, kPointsMin, kPointsMax); };
    Text1.KeyPress = [this](int& keyAscii) { enterActsAsOk(keyAscii); };
    Text2.KeyPress = [this](int& keyAscii) { enterActsAsOk(keyAscii); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
}

void DanmenFrm::designControls()
{
    setCaption(QStringLiteral("断面図作成"));
    setBorderStyle(platform::FormBorder::FixedDialog);
    setClientSize(kWidth, 3800.0);
    Label1.setCaption(QStringLiteral("縦倍率(1-50)"));
    Label1.Move(120.0, 180.0, 2000.0, 270.0);
    Text1.setText(QStringLiteral("1"));
    Text1.Move(2200.0, 120.0, 900.0, 330.0);
    Label2.setCaption(QStringLiteral("最大点数(10-1000)"));
    Label2.Move(120.0, 600.0, 2000.0, 270.0);
    Text2.setText(QStringLiteral("50"));
    Text2.Move(2200.0, 540.0, 900.0, 330.0);
    Check2.setCaption(QStringLiteral("１０キロ以下の場合、固定ピッチにする"));
    Check2.Move(120.0, 960.0, 4000.0, 300.0);
    Label5.setCaption(QStringLiteral("ピッチ"));
    // Ends a few pixels before its field.
    Label5.Move(4140.0, 990.0, 500.0, 270.0);
    Text3.setText(QStringLiteral("100"));
    Text3.Move(4700.0, 930.0, 600.0, 330.0);
    Text3.setEnabled(false);
    Check1.setCaption(QStringLiteral("２点の時、気差球差を考慮する"));
    Check1.Move(120.0, 1350.0, 5100.0, 300.0);
    Label4.setCaption(QStringLiteral("気差球差を考慮する場合は、断面がほぼ直線になるように指示してください"));
    Label4.Move(120.0, 1680.0, 5760.0, 300.0);
    Label4.setVisible(false);
    Check3.setCaption(QStringLiteral("ピッチ点もポイント化する"));
    Check3.Move(120.0, 2250.0, 5100.0, 300.0);
    Label3.setCaption(QStringLiteral("標高を取得するのに、１００点で３０秒から１分ほど時間がかかります"));
    Label3.Move(120.0, 2640.0, 5760.0, 300.0);
    Command1.setCaption(QStringLiteral("Ｏ　Ｋ"));
    Command1.Move(1300.0, 3200.0, 1500.0, 450.0);
    Command2.setCaption(QStringLiteral("CANCEL"));
    Command2.Move(3200.0, 3200.0, 1500.0, 450.0);
}

void DanmenFrm::Form_Load()
{
    mProfileView = isProfileViewInstance();
    if (!mProfileView) {
        if (DanmenMaxPoints == 0)
            DanmenMaxPoints = 50;
        DanmenFixedPitch = 0;
        Text2.setText(platform::Str(DanmenMaxPoints).trimmed());
        Text1.setVisible(false);
        Label1.setVisible(false);
        return;
    }
    Text2.setVisible(false);
    Label2.setVisible(false);
    Text1.setText(platform::Str(DanmenScale).trimmed());
    DanmenOldScale = DanmenScale;
    Check1.setVisible(false);
    Label3.setVisible(false);
    Check2.setVisible(false);
    Text3.setVisible(false);
}

void DanmenFrm::Form_Activate()
{
    const Plot& window = plot();
    setTop(window.Top() + kPlaceGap);
    setLeft(window.Left() + window.Width() - Width() - kPlaceGap);
}

void DanmenFrm::Text1_DblClick()
{
    const double next = platform::Val(Text1.Text()) + 1.0;
    Text1.setText(platform::Str(std::clamp(next, kScaleMin, kScaleMax)).trimmed());
}

void DanmenFrm::enterActsAsOk(int& keyAscii)
{
    if (keyAscii != kEnter)
        return;
    keyAscii = 0;
    Command1_Click();
}

void DanmenFrm::Command1_Click()
{
    DanmenMaxPoints = static_cast<std::int16_t>(std::clamp<int>(wholeValue(Text2), 0, 32767));
    DanmenCurvature = Check1.Value() == platform::check::Checked ? 1 : 0;
    DanmenPitchPoints = Check3.Value() == platform::check::Checked ? 1 : 0;
    platform::Unload(*this);
}

void DanmenFrm::Command2_Click()
{
    DanmenMaxPoints = 1;
    platform::Unload(*this);
}

void DanmenFrm::Form_QueryUnload()
{
    // A value confirmed with Enter or by closing never had its field left:
    // bring both into range here too, since the builder divides by the
    // number of points and the rescale by the old factor.
    bringIntoRange(Text1, kScaleMin, kScaleMax);
    bringIntoRange(Text2, kPointsMin, kPointsMax);
    DanmenScale = static_cast<std::uint8_t>(wholeValue(Text1));
    DanmenMaxPoints = static_cast<std::int16_t>(wholeValue(Text2));
    const double pitch = platform::Val(Text3.Text());
    if (Check2.Value() == platform::check::Checked && pitch > 0.0)
        DanmenFixedPitch = platform::CLng(pitch);
    if (mProfileView)
        rescaleProfileView();
}

void DanmenFrm::rescaleProfileView() const
{
    LineSubState = 0;
    const float ratio = static_cast<float>(DanmenScale) / static_cast<float>(std::max<std::uint8_t>(DanmenOldScale, 1));
    stretchProfileHeights(ratio);
    fitProfileExtent();
    crtplot();
}

platform::FormHolder<DanmenFrm>& danmenFrmForm()
{
    static platform::FormHolder<DanmenFrm> holder;
    return holder;
}

}  // namespace tavelcor
