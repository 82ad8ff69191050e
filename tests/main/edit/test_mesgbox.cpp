// SPDX-License-Identifier: LicenseRef-Tavelcor
// The yes/no window MESGBOX: the question in through MesgAnswer, the answer
// out through it, and the search asking through it hit by hit.
#include "edit_dialogs_fixture.h"

#include "main/edit/mesgbox.h"

#include <QLabel>
#include <QPainter>

#include <vector>

namespace tavelcor::edittest {
namespace {

const QString kQuestion = QStringLiteral("3件のデータがあります\r\n2番目のデータを表示しますか");

class YesNoWindow : public EditDialogs {
protected:
    void SetUp() override
    {
        EditDialogs::SetUp();
        shownPlot();
    }

    // Rows of the label's widget that hold ink.
    static int inkedRows(platform::Label& label)
    {
        const QImage image = label.widget()->grab().toImage();
        const QRgb back = image.pixel(image.width() - 1, image.height() - 1);
        int rows = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != back) {
                    ++rows;
                    break;
                }
        return rows;
    }
};

TEST_F(YesNoWindow, ATwoLineQuestionShowsOnTwoLines)
{
    script().expectModal(platform::onForm<MESGBOX>([](MESGBOX& f) {
        EXPECT_EQ(f.Label1.Caption(), kQuestion);
        EXPECT_EQ(MesgAnswer, QStringLiteral("yes")) << "the window took the question";
        const QFontMetrics metrics(f.Label1.widget()->font());
        EXPECT_GT(inkedRows(f.Label1), metrics.height()) << "ink on more than one line's height";
        const QLabel* shown = static_cast<QLabel*>(f.Label1.widget());
        EXPECT_GE(shown->sizeHint().height(), 2 * metrics.lineSpacing() - 2);
        const Plot& w = plot();
        EXPECT_NEAR(f.Top(), w.Top() + 400.0, 15.0);
        EXPECT_NEAR(f.Left(), w.Left() + w.Width() - f.Width() - 4400.0, 15.0);
        click(f.Command1);
    }), QStringLiteral("MsgBox"));
    EXPECT_TRUE(askInMesgbox(kQuestion));
    EXPECT_EQ(MesgAnswer, QStringLiteral("yes"));
    EXPECT_FALSE(mesgbox().Visible()) << "hidden, not unloaded, after the question";
}

struct AnswerRow {
    const char* how;
    std::function<void(MESGBOX&)> act;
    bool yes;
};

TEST_F(YesNoWindow, OnlyNoAnswersNo)
{
    const std::vector<AnswerRow> rows = {
        {"はい", [](MESGBOX& f) { click(f.Command1); }, true},
        {"いいえ", [](MESGBOX& f) { click(f.Command2); }, false},
        {"close box", [](MESGBOX& f) { closeBox(f); }, true},
        {"hidden by code", [](MESGBOX& f) { f.Hide(); }, true},
    };
    for (const AnswerRow& row : rows) {
        SCOPED_TRACE(row.how);
        script().expectModal(platform::onForm<MESGBOX>(row.act));
        EXPECT_EQ(askInMesgbox(QStringLiteral("次を表示しますか")), row.yes);
        EXPECT_EQ(MesgAnswer, row.yes ? QStringLiteral("yes") : QStringLiteral("no"));
    }
}

TEST_F(YesNoWindow, EachShowingTakesTheQuestionAnew)
{
    script().expectModal(platform::onForm<MESGBOX>([](MESGBOX& f) { click(f.Command2); }));
    askInMesgbox(QStringLiteral("一つ目"));
    script().expectModal(platform::onForm<MESGBOX>([](MESGBOX& f) {
        EXPECT_EQ(f.Label1.Caption(), QStringLiteral("二つ目"));
        click(f.Command1);
    }));
    EXPECT_TRUE(askInMesgbox(QStringLiteral("二つ目")));
}

// The search steps through its hits asking in the yes/no window.
TEST_F(YesNoWindow, TheTextSearchAsksInTheWindowAndStopsAtNo)
{
    for (int k = 0; k < 3; ++k)
        render::testing_support::addText(QStringLiteral("境界"), 10.0 * k, 0.0);
    Plot& w = plot();
    w.Option15.setValue(true);
    w.Text1.setText(QStringLiteral("境界"));
    script().expectModal(platform::onForm<MESGBOX>([](MESGBOX& f) {
        EXPECT_EQ(f.Label1.Caption(), kQuestion);
        click(f.Command1);
    }));
    script().expectModal(platform::onForm<MESGBOX>([](MESGBOX& f) {
        EXPECT_EQ(f.Label1.Caption(), QStringLiteral("3件のデータがあります\r\n3番目のデータを表示しますか"));
        click(f.Command2);
    }));
    redraws = 0;
    doubleClick(w.Text1);
    EXPECT_EQ(redraws, 2) << "the first two hits shown, the third declined";
}

}  // namespace
}  // namespace tavelcor::edittest
