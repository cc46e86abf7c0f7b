#pragma once

#include <QRect>
#include <QSize>

namespace pexor {

// Narrowest a help window is made to stand beside its owner; with less room
// on both sides it is centred on the owner instead.
inline constexpr int kMinBesideWidth = 480;

// Where a help window of the given size goes for an owner window (frame
// rectangle) on a screen's available area: beside the owner, right or left,
// top edges level, when there is room (narrowed down to kMinBesideWidth if
// need be); otherwise centred on the owner. Without an owner (empty rect) it
// is centred on the screen. The result always lies wholly on the screen,
// made smaller when the screen is smaller than the window.
QRect HelpWindowGeometry(const QRect &owner, QSize size, const QRect &screen);

} // namespace pexor
