// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/link/link_name.h"

#include "scoped_env.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace platform {
namespace {

struct TopicRow {
    const char* text;
    bool valid;
    const char* application;
    const char* topic;
};

class LinkTopicText : public ::testing::TestWithParam<TopicRow> {};

TEST_P(LinkTopicText, Splits)
{
    const TopicRow& row = GetParam();
    const auto parsed = parseLinkTopic(QString::fromUtf8(row.text));
    ASSERT_EQ(parsed.has_value(), row.valid) << row.text;
    if (parsed) {
        EXPECT_EQ(parsed->application, QString::fromUtf8(row.application));
        EXPECT_EQ(parsed->topic, QString::fromUtf8(row.topic));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, LinkTopicText,
                         ::testing::Values(TopicRow{"FALDREN|ORBELA_TEXT7", true, "FALDREN", "ORBELA_TEXT7"},
                                           TopicRow{"Excel|境界", true, "Excel", "境界"},
                                           TopicRow{"FALDREN", false, "", ""},
                                           TopicRow{"|ORBELA_TEXT7", false, "", ""},
                                           TopicRow{"FALDREN|", false, "", ""},
                                           TopicRow{"a|b|c", false, "", ""},
                                           TopicRow{"", false, "", ""}));

TEST(LinkNames, CompareWithoutCase)
{
    // Server names hold the program folder: one of this test's own.
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    testing_support::ScopedEnv env("TAVELCOR_HOME", home.path());
    EXPECT_TRUE(sameLinkName(u"ORBELA_TEXT7", u"orbela_text7"));
    EXPECT_TRUE(sameLinkName(u"Text7", u"TEXT7"));
    EXPECT_TRUE(sameLinkName(u"R4C24", u"r4c24"));
    EXPECT_FALSE(sameLinkName(u"Text7", u"Text8"));
    EXPECT_EQ(linkServerName(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7")),
              linkServerName(QStringLiteral("faldren"), QStringLiteral("orbela_text7")));
    EXPECT_NE(linkServerName(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT7")),
              linkServerName(QStringLiteral("FALDREN"), QStringLiteral("ORBELA_TEXT8")));
}

TEST(LinkNames, ServerNameBelongsToTheProgramFolder)
{
    QTemporaryDir one;
    QTemporaryDir two;
    QString first;
    {
        testing_support::ScopedEnv home("TAVELCOR_HOME", one.path());
        first = linkServerName(QStringLiteral("Excel"), QStringLiteral("境界"));
    }
    testing_support::ScopedEnv home("TAVELCOR_HOME", two.path());
    EXPECT_NE(first, linkServerName(QStringLiteral("Excel"), QStringLiteral("境界")));
    // Short enough for a socket path, whatever the topic.
    EXPECT_LT(linkServerName(QStringLiteral("Excel"), QString(300, QChar(u'境'))).size(), 80);
}

}  // namespace
}  // namespace platform
