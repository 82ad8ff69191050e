// SPDX-License-Identifier: LicenseRef-Tavelcor
// A GUI test whose prompt reaches a real dialog instead of the scripted
// prompter fails at once and names the prompt; it never waits for the answer
// nobody gives on the offscreen platform.
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

using ::testing::HasSubstr;

// Far below a test program's time-out, far above the probe's start.
constexpr int kGiveUpMs = 20000;

struct ForgottenPrompt {
    const char* test;   // of forgotten_script_probe.cpp
    const char* what;   // how the failure names the dialog
    const char* title;
    const char* text;
};

void PrintTo(const ForgottenPrompt& prompt, std::ostream* out)
{
    *out << prompt.test;
}

class RealDialogInAGuiTest : public ::testing::TestWithParam<ForgottenPrompt> {};

TEST_P(RealDialogInAGuiTest, FailsAtOnceNamingThePrompt)
{
    const ForgottenPrompt& prompt = GetParam();
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    probe.setProcessEnvironment(environment);
    probe.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer clock;
    clock.start();
    probe.start(QStringLiteral(TAVELCOR_FORGOTTEN_SCRIPT_PROBE),
                {QStringLiteral("--gtest_filter=ForgottenScript.") + QLatin1String(prompt.test)});
    const bool ended = probe.waitForFinished(kGiveUpMs);
    if (!ended) {
        probe.kill();
        probe.waitForFinished();
    }
    const std::string output = probe.readAll().toStdString();
    ASSERT_TRUE(ended) << "the test waited for an answer to its real dialog:\n" << output;
    EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit) << output;
    EXPECT_NE(probe.exitCode(), 0) << "the test passed:\n" << output;
    EXPECT_THAT(output, HasSubstr(std::string("a real ") + prompt.what + " was opened instead of the scripted prompter"));
    EXPECT_THAT(output, HasSubstr(prompt.title));
    EXPECT_THAT(output, HasSubstr(prompt.text));
    EXPECT_THAT(output, HasSubstr("[  FAILED  ] ForgottenScript." + std::string(prompt.test)));
}

INSTANTIATE_TEST_SUITE_P(
    Prompts, RealDialogInAGuiTest,
    ::testing::Values(ForgottenPrompt{"MessageBox", "message box", "削除", "測点を削除しますか？"},
                      ForgottenPrompt{"InputBox", "input box", "縮尺", "縮尺を入力して下さい"},
                      ForgottenPrompt{"FileDialog", "file dialog", "TVX 現場登録", "TAVELCOR.TVX"}),
    [](const ::testing::TestParamInfo<ForgottenPrompt>& info) { return std::string(info.param.test); });

}  // namespace
