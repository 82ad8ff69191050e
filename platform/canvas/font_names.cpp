// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/canvas/font_names.h"

#include <array>
#include <utility>

namespace platform {

QString qtFontFamily(const QString& name)
{
    // Compatibility normalisation turns "ＭＳ Ｐゴシック" into "MS Pゴシック",
    // so the full-width and half-width spellings compare alike.
    const QString key = name.normalized(QString::NormalizationForm_KC).simplified().toUpper();
    static const std::array<std::pair<const char*, const char*>, 8> kMap = {{
        {"MS ゴシック", "IPAGothic"},
        {"MS 明朝", "IPAMincho"},
        {"MS Pゴシック", "IPAPGothic"},
        {"MS P明朝", "IPAPMincho"},
        {"MS GOTHIC", "IPAGothic"},
        {"MS MINCHO", "IPAMincho"},
        {"MS PGOTHIC", "IPAPGothic"},
        {"MS PMINCHO", "IPAPMincho"},
    }};
    for (const auto& [windowsName, family] : kMap) {
        if (key == QString::fromUtf8(windowsName))
            return QString::fromLatin1(family);
    }
    return name;
}

} // namespace platform
