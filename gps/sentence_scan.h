// SPDX-License-Identifier: LicenseRef-Tavelcor
// The scan of one receive buffer before its fix is processed (GGASEEK): the
// date of the RMC sentence, the offer to set the computer's clock from the
// GPS time, the constellation marks of the GSA sentence and the position of
// the first GGA sentence.
#pragma once

#include "gps/clock.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <functional>
#include <optional>

namespace orbela {

/// What the scan keeps from buffer to buffer.
struct ScanMemory {
    /// Date of the last RMC sentence seen, "20yy/mm/dd"; empty until one is.
    QString GpsDateText;
    /// The GPS time of the last clock comparison, Japanese local time.
    std::optional<QDateTime> GpsDateTime;
};

/// How a scan ended.
enum class ScanResult {
    Located,       // SentencePos give the first GGA sentence
    NoGga,         // "unmach": no GGA sentence; the message was shown and
                   // reception must end (port closed, watchdog off, start
                   // command enabled again)
    ClockFailed,   // the clock could not be set; the message was shown and
                   // nothing of this buffer may be used
};

struct ScanOutcome {
    ScanResult result = ScanResult::NoGga;
    /// `SentencePos` elements 1 and 2 (1-based): the start of the first GGA
    /// sentence and the position where it ends; the sentence is the
    /// (end - start) characters from start.  A sentence that is the last of
    /// the buffer ends one character before the buffer's end.  Both 0 unless
    /// located.
    int sentenceStart = 0;
    int sentenceEnd = 0;
    bool GlonassSeen = false;
    bool QzssSeen = false;
    /// The clock box ("時刻合わせ") must be unticked: a comparison was tried.
    bool untickClockBox = false;
};

/// The date step: when the buffer holds "$GPRMC", the first item that is
/// exactly "E" among the comma items of the 200 characters from it (from
/// item 1 on) is the longitude's hemisphere, and the item three places after
/// it is the date ddmmyy.  Returns the new date text, or nullopt when there
/// is none (no RMC, no "E", no valid six-digit date there).
std::optional<QString> rmcDate(QByteArrayView buffer);

/// The constellation step: from the first "$GPGSA", from its third comma on,
/// the numeric value of the three characters after each comma is a satellite
/// number, until a number is 0 (an empty field) or the buffer ends; the
/// reading runs on past the end of that sentence.  193 to 196 is QZSS,
/// otherwise 65 to 96 is GLONASS.
struct Constellations {
    bool glonass = false;
    bool qzss = false;
};
Constellations scanConstellations(QByteArrayView buffer);

/// The scan of one buffer.  `clockRequested` is the state of the clock box.
/// Messages and the clock question go through the installed prompter.
/// `untickClockBox`, when given, is called as soon as a comparison is tried,
/// before any question, so that the box is already unticked while the user
/// answers (the outcome says so as well).
ScanOutcome GGASEEK(QByteArrayView buffer, bool clockRequested, ScanMemory& memory,
                    SystemClock& clock, const std::function<void()>& untickClockBox = {});

}  // namespace orbela
