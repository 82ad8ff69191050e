// SPDX-License-Identifier: LicenseRef-Tavelcor
// KINTAB: the on-screen keypad that types into the window last in front.
// No command-line arguments. Runs once only per program folder: a second
// start ends at once, without a message.
#include "keypad/form1.h"
#include "keypad/module1.h"

#include "platform/forms/fonts.h"
#include "platform/forms/qt_translations.h"
#include "platform/forms/form_holder.h"
#include "platform/system/window_presence.h"

#include <QApplication>
#include <QMetaObject>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The application title: while the keypad runs, the title "KINTAB" is
    // announced for the main program's check.
    QCoreApplication::setApplicationName(QStringLiteral("KINTAB"));
    const std::unique_ptr<platform::SingleInstance> instance =
        platform::SingleInstance::acquire(QStringLiteral("KINTAB"));
    if (!instance)
        return 0;
    // The keypad window may hide and show again (compact mode); the program
    // ends only when the keypad window unloads.
    QApplication::setQuitOnLastWindowClosed(false);
    platform::installFontSubstitutions();
    platform::installQtTranslations();
    kintab::services().endProgram = [] {
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    };
    kintab::form1().Show();
    const int result = QApplication::exec();
    platform::destroyAllForms();
    return result;
}
