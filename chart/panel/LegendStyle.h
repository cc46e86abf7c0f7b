#pragma once

#include "render/Rect.h"

#include <QString>
#include <functional>

namespace pexor {

class TCustomAxisPanel;

// What the legend lists: the series, the points of the first active series,
// or each series with its last value. lsAuto picks series or values by the
// number of active series.
enum class TLegendStyle { lsAuto, lsSeries, lsValues, lsLastValues };

// How a point's text is made from its label, value and share of the total.
enum class TLegendTextStyle {
    ltsPlain,
    ltsLeftValue,
    ltsRightValue,
    ltsLeftPercent,
    ltsRightPercent,
    ltsXValue
};

enum class TLegendAlignment { laLeft, laRight, laTop, laBottom };

// The chart's events about its legend, sender (the chart) first. The chart
// that has a legend inherits them; the legend finds them through its chart.
struct TLegendEvents {
    virtual ~TLegendEvents() = default;

    // Resolved style, item index, text (may be replaced).
    std::function<void(TCustomAxisPanel &, TLegendStyle, int, QString &)> OnGetLegendText;
    // Item index, text position X and Y (may be moved), symbol column x
    // (informative only: the symbol follows X).
    std::function<void(TCustomAxisPanel &, int, int &, int &, int &)> OnGetLegendPos;
    // The legend's rectangle before it is drawn (may be changed).
    std::function<void(TCustomAxisPanel &, TRect &)> OnGetLegendRect;
};

} // namespace pexor
