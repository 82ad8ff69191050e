// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The boxes the plot's texts take on the plot, line by line, as the text
// presses and the range operations measure them: each line of a text laid
// out as the text layer draws it (lines hidden by the text-line display
// settings take no part) spans north from its top down by 22 twips per ten
// points of letter size, and east from the text's anchor by 11 twips per
// ten points for each of its Shift-JIS bytes (a full-width character counts
// two). One twip is ViewSpanX / the plot's height in twips of ground.

#include <functional>

namespace tavelcor {

namespace render {
class PlotFace;
}

/// Metres per unit of the boxes at a letter size.
struct TextBoxScale {
    double lineHeight = 0.0;    ///< metres of one line
    double widthPerByte = 0.0;  ///< metres per Shift-JIS byte
};

/// The scale for letters `letterPoints` high on the plot of `face`.
TextBoxScale textBoxScale(const render::PlotFace& face, double letterPoints);

/// One line's box, plot metres.
struct TextBox {
    double west = 0.0;
    double east = 0.0;
    double south = 0.0;
    double north = 0.0;
};

/// Text i takes part in picks and ranges: it is shown, its string is not
/// empty and its colour is below 20.
bool textTakesPart(int i);

/// Hands the boxes of text i's drawn lines to `visit`, in line order, until
/// it returns true; true when it did.
bool anyTextBox(render::PlotFace& face, int i, const TextBoxScale& scale,
                const std::function<bool(const TextBox&)>& visit);

}  // namespace tavelcor
