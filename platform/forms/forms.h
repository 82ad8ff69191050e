// SPDX-License-Identifier: LicenseRef-Tavelcor
// Everything a form's code uses: the form, its holder, the controls, control
// arrays, timers, menus and the fonts.
#pragma once

#include "platform/forms/buttons.h"
#include "platform/forms/control.h"
#include "platform/forms/control_array.h"
#include "platform/forms/fonts.h"
#include "platform/forms/form.h"
#include "platform/forms/form_holder.h"
#include "platform/forms/gauges.h"
#include "platform/forms/keys.h"
#include "platform/forms/labels.h"
#include "platform/forms/lists.h"
#include "platform/forms/menu.h"
#include "platform/forms/picturebox.h"
#include "platform/forms/scrollbar.h"
#include "platform/forms/textbox.h"
#include "platform/forms/timer.h"
#include "platform/forms/units.h"
