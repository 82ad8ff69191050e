// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The raster placement window RasterSet ("背景図２点指定配置"): a scanned
// drawing held as a bitmap is laid over the view as a preview (HaikeiRaster
// slot 3, row 1), the user marks two points "Ａ点" and "Ｂ点" on it with the
// point panel, types their true coordinates, and "実行" scales the preview
// about A, writes a one-line raster definition beside the bitmap and
// installs it as raster 3, shown as background 1. While the window is shown
// the redraw draws the preview in place of the chosen backgrounds.
//
// The window is modeless and stays above the others. Its copy of PointCount
// is taken each time it is shown; a placement or closing the window sets
// PointCount back to it, which drops the temporary points.

#include "platform/forms/forms.h"
#include "platform/prompt/common_dialog.h"

#include <QString>

#include <cstdint>

namespace tavelcor {

/// Messages of the window (OK only).
inline constexpr char16_t kBitmapFirst[] = u"先にビットマップを呼び出してください";
inline constexpr char16_t kClickPointAFirst[] = u"先に図上のＡ点をクリックしてください";
inline constexpr char16_t kClickPointBFirst[] = u"先に図上のＢ点をクリックしてください";
inline constexpr char16_t kTrueCoordinatesNeeded[] = u"Ａ点とＢ座点の実体座標値を入力してください";
inline constexpr char16_t kBitmapUnreadable[] = u"画像サイズか大きいか、形式が違うので読み込めませんでした";
inline constexpr char16_t kPlacedForNow[] =
    u"仮に背景図を登録しました。整合を確認後ラスターカットで分割登録してください";
/// Two picks on one spot give no scale.
inline constexpr char16_t kPointsCoincide[] = u"Ａ点とＢ点が図上の同じ位置です。別の位置をクリックしてください";
/// The definition file could not be written; the old one stays.
inline constexpr char16_t kDefinitionNotWritten[] = u"ラスター定義ファイルを書き込めませんでした";

/// The names of the two placement points.
inline constexpr char16_t kPointAName[] = u"Ａ点";
inline constexpr char16_t kPointBName[] = u"Ｂ点";

/// The window's own variable, kept while the window comes and goes.
struct RasterSetState {
    std::int32_t pointCountCopy = 0;
};

RasterSetState& rasterSetState();
void resetRasterSetState();

class RasterSet final : public platform::Form {
public:
    RasterSet();

    platform::CommandButton Command1{*this, QStringLiteral("Command1")};
    platform::Label Label1{*this, QStringLiteral("Label1")};
    platform::Label Label2{*this, QStringLiteral("Label2")};
    platform::CommandButton Command2{*this, QStringLiteral("Command2")};
    platform::CommandButton Command3{*this, QStringLiteral("Command3")};
    platform::Label Label3{*this, QStringLiteral("Label3")};
    platform::Label Label4{*this, QStringLiteral("Label4")};
    platform::Label Label5{*this, QStringLiteral("Label5")};
    platform::Label Label6{*this, QStringLiteral("Label6")};
    platform::TextBox Text1{*this, QStringLiteral("Text1")};
    platform::TextBox Text2{*this, QStringLiteral("Text2")};
    platform::TextBox Text3{*this, QStringLiteral("Text3")};
    platform::TextBox Text4{*this, QStringLiteral("Text4")};
    platform::CommandButton Command4{*this, QStringLiteral("Command4")};
    platform::Label Label7{*this, QStringLiteral("Label7")};
    platform::TextBox Text5{*this, QStringLiteral("Text5")};
    /// The bitmap chooser; it starts from the last chosen name.
    platform::CommonDialog CommonDialog1;

    static constexpr double kClientWidth = 4920.0;
    static constexpr double kClientHeight = 2040.0;

private:
    void design();
    void Form_Load();
    void Command1_Click();
    void pick(const QString& name);
    void Command4_Click();
};

platform::FormHolder<RasterSet>& rasterSetForm();
inline RasterSet& rasterSet()
{
    return rasterSetForm().instance();
}

/// Shows the window modeless (creating it when needed) and takes its copy
/// of PointCount.
void showRasterSet();

/// Whether the window is shown; never creates it.
bool rasterSetShown();

}  // namespace tavelcor
