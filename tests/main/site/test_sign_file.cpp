// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/sign_file.h"
#include "site_test_support.h"

#include <gtest/gtest.h>

namespace tavelcor {
namespace {

class SignFile : public testsupport::SiteFileTest {};

// The side panel covers 4200 twips of the plot's width: with the plot 8400
// twips wide and 100 m of user width, that is 50 m.
TEST_F(SignFile, WindowLeavesOutTheSidePanel)
{
    const SignFileWindow w = signFileWindowFor(-20.0F, 10.0F, 100.0F, -60.0F, 8400.0F);
    EXPECT_EQ(w.left, -45.0F);
    EXPECT_EQ(w.top, 10.0F);
    EXPECT_EQ(w.right, 30.0F);
    EXPECT_EQ(w.bottom, -50.0F);
}

TEST_F(SignFile, APlotWithoutWidthCountsNoPanel)
{
    const SignFileWindow w = signFileWindowFor(-20.0F, 10.0F, 100.0F, -60.0F, 0.0F);
    EXPECT_EQ(w.left, -20.0F);
    EXPECT_EQ(w.right, 80.0F);
}

TEST_F(SignFile, FourLinesInTheSignedBlankForm)
{
    const QString path = sitePath(QStringLiteral("TAVELCOR.TVX"));
    ASSERT_EQ(writeSignFile(path, {12.5F, -0.25F, 0.5F, 1234567.0F}).outcome, WriteOutcome::Written);
    EXPECT_EQ(siteBytes(QStringLiteral("TAVELCOR.TVX")),
              testsupport::cp932Lines({" 12.5", "-.25", " .5", " 1234567"}));
    const std::optional<SignFileWindow> back = readSignFile(path).window;
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->left, 12.5F);
    EXPECT_EQ(back->top, -0.25F);
    EXPECT_EQ(back->right, 0.5F);
    EXPECT_EQ(back->bottom, 1234567.0F);
}

TEST_F(SignFile, ItemsMayShareALineAndTextReadsAsZero)
{
    writeSiteLines(QStringLiteral("TAVELCOR.TVX"), {"1,abc", "3", "4.5m"});
    const std::optional<SignFileWindow> w = readSignFile(sitePath(QStringLiteral("TAVELCOR.TVX"))).window;
    ASSERT_TRUE(w.has_value());
    EXPECT_EQ(w->left, 1.0F);
    EXPECT_EQ(w->top, 0.0F);
    EXPECT_EQ(w->right, 3.0F);
    EXPECT_EQ(w->bottom, 4.5F);
}

TEST_F(SignFile, NoWindowFromAnEmptyOrShortOrMissingFile)
{
    writeSiteBytes(QStringLiteral("EMPTY.TVX"), {});
    writeSiteLines(QStringLiteral("SHORT.TVX"), {"1", "2", "3"});
    writeSiteLines(QStringLiteral("HUGE.TVX"), {"1", "2", "3", "1e40"});
    EXPECT_FALSE(readSignFile(sitePath(QStringLiteral("EMPTY.TVX"))).window.has_value());
    EXPECT_FALSE(readSignFile(sitePath(QStringLiteral("SHORT.TVX"))).window.has_value());
    EXPECT_FALSE(readSignFile(sitePath(QStringLiteral("HUGE.TVX"))).window.has_value()) << "no single holds 1e40";
    EXPECT_EQ(readSignFile(sitePath(QStringLiteral("NONE.TVX"))).outcome, ReadOutcome::Missing);
}

}  // namespace
}  // namespace tavelcor
