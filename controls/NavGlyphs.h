#pragma once

#include <QImage>
#include <QStringList>
#include <array>

class QWidget;

namespace pexor {

class TMonthCalendar;
class TRepeatButton;

// The 8 x 6 arrows of the calendar's navigation buttons, black on a white
// that is transparent.
enum class TNavGlyph { Prev2, Prev1, Next1, Next2 };

QImage NavGlyph(TNavGlyph kind);

// A calendar's four navigation buttons: previous year, previous month, next
// month, next year, in that order.
using TNavButtons = std::array<TRepeatButton *, 4>;

// Makes the four repeating buttons on parent, each size x size at its left
// edge and top, with their arrows, stored hints and French names, stepping
// calendar when clicked.
TNavButtons CreateNavButtons(QWidget *parent, const std::array<int, 4> &lefts, int top, int size,
                             TMonthCalendar &calendar);

// Each non-empty hint replaces the hint of the button of the same position.
void ApplyNavHints(const TNavButtons &buttons, const QStringList &hints);

} // namespace pexor
