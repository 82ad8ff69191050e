// SPDX-License-Identifier: LicenseRef-Tavelcor
// Texts made side by side in shared blocks: they read as the texts they
// were made from, each change copies a text out first, and a block lives as
// long as the last text in it.
#include "platform/text/text_block.h"

#include "platform/text/cp932.h"

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <vector>

namespace {

using platform::TextBlockMaker;

// True when the text's characters end in the zero a QString keeps behind them.
bool endsInZero(const QString& text)
{
    return text.utf16()[text.size()] == 0;
}

TEST(TextBlock, DecodesAndCopiesAsTheTextKitDoes)
{
    TextBlockMaker maker;
    const QByteArray bytes = platform::toCp932(u"境界①-12 ㎡") + QByteArray("\x82\x2C\xFF", 3);
    const QString decoded = maker.fromCp932(bytes);
    EXPECT_EQ(decoded, platform::fromCp932(bytes));
    EXPECT_TRUE(endsInZero(decoded));
    const QString copied = maker.copy(u"杭－3");
    EXPECT_EQ(copied, QStringLiteral("杭－3"));
    EXPECT_TRUE(endsInZero(copied));
    EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(copied.utf16())), copied) << "read as a zero-ended text";
    // Null and empty as a view's toString() gives them.
    EXPECT_TRUE(maker.fromCp932(QByteArrayView()).isNull());
    EXPECT_FALSE(maker.fromCp932(QByteArrayView("", 0)).isNull());
    EXPECT_TRUE(maker.fromCp932(QByteArrayView("", 0)).isEmpty());
    EXPECT_TRUE(maker.copy(QStringView()).isNull());
    EXPECT_FALSE(maker.copy(QStringView(u"", 0)).isNull());
}

// ASCII texts are widened as they stand and every other one decoded: the
// texts side by side read as the decoder gives them, whichever way each
// went, at the edge of ASCII too.
TEST(TextBlock, AsciiAndOtherTextsSideBySideDecodeAsTheTextKitDoes)
{
    const QByteArray forms[] = {
        QByteArray("K12"),
        QByteArray("\x7f\x01 ~"),
        QByteArray("A\x80"),                 // not a CP932 character
        QByteArray("\xB1\xB2"),             // half-width katakana
        QByteArray("F1\x82\xA0"),           // a two-byte character after ASCII
        QByteArray("\x82"),                  // a lead byte without its trail
        QByteArray("x", 1) + QByteArray(1, '\0') + QByteArray("y"),
        platform::toCp932(u"杭5"),
    };
    TextBlockMaker maker;
    std::vector<QString> texts;
    for (int round = 0; round < 3; ++round) {
        for (const QByteArray& bytes : forms)
            texts.push_back(maker.fromCp932(bytes));
    }
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const QByteArray& bytes = forms[i % std::size(forms)];
        EXPECT_EQ(texts[i], platform::fromCp932(bytes)) << bytes.toHex().constData();
        EXPECT_TRUE(endsInZero(texts[i]));
    }
}

TEST(TextBlock, AChangeCopiesTheTextOutAndLeavesItsNeighboursAlone)
{
    TextBlockMaker maker;
    QString a = maker.copy(u"A1");
    const QString b = maker.copy(u"B2");
    QString shared = b;
    a.append(u"xyz");
    a[0] = u'Z';
    shared.replace(u'B', u'C');
    EXPECT_EQ(a, QStringLiteral("Z1xyz"));
    EXPECT_EQ(b, QStringLiteral("B2"));
    EXPECT_EQ(shared, QStringLiteral("C2"));
    EXPECT_TRUE(a.isDetached() && shared.isDetached()) << "changed texts hold blocks of their own";
}

// The count of a block is that of the texts in it: when every other text and
// the maker are gone, the last one holds its block alone (a count left too
// high would leak the block, one too low would free it under the text).
TEST(TextBlock, ABlockLivesAsLongAsItsLastText)
{
    QString kept;
    {
        TextBlockMaker maker;
        std::vector<QString> texts;
        for (int i = 0; i < 100; ++i)
            texts.push_back(maker.copy(QString::number(i)));
        kept = texts[50];
        texts[7] = QString();  // freed while the block is still open
        EXPECT_FALSE(kept.isDetached());
    }
    EXPECT_EQ(kept, QStringLiteral("50"));
    EXPECT_TRUE(kept.isDetached()) << "the last text holds its block alone";
    kept.append(u'!');  // grows in its own block
    EXPECT_EQ(kept, QStringLiteral("50!"));
}

TEST(TextBlock, TextsFillBlockAfterBlockAndLongTextsStandAlone)
{
    auto maker = std::make_unique<TextBlockMaker>();
    std::vector<QString> texts;
    const QString name = QStringLiteral("境界点名称-");
    // Enough for the growing blocks up to the largest and into a second
    // largest one.
    const int count = static_cast<int>(
        (2 * TextBlockMaker::kLargestBlockCharacters + TextBlockMaker::kLargestBlockCharacters / 2) / (name.size() + 6));
    for (int i = 0; i < count; ++i)
        texts.push_back(maker->copy(name + QString::number(100000 + i)));
    const QString longText(TextBlockMaker::kBlockCharacters + 10, u'x');
    const QString alone = maker->copy(longText);
    EXPECT_EQ(alone, longText);
    EXPECT_TRUE(alone.isDetached());
    maker.reset();
    for (int i = 0; i < count; ++i)
        ASSERT_EQ(texts[static_cast<std::size_t>(i)], name + QString::number(100000 + i)) << i;
    EXPECT_TRUE(texts.back().utf16()[texts.back().size()] == 0);
}

}  // namespace
