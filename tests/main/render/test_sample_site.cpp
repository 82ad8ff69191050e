// SPDX-License-Identifier: LicenseRef-Tavelcor
// A whole small site drawn at once: parcels with labels, coordinates,
// observation points, lines, hand strokes and texts.  The picture is saved
// into the build folder (render_sample_site.png) for a person to look at.
#include "plot_fixture.h"

#include <QDir>
#include <QString>

#include <cmath>

namespace tavelcor::render::testing_support {
namespace {

class SampleSiteTest : public PlotFixture {
protected:
    void SetUp() override
    {
        PlotFixture::SetUp();
        face = plotWithSymbols(QSize(800, 600));
        setView(0, 0, 120, 160);  // 0.2 m per pixel
        buildSite();
    }

    static void buildSite()
    {
        // A row of three parcels with a shared street front, corners named K1..K8.
        const double xs[2] = {-30, 30};
        const double ys[4] = {-60, -20, 20, 60};
        int n = 3;
        for (double y : ys)
            for (double x : xs) {
                addCoordinate(n, QStringLiteral("K%1").arg(n - 2), x, y);
                ++n;
            }
        // Numbers: 3 (-30,-60) 4 (30,-60) 5 (-30,-20) 6 (30,-20) 7 (-30,20) 8 (30,20) 9 (-30,60) 10 (30,60)
        const int p1 = addParcel(QStringLiteral("101"), {3, 4, 6, 5});
        const int p2 = addParcel(QStringLiteral("102"), {5, 6, 8, 7});
        const int p3 = addParcel(QStringLiteral("103-1"), {7, 8, 10, 9});
        const double labels[3][2] = {{0, -40}, {0, 0}, {0, 40}};
        for (int i = 0; i < 3; ++i) {
            KakuchiLabelX[p1 + i] = static_cast<float>(labels[i][0]);
            KakuchiLabelY[p1 + i] = static_cast<float>(labels[i][1]);
        }
        KakuchiInfo[p3] = QStringLiteral("字東");
        KakuchiSel[p2] = 1;
        (void)p3;
        addPoint(QStringLiteral("T1"), QString(), 45, -50, 1);
        addPoint(QStringLiteral("T2"), QStringLiteral("済"), 45, 0, 2);
        addPoint(QStringLiteral("T3"), QString(), 45, 50, 3);
        addLine(-45, -70, -45, 70, 12);
        addLine(-40, -70, -40, 70, 9);
        // A hand stroke: a wave across the south.
        addStrokeVertex(-52, -70, 2, 1);
        for (int k = 1; k <= 140; ++k)
            addStrokeVertex(-52 + 3 * std::sin(k / 10.0), -70 + k, 2, k == 140 ? 3 : 2);
        addText(QStringLiteral("市道 1号線"), -33, -20, 4);
        addText(QStringLiteral("境界杭"), 50, -70, 13);
        TxtSplit = -1;
    }
};

TEST_F(SampleSiteTest, EveryLayerLeavesItsColourAndThePictureIsSaved)
{
    crtplot(*face);
    const int red = countPixels(QRect(0, 0, 800, 600), platform::QBColor(12));
    EXPECT_GT(countPixels(QRect(0, 0, 800, 600), platform::QBColor(8)), 100) << "parcel outlines";
    EXPECT_GT(countPixels(QRect(0, 0, 800, 600), platform::QBColor(1)), 100) << "selected parcel";
    EXPECT_GT(countPixels(QRect(0, 0, 800, 600), platform::RGB(255, 218, 185)), 1000) << "its fill";
    EXPECT_GT(red, 100) << "markers and the red line";
    EXPECT_GT(countPixels(QRect(0, 0, 800, 600), platform::QBColor(9)), 100) << "blue line and symbol";
    EXPECT_GT(countPixels(QRect(0, 0, 800, 600), platform::QBColor(2)), 100) << "stroke";
    EXPECT_GT(countPixels(QRect(0, 0, 800, 600), platform::QBColor(13)), 10) << "magenta text";
    EXPECT_GT(countPixels(QRect(0, 0, 800, 600), platform::QBColor(4)), 10) << "parcel names";
    EXPECT_EQ(face->scaleBar().label25Caption, QStringLiteral("10m"));

    const QString path = QStringLiteral(TAVELCOR_BUILD_DIR) + QStringLiteral("/render_sample_site.png");
    ASSERT_TRUE(canvas().image().save(path)) << path.toStdString();
}

}  // namespace
}  // namespace tavelcor::render::testing_support
