// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/photo_viewer.h"

#include "main/render/plot_render.h"
#include "main/render/wheel_zoom.h"
#include "main/render/window_plot_face.h"
#include "main/site/tables.h"
#include "platform/canvas/canvas.h"
#include "platform/canvas/colors.h"
#include "platform/canvas/image_drawing.h"
#include "platform/system/files.h"
#include "platform/system/folders.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace tavelcor {

namespace {

// Frame1's buttons: the first row of six at steps of 360 twips, the second
// row of three from 360 down; side by side, without overlapping.
constexpr double kRowStep = 360.0;
constexpr double kSecondRowHeight = 375.0;
constexpr double kCandidateWidth = 855.0;
constexpr double kCounterWidth = 465.0;
// Frame1's place: this far from the window's bottom and right edges.
constexpr double kFrame1Bottom = 700.0;
constexpr double kFrame1Right = 350.0;
constexpr double kSizeButton = 255.0;
constexpr float kSizeStepMax = 6.5F;
constexpr float kSizeStepMin = -1.0F;
constexpr float kZoomInFloor = 4.0F;
constexpr float kZoomOutCeiling = 10000.0F;
constexpr float kBoxMinimum = 5.0F;
constexpr int kNotXorPen = 10;
constexpr int kGrey = 8;
constexpr int kRightButton = 2;
constexpr int kLeftButton = 1;

int candidateCount()
{
    return std::clamp(LinkCand[0], 0, kLinkCandTop);
}

// The coordinate number shown now; 0 when the position holds none.
int currentCoordinate()
{
    const int n = candidateCount();
    if (LinkCandCount < 1 || LinkCandCount > n)
        return 0;
    const int coordinate = LinkCand[LinkCandCount];
    return coordinate >= 1 && coordinate <= kZahyoTop ? coordinate : 0;
}

// The linked file of a coordinate: a bare name in the site folder.
QString linkedPath(int coordinate)
{
    if (coordinate < 1 || coordinate > kZahyoTop)
        return {};
    const QString name = ZahyoLink[coordinate].trimmed();
    if (!platform::isBareFileName(name))
        return {};
    return SiteFolder + name;
}

QString turnedBitmapPath()
{
    const QString folder = WorkFolder.isEmpty() ? platform::workFolder() : WorkFolder;
    return folder + QStringLiteral("/JPEGTEMP.BMP");
}

QString counterCaption()
{
    return QStringLiteral("%1/%2").arg(LinkCandCount).arg(candidateCount());
}

void markOnPlot(int coordinate)
{
    if (coordinate > 0)
        render::Stblueplot2(plotFace(), coordinate);
}

}  // namespace

PhotoViewerState& photoViewerState()
{
    static PhotoViewerState state;
    return state;
}

void resetPhotoViewerState()
{
    photoViewerState() = PhotoViewerState{};
}

Jpegdisp::Jpegdisp() : platform::Form(QStringLiteral("jpegdisp"))
{
    setCaption(QStringLiteral("Photo"));
    setBorderStyle(platform::FormBorder::FixedSingle);
    setClientSize(10000.0, 7500.0);
    Picture1.setBorderStyle(0);
    Picture1.Move(0.0, 0.0, 10000.0, 7500.0);
    Frame2.setCaption(QStringLiteral("Frame2"));
    Frame2.setBorderStyle(0);
    Frame2.Move(0.0, 0.0, 2 * kSizeButton, kSizeButton);
    Command7.setCaption(QStringLiteral("-"));
    Command7.Move(0.0, 0.0, kSizeButton, kSizeButton);
    Command8.setCaption(QStringLiteral("+"));
    Command8.Move(kSizeButton, 0.0, kSizeButton, kSizeButton);
    Frame1.setCaption(QStringLiteral("+"));
    Frame1.setBorderStyle(0);
    Frame1.Move(0.0, 0.0, kFrame1Width, kFrame1Height);
    const struct {
        platform::CommandButton* button;
        const char16_t* caption;
    } firstRow[] = {{&Command1, u"元"}, {&Command2, u"⊃"}, {&Command4, u"180"},
                    {&Command3, u"⊂"}, {&Command10, u"拡大"}, {&Command11, u"縮小"}};
    double left = 0.0;
    for (const auto& entry : firstRow) {
        entry.button->setCaption(QString::fromUtf16(entry.caption));
        entry.button->Move(left, 0.0, kRowStep, kRowStep);
        left += kRowStep;
    }
    Command5.setCaption(QStringLiteral("前候補"));
    Command5.Move(0.0, kRowStep, kCandidateWidth, kSecondRowHeight);
    Command9.Move(kCandidateWidth, kRowStep, kCounterWidth, kSecondRowHeight);
    Command6.setCaption(QStringLiteral("次候補"));
    Command6.Move(kCandidateWidth + kCounterWidth, kRowStep, kCandidateWidth, kSecondRowHeight);

    Load = [this] { layout(); };
    Activate = [this] {
        if (PhotoReload == 1) {
            layout();
            PhotoReload = 0;
        }
    };
    Unload = [](int&) {
        LinkCandCount = 0;
        PhotoUseTemp = 0;
    };
    Command1.Click = [this] {
        PhotoUseTemp = 0;
        Scale_reset();
        photoViewerState().PhotoFile = linkedPath(currentCoordinate());
        drawWhole();
    };
    Command2.Click = [this] { turn(2); };
    Command3.Click = [this] { turn(3); };
    Command4.Click = [this] { turn(4); };
    Command10.Click = [this] { zoom(0.5F); };
    Command11.Click = [this] { zoom(2.0F); };
    Command5.Click = [this] { step(-1); };
    Command6.Click = [this] { step(1); };
    Command7.Click = [this] { sizeStep(-0.5F); };
    Command8.Click = [this] { sizeStep(0.5F); };
    Picture1.MouseDown = [this](int, int, double x, double y) {
        mouseDown(static_cast<float>(x), static_cast<float>(y));
    };
    Picture1.MouseMove = [this](int button, int, double x, double y) {
        mouseMove(button, static_cast<float>(x), static_cast<float>(y));
    };
    Picture1.MouseUp = [this](int button, int, double x, double y) {
        mouseUp(button, static_cast<float>(x), static_cast<float>(y));
    };
}

bool Jpegdisp::J_sizu(const QString& Pic, float& Yoko, float& Tate)
{
    if (Pic == QStringLiteral("False"))
        return false;
    const auto size = platform::imageFileSize(Pic);
    if (!size || size->isEmpty())
        return false;
    Yoko = static_cast<float>(size->width());
    Tate = static_cast<float>(size->height());
    photoViewerState().PhotoAspect = Tate / Yoko;
    return true;
}

void Jpegdisp::Scale_reset()
{
    const PhotoViewerState& s = photoViewerState();
    Picture1.canvas().Scale(0.0, 0.0, s.PhotoWidth, s.PhotoHeight);
}

// Shows the candidate at LinkCandCount in the captions and takes its size;
// false when its file cannot be measured (the viewer then shows nothing).
bool Jpegdisp::showCandidate()
{
    PhotoViewerState& s = photoViewerState();
    const int coordinate = currentCoordinate();
    Command9.setCaption(counterCaption());
    setCaption(coordinate > 0 ? ZahyoLink[coordinate] : QString());
    float w = 0.0F;
    float h = 0.0F;
    if (!J_sizu(linkedPath(coordinate), w, h)) {
        s.PhotoFile.clear();
        Picture1.canvas().Cls();
        markOnPlot(coordinate);
        return false;
    }
    s.PhotoHeight = h / (w / kPhotoUnitsAcross);
    s.PhotoWidth = kPhotoUnitsAcross;
    return true;
}

void Jpegdisp::layout()
{
    PhotoViewerState& s = photoViewerState();
    Frame1.Move(Frame1.Left(), Frame1.Top(), kFrame1Width, kFrame1Height);
    s.PhotoFactor = s.PhotoSizeStep + 2.0F;
    if (candidateCount() > 1) {
        for (platform::CommandButton* b : {&Command5, &Command6, &Command9})
            b->setVisible(true);
    }
    SetTopMost(*this);
    if (LinkCandCount == 0)
        LinkCandCount = 1;
    if (showCandidate()) {
        const double width = s.PhotoFactor * s.PhotoWidth;
        const double height = s.PhotoHeight * s.PhotoFactor;
        Picture1.Move(0.0, 0.0, width, height);
        // The window's inner area holds the picture.
        setWidth(width);
        setHeight(height);
        setWidth(width / (ScaleWidth() / Width()));
        setHeight(height / (ScaleHeight() / Height()));
        Scale_reset();
        markOnPlot(currentCoordinate());
        s.PhotoFile = PhotoUseTemp == 1 ? turnedBitmapPath() : linkedPath(currentCoordinate());
        drawWhole();
    }
    if (candidateCount() == 1) {
        for (platform::CommandButton* b : {&Command5, &Command6, &Command9})
            b->setVisible(false);
        Frame1.setHeight(kFrame1Height / 2);
    }
    placeFrame1();
}

void Jpegdisp::placeFrame1()
{
    Frame1.Move(Width() - Frame1.Width() - kFrame1Right, Height() - Frame1.Height() - kFrame1Bottom);
}

void Jpegdisp::drawWhole()
{
    const PhotoViewerState& s = photoViewerState();
    DrawPhoto(*this, s.PhotoFile, 0.0F, 0.0F, s.PhotoHeight, s.PhotoWidth, 0.0F, 0.0F, s.PhotoHeight, s.PhotoWidth,
              0.0F, 1.0F);
}

// The whole photo drawn into the view rectangle given (the picture's own
// scale is left as it is).
void Jpegdisp::drawInto(float top, float left, float bottom, float right)
{
    const PhotoViewerState& s = photoViewerState();
    Picture1.canvas().Cls();
    DrawPhoto(*this, s.PhotoFile, 0.0F, 0.0F, s.PhotoHeight, s.PhotoWidth, top, left, bottom, right, 0.0F, 1.0F);
}

// A new view rectangle: the picture's scale becomes it and the photo is
// drawn into it.
void Jpegdisp::showView(float top, float left, float height, float width)
{
    Picture1.canvas().Scale(left, top, left + width, top + height);
    drawInto(top, left, top + height, left + width);
}

void Jpegdisp::zoom(float factor)
{
    const platform::Canvas& c = Picture1.canvas();
    const auto height = static_cast<float>(c.ScaleHeight());
    const auto width = static_cast<float>(c.ScaleWidth());
    if (factor < 1.0F ? !(height / 2 >= kZoomInFloor) : !(height / 2 <= kZoomOutCeiling))
        return;
    const float centreX = static_cast<float>(c.ScaleLeft()) + width / 2;
    const float centreY = static_cast<float>(c.ScaleTop()) + height / 2;
    PhotoViewerState& s = photoViewerState();
    s.PhotoFile = PhotoUseTemp == 1 ? turnedBitmapPath() : linkedPath(currentCoordinate());
    showView(centreY - height * factor / 2, centreX - width * factor / 2, height * factor, width * factor);
}

// The turns are made from the linked file itself into a picture three times
// the shown size, saved as JPEGTEMP.BMP, which the viewer then shows.
void Jpegdisp::turn(int button)
{
    PhotoViewerState& s = photoViewerState();
    PhotoUseTemp = 1;
    Picture1.setVisible(false);
    Picture1.canvas().Cls();
    s.PhotoFile = linkedPath(currentCoordinate());
    s.PhotoFactor *= 3.0F;
    Picture1.Move(0.0, 0.0, s.PhotoFactor * s.PhotoWidth, s.PhotoFactor * s.PhotoHeight);
    const float W = s.PhotoWidth;
    const float H = s.PhotoHeight;
    if (button == 2)
        DrawPhoto(*this, s.PhotoFile, -H, 0.0F, 0.0F, W, 0.0F, 0.0F, H, W, 90.0F, s.PhotoAspect);
    else if (button == 3)
        DrawPhoto(*this, s.PhotoFile, 0.0F, -W, H, 0.0F, H - W, H - W, 2 * H - W, H, 270.0F, s.PhotoAspect);
    else
        DrawPhoto(*this, s.PhotoFile, 0.0F, 0.0F, H, W, H, W, 0.0F, 0.0F, 0.0F, 1.0F);
    const QString temp = turnedBitmapPath();
    platform::ensureFolder(QFileInfo(temp).absolutePath());
    Picture1.canvas().SavePicture(temp);
    layout();
    Picture1.setVisible(true);
}

void Jpegdisp::step(int by)
{
    PhotoViewerState& s = photoViewerState();
    const int n = candidateCount();
    if (n < 1)
        return;
    PhotoUseTemp = 0;
    int position = LinkCandCount + by;
    if (position < 1)
        position = n;
    if (position > n)
        position = 1;
    LinkCandCount = static_cast<std::int16_t>(position);
    if (!showCandidate())
        return;
    const double width = s.PhotoFactor * s.PhotoWidth;
    const double height = s.PhotoFactor * s.PhotoHeight;
    setWidth(width);
    setHeight(height);
    Picture1.Move(0.0, 0.0, width, height);
    Scale_reset();
    markOnPlot(currentCoordinate());
    s.PhotoFile = linkedPath(currentCoordinate());
    drawWhole();
    setWidth(width + 10.0);
    setHeight(height + 400.0);
    placeFrame1();
}

void Jpegdisp::sizeStep(float by)
{
    PhotoViewerState& s = photoViewerState();
    if (by > 0 ? s.PhotoSizeStep < kSizeStepMax : s.PhotoSizeStep > kSizeStepMin)
        s.PhotoSizeStep += by;
    layout();
}

void Jpegdisp::mouseDown(float x, float y)
{
    PhotoViewerState& s = photoViewerState();
    s.pressX = x;
    s.pressY = y;
    s.moveCount = 1;
}

void Jpegdisp::drawBox(float x, float y)
{
    const PhotoViewerState& s = photoViewerState();
    Picture1.canvas().Line(s.pressX, s.pressY, x, y, platform::QBColor(kGrey), platform::LineOpt::Box);
}

void Jpegdisp::mouseMove(int button, float x, float y)
{
    PhotoViewerState& s = photoViewerState();
    if (s.moveCount > 0)
        ++s.moveCount;
    platform::Canvas& c = Picture1.canvas();
    if (button == kRightButton) {
        Picture1.showCursor(platform::SystemCursor::Hand);
        c.setDrawMode(kNotXorPen);
        if (s.moveCount > 2)
            drawBox(s.boxX, s.boxY);
        drawBox(x, y);
        s.boxX = x;
        s.boxY = y;
    } else if (button == kLeftButton) {
        Picture1.showCursor(platform::SystemCursor::SizeAll);
        if (s.moveCount > 2) {
            const auto top = static_cast<float>(c.ScaleTop()) - (y - s.pressY);
            const auto left = static_cast<float>(c.ScaleLeft()) - (x - s.pressX);
            drawInto(top, left, top + static_cast<float>(c.ScaleHeight()), left + static_cast<float>(c.ScaleWidth()));
        }
    }
}

void Jpegdisp::mouseUp(int button, float x, float y)
{
    PhotoViewerState& s = photoViewerState();
    const platform::Canvas& c = Picture1.canvas();
    if (button == kRightButton && s.moveCount > 4
        && (std::fabs(x - s.pressX) > kBoxMinimum || std::fabs(y - s.pressY) > kBoxMinimum)) {
        const float centreX = (s.pressX + x) / 2;
        const float centreY = (s.pressY + y) / 2;
        float h = std::fabs(y - s.pressY);
        float w = std::fabs(x - s.pressX);
        if (h == 0.0F)
            h = 0.1F;
        if (w == 0.0F)
            w = 0.1F;
        if (h / w > s.PhotoAspect)
            w = h / s.PhotoAspect;
        else
            h = s.PhotoAspect * w;
        showView(centreY - h / 2, centreX - w / 2, h, w);
    } else if (button == kRightButton && s.moveCount > 2) {
        // No zoom: the last box goes again.
        drawBox(s.boxX, s.boxY);
    } else if (button == kLeftButton && s.moveCount >= 3) {
        showView(static_cast<float>(c.ScaleTop()) - (y - s.pressY), static_cast<float>(c.ScaleLeft()) - (x - s.pressX),
                 static_cast<float>(c.ScaleHeight()), static_cast<float>(c.ScaleWidth()));
    }
    s.moveCount = 0;
}

platform::FormHolder<Jpegdisp>& jpegdispForm()
{
    static platform::FormHolder<Jpegdisp> holder;
    return holder;
}

std::optional<float> DrawPhoto(Jpegdisp& viewer, const QString& file, float top, float left, float bottom, float right,
                               float viewTop, float viewLeft, float viewBottom, float viewRight, float angle,
                               float size)
{
    const platform::ImageTarget target{viewer.Picture1.canvas(),
                                       QSizeF(viewer.Picture1.Width(), viewer.Picture1.Height()),
                                       QPointF(TwipPixX, TwipPixY)};
    const platform::ImageDrawResult result =
        platform::drawImageFile(target, file, {top, left, bottom, right}, {viewTop, viewLeft, viewBottom, viewRight},
                                angle, size);
    if (result.status != platform::ImageDrawStatus::Drawn)
        return std::nullopt;
    viewer.Picture1.Refresh();
    return static_cast<float>(result.scale);
}

void showPhotoCandidates()
{
    if (candidateCount() < 1)
        return;
    PhotoReload = 0;
    PhotoUseTemp = 0;
    const Jpegdisp* open = jpegdispForm().ifLoaded();
    if (open != nullptr && open->Visible())
        PhotoReload = 1;
    LinkCandCount = 1;
    jpegdisp().Show();
}

}  // namespace tavelcor
