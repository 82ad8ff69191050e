// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/koho.h"

#include "main/edit/point_names.h"
#include "main/site/tables.h"
#include "main/window/plot.h"

#include <algorithm>
#include <utility>

namespace tavelcor {

namespace {

constexpr int kLastCandidate = 99;
constexpr int kSeededPoints = 5;
constexpr double kCornerGap = 100.0;  // twips inside the main window's top right corner
// The background settings window, closed whenever this window is activated.
const QString kBackgroundWindowName = QStringLiteral("Haikei");

void unloadBackgroundWindow()
{
    if (platform::FormHolderBase* holder = platform::holderOfLoadedForm(kBackgroundWindowName))
        platform::Unload(*holder->loadedForm());
}

// The proposals after the names of the last five points, newest first, put
// into the candidate list from entry 1.
void seedCandidates(platform::ListBox& list)
{
    const int count = std::clamp<int>(PointCount, 0, kPointTop);
    for (int j = 1; j <= kSeededPoints && count - j + 1 >= 1; ++j) {
        NameCandidates[j] = NextPointName(PointName[count - j + 1]);
        list.AddItem(NameCandidates[j]);
    }
}

}  // namespace

Koho::Koho() : platform::Form(QStringLiteral("KOHO"))
{
    setCaption(QStringLiteral("名称候補"));
    setBorderStyle(platform::FormBorder::FixedDialog);
    setClientSize(2700.0, 3600.0);
    List1.Move(100.0, 100.0, 2500.0, 2500.0);
    Command1.setCaption(QStringLiteral("Ｏ　Ｋ"));
    Command1.Move(100.0, 2700.0, 1200.0, 360.0);
    Command2.setCaption(QStringLiteral("CANCEL"));
    Command2.Move(1400.0, 2700.0, 1200.0, 360.0);
    Command3.setCaption(QStringLiteral("消　去"));
    Command3.Move(100.0, 3150.0, 1200.0, 360.0);
    Command4.setCaption(QStringLiteral("呼び出し"));
    Command4.Move(1400.0, 3150.0, 1200.0, 360.0);

    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    List1.Click = [this] { List1_Click(); };
    List1.DblClick = [this] { Command1_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { platform::Unload(*this); };
    Command3.Click = [this] { Command3_Click(); };
}

void Koho::Form_Load()
{
    if (std::as_const(NameCandidates)[1].isEmpty()) {
        seedCandidates(List1);
    } else {
        for (int k = 1; k <= kLastCandidate && !std::as_const(NameCandidates)[k].isEmpty(); ++k)
            List1.AddItem(NameCandidates[k]);
    }
    placeAtMainWindow();
}

void Koho::Form_Activate()
{
    unloadBackgroundWindow();
    placeAtMainWindow();
}

void Koho::placeAtMainWindow()
{
    const Plot& w = plot();
    setTop(w.Top() + kCornerGap);
    setLeft(w.Left() + w.Width() - Width() - kCornerGap);
}

void Koho::List1_Click()
{
    plot().Text6.setText(List1.Text());
}

void Koho::Command1_Click()
{
    plot().Text6.setText(List1.Text());
    platform::Unload(*this);
}

void Koho::Command3_Click()
{
    for (int k = 1; k <= kLastCandidate && !std::as_const(NameCandidates)[k].isEmpty(); ++k)
        NameCandidates[k].clear();
    if (!platform::Unload(*this))
        return;
    // Shown again, not modal; loading it seeds the list anew.
    koho().Show();
}

platform::FormHolder<Koho>& kohoForm()
{
    static platform::FormHolder<Koho> holder;
    return holder;
}

void Command48_Click(Plot&)
{
    koho().ShowModal();
}

}  // namespace tavelcor
