// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The view part's test window (view_fixture.h: the shown main window, a
// scripted prompter whose surprises fail the test, a small site with its
// origin at 10000 N, 20000 E, a count of the full redraws) with the name
// and coordinate dialogs wired to their buttons.

#include "text_ink.h"
#include "view_fixture.h"

#include "main/edit/edit_dialogs_wiring.h"
#include "main/render/view_services.h"
#include "platform/forms/modal_answer.h"

#include <QApplication>
#include <QImage>
#include <QTest>

namespace tavelcor::edittest {

using viewtest::kOriginX;
using viewtest::kOriginY;

class EditDialogs : public viewtest::ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        addPlotWiring(wireEditDialogs);
    }

    void TearDown() override
    {
        ViewTest::TearDown();
        viewServices() = ViewServices{};
    }

    /// An observation point with marker `mark` at plot position (px, py).
    static int addPoint(const QString& name, double px, double py, int mark = 1, const QString& name2 = QString())
    {
        const int i = ++PointCount;
        PointName[i] = name;
        PointName2[i] = name2;
        PointX[i] = px;
        PointY[i] = py;
        PointMark[i] = static_cast<std::uint8_t>(mark);
        return i;
    }

    /// Makes the form's window the active one once what was pending has
    /// settled.
    static void activate(platform::Form& form)
    {
        QCoreApplication::processEvents();
        form.window()->activateWindow();
        QApplication::setActiveWindow(form.window());
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.window()));
        QCoreApplication::processEvents();
    }

    /// Types `text` into the field as a user does: focus, select all, keys.
    static void typeInto(platform::TextBox& field, const QString& text)
    {
        field.SetFocus();
        field.setSelStart(0);
        field.setSelLength(static_cast<int>(field.Text().size()));
        QTest::keyClicks(field.widget(), text);
        QCoreApplication::processEvents();
    }

    static void closeBox(platform::Form& form)
    {
        form.window()->close();
        QCoreApplication::processEvents();
    }

    /// True when `text` stands printed on the plot with its top left at
    /// plot position (px, py) in `color` and letter size `size`.
    static ::testing::AssertionResult printedAt(double px, double py, const QString& text, std::uint32_t color,
                                                double size)
    {
        const platform::Canvas& picture = plot().Picture1.canvas();
        return render::testing_support::containsText(
            picture.image(), render::testing_support::referenceText(picture, py, -px, text, color, size));
    }
};

}  // namespace tavelcor::edittest
