// SPDX-License-Identifier: LicenseRef-Tavelcor
// Shows a dialog modally through the Qt prompter, as a settings dialog is
// shown, places it again each time it becomes active (as such dialogs do),
// opens a second dialog modally from it and closes that again, and reports
// where the window manager shows the first dialog's frame at each step:
//
//     nested_modal_helper
//
// prints "parent before x,y", "parent during x,y", "parent after x,y" and
// "child x,y" (the frames' outer corners in pixels). Exit code 0 when every
// step was seen.
#include "platform/desktop/window_frames.h"
#include "platform/dialogs/qt_prompter.h"
#include "platform/forms/forms.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <optional>

namespace {

std::optional<platform::WindowFrame> frameOf(platform::WindowFrames& frames, const platform::Form& form)
{
    // The window manager frames a window a little after it is shown.
    for (int tries = 0; tries < 50; ++tries) {
        QTest::qWait(40);
        if (const auto frame = frames.frameOf(form.window()->winId()))
            return frame;
    }
    return std::nullopt;
}

bool report(platform::WindowFrames& frames, const platform::Form& form, const char* step)
{
    QTest::qWait(400);  // placed, activated and placed again
    const std::optional<platform::WindowFrame> frame = frameOf(frames, form);
    if (!frame)
        return false;
    std::printf("%s %d,%d\n", step, frame->outerTopLeft.x(), frame->outerTopLeft.y());
    std::fflush(stdout);
    return true;
}

class Dialog : public platform::Form {
public:
    explicit Dialog(const QString& name) : platform::Form(name)
    {
        setCaption(name);
        setBorderStyle(platform::FormBorder::FixedDialog);
        Command1.setCaption(QStringLiteral("OK"));
        Command1.Move(120.0, 120.0, 1200.0, 400.0);
    }
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::useQtPrompterByDefault();
    const std::unique_ptr<platform::WindowFrames> frames = platform::openWindowFrames();
    if (!frames)
        return 3;

    Dialog parent(QStringLiteral("settings"));
    parent.setClientSize(6000.0, 3000.0);
    Dialog child(QStringLiteral("nested"));
    child.setClientSize(4000.0, 2000.0);
    // The settings dialog places itself each time it becomes active.
    parent.Activate = [&parent] {
        parent.setTop(3000.0);
        parent.setLeft(4500.0);
    };
    int exitCode = 4;
    QTimer::singleShot(0, [&] {
        if (!report(*frames, parent, "parent before"))
            return;
        QTimer::singleShot(0, [&] {
            if (!report(*frames, parent, "parent during"))
                return;
            if (const auto frame = frameOf(*frames, child)) {
                std::printf("child %d,%d\n", frame->outerTopLeft.x(), frame->outerTopLeft.y());
            }
            child.Hide();
        });
        // Put partly above the screen, as a dialog placed by a maximised
        // window's corner may be.
        child.Move(6000.0, -1500.0);
        child.ShowModal();
        if (report(*frames, parent, "parent after"))
            exitCode = 0;
        parent.Hide();
    });
    parent.ShowModal();
    return exitCode;
}
