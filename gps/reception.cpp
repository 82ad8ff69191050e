// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "gps/reception.h"

#include "geodesy/format_fixed.h"
#include "gps/messages.h"
#include "gps/plane_conversion.h"
#include "platform/prompt/prompter.h"
#include "platform/text/numbers.h"

#include <limits>

namespace orbela {

namespace {

constexpr int kLastLeadingField = 10;
constexpr int kMaxCaptionStep = 4;

QString fixed1(const QString& text, int width)
{
    return QString::fromStdString(geodesy::FormatFixed(platform::Val(text), width, 1));
}

// The zone of the zone field; a text beyond a byte's range is no zone at all
// (the conversion then reports it).
int zoneOf(const QString& zoneText)
{
    return platform::toByteChecked(platform::Val(zoneText)).value_or(0);
}

}  // namespace

int receptionTarget(ReceptionMode mode)
{
    switch (mode) {
    case ReceptionMode::Once: return 1;
    case ReceptionMode::Twice: return 2;
    case ReceptionMode::Ten: return 10;
    case ReceptionMode::Fifty: return 50;
    case ReceptionMode::Continuous: break;
    }
    return 0;
}

Reception::Reception(SystemClock& clock) : mClock(clock) {}

int Reception::SentencePos(int element) const
{
    if (element == 1)
        return mSentenceStart;
    if (element == 2)
        return mSentenceEnd;
    return 0;
}

void Reception::resetLeadingFields()
{
    for (int f = 1; f <= kLastLeadingField; ++f)
        mField[f] = QStringLiteral(" ");
}

void Reception::otherCommEvent()
{
    resetLeadingFields();
}

QString Reception::nextCaption(const QString& lead)
{
    ++mCaptionStep;
    const QString caption = movingCaption(lead, mCaptionStep);
    if (mCaptionStep > kMaxCaptionStep)
        mCaptionStep = 0;
    return caption;
}

ReceiveOutcome Reception::notReady()
{
    ReceiveOutcome outcome;
    outcome.result = ReceiveResult::NotReady;
    mLog.append(kLogNotReady.toString());
    outcome.text7 = kStatusNotReady.toString();
    outcome.caption = nextCaption(kStatusNotReady.toString());
    return outcome;
}

ReceiveResult Reception::checkSentence(QByteArrayView buffer, const ScanOutcome& scan,
                                       QByteArray& sentence)
{
    mSentenceStart = scan.sentenceStart;
    mSentenceEnd = scan.sentenceEnd;
    mGlonassSeen = scan.GlonassSeen;
    mQzssSeen = scan.QzssSeen;
    const QByteArrayView located = buffer.sliced(mSentenceStart - 1, mSentenceEnd - mSentenceStart);
    // A sentence without its checksum, cut at the buffer's end or with a
    // wrong one, and one too short to hold every field read, is never used:
    // its fields could be cut or belong to another sentence.
    const auto body = checkedBody(located);
    if (!body)
        return ReceiveResult::Rejected;
    if (storeFields(*body, mField) < sentenceRule(SentenceTag::GGA).minFields)
        return ReceiveResult::Rejected;
    sentence = located.first(body->size() + 4).toByteArray();
    return ReceiveResult::FixDone;
}

ReceiveOutcome Reception::receive(QByteArrayView buffer, const ReceptionSettings& settings)
{
    resetLeadingFields();
    if (mRecvCount < std::numeric_limits<std::int32_t>::max())
        ++mRecvCount;
    const ScanOutcome scan = GGASEEK(buffer, settings.clockRequested, mScan, mClock, mClockBoxUnticked);
    ReceiveOutcome outcome;
    outcome.untickClockBox = scan.untickClockBox;
    if (scan.result == ScanResult::NoGga) {
        mSentenceStart = mSentenceEnd = 0;
        outcome.result = ReceiveResult::NoGga;
        outcome.endReception = true;
        return outcome;
    }
    if (scan.result == ScanResult::ClockFailed) {
        outcome.result = ReceiveResult::ClockFailed;
        return outcome;
    }
    QByteArray sentence;
    if (checkSentence(buffer, scan, sentence) == ReceiveResult::Rejected) {
        outcome.result = ReceiveResult::Rejected;
        return outcome;
    }
    double q = platform::Val(mField[7]);
    if (platform::Val(mField[8]) > 2)
        q = 1;
    if (mField[3].isEmpty())
        q = 0;
    if (q == 0 || q > 5) {
        ReceiveOutcome waiting = notReady();
        waiting.untickClockBox = outcome.untickClockBox;
        return waiting;
    }
    outcome.result = ReceiveResult::FixDone;
    outcome.fix = makeFix(sentence, settings);
    outcome.caption = nextCaption(QStringLiteral("衛星") + outcome.fix->satellites);
    mLog.append(outcome.fix->logLine);
    outcome.text7 = outcome.fix->fixText;
    if (mFixShown)
        mFixShown(outcome);
    handOver(*outcome.fix, settings, outcome);
    keep(*outcome.fix, outcome);
    control(settings, outcome);
    return outcome;
}

Fix Reception::makeFix(const QByteArray& sentence, const ReceptionSettings& settings)
{
    Fix fix;
    fix.sentence = sentence;
    fix.latitudeDms = platform::Val(NmeaToDms(mField[3]));
    fix.longitudeDms = platform::Val(NmeaToDms(mField[5]));
    const double latitude = fix.latitudeDms * 10000;
    const double longitude = fix.longitudeDms * 10000;
    fix.zone = zoneOf(settings.zoneText);
    fix.x = BLtoXY(latitude, longitude, fix.zone, 0);
    fix.y = BLtoXY(latitude, longitude, fix.zone, 1);
    fix.h = platform::Val(mField[10]);
    if (mGeoid.isAvailable()) {
        fix.geoidHeight = mGeoid.ジオイドget(latitude / 10000, longitude / 10000);
        fix.h = fix.h + platform::Val(mField[12]) - fix.geoidHeight.value_or(0);
    }
    fix.texts = coordinateTexts(fix.x, fix.y, fix.h);
    fix.satellites = satelliteCountText(mField[8]);
    fix.localTime = localTimeText(mField[2]);
    mField[2] = fix.localTime;
    fix.kind = fixKind(mField[7], mGlonassSeen, mQzssSeen);
    fix.logLine = fixLogLine(fix.texts, fix.satellites, fix.localTime, fix.kind);
    fix.fixText = GpsFixText(fix.texts, fix.satellites, fix.localTime, mField);
    return fix;
}

void Reception::handOver(const Fix& fix, const ReceptionSettings& settings, ReceiveOutcome& outcome)
{
    if (settings.workbookLink && mWorkbook) {
        WorkbookFix w;
        w.x = platform::Val(fix.texts.x);
        w.y = platform::Val(fix.texts.y);
        w.h = platform::Val(fix.texts.h);
        w.gps = platform::CByte(platform::Val(mField[8]));
        w.gpsTime = fix.localTime;
        w.status = platform::CByte(platform::Val(mField[7]));
        w.hdop = static_cast<float>(platform::Val(mField[9]));
        w.gioid = static_cast<float>(platform::Val(mField[11]));
        mWorkbook->To_Excel(w);
    }
    if (settings.mode != ReceptionMode::Once || settings.pointFilePath.isEmpty())
        return;
    const bool saved = mPointFile.SAVEONE(settings.pointFilePath, settings.saveType,
                                          fixed1(fix.texts.x, 10), fixed1(fix.texts.y, 10),
                                          fixed1(fix.texts.h, 8), fix.localTime);
    if (!saved) {
        platform::MsgBox(kMsgNoFolder.toString());
        outcome.clearPointFilePath = true;
    }
}

void Reception::keep(const Fix& fix, ReceiveOutcome& outcome)
{
    const Track::Added added = mTrack.add(platform::Val(fix.texts.x), platform::Val(fix.texts.y),
                                          static_cast<float>(platform::Val(fix.texts.h)),
                                          fix.localTime);
    if (added == Track::Added::KeptWriteFile && !mProgramFolder.isEmpty())
        outcome.trackFileWritten = WriteTrackFile(mProgramFolder, mTrack);
}

void Reception::control(const ReceptionSettings& settings, ReceiveOutcome& outcome) const
{
    const int target = receptionTarget(settings.mode);
    if (target == 0) {
        outcome.armWatchdog = true;
        return;
    }
    // A counted reception ends at the first fix once the count is reached,
    // also when the event that reached it brought no fix.
    outcome.stopReception = mRecvCount >= target;
}

}  // namespace orbela
