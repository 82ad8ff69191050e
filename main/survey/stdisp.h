// SPDX-License-Identifier: LicenseRef-Tavelcor
// The calculation report window `stdisp` (caption "KESTRO 計算結果").
//
// It collects the result lines of the right-click survey calculations in one
// growing report: the calculations leave their lines in MsgText and show
// the window, which takes them over each time it is activated, under a
// header per calculation mode. Its menu bar prints the report as plain text
// ("簡易印刷"), copies it ("全てコピー"), closes the window ("閉じる"; the
// report is discarded) and opens the distance panel ("距離計算"), which
// tells a surveyor staking out how far the point must still move.
//
// The window is modeless and stays above the other windows. The report
// lives with the window: a new load starts a new one.
#pragma once

#include "platform/forms/forms.h"

#include <QString>

#include <cstdint>

namespace tavelcor {

class Stdisp : public platform::Form {
public:
    Stdisp();
    ~Stdisp() override;

    /// The report, multi-line with a vertical scroll bar; fills the client
    /// area.
    platform::TextBox Text1{*this, QStringLiteral("Text1")};
    /// The distance panel (7335 x 1335 twips), hidden when the window opens.
    platform::Frame Frame1{*this, QStringLiteral("Frame1")};
    platform::Label Label1{Frame1, QStringLiteral("Label1")};  ///< 計算距離
    platform::Label Label2{Frame1, QStringLiteral("Label2")};  ///< 測定距離
    platform::Label Label3{Frame1, QStringLiteral("Label3")};  ///< 補正距離
    platform::TextBox Text2{Frame1, QStringLiteral("Text2")};  ///< computed distance
    platform::TextBox Text3{Frame1, QStringLiteral("Text3")};  ///< measured distance
    platform::TextBox Text4{Frame1, QStringLiteral("Text4")};  ///< the difference
    platform::TextBox Text5{Frame1, QStringLiteral("Text5")};  ///< むこう or こっち
    platform::CommandButton Command1{Frame1, QStringLiteral("Command1")};  ///< 閉じる
    platform::LineControl Line1{Frame1, QStringLiteral("Line1")};
    /// The menu bar.
    platform::Menu p_out{*this, QStringLiteral("p_out"), QStringLiteral("簡易印刷")};
    platform::Menu get_txt{*this, QStringLiteral("get_txt"), QStringLiteral("全てコピー")};
    platform::Menu stclose{*this, QStringLiteral("stclose"), QStringLiteral("閉じる")};
    platform::Menu hikizan{*this, QStringLiteral("hikizan"), QStringLiteral("距離計算")};

    /// The whole report as shown, lines ended by CR LF.
    QString ResultText;
    /// The right-click mode whose header was written last (0 before any).
    std::int16_t HeaderMode = 0;

    /// Keeps `window` above the other windows (the window applies it to
    /// itself when it loads).
    static void SetWindowTop(platform::Form& window);

    // Handlers.
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void get_txt_Click();
    void p_out_Click();
    void stclose_Click();
    void hikizan_Click();
    void Command1_Click();
    void Text3_Change();
    void Text1_KeyPress(int& keyAscii);

    /// The designed client area and the distance panel, twips.
    static constexpr double kClientWidth = 12375.0;
    static constexpr double kClientHeight = 2295.0;
    static constexpr double kPanelWidth = 7335.0;
    static constexpr double kPanelHeight = 1335.0;

private:
    void design();
    void designPanel();
    void wire();
    void takeMessages();
};

platform::FormHolder<Stdisp>& stdispForm();
inline Stdisp& stdisp() { return stdispForm().instance(); }

/// The header line of a right-click mode's results: "TAVELCOR 放射状逆計算"
/// (1), "TAVELCOR 連続逆計算" (2), "TAVELCOR 垂線チェック" (3), "TAVELCOR ４点交点"
/// (34); "" for the other modes, which write no header.
QString reportHeader(int mode);

/// The window's width (twips) for the letter size FontSize: 13 gives
/// 11600, 12 10460, 11 10300, 10 9450, below 10 8200, 14 and above 12800.
double reportWindowWidth(int fontSize);

/// Shows the report window modeless for a caller that left its lines in
/// MsgText (loading it first): a minimised window is restored first while a
/// right-click mode above 0 is set. The window takes the lines when it is
/// activated.
void showReportWindow();

}  // namespace tavelcor
