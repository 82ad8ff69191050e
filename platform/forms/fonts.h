// SPDX-License-Identifier: LicenseRef-Tavelcor
// The Japanese Windows fonts the forms name, substituted by the IPA fonts.
#pragma once

namespace platform {

/// Makes Qt draw "ＭＳ ゴシック" with IPAGothic and "ＭＳ 明朝" with IPAMincho
/// (and their proportional forms "ＭＳ Ｐゴシック", "ＭＳ Ｐ明朝" with
/// IPAPGothic and IPAPMincho) wherever a font is asked for by those names.
/// Each program's main calls it once, after making its QApplication.
void installFontSubstitutions();

}  // namespace platform
