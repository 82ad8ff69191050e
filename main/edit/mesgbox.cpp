// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/edit/mesgbox.h"

#include "main/site/tables.h"
#include "main/window/plot.h"

namespace tavelcor {

namespace {

constexpr double kWidth = 4800.0;
constexpr double kHeight = 1700.0;
// Placement over the main window: this far below its top, and with its
// right edge this far inside the main window's right edge.
constexpr double kTopGap = 400.0;
constexpr double kRightGap = 4400.0;

const QString kYes = QStringLiteral("yes");
const QString kNo = QStringLiteral("no");

}  // namespace

MESGBOX::MESGBOX() : platform::Form(QStringLiteral("MESGBOX"))
{
    setCaption(QStringLiteral("MsgBox"));
    setBorderStyle(platform::FormBorder::FixedDialog);
    setClientSize(kWidth, kHeight);
    Label1.Move(200.0, 150.0, kWidth - 400.0, 750.0);
    Command1.setCaption(QStringLiteral("はい"));
    Command1.Move(900.0, 1050.0, 1300.0, 420.0);
    Command2.setCaption(QStringLiteral("いいえ"));
    Command2.Move(2600.0, 1050.0, 1300.0, 420.0);

    Activate = [this] { Form_Activate(); };
    Command1.Click = [this] { Hide(); };
    Command2.Click = [this] {
        MesgAnswer = kNo;
        Hide();
    };
}

void MESGBOX::Form_Activate()
{
    Label1.setCaption(MesgAnswer);
    MesgAnswer = kYes;
    const Plot& window = plot();
    setTop(window.Top() + kTopGap);
    setLeft(window.Left() + window.Width() - Width() - kRightGap);
}

platform::FormHolder<MESGBOX>& mesgboxForm()
{
    static platform::FormHolder<MESGBOX> holder;
    return holder;
}

bool askInMesgbox(const QString& question)
{
    MesgAnswer = question;
    mesgbox().ShowModal();
    // The close box unloads the window; only a window still there is hidden.
    if (MESGBOX* box = mesgboxForm().ifLoaded())
        box->Hide();
    return MesgAnswer != kNo;
}

}  // namespace tavelcor
