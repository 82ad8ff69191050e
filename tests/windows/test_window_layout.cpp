// SPDX-License-Identifier: LicenseRef-Tavelcor
// Every window of the three programs as a user sees it: no caption cut, no
// text box too low for its line, no control covering another.
//
// To walk a new window, add a row to windows(): a name and how to bring the
// window into the state to look at (loaded as the program loads it, with the
// controls shown that its code shows). Controls that the window's design
// lays over each other on purpose are named in the row's stacked pairs.
#include "layout_check.h"

#include "gps/form1.h"
#include "keypad/form1.h"
#include "keypad/jyouken.h"
#include "keypad/module1.h"
#include "main/app/app_context.h"
#include "main/app/app_forms.h"
#include "main/app/wirings.h"
#include "main/background/danmen_frm.h"
#include "main/background/haikei.h"
#include "main/background/kiyaku.h"
#include "main/background/raster_set.h"
#include "main/background/photo_viewer.h"
#include "main/edit/crtext.h"
#include "main/edit/koho.h"
#include "main/edit/last_name_form.h"
#include "main/edit/mesgbox.h"
#include "main/edit/point_panel.h"
#include "main/edit/xyin.h"
#include "main/edit/xyin2.h"
#include "main/export/simasave.h"
#include "main/interact/rclick_menu.h"
#include "main/render/color_picker.h"
#include "main/render/cselect.h"
#include "main/render/linewidth.h"
#include "main/render/print_dialog.h"
#include "main/render/znohani.h"
#include "main/site/tables.h"
#include "main/survey/gps_window.h"
#include "main/survey/stdisp.h"
#include "main/ui/jyouken.h"
#include "main/ui/pointcat.h"
#include "main/ui/textcat.h"
#include "main/window/plot.h"
#include "platform/desktop/fake_desktop.h"
#include "platform/forms/fonts.h"
#include "platform/forms/form_holder.h"
#include "platform/prompt/testing.h"
#include "scoped_env.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QWidget>
#include <QPixmap>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using layout_check::StackedPair;

// What a window needs around it: a program folder, a temporary folder and a
// runtime folder of its own, a scripted prompter, no serial devices, and a
// desktop in memory for the keypad.
struct Surroundings {
    QTemporaryDir root;
    std::optional<testing_support::ScopedEnv> home;
    std::optional<testing_support::ScopedEnv> temp;
    std::optional<testing_support::ScopedEnv> runtime;
    std::vector<std::unique_ptr<testing_support::ScopedEnv>> ports;
    platform::FakeDesktop desktop;
    platform::testing::GTestScriptedPrompter script;

    Surroundings()
    {
        home.emplace("TAVELCOR_HOME", root.path() + QStringLiteral("/home"));
        QDir().mkpath(root.path() + QStringLiteral("/tmp"));
        temp.emplace("TMPDIR", root.path() + QStringLiteral("/tmp"));
        runtime.emplace("XDG_RUNTIME_DIR", root.path() + QStringLiteral("/tmp"));
        for (int port = 1; port <= 16; ++port) {
            const QByteArray name = "ORBELA_PORT" + QByteArray::number(port);
            ports.push_back(std::make_unique<testing_support::ScopedEnv>(name.constData(), QString()));
        }
    }
};

// The main window with the sample site opened through the chooser, as the
// program starts it.
tavelcor::Plot& mainWindowWithSite(Surroundings& s)
{
    const QString site = s.root.path() + QStringLiteral("/genba");
    QDir().mkpath(site);
    const QString fixture = QStringLiteral(TAVELCOR_TEST_DATA "/main/app/site");
    for (const QString& name : QDir(fixture).entryList(QDir::Files))
        QFile::copy(fixture + u'/' + name, site + u'/' + name);
    s.script->expectOpenFile(site + QStringLiteral("/TAVELCOR.TVX"), QStringLiteral("TVX SIMA 呼び出し"));
    tavelcor::allocateTables();
    tavelcor::resetTables();
    tavelcor::registerPlotWirings();
    tavelcor::Plot& window = tavelcor::plot();
    EXPECT_EQ(tavelcor::plotRunState().startupEnd, tavelcor::StartupEnd::Drawn);
    return window;
}

// The standard layout with everything its code can show at once: both
// buttons of a loaded site, the parcel controls, the right-click switches,
// the link option, the cursor readout over the plot and "Rdo".
tavelcor::Plot& standardLayout(Surroundings& s)
{
    tavelcor::Plot& w = mainWindowWithSite(s);
    for (platform::Control* shown :
         std::initializer_list<platform::Control*>{&w.Command23, &w.Command1, &w.Check35, &w.Check37, &w.Option32,
                                                   &w.Option5, &w.Option29, &w.Command18, &w.Text4, &w.Check6,
                                                   &w.Label19, &w.Label5, &w.Command61})
        shown->setVisible(true);
    return w;
}

// One operation panel open in place of the idle right-click frame.
template <platform::Frame tavelcor::Plot::*Panel>
platform::Form& withPanel(Surroundings& s)
{
    tavelcor::Plot& w = standardLayout(s);
    w.Frame2.setVisible(false);
    (w.*Panel).setVisible(true);
    w.Check4.setValue(1);  // the hand-stroke panel's circle field shows
    return w;
}

// The point panel on 属性: the symbol picker hidden, the workbook buttons
// and 候補 shown in its place.
platform::Form& pointPanelAttribute(Surroundings& s)
{
    tavelcor::Plot& w = standardLayout(s);
    w.Frame2.setVisible(false);
    w.Frame4.setVisible(true);
    w.Option9.setValue(true);
    EXPECT_TRUE(w.Command31.Visible());
    return w;
}

// The point panel opened by its button (the picker closed, 候補 shown), and
// with its symbol picker opened by マーク.
platform::Form& pointPanelOpened(Surroundings& s)
{
    tavelcor::Plot& w = standardLayout(s);
    tavelcor::Command20_Click(w);
    EXPECT_TRUE(w.Frame4.Visible());
    EXPECT_FALSE(w.Frame6.Visible());
    return w;
}

platform::Form& pointPanelPicker(Surroundings& s)
{
    tavelcor::Plot& w = standardLayout(s);
    tavelcor::Command20_Click(w);
    tavelcor::Command24_Click(w);
    EXPECT_TRUE(w.Frame6.Visible());
    return w;
}

// The readouts of a press over the plot, all three filled.
platform::Form& pressReadouts(Surroundings& s)
{
    tavelcor::Plot& w = standardLayout(s);
    w.Label18.setCaption(QStringLiteral("   36.0000000"));
    w.Label29.setCaption(QStringLiteral("  136.0000000"));
    w.Label30.setCaption(QStringLiteral("   1234.5"));
    w.Label5.setCaption(QStringLiteral("X=  -33000.000 Y=   13000.000"));
    return w;
}

// The point panel in its move operation with a point picked: the symbol
// picker and 候補 hidden by the operation, "XY入力" shown, and "取消" after a
// move.
platform::Form& pointPanelMoving(Surroundings& s)
{
    tavelcor::Plot& w = standardLayout(s);
    w.Frame2.setVisible(false);
    w.Frame4.setVisible(true);
    w.Option11.setValue(true);
    EXPECT_FALSE(w.Frame6.Visible());
    w.Command47.setVisible(true);
    w.Command31.setVisible(true);
    return w;
}

// The idle panel with the right-click option MENU表示 chosen: "SIMA編集"
// shows below the right-click frame.
platform::Form& menuMode(Surroundings& s)
{
    tavelcor::Plot& w = standardLayout(s);
    w.Command85.setVisible(true);
    return w;
}

// The text panel on 編集 with its field, the colour buttons 字 and 色 and
// the commit button shown.
platform::Form& textPanelEditing(Surroundings& s)
{
    tavelcor::Plot& w = standardLayout(s);
    w.Frame2.setVisible(false);
    w.Frame11.setVisible(true);
    w.Option18.setValue(true);
    w.Text8.setVisible(true);
    w.Text8.setText(QStringLiteral("地目変更"));
    w.Command34.setCaption(QStringLiteral("確定"));
    w.Command34.setVisible(true);
    return w;
}

// The line-break editor opened on a text of three lines.
platform::Form& lineEditor(Surroundings& s)
{
    tavelcor::Plot& w = mainWindowWithSite(s);
    w.Text8.setText(QStringLiteral("123-4 宅地 から分筆"));
    return tavelcor::crtext();
}

// The results panel over the plot's left edge, with two result lines.
platform::Form& resultsPanel(Surroundings& s)
{
    tavelcor::Plot& w = standardLayout(s);
    w.Text18.setText(QStringLiteral("面積 = 123.45 m2\r\n距離 = 12.345 m"));
    w.Frame16.setVisible(true);
    return w;
}

// The last used names with a report of several lines.
platform::Form& lastNames(Surroundings& s)
{
    mainWindowWithSite(s);
    tavelcor::LastName& form = tavelcor::lastName();
    form.Text1.setText(QStringLiteral("先頭数字　最大＝1005\r\n1005\r\n先頭（A-）　A-12\r\n\r\n終了しました"));
    form.Text2.setText(QStringLiteral("交1"));
    return form;
}

// The yes/no window asking the search's question of two lines.
platform::Form& yesNoWindow(Surroundings& s)
{
    mainWindowWithSite(s);
    tavelcor::MESGBOX& form = tavelcor::mesgbox();
    form.Label1.setCaption(QStringLiteral("10000件のデータがあります\r\n10000番目のデータを表示しますか"));
    return form;
}

// The profile dialog of an ordinary instance, the correction's hint shown.
platform::Form& profileDialog(Surroundings& s)
{
    mainWindowWithSite(s);
    tavelcor::DanmenFrm& form = tavelcor::danmenFrm();
    form.Check1.setValue(platform::check::Checked);
    EXPECT_TRUE(form.Label4.Visible());
    return form;
}

// The profile dialog of the profile view: the vertical factor only.
platform::Form& profileViewDialog(Surroundings& s)
{
    tavelcor::Plot& w = mainWindowWithSite(s);
    w.setCaption(w.Caption() + QStringLiteral(" 地理院標高APIを使用した断面図"));
    tavelcor::DanmenFrm& form = tavelcor::danmenFrm();
    EXPECT_TRUE(form.profileView());
    return form;
}

platform::Form& compactLayout(Surroundings& s)
{
    tavelcor::Plot& w = mainWindowWithSite(s);
    w.Command66.setValue(true);
    EXPECT_TRUE(w.Frame15.Visible());
    return w;
}

// A window of the main program that its main window opens (Holder() is the
// window's accessor), loaded over the main window with a site.
template <auto Holder>
platform::Form& mainProgramDialog(Surroundings& s)
{
    mainWindowWithSite(s);
    return Holder().instance();
}

// The name-candidate window seeded from the sample site's last points.
platform::Form& nameCandidates(Surroundings& s)
{
    mainWindowWithSite(s);
    tavelcor::PointCount = 5;
    for (int i = 1; i <= 5; ++i)
        tavelcor::PointName[i] = QStringLiteral("交12-%1").arg(i);
    return tavelcor::koho();
}

// A window of the main program that needs no main window.
template <auto Holder>
platform::Form& mainProgramWindow(Surroundings&)
{
    return Holder().instance();
}

// The SIMA registration options with a parcel selected, so that every
// target it offers shows.
platform::Form& simaOptions(Surroundings& s)
{
    mainWindowWithSite(s);
    tavelcor::KakuchiCount = std::max<int>(tavelcor::KakuchiCount, 1);
    tavelcor::KakuchiSel[1] = 1;
    tavelcor::Simasave& form = tavelcor::simasave();
    form.Show();
    return form;
}

// The calculation report window over the main window, holding a report.
tavelcor::Stdisp& reportWindow(Surroundings& s)
{
    mainWindowWithSite(s);
    tavelcor::MsgText = QStringLiteral("    3 ST             X=  10000.000 Y=  20000.000\r\n");
    tavelcor::showReportWindow();
    return tavelcor::stdisp();
}

// The report window with its distance panel open over the report.
platform::Form& reportWithDistancePanel(Surroundings& s)
{
    tavelcor::Stdisp& form = reportWindow(s);
    form.hikizan.choose();
    form.Text3.setText(QStringLiteral("9.990"));
    return form;
}

// The photo viewer as the link mode opens it on `n` candidates, each a
// photo of 400 x 300 pixels linked to a coordinate of the sample site.
template <int n>
platform::Form& photoViewer(Surroundings& s)
{
    mainWindowWithSite(s);
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(Qt::darkGreen);
    EXPECT_TRUE(photo.save(tavelcor::SiteFolder + QStringLiteral("photo.png"), "PNG"));
    tavelcor::LinkCand[0] = n;
    for (int i = 1; i <= n; ++i) {
        tavelcor::LinkCand[i] = i;
        tavelcor::ZahyoLink[i] = QStringLiteral("photo.png");
    }
    tavelcor::showPhotoCandidates();
    return tavelcor::jpegdisp();
}

// The background dialog as "背景" opens it, with a definition shown in each
// raster row (a path of common length: a label shows what fits of a longer
// one).
platform::Form& backgroundDialog(Surroundings& s)
{
    mainWindowWithSite(s);
    for (int n = 0; n < 3; ++n)
        tavelcor::HaikeiDef[n] = QStringLiteral("/data/genba/raster%1.AR2").arg(n + 1);
    tavelcor::plot().Command52.setValue(true);
    return tavelcor::haikei();
}

// The viewer's size buttons and button frame lie on its photo.
const std::vector<StackedPair> kPhotoViewerStacks = {
    {QStringLiteral("Picture1"), QStringLiteral("Frame1")},
    {QStringLiteral("Picture1"), QStringLiteral("Frame2")},
};

platform::Form& orbelaWindow(Surroundings&)
{
    orbela::Form1& form = orbela::form1();
    // Shown by the program when a geoid file is there, when a point file is
    // named and when the clock is set from the receiver.
    form.Label9.setVisible(true);
    form.Text3.setVisible(true);
    form.Text10.setVisible(true);
    return form;
}

platform::Form& keypadWindow(Surroundings& s)
{
    kintab::resetKeypadState();
    kintab::KeypadServices services;
    services.windows = &s.desktop;
    kintab::installServices(std::move(services));
    return kintab::form1();
}

// The compact keypad the close box shrinks the keypad to.
platform::Form& compactKeypad(Surroundings& s)
{
    platform::Form& keypad = keypadWindow(s);
    keypad.Show();
    EXPECT_FALSE(keypad.requestUnload(platform::UnloadMode::FormControlMenu)) << "the close box shrinks the keypad";
    return keypad;
}

platform::Form& keypadSettings(Surroundings& s)
{
    keypadWindow(s);
    return kintab::jyouken();
}

struct WindowRow {
    const char* name;
    std::function<platform::Form&(Surroundings&)> open;
    std::vector<StackedPair> stacked;
};

// The main window's plot lies under the side panel, the compact frame and
// the cursor readout, as the window's layout places them.
const std::vector<StackedPair> kMainWindowStacks = {
    {QStringLiteral("Picture1"), QStringLiteral("protprp")},
    {QStringLiteral("Picture1"), QStringLiteral("Frame15")},
    {QStringLiteral("Picture1"), QStringLiteral("Label5")},
    {QStringLiteral("Picture1"), QStringLiteral("Label29")},
    {QStringLiteral("Picture1"), QStringLiteral("Label30")},
    {QStringLiteral("Picture1"), QStringLiteral("Frame16")},
    // 断面確認 lies in the web-map frame's free place without belonging to it.
    {QStringLiteral("Frame8"), QStringLiteral("Command57")},
    // The open symbol picker lies over the point panel's bottom row.
    {QStringLiteral("Frame6"), QStringLiteral("Check24")},
    {QStringLiteral("Frame6"), QStringLiteral("Command26")},
};

const std::vector<WindowRow>& windows()
{
    static const std::vector<WindowRow> rows = {
        // Tavelcor
        {"TavelcorMainStandardLayout", standardLayout, kMainWindowStacks},
        {"TavelcorMainPointPanel", withPanel<&tavelcor::Plot::Frame4>, kMainWindowStacks},
        {"TavelcorMainLinePanel", withPanel<&tavelcor::Plot::Frame10>, kMainWindowStacks},
        {"TavelcorMainHandStrokePanel", withPanel<&tavelcor::Plot::Frame9>, kMainWindowStacks},
        {"TavelcorMainTextPanel", withPanel<&tavelcor::Plot::Frame11>, kMainWindowStacks},
        {"TavelcorMainTextPanelEditing", textPanelEditing, kMainWindowStacks},
        {"TavelcorMainPointPanelAttribute", pointPanelAttribute, kMainWindowStacks},
        {"TavelcorMainPointPanelOpened", pointPanelOpened, kMainWindowStacks},
        {"TavelcorMainPointPanelPicker", pointPanelPicker, kMainWindowStacks},
        {"TavelcorMainStationFrame", withPanel<&tavelcor::Plot::Frame13>, kMainWindowStacks},
        {"TavelcorMainPressReadouts", pressReadouts, kMainWindowStacks},
        {"TavelcorMainPointPanelMoving", pointPanelMoving, kMainWindowStacks},
        {"TavelcorMainMenuMode", menuMode, kMainWindowStacks},
        {"TavelcorMainCompactLayout", compactLayout, kMainWindowStacks},
        {"TavelcorSplash", mainProgramWindow<tavelcor::startForm>, {}},
        {"TavelcorBackup", mainProgramWindow<tavelcor::backupForm>, {}},
        {"TavelcorPhraseList", mainProgramDialog<tavelcor::plistForm>, {}},
        {"TavelcorLineEditor", lineEditor, {}},
        {"TavelcorNameCandidates", nameCandidates, {}},
        {"TavelcorPrintDialog", mainProgramDialog<tavelcor::prtoutForm>, {}},
        {"TavelcorShownColours", mainProgramDialog<tavelcor::cselectForm>, {}},
        {"TavelcorLineWidths", mainProgramDialog<tavelcor::linewidthForm>, {}},
        {"TavelcorNumberRanges", mainProgramDialog<tavelcor::znoHaniForm>, {}},
        {"TavelcorColourPicker", mainProgramDialog<tavelcor::colorForm>, {}},
        {"TavelcorSettings", mainProgramDialog<tavelcor::jyoukenForm>, {}},
        {"TavelcorPointCatalogue", mainProgramDialog<tavelcor::pointcatForm>, {}},
        {"TavelcorPhraseCatalogue", mainProgramDialog<tavelcor::textcatForm>, {}},
        {"TavelcorMainResultsPanel", resultsPanel, kMainWindowStacks},
        {"TavelcorSimaOptions", simaOptions, {}},
        {"TavelcorReport", reportWindow, {}},
        {"TavelcorReportDistancePanel", reportWithDistancePanel, {{QStringLiteral("Text1"), QStringLiteral("Frame1")}}},
        {"TavelcorPhotoViewer", photoViewer<5>, kPhotoViewerStacks},
        {"TavelcorPhotoViewerOneCandidate", photoViewer<1>, kPhotoViewerStacks},
        {"TavelcorLastNames", lastNames, {}},
        {"TavelcorCoordinateKeyIn", mainProgramDialog<tavelcor::xyinForm>, {}},
        {"TavelcorPointMove", mainProgramDialog<tavelcor::xyin2Form>, {}},
        {"TavelcorYesNo", yesNoWindow, {}},
        {"TavelcorProfileDialog", profileDialog, {}},
        {"TavelcorProfileDialogProfileView", profileViewDialog, {}},
        {"TavelcorGpsWindow", mainProgramDialog<tavelcor::gpsForm>, {}},
        // The right-click menu's holder: never shown, it holds only menus.
        {"TavelcorRightClickMenu", mainProgramDialog<tavelcor::rclickMenuForm>, {}},
        {"TavelcorBackgroundDialog", backgroundDialog, {}},
        {"TavelcorTermsNotice", mainProgramDialog<tavelcor::kiyakuForm>, {}},
        {"TavelcorRasterPlacement", mainProgramDialog<tavelcor::rasterSetForm>, {}},
        // ORBELA
        {"OrbelaMain", orbelaWindow, {}},
        // KINTAB
        {"KintabKeypad", keypadWindow, {}},
        {"KintabCompactKeypad", compactKeypad, {}},
        {"KintabSettings", keypadSettings, {}},
    };
    return rows;
}

class WindowLayout : public ::testing::TestWithParam<std::size_t> {
protected:
    void SetUp() override
    {
        platform::installFontSubstitutions();
        ASSERT_TRUE(surroundings.root.isValid());
    }

    // The windows go before their surroundings (their program folder).
    void TearDown() override
    {
        platform::destroyAllForms();
        tavelcor::clearPlotWirings();
        tavelcor::resetAppContext();
        kintab::installServices({});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    Surroundings surroundings;
};

TEST_P(WindowLayout, EveryShownControlReadsWhole)
{
    const WindowRow& row = windows().at(GetParam());
    platform::Form& form = row.open(surroundings);
    const QStringList faults = layout_check::layoutFaults(form, row.stacked);
    // A developer looking for room on a crowded window can have each window
    // saved as a picture: TAVELCOR_LAYOUT_PICTURES names the folder.
    const QString pictures = qEnvironmentVariable("TAVELCOR_LAYOUT_PICTURES");
    if (!pictures.isEmpty() && form.window() != nullptr)
        form.window()->grab().save(QDir(pictures).filePath(QString::fromUtf8(row.name) + QStringLiteral(".png")));
    EXPECT_TRUE(faults.isEmpty()) << row.name << ":\n  " << faults.join(QStringLiteral("\n  ")).toStdString();
}

INSTANTIATE_TEST_SUITE_P(AllWindows, WindowLayout, ::testing::Range<std::size_t>(0, windows().size()),
                         [](const ::testing::TestParamInfo<std::size_t>& info) {
                             return std::string(windows().at(info.param).name);
                         });

}  // namespace
