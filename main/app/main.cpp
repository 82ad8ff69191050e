// SPDX-License-Identifier: LicenseRef-Tavelcor
// Tavelcor, the main program: the main window with its plot.
#include "main/app/app_context.h"
#include "main/app/shutdown.h"
#include "main/app/wirings.h"
#include "main/site/tables.h"
#include "main/ui/ui_services.h"
#include "main/window/plot.h"

#include "platform/desktop/foreground.h"
#include "platform/dialogs/qt_prompter.h"
#include "platform/forms/fonts.h"
#include "platform/forms/qt_translations.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/prompter.h"
#include "platform/system/termination_signals.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("TAVELCOR"));
    platform::installFontSubstitutions();
    platform::installQtTranslations();
    platform::setPrompter(std::make_unique<platform::QtPrompter>());

    // Start-up records the window in front (on X11; none elsewhere).
    std::unique_ptr<platform::ForegroundWindows> desktop = platform::openForegroundWindows();
    tavelcor::uiServices().foreground = desktop.get();

    tavelcor::allocateTables();
    tavelcor::resetTables();

    tavelcor::registerPlotWirings();
    // The end of the desktop session ends the program in order, also while
    // start-up's chooser or any other dialog is open.
    bool sessionEnded = false;
    platform::onTerminationSignals(app, [&sessionEnded] {
        sessionEnded = true;
        tavelcor::endSession();
    });
    // Using the main window loads it: its start-up runs here, before the
    // event loop. A start-up that ends the program leaves nothing to save.
    tavelcor::Plot& window = tavelcor::plot();
    if (sessionEnded || tavelcor::plotRunState().startupEnd == tavelcor::StartupEnd::ProgramEnds) {
        platform::destroyAllForms();
        tavelcor::resetAppContext();
        return 0;
    }
    window.Show();

    // The program ends when its last window is unloaded.
    platform::endWhenAllFormsUnload(true);
    const int result = QApplication::exec();
    platform::destroyAllForms();
    tavelcor::resetAppContext();
    return result;
}
