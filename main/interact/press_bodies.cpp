// SPDX-License-Identifier: LicenseRef-Tavelcor
// The press operations the dispatcher routes to. Each hands the press to
// the file that holds its work: the point, line and text panels' clicks in
// point_clicks.*, line_clicks.* and text_clicks.*, the right button's
// calculations and menu in rclick_press.* and rclick_menu.*.
#include "main/interact/press_bodies.h"

#include "main/interact/line_clicks.h"
#include "main/interact/point_clicks.h"
#include "main/interact/rclick_menu.h"
#include "main/interact/rclick_press.h"
#include "main/interact/text_clicks.h"

namespace tavelcor {

PressEnd lineMovePress(Plot& window, const Press& press)
{
    moveLineEnd(window, press);
    return PressEnd::Common;
}

PressEnd lineAddPress(Plot& window, const Press& press)
{
    addLineVertex(window, press);
    return PressEnd::Common;
}

PressEnd lineColourPress(Plot& window, const Press& press)
{
    return recolourPickedLine(window, press) ? PressEnd::Common : PressEnd::Skip;
}

PressEnd pointAddPress(Plot& window, const Press& press)
{
    addPointAtPress(window, press);
    return PressEnd::Common;
}

PressEnd pointAttributePress(Plot& window, const Press& press)
{
    pickPointAttributes(window, press);
    return PressEnd::Common;
}

PressEnd pointMovePress(Plot& window, const Press& press)
{
    movePointPress(window, press);
    return PressEnd::Common;
}

PressEnd textAddPress(Plot& window, const Press& press)
{
    addText(window, press);
    return PressEnd::Common;
}

PressEnd textEditPress(Plot& window, const Press& press)
{
    pickTextToEdit(window, press);
    return PressEnd::Common;
}

PressEnd textPickPress(Plot& window, const Press& press)
{
    pickTextToMove(window, press);
    return PressEnd::Common;
}

PressEnd textPlacePress(Plot& window, const Press& press)
{
    placePickedText(window, press);
    return PressEnd::Common;
}

PressEnd parcelInformationPress(Plot& window, const Press& press)
{
    return showParcelInformation(window, press);
}

PressEnd runRclickMode(Plot& window, const Press& press, const CoordinatePick& pick)
{
    return runRightClickCalculation(window, press, pick);
}

void showRightClickMenu(Plot& window, const Press& press)
{
    popUpRightClickMenu(window, press);
}

}  // namespace tavelcor
