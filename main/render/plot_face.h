// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// What the plot drawing reads and writes of the main window, as one seam:
// the picture box with its canvas, the display switches, the number-range
// fields, the marker buttons, the scale-bar labels, the status label, the
// point-name fields and the fill gauges.  The main window binds it to its
// controls; StandalonePlot keeps plain values around its own canvas, for
// tests, benchmarks and off-screen output.

#include <QString>

#include <array>
#include <cstdint>
#include <memory>

class QSize;

namespace platform {
class Canvas;
}

namespace tavelcor::render {

/// The two labels that make up the scale bar: Label26 is the bar itself (its
/// width is the bar length), Label25 the caption beside it.  Positions and
/// widths are in the picture's user units (metres), as both lie inside it.
struct ScaleBarLabels {
    double label25Left = 0.0;
    double label25Top = 0.0;
    QString label25Caption;
    int label25BorderStyle = 0;
    double label26Left = 0.0;
    double label26Top = 0.0;
    double label26Width = 0.0;
    int label26BorderStyle = 0;
};

/// Fill gauges of the four item tables.
enum class Gauge { Tegaki = 1, Text = 2, Point = 3, Line = 4 };

class PlotFace {
public:
    /// A redraw of this face still waiting (redraw_hold.h) is dropped.
    virtual ~PlotFace();

    /// The plot surface Picture1.
    virtual platform::Canvas& picture() = 0;
    /// Picture1's outer width and height in twips.
    virtual double pictureWidthTwips() const = 0;
    virtual double pictureHeightTwips() const = 0;
    /// The main window's height in twips.
    virtual double formHeightTwips() const = 0;

    /// Value of check box Check<number> (0 unticked, 1 ticked, 2 greyed); an
    /// unknown number reads 0.
    virtual int checkValue(int number) const = 0;
    /// Text of the number-range fields Text2, Text5, Text15, Text16.
    virtual QString rangeText(int number) const = 0;
    /// Caption (the glyph) and text colour (24-bit, red in the low byte) of
    /// the marker button Option13(mark), mark 1..18; outside: "" and 0.
    virtual QString symbolCaption(int mark) const = 0;
    virtual std::uint32_t symbolColor(int mark) const = 0;
    /// True while the point panel's delete option Option10 is selected.
    virtual bool deleteOptionSelected() const = 0;

    virtual void hideStatusLabel() = 0;                       ///< Label28
    virtual ScaleBarLabels scaleBar() const = 0;              ///< Label25, Label26
    virtual void setScaleBar(const ScaleBarLabels& labels) = 0;
    virtual void setPointNameFields(const QString& name, const QString& name2) = 0;  ///< Text6, Text7
    virtual void setGauge(Gauge gauge, int percent) = 0;

    /// The buffer picture Picture5 of the background blend: it holds the
    /// first background while the second is drawn.
    virtual platform::Canvas& blendBuffer() = 0;
    /// Shown: the buffer takes Picture1's place, size, border and back
    /// colour (which clears it), a pixel scale and a picture of Picture1's
    /// pixel size, and lies over the plot; hidden: it is out of sight.
    virtual void showBlendBuffer(bool shown) = 0;
    /// Picture1's mouse pointer code (11 the hourglass).
    virtual int pictureMousePointer() const = 0;
    virtual void setPictureMousePointer(int pointer) = 0;
};

/// A plot face with plain values: the design values of the main window's
/// switches (Check12..Check17, Check8, Check10 ticked; the rest unticked),
/// the ranges "1".."10000" and "10001".."500000", and no marker glyphs until
/// the caller sets them.  Owns its canvas; 15 twips per pixel.
class StandalonePlot final : public PlotFace {
public:
    explicit StandalonePlot(QSize pixels);
    ~StandalonePlot() override;

    platform::Canvas& picture() override { return *mCanvas; }
    double pictureWidthTwips() const override;
    double pictureHeightTwips() const override;
    double formHeightTwips() const override { return mFormHeightTwips; }
    int checkValue(int number) const override;
    QString rangeText(int number) const override;
    QString symbolCaption(int mark) const override;
    std::uint32_t symbolColor(int mark) const override;
    bool deleteOptionSelected() const override { return mDeleteOption; }
    void hideStatusLabel() override { mStatusLabelVisible = false; }
    ScaleBarLabels scaleBar() const override { return mScaleBar; }
    void setScaleBar(const ScaleBarLabels& labels) override { mScaleBar = labels; }
    void setPointNameFields(const QString& name, const QString& name2) override;
    void setGauge(Gauge gauge, int percent) override;
    platform::Canvas& blendBuffer() override { return *mBuffer; }
    void showBlendBuffer(bool shown) override;
    int pictureMousePointer() const override { return mMousePointer; }
    void setPictureMousePointer(int pointer) override { mMousePointer = pointer; }

    /// Whether the blend buffer is shown now, and how many times it was.
    bool blendBufferShown() const { return mBufferShown; }
    int blendBufferShowings() const { return mBufferShowings; }

    void setCheck(int number, int value);
    void setRangeText(int number, const QString& text);
    void setSymbol(int mark, const QString& caption, std::uint32_t color);
    void setDeleteOption(bool selected) { mDeleteOption = selected; }
    bool statusLabelVisible() const { return mStatusLabelVisible; }
    QString pointNameField() const { return mText6; }
    QString pointName2Field() const { return mText7; }
    int gauge(Gauge gauge) const { return mGauges[static_cast<int>(gauge)]; }

    static constexpr int kTwipsPerPixel = 15;
    static constexpr int kMaxCheck = 40;

private:
    std::unique_ptr<platform::Canvas> mCanvas;
    std::unique_ptr<platform::Canvas> mBuffer;
    bool mBufferShown = false;
    int mBufferShowings = 0;
    int mMousePointer = 0;
    double mFormHeightTwips = 0.0;
    std::array<int, kMaxCheck + 1> mChecks{};
    QString mText2, mText5, mText15, mText16;
    std::array<QString, 19> mSymbolCaptions;
    std::array<std::uint32_t, 19> mSymbolColors{};
    bool mDeleteOption = false;
    bool mStatusLabelVisible = true;
    ScaleBarLabels mScaleBar;
    QString mText6, mText7;
    std::array<int, 5> mGauges{};
};

}  // namespace tavelcor::render
