// SPDX-License-Identifier: LicenseRef-Tavelcor
// KINTAB: the on-screen keypad that types into the window last in front.
// No command-line arguments. Runs once only per program folder: a second
// start ends at once, without a message. The end of the desktop session
// (SIGTERM, SIGHUP, SIGINT) closes the keypad as its close box does, and
// KINTAB.JKN is written.
#include "keypad/form1.h"
#include "keypad/module1.h"

#include "platform/dialogs/qt_prompter.h"
#include "platform/forms/fonts.h"
#include "platform/forms/qt_translations.h"
#include "platform/forms/form_holder.h"
#include "platform/system/termination_signals.h"
#include "platform/system/window_presence.h"

#include <QApplication>
#include <QMetaObject>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The application title: while the keypad runs, the title "KINTAB" is
    // announced for the main program's check.
    QCoreApplication::setApplicationName(QStringLiteral("KINTAB"));
    // The keypad window may hide and show again (compact mode); the program
    // ends only when the keypad window unloads.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::installFontSubstitutions();
    platform::installQtTranslations();
    // Messages come in real message boxes, the first one too.
    platform::useQtPrompterByDefault();
    // Caught from the start: the title is announced before the keypad is
    // made, and the session may end meanwhile (while a message waits).
    bool endedEarly = false;
    platform::onTerminationSignals(app, [&endedEarly] {
        if (kintab::form1Holder().isLoaded()) {
            kintab::endForSession();
        } else {
            endedEarly = true;
            QCoreApplication::exit(0);
        }
    });
    const std::unique_ptr<platform::SingleInstance> instance = kintab::claimTheProgram();
    if (!instance || endedEarly)
        return 0;
    kintab::services().endProgram = [] {
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    };
    kintab::form1().Show();
    const int result = QApplication::exec();
    platform::destroyAllForms();
    return result;
}
