#pragma once

#include "render/Canvas.h"

#include <functional>

namespace pexor {

// A platform pen the chart can hide. Changes through these setters fire
// OnChange (the chart repaints); the callback is not copied with the pen.
class TChartPen : public TPen {
public:
    TChartPen() = default;
    TChartPen(const TChartPen &other) : TPen(other), visible_(other.visible_) {}
    TChartPen &operator=(const TChartPen &other);

    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    void SetColor(TColor value);
    void SetWidth(int value);
    void SetStyle(TPenStyle value);

    // Copies colour, width, style and Visible, firing OnChange once when
    // anything differs.
    void Assign(const TChartPen &source);

    bool operator==(const TChartPen &other) const {
        return TPen::operator==(other) && visible_ == other.visible_;
    }

    std::function<void(TChartPen &)> OnChange;

protected:
    void Changed();

private:
    bool visible_ = true;
};

// Hidden unless the program shows it.
class TChartHiddenPen : public TChartPen {
public:
    TChartHiddenPen();
};

// Axis grids.
class TDottedGrayPen : public TChartPen {
public:
    TDottedGrayPen();
};

// Axis ticks and minor ticks.
class TDarkGrayPen : public TChartPen {
public:
    TDarkGrayPen();
};

// Axis lines.
class TChartAxisPen : public TChartPen {
public:
    TChartAxisPen();
};

// Marks arrows.
class TChartArrowPen : public TChartPen {
public:
    TChartArrowPen();
};

} // namespace pexor
