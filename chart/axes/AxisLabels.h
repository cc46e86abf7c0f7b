#pragma once

#include <array>
#include <vector>

namespace pexor {

// The label steps a date-time axis may take, in days (indices 0 to 24).
enum TDateTimeStep {
    dtOneSecond,
    dtFiveSeconds,
    dtTenSeconds,
    dtFifteenSeconds,
    dtThirtySeconds,
    dtOneMinute,
    dtFiveMinutes,
    dtTenMinutes,
    dtFifteenMinutes,
    dtThirtyMinutes,
    dtOneHour,
    dtTwoHours,
    dtSixHours,
    dtTwelveHours,
    dtOneDay,
    dtTwoDays,
    dtThreeDays,
    dtOneWeek,
    dtHalfMonth,
    dtOneMonth,
    dtTwoMonths,
    dtThreeMonths,
    dtFourMonths,
    dtSixMonths,
    dtOneYear,
};

inline constexpr int DateTimeStepCount = 25;
inline constexpr double OneSecond = 1.0 / 86400.0;
extern const std::array<double, DateTimeStepCount> DateTimeStep;

// The next step of the 1, 2, 5 series after step (0.1, 0.2, 0.5, 1, 2, 5, 10, ...).
double NextNiceStep(double step);

// How many labels fit along an axis of the given length when each label
// takes size pixels, the size first grown by the separation (per cent).
int MaxLabelCount(int axisLength, int labelSize, int labelsSeparation);

// The step between value labels: the smallest nice step (or increment) that
// gives at most maxLabels labels over the range.
double ValueLabelStep(double workRange, double increment, int maxLabels, int labelsSeparation);

// The step between date-time labels, in days, from the date step table.
double DateTimeLabelStep(double workRange, double increment, int maxLabels);

// The table index of the entry within one second of value, searched from the
// largest entry down; -1 when none.
int FindDateTimeStep(double value);

// The exact calendar step for an increment and a computed step: the increment's
// table entry, moved up while the step is larger; -1 when the increment is no
// table entry.
int ExactDateTimeStep(double increment, double step);

// The first label of an exact date stepping of one day or more: value rounded
// down to the step's calendar boundary (days before 1 January 1900 unchanged).
double FirstExactDate(double value, int stepIndex);

// The label before value: one step down, by calendar for half-month, month
// and year steps.
double PreviousLabelValue(double value, double step, int exactStepIndex);

// Trunc(value / step) x step, with a quotient a hair below a whole number
// (from binary rounding, 0.3 / 0.1) taken as that whole number.
double RoundedLabelValue(double value, double step);

struct TValueLabelOptions {
    double WorkMin = 0;
    double WorkMax = 0;
    double Step = 0;
    bool RoundFirstLabel = true;
    bool LabelsOnAxis = true;
    int ExactStepIndex = -1; // -1: no exact date stepping
};

// The values at which value labels are drawn, from the top of the range
// downwards; empty when the step is too small for the range.
std::vector<double> ValueLabelValues(const TValueLabelOptions &options);

// Decides whether a series label may be drawn without reaching the last
// drawn one.
class TLabelOverlap {
public:
    // Whether the label at position with the given half extent is drawn. With
    // check off, or before any label was drawn, it is; the remembered half
    // changes either way, the last position only when the label is drawn.
    bool Accept(int position, int half, bool check);
    int LastPosition() const { return lastPosition_; }

private:
    int lastPosition_ = -1;
    int lastHalf_ = 0;
    bool drawn_ = false;
};

// Where a label's reference point goes relative to its computed position.
struct TLabelPlacement {
    int Align = 0; // text alignment flags: left 0, right 2, centre 6, top 0, bottom 8
    int Dx = 0;
    int Dy = 0;
    int LineStep = 0; // distance from one line of a multi-line label to the next
};

TLabelPlacement PlaceLabel(bool horizontal, bool otherSide, int angle, int fontHeight);

// The offset of the first line of an n-line label (along y for angles 0 and
// 180, along x for 90 and 270) so that a single line stands where PlaceLabel
// puts it; line i is at that offset plus i x LineStep.
int FirstLineOffset(bool horizontal, bool otherSide, int angle, int lineCount, int lineStep);
// Whether successive lines of a label at that angle are spaced along x.
bool LinesAlongX(int angle);

} // namespace pexor
