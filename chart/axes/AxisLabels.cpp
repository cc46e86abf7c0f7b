#include "chart/axes/AxisLabels.h"

#include <QDate>
#include <algorithm>
#include <cmath>

namespace pexor {

namespace {

constexpr double OneMinute = 60 * OneSecond;
constexpr double OneHour = 60 * OneMinute;

// Day 0 of the day count is 30 December 1899.
constexpr qint64 DayZeroJulian = 2415019;

QDate DayToDate(double day) { return QDate::fromJulianDay(DayZeroJulian + qint64(std::floor(day))); }
double DateToDay(const QDate &date) { return double(date.toJulianDay() - DayZeroJulian); }

constexpr double FirstOf1900 = 2.0;

int MonthsOfStep(int stepIndex) {
    switch (stepIndex) {
    case dtOneMonth:
        return 1;
    case dtTwoMonths:
        return 2;
    case dtThreeMonths:
        return 3;
    case dtFourMonths:
        return 4;
    case dtSixMonths:
        return 6;
    default:
        return 0;
    }
}

long long RoundHalfEven(double v) { return std::llrint(v); }

} // namespace

const std::array<double, DateTimeStepCount> DateTimeStep = {
    OneSecond,       5 * OneSecond,  10 * OneSecond, 15 * OneSecond, 30 * OneSecond,
    OneMinute,       5 * OneMinute,  10 * OneMinute, 15 * OneMinute, 30 * OneMinute,
    OneHour,         2 * OneHour,    6 * OneHour,    12 * OneHour,   1.0,
    2.0,             3.0,            7.0,            15.0,           30.0,
    60.0,            90.0,           120.0,          182.0,          365.0,
};

double NextNiceStep(double step) {
    if (!(step > 0) || !std::isfinite(step))
        return 1;
    // step = mantissa x 10^exponent with the mantissa in [1, 10); a mantissa a
    // hair below 10 (binary rounding) counts as 1 of the next decade.
    int exponent = int(std::floor(std::log10(step)));
    auto power = [](int e) { return e >= 0 ? std::pow(10.0, e) : 1.0 / std::pow(10.0, -e); };
    double mantissa = step / power(exponent);
    if (mantissa >= 10 - 1e-9) {
        ++exponent;
        mantissa /= 10;
    } else if (mantissa < 1 - 1e-9) {
        --exponent;
        mantissa *= 10;
    }
    double next;
    if (mantissa < 2 - 1e-9)
        next = 2;
    else if (mantissa < 5 - 1e-9)
        next = 5;
    else
        next = 10;
    // Dividing by an exact power of ten keeps 0.05 as the nearest double to 0.05.
    return exponent >= 0 ? next * std::pow(10.0, exponent) : next / std::pow(10.0, -exponent);
}

int MaxLabelCount(int axisLength, int labelSize, int labelsSeparation) {
    double size = labelSize;
    if (labelsSeparation > 0)
        size += double(RoundHalfEven(labelsSeparation * 0.01 * size));
    if (size <= 0)
        return 1;
    return int(RoundHalfEven(double(axisLength) / size));
}

double ValueLabelStep(double workRange, double increment, int maxLabels, int labelsSeparation) {
    if (maxLabels < 1)
        return 1e-12;
    double s = increment > 0 ? increment : (std::fabs(workRange) >= 1 ? 1.0 : 1e-12);
    if (labelsSeparation > 0) {
        for (;;) {
            double q = workRange / s;
            if (std::fabs(q) >= 2147483647.0 || RoundHalfEven(q) > maxLabels)
                s = NextNiceStep(s);
            else
                break;
        }
    }
    return std::max(s, 1e-12);
}

double DateTimeLabelStep(double workRange, double increment, int maxLabels) {
    if (maxLabels < 1)
        return OneSecond;
    double s = std::max(OneSecond, increment);
    if (workRange / s > 1000000.0)
        s = workRange / 1000000.0;
    while (RoundHalfEven(workRange / s) > maxLabels) {
        if (s >= DateTimeStep[dtOneYear]) {
            s *= 2;
        } else {
            int below = -1;
            for (int i = 0; i < DateTimeStepCount && DateTimeStep[i] <= s; ++i)
                below = i;
            s = DateTimeStep[below + 1];
        }
    }
    return std::max(s, OneSecond);
}

int FindDateTimeStep(double value) {
    for (int i = DateTimeStepCount - 1; i >= 0; --i)
        if (std::fabs(DateTimeStep[i] - value) < OneSecond)
            return i;
    return -1;
}

int ExactDateTimeStep(double increment, double step) {
    int index = FindDateTimeStep(increment);
    if (index < 0)
        return -1;
    while (index < dtOneYear && step > DateTimeStep[index])
        ++index;
    return index;
}

double FirstExactDate(double value, int stepIndex) {
    if (stepIndex < dtOneDay || value < FirstOf1900)
        return value;
    const QDate date = DayToDate(value);
    if (stepIndex == dtHalfMonth)
        return DateToDay(QDate(date.year(), date.month(), date.day() >= 15 ? 15 : 1));
    if (MonthsOfStep(stepIndex) > 0)
        return DateToDay(QDate(date.year(), date.month(), 1));
    if (stepIndex == dtOneYear)
        return DateToDay(QDate(date.year(), 1, 1));
    return std::floor(value);
}

double PreviousLabelValue(double value, double step, int exactStepIndex) {
    if (exactStepIndex == dtHalfMonth) {
        const QDate date = DayToDate(value);
        if (date.day() > 15)
            return DateToDay(QDate(date.year(), date.month(), 15));
        if (date.day() > 1)
            return DateToDay(QDate(date.year(), date.month(), 1));
        const QDate before = date.addMonths(-1);
        return DateToDay(QDate(before.year(), before.month(), 15));
    }
    if (int months = MonthsOfStep(exactStepIndex); months > 0) {
        const QDate before = DayToDate(value).addMonths(-months);
        return DateToDay(QDate(before.year(), before.month(), 1));
    }
    if (exactStepIndex == dtOneYear)
        return DateToDay(DayToDate(value).addYears(-1));
    return value - step;
}

double RoundedLabelValue(double value, double step) {
    const double q = value / step;
    const double nearest = std::nearbyint(q);
    if (std::fabs(q - nearest) <= 1e-9 * std::max(1.0, std::fabs(q)))
        return nearest * step;
    return std::trunc(q) * step;
}

std::vector<double> ValueLabelValues(const TValueLabelOptions &o) {
    std::vector<double> values;
    const double step = o.Step;
    if (!(step > 0))
        return values;
    const double range = o.WorkMax - o.WorkMin;
    if (std::fabs(o.WorkMax / step) >= 2147483647.0 || std::fabs(range / step) >= 10000.0)
        return values;

    const bool calendar = o.ExactStepIndex >= dtOneDay;
    double first;
    if (calendar)
        first = FirstExactDate(o.WorkMax, o.ExactStepIndex);
    else if (o.WorkMin == o.WorkMax || !o.RoundFirstLabel)
        first = o.WorkMax;
    else
        first = RoundedLabelValue(o.WorkMax, step);

    // Labels a rounding error away from an end count as on it and take its
    // exact value, so that 0.3 stays the top label of 0 .. 0.3 by 0.1.
    const double tolerance = step * 1e-9;
    auto snap = [&](double v) {
        if (std::fabs(v - o.WorkMax) <= tolerance)
            return o.WorkMax;
        if (std::fabs(v - o.WorkMin) <= tolerance)
            return o.WorkMin;
        return v;
    };
    // Plain steps are taken as first - i x step so rounding errors do not pile up.
    int index = 0;
    double current = first;
    auto next = [&]() {
        ++index;
        current = calendar ? PreviousLabelValue(current, step, o.ExactStepIndex)
                           : first - index * step;
        return snap(current);
    };
    double v = snap(first);
    constexpr int Limit = 10001;
    if (o.LabelsOnAxis) {
        while (v > o.WorkMax && index < Limit)
            v = next();
        while (v >= o.WorkMin && index < Limit) {
            values.push_back(v);
            v = next();
        }
    } else {
        while (v >= o.WorkMax && index < Limit)
            v = next();
        while (v > o.WorkMin && index < Limit) {
            values.push_back(v);
            v = next();
        }
    }
    return values;
}

bool TLabelOverlap::Accept(int position, int half, bool check) {
    bool draw = true;
    if (check && drawn_) {
        if (position >= lastPosition_)
            draw = lastPosition_ + lastHalf_ <= position - half;
        else
            draw = lastPosition_ - lastHalf_ >= position + half;
    }
    lastHalf_ = half;
    if (draw) {
        lastPosition_ = position;
        drawn_ = true;
    }
    return draw;
}

namespace {

constexpr int AlignLeft = 0;
constexpr int AlignRight = 2;
constexpr int AlignCenter = 6;
constexpr int AlignBottom = 8;

int SideAlign(bool horizontal, bool otherSide) {
    if (horizontal)
        return otherSide ? AlignCenter + AlignBottom : AlignCenter;
    return otherSide ? AlignLeft : AlignRight;
}

} // namespace

TLabelPlacement PlaceLabel(bool horizontal, bool otherSide, int angle, int fontHeight) {
    TLabelPlacement p;
    const int half = fontHeight / 2;
    switch (angle) {
    case 0:
        p.Align = SideAlign(horizontal, otherSide);
        if (!horizontal)
            p.Dy = -half;
        p.LineStep = fontHeight;
        break;
    case 90:
        if (horizontal) {
            p.Align = SideAlign(false, otherSide);
            p.Dx = -half;
        } else {
            p.Align = SideAlign(true, !otherSide);
        }
        p.LineStep = fontHeight;
        break;
    case 180:
        p.Align = SideAlign(horizontal, !otherSide);
        if (!horizontal)
            p.Dy = half;
        p.LineStep = -fontHeight;
        break;
    case 270:
        if (horizontal) {
            p.Align = SideAlign(false, !otherSide);
            p.Dx = half;
        } else {
            p.Align = SideAlign(true, otherSide);
        }
        p.LineStep = -fontHeight;
        break;
    default:
        p.Align = AlignLeft;
        p.LineStep = fontHeight;
        break;
    }
    return p;
}

bool LinesAlongX(int angle) { return angle == 90 || angle == 270; }

int FirstLineOffset(bool horizontal, bool otherSide, int angle, int lineCount, int lineStep) {
    if (lineCount <= 1)
        return 0;
    const int span = (lineCount - 1) * lineStep;
    if (horizontal && angle == 0)
        return otherSide ? -span : 0;
    if (angle == 90 || angle == 270 || (!horizontal && (angle == 0 || angle == 180)))
        return -span / 2;
    return 0;
}

} // namespace pexor
