#pragma once

#include "platform/Exceptions.h"

namespace pexor {

// Errors of the chart engine: series and data sources.
class ChartException : public Exception {
public:
    using Exception::Exception;
};

// Errors of an axis' settings (range, angles, logarithmic scale).
class AxisException : public Exception {
public:
    using Exception::Exception;
};

// Errors of the legend's settings.
class LegendException : public Exception {
public:
    using Exception::Exception;
};

} // namespace pexor
