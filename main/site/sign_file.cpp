// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/site/sign_file.h"

#include "main/site/site_text.h"
#include "platform/text/items.h"
#include "platform/text/numbers.h"
#include "platform/text/textfile.h"

#include <QFileInfo>

#include <array>
#include <cmath>

namespace tavelcor {
namespace {

// Width of the side panel over the plot's right part, twips.
constexpr float kSidePanelTwips = 4200.0F;

}  // namespace

SignFileWindow signFileWindowFor(float scaleLeft, float scaleTop, float scaleWidth,
                                 float scaleHeight, float pictureWidthTwips)
{
    const float m = pictureWidthTwips > 0.0F ? scaleWidth * kSidePanelTwips / pictureWidthTwips : 0.0F;
    return {scaleLeft - m / 2.0F, scaleTop, scaleLeft + scaleWidth - m, scaleTop + scaleHeight};
}

SignFileRead readSignFile(const QString& path)
{
    platform::TextFileReader in(path);
    const QString fileName = QFileInfo(path).fileName();
    if (!in.isOpen())
        return {sitetext::notOpened(path, fileName), std::nullopt};
    platform::ItemReader items(in.lines());
    std::array<float, 4> values{};
    for (float& value : values) {
        const std::optional<QString> item = items.readItem();
        if (!item)
            return {sitetext::readingEnd(in, fileName), std::nullopt};
        value = static_cast<float>(platform::Val(*item));
        if (!std::isfinite(value))
            return {ReadOutcome::Ok, std::nullopt};  // no window can be made of it
    }
    return {ReadOutcome::Ok, SignFileWindow{values[0], values[1], values[2], values[3]}};
}

WriteResult writeSignFile(const QString& path, const SignFileWindow& window)
{
    platform::TextFileWriter out(path);
    for (const float value : {window.left, window.top, window.right, window.bottom})
        out.writeLine(platform::StrSingle(value));
    return sitetext::commitFile(out, path);
}

}  // namespace tavelcor
