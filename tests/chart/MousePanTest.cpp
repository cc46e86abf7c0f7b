#include "chart/ChartWidget.h"
#include "chart/panel/Legend.h"
#include "chart/draw/LineSeries.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace pexor {
namespace {

// The program's chart, shown: 336 × 256 with a sunken edge, a title and
// one line series, drawn once so that its geometry is known.
class ShownChart : public ::testing::Test {
protected:
    void SetUp() override {
        chart.SetBounds(336, 256);
        chart.SetBevelOuter(TBevelCut::bvLowered);
        chart.SetBorderStyle(TBorderStyle::bsSingle);
        chart.Title().SetText({QStringLiteral("Courbe de TP (%)")});
        chart.Legend().SetVisible(false);
        series = &chart.AddSeries(std::make_unique<TLineSeries>());
        series->SetShowInLegend(false);
        for (double v : {20.0, 120.0, 70.0})
            series->Add(v);
        chart.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
        chart.repaint();
    }

    QPoint At(int x, int y) const { return QPoint(x, y) + chart.contentsRect().topLeft(); }
    void Press(Qt::MouseButton button, int x, int y) {
        QTest::mousePress(&chart, button, Qt::NoModifier, At(x, y));
    }
    void Move(int x, int y) { QTest::mouseMove(&chart, At(x, y)); }
    void Release(Qt::MouseButton button, int x, int y) {
        QTest::mouseRelease(&chart, button, Qt::NoModifier, At(x, y));
    }
    void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
        Press(button, from.x(), from.y());
        Move(to.x(), to.y());
        Release(button, to.x(), to.y());
    }
    bool AllAutomatic() const {
        for (const TCustomChartAxis *axis :
             {&chart.LeftAxis(), &chart.RightAxis(), &chart.TopAxis(), &chart.BottomAxis()})
            if (!axis->Automatic() || !axis->AutomaticMinimum() || !axis->AutomaticMaximum())
                return false;
        return true;
    }

    TChart chart;
    TLineSeries *series = nullptr;
};

TEST_F(ShownChart, LeftDragRightAndDownBeyondSixteenPixelsZooms) {
    ASSERT_TRUE(chart.PlotRect().Contains(100, 100));
    ASSERT_TRUE(chart.PlotRect().Contains(117, 117));
    const double leftMin = chart.LeftAxis().PixelToValue(117);
    const double leftMax = chart.LeftAxis().PixelToValue(100);
    const double bottomMin = chart.BottomAxis().PixelToValue(100);
    const double bottomMax = chart.BottomAxis().PixelToValue(117);
    int zooms = 0;
    chart.Zoom().OnZoom = [&](TCustomAxisPanel &) { ++zooms; };

    Press(Qt::LeftButton, 100, 100);
    EXPECT_TRUE(chart.Zoom().Drag().Active);
    Move(117, 117);
    EXPECT_EQ(chart.Zoom().Drag().X1, 117);
    Release(Qt::LeftButton, 117, 117);

    EXPECT_FALSE(chart.Zoom().Drag().Active);
    EXPECT_EQ(zooms, 1);
    EXPECT_TRUE(chart.Zoom().ScalesSaved());
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Minimum(), leftMin);
    EXPECT_DOUBLE_EQ(chart.LeftAxis().Maximum(), leftMax);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Minimum(), bottomMin);
    EXPECT_DOUBLE_EQ(chart.BottomAxis().Maximum(), bottomMax);
}

TEST_F(ShownChart, ShortDragChangesNothingAndDragUpLeftUndoes) {
    Drag(Qt::LeftButton, {100, 100}, {116, 150});
    EXPECT_FALSE(chart.Zoom().Drag().Active);
    EXPECT_FALSE(chart.Zoom().ScalesSaved());
    EXPECT_TRUE(AllAutomatic());

    Drag(Qt::LeftButton, {100, 100}, {117, 117});
    ASSERT_FALSE(AllAutomatic());
    chart.repaint();
    int undos = 0;
    chart.Zoom().OnUndoZoom = [&](TCustomAxisPanel &) { ++undos; };
    Drag(Qt::LeftButton, {150, 150}, {100, 100});
    EXPECT_EQ(undos, 1);
    EXPECT_TRUE(AllAutomatic());
    EXPECT_FALSE(chart.Zoom().ScalesSaved());
}

TEST_F(ShownChart, ZoomFrameShowsOnTheWindowOnlyWhileDragging) {
    const QImage before = chart.grab().toImage();
    Press(Qt::LeftButton, 100, 100);
    Move(130, 140);
    const QImage during = chart.grab().toImage();
    const QPoint o = chart.contentsRect().topLeft();
    int changed = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) == during.pixel(x, y))
                continue;
            ++changed;
            const int cx = x - o.x();
            const int cy = y - o.y();
            // Only the outline of (100, 100) .. (129, 139).
            const bool onOutline = (cx == 100 || cx == 129 || cy == 100 || cy == 139) &&
                                   cx >= 100 && cx <= 129 && cy >= 100 && cy <= 139;
            EXPECT_TRUE(onOutline) << cx << "," << cy;
        }
    EXPECT_EQ(changed, 2 * 30 + 2 * 40 - 4);

    // A full redraw during the drag draws the frame into the picture.
    chart.Invalidate();
    EXPECT_EQ(chart.grab().toImage(), during);

    Release(Qt::LeftButton, 101, 101);
    EXPECT_EQ(chart.grab().toImage(), before);
}

TEST_F(ShownChart, RightDragPansUntilTheMouseLeavesThePlot) {
    int scrolls = 0;
    chart.Zoom().OnScroll = [&](TCustomAxisPanel &) { ++scrolls; };
    TCustomChartAxis &bottom = chart.BottomAxis();
    TCustomChartAxis &left = chart.LeftAxis();
    const double dx = bottom.PixelToValue(150) - bottom.PixelToValue(170);
    const double dy = left.PixelToValue(150) - left.PixelToValue(140);

    Press(Qt::RightButton, 150, 150);
    EXPECT_TRUE(chart.Mouse().PanDrag().Active);
    EXPECT_FALSE(chart.Zoom().Drag().Active);
    Move(170, 140);
    EXPECT_EQ(scrolls, 1);
    EXPECT_DOUBLE_EQ(bottom.Minimum(), 0 + dx);
    EXPECT_DOUBLE_EQ(bottom.Maximum(), 2 + dx);
    EXPECT_DOUBLE_EQ(left.Minimum(), 20 + dy);
    EXPECT_DOUBLE_EQ(left.Maximum(), 120 + dy);
    EXPECT_TRUE(chart.Zoom().ScalesSaved());
    EXPECT_EQ(chart.Zoom().SavedScales()[ssBottom], (TAxisScale{true, true, true, 0, 2}));

    const TRect plot = chart.PlotRect();
    Move(plot.Right + 3, 140);
    EXPECT_FALSE(chart.Mouse().PanDrag().Active);
    Move(180, 150);
    EXPECT_EQ(scrolls, 1);
    EXPECT_DOUBLE_EQ(bottom.Minimum(), dx);

    Release(Qt::RightButton, 180, 150);
    chart.Zoom().UndoZoom();
    EXPECT_TRUE(AllAutomatic());
}

TEST_F(ShownChart, HorizontalPanningIgnoresVerticalMotion) {
    chart.Mouse().SetAllowPanning(TPanningMode::pmHorizontal);
    chart.repaint();
    Press(Qt::RightButton, 150, 150);
    Move(150, 170);
    EXPECT_TRUE(chart.LeftAxis().Automatic());
    EXPECT_TRUE(chart.RightAxis().Automatic());
    EXPECT_TRUE(chart.BottomAxis().Automatic());
    Move(160, 190);
    EXPECT_TRUE(chart.LeftAxis().Automatic());
    EXPECT_TRUE(chart.RightAxis().Automatic());
    EXPECT_FALSE(chart.BottomAxis().Automatic());
    Release(Qt::RightButton, 160, 190);
    EXPECT_FALSE(chart.Mouse().PanDrag().Active);

    chart.Mouse().SetAllowPanning(TPanningMode::pmNone);
    Press(Qt::RightButton, 150, 150);
    EXPECT_FALSE(chart.Mouse().PanDrag().Active);
    Release(Qt::RightButton, 150, 150);
}

TEST_F(ShownChart, PressesOnTitleFootLegendOrNothingStartNoDrag) {
    chart.Foot().SetText({QStringLiteral("pied")});
    series->SetShowInLegend(true);
    series->SetTitle(QStringLiteral("TP"));
    chart.Legend().SetVisible(true);
    chart.repaint();
    int background = 0;
    chart.Mouse().OnClickBackground = [&](TCustomAxisPanel &, Qt::MouseButton,
                                          Qt::KeyboardModifiers, int, int) { ++background; };

    const TRect title = chart.Title().TitleRect();
    const TRect foot = chart.Foot().TitleRect();
    const TRect legend = chart.Legend().LegendRect();
    ASSERT_FALSE(title.IsEmpty());
    ASSERT_FALSE(foot.IsEmpty());
    ASSERT_TRUE(chart.Legend().Shown());
    const QPoint places[] = {{(title.Left + title.Right) / 2, (title.Top + title.Bottom) / 2},
                             {(foot.Left + foot.Right) / 2, (foot.Top + foot.Bottom) / 2},
                             {(legend.Left + legend.Right) / 2, (legend.Top + legend.Bottom) / 2},
                             {1, 1}};
    const TChartClickedPartStyle parts[] = {
        TChartClickedPartStyle::cpTitle, TChartClickedPartStyle::cpFoot,
        TChartClickedPartStyle::cpLegend, TChartClickedPartStyle::cpNone};
    for (int i = 0; i < 4; ++i) {
        const QPoint p = places[i];
        EXPECT_EQ(chart.Mouse().CalcClickedPart(p.x(), p.y()).Part, parts[i]) << i;
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            Press(button, p.x(), p.y());
            EXPECT_FALSE(chart.Zoom().Drag().Active) << i;
            EXPECT_FALSE(chart.Mouse().PanDrag().Active) << i;
            Release(button, p.x(), p.y());
        }
    }
    // Each press offered once; the legend's too, having no handler of its own.
    EXPECT_EQ(background, 8);

    int legendClicks = 0;
    chart.Mouse().OnClickLegend = [&](TCustomAxisPanel &, Qt::MouseButton, Qt::KeyboardModifiers,
                                      int, int) { ++legendClicks; };
    Press(Qt::LeftButton, places[2].x(), places[2].y());
    Release(Qt::LeftButton, places[2].x(), places[2].y());
    EXPECT_EQ(legendClicks, 1);
    EXPECT_EQ(background, 8);
}

TEST_F(ShownChart, BackgroundHandlerTakesAPlotPressByLeavingCancelMouseSet) {
    int offered = 0;
    bool take = true;
    chart.Mouse().OnClickBackground = [&](TCustomAxisPanel &sender, Qt::MouseButton,
                                          Qt::KeyboardModifiers, int, int) {
        ++offered;
        EXPECT_TRUE(sender.CancelMouse());
        if (!take)
            sender.SetCancelMouse(false);
    };
    ASSERT_EQ(chart.Mouse().CalcClickedPart(150, 100).Part, TChartClickedPartStyle::cpChartRect);
    Press(Qt::LeftButton, 150, 100);
    EXPECT_EQ(offered, 1);
    EXPECT_FALSE(chart.Zoom().Drag().Active);
    EXPECT_FALSE(chart.CancelMouse());
    Release(Qt::LeftButton, 150, 100);

    take = false;
    Press(Qt::LeftButton, 150, 100);
    EXPECT_EQ(offered, 2);
    EXPECT_TRUE(chart.Zoom().Drag().Active);
    Release(Qt::LeftButton, 150, 100);
}

TEST_F(ShownChart, SeriesPointClickAndCursor) {
    const QPoint point =
        chart.Canvas().Project(series->XPixel(1), series->YPixel(1), series->StartZ());
    const TChartClickedPart part = chart.Mouse().CalcClickedPart(point.x(), point.y());
    ASSERT_EQ(part.Part, TChartClickedPartStyle::cpSeries);
    EXPECT_EQ(part.ASeries, series);
    EXPECT_EQ(part.PointIndex, 1);

    TChartSeries *clicked = nullptr;
    int index = -1;
    chart.Mouse().OnClickSeries = [&](TCustomAxisPanel &, TChartSeries &s, int i, Qt::MouseButton,
                                      Qt::KeyboardModifiers, int, int) {
        clicked = &s;
        index = i;
    };
    Press(Qt::LeftButton, point.x(), point.y());
    EXPECT_EQ(clicked, series);
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(chart.Zoom().Drag().Active);
    Release(Qt::LeftButton, point.x(), point.y());

    series->SetCursor(2020);
    chart.setCursor(Qt::CrossCursor);
    chart.Loaded();
    Move(point.x(), point.y());
    EXPECT_EQ(chart.cursor().shape(), Qt::PointingHandCursor);
    Move(2, 2);
    EXPECT_EQ(chart.cursor().shape(), Qt::CrossCursor);
    Move(point.x(), point.y());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&chart, &leave);
    EXPECT_EQ(chart.cursor().shape(), Qt::CrossCursor);
}

TEST_F(ShownChart, NoNewDragWhileOneIsUnderWay) {
    Press(Qt::LeftButton, 100, 100);
    Press(Qt::RightButton, 150, 150);
    EXPECT_FALSE(chart.Mouse().PanDrag().Active);
    EXPECT_EQ(chart.Zoom().Drag().X0, 100);
    // A right release ends no zoom drag.
    Release(Qt::RightButton, 150, 150);
    EXPECT_TRUE(chart.Zoom().Drag().Active);
    Release(Qt::LeftButton, 100, 100);
    EXPECT_FALSE(chart.Zoom().Drag().Active);
}

} // namespace
} // namespace pexor
