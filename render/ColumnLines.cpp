#include "render/ColumnLines.h"

namespace pexor {

TLineBatch::TLineBatch(Canvas &canvas) : canvas_(canvas) {
    lines_.reserve(kBatch);
}

void TLineBatch::Send() {
    if (lines_.empty())
        return;
    canvas_.Lines(lines_);
    lines_.clear();
}

} // namespace pexor
