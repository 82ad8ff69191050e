// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main window on a real X server: a private Xvfb, the sample site opened
// through the chooser by the screenshot helper, and the screen it shows. The
// picture is kept in the build folder as tavelcor_site_xvfb.png.
#include "xvfb_server.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

TEST(SiteScreenshotTest, SampleSiteIsDrawnOnARealXServer)
{
    XvfbServer xvfb;
    QString whyNot;
    if (!xvfb.start(whyNot))
        GTEST_SKIP() << whyNot.toStdString();

    const QString png = QStringLiteral(TAVELCOR_BUILD_DIR "/tavelcor_site_xvfb.png");
    QFile::remove(png);
    QProcess helper;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), xvfb.display());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    helper.setProcessEnvironment(environment);
    helper.start(QStringLiteral(TAVELCOR_SCREENSHOT_HELPER),
                 {QStringLiteral(TAVELCOR_TEST_DATA "/main/app/site"), png});
    ASSERT_TRUE(helper.waitForFinished(60000));
    const QByteArray output = helper.readAllStandardOutput() + helper.readAllStandardError();
    ASSERT_EQ(helper.exitStatus(), QProcess::NormalExit) << output.toStdString();
    ASSERT_EQ(helper.exitCode(), 0) << output.toStdString();

    const QImage shot(png);
    ASSERT_FALSE(shot.isNull());
    // The plot's left part (the side panel covers the right 4200 twips):
    // the site's outlines, points and texts leave coloured and dark pixels.
    int dark = 0;
    int red = 0;
    for (int y = 0; y < 700 && y < shot.height(); ++y) {
        for (int x = 0; x < 700 && x < shot.width(); ++x) {
            const QRgb p = shot.pixel(x, y);
            dark += qGray(p) < 100 ? 1 : 0;
            red += (qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80) ? 1 : 0;
        }
    }
    EXPECT_GT(dark, 200) << output.toStdString();
    EXPECT_GT(red, 20) << "the red line and the red symbols show";
}

}  // namespace
