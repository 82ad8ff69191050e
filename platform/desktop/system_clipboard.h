// SPDX-License-Identifier: LicenseRef-Tavelcor
// The desktop's clipboard behind the Clipboard interface of
// platform/system/clipboard.h.
#pragma once

#include "platform/system/clipboard.h"

#include <QString>

namespace platform {

// The desktop's clipboard (QGuiApplication::clipboard()). Needs a
// QGuiApplication; without one text() is empty and setText()/clear() do
// nothing.
class SystemClipboard final : public Clipboard {
public:
    QString text() const override;
    void setText(const QString& text) override;
    void clear() override;
};

}  // namespace platform
