#pragma once

#include "chart/panel/AxisPanel.h"
#include "chart/series/ChartSeries.h"
#include "render/RecordingCanvas.h"

#include <initializer_list>
#include <vector>

namespace pexor::test {

// An axis panel drawing on a recording canvas, counting its paint requests.
class AxisTestPanel : public TCustomAxisPanel {
public:
    AxisTestPanel() {
        Canvas().SetSurface(&surface);
        SetDrawRect(TRect(0, 0, 400, 250));
    }
    ~AxisTestPanel() override { Canvas().SetSurface(nullptr); }

    // A series of the given Y values (X = 0, 1, 2 ...), optionally labelled.
    TChartSeries &AddValues(std::initializer_list<double> values,
                            const std::vector<QString> &labels = {}) {
        auto *series = &AddSeries(std::make_unique<TChartSeries>());
        int i = 0;
        for (double v : values) {
            series->Add(v, i < int(labels.size()) ? labels[std::size_t(i)] : QString());
            ++i;
        }
        return *series;
    }

    // Sets the plot rectangle and every axis' working range from its range.
    void Layout(const TRect &plot) {
        SetPlotRect(plot);
        for (TCustomChartAxis *axis : {static_cast<TCustomChartAxis *>(&LeftAxis()),
                                       static_cast<TCustomChartAxis *>(&RightAxis()),
                                       static_cast<TCustomChartAxis *>(&TopAxis()),
                                       static_cast<TCustomChartAxis *>(&BottomAxis())})
            axis->UpdateRange();
    }

    int paints = 0;
    RecordingCanvas surface;

protected:
    void RequestPaint() override { ++paints; }
};

// A font height in pixels the canvas measures exactly as wanted.
inline TFont FontOfHeight(TCustomChartPanel &panel, int pixels) {
    TFont font = DefaultChartFont();
    for (int h = 1; h < 80; ++h)
        for (int sign : {-1, 1}) {
            font.SetHeight(sign * h);
            panel.SetCanvasFont(font);
            if (panel.Canvas().FontHeight() == pixels)
                return font;
        }
    return font;
}

} // namespace pexor::test
