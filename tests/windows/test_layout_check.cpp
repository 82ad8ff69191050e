// SPDX-License-Identifier: LicenseRef-Tavelcor
// The layout check finds what a user would see cut or covered, and only that.
#include "layout_check.h"

#include "platform/forms/forms.h"

#include <gtest/gtest.h>

namespace {

class SampleWindow : public platform::Form {
public:
    SampleWindow() : platform::Form(QStringLiteral("Sample"))
    {
        setClientSize(6000.0, 4000.0);
        Frame1.setCaption(QStringLiteral("右クリック動作"));
        Frame1.Move(100.0, 100.0, 3000.0, 1500.0);
        Option1.setCaption(QStringLiteral("画地"));
        Option1.Move(100.0, 300.0, 1000.0, 300.0);
        Label1.setCaption(QStringLiteral("方向角表示"));
        Label1.Move(3300.0, 100.0, 1600.0, 270.0);
        Command1.setCaption(QStringLiteral("全　体"));
        Command1.Move(3300.0, 600.0, 1200.0, 400.0);
        Text1.Move(3300.0, 1200.0, 1200.0, 330.0);
    }

    platform::Frame Frame1{*this, QStringLiteral("Frame1")};
    platform::OptionButton Option1{Frame1, QStringLiteral("Option1")};
    platform::Label Label1{*this, QStringLiteral("Label1")};
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};
    platform::TextBox Text1{*this, QStringLiteral("Text1")};
    platform::ControlArray<platform::CheckBox> Check1{QStringLiteral("Check1")};
};

class LayoutCheck : public ::testing::Test {
protected:
    void SetUp() override { platform::installFontSubstitutions(); }
    SampleWindow window;
};

TEST_F(LayoutCheck, AWindowThatReadsWellHasNoFaults)
{
    EXPECT_EQ(layout_check::layoutFaults(window), QStringList());
}

TEST_F(LayoutCheck, FindsACaptionCutByItsControl)
{
    // Six letters of 12 pixels in a label 650 twips (43 pixels) wide: "ナンバー".
    window.Label1.setCaption(QStringLiteral("ナンバー表示"));
    window.Label1.setWidth(650.0);
    const QStringList faults = layout_check::layoutFaults(window);
    ASSERT_EQ(faults.size(), 1) << faults.join(u'\n').toStdString();
    EXPECT_TRUE(faults[0].startsWith(QStringLiteral("Label1: caption \"ナンバー表示\""))) << faults[0].toStdString();
}

TEST_F(LayoutCheck, MeasuresWithTheControlsOwnFont)
{
    window.Command1.setFontSize(24.0);
    const QStringList faults = layout_check::layoutFaults(window);
    ASSERT_EQ(faults.size(), 1) << faults.join(u'\n').toStdString();
    EXPECT_TRUE(faults[0].startsWith(QStringLiteral("Command1: caption"))) << faults[0].toStdString();
}

TEST_F(LayoutCheck, FindsTheIndicatorsRoomInACheckBox)
{
    // The text alone would fit in 40 pixels; with the box in front it does not.
    platform::CheckBox& box = window.Check1.add(3, window);
    box.setCaption(QStringLiteral("赤"));
    box.Move(3300.0, 2000.0, 400.0, 250.0);
    const QStringList faults = layout_check::layoutFaults(window);
    ASSERT_EQ(faults.size(), 1) << faults.join(u'\n').toStdString();
    EXPECT_TRUE(faults[0].startsWith(QStringLiteral("Check1(3): caption \"赤\""))) << faults[0].toStdString();
}

TEST_F(LayoutCheck, FindsATextBoxTooLowForItsLine)
{
    window.Text1.setHeight(200.0);
    const QStringList faults = layout_check::layoutFaults(window);
    ASSERT_EQ(faults.size(), 1) << faults.join(u'\n').toStdString();
    EXPECT_TRUE(faults[0].startsWith(QStringLiteral("Text1: a line of text"))) << faults[0].toStdString();
}

TEST_F(LayoutCheck, FindsOverlapsUnlessStackedOnPurpose)
{
    window.Command1.setTop(200.0);  // now over the lower part of Label1
    const QStringList faults = layout_check::layoutFaults(window);
    ASSERT_EQ(faults.size(), 1) << faults.join(u'\n').toStdString();
    EXPECT_TRUE(faults[0].startsWith(QStringLiteral("Label1 ("))) << faults[0].toStdString();
    EXPECT_TRUE(faults[0].endsWith(QStringLiteral("overlap"))) << faults[0].toStdString();

    EXPECT_EQ(layout_check::layoutFaults(window, {{QStringLiteral("Command1"), QStringLiteral("Label1")}}),
              QStringList());
}

TEST_F(LayoutCheck, FindsControlsOverTheFramesCaptionOrPastItsEdge)
{
    window.Option1.setTop(0.0);
    QStringList faults = layout_check::layoutFaults(window);
    ASSERT_EQ(faults.size(), 1) << faults.join(u'\n').toStdString();
    EXPECT_TRUE(faults[0].contains(QStringLiteral("covers the caption of Frame1"))) << faults[0].toStdString();

    // Its letters then reach the frame's edge too.
    window.Option1.Move(2500.0, 300.0);
    faults = layout_check::layoutFaults(window);
    ASSERT_EQ(faults.size(), 2) << faults.join(u'\n').toStdString();
    EXPECT_TRUE(faults[0].contains(QStringLiteral("runs out of Frame1"))) << faults[0].toStdString();
    EXPECT_TRUE(faults[1].contains(QStringLiteral("to the edge of its container"))) << faults[1].toStdString();
}

// A right-aligned label ends its letters at its right edge: a neighbour one
// pixel further on touches them, one ten pixels further on does not.
TEST_F(LayoutCheck, FindsACaptionWithoutRoomBeforeItsNeighbour)
{
    window.Label1.setAlignment(1);
    const double pixel = window.Label1.Width() / window.Label1.widget()->width();
    const struct {
        double gapPixels;
        bool fault;
    } cases[] = {{1.0, true}, {2.0, true}, {10.0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gapPixels);
        window.Command1.Move(window.Label1.Left() + window.Label1.Width() + c.gapPixels * pixel,
                             window.Label1.Top(), 600.0, 400.0);
        const QStringList faults = layout_check::layoutFaults(window);
        if (!c.fault) {
            EXPECT_EQ(faults, QStringList());
            continue;
        }
        ASSERT_EQ(faults.size(), 1) << faults.join(u'\n').toStdString();
        EXPECT_TRUE(faults[0].startsWith(QStringLiteral("Label1: caption \"方向角表示\""))) << faults[0].toStdString();
        EXPECT_TRUE(faults[0].contains(QStringLiteral("px to Command1"))) << faults[0].toStdString();
    }
}

TEST_F(LayoutCheck, FindsACaptionWithoutRoomBeforeTheEdgeOfItsFrame)
{
    // An option's letters run to the frame's right edge.
    window.Option1.setCaption(QStringLiteral("画地画地画地画地画地画地画地画地"));
    window.Option1.Move(100.0, 300.0, 2900.0, 300.0);
    const QStringList faults = layout_check::layoutFaults(window);
    ASSERT_FALSE(faults.isEmpty());
    EXPECT_TRUE(faults.filter(QStringLiteral("to the edge of its container")).size() == 1)
        << faults.join(u'\n').toStdString();
}

TEST_F(LayoutCheck, IgnoresWhatIsNotShown)
{
    window.Command1.setTop(200.0);
    window.Command1.setVisible(false);
    window.Option1.setCaption(QStringLiteral("とても長い選択肢の名前です"));
    window.Frame1.setVisible(false);
    EXPECT_EQ(layout_check::layoutFaults(window), QStringList());
}

}  // namespace
