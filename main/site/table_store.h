// SPDX-License-Identifier: LicenseRef-Tavelcor
// The memory of the shared tables, made so that putting a table back to its
// start value costs in proportion to what a run touched, not to the table's
// size (the tables hold about 120 MB; tests and the fuzz targets reset them
// between every two cases).
//
// A large table lies in whole pages of its own:
// - A table whose cells start as zero (numbers, null texts) lies in
//   anonymous memory, which the system hands out zero-filled on first touch.
//   A reset releases the table's pages (madvise MADV_DONTNEED); the next
//   touch reads zero again. Releasing pages nobody touched costs nothing.
// - A table with another start value (the free coordinate name "_?>") lies
//   in a private copy of a memory file that holds the start value in every
//   cell. A reset releases the pages written since the last reset, which
//   brings back the file's content.
// Behind the pages of each table lies a guard page that cannot be touched
// (see mapZeroPages), so that an overrun does not reach the next table.
// Texts that own heap memory are released before their pages are: only the
// cells of pages the run touched are looked at (the process's page map
// tells which). Where the system does not tell, every cell is looked at:
// slower, the same result.
//
// Null texts must be all-zero bytes for this (Qt 6's null QString is); that
// is checked once, and a table whose cell type does not pass lives on the
// heap and is reset cell by cell, as do small tables.
//
// Linux only (mmap, madvise, memfd_create, /proc/self/pagemap).
// Single-threaded, like the tables.
#pragma once

#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace tavelcor::tablestore {

// Tables smaller than this live on the heap: resetting them cell by cell is
// cheaper than asking the system about their pages.
inline constexpr std::size_t kMappedBytes = std::size_t(64) * 1024;

// A run of bytes [begin, end) of a mapping, page-aligned.
struct ByteRun {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Page-aligned anonymous memory of at least bytes bytes (rounded up to whole
// pages), every byte zero, followed by a guard page that can be neither read
// nor written: an overrun through a pointer stops the program there. Under
// AddressSanitizer the bytes between the last cell (bytes) and the page end
// are marked as no one's, so that an overrun into them is reported too.
// Throws std::bad_alloc when the system refuses.
std::byte* mapZeroPages(std::size_t bytes);

// Puts a private copy of a memory file in the place of the pages at base:
// write() fills the file's bytes first. False (the pages unchanged) when the
// system offers no memory file.
bool mapStartImage(std::byte* base, std::size_t bytes, const std::function<void(std::byte*)>& write);

// Gives the pages of mapZeroPages, with their guard page, back to the system.
void unmapPages(std::byte* base, std::size_t bytes);

// The size of a huge page (x86-64, arm64 with 4 KB pages), and the run of
// prefaultPages() from which its pages are asked for as huge pages.
inline constexpr std::size_t kHugePageBytes = std::size_t(2) << 20;
inline constexpr std::size_t kHugeRunBytes = std::size_t(64) << 10;

// Has the system give the pages that hold [begin, begin + bytes) now, ready
// for writing, in one call: cheaper than one page fault per page for a
// reader about to fill them, and it changes no byte. A run of kHugeRunBytes
// or more in a mapping of mapZeroPages (base, mappedBytes) is widened to
// the huge pages it reaches into that lie whole in the mapping, and those
// come as huge pages where the system has them (a reader that fills that
// much fills on: it costs at most a huge page more per table, until the
// next releasePages()). Does nothing where the system cannot (the pages
// then come one fault at a time as before).
void prefaultPages(std::byte* begin, std::size_t bytes, std::byte* base = nullptr,
                   std::size_t mappedBytes = 0) noexcept;

// Releases the pages: anonymous pages read zero again, pages of a start
// image read the image's content again.
void releasePages(std::byte* base, std::size_t bytes);

// Runs of pages that may hold other bytes than the start content: pages
// touched since mapping or the last release (anonymous memory), or pages
// written (start image). One run over everything when the system does not
// tell.
std::vector<ByteRun> touchedRuns(const std::byte* base, std::size_t bytes, bool startImage);

// ---- cell types --------------------------------------------------------------

template <typename T>
struct Cell {
    static_assert(std::is_arithmetic_v<T>, "table cells are numbers or texts");
    static bool ownsHeap(const T&) { return false; }
    static bool zeroIsDefault() { return true; }
    static bool copiesByBytes(const T&) { return true; }
};

template <>
struct Cell<QString> {
    // A text owns heap memory when it has a header (Qt: "mutable" data).
    static bool ownsHeap(const QString& text) { return text.data_ptr().isMutable(); }
    // True when a null QString is all-zero bytes (checked once).
    static bool zeroIsDefault();
    // A text that owns no heap memory (null, or a literal) is its bytes.
    static bool copiesByBytes(const QString& text) { return !ownsHeap(text); }
};

// ---- one table's cells ---------------------------------------------------------

// The cells of one table: count cells, allocated once, all T{} at first.
template <typename T>
class TableStore {
public:
    constexpr TableStore() noexcept = default;
    TableStore(const TableStore&) = delete;
    TableStore& operator=(const TableStore&) = delete;
    ~TableStore() { destroy(); }

    bool allocated() const noexcept { return mData != nullptr; }
    T* data() const noexcept { return mData; }
    std::size_t size() const noexcept { return mCount; }

    // Allocates count cells, each T{}, unless allocated already.
    void allocate(std::size_t count)
    {
        if (mData)
            return;
        mCount = count;
        mStart = T{};
        mBytes = count * sizeof(T);
        if (mBytes >= kMappedBytes && Cell<T>::zeroIsDefault()) {
            // Zero pages are already cells of value T{}; nothing is touched.
            mData = reinterpret_cast<T*>(mapZeroPages(mBytes));
            mMapped = true;
            return;
        }
        mHeap = std::make_unique<T[]>(count);
        mData = mHeap.get();
    }

    // Makes value the start value of every cell and gives it to every cell.
    // A mapped table keeps it in a start image when value is its bytes.
    void setStartValue(const T& value)
    {
        mStart = value;
        if (mMapped && !mStartImage && Cell<T>::copiesByBytes(value)) {
            releaseHeldHeap(everything());
            const auto write = [this](std::byte* bytes) {
                for (std::size_t i = 0; i < mCount; ++i)
                    std::memcpy(static_cast<void*>(bytes + i * sizeof(T)), static_cast<const void*>(&mStart),
                                sizeof(T));
            };
            if (mapStartImage(reinterpret_cast<std::byte*>(mData), mBytes, write)) {
                mStartImage = true;
                return;
            }
        }
        fill(value);
    }

    // Has the pages of cells [first, first + count) given now, for a reader
    // about to write them (see prefaultPages); no cell changes. Only for
    // mapped tables: the heap of a small one is in place already.
    void prefault(std::size_t first, std::size_t count) const noexcept
    {
        if (!mMapped || first >= mCount)
            return;
        count = std::min(count, mCount - first);
        prefaultPages(reinterpret_cast<std::byte*>(mData + first), count * sizeof(T),
                      mStartImage ? nullptr : reinterpret_cast<std::byte*>(mData), mBytes);
    }

    // Every cell back to the start value.
    void reset()
    {
        if (!mData)
            return;
        if (!pagesHoldStart()) {
            fill(mStart);
            return;
        }
        if constexpr (!std::is_arithmetic_v<T>)
            releaseHeldHeap(touchedRuns(reinterpret_cast<const std::byte*>(mData), mBytes, mStartImage));
        releasePages(reinterpret_cast<std::byte*>(mData), mBytes);
    }

    // Writes value into every cell (touches every page).
    void fill(const T& value)
    {
        const T copy = value;  // value may be a cell of this table
        std::fill_n(mData, mCount, copy);
    }

private:
    // True when releasing the pages gives the start value: zero pages for a
    // zero start, or a start image.
    bool pagesHoldStart() const
    {
        if (!mMapped)
            return false;
        if (mStartImage)
            return true;
        const auto* bytes = reinterpret_cast<const unsigned char*>(&mStart);
        return std::all_of(bytes, bytes + sizeof(T), [](unsigned char b) { return b == 0; });
    }

    std::vector<ByteRun> everything() const { return {ByteRun{0, mBytes}}; }

    // Gives back the heap memory of the texts in the runs (cells that reach
    // into a run are looked at whole).
    void releaseHeldHeap(const std::vector<ByteRun>& runs)
    {
        if constexpr (!std::is_arithmetic_v<T>) {
            for (const ByteRun& run : runs) {
                const std::size_t first = run.begin / sizeof(T);
                const std::size_t last = std::min(mCount, (run.end + sizeof(T) - 1) / sizeof(T));
                for (std::size_t i = first; i < last; ++i) {
                    if (Cell<T>::ownsHeap(mData[i]))
                        mData[i] = mStart;
                }
            }
        }
    }

    void destroy()
    {
        if (!mData)
            return;
        if (mMapped) {
            if constexpr (!std::is_arithmetic_v<T>) {
                releaseHeldHeap(pagesHoldStart()
                                    ? touchedRuns(reinterpret_cast<const std::byte*>(mData), mBytes, mStartImage)
                                    : everything());
            }
            unmapPages(reinterpret_cast<std::byte*>(mData), mBytes);
        }
        mHeap.reset();
        mData = nullptr;
    }

    T* mData = nullptr;
    std::unique_ptr<T[]> mHeap;  // small tables, or cells whose zero bytes are no value
    std::size_t mCount = 0;
    std::size_t mBytes = 0;
    T mStart{};
    bool mMapped = false;
    bool mStartImage = false;
};

}  // namespace tavelcor::tablestore
