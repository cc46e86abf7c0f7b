#pragma once

#include <QAccessible>
#include <QRect>
#include <QString>
#include <functional>
#include <vector>

namespace pexor {

class TChart;
class TChartSeries;

// What a screen reader learns of a chart: a graphic named by the chart's
// accessible name (else its title), described by its owner, whose children
// are the points of its active series, each named by its label and value.
// Part of TChart: the chart tells it of every change, and it tells screen
// readers once the event loop turns, so a rebuild of many points makes one
// round of notifications.
class TChartAccessibility : private QAccessible::ActivationObserver {
public:
    // A screen reader cannot walk more points one by one than this; the
    // description speaks for the whole series.
    static constexpr int kMaxPoints = 1000;

    explicit TChartAccessibility(TChart &chart);
    ~TChartAccessibility() override;
    TChartAccessibility(const TChartAccessibility &) = delete;
    TChartAccessibility &operator=(const TChartAccessibility &) = delete;

    QString Name() const;
    // OnGetDescription's text, else the widget's accessible description.
    QString Description() const;

    // Points, in series order then value order, at most kMaxPoints.
    int PointCount() const;
    // The series and value index of point i; false when there is none.
    bool PointAt(int point, const TChartSeries *&series, int &valueIndex) const;
    // OnGetPointText's text, else "label : value" (the value by the series'
    // value format).
    QString PointText(int point) const;
    // Where the point is drawn, in screen coordinates; empty when it lies
    // outside the plot (zoomed or scrolled away).
    QRect PointScreenRect(int point) const;

    // The registered interface of point i, made at first use.
    unsigned PointId(int point);
    // The point an interface stands for, or -1.
    int IndexOfPointId(unsigned id) const;

    // The chart's data, view or size changed.
    void Changed();
    // Tells screen readers what changed since the last time: the
    // description, point names, points gone and points added.
    void Notify();

    std::function<QString(TChart *)> OnGetDescription;
    std::function<QString(TChart *, const TChartSeries &, int)> OnGetPointText;

private:
    // A screen reader that starts listening must hear the next change, even
    // one a series would not ask again for while a paint is awaited.
    void accessibilityActiveChanged(bool active) override;
    void DropPointsFrom(int count, bool tell);

    TChart &chart_;
    bool pending_ = false;
    QString lastDescription_;
    std::vector<QString> lastPoints_;
    std::vector<unsigned> ids_;
};

// Gives charts their interface for screen readers; TChart calls it.
void InstallChartAccessibility();

} // namespace pexor
