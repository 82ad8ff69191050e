// SPDX-License-Identifier: LicenseRef-Tavelcor
// The files ORBELA writes from what it receives: the track file ring
// ORBELATMP1.SIM to ORBELATMP10.SIM in the program folder, the user's track
// save in one of three forms, and the one-point file of single reading.
//
// All are CP932 text, one record a line, each line ended by CR LF, written
// atomically (a temporary file renamed over the target).  In every record
// that holds a name, a number or a time, all blanks are removed after the
// line is built.
//
// Number forms: the short form is the shortest decimal text without a zero
// before the point (".5", "-.25"), 15 significant digits for X and Y, 7 for
// the single-precision height; the plain form has the zero ("0.5").
#pragma once

#include "gps/track.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace orbela {

/// How tracks and points are saved (the frame "保存タイプ").
enum class SaveType {
    Sima,   // ＳＩＭＡ
    Type1,  // ＴＹＰＥ１
    Type2,  // ＴＹＰＥ２
};

/// The SIMA lines of the whole track: "Z00,,", "G00,01,", "A00,", one
/// "A01,i,time,X,Y,H," per point, "A99,", "Z00,,", and when the track holds
/// more than one point the route figure "D00,1,ルート,2,", one "B01,i,time"
/// per point, "D99,", "Z00,,".
QStringList trackSimaLines(const Track& track);

/// The lines of a track save: SIMA as trackSimaLines; ＴＹＰＥ１ "i,X,Y,,20"
/// and ＴＹＰＥ２ "X,Y,time" per point, X and Y in plain form.
QStringList trackSaveLines(const Track& track, SaveType type);

/// The number n (1 to 10) of the next track file of the ring in `folder`:
/// the first n whose "ORBELATMP<n>.SIM" does not exist, or 1 when all ten do.
int nextTrackFileNumber(const QString& folder);

/// The path of track file n in `folder`.
QString trackFilePath(const QString& folder, int n);

/// `WriteTrackFile`: writes the whole track as the next file of the ring in
/// `folder` and deletes the file after it (number n + 1, 11 for n = 10), so
/// that the gap after the newest file moves on.  Returns the path written,
/// or an empty text when the file could not be written (reception and
/// closing go on; the old files are untouched).
QString WriteTrackFile(const QString& folder, const Track& track);

/// Writes a track save to `path` (replacing the file).  False when it could
/// not be written; the old file is then left as it was.
bool saveTrack(const QString& path, const Track& track, SaveType type);

/// The point file of single reading: it holds the last point written, under
/// the running number `PointSaveCount` (1 for the first point of a run).
class PointFile {
public:
    /// The lines of point n: ＳＩＭＡ "Z00,,", "G00,01,", "A00,",
    /// "A01,n,time,SX,SY,sh,", "A99,", "Z00,,"; ＴＹＰＥ１ "Gn,SX,SY,0,20";
    /// ＴＹＰＥ２ "SX,SY,time".
    static QStringList lines(std::int32_t n, SaveType type, const QString& sx, const QString& sy,
                             const QString& sh, const QString& time);

    /// `SAVEONE`: writes the point as the file `path` (replacing it), with
    /// the next running number.  The number is counted only when the file
    /// was written.  False when it could not be written (empty path, missing
    /// folder): the caller shows "保存先のディレクトリが見つかりません。" and
    /// clears the path.
    bool SAVEONE(const QString& path, SaveType type, const QString& sx, const QString& sy,
                 const QString& sh, const QString& time);

    /// Points written so far in this run.
    std::int32_t PointSaveCount() const { return mCount; }

private:
    std::int32_t mCount = 0;
};

}  // namespace orbela
