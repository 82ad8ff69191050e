// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "gps/sentence_scan.h"

#include "gps/messages.h"
#include "gps/nmea.h"
#include "platform/prompt/prompter.h"
#include "platform/text/numbers.h"

#include <QList>

#include <cmath>

namespace orbela {

namespace {

constexpr qsizetype kRmcWindow = 200;
constexpr qsizetype kGgaClockWindow = 100;
constexpr qsizetype kNextSentenceDistance = 20;
constexpr double kMsPerDay = 86400000.0;

// The first sentence of `tag` when it holds the fields ORBELA reads of it.
qsizetype findUsable(QByteArrayView buffer, SentenceTag tag)
{
    const qsizetype at = findSentence(buffer, tag);
    if (at < 0 || fieldCount(buffer, at) < sentenceRule(tag).minFields)
        return -1;
    return at;
}

QList<QByteArrayView> commaItems(QByteArrayView text)
{
    QList<QByteArrayView> items;
    qsizetype begin = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == ',') {
            items.append(text.sliced(begin, i - begin));
            begin = i + 1;
        }
    }
    return items;
}

// The UTC time hhmmss of the first GGA sentence, for the clock comparison.
std::optional<QString> ggaClockTime(QByteArrayView buffer)
{
    const qsizetype at = findSentence(buffer, SentenceTag::GGA);
    if (at < 0)
        return std::nullopt;
    const auto items = commaItems(buffer.sliced(at, std::min(kGgaClockWindow, buffer.size() - at)));
    if (items.size() < 2)
        return std::nullopt;
    const QString time = QString::fromLatin1(items[1]).trimmed();
    if (time.size() <= 5)
        return std::nullopt;
    return time.left(6);
}

enum class ClockStep { Done, Failed };

// Compares the computer's clock with the GPS time and offers once to set it.
ClockStep compareClock(QByteArrayView buffer, ScanMemory& memory, SystemClock& clock)
{
    const auto hhmmss = ggaClockTime(buffer);
    if (!hhmmss)
        return ClockStep::Done;
    const auto gpsTime = gpsLocalDateTime(memory.GpsDateText, *hhmmss);
    if (!gpsTime)
        return ClockStep::Done;
    memory.GpsDateTime = gpsTime;
    const double diffDays = std::fabs(double(gpsTime->msecsTo(clock.now()))) / kMsPerDay;
    const auto question = clockQuestion(diffDays);
    if (!question)
        return ClockStep::Done;
    if (!platform::askYesNo(*question))
        return ClockStep::Done;
    if (clock.set(*gpsTime))
        return ClockStep::Done;
    platform::MsgBox(kMsgClockFailed.toString());
    return ClockStep::Failed;
}

void classifySatellite(double number, Constellations& seen)
{
    if (number >= 193 && number <= 196)
        seen.qzss = true;
    else if (number >= 65 && number <= 96)
        seen.glonass = true;
}

}  // namespace

std::optional<QString> rmcDate(QByteArrayView buffer)
{
    const qsizetype at = findUsable(buffer, SentenceTag::RMC);
    if (at < 0)
        return std::nullopt;
    const auto items = commaItems(buffer.sliced(at, std::min(kRmcWindow, buffer.size() - at)));
    for (qsizetype i = 1; i < items.size(); ++i) {
        if (items[i] != QByteArrayView("E"))
            continue;
        if (i + 3 >= items.size())
            return std::nullopt;
        return gpsDateText(QString::fromLatin1(items[i + 3]));
    }
    return std::nullopt;
}

Constellations scanConstellations(QByteArrayView buffer)
{
    Constellations seen;
    const qsizetype at = findUsable(buffer, SentenceTag::GSA);
    if (at < 0)
        return seen;
    qsizetype comma = buffer.indexOf(',', at);
    comma = buffer.indexOf(',', comma + 1);  // the second comma, after the mode field
    for (comma = buffer.indexOf(',', comma + 1); comma >= 0; comma = buffer.indexOf(',', comma + 1)) {
        const QString next = QString::fromLatin1(buffer.sliced(comma + 1, std::min<qsizetype>(3, buffer.size() - comma - 1)));
        const double number = platform::Val(next);
        if (number == 0)
            break;
        classifySatellite(number, seen);
    }
    return seen;
}

ScanOutcome GGASEEK(QByteArrayView buffer, bool clockRequested, ScanMemory& memory,
                    SystemClock& clock, const std::function<void()>& untickClockBox)
{
    ScanOutcome outcome;
    if (const auto date = rmcDate(buffer))
        memory.GpsDateText = *date;
    if (clockRequested && platform::Val(memory.GpsDateText) > 2016) {
        outcome.untickClockBox = true;
        if (untickClockBox)
            untickClockBox();
        if (compareClock(buffer, memory, clock) == ClockStep::Failed) {
            outcome.result = ScanResult::ClockFailed;
            return outcome;
        }
    }
    const Constellations seen = scanConstellations(buffer);
    outcome.GlonassSeen = seen.glonass;
    outcome.QzssSeen = seen.qzss;
    const qsizetype start = findSentence(buffer, SentenceTag::GGA);
    if (start < 0) {
        platform::MsgBox(kMsgCheckLine.toString());
        outcome.result = ScanResult::NoGga;
        return outcome;
    }
    const qsizetype next = buffer.indexOf(talkerStart(), start + kNextSentenceDistance);
    outcome.sentenceStart = static_cast<int>(start + 1);
    outcome.sentenceEnd = static_cast<int>(next >= 0 ? next + 1 : buffer.size());
    outcome.result = ScanResult::Located;
    return outcome;
}

}  // namespace orbela
