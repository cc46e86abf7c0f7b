#pragma once

#include <utility>

namespace pexor {

// A mouse drag of the chart (zoom or panning): where it started, where the
// mouse was last, and whether it is under way.
struct TZoomPanningRecord {
    bool Active = false;
    int X0 = 0;
    int Y0 = 0;
    int X1 = 0;
    int Y1 = 0;

    void Activate(int x, int y) {
        X0 = X1 = x;
        Y0 = Y1 = y;
        Active = true;
    }
    // Puts the start at the top left of the dragged rectangle.
    void Normalise() {
        if (X1 < X0)
            std::swap(X0, X1);
        if (Y1 < Y0)
            std::swap(Y0, Y1);
    }
};

} // namespace pexor
