// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/desktop/system_clipboard.h"
#include "platform/system/clipboard.h"

#include <gtest/gtest.h>

namespace {

// Texts the system puts on the clipboard: a SIMA hand-over with CR LF line
// ends, TAB point rows and the workbook's Japanese reply.
const QString kTexts[] = {
    QStringLiteral("Z00,NEW_SIMA 地理院標高API,\r\nA00,\r\nA01,1,P1,1.000,2.000,3.000,\r\n"),
    QStringLiteral("1\tP1\t-1234.56\t789.01\r\n2\tP2\t0\t0\r\n"),
    QStringLiteral("測定済"),
};

void roundTrip(platform::Clipboard& board)
{
    for (const QString& text : kTexts) {
        board.setText(text);
        EXPECT_EQ(board.text(), text);
    }
    board.clear();
    EXPECT_TRUE(board.text().isEmpty());
}

TEST(Clipboard, SystemClipboardRoundTripsOnTheOffscreenDesktop)
{
    platform::SystemClipboard board;
    roundTrip(board);
}

TEST(Clipboard, TwoSystemClipboardObjectsShareTheDesktopClipboard)
{
    platform::SystemClipboard writer;
    platform::SystemClipboard reader;
    writer.setText(QStringLiteral("Z00,SIMA_RELOAD,"));
    EXPECT_EQ(reader.text(), QStringLiteral("Z00,SIMA_RELOAD,"));
    reader.clear();
    EXPECT_TRUE(writer.text().isEmpty());
}

TEST(Clipboard, MemoryClipboardRoundTripsAndStartsWithItsText)
{
    platform::MemoryClipboard board(QStringLiteral("Z00,NEW_SIMA,"));
    EXPECT_EQ(board.text(), QStringLiteral("Z00,NEW_SIMA,"));
    roundTrip(board);
}

}  // namespace
