// SPDX-License-Identifier: LicenseRef-Tavelcor
// The raster placement window RasterSet over the main window: the bitmap
// laid over the view, the picks (a pick button, then a press on the plot
// that the point panel's add turns into the point), the placement with its
// definition file beside the bitmap, its install as raster 3, the picks
// withdrawn from the points and from the edit history, and every refusal
// with its message.
#include "main/background/raster_set.h"

#include "main/background/background_drawing.h"
#include "main/background/haikei.h"
#include "main/edit/history_commands.h"
#include "main/edit/point_panel.h"
#include "main/edit/undo_history.h"
#include "main/interact/interact_wiring.h"
#include "main/render/render_state.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/testing.h"
#include "platform/text/cp932.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tavelcor {
namespace {

using platform::MsgResult;

class RasterSetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        allocateTables();
        resetTables();
        resetHaikeiState();
        resetRasterSetState();
        clearPlotWirings();
        addPlotWiring(wireHaikei);
        addPlotWiring(wireInteract);
        addPlotWiring(wirePointPanel);
        WorkFolder = dir.filePath(QStringLiteral("Eld"));
        ASSERT_TRUE(QDir().mkpath(WorkFolder));
        OriginX = 0.0;
        OriginY = 0.0;
        // A view centred at (50, 100), 100 m north by 200 m east.
        ViewCX = 50.0;
        ViewCY = 100.0;
        ViewSpanX = 100.0;
        ViewSpanY = 200.0;
        haikeiServices().redraw = [this] { ++redraws; };
        Plot& main = plot();
        // The point layer shown; the add neither snaps to line ends nor
        // takes a GPS fix.
        main.Check12.setValue(platform::check::Checked);
        main.Check24.setValue(platform::check::Unchecked);
        main.Check29.setValue(platform::check::Unchecked);
    }

    void TearDown() override
    {
        platform::destroyAllForms();
        clearPlotWirings();
        haikeiServices() = HaikeiServices{};
        backgroundServices() = BackgroundServices{};
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // A bitmap twice as wide as high.
    QString bitmap(const QString& relative)
    {
        const QString path = dir.filePath(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QImage image(40, 20, QImage::Format_RGB32);
        image.fill(Qt::darkBlue);
        EXPECT_TRUE(image.save(path, "BMP"));
        return path;
    }

    // The window opened from the background dialog's "ラスター２点配置".
    RasterSet& openWindow()
    {
        haikei().Command9.setValue(true);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(rasterSetShown());
        return rasterSet();
    }

    RasterSet& withBitmap(const QString& path)
    {
        RasterSet& window = openWindow();
        script->expectOpenFile(path);
        window.Command1.setValue(true);
        return window;
    }

    // A pick button pressed, then the press on the plot at plot north x,
    // east y that the point panel's add turns into the point. The index of
    // the point added, 0 when none was.
    static int pickAt(platform::CommandButton& button, double x, double y)
    {
        button.setValue(true);
        return pressPlot(x, y);
    }

    // A left press on the plot at plot north x, east y, as the user clicks.
    static int pressPlot(double x, double y)
    {
        Plot& main = plot();
        const int before = PointCount;
        EXPECT_TRUE(main.Picture1.MouseDown);
        if (main.Picture1.MouseDown)
            main.Picture1.MouseDown(1, 0, y, -x);
        return PointCount > before ? PointCount : 0;
    }

    static void trueCoordinates(RasterSet& window, const char* ax, const char* ay, const char* bx, const char* by)
    {
        window.Text1.setText(QString::fromLatin1(ax));
        window.Text2.setText(QString::fromLatin1(ay));
        window.Text3.setText(QString::fromLatin1(bx));
        window.Text4.setText(QString::fromLatin1(by));
    }

    static QString contents(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? platform::fromCp932(file.readAll()) : QString();
    }

    QTemporaryDir dir;
    int redraws = 0;
    platform::testing::GTestScriptedPrompter script;
};

TEST_F(RasterSetTest, TheBitmapIsLaidIntoTheViewsTopLeftCornerInItsAspect)
{
    const QString path = bitmap(QStringLiteral("plan.bmp"));
    RasterSet& window = withBitmap(path);
    EXPECT_EQ(script->records().back().filter, QStringLiteral("BITMAPァイル|*.BMP"));
    EXPECT_EQ(HaikeiFile(3, 1), path);
    EXPECT_DOUBLE_EQ(HaikeiXMin(3, 1), 0.0);
    EXPECT_DOUBLE_EQ(HaikeiXMax(3, 1), 100.0);
    EXPECT_DOUBLE_EQ(HaikeiYMin(3, 1), 0.0);
    EXPECT_DOUBLE_EQ(HaikeiYMax(3, 1), 200.0);
    EXPECT_GE(redraws, 1);
    EXPECT_TRUE(window.TopMost());
    // The redraw draws the preview while the window is shown.
    installBackgroundCalls();
    EXPECT_TRUE(render::renderState().hooks.background.rasterSetShown());
    render::renderState() = render::RenderState{};
}

TEST_F(RasterSetTest, AnUnreadableBitmapLeavesThePreview)
{
    const QString path = dir.filePath(QStringLiteral("not-a-picture.bmp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("no picture");
    file.close();
    RasterSet& window = openWindow();
    script->expectOpenFile(path);
    script->expectMessage(MsgResult::Ok, QString::fromUtf16(kBitmapUnreadable));
    window.Command1.setValue(true);
    EXPECT_TRUE(HaikeiFile(3, 1).isEmpty());
}

TEST_F(RasterSetTest, PlacementWritesTheDefinitionBesideTheBitmapAndInstallsItAsRasterThree)
{
    const QString path = bitmap(QStringLiteral("site.east.bmp"));
    RasterSet& window = withBitmap(path);
    Plot& main = plot();
    window.Command2.setValue(true);
    EXPECT_EQ(main.Text6.Text(), QStringLiteral("Ａ点"));
    EXPECT_TRUE(main.Option12.Value());
    EXPECT_TRUE(main.Option13(3).Value());
    ASSERT_EQ(pressPlot(50.0, 50.0), 1);
    ASSERT_EQ(pickAt(window.Command3, 50.0, 150.0), 2);
    EXPECT_EQ(PointName[2], QStringLiteral("Ｂ点"));
    EXPECT_EQ(PointMark[2], 3);
    trueCoordinates(window, "1050", "1050", "1050", "1250");

    script->expectMessage(MsgResult::Ok,
                          QStringLiteral("仮に背景図を登録しました。整合を確認後ラスターカットで分割登録してください"));
    window.Command4.setValue(true);
    EXPECT_EQ(window.Text5.Text(), QStringLiteral("  0.0000"));
    const QString definition = dir.filePath(QStringLiteral("site.AR2"));
    const QStringList fields = contents(definition).trimmed().split(u',');
    ASSERT_EQ(fields.size(), 5);
    EXPECT_EQ(fields[0], QStringLiteral("site.east.bmp"));
    EXPECT_NEAR(fields[1].toDouble(), 950.0, 0.01);
    EXPECT_NEAR(fields[2].toDouble(), 950.0, 0.01);
    EXPECT_NEAR(fields[3].toDouble(), 1150.0, 0.01);
    EXPECT_NEAR(fields[4].toDouble(), 1350.0, 0.01);
    EXPECT_TRUE(contents(definition).endsWith(QStringLiteral("\r\n")));
    // Installed as raster 3, shown as background 1.
    EXPECT_EQ(Haikei1Code, 3);
    EXPECT_EQ(HaikeiDef[2], definition);
    EXPECT_EQ(HaikeiFile(2, 0), path);
    EXPECT_NEAR(HaikeiXMin(2, 0), 950.0, 0.01);
    EXPECT_EQ(haikei().Label3.Caption(), definition);
    EXPECT_TRUE(haikei().Option3.Value());
    // The temporary points are gone and the window is hidden, not closed.
    EXPECT_EQ(PointCount, 0);
    EXPECT_FALSE(rasterSetShown());
    ASSERT_NE(rasterSetForm().ifLoaded(), nullptr);
    // Reopened, it shows the placed preview again.
    EXPECT_NEAR(HaikeiXMax(3, 1), 1150.0, 0.01);
    showRasterSet();
    EXPECT_EQ(HaikeiFile(3, 1), path);
}

TEST_F(RasterSetTest, TheRotationWarnsAboveFiveHundredthsOfADegree)
{
    const struct {
        const char* name;
        const char* bx;  // B' a little south of east of A' (200 m away)
        const char* text;
        bool warns;
    } rows[] = {
        {"exactly 0.05", "1049.825467", "  0.0500", false},
        {"0.0501", "1049.825118", "  0.0501", true},
    };
    const QString path = bitmap(QStringLiteral("plan.bmp"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        PointCount = 0;
        RasterSet& window = withBitmap(path);
        pickAt(window.Command2, 50.0, 50.0);
        pickAt(window.Command3, 50.0, 150.0);
        trueCoordinates(window, "1050", "1050", row.bx, "1250");
        if (row.warns) {
            script->expectMessage(MsgResult::Ok, QStringLiteral("図面が真北より") + QString::fromLatin1(row.text)
                                                     + QStringLiteral("度回転しています。ずれが大きい場合、画像エディタで図面を回転して再度２点配置してください"));
        }
        script->expectMessage(MsgResult::Ok, QString::fromUtf16(kPlacedForNow));
        window.Command4.setValue(true);
        EXPECT_EQ(window.Text5.Text(), QString::fromLatin1(row.text));
    }
}

TEST_F(RasterSetTest, TheLowerLiveIndexIsTakenAndADeletedPointIgnored)
{
    const QString path = bitmap(QStringLiteral("plan.bmp"));
    RasterSet& window = withBitmap(path);
    ASSERT_EQ(pickAt(window.Command2, 0.0, 0.0), 1);
    PointMark[1] = 103;  // deleted since
    ASSERT_EQ(pickAt(window.Command3, 50.0, 150.0), 2);
    ASSERT_EQ(pickAt(window.Command2, 50.0, 50.0), 3);
    // Picks of a name that a live point has are taken when the user agrees.
    script->expectMessage(MsgResult::Yes, QStringLiteral("Ｂ点は、すでに登録済みです。この名称で登録しますか？"));
    ASSERT_EQ(pickAt(window.Command3, 70.0, 70.0), 4);
    script->expectMessage(MsgResult::Yes, QStringLiteral("Ａ点は、すでに登録済みです。この名称で登録しますか？"));
    ASSERT_EQ(pickAt(window.Command2, 10.0, 10.0), 5);
    trueCoordinates(window, "1050", "1050", "1050", "1250");
    script->expectMessage(MsgResult::Ok, QString::fromUtf16(kPlacedForNow));
    window.Command4.setValue(true);
    // The places of points 3 and 2 give the placement of the main case.
    EXPECT_NEAR(HaikeiXMin(2, 0), 950.0, 0.01);
    EXPECT_NEAR(HaikeiYMax(2, 0), 1350.0, 0.01);
}

// The same pick of Ａ点 twice in a row: the point add names the second
// point after the first, as it does every added point.
TEST_F(RasterSetTest, ASecondPickOfTheSameNameGetsTheNextName)
{
    RasterSet& window = withBitmap(bitmap(QStringLiteral("plan.bmp")));
    ASSERT_EQ(pickAt(window.Command2, 0.0, 0.0), 1);
    ASSERT_EQ(pickAt(window.Command2, 50.0, 50.0), 2);
    EXPECT_EQ(PointName[2], QStringLiteral("Ａ点1"));
}

TEST_F(RasterSetTest, RefusalsSayWhatIsMissingAndChangeNothing)
{
    RasterSet& window = openWindow();
    script->expectMessage(MsgResult::Ok, QStringLiteral("先にビットマップを呼び出してください"));
    window.Command2.setValue(true);
    script->expectMessage(MsgResult::Ok, QStringLiteral("先にビットマップを呼び出してください"));
    window.Command4.setValue(true);
    EXPECT_TRUE(plot().Text6.Text().isEmpty());

    const QString path = bitmap(QStringLiteral("plan.bmp"));
    script->expectOpenFile(path);
    window.Command1.setValue(true);
    script->expectMessage(MsgResult::Ok, QStringLiteral("先に図上のＡ点をクリックしてください"));
    window.Command4.setValue(true);
    pickAt(window.Command2, 50.0, 50.0);
    script->expectMessage(MsgResult::Ok, QStringLiteral("先に図上のＢ点をクリックしてください"));
    window.Command4.setValue(true);
    pickAt(window.Command3, 50.0, 150.0);

    // All four fields empty.
    script->expectMessage(MsgResult::Ok, QStringLiteral("Ａ点とＢ座点の実体座標値を入力してください"));
    window.Command4.setValue(true);
    trueCoordinates(window, "1050", "1250", "1050", "1250");
    script->expectMessage(MsgResult::Ok, QStringLiteral("Ａ点とＢ座点の実体座標値を入力してください"));
    window.Command4.setValue(true);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("plan.AR2"))));
    EXPECT_EQ(PointCount, 2);
    EXPECT_TRUE(rasterSetShown());
    EXPECT_DOUBLE_EQ(HaikeiXMax(3, 1), 100.0);
}

TEST_F(RasterSetTest, TwoPicksOnOneSpotAreRefused)
{
    const QString path = bitmap(QStringLiteral("plan.bmp"));
    RasterSet& window = withBitmap(path);
    ASSERT_EQ(pickAt(window.Command2, 50.0, 50.0), 1);
    // The point add refuses a second point on the spot.
    script->expectMessage(MsgResult::Ok, QStringLiteral("同位置に(Ａ点)名のポイントが登録済みです。登録をキャンセルします"));
    EXPECT_EQ(pickAt(window.Command3, 50.0, 50.0), 0);
    EXPECT_EQ(PointCount, 1);
    trueCoordinates(window, "1050", "1050", "1050", "1250");
    script->expectMessage(MsgResult::Ok, QString::fromUtf16(kClickPointBFirst));
    window.Command4.setValue(true);
    // Points that came to one spot in the tables since are refused by the
    // placement itself.
    ASSERT_EQ(pickAt(window.Command3, 50.0, 150.0), 2);
    PointY[2] = PointY[1];
    script->expectMessage(MsgResult::Ok, QString::fromUtf16(kPointsCoincide));
    window.Command4.setValue(true);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("plan.AR2"))));
    EXPECT_DOUBLE_EQ(HaikeiXMax(3, 1), 100.0);
    EXPECT_EQ(Haikei1Code, 0);
    EXPECT_EQ(PointCount, 2);
}

TEST_F(RasterSetTest, ABitmapInAFolderNamedLikeItGetsItsDefinitionBesideIt)
{
    const QString path = bitmap(QStringLiteral("site.east.bmp.d/site.east.bmp"));
    RasterSet& window = withBitmap(path);
    pickAt(window.Command2, 50.0, 50.0);
    pickAt(window.Command3, 50.0, 150.0);
    trueCoordinates(window, "1050", "1050", "1050", "1250");
    script->expectMessage(MsgResult::Ok, QString::fromUtf16(kPlacedForNow));
    window.Command4.setValue(true);
    const QString definition = dir.filePath(QStringLiteral("site.east.bmp.d/site.AR2"));
    EXPECT_TRUE(contents(definition).startsWith(QStringLiteral("site.east.bmp,")));
    EXPECT_EQ(HaikeiDef[2], definition);
    EXPECT_EQ(HaikeiFile(2, 0), path);
}

TEST_F(RasterSetTest, ADefinitionThatCannotBeWrittenIsReportedAndNothingChanges)
{
    const QString path = bitmap(QStringLiteral("plan.bmp"));
    // A folder in the definition's place: the file cannot replace it.
    ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("plan.AR2"))));
    RasterSet& window = withBitmap(path);
    pickAt(window.Command2, 50.0, 50.0);
    pickAt(window.Command3, 50.0, 150.0);
    trueCoordinates(window, "1050", "1050", "1050", "1250");
    script->expectMessage(MsgResult::Ok, QString::fromUtf16(kDefinitionNotWritten));
    window.Command4.setValue(true);
    EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("plan.AR2"))).isDir());
    EXPECT_DOUBLE_EQ(HaikeiXMax(3, 1), 100.0);
    EXPECT_EQ(Haikei1Code, 0);
    EXPECT_TRUE(HaikeiDef[2].isEmpty());
    EXPECT_EQ(PointCount, 2);
    EXPECT_TRUE(rasterSetShown());
}

TEST_F(RasterSetTest, ClosingDropsThePointsAndTheNextOpeningStartsEmpty)
{
    PointCount = 4;
    const QString path = bitmap(QStringLiteral("plan.bmp"));
    RasterSet& window = withBitmap(path);
    pickAt(window.Command2, 50.0, 50.0);
    EXPECT_EQ(PointCount, 5);
    redraws = 0;
    EXPECT_TRUE(window.requestUnload(platform::UnloadMode::FormControlMenu));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(PointCount, 4);
    EXPECT_EQ(redraws, 1);
    EXPECT_FALSE(rasterSetShown());
    openWindow();
    EXPECT_TRUE(HaikeiFile(3, 1).isEmpty());
}

TEST_F(RasterSetTest, APickOpensThePointPanelAndThePressAddsThePoint)
{
    RasterSet& window = withBitmap(bitmap(QStringLiteral("plan.bmp")));
    Plot& main = plot();
    window.Command3.setValue(true);
    EXPECT_TRUE(main.Frame4.Visible()) << "the point panel is open";
    EXPECT_TRUE(main.Option12.Value()) << "on its add";
    EXPECT_TRUE(main.Option13(3).Value());
    EXPECT_EQ(main.Text6.Text(), QStringLiteral("Ｂ点"));
    ASSERT_EQ(pressPlot(1.5, -2.5), 1);
    EXPECT_EQ(PointName[1], QStringLiteral("Ｂ点"));
    EXPECT_TRUE(PointName2[1].isEmpty());
    EXPECT_DOUBLE_EQ(PointX[1], 1.5);
    EXPECT_DOUBLE_EQ(PointY[1], -2.5);
    EXPECT_EQ(PointMark[1], 3);
    EXPECT_EQ(UndoKind[UndoPos], undo_kind::kPointAdded);
    // A full point table refuses the pick's point as any other.
    PointCount = kPointTop;
    window.Command2.setValue(true);
    script->expectMessage(MsgResult::Ok, QStringLiteral("ポイントの件数が上限の500000件に達しています"));
    EXPECT_EQ(pressPlot(1.0, 2.0), 0);
    EXPECT_EQ(PointCount, kPointTop);
}

// The placement and the close box withdraw the two picks; Undo and Redo
// afterwards never bring "Ａ点" or "Ｂ点" into the site, and the point
// added before the window opened is still the one Undo takes back.
TEST_F(RasterSetTest, UndoAfterThePlacementOrTheCloseBoxDoesNotReviveThePicks)
{
    for (const bool placed : {true, false}) {
        SCOPED_TRACE(placed ? "実行" : "close box");
        PointCount = 0;
        UndoPos = UndoTop = 0;
        plot().Command20.setValue(true);  // the point panel, on its add
        plot().Option12.setValue(true);
        plot().Text6.setText(QStringLiteral("P1"));
        ASSERT_EQ(pressPlot(5.0, 5.0), 1);
        const QString path = bitmap(QStringLiteral("plan.bmp"));
        RasterSet& window = withBitmap(path);
        ASSERT_EQ(pickAt(window.Command2, 50.0, 50.0), 2);
        ASSERT_EQ(pickAt(window.Command3, 50.0, 150.0), 3);
        if (placed) {
            trueCoordinates(window, "1050", "1050", "1050", "1250");
            script->expectMessage(MsgResult::Ok, QString::fromUtf16(kPlacedForNow));
            window.Command4.setValue(true);
        } else {
            ASSERT_TRUE(window.requestUnload(platform::UnloadMode::FormControlMenu));
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        ASSERT_EQ(PointCount, 1);
        Command60_Click(plot());
        EXPECT_EQ(PointCount, 1) << "the picks stay withdrawn";
        Command60_Click(plot());
        Command60_Click(plot());
        EXPECT_EQ(PointCount, 0) << "the point added before is taken back";
        for (int k = 0; k < 3; ++k)
            Command61_Click(plot());
        EXPECT_EQ(PointCount, 1);
        EXPECT_EQ(PointName[1], QStringLiteral("P1"));
    }
}

}  // namespace
}  // namespace tavelcor
