// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace platform {

bool installQtTranslations()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (application == nullptr)
        return false;
    // "qt_ja" gathers the catalogues of Qt's modules (qtbase_ja, ...).
    auto* translator = new QTranslator(application);
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qt"), QStringLiteral("_"),
                          folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace platform
