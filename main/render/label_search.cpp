// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "main/render/label_search.h"

namespace tavelcor::render {

LabelRing labelRingFor(double centrePX, double centrePY, double spanX, double spanY) noexcept
{
    LabelRing r;
    r.step = spanX / 30.0;
    r.top = centrePX + spanX / 2.0;
    r.bottom = centrePX - spanX / 2.0;
    r.left = centrePY - spanY / 2.0;
    r.right = centrePY + spanY / 2.0;
    return r;
}

}  // namespace tavelcor::render
