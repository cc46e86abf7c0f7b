#pragma once

class QWidget;

namespace pexor {

// Scales the position and size of every child control (not the widget
// itself, not separate windows) by multiplier / divisor, rounded.
void ScaleChildControls(QWidget *widget, int multiplier, int divisor);

// The logical pixels per inch of the screen a widget is on (96 without one).
int ScreenPixelsPerInch(const QWidget *widget);

} // namespace pexor
