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
#include "platform/system/termination_signals.h"

#include <QApplication>

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
    platform::onTerminationSignals(app, [] { orbela::form1Holder().unload(); });
    form.Show();
    const int result = QApplication::exec();
    platform::destroyAllForms();
    return result;
}
