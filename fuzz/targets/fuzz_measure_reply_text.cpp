// SPDX-License-Identifier: LicenseRef-Tavelcor
// The field workbook's reply to a point measurement, handed straight to the
// reply's reader (takeMeasureReply) on an in-memory clipboard: the same
// handling fuzz_measure_reply reaches through the workbook peer's socket,
// at thousands of inputs a second instead of one or two.
//
// The first input byte sets the scene: whether the point's second name
// already holds "済", and whether the picked point is the first slot or the
// table's last. The rest is the reply as UTF-8. The clock stands still for
// the first look at the clipboard and runs past the whole wait after it, so
// an empty reply ends at once.
//
// Afterwards: the reply "測定済" marked the point (its second name and
// Text7 right-trimmed plus "済", and it is the last measured); any other
// reply left the point as it was and was shown as one message; an empty
// clipboard changed nothing and showed nothing; a reply taken leaves the
// clipboard empty.
#include "fuzz/support/fuzz_support.h"
#include "fuzz/support/main_window.h"

#include "main/site/tables.h"
#include "main/survey/workbook_measure.h"
#include "main/window/plot.h"
#include "platform/system/clipboard.h"
#include "platform/text/strings.h"

#include <cstdint>
#include <memory>
#include <utility>

namespace {

using namespace tavelcor;

const QString kName = QStringLiteral("K1");

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
    const QByteArrayView text = bytes.rest();
    const QString answer = QString::fromUtf8(text.data(), text.size());

    const bool marked = (scene & 0x01) != 0;
    const int point = (scene & 0x02) != 0 ? kPointTop : 1;
    const QString before = marked ? QStringLiteral("済 ") : QStringLiteral("a ");
    PointName[point] = kName;
    PointName2[point] = before;
    PointMark[point] = 2;
    PointCount = point;
    CurPoint = point;
    LastMeasured = QString();

    Plot& window = fuzz::mainWindow();
    window.Text6.setText(kName);
    window.Text7.setText(platform::RTrim(before));
    // The wait's start and the first look read 0; every later one reads
    // past the wait.
    auto looks = std::make_shared<std::int64_t>(0);
    measureServices().clockMs = [looks] { return (*looks)++ < 2 ? 0 : kMeasureReplyWaitMs + 1; };
    platform::MemoryClipboard clipboard(answer);

    takeMeasureReply(window, clipboard);

    const bool taken = answer == QStringLiteral("測定済");
    const QString expected = taken ? platform::RTrim(before) + QStringLiteral("済") : before;
    if (std::as_const(PointName2)[point] != expected)
        fuzz::fail(QStringLiteral("second name %1").arg(std::as_const(PointName2)[point]));
    if (taken && (window.Text7.Text() != expected || LastMeasured != kName))
        fuzz::fail(QStringLiteral("the field or the last measured name not marked"));
    if (!taken && (window.Text7.Text() != platform::RTrim(before) || !LastMeasured.isEmpty()))
        fuzz::fail(QStringLiteral("a reply other than the mark changed the point's fields"));
    if (std::as_const(PointName)[point] != kName || CurPoint != point)
        fuzz::fail(QStringLiteral("the point table changed"));
    const int shown = answer.isEmpty() || taken ? 0 : 1;
    if (fuzz::messagesShown() != shown)
        fuzz::fail(QStringLiteral("%1 messages shown for the reply").arg(fuzz::messagesShown()));
    if (!clipboard.text().isEmpty())
        fuzz::fail(QStringLiteral("the reply stays on the clipboard"));
    measureServices() = MeasureServices{};
    return 0;
}
