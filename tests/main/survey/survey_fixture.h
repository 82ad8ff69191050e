// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The view part's test window (view_fixture.h: the shown main window, a
// scripted prompter, a temporary program folder that is the site folder, a
// small site) with the survey part wired: 再表示 and 解除, the marks of the
// calculation picks in the redraw, the report window. The clipboard is in
// memory; the backup window is the program's own, run at a fixed time.

#include "text_ink.h"
#include "view_fixture.h"

#include "main/app/app_context.h"
#include "main/app/backup.h"
#include "main/survey/stdisp.h"
#include "main/survey/survey_services.h"
#include "main/survey/survey_wiring.h"
#include "platform/system/clipboard.h"
#include "platform/text/cp932.h"

#include <QFile>
#include <QImage>

namespace tavelcor::surveytest {

using viewtest::addCoordinate;
using viewtest::kOriginX;
using viewtest::kOriginY;

class SurveyTest : public viewtest::ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        resetAppContext();
        appServices().now = [] { return QDateTime(QDate(2024, 5, 6), QTime(10, 30)); };
        surveyServices().clipboard = &clipboard;
        BackupMinutes = 0;
        addPlotWiring(wireSurvey);
        addPlotWiring(wireBackup);
    }

    void TearDown() override
    {
        ViewTest::TearDown();
        surveyServices() = SurveyServices{};
        resetAppContext();
    }

    /// A press on a button of the main window, which the user's click makes
    /// the active window first (so a report window shown before is
    /// deactivated, as on the desktop).
    static void press(platform::CommandButton& button)
    {
        activate(plot());
        click(button);
    }

    /// Makes the form's window the active one, once what was pending has
    /// settled (a window shown just before becomes active only then).
    static void activate(platform::Form& form)
    {
        QCoreApplication::processEvents();
        form.window()->activateWindow();
        QApplication::setActiveWindow(form.window());
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.window()));
        QCoreApplication::processEvents();
    }

    /// The site folder's ZAHYO.SIM, as bytes; empty when there is none.
    static QByteArray zahyoSim() { return fileBytes(SiteFolder + QStringLiteral("ZAHYO.SIM")); }

    static QByteArray fileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static bool writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    }

    /// Pixels of the plot in one colour.
    static int countColor(std::uint32_t color)
    {
        const QImage& image = plot().Picture1.canvas().image();
        const QRgb wanted = platform::toQRgb(color);
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += (image.pixel(x, y) | 0xFF000000u) == wanted ? 1 : 0;
        return n;
    }

    /// True when `text` is printed on the plot starting at plot coordinate
    /// (px, py) in `color`, in the plot's current letter size.
    static ::testing::AssertionResult printedAt(double px, double py, const QString& text, std::uint32_t color)
    {
        const platform::Canvas& picture = plot().Picture1.canvas();
        return render::testing_support::containsText(
            picture.image(), render::testing_support::referenceText(picture, py, -px, text, color, picture.FontSize()));
    }

    platform::MemoryClipboard clipboard;
};

}  // namespace tavelcor::surveytest
