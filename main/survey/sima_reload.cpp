// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/survey/sima_reload.h"

#include "main/site/site_messages.h"
#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "main/survey/sima_fields.h"
#include "platform/prompt/prompter.h"
#include "platform/text/text_block.h"
#include "platform/text/strings.h"

#include <algorithm>
#include <vector>

namespace tavelcor {

namespace {

constexpr QStringView kWorkbookHead = u"Z00,SIMA_";
constexpr QStringView kReloadHead = u"Z00,SIMA_RELOAD";
constexpr QStringView kAppendHead = u"Z00,SIMA_TUIKA";

// The coordinate number of the cursor's next field: its leading number
// rounded halves to even, when that is a number of the table (1..500000).
std::optional<int> coordinateNumber(simatext::FieldCursor& fields)
{
    std::int32_t n = 0;
    if (!fields.whole(1, kZahyoTop, n))
        return std::nullopt;
    return n;
}

// True for the free name "_?>", blanks at its ends allowed. Other names are
// told apart at their first character after any blanks.
bool isFreeName(QStringView name)
{
    qsizetype first = 0;
    while (first < name.size() && name[first] == u' ')
        ++first;
    if (first == name.size() || name[first] != u'_')
        return false;
    return platform::trimmedView(name) == u"_?>";
}

QString record(QStringView code, QStringView numberField)
{
    return code.toString() + QLatin1Char(',') + numberField.toString();
}

// True when field is the record code (three characters), compared without
// a call.
bool isCode(QStringView field, const char16_t (&code)[4])
{
    return field.size() == 3 && field[0] == code[0] && field[1] == code[1] && field[2] == code[2];
}

// Walks the fields of a text as the scan reads them and hands each of the
// three records to the visitor with the cursor standing after the record's
// code. Each handler reads exactly the fields its record has (A01: four,
// number, name, X and Y; D00: two, number and name; B01: one, the number),
// so that both visitors walk the same fields, and returns false to stop.
template <class Visitor>
void walkSimaRecords(QStringView text, Visitor& visitor)
{
    simatext::FieldCursor fields(text);
    while (!fields.atEnd()) {
        const QStringView field = fields.text();
        bool going = true;
        if (isCode(field, u"B01"))
            going = visitor.vertex(fields);
        else if (isCode(field, u"A01"))
            going = visitor.coordinate(fields);
        else if (isCode(field, u"D00"))
            going = visitor.parcel(fields);
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

    bool coordinate(simatext::FieldCursor& fields)
    {
        const std::optional<int> n = coordinateNumber(fields);
        if (!n)
            return refuse(SimaRefusal::Reason::CoordinateNumber, u"A01", fields.field());
        mNames[static_cast<std::size_t>(*n)] = isFreeName(fields.text()) ? kFree : kNamed;
        fields.skip();  // X
        fields.skip();  // Y
        if (mReload && fields.lastFieldEndedAtComma())
            fields.skip();  // H, which the reload takes
        return true;
    }

    bool parcel(simatext::FieldCursor& fields)
    {
        const QStringView number = fields.text();
        fields.skip();  // the name
        if (mParcels >= kKakuchiCountLimit)
            return refuse(SimaRefusal::Reason::ParcelCount, u"D00", number);
        ++mParcels;
        return true;
    }

    bool vertex(simatext::FieldCursor& fields)
    {
        const std::optional<int> n = coordinateNumber(fields);
        if (!n)
            return refuse(SimaRefusal::Reason::CoordinateNumber, u"B01", fields.field());
        if (isFree(*n))
            return true;  // passed over with a message, no slot taken
        if (mSlot > kKakuchiVertexTop)
            return refuse(SimaRefusal::Reason::VertexSlot, u"B01", fields.field());
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
        return mReload || isFreeName(std::as_const(ZahyoName)[n]);
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
    SimaScan(bool selectNew, std::int32_t slot, bool takeHeights)
        : mSelectNew(selectNew), mTakeHeights(takeHeights), mSlot(slot)
    {
    }

    bool coordinate(simatext::FieldCursor& fields)
    {
        const std::optional<int> n = coordinateNumber(fields);
        const QStringView name = fields.text();
        const double X = fields.number();
        const double Y = fields.number();
        const bool hasHeight = mTakeHeights && fields.lastFieldEndedAtComma();
        const double H = hasHeight ? fields.number() : 0.0;
        if (!n)
            return true;  // refused by the check; never written
        if (hasHeight)
            ZahyoH[*n] = H;
        ZahyoName[*n] = mTexts.copy(platform::trimmedView(name));
        ZahyoX[*n] = X;
        ZahyoY[*n] = Y;
        ZahyoMax = std::max(ZahyoMax, *n);
        ZahyoPX[*n] = X - OriginX;
        ZahyoPY[*n] = Y - OriginY;
        return true;
    }

    bool parcel(simatext::FieldCursor& fields)
    {
        fields.skip();  // the parcel number, which is not kept
        const QStringView name = fields.text();
        if (KakuchiCount >= kKakuchiCountLimit)
            return true;
        ++KakuchiCount;
        if (KakuchiCount > 1)
            KakuchiLast[KakuchiCount - 1] = mSlot - 1;
        KakuchiName[KakuchiCount] = mTexts.copy(name);
        if (mSelectNew)
            KakuchiSel[KakuchiCount] = 1;
        KakuchiFirst[KakuchiCount] = mSlot;
        return true;
    }

    bool vertex(simatext::FieldCursor& fields)
    {
        const std::optional<int> n = coordinateNumber(fields);
        if (!n)
            return true;
        if (isFreeName(std::as_const(ZahyoName)[*n])) {
            platform::MsgBox(missingCoordinateMessage(std::as_const(KakuchiName)[KakuchiCount], fields.field(),
                                                      std::as_const(ZahyoName)[*n]),
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
    bool mTakeHeights;
    std::int32_t mSlot;
    platform::TextBlockMaker mTexts;  // the names the tables keep
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
    for (int p = 1; p <= KakuchiCount; ++p) {
        KakuchiSel[p] = 0;
        KakuchiName[p].clear();
        KakuchiInfo[p].clear();
    }
    clearKakuchiAttrs();
    // Every coordinate free, as a fresh read starts; the linked files stay
    // (no site file holds them, and a reload does not bring them).
    ZahyoName.reset();  // its start value is the free name
    ZahyoX.reset();
    ZahyoY.reset();
    ZahyoH.reset();
    ZahyoPX.reset();
    ZahyoPY.reset();
    ZahyoUsed.reset();
    KakuchiCount = 0;
}

void scanSimaText(QStringView text, bool selectNew, std::int32_t slot, bool reload)
{
    SimaScan scan(selectNew, slot, reload);
    walkSimaRecords(text, scan);
    scan.finish();
}

}  // namespace tavelcor
