// SPDX-License-Identifier: LicenseRef-Tavelcor
// The workbook link against a scripted peer on a thread of its own.
#include "platform/workbook/workbook.h"
#include "platform/workbook/workbook_peer.h"

#include "scoped_env.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

namespace platform {
namespace {

constexpr int kWaitMs = 3000;

class WorkbookLink : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        peer = std::make_unique<WorkbookPeer>();
        peer->setWorkbooks({QStringLiteral("WEMBRA.XLS")});
        peer->setWorksheets({QStringLiteral("境界"), QStringLiteral("観測")});
    }

    QTemporaryDir home;
    testing_support::ScopedEnv env{"TAVELCOR_HOME", home.path()};
    std::unique_ptr<WorkbookPeer> peer;
};

TEST_F(WorkbookLink, AttachingFailsWhenTheSpreadsheetProgramIsNotRunning)
{
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(Workbook::attach(), nullptr);
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_EQ(linkCell(QStringLiteral("境界"), QStringLiteral("R4C24")), nullptr);
}

TEST_F(WorkbookLink, WorkbooksAndSheets)
{
    peer->setWorkbooks({QStringLiteral("WEMBRA.XLS"), QStringLiteral("Book1")}, 1);
    ASSERT_TRUE(peer->start());
    auto excel = Workbook::attach();
    ASSERT_NE(excel, nullptr);
    EXPECT_EQ(excel->workbookNames(), std::optional<QStringList>({QStringLiteral("WEMBRA.XLS"), QStringLiteral("Book1")}));
    EXPECT_EQ(excel->activeWorkbook(), std::optional<QString>(QStringLiteral("Book1")));
    EXPECT_EQ(excel->worksheetNames(), std::optional<QStringList>({QStringLiteral("境界"), QStringLiteral("観測")}));
    EXPECT_TRUE(excel->errorString().isEmpty());
    EXPECT_TRUE(excel->isAttached());
}

TEST_F(WorkbookLink, NoWorkbookOpen)
{
    peer->setWorkbooks({}, -1);
    peer->setMacro(QStringLiteral("Orbela"));
    ASSERT_TRUE(peer->start());
    auto excel = Workbook::attach();
    ASSERT_NE(excel, nullptr);
    EXPECT_EQ(excel->workbookNames(), std::optional<QStringList>(QStringList{}));
    EXPECT_FALSE(excel->activeWorkbook().has_value());
    EXPECT_FALSE(excel->errorString().isEmpty());
    EXPECT_FALSE(excel->worksheetNames().has_value());
    EXPECT_FALSE(excel->run(QStringLiteral("Orbela")).ok);
    EXPECT_TRUE(excel->isAttached()) << "a refused request keeps the program attached";
}

TEST_F(WorkbookLink, MacroGetsItsArgumentsWithTheirTypes)
{
    peer->setMacro(QStringLiteral("Orbela"));
    ASSERT_TRUE(peer->start());
    auto excel = Workbook::attach();
    ASSERT_NE(excel, nullptr);
    const QVariantList arguments{-123.456, 234.567, 45.123, QVariant::fromValue<quint8>(8),
                                 QStringLiteral(" 18:05:30"), QVariant::fromValue<quint8>(4),
                                 QVariant::fromValue(0.9f), QVariant::fromValue(0.0f)};
    // Macro names compare without case, as the spreadsheet program's do.
    const MacroOutcome outcome = excel->run(QStringLiteral("ORBELA"), arguments);
    EXPECT_TRUE(outcome.ok) << outcome.error.toStdString();
    const auto calls = peer->calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].name, QStringLiteral("ORBELA"));
    ASSERT_EQ(calls[0].arguments.size(), 8);
    EXPECT_EQ(calls[0].arguments, arguments);
    const int types[] = {QMetaType::Double, QMetaType::Double, QMetaType::Double, QMetaType::UChar,
                         QMetaType::QString, QMetaType::UChar, QMetaType::Float, QMetaType::Float};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(calls[0].arguments[i].typeId(), types[i]) << "argument " << i;
}

TEST_F(WorkbookLink, MacroResultsAndFailures)
{
    peer->setMacro(QStringLiteral("kbfget"), [](const QVariantList& arguments) {
        return MacroReply{true, arguments.value(0).toString() + QStringLiteral("!"), {}};
    });
    peer->setMacro(QStringLiteral("sokutei_f"), [](const QVariantList&) {
        return MacroReply::failure(QStringLiteral("測定できません"));
    });
    ASSERT_TRUE(peer->start());
    auto excel = Workbook::attach();
    ASSERT_NE(excel, nullptr);

    const MacroOutcome done = excel->run(QStringLiteral("kbfget"), {QStringLiteral("K1")});
    EXPECT_TRUE(done.ok);
    EXPECT_EQ(done.value.toString(), QStringLiteral("K1!"));

    const MacroOutcome failed = excel->run(QStringLiteral("sokutei_f"), {QStringLiteral("P1")});
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.error, QStringLiteral("測定できません"));

    const MacroOutcome missing = excel->run(QStringLiteral("Read_f"));
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.error.isEmpty());
    EXPECT_EQ(peer->calls().size(), 3u);
    EXPECT_TRUE(excel->isAttached());
}

TEST_F(WorkbookLink, VisibleAndCells)
{
    peer->setCell(QStringLiteral("境界"), QStringLiteral("R4C24"), QStringLiteral("993"));
    ASSERT_TRUE(peer->start());
    auto excel = Workbook::attach();
    ASSERT_NE(excel, nullptr);
    EXPECT_FALSE(peer->isVisible());
    EXPECT_TRUE(excel->setVisible(true));
    EXPECT_TRUE(peer->isVisible());
    EXPECT_EQ(excel->cellText(QStringLiteral("境界"), QStringLiteral("r4c24")), std::optional<QString>(QStringLiteral("993")));
    EXPECT_EQ(excel->cellText(QStringLiteral("境界"), QStringLiteral("R1C1")), std::optional<QString>(QString()));
    EXPECT_FALSE(excel->cellText(QStringLiteral("無い"), QStringLiteral("R1C1")).has_value());
}

TEST_F(WorkbookLink, ALinkedCellFollowsEveryChange)
{
    ASSERT_TRUE(peer->start());
    auto cell = linkCell(QStringLiteral("境界"), QStringLiteral("R4C24"));
    ASSERT_NE(cell, nullptr);
    QStringList texts;
    cell->Change = [&](const QString& text) { texts.append(text); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return texts.size() == 1; }, kWaitMs));
    EXPECT_EQ(texts.front(), QString()) << "an empty cell links as an empty text";
    peer->setCell(QStringLiteral("境界"), QStringLiteral("R4C24"), QStringLiteral("9999"));
    peer->setCell(QStringLiteral("境界"), QStringLiteral("R4C23"), QStringLiteral("other cell"));
    peer->setCell(QStringLiteral("境界"), QStringLiteral("r4c24"), QStringLiteral("0"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return texts.size() == 3; }, kWaitMs));
    EXPECT_EQ(texts, (QStringList{QString(), QStringLiteral("9999"), QStringLiteral("0")}));
    EXPECT_EQ(linkCell(QStringLiteral("無いシート"), QStringLiteral("R4C24")), nullptr);
}

TEST_F(WorkbookLink, AMacroMayWriteALinkedCell)
{
    peer->setMacro(QStringLiteral("Orbela"), [this](const QVariantList&) {
        peer->setCell(QStringLiteral("境界"), QStringLiteral("R4C24"), QStringLiteral("0"));
        return MacroReply{};
    });
    peer->setCell(QStringLiteral("境界"), QStringLiteral("R4C24"), QStringLiteral("9999"));
    ASSERT_TRUE(peer->start());
    auto cell = linkCell(QStringLiteral("境界"), QStringLiteral("R4C24"));
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return cell->text() == QStringLiteral("9999"); }, kWaitMs));
    auto excel = Workbook::attach();
    ASSERT_NE(excel, nullptr);
    EXPECT_TRUE(excel->run(QStringLiteral("Orbela")).ok);
    EXPECT_TRUE(QTest::qWaitFor([&] { return cell->text() == QStringLiteral("0"); }, kWaitMs));
}

TEST_F(WorkbookLink, TheProgramGoingAwayDetaches)
{
    peer->setMacro(QStringLiteral("Orbela"));
    ASSERT_TRUE(peer->start());
    auto excel = Workbook::attach();
    ASSERT_NE(excel, nullptr);
    auto cell = linkCell(QStringLiteral("境界"), QStringLiteral("R4C24"));
    ASSERT_NE(cell, nullptr);
    bool closed = false;
    cell->Closed = [&] { closed = true; };
    peer.reset();
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(excel->run(QStringLiteral("Orbela")).ok);
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_FALSE(excel->isAttached());
    EXPECT_FALSE(excel->errorString().isEmpty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return closed; }, kWaitMs));
    EXPECT_EQ(Workbook::attach(), nullptr);
}

TEST_F(WorkbookLink, AMacroThatDoesNotAnswerInTimeDetaches)
{
    // The macro runs until the test lets it end (at most 10 s, so that a
    // failed test never hangs the peer's thread).
    std::atomic<bool> release{false};
    peer->setMacro(QStringLiteral("slow"), [&release](const QVariantList&) {
        QElapsedTimer running;
        running.start();
        while (!release.load() && running.elapsed() < 10000)
            QThread::msleep(5);
        return MacroReply{};
    });
    ASSERT_TRUE(peer->start());
    auto excel = Workbook::attach();
    ASSERT_NE(excel, nullptr);
    excel->setTimeouts(200, 200);
    QElapsedTimer clock;
    clock.start();
    const MacroOutcome outcome = excel->run(QStringLiteral("slow"));
    const qint64 waited = clock.elapsed();
    release.store(true);
    EXPECT_FALSE(outcome.ok);
    EXPECT_GE(waited, 200) << "it waited for its time-out";
    EXPECT_LT(waited, 2000);
    EXPECT_FALSE(excel->isAttached());
    // A fresh attachment works once the macro has ended.
    auto again = Workbook::attach();
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->activeWorkbook().has_value());
}

TEST_F(WorkbookLink, OnlyOnePeerListens)
{
    ASSERT_TRUE(peer->start());
    WorkbookPeer second;
    EXPECT_FALSE(second.start());
}

}  // namespace
}  // namespace platform
