// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main window on a real X server: a private Xvfb, the sample site opened
// through the chooser by the screenshot helper, and the screen it shows. The
// picture is kept in the build folder as tavelcor_site_xvfb.png.
//
// The sample site (tests/data/main/app/site, see its README) holds grey
// parcel outlines (colour 8), one red line (12), one blue hand stroke (9),
// two observation points with red symbols (the first named in black; the
// measured second one's red name lies under the side panel) and one red
// text. The helper says where each lies on the screen; the screen must show
// each in its colour there, and the side panel over the plot's right part.
#include "xvfb_server.h"

#include <QFile>
#include <QImage>
#include <QMap>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>

#include <gtest/gtest.h>

#include <functional>

namespace {

using ColourTest = std::function<bool(QRgb)>;

bool grey(QRgb p)  // QBColor(8): 128, 128, 128
{
    return qAbs(qRed(p) - 128) < 24 && qAbs(qGreen(p) - 128) < 24 && qAbs(qBlue(p) - 128) < 24;
}

bool red(QRgb p)
{
    return qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80;
}

bool blue(QRgb p)
{
    return qBlue(p) > 200 && qRed(p) < 80 && qGreen(p) < 80;
}

bool black(QRgb p)
{
    return qRed(p) < 60 && qGreen(p) < 60 && qBlue(p) < 60;
}

bool white(QRgb p)
{
    return qRed(p) == 255 && qGreen(p) == 255 && qBlue(p) == 255;
}

int count(const QImage& shot, const QRect& box, const ColourTest& test)
{
    int n = 0;
    const QRect inside = box.intersected(shot.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            n += test(shot.pixel(x, y)) ? 1 : 0;
    }
    return n;
}

// The helper's "at <item> <x> <y>" lines and its "panel" rectangle.
struct Places {
    QMap<QString, QPoint> at;
    QRect panel;
};

Places readPlaces(const QByteArray& output)
{
    Places places;
    for (const QByteArray& line : output.split('\n')) {
        const QList<QByteArray> f = line.trimmed().split(' ');
        if (f.size() == 4 && f[0] == "at")
            places.at.insert(QString::fromLatin1(f[1]), QPoint(f[2].toInt(), f[3].toInt()));
        else if (f.size() == 5 && f[0] == "panel")
            places.panel = QRect(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt());
    }
    return places;
}

TEST(SiteScreenshotTest, SampleSiteIsDrawnOnARealXServer)
{
    XvfbServer xvfb;
    QString whyNot;
    ASSERT_TRUE(xvfb.start(whyNot)) << whyNot.toStdString();

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
    const QByteArray standardOutput = helper.readAllStandardOutput();
    const std::string output = (standardOutput + helper.readAllStandardError()).toStdString();
    ASSERT_EQ(helper.exitStatus(), QProcess::NormalExit) << output;
    ASSERT_EQ(helper.exitCode(), 0) << output;
    const QImage shot(png);
    ASSERT_FALSE(shot.isNull());
    const Places places = readPlaces(standardOutput);

    // Lines: the colour on the line's own pixel, give or take one.
    const struct {
        const char* item;
        ColourTest colour;
    } strokes[] = {{"parcel-edge", grey}, {"line", red}, {"stroke", blue}};
    for (const auto& s : strokes) {
        ASSERT_TRUE(places.at.contains(QString::fromLatin1(s.item))) << s.item << "\n" << output;
        const QPoint p = places.at.value(QString::fromLatin1(s.item));
        EXPECT_GT(count(shot, QRect(p - QPoint(1, 1), QSize(3, 3)), s.colour), 0) << s.item << " at " << p.x() << ","
                                                                                  << p.y();
    }

    // Letters and symbols: enough pixels of their colour in the box where
    // they are printed (a symbol centred on its point, a name or a text
    // starting at it), in the part of the plot that the panel leaves free.
    ASSERT_FALSE(places.panel.isEmpty()) << output;
    const struct {
        const char* item;
        QPoint from;
        QSize size;
        ColourTest colour;
    } letters[] = {
        {"point-1", {-8, -8}, {16, 16}, red},   // ○
        {"point-1", {2, 0}, {40, 18}, black},   // 杭1
        {"point-2", {-8, -8}, {16, 16}, red},   // ◎
        {"text-1", {0, 0}, {30, 18}, red},      // 宅地
    };
    for (const auto& l : letters) {
        ASSERT_TRUE(places.at.contains(QString::fromLatin1(l.item))) << l.item << "\n" << output;
        const QPoint p = places.at.value(QString::fromLatin1(l.item));
        const QRect box(p + l.from, l.size);
        ASSERT_LT(box.right(), places.panel.left()) << l.item << " lies under the panel";
        EXPECT_GE(count(shot, box, l.colour), 8) << l.item << " at " << p.x() << "," << p.y();
    }

    // The side panel lies over the plot's right part and hides it: its own
    // background there, not the plot's white.
    const int area = places.panel.width() * places.panel.height();
    EXPECT_LT(count(shot, places.panel, white), area / 4) << "the plot shows through the side panel";
}

}  // namespace
