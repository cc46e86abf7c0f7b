#include "app/CurveDescription.h"

#include "chart/Chart.h"
#include "chart/ChartAccessible.h"
#include "chart/ChartWidget.h"
#include "platform/DateUtil.h"
#include "platform/FormatFloat.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace pexor {

namespace {

struct Reading {
    std::optional<TDateTime> Date;
    double Tp = 0;
};

QString Number(double value) {
    return FormatFloat(QStringLiteral("#,##0.#"), value);
}

// A point's label is the reading's date text; one the date utilities cannot
// read (an odd file) just leaves the dates out.
std::optional<TDateTime> LabelDate(const QString &label) {
    TDateTime date = EmptyDate;
    if (label.isEmpty() || !TryParseDate(Locale().ShortDateFormat, label, date) ||
        date == EmptyDate)
        return std::nullopt;
    return date;
}

// "7 valeurs du 01/09/2026 au 01/12/2026, de 25 à 80 %".
QString Summary(const std::vector<Reading> &readings) {
    if (readings.empty())
        return QStringLiteral("aucune valeur");
    const int count = int(readings.size());
    QString text =
        count == 1 ? QStringLiteral("1 valeur") : QStringLiteral("%1 valeurs").arg(count);

    std::optional<TDateTime> first;
    std::optional<TDateTime> last;
    double low = readings.front().Tp;
    double high = low;
    for (const Reading &reading : readings) {
        low = std::min(low, reading.Tp);
        high = std::max(high, reading.Tp);
        if (!reading.Date)
            continue;
        first = first ? std::min(*first, *reading.Date) : *reading.Date;
        last = last ? std::max(*last, *reading.Date) : *reading.Date;
    }
    if (first && *first == *last)
        text += QStringLiteral(" le ") + DateText(*first);
    else if (first)
        text += QStringLiteral(" du %1 au %2").arg(DateText(*first), DateText(*last));
    if (low == high)
        text += QStringLiteral(", %1 %").arg(Number(low));
    else
        text += QStringLiteral(", de %1 à %2 %").arg(Number(low), Number(high));
    return text;
}

bool Within(double value, double a, double b) {
    return value >= std::min(a, b) && value <= std::max(a, b);
}

} // namespace

QString CurveDescription(const TCustomChart &chart, const TChartSeries &series) {
    std::vector<Reading> all;
    std::vector<Reading> shown;
    const TChartAxis &across = chart.BottomAxis();
    const TChartAxis &up = chart.LeftAxis();
    for (int i = 0; i < series.Count(); ++i) {
        const Reading reading{LabelDate(series.PointLabel(i)), series.YValue(i)};
        all.push_back(reading);
        if (Within(series.XValue(i), across.Minimum(), across.Maximum()) &&
            Within(reading.Tp, up.Minimum(), up.Maximum()))
            shown.push_back(reading);
    }
    QString text = QStringLiteral("Courbe de TP : ") + Summary(all);
    // Zoom and scroll fix the axes' ranges; until undone the chart shows a
    // part only.
    if (!across.Automatic() || !up.Automatic()) {
        text += QStringLiteral(". Partie affichée : ") + Summary(shown) +
                QStringLiteral(", échelle de %1 à %2 %")
                    .arg(Number(std::min(up.Minimum(), up.Maximum())),
                         Number(std::max(up.Minimum(), up.Maximum())));
    }
    return text;
}

QString CurvePointText(const TChartSeries &series, int index) {
    const QString tp = QStringLiteral("TP %1 %").arg(Number(series.YValue(index)));
    const QString label = series.PointLabel(index);
    return label.isEmpty() ? tp : label + QStringLiteral(" : ") + tp;
}

void DescribeCurveChart(TChart &chart, const TChartSeries &series) {
    chart.setAccessibleName(QStringLiteral("Courbe de TP"));
    chart.Accessibility().OnGetDescription = [&series](TChart *sender) {
        return CurveDescription(*sender, series);
    };
    chart.Accessibility().OnGetPointText = [](TChart *, const TChartSeries &s, int index) {
        return CurvePointText(s, index);
    };
}

} // namespace pexor
