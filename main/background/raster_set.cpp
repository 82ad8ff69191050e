// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/background/raster_set.h"

#include "main/background/haikei.h"
#include "main/background/raster_placement.h"
#include "main/edit/undo_history.h"
#include "main/render/wheel_zoom.h"
#include "main/site/tables.h"
#include "main/ui/shared_utilities.h"
#include "main/window/plot.h"
#include "platform/canvas/image_drawing.h"
#include "platform/prompt/prompter.h"
#include "platform/text/numbers.h"
#include "platform/text/textfile.h"

namespace tavelcor {

namespace {

constexpr int kPreviewSlot = 3;
constexpr int kPreviewRow = 1;
constexpr int kPlacedRaster = 3;
constexpr int kStarMarker = 3;
constexpr double kInset = 100.0;

void say(const char16_t* text)
{
    platform::MsgBox(QString::fromUtf16(text));
}

bool previewLoaded()
{
    return !HaikeiFile(kPreviewSlot, kPreviewRow).isEmpty();
}

RasterRect previewRect()
{
    return {HaikeiXMin(kPreviewSlot, kPreviewRow), HaikeiYMin(kPreviewSlot, kPreviewRow),
            HaikeiXMax(kPreviewSlot, kPreviewRow), HaikeiYMax(kPreviewSlot, kPreviewRow)};
}

void setPreview(const RasterRect& rect)
{
    HaikeiXMin(kPreviewSlot, kPreviewRow) = rect.xMin;
    HaikeiYMin(kPreviewSlot, kPreviewRow) = rect.yMin;
    HaikeiXMax(kPreviewSlot, kPreviewRow) = rect.xMax;
    HaikeiYMax(kPreviewSlot, kPreviewRow) = rect.yMax;
}

// The number at the start of a field, in single precision.
float fieldValue(const platform::TextBox& field)
{
    return static_cast<float>(platform::Val(field.Text()));
}

// Writes the definition through a temporary name; false when it could not
// be written (the old file then stays).
bool writeDefinition(const QString& path, const QByteArray& line)
{
    platform::TextFileWriter out(path);
    out.writeBytes(line);
    return out.commit();
}

// The two picks leave the point table: the point count goes back to what
// it was when the window opened, and the picks' history records are
// withdrawn so that Undo never brings the temporary points into the site.
void dropPlacementPoints()
{
    const int kept = rasterSetState().pointCountCopy;
    PointCount = kept;
    withdrawPointAdditions(kept);
}

}  // namespace

RasterSetState& rasterSetState()
{
    static RasterSetState state;
    return state;
}

void resetRasterSetState()
{
    rasterSetState() = RasterSetState{};
}

RasterSet::RasterSet() : platform::Form(QStringLiteral("RasterSet"))
{
    design();
    Load = [this] { Form_Load(); };
    Unload = [this](int&) {
        Hide();
        dropPlacementPoints();
        redrawBackground();
    };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { pick(QString::fromUtf16(kPointAName)); };
    Command3.Click = [this] { pick(QString::fromUtf16(kPointBName)); };
    Command4.Click = [this] { Command4_Click(); };
}

// "BITMAP 呼び出し" on top, the rows of A and B with their pick buttons and
// true coordinates, "実行" and the rotation below.
void RasterSet::design()
{
    setCaption(QStringLiteral("背景図２点指定配置"));
    setBorderStyle(platform::FormBorder::FixedToolWindow);
    setClientSize(kClientWidth, kClientHeight);
    Command1.setCaption(QStringLiteral("BITMAP 呼び出し"));
    Command1.Move(120.0, 120.0, 2400.0, 375.0);
    const struct {
        platform::Label* title;
        platform::CommandButton* pick;
        platform::Label* xLabel;
        platform::TextBox* x;
        platform::Label* yLabel;
        platform::TextBox* y;
        const char16_t* caption;
        double top;
    } rows[] = {{&Label1, &Command2, &Label3, &Text1, &Label4, &Text2, kPointAName, 620.0},
                {&Label2, &Command3, &Label5, &Text3, &Label6, &Text4, kPointBName, 1040.0}};
    for (const auto& row : rows) {
        row.title->setCaption(QString::fromUtf16(row.caption));
        row.title->Move(120.0, row.top + 45.0, 450.0, 255.0);
        row.pick->setCaption(QStringLiteral("図上点指示"));
        row.pick->Move(600.0, row.top, 1200.0, 345.0);
        row.xLabel->setCaption(QStringLiteral("X="));
        row.xLabel->Move(1880.0, row.top + 45.0, 330.0, 255.0);
        row.x->Move(2220.0, row.top, 1080.0, 345.0);
        row.yLabel->setCaption(QStringLiteral("Y="));
        row.yLabel->Move(3400.0, row.top + 45.0, 330.0, 255.0);
        row.y->Move(3740.0, row.top, 1080.0, 345.0);
    }
    Command4.setCaption(QStringLiteral("実行"));
    Command4.Move(120.0, 1540.0, 1680.0, 375.0);
    Label7.setCaption(QStringLiteral("回転角"));
    Label7.Move(1880.0, 1600.0, 800.0, 255.0);
    Text5.setText(QStringLiteral("0"));
    Text5.Move(2700.0, 1555.0, 1080.0, 345.0);
}

void RasterSet::Form_Load()
{
    SetTopMost(*this);
    if (Plot* window = plotForm().ifLoaded()) {
        Move(window->Left() + window->Width() - Width() - kInset,
             window->Top() + window->Height() - Height() - kInset);
    }
    HaikeiFile(kPreviewSlot, kPreviewRow).clear();
}

void RasterSet::Command1_Click()
{
    if (HaikeiAutoLoad == 0) {
        CommonDialog1.setFilter(QStringLiteral("BITMAPァイル|*.BMP"));
        CommonDialog1.ShowOpen();
    }
    const QString path = CommonDialog1.FileName();
    if (path.isEmpty())
        return;
    const std::optional<QSize> pixels = platform::imageFileSize(path);
    const std::optional<RasterRect> preview =
        pixels ? previewForBitmap(*pixels, {ViewCX, ViewCY, ViewSpanX, ViewSpanY}) : std::nullopt;
    if (!preview) {
        say(kBitmapUnreadable);
        return;
    }
    HaikeiFile(kPreviewSlot, kPreviewRow) = path;
    setPreview(*preview);
    redrawBackground();
}

void RasterSet::pick(const QString& name)
{
    if (!previewLoaded()) {
        say(kBitmapFirst);
        return;
    }
    Plot& window = plot();
    window.Option12.setValue(true);
    if (window.Option13.exists(kStarMarker))
        window.Option13(kStarMarker).setValue(true);
    window.Command20.setValue(true);
    window.Text6.setText(name);
}

void RasterSet::Command4_Click()
{
    if (!previewLoaded()) {
        say(kBitmapFirst);
        return;
    }
    const int a = findPlacementPoint(QString::fromUtf16(kPointAName), PointCount);
    if (a == 0) {
        say(kClickPointAFirst);
        return;
    }
    const int b = findPlacementPoint(QString::fromUtf16(kPointBName), PointCount);
    if (b == 0) {
        say(kClickPointBFirst);
        return;
    }
    PlacementInput in;
    in.trueAX = fieldValue(Text1);
    in.trueAY = fieldValue(Text2);
    in.trueBX = fieldValue(Text3);
    in.trueBY = fieldValue(Text4);
    if (in.trueAX == in.trueBX && in.trueAY == in.trueBY) {
        say(kTrueCoordinatesNeeded);
        return;
    }
    in.preview = previewRect();
    in.pickedAX = PointX[a];
    in.pickedAY = PointY[a];
    in.pickedBX = PointX[b];
    in.pickedBY = PointY[b];
    in.originX = OriginX;
    in.originY = OriginY;
    const std::optional<PlacementResult> placed = placeByTwoPoints(in);
    if (!placed) {
        say(kPointsCoincide);
        return;
    }
    Text5.setText(rotationText(placed->rotationDeg));
    if (rotationWarns(placed->rotationDeg)) {
        MsgText = QStringLiteral("図面が真北より") + Text5.Text()
                  + QStringLiteral("度回転しています。ずれが大きい場合、画像エディタで図面を回転して再度２点配置してください");
        platform::MsgBox(MsgText);
    }
    // The file first: a definition that cannot be written changes nothing.
    const QString bitmap = HaikeiFile(kPreviewSlot, kPreviewRow);
    const QString definition = definitionPathFor(bitmap);
    if (!writeDefinition(definition, definitionLine(bareFileName(bitmap), placed->placed))) {
        say(kDefinitionNotWritten);
        return;
    }
    setPreview(placed->placed);
    MsgText = QString::fromUtf16(kPlacedForNow);
    platform::MsgBox(MsgText);
    haikei().readRaster(kPlacedRaster, definition);
    Hide();
    dropPlacementPoints();
    redrawBackground();
}

platform::FormHolder<RasterSet>& rasterSetForm()
{
    static platform::FormHolder<RasterSet> holder;
    return holder;
}

void showRasterSet()
{
    RasterSet& window = rasterSet();
    window.Show();
    rasterSetState().pointCountCopy = PointCount;
}

bool rasterSetShown()
{
    const RasterSet* window = rasterSetForm().ifLoaded();
    return window != nullptr && window->Visible();
}

}  // namespace tavelcor
