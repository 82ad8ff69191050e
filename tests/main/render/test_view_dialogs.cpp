// SPDX-License-Identifier: LicenseRef-Tavelcor
// The display dialogs shown modally and worked through their controls by the
// scripted prompter's modal answers: shown colours (Cselect), line widths
// (Linewidth), number ranges (ZnoHani) and the colour picker (Color).  Each
// applies on every way of closing; the settings reach their files through
// the site's writers.
#include "view_fixture.h"

#include "main/render/color_picker.h"
#include "main/render/cselect.h"
#include "main/render/linewidth.h"
#include "main/render/view_services.h"
#include "main/render/znohani.h"
#include "main/site/display_settings.h"
#include "platform/forms/modal_answer.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <array>
#include <vector>

namespace tavelcor::viewtest {
namespace {

constexpr std::array<int, 12> kOffered = {0, 2, 3, 4, 6, 8, 9, 10, 11, 12, 13, 14};

class ViewDialogs : public ViewTest {
protected:
    void TearDown() override
    {
        viewServices() = ViewServices{};
        ViewTest::TearDown();
    }

    // The lines of a settings file in the site folder, CR LF removed.
    static QStringList fileLines(const QString& name)
    {
        QFile file(SiteFolder + name);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
        if (!lines.isEmpty() && lines.back().isEmpty())
            lines.removeLast();
        return lines;
    }

    static void closeBox(platform::Form& form) { form.window()->close(); }

    // Red pixels in one column of the picture.
    static int redInColumn(int x)
    {
        const QImage& image = plot().Picture1.canvas().image();
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            n += (image.pixel(x, y) | 0xFF000000u) == platform::toQRgb(platform::QBColor(12)) ? 1 : 0;
        return n;
    }
};

// ------------------------------------------------------------------ Cselect

TEST_F(ViewDialogs, ShownColoursOpenWithTheTablesAndCloseWithOneRedraw)
{
    Plot& w = shownPlot();
    PointColorShown[12] = 0;
    TegakiColorShown[3] = 0;
    int hidden = 0;
    viewServices().hideBackgroundWindow = [&hidden] { ++hidden; };
    script().expectModal(platform::onForm<Cselect>([&w](Cselect& f) {
        EXPECT_NEAR(f.Top(), w.Top() + 400.0, 15.0);
        EXPECT_NEAR(f.Left(), w.Left() + w.Width() - f.Width() - 400.0, 15.0);
        EXPECT_EQ(f.Check1(12).Value(), 0);
        EXPECT_EQ(f.Check1(9).Value(), 1);
        EXPECT_EQ(f.Check4(3).Value(), 0);
        EXPECT_EQ(f.Check2(13).BackColor(), platform::QBColor(13));
        EXPECT_FALSE(f.Check1.exists(1) || f.Check1.exists(5) || f.Check1.exists(7));
        EXPECT_FALSE(f.Command2.TabStop());
        EXPECT_FALSE(f.Check3(0).TabStop());
        closeBox(f);
    }), QStringLiteral("表示色選択"));
    cselect().ShowModal();
    EXPECT_EQ(hidden, 1) << "the background window is hidden when the dialog opens";
    EXPECT_EQ(PointColorShown[12], 0);
    EXPECT_EQ(PointColorShown[9], 1);
    EXPECT_EQ(TegakiColorShown[3], 0);
    EXPECT_EQ(redraws, 1);
    EXPECT_FALSE(cselectForm().isLoaded());
}

TEST_F(ViewDialogs, ClearingThePointFrameAndClosingHidesEveryOfferedPointColour)
{
    Plot& w = shownPlot();
    PointColorShown[5] = 1;
    script().expectModal(platform::onForm<Cselect>([](Cselect& f) {
        click(f.Command4);  // 全解除 of POINT
        closeBox(f);
    }));
    cselect().ShowModal();
    for (int c : kOffered)
        EXPECT_EQ(PointColorShown[c], 0) << c;
    for (int c : {1, 5, 7})
        EXPECT_EQ(PointColorShown[c], 1) << c << " has no box";
    EXPECT_EQ(LineColorShown[12], 1);
    EXPECT_EQ(w.Check12.Value(), 1);
}

struct FrameRow {
    const char* name;
    platform::CommandButton Cselect::*all;
    platform::CommandButton Cselect::*none;
    FixedTable<std::uint8_t, 0, kColorTableTop>* table;
};

TEST_F(ViewDialogs, EachFramesButtonsWorkOnlyItsOwnBoxesAndOnlyTheBoxes)
{
    const std::vector<FrameRow> rows = {
        {"POINT", &Cselect::Command3, &Cselect::Command4, &PointColorShown},
        {"LINE", &Cselect::Command5, &Cselect::Command6, &LineColorShown},
        {"TEXT", &Cselect::Command7, &Cselect::Command8, &TxtColorShown},
        {"手書", &Cselect::Command9, &Cselect::Command10, &TegakiColorShown},
    };
    shownPlot();
    for (const FrameRow& row : rows) {
        SCOPED_TRACE(row.name);
        for (auto* table : {&PointColorShown, &LineColorShown, &TxtColorShown, &TegakiColorShown})
            for (int c : kOffered)
                (*table)[c] = 1;
        redraws = 0;
        script().expectModal(platform::onForm<Cselect>([&row](Cselect& f) {
            click(f.*row.none);
            EXPECT_EQ((*row.table)[12], 1) << "the frame button alone changes no table";
            click(f.Command1);  // 再表示
            EXPECT_EQ((*row.table)[12], 0);
            click(f.*row.all);
            click(f.Command2);  // 閉じる
        }));
        cselect().ShowModal();
        EXPECT_EQ(redraws, 2) << "再表示 and the closing";
        for (auto* table : {&PointColorShown, &LineColorShown, &TxtColorShown, &TegakiColorShown})
            for (int c : kOffered)
                EXPECT_EQ((*table)[c], 1);
    }
}

TEST_F(ViewDialogs, RedisplayHidesAColourAtOnceWhileTheDialogStaysOpen)
{
    addLine(0.0, -30.0, 0.0, 30.0, 12);  // red, across the centre
    Plot& w = shownPlot();
    const int column = w.Picture1.clientPixels().width() / 2;
    ASSERT_GT(redInColumn(column), 0);
    script().expectModal(platform::onForm<Cselect>([column](Cselect& f) {
        click(f.Check2(12));
        click(f.Command1);
        EXPECT_EQ(redInColumn(column), 0);
        EXPECT_TRUE(f.Visible());
        click(f.Check2(12));
        click(f.Command2);
    }));
    cselect().ShowModal();
    EXPECT_GT(redInColumn(column), 0);
    EXPECT_EQ(LineColorShown[12], 1);
}

// A flag other than 0 and 1 can only come from an edited settings file: it
// shows as ticked and comes back as 1, so the items stay shown.
TEST_F(ViewDialogs, AnOddFlagShowsTickedAndComesBackAsShown)
{
    shownPlot();
    TxtColorShown[4] = 7;
    script().expectModal(platform::onForm<Cselect>([](Cselect& f) {
        EXPECT_EQ(f.Check3(4).Value(), 1);
        closeBox(f);
    }));
    cselect().ShowModal();
    EXPECT_EQ(TxtColorShown[4], 1);
}

TEST_F(ViewDialogs, ShownColoursReachTheirFileOnlyThroughTheSiteSave)
{
    shownPlot();
    script().expectModal(platform::onForm<Cselect>([](Cselect& f) {
        click(f.Check2(9));
        click(f.Check4(14));
        click(f.Command2);
    }));
    cselect().ShowModal();
    EXPECT_FALSE(QFileInfo::exists(SiteFolder + QStringLiteral("COLSELECT.JKN"))) << "the dialog writes no file";
    ASSERT_FALSE(SaveColorSelect().failed());
    const QStringList lines = fileLines(QStringLiteral("COLSELECT.JKN"));
    ASSERT_EQ(lines.size(), 60);
    // Four flags per colour: points, lines, texts, hand strokes.
    EXPECT_EQ(lines.mid(4 * 9, 4), (QStringList{"1", "0", "1", "1"}));
    EXPECT_EQ(lines.mid(4 * 14, 4), (QStringList{"1", "1", "1", "0"}));
}

// ---------------------------------------------------------------- Linewidth

TEST_F(ViewDialogs, LineWidthsOpenWithTheTableAndPlaceThemselves)
{
    Plot& w = shownPlot();
    LineWidthOf[9] = 5;
    script().expectModal(platform::onForm<Linewidth>([&w](Linewidth& f) {
        EXPECT_NEAR(f.Top(), w.Top() + 100.0, 15.0);
        EXPECT_NEAR(f.Left(), w.Left() + w.Width() - f.Width() - 100.0, 15.0);
        EXPECT_EQ(f.Text1(9).Text(), QStringLiteral("5"));
        EXPECT_EQ(f.Text1(8).Text(), QStringLiteral("1"));
        EXPECT_EQ(f.Line1(9).BorderWidth(), 5);
        EXPECT_EQ(f.Line1(12).BorderColor(), platform::QBColor(12));
        EXPECT_EQ(f.Label1(3).BackColor(), platform::QBColor(3));
        EXPECT_FALSE(f.Text1.exists(5));
        EXPECT_FALSE(f.Text1(0).TabStop());
        closeBox(f);
    }), QStringLiteral("線太さ"));
    linewidth().ShowModal();
    EXPECT_EQ(redraws, 0) << "the close box applies nothing";
}

TEST_F(ViewDialogs, ChangeAndRedisplayChecksEveryWidthAndDrawsWithIt)
{
    addLine(0.0, -30.0, 0.0, 30.0, 12);  // red, across the centre
    Plot& w = shownPlot();
    const int column = w.Picture1.clientPixels().width() / 2;
    const std::vector<std::pair<int, const char16_t*>> entries = {
        {0, u"0"}, {2, u"-3"}, {3, u"21"}, {4, u"abc"}, {6, u"20"}, {8, u"1.5"}, {9, u"2.5"}, {12, u"3x"}};
    script().expectModal(platform::onForm<Linewidth>([&entries, column](Linewidth& f) {
        for (const auto& [c, text] : entries)
            f.Text1(c).setText(QString::fromUtf16(text));
        click(f.Command2);
        EXPECT_TRUE(f.Visible()) << "変更再表示 keeps the window open";
        EXPECT_EQ(redInColumn(column), 3) << "the red line is drawn 3 wide at once";
        for (int c : {0, 2, 3, 4})
            EXPECT_EQ(f.Text1(c).Text(), QStringLiteral("2")) << c;
        EXPECT_EQ(f.Text1(12).Text(), QStringLiteral("3x")) << "a good entry stays as typed";
        EXPECT_EQ(f.Line1(6).BorderWidth(), 20);
        closeBox(f);
    }));
    linewidth().ShowModal();
    EXPECT_EQ(LineWidthOf[0], 2);
    EXPECT_EQ(LineWidthOf[6], 20);
    EXPECT_EQ(LineWidthOf[8], 2);
    EXPECT_EQ(LineWidthOf[9], 2);
    EXPECT_EQ(LineWidthOf[12], 3);
    EXPECT_EQ(LineWidthOf[5], 2) << "no row for colour 5";
    EXPECT_EQ(redraws, 1);
}

TEST_F(ViewDialogs, CloseKeepsTheWindowLoadedWithTheCheckedEntries)
{
    shownPlot();
    script().expectModal(platform::onForm<Linewidth>([](Linewidth& f) {
        f.Text1(11).setText(QStringLiteral("25"));
        f.Text1(13).setText(QStringLiteral("4"));
        click(f.Command1);  // 閉じる
    }));
    linewidth().ShowModal();
    EXPECT_TRUE(linewidthForm().isLoaded());
    EXPECT_EQ(LineWidthOf[11], 2);
    EXPECT_EQ(LineWidthOf[13], 4);
    EXPECT_EQ(redraws, 1);

    LineWidthOf[13] = 9;  // not read again: the window is not loaded afresh
    script().expectModal(platform::onForm<Linewidth>([](Linewidth& f) {
        EXPECT_EQ(f.Text1(11).Text(), QStringLiteral("2"));
        EXPECT_EQ(f.Text1(13).Text(), QStringLiteral("4"));
        f.Text1(13).setText(QStringLiteral("7"));
        closeBox(f);  // typed but not applied: lost
    }));
    linewidth().ShowModal();
    EXPECT_FALSE(linewidthForm().isLoaded());
    EXPECT_EQ(LineWidthOf[13], 9);

    script().expectModal(platform::onForm<Linewidth>([](Linewidth& f) {
        EXPECT_EQ(f.Text1(13).Text(), QStringLiteral("9")) << "loaded afresh from the table";
        closeBox(f);
    }));
    linewidth().ShowModal();
}

TEST_F(ViewDialogs, LineWidthsReachTheirFileOnlyThroughTheSiteSave)
{
    shownPlot();
    script().expectModal(platform::onForm<Linewidth>([](Linewidth& f) {
        f.Text1(10).setText(QStringLiteral("6"));
        click(f.Command1);
    }));
    linewidth().ShowModal();
    EXPECT_FALSE(QFileInfo::exists(SiteFolder + QStringLiteral("LINEWID.JKN")));
    ASSERT_FALSE(SaveLineWidths().failed());
    const QStringList lines = fileLines(QStringLiteral("LINEWID.JKN"));
    ASSERT_EQ(lines.size(), 15);
    EXPECT_EQ(lines[10], QStringLiteral("6"));
    EXPECT_EQ(lines[8], QStringLiteral("1"));
}

// ------------------------------------------------------------------ ZnoHani

TEST_F(ViewDialogs, NumberRangesAreKeptWithinTheirBoundsOnOpeningAndClosing)
{
    Plot& w = shownPlot();
    w.Text2.setText(QStringLiteral("0"));
    w.Text16.setText(QStringLiteral("1000000"));
    script().expectModal(platform::onForm<ZnoHani>([](ZnoHani& f) {
        EXPECT_EQ(f.Text1.Text(), QStringLiteral("1"));
        EXPECT_EQ(f.Text2.Text(), QStringLiteral("10000"));
        EXPECT_EQ(f.Text4.Text(), QStringLiteral("999999"));
        EXPECT_FALSE(f.Command1.TabStop());
        f.Text1.setText(QStringLiteral("0"));
        f.Text2.setText(QStringLiteral("abc"));
        f.Text3.setText(QStringLiteral("12.5"));
        f.Text4.setText(QStringLiteral("1000000"));
        click(f.Command1);  // ＯＫ
    }), QStringLiteral("座標範囲"));
    znoHani().ShowModal();
    EXPECT_EQ(w.Text2.Text(), QStringLiteral("1"));
    EXPECT_EQ(w.Text5.Text(), QStringLiteral("1"));
    EXPECT_EQ(w.Text15.Text(), QStringLiteral("12.5")) << "copied as text, not rounded";
    EXPECT_EQ(w.Text16.Text(), QStringLiteral("999999"));
    EXPECT_EQ(redraws, 1);
    EXPECT_FALSE(znoHaniForm().isLoaded());
}

TEST_F(ViewDialogs, ResetRedrawsAtOnceAndTheCloseBoxAppliesToo)
{
    Plot& w = shownPlot();
    w.Text2.setText(QStringLiteral("50"));
    w.Text15.setText(QStringLiteral("70"));
    script().expectModal(platform::onForm<ZnoHani>([&w](ZnoHani& f) {
        click(f.Command2);  // 初期化
        EXPECT_EQ(w.Text2.Text(), QStringLiteral("1"));
        EXPECT_EQ(w.Text5.Text(), QStringLiteral("10000"));
        EXPECT_EQ(w.Text15.Text(), QStringLiteral("10001"));
        EXPECT_EQ(w.Text16.Text(), QStringLiteral("500000"));
        EXPECT_EQ(f.Text3.Text(), QStringLiteral("10001"));
        EXPECT_TRUE(f.Visible());
        f.Text3.setText(QStringLiteral("200"));
        closeBox(f);
    }));
    znoHani().ShowModal();
    EXPECT_EQ(w.Text15.Text(), QStringLiteral("200"));
    EXPECT_EQ(redraws, 2) << "初期化 and the closing";
}

TEST_F(ViewDialogs, AnEmptyFirstRangeLeavesOnlyTheSecondRangeDrawn)
{
    addCoordinate(150, QStringLiteral("A"), 10.0, -20.0);
    addCoordinate(250, QStringLiteral("B"), -10.0, 20.0);
    Plot& w = shownPlot();
    // Numbered markers (red circles of 70 twips) without labels.
    w.Check17.setValue(0);
    w.Check1.setValue(1);
    const auto ink = [](double px, double py) {
        int n = 0;
        for (double dx = -1.0; dx <= 1.0; dx += 0.05)
            for (double dy = -1.0; dy <= 1.0; dy += 0.05)
                n += colorAt(px + dx, py + dy) == platform::QBColor(12) ? 1 : 0;
        return n;
    };
    ASSERT_GT(ink(10.0, -20.0), 0);
    ASSERT_GT(ink(-10.0, 20.0), 0);
    script().expectModal(platform::onForm<ZnoHani>([](ZnoHani& f) {
        f.Text1.setText(QStringLiteral("300"));
        f.Text2.setText(QStringLiteral("200"));
        f.Text3.setText(QStringLiteral("250"));
        f.Text4.setText(QStringLiteral("250"));
        click(f.Command1);
    }));
    znoHani().ShowModal();
    EXPECT_EQ(ink(10.0, -20.0), 0) << "150 lies in neither range";
    EXPECT_GT(ink(-10.0, 20.0), 0) << "250 lies in the second";
}

// ---------------------------------------------------------------- colour picker

struct PickRow {
    const char* name;
    int preset;
    int clicked;  // -1: no click
    bool closeBox;
    int result;
};

TEST_F(ViewDialogs, TheColourPickerReturnsTheSelectedSwatchOnEveryWayOfClosing)
{
    const std::vector<PickRow> rows = {
        {"preset 12 kept", 12, -1, false, 12},
        {"black swatch", 12, 1, false, 0},
        {"preset navy gives black", 1, -1, false, 0},
        {"preset 0 kept", 0, -1, true, 0},
        {"pick by close box", 3, 13, true, 13},
        {"preset without swatch kept", 5, -1, false, 5},
        {"preset without swatch, then a pick", 7, 9, true, 9},
    };
    shownPlot();
    for (const PickRow& row : rows) {
        SCOPED_TRACE(row.name);
        ColorPick = static_cast<std::uint8_t>(row.preset);
        script().expectModal(platform::onForm<Color>([&row](Color& f) {
            if (row.preset == 0) {
                EXPECT_TRUE(f.Option14(0).Value());
            }
            for (int i : {1, 2, 3, 4, 6, 8, 9, 10, 11, 12, 13, 14})
                EXPECT_EQ(f.Option14(i).Value(), i == row.preset) << i;
            if (row.clicked >= 0)
                click(f.Option14(row.clicked));
            if (row.closeBox)
                closeBox(f);
            else
                click(f.Command1);
        }), QStringLiteral("色"));
        colorPicker().ShowModal();
        EXPECT_EQ(ColorPick, row.result);
        EXPECT_FALSE(colorForm().isLoaded());
    }
}

TEST_F(ViewDialogs, TheParcelModeEditsTheParcelColour)
{
    shownPlot();
    ColorPick = 99;
    KakuchiColor = 8;
    script().expectModal(platform::onForm<Color>([](Color& f) {
        EXPECT_TRUE(f.Option14(8).Value());
        click(f.Option14(1));
        click(f.Command1);
    }));
    colorPicker().ShowModal();
    EXPECT_EQ(ColorPick, 99);
    EXPECT_EQ(KakuchiColor, 0);

    script().expectModal(platform::onForm<Color>([](Color& f) {
        EXPECT_TRUE(f.Option14(0).Value()) << "colour 0 preselects the hidden button";
        click(f.Option14(11));
        closeBox(f);
    }));
    colorPicker().ShowModal();
    EXPECT_EQ(KakuchiColor, 11);
    EXPECT_EQ(redraws, 0) << "the picker leaves the redraw to its opener";
}

TEST_F(ViewDialogs, TheColourPickerShowsItsSwatches)
{
    shownPlot();
    ColorPick = 2;
    script().expectModal(platform::onForm<Color>([](Color& f) {
        EXPECT_EQ(f.Option14(1).Caption(), QStringLiteral("黒"));
        EXPECT_EQ(f.Option14(1).BackColor(), platform::QBColor(0));
        EXPECT_EQ(f.Option14(14).BackColor(), platform::QBColor(14));
        EXPECT_FALSE(f.Option14(0).Visible());
        EXPECT_FALSE(f.Option14(0).Enabled());
        EXPECT_FALSE(f.Option14.exists(5) || f.Option14.exists(7) || f.Option14.exists(15));
        EXPECT_FALSE(f.Option14(6).TabStop());
        click(f.Command1);
    }));
    colorPicker().ShowModal();
    EXPECT_EQ(ColorPick, 2);
}

}  // namespace
}  // namespace tavelcor::viewtest
