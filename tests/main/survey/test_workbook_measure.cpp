// SPDX-License-Identifier: LicenseRef-Tavelcor
// The measurement of a picked point by the field workbook, through the
// point panel's two workbook buttons, against a scripted workbook peer that
// puts its reply on the clipboard during the macro run or a little later.
#include "survey_fixture.h"

#include "main/edit/edit_wiring.h"
#include "main/edit/point_panel.h"
#include "main/interact/mode_options.h"
#include "main/survey/workbook_measure.h"
#include "platform/text/strings.h"
#include "platform/workbook/workbook_peer.h"

#include <QTimer>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace tavelcor::surveytest {
namespace {

const QString kNotRunning = QStringLiteral("WEMBRA.XLSを起動して下さい");
const QString kForeignBook =
    QStringLiteral("WEMBRA.XLSを起動して下さい。他のブックが起動しているときは、それらを閉じて下さい。");
const QString kAgain = QStringLiteral("続けて同じ名称のポイントを測ろうとしています。観測しますか?");
const QString kMeasured = QStringLiteral("測定済");

// A clipboard the workbook peer's thread may write while the measurement
// polls it.
class SharedClipboard final : public platform::Clipboard {
public:
    QString text() const override
    {
        std::lock_guard lock(mMutex);
        return mText;
    }
    void setText(const QString& text) override
    {
        std::lock_guard lock(mMutex);
        mText = text;
    }
    void clear() override { setText(QString()); }

private:
    mutable std::mutex mMutex;
    QString mText;
};

class Measure : public SurveyTest {
protected:
    void SetUp() override
    {
        SurveyTest::SetUp();
        addPlotWiring(wireEdit);
        addPlotWiring(wireModeOptions);
        surveyServices().clipboard = &shared;
        measureServices() = MeasureServices{};
        putPoint(1, QStringLiteral("B1"), -20.0, -20.0);
        putPoint(2, QStringLiteral("B2"), 10.0, 5.0);
        peer.setWorkbooks({QStringLiteral("WEMBRA.XLS")});
        peer.setWorksheets({QStringLiteral("境界")});
    }

    void TearDown() override
    {
        if (late.joinable())
            late.join();
        measureServices() = MeasureServices{};
        SurveyTest::TearDown();
    }

    static void putPoint(int i, const QString& name, double x, double y)
    {
        PointName[i] = name;
        PointName2[i].clear();
        PointX[i] = x;
        PointY[i] = y;
        PointMark[i] = 2;
        PointCount = std::max(PointCount, i);
    }

    // The point panel in 属性 with point i picked as the plot picks it.
    Plot& picked(int i)
    {
        Plot& w = shownPlot();
        w.Check12.setValue(1);
        Command20_Click(w);
        w.Option9.setValue(true);
        CurPoint = i;
        w.Text6.setText(PointName[i]);
        w.Text7.setText(platform::RTrim(PointName2[i]));
        return w;
    }

    // Every macro of the workbook puts `reply` on the clipboard while it runs.
    void replyDuringRun(const QString& reply)
    {
        for (const char* macro : {"sokutei_f", "Read_f", "sokutei_sdl"})
            peer.setMacro(QString::fromLatin1(macro), [this, reply](const QVariantList&) {
                shared.setText(reply);
                return platform::MacroReply{};
            });
    }

    static QString label(int i) { return QLatin1Char(' ') + PointName[i] + PointName2[i]; }

    SharedClipboard shared;
    platform::WorkbookPeer peer;
    std::thread late;
};

TEST_F(Measure, WithoutAPickedPointItAsksForOne)
{
    for (const bool viaRecordButton : {false, true}) {
        SCOPED_TRACE(viaRecordButton);
        Plot& w = picked(2);
        CurPoint = 0;
        w.Text6.setText(QStringLiteral("  "));
        script().expectMessage(platform::MsgResult::Ok, QStringLiteral("ポイントが選択されていません"));
        click(viaRecordButton ? w.Command43 : w.Command31);
        w.Text6.setText(QStringLiteral("B2"));
        script().expectMessage(platform::MsgResult::Ok, QStringLiteral("ポイントを再度選択してください"));
        click(viaRecordButton ? w.Command43 : w.Command31);
    }
}

// A pick that names no slot of the point table is no pick: nothing is
// read from beyond the table.
TEST_F(Measure, APickBeyondThePointTableAsksForANewPick)
{
    replyDuringRun(kMeasured);
    ASSERT_TRUE(peer.start());
    Plot& w = picked(2);
    CurPoint = kPointTop + 1;
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("ポイントを再度選択してください"));
    click(w.Command43);
    EXPECT_TRUE(peer.calls().empty());
}

TEST_F(Measure, WithoutTheSpreadsheetProgramItAsksToStartTheWorkbook)
{
    Plot& w = picked(2);
    shared.setText(QStringLiteral("untouched"));
    script().expectMessage(platform::MsgResult::Ok, kNotRunning);
    click(w.Command31);
    script().expectMessage(platform::MsgResult::Ok, kNotRunning);
    click(w.Command43);
    EXPECT_EQ(shared.text(), QStringLiteral("untouched"));
    EXPECT_EQ(PointName2[2], QString());
}

TEST_F(Measure, AnotherOpenWorkbookInEitherOrderStopsTheMeasurement)
{
    replyDuringRun(kMeasured);
    ASSERT_TRUE(peer.start());
    const QStringList orders[] = {{QStringLiteral("WEMBRA.XLS"), QStringLiteral("Book1.xlsx")},
                                  {QStringLiteral("Book1.xlsx"), QStringLiteral("WEMBRA.XLS")}};
    for (const QStringList& books : orders) {
        SCOPED_TRACE(books.join(u',').toStdString());
        peer.setWorkbooks(books);
        Plot& w = picked(2);
        script().expectMessage(platform::MsgResult::Ok, kForeignBook);
        click(w.Command31);
    }
    EXPECT_TRUE(peer.calls().empty());
    EXPECT_EQ(PointName2[2], QString());
}

struct MacroCase {
    const char* name;
    int collectorSdl;
    int recordMain;
    bool recordButton;
    const char* macro;
};

class MacroChoice : public Measure, public ::testing::WithParamInterface<MacroCase> {};

TEST_P(MacroChoice, RunsTheMacroTheSettingsNameWithThePointsName)
{
    const MacroCase& c = GetParam();
    CollectorSdl = static_cast<std::uint8_t>(c.collectorSdl);
    RecordMain = static_cast<std::uint8_t>(c.recordMain);
    replyDuringRun(kMeasured);
    ASSERT_TRUE(peer.start());
    Plot& w = picked(2);
    click(c.recordButton ? w.Command43 : w.Command31);
    const std::vector<platform::MacroCall> calls = peer.calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].name, QString::fromLatin1(c.macro));
    EXPECT_EQ(calls[0].arguments, QVariantList{QStringLiteral("B2")});
    EXPECT_TRUE(peer.isVisible()) << "the spreadsheet program is shown";
}

INSTANTIATE_TEST_SUITE_P(
    Settings, MacroChoice,
    ::testing::Values(MacroCase{"observe_first_cancel_button", 0, 0, false, "sokutei_f"},
                      MacroCase{"observe_first_record_button", 0, 0, true, "Read_f"},
                      MacroCase{"record_first_cancel_button", 0, 1, false, "Read_f"},
                      MacroCase{"record_first_record_button", 0, 1, true, "sokutei_f"},
                      MacroCase{"sdl_cancel_button", 1, 0, false, "sokutei_sdl"},
                      MacroCase{"sdl_record_button", 1, 1, true, "sokutei_sdl"}),
    [](const ::testing::TestParamInfo<MacroCase>& info) { return std::string(info.param.name); });

TEST_F(Measure, TheReplyMeasuredMarksThePointAndEmptiesTheClipboard)
{
    PointName2[2] = QStringLiteral("S  ");
    replyDuringRun(kMeasured);
    ASSERT_TRUE(peer.start());
    Plot& w = picked(2);
    w.Text7.setText(QStringLiteral("S"));
    crtplot();
    click(w.Command31);
    EXPECT_EQ(w.Text7.Text(), QStringLiteral("S済"));
    EXPECT_EQ(PointName2[2], QStringLiteral("S済")) << "right-trimmed, then marked";
    EXPECT_EQ(LastMeasured, QStringLiteral("B2"));
    EXPECT_EQ(shared.text(), QString());
    EXPECT_EQ(CurPoint, 2);
    EXPECT_EQ(UndoPos, 0) << "no history step";
    EXPECT_TRUE(printedAt(10.0, 5.0, label(2), platform::QBColor(12))) << "the measured label in red";
}

TEST_F(Measure, AReplyWrittenAfterTheRunWithinTheWaitCounts)
{
    peer.setMacro(QStringLiteral("Read_f"), [this](const QVariantList&) {
        late = std::thread([this] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            shared.setText(QStringLiteral("測定済"));
        });
        return platform::MacroReply{};
    });
    ASSERT_TRUE(peer.start());
    Plot& w = picked(2);
    click(w.Command43);
    EXPECT_EQ(PointName2[2], QStringLiteral("済"));
}

TEST_F(Measure, TheWaitLetsNoOtherEventRun)
{
    peer.setMacro(QStringLiteral("sokutei_f"), [this](const QVariantList&) {
        late = std::thread([this] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            shared.setText(QStringLiteral("測定済"));
        });
        return platform::MacroReply{};
    });
    ASSERT_TRUE(peer.start());
    Plot& w = picked(2);
    bool fired = false;
    bool firedDuringWait = false;
    measureServices().clockMs = [&] {
        firedDuringWait = firedDuringWait || fired;
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    };
    QTimer::singleShot(0, [&fired] { fired = true; });
    Command31_Click(w);
    EXPECT_EQ(PointName2[2], QStringLiteral("済"));
    EXPECT_FALSE(firedDuringWait) << "a timer due at once waits until the measurement ends";
    QCoreApplication::processEvents();
    EXPECT_TRUE(fired);
}

TEST_F(Measure, AnyOtherReplyIsShownAsItStands)
{
    ASSERT_TRUE(peer.start());
    for (const QString& reply : {QStringLiteral("測定済\r\n"), QStringLiteral("TSと通信できません")}) {
        SCOPED_TRACE(reply.toStdString());
        replyDuringRun(reply);
        Plot& w = picked(2);
        script().expectMessage(platform::MsgResult::Ok, reply);
        click(w.Command31);
        EXPECT_EQ(PointName2[2], QString());
        EXPECT_EQ(w.Text7.Text(), QString());
        EXPECT_EQ(shared.text(), QString());
        EXPECT_EQ(LastMeasured, QString());
    }
}

TEST_F(Measure, NoReplyWithinFiveSecondsEndsSilently)
{
    // A clock that runs a second per look: the reply written at the sixth
    // look comes after the wait.
    auto looks = std::make_shared<std::atomic<int>>(0);
    measureServices().clockMs = [looks] { return std::int64_t(1000) * looks->fetch_add(1); };
    peer.setMacro(QStringLiteral("sokutei_f"));
    ASSERT_TRUE(peer.start());
    Plot& w = picked(2);
    click(w.Command31);
    EXPECT_GE(looks->load(), 6);
    EXPECT_EQ(PointName2[2], QString());
    EXPECT_EQ(w.Text7.Text(), QString());
    EXPECT_TRUE(script().records().empty());
}

TEST_F(Measure, AReplyJustInsideTheWaitIsTaken)
{
    // Five seconds after the start the wait still looks once more.
    auto looks = std::make_shared<std::atomic<int>>(0);
    measureServices().clockMs = [this, looks] {
        const int n = looks->fetch_add(1);
        if (n == 6)
            shared.setText(QStringLiteral("測定済"));
        return std::int64_t(1000) * std::min(n, 5);
    };
    peer.setMacro(QStringLiteral("sokutei_f"));
    ASSERT_TRUE(peer.start());
    Plot& w = picked(2);
    click(w.Command31);
    EXPECT_EQ(PointName2[2], QStringLiteral("済"));
}

TEST_F(Measure, ASecondMeasurementAsksOnlyWhenTheFieldShowsTheMark)
{
    replyDuringRun(kMeasured);
    ASSERT_TRUE(peer.start());
    Plot& w = picked(2);
    LastMeasured = QStringLiteral("B2");
    // No mark in the field: no question, the name as it stands.
    click(w.Command31);
    ASSERT_EQ(PointName2[2], QStringLiteral("済"));

    // Marked now: the question; No sends nothing.
    w.Text6.setText(QStringLiteral("B2"));
    script().expectMessage(platform::MsgResult::No, kAgain);
    click(w.Command31);
    EXPECT_EQ(peer.calls().size(), 1u);

    // Yes sends the trimmed name with "X" and marks the point once more.
    PointName[2] = QStringLiteral(" B2 ");
    w.Text6.setText(QStringLiteral("B2"));
    script().expectMessage(platform::MsgResult::Yes, kAgain);
    click(w.Command31);
    const std::vector<platform::MacroCall> calls = peer.calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].arguments, QVariantList{QStringLiteral("B2X")});
    EXPECT_EQ(PointName2[2], QStringLiteral("済済"));
    EXPECT_EQ(w.Text7.Text(), QStringLiteral("済済"));
}

TEST_F(Measure, AFailingMacroIsReported)
{
    peer.setMacro(QStringLiteral("Read_f"),
                  [](const QVariantList&) { return platform::MacroReply::failure(QStringLiteral("no such macro")); });
    ASSERT_TRUE(peer.start());
    Plot& w = picked(2);
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("wembraに　X が入らなかったかもしれません"));
    click(w.Command43);
    EXPECT_EQ(PointName2[2], QString());
}

}  // namespace
}  // namespace tavelcor::surveytest
