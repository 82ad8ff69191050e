// SPDX-License-Identifier: LicenseRef-Tavelcor
// The hand-over to the globe viewer: the %1 and %NAME% rules on command
// texts, the command registered for the file's extension on a desktop of the
// test's own, and the decision on "googleearth".
#include "main/export/kml_handover.h"

#include "desktop_registry.h"
#include "kml_support.h"
#include "scoped_env.h"

#include "platform/prompt/testing.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

namespace tavelcor::kmltest {
namespace {

using platform::MsgResult;

const QString kKmlType = QStringLiteral("application/vnd.google-earth.kml+xml");

struct ExpandRow {
    const char* name;
    const char16_t* text;
    std::optional<const char16_t*> expanded;  // nullopt: the expansion fails
};

class EnvPieces : public ::testing::TestWithParam<ExpandRow> {
protected:
    testing_support::ScopedEnv mEarth{"TAVELCOR_EARTH_DIR", QStringLiteral("/opt/google/earth")};
    testing_support::ScopedEnv mEmpty{"TAVELCOR_EMPTY_VAR", QString()};
};

TEST_P(EnvPieces, ExpandWholePiecesOnly)
{
    const std::optional<QString> out = GetEnvToRealPath(QString::fromUtf16(GetParam().text));
    if (!GetParam().expanded) {
        EXPECT_FALSE(out.has_value()) << out.value_or(QString()).toStdString();
        return;
    }
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(*out, QString::fromUtf16(*GetParam().expanded));
}

INSTANTIATE_TEST_SUITE_P(
    Kml, EnvPieces,
    ::testing::Values(
        ExpandRow{"first_piece", u"%TAVELCOR_EARTH_DIR%/googleearth \"/s/T.KML\"",
                  u"/opt/google/earth/googleearth \"/s/T.KML\""},
        ExpandRow{"quote_before_the_piece", u"\"%TAVELCOR_EARTH_DIR%/googleearth\"",
                  u"\"%TAVELCOR_EARTH_DIR%/googleearth\""},
        ExpandRow{"later_piece", u"x/%TAVELCOR_EARTH_DIR%/y", u"x//opt/google/earth/y"},
        ExpandRow{"unset_variable_kept", u"%TAVELCOR_NO_SUCH_VARIABLE%/bin", u"%TAVELCOR_NO_SUCH_VARIABLE%/bin"},
        ExpandRow{"empty_variable_kept", u"%TAVELCOR_EMPTY_VAR%/bin", u"%TAVELCOR_EMPTY_VAR%/bin"},
        ExpandRow{"leading_separators_vanish", u"//usr/bin/googleearth", u"usr/bin/googleearth"},
        ExpandRow{"inner_empty_pieces_stay", u"a//b/", u"a//b/"},
        ExpandRow{"empty_name", u"%%/b", u"%%/b"},
        ExpandRow{"empty_text", u"", u""},
        ExpandRow{"lone_percent_fails", u"googleearth/%/x", std::nullopt},
        ExpandRow{"only_a_percent_fails", u"%", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommandWithFile, PutsTheQuotedFileInForEveryPercentOne)
{
    const QString f = QStringLiteral("/home/u/my site/Tavelcor.KML");
    const QString q = u'"' + f + u'"';
    EXPECT_EQ(commandWithFile(QStringLiteral("googleearth \"%1\""), f), QStringLiteral("googleearth ") + q);
    EXPECT_EQ(commandWithFile(QStringLiteral("googleearth %1"), f), QStringLiteral("googleearth ") + q);
    EXPECT_EQ(commandWithFile(QStringLiteral("g \"%1\" %1 -x"), f), QStringLiteral("g ") + q + u' ' + q + " -x");
    EXPECT_EQ(commandWithFile(QStringLiteral("googleearth"), f), QStringLiteral("googleearth"));
    // A %1 in the file's own path is not replaced again.
    EXPECT_EQ(commandWithFile(QStringLiteral("g %1"), QStringLiteral("/a%1b.KML")),
              QStringLiteral("g \"/a%1b.KML\""));
}

class HandOverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(desktop.isValid());
        ASSERT_TRUE(QDir().mkpath(desktop.path(QStringLiteral("my site"))));
        file = desktop.path(QStringLiteral("my site/Tavelcor.KML"));
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<kml xmlns=\"http://www.opengis.net/kml/2.2\"/>");
    }

    bool registerExec(const QString& exec)
    {
        return desktop.registerDefault(kKmlType, QStringLiteral("globe.desktop"), exec);
    }

    /// What the stand-in viewer recorded, once it has run.
    QByteArray viewerRecord()
    {
        const QString path = desktop.record(QStringLiteral("googleearth"));
        QDeadlineTimer deadline(20000);
        while (!QFile::exists(path) && !deadline.hasExpired())
            QThread::msleep(20);
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    testing_support::ScopedDesktopRegistry desktop;
    platform::testing::GTestScriptedPrompter script;
    QString file;
};

TEST_F(HandOverTest, TheRegisteredCommandWithTheFileQuotedOnce)
{
    EXPECT_EQ(GetAssocCommand(file), QString());  // nothing registered
    const QString quoted = u'"' + file + u'"';
    for (const QString& exec : {QStringLiteral("googleearth %f"), QStringLiteral("googleearth \"%u\"")}) {
        ASSERT_TRUE(registerExec(exec));
        EXPECT_EQ(GetAssocCommand(file), QStringLiteral("googleearth ") + quoted) << exec.toStdString();
    }
    ASSERT_TRUE(registerExec(QStringLiteral("%HOME%/bin/googleearth %F")));
    EXPECT_EQ(GetAssocCommand(file), qEnvironmentVariable("HOME") + QStringLiteral("/bin/googleearth ") + quoted);
    ASSERT_TRUE(registerExec(QStringLiteral("\"%HOME%/bin/googleearth\" %f")));
    EXPECT_EQ(GetAssocCommand(file), QStringLiteral("\"%HOME%/bin/googleearth\" ") + quoted);
    ASSERT_TRUE(registerExec(QStringLiteral("googleearth/%/x %f")));
    EXPECT_EQ(GetAssocCommand(file), QString());  // a lone % empties the look-up
}

// The extension is taken from the last dot, even when that lies in a folder
// name: no type matches it.
TEST_F(HandOverTest, TheExtensionComesFromTheLastDot)
{
    ASSERT_TRUE(registerExec(QStringLiteral("googleearth %f")));
    EXPECT_EQ(GetAssocCommand(QStringLiteral("/home/u/site.d/Tavelcor")), QString());
    EXPECT_EQ(GetAssocCommand(QStringLiteral("/home/u/site/Tavelcor")), QString());
    EXPECT_EQ(GetAssocCommand(QStringLiteral("/home/u/site/T.kml")), QStringLiteral("googleearth \"/home/u/site/T.kml\""));
}

TEST_F(HandOverTest, GoogleEarthGetsTheFile)
{
    ASSERT_TRUE(desktop.addRecordingProgram(QStringLiteral("googleearth")));
    ASSERT_TRUE(registerExec(QStringLiteral("googleearth %f")));
    EXPECT_EQ(handOverToGlobeViewer(file), HandOver::Opened);
    EXPECT_EQ(viewerRecord(), "1\n" + file.toUtf8() + "\n");
}

// Only "googleearth" in exact case passes; another program or none shows
// the message, and the file stays.
TEST_F(HandOverTest, AnyOtherProgramShowsTheMessage)
{
    for (const QString& exec : {QStringLiteral("GoogleEarth %f"), QStringLiteral("google-earth-pro %f"),
                                QStringLiteral("marble %f"), QString()}) {
        SCOPED_TRACE(exec.toStdString());
        if (exec.isEmpty())
            ASSERT_TRUE(QFile::remove(desktop.path(QStringLiteral("data/applications/globe.desktop"))));
        else
            ASSERT_TRUE(registerExec(exec));
        script->expectMessage(MsgResult::Ok,
                              QStringLiteral("Google earthが見つかりません。先にソフトをインストールしてください"
                                             "\r\nKMLファイルは次の場所に作成しました：\r\n")
                                  + file);
        EXPECT_EQ(handOverToGlobeViewer(file), HandOver::NotRegistered);
        ASSERT_FALSE(script->records().empty());
        EXPECT_EQ(script->records().back().buttons, platform::MsgButtons::OkOnly);
        EXPECT_TRUE(QFile::exists(file));
    }
}

}  // namespace
}  // namespace tavelcor::kmltest
