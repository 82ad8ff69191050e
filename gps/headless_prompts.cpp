// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "gps/headless_prompts.h"

#include "platform/prompt/prompter.h"

#include <QtGlobal>

namespace orbela {

bool headlessPromptsRequested()
{
    return !qEnvironmentVariableIsEmpty("TAVELCOR_HEADLESS_PROMPTS");
}

void useHeadlessPrompts()
{
    // Without a default factory the prompter made on first use is the logging
    // one; once installed it stays, whatever factory the windows set later.
    platform::setDefaultPrompterFactory(nullptr);
    platform::setPrompter(nullptr);
    static_cast<void>(platform::prompter());
}

}  // namespace orbela
