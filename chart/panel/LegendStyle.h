#pragma once

namespace pexor {

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

} // namespace pexor
