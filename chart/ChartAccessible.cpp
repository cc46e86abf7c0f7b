#include "chart/ChartAccessible.h"

#include "chart/ChartWidget.h"
#include "platform/AccessiblePart.h"
#include "render/RenderCache.h"

#include <QAccessibleWidget>
#include <QTimer>
#include <algorithm>

namespace pexor {

namespace {

// Half the side of the square a point stands in on the screen.
constexpr int kPointRadius = 2;

// One point of the chart: a leaf that answers from the chart each time, so
// it never holds a stale text.
class ChartPointInterface : public AccessiblePart {
public:
    ChartPointInterface(TChart *chart, int point) : AccessiblePart(chart), point_(point) {}

    QString text(QAccessible::Text t) const override {
        TChartAccessibility *part = Part();
        if (!part || t != QAccessible::Name)
            return {};
        return part->PointText(point_);
    }
    QRect rect() const override {
        TChartAccessibility *part = Part();
        return part ? part->PointScreenRect(point_) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        TChartAccessibility *part = Part();
        if (!part || point_ >= part->PointCount() || !Owner()->isVisible()) {
            state.invisible = true;
            return state;
        }
        state.offscreen = part->PointScreenRect(point_).isEmpty();
        return state;
    }

private:
    TChartAccessibility *Part() const {
        return Owner() ? &static_cast<TChart *>(Owner())->Accessibility() : nullptr;
    }

    int point_;
};

// The chart itself: a graphic whose children are its points.
class ChartInterface : public QAccessibleWidget {
public:
    explicit ChartInterface(TChart *chart) : QAccessibleWidget(chart, QAccessible::Chart) {}

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name:
            return Part().Name();
        case QAccessible::Description:
            return Part().Description();
        default:
            return QAccessibleWidget::text(t);
        }
    }
    int childCount() const override { return Part().PointCount(); }
    QAccessibleInterface *child(int index) const override {
        if (index < 0 || index >= Part().PointCount())
            return nullptr;
        return QAccessible::accessibleInterface(Part().PointId(index));
    }
    int indexOfChild(const QAccessibleInterface *child) const override {
        if (!child)
            return -1;
        const int point =
            Part().IndexOfPointId(QAccessible::uniqueId(const_cast<QAccessibleInterface *>(child)));
        return point < Part().PointCount() ? point : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override {
        for (int i = 0; i < Part().PointCount(); ++i)
            if (Part().PointScreenRect(i).contains(x, y))
                return child(i);
        return nullptr;
    }
    QAccessibleInterface *focusChild() const override { return nullptr; }

private:
    TChartAccessibility &Part() const { return static_cast<TChart *>(widget())->Accessibility(); }
};

QAccessibleInterface *ChartFactory(const QString &, QObject *object) {
    if (auto *chart = dynamic_cast<TChart *>(object))
        return new ChartInterface(chart);
    return nullptr;
}

} // namespace

TChartAccessibility::TChartAccessibility(TChart &chart) : chart_(chart) {
    QAccessible::installActivationObserver(this);
}

TChartAccessibility::~TChartAccessibility() {
    QAccessible::removeActivationObserver(this);
    DropPointsFrom(0, false);
}

void TChartAccessibility::accessibilityActiveChanged(bool active) {
    if (active)
        chart_.RequestAnswered();
}

QString TChartAccessibility::Name() const {
    if (!chart_.accessibleName().isEmpty())
        return chart_.accessibleName();
    return chart_.Title().Text().join(u' ');
}

QString TChartAccessibility::Description() const {
    if (OnGetDescription)
        return OnGetDescription(&chart_);
    return chart_.accessibleDescription();
}

int TChartAccessibility::PointCount() const {
    int count = 0;
    for (const TChartSeries *series : chart_.SeriesList())
        if (series->Active())
            count += series->Count();
    return std::min(count, kMaxPoints);
}

bool TChartAccessibility::PointAt(int point, const TChartSeries *&series, int &valueIndex) const {
    if (point < 0 || point >= kMaxPoints)
        return false;
    int first = 0;
    for (const TChartSeries *s : chart_.SeriesList()) {
        if (!s->Active())
            continue;
        if (point < first + s->Count()) {
            series = s;
            valueIndex = point - first;
            return true;
        }
        first += s->Count();
    }
    return false;
}

QString TChartAccessibility::PointText(int point) const {
    const TChartSeries *series = nullptr;
    int index = 0;
    if (!PointAt(point, series, index))
        return {};
    if (OnGetPointText)
        return OnGetPointText(&chart_, *series, index);
    const QString value =
        ThreadRenderCache().FormatFloat(series->ValueFormat(), series->MainValues().Value(index));
    const QString label = series->PointLabel(index);
    return label.isEmpty() ? value : label + QStringLiteral(" : ") + value;
}

QRect TChartAccessibility::PointScreenRect(int point) const {
    const TChartSeries *series = nullptr;
    int index = 0;
    if (!PointAt(point, series, index) || !series->GetHorizAxis() || !series->GetVertAxis())
        return {};
    const int x = series->XPixel(index);
    const int y = series->YPixel(index);
    // A point on the plot's edge (the lowest or the last, say) is in view.
    const TRect &plot = chart_.PlotRect();
    if (x < plot.Left || x > plot.Right || y < plot.Top || y > plot.Bottom || !chart_.isVisible())
        return {};
    const QPoint centre = chart_.contentsRect().topLeft() + QPoint(x, y);
    const QRect square(centre - QPoint(kPointRadius, kPointRadius),
                       QSize(2 * kPointRadius + 1, 2 * kPointRadius + 1));
    return QRect(chart_.mapToGlobal(square.topLeft()), square.size());
}

unsigned TChartAccessibility::PointId(int point) {
    if (point < 0 || point >= kMaxPoints)
        return 0;
    if (ids_.size() <= std::size_t(point))
        ids_.resize(std::size_t(point) + 1, 0);
    unsigned &id = ids_[std::size_t(point)];
    if (id == 0)
        id = QAccessible::registerAccessibleInterface(new ChartPointInterface(&chart_, point));
    return id;
}

int TChartAccessibility::IndexOfPointId(unsigned id) const {
    if (id == 0)
        return -1;
    const auto found = std::find(ids_.begin(), ids_.end(), id);
    return found == ids_.end() ? -1 : int(found - ids_.begin());
}

void TChartAccessibility::Changed() {
    if (pending_ || (!QAccessible::isActive() && ids_.empty()))
        return;
    pending_ = true;
    QTimer::singleShot(0, &chart_, [this] { Notify(); });
}

void TChartAccessibility::DropPointsFrom(int count, bool tell) {
    for (std::size_t i = ids_.size(); i > std::size_t(count); --i) {
        const unsigned id = ids_[i - 1];
        if (id == 0)
            continue;
        if (tell)
            NotifyAccessible(QAccessible::accessibleInterface(id), QAccessible::ObjectDestroyed);
        QAccessible::deleteAccessibleInterface(id);
    }
    if (ids_.size() > std::size_t(count))
        ids_.resize(std::size_t(count));
}

void TChartAccessibility::Notify() {
    pending_ = false;
    // Points added from here on must bring news again.
    chart_.RequestAnswered();
    const int count = PointCount();
    if (!QAccessible::isActive()) {
        // Nobody listens: forget what was said, so that the next listener
        // hears everything afresh.
        DropPointsFrom(count, false);
        lastDescription_.clear();
        lastPoints_.clear();
        return;
    }

    const QString description = Description();
    if (description != lastDescription_) {
        lastDescription_ = description;
        QAccessibleEvent event(&chart_, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    }

    std::vector<QString> points;
    points.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        points.push_back(PointText(i));
    const int kept = std::min(count, int(lastPoints_.size()));
    for (int i = 0; i < kept; ++i)
        if (points[std::size_t(i)] != lastPoints_[std::size_t(i)])
            NotifyAccessible(QAccessible::accessibleInterface(PointId(i)),
                             QAccessible::NameChanged);
    DropPointsFrom(count, true);
    for (int i = kept; i < count; ++i)
        NotifyAccessible(QAccessible::accessibleInterface(PointId(i)), QAccessible::ObjectCreated);
    lastPoints_ = std::move(points);
}

void InstallChartAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(ChartFactory);
        return true;
    }();
    (void)installed;
}

} // namespace pexor
