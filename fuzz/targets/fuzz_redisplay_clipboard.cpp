// SPDX-License-Identifier: LicenseRef-Tavelcor
// 再表示 (show again) taking the clipboard's text as SIMA records, driven as
// the button drives it: Command6_Click (or 解除, Command86_Click) on the main
// window, offscreen, the text on an in-memory clipboard.
//
// The first input byte sets the scene: the site before the text (none, a
// small one, or one a single parcel and ten vertex slots short of the
// parcel and slot limits, so that short texts reach them), a kept earlier
// text that a reload writes to ZAHYO.SIM first, a site folder that cannot
// be written, 解除, and whether the closing redraw runs. The rest is the
// clipboard's text as UTF-8.
//
// After the command the parcel table must still describe parcels: vertex
// slots inside the table, each vertex a coordinate number of the table.
#include "fuzz/support/fuzz_support.h"
#include "fuzz/support/main_window.h"

#include "main/site/tables.h"
#include "main/survey/redisplay.h"
#include "main/survey/survey_services.h"
#include "main/window/plot.h"
#include "platform/system/clipboard.h"

namespace {

using namespace tavelcor;

// The site's origin and two named coordinates with a parcel over them.
void smallSite()
{
    OriginX = -33000.0;
    OriginY = 13000.0;
    for (int n : {1, 2, 5}) {
        ZahyoName[n] = QStringLiteral("P%1").arg(n);
        ZahyoX[n] = OriginX + n;
        ZahyoY[n] = OriginY - n;
        ZahyoPX[n] = n;
        ZahyoPY[n] = -n;
    }
    ZahyoMax = 5;
    KakuchiCount = 1;
    KakuchiName[1] = QStringLiteral("LOT1");
    KakuchiFirst[1] = 1;
    KakuchiVertex[1] = 1;
    KakuchiVertex[2] = 2;
    KakuchiVertex[3] = 5;
    KakuchiLast[1] = 3;
}

// The small site with empty parcels up to one short of the parcel limit,
// the last of them ending ten slots short of the slot limit.
void siteAtTheLimits()
{
    smallSite();
    constexpr int kLast = kKakuchiCountLimit - 1;
    for (int p = 2; p < kLast; ++p) {
        KakuchiFirst[p] = 4;
        KakuchiLast[p] = 3;
    }
    KakuchiName[kLast] = QStringLiteral("LAST");
    KakuchiFirst[kLast] = kKakuchiVertexTop - 12;
    KakuchiLast[kLast] = kKakuchiVertexTop - 10;
    for (int k = KakuchiFirst[kLast]; k <= KakuchiLast[kLast]; ++k)
        KakuchiVertex[k] = 5;
    KakuchiCount = kLast;
}

void checkParcels()
{
    if (ZahyoMax < 0 || ZahyoMax > kZahyoTop)
        fuzz::fail(QStringLiteral("ZahyoMax %1").arg(ZahyoMax));
    if (KakuchiCount < 0 || KakuchiCount > kKakuchiCountLimit)
        fuzz::fail(QStringLiteral("KakuchiCount %1").arg(KakuchiCount));
    for (int p = 1; p <= KakuchiCount; ++p) {
        const std::int32_t first = KakuchiFirst[p];
        const std::int32_t last = KakuchiLast[p];
        if (first < 0 || last > kKakuchiVertexTop || last < first - 1)
            fuzz::fail(QStringLiteral("parcel %1 over slots %2..%3").arg(p).arg(first).arg(last));
        for (std::int32_t k = first; k <= last; ++k) {
            if (KakuchiVertex[k] < 1 || KakuchiVertex[k] > kZahyoTop)
                fuzz::fail(QStringLiteral("parcel %1 has vertex %2 in slot %3").arg(p).arg(KakuchiVertex[k]).arg(k));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    (void)fuzz::mainWindow();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Case c;
    fuzz::Bytes bytes(data, size);
    const std::uint8_t scene = bytes.take();
    switch (scene % 3) {
    case 1: smallSite(); break;
    case 2: siteAtTheLimits(); break;
    default: break;
    }
    if ((scene & 0x04) != 0)
        KeptSima = QStringLiteral("Z00,SIMA_RELOAD,\r\nA01,7,KEPT,1.5,2.5,0,\r\n");
    if ((scene & 0x08) != 0)
        SiteFolder += QStringLiteral("missing/");
    const bool releaseAll = (scene & 0x10) != 0;
    // LoadingFlag 9 makes the redraw return at once.
    if ((scene & 0x60) != 0)
        LoadingFlag = 9;
    BackupMinutes = 0;

    const QByteArrayView text = bytes.rest();
    platform::MemoryClipboard clipboard(QString::fromUtf8(text.data(), text.size()));
    surveyServices().clipboard = &clipboard;
    Plot& window = fuzz::mainWindow();
    if (releaseAll)
        Command86_Click(window);
    else
        Command6_Click(window);
    surveyServices().clipboard = nullptr;
    checkParcels();
    return 0;
}
