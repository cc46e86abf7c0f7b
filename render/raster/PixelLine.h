#pragma once

#include <QLine>
#include <cstdlib>

namespace pexor {

// Calls plot(x, y) for each pixel of a one-pixel line, its start painted and
// its end not.
template <typename Plot> void LayOutLine(const QLine &line, Plot plot) {
    const int dx = std::abs(line.x2() - line.x1());
    const int dy = -std::abs(line.y2() - line.y1());
    const int sx = line.x2() > line.x1() ? 1 : -1;
    const int sy = line.y2() > line.y1() ? 1 : -1;
    int err = dx + dy;
    int x = line.x1();
    int y = line.y1();
    while (x != line.x2() || y != line.y2()) {
        plot(x, y);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

} // namespace pexor
