#pragma once

#include "chart/Chart.h"
#include "chart/Series.h"

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace pexor::bench {

// The values of a random walk, X ascending: what a long series is drawn
// from in the drawing, adding and memory benchmarks.
struct TWalk {
    std::vector<double> x;
    std::vector<double> y;
};

inline TWalk RandomWalk(int points, unsigned seed = 11) {
    TWalk walk;
    walk.x.resize(std::size_t(points));
    walk.y.resize(std::size_t(points));
    std::mt19937 random(seed);
    std::normal_distribution<double> step(0.0, 1.0);
    double y = 0;
    for (int i = 0; i < points; ++i) {
        y += step(random);
        walk.x[std::size_t(i)] = i;
        walk.y[std::size_t(i)] = y;
    }
    return walk;
}

inline constexpr int kImageWidth = 336;
inline constexpr int kImageHeight = 256;

// A chart as the comparison used: a title, automatic axes, one red line
// series of one-pixel pen, 2D.
inline std::unique_ptr<TCustomChart> WalkChart(TLineSeries *&series) {
    auto chart = std::make_unique<TCustomChart>();
    chart->SetBounds(kImageWidth, kImageHeight);
    chart->Canvas().SetBuffered(false);
    chart->SetView3D(false);
    chart->Legend().SetVisible(false);
    chart->Title().SetText({QStringLiteral("Marche aléatoire")});
    series = &chart->AddSeries(std::make_unique<TLineSeries>());
    series->SetSeriesColor(clRed);
    return chart;
}

} // namespace pexor::bench
