// SPDX-License-Identifier: LicenseRef-Tavelcor
// Test helper: an environment variable set for the life of a scope.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdlib>
#include <optional>

namespace testing_support {

/// Sets an environment variable for its lifetime and puts the old state back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value) : mName(name)
    {
        if (const char* old = std::getenv(name))
            mOld = QByteArray(old);
        qputenv(name, value.toLocal8Bit());
    }
    ~ScopedEnv()
    {
        if (mOld)
            qputenv(mName.constData(), *mOld);
        else
            qunsetenv(mName.constData());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    QByteArray mName;
    std::optional<QByteArray> mOld;
};

}  // namespace testing_support
