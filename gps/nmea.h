// SPDX-License-Identifier: LicenseRef-Tavelcor
// NMEA 0183 sentences as ORBELA reads them from a receive buffer: where a
// sentence of a kind starts, its checksum, and the comma fields of the GGA
// sentence.
//
// ORBELA recognises sentences by their full name with the talker "GP"
// ("$GPGGA", "$GPRMC", "$GPGSA").  The talker is applied in one place
// (sentenceName); a receiver that reports combined fixes under "GN" is not
// recognised.  The hemisphere letters are not read.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace orbela {

/// The talker of every sentence ORBELA reads.
inline constexpr QByteArrayView kTalker = "GP";

/// The sentences ORBELA reads.
enum class SentenceTag { RMC, GSA, GGA };

/// One row of the sentence table: the tag, its three letters and the number
/// of comma fields (the name counted as field 1) up to the last field ORBELA
/// reads.  A sentence with fewer fields is not used.
struct SentenceRule {
    SentenceTag tag;
    QByteArrayView letters;
    int minFields;
};

/// RMC: the date is field 10.  GSA: the first satellite number is field 4.
/// GGA: the fields up to the age of the differential data are fields 1 to 14.
inline constexpr std::array<SentenceRule, 3> kSentenceRules{{
    {SentenceTag::RMC, "RMC", 10},
    {SentenceTag::GSA, "GSA", 4},
    {SentenceTag::GGA, "GGA", 14},
}};

/// The rule of a tag.
const SentenceRule& sentenceRule(SentenceTag tag);

/// "$" + talker: "$GP", the start of any sentence of the talker.
QByteArray talkerStart();

/// "$" + talker + letters: "$GPGGA".
QByteArray sentenceName(SentenceTag tag);

/// Index (0-based) of the first sentence `tag` in `buffer` at or after
/// `from`, or -1.
qsizetype findSentence(QByteArrayView buffer, SentenceTag tag, qsizetype from = 0);

/// The number of comma fields of the sentence that starts at `start`: the
/// sentence ends at its "*", a line end or the next "$".
int fieldCount(QByteArrayView buffer, qsizetype start);

/// The NMEA checksum: the XOR of the bytes of `body` (the text between "$"
/// and "*").
std::uint8_t nmeaChecksum(QByteArrayView body);

/// The checked body of a sentence located in a buffer ("$GPGGA,...*7F" and
/// possibly more text after it): the text between the "$" and the first "*"
/// when two characters follow the "*" and they are the checksum written as
/// two upper-case hexadecimal digits (with a leading zero below 16; "05" is
/// accepted, "7f" for 7F is not).  nullopt for a mismatch, a sentence without
/// "*", and one cut within its checksum: such a sentence is never used.
std::optional<QByteArrayView> checkedBody(QByteArrayView sentence);

/// The GGA fields of the current sentence, `NmeaField`(1, 1..14) of the
/// window: field 1 is the text before the first comma ("GPGGA").  Index 0 and
/// 15 exist and stay empty.
using NmeaFieldRow = std::array<QString, 16>;

/// Stores the comma fields of `body` into fields 1, 2, ... of `row`, blanks
/// trimmed, one at each comma, stopping once field 14 is stored.  The text
/// after the last comma is not a field (in a full GGA it is the reference
/// station).  Returns the number of fields stored.
int storeFields(QByteArrayView body, NmeaFieldRow& row);

}  // namespace orbela
