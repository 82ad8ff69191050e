// SPDX-License-Identifier: LicenseRef-Tavelcor
// The fixture of the forms tests: a scripted prompter whose surprises fail the
// test, and no form left over from one test to the next.
#pragma once

#include "platform/forms/form.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/testing.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <optional>
#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace formstest {

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override { mScript.emplace(); }

    void TearDown() override
    {
        platform::destroyAllForms();
        mScript.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    platform::ScriptedPrompter& script() { return mScript->get(); }

    /// Shows the form and waits until its window is the active one, so focus
    /// and key events reach its controls.
    static bool showActive(platform::Form& form)
    {
        form.Show();
        QApplication::setActiveWindow(form.window());
        return QTest::qWaitForWindowActive(form.window());
    }

private:
    std::optional<platform::testing::GTestScriptedPrompter> mScript;
};

}  // namespace formstest
