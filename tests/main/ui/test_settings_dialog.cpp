// SPDX-License-Identifier: LicenseRef-Tavelcor
// The settings dialog driven through its controls: what each field accepts,
// what acts at once, the steppers, the opener's GPS poll, and the work
// folder's commands. Settings are checked in memory and in tavelcor.jkn as
// the settings reader takes it back.

#include "dialogs_fixture.h"

#include "main/site/tables.h"
#include "main/ui/settings_rules.h"

namespace tavelcor::uitest {
namespace {

// ---- the accept rules, as data -------------------------------------------------

struct WholeRow {
    const char* text;
    std::optional<int> stored;
};

TEST(SettingsRules, HitRadiusAndFontSizeTakeTheNearestWholeNumberInsideTheirRange)
{
    const WholeRow hit[] = {{"0.3", 0}, {"0", std::nullopt}, {"10", 10}, {"30.6", 31}, {"31", std::nullopt},
                            {"abc", std::nullopt}, {" 2.5", 2}, {"3.5", 4}};
    for (const WholeRow& row : hit) {
        const auto value = hitRadiusFromText(QString::fromUtf8(row.text));
        EXPECT_EQ(value ? std::optional<int>(*value) : std::nullopt, row.stored) << row.text;
    }
    const WholeRow font[] = {{"7", std::nullopt}, {"7.1", 7}, {"30.6", 31}, {"31", std::nullopt}};
    for (const WholeRow& row : font) {
        const auto value = fontSizeFromText(QString::fromUtf8(row.text));
        EXPECT_EQ(value ? std::optional<int>(*value) : std::nullopt, row.stored) << row.text;
    }
}

// A negative or zero limit would hide every label and drop KML folders; a
// value beyond 32 bits would wrap.
TEST(SettingsRules, DisplayLimitsAreWholeNumbersFromOneUpToTheLargest32BitValue)
{
    const WholeRow rows[] = {{"-5", std::nullopt},         {"0", std::nullopt},         {"0.4", std::nullopt},
                             {"1", 1},                     {"2500.5", 2500},            {"2147483647", 2147483647},
                             {"3000000000", std::nullopt}, {"", std::nullopt}};
    for (const WholeRow& row : rows) {
        const auto value = displayLimitFromText(QString::fromUtf8(row.text));
        EXPECT_EQ(value ? std::optional<int>(*value) : std::nullopt, row.stored) << row.text;
    }
}

// A value under 1 is no zone even when it rounds to 1; above, the zone is
// the whole number the value rounds to (halves to even).
TEST(SettingsRules, ZoneField)
{
    const struct {
        const char* text;
        int zone;
        bool reset;
    } rows[] = {
        {"0", 6, true},    {"0.7", 6, true},   {"0.5", 6, true},   {"0.99", 6, true},  {"-1", 6, true},
        {"", 6, true},     {"abc", 6, true},   {"1", 1, false},    {"1.4", 1, false},  {"9", 9, false},
        {"19", 19, false}, {"19.4", 19, false}, {"19.5", 6, true}, {"20", 6, true},    {"2.5", 2, false},
    };
    for (const auto& row : rows) {
        const ZoneEntry entry = zoneFromText(QString::fromUtf8(row.text));
        EXPECT_EQ(entry.zone, row.zone) << row.text;
        EXPECT_EQ(entry.resetText, row.reset) << row.text;
    }
}

TEST(SettingsRules, ScreensBackupAndLayout)
{
    for (const char* text : {"0", "100", "", "-3"})
        EXPECT_EQ(tileScreensFromText(QString::fromUtf8(text)), 5) << text;
    EXPECT_EQ(tileScreensFromText(QStringLiteral("12.5")), 12);
    EXPECT_EQ(backupMinutesFromText(QStringLiteral("0")), std::optional<std::uint8_t>(0));
    EXPECT_FALSE(backupMinutesFromText(QStringLiteral("120")));
    EXPECT_FALSE(backupMinutesFromText(QStringLiteral("99")));
    EXPECT_FALSE(windowLayoutFromText(QStringLiteral("4")));
    EXPECT_FLOAT_EQ(*windowLayoutFromText(QStringLiteral("2.5")), 2.5F);
}

TEST(SettingsRules, PhrasePageField)
{
    const struct {
        const char16_t* text;
        int page;
    } rows[] = {{u"０１０", 10}, {u"abc", 1}, {u"0", 1}, {u"5000", 3971}, {u"12.5", 12}, {u"13.5", 14},
                {u"3970.6", 3971}};
    for (const auto& row : rows)
        EXPECT_EQ(phrasePageFromText(QString::fromUtf16(row.text)), row.page) << QString::fromUtf16(row.text).toStdString();
    EXPECT_EQ(nextPhrasePage(3961), 3971);
    EXPECT_EQ(previousPhrasePage(3971), 3941);
    EXPECT_EQ(previousPhrasePage(11), 1);
    EXPECT_EQ(nextPhrasePage(1), 31);
}

// ---- the dialog ----------------------------------------------------------------

using SettingsDialog = DialogsTest;

TEST_F(SettingsDialog, OkStoresWhatEachFieldAcceptsAndSavesIt)
{
    Plot& w = shownPlot();
    HitRadius = 10;
    PointLimit = 1000;
    TxtLimit = 500;
    withSettings(w, [](Jyouken& j) {
        j.Text1.setText(QStringLiteral("0.3"));
        j.Text2.setText(QStringLiteral("30.6"));
        j.Text3.setText(QStringLiteral("2.5"));
        j.Text7.setText(QStringLiteral("120"));
        j.Text8.setText(QStringLiteral("20"));
        j.Text12.setText(QStringLiteral("-5"));
        j.Text13.setText(QStringLiteral("3000000000"));
        click(j.Command1);
    });
    EXPECT_FALSE(jyoukenForm().isLoaded());
    EXPECT_EQ(HitRadius, 0);
    EXPECT_EQ(FontSize, 31);
    EXPECT_FLOAT_EQ(WindowLayout, 2.5F);
    EXPECT_EQ(BackupMinutes, 5) << "120 is refused: the value the dialog loaded stays";
    EXPECT_EQ(ZoneNo, 6);
    EXPECT_EQ(PointLimit, 1000);
    EXPECT_EQ(TxtLimit, 500);

    // The file, read back by the settings reader.
    HitRadius = 22;
    FontSize = 12;
    ZoneNo = 9;
    BackupMinutes = 1;
    ASSERT_EQ(LoadSettings().outcome, ReadOutcome::Ok);
    EXPECT_EQ(HitRadius, 22) << "a radius of 0 is not read back";
    EXPECT_EQ(BackupMinutes, 5);
    EXPECT_EQ(ZoneNo, 6);
    EXPECT_EQ(PointLimit, 1000);
    EXPECT_FLOAT_EQ(WindowLayout, 2.5F);
}

TEST_F(SettingsDialog, RefusedValuesKeepTheOldOnesAndAcceptedEdgesAreTaken)
{
    Plot& w = shownPlot();
    FontSize = 12;
    BackupMinutes = 5;
    WindowLayout = 1.0F;
    withSettings(w, [](Jyouken& j) {
        j.Text2.setText(QStringLiteral("31"));
        j.Text3.setText(QStringLiteral("4"));
        j.Text7.setText(QStringLiteral("0"));
        j.Text8.setText(QStringLiteral("19.4"));
        j.Text12.setText(QStringLiteral("2147483647"));
        click(j.Command1);
    });
    EXPECT_EQ(FontSize, 12);
    EXPECT_EQ(BackupMinutes, 0) << "0 means no backup";
    EXPECT_EQ(ZoneNo, 19);
    EXPECT_EQ(PointLimit, 2147483647);
}

TEST_F(SettingsDialog, ZoneFieldOutsideOneToNineteenShowsSix)
{
    Plot& w = shownPlot();
    ZoneNo = 9;
    withSettings(w, [](Jyouken& j) {
        j.Text8.setText(QStringLiteral("0"));
        click(j.Command1);
    });
    EXPECT_EQ(ZoneNo, 6);
    QString reopened;
    withSettings(w, [&reopened](Jyouken& j) {
        reopened = j.Text8.Text();
        click(j.Command2);
    });
    EXPECT_EQ(reopened, QStringLiteral("6"));
}

// A settings file that cannot be written (here a folder in its place) is
// said, naming the file; the dialog closes and the values stay in force for
// this run.
TEST_F(SettingsDialog, OkSaysWhenTheSettingsFileCannotBeWritten)
{
    Plot& w = shownPlot();
    const QString path = settingsFileToWrite();
    ASSERT_TRUE(QDir().mkpath(path));
    ZoneNo = 9;
    withSettings(w, [this](Jyouken& j) {
        j.Text8.setText(QStringLiteral("12"));
        script().expectMessage(platform::MsgResult::Ok);
        click(j.Command1);
    });
    EXPECT_FALSE(jyoukenForm().isLoaded());
    EXPECT_EQ(ZoneNo, 12);
    ASSERT_FALSE(script().records().empty());
    const QString said = script().records().back().text;
    EXPECT_TRUE(said.startsWith(QStringLiteral("保存に失敗しました\n") + path)) << qPrintable(said);
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(SettingsDialog, ScreensFieldActsAtOnceEvenWhenCancelled)
{
    Plot& w = shownPlot();
    for (const char* text : {"0", "100", ""}) {
        TileScreens = 12;
        std::uint8_t whileOpen = 0;
        withSettings(w, [&](Jyouken& j) {
            j.Text9.setText(QString::fromUtf8(text));
            whileOpen = TileScreens;
            click(j.Command2);
        });
        EXPECT_EQ(whileOpen, 5) << text;
        EXPECT_EQ(TileScreens, 5) << text;
    }
    EXPECT_FALSE(QFileInfo::exists(settingsFileToRead())) << "CANCEL saves nothing";
}

TEST_F(SettingsDialog, TextSplitActsAtOnceButReopeningShowsTheFilesValue)
{
    Plot& w = shownPlot();
    TxtSplit = -1;
    withSettings(w, [](Jyouken& j) { click(j.Command1); });  // the file says -1
    withSettings(w, [](Jyouken& j) {
        EXPECT_TRUE(j.Option10.Value());
        click(j.Option9);
        click(j.Command2);
    });
    EXPECT_EQ(TxtSplit, 0) << "kept in memory after CANCEL";
    bool reopenedSplit = false;
    withSettings(w, [&reopenedSplit](Jyouken& j) {
        reopenedSplit = j.Option10.Value();
        click(j.Command2);
    });
    EXPECT_TRUE(reopenedSplit);
    EXPECT_EQ(TxtSplit, -1);
}

TEST_F(SettingsDialog, DoubleClicksStepTheHitRadiusRoundToFive)
{
    Plot& w = shownPlot();
    HitRadius = 10;
    QStringList seen;
    withSettings(w, [&seen](Jyouken& j) {
        for (int i = 0; i < 5; ++i) {
            doubleClick(j.Text1);
            seen << j.Text1.Text();
        }
        click(j.Command2);
    });
    EXPECT_EQ(seen, QStringList({"15", "20", "25", "30", "5"}));
    EXPECT_EQ(HitRadius, 10) << "nothing stored before OK";
}

TEST_F(SettingsDialog, OpenerStopsTheGpsPollAndRestartsItOnlyWhileGpsIsOn)
{
    Plot& w = shownPlot();
    w.Timer1.setInterval(1000);
    w.Timer1.setEnabled(true);
    bool enabledWhileOpen = true;
    withSettings(w, [&](Jyouken& j) {
        enabledWhileOpen = w.Timer1.Enabled();
        click(j.Command2);
    });
    EXPECT_FALSE(enabledWhileOpen);
    EXPECT_FALSE(w.Timer1.Enabled()) << "GPS is off";

    w.Check5.setValue(1);
    w.Check7.setVisible(false);
    withSettings(w, [](Jyouken& j) { click(j.Command2); });
    EXPECT_TRUE(w.Timer1.Enabled());
    EXPECT_EQ(w.Timer1.Interval(), 500);
    EXPECT_TRUE(w.Check7.Visible());
    EXPECT_TRUE(w.Check11.Visible());
}

// Every choice of the dialog goes into its setting on OK and comes back from
// the file at the next opening.
TEST_F(SettingsDialog, ChoicesAreStoredSavedAndShownAgain)
{
    Plot& w = shownPlot();
    withSettings(w, [](Jyouken& j) {
        click(j.Option4);   // KeepStation しない
        click(j.Option1);   // DiagZoom す　る
        click(j.Option6);   // GpsWaitMsg 出　す
        click(j.Option7);   // SxfMarkMode 記号
        click(j.Option21);  // BackToAdd 削除のみ戻す
        click(j.Option20);  // WembraOff 使う
        click(j.Option15);  // CollectorSdl SDL
        click(j.Command9);  // every text line hidden
        click(j.Check1(2)); // ... but line 3
        click(j.Check10);   // no fill of the selected parcels
        click(j.Check5);    // KintabAuto
        click(j.Command1);
    });
    EXPECT_EQ(KeepStation, QStringLiteral("2"));
    EXPECT_EQ(DiagZoom, 1);
    EXPECT_EQ(GpsWaitMsg, 1);
    EXPECT_EQ(SxfMarkMode, 1);
    EXPECT_EQ(BackToAdd, 2);
    EXPECT_EQ(WembraOff, 0);
    EXPECT_TRUE(w.Timer3.Enabled()) << "the workbook link is used again";
    EXPECT_EQ(CollectorSdl, 1);
    EXPECT_EQ(TxtLineShow[1], 1);
    EXPECT_EQ(TxtLineShow[3], 0);
    EXPECT_EQ(TxtLineShow[10], 1);
    EXPECT_EQ(FillSelected, 9);
    EXPECT_EQ(KintabAuto, 1);

    withSettings(w, [](Jyouken& j) {
        EXPECT_TRUE(j.Option4.Value());
        EXPECT_TRUE(j.Option1.Value());
        EXPECT_TRUE(j.Option21.Value());
        EXPECT_TRUE(j.Option20.Value());
        EXPECT_TRUE(j.Option15.Value());
        EXPECT_EQ(j.Check1(0).Value(), 0);
        EXPECT_EQ(j.Check1(2).Value(), 1);
        EXPECT_EQ(j.Check10.Value(), 0);
        EXPECT_EQ(j.Check5.Value(), 1);
        click(j.Command2);
    });
}

// ---- the work folder -------------------------------------------------------------

TEST_F(SettingsDialog, ClearingTheWorkFolderMakesItAgainWithItsPicturesAndSettings)
{
    Plot& w = shownPlot();
    QFile tile(WorkFolder + QStringLiteral("/12_3_4.png"));
    ASSERT_TRUE(tile.open(QIODevice::WriteOnly));
    tile.close();
    TileCacheCount = 1;
    withSettings(w, [](Jyouken& j) {
        j.Text7.setText(QStringLiteral("9"));
        click(j.Command1);
    });  // tavelcor.jkn in the work folder
    ASSERT_TRUE(QFileInfo::exists(WorkFolder + QStringLiteral("/tavelcor.jkn")));
    bool openAfter = false;
    withSettings(w, [this, &openAfter](Jyouken& j) {
        script()
            .expectMessage(platform::MsgResult::Yes,
                           QStringLiteral("一時ファイルを消去する前に、現場を保存してください。消去しますか？"))
            .expectMessage(platform::MsgResult::Ok, QStringLiteral("一時保存ファイルを削除しました"));
        click(j.Command3);
        openAfter = jyoukenForm().isLoaded();
        click(j.Command2);
    });
    EXPECT_TRUE(openAfter);
    EXPECT_FALSE(QFileInfo::exists(tile.fileName()));
    EXPECT_TRUE(QFileInfo::exists(WorkFolder + QStringLiteral("/ELD.BMP")));
    EXPECT_TRUE(QFileInfo::exists(WorkFolder + QStringLiteral("/WHITE.BMP")));
    EXPECT_TRUE(QFileInfo::exists(WorkFolder + QStringLiteral("/tavelcor.jkn")));
    EXPECT_FALSE(QFileInfo::exists(WorkFolder + QStringLiteral("old")));
    EXPECT_EQ(TileCacheCount, 0);
    BackupMinutes = 1;
    LoadSettings();
    EXPECT_EQ(BackupMinutes, 9);
}

TEST_F(SettingsDialog, ALeftoverOldFolderStopsTheClearingAndTheDialogStaysOpen)
{
    Plot& w = shownPlot();
    ASSERT_TRUE(QDir().mkpath(WorkFolder + QStringLiteral("old")));
    TileCacheCount = 3;
    bool openAfter = false;
    withSettings(w, [this, &openAfter](Jyouken& j) {
        script()
            .expectMessage(platform::MsgResult::Yes)
            .expectMessage(platform::MsgResult::Ok, QStringLiteral("一時保存フォルダを削除できませんでした"));
        click(j.Command3);
        openAfter = jyoukenForm().isLoaded();
        click(j.Command2);
    });
    EXPECT_TRUE(openAfter);
    EXPECT_TRUE(QFileInfo(WorkFolder).isDir());
    EXPECT_EQ(TileCacheCount, 3);
}

TEST_F(SettingsDialog, NoToTheClearingQuestionKeepsEverything)
{
    Plot& w = shownPlot();
    QFile tile(WorkFolder + QStringLiteral("/keep.png"));
    ASSERT_TRUE(tile.open(QIODevice::WriteOnly));
    tile.close();
    withSettings(w, [this](Jyouken& j) {
        script().expectMessage(platform::MsgResult::No);
        click(j.Command3);
        click(j.Command2);
    });
    EXPECT_TRUE(QFileInfo::exists(tile.fileName()));
}

TEST_F(SettingsDialog, Ar2MakeInAnEmptyFolderWritesAnEmptyList)
{
    Plot& w = shownPlot();
    QFile old(WorkFolder + QStringLiteral("/Eld.AR2"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("gone.png\r\n");
    old.close();
    TileCacheCount = 4;
    withSettings(w, [this](Jyouken& j) {
        script().expectMessage(platform::MsgResult::Ok, QStringLiteral("地理院地図インデックスを再作成しました"));
        click(j.Command8);
        click(j.Command2);
    });
    EXPECT_EQ(TileCacheCount, 0) << "the old list itself is never listed";
    EXPECT_TRUE(QFileInfo::exists(old.fileName()));
    EXPECT_TRUE(fileBytes(old.fileName()).isEmpty());
}

TEST_F(SettingsDialog, Ar2MakeListsTheFilesButNotTheOldList)
{
    Plot& w = shownPlot();
    for (const char* name : {"Eld.AR2", "a.png", "b.jpg"}) {
        QFile file(WorkFolder + QLatin1Char('/') + QString::fromUtf8(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    withSettings(w, [this](Jyouken& j) {
        script().expectMessage(platform::MsgResult::Ok);
        click(j.Command8);
        click(j.Command2);
    });
    ASSERT_EQ(TileCacheCount, 2);
    QStringList listed = fileLines(WorkFolder + QStringLiteral("/Eld.AR2"));
    listed.sort();
    EXPECT_EQ(listed, QStringList({"a.png", "b.jpg"}));
}

TEST_F(SettingsDialog, KeypadButtonWithoutTheProgramSaysSo)
{
    Plot& w = shownPlot();
    withSettings(w, [this](Jyouken& j) {
        script().expectMessage(platform::MsgResult::Ok,
                               QStringLiteral("KIXTAB.EXEが見つかりません。手動で起動して下さい。"));
        click(j.Command7);
        click(j.Command2);
    });
    EXPECT_TRUE(starter.starts().empty());
}

}  // namespace
}  // namespace tavelcor::uitest
