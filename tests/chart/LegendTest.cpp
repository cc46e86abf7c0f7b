#include "chart/panel/Legend.h"

#include "chart/panel/AxisPanel.h"
#include "chart/Chart.h"
#include "chart/ChartException.h"
#include "render/RecordingCanvas.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

using namespace pexor;

namespace {

// A chart panel with a legend and the legend events, drawing on a recording
// canvas over a 400 x 250 drawing rectangle.
class LegendPanel : public TCustomAxisPanel {
public:
    LegendPanel() : legend(this) {
        Canvas().SetSurface(&surface);
        SetDrawRect(TRect(0, 0, 400, 250));
        CalcPlotRectFromMargins();
    }
    ~LegendPanel() override { Canvas().SetSurface(nullptr); }

    TChartSeries &Add(const QString &title, std::initializer_list<double> values,
                      const std::vector<QString> &labels = {}) {
        auto series = std::make_unique<TChartSeries>();
        series->SetTitle(title);
        int i = 0;
        for (double v : values) {
            series->Add(v, i < int(labels.size()) ? labels[std::size_t(i)] : QString());
            ++i;
        }
        return AddSeries(std::move(series));
    }

    // Draws the legend from a fresh recording.
    void Draw() {
        surface.Clear();
        legend.DrawLegend();
    }

    // Measured with the legend's font, as the legend measures.
    int FontHeight() {
        SetCanvasFont(legend.Font());
        return Canvas().FontHeight();
    }
    int Width(const QString &text) {
        SetCanvasFont(legend.Font());
        return Canvas().TextWidth(text);
    }

    std::vector<QString> Texts() const {
        std::vector<QString> texts;
        for (const TCanvasRecord &r : surface.RecordsOf(TRecordKind::TextOut))
            texts.push_back(r.Text);
        return texts;
    }

    RecordingCanvas surface;
    TChartLegend legend;
    int paints = 0;

protected:
    void RequestPaint() override { ++paints; }
};

TRect RectOf(const TCanvasRecord &r) {
    return TRect(r.Points[0].x(), r.Points[0].y(), r.Points[1].x(), r.Points[1].y());
}

} // namespace

TEST(LegendSettingsTest, ErrorsKeepTheOldValue) {
    LegendPanel chart;
    TChartLegend &legend = chart.legend;
    try {
        legend.SetTopPos(101);
        FAIL();
    } catch (const LegendException &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Position légende haut doit être entre 0 et 100 %"));
    }
    EXPECT_EQ(legend.TopPos(), 10);
    EXPECT_THROW(legend.SetTopPos(-1), LegendException);
    legend.SetTopPos(100);
    EXPECT_EQ(legend.TopPos(), 100);

    try {
        legend.SetColorWidth(101);
        FAIL();
    } catch (const LegendException &e) {
        EXPECT_EQ(e.Message(),
                  QStringLiteral("Largeur couleur légende doit être comprise entre 0 et 100%"));
    }
    EXPECT_THROW(legend.SetColorWidth(-1), LegendException);
    EXPECT_EQ(legend.ColorWidth(), 12);
    legend.SetColorWidth(0);
    EXPECT_EQ(legend.ColorWidth(), 0);

    try {
        legend.SetFirstValue(-1);
        FAIL();
    } catch (const LegendException &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("La valeur de la première légende doit être > 0"));
    }
    legend.SetFirstValue(3);
    legend.SetFirstValue(0);
    EXPECT_EQ(legend.FirstValue(), 0);
}

TEST(LegendSettingsTest, RepaintsOnlyOnChange) {
    LegendPanel chart;
    TChartLegend &legend = chart.legend;
    const auto repaints = [&](auto &&change) {
        const int before = chart.paints;
        change();
        return chart.paints - before;
    };
    EXPECT_EQ(repaints([&] { legend.SetShadowSize(3); }), 0);
    EXPECT_EQ(repaints([&] { legend.SetShadowSize(2); }), 1);
    EXPECT_EQ(repaints([&] { legend.SetAlignment(TLegendAlignment::laRight); }), 0);
    EXPECT_EQ(repaints([&] { legend.SetInverted(true); }), 1);
    EXPECT_EQ(repaints([&] { legend.Frame().SetColor(clRed); }), 1);
    EXPECT_EQ(repaints([&] { legend.DividingLines().SetVisible(true); }), 1);
    EXPECT_EQ(repaints([&] { legend.SetTopPos(10); }), 0);
    TFont font = legend.Font();
    font.SetStyle(fsBold);
    EXPECT_EQ(repaints([&] { legend.SetFont(font); }), 1);

    TChartLegend copy(&chart);
    copy.Assign(legend);
    EXPECT_EQ(copy.ShadowSize(), 2);
    EXPECT_TRUE(copy.Inverted());
    EXPECT_EQ(copy.Frame().Color(), clRed);
    EXPECT_TRUE(copy.DividingLines().Visible());
    EXPECT_EQ(copy.Font().Style(), fsBold);
}

TEST(LegendItemsTest, ResolvedStyleAndCounts) {
    LegendPanel chart;
    TChartSeries &a = chart.Add(QStringLiteral("A"), {1, 2, 3});
    EXPECT_EQ(chart.legend.CalcLegendStyle(), TLegendStyle::lsValues);
    chart.legend.DrawLegend();
    EXPECT_EQ(chart.legend.ResolvedStyle(), TLegendStyle::lsValues);
    EXPECT_EQ(chart.legend.ItemCount(), 3);

    chart.Add(QStringLiteral("B"), {4});
    EXPECT_EQ(chart.legend.CalcLegendStyle(), TLegendStyle::lsSeries);
    chart.legend.SetLegendStyle(TLegendStyle::lsLastValues);
    EXPECT_EQ(chart.legend.ResolvedStyle(), TLegendStyle::lsLastValues);
    EXPECT_EQ(chart.legend.ItemCount(), 2);
    a.SetShowInLegend(false);
    EXPECT_EQ(chart.legend.ItemCount(), 1);
    EXPECT_EQ(chart.legend.ItemSeries(0)->Title(), QStringLiteral("B"));

    // Values come from the first active series only, and only when it is
    // shown in the legend.
    chart.legend.SetLegendStyle(TLegendStyle::lsValues);
    EXPECT_EQ(chart.legend.ItemCount(), 0);
    a.SetShowInLegend(true);
    chart.legend.SetFirstValue(5);
    EXPECT_EQ(chart.legend.ItemCount(), 0);
}

TEST(LegendItemsTest, SeriesTexts) {
    LegendPanel chart;
    chart.Add(QString(), {1});
    TChartSeries &named = chart.Add(QString(), {2});
    named.SetName(QStringLiteral("Series2"));
    chart.Add(QStringLiteral("Titre"), {3});
    chart.legend.SetLegendStyle(TLegendStyle::lsSeries);
    EXPECT_EQ(chart.legend.ItemText(0), QStringLiteral("Series 0"));
    EXPECT_EQ(chart.legend.ItemText(1), QStringLiteral("Series2"));
    EXPECT_EQ(chart.legend.ItemText(2), QStringLiteral("Titre"));

    chart.legend.OnGetLegendText = [](TCustomAxisPanel &, TLegendStyle style, int index,
                                      QString &text) {
        if (style == TLegendStyle::lsSeries && index == 1)
            text = QStringLiteral("remplacé");
    };
    EXPECT_EQ(chart.legend.ItemText(1), QStringLiteral("remplacé"));
    EXPECT_EQ(chart.legend.ItemText(2), QStringLiteral("Titre"));
}

TEST(LegendItemsTest, PointTextsByTextStyle) {
    LegendPanel chart;
    TChartSeries &s = chart.Add(QString(), {80, 20},
                                {QStringLiteral("07/12/2026"), QStringLiteral("deux\rlignes")});
    TChartLegend &legend = chart.legend;
    EXPECT_EQ(legend.PointText(s, 0), QStringLiteral("80 07/12/2026"));
    EXPECT_EQ(legend.PointText(s, 1), QStringLiteral("20 deux lignes"));
    legend.SetTextStyle(TLegendTextStyle::ltsPlain);
    EXPECT_EQ(legend.PointText(s, 1), QStringLiteral("deux lignes"));
    legend.SetTextStyle(TLegendTextStyle::ltsRightValue);
    EXPECT_EQ(legend.PointText(s, 0), QStringLiteral("07/12/2026 80"));
    legend.SetTextStyle(TLegendTextStyle::ltsLeftPercent);
    EXPECT_EQ(legend.PointText(s, 0), QStringLiteral("80 % 07/12/2026"));
    legend.SetTextStyle(TLegendTextStyle::ltsXValue);
    s.SetValueFormat(QStringLiteral("0.0"));
    EXPECT_EQ(legend.PointText(s, 1), s.GetHorizAxis()->ValueText(1.0));
    // No such point: no text rather than a read past the values.
    EXPECT_EQ(legend.PointText(s, 2), QString());
    EXPECT_EQ(legend.PointText(s, -1), QString());
}

TEST(LegendItemsTest, RightPercentAndZeroTotal) {
    LegendPanel chart;
    TChartSeries &s = chart.Add(QString(), {1, 3}, {QStringLiteral("a"), QStringLiteral("b")});
    chart.legend.SetTextStyle(TLegendTextStyle::ltsRightPercent);
    EXPECT_EQ(chart.legend.PointText(s, 0), QStringLiteral("a 25 %"));
    EXPECT_EQ(chart.legend.PointText(s, 1), QStringLiteral("b 75 %"));
    s.SetPercentFormat(QStringLiteral("0.0 %"));
    EXPECT_EQ(chart.legend.PointText(s, 1), QStringLiteral("b 75,0 %"));

    TChartSeries &zero = chart.Add(QString(), {0, 0}, {QStringLiteral("x"), QStringLiteral("y")});
    EXPECT_EQ(chart.legend.PointText(zero, 1), QStringLiteral("y 100 %"));
}

TEST(LegendItemsTest, LastValuesOfASeriesWithoutPoints) {
    LegendPanel chart;
    chart.Add(QStringLiteral("vide"), {});
    chart.Add(QStringLiteral("plein"), {5, 7}, {QStringLiteral("u"), QStringLiteral("v")});
    chart.legend.SetLegendStyle(TLegendStyle::lsLastValues);
    EXPECT_EQ(chart.legend.ItemText(0), QString());
    EXPECT_EQ(chart.legend.ItemText(1), QStringLiteral("7 v"));
    chart.Draw();
    // Only the series with a last value gets a text.
    EXPECT_EQ(chart.Texts(), std::vector<QString>{QStringLiteral("7 v")});
}

TEST(LegendDrawTest, ProgramChartLegendDrawsNothingAndTakesNoRoom) {
    LegendPanel chart;
    chart.legend.SetShadowSize(2);
    TChartSeries &s = chart.Add(
        QString(), {80, 95, 70},
        {QStringLiteral("01/12/2026"), QStringLiteral("02/12/2026"), QStringLiteral("03/12/2026")});
    s.SetShowInLegend(false);
    const TRect plot = chart.PlotRect();
    chart.Draw();
    EXPECT_EQ(chart.legend.ResolvedStyle(), TLegendStyle::lsValues);
    EXPECT_EQ(chart.legend.ItemCount(), 0);
    EXPECT_TRUE(chart.surface.Records().empty());
    EXPECT_EQ(chart.PlotRect(), plot);
    EXPECT_FALSE(chart.legend.Shown());
    // Nothing is there to be clicked.
    const TRect r = chart.legend.LegendRect();
    EXPECT_FALSE(chart.legend.Clicked(r.Left, r.Top));
}

TEST(LegendDrawTest, TwoSeriesOnTheRight) {
    LegendPanel chart;
    TChartSeries &a = chart.Add(QStringLiteral("A"), {1, 2});
    TChartSeries &b = chart.Add(QStringLiteral("B"), {3, 4});
    ASSERT_EQ(chart.PlotRect(), TRect(12, 10, 388, 240));
    const int fh = chart.FontHeight();
    const int tw = std::max(chart.Width(QStringLiteral("A")), chart.Width(QStringLiteral("B")));
    chart.Draw();

    const int top = 25; // 10 % of the drawing rectangle's height
    const int bottom = top + 2 + 2 * fh;
    const int right = 388 - 2 - 3;
    const int x = right - tw - 2;
    const int sw = int(std::nearbyint(12 * (tw + 10) / 100.0));
    const int left = x - sw - 8;
    EXPECT_EQ(chart.legend.LegendRect(), TRect(left, top, right, bottom));
    EXPECT_EQ(chart.legend.SymbolWidth(), sw);
    EXPECT_TRUE(chart.legend.Clicked(left, top));
    EXPECT_FALSE(chart.legend.Clicked(right, top));

    const auto fills = chart.surface.RecordsOf(TRecordKind::FillRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(RectOf(fills[0]), TRect(left + 3, top + 3, right + 4, bottom + 4));
    EXPECT_EQ(fills[0].Brush.Color(), clBlack);

    const auto rects = chart.surface.RecordsOf(TRecordKind::Rectangle);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(RectOf(rects[0]), TRect(left - 1, top - 1, right + 1, bottom + 1));
    EXPECT_EQ(rects[0].Brush.Color(), clWhite);
    EXPECT_EQ(rects[0].Pen.Color(), clBlack);
    EXPECT_EQ(RectOf(rects[1]), TRect(x - 4 - sw, top + 3, x - 4, top + 1 + fh - 2));
    EXPECT_EQ(rects[1].Brush.Color(), a.SeriesColor());
    EXPECT_EQ(rects[1].Pen.Color(), clBlack);
    EXPECT_EQ(RectOf(rects[2]), TRect(x - 4 - sw, top + 3 + fh, x - 4, top + 1 + 2 * fh - 2));
    EXPECT_EQ(rects[2].Brush.Color(), b.SeriesColor());

    const auto texts = chart.surface.RecordsOf(TRecordKind::TextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Text, QStringLiteral("A"));
    EXPECT_EQ(texts[0].Points[0], QPoint(x, top + 1));
    EXPECT_EQ(texts[0].BackMode, TBackMode::Transparent);
    EXPECT_EQ(texts[1].Text, QStringLiteral("B"));
    EXPECT_EQ(texts[1].Points[0], QPoint(x, top + 1 + fh));

    // The plot area ends at the box's left edge less 3 % of its old width.
    EXPECT_EQ(chart.PlotRect(), TRect(12, 10, left - 11, 240));
}

TEST(LegendDrawTest, FirstValueInvertedAndDividingLines) {
    LegendPanel chart;
    chart.Add(QString(), {10, 11, 12, 13, 14},
              {QStringLiteral("p0"), QStringLiteral("p1"), QStringLiteral("p2"),
               QStringLiteral("p3"), QStringLiteral("p4")});
    chart.legend.SetTextStyle(TLegendTextStyle::ltsPlain);
    chart.legend.SetFirstValue(2);
    EXPECT_EQ(chart.legend.ItemCount(), 3);
    chart.Draw();
    EXPECT_EQ(chart.Texts(), (std::vector<QString>{QStringLiteral("p2"), QStringLiteral("p3"),
                                                   QStringLiteral("p4")}));
    const int fh = chart.FontHeight();
    const auto texts = chart.surface.RecordsOf(TRecordKind::TextOut);
    EXPECT_EQ(texts[0].Points[0].y(), 26);
    EXPECT_EQ(texts[2].Points[0].y(), 26 + 2 * fh);

    chart.SetPlotRect(TRect(12, 10, 388, 240));
    chart.legend.SetInverted(true);
    chart.legend.DividingLines().SetVisible(true);
    chart.legend.DividingLines().SetColor(clRed);
    chart.Draw();
    // The last item takes the first line; the drawing order stays ascending.
    const auto inverted = chart.surface.RecordsOf(TRecordKind::TextOut);
    ASSERT_EQ(inverted.size(), 3u);
    EXPECT_EQ(inverted[0].Text, QStringLiteral("p2"));
    EXPECT_EQ(inverted[0].Points[0].y(), 26 + 2 * fh);
    EXPECT_EQ(inverted[2].Text, QStringLiteral("p4"));
    EXPECT_EQ(inverted[2].Points[0].y(), 26);

    const TRect r = chart.legend.LegendRect();
    std::vector<int> lines;
    for (const TCanvasRecord &rec : chart.surface.RecordsOf(TRecordKind::LineTo)) {
        EXPECT_EQ(rec.Pen.Color(), clRed);
        EXPECT_EQ(rec.Points[0].x(), r.Left);
        EXPECT_EQ(rec.Points[1].x(), r.Right);
        lines.push_back(rec.Points[0].y());
    }
    // Items drawn in ascending order, so the lower line comes first; none
    // above the first line of the box.
    EXPECT_EQ(lines, (std::vector<int>{26 + 2 * fh, 26 + fh}));
}

TEST(LegendDrawTest, TopAlignmentTakesRoomFromTheTop) {
    LegendPanel chart;
    chart.Add(QStringLiteral("A"), {1});
    chart.Add(QStringLiteral("BB"), {2});
    chart.legend.SetAlignment(TLegendAlignment::laTop);
    chart.legend.SetTopPos(0);
    const int fh = chart.FontHeight();
    const int tw =
        std::max(chart.Width(QStringLiteral("A")), chart.Width(QStringLiteral("BB"))) + 4;
    const int sw = int(std::nearbyint(12 * tw / 100.0));
    chart.Draw();

    // Plot (12, 10, 388, 240): framed, the box starts one frame plus one
    // pixel lower; both items fit in one row.
    const int top = 12;
    const int bottom = top + 2 + fh;
    const int box = 2 * 3 + (sw + tw + 4) * 2 + 8;
    const int left = 200 - box / 2;
    EXPECT_EQ(chart.legend.LegendRect(), TRect(left, top, 200 + box / 2, bottom));
    const auto texts = chart.surface.RecordsOf(TRecordKind::TextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Points[0], QPoint(left + 8 + sw, top + 1));
    EXPECT_EQ(texts[1].Points[0], QPoint(left + 8 + sw + tw + sw + 4, top + 1));
    // Room: down to the shadow's bottom, then 4 % of the old plot height.
    EXPECT_EQ(chart.PlotRect(), TRect(12, bottom + 3 + 9, 388, 240));
}

TEST(LegendDrawTest, LeftAndBottomWithoutResize) {
    LegendPanel chart;
    chart.Add(QStringLiteral("A"), {1});
    chart.Add(QStringLiteral("B"), {2});
    chart.legend.SetAlignment(TLegendAlignment::laLeft);
    chart.legend.SetResizeChart(false);
    chart.legend.SetHorizMargin(7);
    chart.Draw();
    // The box starts inside the frame; only the margin is taken.
    EXPECT_EQ(chart.legend.LegendRect().Left, 14);
    EXPECT_EQ(chart.PlotRect(), TRect(19, 10, 388, 240));

    chart.SetPlotRect(TRect(12, 10, 388, 240));
    chart.legend.SetAlignment(TLegendAlignment::laBottom);
    chart.legend.SetResizeChart(true);
    chart.legend.Frame().SetVisible(false);
    chart.legend.SetShadowSize(0);
    chart.Draw();
    const TRect r = chart.legend.LegendRect();
    EXPECT_EQ(r.Bottom, 240);
    EXPECT_TRUE(chart.surface.RecordsOf(TRecordKind::FillRect).empty());
    const auto rects = chart.surface.RecordsOf(TRecordKind::Rectangle);
    ASSERT_FALSE(rects.empty());
    EXPECT_EQ(RectOf(rects[0]), r);
    EXPECT_TRUE(rects[0].Pen.IsClear());
    EXPECT_EQ(chart.PlotRect(), TRect(12, 10, 388, r.Top - 9));
}

TEST(LegendDrawTest, EventsMoveTheBoxAndTheItems) {
    LegendPanel chart;
    chart.Add(QStringLiteral("A"), {1});
    chart.Add(QStringLiteral("B"), {2});
    std::vector<int> posCalls;
    chart.legend.OnGetLegendRect = [](TCustomAxisPanel &, TRect &rect) {
        rect = TRect(200, 30, 300, 80);
    };
    chart.legend.OnGetLegendPos = [&](TCustomAxisPanel &, int index, int &x, int &y,
                                      int &xColor) {
        posCalls.push_back(index);
        x += 100;
        y += 1;
        xColor = -500;
    };
    chart.Draw();
    EXPECT_EQ(posCalls, (std::vector<int>{0, 1}));
    EXPECT_EQ(chart.legend.LegendRect(), TRect(200, 30, 300, 80));
    const auto rects = chart.surface.RecordsOf(TRecordKind::Rectangle);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(RectOf(rects[0]), TRect(199, 29, 301, 81));
    const auto texts = chart.surface.RecordsOf(TRecordKind::TextOut);
    const int x = texts[0].Points[0].x();
    EXPECT_EQ(texts[0].Points[0].y(), 32);
    // The symbol follows X; XColor changes nothing.
    const int sw = chart.legend.SymbolWidth();
    EXPECT_EQ(RectOf(rects[1]).Left, x - 4 - sw);
    // The room taken is that of the changed rectangle.
    EXPECT_EQ(chart.PlotRect().Right, 200 - 11);
}

namespace {

// The whole chart, drawing straight on a recording canvas.
class RecordedChart : public TCustomChart {
public:
    RecordedChart() {
        Canvas().SetBuffered(false);
        Canvas().SetSurface(&surface);
    }
    ~RecordedChart() override { Canvas().SetSurface(nullptr); }

    // The follow-up window's curve: three readings, not in the legend.
    TChartSeries &AddCurve() {
        auto series = std::make_unique<TChartSeries>();
        series->SetSeriesColor(clRed);
        series->SetShowInLegend(false);
        series->Add(80, QStringLiteral("01/12/2026"), 0xFF0000);
        series->Add(95, QStringLiteral("02/12/2026"), 0xFF0000);
        series->Add(70, QStringLiteral("03/12/2026"), 0xFF0000);
        return AddSeries(std::move(series));
    }

    RecordingCanvas surface;
};

} // namespace

TEST(LegendInChartTest, ProgramChartIsDrawnAsWithoutLegend) {
    RecordedChart shown;
    RecordedChart hidden;
    for (RecordedChart *chart : {&shown, &hidden}) {
        chart->Title().SetText({QStringLiteral("Courbe de TP (%)")});
        chart->BackWall().Brush().SetStyle(TBrushStyle::bsClear);
        chart->Legend().SetShadowSize(2);
        chart->AddCurve();
    }
    hidden.Legend().SetVisible(false);
    shown.Draw(shown.surface, TRect(0, 0, 332, 252));
    hidden.Draw(hidden.surface, TRect(0, 0, 332, 252));

    EXPECT_EQ(shown.PlotRect(), hidden.PlotRect());
    ASSERT_EQ(shown.surface.Records().size(), hidden.surface.Records().size());
    for (std::size_t i = 0; i < shown.surface.Records().size(); ++i) {
        EXPECT_EQ(shown.surface.Records()[i].Kind, hidden.surface.Records()[i].Kind);
        EXPECT_EQ(shown.surface.Records()[i].Points, hidden.surface.Records()[i].Points);
    }
    EXPECT_FALSE(shown.Legend().Shown());
}

TEST(LegendInChartTest, ChartEventsAndMarksOfStyleLegend) {
    RecordedChart chart;
    TChartSeries &curve = chart.AddCurve();
    curve.SetShowInLegend(true);
    curve.Marks().SetStyle(TSeriesMarksStyle::smsLegend);
    EXPECT_EQ(curve.MarkText(0), QStringLiteral("80 01/12/2026"));
    chart.Legend().SetTextStyle(TLegendTextStyle::ltsRightValue);
    EXPECT_EQ(curve.MarkText(2), QStringLiteral("03/12/2026 70"));

    std::vector<int> asked;
    chart.Legend().OnGetLegendText = [&](TCustomAxisPanel &sender, TLegendStyle style, int index,
                                         QString &text) {
        EXPECT_EQ(&sender, static_cast<TCustomAxisPanel *>(&chart));
        EXPECT_EQ(style, TLegendStyle::lsValues);
        asked.push_back(index);
        text = QStringLiteral("n° %1").arg(index);
    };
    chart.Draw(chart.surface, TRect(0, 0, 332, 252));
    EXPECT_TRUE(chart.Legend().Shown());
    std::vector<QString> texts;
    for (const TCanvasRecord &r : chart.surface.RecordsOf(TRecordKind::TextOut))
        if (r.Text.startsWith(QStringLiteral("n° ")))
            texts.push_back(r.Text);
    EXPECT_EQ(texts, (std::vector<QString>{QStringLiteral("n° 0"), QStringLiteral("n° 1"),
                                           QStringLiteral("n° 2")}));
    EXPECT_FALSE(asked.empty());
}
