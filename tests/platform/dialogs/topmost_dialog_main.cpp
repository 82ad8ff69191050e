// SPDX-License-Identifier: LicenseRef-Tavelcor
// Shows a window kept above the others (as the print dialog is), opens one
// of the prompter's dialogs from it as the program does, and reports how the
// window manager stacks the two, then closes the dialog:
//
//     topmost_dialog_helper <file|message|input>
//
// prints "window <id>", "dialog <id>" and "stacking <ids>", the window
// manager's client list from bottom to top (_NET_CLIENT_LIST_STACKING).
// Exit code 0 when the dialog came up and the window manager listed it.
#include "platform/dialogs/qt_prompter.h"
#include "platform/forms/form.h"

#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

// The window manager's stacking of its clients, bottom to top.
QByteArray clientStacking()
{
    QProcess xprop;
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    if (!xprop.waitForFinished(5000))
        return {};
    return xprop.readAllStandardOutput().trimmed();
}

QByteArray hexId(const QWidget& widget)
{
    return "0x" + QByteArray::number(static_cast<qulonglong>(widget.winId()), 16);
}

// Waits until the window manager lists `window` among its clients (it has
// mapped and stacked it); the stacking then, empty when it never does.
QByteArray stackingWith(const QWidget& window)
{
    const QByteArray id = hexId(window);
    QByteArray stacking;
    const auto listed = [&] {
        stacking = clientStacking();
        for (const QByteArray& entry : stacking.mid(stacking.indexOf('#') + 1).split(',')) {
            if (entry.trimmed() == id)
                return true;
        }
        return false;
    };
    return QTest::qWaitFor(listed, 10000) ? stacking : QByteArray();
}

void askWith(platform::QtPrompter& prompter, const QByteArray& kind)
{
    if (kind == "file") {
        platform::FileRequest request;
        request.mode = platform::FileDialogMode::Save;
        request.title = QStringLiteral("PDF 出力");
        prompter.file(request);
    } else if (kind == "message") {
        prompter.message({QStringLiteral("印刷しますか"), QStringLiteral("印刷"), platform::MsgButtons::OkCancel});
    } else {
        prompter.input({QStringLiteral("縮尺"), QStringLiteral("印刷"), QStringLiteral("500")});
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    QApplication app(argc, argv);
    platform::Form window(QStringLiteral("prtout"));
    window.setCaption(QStringLiteral("印刷"));
    window.Move(0.0, 0.0, 12000.0, 9000.0);
    window.setTopMost(true);
    window.Show();
    if (!QTest::qWaitForWindowExposed(window.window(), 10000) || stackingWith(*window.window()).isEmpty())
        return 3;

    bool seen = false;
    QTimer look;
    look.setInterval(100);
    QObject::connect(&look, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (dialog == nullptr || !dialog->isVisible())
            return;
        look.stop();
        const QByteArray stacking = stackingWith(*dialog);
        std::printf("window %s\n", hexId(*window.window()).constData());
        std::printf("dialog %s\n", hexId(*dialog).constData());
        std::printf("stacking %s\n", stacking.constData());
        std::fflush(stdout);
        seen = !stacking.isEmpty();
        if (auto* box = qobject_cast<QDialog*>(dialog))
            box->reject();
        else
            dialog->close();
    });
    look.start();
    platform::QtPrompter prompter;
    askWith(prompter, QByteArray(argv[1]));
    return seen ? 0 : 4;
}
