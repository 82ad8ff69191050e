// SPDX-License-Identifier: LicenseRef-Tavelcor
// 再表示 driven through the main window's buttons: the resets of every call,
// the SIMA reload, append and merge from the clipboard with ZAHYO.SIM and
// the backup, the refusal of a text outside the tables, the release of
// every selection (解除) and the offer of the kept instrument station.
#include "survey_fixture.h"

#include "main/render/render_state.h"
#include "main/site/tables.h"

#include <QDir>

#include <cmath>

namespace tavelcor::surveytest {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString crlf(const QStringList& lines)
{
    return lines.join(kCrLf) + kCrLf;
}

// The site before the clipboard text comes: coordinates 1, 2 (far away), 5
// and 40, and parcel 1 over 5 and 40 in slots 1 and 2, selected.
class Redisplay : public SurveyTest {
protected:
    void SetUp() override
    {
        SurveyTest::SetUp();
        addCoordinate(5, QStringLiteral("OLD5"), 10.0, 10.0);
        addCoordinate(40, QStringLiteral("OLD40"), -10.0, 10.0);
        ZahyoH[5] = 2.5;
        KakuchiCount = 1;
        KakuchiName[1] = QStringLiteral("OLDLOT");
        KakuchiFirst[1] = 1;
        KakuchiVertex[1] = 5;
        KakuchiVertex[2] = 40;
        KakuchiLast[1] = 2;
        KakuchiSel[1] = 1;
    }

    // The tables as the site left them.
    static void expectSiteUnchanged()
    {
        EXPECT_EQ(ZahyoName[1], QStringLiteral("FAR1"));
        EXPECT_EQ(ZahyoName[5], QStringLiteral("OLD5"));
        EXPECT_EQ(ZahyoX[5], kOriginX + 10.0);
        EXPECT_EQ(ZahyoMax, 40);
        EXPECT_EQ(KakuchiCount, 1);
        EXPECT_EQ(KakuchiName[1], QStringLiteral("OLDLOT"));
        EXPECT_EQ(KakuchiLast[1], 2);
        EXPECT_EQ(KakuchiSel[1], 1);
    }

    static void expectMissingVertex(platform::ScriptedPrompter& s, const QString& parcel, const QString& number)
    {
        s.expectMessage(platform::MsgResult::Ok,
                        parcel + QStringLiteral("画地データに、座標ナンバー ") + number
                            + QStringLiteral(" を含んでいますが、座標データが有りませんので、このポイントを無視しました_?>"));
    }
};

TEST_F(Redisplay, TheReloadReplacesCoordinatesAndParcelsAndKeepsThePreviousText)
{
    KeptSima = QStringLiteral("OLD");
    const QString text = crlf({QStringLiteral("Z00,SIMA_RELOAD,"), QStringLiteral("A01,1,P1,100,200,0,"),
                               QStringLiteral("A01,2,P2,110,210,0,"), QStringLiteral("D00,1,LOT1,1,,"),
                               QStringLiteral("B01,1,P1,"), QStringLiteral("B01,9,P9,")});
    clipboard.setText(text);
    Plot& w = shownPlot();
    expectMissingVertex(script(), QStringLiteral("LOT1"), QStringLiteral("9"));
    press(w.Command6);
    EXPECT_EQ(zahyoSim(), QByteArray("OLD\r\n"));
    EXPECT_TRUE(script().records().back().title.isEmpty()) << "the message has no title";
    EXPECT_EQ(KeptSima, text);
    EXPECT_EQ(SiteMode, 1);
    EXPECT_EQ(ZahyoName[1], QStringLiteral("P1"));
    EXPECT_EQ(ZahyoX[1], 100.0);
    EXPECT_EQ(ZahyoPY[2], 210.0 - kOriginY);
    EXPECT_EQ(ZahyoName[5], QStringLiteral("_?>")) << "the old coordinates are gone";
    EXPECT_EQ(ZahyoX[5], 0.0);
    EXPECT_EQ(ZahyoH[5], 0.0) << "the old heights are gone too";
    ASSERT_EQ(KakuchiCount, 1);
    EXPECT_EQ(KakuchiName[1], QStringLiteral("LOT1"));
    EXPECT_EQ(KakuchiSel[1], 0);
    EXPECT_EQ(KakuchiFirst[1], 3) << "the vertex list goes on after the old slots";
    EXPECT_EQ(KakuchiLast[1], 3);
    EXPECT_EQ(KakuchiVertex[3], 1);
    EXPECT_TRUE(clipboard.text().isEmpty());
}

TEST_F(Redisplay, TheKeptTextIsWrittenInCp932OverTheOldFile)
{
    ASSERT_TRUE(writeFile(SiteFolder + QStringLiteral("zahyo.sim"), "A01,1,X,0,0,0,\r\n"));
    KeptSima = QStringLiteral("Z00,SIMA_RELOAD,\r\nA01,1,境界①,1,2,0,");
    clipboard.setText(QStringLiteral("Z00,SIMA_RELOAD,\r\nA01,1,K1,1,2,0,\r\n"));
    press(shownPlot().Command6);
    EXPECT_EQ(fileBytes(SiteFolder + QStringLiteral("zahyo.sim")), platform::toCp932(QStringLiteral(
                                                                        "Z00,SIMA_RELOAD,\r\nA01,1,境界①,1,2,0,\r\n")))
        << "the site's own file, found without regard to case";
    EXPECT_FALSE(QFile::exists(SiteFolder + QStringLiteral("ZAHYO.SIM")));
}

TEST_F(Redisplay, AnEmptyKeptTextWritesNoFile)
{
    clipboard.setText(QStringLiteral("Z00,SIMA_RELOAD,\r\nA01,1,K1,1,2,0,\r\n"));
    press(shownPlot().Command6);
    EXPECT_FALSE(QFile::exists(SiteFolder + QStringLiteral("ZAHYO.SIM")));
    EXPECT_EQ(ZahyoName[1], QStringLiteral("K1"));
    ASSERT_TRUE(writeFile(SiteFolder + QStringLiteral("ZAHYO.SIM"), "SITE\r\n"));
    KeptSima.clear();
    clipboard.setText(QStringLiteral("Z00,SIMA_RELOAD,\r\n"));
    press(plot().Command6);
    EXPECT_EQ(zahyoSim(), QByteArray("SITE\r\n"));
}

TEST_F(Redisplay, AReloadToFewerCoordinatesKeepsTheHighestNumber)
{
    clipboard.setText(QStringLiteral("Z00,SIMA_RELOAD,\r\nA01,1,A,1,1,0,\r\nA01,3,C,3,3,0,\r\n"));
    press(shownPlot().Command6);
    EXPECT_EQ(ZahyoMax, 40);
    EXPECT_EQ(ZahyoName[3], QStringLiteral("C"));
    EXPECT_EQ(ZahyoName[2], QStringLiteral("_?>"));
    EXPECT_EQ(ZahyoName[40], QStringLiteral("_?>")) << "numbers above the new data read as free";
}

TEST_F(Redisplay, WithBackupsOnTheBackupWindowBacksUpTheKeptText)
{
    ASSERT_TRUE(writeFile(SiteFolder + QStringLiteral("TAVELCOR.TVX"), "0,0,100,100\r\n"));
    BackupMinutes = 10;
    KeptSima = QStringLiteral("OLD");
    clipboard.setText(QStringLiteral("Z00,SIMA_RELOAD,\r\nA01,1,K1,1,2,0,\r\n"));
    Plot& w = shownPlot();
    script().expectModal(nullptr, QStringLiteral("バックアップ"));
    press(w.Command6);
    EXPECT_EQ(fileBytes(SiteFolder + QStringLiteral("TVXBAK20240506/10/ZAHYO.SIM")), QByteArray("OLD\r\n"))
        << "the backup holds the text kept before the reload";
    EXPECT_EQ(ZahyoName[1], QStringLiteral("K1"));
}

TEST_F(Redisplay, TheBackupComesAfterTheKeptTextIsWrittenAndBeforeTheTablesAreCleared)
{
    BackupMinutes = 1;
    KeptSima = QStringLiteral("OLD");
    const QString text = QStringLiteral("Z00,SIMA_RELOAD,\r\nA01,1,K1,1,2,0,\r\n");
    clipboard.setText(text);
    Plot& w = shownPlot();
    int backups = 0;
    surveyServices().showBackupWindow = [&backups, &text] {
        ++backups;
        EXPECT_EQ(zahyoSim(), QByteArray("OLD\r\n")) << "written first";
        EXPECT_EQ(KeptSima, text);
        EXPECT_EQ(ZahyoName[5], QStringLiteral("OLD5")) << "not cleared yet";
    };
    press(w.Command6);
    EXPECT_EQ(backups, 1);
    BackupMinutes = 0;
    clipboard.setText(text);
    press(w.Command6);
    EXPECT_EQ(backups, 1) << "no backup while backups are off";
    clipboard.setText(QStringLiteral("Z00,SIMA_TUIKA,\r\n"));
    BackupMinutes = 1;
    press(w.Command6);
    EXPECT_EQ(backups, 1) << "only a reload backs up";
}

TEST_F(Redisplay, AppendAddsAndSelectsTheNewParcels)
{
    KeptSima = QStringLiteral("OLD");
    clipboard.setText(crlf({QStringLiteral("Z00,SIMA_TUIKA,"), QStringLiteral("A01,7,K7,1,2,0,"),
                            QStringLiteral("D00,1,NEW,1,,"), QStringLiteral("B01,7,K7,"), QStringLiteral("B01,5,OLD5,")}));
    press(shownPlot().Command6);
    EXPECT_EQ(ZahyoName[5], QStringLiteral("OLD5"));
    EXPECT_EQ(ZahyoName[7], QStringLiteral("K7"));
    ASSERT_EQ(KakuchiCount, 2);
    EXPECT_EQ(KakuchiSel[1], 1);
    EXPECT_EQ(KakuchiSel[2], 1);
    EXPECT_EQ(KakuchiFirst[2], 3);
    EXPECT_EQ(KakuchiLast[2], 4);
    EXPECT_EQ(KakuchiVertex[4], 5);
    EXPECT_EQ(KeptSima, QStringLiteral("OLD")) << "only a reload keeps the text";
    EXPECT_EQ(SiteMode, 0);
    EXPECT_TRUE(zahyoSim().isEmpty());
    EXPECT_TRUE(clipboard.text().isEmpty());
}

TEST_F(Redisplay, PlainTextWithCoordinatesIsMergedWithoutClearing)
{
    clipboard.setText(QStringLiteral("A01,7,K7,10001,20002,5,\r\nA01,5,NEW5,1,2,3,\r\n"));
    press(shownPlot().Command6);
    EXPECT_EQ(ZahyoName[1], QStringLiteral("FAR1"));
    EXPECT_EQ(ZahyoName[40], QStringLiteral("OLD40"));
    EXPECT_EQ(ZahyoName[5], QStringLiteral("NEW5")) << "a repeated number is overwritten";
    EXPECT_EQ(ZahyoPX[7], 1.0);
    EXPECT_EQ(ZahyoPY[7], 2.0);
    EXPECT_EQ(KakuchiCount, 1);
    EXPECT_EQ(KakuchiSel[1], 1);
    EXPECT_TRUE(clipboard.text().isEmpty());
}

TEST_F(Redisplay, AParcelWithoutVerticesEndsBeforeItStarts)
{
    clipboard.setText(QStringLiteral("D00,2,EMPTY,1,,\r\n"));
    press(shownPlot().Command6);
    ASSERT_EQ(KakuchiCount, 2);
    EXPECT_EQ(KakuchiFirst[2], 3);
    EXPECT_EQ(KakuchiLast[2], KakuchiFirst[2] - 1);
}

TEST_F(Redisplay, ATextOutsideTheTablesIsRefusedWholeBeforeAnythingChanges)
{
    const struct {
        const char* name;
        const char16_t* record;
        const char16_t* text;
    } rows[] = {
        {"number_500001", u"A01,500001", u"Z00,SIMA_RELOAD,\r\nA01,1,P1,1,2,0,\r\nA01,500001,P9,1,2,0,\r\n"},
        {"number_0", u"A01,0", u"Z00,SIMA_RELOAD,\r\nA01,1,P1,1,2,0,\r\nA01,0,P0,1,2,0,\r\n"},
        {"vertex_0", u"B01,0", u"Z00,SIMA_TUIKA,\r\nD00,1,L,1,,\r\nB01,0,X,\r\n"},
        {"plain", u"A01,500001", u"A01,7,K7,1,2,0,\r\nA01,500001,P,1,2,0,\r\n"},
    };
    ASSERT_TRUE(writeFile(SiteFolder + QStringLiteral("ZAHYO.SIM"), "SITE\r\n"));
    Plot& w = shownPlot();
    for (const auto& row : rows) {
        KeptSima = QStringLiteral("OLD");
        clipboard.setText(QString::fromUtf16(row.text));
        script().expectMessage(platform::MsgResult::Ok);
        press(w.Command6);
        ASSERT_FALSE(script().records().empty());
        EXPECT_TRUE(script().records().back().text.contains(QStringLiteral("「") + QString::fromUtf16(row.record)
                                                           + QStringLiteral("」")))
            << row.name << ": " << script().records().back().text.toStdString();
        expectSiteUnchanged();
        EXPECT_EQ(ZahyoName[7], QStringLiteral("_?>")) << row.name;
        EXPECT_EQ(zahyoSim(), QByteArray("SITE\r\n")) << row.name;
        EXPECT_EQ(KeptSima, QStringLiteral("OLD")) << row.name;
        EXPECT_EQ(SiteMode, 0) << row.name;
        EXPECT_TRUE(clipboard.text().isEmpty()) << row.name << ": taken once, as every SIMA text";
    }
}

TEST_F(Redisplay, TheVertexSlotsRunOutAfterTheLastSlot)
{
    KakuchiLast[1] = 600000;
    clipboard.setText(QStringLiteral("Z00,SIMA_TUIKA,\r\nD00,1,L,1,,\r\nB01,5,OLD5,\r\n"));
    script().expectMessage(platform::MsgResult::Ok);
    press(shownPlot().Command6);
    EXPECT_TRUE(script().records().back().text.contains(QStringLiteral("「B01,5」")));
    EXPECT_EQ(KakuchiCount, 1);
}

TEST_F(Redisplay, AReloadWhoseKeptTextCannotBeWrittenChangesNothing)
{
    // A folder where the file should be: the kept text cannot go there.
    ASSERT_TRUE(QDir().mkpath(SiteFolder + QStringLiteral("ZAHYO.SIM")));
    KeptSima = QStringLiteral("OLD");
    const QString text = QStringLiteral("Z00,SIMA_RELOAD,\r\nA01,1,P1,1,2,0,\r\n");
    clipboard.setText(text);
    script().expectMessage(platform::MsgResult::Ok);
    press(shownPlot().Command6);
    EXPECT_TRUE(script().records().back().text.contains(QStringLiteral("ZAHYO.SIM に書き込めませんでした")));
    expectSiteUnchanged();
    EXPECT_EQ(KeptSima, QStringLiteral("OLD"));
    EXPECT_EQ(SiteMode, 0);
    EXPECT_EQ(clipboard.text(), text) << "the reload can be tried again";
}

TEST_F(Redisplay, EveryCallResetsThePicksAndTheSearchMark)
{
    Plot& w = shownPlot();
    TileDlMode = 1;
    SearchHit = 5;
    CalcStep = 3;
    CalcPick1 = 5;
    CalcPick2 = 40;
    CalcPick3 = 1;
    CalcPickCount = 3;
    CalcPickA = 7;
    CalcPickB = 8;
    CalcPickName = QStringLiteral("K");
    for (int i = 1; i <= 51; ++i)
        CalcPickList[i] = 9;
    w.Command6.setDefault(true);
    press(w.Command6);
    EXPECT_EQ(TileDlMode, 0);
    EXPECT_EQ(SearchHit, 0);
    EXPECT_EQ(CalcStep, 0);
    EXPECT_EQ(CalcPick1 + CalcPick2 + CalcPick3 + CalcPickCount + CalcPickA + CalcPickB, 0);
    EXPECT_TRUE(CalcPickName.isEmpty());
    EXPECT_EQ(CalcPickList[1], 0);
    EXPECT_EQ(CalcPickList[50], 0);
    EXPECT_EQ(CalcPickList[51], 9) << "entries 1 to 50 only";
    EXPECT_FALSE(w.Command6.Default()) << "再表示 is no longer the default button";
    EXPECT_EQ(KakuchiSel[1], 1) << "selections stay without 解除";
    expectSiteUnchanged();
}

TEST_F(Redisplay, TheRedrawCountsTheViewAfresh)
{
    Plot& w = shownPlot();
    // A count kept for the current extent rules the next redraw unless the
    // redisplay makes it count again.
    render::RenderState& st = render::renderState();
    st.CoordCountSpan = ViewSpanX;
    st.CoordCountKept = 123456;
    press(w.Command6);
    EXPECT_NE(st.CoordCountKept, 123456);
    EXPECT_EQ(st.CoordCountSpan, ViewSpanX);
}

TEST_F(Redisplay, ReleaseClearsEverySelectionOnce)
{
    TxtSel[5] = 1;
    TxtSel[30000] = 1;
    Plot& w = shownPlot();
    press(w.Command6);
    EXPECT_EQ(KakuchiSel[1], 1);
    EXPECT_EQ(TxtSel[5], 1);
    press(w.Command86);
    EXPECT_EQ(KakuchiSel[1], 0);
    EXPECT_EQ(TxtSel[5], 0);
    EXPECT_EQ(TxtSel[30000], 0);
    EXPECT_EQ(SelClearPending, 0);
    KakuchiSel[1] = 1;
    press(w.Command6);
    EXPECT_EQ(KakuchiSel[1], 1) << "the release was for that call only";
}

TEST_F(Redisplay, TheCompactPanelsButtonRunsItToo)
{
    Plot& w = shownPlot();
    click(w.Command66);  // the compact layout
    ASSERT_TRUE(w.Frame15.Visible());
    clipboard.setText(QStringLiteral("A01,7,K7,1,2,0,\r\n"));
    press(w.Command81);
    EXPECT_EQ(ZahyoName[7], QStringLiteral("K7"));
    EXPECT_TRUE(clipboard.text().isEmpty());
}

// ------------------------------------------------------- the station offer

class StationOffer : public Redisplay {
protected:
    void SetUp() override
    {
        Redisplay::SetUp();
        addCoordinate(3, QStringLiteral("ST"), 0.0, 0.0);
        addCoordinate(4, QStringLiteral("BK"), 30.0, 40.0);
        KeepStation = QStringLiteral("1");
        StationNo = 3.0F;
        BackNo = 4.0F;
        clipboard.setText(QStringLiteral("copied elsewhere"));
        Plot& w = shownPlot();
        w.Option1.setValue(true);
        w.Check1.setValue(1);
        w.Check2.setValue(1);
    }

    static QString stationLine() { return QStringLiteral("    3 ST             X=  10000.000 Y=  20000.000"); }
    static QString backLine() { return QStringLiteral("    4 BK             X=  10030.000 Y=  20040.000"); }
    static QString question()
    {
        return QStringLiteral("機械点") + stationLine() + kCrLf + QStringLiteral("バック点") + backLine() + kCrLf
               + QStringLiteral("に設定しますか");
    }
};

TEST_F(StationOffer, YesSetsTheStationUpAndReportsIt)
{
    script().expectMessage(platform::MsgResult::Yes, question());
    press(plot().Command6);
    EXPECT_EQ(script().records().back().buttons, platform::MsgButtons::YesNo);
    ASSERT_TRUE(stdispForm().isLoaded());
    EXPECT_EQ(stdisp().ResultText, QStringLiteral("TAVELCOR 放射状逆計算") + kCrLf + QStringLiteral("機械点 ")
                                       + stationLine() + kCrLf + QStringLiteral("バック ") + backLine()
                                       + QStringLiteral(" S=    50.000") + kCrLf);
    EXPECT_TRUE(MsgText.isEmpty()) << "the report window took the lines";
    EXPECT_NEAR(BaseAzimuth, std::atan2(40.0, 30.0) * 180.0 / M_PI, 1e-9);
    EXPECT_EQ(CalcPick1, 3);
    EXPECT_EQ(CalcPick2, 4);
    EXPECT_EQ(CalcPickCount, 2);
    EXPECT_EQ(CalcPickList[1], 4);
    EXPECT_EQ(CalcPickList[2], 3);
    EXPECT_EQ(CalcStep, 2);
    EXPECT_EQ(clipboard.text(), QStringLiteral("copied elsewhere"));
    EXPECT_GT(countColor(platform::QBColor(9)), 0) << "station and back-sight marked in blue";
    EXPECT_EQ(colorAt(15.0, 20.0), platform::QBColor(13)) << "the line between them";
}

TEST_F(StationOffer, NoClearsThePicks)
{
    script().expectMessage(platform::MsgResult::No, question());
    press(plot().Command6);
    EXPECT_EQ(CalcPick1 + CalcPick2 + CalcPick3 + CalcPickCount + CalcStep, 0);
    EXPECT_FALSE(stdispForm().isLoaded());
    EXPECT_EQ(clipboard.text(), QStringLiteral("copied elsewhere"));
    EXPECT_EQ(countColor(platform::QBColor(9)), 0) << "redrawn without the marks";
    EXPECT_NE(colorAt(15.0, 20.0), platform::QBColor(13));
}

TEST_F(StationOffer, IsNotMadeWithoutEveryCondition)
{
    const struct {
        const char* name;
        float station;
        float back;
        const char16_t* keep;
        bool radial;
        const char16_t* text;
    } rows[] = {
        {"station_0", 0.0F, 4.0F, u"1", true, u"x"},
        {"back_0", 3.0F, 0.0F, u"1", true, u"x"},
        {"not_kept", 3.0F, 4.0F, u"0", true, u"x"},
        {"other_mode", 3.0F, 4.0F, u"1", false, u"x"},
        {"workbook_text", 3.0F, 4.0F, u"1", true, u"Z00,SIMA_"},
        {"station_beyond_the_table", 700000.0F, 4.0F, u"1", true, u"x"},
    };
    Plot& w = plot();
    for (const auto& row : rows) {
        StationNo = row.station;
        BackNo = row.back;
        KeepStation = QString::fromUtf16(row.keep);
        (row.radial ? w.Option1 : w.Option2).setValue(true);
        clipboard.setText(QString::fromUtf16(row.text));
        press(w.Command6);
        EXPECT_TRUE(script().records().empty()) << row.name << ": nothing asked";
        EXPECT_TRUE(clipboard.text().isEmpty()) << row.name << ": the SIMA path empties the clipboard";
        EXPECT_EQ(CalcPick1, 0) << row.name;
    }
}

}  // namespace
}  // namespace tavelcor::surveytest
