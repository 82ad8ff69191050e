// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Choosing an item of a form's menu bar as a user does: a click on it.

#include "platform/forms/form.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

namespace formstest {

/// Clicks the menu bar item of `form` with the caption; a failure when the
/// bar holds no such item.
inline void clickMenuBarItem(const platform::Form& form, const QString& caption)
{
    auto* bar = qobject_cast<QMenuBar*>(form.menuBarWidget());
    ASSERT_NE(bar, nullptr) << "no menu bar";
    for (QAction* action : bar->actions()) {
        if (action->text() == caption) {
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(action).center());
            QCoreApplication::processEvents();
            return;
        }
    }
    ADD_FAILURE() << "no menu bar item " << caption.toStdString();
}

}  // namespace formstest
