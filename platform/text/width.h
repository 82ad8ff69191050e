// SPDX-License-Identifier: LicenseRef-Tavelcor
// Full-width <-> half-width conversion as the Japanese Windows runtime does it
// (StrConv with vbWide and vbNarrow), for the characters CP932 holds in both
// widths:
// - ASCII letters, digits and signs U+0021..U+007E <-> U+FF01..U+FF5E, with
//   the Japanese code page's full-width forms for five of them: " <-> ”
//   (U+201D), ' <-> ’ (U+2019), \ <-> ￥ (U+FFE5), ` <-> ‘ (U+2018) and
//   ~ <-> ￣ (U+FFE3); narrowing also takes ＂ ＇ ＼ ｀ ～ back to ASCII;
// - the blank U+0020 <-> the full-width blank U+3000;
// - half-width katakana and signs U+FF61..U+FF9F <-> their full-width forms
//   (｡ <-> 。, ｢ <-> 「, ･ <-> ・, ｰ <-> ー, ﾞ <-> ゛, ﾟ <-> ゜ ...); a voiced or
//   semi-voiced full-width katakana narrows to two characters (ガ -> ｶﾞ,
//   パ -> ﾊﾟ, ヴ -> ｳﾞ) and widening joins such a pair back into one character
//   when CP932 has it (ｶﾞ -> ガ, ｳﾞ -> ヴ; ｱﾞ stays two: ア゛).
// Every other character (hiragana, kanji, ヰ, ヵ, Latin letters with accents)
// is left as it is. No other conversion (case, hiragana/katakana) is made.
#pragma once

#include <QString>
#include <QStringView>

namespace platform {

// Half-width characters to their full-width forms ("ab" -> "ａｂ", "ｶﾞ" -> "ガ").
QString toFullWidth(QStringView text);

// Full-width characters that have a half-width form to it ("５００" -> "500",
// "ガ" -> "ｶﾞ", "　" -> " ").
QString toHalfWidth(QStringView text);

}  // namespace platform
