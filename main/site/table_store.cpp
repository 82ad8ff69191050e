// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/table_store.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>

// The leak checker of AddressSanitizer only follows pointers held in memory
// it knows of: pages mapped here are made known to it, so that the texts the
// tables hold count as reachable. Without the sanitizer these are absent.
extern "C" {
void __lsan_register_root_region(const void* begin, std::size_t size) __attribute__((weak));
void __lsan_unregister_root_region(const void* begin, std::size_t size) __attribute__((weak));
// AddressSanitizer's marks of memory no cell owns: the slack between a
// table's last cell and its page end is marked, so that a write through a
// pointer just past the table is reported. Absent without the sanitizer.
void __asan_poison_memory_region(const volatile void* begin, std::size_t size) __attribute__((weak));
void __asan_unpoison_memory_region(const volatile void* begin, std::size_t size) __attribute__((weak));
}

namespace tavelcor::tablestore {
namespace {

std::size_t pageSize()
{
    static const std::size_t size = std::size_t(sysconf(_SC_PAGESIZE));
    return size;
}

std::size_t wholePages(std::size_t bytes)
{
    const std::size_t page = pageSize();
    return (bytes + page - 1) / page * page;
}

// Marks the bytes from the end of the cells (base + bytes) to the end of
// their pages as owned by no one, for AddressSanitizer.
void poisonSlack(std::byte* base, std::size_t bytes)
{
    if (__asan_poison_memory_region && wholePages(bytes) > bytes)
        __asan_poison_memory_region(base + bytes, wholePages(bytes) - bytes);
}

void unpoisonSlack(std::byte* base, std::size_t bytes)
{
    if (__asan_unpoison_memory_region && wholePages(bytes) > bytes)
        __asan_unpoison_memory_region(base + bytes, wholePages(bytes) - bytes);
}

std::uintptr_t hugePageDown(std::uintptr_t address)
{
    return address / kHugePageBytes * kHugePageBytes;
}

std::uintptr_t hugePageUp(std::uintptr_t address)
{
    return hugePageDown(address + kHugePageBytes - 1);
}

// The page map of this process, opened once; -1 when the system does not
// give it.
int pageMap()
{
    static const int fd = ::open("/proc/self/pagemap", O_RDONLY | O_CLOEXEC);
    return fd;
}

// Bits of a page map entry (Linux Documentation/admin-guide/mm/pagemap.rst).
constexpr std::uint64_t kPresent = std::uint64_t(1) << 63;
constexpr std::uint64_t kSwapped = std::uint64_t(1) << 62;
constexpr std::uint64_t kFileOrShared = std::uint64_t(1) << 61;

// True when the page of a start image's entry may hold other bytes than the
// image: a page that was only read maps the file's page; one that was
// written is a private copy (neither file nor shared), or swapped out.
bool pageWritten(std::uint64_t entry)
{
    if ((entry & kSwapped) != 0)
        return true;
    return (entry & kPresent) != 0 && (entry & kFileOrShared) == 0;
}

}  // namespace

bool Cell<QString>::zeroIsDefault()
{
    static const bool zero = [] {
        const QString null;
        std::array<unsigned char, sizeof(QString)> bytes{};
        std::memcpy(bytes.data(), static_cast<const void*>(&null), sizeof(QString));
        return std::all_of(bytes.begin(), bytes.end(), [](unsigned char b) { return b == 0; });
    }();
    return zero;
}

std::byte* mapZeroPages(std::size_t bytes)
{
    const std::size_t length = wholePages(bytes);
    const std::size_t guard = pageSize();
    // A table of a huge page or more starts on a huge page's boundary, so
    // that a reader filling it can have it in whole huge pages (see
    // prefaultPages): the mapping is made a huge page longer and cut.
    const std::size_t slack = length >= kHugePageBytes ? kHugePageBytes : 0;
    void* mapped = ::mmap(nullptr, length + guard + slack, PROT_READ | PROT_WRITE,
                          MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    auto* p = static_cast<std::byte*>(mapped);
    if (slack != 0) {
        const std::size_t head = hugePageUp(reinterpret_cast<std::uintptr_t>(p)) - reinterpret_cast<std::uintptr_t>(p);
        if (head != 0)
            ::munmap(p, head);
        if (slack - head != 0)
            ::munmap(p + head + length + guard, slack - head);
        p += head;
    }
    // The page after the table can be neither read nor written: an overrun
    // through a pointer stops the program there instead of changing the
    // next table.
    if (::mprotect(p + length, guard, PROT_NONE) != 0) {
        ::munmap(p, length + guard);
        throw std::bad_alloc();
    }
    // Huge pages would make one touched cell cost 2 MB at the next reset:
    // only a reader's long runs ask for them.
    (void)::madvise(p, length, MADV_NOHUGEPAGE);
    if (__lsan_register_root_region)
        __lsan_register_root_region(p, length);
    poisonSlack(p, bytes);
    return static_cast<std::byte*>(p);
}

bool mapStartImage(std::byte* base, std::size_t bytes, const std::function<void(std::byte*)>& write)
{
    const std::size_t length = wholePages(bytes);
    const int fd = ::memfd_create("tavelcor-table", MFD_CLOEXEC);
    if (fd < 0)
        return false;
    bool mapped = false;
    if (::ftruncate(fd, off_t(length)) == 0) {
        void* image = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (image != MAP_FAILED) {
            write(static_cast<std::byte*>(image));
            ::munmap(image, length);
            mapped = ::mmap(base, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_FIXED, fd, 0) != MAP_FAILED;
        }
    }
    ::close(fd);  // the mapping keeps the file
    if (mapped)
        poisonSlack(base, bytes);  // a new mapping may have lost the marks
    return mapped;
}

void unmapPages(std::byte* base, std::size_t bytes)
{
    const std::size_t length = wholePages(bytes);
    if (__lsan_unregister_root_region)
        __lsan_unregister_root_region(base, length);
    // The addresses may serve other memory next: they lose the marks.
    unpoisonSlack(base, bytes);
    ::munmap(base, length + pageSize());  // with the guard page
}

void prefaultPages(std::byte* begin, std::size_t bytes, std::byte* base, std::size_t mappedBytes) noexcept
{
#ifdef MADV_POPULATE_WRITE
    if (bytes == 0)
        return;
    const std::size_t page = pageSize();
    auto first = reinterpret_cast<std::uintptr_t>(begin) / page * page;
    auto end = reinterpret_cast<std::uintptr_t>(begin) + bytes;
    if (base != nullptr && bytes >= kHugeRunBytes) {
        // A long run: the whole huge pages it reaches into, within the
        // mapping, are asked for as huge pages. Each fresh small page costs
        // a fault and a miss in the address cache on first touch, which on
        // a virtual machine is dear; a huge page costs one of each.
        const auto mapBegin = hugePageUp(reinterpret_cast<std::uintptr_t>(base));
        const auto mapEnd = hugePageDown(reinterpret_cast<std::uintptr_t>(base) + wholePages(mappedBytes));
        const auto hugeBegin = std::max(hugePageDown(first), mapBegin);
        const auto hugeEnd = std::min(hugePageUp(end), mapEnd);
        if (hugeBegin < hugeEnd) {
            (void)::madvise(reinterpret_cast<void*>(hugeBegin), hugeEnd - hugeBegin, MADV_HUGEPAGE);
            first = std::min(first, hugeBegin);
            end = std::max(end, hugeEnd);
        }
    }
    // A system older than Linux 5.14 refuses the advice: nothing is lost.
    (void)::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
#else
    (void)begin;
    (void)bytes;
#endif
}

void releasePages(std::byte* base, std::size_t bytes)
{
    (void)::madvise(base, wholePages(bytes), MADV_DONTNEED);
    // Small pages again until a reader's long run asks for huge ones.
    (void)::madvise(base, wholePages(bytes), MADV_NOHUGEPAGE);
}

namespace {

// Appends page number `index` to the runs.
void addPage(std::vector<ByteRun>& runs, std::size_t index, std::size_t page)
{
    const std::size_t begin = index * page;
    if (!runs.empty() && runs.back().end == begin)
        runs.back().end = begin + page;
    else
        runs.push_back({begin, begin + page});
}

// Pages of anonymous memory that are in memory: touched since mapping or the
// last release (a page only read maps the shared zero page and counts too).
// A page that was swapped out is not seen: its texts' heap memory would not
// be given back, though the page itself is released all the same.
std::vector<ByteRun> residentRuns(const std::byte* base, std::size_t bytes)
{
    const std::size_t page = pageSize();
    const std::size_t pages = wholePages(bytes) / page;
    std::array<unsigned char, 4096> resident;
    std::vector<ByteRun> runs;
    for (std::size_t from = 0; from < pages; from += resident.size()) {
        const std::size_t count = std::min(resident.size(), pages - from);
        void* start = const_cast<std::byte*>(base) + from * page;
        if (::mincore(start, count * page, resident.data()) != 0)
            return {ByteRun{0, bytes}};
        for (std::size_t k = 0; k < count; ++k) {
            if ((resident[k] & 1U) != 0)
                addPage(runs, from + k, page);
        }
    }
    return runs;
}

}  // namespace

std::vector<ByteRun> touchedRuns(const std::byte* base, std::size_t bytes, bool startImage)
{
    if (!startImage)
        return residentRuns(base, bytes);
    const std::size_t page = pageSize();
    const std::size_t pages = wholePages(bytes) / page;
    const int fd = pageMap();
    if (fd < 0)
        return {ByteRun{0, bytes}};
    const auto firstPage = reinterpret_cast<std::uintptr_t>(base) / page;
    // The entries are read a few thousand at a time, into a buffer on the
    // stack: a reset must not allocate in proportion to the table's size.
    std::array<std::uint64_t, 1024> entries;
    std::vector<ByteRun> runs;
    for (std::size_t from = 0; from < pages; from += entries.size()) {
        const std::size_t count = std::min(entries.size(), pages - from);
        const auto want = static_cast<ssize_t>(count * sizeof(std::uint64_t));
        if (::pread(fd, entries.data(), std::size_t(want), off_t((firstPage + from) * sizeof(std::uint64_t))) != want)
            return {ByteRun{0, bytes}};
        for (std::size_t k = 0; k < count; ++k) {
            if (pageWritten(entries[k]))
                addPage(runs, from + k, page);
        }
    }
    return runs;
}

}  // namespace tavelcor::tablestore
