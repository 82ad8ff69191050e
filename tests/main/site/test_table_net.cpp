// SPDX-License-Identifier: LicenseRef-Tavelcor
// The net under the shared tables: an index outside a table stops the
// program with the table's name and the index where bounds are checked (the
// sanitizer build, debug builds), and a write through a pointer past a
// table's pages stops it in every build (the guard page), or just past its
// last cell under AddressSanitizer (the marked slack).
#include "main/site/tables.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TAVELCOR_TEST_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) && !defined(TAVELCOR_TEST_ASAN)
#define TAVELCOR_TEST_ASAN 1
#endif

namespace tavelcor {
namespace {

constexpr bool kAddressSanitizer =
#ifdef TAVELCOR_TEST_ASAN
    true;
#else
    false;
#endif

class TableNetDeathTest : public testing::Test {
protected:
    void SetUp() override
    {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        resetTables();
    }
};

// A bad index and the message that must name it.
struct BadIndex {
    const char* what;
    std::function<void()> access;
    const char* message;  // a regular expression
};

TEST_F(TableNetDeathTest, BadIndexStopsWithTheTableNameAndIndex)
{
    if (!kTableBoundsChecked)
        GTEST_SKIP() << "this build does not check table indexes (a release build keeps the redraw's "
                        "speed); the sanitizer build and debug builds do";
    const BadIndex cases[] = {
        {"write one past the coordinates", [] { ZahyoX[kZahyoTop + 1] = 1.0; },
         "table ZahyoX: index 500001 outside 0\\.\\.500000"},
        {"read one past the coordinates", [] { (void)std::as_const(ZahyoY)[kZahyoTop + 1]; },
         "table ZahyoY: index 500001 outside 0\\.\\.500000"},
        {"name before the first", [] { ZahyoName[-1] = QStringLiteral("A"); },
         "table ZahyoName: index -1 outside 0\\.\\.500000"},
        {"small table on the heap", [] { TxtLineShow[kTxtLineTop + 1] = 1; },
         "table TxtLineShow: index 501 outside 0\\.\\.500"},
        {"first index of a two-dimensional table", [] { UndoText(2, 0) = QStringLiteral("x"); },
         "table UndoText: index \\(2, 0\\) outside \\(0\\.\\.1, 0\\.\\.20001\\)"},
        {"second index of a two-dimensional table", [] { (void)std::as_const(MoveLines)(1, kMoveLinesTop + 1); },
         "table MoveLines: index \\(1, 101\\) outside \\(0\\.\\.1, 0\\.\\.100\\)"},
    };
    for (const BadIndex& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_DEATH(c.access(), c.message);
    }
}

TEST(TableNet, TheSanitizerBuildChecksTableIndexes)
{
    // The sanitizer pass is where the net must be on: the suite and the
    // fuzz targets run there.
    if (!kAddressSanitizer)
        GTEST_SKIP() << "not built with AddressSanitizer";
    EXPECT_TRUE(kTableBoundsChecked);
}

TEST(TableNet, GoodIndexesAtBothEndsPass)
{
    resetTables();
    ZahyoX[0] = 1.0;
    ZahyoX[kZahyoTop] = 2.0;
    UndoText(1, kUndoTop) = QStringLiteral("after");
    EXPECT_EQ(std::as_const(ZahyoX)[0], 1.0);
    EXPECT_EQ(std::as_const(ZahyoX)[kZahyoTop], 2.0);
    EXPECT_EQ(UndoText(1, kUndoTop), QStringLiteral("after"));
    EXPECT_STREQ(ZahyoX.name(), "ZahyoX");
    EXPECT_STREQ(UndoText.name(), "UndoText");
}

// A table kept in pages of its own and where its cells end, in bytes.
struct PagedTable {
    const char* name;
    std::function<unsigned char*()> cells;
    std::size_t bytes;
};

template <typename Table>
PagedTable paged(const char* name, Table& table)
{
    return {name, [&table] { return reinterpret_cast<unsigned char*>(table.begin()); },
            std::size_t(Table::kSize) * sizeof(typename Table::value_type)};
}

// Large tables of each kind of storage: numbers and texts in zero pages, the
// free coordinate names in a start image, bytes that end inside a page.
std::vector<PagedTable> pagedTables()
{
    return {paged("ZahyoY", ZahyoY), paged("ZahyoLink", ZahyoLink), paged("ZahyoName", ZahyoName),
            paged("TegakiPen", TegakiPen), paged("KakuchiVertex", KakuchiVertex)};
}

void writeByte(unsigned char* at)
{
    *static_cast<volatile unsigned char*>(at) = 0x5A;
}

TEST_F(TableNetDeathTest, WriteIntoThePageAfterATableStops)
{
    const std::size_t page = std::size_t(sysconf(_SC_PAGESIZE));
    for (const PagedTable& t : pagedTables()) {
        SCOPED_TRACE(t.name);
        unsigned char* cells = t.cells();
        ASSERT_NE(cells, nullptr);
        unsigned char* pageEnd = cells + (t.bytes + page - 1) / page * page;
        EXPECT_DEATH(writeByte(pageEnd), "");
        EXPECT_DEATH(writeByte(pageEnd + page - 1), "");
    }
}

TEST_F(TableNetDeathTest, WriteJustPastTheLastCellIsReported)
{
    if (!kAddressSanitizer)
        GTEST_SKIP() << "the bytes between a table's last cell and its page end are marked for "
                        "AddressSanitizer only; this build has none";
    for (const PagedTable& t : pagedTables()) {
        SCOPED_TRACE(t.name);
        unsigned char* end = t.cells() + t.bytes;
        EXPECT_DEATH(writeByte(end), "AddressSanitizer: use-after-poison");
    }
}

TEST(TableNet, TheLastCellsAndThePageEndBeforeTheGuardStayUsable)
{
    // The guard and the marks lie beyond the cells: the last cell of every
    // kind of table is written and read back, and resets still work.
    resetTables();
    ZahyoY[kZahyoTop] = 3.5;
    ZahyoName[kZahyoTop] = QStringLiteral("P500000");
    TegakiPen[kTegakiTop] = 7;
    KakuchiVertex[kKakuchiVertexTop] = 42;
    EXPECT_EQ(std::as_const(ZahyoY)[kZahyoTop], 3.5);
    EXPECT_EQ(std::as_const(ZahyoName)[kZahyoTop], QStringLiteral("P500000"));
    EXPECT_EQ(std::as_const(TegakiPen)[kTegakiTop], 7);
    EXPECT_EQ(std::as_const(KakuchiVertex)[kKakuchiVertexTop], 42);
    resetTables();
    EXPECT_EQ(std::as_const(ZahyoY)[kZahyoTop], 0.0);
    EXPECT_EQ(std::as_const(ZahyoName)[kZahyoTop], freeZahyoName());
    EXPECT_EQ(std::as_const(TegakiPen)[kTegakiTop], 0);
}

}  // namespace
}  // namespace tavelcor
