// SPDX-License-Identifier: LicenseRef-Tavelcor
// The drawing surface of a picture box: a persistent picture (what the
// original platform calls AutoRedraw) on an RGB32 QImage, with the picture
// box's user scale, pens, draw modes, text output at the current point and
// bitmap input and output.
//
// Pixel rule. A user point (x, y) maps to the continuous device position
// u = (x - ScaleLeft) * widthPx / ScaleWidth, v = (y - ScaleTop) * heightPx /
// ScaleHeight (toPixel); it is drawn on pixel (floor(u + 0.5), floor(v + 0.5)).
// Line, PSet, Circle, Print, PaintPicture and Point all use this rule, so a
// figure drawn again with the same arguments hits exactly the same pixels.
// Nothing is antialiased (pens, shapes or text): erasing by drawing the same
// figure again in white, or drawing it twice under the XOR and not-XOR draw
// modes, restores the picture exactly.
//
// Draw modes (DrawMode) combine the pen P with the picture D per pixel as the
// original platform's binary raster operations do; they apply to PSet, Line,
// Circle and Polygon. Text (Print) and pictures ignore the draw mode: text is
// always copied in ForeColor, as on the original platform.
//
// Width-1 lines leave out their last pixel (a line from a point to itself
// draws nothing), so joined segments and box edges touch every pixel once.
// Wider pens (DrawWidth > 1) have round ends: a line covers the pixels whose
// centres lie within DrawWidth / 2 of the segment between its end pixels'
// centres (a line 2 wide covers 2 rows), and a PSet dot is the same figure
// around one pixel. Within one figure no pixel is combined twice.
//
// Text needs a QGuiApplication; everything else works without one.
// Not thread-safe: the canvas belongs to the UI thread.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QPolygon>
#include <QPolygonF>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace platform {

/// Units of the user scale; the numbers are the original platform's.
enum class ScaleMode : int {
    User = 0,
    Twips = 1,
    Points = 2,
    Pixels = 3,
    Characters = 4, ///< 120 twips across, 240 twips down
    Inches = 5,
    Millimeters = 6,
    Centimeters = 7,
    Himetric = 8, ///< 0.01 mm; only as a unit of ScaleX/ScaleY
};

/// How the pen P combines with the picture D (DrawMode 1 to 16).
enum class PenMode : int {
    Blackness = 1,   ///< 0
    NotMergePen = 2, ///< NOT (P OR D)
    MaskNotPen = 3,  ///< D AND NOT P
    NotCopyPen = 4,  ///< NOT P
    MaskPenNot = 5,  ///< P AND NOT D
    Invert = 6,      ///< NOT D
    XorPen = 7,      ///< P XOR D
    NotMaskPen = 8,  ///< NOT (P AND D)
    MaskPen = 9,     ///< P AND D: a white pen leaves the picture unchanged
    NotXorPen = 10,  ///< NOT (P XOR D): drawing twice restores the picture
    Nop = 11,        ///< D: nothing is drawn
    MergeNotPen = 12, ///< D OR NOT P
    CopyPen = 13,    ///< P (the default)
    MergePenNot = 14, ///< P OR NOT D
    MergePen = 15,   ///< P OR D
    Whiteness = 16,  ///< white
};

/// Pen patterns (DrawStyle 0 to 6). Patterns 1 to 4 apply to DrawWidth 1
/// only; wider pens draw them solid, as on the original platform.
enum class LineStyle : int {
    Solid = 0,
    Dash = 1,
    Dot = 2,
    DashDot = 3,
    DashDotDot = 4,
    Transparent = 5, ///< outlines are not drawn (fills still are)
    InsideSolid = 6, ///< solid, with box and circle outlines kept inside the figure
};

/// Fill of boxes, circles and pies (FillStyle 0 to 7) in FillColor.
enum class FillPattern : int {
    Solid = 0,
    Transparent = 1, ///< the default: no fill
    HorizontalLine = 2,
    VerticalLine = 3,
    UpwardDiagonal = 4,
    DownwardDiagonal = 5,
    Cross = 6,
    DiagonalCross = 7,
};

/// The B and BF options of Line.
enum class LineOpt { None, Box, BoxFill };

/// Raster operations of PaintPicture (source S, picture D), with the
/// original platform's constant values.
enum class PictureOp : std::uint32_t {
    SrcCopy = 0x00CC0020,     ///< S
    SrcPaint = 0x00EE0086,    ///< S OR D
    SrcAnd = 0x008800C6,      ///< S AND D
    SrcInvert = 0x00660046,   ///< S XOR D
    SrcErase = 0x00440328,    ///< S AND NOT D
    NotSrcCopy = 0x00330008,  ///< NOT S
    NotSrcErase = 0x001100A6, ///< NOT (S OR D)
    MergePaint = 0x00BB0226,  ///< NOT S OR D
    DstInvert = 0x00550009,   ///< NOT D
    Blackness = 0x00000042,   ///< 0
    Whiteness = 0x00FF0062,   ///< white
};

class Canvas {
public:
    /// Twips per pixel of the canvas (96 dots per inch).
    static constexpr double kTwipsPerPixel = 15.0;

    /// A canvas of the given size in pixels (negative sizes count as 0),
    /// filled with BackColor (white), ScaleMode twips, ForeColor black,
    /// DrawWidth 1, copy pen, font "ＭＳ ゴシック" 9 points.
    explicit Canvas(QSize pixels);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // --- size, image and change notification -----------------------------

    /// Changes the pixel size. The picture keeps its content at the top left;
    /// new area shows BackColor with the background Picture over it. In the
    /// user scale the Scale values stay (the scale stretches with the size);
    /// in the other modes ScaleWidth and ScaleHeight follow the new size.
    void resize(QSize pixels);
    QSize pixelSize() const { return m_image.size(); }

    /// The persistent picture (RGB32). Reading it finishes pending drawing;
    /// the reference stays valid until the next call that draws or resizes.
    const QImage& image() const;
    /// The persistent picture for direct pixel work (blending, veils). It
    /// counts as changed; the reference must not be kept across other calls,
    /// and the image must keep its size and format.
    QImage& imageForEdit();

    /// Called after drawing, once per batch: the first change after the
    /// picture was last read through image() calls it, later changes do not
    /// until image() is read again. A widget repaints from it.
    void setChangedCallback(std::function<void()> callback);
    /// Calls the changed callback at once (the picture box's Refresh).
    void Refresh();

    // --- user scale --------------------------------------------------------

    double ScaleLeft() const { return m_scaleLeft; }
    double ScaleTop() const { return m_scaleTop; }
    double ScaleWidth() const { return m_scaleWidth; }
    double ScaleHeight() const { return m_scaleHeight; }
    ScaleMode scaleMode() const { return m_scaleMode; }
    /// Setting a Scale value switches ScaleMode to User. A width or height of
    /// 0, or a value that is not finite, is refused (false, nothing changes).
    /// Negative widths and heights are allowed: the axis then runs the other
    /// way (a negative ScaleHeight makes y grow upwards).
    bool setScaleLeft(double value);
    bool setScaleTop(double value);
    bool setScaleWidth(double value);
    bool setScaleHeight(double value);
    /// Scale (x1, y1)-(x2, y2): the top-left corner is (x1, y1) and the
    /// bottom-right corner (x2, y2); false and nothing changes when x1 = x2
    /// or y1 = y2.
    bool Scale(double x1, double y1, double x2, double y2);
    /// Scale without arguments: back to twips with the origin at the top left.
    void Scale();
    /// A unit mode sets ScaleLeft = ScaleTop = 0 and the size in that unit;
    /// User keeps the current values. Himetric is refused (false).
    bool setScaleMode(ScaleMode mode);
    bool setScaleMode(int mode);

    /// User point -> continuous device position in pixels (see the pixel rule).
    QPointF toPixel(QPointF user) const;
    /// Device position in pixels (e.g. a mouse position) -> user point.
    QPointF toUser(QPointF pixel) const;
    /// A horizontal or vertical length converted between units. User units
    /// use the current ScaleWidth (ScaleX) or ScaleHeight (ScaleY) with its
    /// sign; the other units are fixed (15 twips per pixel).
    double ScaleX(double width, ScaleMode from, ScaleMode to) const;
    double ScaleY(double height, ScaleMode from, ScaleMode to) const;

    // --- drawing state -----------------------------------------------------

    /// Colours are 24-bit values, red in the low byte (see colors.h).
    std::uint32_t ForeColor() const { return m_foreColor; }
    void setForeColor(std::uint32_t color);
    std::uint32_t BackColor() const { return m_backColor; }
    /// Setting BackColor clears the picture to the new colour (with the
    /// background Picture over it) and sets the current point to (0, 0), as
    /// on the original platform, even when the colour does not change.
    void setBackColor(std::uint32_t color);
    std::uint32_t FillColor() const { return m_fillColor; }
    void setFillColor(std::uint32_t color);
    FillPattern FillStyle() const { return m_fillStyle; }
    void setFillStyle(FillPattern style);
    bool setFillStyle(int style); ///< 0..7, else false and no change
    /// Pen width in pixels, 1 to 32767; other values are refused (false).
    int DrawWidth() const { return m_drawWidth; }
    bool setDrawWidth(int pixels);
    PenMode DrawMode() const { return m_drawMode; }
    void setDrawMode(PenMode mode);
    bool setDrawMode(int mode); ///< 1..16, else false and no change
    LineStyle DrawStyle() const { return m_drawStyle; }
    void setDrawStyle(LineStyle style);
    bool setDrawStyle(int style); ///< 0..6, else false and no change
    /// The current point, in user units: where the next Print writes (top
    /// left of the text) and where "Line -(x, y)" starts.
    double CurrentX() const { return m_currentX; }
    double CurrentY() const { return m_currentY; }
    void setCurrentX(double x) { m_currentX = x; }
    void setCurrentY(double y) { m_currentY = y; }

    // --- font ----------------------------------------------------------------

    /// The name as set ("ＭＳ ゴシック"); glyphs come from the mapped family
    /// (qtFontFamily in font_names.h).
    QString FontName() const { return m_fontName; }
    void setFontName(const QString& name);
    /// The size the font actually took, in points: the requested size is
    /// rounded to whole pixels of em height at 96 dpi (at least 1 pixel), so
    /// 11 points read back as 11.25 and 8 points as 8.25.
    double FontSize() const;
    /// Requested size in points; values that are not finite or not above 0
    /// are refused (false).
    bool setFontSize(double points);
    bool FontBold() const { return m_font.bold(); }
    void setFontBold(bool on);
    bool FontItalic() const { return m_font.italic(); }
    void setFontItalic(bool on);
    bool FontUnderline() const { return m_font.underline(); }
    void setFontUnderline(bool on);
    bool FontStrikethru() const { return m_font.strikeOut(); }
    void setFontStrikethru(bool on);
    /// True (the default): text leaves the picture between the glyphs as it
    /// is; false: each text line first fills its box with BackColor.
    bool FontTransparent() const { return m_fontTransparent; }
    void setFontTransparent(bool on) { m_fontTransparent = on; }

    // --- drawing -------------------------------------------------------------

    /// Clears the picture to BackColor, draws the background Picture at the
    /// top left, and sets the current point to (0, 0).
    void Cls();
    /// Sets the pixel of (x, y) in `color` (ForeColor when omitted) under the
    /// draw mode; wider pens set a round dot of DrawWidth pixels. The current
    /// point becomes (x, y).
    void PSet(double x, double y, std::optional<std::uint32_t> color = std::nullopt);
    /// Line (x1, y1)-(x2, y2) in `color` (ForeColor when omitted). Box draws
    /// the outline of the box with these corners (filled with FillColor when
    /// FillStyle is not transparent); BoxFill fills it in `color`. A box
    /// covers both corner pixels. The current point becomes (x2, y2).
    void Line(double x1, double y1, double x2, double y2,
              std::optional<std::uint32_t> color = std::nullopt, LineOpt opt = LineOpt::None);
    /// Line -(x2, y2): from the current point.
    void LineTo(double x2, double y2,
                std::optional<std::uint32_t> color = std::nullopt, LineOpt opt = LineOpt::None);
    /// Circle (x, y), radius: the radius is in horizontal user units and is
    /// rounded to whole pixels. Arcs run counter-clockwise from `start` to
    /// `end` (radians, -2 pi..2 pi); a negative value also draws the radius
    /// to that end (a pie). `aspect` is the vertical to horizontal ratio:
    /// below 1 the radius is the horizontal half-axis, above 1 the vertical
    /// one. FillStyle fills full circles and pies in FillColor. The current
    /// point becomes (x, y).
    void Circle(double x, double y, double radius,
                std::optional<std::uint32_t> color = std::nullopt,
                std::optional<double> start = std::nullopt,
                std::optional<double> end = std::nullopt, double aspect = 1.0);
    /// A polygon with vertices in device pixels, closed automatically,
    /// outlined with the current pen (ForeColor, DrawWidth, DrawStyle) and
    /// filled solid in `fillColor`, both under the draw mode: the device
    /// context call that fills parcels.
    void Polygon(const QPolygon& pixelPoints, std::uint32_t fillColor);
    /// The same with the device pixels held as doubles, so that vertices
    /// far beyond the range of int (a huge figure at a close zoom) keep
    /// their place: the figure is clipped to the picture before drawing.
    void Polygon(const QPolygonF& pixelPoints, std::uint32_t fillColor);
    /// Prints text with its top-left corner at the current point, in
    /// ForeColor and the current font. Line breaks (CR LF, CR or LF) start
    /// a new line at ScaleLeft. With `newline` (a Print without a trailing
    /// semicolon) the current point moves to ScaleLeft on the next text
    /// line; without it, it stays on the last line, just after the text.
    void Print(const QString& text, bool newline = true);
    /// Width of the widest line of `text` and height of its lines, in user
    /// units of the current scale (negative where the axis runs the other way).
    double TextWidth(const QString& text) const;
    double TextHeight(const QString& text) const;
    /// The 24-bit colour of the pixel of (x, y), or -1 outside the picture.
    std::int32_t Point(double x, double y) const;

    /// Draws `picture` into the box whose top-left corner is (x, y) and whose
    /// size is (width, height) in user units; an omitted width or height is
    /// the picture's own size in pixels, and a negative one mirrors the
    /// picture. `source` selects a rectangle in picture pixels (all of it when
    /// empty). Pixels are picked without smoothing, combined by `op`.
    void PaintPicture(const QImage& picture, double x, double y,
                      std::optional<double> width = std::nullopt,
                      std::optional<double> height = std::nullopt,
                      QRect source = {}, PictureOp op = PictureOp::SrcCopy);
    /// Draws `picture` (alpha-blended over the canvas) into the box of
    /// `width` x `height` device pixels whose top-left corner is (x, y). The
    /// whole coordinate system is first turned by `rotationDeg` about the
    /// canvas's top-left pixel (clockwise on screen for positive angles). A
    /// negative width or height mirrors the picture (the box then extends to
    /// the left or upwards from x or y). `smooth` interpolates bilinearly,
    /// else pixels are picked. Only the part inside the canvas is computed,
    /// so boxes far larger than the canvas cost no more than the canvas.
    void DrawImage(const QImage& picture, int x, int y, int width, int height,
                   double rotationDeg = 0.0, bool smooth = true);

    // --- files and the background Picture ------------------------------------

    /// Writes the persistent picture as a 24-bit Windows bitmap, replacing
    /// `path` only when the whole file was written. False on failure (the
    /// old file is kept).
    bool SavePicture(const QString& path) const;
    /// Loads an image file (BMP, PNG, JPEG and the other formats Qt reads) as
    /// the background Picture: the persistent picture restarts as BackColor
    /// with the Picture at the top left, at its own size; Cls shows it again.
    /// False when the file cannot be read (nothing changes).
    bool LoadPicture(const QString& path);
    /// The same with an image in memory; a null image removes the Picture.
    void setPicture(const QImage& picture);
    const QImage& Picture() const { return m_picture; }

private:
    /// The pen as last given to the QPainter, so that an unchanged pen is
    /// not built and set again for every shape.
    struct PenKey {
        std::uint32_t color = 0;
        int width = 1;
        LineStyle style = LineStyle::Solid;
        Qt::PenJoinStyle join = Qt::RoundJoin;
        bool operator==(const PenKey&) const = default;
    };
    struct BrushKey {
        std::uint32_t color = 0;
        FillPattern pattern = FillPattern::Transparent;
        bool operator==(const BrushKey&) const = default;
    };

    void updateScaleFactors();
    void setUnitScale();
    void fillBackground(QImage& image) const;
    void changed();
    QPainter& painter();
    void endPainter() const;
    QPainter& qtPainter(QPainter::CompositionMode mode, const PenKey& pen, const BrushKey& brush);
    PenKey currentPen(std::uint32_t color, Qt::PenJoinStyle join = Qt::RoundJoin) const;
    QPoint pixelOf(double x, double y) const;
    bool drawsOutline() const;
    void drawSegment(QPointF a, QPointF b, std::uint32_t color);
    void fillPixelRect(QRect rect, std::uint32_t color);
    void drawBox(QPoint a, QPoint b, std::uint32_t color, bool fillWithPen);
    void drawBoxOutline(const QRect& box, std::uint32_t color);
    void drawOutlinedFill(QRect bounds, const PenKey& pen, const BrushKey& brush,
                          const std::function<void(QPainter&)>& shape);
    void drawDot(QPoint p, std::uint32_t color);
    void drawEllipse(QPoint centre, int rx, int ry, std::uint32_t color,
                     std::optional<double> start, std::optional<double> end);
    void fontChanged();
    const QFontMetrics& metrics() const;
    void printLine(const QString& line, QPoint topLeft);

    QImage m_image;
    QImage m_picture;
    mutable QPainter m_painter;
    std::function<void()> m_changedCallback;
    mutable bool m_notified = false;

    ScaleMode m_scaleMode = ScaleMode::Twips;
    double m_scaleLeft = 0.0;
    double m_scaleTop = 0.0;
    double m_scaleWidth = 1.0;
    double m_scaleHeight = 1.0;
    double m_pxPerUnitX = 1.0; ///< pixels per user unit across (signed)
    double m_pxPerUnitY = 1.0; ///< pixels per user unit down (signed)

    std::uint32_t m_foreColor = 0x000000;
    std::uint32_t m_backColor = 0xFFFFFF;
    std::uint32_t m_fillColor = 0x000000;
    FillPattern m_fillStyle = FillPattern::Transparent;
    int m_drawWidth = 1;
    PenMode m_drawMode = PenMode::CopyPen;
    LineStyle m_drawStyle = LineStyle::Solid;
    double m_currentX = 0.0;
    double m_currentY = 0.0;

    QString m_fontName;
    double m_fontPoints = 9.0;
    QFont m_font;
    mutable std::optional<QFontMetrics> m_metrics;
    bool m_painterFontStale = true;
    std::optional<PenKey> m_painterPen;
    std::optional<BrushKey> m_painterBrush;
    std::optional<QPainter::CompositionMode> m_painterMode;
    bool m_fontTransparent = true;
};

} // namespace platform
