// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/last_name_form.h"

#include "main/edit/dialog_places.h"
#include "main/edit/last_names.h"
#include "main/render/filters.h"
#include "main/render/window_plot_face.h"
#include "platform/prompt/prompter.h"

namespace tavelcor {

namespace {

constexpr double kWidth = 4200.0;
constexpr double kHeight = 6200.0;
constexpr double kPlaceGap = 100.0;

}  // namespace

LastName::LastName() : platform::Form(QStringLiteral("LastName"))
{
    setCaption(QStringLiteral("LastName"));
    setBorderStyle(platform::FormBorder::FixedToolWindow);
    setClientSize(kWidth, kHeight);
    Text1.setMultiLine(true);
    Text1.Move(100.0, 100.0, kWidth - 200.0, 4800.0);
    Text2.Move(100.0, 5020.0, 2200.0, 330.0);
    Command1.setCaption(QStringLiteral("文字で抽出"));
    Command1.Move(2400.0, 5000.0, 1700.0, 370.0);
    Command2.setCaption(QStringLiteral("終　了"));
    Command2.Move(2400.0, 5600.0, 1700.0, 420.0);

    Load = [this] { Kaishi(); };
    Activate = [this] { Form_Activate(); };
    Text2.GotFocus = [this] { Command1.setDefault(true); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { platform::Unload(*this); };
}

void LastName::Kaishi()
{
    render::PlotFace& face = plotFace();
    const QString report = lastNamesReport([&face](int i) { return PointShown(face, i); },
                                           [](const QString& text) { platform::MsgBox(text); });
    Text1.setText(report);
}

void LastName::Form_Activate()
{
    unloadBackgroundSettings();
    placeAtMainTopRight(*this, kPlaceGap);
}

void LastName::Command1_Click()
{
    if (Text2.Text().isEmpty())
        return;
    Text1.setText(QString());
    Text2.setText(QString(Text2.Text()).replace(u'*', u'交'));
    Text1.setText(namesContaining(Text2.Text()));
}

platform::FormHolder<LastName>& lastNameForm()
{
    static platform::FormHolder<LastName> holder;
    return holder;
}

}  // namespace tavelcor
