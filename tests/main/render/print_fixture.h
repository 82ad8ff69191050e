// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// Printing driven through the main window and the print dialog, headless.
//
// The installed printers are two PDF-file printers: "PDF" (no unprintable
// strips) and "事務所" (5 mm strips on every side), so no test depends on the
// machine's printers. Every print asks for its PDF file in a save dialog;
// the prompter used here lets a test look at Picture1 at that moment (and at
// any other prompt), which is when the picture being printed is complete.
//
// The site: origin 1000 N / 2000 E; blue lines at 25 m west and east of the
// centre (50 m apart), a green line 20 m north of it, four coordinates with
// red markers at (±10, ±10), a magenta text 10 m south. The screen view is
// centred on the origin, 148.6 m east, so an A4 landscape page proposes the
// denominator 500.

#include "site_builders.h"

#include "main/render/print_dialog.h"
#include "main/render/print_wiring.h"
#include "main/render/plot_render.h"
#include "main/render/render_state.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/forms/form_holder.h"
#include "platform/print/printers.h"
#include "platform/prompt/scripted_prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace tavelcor::testing_print {

using render::testing_support::addCoordinate;
using render::testing_support::addLine;
using render::testing_support::addText;

inline constexpr double kOriginX = 1000.0;
inline constexpr double kOriginY = 2000.0;
inline constexpr double kScreenSpanY = 148.6;

/// A prompter that lets the test act before each prompt is answered by the
/// scripted prompter inside it.
class HookedPrompter final : public platform::Prompter {
public:
    HookedPrompter()
    {
        mScript.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
    }

    platform::ScriptedPrompter& script() { return mScript; }
    /// Runs before every prompt with its kind and identifying text.
    std::function<void(platform::PromptKind, const QString&)> beforePrompt;

    platform::MsgResult message(const platform::MessageRequest& request) override
    {
        notify(platform::PromptKind::Message, request.text);
        return mScript.message(request);
    }
    std::optional<QString> input(const platform::InputRequest& request) override
    {
        notify(platform::PromptKind::Input, request.prompt);
        return mScript.input(request);
    }
    std::optional<platform::FileChoice> file(const platform::FileRequest& request) override
    {
        notify(request.mode == platform::FileDialogMode::Save ? platform::PromptKind::SaveFile
                                                              : platform::PromptKind::OpenFile,
               request.title);
        return mScript.file(request);
    }
    std::optional<std::uint32_t> color(const platform::ColorRequest& request) override
    {
        return mScript.color(request);
    }
    std::optional<QString> printer(const platform::PrinterRequest& request) override
    {
        return mScript.printer(request);
    }
    std::optional<platform::MenuPath> popupMenu(const platform::PopupMenuRequest& request) override
    {
        return mScript.popupMenu(request);
    }
    void runModal(platform::ModalWindow& window) override { mScript.runModal(window); }

private:
    void notify(platform::PromptKind kind, const QString& text)
    {
        if (beforePrompt)
            beforePrompt(kind, text);
    }

    platform::ScriptedPrompter mScript;
};

/// What the plot looked like at one moment of a print.
struct PlotMoment {
    QImage picture;
    double widthTwips = 0.0;
    double heightTwips = 0.0;
    double spanX = 0.0;
    double spanY = 0.0;
    int printMode = 0;
    bool coverVisible = false;
    bool readoutVisible = false;
    QImage cover;
    /// The picture's pen colour: the label is written in what the redraw left.
    std::uint32_t foreColor = 0;
};

inline platform::PrinterEntry pdfFilePrinter(const QString& name, double stripMm)
{
    platform::PrinterEntry entry;
    entry.DeviceName = name;
    entry.pdfFile = true;
    entry.unprintableMm = QMarginsF(stripMm, stripMm, stripMm, stripMm);
    return entry;
}

class PrintFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mDir.isValid());
        QDir(mDir.path()).mkpath(QStringLiteral("site"));
        QDir(mDir.path()).mkpath(QStringLiteral("work"));
        qputenv("TAVELCOR_HOME", QFile::encodeName(mDir.filePath(QStringLiteral("home"))));
        allocateTables();
        resetTables();
        render::renderState() = render::RenderState{};
        LoadingFlag = 0;
        SiteFolder = mDir.filePath(QStringLiteral("site")) + QLatin1Char('/');
        WorkFolder = mDir.filePath(QStringLiteral("work"));
        auto hooked = std::make_unique<HookedPrompter>();
        mPrompter = hooked.get();
        mPreviousPrompter = platform::setPrompter(std::move(hooked));
        clearPlotWirings();
        addPlotWiring(wirePrint);
        platform::setInstalledPrinters(std::vector<platform::PrinterEntry>{
            pdfFilePrinter(QStringLiteral("PDF"), 0.0), pdfFilePrinter(QStringLiteral("事務所"), 5.0)});
        platform::setPrinterPropertiesHandler(nullptr);
        printDialogHooks() = PrintDialogHooks{};
        buildSite();
        ViewCX = kOriginX;
        ViewCY = kOriginY;
        ViewSpanX = 100.0;
        ViewSpanY = kScreenSpanY;
        plot().Check1.setValue(1);  // coordinate markers
        crtplot();
    }

    void TearDown() override
    {
        mPrompter->script().verifyUsedUp();
        mPrompter->beforePrompt = nullptr;
        render::renderState().hooks = render::RedrawHooks{};
        platform::destroyAllForms();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        clearPlotWirings();
        platform::setInstalledPrinters(std::nullopt);
        platform::setPrinterPropertiesHandler(nullptr);
        printDialogHooks() = PrintDialogHooks{};
        platform::setPrompter(std::move(mPreviousPrompter));
    }

    platform::ScriptedPrompter& script() { return mPrompter->script(); }
    QString path(const QString& name) const { return mDir.filePath(name); }

    static void buildSite()
    {
        OriginX = kOriginX;
        OriginY = kOriginY;
        addCoordinate(1, QStringLiteral("A1"), 10, 10);
        addCoordinate(2, QStringLiteral("A2"), 10, -10);
        addCoordinate(3, QStringLiteral("A3"), -10, -10);
        addCoordinate(4, QStringLiteral("A4"), -10, 10);
        addLine(-30, -25, 30, -25, 9);
        addLine(-30, 25, 30, 25, 9);
        addLine(20, -50, 20, 50, 2);
        addText(QStringLiteral("境界杭"), -10, 0, 13);
    }

    /// Opens the dialog with the main window's print button.
    Prtout& openDialog()
    {
        plot().Command11.setValue(true);
        EXPECT_TRUE(prtoutForm().isLoaded());
        return prtout();
    }

    /// From now on the plot is recorded at the first prompt of each kind.
    void recordMoments()
    {
        mPrompter->beforePrompt = [this](platform::PromptKind kind, const QString&) {
            if (mMoments.count(kind) != 0)
                return;
            Plot& w = plot();
            PlotMoment& m = mMoments[kind];
            m.picture = w.Picture1.canvas().image().copy();
            m.widthTwips = w.Picture1.Width();
            m.heightTwips = w.Picture1.Height();
            m.spanX = ViewSpanX;
            m.spanY = ViewSpanY;
            m.printMode = PrintMode;
            m.coverVisible = w.Picture6.Visible();
            m.readoutVisible = w.Label5.Visible();
            m.cover = w.Picture6.canvas().image().copy();
            m.foreColor = w.Picture1.canvas().ForeColor();
        };
    }
    /// The plot at the first prompt of `kind` (empty when there was none).
    PlotMoment moment(platform::PromptKind kind) const
    {
        const auto found = mMoments.find(kind);
        return found == mMoments.end() ? PlotMoment{} : found->second;
    }

    /// What each full redraw saw of the print state, from now on.
    struct RedrawSeen {
        int printMode = 0;
        int fontSize = 0;
        int offsetL = 0;
        int marginB = 0;
        double widthTwips = 0.0;
    };
    void logRedraws()
    {
        render::renderState().hooks.linedraw = [this](render::PlotFace& face) {
            mRedraws.push_back(RedrawSeen{PrintMode, FontSize, PrintOffsetL, PrintMarginB, face.pictureWidthTwips()});
        };
    }

    /// The screen as the test left it before a command: picture, size,
    /// extents and pointer.
    struct Screen {
        QImage picture;
        double width = 0.0;
        double height = 0.0;
        double spanX = 0.0;
        double spanY = 0.0;
        int pointer = 0;
    };
    static Screen screen()
    {
        const Plot& w = plot();
        return Screen{w.Picture1.canvas().image().copy(), w.Picture1.Width(), w.Picture1.Height(),
                      ViewSpanX, ViewSpanY, w.Picture1.MousePointer()};
    }
    /// The plot shows the screen again exactly as before.
    static void expectScreenRestored(const Screen& before)
    {
        const Plot& w = plot();
        EXPECT_EQ(w.Picture1.Width(), before.width);
        EXPECT_EQ(w.Picture1.Height(), before.height);
        EXPECT_EQ(ViewSpanX, before.spanX);
        EXPECT_EQ(ViewSpanY, before.spanY);
        EXPECT_EQ(w.Picture1.MousePointer(), before.pointer);
        EXPECT_FALSE(w.Picture6.Visible());
        EXPECT_TRUE(w.Picture1.canvas().image() == before.picture) << "the plot is drawn again as it was";
    }

    /// The label as the print writes it: opaque "ＭＳ ゴシック" at `points` in
    /// `color`, bold (the redraw makes it so for letter sizes from 12 on,
    /// which every test here uses), at the top-left corner of a white picture
    /// of `size`.
    static QImage referenceLabel(QSize size, double points, const QString& text, std::uint32_t color,
                                 QSize* box = nullptr)
    {
        platform::Canvas reference(size);
        reference.setForeColor(color);
        reference.setFontName(QStringLiteral("ＭＳ ゴシック"));
        reference.setFontBold(true);
        reference.setFontSize(points);
        reference.setFontTransparent(false);
        reference.setCurrentX(0);
        reference.setCurrentY(0);
        if (box)
            *box = QSize(static_cast<int>(std::ceil(reference.TextWidth(text) / 15.0)),
                         static_cast<int>(std::ceil(reference.TextHeight(text) / 15.0)));
        reference.Print(text);
        return reference.image().copy();
    }

    /// Every pixel of the label's box is the same in `picture` as in the
    /// reference label (the label hides what lies under it).
    static ::testing::AssertionResult hasLabel(const PlotMoment& moment, double points, const QString& text)
    {
        const QImage& picture = moment.picture;
        QSize box;
        const QImage reference = referenceLabel(picture.size(), points, text, moment.foreColor, &box);
        int ink = 0;
        for (int y = 0; y < box.height() && y < picture.height(); ++y)
            for (int x = 0; x < box.width() && x < picture.width(); ++x) {
                const QRgb want = reference.pixel(x, y) | 0xFF000000u;
                if (want != 0xFFFFFFFFu)
                    ++ink;
                if ((picture.pixel(x, y) | 0xFF000000u) != want)
                    return ::testing::AssertionFailure() << "label pixel " << x << "," << y << " differs";
            }
        if (ink == 0)
            return ::testing::AssertionFailure() << "the reference label has no ink";
        return ::testing::AssertionSuccess() << box.width() << "x" << box.height();
    }

    /// Pixels of exactly this colour in the picture.
    static int countColor(const QImage& picture, std::uint32_t color, QRect area = QRect())
    {
        const QRect r = area.isNull() ? picture.rect() : area.intersected(picture.rect());
        const QRgb wanted = platform::toQRgb(color);
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if ((picture.pixel(x, y) | 0xFF000000u) == wanted)
                    ++n;
        return n;
    }

    QTemporaryDir mDir;
    std::map<platform::PromptKind, PlotMoment> mMoments;
    std::vector<RedrawSeen> mRedraws;
    HookedPrompter* mPrompter = nullptr;
    std::unique_ptr<platform::Prompter> mPreviousPrompter;
};

}  // namespace tavelcor::testing_print
