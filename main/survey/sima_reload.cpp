// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/survey/sima_reload.h"

#include "main/site/site_messages.h"
#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "platform/prompt/prompter.h"
#include "platform/text/fields.h"
#include "platform/text/strings.h"

#include <algorithm>
#include <vector>

namespace tavelcor {

namespace {

constexpr QStringView kWorkbookHead = u"Z00,SIMA_";
constexpr QStringView kReloadHead = u"Z00,SIMA_RELOAD";
constexpr QStringView kAppendHead = u"Z00,SIMA_TUIKA";

// The coordinate number a field stands for: its leading number rounded
// halves to even, when that is a number of the table (1..500000).
std::optional<int> coordinateNumber(QStringView field)
{
    const std::optional<std::int32_t> n = sitetext::fieldLong(field);
    if (!n || *n < 1 || *n > kZahyoTop)
        return std::nullopt;
    return *n;
}

bool isFreeName(QStringView name)
{
    return platform::trimmedView(name) == u"_?>";
}

QString record(QStringView code, QStringView numberField)
{
    return code.toString() + QLatin1Char(',') + numberField.toString();
}

// Walks the fields of a text as the scan reads them and hands each of the
// three records to the visitor, whose handler returns false to stop.
template <class Visitor>
void walkSimaRecords(QStringView text, Visitor& visitor)
{
    qsizetype pos = 1;
    const auto next = [&text, &pos] { return platform::nextFieldView(text, pos); };
    while (pos <= text.size()) {
        const QStringView field = next();
        bool going = true;
        if (field == u"A01") {
            const QStringView number = next();
            const QStringView name = next();
            const QStringView x = next();
            const QStringView y = next();
            going = visitor.coordinate(number, name, x, y);
        } else if (field == u"D00") {
            const QStringView number = next();
            const QStringView name = next();
            going = visitor.parcel(number, name);
        } else if (field == u"B01") {
            going = visitor.vertex(next());
        }
        if (!going)
            return;
    }
}

// The scan on paper: counts parcels and vertex slots and follows which
// coordinate numbers the text names or frees, without writing anything.
class SimaCheck {
public:
    SimaCheck(SimaTextKind kind, std::int32_t slot)
        : mReload(kind == SimaTextKind::Reload),
          mParcels(mReload ? 0 : KakuchiCount),
          mSlot(slot),
          mNames(static_cast<std::size_t>(kZahyoTop) + 1, kAsTable)
    {
    }

    bool coordinate(QStringView number, QStringView name, QStringView, QStringView)
    {
        const std::optional<int> n = coordinateNumber(number);
        if (!n)
            return refuse(SimaRefusal::Reason::CoordinateNumber, u"A01", number);
        mNames[static_cast<std::size_t>(*n)] = isFreeName(name) ? kFree : kNamed;
        return true;
    }

    bool parcel(QStringView number, QStringView)
    {
        if (mParcels >= kKakuchiCountLimit)
            return refuse(SimaRefusal::Reason::ParcelCount, u"D00", number);
        ++mParcels;
        return true;
    }

    bool vertex(QStringView number)
    {
        const std::optional<int> n = coordinateNumber(number);
        if (!n)
            return refuse(SimaRefusal::Reason::CoordinateNumber, u"B01", number);
        if (isFree(*n))
            return true;  // passed over with a message, no slot taken
        if (mSlot > kKakuchiVertexTop)
            return refuse(SimaRefusal::Reason::VertexSlot, u"B01", number);
        ++mSlot;
        return true;
    }

    const std::optional<SimaRefusal>& refusal() const { return mRefusal; }

private:
    static constexpr std::uint8_t kAsTable = 0;
    static constexpr std::uint8_t kNamed = 1;
    static constexpr std::uint8_t kFree = 2;

    bool isFree(int n) const
    {
        const std::uint8_t state = mNames[static_cast<std::size_t>(n)];
        if (state != kAsTable)
            return state == kFree;
        return mReload || isFreeName(ZahyoName[n]);
    }

    bool refuse(SimaRefusal::Reason reason, QStringView code, QStringView number)
    {
        mRefusal = SimaRefusal{reason, record(code, number)};
        return false;
    }

    bool mReload;
    int mParcels;
    std::int32_t mSlot;
    std::vector<std::uint8_t> mNames;  // per coordinate number, as the text leaves it
    std::optional<SimaRefusal> mRefusal;
};

// The scan that writes the records into the tables.
class SimaScan {
public:
    SimaScan(bool selectNew, std::int32_t slot) : mSelectNew(selectNew), mSlot(slot) {}

    bool coordinate(QStringView number, QStringView name, QStringView x, QStringView y)
    {
        const std::optional<int> n = coordinateNumber(number);
        if (!n)
            return true;  // refused by the check; never written
        ZahyoName[*n] = platform::Trim(name);
        const double X = sitetext::fieldNumber(x);
        const double Y = sitetext::fieldNumber(y);
        ZahyoX[*n] = X;
        ZahyoY[*n] = Y;
        ZahyoMax = std::max(ZahyoMax, *n);
        ZahyoPX[*n] = X - OriginX;
        ZahyoPY[*n] = Y - OriginY;
        return true;
    }

    bool parcel(QStringView, QStringView name)
    {
        if (KakuchiCount >= kKakuchiCountLimit)
            return true;
        ++KakuchiCount;
        if (KakuchiCount > 1)
            KakuchiLast[KakuchiCount - 1] = mSlot - 1;
        KakuchiName[KakuchiCount] = name.toString();
        if (mSelectNew)
            KakuchiSel[KakuchiCount] = 1;
        KakuchiFirst[KakuchiCount] = mSlot;
        return true;
    }

    bool vertex(QStringView number)
    {
        const std::optional<int> n = coordinateNumber(number);
        if (!n)
            return true;
        if (isFreeName(ZahyoName[*n])) {
            platform::MsgBox(missingCoordinateMessage(KakuchiName[KakuchiCount], number, ZahyoName[*n]),
                             platform::MsgButtons::OkOnly, platform::MsgIcon::None, QString());
            return true;
        }
        if (mSlot > kKakuchiVertexTop)
            return true;
        KakuchiVertex[mSlot] = *n;
        ++mSlot;
        return true;
    }

    void finish() const
    {
        if (KakuchiCount > 0)
            KakuchiLast[KakuchiCount] = mSlot - 1;
    }

private:
    bool mSelectNew;
    std::int32_t mSlot;
};

}  // namespace

bool isWorkbookSimaText(QStringView text)
{
    return text.startsWith(kWorkbookHead);
}

SimaTextKind simaTextKind(QStringView text)
{
    if (text.startsWith(kReloadHead))
        return SimaTextKind::Reload;
    if (text.startsWith(kAppendHead))
        return SimaTextKind::Append;
    return SimaTextKind::Merge;
}

std::int32_t nextVertexSlot()
{
    if (KakuchiCount > 0)
        return KakuchiLast[KakuchiCount] + 1;
    return 1;
}

std::optional<SimaRefusal> checkSimaText(QStringView text, SimaTextKind kind, std::int32_t slot)
{
    SimaCheck check(kind, slot);
    walkSimaRecords(text, check);
    return check.refusal();
}

QString simaRefusalMessage(const SimaRefusal& refusal)
{
    QString limit;
    switch (refusal.reason) {
    case SimaRefusal::Reason::CoordinateNumber:
        limit = QStringLiteral("の座標ナンバーが範囲（1～500000）の外です。");
        break;
    case SimaRefusal::Reason::ParcelCount:
        limit = QStringLiteral("で画地の数が上限（32767）を超えます。");
        break;
    case SimaRefusal::Reason::VertexSlot:
        limit = QStringLiteral("で画地の頂点の数が上限（600000）を超えます。");
        break;
    }
    return QStringLiteral("クリップボードのSIMAデータ「") + refusal.record + QStringLiteral("」") + limit
           + QStringLiteral("このデータは読み込みません。座標と画地は変わっていません。");
}

void clearForSimaReload()
{
    for (int p = 1; p <= KakuchiCount; ++p)
        KakuchiSel[p] = 0;
    const QString freeName = freeZahyoName();
    for (int n = 1; n <= kZahyoTop; ++n) {
        ZahyoX[n] = 0.0;
        ZahyoY[n] = 0.0;
        ZahyoName[n] = freeName;
        ZahyoUsed[n] = 0;
    }
    KakuchiCount = 0;
}

void scanSimaText(QStringView text, bool selectNew, std::int32_t slot)
{
    SimaScan scan(selectNew, slot);
    walkSimaRecords(text, scan);
    scan.finish();
}

}  // namespace tavelcor
