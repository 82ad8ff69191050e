// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/fonts.h"

#include "platform/canvas/font_names.h"

#include <QFont>
#include <QString>

#include <array>

namespace platform {

void installFontSubstitutions()
{
    static constexpr std::array<const char*, 8> kNames = {
        "ＭＳ ゴシック", "ＭＳ 明朝", "ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝",
        "MS Gothic",     "MS Mincho", "MS PGothic",    "MS PMincho",
    };
    for (const char* name : kNames) {
        const QString windowsName = QString::fromUtf8(name);
        QFont::insertSubstitution(windowsName, qtFontFamily(windowsName));
    }
}

}  // namespace platform
