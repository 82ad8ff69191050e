// SPDX-License-Identifier: LicenseRef-Tavelcor
// The elevation profile as a user meets it: "断面確認" arms the route and
// shows the profile dialog; a handed-over route (LineSubState 3 with
// RouteFirst and RouteLast, as the line panel leaves them) is built with
// heights from a local server that answers one height per request; the
// questions and the save dialog are answered by the scripted prompter; the
// hand-over lands on the desktop's clipboard and the second instance's start
// is seen by a recording starter, so no program is started.
#include "local_http_server.h"
#include "view_fixture.h"

#include "geodesy/plane_rectangular.h"
#include "main/app/clipboard_start.h"
#include "main/background/danmen_frm.h"
#include "main/background/elevation_profile.h"
#include "main/background/profile_command.h"
#include "main/background/web_requests.h"
#include "main/background/web_services.h"
#include "main/edit/panel_wiring.h"
#include "main/edit/xyin.h"
#include "platform/desktop/system_clipboard.h"
#include "platform/system/folders.h"
#include "platform/system/processes.h"
#include "platform/text/cp932.h"
#include "platform/text/numbers.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <functional>
#include <optional>

namespace tavelcor::viewtest {
namespace {

using testing_support::LocalHttpServer;

const QString kQuestion = QStringLiteral("軌道を出力する= ok 出力しない= CANCEL");
const QString kTooShort = QStringLiteral("全長が短かすぎます");
const QString kNoHeight = QStringLiteral("地理院から標高が取得できません");

class ProfileTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        ASSERT_TRUE(server.isListening());
        ASSERT_TRUE(files.isValid());
        saved = webServices();
        webServices().elevationBase = server.base();
        webServices().timeoutMs = 2000;
        server.setHandler([this](const QByteArray& target) { return answer(target); });
        ZoneNo = 9;
        DanmenMaxPoints = 50;
        clipboard.setText(QStringLiteral("before"));
    }

    void TearDown() override
    {
        webServices() = saved;
        ViewTest::TearDown();
    }

    // Heights 10, 11, 12, ... in the order asked; the request numbered
    // `failAt` (from 1) gets `failure` instead.
    LocalHttpServer::Reply answer(const QByteArray&)
    {
        ++asked;
        if (failAt && asked == *failAt)
            return failure;
        return {200, R"({"elevation":)" + QByteArray::number(9 + asked) + R"(,"hsrc":"5m"})"};
    }

    /// A route handed over by the line panel: the lines through the given
    /// vertices (plot coordinates) at indexes from 5 on.
    static void handOverRoute(std::initializer_list<std::pair<double, double>> vertices)
    {
        const std::vector<std::pair<double, double>> v(vertices);
        RouteFirst = 5;
        int line = RouteFirst;
        for (std::size_t i = 1; i < v.size(); ++i, ++line) {
            LineX1[line] = v[i - 1].first;
            LineY1[line] = v[i - 1].second;
            LineX2[line] = v[i].first;
            LineY2[line] = v[i].second;
        }
        RouteLast = line - 1;
        LineNext = RouteFirst;  // the line panel's 終了 takes the route out of the table
        LineSubState = 3;
    }

    /// 50 m north, then 30 m east, sampled every 20 m.
    static void fiftyThenThirty()
    {
        handOverRoute({{0.0, 0.0}, {50.0, 0.0}, {50.0, 30.0}});
        DanmenFixedPitch = 20;
    }

    QString chosen(const QString& name) const { return files.filePath(name); }

    void answerFilesWith(const QString& name)
    {
        script().expectMessage(platform::MsgResult::Yes, kQuestion);
        script().expectSaveFile(chosen(name));
    }

    QStringList fileLines(const QString& name) const
    {
        QFile file(chosen(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QStringList out = platform::fromCp932(file.readAll()).split(QStringLiteral("\r\n"));
        out.removeLast();
        return out;
    }

    QString profileProgram() const { return platform::executableFolder() + QStringLiteral("/tavelcor"); }

public:  // the rows of a table arrange the server through a reference
    LocalHttpServer server;
    WebServices saved;
    QTemporaryDir files;
    platform::SystemClipboard clipboard;
    platform::RecordingProcessStarter starter;
    platform::ScopedProcessStarter starterScope{starter};
    int asked = 0;
    std::optional<int> failAt;
    LocalHttpServer::Reply failure;
};

TEST_F(ProfileTest, ARouteIsSampledAskedForItsHeightsWrittenAndHandedToASecondInstance)
{
    starter.install(profileProgram());
    fiftyThenThirty();
    answerFilesWith(QStringLiteral("route.csv"));
    MakeSection();

    EXPECT_EQ(asked, 6);
    const double lat = geodesy::DmsToDeg(geodesy::XYtoBL(kOriginX, kOriginY, 9, 0) / 10000.0);
    const double lon = geodesy::DmsToDeg(geodesy::XYtoBL(kOriginX, kOriginY, 9, 1) / 10000.0);
    EXPECT_EQ(server.targets().at(0), elevationAddress(QString(), lon, lat).toUtf8())
        << "the first sample is the route's start, asked by longitude and latitude";
    EXPECT_EQ(script().records().at(1).filter, QStringLiteral("CSVファイル(*.csv;*.sim)|*.csv;*.sim"));

    const QStringList sima = fileLines(QStringLiteral("route.sim"));
    ASSERT_GE(sima.size(), 9);
    EXPECT_EQ(sima.mid(3, 6), (QStringList{"A01,1,1,10000,20000,10", "A01,2,1+20,10020,20000,11",
                                           "A01,3,1+40,10040,20000,12", "A01,4,2,10050,20000,13",
                                           "A01,5,2+20,10050,20020,14", "A01,6,3,10050,20030,15"}));
    const QStringList csv = fileLines(QStringLiteral("route.csv"));
    ASSERT_EQ(csv.size(), 6);
    EXPECT_EQ(csv.at(0), QStringLiteral("1,1,%1,%2,10").arg(platform::CStr(lat), platform::CStr(lon)));
    EXPECT_TRUE(csv.at(5).startsWith(QStringLiteral("6,3,")));

    const QString text = clipboard.text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Z00,NEW_SIMA 地理院標高API,\r\nG00,01,\r\nA00,\r\n"))) << text.left(60).toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nA01,2,n_p_m,11,20,\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nA01,4,2,13,50,\r\n")));
    EXPECT_EQ(starter.starts(), (std::vector<platform::RecordingProcessStarter::Start>{{profileProgram(), {}}}));
    EXPECT_FALSE(plot().ProgressBar5.Visible());
    EXPECT_EQ(plot().MousePointer(), 0);
}

// The second instance takes the clipboard text as its site: the samples as
// coordinates (height up, distance right), the profile as an open figure and
// the grid as a closed one, every vertex found.
TEST_F(ProfileTest, TheHandOverIsASiteTheSecondInstanceReads)
{
    starter.install(profileProgram());
    fiftyThenThirty();
    script().expectMessage(platform::MsgResult::No, kQuestion);
    MakeSection();
    const QString text = clipboard.text();
    ASSERT_EQ(clipboardStartMode(text), ClipboardStart::SimaHandover);
    EXPECT_TRUE(isElevationProfileHandover(text));

    resetTables();
    const ClipboardParse parse = readSimaHandover(text);
    EXPECT_FALSE(parse.refused);
    EXPECT_EQ(parse.missingVertices, 0);
    EXPECT_EQ(ZahyoName[2], QStringLiteral("n_p_m"));
    EXPECT_EQ(ZahyoName[4], QStringLiteral("2"));
    EXPECT_DOUBLE_EQ(ZahyoX[4], 13.0);
    EXPECT_DOUBLE_EQ(ZahyoY[4], 50.0);
    // Heights 10..15: the grid 10..20 in steps of 10, numbered from 1051.
    EXPECT_EQ(ZahyoName[1051], QStringLiteral("H=10"));
    EXPECT_DOUBLE_EQ(ZahyoY[1051], -4.0);
    EXPECT_EQ(ZahyoName[1055], QStringLiteral("L=0m"));
    ASSERT_EQ(KakuchiCount, 2);
    EXPECT_EQ(KakuchiOpenCount, 1);
    EXPECT_EQ(KakuchiName[1], openFigureName());
    EXPECT_EQ(KakuchiLast[1] - KakuchiFirst[1] + 1, 6);
    EXPECT_EQ(KakuchiName[2], QStringLiteral("DL"));
    EXPECT_EQ(KakuchiLast[2] - KakuchiFirst[2] + 1, 4);
}

TEST_F(ProfileTest, NamedPitchSamplesAreNumberedInTheFilesAndNamelessOnTheClipboard)
{
    starter.install(profileProgram());
    fiftyThenThirty();
    DanmenPitchPoints = 1;
    answerFilesWith(QStringLiteral("route.csv"));
    MakeSection();
    QStringList names;
    for (const QString& line : fileLines(QStringLiteral("route.csv")))
        names << line.section(u',', 1, 1);
    EXPECT_EQ(names, (QStringList{"1", "2", "3", "4", "5", "6"}));
    EXPECT_TRUE(clipboard.text().contains(QStringLiteral("\r\nA01,2,,11,20,\r\n")));
}

TEST_F(ProfileTest, ANameWithoutAnExtensionGetsBothEndings)
{
    starter.install(profileProgram());
    fiftyThenThirty();
    answerFilesWith(QStringLiteral("route"));
    MakeSection();
    EXPECT_TRUE(QFile::exists(chosen(QStringLiteral("route.sim"))));
    EXPECT_TRUE(QFile::exists(chosen(QStringLiteral("route.csv"))));
    EXPECT_FALSE(QFile::exists(chosen(QStringLiteral("route"))));
}

TEST_F(ProfileTest, WithoutFilesTheProfileIsStillBuiltAndHandedOver)
{
    starter.install(profileProgram());
    const struct {
        const char* name;
        std::function<void(platform::ScriptedPrompter&)> answer;
    } rows[] = {
        {"No to the question", [](platform::ScriptedPrompter& s) { s.expectMessage(platform::MsgResult::No, kQuestion); }},
        {"the save dialog cancelled",
         [](platform::ScriptedPrompter& s) {
             s.expectMessage(platform::MsgResult::Yes, kQuestion);
             s.expectSaveFile(std::nullopt);
         }},
    };
    for (const auto& row : rows) {
        fiftyThenThirty();
        clipboard.setText(QStringLiteral("before"));
        row.answer(script());
        MakeSection();
        EXPECT_TRUE(QDir(files.path()).isEmpty()) << row.name;
        EXPECT_TRUE(clipboard.text().startsWith(QStringLiteral("Z00,NEW_SIMA"))) << row.name;
    }
    EXPECT_EQ(starter.starts().size(), 2U);
}

TEST_F(ProfileTest, WithTheCorrectionOnTheHeightsDropWithTheSquareOfTheDistance)
{
    starter.install(profileProgram());
    handOverRoute({{0.0, 0.0}, {10000.0, 0.0}});
    DanmenFixedPitch = 5000;
    DanmenCurvature = 1;
    answerFilesWith(QStringLiteral("long.csv"));
    MakeSection();
    QStringList heights;
    for (const QString& line : fileLines(QStringLiteral("long.csv")))
        heights << line.section(u',', 4, 4);
    // Heights 10, 11, 12, 13 at 0, 5, 10 and 10 km (the pitch sample on
    // the end and the end itself): 0.0681 m × (D / 1 km)².
    EXPECT_EQ(heights, (QStringList{"10", platform::CStrSingle(11.0F - 0.0681F * 25.0F),
                                    platform::CStrSingle(12.0F - 0.0681F * 100.0F),
                                    platform::CStrSingle(13.0F - 0.0681F * 100.0F)}));
    EXPECT_EQ(heights.at(2), QStringLiteral("5.19"));
}

// Each early end leaves the user's files of the chosen name, the clipboard
// and the desktop as they were.
TEST_F(ProfileTest, AnEarlyEndTouchesNeitherTheFilesNorTheClipboard)
{
    starter.install(profileProgram());
    const struct {
        const char* name;
        std::function<void(ProfileTest&)> arrange;
        std::optional<QString> message;
        int requests;
    } rows[] = {
        {"a route below 20 m", [](ProfileTest&) { handOverRoute({{0, 0}, {10, 0}, {10, 9.99}}); }, kTooShort, 0},
        {"a route of no line",
         [](ProfileTest&) {
             handOverRoute({{0, 0}});
             EXPECT_EQ(RouteLast, RouteFirst - 1);
         },
         kTooShort, 0},
        {"more than 500 lines",
         [](ProfileTest&) {
             RouteFirst = 1;
             RouteLast = 501;
             for (int i = 1; i <= 501; ++i) {
                 LineX2[i] = 10.0 * i;
                 LineX1[i] = LineX2[i] - 10.0;
             }
         },
         std::nullopt, 0},
        {"an error status for the second sample",
         [](ProfileTest& t) {
             fiftyThenThirty();
             t.failAt = 2;
             t.failure = {500, "Internal Server Error: 12"};
         },
         kNoHeight, 2},
        {"no height for the last sample",
         [](ProfileTest& t) {
             fiftyThenThirty();
             t.failAt = 6;
             t.failure = {200, R"({"elevation":"-----","hsrc":"-----"})"};
         },
         kNoHeight, 6},
        {"a height below -100",
         [](ProfileTest& t) {
             fiftyThenThirty();
             t.failAt = 1;
             t.failure = {200, R"({"elevation":-150.5})"};
         },
         kNoHeight, 1},
        {"a fixed 5 m pitch on 8 km",
         [](ProfileTest&) {
             handOverRoute({{0, 0}, {8000, 0}});
             DanmenFixedPitch = 5;
         },
         QStringLiteral("断面の点が1050点を超えます。ピッチを大きくするか、ルートを短くしてください"), 0},
    };
    const QByteArray oldCsv = "1,old,35,139,1\r\n";
    const QByteArray oldSim = "Z00,old,\r\n";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        {
            QFile csv(chosen(QStringLiteral("route.csv")));
            ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
            csv.write(oldCsv);
            QFile sim(chosen(QStringLiteral("route.sim")));
            ASSERT_TRUE(sim.open(QIODevice::WriteOnly));
            sim.write(oldSim);
        }
        DanmenFixedPitch = 0;
        asked = 0;
        failAt.reset();
        row.arrange(*this);
        answerFilesWith(QStringLiteral("route.csv"));
        if (row.message)
            script().expectMessage(platform::MsgResult::Ok, *row.message);
        MakeSection();
        EXPECT_EQ(asked, row.requests);
        QFile csv(chosen(QStringLiteral("route.csv")));
        ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
        EXPECT_EQ(csv.readAll(), oldCsv);
        QFile sim(chosen(QStringLiteral("route.sim")));
        ASSERT_TRUE(sim.open(QIODevice::ReadOnly));
        EXPECT_EQ(sim.readAll(), oldSim);
        EXPECT_EQ(QDir(files.path()).entryList(QDir::Files).size(), 2) << "no temporary file is left";
        EXPECT_EQ(clipboard.text(), QStringLiteral("before"));
        EXPECT_TRUE(starter.starts().empty());
        EXPECT_FALSE(plot().ProgressBar5.Visible());
        EXPECT_EQ(plot().MousePointer(), 0);
    }
}

TEST_F(ProfileTest, ASecondInstanceThatCannotStartIsReportedAndTheHandOverStays)
{
    fiftyThenThirty();
    script().expectMessage(platform::MsgResult::No, kQuestion);
    script().expectMessage(platform::MsgResult::Ok,
                           QStringLiteral("断面図を表示するプログラムを起動できません: ") + profileProgram()
                               + QStringLiteral("\r\n断面図のデータはクリップボードにあります"));
    MakeSection();
    EXPECT_EQ(starter.starts().size(), 1U);
    EXPECT_TRUE(clipboard.text().startsWith(QStringLiteral("Z00,NEW_SIMA 地理院標高API,")));
}

TEST_F(ProfileTest, AFileThatCannotBeWrittenIsReportedAndTheProfileGoesOn)
{
    starter.install(profileProgram());
    fiftyThenThirty();
    const QString missing = chosen(QStringLiteral("no-such-folder/route.csv"));
    script().expectMessage(platform::MsgResult::Yes, kQuestion);
    script().expectSaveFile(missing);
    script().expectMessage(platform::MsgResult::Ok,
                           QStringLiteral("ファイルに書き込めません: ") + chosen(QStringLiteral("no-such-folder/route.sim")));
    script().expectMessage(platform::MsgResult::Ok,
                           QStringLiteral("ファイルに書き込めません: ") + chosen(QStringLiteral("no-such-folder/route.csv")));
    MakeSection();
    EXPECT_TRUE(clipboard.text().startsWith(QStringLiteral("Z00,NEW_SIMA")));
    EXPECT_EQ(starter.starts().size(), 1U);
}

// --- the command and the dialog ----------------------------------------------

TEST_F(ProfileTest, TheCommandArmsTheRouteOpensTheLinePanelOnAddAndShowsTheDialog)
{
    Plot& w = shownPlot();
    QDir().mkpath(WorkFolder);
    QImage credit(20, 20, QImage::Format_RGB32);
    credit.fill(qRgb(255, 0, 0));
    ASSERT_TRUE(credit.save(WorkFolder + QStringLiteral("/ELD.BMP"), "BMP"));
    xyin().Show();
    w.Command85.setVisible(true);
    w.Option21.setValue(true);
    int panelOpenings = 0;
    w.Command21.Click = [&] {
        ++panelOpenings;
        EXPECT_EQ(LineSubState, 1) << "the route is armed before the panel opens";
        EXPECT_TRUE(w.Option20.Value()) << "the panel opens on 追加";
    };
    script().expectModal(
        [&](platform::ModalWindow&) {
            DanmenFrm& dialog = danmenFrm();
            EXPECT_TRUE(dialog.Visible());
            EXPECT_FALSE(xyin().Visible());
            EXPECT_FALSE(w.Command85.Visible());
            EXPECT_EQ(panelOpenings, 1);
            EXPECT_FALSE(dialog.Text1.Visible()) << "an ordinary instance sets no vertical factor";
            EXPECT_EQ(dialog.Text2.Text(), QStringLiteral("50"));
            // At the main window's top right, 100 twips in (within a pixel).
            EXPECT_NEAR(dialog.Top(), w.Top() + 100.0, 15.0);
            EXPECT_NEAR(dialog.Left(), w.Left() + w.Width() - dialog.Width() - 100.0, 15.0);
            dialog.Command1.setValue(true);
        },
        QStringLiteral("断面図作成"));
    click(w.Command57);
    EXPECT_EQ(LineSubState, 1);
    EXPECT_FALSE(danmenFrmForm().isLoaded());
    // The credit picture is drawn again in the plot's bottom left corner.
    const QImage& picture = w.Picture1.canvas().image();
    EXPECT_EQ(picture.pixel(20, picture.height() - 30), qRgb(255, 0, 0));
    EXPECT_NE(picture.pixel(60, picture.height() - 30), qRgb(255, 0, 0));
}

// The whole road: "断面確認" with a 20 m pitch chosen in the dialog opens the
// line panel; the plot's clicks draw two lines (their table state is set
// here as those clicks leave it); the panel's 終了 hands the route to the
// builder and takes the route's lines out of the table.
TEST_F(ProfileTest, ARouteArmedByTheCommandAndEndedInTheLinePanelIsBuiltAndLeavesTheTable)
{
    starter.install(profileProgram());
    addPlotWiring(wirePanels);
    Plot& w = shownPlot();
    LineNext = 12;
    script().expectModal(
        [](platform::ModalWindow&) {
            DanmenFrm& dialog = danmenFrm();
            dialog.Check2.setValue(platform::check::Checked);
            dialog.Text3.setText(QStringLiteral("20"));
            dialog.Command1.setValue(true);
        },
        QStringLiteral("断面図作成"));
    click(w.Command57);
    EXPECT_EQ(LineSubState, 1);
    EXPECT_TRUE(w.Frame10.Visible());
    EXPECT_TRUE(w.Option20.Value());
    EXPECT_EQ(DanmenFixedPitch, 20);

    LineSubState = 2;
    RouteFirst = LineNext;
    const double ends[][4] = {{0.0, 0.0, 50.0, 0.0}, {50.0, 0.0, 50.0, 30.0}};
    for (const auto& e : ends) {
        LineX1[LineNext] = e[0];
        LineY1[LineNext] = e[1];
        LineX2[LineNext] = e[2];
        LineY2[LineNext] = e[3];
        ++LineNext;
    }
    script().expectMessage(platform::MsgResult::No, kQuestion);
    click(w.Command29);

    EXPECT_EQ(asked, 6);
    EXPECT_EQ(RouteLast, 13);
    EXPECT_EQ(LineNext, 12) << "the route's lines leave the table";
    EXPECT_EQ(LineSubState, 0);
    EXPECT_FALSE(w.Frame10.Visible());
    EXPECT_TRUE(clipboard.text().contains(QStringLiteral("\r\nA01,6,3,15,80,\r\n")));
    EXPECT_EQ(starter.starts().size(), 1U);
}

class DanmenDialogTest : public ProfileTest {
protected:
    /// The dialog shown and active, as "断面確認" shows it.
    DanmenFrm& shownDialog()
    {
        shownPlot();
        DanmenFrm& dialog = danmenFrm();
        dialog.Show();
        QApplication::setActiveWindow(dialog.window());
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.window()));
        return dialog;
    }

    static void leave(platform::TextBox& field, platform::Control& next)
    {
        field.SetFocus();
        QCoreApplication::processEvents();
        next.SetFocus();
        QCoreApplication::processEvents();
    }

    static void profileViewCaption()
    {
        plot().setCaption(Plot::kDesignCaption + QStringLiteral(" 地理院標高APIを使用した断面図"));
    }
};

TEST_F(DanmenDialogTest, TheNumberFieldsAreBroughtIntoTheirRangesOnLeavingThem)
{
    profileViewCaption();  // shows the vertical factor too
    DanmenFrm& dialog = shownDialog();
    dialog.Text2.setVisible(true);
    const struct {
        platform::TextBox& field;
        const char* typed;
        const char* shown;
    } rows[] = {
        {dialog.Text2, "5", "10"},   {dialog.Text2, "2000", "1000"}, {dialog.Text2, "120.5", "120.5"},
        {dialog.Text1, "0", "1"},    {dialog.Text1, "60", "50"},     {dialog.Text1, "abc", "1"},
        {dialog.Text1, " 7x", "7"},
    };
    for (const auto& row : rows) {
        row.field.setText(QString::fromUtf8(row.typed));
        leave(row.field, dialog.Text3.Visible() ? static_cast<platform::Control&>(dialog.Text3) : dialog.Check3);
        EXPECT_EQ(row.field.Text(), QString::fromUtf8(row.shown)) << row.typed;
    }
}

TEST_F(DanmenDialogTest, ADoubleClickRaisesTheFactorUpTo50)
{
    profileViewCaption();
    DanmenFrm& dialog = shownDialog();
    const struct {
        const char* before;
        const char* after;
    } rows[] = {{"1", "2"}, {"49", "50"}, {"50", "50"}, {"x", "1"}};
    for (const auto& row : rows) {
        dialog.Text1.setText(QString::fromUtf8(row.before));
        doubleClick(dialog.Text1);
        EXPECT_EQ(dialog.Text1.Text(), QString::fromUtf8(row.after)) << row.before;
    }
}

TEST_F(DanmenDialogTest, EnterConfirmsAFactorOutOfRangeAsItsNearestBound)
{
    profileViewCaption();
    DanmenScale = 7;
    DanmenFrm& dialog = shownDialog();
    EXPECT_EQ(dialog.Text1.Text(), QStringLiteral("7"));
    dialog.Text1.setText(QStringLiteral("0"));
    QTest::keyClick(dialog.Text1.widget(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(DanmenScale, 1);
    EXPECT_FALSE(danmenFrmForm().isLoaded());
}

TEST_F(DanmenDialogTest, EnterConfirmsANumberOfPointsOutOfRangeAsItsNearestBound)
{
    DanmenFrm& dialog = shownDialog();
    dialog.Text2.setText(QStringLiteral("5"));
    QTest::keyClick(dialog.Text2.widget(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(DanmenMaxPoints, 10);
    EXPECT_FALSE(danmenFrmForm().isLoaded());
}

TEST_F(DanmenDialogTest, ClosingKeepsTheNumberOfPointsInRangeWhateverTheFieldHolds)
{
    const struct {
        const char* typed;
        int points;
    } rows[] = {{"5", 10}, {"0", 10}, {"5000", 1000}, {"-3", 10}, {"77.5", 78}};
    for (const auto& row : rows) {
        DanmenFrm& dialog = danmenFrm();
        dialog.Text2.setText(QString::fromUtf8(row.typed));
        ASSERT_TRUE(danmenFrmForm().unload());  // the close box, no field left
        EXPECT_EQ(DanmenMaxPoints, row.points) << row.typed;
        EXPECT_EQ(DanmenScale, 1) << row.typed;
    }
}

TEST_F(DanmenDialogTest, AFixedPitchCountsOnlyWhenCheckedAndAboveZero)
{
    const struct {
        const char* name;
        bool checked;
        const char* pitch;
        int expected;
    } rows[] = {{"checked, 150", true, "150", 150},
                {"checked, 0", true, "0", 0},
                {"unchecked, 150", false, "150", 0}};
    for (const auto& row : rows) {
        DanmenFrm& dialog = danmenFrm();
        EXPECT_EQ(DanmenFixedPitch, 0) << "each opening starts without a fixed pitch";
        EXPECT_FALSE(dialog.Text3.Enabled());
        if (row.checked)
            dialog.Check2.setValue(platform::check::Checked);
        EXPECT_EQ(dialog.Text3.Enabled(), row.checked);
        dialog.Text3.setText(QString::fromUtf8(row.pitch));
        dialog.Command1.setValue(true);
        EXPECT_EQ(DanmenFixedPitch, row.expected) << row.name;
    }
}

TEST_F(DanmenDialogTest, TheCorrectionSwitchedOnByOkOutlivesALaterCancel)
{
    DanmenFrm& first = danmenFrm();
    first.Check1.setValue(platform::check::Checked);
    EXPECT_TRUE(first.Label4.Visible()) << "the hint shows while the correction is on";
    first.Check3.setValue(platform::check::Checked);
    first.Text2.setText(QStringLiteral("80"));
    first.Command1.setValue(true);
    EXPECT_EQ(DanmenCurvature, 1);
    EXPECT_EQ(DanmenPitchPoints, 1);
    EXPECT_EQ(DanmenMaxPoints, 80);

    DanmenFrm& second = danmenFrm();
    EXPECT_EQ(second.Check1.Value(), platform::check::Unchecked) << "the dialog does not show the settings";
    EXPECT_EQ(second.Text2.Text(), QStringLiteral("80"));
    second.Text2.setText(QStringLiteral("120"));
    second.Command2.setValue(true);
    EXPECT_EQ(DanmenCurvature, 1);
    EXPECT_EQ(DanmenPitchPoints, 1);
    EXPECT_EQ(DanmenMaxPoints, 120) << "closing reads the field after CANCEL too";

    danmenFrm().Command1.setValue(true);
    EXPECT_EQ(DanmenCurvature, 0);
}

// The profile view: coordinates with heights in X, a line, a point, a text
// and a stroke vertex, all stretched about absolute X = 0.
TEST_F(DanmenDialogTest, TheProfileViewStretchesEveryHeightByTheNewFactor)
{
    profileViewCaption();
    shownPlot();
    OriginX = 30.0;
    OriginY = 100.0;
    ZahyoName[1] = QStringLiteral("FAR1");
    const struct {
        int n;
        double x;
        double y;
    } coords[] = {{1, 10.0, 0.0}, {2, 50.0, 200.0}, {3, 20.0, 100.0}};
    for (const auto& c : coords) {
        ZahyoName[c.n] = QString::number(c.n);
        ZahyoX[c.n] = c.x;
        ZahyoY[c.n] = c.y;
        ZahyoPX[c.n] = c.x - OriginX;
    }
    ZahyoName[4] = freeZahyoName();
    ZahyoX[4] = 7.0;
    ZahyoMax = 4;
    LineNext = 2;
    LineX1[1] = 10.0 - OriginX;
    LineX2[1] = 50.0 - OriginX;
    PointCount = 1;
    PointX[1] = 20.0 - OriginX;
    TxtCount = 1;
    TxtX[1] = static_cast<float>(40.0 - OriginX);
    TegakiCount = 1;
    TegakiX[1] = static_cast<float>(12.0 - OriginX);
    LineSubState = 1;
    redraws = 0;

    DanmenFrm& dialog = danmenFrm();
    EXPECT_FALSE(dialog.Text2.Visible());
    EXPECT_FALSE(dialog.Check1.Visible());
    EXPECT_EQ(dialog.Text1.Text(), QStringLiteral("1"));
    dialog.Text1.setText(QStringLiteral("5"));
    dialog.Command1.setValue(true);

    EXPECT_EQ(DanmenScale, 5);
    EXPECT_EQ(LineSubState, 0) << "the armed route is given up";
    EXPECT_DOUBLE_EQ(ZahyoX[1], 50.0);
    EXPECT_DOUBLE_EQ(ZahyoX[2], 250.0);
    EXPECT_DOUBLE_EQ(ZahyoPX[2], 250.0 - OriginX);
    EXPECT_DOUBLE_EQ(ZahyoX[4], 7.0) << "a free number stays";
    EXPECT_DOUBLE_EQ(LineX1[1], 50.0 - OriginX);
    EXPECT_DOUBLE_EQ(LineX2[1], 250.0 - OriginX);
    EXPECT_DOUBLE_EQ(PointX[1], 100.0 - OriginX);
    EXPECT_FLOAT_EQ(TxtX[1], static_cast<float>(200.0 - OriginX));
    EXPECT_FLOAT_EQ(TegakiX[1], static_cast<float>(60.0 - OriginX));
    EXPECT_DOUBLE_EQ(ZahyoY[2], 200.0) << "distances stay";
    // X 50..250 and Y 0..200 with 10 % margins.
    EXPECT_DOUBLE_EQ(DataXMax, 270.0);
    EXPECT_DOUBLE_EQ(DataXMin, 30.0);
    EXPECT_DOUBLE_EQ(DataYMax, 220.0);
    EXPECT_DOUBLE_EQ(DataYMin, -20.0);
    // The redraw widens the east span to the plot's aspect.
    EXPECT_DOUBLE_EQ(ViewSpanX, 240.0);
    EXPECT_GE(ViewSpanY, 240.0);
    EXPECT_DOUBLE_EQ(ViewCX, 150.0);
    EXPECT_DOUBLE_EQ(ViewCY, 100.0);
    EXPECT_EQ(redraws, 1);

    // Closing unchanged (ratio 1) keeps the heights, refits and redraws.
    ViewSpanX = 1.0;
    DataXMax = 0.0;
    danmenFrm();
    ASSERT_TRUE(danmenFrmForm().unload());
    EXPECT_DOUBLE_EQ(ZahyoX[2], 250.0);
    EXPECT_DOUBLE_EQ(DataXMax, 270.0);
    EXPECT_DOUBLE_EQ(ViewSpanX, 240.0);
    EXPECT_EQ(redraws, 2);

    // Back from 5 to 1.
    DanmenFrm& third = danmenFrm();
    EXPECT_EQ(third.Text1.Text(), QStringLiteral("5"));
    third.Text1.setText(QStringLiteral("1"));
    third.Command2.setValue(true);
    // The ratio 1 / 5 is a single-precision 0.2.
    EXPECT_NEAR(ZahyoX[2], 50.0, 1e-5);
    EXPECT_NEAR(LineX2[1], 50.0 - OriginX, 1e-5);
}

}  // namespace
}  // namespace tavelcor::viewtest
