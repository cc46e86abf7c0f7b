#include "tests/chart/AxisTestPanel.h"

#include "chart/axes/AxisLabels.h"
#include "platform/LocaleSettings.h"
#include "render/QtCanvas.h"

#include <QDate>
#include <QDir>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace pexor;
using pexor::test::AxisTestPanel;
using pexor::test::FontOfHeight;

namespace {

double Day(int y, int m, int d) { return double(QDate(y, m, d).toJulianDay() - 2415019); }

std::vector<TCanvasRecord> LinesFrom(const RecordingCanvas &c, QPoint from, QPoint to) {
    std::vector<TCanvasRecord> found;
    for (const TCanvasRecord &r : c.RecordsOf(TRecordKind::LineTo))
        if (r.Points.size() == 2 && r.Points[0] == from && r.Points[1] == to)
            found.push_back(r);
    return found;
}

std::vector<QString> Texts(const RecordingCanvas &c) {
    std::vector<QString> texts;
    for (const TCanvasRecord &r : c.RecordsOf(TRecordKind::TextOut))
        texts.push_back(r.Text);
    return texts;
}

// The left axis of 0 .. 100 on PlotRect (40, 20, 240, 220), labels 30 pixels
// wide ending at x = 34, a 20-pixel font: labels every 20.
void LeftAxisLayout(AxisTestPanel &chart) {
    chart.SetView3D(false);
    chart.AddValues({0, 100});
    chart.LeftAxis().SetLabelsFont(FontOfHeight(chart, 20));
    chart.LeftAxis().SetLabelsSize(30);
    chart.Layout(TRect(40, 20, 240, 220));
    TRect room(4, 20, 240, 220);
    chart.LeftAxis().TakeRoom(room);
    chart.SetPlotRect(room);
}

} // namespace

TEST(AxisDrawTest, ValueLabelsTicksGridAndLineOfTheLeftAxis) {
    AxisTestPanel chart;
    LeftAxisLayout(chart);
    ASSERT_EQ(chart.PlotRect(), TRect(40, 20, 240, 220));
    ASSERT_EQ(chart.LeftAxis().PosLabels(), 34);
    chart.surface.Clear();
    chart.LeftAxis().Draw(true);
    const RecordingCanvas &c = chart.surface;

    EXPECT_EQ(Texts(c), (std::vector<QString>{"100", "80", "60", "40", "20", "0"}));
    const auto texts = c.RecordsOf(TRecordKind::TextOut);
    ASSERT_EQ(texts.size(), 6u);
    EXPECT_EQ(texts[0].Points[0], QPoint(34, 10)); // raised by half the font height
    EXPECT_EQ(texts[1].Points[0], QPoint(34, 50));
    EXPECT_EQ(texts[5].Points[0], QPoint(34, 210));
    EXPECT_EQ(texts[0].TextAlign, TA_RIGHT);
    EXPECT_EQ(texts[0].BackMode, TBackMode::Transparent);

    for (int y : {20, 60, 100, 140, 180, 220}) {
        const auto ticks = LinesFrom(c, QPoint(39, y), QPoint(35, y));
        ASSERT_EQ(ticks.size(), 1u) << y;
        EXPECT_EQ(ticks[0].Pen.Color(), clGray);
    }
    // Grid lines between the ends, dotted, from inside the axis line.
    EXPECT_TRUE(LinesFrom(c, QPoint(41, 20), QPoint(240, 20)).empty());
    EXPECT_TRUE(LinesFrom(c, QPoint(41, 220), QPoint(240, 220)).empty());
    const auto grid = LinesFrom(c, QPoint(41, 60), QPoint(240, 60));
    ASSERT_EQ(grid.size(), 1u);
    EXPECT_EQ(grid[0].Pen.Style(), TPenStyle::psDot);
    // Minor ticks between labels: 60 - 10, 60 - 20, 60 - 30.
    for (int y : {50, 40, 30})
        EXPECT_EQ(LinesFrom(c, QPoint(39, y), QPoint(37, y)).size(), 1u) << y;
    EXPECT_TRUE(LinesFrom(c, QPoint(39, 10), QPoint(37, 10)).empty());
    // The axis line comes last.
    const auto line = c.RecordsOf(TRecordKind::LineTo).back();
    EXPECT_EQ(line.Points[0], QPoint(40, 20));
    EXPECT_EQ(line.Points[1], QPoint(40, 220));
    EXPECT_EQ(line.Pen.Width(), 2);
    EXPECT_EQ(line.Pen.Color(), clBlack);
}

TEST(AxisDrawTest, CentredGridAndTicksOnEveryValue) {
    AxisTestPanel chart;
    LeftAxisLayout(chart);
    TChartAxis &left = chart.LeftAxis();
    left.SetGridCentered(true);
    left.SetTickOnLabelsOnly(false);
    left.SetTickInnerLength(3);
    left.MinorTicks().SetVisible(false);
    chart.surface.Clear();
    left.Draw(true);
    const RecordingCanvas &c = chart.surface;
    // Halfway between 60 and the tick before it at 20.
    EXPECT_EQ(LinesFrom(c, QPoint(41, 40), QPoint(240, 40)).size(), 1u);
    EXPECT_TRUE(LinesFrom(c, QPoint(41, 60), QPoint(240, 60)).empty());
    // Inner ticks run into the plot.
    EXPECT_EQ(LinesFrom(c, QPoint(41, 60), QPoint(44, 60)).size(), 1u);
    // Ticks drawn once per value even though labels are on.
    EXPECT_EQ(LinesFrom(c, QPoint(39, 60), QPoint(35, 60)).size(), 1u);
}

TEST(AxisDrawTest, TitleAtTheCentreOfItsSide) {
    AxisTestPanel chart;
    chart.AddValues({0, 100});
    TChartAxis &bottom = chart.BottomAxis();
    bottom.Title().SetCaption(QStringLiteral("Dates"));
    bottom.SetTitleSize(15);
    bottom.SetLabelsSize(15);
    chart.Layout(TRect(40, 20, 240, 250));
    TRect room = chart.PlotRect();
    bottom.TakeRoom(room);
    chart.SetPlotRect(room);
    chart.surface.Clear();
    bottom.Draw(true);
    const auto texts = chart.surface.RecordsOf(TRecordKind::TextOut);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].Text, QStringLiteral("Dates"));
    EXPECT_EQ(texts[0].Points[0], QPoint(140, 235));
    EXPECT_EQ(texts[0].TextAlign, TA_CENTER);
    EXPECT_EQ(chart.BottomAxis().PosAxis(), 214);
}

TEST(AxisDrawTest, SinglePointSitsAtTheCentre) {
    AxisTestPanel chart;
    chart.AddValues({80}, {QStringLiteral("05/03/2026")});
    chart.Layout(TRect(40, 20, 240, 220));
    chart.BottomAxis().Draw(true);
    auto texts = chart.surface.RecordsOf(TRecordKind::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text, QStringLiteral("05/03/2026"));
    EXPECT_EQ(texts[0].Points[0].x(), 140);
    EXPECT_EQ(chart.Series(0).XPixel(0), 140);
    EXPECT_EQ(chart.Series(0).YPixel(0), 120);

    chart.surface.Clear();
    chart.LeftAxis().Draw(true);
    EXPECT_TRUE(chart.surface.RecordsOf(TRecordKind::TextOut).empty());
    EXPECT_FALSE(chart.surface.RecordsOf(TRecordKind::LineTo).empty()); // the axis line
}

TEST(AxisDrawTest, OverlappingDateLabelsAreSkipped) {
    AxisTestPanel chart;
    std::vector<QString> labels;
    for (int d = 1; d <= 10; ++d)
        labels.push_back(QStringLiteral("%1/12/2026").arg(d, 2, 10, QLatin1Char('0')));
    chart.AddValues({70, 72, 75, 71, 80, 82, 78, 77, 76, 79}, labels);
    chart.Layout(TRect(40, 20, 220, 220)); // one label every 20 pixels
    TChartAxis &bottom = chart.BottomAxis();
    chart.SetCanvasFont(bottom.LabelsFont());
    const int width = chart.Canvas().TextWidth(labels[0]);
    for (const QString &l : labels)
        ASSERT_EQ(chart.Canvas().TextWidth(l), width);
    const int half = (width + int(std::trunc(width * 0.2))) / 2;
    const int every = (2 * half + 19) / 20;
    ASSERT_GT(every, 1);

    bottom.Draw(true);
    std::vector<QString> expected;
    std::vector<int> xs;
    for (int i = 0; i < 10; i += every) {
        expected.push_back(labels[std::size_t(i)]);
        xs.push_back(40 + 20 * i);
    }
    EXPECT_EQ(Texts(chart.surface), expected);
    const auto texts = chart.surface.RecordsOf(TRecordKind::TextOut);
    for (std::size_t i = 0; i < texts.size() && i < xs.size(); ++i)
        EXPECT_EQ(texts[i].Points[0].x(), xs[i]);
    // A tick only where a label is drawn.
    EXPECT_EQ(LinesFrom(chart.surface, QPoint(60, 221), QPoint(60, 225)).size(),
              every == 1 ? 1u : 0u);

    // Without separation nothing is skipped.
    bottom.SetLabelsSeparation(0);
    chart.surface.Clear();
    bottom.Draw(true);
    EXPECT_EQ(Texts(chart.surface), labels);
}

TEST(AxisDrawTest, ExactMonthLabelsAcrossTheYearEnd) {
    SetLocaleSettings(LocaleSettings::French());
    AxisTestPanel chart;
    TChartSeries &s = chart.AddValues({});
    s.XValues().SetDateTime(true);
    s.AddXY(Day(2025, 11, 10), 70);
    s.AddXY(Day(2026, 3, 20), 80);
    TChartAxis &bottom = chart.BottomAxis();
    bottom.SetIncrement(30);
    chart.Layout(TRect(20, 20, 320, 220));
    ASSERT_EQ(bottom.LabelStep(), 30);
    bottom.Draw(true);
    EXPECT_EQ(Texts(chart.surface),
              (std::vector<QString>{"01/03/2026", "01/02/2026", "01/01/2026", "01/12/2025"}));
    const auto texts = chart.surface.RecordsOf(TRecordKind::TextOut);
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[2].Points[0].x(), bottom.ValueToPixel(Day(2026, 1, 1)));
}

TEST(AxisDrawTest, CustomLabelsFromTheHandler) {
    AxisTestPanel chart;
    LeftAxisLayout(chart);
    std::vector<int> indices;
    chart.OnGetNextAxisLabel = [&](TCustomChartAxis &, int index, double &value, bool &stop) {
        indices.push_back(index);
        if (index < 3) {
            value = 10 + 35 * index;
            stop = false;
        }
    };
    chart.LeftAxis().Draw(true);
    EXPECT_EQ(Texts(chart.surface), (std::vector<QString>{"10", "45", "80"}));
    EXPECT_EQ(indices, (std::vector<int>{0, 1, 2, 3}));

    // Stopping at once falls back to the value labels.
    chart.OnGetNextAxisLabel = [](TCustomChartAxis &, int, double &, bool &) {};
    chart.surface.Clear();
    chart.LeftAxis().Draw(true);
    EXPECT_EQ(Texts(chart.surface).size(), 6u);

    // A value outside the range ends them.
    chart.OnGetNextAxisLabel = [](TCustomChartAxis &, int index, double &value, bool &stop) {
        stop = false;
        value = index == 0 ? 50 : 101;
    };
    chart.surface.Clear();
    chart.LeftAxis().Draw(true);
    EXPECT_EQ(Texts(chart.surface), (std::vector<QString>{"50"}));
}

TEST(AxisDrawTest, SameLayoutOnTheRecordingAndOnAnImage) {
    AxisTestPanel chart;
    LeftAxisLayout(chart);
    chart.LeftAxis().Draw(true);
    const auto line = chart.surface.RecordsOf(TRecordKind::LineTo).back();
    const auto tick = LinesFrom(chart.surface, QPoint(39, 60), QPoint(35, 60));
    ASSERT_EQ(tick.size(), 1u);

    QImage image(260, 240, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QtCanvas canvas(&image);
        chart.Canvas().SetSurface(&canvas);
        chart.LeftAxis().Draw(true);
        chart.Canvas().SetSurface(&chart.surface);
    }
    // The axis line is two pixels wide about its recorded x.
    const int x = line.Points[0].x();
    const int y = (line.Points[0].y() + line.Points[1].y()) / 2;
    const bool lineHere = image.pixel(x, y) == qRgb(0, 0, 0) || image.pixel(x - 1, y) == qRgb(0, 0, 0);
    EXPECT_TRUE(lineHere);
    EXPECT_EQ(image.pixel(x + 3, y + 5), qRgb(255, 255, 255));
    // The tick's inner pixels (its first one lies under the axis line).
    for (int tx = 36; tx <= 38; ++tx)
        EXPECT_EQ(image.pixel(tx, 60), qRgb(128, 128, 128)) << tx;
    EXPECT_EQ(image.pixel(35, 60), qRgb(255, 255, 255)); // the end point
    EXPECT_EQ(image.pixel(37, 62), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(37, 58), qRgb(255, 255, 255));
    // A label's ink lies left of x = 34 around its row.
    bool ink = false;
    for (int px = 0; px < 34; ++px)
        for (int py = 52; py < 68; ++py)
            ink = ink || image.pixel(px, py) != qRgb(255, 255, 255);
    EXPECT_TRUE(ink);
}
