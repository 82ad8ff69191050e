// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The controls part's test window (ui_fixture.h) with the settings dialog,
// the catalogue editors and the remaining command buttons bound to the main
// window as the program binds them, a work folder that exists, and helpers
// to run a modal dialog through the scripted prompter.

#include "ui_fixture.h"

#include "main/app/ui_bindings.h"
#include "main/site/settings_file.h"
#include "main/ui/jyouken.h"
#include "main/ui/pointcat.h"
#include "main/ui/textcat.h"
#include "platform/text/cp932.h"

#include <QDir>
#include <QFile>

#include <functional>

namespace tavelcor::uitest {

class DialogsTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        addPlotWiring(wireUiBindings);
        ASSERT_TRUE(QDir().mkpath(WorkFolder));
    }

    /// Opens the settings dialog with 条  件 and lets `act` work it; `act`
    /// must close it.
    void withSettings(Plot& w, const std::function<void(Jyouken&)>& act)
    {
        script().expectModal([&act](platform::ModalWindow&) { act(jyouken()); }, QStringLiteral("条件"));
        click(w.Command19);
    }

    /// The lines of a CR LF text file in CP932; empty when it is missing.
    static QStringList fileLines(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QString text = platform::fromCp932(file.readAll());
        if (text.endsWith(QStringLiteral("\r\n")))
            text.chop(2);
        return text.split(QStringLiteral("\r\n"));
    }

    static QByteArray fileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

}  // namespace tavelcor::uitest
