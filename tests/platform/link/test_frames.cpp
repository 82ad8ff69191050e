// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/link/frames.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(LinkFrames, FramesSplitAnywhereComeBackWhole)
{
    const QByteArray stream = frame("first") + frame("") + frame(QByteArray(1000, 'x'));
    // Every way of cutting the stream in two gives the same three payloads.
    for (qsizetype cut = 0; cut <= stream.size(); cut += 7) {
        FrameReader reader;
        std::vector<QByteArray> got;
        reader.append(QByteArrayView(stream).first(cut));
        while (auto payload = reader.next())
            got.push_back(*payload);
        reader.append(QByteArrayView(stream).sliced(cut));
        while (auto payload = reader.next())
            got.push_back(*payload);
        ASSERT_EQ(got.size(), 3u) << "cut at " << cut;
        EXPECT_EQ(got[0], QByteArray("first"));
        EXPECT_TRUE(got[1].isEmpty());
        EXPECT_EQ(got[2], QByteArray(1000, 'x'));
        EXPECT_FALSE(reader.failed());
    }
}

TEST(LinkFrames, OversizedLengthMarksAForeignPeer)
{
    FrameReader reader;
    reader.append(QByteArray("\x7f\xff\xff\xff" "abc", 7));
    EXPECT_FALSE(reader.next().has_value());
    EXPECT_TRUE(reader.failed());
    reader.append(frame("later"));
    EXPECT_FALSE(reader.next().has_value()) << "nothing after a foreign frame";
}

TEST(LinkFrames, LengthIsBigEndian)
{
    const QByteArray f = frame("ab");
    EXPECT_EQ(f, QByteArray("\0\0\0\x02" "ab", 6));
}

}  // namespace
}  // namespace platform
