// SPDX-License-Identifier: LicenseRef-Tavelcor
// Site files that are there but cannot be read whole. Such a file was passed
// over without a word and the save then wrote the defaults over it; now its
// reader names it and start-up ends, so nothing is written over it. A line
// longer than the line reader takes (1 MiB) stops the reading with the file
// and the row named: a file without line breaks took three times its size in
// memory before.
#include "main/site/dat_files.h"
#include "main/site/display_settings.h"
#include "main/site/parcel_attr_file.h"
#include "main/site/settings_file.h"
#include "main/site/sign_file.h"
#include "main/site/sima_file.h"
#include "main/site/site_messages.h"
#include "platform/text/textfile.h"
#include "site_test_support.h"

#include "broken_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <optional>
#include <string>

namespace tavelcor {
namespace {

using platform::MsgResult;

struct SiteFileRow {
    const char* name;
    std::function<ReadOutcome()> read;
    const char* line = "1";        // a line the reader takes without complaint
    bool reportsUnopened = true;   // false: the caller says it (a chosen SIMA file)
};

// The site's files whose readers report a file they cannot read whole.
std::vector<SiteFileRow> siteFiles()
{
    return {
        {"tavelcor.jkn", [] { return LoadSettings().outcome; }},
        {"LINEWID.JKN", [] { return LoadLineWidths(); }},
        {"COLSELECT.JKN", [] { return LoadColorSelect(); }},
        {"HAIKEI.JKN", [] { return LoadBackgroundSettings(); }},
        {"TAVELCOR.TVX", [] { return readSignFile(SiteFolder + QStringLiteral("TAVELCOR.TVX")).outcome; }},
        {"POINT.DAT", [] { return readPointDat(SiteFolder); }},
        {"LINE.DAT", [] { return readLineDat(SiteFolder); }},
        {"TEGAKI.DAT", [] { return readTegakiDat(SiteFolder); }},
        {"TEXT.DAT", [] { return readTextDat(SiteFolder); }, " 1,0,0,t, 1"},
        {"ZAHYO.SIM", [] { return ReadSima(SiteFolder + QStringLiteral("ZAHYO.SIM")); }, "1", false},
        {"画地属性.txt", [] { return readParcelAttributes(SiteFolder); }},
    };
}

// Twenty times the row's line: "1" is a width, a flag, a level, a window
// edge; the DAT and SIMA readers pass over it (too few fields).
QStringList plainLines(const SiteFileRow& file)
{
    QStringList lines;
    for (int i = 0; i < 20; ++i)
        lines.append(QString::fromUtf8(file.line));
    return lines;
}

class UnreadableSiteFiles : public testsupport::SiteFileTest {};

TEST_F(UnreadableSiteFiles, AreNamedAndStopTheProgramWithTheFileKept)
{
    for (const SiteFileRow& file : siteFiles()) {
        for (const bool opens : {true, false}) {
            if (!opens && !file.reportsUnopened)
                continue;
            const QString name = QString::fromUtf8(file.name);
            SCOPED_TRACE(name.toStdString() + (opens ? ", breaks off" : ", cannot be opened"));
            resetKeepingFolders();
            writeSiteLines(name, plainLines(file));
            const QByteArray bytes = siteBytes(name);
            // The reading breaks off in the second line, before any reader is done.
            const qint64 failAfter = qint64(std::strlen(file.line)) + 4;
            const BrokenFile broken(sitePath(name), opens ? std::optional<qint64>(failAfter) : std::nullopt);
            mScript->expectMessage(MsgResult::Ok, opens ? readErrorMessage(name) : cannotOpenMessage(name));
            EXPECT_EQ(file.read(), ReadOutcome::StopProgram);
            EXPECT_EQ(siteBytes(name), bytes);
        }
    }
}

TEST_F(UnreadableSiteFiles, ALineOfMoreThanOneMebibyteIsNamedWithItsRow)
{
    for (const SiteFileRow& file : siteFiles()) {
        const QString name = QString::fromUtf8(file.name);
        SCOPED_TRACE(name.toStdString());
        resetKeepingFolders();
        const QByteArray line = QByteArray(file.line) + "\r\n";
        writeSiteBytes(name, line + QByteArray(platform::kMaxLineBytes + 1, '7') + "\r\n" + line + line + line);
        mScript->expectMessage(MsgResult::Ok, lineTooLongMessage(name, 2));
        EXPECT_EQ(file.read(), ReadOutcome::StopProgram);
    }
}

TEST_F(UnreadableSiteFiles, TheLongLineMessageNamesFileAndRow)
{
    EXPECT_EQ(lineTooLongMessage(QStringLiteral("POINT.DAT"), 12),
              QStringLiteral("POINT.DATの12行目が長すぎます（1行は1MBまでです）。ファイルを読み込めませんでした。"
                             "エディタで直接修正してください。"));
}

}  // namespace
}  // namespace tavelcor
