#include "tests/chart/AxisTestPanel.h"

#include "chart/ChartException.h"

#include <gtest/gtest.h>

using namespace pexor;
using pexor::test::AxisTestPanel;

namespace {

// A panel with walls, as the chart built on it has.
class WalledPanel : public AxisTestPanel {
protected:
    int LeftWallSize() const override { return 5; }
    int BottomWallSize() const override { return 7; }
    int BackWallSize() const override { return 3; }
};

class CountedSeries : public TChartSeries {
public:
    explicit CountedSeries(int &destroyed) : destroyed_(destroyed) {}
    ~CountedSeries() override { ++destroyed_; }

private:
    int &destroyed_;
};

} // namespace

TEST(ChartPanelDefaultsTest, NewPanelValues) {
    AxisTestPanel chart;
    EXPECT_EQ(chart.Width(), 400);
    EXPECT_EQ(chart.Height(), 250);
    EXPECT_EQ(chart.Color(), clBtnFace);
    EXPECT_EQ(chart.BevelOuter(), TBevelCut::bvRaised);
    EXPECT_EQ(chart.BevelInner(), TBevelCut::bvNone);
    EXPECT_EQ(chart.BevelWidth(), 1);
    EXPECT_EQ(chart.BorderWidth(), 0);
    EXPECT_EQ(chart.BorderStyle(), TBorderStyle::bsNone);
    EXPECT_TRUE(chart.View3D());
    EXPECT_EQ(chart.View3DOptions().Zoom(), 100);
    EXPECT_EQ(chart.MarginLeft(), 3);
    EXPECT_EQ(chart.MarginTop(), 4);
    EXPECT_EQ(chart.MarginRight(), 3);
    EXPECT_EQ(chart.MarginBottom(), 4);
    EXPECT_EQ(chart.Margin(1), 4);
    EXPECT_FALSE(chart.Monochrome());
    EXPECT_TRUE(chart.RepaintEnabled());
    EXPECT_FALSE(chart.Printing());
    EXPECT_TRUE(chart.AxisVisible());
    EXPECT_EQ(chart.Chart3DPercent(), 15);
    EXPECT_TRUE(chart.ClipPoints());
    EXPECT_TRUE(chart.View3DWalls());
    EXPECT_EQ(chart.MaxPointsPerPage(), 0);
    EXPECT_EQ(chart.Page(), 1);
    EXPECT_TRUE(chart.ScaleLastPage());
    EXPECT_EQ(chart.SeriesCount(), 0);
}

TEST(ChartPanelPlotTest, PlotRectFromMarginsAndTheWideningRule) {
    AxisTestPanel chart;
    chart.SetDrawRect(TRect(0, 0, 332, 252));
    chart.CalcPlotRectFromMargins();
    EXPECT_EQ(chart.PlotRect(), TRect(10, 10, 322, 242));
    EXPECT_EQ(chart.PlotWidth(), 312);
    EXPECT_EQ(chart.PlotHeight(), 232);
    EXPECT_EQ(chart.PlotXCenter(), 166);
    EXPECT_EQ(chart.PlotYCenter(), 126);

    chart.SetBorderWidth(2);
    chart.CalcPlotRectFromMargins();
    EXPECT_EQ(chart.PlotRect(), TRect(12, 12, 320, 240));

    // Squeezed rectangles: to the left of the drawing, crossed, or empty.
    chart.SetDrawRect(TRect(5, 5, 300, 200));
    chart.SetPlotRect(TRect(0, 0, 50, 50));
    EXPECT_EQ(chart.PlotRect(), TRect(5, 5, 50, 50));
    chart.SetPlotRect(TRect(60, 60, 50, 40));
    EXPECT_EQ(chart.PlotRect(), TRect(60, 60, 61, 61));
    chart.SetPlotRect(TRect(60, 60, 60, 60));
    EXPECT_EQ(chart.PlotRect(), TRect(60, 60, 460, 310));
    EXPECT_EQ(chart.PlotXCenter(), 260);
}

TEST(ChartPanelPlotTest, SeriesDepthFromThePlotWidth) {
    AxisTestPanel chart;
    chart.AddValues({1, 2});
    chart.SetDrawRect(TRect(0, 0, 1000, 1000));
    auto depthFor = [&](int width) {
        chart.SetPlotRect(TRect(0, 100, width, 400));
        chart.CalcSeriesZOrder();
        chart.CalcAxisRoom();
        return chart.SeriesDepth3D();
    };
    EXPECT_EQ(depthFor(300), 4); // 4.5 rounds to even
    EXPECT_EQ(depthFor(310), 5); // 4.65
    chart.View3DOptions().SetOrthogonal(false);
    EXPECT_EQ(depthFor(300), 9);
    EXPECT_EQ(depthFor(310), 9);
    chart.SetView3D(false);
    EXPECT_EQ(depthFor(300), 0);
    EXPECT_EQ(chart.Depth3D(), 0);
}

TEST(ChartPanelPlotTest, ZOrdersAndSlabsOfTheSeries) {
    AxisTestPanel chart;
    TChartSeries &a = chart.AddValues({1});
    TChartSeries &b = chart.AddValues({2});
    TChartSeries &c = chart.AddValues({3});
    chart.SetDrawRect(TRect(0, 0, 1000, 1000));
    chart.SetPlotRect(TRect(0, 100, 310, 400));
    chart.CalcSeriesZOrder();
    chart.CalcAxisRoom();
    chart.CalcSeriesDepths();
    EXPECT_EQ(a.ZOrder(), 2);
    EXPECT_EQ(b.ZOrder(), 1);
    EXPECT_EQ(c.ZOrder(), 0);
    EXPECT_EQ(chart.MaxZOrder(), 2);
    EXPECT_EQ(chart.SeriesDepth3D(), 5);
    EXPECT_EQ(chart.Depth3D(), 15);
    EXPECT_EQ(a.StartZ(), 10);
    EXPECT_EQ(a.EndZ(), 15);
    EXPECT_EQ(a.MiddleZ(), 12);
    EXPECT_EQ(a.Marks().ZPosition(), 12);
    EXPECT_EQ(c.StartZ(), 0);

    b.SetActive(false);
    c.SetActive(false);
    chart.CalcSeriesZOrder();
    chart.SetPlotRect(TRect(0, 100, 310, 400));
    chart.CalcAxisRoom();
    chart.CalcSeriesDepths();
    EXPECT_EQ(a.ZOrder(), 0);
    EXPECT_EQ(a.MiddleZ(), 2);
    EXPECT_EQ(chart.Depth3D(), chart.SeriesDepth3D());
}

TEST(ChartPanelPlotTest, AxisRoomGivesTheFinalPlotRect) {
    WalledPanel chart;
    chart.AddValues({10, 20});
    chart.LeftAxis().SetLabelsSize(30);
    chart.BottomAxis().SetLabelsSize(15);
    chart.SetDrawRect(TRect(0, 0, 400, 300));
    chart.SetPlotRect(TRect(10, 10, 390, 290));
    chart.CalcSeriesZOrder();
    chart.CalcAxisRoom();
    const int depth = chart.Depth3D();
    EXPECT_EQ(depth, 6); // 380 x 0.015 = 5.7
    // Back wall 3 and depth at the right and top; labels, ticks, pen and walls
    // at the left (30 + 4 + 2 + 5) and bottom (15 + 4 + 2 + 7).
    EXPECT_EQ(chart.PlotRect(), TRect(10 + 41, 10 + 3 + depth, 390 - 3 - depth, 290 - 28));
    EXPECT_EQ(chart.AxisWallSize(chart.LeftAxis()), 5);
    EXPECT_EQ(chart.AxisWallSize(chart.BottomAxis()), 7);
    EXPECT_EQ(chart.AxisWallSize(chart.TopAxis()), 0);
    chart.SetView3DWalls(false);
    EXPECT_EQ(chart.AxisWallSize(chart.LeftAxis()), 0);
}

TEST(ChartPanelPlotTest, AxisLineAndTicksStepOverTheWalls) {
    WalledPanel chart;
    chart.AddValues({0, 100});
    chart.LeftAxis().SetLabelsSize(30);
    chart.SetView3D(true);
    chart.Layout(TRect(50, 20, 250, 220));
    chart.LeftAxis().Draw(true);
    const auto lines = chart.surface.RecordsOf(TRecordKind::LineTo);
    ASSERT_FALSE(lines.empty());
    // x = 50 - 5, from the top to the bottom edge plus the bottom wall.
    EXPECT_EQ(lines.back().Points[0], QPoint(45, 20));
    EXPECT_EQ(lines.back().Points[1], QPoint(45, 227));
    chart.surface.Clear();
    chart.BottomAxis().Draw(true);
    const auto bottom = chart.surface.RecordsOf(TRecordKind::LineTo).back();
    EXPECT_EQ(bottom.Points[0], QPoint(45, 227));
    EXPECT_EQ(bottom.Points[1], QPoint(250, 227));
}

TEST(ChartPanelSettingsTest, Chart3DPercentAndPagingChecks) {
    AxisTestPanel chart;
    chart.SetChart3DPercent(100);
    EXPECT_EQ(chart.Chart3DPercent(), 100);
    chart.SetChart3DPercent(15);
    for (int bad : {101, 0}) {
        try {
            chart.SetChart3DPercent(bad);
            ADD_FAILURE() << bad;
        } catch (const ChartException &e) {
            EXPECT_EQ(e.Message(),
                      QStringLiteral("Le pourcentage effet 3D doit être compris entre 1 et 100"));
        }
        EXPECT_EQ(chart.Chart3DPercent(), 15);
    }
    try {
        chart.SetMaxPointsPerPage(-1);
        ADD_FAILURE();
    } catch (const ChartException &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("MaxPointsPerPage doit être >= 0"));
    }
    EXPECT_EQ(chart.MaxPointsPerPage(), 0);

    int pageChanges = 0;
    chart.OnPageChange = [&](TCustomAxisPanel &) { ++pageChanges; };
    chart.SetPage(3);
    EXPECT_EQ(chart.Page(), 1); // no paging: one page
    EXPECT_EQ(pageChanges, 0);
    chart.AddValues({1, 2, 3, 4, 5, 6, 7});
    chart.SetMaxPointsPerPage(3);
    EXPECT_EQ(chart.NumPages(), 3);
    chart.SetPage(5);
    EXPECT_EQ(chart.Page(), 3);
    EXPECT_EQ(pageChanges, 1);
    chart.SetMaxPointsPerPage(4); // two pages: the page comes down
    EXPECT_EQ(chart.Page(), 2);
    EXPECT_EQ(pageChanges, 2);
    chart.SetPage(0);
    EXPECT_EQ(chart.Page(), 1);
}

TEST(ChartPanelSettingsTest, RepaintOnlyOnChange) {
    AxisTestPanel chart;
    chart.paints = 0;
    chart.SetView3D(true);
    chart.SetAxisVisible(true);
    chart.SetChart3DPercent(15);
    chart.SetMarginLeft(3);
    chart.SetColor(clBtnFace);
    chart.View3DOptions().SetZoom(100);
    EXPECT_EQ(chart.paints, 0);
    chart.SetView3D(false);
    chart.SetMarginLeft(5);
    chart.View3DOptions().SetZoom(50);
    EXPECT_EQ(chart.paints, 3);
    chart.Canvas().MarkStale();
    chart.SetBounds(336, 256);
    EXPECT_EQ(chart.Width(), 336);
    EXPECT_TRUE(chart.Canvas().Stale());
}

TEST(ChartPanelSeriesTest, ListActiveCountVisibilityAndOwnership) {
    int destroyed = 0;
    {
        AxisTestPanel chart;
        // With no series every visible axis shows.
        EXPECT_TRUE(chart.IsAxisVisible(chart.TopAxis()));
        EXPECT_TRUE(chart.IsAxisVisible(chart.RightAxis()));
        EXPECT_FALSE(chart.IsAxisVisible(chart.DepthAxis()));

        auto *first = &chart.AddSeries(std::make_unique<CountedSeries>(destroyed));
        auto *second = &chart.AddSeries(std::make_unique<CountedSeries>(destroyed));
        first->Add(1);
        EXPECT_EQ(chart.SeriesCount(), 2);
        EXPECT_EQ(&chart.Series(0), first);
        EXPECT_EQ(first->GetHorizAxis(), &chart.BottomAxis());
        EXPECT_EQ(first->GetVertAxis(), &chart.LeftAxis());
        EXPECT_TRUE(chart.HasActivePoints());
        // The palette colours go to the series in turn.
        EXPECT_EQ(first->SeriesColor(), 0x0000FFu);
        EXPECT_EQ(second->SeriesColor(), 0x008000u);
        EXPECT_FALSE(chart.IsFreeSeriesColor(0x0000FF, false));
        EXPECT_TRUE(chart.IsFreeSeriesColor(0x00FFFF, true));

        EXPECT_TRUE(chart.IsAxisVisible(chart.BottomAxis()));
        EXPECT_TRUE(chart.IsAxisVisible(chart.LeftAxis()));
        EXPECT_FALSE(chart.IsAxisVisible(chart.TopAxis()));
        EXPECT_FALSE(chart.IsAxisVisible(chart.RightAxis()));
        second->SetVertAxis(TVertAxis::aRightAxis);
        EXPECT_TRUE(chart.IsAxisVisible(chart.RightAxis()));
        second->SetActive(false);
        EXPECT_EQ(chart.CountActiveSeries(), 1);
        EXPECT_FALSE(chart.IsAxisVisible(chart.RightAxis()));
        chart.SetAxisVisible(false);
        EXPECT_FALSE(chart.IsAxisVisible(chart.BottomAxis()));

        std::unique_ptr<TChartSeries> returned = chart.RemoveSeries(*second);
        EXPECT_EQ(returned.get(), second);
        EXPECT_EQ(chart.SeriesCount(), 1);
        EXPECT_EQ(second->ParentChart(), nullptr);
        EXPECT_EQ(chart.RemoveSeries(*second), nullptr); // not the chart's any more
        returned.reset();
        EXPECT_EQ(destroyed, 1);
    }
    EXPECT_EQ(destroyed, 2); // the chart destroyed the one it held
}

TEST(ChartPanelCanvasTest, CanvasFontKeepsItsPixelHeightAndPrintPens) {
    AxisTestPanel chart;
    TFont font = DefaultChartFont();
    font.SetPixelsPerInch(600);
    font.SetHeight(-11);
    chart.SetCanvasFont(font);
    EXPECT_EQ(chart.Canvas().Font().Height(), -11);
    EXPECT_EQ(chart.Canvas().Font().Name(), font.Name());

    TPen dotted(clGray, 1, TPenStyle::psDot);
    chart.CheckPrintPen(dotted);
    EXPECT_EQ(dotted.Width(), 1);
    chart.SetPrinting(true);
    chart.CheckPrintPen(dotted);
    EXPECT_EQ(dotted.Width(), 0);
    TPen solid(clGray, 1);
    chart.CheckPrintPen(solid);
    EXPECT_EQ(solid.Width(), 1);
    TPen wide(clGray, 2, TPenStyle::psDash);
    chart.CheckPrintPen(wide);
    EXPECT_EQ(wide.Width(), 2);
}
