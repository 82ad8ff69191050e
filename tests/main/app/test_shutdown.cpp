// SPDX-License-Identifier: LicenseRef-Tavelcor
// Closing the main window: the question, what a confirmed close cleans up
// and saves, and the resize handler's minimised window.
#include "app_fixture.h"
#include "local_http_server.h"

#include "geodesy/plane_rectangular.h"
#include "main/app/app_forms.h"
#include "main/app/backup.h"
#include "main/app/shutdown.h"
#include "main/background/background_drawing.h"
#include "main/background/gsi_tiles.h"
#include "main/background/web_services.h"
#include "main/render/window_plot_face.h"

#include <QBuffer>
#include <QEventLoop>
#include <QTimer>
#include <QImage>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <vector>

namespace tavelcor::apptest {
namespace {

const QString kQuit = QStringLiteral("プログラムを終了します。よろしいですか？");

// A stand-in for the calculation results window of the survey part: only
// its name matters here.
class ResultsWindow : public platform::Form {
public:
    ResultsWindow() : platform::Form(QStringLiteral("stdisp")) {}
};

platform::FormHolder<ResultsWindow>& resultsWindow()
{
    static platform::FormHolder<ResultsWindow> holder;
    return holder;
}

// Makes a file immutable for its lifetime (so that even the superuser cannot
// delete it); held() is false where the file system or the rights refuse.
class ImmutableFile {
public:
    explicit ImmutableFile(const QString& path) : mPath(path.toLocal8Bit()) { mHeld = setImmutable(true); }
    ~ImmutableFile()
    {
        if (mHeld)
            setImmutable(false);
    }
    ImmutableFile(const ImmutableFile&) = delete;
    ImmutableFile& operator=(const ImmutableFile&) = delete;
    bool held() const { return mHeld; }

private:
    bool setImmutable(bool on) const
    {
        const int fd = ::open(mPath.constData(), O_RDONLY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }

    QByteArray mPath;
    bool mHeld = false;
};

class ShutdownTest : public AppTest {
protected:
    Plot& openSite()
    {
        site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
        chooseFile(site + QStringLiteral("/TAVELCOR.TVX"));
        Plot& window = startProgram();
        EXPECT_EQ(startupEnd(), StartupEnd::Drawn);
        return window;
    }

    // A local raster copy as the background part leaves them.
    void makeRasterCopy() const
    {
        ASSERT_TRUE(writeLines(rasterCopyFolder() + QStringLiteral("/img.bmp"), {QStringLiteral("x")}));
        ASSERT_TRUE(QFile::setPermissions(rasterCopyFolder() + QStringLiteral("/img.bmp"), QFile::ReadOwner));
    }

    QString site;
};

TEST_F(ShutdownTest, CancelKeepsTheProgramTheSiteAndTheRasterCopies)
{
    Plot& window = openSite();
    makeRasterCopy();
    const QByteArray points = fileBytes(site + QStringLiteral("/POINT.DAT"));
    const QByteArray tiles = fileBytes(workFolder() + QStringLiteral("/Eld.AR2"));
    DataDirty = 0;
    script().expectMessage(platform::MsgResult::Cancel, kQuit);
    EXPECT_FALSE(platform::Unload(window));
    EXPECT_TRUE(plotForm().isLoaded());
    EXPECT_TRUE(window.Timer2.Enabled());
    EXPECT_TRUE(QFileInfo::exists(rasterCopyFolder() + QStringLiteral("/img.bmp")));
    EXPECT_EQ(fileBytes(site + QStringLiteral("/POINT.DAT")), points);
    EXPECT_EQ(fileBytes(workFolder() + QStringLiteral("/Eld.AR2")), tiles);
    EXPECT_EQ(DataDirty, 0);
    EXPECT_EQ(script().records().back().buttons, platform::MsgButtons::OkCancel);
}

TEST_F(ShutdownTest, ClosingASiteOffersTheSaveAndCleansUp)
{
    Plot& window = openSite();
    makeRasterCopy();
    plist();  // another window loaded: it goes with the main window
    window.Timer1.setEnabled(true);
    TileCacheCount = 2;
    TileCache[1] = QStringLiteral("a.png");
    TileCache[2] = QStringLiteral("b.png");
    PointName[1] = QStringLiteral("saved");
    // the GPS poll is stopped by the time the save command begins
    std::vector<bool> pollingAtSave;
    appServices().unloadBackgroundWindow = [&pollingAtSave, &window] {
        pollingAtSave.push_back(window.Timer1.Enabled());
    };
    script().expectMessage(platform::MsgResult::Ok, kQuit);
    script().expectSaveFile(site + QStringLiteral("/TAVELCOR.TVX"), QStringLiteral("TVX 現場登録"));
    script().expectMessage(platform::MsgResult::Yes, site + QStringLiteral("/TAVELCOR.TVX　に上書き保存しますか"));
    EXPECT_TRUE(platform::Unload(window));
    EXPECT_EQ(pollingAtSave, std::vector<bool>{false});
    EXPECT_FALSE(plotForm().isLoaded());
    EXPECT_FALSE(plistForm().isLoaded());
    EXPECT_FALSE(QFileInfo::exists(rasterCopyFolder()));
    EXPECT_EQ(fileLines(workFolder() + QStringLiteral("/Eld.AR2")),
              QStringList({QStringLiteral("a.png"), QStringLiteral("b.png")}));
    EXPECT_TRUE(fileLines(site + QStringLiteral("/POINT.DAT")).first().contains(QStringLiteral("saved")));
    EXPECT_EQ(DataDirty, -1);
}

// The results window goes before the save command runs (its first step
// closes the background window, which is when this test looks).
TEST_F(ShutdownTest, ResultsWindowIsUnloadedBeforeTheSave)
{
    Plot& window = openSite();
    resultsWindow().instance();
    std::vector<bool> resultsLoadedAtSave;
    appServices().unloadBackgroundWindow = [&resultsLoadedAtSave] {
        resultsLoadedAtSave.push_back(resultsWindow().isLoaded());
    };
    script().expectMessage(platform::MsgResult::Ok, kQuit);
    script().expectSaveFile(std::nullopt, QStringLiteral("TVX 現場登録"));
    EXPECT_TRUE(platform::Unload(window));
    EXPECT_EQ(resultsLoadedAtSave, std::vector<bool>{false});
    EXPECT_FALSE(resultsWindow().isLoaded());
}

// The map-only view counts as a site: closing runs the save command, whose
// target is the program folder.
TEST_F(ShutdownTest, ClosingTheMapOnlyViewSavesIntoTheProgramFolder)
{
    Plot& window = startWithoutASite(platform::MsgResult::Yes);
    ASSERT_EQ(startupEnd(), StartupEnd::MapOnly);
    const QString sign = programFolder() + QStringLiteral("/TAVELCOR.TVX");
    script().expectMessage(platform::MsgResult::Ok, kQuit);
    script().expectSaveFile(sign, QStringLiteral("TVX 現場登録"));
    EXPECT_TRUE(platform::Unload(window));
    EXPECT_EQ(script().records().at(script().records().size() - 1).defaultText, sign);
    EXPECT_EQ(fileLines(sign).size(), 4);
    EXPECT_TRUE(QFileInfo::exists(programFolder() + QStringLiteral("/ZAHYO.SIM")));
    EXPECT_FALSE(plotForm().isLoaded());
}

// A tile list that cannot be written is named; the program ends all the same.
TEST_F(ShutdownTest, UnwritableTileListIsReportedAndClosingGoesOn)
{
    Plot& window = openSite();
    ASSERT_TRUE(QFile::remove(workFolder() + QStringLiteral("/Eld.AR2"))
                || !QFileInfo::exists(workFolder() + QStringLiteral("/Eld.AR2")));
    ASSERT_TRUE(QDir().mkpath(workFolder() + QStringLiteral("/Eld.AR2")));
    TileCacheCount = 1;
    TileCache[1] = QStringLiteral("a.png");
    script().expectMessage(platform::MsgResult::Ok, kQuit);
    script().expectSaveFile(std::nullopt, QStringLiteral("TVX 現場登録"));
    script().expectMessage(platform::MsgResult::Ok, workFolder() + QStringLiteral("/Eld.AR2 に書き込めませんでした"));
    EXPECT_TRUE(platform::Unload(window));
    EXPECT_FALSE(plotForm().isLoaded());
    EXPECT_TRUE(QFileInfo(workFolder() + QStringLiteral("/Eld.AR2")).isDir());
}

// A raster copy that cannot be deleted (a file in use) is named; the
// program ends all the same.
TEST_F(ShutdownTest, UndeletableRasterCopyIsReportedAndClosingGoesOn)
{
    Plot& window = openSite();
    ASSERT_TRUE(writeLines(rasterCopyFolder() + QStringLiteral("/img.bmp"), {QStringLiteral("x")}));
    const ImmutableFile inUse(rasterCopyFolder() + QStringLiteral("/img.bmp"));
    if (!inUse.held())
        GTEST_SKIP() << "this file system or user cannot make a file undeletable";
    script().expectMessage(platform::MsgResult::Ok, kQuit);
    script().expectMessage(platform::MsgResult::Ok, rasterCopyFolder() + QStringLiteral(" を削除できませんでした"));
    script().expectSaveFile(std::nullopt, QStringLiteral("TVX 現場登録"));
    EXPECT_TRUE(platform::Unload(window));
    EXPECT_FALSE(plotForm().isLoaded());
}

TEST_F(ShutdownTest, CancelledSaveStillEndsTheProgram)
{
    Plot& window = openSite();
    script().expectMessage(platform::MsgResult::Ok, kQuit);
    script().expectSaveFile(std::nullopt, QStringLiteral("TVX 現場登録"));
    EXPECT_TRUE(platform::Unload(window));
    EXPECT_FALSE(plotForm().isLoaded());
}

// A save that fails at the close (here LINE.DAT cannot be replaced) keeps
// the program running, with the GPS poll as it was, so the edits since the
// last save can still be saved elsewhere; the message names the file.
TEST_F(ShutdownTest, FailedSaveKeepsTheProgramRunning)
{
    Plot& window = openSite();
    ASSERT_TRUE(QFile::remove(site + QStringLiteral("/LINE.DAT")));
    ASSERT_TRUE(QDir().mkpath(site + QStringLiteral("/LINE.DAT")));
    window.Timer1.setEnabled(true);
    script().expectMessage(platform::MsgResult::Ok, kQuit);
    script().expectSaveFile(site + QStringLiteral("/TAVELCOR.TVX"), QStringLiteral("TVX 現場登録"));
    script().expectMessage(platform::MsgResult::Yes, site + QStringLiteral("/TAVELCOR.TVX　に上書き保存しますか"));
    script().expectMessage(platform::MsgResult::Ok);
    EXPECT_FALSE(platform::Unload(window));
    EXPECT_TRUE(plotForm().isLoaded());
    EXPECT_TRUE(window.Timer1.Enabled());
    const QString said = script().records().back().text;
    EXPECT_TRUE(said.startsWith(QStringLiteral("保存に失敗しました\n")) && said.contains(QStringLiteral("LINE.DAT")))
        << qPrintable(said);

    // The user gives the save up: now the program ends.
    script().expectMessage(platform::MsgResult::Ok, kQuit);
    script().expectSaveFile(std::nullopt, QStringLiteral("TVX 現場登録"));
    EXPECT_TRUE(platform::Unload(window));
    EXPECT_FALSE(plotForm().isLoaded());
}

TEST_F(ShutdownTest, ClipboardStartsSaveNothing)
{
    for (const QString& text : {QStringLiteral("1\tA\t1\t2\r2\tB\t3\t4\r"),
                                QStringLiteral("Z00,NEW_SIMA,\r\nA01,1,A,1,2,0,\r\nA01,2,B,3,4,0,\r\n")}) {
        clipboardText.setText(text);
        Plot& window = startProgram();
        ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
        const QStringList before = QDir(programFolder()).entryList(QDir::Files);
        script().expectMessage(platform::MsgResult::Ok, kQuit);
        EXPECT_TRUE(platform::Unload(window));
        EXPECT_EQ(QDir(programFolder()).entryList(QDir::Files), before);
        resetTables();
        plotRunState() = PlotRunState{};
    }
}

TEST_F(ShutdownTest, EmptyTileListLeavesTheOldListFile)
{
    Plot& window = openSite();
    ASSERT_TRUE(writeLines(workFolder() + QStringLiteral("/Eld.AR2"), {QStringLiteral("old.png")}));
    TileCacheCount = 0;
    script().expectMessage(platform::MsgResult::Ok, kQuit);
    script().expectSaveFile(std::nullopt, QStringLiteral("TVX 現場登録"));
    EXPECT_TRUE(platform::Unload(window));
    EXPECT_EQ(fileLines(workFolder() + QStringLiteral("/Eld.AR2")), QStringList{QStringLiteral("old.png")});
}

// Tiles fetched while the site was open are in the list written at exit.
TEST_F(ShutdownTest, TheTileListWrittenAtExitNamesTheFetchedTiles)
{
    testing_support::LocalHttpServer server([](const QByteArray&) {
        QImage tile(256, 256, QImage::Format_RGB32);
        tile.fill(Qt::green);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        tile.save(&buffer, "PNG");
        return testing_support::LocalHttpServer::Reply{200, png, "image/png"};
    });
    const WebServices saved = webServices();
    webServices().tileBase = server.base();
    Plot& window = openSite();
    backgroundServices().netState = [] { return QStringLiteral("ok"); };
    ZoneNo = 9;
    ViewCX = geodesy::BLtoXY(356812.0, 1397671.0, 9, 0);
    ViewCY = geodesy::BLtoXY(356812.0, 1397671.0, 9, 1);
    ViewSpanX = 600.0;
    ViewSpanY = 1000.0;
    Haikei1Code = 5;
    crtplot();
    ASSERT_TRUE(server.targets().contains("/xyz/std/17/116423/51613.png"));
    script().expectMessage(platform::MsgResult::Ok, kQuit);
    script().expectSaveFile(std::nullopt, QStringLiteral("TVX 現場登録"));
    EXPECT_TRUE(platform::Unload(window));
    webServices() = saved;
    backgroundServices().netState = nullptr;
    const QStringList names = fileLines(workFolder() + QStringLiteral("/Eld.AR2"));
    EXPECT_TRUE(names.contains(QStringLiteral("01164230051613.png")));
    for (const QByteArray& target : server.targets()) {
        const QList<QByteArray> parts = target.split('/');  // "", xyz, std, 17, x, y.png
        ASSERT_EQ(parts.size(), 6);
        const QString name = tileKeyOf(parts[4].toLongLong(), parts[5].chopped(4).toLongLong()) + QStringLiteral(".png");
        EXPECT_TRUE(names.contains(name)) << qPrintable(name);
    }
}

TEST_F(ShutdownTest, StartupReadsTheTileListOrTheWorkFolder)
{
    ASSERT_TRUE(writeLines(workFolder() + QStringLiteral("/Eld.AR2"),
                           {QStringLiteral("t1.png"), QStringLiteral("t2.png"), QStringLiteral("t3.png")}));
    openSite();
    EXPECT_EQ(TileCacheCount, 3);
    EXPECT_EQ(TileCache[3], QStringLiteral("t3.png"));
}

TEST_F(ShutdownTest, StartupWithoutATileListTakesTheWorkFolderFiles)
{
    ASSERT_TRUE(writeLines(workFolder() + QStringLiteral("/18_1_2.png"), {QStringLiteral("x")}));
    openSite();
    QStringList names;
    for (int i = 1; i <= TileCacheCount; ++i)
        names << TileCache[i];
    EXPECT_TRUE(names.contains(QStringLiteral("18_1_2.png")));
    EXPECT_TRUE(names.contains(QStringLiteral("ELD.BMP")));
}

// ------------------------------------------------------------ end of session

// The end of the session asks nothing and writes the backup with every
// table, also those whose marks a backup of the same hour cleared; an event
// loop of an open dialog ends with it.
TEST_F(ShutdownTest, EndOfSessionWritesTheBackupAndEndsTheOpenDialogsLoop)
{
    Plot& window = openSite();
    ASSERT_TRUE(window.Timer2.Enabled());
    ASSERT_TRUE(runBackup(window, now));
    ASSERT_EQ(PointChanged + LineChanged + TxtChanged + TegakiChanged, 0);
    PointName[1] = QStringLiteral("edited");
    LineColor[1] = 4;
    window.Timer1.setEnabled(true);
    TileCacheCount = 1;
    TileCache[1] = QStringLiteral("a.png");
    makeRasterCopy();
    const std::size_t prompts = script().records().size();

    QEventLoop dialogLoop;  // stands for the loop of a modal dialog
    QTimer::singleShot(0, [] { endSession(); });
    QTimer::singleShot(10000, &dialogLoop, [&dialogLoop] { dialogLoop.exit(1); });
    EXPECT_EQ(dialogLoop.exec(), 0) << "the dialog's loop did not end";
    // What comes after the end of the session runs its event loops again.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();

    EXPECT_EQ(script().records().size(), prompts) << "nothing is asked at the end of the session";
    const QString hour = backupHourFolder(now);
    EXPECT_TRUE(fileLines(hour + QStringLiteral("/POINT.DAT")).first().contains(QStringLiteral("edited")));
    EXPECT_TRUE(fileLines(hour + QStringLiteral("/LINE.DAT")).first().startsWith(QStringLiteral("1,4,")));
    EXPECT_FALSE(window.Timer1.Enabled());
    EXPECT_EQ(fileLines(workFolder() + QStringLiteral("/Eld.AR2")), QStringList{QStringLiteral("a.png")});
    EXPECT_FALSE(QFileInfo::exists(rasterCopyFolder()));
}

// Without a site opened through its sign file there is nothing to back up.
TEST_F(ShutdownTest, EndOfSessionWithoutASiteWritesNoBackup)
{
    Plot& window = startWithoutASite(platform::MsgResult::Yes);
    ASSERT_EQ(startupEnd(), StartupEnd::MapOnly);
    ASSERT_FALSE(window.Timer2.Enabled());
    const QStringList before = QDir(programFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    endSession();
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    EXPECT_EQ(QDir(programFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

// ------------------------------------------------------------------ resize

TEST_F(ShutdownTest, MinimisedWindowClosesTheBackgroundWindowAndDrawsNothing)
{
    Plot& window = openSite();
    int unloads = 0;
    int redraws = 0;
    appServices().unloadBackgroundWindow = [&unloads] { ++unloads; };
    // The background step asks about the placement window once per redraw.
    backgroundServices().rasterSetShown = [&redraws] {
        ++redraws;
        return false;
    };
    window.setWindowState(platform::WindowState::Minimized);
    redraws = 0;
    unloads = 0;
    window.Resize();
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(redraws, 0);
    window.setWindowState(platform::WindowState::Normal);
    window.Resize();
    EXPECT_GE(redraws, 1);
    backgroundServices().rasterSetShown = {};
}

TEST_F(ShutdownTest, WindowLayoutCodeOfTheSettingsPlacesTheWindow)
{
    Plot& window = openSite();
    applyWindowLayout(window, 1.0F);
    EXPECT_EQ(window.windowState(), platform::WindowState::Maximized);
    applyWindowLayout(window, 1.5F);
    EXPECT_EQ(window.windowState(), platform::WindowState::Maximized);
    applyWindowLayout(window, 2.0F);
    EXPECT_EQ(window.windowState(), platform::WindowState::Normal);
    EXPECT_NEAR(window.Left(), ScreenW * 0.25, 15.0);
    EXPECT_NEAR(window.Width(), ScreenW * 0.75, 15.0);
    applyWindowLayout(window, 3.0F);
    EXPECT_NEAR(window.Left(), ScreenW * 0.4, 15.0);
    EXPECT_NEAR(window.Width(), ScreenW * 0.6, 15.0);
}

}  // namespace
}  // namespace tavelcor::apptest
