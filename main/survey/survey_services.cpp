// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/survey/survey_services.h"

#include "platform/desktop/system_clipboard.h"

namespace tavelcor {

SurveyServices& surveyServices()
{
    static SurveyServices services;
    return services;
}

platform::Clipboard& surveyClipboard()
{
    static platform::SystemClipboard desktop;
    platform::Clipboard* chosen = surveyServices().clipboard;
    return chosen != nullptr ? *chosen : desktop;
}

}  // namespace tavelcor
