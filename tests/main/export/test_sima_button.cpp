// SPDX-License-Identifier: LicenseRef-Tavelcor
// "ＳＩＭＡ登録" driven as a user does: the options dialog worked through its
// controls, the save dialog and the questions answered, the file read back.
#include "export_window_fixture.h"

#include <QDir>
#include <QFile>

namespace tavelcor::exporttest {
namespace {

using platform::MsgResult;

class SimaButtonTest : public ExportWindowTest {
protected:
    /// Chooses a target option, the renumbering and the start numbers, then
    /// "登録".
    static std::function<void(Simasave&)> choose(int target, bool renumber = false, const QString& zahyoStart = {},
                                                 const QString& kakuchiStart = {})
    {
        return [=](Simasave& f) {
            platform::OptionButton* options[] = {&f.Option1, &f.Option2, &f.Option3,
                                                 &f.Option4, &f.Option5, &f.Option6};
            click(*options[target - 1]);
            if (renumber && f.Check1.Value() == 0)
                click(f.Check1);
            if (!zahyoStart.isEmpty())
                f.Text2.setText(zahyoStart);
            if (!kakuchiStart.isEmpty())
                f.Text3.setText(kakuchiStart);
            click(f.Command2);
        };
    }

    static bool exists(const QString& file) { return QFile::exists(file); }
};

TEST_F(SimaButtonTest, SelectedParcelRenumberedFromTheStartNumbers)
{
    addCoordinate(40, QStringLiteral("K1"), 100.5, -200.25);
    ZahyoH[40] = 3.1;
    addCoordinate(41, QStringLiteral("K2"), 10.0, 10.0);
    addCoordinate(52, QStringLiteral("K3"), 20.0, 0.0);
    const int p = addParcel(QStringLiteral("12-1"), {40, 41, 52});
    KakuchiInfo[p] = QStringLiteral("字上ノ原");
    KakuchiSel[p] = 1;
    const QStringList lines = registerTo(choose(5, true, "101", "7"), MsgResult::No);
    EXPECT_EQ(lines, (QStringList{"Z00,,", "G00,01,", "A00,", "A01,101,K1,100.500,-200.250,3.100,",
                                  "A01,102,K2,10.000,10.000,0.000,", "A01,103,K3,20.000,0.000,0.000,", "A99,",
                                  "Z00,,", "D00,7,12-1,1,", "B01,101,K1,", "B01,102,K2,", "B01,103,K3,", "D99,",
                                  "Z00,,"}));
    EXPECT_EQ(SimaZahyoStart, 104);
    EXPECT_EQ(SimaKakuchiStart, 8);

    answerDialog([](Simasave& f) {
        EXPECT_EQ(f.Text2.Text(), " 104");
        EXPECT_EQ(f.Text3.Text(), " 8");
        EXPECT_TRUE(f.Option5.Value()) << "the target is kept";
        EXPECT_EQ(f.Check1.Value(), 1) << "the dialog was hidden, not unloaded";
        click(f.Command1);
    });
    registerSima();
    EXPECT_EQ(SimaZahyoStart, 104);
}

TEST_F(SimaButtonTest, TheLocationFollowsAYes)
{
    addCoordinate(1, QStringLiteral("A"), 0.0, 0.0);
    const int p = addParcel(QStringLiteral("5"), {1});
    KakuchiInfo[p] = QStringLiteral("字上,ノ原");
    const QStringList lines = registerTo(choose(1), MsgResult::Yes);
    EXPECT_TRUE(lines.contains("D00,1,5,1,字上_ノ原")) << lines.join(" | ").toStdString();
}

TEST_F(SimaButtonTest, CoordinatesOfTheViewSelectTheParcelsThatCrossIt)
{
    addCoordinate(1, QStringLiteral("in"), 10.0, 10.0);
    addCoordinate(2, QStringLiteral("far"), 500.0, 10.0);
    addCoordinate(3, QStringLiteral("far2"), 500.0, 500.0);
    const int crossing = addParcel(QStringLiteral("crossing"), {1, 2});
    const int away = addParcel(QStringLiteral("away"), {2, 3});
    const QStringList lines = registerTo(choose(2), std::nullopt);
    EXPECT_EQ(lines, (QStringList{"Z00,,", "G00,01,", "A00,", "A01,1,in,10.000,10.000,0.000,", "A99,", "Z00,,"}));
    EXPECT_EQ(KakuchiSel[crossing], 1);
    EXPECT_EQ(KakuchiSel[away], 0);
    EXPECT_GE(redraws, 1);
    EXPECT_EQ(selectedAtRedraw, std::vector<int>{crossing}) << "the redraw shows the selection";
}

TEST_F(SimaButtonTest, EverythingWithoutParcels)
{
    addCoordinate(1, QStringLiteral("A"), 1.0, 2.0);
    addCoordinate(2, QStringLiteral("B"), 3.0, 4.0);
    ZahyoH[2] = -1000.5;
    EXPECT_EQ(registerTo(choose(1), MsgResult::No),
              (QStringList{"Z00,,", "G00,01,", "A00,", "A01,1,A,1.000,2.000,0.000,",
                           "A01,2,B,3.000,4.000,-1000.500,", "A99,", "Z00,,", "Z00,,"}));
}

TEST_F(SimaButtonTest, AnOpenFigureHasTypeTwo)
{
    addCoordinate(1, QStringLiteral("A"), 0.0, 0.0);
    addCoordinate(2, QStringLiteral("B"), 1.0, 0.0);
    addParcel(QStringLiteral("type open"), {1, 2});
    EXPECT_TRUE(registerTo(choose(1), MsgResult::No).contains("D00,1,type open,2,"));
}

TEST_F(SimaButtonTest, TwoRegistrationsInARowContinueTheNumbers)
{
    std::vector<int> first;
    std::vector<int> second;
    for (int n = 1; n <= 150; ++n) {
        addCoordinate(n, QStringLiteral("K%1").arg(n), n * 0.5, 0.0);
        (n <= 120 ? first : second).push_back(n);
    }
    const int a = addParcel(QStringLiteral("A"), first);
    const int b = addParcel(QStringLiteral("B"), second);
    KakuchiSel[a] = 1;
    QStringList lines = registerTo(choose(5, true, "1", "1"), MsgResult::No);
    ASSERT_EQ(lines.size(), 3 + 120 + 2 + 1 + 120 + 1 + 1);
    EXPECT_TRUE(lines[3].startsWith("A01,1,K1,"));
    EXPECT_TRUE(lines[122].startsWith("A01,120,K120,"));
    EXPECT_EQ(lines[125], "D00,1,A,1,");

    KakuchiSel[a] = 0;
    KakuchiSel[b] = 1;
    lines = registerTo([](Simasave& f) { click(f.Command2); }, MsgResult::No, QStringLiteral("U.SIM"));
    ASSERT_EQ(lines.size(), 3 + 30 + 2 + 1 + 30 + 1 + 1);
    EXPECT_TRUE(lines[3].startsWith("A01,121,K121,"));
    EXPECT_TRUE(lines[32].startsWith("A01,150,K150,"));
    EXPECT_EQ(lines[35], "D00,2,B,1,");
    EXPECT_EQ(lines[36], "B01,121,K121,");
}

TEST_F(SimaButtonTest, TheDialogSetsTheRadiusAndTheStartNumbersBackInRange)
{
    addCoordinate(1, QStringLiteral("A"), 0.0, 0.0);
    addCoordinate(2, QStringLiteral("B"), 1.0, 0.0);
    for (const char* radius : {"0", "1000"}) {
        answerDialog([radius](Simasave& f) {
            f.Text1.setText(QString::fromLatin1(radius));
            click(f.Command2);
        });
        script().expectSaveFile(std::nullopt);
        registerSima();
        EXPECT_EQ(simasave().Text1.Text(), " 50") << radius;
    }
    answerDialog([](Simasave& f) {
        click(f.Check1);
        f.Text2.setText(QStringLiteral("500000"));
        EXPECT_EQ(f.Text2.Text(), " 400000");
        f.Text3.setText(QStringLiteral("abc"));
        EXPECT_EQ(f.Text3.Text(), "1");
        f.Text3.setText(QStringLiteral("40001"));
        EXPECT_EQ(f.Text3.Text(), " 40000");
        click(f.Command1);
    });
    script().expectMessage(MsgResult::Ok, QStringLiteral("登録開始番号が大きすぎます"));
    script().expectMessage(MsgResult::Ok, QStringLiteral("登録開始番号が大きすぎます"));
    registerSima();
    EXPECT_FALSE(exists(path(QStringLiteral("T.SIM"))));
}

TEST_F(SimaButtonTest, WithoutASelectionOnlyTheFirstFourTargetsAreOffered)
{
    addCoordinate(1, QStringLiteral("A"), 0.0, 0.0);
    addCoordinate(2, QStringLiteral("B"), 1.0, 0.0);
    addParcel(QStringLiteral("p"), {1, 2});
    SimaTarget = 5;
    answerDialog([](Simasave& f) {
        EXPECT_FALSE(f.Option5.Enabled());
        EXPECT_FALSE(f.Option6.Enabled());
        EXPECT_FALSE(f.Text1.Enabled());
        EXPECT_FALSE(f.Label1.Enabled());
        EXPECT_TRUE(f.Option4.Enabled());
        EXPECT_TRUE(f.Option1.Value()) << "a kept target 5 is shown as 全体";
        f.Option5.setValue(true);  // disabled, yet chosen from code
        click(f.Command2);
    });
    script().expectMessage(MsgResult::Ok, QStringLiteral("先に画地を選択してください"));
    registerSima();
    EXPECT_FALSE(exists(path(QStringLiteral("T.SIM"))));
}

TEST_F(SimaButtonTest, NearCoordinatesOfTheSelectedParcels)
{
    addCoordinate(1, QStringLiteral("V1"), 0.0, 0.0);
    addCoordinate(2, QStringLiteral("V2"), 10.0, 0.0);
    addCoordinate(3, QStringLiteral("at radius"), 0.0, 50.0);
    addCoordinate(4, QStringLiteral("inside"), 10.0, 49.0);
    addCoordinate(5, QStringLiteral("other vertex"), 0.0, 20.0);
    addCoordinate(6, QStringLiteral("other vertex 2"), 0.0, 21.0);
    addCoordinate(7, QStringLiteral("far"), 0.0, 300.0);
    const int selected = addParcel(QStringLiteral("S"), {1, 2});
    addParcel(QStringLiteral("O"), {5, 6, 7});
    KakuchiSel[selected] = 1;
    const QStringList lines = registerTo(choose(6), MsgResult::No);
    QStringList numbers;
    for (const QString& line : lines)
        if (line.startsWith("A01,"))
            numbers << line.section(u',', 1, 1);
    EXPECT_EQ(numbers, (QStringList{"1", "2", "4"}));
}

// The save dialog opens in the site folder, not the program's current
// folder; the dialog keeps no start folder for its other uses.
TEST_F(SimaButtonTest, TheSaveDialogOpensInTheSiteFolder)
{
    addCoordinate(1, QStringLiteral("A"), 0.0, 0.0);
    const QString site = path(QStringLiteral("genba"));
    ASSERT_TRUE(QDir().mkpath(site));
    SiteFolder = site + u'/';
    answerDialog(choose(1));
    script().expectSaveFile(std::nullopt);
    registerSima();
    EXPECT_EQ(script().records().back().kind, platform::PromptKind::SaveFile);
    EXPECT_EQ(script().records().back().initialFolder, site);
    EXPECT_EQ(shownPlot().CommonDialog1.InitDir(), QString());
}

TEST_F(SimaButtonTest, AnExistingFileIsReplacedOnlyAfterOk)
{
    addCoordinate(1, QStringLiteral("A"), 0.0, 0.0);
    const QString file = path(QStringLiteral("OLD.SIM"));
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
    }
    answerDialog(choose(1));
    script().expectSaveFile(file);
    script().expectMessage(MsgResult::Cancel, file + QStringLiteral(" は既存ファイルです。上書きしますか？"));
    registerSima();
    EXPECT_EQ(script().records().back().buttons, platform::MsgButtons::OkCancel);
    EXPECT_EQ(readCrLfLines(file).value_or(QStringList{}), QStringList{"old"});

    answerDialog(choose(1));
    script().expectSaveFile(file);
    script().expectMessage(MsgResult::Ok, file + QStringLiteral(" は既存ファイルです。上書きしますか？"));
    script().expectMessage(MsgResult::No, kLocationQuestion);
    registerSima();
    EXPECT_EQ(readCrLfLines(file).value_or(QStringList{}).value(3), "A01,1,A,0.000,0.000,0.000,");
}

TEST_F(SimaButtonTest, RenumberingPastTheLastNumberIsRefusedBeforeAnyFile)
{
    for (int n = 1; n <= 100002; ++n)
        ZahyoName[n] = QStringLiteral("K");
    ZahyoMax = 100002;
    answerDialog([](Simasave& f) {
        click(f.Check1);
        f.Text2.setText(QStringLiteral("499990"));
        click(f.Command2);
    });
    script().expectMessage(MsgResult::Ok, QStringLiteral("登録開始番号が大きすぎます"));
    script().expectMessage(MsgResult::Ok, renumberingTooLargeMessage());
    registerSima();
    EXPECT_EQ(SimaZahyoStart, 400000);
    EXPECT_TRUE(QDir(path(QString())).entryList({"*.SIM"}).isEmpty());
    EXPECT_TRUE(plotHasFocus());
}

TEST_F(SimaButtonTest, AFailedWriteIsReportedAndKeepsTheStartNumbers)
{
    addCoordinate(1, QStringLiteral("A"), 0.0, 0.0);
    addParcel(QStringLiteral("p"), {1});
    answerDialog(choose(1, true, "5", "6"));
    script().expectSaveFile(path(QStringLiteral("no such folder/T.SIM")));
    script().expectMessage(MsgResult::No, kLocationQuestion);
    script().expectMessage(MsgResult::Ok, QStringLiteral("保存に失敗しました"));
    registerSima();
    EXPECT_EQ(SimaZahyoStart, 5);
    EXPECT_EQ(SimaKakuchiStart, 6);
    EXPECT_TRUE(plotHasFocus());
}

TEST_F(SimaButtonTest, CancellingTheFileDialogKeepsTheSelection)
{
    addCoordinate(1, QStringLiteral("in"), 0.0, 0.0);
    addCoordinate(2, QStringLiteral("far"), 500.0, 0.0);
    const int p = addParcel(QStringLiteral("p"), {1, 2});
    answerDialog(choose(4));
    script().expectSaveFile(std::nullopt);
    registerSima();
    EXPECT_EQ(KakuchiSel[p], 1);
    EXPECT_TRUE(plotHasFocus());
}

TEST_F(SimaButtonTest, CancelAndTheCloseBox)
{
    addCoordinate(1, QStringLiteral("A"), 0.0, 0.0);
    addCoordinate(2, QStringLiteral("B"), 1.0, 0.0);
    answerDialog([](Simasave& f) { click(f.Command1); });
    registerSima();
    EXPECT_EQ(SimaCancel, 9);

    answerDialog([](Simasave& f) {
        click(f.Option3);
        click(f.Check1);
        f.Text1.setText(QStringLiteral("70"));
        f.Text2.setText(QStringLiteral("55"));
        platform::Unload(f);
    });
    registerSima();
    EXPECT_EQ(SimaCancel, 9);
    EXPECT_EQ(SimaTarget, 3);
    EXPECT_EQ(SimaCompress, 1);
    EXPECT_EQ(SimaZahyoStart, 55);

    answerDialog([](Simasave& f) {
        EXPECT_TRUE(f.Option3.Value());
        EXPECT_EQ(f.Check1.Value(), 0) << "loaded afresh";
        EXPECT_EQ(f.Text1.Text(), "50");
        EXPECT_EQ(f.Text2.Text(), " 55");
        EXPECT_FALSE(f.Text2.Enabled());
        click(f.Command1);
    });
    registerSima();
    EXPECT_TRUE(QDir(path(QString())).entryList({"*.SIM"}).isEmpty());
}

}  // namespace
}  // namespace tavelcor::exporttest
