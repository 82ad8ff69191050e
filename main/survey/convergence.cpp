// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/survey/convergence.h"

#include <optional>
#include <string_view>

#include "geodesy/plane_rectangular.h"
#include "platform/prompt/prompter.h"

namespace tavelcor::survey {

QString convergenceFailureText()
{
    const std::string_view text = geodesy::kConvergenceFailureMessage;
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

double Convergence(double x, double y, int zone)
{
    const std::optional<double> gamma = geodesy::Convergence(x, y, zone);
    if (gamma)
        return *gamma;
    platform::MsgBox(convergenceFailureText(), platform::MsgButtons::OkOnly);
    return 0;
}

}  // namespace tavelcor::survey
