// SPDX-License-Identifier: LicenseRef-Tavelcor
// The passes of the map XML import as scanners over one reading of the file.
//
// Each pass of the line-oriented reader (zone, points, curves, surfaces,
// names with boundary lines and parcels, map sheets, sheet references) is a
// small state machine that sees every line in order, as its own pass over
// the line list would. What a pass needs of another pass's results (the
// points of a curve, the curves of a surface or a boundary line, the number
// of lines written before the frames) is recorded during the reading and
// settled afterwards in the passes' order (Import::apply), so the file is
// read once and never held in memory. Internal to the map XML import.
#pragma once

#include "main/site/mapxml_text.h"
#include "main/site/site_file_result.h"

#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace tavelcor::mapxml {

// The fixed texts, in the file's encoding.
struct Markers {
    explicit Markers(FileEncoding encoding);

    Marker zone, point, x, y;
    Marker curve, directOpen, directClose, indirect, pointRef;
    Marker surface, generator, ringEnd;
    Marker idref, pointName, name;
    std::array<Marker, 3> boundaryMarks;  // 大字界線, 小字界線, 市区町村界線
    Marker parcel, parcelEnd, district, parcelNumber, undetermined;
    Marker sheetNumber;
    std::array<Marker, 4> corners;  // 左下, 左上, 右上, 右下
    Marker sheetBlock, sheetBlockEnd, sheetRef, rootEnd;
};

// What one import has found and must settle after the reading.
struct Found {
    struct Boundary {
        std::int32_t curve = 0;
        std::uint8_t color = 0;
    };
    struct Sheet {
        QString name;
        std::array<double, 8> corner{};  // lower left X, Y, upper left, upper right, lower right
        std::array<bool, 4> seen{};
    };
    struct SheetRef {
        int sheet = 0;           // the map sheet's number, counted from 1 in file order
        std::int32_t parcel = 0;
    };
    struct VertexRef {
        std::int32_t curve = 0;
        qint64 line = 0;  // where the surface names it, for a message
    };

    std::optional<int> zone;
    // Start and end point of each curve number given by point references; 0
    // when the curve has none.
    std::vector<std::int32_t> curveStart, curveEnd;
    // Points given coordinates by a "zmn:GM_Point", by number.
    std::vector<bool> pointDefined;
    // The curve of each vertex slot 1.. (entry slot - 1).
    std::vector<VertexRef> vertexCurves;
    // Surface numbers that the file describes, by number.
    std::vector<bool> surfaceDefined;
    int highestSurface = 0;
    std::vector<Boundary> boundaries;
    int highestParcel = 0;  // highest "<筆 id=" number, 0 when none
    std::vector<Sheet> sheets;
    std::vector<SheetRef> sheetRefs;
    bool rootEnded = false;
};

class Import;

// The problem of a table that cannot take one more entry:
// "で<what>の件数が上限の<limit>を超えました。".
QString tableFullProblem(const QString& what, int limit);

// A failure found while reading: the first one is kept and ends the reading.
class Failure {
public:
    bool failed() const { return mMessage.has_value(); }
    const QString& message() const { return *mMessage; }
    void set(QString message)
    {
        if (!mMessage)
            mMessage = std::move(message);
    }

private:
    std::optional<QString> mMessage;
};

// Shared by the scanners: the markers, the findings, failures and the
// checked numbers.
struct ScanContext {
    ScanContext(FileEncoding encoding, QString fileName);

    // The line's id number when it lies in lo..hi; otherwise the failure is
    // set and nullopt returned.
    std::optional<int> number(Line& line, int lo, int hi);
    // A failure about the line (its number and text are named).
    void failAt(Line& line, const QString& problem);
    // A failure about the line numbered n, without its text.
    void failAtNumber(qint64 n, const QString& problem);
    // A failure about the file as a whole (no line is named).
    void failFile(const QString& problem);

    Markers markers;
    QString fileName;
    Found found;
    Failure failure;
};

class PointScanner {
public:
    explicit PointScanner(ScanContext& c) : mC(c) {}
    void feed(Line& line, Line& previous);
    void finish();

private:
    bool isPlane(Line& line, double metres);

    enum class State { Idle, WantX, WantY };
    ScanContext& mC;
    State mState = State::Idle;
    int mPoint = 0;
    qint64 mStart = 0;
    double mX = 0;
};

class CurveScanner {
public:
    explicit CurveScanner(ScanContext& c) : mC(c) {}
    void feed(Line& line);
    void finish();

private:
    enum class State { Idle, Seek, Direct1, Direct2, Start, End };
    bool begin(Line& line);
    void direct(Line& line, bool first);
    void reference(Line& line);

    ScanContext& mC;
    State mState = State::Idle;
    int mCurve = 0;
    int mEntry = 0;  // the line entry of a curve given by direct positions
    int mStartPoint = 0;
    qint64 mStart = 0;
};

class SurfaceScanner {
public:
    explicit SurfaceScanner(ScanContext& c) : mC(c) {}
    void feed(Line& line);
    void finish();

private:
    void closeRing();
    ScanContext& mC;
    bool mInRing = false;
    int mSurface = 0;
    int mSlot = 1;  // the next vertex slot
    bool mFirst = true;
    qint64 mStart = 0;
};

class NameScanner {
public:
    explicit NameScanner(ScanContext& c) : mC(c) {}
    void feed(Line& line, Line& previous);
    void finish();

private:
    enum class State { Normal, AfterName, InParcel };
    void normal(Line& line, Line& previous);
    void afterName(Line& line);
    void inParcel(Line& line);
    void startParcel(Line& line);

    ScanContext& mC;
    State mState = State::Normal;
    QString mName;
    bool mPointName = false;
    int mParcel = 0;
    bool mUndetermined = false;
    qint64 mStart = 0;
};

class SheetScanner {
public:
    explicit SheetScanner(ScanContext& c) : mC(c) {}
    void feed(Line& line);
    void finish();

private:
    enum class State { Idle, WantX, WantY };
    ScanContext& mC;
    State mState = State::Idle;
    int mCorner = 0;
    double mX = 0;
    qint64 mStart = 0;
    int mSheetBlocks = 0;
    bool mInBlock = false;
};

// All scanners of one import, fed line by line, then settled.
class Import {
public:
    Import(FileEncoding encoding, QString fileName);

    // Feeds the line (numbered from 1; the first line, the declaration, is
    // never fed) with the line before it.
    void feed(Line& line, Line& previous);
    // The end of the file after lastLine lines: elements left open are a
    // truncated file.
    void finish(qint64 lastLine);
    bool failed() const { return mContext.failure.failed(); }
    const QString& failure() const { return mContext.failure.message(); }

    // Writes what the reading found into the tables, in the passes' order:
    // vertices, boundary lines, map sheets, the parcel count and, for a file
    // without a public zone, the parcels in sheet order (askYes asks whether
    // sheet names are appended). StopProgram (with failure() set) when a
    // surface names an unknown curve or point or a table is full.
    ReadOutcome apply(const std::function<bool(const QString&)>& askYes);

private:
    bool resolveVertices();
    void emptyParcelsWithoutSurface();
    bool appendBoundaries();
    bool storeSheets();
    bool setParcelCount();
    bool renumberBySheets(const std::function<bool(const QString&)>& askYes);

    ScanContext mContext;
    PointScanner mPoints;
    CurveScanner mCurves;
    SurfaceScanner mSurfaces;
    NameScanner mNames;
    SheetScanner mSheets;
};

}  // namespace tavelcor::mapxml
