// SPDX-License-Identifier: LicenseRef-Tavelcor
// Tavelcor, the main program: the main window with its plot.
#include "main/app/wirings.h"
#include "main/site/tables.h"
#include "main/window/plot.h"

#include "platform/forms/fonts.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/prompter.h"
#include "platform/dialogs/qt_prompter.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("TAVELCOR"));
    platform::installFontSubstitutions();
    platform::setPrompter(std::make_unique<platform::QtPrompter>());

    tavelcor::allocateTables();
    tavelcor::resetTables();

    tavelcor::registerPlotWirings();
    tavelcor::plot().Show();

    // The program ends when its last window is unloaded.
    platform::endWhenAllFormsUnload(true);
    const int result = QApplication::exec();
    platform::destroyAllForms();
    return result;
}
