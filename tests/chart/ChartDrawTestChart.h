#pragma once

#include "chart/Chart.h"
#include "render/RecordingCanvas.h"

#include <QString>
#include <initializer_list>
#include <vector>

namespace pexor::test {

// A series that draws each point as a one-pixel line at its place and keeps
// a log of the drawing calls the chart makes on it.
class LoggingSeries : public TChartSeries {
public:
    explicit LoggingSeries(std::vector<QString> *log = nullptr, QString tag = QString())
        : log_(log), tag_(std::move(tag)) {
        BeforeDrawValues = [this](TChartSeries &) { Note(QStringLiteral("before")); };
        AfterDrawValues = [this](TChartSeries &) { Note(QStringLiteral("after")); };
    }

    void DrawingBegins() override { Note(QStringLiteral("begins")); }
    void DrawValue(int valueIndex) override {
        Note(QStringLiteral("value %1").arg(valueIndex));
        drawn.push_back(valueIndex);
        if (canvas) {
            const int x = XPixel(valueIndex);
            const int y = YPixel(valueIndex);
            canvas->MoveTo3D(x, y, StartZ());
            canvas->LineTo3D(x + 1, y, StartZ());
        }
    }
    bool DrawValuesForward() const override { return forward; }
    bool DrawSeriesForward(int valueIndex) const override {
        return seriesForwardAt < 0 || valueIndex != seriesForwardAt;
    }

    std::vector<int> drawn;
    TChartCanvas3D *canvas = nullptr;
    bool forward = true;
    // The point index for which the group is drawn in reverse list order.
    int seriesForwardAt = -1;

private:
    void Note(const QString &what) {
        if (log_)
            log_->push_back(tag_.isEmpty() ? what : tag_ + QLatin1Char(' ') + what);
    }

    std::vector<QString> *log_;
    QString tag_;
};

// A chart that draws straight on a recording canvas and counts its paint
// requests.
class RecordingChartPanel : public TCustomChart {
public:
    RecordingChartPanel() {
        Canvas().SetBuffered(false);
        Canvas().SetSurface(&surface);
    }
    ~RecordingChartPanel() override { Canvas().SetSurface(nullptr); }

    void DrawAt(const TRect &rect) {
        surface.Clear();
        Draw(surface, rect);
        // Measuring text after a drawing goes on the recording canvas too.
        Canvas().SetSurface(&surface);
    }

    LoggingSeries &AddLogging(std::initializer_list<double> values,
                              std::vector<QString> *log = nullptr, const QString &tag = {}) {
        auto series = std::make_unique<LoggingSeries>(log, tag);
        series->canvas = &Canvas();
        for (double v : values)
            series->Add(v);
        return AddSeries(std::move(series));
    }

    int paints = 0;
    RecordingCanvas surface;

protected:
    void RequestPaint() override { ++paints; }
};

} // namespace pexor::test
