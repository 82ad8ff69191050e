// SPDX-License-Identifier: LicenseRef-Tavelcor
// The Japanese Windows font names the programs ask for, mapped to the IPA
// fonts of this system, whose metrics were designed to match them.
#pragma once

#include <QString>

namespace platform {

/// The font family to give Qt for a font name as the programs use it:
/// "ＭＳ ゴシック" -> "IPAGothic", "ＭＳ 明朝" -> "IPAMincho",
/// "ＭＳ Ｐゴシック" -> "IPAPGothic", "ＭＳ Ｐ明朝" -> "IPAPMincho" (also when
/// written with half-width letters, or in the English names "MS Gothic" etc.).
/// Any other name is returned unchanged.
QString qtFontFamily(const QString& name);

} // namespace platform
