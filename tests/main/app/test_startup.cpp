// SPDX-License-Identifier: LicenseRef-Tavelcor
// Start-up through the site chooser: a site opened by its sign file, a bare
// SIMA file, format-2000 and map-XML files, files of no known type, the
// map-only view, and the ways start-up ends the program.
#include "app_fixture.h"
#include "broken_file.h"

#include "main/app/app_forms.h"
#include "main/background/background_drawing.h"
#include "main/app/startup_internal.h"
#include "main/app/wirings.h"
#include "main/render/render_state.h"
#include "main/site/site_messages.h"
#include "main/site/settings_file.h"
#include "main/ui/ui_services.h"
#include "platform/desktop/fake_desktop.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/system/files.h"
#include "platform/system/window_presence.h"

#include <QImage>

#include <functional>

#include <vector>

namespace tavelcor::apptest {
namespace {

const QString kSignFile = QStringLiteral("TAVELCOR.TVX");
const QString kFrameQuestion = QStringLiteral("フォーマット２０００の図郭をラインとポイントに取り込みますか？");

// Counts the non-white pixels of the plot.
int inkedPixels(Plot& window)
{
    const QImage image = window.Picture1.canvas().image();
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += (image.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu ? 1 : 0;
    return inked;
}

class StartupTest : public AppTest {};

TEST_F(StartupTest, SignFileOpensTheWholeSite)
{
    const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
    const QString sign = site + u'/' + kSignFile;
    chooseFile(sign);
    Plot& window = startProgram();

    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    // the chooser: preset name, six filters, the first selected
    const platform::PromptRecord& chooser = script().records().front();
    EXPECT_EQ(chooser.kind, platform::PromptKind::OpenFile);
    EXPECT_EQ(chooser.defaultText, kSignFile);
    EXPECT_EQ(chooser.filter, QStringLiteral("TVX ファイル|*.TVX|SIMA ファイル|*.SIM|フォーマット2000|*.HED|"
                                             "地図xml(UTF8)|*.xml|地図xml(JIS)|*.TXT|すべてのファイル|*.*"));
    EXPECT_EQ(chooser.filterIndex, 1);
    EXPECT_EQ(window.Caption(), QStringLiteral("TAVELCOR v5.360  ") + sign);
    EXPECT_EQ(BaseCaption, QStringLiteral("TAVELCOR v5.360"));
    EXPECT_EQ(SiteFolder, site + u'/');
    EXPECT_EQ(WorkFolder, workFolder());
    EXPECT_EQ(SiteMode, 1);
    EXPECT_EQ(StartMode, 0);
    EXPECT_EQ(LoadingFlag, 0);
    EXPECT_EQ(DataDirty, -1);
    EXPECT_DOUBLE_EQ(SignFileDate, platform::lastModifiedDateDouble(sign).value());

    // ZAHYO.SIM with its attribute file
    EXPECT_EQ(ZahyoMax, 6);
    EXPECT_EQ(ZahyoSaved, 6);
    EXPECT_EQ(ZahyoName[3], QStringLiteral("K3"));
    EXPECT_DOUBLE_EQ(ZahyoH[2], 10.5);
    EXPECT_EQ(KakuchiCount, 2);
    EXPECT_EQ(KakuchiAttr(2, 1), QStringLiteral("102"));
    EXPECT_EQ(KakuchiAttr(2, 3), QStringLiteral("畑"));

    // the origin is the centre of the coordinates' extent
    EXPECT_DOUBLE_EQ(OriginX, 1012.5);
    EXPECT_DOUBLE_EQ(OriginY, 2027.5);
    EXPECT_DOUBLE_EQ(ZahyoPX[1], -12.5);
    EXPECT_DOUBLE_EQ(ZahyoPY[6], 27.5);

    // the DAT files, made relative to the origin
    EXPECT_EQ(PointCount, 2);
    EXPECT_EQ(PointName2[2], QStringLiteral("済"));
    EXPECT_DOUBLE_EQ(PointX[1], 1010.0 - 1012.5);
    EXPECT_EQ(LineNext, 2);
    EXPECT_EQ(LineColor[1], 12);
    EXPECT_DOUBLE_EQ(LineY2[1], 2055.0 - 2027.5);
    EXPECT_EQ(TegakiCount, 3);
    EXPECT_FLOAT_EQ(TegakiX[2], 1008.0F - 1012.5F);
    EXPECT_EQ(TxtCount, 1);
    EXPECT_EQ(TxtString[1], QStringLiteral("宅地"));

    // parcel 1 is a rectangle: its label sits at its centroid
    EXPECT_FLOAT_EQ(KakuchiLabelX[1], 0.0F);
    EXPECT_FLOAT_EQ(KakuchiLabelY[1], -12.5F);

    // the backup tick runs only for a site opened by its sign file
    EXPECT_TRUE(window.Timer2.Enabled());
    EXPECT_EQ(window.Timer2.Interval(), 60000);
    EXPECT_TRUE(window.Command23.Visible());
    EXPECT_FALSE(window.Command1.Visible());

    // the work folder got its pictures and the plot was drawn
    EXPECT_TRUE(QFileInfo::exists(workFolder() + QStringLiteral("/ELD.BMP")));
    EXPECT_TRUE(QFileInfo::exists(workFolder() + QStringLiteral("/WHITE.BMP")));
    EXPECT_GT(inkedPixels(window), 100);
}

// The start-up as the program runs it, with every part's handlers wired
// (display switches, view commands, printing): the switches it sets draw
// nothing while it loads, and the first redraw shows the site.
// The chooser starts in the folder of the file last chosen in it, in the
// next run too; a cancelled chooser keeps the folder; a kept folder that is
// gone no more is not offered.
TEST_F(StartupTest, ChooserStartsInTheFolderLastChosen)
{
    const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
    chooseFile(site + u'/' + kSignFile);
    startProgram();
    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(script().records().front().initialFolder, QString()) << "nothing chosen before";
    EXPECT_EQ(plot().CommonDialog1.InitDir(), QString()) << "the run's other dialogs keep their own folders";

    // The next run, then the run after one whose chooser was cancelled.
    for (const char* run : {"next run", "after a cancelled chooser"}) {
        SCOPED_TRACE(run);
        endRun();
        const std::size_t before = script().records().size();
        startWithoutASite(platform::MsgResult::No);
        ASSERT_GT(script().records().size(), before);
        EXPECT_EQ(script().records().at(before).initialFolder, site);
    }

    endRun();
    ASSERT_TRUE(QDir(site).removeRecursively());
    const std::size_t before = script().records().size();
    startWithoutASite(platform::MsgResult::No);
    ASSERT_GT(script().records().size(), before);
    EXPECT_EQ(script().records().at(before).initialFolder, QString());
}

TEST_F(StartupTest, StartsWithEveryPartOfTheProgramWired)
{
    clearPlotWirings();
    registerPlotWirings();
    const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
    chooseFile(site + u'/' + kSignFile);
    Plot& window = startProgram();
    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(ZahyoMax, 6);
    EXPECT_EQ(PointCount, 2);
    EXPECT_GT(inkedPixels(window), 100);
    // the save button is wired to the save command
    script().expectSaveFile(std::nullopt, QStringLiteral("TVX 現場登録"));
    window.Command23.setValue(true);
}

TEST_F(StartupTest, WindowInFrontIsRecordedForThePointerMotion)
{
    platform::FakeDesktop desktop;
    desktop.addWindow(0x3a00007);
    desktop.setForeground(0x3a00007);
    uiServices().foreground = &desktop;
    const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
    chooseFile(site + u'/' + kSignFile);
    startProgram();
    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(ForeHwnd, 0x3a00007u);
}

TEST_F(StartupTest, WithoutADesktopNoWindowInFrontIsRecorded)
{
    ForeHwnd = 99;
    const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
    chooseFile(site + u'/' + kSignFile);
    startProgram();
    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(ForeHwnd, 0u);
}

TEST_F(StartupTest, InitialValuesAndTheProgramFolderSettings)
{
    // POINT.JKN of the program folder sets symbol 3; no TEXT.JKN gives the
    // built-in phrases.
    ASSERT_TRUE(writeLines(programFolder() + QStringLiteral("/POINT.JKN"), {QStringLiteral("3,x,9,三")}));
    FontSize = 30;
    GpsColor = 2;
    RclickMode = 5;
    Plot& window = startWithoutASite(platform::MsgResult::No);

    EXPECT_EQ(window.Option13(3).Caption(), QStringLiteral("ｘ"));
    EXPECT_EQ(SymbolColor[3], 9);
    EXPECT_EQ(window.Label24(3).Caption(), QStringLiteral("三"));
    // buttons the file does not name keep their design state
    EXPECT_EQ(window.Option13(2).Caption(), QStringLiteral("○"));
    EXPECT_EQ(window.Option13(2).ForeColor(), platform::QBColor(12));
    EXPECT_EQ(plist().List1.ListCount(), 9);
    EXPECT_EQ(plist().List1.List(0), QStringLiteral("雑種地"));
    EXPECT_EQ(FontSize, 12);
    EXPECT_EQ(GpsColor, 14);
    EXPECT_EQ(RclickMode, 1);
    EXPECT_EQ(CrtextPhrase[4], QStringLiteral("→山林　不詳"));
    EXPECT_EQ(window.Option8(12).BackColor(), platform::QBColor(12));
    EXPECT_EQ(window.Option14(3).BackColor(), platform::QBColor(3));
    EXPECT_NEAR(TwipPixX, 15.0 * 1.002, 1e-4);
}

// Every value start-up gives before any settings file is read: each row
// spoils the value first, and start-up (without a settings file, so only the
// settings reader's own defaults come on top) must give it back.
TEST_F(StartupTest, EveryInitialValueIsGivenAtStart)
{
    const struct {
        const char* name;
        std::function<void()> spoil;
        std::function<bool()> isInitial;
    } rows[] = {
        {"FullLayout", [] { FullLayout = 0; }, [] { return FullLayout == 1; }},
        {"changed flags", [] { PointChanged = LineChanged = TxtChanged = TegakiChanged = 0; },
         [] { return PointChanged == 1 && LineChanged == 1 && TxtChanged == 1 && TegakiChanged == 1; }},
        {"SelOnly", [] { SelOnly = 1; }, [] { return SelOnly == 0; }},
        {"TextScale", [] { TextScale = 3.0F; }, [] { return TextScale == 1.0F; }},
        {"VarFont", [] { VarFont = 0; }, [] { return VarFont == 1; }},
        {"WembraOff", [] { WembraOff = 0; }, [] { return WembraOff == 1; }},
        {"TxtLineEdit", [] { TxtLineEdit = 4; }, [] { return TxtLineEdit == -1; }},
        // start-up gives 0, then the settings reader its own default -1
        {"TxtSplit", [] { TxtSplit = 1; }, [] { return TxtSplit == -1; }},
        {"SIMA starts", [] { SimaZahyoStart = SimaKakuchiStart = 9; },
         [] { return SimaZahyoStart == 1 && SimaKakuchiStart == 1; }},
        {"ZahyoBaseMax", [] { ZahyoBaseMax = 7; }, [] { return ZahyoBaseMax == 0; }},
        {"print offsets", [] { PrintMarginB = PrintOffsetL = 300; },
         [] { return PrintMarginB == 0 && PrintOffsetL == 0; }},
        {"KakuchiColor", [] { KakuchiColor = 3; }, [] { return KakuchiColor == 8; }},
        {"StartMode", [] { StartMode = 2; }, [] { return StartMode == 0; }},
        {"shown colours", [] { PointColorShown[0] = LineColorShown[7] = TxtColorShown[14] = TegakiColorShown[3] = 0; },
         [] {
             for (int c = 0; c <= 14; ++c) {
                 if (PointColorShown[c] != 1 || LineColorShown[c] != 1 || TxtColorShown[c] != 1
                     || TegakiColorShown[c] != 1)
                     return false;
             }
             return true;
         }},
        {"counts", [] { CalcPickCount = 3; KakuchiCount = 4; KakuchiOpenCount = 2; },
         [] { return CalcPickCount == 0 && KakuchiCount == 0 && KakuchiOpenCount == 0; }},
        {"RclickMode", [] { RclickMode = 34; }, [] { return RclickMode == 1; }},
        {"HaikeiTop", [] { HaikeiTop = 0; }, [] { return HaikeiTop == 1; }},
        {"ZoneNo", [] { ZoneNo = 9; }, [] { return ZoneNo == 6; }},
        {"MarkSize", [] { MarkSize = 10; }, [] { return MarkSize == 70; }},
        {"HitRadius", [] { HitRadius = 3; }, [] { return HitRadius == 10; }},
        {"font sizes", [] { FontSize = 30; PointFontSize = 5; },
         [] { return FontSize == 12 && PointFontSize == 12; }},
        {"WindowLayout", [] { WindowLayout = 3.0F; }, [] { return WindowLayout == 0.0F; }},
        {"KeepStation", [] { KeepStation = QStringLiteral("0"); }, [] { return KeepStation == QStringLiteral("1"); }},
        {"GpsColor", [] { GpsColor = 2; }, [] { return GpsColor == 14; }},
        {"item counts", [] { TegakiCount = 5; PointCount = 6; LineNext = 9; },
         [] { return TegakiCount == 0 && PointCount == 0 && LineNext == 1; }},
        {"TxtColorCur", [] { TxtColorCur = 0; }, [] { return TxtColorCur == 12; }},
        {"line widths", [] { LineWidthOf[0] = LineWidthOf[8] = LineWidthOf[15] = 5; },
         [] {
             for (int c = 0; c <= 15; ++c) {
                 if (LineWidthOf[c] != (c == 8 ? 1 : 2))
                     return false;
             }
             return true;
         }},
        {"DataDirty", [] { DataDirty = 1; }, [] { return DataDirty == 0; }},
        {"TileScreens", [] { TileScreens = 1; }, [] { return TileScreens == 5; }},
        {"SlideFactor", [] { SlideFactor = 4.0F; }, [] { return SlideFactor == 1.0F; }},
        {"LineSubState", [] { LineSubState = 2; }, [] { return LineSubState == 0; }},
        {"DanmenPitch", [] { DanmenPitch = 20; }, [] { return DanmenPitch == 1; }},
        {"Setting6Text", [] { Setting6Text = QStringLiteral("x.AR2"); }, [] { return Setting6Text.isEmpty(); }},
        {"coordinate table", [] { ZahyoName[500000] = QStringLiteral("old"); ZahyoX[3] = 5.0; ZahyoUsed[9] = 1; },
         [] {
             return ZahyoName[500000] == freeZahyoName() && ZahyoX[3] == 0.0 && ZahyoUsed[9] == 0;
         }},
    };
    for (const auto& row : rows)
        row.spoil();
    startWithoutASite(platform::MsgResult::No);
    for (const auto& row : rows)
        EXPECT_TRUE(row.isInitial()) << row.name;
}

TEST_F(StartupTest, BareSimaFileIsReadAndItsFolderIsTheSite)
{
    const QString dir = folder(QStringLiteral("sima"));
    const QString sima = dir + QStringLiteral("/survey.sim");
    ASSERT_TRUE(writeLines(sima, {QStringLiteral("A01,1,A,0.000,0.000,0.000,"),
                                  QStringLiteral("A01,2,B,100.000,40.000,0.000,")}));
    ASSERT_TRUE(writeLines(dir + QStringLiteral("/POINT.DAT"), {QStringLiteral("4,P4,,50.00,20.00,2")}));
    addPlotWiring([](Plot& w) { w.Text1.setText(QStringLiteral("kept")); });
    chooseFile(sima);
    Plot& window = startProgram();

    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(window.Caption(), QStringLiteral("TAVELCOR v5.360  ") + sima);
    EXPECT_TRUE(window.Command1.Visible());
    EXPECT_FALSE(window.Timer2.Enabled());
    EXPECT_DOUBLE_EQ(SignFileDate, 0.0);
    EXPECT_EQ(SiteFolder, dir + u'/');
    EXPECT_EQ(ZahyoMax, 2);
    // the view: the extent plus 2.5 % of the span on each side
    EXPECT_DOUBLE_EQ(DataXMax, 102.5);
    EXPECT_DOUBLE_EQ(DataYMin, -1.0);
    EXPECT_DOUBLE_EQ(FitSpanX, 105.0);
    EXPECT_DOUBLE_EQ(FitSpanY, 42.0);
    // site mode: the folder's DAT files are read too
    EXPECT_EQ(PointCount, 4);
    EXPECT_DOUBLE_EQ(PointX[4], 0.0);
    // only a map-XML import empties the search field
    EXPECT_EQ(window.Text1.Text(), QStringLiteral("kept"));
}

// A SIMA row without its X or Y is read as before, said once, and the view
// is fitted to the coordinates that have their place.
TEST_F(StartupTest, ASimaRowWithoutXOrYIsSaidAndLeftOutOfTheView)
{
    const QString dir = folder(QStringLiteral("sima"));
    const QString sima = dir + QStringLiteral("/survey.sim");
    ASSERT_TRUE(writeLines(sima, {QStringLiteral("A01,1,A,-37000.000,-8000.000,0.000,"),
                                  QStringLiteral("A01,2,B,-37100.000,-7960.000,0.000,"),
                                  QStringLiteral("A01,3,C,-37050.1")}));
    chooseFile(sima);
    script().expectMessage(platform::MsgResult::Ok,
                           missingPositionMessage(QStringLiteral("survey.sim"),
                                                  {QStringLiteral("3行目「A01,3,C,-37050.1」")}, 1));
    startProgram();
    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(ZahyoMax, 3);
    EXPECT_DOUBLE_EQ(ZahyoY[3], 0.0);
    EXPECT_DOUBLE_EQ(FitSpanX, 105.0);
    EXPECT_DOUBLE_EQ(FitSpanY, 42.0);
    EXPECT_DOUBLE_EQ(OriginX, -37050.0);
    EXPECT_DOUBLE_EQ(OriginY, -7980.0);
}

// The kind of a chosen file comes from its own name; a folder whose name
// looks like a map file ("A.TXT") does not make a site into a map file.
TEST_F(StartupTest, SiteInAFolderNamedLikeAMapFileIsStillASite)
{
    const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("A.TXT"));
    chooseFile(site + u'/' + kSignFile);
    startProgram();
    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(ZahyoMax, 6);
    EXPECT_EQ(PointCount, 2);
    EXPECT_NE(SignFileDate, 0.0);
}

TEST_F(StartupTest, FileOfNoKnownTypeReadsOnlyTheFolderFiles)
{
    const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
    chooseFile(site + QStringLiteral("/POINT.DAT"));
    Plot& window = startProgram();
    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(window.Caption(), QStringLiteral("TAVELCOR v5.360"));
    EXPECT_EQ(ZahyoMax, 1);
    EXPECT_EQ(KakuchiCount, 0);
    EXPECT_EQ(SiteMode, 1);
    EXPECT_EQ(PointCount, 2);
    // no closed parcel: the parcel controls are hidden
    EXPECT_FALSE(window.Command18.Visible());
    EXPECT_FALSE(window.Option5.Visible());
    EXPECT_FALSE(window.Check6.Visible());
    EXPECT_FALSE(window.Label19.Visible());
    EXPECT_FALSE(window.Option29.Visible());
}

TEST(ChosenKindTest, NameDecidesInTableOrderWithoutRegardToCase)
{
    using startup::ChosenKind;
    const struct {
        const char* path;
        ChosenKind kind;
    } rows[] = {
        {"/s/SITE.HED", ChosenKind::Format2000},
        {"/s/site.hed", ChosenKind::Format2000},
        {"/s/x.hed.TXT", ChosenKind::Format2000},     // ".HED" is tested first
        {"/s/map.xml", ChosenKind::MapXml},
        {"/s/MAP.TXT", ChosenKind::MapXml},
        {"/s/TAVELCOR.TXT.SIM", ChosenKind::MapXml},  // ".TXT" before ".SIM"
        {"/s/tavelcor.tvx", ChosenKind::SignFile},
        {"/s/TAVELCOR.TVX.SIM", ChosenKind::SignFile},
        {"/s/ZAHYO.SIM", ChosenKind::Sima},
        {"/s/POINT.DAT", ChosenKind::Nothing},
        {"/A.TXT/TAVELCOR.TVX", ChosenKind::SignFile},  // the folder is not looked at
        {"/B.HED/ZAHYO.SIM", ChosenKind::Sima},
    };
    for (const auto& row : rows)
        EXPECT_EQ(startup::chosenKind(QString::fromUtf8(row.path)), row.kind) << row.path;
}

TEST_F(StartupTest, NameHoldingTheSignFileNameTakesTheSignFileBranch)
{
    const QString dir = folder(QStringLiteral("kinds"));
    ASSERT_TRUE(writeLines(dir + QStringLiteral("/TAVELCOR.TVX.SIM"),
                           {QStringLiteral("A01,7,S,10.000,10.000,0.000,")}));
    chooseFile(dir + QStringLiteral("/TAVELCOR.TVX.SIM"));
    // the folder has no ZAHYO.SIM, so the site's SIMA chooser opens
    script().expectOpenFile(std::nullopt, QStringLiteral("SIMA 呼び出し"));
    startProgram();
    EXPECT_EQ(startupEnd(), StartupEnd::ProgramEnds);
}

TEST_F(StartupTest, CancelledChooserOffersTheMapOnlyView)
{
    int backgroundWindowsShown = 0;
    std::vector<int> loadingFlags;
    appServices().showBackgroundWindow = [&] {
        ++backgroundWindowsShown;
        loadingFlags.push_back(LoadingFlag);
    };
    Plot& window = startWithoutASite(platform::MsgResult::Yes);

    ASSERT_EQ(startupEnd(), StartupEnd::MapOnly);
    EXPECT_EQ(LoadingFlag, 0);
    EXPECT_EQ(SiteMode, 1);
    EXPECT_EQ(ZahyoMax, 2);
    EXPECT_EQ(ZahyoSaved, 2);
    EXPECT_DOUBLE_EQ(ZahyoX[1], -300000.0);
    EXPECT_DOUBLE_EQ(ZahyoY[2], 140000.0);
    EXPECT_DOUBLE_EQ(DataXMin, -300000.0);
    EXPECT_DOUBLE_EQ(DataYMax, 140000.0);
    EXPECT_DOUBLE_EQ(FitSpanX, 550000.0);
    EXPECT_DOUBLE_EQ(FitSpanY, 280000.0);
    EXPECT_DOUBLE_EQ(OriginX, -25000.0);
    EXPECT_DOUBLE_EQ(OriginY, 0.0);
    EXPECT_DOUBLE_EQ(ZahyoPX[1], -275000.0);
    EXPECT_EQ(Haikei1Code, 5);
    EXPECT_FALSE(window.Timer2.Enabled());
    // the background button opened the settings window once (its opening
    // lists the work folder anew), after the loading had ended
    EXPECT_EQ(backgroundWindowsShown, 1);
    EXPECT_EQ(loadingFlags, std::vector<int>{0});
}

// A frame file beside a chosen name that names no file: the map-only view
// is offered and the frame question never comes (an unexpected prompt would
// fail the test).
TEST_F(StartupTest, MapOnlyViewNeverAsksTheFrameQuestion)
{
    const QString dir = folder(QStringLiteral("gone"));
    ASSERT_TRUE(writeLines(dir + QStringLiteral("/X.MAP"), {QStringLiteral("S1,x,0,0,10,0,10,10,0,10,y,z")}));
    startWithoutASite(platform::MsgResult::Yes, dir + QStringLiteral("/X.SIM"));
    ASSERT_EQ(startupEnd(), StartupEnd::MapOnly);
    EXPECT_EQ(LineNext, 1);
    EXPECT_EQ(PointCount, 0);
}

TEST_F(StartupTest, NameOfNoExistingFileOffersTheMapOnlyView)
{
    startWithoutASite(platform::MsgResult::Yes, folder(QStringLiteral("none")) + QStringLiteral("/TAVELCOR.TVX"));
    EXPECT_EQ(startupEnd(), StartupEnd::MapOnly);
}

TEST_F(StartupTest, DecliningTheMapOnlyViewEndsTheProgram)
{
    Plot& window = startWithoutASite(platform::MsgResult::No);
    EXPECT_EQ(startupEnd(), StartupEnd::ProgramEnds);
    EXPECT_FALSE(window.Picture1.Visible());
    EXPECT_FALSE(window.protprp.Visible());
}

TEST_F(StartupTest, SecondInstanceIsWarnedAndStartsAsTheFirst)
{
    const std::unique_ptr<platform::SingleInstance> first = platform::SingleInstance::acquire(QStringLiteral("TAVELCOR"));
    ASSERT_TRUE(first);
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("TAVELCORを複数起動します"));
    const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
    chooseFile(site + u'/' + kSignFile);
    startProgram();
    ASSERT_FALSE(script().records().empty());
    EXPECT_TRUE(script().records().front().systemModal);
    EXPECT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(ZahyoMax, 6);
}

// A settings file of the site that is there but cannot be read was passed
// over, and the save then wrote the defaults over it: now start-up names it
// and the program ends, so nothing is written over it.
TEST_F(StartupTest, SiteFileThatCannotBeReadIsSaidAndEndsTheProgram)
{
    const char* names[] = {"tavelcor.jkn", "TAVELCOR.TVX", "LINEWID.JKN", "HAIKEI.JKN"};
    int n = 0;
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("unreadable%1").arg(++n));
        const QString path = site + u'/' + QString::fromLatin1(name);
        if (!QFileInfo::exists(path)) {
            ASSERT_TRUE(writeLines(path, {QStringLiteral(" 3")}));
        }
        const QByteArray bytes = fileBytes(path);
        const BrokenFile broken(path, std::nullopt);
        chooseFile(site + u'/' + kSignFile);
        script().expectMessage(platform::MsgResult::Ok, cannotOpenMessage(QString::fromLatin1(name)));
        startProgram();
        EXPECT_EQ(startupEnd(), StartupEnd::ProgramEnds);
        endRun();
        EXPECT_EQ(fileBytes(path), bytes);
    }
}

TEST_F(StartupTest, AProgramFolderThatCannotBeWrittenIsSaidInsteadOfASecondInstance)
{
    QFile plain(folder(QStringLiteral("media")) + QStringLiteral("/plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    const QString home = plain.fileName() + QStringLiteral("/tavelcor");
    testing_support::ScopedEnv badHome("TAVELCOR_HOME", home);
    script().expectMessage(platform::MsgResult::Ok,
                           QStringLiteral("プログラムフォルダ ") + home
                               + QStringLiteral(" に書き込めません。設定は保存されません。"));
    const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
    chooseFile(site + u'/' + kSignFile);
    startProgram();
    EXPECT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(ZahyoMax, 6);
}

TEST_F(StartupTest, FirstInstanceHoldsTheLockForTheRun)
{
    startWithoutASite(platform::MsgResult::No);
    EXPECT_FALSE(platform::SingleInstance::acquire(QStringLiteral("TAVELCOR")));
}

// ----------------------------------------------------------- sign file branch

class SignFileBranchTest : public StartupTest {
protected:
    void SetUp() override
    {
        StartupTest::SetUp();
        mSite = folder(QStringLiteral("bare"));
        ASSERT_TRUE(writeLines(mSite + u'/' + kSignFile, {}));
        mOther = folder(QStringLiteral("elsewhere")) + QStringLiteral("/field.sim");
        ASSERT_TRUE(writeLines(mOther, {QStringLiteral("A01,1,F1,10.000,20.000,1.000,"),
                                        QStringLiteral("A01,2,F2,30.000,60.000,1.000,")}));
        chooseFile(mSite + u'/' + kSignFile);
    }

    QString copyQuestion() const
    {
        return QStringLiteral("TVXの作業データとして") + mOther + QStringLiteral("を、") + mSite
               + QStringLiteral("/ZAHYO.SIM にコピーします");
    }

    QString mSite;
    QString mOther;
};

TEST_F(SignFileBranchTest, CancelledSimaChoiceEndsWithoutAMessage)
{
    script().expectOpenFile(std::nullopt, QStringLiteral("SIMA 呼び出し"));
    startProgram();
    EXPECT_EQ(startupEnd(), StartupEnd::ProgramEnds);
    EXPECT_FALSE(QFileInfo::exists(mSite + QStringLiteral("/ZAHYO.SIM")));
    // the SIMA chooser: no preset name, SIMA files first
    const platform::PromptRecord& chooser = script().records().back();
    EXPECT_EQ(chooser.defaultText, QString());
    EXPECT_EQ(chooser.filter, QStringLiteral("SIMA ファイル|*.SIM|すべてのファイル|*.*"));
    EXPECT_EQ(chooser.filterIndex, 1);
}

// The branch's SIMA file that is there but cannot be opened ends the
// program, as a cancelled SIMA chooser does, but says why first.
TEST_F(SignFileBranchTest, SimaFileThatCannotBeOpenedIsSaidAndEndsTheProgram)
{
    ASSERT_TRUE(QFile::copy(mOther, mSite + QStringLiteral("/ZAHYO.SIM")));
    const BrokenFile broken(mSite + QStringLiteral("/ZAHYO.SIM"), std::nullopt);
    script().expectMessage(platform::MsgResult::Ok, cannotOpenMessage(mSite + QStringLiteral("/ZAHYO.SIM")));
    startProgram();
    EXPECT_EQ(startupEnd(), StartupEnd::ProgramEnds);
}

TEST_F(SignFileBranchTest, ChosenSimaIsCopiedIntoTheSiteOnYes)
{
    script().expectOpenFile(mOther, QStringLiteral("SIMA 呼び出し"));
    script().expectMessage(platform::MsgResult::Yes, copyQuestion());
    Plot& window = startProgram();
    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(fileBytes(mSite + QStringLiteral("/ZAHYO.SIM")), fileBytes(mOther));
    EXPECT_EQ(window.CommonDialog1.FileName(), mSite + QStringLiteral("/ZAHYO.SIM"));
    EXPECT_EQ(ZahyoMax, 2);
    EXPECT_EQ(ZahyoName[2], QStringLiteral("F2"));
    // an empty sign file holds no view window
    EXPECT_FALSE(plotRunState().signWindow.has_value());
}

TEST_F(SignFileBranchTest, ChosenSimaIsReadInPlaceOnNo)
{
    script().expectOpenFile(mOther, QStringLiteral("SIMA 呼び出し"));
    script().expectMessage(platform::MsgResult::No, copyQuestion());
    startProgram();
    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_FALSE(QFileInfo::exists(mSite + QStringLiteral("/ZAHYO.SIM")));
    EXPECT_EQ(ZahyoMax, 2);
}

// ------------------------------------------------------- readers that stop

TEST_F(StartupTest, MalformedDatFileEndsTheProgram)
{
    const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
    ASSERT_TRUE(writeLines(site + QStringLiteral("/TEGAKI.DAT"), {QStringLiteral("1,1,9,1.00,2.00,7")}));
    chooseFile(site + u'/' + kSignFile);
    script().expectMessage(platform::MsgResult::Ok);
    startProgram();
    EXPECT_EQ(startupEnd(), StartupEnd::ProgramEnds);
    EXPECT_TRUE(script().records().back().text.startsWith(QStringLiteral("TEGAKI.DATの「")));
}

TEST_F(StartupTest, SimaFileWithANumberOutsideTheTableEndsTheProgram)
{
    const QString sima = folder(QStringLiteral("bad")) + QStringLiteral("/BAD.SIM");
    ASSERT_TRUE(writeLines(sima, {QStringLiteral("A01,500001,X,1.000,2.000,0.000,")}));
    chooseFile(sima);
    script().expectMessage(platform::MsgResult::Ok);
    startProgram();
    EXPECT_EQ(startupEnd(), StartupEnd::ProgramEnds);
}

// A site file whose reading breaks off (a USB stick pulled out) is no
// site: start-up says which file and ends the program, so nothing is saved
// over the whole files at shut-down.
TEST_F(StartupTest, SiteFileThatBreaksOffEndsTheProgram)
{
    const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
    for (const char* name : {"ZAHYO.SIM", "POINT.DAT", "TEXT.DAT"}) {
        SCOPED_TRACE(name);
        const QString file = site + u'/' + QString::fromLatin1(name);
        const QByteArray bytes = fileBytes(file);
        const BrokenFile broken(file, bytes.size() / 2);
        chooseFile(site + u'/' + kSignFile);
        script().expectMessage(platform::MsgResult::Ok, readErrorMessage(QString::fromLatin1(name)));
        startProgram();
        EXPECT_EQ(startupEnd(), StartupEnd::ProgramEnds);
        EXPECT_EQ(fileBytes(file), bytes);
        endRun();
    }
}

// A chosen SIMA or map file that is there but cannot be opened: start-up
// says so and goes on as after a cancelled chooser (the map-only question),
// with no site folder taken and no file in the caption.
TEST_F(StartupTest, ChosenFileThatCannotBeOpenedIsSaidAndOffersTheMapOnlyView)
{
    const QString dir = folder(QStringLiteral("unreadable"));
    ASSERT_TRUE(writeLines(dir + QStringLiteral("/A.SIM"), {QStringLiteral("A01,1,A,1.000,1.000,0.000,")}));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAVELCOR_TEST_DATA "/main/site_import/map_public.xml"),
                            dir + QStringLiteral("/map.xml")));
    ASSERT_TRUE(writeBytes(dir + QStringLiteral("/map.TXT"), fileBytes(dir + QStringLiteral("/map.xml"))));
    const struct {
        const char* name;
        platform::MsgResult answer;
        StartupEnd end;
    } rows[] = {
        {"A.SIM", platform::MsgResult::Yes, StartupEnd::MapOnly},
        {"map.xml", platform::MsgResult::Yes, StartupEnd::MapOnly},
        {"map.TXT", platform::MsgResult::No, StartupEnd::ProgramEnds},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir + u'/' + QString::fromLatin1(row.name);
        const BrokenFile broken(path, std::nullopt);
        chooseFile(path);
        script().expectMessage(platform::MsgResult::Ok, cannotOpenMessage(path));
        answerMapOnly(row.answer);
        Plot& window = startProgram();
        EXPECT_EQ(startupEnd(), row.end);
        EXPECT_EQ(SiteFolder, programFolder() + u'/');
        EXPECT_EQ(window.Caption(), BaseCaption);
        EXPECT_EQ(window.CommonDialog1.FileName(), QString());
        endRun();
    }
}

// ----------------------------------------------------------- other readers

TEST_F(StartupTest, FormatTwoThousandSetWithItsFrameFile)
{
    const QString dir = folder(QStringLiteral("f2k"));
    ASSERT_TRUE(writeLines(dir + QStringLiteral("/F2K.HED"), {QStringLiteral("2000,試験,9,地区")}));
    ASSERT_TRUE(writeLines(dir + QStringLiteral("/F2K.PNT"), {QStringLiteral("1,100.000,200.000,0,0,0,0"),
                                                              QStringLiteral("2,140.000,280.000,0,0,0,0")}));
    ASSERT_TRUE(writeLines(dir + QStringLiteral("/F2K.LIN"),
                           {QStringLiteral("1,2"), QStringLiteral("1"), QStringLiteral("2")}));
    ASSERT_TRUE(writeLines(dir + QStringLiteral("/F2K.MAP"),
                           {QStringLiteral("図郭１,x,80,190,150,190,150,300,80,300,y,z")}));
    chooseFile(dir + QStringLiteral("/F2K.HED"));
    script().expectMessage(platform::MsgResult::Yes, kFrameQuestion);
    startProgram();
    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(ZoneNo, 9);
    EXPECT_EQ(ZahyoMax, 2);
    EXPECT_DOUBLE_EQ(OriginX, 120.0);
    EXPECT_DOUBLE_EQ(OriginY, 240.0);
    // the imported polyline was stored absolute and is now relative
    ASSERT_GE(LineNext, 2);
    EXPECT_DOUBLE_EQ(LineX1[1], 100.0 - 120.0);
    EXPECT_DOUBLE_EQ(LineY2[1], 280.0 - 240.0);
    // the frame came in relative already: four lines and one point
    EXPECT_EQ(LineNext, 6);
    EXPECT_EQ(PointCount, 1);
    EXPECT_DOUBLE_EQ(LineX1[2], 80.0 - 120.0);
}

TEST_F(StartupTest, FrameFileBesideAChosenSimaFileIsOffered)
{
    const QString dir = folder(QStringLiteral("frame"));
    ASSERT_TRUE(writeLines(dir + QStringLiteral("/X.SIM"), {QStringLiteral("A01,1,A,0.000,0.000,0.000,"),
                                                            QStringLiteral("A01,2,B,10.000,10.000,0.000,")}));
    ASSERT_TRUE(writeLines(dir + QStringLiteral("/X.MAP"),
                           {QStringLiteral("S1,x,0,0,10,0,10,10,0,10,y,z")}));
    chooseFile(dir + QStringLiteral("/X.SIM"));
    script().expectMessage(platform::MsgResult::No, kFrameQuestion);
    startProgram();
    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(LineNext, 1);
    EXPECT_EQ(PointCount, 0);
}

TEST_F(StartupTest, MapXmlFileIsReadAndMadeRelative)
{
    const QString dir = folder(QStringLiteral("xml"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(TAVELCOR_TEST_DATA "/main/site_import/map_public.xml"),
                            dir + QStringLiteral("/map.xml")));
    // the search field holds a text when the import begins
    addPlotWiring([](Plot& w) { w.Text1.setText(QStringLiteral("stale")); });
    // each stage shows in the splash window, under the hourglass
    QStringList stages;
    int stagesWithLabel = 0;
    int stagesWithoutHourglass = 0;
    appServices().mapXml.showStage = [&](const QString& caption) {
        startup::showImportStage(caption);
        stages << start().Caption();
        stagesWithLabel += start().Label1.Visible() ? 1 : 0;
        stagesWithoutHourglass += plot().MousePointer() == 11 ? 0 : 1;
    };
    chooseFile(dir + QStringLiteral("/map.xml"));
    Plot& window = startProgram();
    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(window.Text1.Text(), QString());
    ASSERT_GE(stages.size(), 2);
    EXPECT_EQ(stages.first(), QStringLiteral("ＸＭＬを確認しています"));
    EXPECT_EQ(stages.last(), QStringLiteral("SIMAに変換しています"));
    EXPECT_EQ(stagesWithLabel, 0);
    EXPECT_EQ(stagesWithoutHourglass, 0);
    EXPECT_EQ(window.MousePointer(), 0);
    EXPECT_EQ(ZoneNo, 9);
    EXPECT_GT(ZahyoMax, 1);
    EXPECT_GT(LineNext, 2);
    // lines and points lie around the origin, not at absolute metres
    for (int i = 2; i < LineNext; ++i) {
        EXPECT_LT(std::abs(LineX1[i]), 1000.0) << i;
        EXPECT_LT(std::abs(LineY1[i]), 1000.0) << i;
    }
    EXPECT_FALSE(startForm().isLoaded());
}

// ----------------------------------------------------------- first redraw

// The first redraw of a site with many observation points leaves out
// points, texts and hand strokes; later redraws draw everything.
TEST_F(StartupTest, MoreThanFiveHundredPointsSkipLayersOnTheFirstRedrawOnly)
{
    for (const int count : {500, 501}) {
        SCOPED_TRACE(count);
        const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("many%1").arg(count));
        QStringList rows;
        for (int i = 1; i <= count; ++i)
            rows << QStringLiteral("%1,P%1,,1010.00,2010.00,2").arg(i);
        ASSERT_TRUE(writeLines(site + QStringLiteral("/POINT.DAT"), rows));
        std::vector<int> skips;
        // The background step asks about the placement window once per
        // redraw that draws.
        backgroundServices().rasterSetShown = [&skips] {
            skips.push_back(SkipPointview + SkipTxtview + SkipTegakidraw);
            return false;
        };
        chooseFile(site + u'/' + kSignFile);
        startProgram();
        ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
        ASSERT_FALSE(skips.empty());
        EXPECT_EQ(skips.back(), count > 500 ? 3 : 0);
        EXPECT_EQ(SkipPointview + SkipTxtview + SkipTegakidraw, 0);
        backgroundServices().rasterSetShown = {};
        platform::destroyAllForms();
        resetTables();
    }
}

TEST_F(StartupTest, SavedViewWindowIsAppliedWhenTheSettingsAskForIt)
{
    const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
    SiteFolder = site + u'/';
    WorkFolder = workFolder();
    KeepView = 1;
    ASSERT_FALSE(SaveSettings().failed());
    resetTables();
    chooseFile(site + u'/' + kSignFile);
    startProgram();
    ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    EXPECT_EQ(KeepView, 1);
    // the window -45..45 east, -20..20 south, widened by 30 % eastwards,
    // is the view the redraw fitted to the plot
    EXPECT_DOUBLE_EQ(ViewCY, OriginY + 13.5);
    EXPECT_DOUBLE_EQ(ViewCX, OriginX);
    EXPECT_DOUBLE_EQ(FitSpanX, 40.0);
    EXPECT_DOUBLE_EQ(FitSpanY, 117.0);
}

TEST_F(StartupTest, TooSmallSavedWindowGetsTheSmallestSpanAndSaysSo)
{
    const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
    ASSERT_TRUE(writeLines(site + u'/' + kSignFile, {QStringLiteral(" .02"), QStringLiteral(" 0"),
                                                     QStringLiteral(" .12"), QStringLiteral(" .1")}));
    SiteFolder = site + u'/';
    WorkFolder = workFolder();
    KeepView = 1;
    ASSERT_FALSE(SaveSettings().failed());
    resetTables();
    chooseFile(site + u'/' + kSignFile);
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("これ以上拡大できません"));
    startProgram();
    EXPECT_EQ(startupEnd(), StartupEnd::Drawn);
}

TEST_F(StartupTest, EditorCaptionsComeFromTheSitesCrtextFile)
{
    const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
    ASSERT_TRUE(writeLines(site + QStringLiteral("/crtext.jkn"),
                           {QStringLiteral("一,二"), QStringLiteral("二"), QStringLiteral("三"),
                            QStringLiteral("四"), QStringLiteral("五"), QStringLiteral("六"),
                            QStringLiteral("七"), QStringLiteral("八"), QStringLiteral("九"),
                            QStringLiteral("十")}));
    chooseFile(site + u'/' + kSignFile);
    startProgram();
    EXPECT_EQ(CrtextPhrase[1], QStringLiteral("一,二"));
    EXPECT_EQ(CrtextPhrase[8], QStringLiteral("八"));
    EXPECT_EQ(CrtextPhrase[9], QStringLiteral("→田　不詳"));
}

TEST_F(StartupTest, SiteSettingsReplaceTheProgramFolderOnes)
{
    ASSERT_TRUE(writeLines(programFolder() + QStringLiteral("/POINT.JKN"), {QStringLiteral("4,p,0,program")}));
    const QString site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
    ASSERT_TRUE(writeLines(site + QStringLiteral("/POINT.JKN"), {QStringLiteral("4,s,13,site")}));
    ASSERT_TRUE(writeLines(site + QStringLiteral("/TEXT.JKN"),
                           {QStringLiteral("宅,宅地"), QStringLiteral("畑,畑地"), QStringLiteral("3"),
                            QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                            QStringLiteral("他"), QStringLiteral("境界杭")}));
    chooseFile(site + u'/' + kSignFile);
    Plot& window = startProgram();
    EXPECT_EQ(window.Option13(4).Caption(), QStringLiteral("ｓ"));
    EXPECT_EQ(window.Option13(4).ForeColor(), platform::QBColor(13));
    EXPECT_EQ(window.Label24(4).Caption(), QStringLiteral("site"));
    EXPECT_EQ(window.Option23(1).Caption(), QStringLiteral("宅"));
    EXPECT_EQ(PhraseText[2], QStringLiteral("畑地"));
    ASSERT_EQ(plist().List1.ListCount(), 1);
    EXPECT_EQ(plist().List1.List(0), QStringLiteral("境界杭"));
}

}  // namespace
}  // namespace tavelcor::apptest
