// SPDX-License-Identifier: LicenseRef-Tavelcor
// The format-2000 import, parcel attributes: land categories, registered
// areas with the area check (.ATR) and the number of persons (.COS).
#include "main/site/format2000.h"

#include "main/site/format2000_internal.h"
#include "main/site/site_messages.h"
#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/text/numbers.h"
#include "platform/text/textfile.h"

#include <array>
#include <cmath>

namespace tavelcor {
namespace {

// Land-category names by code 0..92; codes without a name are empty.
QString landCategoryByCode(int code)
{
    static const std::array<const char16_t*, 25> kLow = {
        u"",         u"田",       u"畑",       u"宅地",     u"塩田",       u"鉱泉地",   u"池沼",
        u"山林",     u"牧場",     u"原野",     u"墓地",     u"境内地",     u"運河用地", u"水道用地",
        u"用悪水路", u"ため池",   u"堤",       u"井溝",     u"保安林",     u"公衆用道路", u"公園",
        u"鉄道用地", u"学校用地", u"雑種地",   u"その他",
    };
    static const std::array<const char16_t*, 12> kHigh = {
        u"道路", u"運河", u"用悪水路", u"堤防", u"みぞ", u"導水管",
        u"送水管", u"排水管", u"鉄道線路", u"軌道", u"河川", u"その他",
    };
    if (code >= 0 && code < int(kLow.size()))
        return QString::fromUtf16(kLow[std::size_t(code)]);
    if (code >= 81 && code < 81 + int(kHigh.size()))
        return QString::fromUtf16(kHigh[std::size_t(code - 81)]);
    return {};
}

}  // namespace

QString LandCategoryName(double code)
{
    if (!std::isfinite(code) || code != std::floor(code) || std::fabs(code) > 1000.0)
        return {};
    return landCategoryByCode(int(code));
}

double roundParcelArea(double area, AreaRule rule, QStringView basisFlag, double registered,
                       QStringView category)
{
    if (basisFlag != u"1") {
        const double bias = rule == AreaRule::Truncation ? 0.0000001 : 0.00001;
        return std::floor((area + bias) * 100.0) / 100.0;
    }
    double a = area;
    if (rule == AreaRule::Rounding)
        a = std::floor(a * 1000.0 + 0.5000001) / 1000.0 + 0.0000001;
    if (registered >= 10.0 && category != u"宅地" && category != u"鉱泉地")
        return std::floor(a + 0.0000001);
    return std::floor(a * 100.0 + 0.0000001) / 100.0;
}

namespace f2000 {
namespace {

// One .ATR record: the fields the import reads (1-based field numbers).
struct AtrRecord {
    QStringView district;     // 3
    QStringView subDistrict;  // 4
    QString name;             // 5, trimmed and narrowed
    QStringView basisFlag;    // 8
    double categoryCode = 0;  // 11
    QStringView area;         // 12, as written
    QStringView text3;        // 15
    QStringView text4;        // 17
};

AtrRecord atrRecord(QStringView line)
{
    const auto f = sitetext::splitFields<17>(line);
    AtrRecord r;
    r.district = f[2];
    r.subDistrict = f[3];
    r.name = cleanName(f[4]);
    r.basisFlag = f[7];
    r.categoryCode = platform::Val(f[10]);
    r.area = f[11];
    r.text3 = f[14];
    r.text4 = f[16];
    return r;
}

class AtrReader {
public:
    AtrReader(const ParcelIndex& parcels, const ParcelAreaFunction& area, AreaRule rule)
        : mParcels(parcels), mArea(area), mRule(rule)
    {
    }

    void apply(QStringView line);

private:
    void fill(int parcel, const AtrRecord& r);
    void checkArea(int parcel, const AtrRecord& r);

    const ParcelIndex& mParcels;
    const ParcelAreaFunction& mArea;
    AreaRule mRule;
    bool mAreaCheck = true;
    bool mAskNotFound = true;
};

void AtrReader::apply(QStringView line)
{
    if (sitetext::splitFields<1>(line).count <= 16)
        return;
    const AtrRecord r = atrRecord(line);
    const int parcel = mParcels.find(r.name, r.district, r.subDistrict);
    if (parcel != 0) {
        fill(parcel, r);
        checkArea(parcel, r);
        return;
    }
    if (r.basisFlag != u"2" && mAskNotFound) {
        mAskNotFound = askSiteQuestion(r.name + QStringLiteral("番地の属性が見つかりません。属性チェックを続けますか？"));
    }
}

void AtrReader::fill(int parcel, const AtrRecord& r)
{
    setKakuchiAttr(parcel, 2, LandCategoryName(r.categoryCode));
    setKakuchiAttr(parcel, 3, r.text3.toString());
    setKakuchiAttr(parcel, 4, r.text4.toString());
    setKakuchiAttr(parcel, 7, r.area.toString() + QStringLiteral("㎡"));
}

void AtrReader::checkArea(int parcel, const AtrRecord& r)
{
    if (!mAreaCheck || r.categoryCode == 0 || r.categoryCode >= 24)
        return;
    const std::optional<double> computed = mArea ? mArea(parcel) : std::nullopt;
    if (!computed)
        return;  // a parcel without a computable outline has nothing to compare
    const double registered = platform::Val(r.area);
    const double rounded = roundParcelArea(*computed, mRule, r.basisFlag, registered,
                                           KakuchiAttr(parcel, 2));
    if (rounded == registered)
        return;
    MsgText = KakuchiName[parcel] + QStringLiteral("番地の2000に記録された面積 ") + r.area.toString()
              + QStringLiteral("㎡ 座標計算の面積 ") + platform::CStr(rounded) + QStringLiteral("㎡\r\n")
              + QStringLiteral("確認してください\r\n");
    mAreaCheck = askSiteQuestion(MsgText + QStringLiteral("確認を続けますか？"));
}

// The suffix of n persons: " 外" & (n - 1) & "名".
QString personSuffix(double persons)
{
    return QStringLiteral(" 外") + platform::CStr(persons - 1) + QStringLiteral("名");
}

// True when column 3 already carries a person suffix: both "名" and "外"
// stand somewhere after its first character.
bool hasPersonSuffix(const QString& text)
{
    return text.indexOf(u'名') > 0 && text.indexOf(u'外') > 0;
}

}  // namespace

ReadOutcome readAttributes(const FileSet& files, const ParcelIndex& parcels,
                           const ParcelAreaFunction& area)
{
    const QString path = files.path(u".ATR");
    if (path.isEmpty())
        return ReadOutcome::Ok;
    const AreaRule rule =
        askSiteQuestion(QStringLiteral("地積切り捨て(R2改正)=「はい(Y)」  四捨五入(改正以前)=いいえ(N)"))
            ? AreaRule::Truncation
            : AreaRule::Rounding;
    const QString fileName = files.fileName(u".ATR");
    platform::TextFileReader in(path);
    if (!in.isOpen())
        return companionNotOpened(path, fileName);
    AtrReader reader(parcels, area, rule);
    QString line;
    while (in.readLine(line))
        reader.apply(line);
    return sitetext::readingEnd(in, fileName);
}

ReadOutcome readPersonCounts(const FileSet& files, const ParcelIndex& parcels)
{
    const QString path = files.path(u".COS");
    if (path.isEmpty())
        return ReadOutcome::Ok;
    const QString fileName = files.fileName(u".COS");
    platform::TextFileReader in(path);
    if (!in.isOpen())
        return companionNotOpened(path, fileName);
    QString line;
    while (in.readLine(line)) {
        const auto f = sitetext::splitFields<6>(line);
        if (f.count < 6 || f[0].isEmpty())
            continue;
        const auto persons = platform::toNumberChecked(f[5]);
        if (!persons)
            return stopWith(notNumberMessage(fileName, line));
        const int parcel = parcels.find(cleanName(f[4]), f[2], f[3]);
        if (parcel == 0)
            continue;
        const QString text = KakuchiAttr(parcel, 3);
        if (!hasPersonSuffix(text))
            setKakuchiAttr(parcel, 3, text + personSuffix(*persons));
    }
    return sitetext::readingEnd(in, fileName);
}

}  // namespace f2000
}  // namespace tavelcor
