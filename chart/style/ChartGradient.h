#pragma once

#include "platform/StoreIfChanged.h"
#include "chart/Canvas3D.h"

#include <functional>

namespace pexor {

// The colour gradient a chart may fill its panel with instead of its colour.
// A change fires OnChange (the chart repaints).
class TChartGradient {
public:
    TGradientDirection Direction() const { return direction_; }
    void SetDirection(TGradientDirection value) { Set(direction_, value); }
    TColor StartColor() const { return startColor_; }
    void SetStartColor(TColor value) { Set(startColor_, value); }
    TColor EndColor() const { return endColor_; }
    void SetEndColor(TColor value) { Set(endColor_, value); }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { Set(visible_, value); }

    // Copies the four settings, firing OnChange once when any differs.
    void Assign(const TChartGradient &source);

    // Fills rect: top-to-bottom and left-to-right run from StartColor to
    // EndColor, the other directions from EndColor to StartColor.
    void Draw(TChartCanvas3D &canvas, const TRect &rect) const;

    std::function<void(TChartGradient &)> OnChange;

private:
    template <typename T> void Set(T &field, const T &value) {
        if (StoreIfChanged(field, value) && OnChange)
            OnChange(*this);
    }

    TGradientDirection direction_ = TGradientDirection::gdTopBottom;
    TColor startColor_ = clWhite;
    TColor endColor_ = clYellow;
    bool visible_ = false;
};

} // namespace pexor
