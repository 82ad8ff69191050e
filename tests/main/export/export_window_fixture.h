// SPDX-License-Identifier: LicenseRef-Tavelcor
// The main window with the export buttons wired, shown on the offscreen
// platform, a scripted prompter whose surprises fail the test, a temporary
// program and site folder, and a count of the full redraws with the parcel
// selection each of them drew.
//
// The site starts empty with the origin (0, 0) and a view centred on it,
// 100 m each way.
#pragma once

#include "export_fixture.h"

#include "main/export/export_commands.h"
#include "main/export/simasave.h"
#include "main/render/render_state.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/forms/form_holder.h"
#include "platform/forms/modal_answer.h"
#include "platform/prompt/testing.h"

#include <QApplication>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <optional>

namespace tavelcor::exporttest {

inline const QString kSxfQuestion =
    QStringLiteral("非表示要素も出力しますか？　する＝「はい」 　しない＝「いいえ」");
inline const QString kLocationQuestion = QStringLiteral("所在を追記しますか?");

class ExportWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mHome.isValid());
        qputenv("TAVELCOR_HOME", mHome.path().toUtf8());
        resetTables();
        render::renderState() = render::RenderState{};
        SiteFolder = mHome.path() + QStringLiteral("/");
        WorkFolder = mHome.path() + QStringLiteral("/Eld");
        ViewSpanX = ViewSpanY = 100.0;
        mScript.emplace();
        clearPlotWirings();
        addPlotWiring(wireExport);
        render::renderState().hooks.stblueplot = [this](render::PlotFace&) {
            ++redraws;
            selectedAtRedraw.clear();
            for (int p = 1; p <= KakuchiCount; ++p)
                if (KakuchiSel[p] == 1)
                    selectedAtRedraw.push_back(p);
        };
    }

    void TearDown() override
    {
        platform::destroyAllForms();
        clearPlotWirings();
        mScript.reset();
        render::renderState() = render::RenderState{};
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QString path(const QString& name) const { return mHome.path() + QStringLiteral("/") + name; }

    /// The main window, shown and active, with the SIMA button shown (as
    /// start-up shows it after reading a SIMA file).
    Plot& shownPlot()
    {
        Plot& w = plot();
        w.Command1.setVisible(true);
        w.Show();
        QApplication::setActiveWindow(w.window());
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.window()));
        redraws = 0;
        return w;
    }

    platform::ScriptedPrompter& script() { return mScript->get(); }

    /// Presses and releases the left button on a control, as a user does.
    static void click(platform::Control& control)
    {
        QTest::mouseClick(control.widget(), Qt::LeftButton, {}, QPoint(3, 3));
        QCoreApplication::processEvents();
    }

    /// "SXF作成" answered `answer` and saved to `name`; the file's lines.
    QStringList exportSxf(platform::MsgResult answer, const QString& name = QStringLiteral("T.SFC"))
    {
        Plot& w = shownPlot();
        script().expectMessage(answer, kSxfQuestion);
        script().expectSaveFile(path(name));
        click(w.Command10);
        EXPECT_TRUE(w.Picture1.hasFocus()) << "the focus goes back to the plot";
        return readCrLfLines(path(name)).value_or(QStringList{});
    }

    /// Answers the options dialog with `act`, which works its controls once
    /// the dialog is shown and active, as a user does.
    void answerDialog(std::function<void(Simasave&)> act)
    {
        script().expectModal(platform::onForm<Simasave>([act = std::move(act)](Simasave& f) {
                                 EXPECT_TRUE(QTest::qWaitForWindowActive(f.window()));
                                 QCoreApplication::processEvents();
                                 act(f);
                             }),
                             QStringLiteral("Sima登録"));
    }

    /// True when the plot has the keyboard focus once the main window is
    /// active again, as the window manager makes it after a dialog closes.
    static bool plotHasFocus()
    {
        Plot& w = plot();
        QApplication::setActiveWindow(w.window());
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.window()));
        return w.Picture1.hasFocus();
    }

    /// Clicks "ＳＩＭＡ登録" after the answers were queued.
    void registerSima()
    {
        Plot& w = shownPlot();
        click(w.Command1);
    }

    /// "ＳＩＭＡ登録" with the dialog answered by `act`, saved to `name`, the
    /// location question (unless the target asks none) answered `location`;
    /// the file's lines.
    QStringList registerTo(std::function<void(Simasave&)> act, std::optional<platform::MsgResult> location,
                           const QString& name = QStringLiteral("T.SIM"))
    {
        answerDialog(std::move(act));
        script().expectSaveFile(path(name));
        if (location)
            script().expectMessage(*location, kLocationQuestion);
        registerSima();
        EXPECT_TRUE(plotHasFocus()) << "the focus goes back to the plot";
        return readCrLfLines(path(name)).value_or(QStringList{});
    }

    /// Full redraws since shownPlot() and the parcels the last one drew selected.
    int redraws = 0;
    std::vector<int> selectedAtRedraw;

private:
    QTemporaryDir mHome;
    std::optional<platform::testing::GTestScriptedPrompter> mScript;
};

}  // namespace tavelcor::exporttest
