// SPDX-License-Identifier: LicenseRef-Tavelcor
// The background settings dialog Haikei driven through its controls over the
// main window: its placement, the raster rows with their file dialog, the
// brightness bars, "消", "前面", the site loader's silent use, the listing
// of the work folder, and the terms notice with its URL opener. Every
// redraw the dialog asks for is recorded with what it would draw.
#include "main/background/haikei.h"

#include "main/background/background_drawing.h"
#include "main/background/kiyaku.h"
#include "main/background/web_services.h"
#include "main/render/view_services.h"
#include "main/site/display_settings.h"
#include "main/site/tables.h"
#include "main/site/tile_list.h"
#include "main/window/plot.h"
#include "main/window/start_form.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/testing.h"
#include "platform/system/documents.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStyle>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace tavelcor {
namespace {

using platform::MsgResult;

// What one redraw would draw.
struct Redraw {
    int code1 = 0;
    int code2 = 0;
    QString raster1Row0;
};

class HaikeiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        allocateTables();
        resetTables();
        resetHaikeiState();
        clearPlotWirings();
        addPlotWiring(wireHaikei);
        SiteFolder = dir.path() + u'/';
        WorkFolder = dir.filePath(QStringLiteral("Eld"));
        ASSERT_TRUE(QDir().mkpath(WorkFolder));
        // Two names, so that the load does not list the folder itself.
        setTileCache({QStringLiteral("a.png"), QStringLiteral("b.png")});
        ScreenH = 20000.0F;
        haikeiServices().redraw = [this] {
            redraws.push_back({Haikei1Code, Haikei2Code, HaikeiFile(0, 0)});
        };
    }

    void TearDown() override
    {
        platform::destroyAllForms();
        clearPlotWirings();
        haikeiServices() = HaikeiServices{};
        backgroundServices() = BackgroundServices{};
        viewServices() = ViewServices{};
        resetHaikeiState();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The dialog opened by the main window's "背景".
    Haikei& open()
    {
        plot().Command52.setValue(true);
        Haikei* dialog = haikeiForm().ifLoaded();
        EXPECT_NE(dialog, nullptr);
        return *dialog;
    }

    // A definition file of one image row.
    QString definition(const QString& name, const QByteArray& image)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(image + ",1000,2000,1100,2100\r\n");
        return path;
    }

    QString rasterFile(const QString& image) const { return dir.path() + u'/' + image; }

    QTemporaryDir dir;
    std::vector<Redraw> redraws;
    platform::testing::GTestScriptedPrompter script;
};

TEST_F(HaikeiTest, OpeningAtTheScreensBottomPlacesAboveThenActivationMovesIntoTheCorner)
{
    Plot& window = plot();
    window.Move(0.0, 0.0, 15360.0, 9000.0);
    ScreenH = 10000.0F;
    Haikei& dialog = haikei();
    std::vector<double> topsAtActivation;
    const auto activate = dialog.Activate;
    dialog.Activate = [&] {
        topsAtActivation.push_back(dialog.Top());
        activate();
    };
    window.Command52.setValue(true);
    ASSERT_FALSE(topsAtActivation.empty());
    // 9000 + 3700 would leave the screen: the screen height - 4100.
    EXPECT_NEAR(topsAtActivation.front(), 10000.0 - 4100.0, 15.0);
    EXPECT_NEAR(dialog.Top(), window.Top() + window.Height() - dialog.Height() - 100.0, 15.0);
    EXPECT_NEAR(dialog.Left(), window.Left() + window.Width() - dialog.Width() - 100.0, 15.0);
    EXPECT_TRUE(dialog.Visible());
    EXPECT_FALSE(window.Command85.Visible());
}

// Each brightness bar has a track of its own between its arrows wide enough
// to pick one of its six steps with the pointer: at least 10 pixels a step.
TEST_F(HaikeiTest, BrightnessBarsGiveTheirSixStepsRoomToSlide)
{
    Haikei& dialog = open();
    for (int code : {1, 2, 3, 5, 6, 7, 8, 9}) {
        const platform::HScrollBar* bar = dialog.brightnessBar(code);
        ASSERT_NE(bar, nullptr) << code;
        const QWidget& widget = *bar->widget();
        const int arrows = 2 * widget.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &widget);
        EXPECT_GE(widget.width() - arrows, 6 * 10) << "bar of code " << code << " is " << widget.width() << " px";
    }
}

TEST_F(HaikeiTest, CompactFramesButtonOpensTheDialogToo)
{
    plot().Command79.setValue(true);
    ASSERT_NE(haikeiForm().ifLoaded(), nullptr);
    EXPECT_TRUE(haikei().Visible());
    EXPECT_EQ(haikeiState().HaikeiOpening, 0);
}

TEST_F(HaikeiTest, OpeningRedrawsNothingAndShowsTheSharedChoices)
{
    Haikei1Code = 6;
    Haikei2Code = 2;
    HaikeiBright[6] = 3;
    HaikeiDef[1] = QStringLiteral("/x/r2.AR2");
    Haikei& dialog = open();
    EXPECT_TRUE(redraws.empty());
    EXPECT_TRUE(dialog.Option6.Value());
    EXPECT_TRUE(dialog.Option12.Value());
    EXPECT_EQ(dialog.HScroll6.Value(), 3);
    EXPECT_EQ(dialog.Label2.Caption(), QStringLiteral("/x/r2.AR2"));
    EXPECT_TRUE(dialog.Label1.Caption().isEmpty());
}

TEST_F(HaikeiTest, OptionsStoreTheirCodeAndRedraw)
{
    Haikei& dialog = open();
    dialog.Option7.setValue(true);
    dialog.Option19.setValue(true);
    EXPECT_EQ(Haikei1Code, 7);
    EXPECT_EQ(Haikei2Code, 9);
    ASSERT_EQ(redraws.size(), 2U);
    EXPECT_EQ(redraws.back().code1, 7);
    EXPECT_EQ(redraws.back().code2, 9);
}

TEST_F(HaikeiTest, ReadingARasterAgainWhileShownRedrawsWithTheNewRows)
{
    const QString path = definition(QStringLiteral("r1.AR2"), "old.png");
    Haikei& dialog = open();
    script->expectOpenFile(path, QStringLiteral("分割定義ファイル"));
    dialog.Command1.setValue(true);
    EXPECT_EQ(Haikei1Code, 1);
    EXPECT_TRUE(dialog.Option1.Value());
    EXPECT_EQ(HaikeiDef[0], path);
    ASSERT_FALSE(redraws.empty());
    EXPECT_EQ(redraws.back().raster1Row0, rasterFile(QStringLiteral("old.png")));

    definition(QStringLiteral("r1.AR2"), "new.png");
    redraws.clear();
    script->expectOpenFile(path, QStringLiteral("分割定義ファイル"));
    dialog.Command1.setValue(true);
    ASSERT_FALSE(redraws.empty());
    EXPECT_EQ(redraws.back().raster1Row0, rasterFile(QStringLiteral("new.png")));
    EXPECT_EQ(script->records().back().filter, QStringLiteral("定義ファイル|*.AR2"));
    EXPECT_EQ(script->records().back().defaultText, path);
}

TEST_F(HaikeiTest, CancellingTheFileDialogReadsAnExistingDefinitionAgain)
{
    const QString path = definition(QStringLiteral("r2.AR2"), "two.png");
    HaikeiDef[1] = path;
    Haikei& dialog = open();
    script->expectOpenFile(std::nullopt);
    dialog.Command2.setValue(true);
    EXPECT_EQ(Haikei1Code, 2);
    EXPECT_TRUE(dialog.Option2.Value());
    EXPECT_EQ(HaikeiFile(1, 0), rasterFile(QStringLiteral("two.png")));
    EXPECT_FALSE(redraws.empty());

    // Raster 3 has no definition: a cancel does nothing.
    redraws.clear();
    script->expectOpenFile(std::nullopt);
    dialog.Command3.setValue(true);
    EXPECT_EQ(Haikei1Code, 2);
    EXPECT_TRUE(HaikeiDef[2].isEmpty());
    EXPECT_TRUE(redraws.empty());
}

TEST_F(HaikeiTest, BrightnessOfALayerNeitherSlotShowsIsStoredWithoutRedraw)
{
    Haikei1Code = 5;
    Haikei2Code = 1;
    Haikei& dialog = open();
    dialog.HScroll7.setValue(4);
    EXPECT_EQ(HaikeiBright[7], 4);
    EXPECT_TRUE(redraws.empty());
    dialog.HScroll1.setValue(2);
    EXPECT_EQ(HaikeiBright[1], 2);
    EXPECT_EQ(redraws.size(), 1U);
}

TEST_F(HaikeiTest, ClearingARasterShownInBothSlotsSetsBothToNothing)
{
    HaikeiDef[0] = definition(QStringLiteral("r1.AR2"), "one.png");
    Haikei1Code = 1;
    Haikei2Code = 1;
    Haikei& dialog = open();
    dialog.Command6.setValue(true);
    EXPECT_EQ(Haikei1Code, 0);
    EXPECT_EQ(Haikei2Code, 0);
    EXPECT_TRUE(dialog.Option0.Value());
    EXPECT_TRUE(dialog.Option10.Value());
    EXPECT_TRUE(HaikeiDef[0].isEmpty());
    EXPECT_TRUE(dialog.Label1.Caption().isEmpty());
    ASSERT_FALSE(redraws.empty());
    EXPECT_EQ(redraws.back().code1, 0);
}

TEST_F(HaikeiTest, ClearingARasterKeepsTheOtherSlotsChoice)
{
    HaikeiDef[1] = definition(QStringLiteral("r2.AR2"), "two.png");
    Haikei1Code = 2;
    Haikei2Code = 5;
    Haikei& dialog = open();
    dialog.Command7.setValue(true);
    EXPECT_EQ(Haikei1Code, 0);
    EXPECT_EQ(Haikei2Code, 5);
    EXPECT_TRUE(dialog.Option15.Value());
}

TEST_F(HaikeiTest, ABrokenDefinitionIsReportedAndClearsTheRaster)
{
    const QString path = dir.filePath(QStringLiteral("broken.AR2"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("one.png,1000,2000,1100\r\n");  // four fields
    file.close();
    Setting6Text = QStringLiteral("kept until now");
    Haikei& dialog = open();
    script->expectOpenFile(path);
    script->expectMessage(MsgResult::Ok, QStringLiteral("ラスター定義ができません"));
    dialog.Command1.setValue(true);
    EXPECT_TRUE(Setting6Text.isEmpty());
    EXPECT_TRUE(HaikeiDef[0].isEmpty());
    EXPECT_TRUE(dialog.Label1.Caption().isEmpty());
    EXPECT_TRUE(dialog.CommonDialog1.FileName().isEmpty());
    EXPECT_EQ(Haikei1Code, 0);
}

TEST_F(HaikeiTest, FrontUncheckedReleasesTheTopmostStateAndHaikeiTopFollows)
{
    HaikeiTop = 1;
    Haikei& dialog = open();
    EXPECT_TRUE(dialog.TopMost());
    dialog.Check1.setValue(platform::check::Unchecked);
    EXPECT_FALSE(dialog.TopMost());
    EXPECT_EQ(HaikeiTop, 0);
    // The choice outlives the dialog.
    dialog.Command5.setValue(true);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(haikeiForm().ifLoaded(), nullptr);
    Haikei& again = open();
    EXPECT_EQ(again.Check1.Value(), platform::check::Unchecked);
    EXPECT_FALSE(again.TopMost());
}

TEST_F(HaikeiTest, TheSiteLoaderDrivesTheRasterButtonsWithoutFileDialogs)
{
    const QString path = definition(QStringLiteral("r3.AR2"), "three.png");
    QFile settings(SiteFolder + QStringLiteral("HAIKEI.JKN"));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("0\r\n0\r\n2\r\n0\r\n0\r\n0\r\n0\r\n0\r\n\r\n\r\n" + path.toUtf8() + "\r\n 5 \r\n 3 \r\n");
    settings.close();
    HaikeiRasterLoader loader;
    ASSERT_EQ(LoadBackgroundSettings(&loader), ReadOutcome::Ok);
    EXPECT_EQ(HaikeiDef[2], path);
    EXPECT_EQ(HaikeiFile(2, 0), rasterFile(QStringLiteral("three.png")));
    EXPECT_EQ(HaikeiBright[3], 2);
    // The codes of the file replace the one the raster's loading chose.
    EXPECT_EQ(Haikei1Code, 5);
    EXPECT_EQ(Haikei2Code, 3);
    EXPECT_EQ(HaikeiAutoLoad, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(haikeiForm().ifLoaded(), nullptr);
    EXPECT_TRUE(script->records().empty());
}

TEST_F(HaikeiTest, TheSiteLoadersBrokenDefinitionIsReportedAndForgotten)
{
    const QString path = dir.filePath(QStringLiteral("bad.AR2"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\r\n");
    file.close();
    HaikeiRasterLoader loader;
    HaikeiAutoLoad = 1;  // as the site loader sets it around its calls
    script->expectMessage(MsgResult::Ok, QStringLiteral("ラスター定義ができません"));
    loader.loadUserRaster(1, path);
    EXPECT_TRUE(HaikeiDef[0].isEmpty());
    EXPECT_EQ(Haikei1Code, 0);
}

TEST_F(HaikeiTest, AnEmptyTileListIsListedBehindThePleaseWaitWindowThenListedAnew)
{
    for (const char* name : {"t1.png", "t2.png", "t3.jpg"}) {
        QFile file(WorkFolder + u'/' + QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    setTileCache({});
    int startShownAtLoad = 0;
    // The load lists the folder with the notice shown.
    Start& notice = start();
    notice.Activate = [&] { ++startShownAtLoad; };
    open();
    EXPECT_GE(startShownAtLoad, 1);
    EXPECT_EQ(notice.Caption(), QStringLiteral("背景ラスター準備中"));
    EXPECT_FALSE(notice.Visible());
    // Then "背景" lists it from scratch: each file once, and the list file.
    EXPECT_EQ(TileCacheCount, 3);
    EXPECT_TRUE(QFile::exists(WorkFolder + QStringLiteral("/Eld.AR2")));
    EXPECT_EQ(findTileName(QStringLiteral("Eld.AR2")), 0);
}

TEST_F(HaikeiTest, TheTermsNoticeShowsTheSameTextEachTimeAndOpensTheTermsPage)
{
    platform::RecordingUrlOpener opener;
    platform::ScopedUrlOpener installed(opener);
    Haikei& dialog = open();
    QStringList texts;
    const auto readAndClose = [&texts](platform::ModalWindow& w) {
        auto& notice = dynamic_cast<Kiyaku&>(w);
        texts << notice.Text1.Text();
        const Plot& window = plot();
        EXPECT_NEAR(notice.Top(), window.Top() + 100.0, 15.0);
        EXPECT_NEAR(notice.Left(), window.Left() + window.Width() - notice.Width() - 100.0, 15.0);
        notice.Command1.setValue(true);
        EXPECT_TRUE(notice.requestUnload(platform::UnloadMode::FormControlMenu));
    };
    script->expectModal(readAndClose, QStringLiteral("地理院タイル利用規約"));
    dialog.Command4.setValue(true);
    script->expectModal(readAndClose, QStringLiteral("地理院タイル利用規約"));
    dialog.Command4.setValue(true);
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0], texts[1]);
    EXPECT_EQ(texts[0], kiyakuText());
    EXPECT_TRUE(texts[0].startsWith(QStringLiteral("地理院地図の利用にあたっては")));
    EXPECT_EQ(opener.urls(), QStringList({webServices().termsPage, webServices().termsPage}));
}

TEST_F(HaikeiTest, AMissingZoom18LayerSwitchesTheSlotsShowingItToTheStandardMap)
{
    Haikei1Code = 6;
    Haikei2Code = 6;
    Haikei& dialog = open();
    switchZoom18Options();
    EXPECT_TRUE(dialog.Option5.Value());
    EXPECT_TRUE(dialog.Option15.Value());
    EXPECT_EQ(Haikei1Code, 5);
    EXPECT_EQ(Haikei2Code, 5);
}

TEST_F(HaikeiTest, ViewDialogsHideTheDialogAndLoadNoneThatIsClosed)
{
    plot();  // its wiring installs the service
    hideBackgroundWindow();
    EXPECT_EQ(haikeiForm().ifLoaded(), nullptr);
    Haikei& dialog = open();
    hideBackgroundWindow();
    EXPECT_FALSE(dialog.Visible());
}

TEST(KiyakuText, HoldsItsItemsInOrderWithTheirLineBreaks)
{
    const QString text = kiyakuText();
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("地理院地図の利用にあたっては、「国土地理院コンテンツ利用規約」に従ってください。"));
    EXPECT_EQ(lines[1], QStringLiteral("小縮尺地図について"));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("The bathymetric contours are derived from those contained within "
                                                   "the GEBCO Digital Atlas, published by the BODC on behalf of IOC "
                                                   "and IHO (2003) (")));
}

TEST(CacheScreens, StepsAsTheDialogRaisesThem)
{
    std::vector<int> steps{2};
    while (steps.size() < 12)
        steps.push_back(nextCacheScreens(steps.back()));
    EXPECT_EQ(steps, (std::vector<int>{2, 3, 4, 5, 7, 9, 12, 15, 19, 25, 34, 43}));
}

}  // namespace
}  // namespace tavelcor
