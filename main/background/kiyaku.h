// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// The terms notice kiyaku ("地理院タイル利用規約"): the conditions under
// which the GSI map tiles and the small-scale map data behind them may be
// used, and a button that opens the tile provider's terms page
// (webServices().termsPage) in the browser through the URL opener. Shown
// modal by the background dialog's usage-notice button; each showing loads
// it afresh, so the text is built anew, never appended to.

#include "platform/forms/forms.h"

#include <QString>

namespace tavelcor {

/// The notice text: the terms line, the small-scale line, the bathymetry
/// credit with its address and, directly after it, the chart-usage notice.
QString kiyakuText();

class Kiyaku final : public platform::Form {
public:
    Kiyaku();

    platform::TextBox Text1{*this, QStringLiteral("Text1")};
    platform::CommandButton Command1{*this, QStringLiteral("Command1")};

    static constexpr double kClientWidth = 5175.0;
    static constexpr double kClientHeight = 2355.0;

private:
    void Form_Activate();
};

platform::FormHolder<Kiyaku>& kiyakuForm();
inline Kiyaku& kiyaku()
{
    return kiyakuForm().instance();
}

}  // namespace tavelcor
