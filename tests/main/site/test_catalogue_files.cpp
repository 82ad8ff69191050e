// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/symbol_file.h"
#include "main/site/text_presets.h"
#include "site_test_support.h"

#include <gtest/gtest.h>

namespace tavelcor {
namespace {

using platform::MsgResult;

class SymbolFile : public testsupport::SiteFileTest {
protected:
    QString siteSymbols() const { return SiteFolder + QStringLiteral("POINT.JKN"); }

    // The table as the design buttons give it (a start without POINT.JKN).
    void loadDesign() { LoadPointSymbols(sitePath(QStringLiteral("NONE.JKN")), mButtons); }

    DesignSymbolButtons mButtons;
};

TEST_F(SymbolFile, MissingFileTakesTheSymbolsFromTheButtons)
{
    mButtons.setCaption(5, QStringLiteral("回x"));
    loadDesign();
    EXPECT_EQ(SymbolChar[1], QStringLiteral(" ")) << "an empty caption gives a blank";
    EXPECT_EQ(SymbolLabel[1], QStringLiteral("なし"));
    EXPECT_EQ(SymbolChar[3], QStringLiteral("◎"));
    EXPECT_EQ(SymbolLabel[3], QStringLiteral("２重丸"));
    EXPECT_EQ(SymbolColor[3], 12);
    EXPECT_EQ(SymbolChar[5], QStringLiteral("回")) << "the first character of the caption";
    EXPECT_EQ(SymbolChar[8], QStringLiteral("★"));
    EXPECT_EQ(SymbolColor[8], 9);
    EXPECT_EQ(SymbolColor[18], 0);
    EXPECT_EQ(mButtons.caption(8), QStringLiteral("★ ")) << "the buttons do not change";
}

TEST_F(SymbolFile, LinesApplyToTheTableAndTheButtonsInAnyOrder)
{
    loadDesign();
    copyFixture(QStringLiteral("symbols_partial"));
    LoadPointSymbols(siteSymbols(), mButtons);
    EXPECT_EQ(SymbolChar[3], QStringLiteral("ｏ"));
    EXPECT_EQ(SymbolColor[3], 12);
    EXPECT_EQ(SymbolLabel[3], QStringLiteral("円"));
    EXPECT_EQ(mButtons.caption(3), QStringLiteral("ｏ"));
    EXPECT_EQ(mButtons.label(3), QStringLiteral("円"));
    EXPECT_EQ(SymbolChar[2], QStringLiteral("カ"));
    EXPECT_EQ(SymbolColor[2], 10);
    EXPECT_EQ(mButtons.textColorIndex(2), 10);
    // Symbols the file does not name keep their state.
    EXPECT_EQ(SymbolChar[4], QStringLiteral("●"));
    EXPECT_EQ(mButtons.caption(4), QStringLiteral("●"));
}

// A line that runs out of fields is applied as far as it goes: the second
// line "5,■,14" sets the character and the colour of symbol 5, not its
// label, and nothing after it is read.
TEST_F(SymbolFile, AShortLineAppliesWhatItHoldsAndEndsTheReading)
{
    loadDesign();
    mButtons.setLabel(5, QStringLiteral("old"));
    SymbolLabel[5] = QStringLiteral("old");
    copyFixture(QStringLiteral("symbols_short_line"));
    LoadPointSymbols(siteSymbols(), mButtons);
    EXPECT_EQ(SymbolChar[4], QStringLiteral("◆"));
    EXPECT_EQ(SymbolLabel[4], QStringLiteral("菱"));
    EXPECT_EQ(SymbolChar[5], QStringLiteral("■"));
    EXPECT_EQ(mButtons.caption(5), QStringLiteral("■"));
    EXPECT_EQ(SymbolColor[5], 14);
    EXPECT_EQ(mButtons.textColorIndex(5), 14);
    EXPECT_EQ(SymbolLabel[5], QStringLiteral("old")) << "the line has no label field";
    EXPECT_EQ(mButtons.label(5), QStringLiteral("old"));
    EXPECT_EQ(SymbolChar[6], QStringLiteral("■")) << "nothing after it is read";
    EXPECT_EQ(SymbolColor[6], 12);
}

// One line that cannot be applied whole, what it still sets of symbol 7
// (designed as "☆", colour 9, no label), and why it ends the reading.
struct StoppingLine {
    const char* line;
    const char* character;  // SymbolChar(7) and the caption of its button afterwards
    int color;              // SymbolColor(7) and the button's colour afterwards
    const char* why;
};

void PrintTo(const StoppingLine& row, std::ostream* os)
{
    *os << '"' << row.line << "\" (" << row.why << ')';
}

class SymbolStops : public SymbolFile, public ::testing::WithParamInterface<StoppingLine> {};

TEST_P(SymbolStops, AppliesWhatComesBeforeTheFaultAndEndsTheReading)
{
    const StoppingLine& row = GetParam();
    loadDesign();
    writeSiteLines(QStringLiteral("POINT.JKN"), {QString::fromUtf8(row.line), "9,Z,4,after"});
    LoadPointSymbols(siteSymbols(), mButtons);
    EXPECT_EQ(SymbolChar[7], QString::fromUtf8(row.character)) << row.why;
    EXPECT_EQ(mButtons.caption(7), QString::fromUtf8(row.character)) << row.why;
    EXPECT_EQ(SymbolColor[7], row.color) << row.why;
    EXPECT_EQ(mButtons.textColorIndex(7), row.color) << row.why;
    EXPECT_EQ(SymbolLabel[7], QString()) << row.why;
    EXPECT_EQ(mButtons.label(7), QString()) << row.why;
    EXPECT_EQ(SymbolChar[9], QStringLiteral("◇")) << "nothing after the line is read";
}

// A colour outside the palette is never stored: the reading ends before it,
// after the character (table and button still agree).
INSTANTIATE_TEST_SUITE_P(Lines, SymbolStops,
                         ::testing::Values(StoppingLine{"7,X,20,x", "Ｘ", 9, "colour past the palette"},
                                           StoppingLine{"7,X,15.5,x", "Ｘ", 9, "15.5 rounds to 16"},
                                           StoppingLine{"7,X,-1,x", "Ｘ", 9, "negative colour"},
                                           StoppingLine{"7,X,300,x", "Ｘ", 9, "colour past a byte"},
                                           StoppingLine{"7,X,1", "Ｘ", 1, "three fields"},
                                           StoppingLine{"7,X", "Ｘ", 9, "two fields"},
                                           StoppingLine{"7", "☆", 9, "one field"},
                                           StoppingLine{"0,X,1,x", "☆", 9, "symbol 0"},
                                           StoppingLine{"19,X,1,x", "☆", 9, "symbol 19"},
                                           StoppingLine{"", "☆", 9, "empty line"}));

TEST_F(SymbolFile, NumbersRoundHalvesToEven)
{
    loadDesign();
    writeSiteLines(QStringLiteral("POINT.JKN"), {"6.5,A,2.5,six", "7.5,B,3.5,eight"});
    LoadPointSymbols(siteSymbols(), mButtons);
    EXPECT_EQ(SymbolChar[6], QStringLiteral("Ａ"));
    EXPECT_EQ(SymbolColor[6], 2);
    EXPECT_EQ(SymbolChar[8], QStringLiteral("Ｂ"));
    EXPECT_EQ(SymbolColor[8], 4);
}

TEST_F(SymbolFile, FileIsFoundWhateverTheCaseOfItsName)
{
    loadDesign();
    writeSiteLines(QStringLiteral("point.jkn"), {"2,A,1,a"});
    LoadPointSymbols(siteSymbols(), mButtons);
    EXPECT_EQ(SymbolChar[2], QStringLiteral("Ａ"));
}

TEST_F(SymbolFile, WriterPutsOutEighteenLines)
{
    loadDesign();
    SymbolLabel[2] = QStringLiteral("円,大\r\n");
    const WriteResult result = SavePointSymbols(sitePath(QStringLiteral("OTHER.JKN")), mButtons);
    ASSERT_EQ(result.outcome, WriteOutcome::Written);
    const QStringList lines = siteLines(QStringLiteral("OTHER.JKN"));
    ASSERT_EQ(lines.size(), 18);
    EXPECT_EQ(lines[0], QStringLiteral("1,,0,なし")) << "the blank of no marker is written as it reads back";
    EXPECT_EQ(lines[1], QStringLiteral("2,○,12,円_大 ")) << "the label stays one field";
    EXPECT_EQ(lines[7], QStringLiteral("8,★,9,"));
    EXPECT_EQ(lines[17], QStringLiteral("18,▲,0,"));
    EXPECT_FALSE(QFileInfo::exists(sitePath(QStringLiteral("OTHER.JKNBAK.JKN"))));
}

TEST_F(SymbolFile, SavingTheSiteFileKeepsTheFormerOneAndReadsItBack)
{
    loadDesign();
    writeSiteLines(QStringLiteral("POINT.JKN"), {"first"});
    int redraws = 0;
    SymbolChar[2] = QStringLiteral("Ｑ");
    ASSERT_EQ(SavePointSymbols(siteSymbols(), mButtons, [&redraws] { ++redraws; }).outcome,
              WriteOutcome::Written);
    EXPECT_EQ(siteLines(QStringLiteral("POINT.JKNBAK.JKN")), QStringList({"first"}));
    EXPECT_EQ(mButtons.caption(2), QStringLiteral("Ｑ")) << "the buttons follow the file";
    EXPECT_EQ(redraws, 1);
    const QByteArray firstSave = siteBytes(QStringLiteral("POINT.JKN"));
    SymbolLabel[2] = QStringLiteral("二度目");
    ASSERT_EQ(SavePointSymbols(siteSymbols(), mButtons, [&redraws] { ++redraws; }).outcome,
              WriteOutcome::Written);
    EXPECT_EQ(siteBytes(QStringLiteral("POINT.JKNBAK.JKN")), firstSave);
    EXPECT_EQ(mButtons.label(2), QStringLiteral("二度目"));
    EXPECT_EQ(redraws, 2);
}

TEST_F(SymbolFile, WriteReadWriteIsByteIdentical)
{
    loadDesign();
    SymbolChar[4] = QStringLiteral("①");
    SymbolLabel[4] = QStringLiteral("境界①");
    ASSERT_EQ(SavePointSymbols(sitePath(QStringLiteral("A.JKN")), mButtons).outcome, WriteOutcome::Written);
    resetKeepingFolders();
    DesignSymbolButtons fresh;
    LoadPointSymbols(sitePath(QStringLiteral("A.JKN")), fresh);
    EXPECT_EQ(SymbolLabel[4], QStringLiteral("境界①"));
    ASSERT_EQ(SavePointSymbols(sitePath(QStringLiteral("B.JKN")), fresh).outcome, WriteOutcome::Written);
    EXPECT_EQ(siteBytes(QStringLiteral("A.JKN")), siteBytes(QStringLiteral("B.JKN")));
}

TEST_F(SymbolFile, FailureIsReportedAndLeavesTheOldFile)
{
    loadDesign();
    ASSERT_TRUE(QDir(mSite.path()).mkdir(QStringLiteral("POINT.JKN")));
    mScript->expectMessage(MsgResult::Ok, QStringLiteral("保存に失敗しました"));
    const WriteResult result = SavePointSymbols(siteSymbols(), mButtons);
    EXPECT_EQ(result.outcome, WriteOutcome::Failed);
    EXPECT_TRUE(QFileInfo(siteSymbols()).isDir());
}

// ---- text presets ---------------------------------------------------------------

class TextPresets : public testsupport::SiteFileTest {
protected:
    QString sitePresets() const { return SiteFolder + QStringLiteral("TEXT.JKN"); }
    MemoryPresetControls mControls;
};

TEST_F(TextPresets, MissingFileGivesTheBuiltInPhrasesAndAnEmptyTable)
{
    PhraseText[9] = QStringLiteral("old");
    mControls.addPhrase(QStringLiteral("old"));
    mControls.setQuickTextCaption(1, QStringLiteral("kept"));
    LoadTextPresets(sitePresets(), mControls);
    EXPECT_EQ(mControls.phraseList(), QStringList({"雑種地", "ため池", "堤", "墓地", "境内地", "から分筆",
                                                   "地目変更", "に分筆", "未定"}));
    EXPECT_TRUE(PhraseText[9].isEmpty());
    EXPECT_EQ(mControls.quickTextCaption(1), QStringLiteral("kept"));
}

TEST_F(TextPresets, FiveLinesSetFiveCaptionsAndNoPhrase)
{
    copyFixture(QStringLiteral("presets_five_lines"));
    LoadTextPresets(sitePresets(), mControls);
    EXPECT_EQ(PhraseKey[1], QStringLiteral("田"));
    EXPECT_EQ(PhraseText[2], QStringLiteral("畑　作"));
    EXPECT_EQ(mControls.quickTextCaption(3), QStringLiteral(""));
    EXPECT_EQ(PhraseText[3], QStringLiteral("abc"));
    EXPECT_EQ(PhraseText[4], QString(100, u'あ')) << "a category text keeps its first 100 characters";
    EXPECT_EQ(mControls.quickTextCaption(5), QStringLiteral("公道"));
    EXPECT_TRUE(PhraseText[5].isEmpty());
    EXPECT_EQ(mControls.quickTextCaption(6), QStringLiteral("用悪")) << "not in the file: unchanged";
    EXPECT_EQ(mControls.quickTextCaption(7), QStringLiteral("他"));
    EXPECT_TRUE(mControls.phraseList().isEmpty());
}

TEST_F(TextPresets, PhrasesKeepTheirLineNumbers)
{
    QStringList lines{"田,a", "畑,b", "山林,c", "宅地,d", "公道,e", "用悪,f", "anything"};
    lines << QString(150, u'字') << "  " << "a,b,c" << "";
    writeSiteLines(QStringLiteral("TEXT.JKN"), lines);
    LoadTextPresets(sitePresets(), mControls);
    EXPECT_EQ(PhraseKey[7], QStringLiteral("他"));
    EXPECT_TRUE(PhraseText[7].isEmpty());
    EXPECT_EQ(mControls.quickTextCaption(7), QStringLiteral("他"));
    EXPECT_EQ(PhraseText[8], QString(150, u'字')) << "a phrase stays whole";
    EXPECT_TRUE(PhraseKey[8].isEmpty());
    EXPECT_EQ(PhraseText[9], QStringLiteral("  ")) << "a blank phrase keeps its entry";
    EXPECT_EQ(PhraseText[10], QStringLiteral("a,b,c"));
    EXPECT_EQ(mControls.phraseList(), QStringList({QString(150, u'字'), "a,b,c"}));
}

TEST_F(TextPresets, ReadingStopsAfterLine4000)
{
    QStringList lines;
    for (int n = 1; n <= kPhraseTop + 5; ++n)
        lines.append(QStringLiteral("p%1").arg(n));
    writeSiteLines(QStringLiteral("text.jkn"), lines);
    LoadTextPresets(sitePresets(), mControls);
    EXPECT_EQ(PhraseText[kPhraseTop], QStringLiteral("p4000"));
    EXPECT_EQ(mControls.phraseList().size(), kPhraseTop - 7);
    EXPECT_EQ(mControls.phraseList().last(), QStringLiteral("p4000"));
}

// ---- text presets written ------------------------------------------------------------

TEST_F(TextPresets, WriterPutsOutFourThousandLinesInTheirRoles)
{
    PhraseKey[1] = QStringLiteral("田");
    PhraseText[1] = QStringLiteral("田　不詳");
    PhraseKey[2] = QStringLiteral("畑");  // no text
    PhraseKey[7] = QStringLiteral("x");
    PhraseText[7] = QStringLiteral("y");
    PhraseText[8] = QStringLiteral("a,b , c");
    PhraseText[9] = QStringLiteral("   ");
    PhraseText[kPhraseTop] = QStringLiteral("最後");
    const WriteResult result = writeTextPresets(sitePresets());
    ASSERT_EQ(result.outcome, WriteOutcome::Written);
    const QStringList lines = siteLines(QStringLiteral("TEXT.JKN"));
    ASSERT_EQ(lines.size(), kPhraseTop);
    EXPECT_EQ(lines[0], QStringLiteral("田,田　不詳"));
    EXPECT_EQ(lines[1], QStringLiteral("畑,"));
    EXPECT_EQ(lines[2], QStringLiteral(",")) << "an empty category";
    EXPECT_EQ(lines[6], QStringLiteral("他")) << "line 7 is always the free category";
    EXPECT_EQ(lines[7], QStringLiteral("a,b , c")) << "a phrase as it stands";
    EXPECT_EQ(lines[8], QStringLiteral("   "));
    EXPECT_EQ(lines[9], QString());
    EXPECT_EQ(lines[kPhraseTop - 1], QStringLiteral("最後"));
}

// Written and read back, every entry returns to its line: a line break would
// move every later entry, so it is written as a blank. A comma in a category
// key is written as it stands and splits the line there when read back. A
// long category text is written whole and comes back cut to 100 characters.
TEST_F(TextPresets, WrittenPresetsReadBackEntryByEntry)
{
    PhraseKey[1] = QStringLiteral("宅,地");
    PhraseText[1] = QStringLiteral("宅地,不詳");
    PhraseKey[2] = QStringLiteral("畑");
    PhraseText[2] = QString(150, u'畑');
    PhraseKey[3] = QStringLiteral("山\r\n林");
    PhraseText[8] = QStringLiteral("一行目\r\n二行目");
    PhraseText[9] = QStringLiteral("  ");
    PhraseText[10] = QStringLiteral("①㎡～－");
    ASSERT_EQ(writeTextPresets(sitePresets()).outcome, WriteOutcome::Written);
    EXPECT_EQ(siteLines(QStringLiteral("TEXT.JKN"))[1], QStringLiteral("畑,") + QString(150, u'畑'));
    resetKeepingFolders();
    LoadTextPresets(sitePresets(), mControls);
    EXPECT_EQ(PhraseKey[1], QStringLiteral("宅"));
    EXPECT_EQ(PhraseText[1], QStringLiteral("地,宅地,不詳"));
    EXPECT_EQ(PhraseText[2], QString(100, u'畑'));
    EXPECT_EQ(PhraseKey[3], QStringLiteral("山 林"));
    EXPECT_EQ(PhraseKey[7], QStringLiteral("他"));
    EXPECT_EQ(PhraseText[8], QStringLiteral("一行目 二行目"));
    EXPECT_EQ(PhraseText[9], QStringLiteral("  "));
    EXPECT_EQ(PhraseText[10], QStringLiteral("①㎡～－"));
    EXPECT_EQ(mControls.quickTextCaption(1), QStringLiteral("宅"));
    EXPECT_EQ(mControls.phraseList(), QStringList({"一行目 二行目", "①㎡～－"}));
}

TEST_F(TextPresets, WriterReplacesAFileWhateverTheCaseOfItsName)
{
    writeSiteLines(QStringLiteral("text.jkn"), {"old"});
    PhraseKey[1] = QStringLiteral("新");
    const WriteResult result = writeTextPresets(sitePresets());
    ASSERT_EQ(result.outcome, WriteOutcome::Written);
    EXPECT_EQ(result.path, sitePath(QStringLiteral("text.jkn")));
    EXPECT_EQ(siteLines(QStringLiteral("text.jkn")).first(), QStringLiteral("新,"));
    EXPECT_FALSE(QFileInfo::exists(sitePath(QStringLiteral("TEXT.JKN"))));
}

TEST_F(TextPresets, WriterFailureLeavesTheOldFile)
{
    ASSERT_TRUE(QDir(mSite.path()).mkdir(QStringLiteral("TEXT.JKN")));  // a folder in the way
    const WriteResult result = writeTextPresets(sitePresets());
    EXPECT_EQ(result.outcome, WriteOutcome::Failed);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_TRUE(QFileInfo(sitePresets()).isDir());
}

}  // namespace
}  // namespace tavelcor
