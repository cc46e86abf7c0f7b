#include "chart/style/ChartGradient.h"

namespace pexor {

void TChartGradient::Assign(const TChartGradient &source) {
    if (direction_ == source.direction_ && startColor_ == source.startColor_ &&
        endColor_ == source.endColor_ && visible_ == source.visible_)
        return;
    direction_ = source.direction_;
    startColor_ = source.startColor_;
    endColor_ = source.endColor_;
    visible_ = source.visible_;
    if (OnChange)
        OnChange(*this);
}

void TChartGradient::Draw(TChartCanvas3D &canvas, const TRect &rect) const {
    const bool forward = direction_ == TGradientDirection::gdTopBottom ||
                         direction_ == TGradientDirection::gdLeftRight;
    if (forward)
        canvas.GradientFill(rect, startColor_, endColor_, direction_);
    else
        canvas.GradientFill(rect, endColor_, startColor_, direction_);
}

} // namespace pexor
