// SPDX-License-Identifier: LicenseRef-Tavelcor
// The save command 保存: every question in its order, save-as into another
// folder, the guards against another writer and another site, ZAHYO.SIM's
// questions, failures, and a save read back by the next start.
#include "app_fixture.h"
#include "file_size_limit.h"

#include "main/app/save_command.h"
#include "platform/canvas/colors.h"
#include "platform/system/files.h"

#include <QDateTime>

namespace tavelcor::apptest {
namespace {

const QString kSignFile = QStringLiteral("TAVELCOR.TVX");
const QString kOverwrite = QStringLiteral("　に上書き保存しますか");
const QString kChangedByOthers = QStringLiteral("作業中に他からデータが書き換えられました。無視して更新しますか ?");
const QString kOtherSite = QStringLiteral("他の現場に登録しようとしています。登録しますか ?");
const QString kAdded = QStringLiteral("sima座標が追加されています。上書きしますか？");
const QString kChanged = QStringLiteral("sima座標が変更されています。上書きしますか？");

// What a site holds, in absolute coordinates, for comparing two runs.
struct SiteSnapshot {
    QStringList rows;

    static SiteSnapshot take()
    {
        SiteSnapshot s;
        for (int n = 1; n <= ZahyoMax; ++n) {
            if (ZahyoName[n] != freeZahyoName())
                s.rows << QStringLiteral("Z %1 %2 %3 %4 %5").arg(n).arg(ZahyoName[n]).arg(ZahyoX[n], 0, 'f', 3)
                              .arg(ZahyoY[n], 0, 'f', 3).arg(ZahyoH[n], 0, 'f', 3);
        }
        for (int p = 1; p <= KakuchiCount; ++p) {
            QString row = QStringLiteral("K %1 %2").arg(KakuchiName[p], KakuchiInfo[p]);
            for (int k = KakuchiFirst[p]; k <= KakuchiLast[p]; ++k)
                row += QStringLiteral(" %1").arg(KakuchiVertex[k]);
            s.rows << row << QStringLiteral("A %1 %2").arg(KakuchiAttr(p, 1), KakuchiAttr(p, 2));
        }
        for (int i = 1; i <= PointCount; ++i)
            s.rows << QStringLiteral("P %1 %2 %3 %4 %5 %6").arg(i).arg(PointName[i], PointName2[i])
                          .arg(PointX[i] + OriginX, 0, 'f', 2).arg(PointY[i] + OriginY, 0, 'f', 2).arg(PointMark[i]);
        for (int i = 1; i < LineNext; ++i)
            s.rows << QStringLiteral("L %1 %2 %3 %4 %5").arg(LineColor[i]).arg(LineX1[i] + OriginX, 0, 'f', 2)
                          .arg(LineY1[i] + OriginY, 0, 'f', 2).arg(LineX2[i] + OriginX, 0, 'f', 2)
                          .arg(LineY2[i] + OriginY, 0, 'f', 2);
        for (int i = 1; i <= TegakiCount; ++i)
            s.rows << QStringLiteral("T %1 %2 %3 %4").arg(TegakiPen[i]).arg(TegakiColor[i])
                          .arg(TegakiX[i] + OriginX, 0, 'f', 2).arg(TegakiY[i] + OriginY, 0, 'f', 2);
        for (int i = 1; i <= TxtCount; ++i)
            s.rows << QStringLiteral("X %1 %2 %3 %4").arg(TxtString[i]).arg(TxtColor[i])
                          .arg(TxtX[i] + OriginX, 0, 'f', 2).arg(TxtY[i] + OriginY, 0, 'f', 2);
        return s;
    }
};

class SaveCommandTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        site = copyFixture(QStringLiteral("site"), QStringLiteral("genba"));
        sign = site + u'/' + kSignFile;
    }

    // Starts on the fixture site through its sign file.
    Plot& openSite()
    {
        chooseFile(sign);
        Plot& window = startProgram();
        EXPECT_EQ(startupEnd(), StartupEnd::Drawn);
        return window;
    }

    void expectSaveDialog(const std::optional<QString>& answer)
    {
        script().expectSaveFile(answer, QStringLiteral("TVX 現場登録"));
    }

    // Clicks 保存.
    void clickSave(Plot& window) { window.Command23.setValue(true); }

    // Starts a fresh run on the sign file at path.
    void reopen(const QString& path)
    {
        endRun();
        chooseFile(path);
        startProgram();
        ASSERT_EQ(startupEnd(), StartupEnd::Drawn);
    }

    // Moves the file's modification time by seconds.
    static void touch(const QString& path, int seconds)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(seconds),
                                     QFileDevice::FileModificationTime));
    }

    QString site;
    QString sign;
};

TEST_F(SaveCommandTest, SaveIsReadBackByTheNextStart)
{
    Plot& window = openSite();
    PointName[1] = QStringLiteral("杭,A");  // the comma cannot stay in a DAT row
    PointMark[2] = 105;                     // deleted, kept with its mark
    LineNext = 3;
    LineX1[2] = 1.0;
    LineY1[2] = 2.0;
    LineX2[2] = 3.0;
    LineY2[2] = 4.0;
    LineColor[2] = 9;
    TxtCount = 2;
    TxtString[2] = QStringLiteral("畑 地");
    TxtX[2] = -1.5F;
    TxtY[2] = 2.5F;
    TxtColor[2] = 3;

    expectSaveDialog(sign);
    script().expectMessage(platform::MsgResult::Yes, sign + kOverwrite);
    clickSave(window);
    const platform::PromptRecord& dialog = script().records().at(script().records().size() - 2);
    EXPECT_EQ(dialog.filter, QStringLiteral("TVX ファイル|*.TVX"));
    EXPECT_EQ(dialog.defaultText, sign);
    EXPECT_EQ(PointName[1], QStringLiteral("杭A"));
    EXPECT_GT(SignFileDate, 0.0);
    EXPECT_EQ(fileLines(sign).size(), 4);
    const SiteSnapshot saved = SiteSnapshot::take();

    reopen(sign);
    const SiteSnapshot read = SiteSnapshot::take();
    EXPECT_EQ(read.rows, saved.rows);
    EXPECT_EQ(PointMark[2], 105);
    EXPECT_EQ(TxtString[2], QStringLiteral("畑 地"));
}

TEST_F(SaveCommandTest, SavingTwiceAsksOnlyTheOverwriteQuestionEachTime)
{
    Plot& window = openSite();
    for (int round = 0; round < 2; ++round) {
        expectSaveDialog(sign);
        script().expectMessage(platform::MsgResult::Yes, sign + kOverwrite);
        EXPECT_EQ(saveSite(window), SaveEnd::Saved) << round;
    }
    // after a save the diagonal zoom is disarmed
    EXPECT_EQ(DiagonalArmed, 0);
    EXPECT_EQ(window.Command13.BackColor(), platform::QBColor(15));
}

TEST_F(SaveCommandTest, AnotherWriterOfTheSiteIsNoticed)
{
    Plot& window = openSite();
    const QByteArray points = fileBytes(site + QStringLiteral("/POINT.DAT"));
    PointName[1] = QStringLiteral("changed");
    touch(sign, 60);

    expectSaveDialog(sign);
    script().expectMessage(platform::MsgResult::Yes, sign + kOverwrite);
    script().expectMessage(platform::MsgResult::No, kChangedByOthers);
    EXPECT_EQ(saveSite(window), SaveEnd::Cancelled);
    EXPECT_EQ(fileBytes(site + QStringLiteral("/POINT.DAT")), points);

    expectSaveDialog(sign);
    script().expectMessage(platform::MsgResult::Yes, sign + kOverwrite);
    script().expectMessage(platform::MsgResult::Yes, kChangedByOthers);
    EXPECT_EQ(saveSite(window), SaveEnd::Saved);
    EXPECT_TRUE(fileLines(site + QStringLiteral("/POINT.DAT")).first().contains(QStringLiteral("changed")));
}

TEST_F(SaveCommandTest, SignFileOfAnotherSiteAsksBeforeTakingIt)
{
    Plot& window = openSite();
    const QString other = folder(QStringLiteral("other"));
    ASSERT_TRUE(writeLines(other + u'/' + kSignFile, {}));

    expectSaveDialog(other + u'/' + kSignFile);
    script().expectMessage(platform::MsgResult::Yes, other + u'/' + kSignFile + kOverwrite);
    script().expectMessage(platform::MsgResult::No, kOtherSite);
    EXPECT_EQ(saveSite(window), SaveEnd::Cancelled);
    EXPECT_EQ(SiteFolder, site + u'/');
    EXPECT_FALSE(QFileInfo::exists(other + QStringLiteral("/POINT.DAT")));

    expectSaveDialog(other + u'/' + kSignFile);
    script().expectMessage(platform::MsgResult::Yes, other + u'/' + kSignFile + kOverwrite);
    script().expectMessage(platform::MsgResult::Yes, kOtherSite);
    EXPECT_EQ(saveSite(window), SaveEnd::Saved);
    EXPECT_EQ(SiteFolder, other + u'/');
    EXPECT_EQ(window.Caption(), QStringLiteral("TAVELCOR v5.360  ") + other + u'/' + kSignFile);
    for (const char* name : {"POINT.DAT", "LINE.DAT", "TEGAKI.DAT", "TEXT.DAT", "ZAHYO.SIM", "画地属性.txt",
                             "HAIKEI.JKN", "LINEWID.JKN", "COLSELECT.JKN", "tavelcor.jkn"})
        EXPECT_TRUE(QFileInfo::exists(other + u'/' + QString::fromUtf8(name))) << name;
}

TEST_F(SaveCommandTest, FolderWithoutASignFileBecomesASite)
{
    Plot& window = openSite();
    const QString fresh = folder(QStringLiteral("fresh"));
    expectSaveDialog(fresh + u'/' + kSignFile);
    EXPECT_EQ(saveSite(window), SaveEnd::Saved);
    EXPECT_EQ(SiteFolder, fresh + u'/');
    EXPECT_EQ(fileLines(fresh + u'/' + kSignFile).size(), 4);
    EXPECT_TRUE(fileLines(fresh + QStringLiteral("/ZAHYO.SIM")).contains(QStringLiteral("A01,6,K6,1000.000,2055.000,0.000,")));
    EXPECT_EQ(fileLines(fresh + QStringLiteral("/画地属性.txt")).first(), QStringLiteral("101,101,宅地,,,,"));
    // the settings file goes with the sign file
    EXPECT_TRUE(QFileInfo::exists(fresh + QStringLiteral("/tavelcor.jkn")));
    EXPECT_FALSE(QFileInfo::exists(workFolder() + QStringLiteral("/tavelcor.jkn")));
}

TEST_F(SaveCommandTest, RunNotOpenedBySignFileAsksNeitherGuardOnItsFirstSave)
{
    const QString sima = folder(QStringLiteral("loose")) + QStringLiteral("/A.SIM");
    ASSERT_TRUE(writeLines(sima, {QStringLiteral("A01,1,A,1.000,1.000,0.000,"),
                                  QStringLiteral("A01,2,B,9.000,9.000,0.000,")}));
    chooseFile(sima);
    Plot& window = startProgram();
    ASSERT_EQ(SignFileDate, 0.0);
    touch(sign, 60);
    expectSaveDialog(sign);
    script().expectMessage(platform::MsgResult::Yes, sign + kOverwrite);
    // ZAHYO.SIM exists there and nothing was added or changed: kept
    const QByteArray zahyo = fileBytes(site + QStringLiteral("/ZAHYO.SIM"));
    EXPECT_EQ(saveSite(window), SaveEnd::Saved);
    EXPECT_EQ(fileBytes(site + QStringLiteral("/ZAHYO.SIM")), zahyo);
}

TEST_F(SaveCommandTest, CancelledDialogWritesNothing)
{
    Plot& window = openSite();
    int unloads = 0;
    appServices().unloadBackgroundWindow = [&unloads] { ++unloads; };
    const QByteArray signBytes = fileBytes(sign);
    expectSaveDialog(std::nullopt);
    EXPECT_EQ(saveSite(window), SaveEnd::Cancelled);
    EXPECT_EQ(fileBytes(sign), signBytes);
    EXPECT_EQ(unloads, 1);
}

TEST_F(SaveCommandTest, NoToTheOverwriteQuestionWritesNothing)
{
    Plot& window = openSite();
    const QByteArray signBytes = fileBytes(sign);
    expectSaveDialog(sign);
    script().expectMessage(platform::MsgResult::No, sign + kOverwrite);
    EXPECT_EQ(saveSite(window), SaveEnd::Cancelled);
    EXPECT_EQ(fileBytes(sign), signBytes);
}

TEST_F(SaveCommandTest, ExistingFileOfAnotherNameMovesOnlyTheSiteFolder)
{
    Plot& window = openSite();
    const QString other = folder(QStringLiteral("notes"));
    ASSERT_TRUE(writeLines(other + QStringLiteral("/memo.tvx"), {QStringLiteral("memo")}));
    expectSaveDialog(other + QStringLiteral("/memo.tvx"));
    EXPECT_EQ(saveSite(window), SaveEnd::NotASite);
    EXPECT_EQ(SiteFolder, other + u'/');
    EXPECT_EQ(window.Caption(), QStringLiteral("TAVELCOR v5.360  ") + other + QStringLiteral("/memo.tvx"));
    EXPECT_EQ(QDir(other).entryList(QDir::Files), QStringList{QStringLiteral("memo.tvx")});
}

// The ZAHYO.SIM questions, one row per situation.
TEST_F(SaveCommandTest, ZahyoSimQuestions)
{
    const struct {
        const char* name;
        QString addedName;   // a coordinate 7 added with this name ("" none)
        bool dirty;
        bool kept;           // a clipboard hand-over is kept
        QString question;    // "" none
        platform::MsgResult answer;
        bool rewritten;
    } rows[] = {
        {"added, yes", QStringLiteral("K7"), false, false, kAdded, platform::MsgResult::Yes, true},
        {"added, no", QStringLiteral("K7"), false, false, kAdded, platform::MsgResult::No, false},
        {"only temporary added", QStringLiteral("K7_?_"), false, false, QString(), platform::MsgResult::Ok, false},
        {"changed, yes", QString(), true, false, kChanged, platform::MsgResult::Yes, true},
        {"changed, no", QString(), true, false, kChanged, platform::MsgResult::No, false},
        {"added wins over changed", QStringLiteral("K7"), true, false, kAdded, platform::MsgResult::No, false},
        {"kept hand-over", QString(), false, true, QString(), platform::MsgResult::Ok, true},
        {"nothing", QString(), false, false, QString(), platform::MsgResult::Ok, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        copyFolder(fixtureFolder() + QStringLiteral("/site"), site);
        Plot& window = openSite();
        ZahyoX[1] = 1000.5;  // differs from the file: tells a rewrite
        if (!row.addedName.isEmpty()) {
            ZahyoName[7] = row.addedName;
            ZahyoX[7] = 1001.0;
            ZahyoMax = 7;
        }
        ZahyoDirty = row.dirty ? 1 : 0;
        if (row.kept)
            KeptSima = QStringLiteral("Z00,NEW_SIMA,");
        expectSaveDialog(sign);
        script().expectMessage(platform::MsgResult::Yes, sign + kOverwrite);
        if (!row.question.isEmpty())
            script().expectMessage(row.answer, row.question);
        EXPECT_EQ(saveSite(window), SaveEnd::Saved);
        const QStringList lines = fileLines(site + QStringLiteral("/ZAHYO.SIM"));
        EXPECT_EQ(lines.contains(QStringLiteral("A01,1,K1,1000.500,2000.000,10.000,")), row.rewritten);
        EXPECT_FALSE(lines.join(u' ').contains(QStringLiteral("_?_")));
        EXPECT_EQ(ZahyoSaved, row.rewritten && !row.addedName.isEmpty() ? 7 : 6);
        endRun();
    }
}

TEST_F(SaveCommandTest, MissingZahyoSimIsWrittenWhateverTheAnswer)
{
    Plot& window = openSite();
    ASSERT_TRUE(QFile::remove(site + QStringLiteral("/ZAHYO.SIM")));
    ZahyoDirty = 1;
    expectSaveDialog(sign);
    script().expectMessage(platform::MsgResult::Yes, sign + kOverwrite);
    script().expectMessage(platform::MsgResult::No, kChanged);
    EXPECT_EQ(saveSite(window), SaveEnd::Saved);
    EXPECT_TRUE(QFileInfo::exists(site + QStringLiteral("/ZAHYO.SIM")));
}

TEST_F(SaveCommandTest, EmptyTablesLeaveTheirFilesAsTheyAre)
{
    Plot& window = openSite();
    const QByteArray points = fileBytes(site + QStringLiteral("/POINT.DAT"));
    const QByteArray texts = fileBytes(site + QStringLiteral("/TEXT.DAT"));
    PointCount = 0;
    TxtCount = 0;
    expectSaveDialog(sign);
    script().expectMessage(platform::MsgResult::Yes, sign + kOverwrite);
    EXPECT_EQ(saveSite(window), SaveEnd::Saved);
    EXPECT_EQ(fileBytes(site + QStringLiteral("/POINT.DAT")), points);
    EXPECT_EQ(fileBytes(site + QStringLiteral("/TEXT.DAT")), texts);
}

// A file that cannot be replaced (here a folder in the way of LINE.DAT)
// stops the save with its message; what was written before stays, what
// comes after is not touched.
TEST_F(SaveCommandTest, FailedWriteIsReportedAndLeavesLaterFilesAlone)
{
    Plot& window = openSite();
    ASSERT_TRUE(QFile::remove(site + QStringLiteral("/LINE.DAT")));
    ASSERT_TRUE(QDir().mkpath(site + QStringLiteral("/LINE.DAT")));
    const QByteArray strokes = fileBytes(site + QStringLiteral("/TEGAKI.DAT"));
    PointName[1] = QStringLiteral("new");
    TegakiX[1] = 3.0F;
    expectSaveDialog(sign);
    script().expectMessage(platform::MsgResult::Yes, sign + kOverwrite);
    script().expectMessage(platform::MsgResult::Ok);
    EXPECT_EQ(saveSite(window), SaveEnd::Failed);
    // The message names the file that failed, and why, below its first line.
    const QStringList said = script().records().back().text.split(u'\n');
    ASSERT_EQ(said.size(), 3) << qPrintable(script().records().back().text);
    EXPECT_EQ(said[0], QStringLiteral("保存に失敗しました"));
    EXPECT_EQ(said[1], site + QStringLiteral("/LINE.DAT"));
    EXPECT_FALSE(said[2].isEmpty());
    EXPECT_TRUE(fileLines(site + QStringLiteral("/POINT.DAT")).first().contains(QStringLiteral("new")));
    EXPECT_EQ(fileBytes(site + QStringLiteral("/TEGAKI.DAT")), strokes);
    EXPECT_EQ(window.MousePointer(), 0);
}

// A save-as whose sign file cannot be written leaves the run on its old
// site: the site folder, the caption and the sign file time stay, and the
// next backup goes into the old site, not into the failed place.
TEST_F(SaveCommandTest, FailedSaveAsKeepsTheOldSite)
{
    const struct {
        const char* name;
        bool otherSite;  // the sign file of another site, on a disk that is full
    } rows[] = {
        {"folder that is a plain file", false},
        {"another site on a full disk", true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        copyFolder(fixtureFolder() + QStringLiteral("/site"), site);
        Plot& window = openSite();
        const QString caption = window.Caption();
        const double signDate = SignFileDate;
        ASSERT_GT(signDate, 0.0);
        std::optional<testing_support::ScopedFileSizeLimit> fullDisk;
        if (row.otherSite) {
            const QString other = folder(QStringLiteral("other"));
            const QString target = other + u'/' + kSignFile;
            ASSERT_TRUE(writeLines(target, {}));
            touch(target, -3600);
            expectSaveDialog(target);
            script().expectMessage(platform::MsgResult::Yes, target + kOverwrite);
            script().expectMessage(platform::MsgResult::Yes, kOtherSite);
            fullDisk.emplace(0);
            ASSERT_TRUE(fullDisk->isActive());
        } else {
            const QString plain = folder(QStringLiteral("blocked")) + QStringLiteral("/plain");
            ASSERT_TRUE(writeLines(plain, {QStringLiteral("not a folder")}));
            expectSaveDialog(plain + u'/' + kSignFile);
        }
        script().expectMessage(platform::MsgResult::Ok);
        EXPECT_EQ(saveSite(window), SaveEnd::Failed);
        EXPECT_TRUE(script().records().back().text.startsWith(QStringLiteral("保存に失敗しました\n")))
            << qPrintable(script().records().back().text);
        fullDisk.reset();
        EXPECT_EQ(SiteFolder, site + u'/');
        EXPECT_EQ(window.Caption(), caption);
        EXPECT_EQ(SignFileDate, signDate);

        BackupMinutes = 1;
        script().expectModal({}, QStringLiteral("バックアップ"));
        window.Timer2.Timer();
        EXPECT_TRUE(QFileInfo::exists(site + QStringLiteral("/TVXBAK20240105/9/POINT.DAT")));

        endRun();
        QDir(site + QStringLiteral("/TVXBAK20240105")).removeRecursively();
    }
}

// The sign file's name typed in other letters ("tavelcor.tvx" for
// "TAVELCOR.TVX") is the site's own sign file: the overwrite question and
// the guard against another writer apply, and no second sign file is made.
TEST_F(SaveCommandTest, SignFileNameInOtherLettersIsTheSameFile)
{
    Plot& window = openSite();
    const QString typed = site + QStringLiteral("/tavelcor.tvx");
    const QByteArray signBytes = fileBytes(sign);
    touch(sign, 60);

    expectSaveDialog(typed);
    script().expectMessage(platform::MsgResult::Yes, sign + kOverwrite);
    script().expectMessage(platform::MsgResult::No, kChangedByOthers);
    EXPECT_EQ(saveSite(window), SaveEnd::Cancelled);
    EXPECT_EQ(fileBytes(sign), signBytes);

    expectSaveDialog(typed);
    script().expectMessage(platform::MsgResult::Yes, sign + kOverwrite);
    script().expectMessage(platform::MsgResult::Yes, kChangedByOthers);
    EXPECT_EQ(saveSite(window), SaveEnd::Saved);
    EXPECT_EQ(fileLines(sign).size(), 4);
    EXPECT_FALSE(QFileInfo::exists(typed));
    EXPECT_EQ(window.Caption(), QStringLiteral("TAVELCOR v5.360  ") + sign);
}

TEST_F(SaveCommandTest, MapOnlyViewSavesIntoTheProgramFolder)
{
    Plot& window = startWithoutASite(platform::MsgResult::Yes);
    ASSERT_EQ(startupEnd(), StartupEnd::MapOnly);
    expectSaveDialog(std::nullopt);
    saveSite(window);
    EXPECT_EQ(script().records().back().defaultText, programFolder() + u'/' + kSignFile);
}

}  // namespace
}  // namespace tavelcor::apptest
