// SPDX-License-Identifier: LicenseRef-Tavelcor
// The clipboard text of 再表示 (UTF-8 bytes taken as the clipboard's text):
// the check of the whole text, the clearing of a reload and the scan, over
// empty tables or a small site (chosen by the first byte). Beyond "no
// crash": the scan's field cursor must read every field and number as the
// field reader and the number readers it stands in for, and a text the
// check lets through must leave every parcel's vertex slots and vertex
// numbers inside the tables.
#include "fuzz/support/fuzz_support.h"

#include "main/site/site_text.h"
#include "main/site/tables.h"
#include "main/survey/sima_fields.h"
#include "main/survey/sima_reload.h"
#include "platform/text/fields.h"
#include "platform/text/strings.h"

#include <cstring>

namespace {

using namespace tavelcor;

// A small site: coordinates 1..3 and one parcel over them.
void smallSite()
{
    for (int n = 1; n <= 3; ++n) {
        ZahyoName[n] = QStringLiteral("K") + QString::number(n);
        ZahyoX[n] = n;
        ZahyoY[n] = -n;
    }
    ZahyoMax = 3;
    KakuchiCount = 1;
    KakuchiName[1] = QStringLiteral("L1");
    KakuchiFirst[1] = 1;
    for (int k = 1; k <= 3; ++k)
        KakuchiVertex[k] = k;
    KakuchiLast[1] = 3;
}

// The cursor against platform::nextFieldView and the site files' number
// readers, reading as `order` says (one read kind per bit pair, in turn).
void compareCursor(QStringView text, std::uint8_t order)
{
    simatext::FieldCursor cursor(text);
    qsizetype pos = 1;
    for (int i = 0; pos <= text.size() || !cursor.atEnd(); ++i) {
        if (cursor.atEnd() != (pos > text.size()))
            fuzz::fail(QStringLiteral("the cursor ends elsewhere than the field reader"));
        const QStringView expected = platform::nextFieldView(text, pos);
        switch ((order >> (2 * (i % 4))) & 3) {
        case 0: {
            const QStringView field = cursor.text();
            if (field != expected || field.isNull() != expected.isNull())
                fuzz::fail(QStringLiteral("field \"%1\" read as \"%2\"").arg(expected, field));
            break;
        }
        case 1: {
            const double got = cursor.number();
            const double want = sitetext::fieldNumber(expected);
            if (std::memcmp(&got, &want, sizeof got) != 0)
                fuzz::fail(QStringLiteral("number of \"%1\" read as %2").arg(expected).arg(got));
            break;
        }
        default: {
            std::int32_t got = 0;
            const bool taken = cursor.whole(1, kZahyoTop, got);
            const std::optional<std::int32_t> want = sitetext::fieldLong(expected);
            const bool inRange = want && *want >= 1 && *want <= kZahyoTop;
            if (taken != inRange || (taken && got != *want))
                fuzz::fail(QStringLiteral("coordinate number of \"%1\" misread").arg(expected));
            break;
        }
        }
        if (cursor.field() != expected)
            fuzz::fail(QStringLiteral("the field read last is not \"%1\"").arg(expected));
    }
}

void checkParcels()
{
    if (KakuchiCount < 0 || KakuchiCount > kKakuchiCountLimit || ZahyoMax > kZahyoTop)
        fuzz::fail(QStringLiteral("a count outside its table"));
    for (int p = 1; p <= KakuchiCount; ++p) {
        const std::int32_t first = KakuchiFirst[p];
        const std::int32_t last = KakuchiLast[p];
        if (first < 1 || last < first - 1 || last > kKakuchiVertexTop)
            fuzz::fail(QStringLiteral("parcel %1 runs over slots %2..%3").arg(p).arg(first).arg(last));
        for (std::int32_t k = first; k <= last; ++k) {
            if (KakuchiVertex[k] < 1 || KakuchiVertex[k] > kZahyoTop)
                fuzz::fail(QStringLiteral("parcel %1 has vertex %2").arg(p).arg(KakuchiVertex[k]));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    fuzz::Bytes bytes(data, size);
    const bool withSite = bytes.flag();
    const std::uint8_t order = bytes.take();
    const QByteArrayView rest = bytes.rest();
    const QString text = QString::fromUtf8(rest.data(), rest.size());
    compareCursor(text, order);

    if (withSite)
        smallSite();
    const std::int32_t slot = nextVertexSlot();
    const SimaTextKind kind = simaTextKind(text);
    (void)isWorkbookSimaText(text);
    if (const std::optional<SimaRefusal> refusal = checkSimaText(text, kind, slot)) {
        (void)simaRefusalMessage(*refusal);
        return 0;
    }
    if (kind == SimaTextKind::Reload)
        clearForSimaReload();
    scanSimaText(text, kind == SimaTextKind::Append, slot, kind == SimaTextKind::Reload);
    checkParcels();
    return 0;
}
