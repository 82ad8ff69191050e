// SPDX-License-Identifier: LicenseRef-Tavelcor
// How the converter ends a file: a character cut at the end becomes one "?"
// however the reads of the input fell, and a bad byte at the end is one "?"
// like a bad byte anywhere else.
#include "tools/ransko/convert.h"

#include "platform/text/cp932.h"

#include "chunked_device.h"

#include <QBuffer>
#include <QByteArray>
#include <QIODevice>

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct EndRow {
    const char* name;
    QByteArray utf8;
    QByteArray cp932;

    friend void PrintTo(const EndRow& row, std::ostream* out) { *out << row.name; }
};

class ConvertedEnd : public testing::TestWithParam<EndRow> {};

TEST_P(ConvertedEnd, IsTheSameForEveryReadSize)
{
    for (const qint64 chunk : {1, 2, 3, 1 << 20}) {
        ChunkedDevice in(GetParam().utf8, chunk);
        QBuffer out;
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_TRUE(ransko::convertUtf8ToCp932(in, out));
        EXPECT_EQ(out.data(), GetParam().cp932) << "read size " << chunk;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConvertedEnd,
    testing::Values(
        EndRow{"empty", "", ""},
        EndRow{"whole_kanji_at_end", QStringLiteral(u"a地").toUtf8(), "a" + platform::toCp932(u"地")},
        EndRow{"whole_emoji_at_end", QStringLiteral(u"a😀").toUtf8(), "a??"},
        // 地 is E5 9C B0: its last byte never came.
        EndRow{"cut_three_byte_character", "a\xE5\x9C", "a?"},
        EndRow{"cut_after_one_byte", "a\xE5", "a?"},
        // 😀 is F0 9F 98 80.
        EndRow{"cut_four_byte_character", "a\xF0\x9F\x98", "a?"},
        EndRow{"cut_after_a_whole_kanji", QByteArray("\xE5\x9C\xB0\xE5\x9C"), platform::toCp932(u"地") + "?"},
        EndRow{"cut_byte_order_mark", "\xEF\xBB", "?"},
        // Bytes that can never start a character are replaced where they
        // stand, at the end as anywhere else: one "?" each.
        EndRow{"bad_byte_ff_at_end", "a\xFF", "a?"},
        EndRow{"bad_byte_f8_at_end", "a\xF8", "a?"},
        EndRow{"bad_byte_c0_at_end", "a\xC0", "a?"},
        EndRow{"stray_continuation_at_end", "a\x80", "a?"},
        EndRow{"bad_byte_inside", "a\xFF" "b", "a?b"}),
    [](const auto& info) { return std::string(info.param.name); });

// A file that is cut one byte into the block after a full one: the
// character's first bytes came with the first block, its last byte is
// missing.
TEST(ConvertStream, CharacterCutAcrossAFullBlockGivesOneQuestionMark)
{
    QByteArray utf8((1 << 20) - 2, 'x');
    utf8 += "\xF0\x9F\x98";  // two bytes in the first block, one in the next
    QBuffer in;
    in.setData(utf8);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QBuffer out;
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    ASSERT_TRUE(ransko::convertUtf8ToCp932(in, out));
    EXPECT_EQ(out.data(), QByteArray((1 << 20) - 2, 'x') + "?");
}

// The byte after an incomplete character that ended a read block was
// dropped: "<X>" became "?X>" when a block of 1 MiB ended in the middle of a
// character whose remaining bytes never came. However the reads fall, the
// bad bytes read as they do anywhere in the text (one "?" each) and the text
// after them is whole.
TEST(ConvertStream, TextAfterAnIncompleteCharacterAtABlockEndIsKept)
{
    const QByteArray lead((1 << 20) - 2, 'x');
    const QByteArray cut = "\xE3\x81";  // the first two bytes of a three-byte character
    QBuffer in;
    in.setData(lead + cut + "<X>");
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    QBuffer out;
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    ASSERT_TRUE(ransko::convertUtf8ToCp932(in, out));
    EXPECT_EQ(out.data(), lead + "?\?<X>");

    for (const qint64 chunk : {1, 2, 3, 4, 5}) {
        ChunkedDevice small("a" + cut + "<X>\xF0\x9F" + "b", chunk);
        QBuffer converted;
        ASSERT_TRUE(converted.open(QIODevice::WriteOnly));
        ASSERT_TRUE(ransko::convertUtf8ToCp932(small, converted));
        EXPECT_EQ(converted.data(), QByteArray("a?\?<X>?\?b")) << "read size " << chunk;
    }
}

// Found by fuzzing: bad sequences that run into each other ("CD CD", a cut
// three-byte character followed by the start of another) came out shorter
// when the reads cut them, as the decoder held a lead byte back at the end
// of a read. The text is the same for every read size, the fuzzer's input
// among the rows.
TEST(ConvertStream, BadSequencesReadTheSameForEveryReadSize)
{
    const QByteArray rows[] = {
        "a\xCD\xCD\xCD\x00b",
        "\xE3\x81\xE3\x81<\xE3\x81\xCD\xCD",
        "x\xF0\x9F\xF0\x9F\x98\x80\xC2\xC2\xC2y\xE3",
        "A01,1,\xD5\xAB\x8A""E\x93_\x8D@,100.000,\r\n\x96""5o0}\xAD}\xADxu\x81`\n\r\xB1\xB2\xB3,\x83\\\r\n"
        "last\x92\x92\x92\x92""e without en" + QByteArray(27, '\0') + QByteArray(40, '\xCD') + QByteArray(10, '\0'),
    };
    for (const QByteArray& utf8 : rows) {
        ChunkedDevice whole(utf8, utf8.size() + 1);
        QBuffer reference;
        ASSERT_TRUE(reference.open(QIODevice::WriteOnly));
        ASSERT_TRUE(ransko::convertUtf8ToCp932(whole, reference));
        for (qint64 chunk = 1; chunk <= 8; ++chunk) {
            ChunkedDevice in(utf8, chunk);
            QBuffer out;
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            ASSERT_TRUE(ransko::convertUtf8ToCp932(in, out));
            EXPECT_EQ(out.data(), reference.data()) << "read size " << chunk << ", input " << utf8.toHex().constData();
        }
    }
}

}  // namespace
