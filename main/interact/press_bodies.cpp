// SPDX-License-Identifier: LicenseRef-Tavelcor
// The press operations that are not built yet. Each does nothing and lets
// the dispatcher's common ending run; the dispatcher already routes every
// press to the right one, so an operation is built by giving its function
// here a body (or moving it to a file of its own).
#include "main/interact/press_bodies.h"

namespace tavelcor {

PressEnd lineMovePress(Plot&, const Press&)
{
    return PressEnd::Common;  // not built yet
}

PressEnd lineAddPress(Plot&, const Press&)
{
    return PressEnd::Common;  // not built yet
}

PressEnd lineColourPress(Plot&, const Press&)
{
    return PressEnd::Common;  // not built yet
}

PressEnd pointAddPress(Plot&, const Press&)
{
    return PressEnd::Common;  // not built yet
}

PressEnd pointAttributePress(Plot&, const Press&)
{
    return PressEnd::Common;  // not built yet
}

PressEnd pointMovePress(Plot&, const Press&)
{
    return PressEnd::Common;  // not built yet
}

PressEnd textAddPress(Plot&, const Press&)
{
    return PressEnd::Common;  // not built yet
}

PressEnd textEditPress(Plot&, const Press&)
{
    return PressEnd::Common;  // not built yet
}

PressEnd textPickPress(Plot&, const Press&)
{
    return PressEnd::Common;  // not built yet
}

PressEnd textPlacePress(Plot&, const Press&)
{
    return PressEnd::Common;  // not built yet
}

PressEnd parcelInformationPress(Plot&, const Press&)
{
    return PressEnd::Common;  // not built yet
}

PressEnd runRclickMode(Plot&, const Press&, const CoordinatePick&)
{
    return PressEnd::Common;  // not built yet
}

void showRightClickMenu(Plot&, const Press&)
{
    // not built yet
}

}  // namespace tavelcor
