// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The photo viewer jpegdisp ("Photo"): shows the files linked to survey
// coordinates (ZahyoLink).  The link mode of the plot's right click collects
// the coordinates near the clicked one whose linked file exists into
// LinkCand (entry 0 the count n, entries 1..n the coordinate numbers) and
// opens the viewer on the first; LinkCandCount is the position shown (0
// while the viewer is closed).  The viewer steps through the candidates,
// marks the current coordinate in blue on the plot, zooms with its buttons
// or a box dragged with the right button, pans by dragging with the left
// button, shows the photo turned by a quarter either way or by a half, and
// changes its own size in half steps.  It stays above other windows.
//
// Photo units: every photo is 5000 units across (PhotoWidth) and 5000 times
// its height over its width high (PhotoHeight); the picture's user scale is
// the part of the photo shown.  The picture is PhotoFactor twips per unit,
// PhotoFactor = PhotoSizeStep + 2, from 1.0 to 8.5.
//
// The viewer's variables live for the whole run, also while it is closed
// (the size step chosen stays).  Nothing the viewer does is reported: a
// photo that cannot be read leaves the picture as it was, or empty.

#include "platform/forms/forms.h"

#include <QString>

#include <optional>

namespace tavelcor {

/// Photo units across every photo.
inline constexpr float kPhotoUnitsAcross = 5000.0F;

/// The viewer's variables, kept for the whole run.
struct PhotoViewerState {
    float PhotoSizeStep = 0.0F;
    float PhotoFactor = 2.0F;   ///< twips per photo unit
    float PhotoWidth = kPhotoUnitsAcross;
    float PhotoHeight = 0.0F;
    float PhotoAspect = 0.0F;   ///< pixel height over pixel width
    QString PhotoFile;          ///< the file last drawn
    float pressX = 0.0F;        ///< where a button went down, photo units
    float pressY = 0.0F;
    int moveCount = 0;          ///< 1 at a press, +1 per move, 0 after a release
    float boxX = 0.0F;          ///< the far corner of the zoom box last drawn
    float boxY = 0.0F;
};

/// The viewer's variables of this run.
PhotoViewerState& photoViewerState();
/// Back to the start of a run (tests).
void resetPhotoViewerState();

class Jpegdisp final : public platform::Form {
public:
    Jpegdisp();

    platform::PictureBox Picture1{*this, QStringLiteral("Picture1")};
    /// "-" and "+": the size steps.
    platform::Frame Frame2{*this, QStringLiteral("Frame2")};
    platform::CommandButton Command7{Frame2, QStringLiteral("Command7")};
    platform::CommandButton Command8{Frame2, QStringLiteral("Command8")};
    /// The buttons: turns and zoom in the first row, the candidates in the
    /// second.
    platform::Frame Frame1{*this, QStringLiteral("Frame1")};
    platform::CommandButton Command1{Frame1, QStringLiteral("Command1")};    // 元
    platform::CommandButton Command2{Frame1, QStringLiteral("Command2")};    // ⊃
    platform::CommandButton Command4{Frame1, QStringLiteral("Command4")};    // 180
    platform::CommandButton Command3{Frame1, QStringLiteral("Command3")};    // ⊂
    platform::CommandButton Command10{Frame1, QStringLiteral("Command10")};  // 拡大
    platform::CommandButton Command11{Frame1, QStringLiteral("Command11")};  // 縮小
    platform::CommandButton Command5{Frame1, QStringLiteral("Command5")};    // 前候補
    platform::CommandButton Command9{Frame1, QStringLiteral("Command9")};    // position/count
    platform::CommandButton Command6{Frame1, QStringLiteral("Command6")};    // 次候補

    /// J_sizu: the pixel size of picture file `Pic` into `Yoko` (across) and
    /// `Tate` (down), and PhotoAspect := Tate / Yoko; false, with nothing
    /// changed, for "False" or a file that cannot be read.
    bool J_sizu(const QString& Pic, float& Yoko, float& Tate);
    /// The whole photo in view: scale 0, 0, PhotoWidth, PhotoHeight.
    void Scale_reset();

    /// Design size of the button frame, twips.
    static constexpr double kFrame1Width = 2175.0;
    static constexpr double kFrame1Height = 735.0;

private:
    void layout();
    void placeFrame1();
    bool showCandidate();
    void drawWhole();
    void drawInto(float top, float left, float bottom, float right);
    void showView(float top, float left, float height, float width);
    void zoom(float factor);
    void turn(int button);
    void step(int by);
    void sizeStep(float by);
    void mouseDown(float x, float y);
    void mouseMove(int button, float x, float y);
    void mouseUp(int button, float x, float y);
    void drawBox(float x, float y);
};

platform::FormHolder<Jpegdisp>& jpegdispForm();
inline Jpegdisp& jpegdisp()
{
    return jpegdispForm().instance();
}

/// Module1.DrawPhoto: draws the image file into the viewer's picture so that
/// the image rectangle (top, left, bottom, right, photo units) lands where
/// it lies within the view rectangle, turned by `angle` degrees about the
/// picture's top-left corner and grown by `size`; returns the scale across
/// (picture pixels per image pixel) when drawn.  Nothing is reported.
std::optional<float> DrawPhoto(Jpegdisp& viewer, const QString& file, float top, float left, float bottom,
                               float right, float viewTop, float viewLeft, float viewBottom, float viewRight,
                               float angle, float size);

/// The opening of the link mode once candidates are found (LinkCand filled,
/// n > 0): PhotoReload and PhotoUseTemp 0 (PhotoReload 1 when the viewer is
/// shown already, so that it lays itself out again), position 1, and the
/// viewer shown modeless.  With no candidate nothing happens.
void showPhotoCandidates();

}  // namespace tavelcor
