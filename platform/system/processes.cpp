// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/system/processes.h"

#include <QFileInfo>
#include <QProcess>

namespace platform {

namespace {

class SystemProcessStarter final : public ProcessStarter {
public:
    bool isStartable(const QString& program) const override
    {
        const QFileInfo file(program);
        return file.isFile() && file.isExecutable();
    }

    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        QProcess process;
        process.setProgram(program);
        process.setArguments(arguments);
        process.setWorkingDirectory(QFileInfo(program).absolutePath());
        process.setStandardInputFile(QProcess::nullDevice());
        return process.startDetached();
    }
};

ProcessStarter*& installedStarter()
{
    static SystemProcessStarter system;
    static ProcessStarter* current = &system;
    return current;
}

}  // namespace

ProcessStarter& processStarter()
{
    return *installedStarter();
}

ScopedProcessStarter::ScopedProcessStarter(ProcessStarter& starter) : mPrevious(installedStarter())
{
    installedStarter() = &starter;
}

ScopedProcessStarter::~ScopedProcessStarter()
{
    installedStarter() = mPrevious;
}

}  // namespace platform
