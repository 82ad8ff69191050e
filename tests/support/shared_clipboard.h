// SPDX-License-Identifier: LicenseRef-Tavelcor
#pragma once

// A clipboard that a fake workbook peer's thread may write while the main
// thread polls it, as the workbook measurement does.

#include "platform/system/clipboard.h"

#include <QString>

#include <mutex>

namespace tavelcor::testsupport {

class SharedClipboard final : public platform::Clipboard {
public:
    QString text() const override
    {
        std::lock_guard lock(mMutex);
        return mText;
    }
    void setText(const QString& text) override
    {
        std::lock_guard lock(mMutex);
        mText = text;
    }
    void clear() override { setText(QString()); }

private:
    mutable std::mutex mMutex;
    QString mText;
};

}  // namespace tavelcor::testsupport
