// SPDX-License-Identifier: LicenseRef-Tavelcor
// The point-symbol and phrase catalogue editors driven through their
// controls, with their files checked on disk and read back by the site
// file readers.

#include "dialogs_fixture.h"

#include "main/render/color_picker.h"
#include "main/site/tables.h"
#include "main/site/text_presets.h"
#include "platform/canvas/colors.h"
#include "platform/text/numbers.h"

namespace tavelcor::uitest {
namespace {

class CatalogueEditors : public DialogsTest {
protected:
    QString sitePath(const QString& name) const { return SiteFolder + name; }

    void writeSymbolFile(const QString& name, const QStringList& lines)
    {
        QFile file(sitePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(platform::toCp932(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    }

    /// Opens `form` modally from a test and lets `act` work it.
    template <class Form, class Act>
    void runModal(Form& form, Act act)
    {
        script().expectModal([&](platform::ModalWindow&) { act(form); });
        form.ShowModal();
    }
};

// ---- pointcat ------------------------------------------------------------------------

TEST_F(CatalogueEditors, MarkFieldKeepsItsFirstCharacterFullWidth)
{
    shownPlot();
    Pointcat& p = pointcat();
    p.Show();
    QApplication::setActiveWindow(p.window());
    const struct {
        const char16_t* typed;
        const char16_t* kept;
    } rows[] = {{u"ab", u"ａ"}, {u"５", u"５"}, {u"", u""}};
    for (const auto& row : rows) {
        p.Text1(3).SetFocus();
        p.Text1(3).setText(QString::fromUtf16(row.typed));
        p.Text2(3).SetFocus();
        QCoreApplication::processEvents();
        EXPECT_EQ(p.Text1(3).Text(), QString::fromUtf16(row.kept));
    }
    EXPECT_EQ(fittedMark(QStringLiteral("ab")), QStringLiteral("ａ"));
}

TEST_F(CatalogueEditors, RegisteringToAnotherNameWritesItAndTheSitesFile)
{
    Plot& w = shownPlot();
    runModal(pointcat(), [this](Pointcat& p) {
        p.Text1(2).setText(QString());
        p.Text2(2).setText(QStringLiteral("円,大"));
        script().expectSaveFile(sitePath(QStringLiteral("other.jkn")), QStringLiteral("定義ファイル登録"));
        click(p.Command3);
    });
    EXPECT_FALSE(pointcatForm().isLoaded());
    const QStringList other = fileLines(sitePath(QStringLiteral("other.jkn")));
    ASSERT_EQ(other.size(), 18);
    EXPECT_EQ(other[1], QStringLiteral("2,,12,円_大")) << "a comma in a label is written as _";
    EXPECT_EQ(fileLines(sitePath(QStringLiteral("POINT.JKN"))), other);
    EXPECT_EQ(w.Label24(2).Caption(), QStringLiteral("円_大"));
}

TEST_F(CatalogueEditors, RegisteringToTheSitesFileWritesItOnceAfterKeepingItsBackup)
{
    shownPlot();
    writeSymbolFile(QStringLiteral("POINT.JKN"), {"1,○,12,前"});
    runModal(pointcat(), [this](Pointcat& p) {
        EXPECT_EQ(p.Text2(1).Text(), QStringLiteral("前"));
        p.Text2(1).setText(QStringLiteral("後"));
        script().expectSaveFile(sitePath(QStringLiteral("POINT.JKN")));
        click(p.Command3);
    });
    EXPECT_EQ(fileLines(sitePath(QStringLiteral("POINT.JKNBAK.JKN"))), QStringList({"1,○,12,前"}));
    EXPECT_EQ(fileLines(sitePath(QStringLiteral("POINT.JKN"))).first(), QStringLiteral("1,○,12,後"));
}

TEST_F(CatalogueEditors, CancellingTheSaveKeepsTheEditsInTheTableAndWritesNothing)
{
    shownPlot();
    runModal(pointcat(), [this](Pointcat& p) {
        p.Text2(5).setText(QStringLiteral("杭"));
        p.Text1(5).setText(QString());
        script().expectSaveFile(std::nullopt);
        click(p.Command3);
        EXPECT_TRUE(pointcatForm().isLoaded());
        p.Hide();
    });
    EXPECT_EQ(SymbolLabel[5], QStringLiteral("杭"));
    EXPECT_EQ(SymbolChar[5], QStringLiteral(" ")) << "an empty mark registers a blank";
    EXPECT_FALSE(QFileInfo::exists(sitePath(QStringLiteral("POINT.JKN"))));
    pointcatForm().unload();
}

TEST_F(CatalogueEditors, ColourChosenThenClosedByTheCloseBoxStaysInTheTableOnly)
{
    Plot& w = shownPlot();
    writeSymbolFile(QStringLiteral("POINT.JKN"), {"4,●,12,"});
    const std::uint32_t before = w.Option13(4).ForeColor();
    runModal(pointcat(), [this](Pointcat& p) {
        script().expectModal([](platform::ModalWindow&) {
            Color& chooser = colorPicker();
            click(chooser.Option14(9));
            click(chooser.Command1);
        });
        click(p.Command1(4));
        EXPECT_EQ(p.Text1(4).ForeColor(), platform::QBColor(9));
        p.requestUnload(platform::UnloadMode::FormControlMenu);
    });
    EXPECT_EQ(SymbolColor[4], 9);
    EXPECT_EQ(w.Option13(4).ForeColor(), before);
    EXPECT_EQ(fileLines(sitePath(QStringLiteral("POINT.JKN"))), QStringList({"4,●,12,"}));
}

TEST_F(CatalogueEditors, LoadingAnotherSymbolFileFillsTheRows)
{
    shownPlot();
    writeSymbolFile(QStringLiteral("OTHER.JKN"), {"6,x,10,旧杭"});
    runModal(pointcat(), [this](Pointcat& p) {
        script().expectOpenFile(std::nullopt, QStringLiteral("定義ファイル 呼び出し"));
        click(p.Command2);
        EXPECT_NE(p.Text2(6).Text(), QStringLiteral("旧杭")) << "a cancelled dialog changes nothing";
        script().expectOpenFile(sitePath(QStringLiteral("OTHER.JKN")));
        click(p.Command2);
        EXPECT_EQ(p.Text1(6).Text(), QStringLiteral("ｘ"));
        EXPECT_EQ(p.Text2(6).Text(), QStringLiteral("旧杭"));
        EXPECT_EQ(p.Text1(6).ForeColor(), platform::QBColor(10));
        EXPECT_EQ(p.Command1(6).BackColor(), platform::QBColor(10));
        p.requestUnload(platform::UnloadMode::FormControlMenu);
    });
    EXPECT_FALSE(QFileInfo::exists(sitePath(QStringLiteral("POINT.JKN"))));
}

TEST_F(CatalogueEditors, EnterInThePageFieldShowsThePageAndSelectsTheField)
{
    shownPlot();
    runModal(textcat(), [](Textcat& t) {
        t.Show();
        QApplication::setActiveWindow(t.window());
        t.Text3.SetFocus();
        t.Text3.setText(QStringLiteral("２５"));
        QTest::keyClick(t.Text3.widget(), Qt::Key_Return);
        QCoreApplication::processEvents();
        EXPECT_EQ(t.PageStart, 25);
        EXPECT_EQ(t.Label1(1).Caption(), QStringLiteral("25"));
        EXPECT_EQ(t.Text3.SelText(), QStringLiteral(" 25"));
        t.Text3.setText(QStringLiteral("40"));
        doubleClick(t.Text3);
        EXPECT_EQ(t.PageStart, 40);
        t.Hide();
    });
    textcatForm().unload();
}

// ---- textcat -------------------------------------------------------------------------

TEST_F(CatalogueEditors, RegisteredPhraseFileHasItsFourThousandLinesAndReadsBack)
{
    shownPlot();
    runModal(textcat(), [this](Textcat& t) {
        t.Text1(1).setText(QStringLiteral("田"));
        t.Text2(1).setText(QStringLiteral("水田"));
        t.Text1(2).setText(QStringLiteral("宅,地"));
        t.Text2(2).setText(QStringLiteral("地番"));
        t.Text2(3).setText(QString(150, u'山'));
        t.Text2(8).setText(QStringLiteral("   "));
        t.Text2(9).setText(QStringLiteral("未登記"));
        EXPECT_FALSE(t.Text1(7).Visible());
        EXPECT_FALSE(t.Text2(7).Visible());
        EXPECT_FALSE(t.Text1(8).Visible());
        script().expectSaveFile(sitePath(QStringLiteral("mine.jkn")), QStringLiteral("定義ファイル 登録"));
        click(t.Command3);
    });
    const QByteArray bytes = fileBytes(sitePath(QStringLiteral("mine.jkn")));
    EXPECT_EQ(bytes.count("\r\n"), kPhraseTop);
    const QStringList lines = fileLines(sitePath(QStringLiteral("mine.jkn")));
    ASSERT_EQ(lines.size(), kPhraseTop);
    EXPECT_EQ(lines[0], QStringLiteral("田,水田"));
    EXPECT_EQ(lines[3], QStringLiteral(","));
    EXPECT_EQ(lines[6], QStringLiteral("他"));
    EXPECT_EQ(fileLines(sitePath(QStringLiteral("TEXT.JKN"))), lines);
    // Read back from the site's file at once.
    EXPECT_EQ(PhraseKey[2], QStringLiteral("宅"));
    EXPECT_EQ(PhraseText[2], QStringLiteral("地,地番"));
    EXPECT_EQ(PhraseText[3], QString(100, u'山'));
    EXPECT_EQ(PhraseText[8], QStringLiteral("   "));
    EXPECT_EQ(PhraseKey[7], QStringLiteral("他"));
}

TEST_F(CatalogueEditors, TheDefaultNameWritesTheSitesFileTwiceWithTheSameContent)
{
    shownPlot();
    runModal(textcat(), [this](Textcat& t) {
        t.Text2(10).setText(QStringLiteral("境界"));
        script().expectSaveFile(sitePath(QStringLiteral("TEXT.JKN")));
        click(t.Command3);
    });
    const QStringList lines = fileLines(sitePath(QStringLiteral("TEXT.JKN")));
    ASSERT_EQ(lines.size(), kPhraseTop);
    EXPECT_EQ(lines[9], QStringLiteral("境界"));
    EXPECT_EQ(QDir(SiteFolder).entryList({QStringLiteral("*.JKN")}, QDir::Files), QStringList({"TEXT.JKN"}));
}

TEST_F(CatalogueEditors, PageFieldAndPagingButtons)
{
    shownPlot();
    runModal(textcat(), [](Textcat& t) {
        const struct {
            const char16_t* typed;
            int page;
        } rows[] = {{u"０１０", 10}, {u"abc", 1}, {u"0", 1}, {u"5000", 3971}, {u"12.5", 12}, {u"13.5", 14}};
        for (const auto& row : rows) {
            t.Text3.setText(QString::fromUtf16(row.typed));
            t.Text3_LostFocus();
            EXPECT_EQ(t.PageStart, row.page);
            EXPECT_EQ(t.Text3.Text(), platform::Str(row.page));
            EXPECT_EQ(t.Label1(1).Caption(), QString::number(row.page));
        }
        t.Text3.setText(QStringLiteral("3961"));
        t.Text3_LostFocus();
        click(t.Command4);
        EXPECT_EQ(t.PageStart, 3971);
        EXPECT_EQ(t.Label1(30).Caption(), QStringLiteral("4000"));
        click(t.Command1);
        EXPECT_EQ(t.PageStart, 3941);
        t.Text3.setText(QStringLiteral("11"));
        t.Text3_LostFocus();
        click(t.Command1);
        EXPECT_EQ(t.PageStart, 1);
        EXPECT_EQ(t.Text3.Text(), QStringLiteral(" 1"));
        t.Hide();
    });
    textcatForm().unload();
}

TEST_F(CatalogueEditors, LoadingOnALaterPageReturnsToPageOneWithoutOverwritingEntries)
{
    shownPlot();
    {
        QFile file(sitePath(QStringLiteral("other.jkn")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QByteArray bytes = platform::toCp932(QStringLiteral("畑,畑地\r\n"));
        for (int line = 2; line <= 40; ++line)
            bytes += platform::toCp932(QStringLiteral("語%1\r\n").arg(line));
        file.write(bytes);
    }
    runModal(textcat(), [this](Textcat& t) {
        click(t.Command4);
        ASSERT_EQ(t.PageStart, 31);
        script().expectOpenFile(sitePath(QStringLiteral("other.jkn")), QStringLiteral("定義ファイル 呼び出し"));
        click(t.Command2);
        EXPECT_EQ(t.PageStart, 1);
        EXPECT_EQ(t.Text3.Text(), QStringLiteral("1"));
        EXPECT_EQ(t.Text1(1).Text(), QStringLiteral("畑"));
        EXPECT_EQ(t.Text2(1).Text(), QStringLiteral("畑地"));
        t.Hide();
    });
    EXPECT_EQ(PhraseText[31], QStringLiteral("語31")) << "page 31's fields did not overwrite the entries";
    EXPECT_EQ(PhraseText[1], QStringLiteral("畑地"));
    textcatForm().unload();
}

TEST_F(CatalogueEditors, CloseWithoutRegisteringReadsTheSitesFileBack)
{
    Plot& w = shownPlot();
    runModal(textcat(), [](Textcat& t) {
        t.Text2(1).setText(QStringLiteral("消える"));
        click(t.Command5);
    });
    EXPECT_TRUE(PhraseText[1].isEmpty());
    EXPECT_EQ(w.Option23(1).Caption(), QStringLiteral("田")) << "no file: the captions stay";
}

}  // namespace
}  // namespace tavelcor::uitest
