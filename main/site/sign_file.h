// SPDX-License-Identifier: LicenseRef-Tavelcor
// The site sign file TAVELCOR.TVX: its presence makes a folder a site; it
// holds the view window of the last save as four lines, each one number in
// the signed-blank form (" 120.5", "-3.25"), in the user coordinates of the
// plot surface (x = plot Y, growing east; y = minus plot X, growing south):
//   line 1  left    ScaleLeft - m / 2
//   line 2  top     ScaleTop
//   line 3  right   ScaleLeft + ScaleWidth - m
//   line 4  bottom  ScaleTop + ScaleHeight
// where m is the user width that the side panel covers (4200 twips of the
// plot's width). A file just created by the save command is empty.
#pragma once

#include "main/site/site_file_result.h"

#include <QString>

#include <optional>

namespace tavelcor {

// The saved view window, plot user units (metres), single precision.
struct SignFileWindow {
    float left = 0.0F;
    float top = 0.0F;
    float right = 0.0F;
    float bottom = 0.0F;
};

// The window to save for the plot's current user scale (single precision)
// and the plot's width in twips. m = scaleWidth x 4200 / pictureWidthTwips;
// a plot without width (0 or less) counts no panel (m = 0) instead of
// dividing by zero.
SignFileWindow signFileWindowFor(float scaleLeft, float scaleTop, float scaleWidth,
                                 float scaleHeight, float pictureWidthTwips);

// What reading the sign file gave.
struct SignFileRead {
    // Ok; Missing when there is no such file; StopProgram when the file is
    // there but cannot be opened or read (its message was shown): the caller
    // ends the program, so that no save writes over it.
    ReadOutcome outcome = ReadOutcome::Missing;
    // The saved window, nullopt when the file holds none.
    std::optional<SignFileWindow> window;
};

// The first four items of the sign file at path (values separated by commas
// or line ends), each read as its leading number (a text without one is 0).
// No window when the file holds fewer than four items or a value does not
// fit single precision.
SignFileRead readSignFile(const QString& path);

// Writes the four lines of window to path, atomically.
WriteResult writeSignFile(const QString& path, const SignFileWindow& window);

}  // namespace tavelcor
