#pragma once

#include <QIcon>

namespace pexor {

// The toolbar's eleven pictures, in the order of the image list.
inline constexpr int kToolbarImageCount = 11;

// Picture index of the image list: the desktop theme's icon when it has one,
// else the program's own drawing, so no button is ever blank.
QIcon ToolbarIcon(int index);
// The program's own drawing for index.
QIcon ToolbarFallbackIcon(int index);
// The window icon, 32 by 32.
QIcon ProgramIcon();

} // namespace pexor
