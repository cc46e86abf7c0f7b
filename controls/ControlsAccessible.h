#pragma once

namespace pexor {

class TCustomComboEdit;
class TMonthCalendar;

// Gives the controls their interfaces for screen readers: the 3D label and
// the glyph buttons named by their text, the line shape as a separator, the
// month grid as a table of days, the combo edit's text as shown (blanks
// included) with its button as its child, the drop-down as a window and the
// title strip as a title bar without its hidden buttons. Each control calls
// it when it is made.
void InstallControlsAccessibility();

// The field's drop-down opened or closed: its button is expanded or
// collapsed, and the keys go elsewhere. A drop-down never takes the keyboard
// focus from its field, so while it is open its current day speaks for the
// field; when it closes, the field has the keys back.
void NotifyDropDownToggled(TCustomComboEdit &field);

// The month grid was laid out again: with a new month every day changes its
// name; the selected cell may have moved.
void NotifyCalendarLayout(TMonthCalendar &grid, bool dayOnly);

} // namespace pexor
