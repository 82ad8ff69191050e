// SPDX-License-Identifier: LicenseRef-Tavelcor
// Qt's standard dialogs speak Japanese once the programs load Qt's
// translations.
#include "platform/forms/qt_translations.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

QString cancelText()
{
    const QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
}

TEST(QtTranslations, StandardDialogTextsComeOutJapanese)
{
    EXPECT_EQ(cancelText(), QStringLiteral("Cancel")) << "English before the translations are loaded";
    ASSERT_TRUE(platform::installQtTranslations());
    EXPECT_EQ(cancelText(), QStringLiteral("キャンセル"));
    // The file dialog's own labels come from the same catalogue.
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
}

}  // namespace
