#pragma once

#include "chart/panel/AxisPanel.h"
#include "chart/Series.h"
#include "render/RecordingCanvas.h"

#include <initializer_list>
#include <vector>

namespace pexor::test {

// A chart panel without walls or visible axes that draws its series straight
// onto a surface, laid out by the panel's own steps.
class SeriesDrawPanel : public TCustomAxisPanel {
public:
    explicit SeriesDrawPanel(bool view3D, pexor::Canvas *target = nullptr) {
        Canvas().SetBuffered(false);
        SetView3D(view3D);
        SetAxisVisible(false);
        surface_ = target ? target : static_cast<pexor::Canvas *>(&recording);
    }
    ~SeriesDrawPanel() override { Canvas().SetSurface(nullptr); }

    // A new series of that kind, owned by the chart.
    template <typename T> T &Add() { return AddSeries(std::make_unique<T>()); }

    // Fixed axis ranges; in 3D a 203-pixel wide plot gives a series depth of
    // 3 and, less that depth, the plot (10, 20, 210, 220).
    void Layout(double xMin, double xMax, double yMin, double yMax,
                const TRect &plot = TRect(10, 17, 213, 220)) {
        BottomAxis().SetMinMax(xMin, xMax);
        LeftAxis().SetMinMax(yMin, yMax);
        Canvas().Prepare(*surface_, &View3DOptions(), TRect(0, 0, 400, 300), View3D());
        SetDrawRect(TRect(0, 0, 400, 300));
        SetPlotRect(View3D() ? plot : TRect(10, 20, 210, 220));
        CalcSeriesZOrder();
        CalcAxisRoom();
        CalcSeriesDepths();
        Canvas().SetProjection(Depth3D(), DrawRect(), PlotRect());
    }

    // Draws every active series as the chart does, without clipping.
    void DrawSeries() {
        for (TChartSeries *series : SeriesList()) {
            if (!series->Active())
                continue;
            series->CalcVisibleRange();
            if (series->FirstVisibleIndex() >= 0)
                series->DrawAllValues();
        }
    }

    RecordingCanvas recording;
    int paints = 0;

protected:
    void RequestPaint() override { ++paints; }

private:
    pexor::Canvas *surface_;
};

inline TLineSeries &AddLine(SeriesDrawPanel &chart, std::initializer_list<double> values,
                            std::initializer_list<TColor> colors) {
    auto &series = chart.Add<TLineSeries>();
    auto color = colors.begin();
    for (double v : values) {
        series.Add(v, QString(), color != colors.end() ? *color : clAutoColor);
        if (color != colors.end())
            ++color;
    }
    return series;
}

inline QPolygon Poly(std::initializer_list<QPoint> points) {
    return QPolygon(QList<QPoint>(points));
}

} // namespace pexor::test
