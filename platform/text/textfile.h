// SPDX-License-Identifier: LicenseRef-Tavelcor
// Text files line by line: a streaming reader with the line rules of the
// runtime's Line Input, and an atomic writer of CR LF lines.
//
// Line rules of the reader: CR LF, a lone CR and a lone LF each end a line
// (files edited on Linux end their lines with LF alone); a CR LF pair split
// across two reads of the device is still one line end. A last line without a
// line end is still a line; no empty line is invented after the last line
// end: "" has no line, "\r\n" one empty line, "a\r\nb" and "a\r\nb\r\n" two
// lines. "\n\r" is two line ends (two lines).
//
// Encodings: CP932 by default (cp932.h says how undecodable bytes read);
// UTF-8 where a format names it, with a leading byte order mark skipped when
// present; invalid UTF-8 reads as U+FFFD.
//
// The reader holds one block of the file (1 MiB, more only for a longer
// line), never the whole file, and decodes each line on its own. A line of
// more than kMaxLineBytes stops the reading (lineTooLong()), so that a file
// without line ends, or an endless stream, cannot take all the memory.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QIODevice>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <memory>
#include <optional>

namespace platform {

// The longest line a reader gives, in bytes without the line end: far above
// any line of the system's files, which hold a few hundred bytes at most.
inline constexpr qsizetype kMaxLineBytes = qsizetype(1) << 20;

enum class TextEncoding {
    Cp932,    // Shift-JIS, the Windows flavour: the default of every file
    Utf8,     // UTF-8; readers skip a byte order mark, writers write none
    Utf8Bom,  // UTF-8; writers start the file with a byte order mark
};

// Reads lines from a device that the caller owns, opened for reading, and
// that outlives the reader. A read that gives no byte is taken as the end of
// the data, so the device must hold all its data (a file, a buffer), not
// wait for more (a socket). Not copyable.
class LineReader {
public:
    explicit LineReader(QIODevice* device, TextEncoding encoding = TextEncoding::Cp932);
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line without its line end, into line (whose capacity is
    // reused). False at the end of the data or after a read error; line is
    // then empty.
    [[nodiscard]] bool readLine(QString& line);

    // The next line, or nullopt at the end (or after a read error).
    [[nodiscard]] std::optional<QString> readLine();

    // The next line's raw bytes without its line end, undecoded, into bytes
    // (whose room is reused). For readers that look at bytes themselves.
    // Shares the position with readLine().
    [[nodiscard]] bool readLineBytes(QByteArray& bytes);

    // The next line's raw bytes without its line end, as a view into the
    // reader's buffer: valid until the next call of any read function. For
    // readers that take their values from the bytes and copy only what they
    // keep. At least kLinePadding bytes of the buffer follow the view, so a
    // reader may load whole words or vectors up to that far past its end
    // (they hold the line end, following lines or zeros: never the line's).
    [[nodiscard]] bool readLineView(QByteArrayView& line);
    static constexpr qsizetype kLinePadding = 32;

    // Passes over up to limit lines without making them; returns how many
    // there were (fewer at the end of the data or after a read error).
    qint64 skipLines(qint64 limit);

    // True once a read of the device failed (or the device was not open for
    // reading), or a line was too long; the whole lines before were given,
    // the line the failure cut is not.
    bool hasError() const { return mError || mTooLong; }
    // True once a line of more than kMaxLineBytes bytes was met: it is not
    // given, and reading stops there. Its number is lineCount() + 1.
    bool lineTooLong() const { return mTooLong; }
    // Lines given so far.
    qint64 lineCount() const { return mLineCount; }

private:
    bool nextLineBytes(const char*& begin, qsizetype& size);
    bool fill();
    void skipByteOrderMark();
    // Bytes the buffer holds for the device's data; kLinePadding more follow.
    qsizetype capacity() const { return mBuffer.isEmpty() ? 0 : mBuffer.size() - kLinePadding; }
    // Makes the buffer hold bytes for data, zero for what no read filled yet.
    void resizeBuffer(qsizetype bytes);

    QIODevice* mDevice;
    TextEncoding mEncoding;
    QByteArray mBuffer;
    qsizetype mBegin = 0;    // first unread byte
    qsizetype mEnd = 0;      // one past the last byte read from the device
    qsizetype mScanned = 0;  // bytes from mBegin already searched for a line end
    bool mEof = false;
    bool mError = false;
    bool mTooLong = false;
    bool mSkipLf = false;    // the last line ended in CR; an LF next belongs to it
    bool mStarted = false;
    qint64 mLineCount = 0;
};

// A LineReader over a file it opens and owns.
class TextFileReader {
public:
    explicit TextFileReader(const QString& path, TextEncoding encoding = TextEncoding::Cp932);
    TextFileReader(const TextFileReader&) = delete;
    TextFileReader& operator=(const TextFileReader&) = delete;

    // False when the file could not be opened (missing, a folder, no right).
    bool isOpen() const { return mDevice->isOpen(); }
    QString errorString() const { return mDevice->errorString(); }

    [[nodiscard]] bool readLine(QString& line) { return mReader.readLine(line); }
    [[nodiscard]] std::optional<QString> readLine() { return mReader.readLine(); }
    bool hasError() const { return mReader.hasError(); }
    bool lineTooLong() const { return mReader.lineTooLong(); }
    qint64 lineCount() const { return mReader.lineCount(); }
    // The size of the file in bytes (0 when unknown, as for a stand-in
    // device that is sequential).
    qint64 size() const { return mDevice->isSequential() ? 0 : mDevice->size(); }
    LineReader& lines() { return mReader; }

private:
    std::unique_ptr<QIODevice> mDevice;
    LineReader mReader;
};

// For tests: while an object of this class lives, every TextFileReader asks
// `open` for the device of the path it is to read before it opens the file.
// A device given (open or not) stands in for the file, so a test can make an
// existing file unreadable or let its reading fail part-way, as it does on a
// USB stick pulled out or a network share that dropped; nullptr reads the
// file itself. The object puts back the one it replaced.
class ScopedReadDeviceStandIn {
public:
    using Open = std::function<std::unique_ptr<QIODevice>(const QString& path)>;

    explicit ScopedReadDeviceStandIn(Open open);
    ~ScopedReadDeviceStandIn();
    ScopedReadDeviceStandIn(const ScopedReadDeviceStandIn&) = delete;
    ScopedReadDeviceStandIn& operator=(const ScopedReadDeviceStandIn&) = delete;

private:
    Open mReplaced;
};

// Every line of a small file (settings, catalogues), or nullopt when the file
// cannot be opened or read. Not for the large data files: read those with a
// TextFileReader, line by line.
std::optional<QStringList> readTextLines(const QString& path,
                                         TextEncoding encoding = TextEncoding::Cp932);

// Writes a text file atomically: the text goes to a temporary file in the
// target's folder, and commit() renames it over the target. Until commit()
// succeeds, an existing target is left exactly as it was; a writer destroyed
// without commit() discards what it wrote. Lines end in CR LF; the text is
// encoded as the writer was told (CP932 by default; characters CP932 cannot
// hold are written as "?").
//
// The system's files are replaced whole, never appended to, so the writer has
// no append mode.
class TextFileWriter {
public:
    explicit TextFileWriter(const QString& path, TextEncoding encoding = TextEncoding::Cp932);
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    // False when the temporary file could not be made (missing or read-only
    // folder); writing then does nothing and commit() fails.
    bool isOpen() const { return mFile.isOpen(); }

    // Text without a line end (a last line that has none, or a text that
    // already holds its own CR LF pairs).
    void write(QStringView text);
    // A line followed by CR LF.
    void writeLine(QStringView line = {});
    // Bytes already in the file's encoding, written as they are (for writers
    // that build their lines as bytes; line ends included).
    void writeBytes(QByteArrayView bytes);

    // Writes everything out and replaces the target. False when any write or
    // the replacement failed; the old target then stays as it was. Call once.
    [[nodiscard]] bool commit();

    // What went wrong, for a message or a log; empty after success.
    QString errorString() const;

private:
    // Appends text in the file's encoding to the buffer.
    void appendEncoded(QStringView text);
    bool flushBuffer();

    QSaveFile mFile;
    TextEncoding mEncoding;
    QByteArray mBuffer;
    bool mFailed = false;
    bool mCommitted = false;
    QString mError;
};

}  // namespace platform
