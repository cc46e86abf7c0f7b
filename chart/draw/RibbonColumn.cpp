#include "chart/draw/RibbonColumn.h"

namespace pexor {

void TRibbonColumn::Start(int x, TColor fill) {
    open_ = true;
    x_ = x;
    fill_ = fill;
    order_ = 0;
    above_.clear();
    below_.clear();
}

} // namespace pexor
