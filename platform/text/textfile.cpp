// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/text/textfile.h"

#include "platform/text/cp932.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {
namespace {

constexpr qsizetype kBlockSize = qsizetype(1) << 20;  // bytes read from the device at once
constexpr qsizetype kWriteChunk = qsizetype(1) << 20;  // bytes gathered before a write
// Bytes given at once from this many on go to the file without a copy into
// the buffer (the blocks of the writers that build their lines as bytes).
constexpr qsizetype kDirectWriteBytes = qsizetype(1) << 16;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

constexpr qsizetype kSmallestBlock = 4096;

// The first block: a file smaller than a block gets a buffer its size (the
// settings files of a start are a few hundred bytes each), anything else a
// whole block. The buffer grows when a line fills it.
qsizetype firstBlockSize(const QIODevice& device)
{
    if (device.isSequential())
        return kBlockSize;
    const qint64 left = device.size() - device.pos();
    if (left < 0 || left >= kBlockSize)
        return kBlockSize;
    return std::max(qsizetype(left) + 1, kSmallestBlock);
}

// The first CR or LF in [p, end), or end.  Sixteen bytes at a time where
// the processor has SSE2 (every x86-64 one): the search is most of what
// splitting a large file into lines costs.
const char* findLineEnd(const char* p, const char* end)
{
#if defined(__SSE2__)
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)));
        if (hits != 0)
            return p + __builtin_ctz(static_cast<unsigned>(hits));
    }
#endif
    for (; p < end; ++p) {
        const char c = *p;
        if (c <= '\r' && (c == '\r' || c == '\n'))
            return p;
    }
    return end;
}

void decodeLine(const char* bytes, qsizetype size, TextEncoding encoding, QString& line)
{
    if (encoding == TextEncoding::Cp932) {
        line.resize(size);
        line.truncate(decodeCp932(QByteArrayView(bytes, size), line.data()));
        return;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    line.resize(decoder.requiredSpace(size));
    QChar* end = decoder.appendToBuffer(line.data(), QByteArrayView(bytes, size));
    line.truncate(end - line.data());
}

}  // namespace

// ---- LineReader ------------------------------------------------------------

LineReader::LineReader(QIODevice* device, TextEncoding encoding)
    : mDevice(device), mEncoding(encoding)
{
}

// Reads more bytes behind mEnd, first moving the unread rest to the front and
// growing the buffer when a line fills it. False when nothing more came.
bool LineReader::fill()
{
    if (mEof || mError || mTooLong)
        return false;
    if (mDevice == nullptr || !mDevice->isReadable()) {
        mError = true;  // never opened, or opened for writing only
        return false;
    }
    if (mBegin > 0) {
        const qsizetype rest = mEnd - mBegin;
        std::memmove(mBuffer.data(), mBuffer.constData() + mBegin, size_t(rest));
        mBegin = 0;
        mEnd = rest;
    }
    if (mBuffer.isEmpty())
        resizeBuffer(firstBlockSize(*mDevice));
    else if (mEnd == capacity())
        resizeBuffer(capacity() * 2);
    const qint64 got = mDevice->read(mBuffer.data() + mEnd, capacity() - mEnd);
    if (got < 0) {
        mError = true;
        return false;
    }
    if (got == 0) {
        mEof = true;
        return false;
    }
    mEnd += qsizetype(got);
    return true;
}

void LineReader::resizeBuffer(qsizetype bytes)
{
    const qsizetype old = mBuffer.size();
    mBuffer.resize(bytes + kLinePadding);
    if (mBuffer.size() > old)
        std::memset(mBuffer.data() + old, 0, std::size_t(mBuffer.size() - old));
}

void LineReader::skipByteOrderMark()
{
    mStarted = true;
    if (mEncoding == TextEncoding::Cp932)
        return;
    while (mEnd - mBegin < 3 && fill()) {
    }
    if (mEnd - mBegin >= 3 && std::memcmp(mBuffer.constData() + mBegin, kByteOrderMark, 3) == 0)
        mBegin += 3;
}

bool LineReader::nextLineBytes(const char*& begin, qsizetype& size)
{
    if (mTooLong)
        return false;
    if (!mStarted)
        skipByteOrderMark();
    if (mSkipLf) {
        if (mBegin == mEnd)
            fill();
        if (mBegin < mEnd && mBuffer.constData()[mBegin] == '\n')
            ++mBegin;
        mSkipLf = false;
    }
    mScanned = 0;
    for (;;) {
        const char* base = mBuffer.constData();
        const char* found = findLineEnd(base + mBegin + mScanned, base + mEnd);
        if (found != base + mEnd) {
            const qsizetype at = found - base;
            if (at - mBegin > kMaxLineBytes) {
                mTooLong = true;
                return false;
            }
            begin = base + mBegin;
            size = at - mBegin;
            mBegin = at + 1;
            if (*found == '\r') {
                if (mBegin < mEnd)
                    mBegin += mBuffer.constData()[mBegin] == '\n' ? 1 : 0;
                else
                    mSkipLf = true;  // the LF, if any, is still in the device
            }
            ++mLineCount;
            return true;
        }
        mScanned = mEnd - mBegin;
        if (mScanned > kMaxLineBytes) {
            mTooLong = true;  // no line end within the limit: stop here
            return false;
        }
        if (!fill()) {
            // After a read error the rest is no line: it may be cut anywhere.
            if (mBegin == mEnd || mError)
                return false;
            begin = mBuffer.constData() + mBegin;  // a last line without a line end
            size = mEnd - mBegin;
            mBegin = mEnd;
            ++mLineCount;
            return true;
        }
    }
}

bool LineReader::readLine(QString& line)
{
    const char* begin = nullptr;
    qsizetype size = 0;
    if (!nextLineBytes(begin, size)) {
        line.clear();
        return false;
    }
    decodeLine(begin, size, mEncoding, line);
    return true;
}

std::optional<QString> LineReader::readLine()
{
    QString line;
    if (!readLine(line))
        return std::nullopt;
    return line;
}

bool LineReader::readLineBytes(QByteArray& bytes)
{
    const char* begin = nullptr;
    qsizetype size = 0;
    if (!nextLineBytes(begin, size)) {
        bytes.clear();
        return false;
    }
    // Into the room the caller's array has: a reader that hands the array
    // back line after line allocates nothing per line.
    bytes.resize(size);
    if (size > 0)
        std::memcpy(bytes.data(), begin, size_t(size));
    return true;
}

bool LineReader::readLineView(QByteArrayView& line)
{
    const char* begin = nullptr;
    qsizetype size = 0;
    if (!nextLineBytes(begin, size)) {
        line = {};
        return false;
    }
    line = QByteArrayView(begin, size);
    return true;
}

qint64 LineReader::skipLines(qint64 limit)
{
    const char* begin = nullptr;
    qsizetype size = 0;
    qint64 skipped = 0;
    while (skipped < limit && nextLineBytes(begin, size))
        ++skipped;
    return skipped;
}

// ---- TextFileReader ----------------------------------------------------------

namespace {

// The stand-in a test put in place; empty otherwise.
ScopedReadDeviceStandIn::Open& readDeviceStandIn()
{
    static ScopedReadDeviceStandIn::Open standIn;
    return standIn;
}

std::unique_ptr<QIODevice> openForReading(const QString& path)
{
    if (const ScopedReadDeviceStandIn::Open& standIn = readDeviceStandIn()) {
        if (std::unique_ptr<QIODevice> device = standIn(path))
            return device;
    }
    auto file = std::make_unique<QFile>(path);
    // Opening a folder "succeeds" on Linux and fails at the first read;
    // refuse it here so that isOpen() tells the truth.
    if (!QFileInfo(path).isDir())
        (void)file->open(QIODevice::ReadOnly);
    return file;
}

}  // namespace

TextFileReader::TextFileReader(const QString& path, TextEncoding encoding)
    : mDevice(openForReading(path)), mReader(mDevice.get(), encoding)
{
}

ScopedReadDeviceStandIn::ScopedReadDeviceStandIn(Open open)
    : mReplaced(std::exchange(readDeviceStandIn(), std::move(open)))
{
}

ScopedReadDeviceStandIn::~ScopedReadDeviceStandIn()
{
    readDeviceStandIn() = std::move(mReplaced);
}

std::optional<QStringList> readTextLines(const QString& path, TextEncoding encoding)
{
    TextFileReader reader(path, encoding);
    if (!reader.isOpen())
        return std::nullopt;
    QStringList lines;
    QString line;
    while (reader.readLine(line))
        lines.append(line);
    if (reader.hasError())
        return std::nullopt;
    return lines;
}

// ---- TextFileWriter ----------------------------------------------------------

TextFileWriter::TextFileWriter(const QString& path, TextEncoding encoding)
    : mFile(path), mEncoding(encoding)
{
    if (!mFile.open(QIODevice::WriteOnly)) {
        mFailed = true;
        mError = mFile.errorString();
        return;
    }
    if (mEncoding == TextEncoding::Utf8Bom)
        mBuffer.append(kByteOrderMark, 3);
}

TextFileWriter::~TextFileWriter() = default;  // QSaveFile drops an uncommitted temporary file

void TextFileWriter::write(QStringView text)
{
    // A long text (a whole SIMA text kept from the clipboard) goes out a
    // chunk at a time: its bytes never lie in memory whole, and the buffer's
    // pages serve every chunk. A chunk never ends between the two halves of
    // a surrogate pair, which encode together in UTF-8.
    while (!text.isEmpty() && !mFailed && !mCommitted) {
        qsizetype n = std::min(text.size(), kWriteChunk / 2);
        if (n < text.size() && QChar::isHighSurrogate(text[n - 1].unicode()) && n > 1)
            --n;
        appendEncoded(text.first(n));
        if (mBuffer.size() >= kWriteChunk)
            flushBuffer();
        text = text.sliced(n);
    }
}

void TextFileWriter::appendEncoded(QStringView text)
{
    if (mEncoding == TextEncoding::Cp932)
        appendCp932(mBuffer, text);
    else
        mBuffer.append(text.toUtf8());
}

void TextFileWriter::writeLine(QStringView line)
{
    write(line);
    if (!mFailed && !mCommitted)
        mBuffer.append("\r\n", 2);
}

void TextFileWriter::writeBytes(QByteArrayView bytes)
{
    if (mFailed || mCommitted)
        return;
    if (mBuffer.isEmpty() && bytes.size() >= kDirectWriteBytes) {
        // A large block of its own goes to the file without a copy.
        if (mFile.write(bytes.data(), bytes.size()) != bytes.size()) {
            mFailed = true;
            mError = mFile.errorString();
            mFile.cancelWriting();
        }
        return;
    }
    mBuffer.append(bytes);
    if (mBuffer.size() >= kWriteChunk)
        flushBuffer();
}

bool TextFileWriter::flushBuffer()
{
    if (mFailed)
        return false;
    if (!mBuffer.isEmpty() && mFile.write(mBuffer) != mBuffer.size()) {
        mFailed = true;
        mError = mFile.errorString();
        mFile.cancelWriting();
    }
    mBuffer.resize(0);  // keeps the capacity: the next chunk reuses its pages
    return !mFailed;
}

bool TextFileWriter::commit()
{
    if (mCommitted)
        return false;
    mCommitted = true;
    if (!flushBuffer())
        return false;
    // QSaveFile's commit puts its temporary file in place even when the last
    // flush of its own buffer fails (a full disk): the old file would be
    // replaced by a cut one. Flush first and give the temporary file up on
    // failure, so that the old file stays.
    if (!mFile.flush()) {
        mFailed = true;
        mError = mFile.errorString();
        mFile.cancelWriting();
        return false;
    }
    if (!mFile.commit()) {
        mFailed = true;
        mError = mFile.errorString();
        return false;
    }
    mError.clear();
    return true;
}

QString TextFileWriter::errorString() const
{
    return mError;
}

}  // namespace platform
