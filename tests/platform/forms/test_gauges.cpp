// SPDX-License-Identifier: LicenseRef-Tavelcor
// The progress bar's range and value, and the line control drawn between two
// points of its container.
#include "forms_fixture.h"

#include "platform/canvas/colors.h"
#include "platform/forms/gauges.h"

#include <QProgressBar>

#include <limits>

namespace formstest {
namespace {

class GaugeForm : public platform::Form {
public:
    GaugeForm()
    {
        setClientSize(3000, 1500);
        ProgressBar1.Move(0, 0, 1500, 300);
    }

    platform::ProgressBar ProgressBar1{*this, QStringLiteral("ProgressBar1")};
    platform::LineControl Line1{*this, QStringLiteral("Line1")};
};

class Gauges : public FormsTest {};

TEST_F(Gauges, ProgressBarKeepsItsValueInsideTheRange)
{
    GaugeForm f;
    auto* bar = static_cast<QProgressBar*>(f.ProgressBar1.widget());
    EXPECT_DOUBLE_EQ(f.ProgressBar1.Max(), 100.0);
    EXPECT_TRUE(f.ProgressBar1.setValue(25));
    EXPECT_EQ(bar->value(), bar->maximum() / 4);
    EXPECT_FALSE(f.ProgressBar1.setValue(101));
    EXPECT_FALSE(f.ProgressBar1.setValue(-1));
    EXPECT_FALSE(f.ProgressBar1.setValue(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_DOUBLE_EQ(f.ProgressBar1.Value(), 25.0);
    EXPECT_FALSE(f.ProgressBar1.setMax(0));
    EXPECT_TRUE(f.ProgressBar1.setMax(20));  // pulls the value down
    EXPECT_DOUBLE_EQ(f.ProgressBar1.Value(), 20.0);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_FALSE(f.ProgressBar1.setMin(20));
    EXPECT_TRUE(f.ProgressBar1.setMin(10));
    EXPECT_TRUE(f.ProgressBar1.setValue(15));
    EXPECT_EQ(bar->value(), bar->maximum() / 2);
}

TEST_F(Gauges, LineIsDrawnBetweenItsEndsInItsColourAndWidth)
{
    GaugeForm f;
    f.Line1.setX1(300);
    f.Line1.setY1(750);
    f.Line1.setX2(2700);
    f.Line1.setY2(750);
    f.Line1.setBorderColor(platform::QBColor(12));
    EXPECT_TRUE(f.Line1.setBorderWidth(5));
    EXPECT_FALSE(f.Line1.setBorderWidth(0));
    EXPECT_EQ(f.Line1.BorderWidth(), 5);
    EXPECT_DOUBLE_EQ(f.Line1.X2(), 2700.0);
    f.setBackColor(platform::QBColor(15));
    const QImage shown = f.window()->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(100, 50)), QColor(255, 0, 0));
    EXPECT_EQ(QColor(shown.pixel(100, 48)), QColor(255, 0, 0)) << "five pixels wide";
    EXPECT_EQ(QColor(shown.pixel(100, 44)), QColor(255, 255, 255));
    EXPECT_EQ(QColor(shown.pixel(10, 50)), QColor(255, 255, 255)) << "nothing left of the first end";
}

}  // namespace
}  // namespace formstest
