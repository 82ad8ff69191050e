// SPDX-License-Identifier: LicenseRef-Tavelcor
// ORBELA's reception core: one receive event of the serial port turns the
// first GGA sentence of the receive buffer into one fix.  The fix is
// converted to plane X, Y of the zone, corrected by the geoid model, shown,
// published as the fix line of the `Text7` item, handed to the workbook,
// written to the point file in single reading, appended to the track, and
// ends counted reception or re-arms the watchdog.
//
// This is the window's reception state without the window: bytes in, a
// ReceiveOutcome out that says what the window must show and do.  Messages
// and questions go through the installed prompter (platform/prompt).
#pragma once

#include "gps/clock.h"
#include "gps/fix_texts.h"
#include "gps/geoid.h"
#include "gps/nmea.h"
#include "gps/sentence_scan.h"
#include "gps/track.h"
#include "gps/track_files.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace orbela {

/// The reception modes of the frame "受信回数".
enum class ReceptionMode {
    Continuous,  // Option1 "連続受信"
    Once,        // Option2 "１回"
    Twice,       // Option6 "２回"
    Ten,         // Option7 "１０"
    Fifty,       // Option8 "５０"
};

/// The number of receive events after which a counted mode ends (0 for
/// continuous reception).
int receptionTarget(ReceptionMode mode);

/// The controls the reception reads at each event.
struct ReceptionSettings {
    QString zoneText = QStringLiteral("6");      // Text5: plane coordinate zone
    bool workbookLink = false;                   // Check1 "EXCEL LINK"
    QString pointFilePath;                       // Text3: point file of single reading
    ReceptionMode mode = ReceptionMode::Continuous;
    SaveType saveType = SaveType::Sima;          // frame "保存タイプ"
    bool clockRequested = false;                 // Check2 "時刻合わせ"
};

/// The values handed to the workbook's macro "Orbela" after each fix, in its
/// order (`Form1.To_Excel`).
struct WorkbookFix {
    double x = 0;            // plane X, metres (the value of the 3-decimal text)
    double y = 0;            // plane Y
    double h = 0;            // height
    std::uint8_t gps = 0;    // satellites in use
    QString gpsTime;         // local time text
    std::uint8_t status = 0; // fix quality
    float hdop = 0;          // horizontal dilution of precision
    float gioid = 0;         // the value of GGA field 11 (the altitude's unit: 0)
};

/// The workbook hand-over, provided by the window (the workbook link).
class WorkbookHandOver {
public:
    WorkbookHandOver() = default;
    WorkbookHandOver(const WorkbookHandOver&) = delete;
    WorkbookHandOver& operator=(const WorkbookHandOver&) = delete;
    virtual ~WorkbookHandOver() = default;
    /// Hands one fix over; reports its own failures (in the log's box 0).
    virtual void To_Excel(const WorkbookFix& fix) = 0;
};

/// One fix as it was processed.
struct Fix {
    QByteArray sentence;      // the GGA sentence as checked, "$GPGGA,...*hh"
    double latitudeDms = 0;   // packed d.mmss (not times 10000)
    double longitudeDms = 0;
    int zone = 0;
    double x = 0;             // plane X, metres, as converted
    double y = 0;             // plane Y
    double h = 0;             // height, metres (geoid corrected when a model is present)
    std::optional<double> geoidHeight;  // the model's value, when one was used
    CoordinateTexts texts;    // X, Y, H texts (3 decimals)
    QString satellites;       // satellite count text
    QString localTime;        // local time text
    QString kind;             // kind of fix with constellation mark
    QString fixText;          // GpsFixText
    QString logLine;
};

/// What one receive event ended with.
enum class ReceiveResult {
    NoGga,        // no GGA sentence: reception ends (message shown)
    ClockFailed,  // the clock could not be set (message shown): nothing used
    Rejected,     // the first GGA sentence has no valid checksum or too few
                  // fields: nothing shown or stored
    NotReady,     // the receiver has no usable fix yet ("準備中")
    FixDone,      // a fix was processed
};

/// What the window must show and do after one receive event.  Every event
/// switches the watchdog off first.
struct ReceiveOutcome {
    ReceiveResult result = ReceiveResult::Rejected;
    std::optional<QString> text7;     // new text of the fix item `Text7`
    std::optional<QString> caption;   // new window caption
    bool untickClockBox = false;      // Check2 := unticked
    bool endReception = false;        // NoGga: close the port, watchdog off,
                                      // start command enabled again
    bool clearPointFilePath = false;  // Text3 := "" (the point file failed;
                                      // its message was shown after the fix)
    bool stopReception = false;       // counted reception done: run the stop command
    bool armWatchdog = false;         // continuous reception: watchdog 10000 ms, on
    QString trackFileWritten;         // path of a track file written at this fix
    std::optional<Fix> fix;
};

/// The watchdog interval armed after each fix in continuous reception.
inline constexpr int kFixWatchdogMs = 10000;

/// The reception state of ORBELA's window.
class Reception {
public:
    /// `clock` must outlive the reception.
    explicit Reception(SystemClock& clock);
    Reception(const Reception&) = delete;
    Reception& operator=(const Reception&) = delete;

    /// The program folder (track files).  Empty: no track file is written.
    void setProgramFolder(const QString& folder) { mProgramFolder = folder; }
    /// The geoid model used for heights.
    GeoidModel& geoid() { return mGeoid; }
    const GeoidModel& geoid() const { return mGeoid; }
    /// The workbook hand-over (nullptr: none).  Not owned.
    void setWorkbook(WorkbookHandOver* workbook) { mWorkbook = workbook; }

    /// Called when a clock comparison is tried, before its question: the
    /// window unticks its clock box ("時刻合わせ") at once.
    void setClockBoxUnticked(std::function<void()> untick) { mClockBoxUnticked = std::move(untick); }
    /// Called once a fix's caption, log line and fix text are final, before
    /// the workbook hand-over and the point file: the window shows and
    /// publishes the fix then, so that neither a slow workbook macro nor the
    /// point file's failure message holds it back.  The outcome passed holds
    /// the caption and `text7` of the fix.
    void setFixShown(std::function<void(const ReceiveOutcome&)> shown) { mFixShown = std::move(shown); }

    /// The start command: `RecvCount` := 0.
    void startReception() { mRecvCount = 0; }

    /// An event of the serial port other than a receive event: fields 1 to
    /// 10 of the sentence are set to a blank, nothing else happens.
    void otherCommEvent();

    /// One receive event with the whole input buffer.
    ReceiveOutcome receive(QByteArrayView buffer, const ReceptionSettings& settings);

    // ---- state (read by the window and its other handlers) ----
    const NmeaFieldRow& NmeaField() const { return mField; }
    /// Receive events since the start command (32-bit: a day of continuous
    /// reception at several events a second does not overflow it).
    std::int32_t RecvCount() const { return mRecvCount; }
    /// 0..5: blanks before "NMEA" in the caption; the watchdog reads it.
    int CaptionStep() const { return mCaptionStep; }
    bool GlonassSeen() const { return mGlonassSeen; }
    bool QzssSeen() const { return mQzssSeen; }
    /// `SentencePos` elements 1 and 2 of the last scan (1-based).
    int SentencePos(int element) const;
    Track& track() { return mTrack; }
    const Track& track() const { return mTrack; }
    LogBox& log() { return mLog; }
    const LogBox& log() const { return mLog; }
    PointFile& pointFile() { return mPointFile; }

private:
    void resetLeadingFields();
    ReceiveOutcome notReady();
    ReceiveResult checkSentence(QByteArrayView buffer, const ScanOutcome& scan, QByteArray& sentence);
    Fix makeFix(const QByteArray& sentence, const ReceptionSettings& settings);
    void handOver(const Fix& fix, const ReceptionSettings& settings, ReceiveOutcome& outcome);
    void keep(const Fix& fix, ReceiveOutcome& outcome);
    void control(const ReceptionSettings& settings, ReceiveOutcome& outcome) const;
    QString nextCaption(const QString& lead);

    SystemClock& mClock;
    WorkbookHandOver* mWorkbook = nullptr;
    std::function<void()> mClockBoxUnticked;
    std::function<void(const ReceiveOutcome&)> mFixShown;
    QString mProgramFolder;
    GeoidModel mGeoid;
    ScanMemory mScan;
    NmeaFieldRow mField;
    std::int32_t mRecvCount = 0;
    int mCaptionStep = 0;
    int mSentenceStart = 0;
    int mSentenceEnd = 0;
    bool mGlonassSeen = false;
    bool mQzssSeen = false;
    Track mTrack;
    LogBox mLog;
    PointFile mPointFile;
};

}  // namespace orbela
