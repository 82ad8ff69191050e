// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/app/clipboard_start.h"

#include "main/site/site_messages.h"
#include "main/site/tables.h"
#include "platform/text/fields.h"
#include "platform/text/numbers.h"
#include "platform/text/strings.h"

#include <optional>

namespace tavelcor {
namespace {

constexpr QStringView kHandoverHead = u"Z00,NEW_SIMA";
constexpr QStringView kProfileMark = u"地理院標高API";
constexpr qsizetype kShortestStartText = 7;
constexpr int kReportedMissingVertices = 20;
constexpr qsizetype kLinkLength = 200;
constexpr QChar kLinkSeparator = QChar(15);

// The whole number a field stands for (its leading number, halves to even),
// when it is a coordinate number 1..500000.
std::optional<int> coordinateNumber(QStringView field)
{
    const std::optional<std::int32_t> n = platform::toLongChecked(platform::Val(field));
    if (!n || *n < 1 || *n > kZahyoTop)
        return std::nullopt;
    return *n;
}

void refuse(ClipboardParse& result, QStringView record)
{
    result.refused = true;
    showSiteMessage(clipboardRefusedMessage(record));
}

// An X or Y that cannot be a plane coordinate would decide the site origin.
void refuseCoordinate(ClipboardParse& result, QStringView record)
{
    result.refused = true;
    showSiteMessage(clipboardCoordinateRefusedMessage(record));
}

// ---------------------------------------------------------------- point rows

enum class RowField { Number, Name, X, Y };

// Handles one finished field of the point rows; false ends the parse.
bool takeRowField(RowField& state, int& n, const QString& field, ClipboardParse& result)
{
    switch (state) {
    case RowField::Number: {
        const std::optional<std::int32_t> value = platform::toLongChecked(platform::Val(field));
        if (value && *value == 0)
            return false;  // a number 0 (a header row, an empty column) ends the rows
        const std::optional<int> number = coordinateNumber(field);
        if (!number) {
            refuse(result, field);
            return false;
        }
        n = *number;
        if (n > ZahyoMax)
            ZahyoMax = n;
        state = RowField::Name;
        return true;
    }
    case RowField::Name:
        ZahyoName[n] = field;
        ++result.coordinates;
        state = RowField::X;
        return true;
    case RowField::X:
    case RowField::Y: {
        const double value = platform::Val(field);
        if (!isPlaneCoordinate(value)) {
            ZahyoName[n] = freeZahyoName();  // the row is not taken
            --result.coordinates;
            refuseCoordinate(result, field);
            return false;
        }
        (state == RowField::X ? ZahyoX : ZahyoY)[n] = value;
        state = state == RowField::X ? RowField::Y : RowField::Number;
        return true;
    }
    }
    return false;
}

// --------------------------------------------------------------- SIMA stream

class HandoverReader {
public:
    explicit HandoverReader(QStringView text) : mText(text) {}

    ClipboardParse read();

private:
    QStringView next() { return platform::nextFieldView(mText, mPos); }
    bool readCoordinate();
    bool readParcelStart();
    bool readVertex();
    void finish() const;

    QStringView mText;
    qsizetype mPos = 1;
    std::int32_t mSlot = 1;  // next vertex slot
    ClipboardParse mResult;
};

ClipboardParse HandoverReader::read()
{
    ZahyoMax = 1;
    bool going = true;
    while (going && mPos <= mText.size()) {
        const QStringView field = next();
        if (field == u"G00") {
            next();
            next();
        } else if (field == u"A01") {
            going = readCoordinate();
        } else if (field == u"D00") {
            going = readParcelStart();
        } else if (field == u"B01") {
            going = readVertex();
        }
    }
    finish();
    return mResult;
}

bool HandoverReader::readCoordinate()
{
    const QStringView numberField = next();
    const std::optional<int> n = coordinateNumber(numberField);
    if (!n) {
        refuse(mResult, QStringLiteral("A01,") + numberField.toString());
        return false;
    }
    const QStringView name = next();
    const QStringView xField = next();
    const QStringView yField = next();
    const double x = platform::Val(xField);
    const double y = platform::Val(yField);
    if (!isPlaneCoordinate(x) || !isPlaneCoordinate(y)) {
        refuseCoordinate(mResult, QStringLiteral("A01,") + numberField.toString() + u',' + name.toString() + u','
                                      + xField.toString() + u',' + yField.toString());
        return false;
    }
    const qsizetype link = name.indexOf(kLinkSeparator);
    if (link >= 0) {
        ZahyoName[*n] = name.first(link).toString();
        ZahyoLink[*n] = name.sliced(link + 1).left(kLinkLength).toString();
        mResult.linkSeen = true;
    } else {
        ZahyoName[*n] = platform::Trim(name);
    }
    ZahyoX[*n] = x;
    ZahyoY[*n] = y;
    ZahyoH[*n] = platform::Val(next());
    if (*n > ZahyoMax)
        ZahyoMax = *n;
    ++mResult.coordinates;
    return true;
}

bool HandoverReader::readParcelStart()
{
    if (KakuchiCount >= kKakuchiCountLimit) {
        refuse(mResult, QStringLiteral("D00"));
        return false;
    }
    ++KakuchiCount;
    if (KakuchiCount > 1)
        KakuchiLast[KakuchiCount - 1] = mSlot - 1;
    next();  // the parcel number: parcels are numbered in the order they come
    KakuchiName[KakuchiCount] = next().toString();
    if (platform::trimmedView(next()) != u"1") {
        KakuchiName[KakuchiCount] = openFigureName();
        ++KakuchiOpenCount;
    }
    KakuchiFirst[KakuchiCount] = mSlot;
    return true;
}

bool HandoverReader::readVertex()
{
    const QStringView numberField = next();
    const std::optional<int> n = coordinateNumber(numberField);
    if (!n || platform::trimmedView(ZahyoName[*n]) == freeZahyoName()) {
        ++mResult.missingVertices;
        if (mResult.missingVertices <= kReportedMissingVertices)
            showSiteMessage(missingCoordinateMessage(KakuchiName[KakuchiCount], numberField,
                                                     n ? ZahyoName[*n] : freeZahyoName()));
        return true;
    }
    if (mSlot > kKakuchiVertexTop) {
        refuse(mResult, QStringLiteral("B01,") + numberField.toString());
        return false;
    }
    ZahyoUsed[*n] = 1;
    KakuchiVertex[mSlot] = *n;
    ++mSlot;
    return true;
}

void HandoverReader::finish() const
{
    if (KakuchiCount > 0)
        KakuchiLast[KakuchiCount] = mSlot - 1;
}

}  // namespace

ClipboardStart clipboardStartMode(QStringView text)
{
    if (text.size() <= kShortestStartText)
        return ClipboardStart::Chooser;
    if (text.startsWith(kHandoverHead))
        return ClipboardStart::SimaHandover;
    if (text.first(kShortestStartText).contains(u'\t'))
        return ClipboardStart::PointRows;
    return ClipboardStart::Chooser;
}

bool isElevationProfileHandover(QStringView text)
{
    return text.contains(kProfileMark);
}

ClipboardParse readTabPointRows(QStringView text)
{
    ClipboardParse result;
    ZahyoMax = 1;
    RowField state = RowField::Number;
    int n = 0;
    QString field;
    for (const QChar c : text) {
        if (c == u'\n')
            continue;
        if (c != u'\t' && c != u'\r') {
            field.append(c);
            continue;
        }
        if (!takeRowField(state, n, field, result))
            break;
        field.clear();
    }
    return result;
}

ClipboardParse readSimaHandover(QStringView text)
{
    return HandoverReader(text).read();
}

QString clipboardRefusedMessage(QStringView record)
{
    return QStringLiteral("クリップボードの「") + record.toString()
           + QStringLiteral("」に範囲外の番号が入っています。ここから先は読み込みません。");
}

QString clipboardCoordinateRefusedMessage(QStringView record)
{
    return QStringLiteral("クリップボードの「") + record.toString()
           + QStringLiteral("」に範囲外の座標値が入っています。ここから先は読み込みません。");
}

}  // namespace tavelcor
