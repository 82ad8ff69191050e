// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/profile_command.h"

#include "main/background/danmen_frm.h"
#include "main/background/raster_drawing.h"
#include "main/render/plot_face.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "main/window/plot.h"
#include "platform/canvas/canvas.h"
#include "platform/forms/form_holder.h"

namespace tavelcor {

namespace {

constexpr double kCornerSize = 500.0;
constexpr double kCornerLeft = 50.0;
constexpr double kCornerBottom = 200.0;

// The coordinate key-in window, when it is open (it belongs to the editing
// part, which this part does not depend on).
void hideKeyInWindow()
{
    if (platform::FormHolderBase* holder = platform::holderOfLoadedForm(QStringLiteral("XYIN")))
        if (platform::Form* form = holder->loadedForm())
            form->Hide();
}

}  // namespace

void drawCornerPicture(render::PlotFace& face)
{
    platform::Canvas& canvas = face.picture();
    const double widthTwips = face.pictureWidthTwips();
    const double heightTwips = face.pictureHeightTwips();
    if (widthTwips <= 0.0 || heightTwips <= 0.0)
        return;
    const double perTwipX = canvas.ScaleWidth() / widthTwips;
    const double perTwipY = canvas.ScaleHeight() / heightTwips;
    RasterEdges image;
    image.left = canvas.ScaleLeft() + (kCornerLeft + PrintOffsetL) * perTwipX;
    image.right = image.left + kCornerSize * perTwipX;
    image.bottom = canvas.ScaleTop() + (heightTwips - kCornerBottom - PrintMarginB) * perTwipY;
    image.top = image.bottom - kCornerSize * perTwipY;
    RasterEdges view;
    view.top = canvas.ScaleTop();
    view.left = canvas.ScaleLeft();
    view.bottom = canvas.ScaleTop() + canvas.ScaleHeight();
    view.right = canvas.ScaleLeft() + canvas.ScaleWidth();
    DrawRaster(WorkFolder + QStringLiteral("/ELD.BMP"), image, view, 0.0F, 1.0F, plotRasterTarget(face));
}

void Command57_Click(Plot& window)
{
    hideKeyInWindow();
    window.Command85.setVisible(false);
    LineSubState = 1;
    window.Option20.setValue(true);
    window.Command21.setValue(true);  // the line panel's opening
    danmenFrm().ShowModal();
    drawCornerPicture(plotFace());
}

void wireElevationProfile(Plot& window)
{
    window.Command57.Click = [&window] { Command57_Click(window); };
}

}  // namespace tavelcor
