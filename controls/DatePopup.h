#pragma once

// The month calendar, its drop-down window and the date dialog.
#include "controls/GlyphButton.h"
#include "controls/MonthCalendar.h"
#include "controls/PopupCalendar.h"
#include "controls/PopupWindow.h"
#include "controls/SelectDateDlg.h"
