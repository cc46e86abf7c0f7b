#pragma once

#include "chart/ChartEngine.h"

#include <algorithm>
#include <vector>

namespace pexor::test {

// A linear axis: pixel = origin + scale * value, mirrored within its span
// when inverted.
class LinearAxis : public ISeriesAxis {
public:
    LinearAxis(bool horizontal, int start, int end, double origin, double scale)
        : horizontal_(horizontal), start_(start), end_(end), origin_(origin), scale_(scale) {}

    bool Horizontal() const override { return horizontal_; }
    bool Inverted() const override { return inverted; }
    int StartPixel() const override { return start_; }
    int EndPixel() const override { return end_; }
    int ValueToPixel(double value) const override {
        const int pixel = int(origin_ + scale_ * value);
        return inverted ? start_ + end_ - pixel : pixel;
    }
    double PixelToValue(int pixel) const override {
        return ((inverted ? start_ + end_ - pixel : pixel) - origin_) / scale_;
    }
    QString ValueText(double value) const override {
        return QStringLiteral("axe %1").arg(value);
    }
    void ChartRange(double &minimum, double &maximum) const override {
        minimum = rangeMin;
        maximum = rangeMax;
    }

    bool inverted = false;
    double rangeMin = 0;
    double rangeMax = 0;

private:
    bool horizontal_;
    int start_;
    int end_;
    double origin_;
    double scale_;
};

// A chart that records what its series ask of it.
class RecordingChart : public ISeriesChart {
public:
    void Invalidate() override { ++repaints; }
    void SeriesJoined(TChartSeries &series) override { series_.push_back(&series); }
    void SeriesLeft(TChartSeries &series) override {
        series_.erase(std::remove(series_.begin(), series_.end(), &series), series_.end());
    }
    bool IsFreeSeriesColor(TColor color, bool checkChartColors) const override {
        for (const TChartSeries *s : series_)
            if (s->SeriesColor() == color)
                return false;
        return !checkChartColors || (color != chartColor && color != backColor);
    }
    ISeriesAxis *SeriesAxis(THorizAxis axis) const override {
        return axis == THorizAxis::aBottomAxis ? bottom : top;
    }
    ISeriesAxis *SeriesAxis(TVertAxis axis) const override {
        return axis == TVertAxis::aLeftAxis ? left : right;
    }
    bool HasActivePoints() const override {
        for (const TChartSeries *s : series_)
            if (s->Active() && s->Count() > 0)
                return true;
        return false;
    }
    QString GetLegendValueText(const TChartSeries &, int valueIndex) const override {
        return QStringLiteral("légende %1").arg(valueIndex);
    }
    bool IsValidDataSource(const TChartSeries &series, const TChartSeries &source) const override {
        return &series != &source && source.Name() != QStringLiteral("Refusee");
    }
    void CheckDataSource(TChartSeries &series) override {
        ++dataSourceChecks;
        series.CheckDataSource();
    }
    bool CancelMouse() const override { return cancelMouse; }
    void SetCancelMouse(bool cancel) override { cancelMouse = cancel; }

    const std::vector<TChartSeries *> &Series() const { return series_; }

    int repaints = 0;
    int dataSourceChecks = 0;
    bool cancelMouse = false;
    TColor chartColor = clBtnFace;
    TColor backColor = clAutoColor;
    ISeriesAxis *bottom = nullptr;
    ISeriesAxis *top = nullptr;
    ISeriesAxis *left = nullptr;
    ISeriesAxis *right = nullptr;

private:
    std::vector<TChartSeries *> series_;
};

} // namespace pexor::test
