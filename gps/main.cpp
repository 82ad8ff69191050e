// SPDX-License-Identifier: LicenseRef-Tavelcor
// ORBELA, the GPS receiver program: one window, Form1.  It reads no command
// line.  The environment it takes besides the program folder's
// ($TAVELCOR_HOME) and the serial ports' ($ORBELA_PORT<n>):
//
//   TAVELCOR_HEADLESS_PROMPTS  set: message boxes go to the standard error
//                              stream and are answered at once (runs
//                              without anyone at the screen)
//
// The end of the desktop session (SIGTERM, SIGHUP, SIGINT) closes the window
// as its close box does, so the settings are saved and the main program
// sees "終了".
#include "gps/form1.h"
#include "gps/headless_prompts.h"

#include "platform/forms/fonts.h"
#include "platform/forms/qt_translations.h"
#include "platform/forms/form_holder.h"

#include <QApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int gSignalPipe[2] = {-1, -1};  // written by the signal handler only

extern "C" void onTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(gSignalPipe[1], &byte, 1);
}

// Closes the window when the session ends.  The notifier lives as long as
// the event loop runs.
void closeOnTerminationSignals(QObject& owner)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, &owner);
    QObject::connect(notifier, &QSocketNotifier::activated, &owner, [] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(gSignalPipe[0], &byte, 1);
        orbela::form1Holder().unload();
    });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        sigaction(signal, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ORBELA"));
    QApplication::setQuitOnLastWindowClosed(false);
    platform::installFontSubstitutions();
    platform::installQtTranslations();
    if (orbela::headlessPromptsRequested())
        orbela::useHeadlessPrompts();

    orbela::Form1& form = orbela::form1();
    if (form.hasEnded()) {
        orbela::form1Holder().destroy();
        return 0;
    }
    // Quit from the event loop: quitting at once would close the windows
    // while the window is still unloading.
    form.EndProgram = [] { QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection); };
    closeOnTerminationSignals(app);
    form.Show();
    const int result = QApplication::exec();
    platform::destroyAllForms();
    return result;
}
