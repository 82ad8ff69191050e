// SPDX-License-Identifier: LicenseRef-Tavelcor
// CP932 (the Windows flavour of Shift-JIS) to and from Unicode.
//
// Every text file, settings file and clipboard hand-over of the system is
// CP932 unless a format names UTF-8. The mapping is the one of the codec
// "windows-31j" (①, ㎡, ～ U+FF5E, － U+FF0D, ∥ U+2225, the NEC and IBM
// extensions and the user-defined area F040..F9FC <-> U+E000..U+E757). The
// codec's tables are read once, on first use, into lookup tables, so a
// conversion is one table look-up per character and keeps no state between
// calls: a line can be converted on its own.
//
// Where this differs from the bare codec, it follows Windows:
// - bytes 0x00..0x7F are the ASCII characters U+0000..U+007F one to one (the
//   codec swaps the control codes 0x1A, 0x1C and 0x7F);
// - the JIS code points of seven signs that Linux input methods produce,
//   〜 U+301C, ‖ U+2016, − U+2212, ¢ U+00A2, £ U+00A3, ¬ U+00AC and
//   — U+2014, are written with the codes of the Windows signs ～ ∥ － ￠ ￡ ￢ ―
//   (as Windows writes them) and read back as those signs;
// - a character that CP932 cannot hold (é, ¥ U+00A5, an emoji, a lone
//   surrogate) is written as one "?" byte per UTF-16 code unit, so an emoji
//   (a surrogate pair) becomes "??";
// - a byte sequence that is not CP932 reads as U+FFFD: one U+FFFD for a lead
//   byte followed by a trail byte of an unassigned code (both bytes taken), one
//   for a lone or misplaced byte (0x80, 0xA0, 0xFD..0xFF, a lead byte without
//   a valid trail byte); the byte after such a lead byte is read again on its
//   own, so an ASCII comma, blank or line end after it is kept.
// CR (0x0D), LF (0x0A) and the comma (0x2C) are never part of a two-byte
// character, so lines and comma fields can be split on the bytes.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>

namespace platform {

// Unicode text to CP932 bytes; unmappable code units become "?".
QByteArray toCp932(QStringView text);

// The same, appended to out (for writers that gather a block of lines).
void appendCp932(QByteArray& out, QStringView text);

// Encodes text into out, which must have room for 2 * text.size() bytes (a
// character never takes more than two). Returns the number of bytes of the
// encoded text; the bytes of the room after them may have been written
// over. For writers that build their lines as bytes.
qsizetype encodeCp932(QStringView text, char* out);

// CP932 bytes to Unicode text; invalid sequences become U+FFFD.
QString fromCp932(QByteArrayView bytes);

// Decodes bytes into out, which must have room for bytes.size() characters
// (a byte never gives more than one character). Returns the number of
// characters written. For readers that reuse one buffer per line.
qsizetype decodeCp932(QByteArrayView bytes, QChar* out);

// The length of text in CP932 bytes (the "LenB" of the text converted to the
// Japanese ANSI code page): 2 for every character with a two-byte code, 1 for
// ASCII, half-width katakana and every unmappable code unit (its "?").
qsizetype cp932Length(QStringView text);

// True when the character has a CP932 form (ASCII and the seven JIS signs
// above included).
bool isCp932Encodable(QChar c);

}  // namespace platform
