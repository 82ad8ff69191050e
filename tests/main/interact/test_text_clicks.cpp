// SPDX-License-Identifier: LicenseRef-Tavelcor
// The text panel's presses through the main window: the add from a phrase
// or the free text, the hit test of the edit and the move (lowest index,
// the boxes' sizes and strict edges, the texts never picked), the edit in
// the line-break editor and the placement with its record.
#include "interact_fixture.h"

#include "main/edit/crtext.h"
#include "main/edit/history_commands.h"
#include "main/interact/text_clicks.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/forms/modal_answer.h"

#include <functional>

namespace tavelcor::interacttest {
namespace {

class TextClicks : public InteractTest {
protected:
    void SetUp() override
    {
        InteractTest::SetUp();
        TxtLineEdit = 0;  // the panel edits; the editor has a test of its own
    }

    Plot& textMode(platform::OptionButton Plot::*option)
    {
        Plot& w = shownPlot();
        openPanel(w.Frame11, &(w.*option));
        return w;
    }

    // Text i with its top left at (north, east).
    static void text(int i, const QString& s, double north, double east, int colour = 0)
    {
        TxtString[i] = s;
        TxtX[i] = static_cast<float>(north);
        TxtY[i] = static_cast<float>(east);
        TxtColor[i] = static_cast<std::uint8_t>(colour);
        TxtCount = std::max(TxtCount, i);
    }

    // Ground metres per twip of the plot's height (p).
    static double perTwip() { return ViewSpanX / WindowPlotFace(plot()).pictureHeightTwips(); }

    // Pixels of colour index `colour` in the box of `bytes` letters written
    // at the settings' size with its top left at (north, east).
    static int pixelsOf(int colour, double north, double east, int bytes)
    {
        const double h = 22.0 * FontSize * TextScale * perTwip();
        const double width = 11.0 * bytes * FontSize * TextScale * perTwip();
        const platform::Canvas& canvas = plot().Picture1.canvas();
        const QPoint from = canvas.toPixel(QPointF(east, -north)).toPoint();
        const QPoint to = canvas.toPixel(QPointF(east + width, -(north - h))).toPoint();
        const QImage& image = canvas.image();
        const QRgb wanted = platform::toQRgb(platform::QBColor(colour));
        int n = 0;
        for (int py = std::max(from.y(), 0); py <= std::min(to.y(), image.height() - 1); ++py) {
            for (int px = std::max(from.x(), 0); px <= std::min(to.x(), image.width() - 1); ++px)
                n += (image.pixel(px, py) | 0xFF000000U) == wanted ? 1 : 0;
        }
        return n;
    }
};

TEST_F(TextClicks, AFreeTextHasOneBlankPerRunAndNoCommas)
{
    Plot& w = textMode(&Plot::Option22);
    w.Option23(7).setValue(true);
    TxtColorCur = 4;
    struct Row {
        const char* typed;
        const char* stored;
    };
    const Row rows[] = {{"a  b,c", "a b_c"}, {"a   b", "a b"}, {"x", "x"}};
    for (const Row& row : rows) {
        w.Text8.setText(QString::fromUtf8(row.typed));
        const int n = TxtCount + 1;
        pressAt(1, 2.0, 3.0);
        ASSERT_EQ(TxtCount, n) << row.typed;
        EXPECT_EQ(TxtString[n], QString::fromUtf8(row.stored));
        EXPECT_EQ(w.Text8.Text(), QString::fromUtf8(row.stored));
        EXPECT_EQ(TxtColor[n], 4);
        EXPECT_FLOAT_EQ(TxtX[n], 2.0F);
        EXPECT_FLOAT_EQ(TxtY[n], 3.0F);
        EXPECT_EQ(UndoKind[UndoPos], 31);
        EXPECT_FLOAT_EQ(UndoVal1[UndoPos], float(n - 1));
    }
    EXPECT_EQ(TxtEdit, 0);
    EXPECT_EQ(TxtChanged, 1);
    EXPECT_GT(pixelsOf(4, 2.0, 3.0, 5), 0);  // drawn at once in its colour
}

TEST_F(TextClicks, APhraseOrItsCaptionWhenThePhraseIsEmpty)
{
    Plot& w = textMode(&Plot::Option22);
    PhraseText[2] = QStringLiteral("  ");
    PhraseText[3] = QStringLiteral("山林　");
    w.Option23(2).setValue(true);
    TxtColorCur = 9;
    pressAt(1, 1.0, 1.0);
    EXPECT_EQ(TxtString[1], w.Option23(2).Caption());
    EXPECT_FALSE(TxtString[1].trimmed().isEmpty());
    EXPECT_EQ(TxtColor[1], 9);
    w.Option23(3).setValue(true);
    pressAt(1, 1.0, 1.0);
    EXPECT_EQ(TxtString[2], QStringLiteral("山林　"));
}

TEST_F(TextClicks, AFullTextTableRefusesTheAdd)
{
    textMode(&Plot::Option22);
    TxtCount = kTxtTop;
    const int before = UndoPos;
    script().expectMessage(platform::MsgResult::Ok, textTableFullMessage());
    pressAt(1, 1.0, 1.0);
    EXPECT_EQ(TxtCount, kTxtTop);
    EXPECT_EQ(UndoPos, before);
}

TEST_F(TextClicks, OfTwoOverlappingTextsTheLowerIndexIsPicked)
{
    Plot& w = textMode(&Plot::Option18);
    text(1, QStringLiteral("ABCD"), 0.0, 0.0, 2);
    text(2, QStringLiteral("ABCD"), 0.0, 0.0, 3);
    const double h = 22.0 * FontSize * perTwip();
    pressAt(1, -h / 2.0, 0.5);
    EXPECT_EQ(TxtEdit, 1);
    EXPECT_EQ(TxtColorCur, 2);
    EXPECT_EQ(w.Text8.Text(), QStringLiteral("ABCD"));
    EXPECT_EQ(w.Command34.Caption(), QStringLiteral("確定"));
    EXPECT_TRUE(w.Command34.Visible());
    EXPECT_TRUE(w.Option23(7).Value());
    w.Option24.setValue(true);
    pressAt(1, -h / 2.0, 0.5);
    EXPECT_EQ(TxtPick, 1);
    EXPECT_EQ(w.Label28.Caption(), QStringLiteral("ABCD"));
}

TEST_F(TextClicks, TheMoveMeasuresTheScaledBoxAndTheEditTheFullSize)
{
    Plot& w = textMode(&Plot::Option18);
    TextScale = 0.5F;
    text(1, QStringLiteral("ABCD"), 0.0, 0.0);
    const double h = 22.0 * FontSize * perTwip();
    pressAt(1, -0.75 * h, 0.2);
    EXPECT_EQ(TxtEdit, 1);
    w.Option24.setValue(true);
    pressAt(1, -0.75 * h, 0.2);
    EXPECT_EQ(TxtPick, 0);
    pressAt(1, -0.25 * h, 0.2);
    EXPECT_EQ(TxtPick, 1);
}

TEST_F(TextClicks, ALineIsElevenTwipsPerByteWideAndItsEdgesDoNotHit)
{
    textMode(&Plot::Option18);
    const double f = FontSize;
    const double p = perTwip();
    const double h = 22.0 * f * p;
    struct Row {
        const char* name;
        const char* string;
        double north, east;
        bool hits;
    };
    const Row rows[] = {
        {"full width, inside", "ＡＢＣ", -h / 2, 66 * f * p * 0.99, true},
        {"full width, beyond", "ＡＢＣ", -h / 2, 66 * f * p * 1.01, false},
        {"half width, inside", "ABC", -h / 2, 33 * f * p * 0.98, true},
        {"half width, beyond", "ABC", -h / 2, 33 * f * p * 1.02, false},
        {"on the left edge", "ABC", -h / 2, 0.0, false},
        {"on the top edge", "ABC", 0.0, 1.0, false},
        {"just below the top", "ABC", -0.01, 1.0, true},
        {"below the line", "ABC", -h * 1.01, 1.0, false},
    };
    for (const Row& row : rows) {
        text(1, QString::fromUtf8(row.string), 0.0, 0.0);
        TxtEdit = 0;
        pressAt(1, row.north, row.east);
        EXPECT_EQ(TxtEdit, row.hits ? 1 : 0) << row.name;
    }
}

TEST_F(TextClicks, DeletedHighColouredAndFilteredTextsAreNeverPicked)
{
    Plot& w = textMode(&Plot::Option18);
    const double h = 22.0 * FontSize * perTwip();
    struct Row {
        const char* name;
        std::function<void()> setUp;
    };
    const Row rows[] = {
        {"deleted", [] { TxtColor[1] = 102; }},
        {"colour 20", [] { TxtColor[1] = 20; }},
        {"colour filtered", [] { TxtColorShown[5] = 0; }},
        {"empty", [] { TxtString[1].clear(); }},
    };
    for (const Row& row : rows) {
        text(1, QStringLiteral("ABCD"), 0.0, 0.0, 5);
        TxtColorShown[5] = 1;
        row.setUp();
        w.Option18.setValue(true);
        TxtEdit = 0;
        pressAt(1, -h / 2, 0.3);
        EXPECT_EQ(TxtEdit, 0) << row.name;
        w.Option24.setValue(true);
        pressAt(1, -h / 2, 0.3);
        EXPECT_EQ(TxtPick, 0) << row.name;
    }
}

TEST_F(TextClicks, APlacementRecordsTheOldAnchorInItsValuesAndTheNewInItsTexts)
{
    Plot& w = textMode(&Plot::Option24);
    text(1, QStringLiteral("ABCD"), 1.5, -4.0, 2);
    const double h = 22.0 * FontSize * perTwip();
    pressAt(1, 1.5 - h / 2, -3.8);
    ASSERT_EQ(TxtPick, 1);
    const int before = UndoPos;
    pressAt(1, 3.5, -2.25);
    EXPECT_FLOAT_EQ(TxtX[1], 3.5F);
    EXPECT_FLOAT_EQ(TxtY[1], -2.25F);
    ASSERT_EQ(UndoPos, before + 1);
    EXPECT_EQ(UndoKind[UndoPos], 33);
    EXPECT_EQ(UndoItem[UndoPos], 1);
    EXPECT_FLOAT_EQ(UndoVal1[UndoPos], 1.5F);
    EXPECT_FLOAT_EQ(UndoVal2[UndoPos], -4.0F);
    EXPECT_EQ(UndoText(0, UndoPos), QStringLiteral("3.5"));
    EXPECT_EQ(UndoText(1, UndoPos), QStringLiteral("-2.25"));
    EXPECT_EQ(TxtPick, 0);
    EXPECT_EQ(TxtEdit, 1);
    EXPECT_EQ(w.Label28.Caption(), QString());
    EXPECT_DOUBLE_EQ(MoveOldX, 1.5);
    EXPECT_EQ(pixelsOf(2, 1.5, -4.0, 4), 0);  // painted over at the old place
    EXPECT_GT(pixelsOf(2, 3.5, -2.25, 4), 0);
}

TEST_F(TextClicks, UndoAndRedoOfAMovePutTheTextExactlyWhereTheMovePutIt)
{
    Plot& w = textMode(&Plot::Option24);
    text(1, QStringLiteral("ABCD"), 1.5, -4.0, 2);
    const double h = 22.0 * FontSize * perTwip();
    pressAt(1, 1.5 - h / 2, -3.8);
    ASSERT_EQ(TxtPick, 1);
    pressAt(1, 3.1234567, -2.2345678);
    ASSERT_EQ(UndoKind[UndoPos], 33);
    const float north = TxtX[1];
    const float east = TxtY[1];
    Command60_Click(w);
    EXPECT_EQ(TxtX[1], 1.5F);
    Command61_Click(w);
    EXPECT_EQ(TxtX[1], north);
    EXPECT_EQ(TxtY[1], east);
}

TEST_F(TextClicks, WithTheLineBreakEditorTheCommitIsHiddenWhileItIsOpen)
{
    Plot& w = textMode(&Plot::Option18);
    TxtLineEdit = -1;
    SlideFactor = 1.5F;
    text(1, QStringLiteral("ABCD"), 0.0, 0.0, 2);
    const double h = 22.0 * FontSize * perTwip();
    bool seen = false;
    script().expectModal(platform::onForm<Crtext>([&](Crtext& editor) {
                             seen = true;
                             EXPECT_FALSE(plot().Command34.Visible());
                             EXPECT_EQ(plot().Command34.Caption(), QString());
                             EXPECT_FLOAT_EQ(SlideFactor, 9.0F);
                             EXPECT_EQ(editor.Text1(0).Text(), QStringLiteral("ABCD"));
                             editor.Command2_Click();
                         }),
                         QStringLiteral("改行テキスト"));
    pressAt(1, -h / 2, 0.3);
    EXPECT_TRUE(seen);
    EXPECT_EQ(TxtEdit, 1);
    EXPECT_FLOAT_EQ(SlideFactor, 1.5F);
    EXPECT_FALSE(w.Command34.Visible());
}

}  // namespace
}  // namespace tavelcor::interacttest
