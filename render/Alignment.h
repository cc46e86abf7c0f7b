#pragma once

namespace pexor {

// Horizontal placement of a text in its box: the 3D label's and the chart
// titles'.
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

} // namespace pexor
