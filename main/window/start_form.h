// SPDX-License-Identifier: LicenseRef-Tavelcor
// The splash window `START`, shown while start-up prepares, while the
// map-XML reader works and while an export builds its file.
#pragma once

#include "platform/forms/forms.h"

namespace tavelcor {

/// The splash window `START`: caption "背景ラスター準備中" as designed (its
/// users change it to tell their stage) and the label "起動準備中です", which
/// its users may hide. Centred on the screen, no code of its own.
class Start : public platform::Form {
public:
    Start();
    platform::Label Label1{*this, QStringLiteral("Label1")};
};

platform::FormHolder<Start>& startForm();
inline Start& start() { return startForm().instance(); }

}  // namespace tavelcor
