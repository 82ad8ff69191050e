// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/text/text_block.h"

#include "platform/text/cp932.h"

#include <QArrayData>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>

namespace platform {
namespace {

using Block = QTypedArrayData<char16_t>;

// While a block is open, its reference count stands at more than the texts
// it can ever hand out (each takes at least two characters) and the maker's
// own, so that a text freed meanwhile never brings it to zero; closing the
// block sets the true count.
constexpr int kOpenCount = static_cast<int>(TextBlockMaker::kLargestBlockCharacters) + 1;

// Has the system give the pages that hold characters [begin, end) now, in
// one call, rather than one page fault each as texts fill them. Changes no
// byte; does nothing where the system cannot.
void prefault(char16_t* begin, char16_t* end)
{
#ifdef MADV_POPULATE_WRITE
    static const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(begin) / page * page;
    const std::uintptr_t last = (reinterpret_cast<std::uintptr_t>(end) + page - 1) / page * page;
    if (first < last)
        (void)madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
#else
    (void)begin;
    (void)end;
#endif
}

// Characters of a block prefaulted at a time, ahead of the texts: a few
// pages, so that the last block of a maker takes little memory it does not
// fill.
constexpr qsizetype kReadyRun = 8 * 1024;

QString emptyText()
{
    return QStringView(u"", 0).toString();
}

}  // namespace

TextBlockMaker::~TextBlockMaker()
{
    closeBlock();
}

QString TextBlockMaker::fromCp932(QByteArrayView bytes)
{
    if (bytes.isNull())
        return {};
    if (bytes.isEmpty())
        return emptyText();
    char16_t* out = room(bytes.size());
    if (out == nullptr)
        return platform::fromCp932(bytes);
    // Most names are ASCII, whose bytes are their characters: they are
    // widened in one pass that also tells whether the text is one of them;
    // any other text goes through the decoder over the same room.
    const auto* const data = reinterpret_cast<const unsigned char*>(bytes.data());
    unsigned char any = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        out[i] = data[i];
        any |= data[i];
    }
    if (any < 0x80)
        return take(bytes.size());
    return take(decodeCp932(bytes, reinterpret_cast<QChar*>(out)));
}

QString TextBlockMaker::copy(QStringView text)
{
    if (text.isNull())
        return {};
    if (text.isEmpty())
        return emptyText();
    char16_t* out = room(text.size());
    if (out == nullptr)
        return text.toString();
    std::copy_n(text.utf16(), text.size(), out);
    return take(text.size());
}

char16_t* TextBlockMaker::room(qsizetype n)
{
    if (n + 1 > kBlockCharacters)
        return nullptr;
    if (mBlock == nullptr || mEnd - mFree < n + 1) {
        closeBlock();
        const qsizetype size = mNextBlockCharacters;
        mNextBlockCharacters = std::min(2 * size, kLargestBlockCharacters);
        const auto [header, characters] = Block::allocate(size);
        Q_CHECK_PTR(header);
        header->ref_.storeRelaxed(kOpenCount);
        mBlock = header;
        mFree = characters;
        mReady = characters;
        mEnd = characters + size;
        mTexts = 0;
    }
    if (mReady - mFree < n + 1) {
        char16_t* const until = std::min(mEnd, std::max(mFree + n + 1, mReady + kReadyRun));
        prefault(mReady, until);
        mReady = until;
    }
    return mFree;
}

QString TextBlockMaker::take(qsizetype n)
{
    mFree[n] = u'\0';  // a QString's characters end in a zero
    // The text adopts one of the counts the open block holds in advance.
    QString text(QString::DataPointer(mBlock, mFree, n));
    mFree += n + 1;
    ++mTexts;
    return text;
}

void TextBlockMaker::closeBlock() noexcept
{
    if (mBlock == nullptr)
        return;
    // The texts handed out (less those freed meanwhile) and the maker's own,
    // which goes now: the block is freed here when no text of it is left.
    mBlock->ref_.fetchAndAddRelaxed(static_cast<int>(mTexts) + 1 - kOpenCount);
    if (!mBlock->deref())
        Block::deallocate(mBlock);
    mBlock = nullptr;
    mFree = nullptr;
    mEnd = nullptr;
    mTexts = 0;
}

}  // namespace platform
