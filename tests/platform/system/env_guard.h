// SPDX-License-Identifier: LicenseRef-Tavelcor
// Sets an environment variable for the life of a test and puts the old value
// back afterwards, so tests run in one process do not see each other's.
#pragma once

#include <QByteArray>
#include <QtGlobal>

class EnvGuard {
public:
    EnvGuard(const char* name, const QByteArray& value)
        : mName(name), mHadValue(qEnvironmentVariableIsSet(name)), mOld(qgetenv(name))
    {
        qputenv(mName, value);
    }
    EnvGuard(const EnvGuard&) = delete;
    EnvGuard& operator=(const EnvGuard&) = delete;
    ~EnvGuard()
    {
        if (mHadValue)
            qputenv(mName, mOld);
        else
            qunsetenv(mName);
    }

private:
    const char* mName;
    bool mHadValue;
    QByteArray mOld;
};
