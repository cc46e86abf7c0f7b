// Filling the small quads of a 3D line ribbon: our span layout (alone, and
// with the pixels written) against the painter's own aliased polygon fill.
#include "render/raster/PolygonSpans.h"
#include "bench/GuiBenchmarkMain.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

using namespace pexor;

namespace {

const QSize kImage(336, 256);
const QRect kClip(30, 20, 290, 210);
constexpr QRgb kInk = 0xFFFF0000;

// Segments of a curve across the chart, each with its depth shift.
const std::vector<QPolygon> &ChartQuads() {
    static const std::vector<QPolygon> quads = [] {
        std::mt19937 rng(5);
        std::vector<QPolygon> q;
        QPoint from(40, 150);
        for (int i = 0; i < 1024; ++i) {
            const QPoint to(40 + int(rng() % 260), 30 + int(rng() % 190));
            const QPoint step = QPoint(to.x() - from.x(), to.y() - from.y()) / 8;
            const QPoint end = from + step;
            const int dx = int(rng() % 13);
            const int dy = int(rng() % 13);
            q.push_back(QPolygon({from, end, end + QPoint(dx, -dy), from + QPoint(dx, -dy)}));
            from = end;
        }
        return q;
    }();
    return quads;
}

// One short ribbon segment, 17 rows high.
const std::vector<QPolygon> &SmallQuads() {
    static const std::vector<QPolygon> quads{
        QPolygon({QPoint(40, 150), QPoint(50, 140), QPoint(57, 133), QPoint(47, 143)})};
    return quads;
}

const std::vector<QPolygon> &Quads(const benchmark::State &state) {
    return state.range(0) == 0 ? SmallQuads() : ChartQuads();
}

void BM_PolygonSpans(benchmark::State &state) {
    const std::vector<QPolygon> &quads = Quads(state);
    TPolygonSpanner spanner;
    std::vector<TSpan> spans;
    std::size_t i = 0;
    for (auto _ : state) {
        spanner.Spans(quads[i], kClip, spans);
        benchmark::DoNotOptimize(spans.data());
        i = (i + 1) % quads.size();
    }
}

void BM_PolygonSpansWritten(benchmark::State &state) {
    const std::vector<QPolygon> &quads = Quads(state);
    QImage image(kImage, QImage::Format_RGB32);
    image.fill(Qt::white);
    uchar *bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    TPolygonSpanner spanner;
    std::vector<TSpan> spans;
    std::size_t i = 0;
    for (auto _ : state) {
        spanner.Spans(quads[i], kClip, spans);
        for (const TSpan &s : spans) {
            auto *row = reinterpret_cast<QRgb *>(bits + s.y * stride);
            std::fill(row + s.left, row + s.right, kInk);
        }
        benchmark::ClobberMemory();
        i = (i + 1) % quads.size();
    }
}

void BM_PainterDrawPolygon(benchmark::State &state) {
    const std::vector<QPolygon> &quads = Quads(state);
    QImage image(kImage, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(kInk));
    painter.setClipRect(kClip);
    std::size_t i = 0;
    for (auto _ : state) {
        painter.drawPolygon(quads[i], Qt::OddEvenFill);
        i = (i + 1) % quads.size();
    }
}

// Argument 0: one small quad over and over; 1: quads of a curve across the chart.
BENCHMARK(BM_PolygonSpans)->Arg(0)->Arg(1);
BENCHMARK(BM_PolygonSpansWritten)->Arg(0)->Arg(1);
BENCHMARK(BM_PainterDrawPolygon)->Arg(0)->Arg(1);

} // namespace

int main(int argc, char **argv) {
    return pexor::bench::RunGuiBenchmarks(argc, argv);
}
