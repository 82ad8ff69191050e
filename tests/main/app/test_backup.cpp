// SPDX-License-Identifier: LicenseRef-Tavelcor
// The hourly backup: the tick's minute count, the day and hour folders with
// their copies and DAT files, the change marks, and failures.
#include "app_fixture.h"

#include "main/app/app_forms.h"
#include "main/app/backup.h"

#include <functional>

namespace tavelcor::apptest {
namespace {

const QString kBackupCaption = QStringLiteral("バックアップ");

class BackupTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
        chooseFile(site + QStringLiteral("/TAVELCOR.TVX"));
        window = &startProgram();
        ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    }

    // One tick of Timer2, as its interval elapsing fires it.
    void tick() { window->Timer2.Timer(); }

    // The backup window is shown (and runs the backup when it activates).
    void expectBackup() { script().expectModal({}, kBackupCaption); }

    QString hourFolder(int day, int hour) const
    {
        return site + QStringLiteral("/TVXBAK202401%1/%2").arg(day, 2, 10, QChar(u'0')).arg(hour);
    }

    QString site;
    Plot* window = nullptr;
};

TEST_F(BackupTest, BackupRunsAtTheConfiguredMinuteThenEveryInterval)
{
    ASSERT_EQ(BackupMinutes, 5);
    for (int minute = 1; minute <= 4; ++minute)
        tick();
    EXPECT_FALSE(QFileInfo::exists(hourFolder(5, 9)));
    EXPECT_EQ(plotRunState().BackupTicks, 4);

    expectBackup();
    tick();
    const QString hour = hourFolder(5, 9);
    ASSERT_TRUE(QFileInfo(hour).isDir());
    EXPECT_EQ(plotRunState().BackupTicks, 0);
    for (const char* name : {"TAVELCOR.TVX", "ZAHYO.SIM"})
        EXPECT_EQ(fileBytes(hour + u'/' + QString::fromUtf8(name)), fileBytes(site + u'/' + QString::fromUtf8(name)))
            << name;
    EXPECT_FALSE(QFileInfo::exists(hour + QStringLiteral("/POINT.JKN")));
    // the DAT files come from memory in the saved layouts
    EXPECT_EQ(fileLines(hour + QStringLiteral("/POINT.DAT")),
              QStringList({QStringLiteral("1,杭1,,1010.00,2010.00,2"), QStringLiteral("2,杭2,済,1015.00,2040.00,3")}));
    EXPECT_EQ(fileBytes(hour + QStringLiteral("/LINE.DAT")), fileBytes(site + QStringLiteral("/LINE.DAT")));
    EXPECT_EQ(fileBytes(hour + QStringLiteral("/TEGAKI.DAT")), fileBytes(site + QStringLiteral("/TEGAKI.DAT")));
    EXPECT_EQ(fileBytes(hour + QStringLiteral("/TEXT.DAT")), fileBytes(site + QStringLiteral("/TEXT.DAT")));
    EXPECT_EQ(PointChanged + LineChanged + TxtChanged + TegakiChanged, 0);
    EXPECT_FALSE(backupForm().isLoaded());

    for (int minute = 1; minute <= 4; ++minute)
        tick();
    expectBackup();
    tick();
    EXPECT_EQ(plotRunState().BackupTicks, 0);
}

TEST_F(BackupTest, SecondBackupOfAnHourRewritesOnlyMarkedTables)
{
    runBackup(*window, now);
    const QString hour = hourFolder(5, 9);
    const QByteArray oldZahyo = fileBytes(hour + QStringLiteral("/ZAHYO.SIM"));
    ASSERT_TRUE(writeLines(site + QStringLiteral("/ZAHYO.SIM"), {QStringLiteral("Z00,,")}));
    ASSERT_TRUE(writeLines(site + QStringLiteral("/POINT.JKN"), {QStringLiteral("1,a,0,x")}));

    PointName[1] = QStringLiteral("moved");
    LineColor[1] = 4;  // not marked: not written
    PointChanged = 1;
    now = now.addSecs(30 * 60);
    ASSERT_TRUE(runBackup(*window, now));
    EXPECT_EQ(fileBytes(hour + QStringLiteral("/ZAHYO.SIM")), oldZahyo);
    EXPECT_FALSE(QFileInfo::exists(hour + QStringLiteral("/POINT.JKN")));
    EXPECT_TRUE(fileLines(hour + QStringLiteral("/POINT.DAT")).first().contains(QStringLiteral("moved")));
    EXPECT_TRUE(fileLines(hour + QStringLiteral("/LINE.DAT")).first().startsWith(QStringLiteral("1,12,")));
}

TEST_F(BackupTest, NextHourAndNextDayStartNewFolders)
{
    ASSERT_TRUE(writeLines(site + QStringLiteral("/TEXT.JKN"), {QStringLiteral("田,田")}));
    ASSERT_TRUE(runBackup(*window, now));
    ASSERT_TRUE(runBackup(*window, now.addSecs(3600)));
    ASSERT_TRUE(runBackup(*window, QDateTime(QDate(2024, 1, 6), QTime(0, 5))));
    for (const QString& hour : {hourFolder(5, 9), hourFolder(5, 10), hourFolder(6, 0)}) {
        EXPECT_TRUE(QFileInfo::exists(hour + QStringLiteral("/POINT.DAT"))) << hour.toStdString();
        EXPECT_TRUE(QFileInfo::exists(hour + QStringLiteral("/TEXT.JKN"))) << hour.toStdString();
    }
}

TEST_F(BackupTest, OpenPanelKeepsItsTableMarked)
{
    window->Frame4.setVisible(true);
    window->Frame11.setVisible(true);
    ASSERT_TRUE(runBackup(*window, now));
    EXPECT_EQ(PointChanged, 1);
    EXPECT_EQ(TxtChanged, 1);
    EXPECT_EQ(LineChanged, 0);
    EXPECT_EQ(TegakiChanged, 0);
}

TEST_F(BackupTest, EmptyTableWritesNoFileAndStaysMarked)
{
    TxtCount = 0;
    ASSERT_TRUE(runBackup(*window, now));
    EXPECT_FALSE(QFileInfo::exists(hourFolder(5, 9) + QStringLiteral("/TEXT.DAT")));
    EXPECT_EQ(TxtChanged, 1);
    EXPECT_EQ(PointChanged, 0);
}

TEST_F(BackupTest, BackupPointFileHoldsEmptySlotsThatReadBackTheSame)
{
    PointCount = 4;
    PointName[4] = QStringLiteral("P4");
    PointMark[4] = 2;
    ASSERT_TRUE(runBackup(*window, now));
    const QStringList rows = fileLines(hourFolder(5, 9) + QStringLiteral("/POINT.DAT"));
    ASSERT_EQ(rows.size(), 4);
    EXPECT_TRUE(rows.at(2).startsWith(QStringLiteral("3,,,")));
    EXPECT_TRUE(rows.at(2).endsWith(QStringLiteral(",0")));
}

TEST_F(BackupTest, TickCountsOnlyWhileABackupIsDue)
{
    const struct {
        const char* name;
        std::function<void(Plot&)> set;
    } rows[] = {
        {"minimised", [](Plot& w) { w.setWindowState(platform::WindowState::Minimized); }},
        {"data unchanged", [](Plot&) { DataDirty = 0; }},
        {"no interval", [](Plot&) { BackupMinutes = 0; }},
        {"no site folder", [](Plot&) { SiteFolder.clear(); }},
    };
    for (const auto& row : rows) {
        const QString keptFolder = SiteFolder;
        row.set(*window);
        for (int minute = 0; minute < 6; ++minute)
            tick();
        EXPECT_EQ(plotRunState().BackupTicks, 0) << row.name;
        window->setWindowState(platform::WindowState::Normal);
        DataDirty = -1;
        BackupMinutes = 5;
        SiteFolder = keptFolder;
    }
    EXPECT_FALSE(QFileInfo::exists(site + QStringLiteral("/TVXBAK20240105")));
}

// A backup that fails part-way says so, keeps the count for the next tick,
// leaves no hour folder that looks complete and never touches the site's
// own files; the next tick builds the hour folder whole.
TEST_F(BackupTest, FailedBackupIsReportedAndTriedAgain)
{
    const QByteArray zahyo = fileBytes(site + QStringLiteral("/ZAHYO.SIM"));
    ASSERT_TRUE(QFile::remove(site + QStringLiteral("/ZAHYO.SIM")));
    const QByteArray points = fileBytes(site + QStringLiteral("/POINT.DAT"));
    BackupMinutes = 1;
    expectBackup();
    script().expectMessage(platform::MsgResult::Ok, QStringLiteral("timer2_timerでエラーがかかりました"));
    tick();
    EXPECT_EQ(plotRunState().BackupTicks, 1);
    EXPECT_FALSE(QFileInfo::exists(hourFolder(5, 9)));
    EXPECT_EQ(QDir(site + QStringLiteral("/TVXBAK20240105")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{})
        << "nothing half-built stays beside the hour folders";

    ASSERT_TRUE(writeBytes(site + QStringLiteral("/ZAHYO.SIM"), zahyo));
    expectBackup();
    tick();
    EXPECT_EQ(plotRunState().BackupTicks, 0);
    const QString hour = hourFolder(5, 9);
    for (const char* name : {"TAVELCOR.TVX", "ZAHYO.SIM"})
        EXPECT_EQ(fileBytes(hour + u'/' + QString::fromUtf8(name)), fileBytes(site + u'/' + QString::fromUtf8(name)))
            << name;
    EXPECT_TRUE(QFileInfo::exists(hour + QStringLiteral("/POINT.DAT")));
    EXPECT_EQ(fileBytes(site + QStringLiteral("/POINT.DAT")), points);
}

// Hour folders that an earlier backup left cut short (killed after the
// empty sign file, or before ZAHYO.SIM) get their copies and every table.
TEST_F(BackupTest, HourFolderLeftCutShortIsCompleted)
{
    const struct {
        const char* name;
        bool signFile;  // the empty sign file was written
        bool zahyo;     // ZAHYO.SIM was copied
    } rows[] = {
        {"empty folder", false, false},
        {"empty sign file only", true, false},
        {"empty sign file and ZAHYO.SIM", true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString hour = hourFolder(5, 9);
        ASSERT_TRUE(QDir(hour).removeRecursively());
        ASSERT_TRUE(QDir().mkpath(hour));
        if (row.signFile)
            ASSERT_TRUE(writeBytes(hour + QStringLiteral("/TAVELCOR.TVX"), {}));
        if (row.zahyo)
            ASSERT_TRUE(QFile::copy(site + QStringLiteral("/ZAHYO.SIM"), hour + QStringLiteral("/ZAHYO.SIM")));
        PointChanged = LineChanged = TxtChanged = TegakiChanged = 0;
        ASSERT_TRUE(runBackup(*window, now));
        for (const char* name : {"TAVELCOR.TVX", "ZAHYO.SIM", "LINE.DAT", "TEGAKI.DAT", "TEXT.DAT"})
            EXPECT_EQ(fileBytes(hour + u'/' + QString::fromUtf8(name)), fileBytes(site + u'/' + QString::fromUtf8(name)))
                << name;
        EXPECT_TRUE(QFileInfo::exists(hour + QStringLiteral("/POINT.DAT")));
    }
}

TEST_F(BackupTest, BackupWindowSitsAtTheMainWindowsTopRight)
{
    window->Move(1500.0, 900.0, 12000.0, 9000.0);
    double left = 0.0;
    double top = 0.0;
    BackupMinutes = 1;
    script().expectModal({}, kBackupCaption);
    // the window unloads itself; read its place while it activates
    Backup& form = backup();
    form.Activate = [&form, &left, &top] {
        Backup_Form_Activate(form);
        left = form.Left() + form.Width();
        top = form.Top();
    };
    tick();
    EXPECT_NEAR(left, 1500.0 + 12000.0 - 100.0, 15.0);
    EXPECT_NEAR(top, 900.0 + 100.0, 15.0);
}

TEST_F(BackupTest, FolderNamesFollowTheDateAndTheHour)
{
    SiteFolder = QStringLiteral("/s/");
    const QDateTime when(QDate(2024, 1, 5), QTime(9, 59, 59));
    EXPECT_EQ(backupDayFolder(when), QStringLiteral("/s/TVXBAK20240105"));
    EXPECT_EQ(backupHourFolder(when), QStringLiteral("/s/TVXBAK20240105/9"));
    EXPECT_EQ(backupHourFolder(QDateTime(QDate(2024, 12, 31), QTime(23, 0))),
              QStringLiteral("/s/TVXBAK20241231/23"));
}

}  // namespace
}  // namespace tavelcor::apptest
