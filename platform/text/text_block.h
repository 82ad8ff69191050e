// SPDX-License-Identifier: LicenseRef-Tavelcor
// Texts made in shared blocks of memory, for readers that make hundreds of
// thousands of short texts (the names of a site).
//
// A QString normally owns a heap block of its own: a header, its characters
// and a terminating zero, about 48 bytes for a name of ten characters, one
// allocation each, and fresh pages from the system as the heap grows. The
// texts made here lie side by side in blocks that share one header: a text
// costs its characters and its terminating zero, and a block one
// allocation. The first block of a maker holds 64 K characters, each next
// one twice as many up to 2 M characters (4 MB): a small file takes a
// small block, a large one few allocations.
//
// To everyone else they are ordinary QStrings: a copy shares the text, a
// change first copies the text out into a block of its own (Qt's
// copy-on-write sees the block shared), and a block is freed with the last
// text that lies in it. This leans on the layout of Qt 6's string data
// (QArrayDataPointer: a header, a pointer anywhere into the header's
// characters, a size), which QString offers through its DataPointer
// constructor.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace platform {

class TextBlockMaker {
public:
    TextBlockMaker() = default;
    ~TextBlockMaker();
    TextBlockMaker(const TextBlockMaker&) = delete;
    TextBlockMaker& operator=(const TextBlockMaker&) = delete;

    // The CP932 bytes decoded (as fromCp932() decodes them). As a view's
    // toString(): null bytes give the null QString, empty ones the empty one.
    QString fromCp932(QByteArrayView bytes);
    // A copy of text in a block (null and empty as above).
    QString copy(QStringView text);

    // Characters of the first block; a longer text gets a QString of its own.
    static constexpr qsizetype kBlockCharacters = 64 * 1024;
    // Characters of the largest block.
    static constexpr qsizetype kLargestBlockCharacters = 2 * 1024 * 1024;

private:
    // Room for n characters and a terminating zero in the open block, a new
    // block when it has none left; nullptr when n is more than a block holds.
    char16_t* room(qsizetype n);
    // The text of the n characters just written at the open block's free
    // room.
    QString take(qsizetype n);
    // Gives the open block its true count of texts and lets it go.
    void closeBlock() noexcept;

    QTypedArrayData<char16_t>* mBlock = nullptr;
    char16_t* mFree = nullptr;   // the first free character of the open block
    char16_t* mReady = nullptr;  // one past the characters whose pages were asked for
    char16_t* mEnd = nullptr;    // one past its last character
    qsizetype mTexts = 0;       // texts handed out from the open block
    qsizetype mNextBlockCharacters = kBlockCharacters;  // the size of the next block
};

}  // namespace platform
