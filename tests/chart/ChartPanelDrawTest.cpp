#include "ChartDrawTestChart.h"
#include "chart/ChartException.h"
#include "chart/draw/LineSeries.h"

#include <gtest/gtest.h>

namespace pexor::test {
namespace {

int IndexOf(const RecordingCanvas &canvas, const std::function<bool(const TCanvasRecord &)> &match,
            int from = 0) {
    const auto &records = canvas.Records();
    for (int i = from; i < int(records.size()); ++i)
        if (match(records[std::size_t(i)]))
            return i;
    return -1;
}

TEST(ChartLayout, FirstPlotRectComesFromTheMarginsByMulDiv) {
    RecordingChartPanel chart;
    TRect atStart;
    // Step 2 tells the series before titles, legend and axes take their room.
    struct Probe : LoggingSeries {
        TRect *seen;
        TCustomChart *chart;
        Probe(TRect *s, TCustomChart *c) : seen(s), chart(c) {}
        void DrawingBegins() override { *seen = chart->PlotRect(); }
    };
    chart.AddSeries(std::make_unique<Probe>(&atStart, &chart));
    chart.DrawAt(TRect(0, 0, 332, 252));
    EXPECT_EQ(atStart, TRect(10, 10, 322, 242));
    EXPECT_EQ(chart.DrawRect(), TRect(0, 0, 332, 252));

    chart.SetBorderWidth(2);
    chart.DrawAt(TRect(0, 0, 332, 252));
    EXPECT_EQ(atStart, TRect(12, 12, 320, 240));
}

TEST(ChartLayout, SeriesDepthRoundsHalfToEven) {
    struct Case {
        int drawWidth;
        bool orthogonal;
        int depth;
    };
    // Draw widths 320 and 330 leave plots of 300 and 310 pixels.
    for (const Case &c :
         {Case{320, true, 4}, Case{330, true, 5}, Case{320, false, 9}, Case{330, false, 9}}) {
        RecordingChartPanel chart;
        chart.SetAxisVisible(false);
        chart.Legend().SetVisible(false);
        chart.View3DOptions().SetOrthogonal(c.orthogonal);
        chart.AddLogging({1, 2, 3});
        int widthSeen = 0;
        chart.LeftAxis().SetVisible(false);
        chart.OnAfterDraw = [&](TCustomAxisPanel &) { widthSeen = chart.SeriesDepth3D(); };
        chart.DrawAt(TRect(0, 0, c.drawWidth, 250));
        EXPECT_EQ(chart.SeriesDepth3D(), c.depth) << c.drawWidth << " " << c.orthogonal;
        EXPECT_EQ(chart.Depth3D(), c.depth);
        EXPECT_EQ(widthSeen, c.depth);
    }
}

TEST(ChartLayout, OrthogonalDepthTakesRoomAtTopAndRight) {
    RecordingChartPanel chart;
    chart.SetAxisVisible(false);
    chart.Legend().SetVisible(false);
    chart.AddLogging({1, 2, 3});
    chart.DrawAt(TRect(0, 0, 320, 250));
    // 300 x 230 after the margins, then 4 pixels of depth.
    EXPECT_EQ(chart.PlotRect(), TRect(10, 14, 306, 240));
    chart.BackWall().SetSize(3);
    chart.DrawAt(TRect(0, 0, 320, 250));
    EXPECT_EQ(chart.PlotRect(), TRect(10, 17, 303, 240));
    chart.SetView3D(false);
    chart.DrawAt(TRect(0, 0, 320, 250));
    EXPECT_EQ(chart.PlotRect(), TRect(10, 10, 310, 240));
    EXPECT_EQ(chart.Depth3D(), 0);
}

TEST(ChartLayout, SeriesZOrdersPutTheFirstSeriesAtTheBack) {
    RecordingChartPanel chart;
    chart.SetAxisVisible(false);
    chart.Legend().SetVisible(false);
    LoggingSeries &a = chart.AddLogging({1, 2});
    LoggingSeries &b = chart.AddLogging({1, 2});
    LoggingSeries &c = chart.AddLogging({1, 2});
    chart.DrawAt(TRect(0, 0, 320, 250));
    EXPECT_EQ(a.ZOrder(), 2);
    EXPECT_EQ(b.ZOrder(), 1);
    EXPECT_EQ(c.ZOrder(), 0);
    EXPECT_EQ(chart.MaxZOrder(), 2);
    EXPECT_EQ(chart.SeriesDepth3D(), 4);
    EXPECT_EQ(chart.Depth3D(), 12);
    EXPECT_EQ(a.StartZ(), 8);
    EXPECT_EQ(a.EndZ(), 12);
    EXPECT_EQ(a.MiddleZ(), 10);
    EXPECT_EQ(a.Marks().ZPosition(), 10);
    EXPECT_EQ(c.StartZ(), 0);
    EXPECT_EQ(c.MiddleZ(), 2);

    b.SetActive(false);
    chart.DrawAt(TRect(0, 0, 320, 250));
    EXPECT_EQ(a.ZOrder(), 1);
    EXPECT_EQ(c.ZOrder(), 0);
    EXPECT_EQ(chart.Depth3D(), 8);

    chart.SetView3D(false);
    chart.DrawAt(TRect(0, 0, 320, 250));
    EXPECT_EQ(a.ZOrder(), 0);
    EXPECT_EQ(c.ZOrder(), 0);
    EXPECT_EQ(chart.MaxZOrder(), 0);
    EXPECT_EQ(a.EndZ(), 0);
}

TEST(ChartDrawing, StepsRunInTheirFixedOrder) {
    RecordingChartPanel chart;
    chart.SetBevelOuter(TBevelCut::bvLowered);
    chart.Title().SetText({QStringLiteral("Titre")});
    std::vector<QString> log;
    LoggingSeries &series = chart.AddLogging({80, 95, 70}, &log);
    int seriesStart = -1;
    int beginsAt = -1;
    series.BeforeDrawValues = [&](TChartSeries &) {
        seriesStart = int(chart.surface.Records().size());
    };
    struct Tell : LoggingSeries {
        int *at;
        RecordingCanvas *surface;
        Tell(int *a, RecordingCanvas *s) : at(a), surface(s) {}
        void DrawingBegins() override { *at = int(surface->Records().size()); }
    };
    auto told = std::make_unique<Tell>(&beginsAt, &chart.surface);
    told->Add(1);
    chart.AddSeries(std::move(told));
    int afterDrawAt = -1;
    TPen penAtEnd;
    TBrush brushAtEnd;
    TFont fontAtEnd;
    chart.OnAfterDraw = [&](TCustomAxisPanel &) {
        afterDrawAt = int(chart.surface.Records().size());
        penAtEnd = chart.surface.Pen();
        brushAtEnd = chart.surface.Brush();
        fontAtEnd = chart.surface.Font();
    };
    chart.DrawAt(TRect(0, 0, 332, 252));
    const RecordingCanvas &s = chart.surface;

    const int panel = IndexOf(s, [](const TCanvasRecord &r) {
        return r.Kind == TRecordKind::FillRect && r.Brush.Color() == clBtnFace;
    });
    const int bevel = IndexOf(s, [](const TCanvasRecord &r) {
        return r.Kind == TRecordKind::Polyline && r.Pen.Color() == clBtnShadow;
    });
    // Two series: the legend lists them, at the right, before the titles.
    const int legend = IndexOf(s, [](const TCanvasRecord &r) {
        return r.Kind == TRecordKind::TextOut && r.Text == QStringLiteral("Series 0");
    });
    const int title = IndexOf(s, [](const TCanvasRecord &r) {
        return r.Kind == TRecordKind::TextOut && r.Text == QStringLiteral("Titre");
    });
    const int walls =
        IndexOf(s, [](const TCanvasRecord &r) { return r.Kind == TRecordKind::Polygon; });
    const int leftWall = IndexOf(s, [](const TCanvasRecord &r) {
        return r.Kind == TRecordKind::Polygon && r.Brush.Color() == 0x80FFFF;
    });
    const int axes = IndexOf(
        s, [](const TCanvasRecord &r) { return r.Kind == TRecordKind::TextOut; }, title + 1);

    EXPECT_EQ(panel, 0);
    EXPECT_LT(panel, bevel);
    EXPECT_LE(bevel, beginsAt);
    EXPECT_LE(beginsAt, legend);
    EXPECT_LT(legend, title);
    EXPECT_LT(title, walls);
    EXPECT_LE(walls, leftWall);
    EXPECT_LT(leftWall, axes);
    EXPECT_LT(axes, seriesStart);
    EXPECT_EQ(afterDrawAt, int(s.Records().size()));
    EXPECT_EQ(std::vector<QString>(log.begin(), log.end()),
              (std::vector<QString>{"begins", "value 0", "value 1", "value 2", "after"}));

    EXPECT_EQ(penAtEnd, TPen(clBlack, 1, TPenStyle::psSolid));
    EXPECT_EQ(brushAtEnd, TBrush(clWhite, TBrushStyle::bsSolid));
    EXPECT_EQ(fontAtEnd.Color(), clBlack);
    EXPECT_EQ(fontAtEnd.Size(), 10);
    EXPECT_EQ(chart.surface.BackMode(), TBackMode::Opaque);
    EXPECT_EQ(chart.surface.BackColor(), clWhite);
}

TEST(ChartDrawing, SeriesAreClippedToThePlotBox) {
    RecordingChartPanel chart;
    LoggingSeries &series = chart.AddLogging({1, 2, 3});
    TClip during;
    series.BeforeDrawValues = [&](TChartSeries &) { during = chart.surface.Clip(); };
    struct Capture : LoggingSeries {
        TClip *seen;
        RecordingCanvas *surface;
        Capture(TClip *s, RecordingCanvas *c) : seen(s), surface(c) {}
        void DrawValue(int) override { *seen = surface->Clip(); }
    };
    TClip drawing;
    auto capture = std::make_unique<Capture>(&drawing, &chart.surface);
    capture->Add(1);
    chart.AddSeries(std::move(capture));
    chart.DrawAt(TRect(0, 0, 332, 252));
    EXPECT_EQ(during.kind, TClip::Kind::None);
    EXPECT_EQ(drawing.kind, TClip::Kind::Region);
    EXPECT_EQ(chart.surface.Clip().kind, TClip::Kind::None);

    chart.SetClipPoints(false);
    chart.DrawAt(TRect(0, 0, 332, 252));
    EXPECT_EQ(drawing.kind, TClip::Kind::None);
}

TEST(ChartDrawing, SeriesWithoutVisiblePointsIsSkippedWithoutEvents) {
    RecordingChartPanel chart;
    std::vector<QString> log;
    chart.AddLogging({}, &log, QStringLiteral("vide"));
    chart.AddLogging({5}, &log, QStringLiteral("un"));
    chart.DrawAt(TRect(0, 0, 332, 252));
    EXPECT_EQ(log, (std::vector<QString>{"vide begins", "un begins", "un before", "un value 0",
                                         "un after"}));
}

TEST(ChartDrawing, SeriesSharingAZOrderDrawPointByPoint) {
    RecordingChartPanel chart;
    std::vector<QString> log;
    LoggingSeries &a = chart.AddLogging({1, 2, 3}, &log, QStringLiteral("a"));
    LoggingSeries &b = chart.AddLogging({4, 5}, &log, QStringLiteral("b"));
    LoggingSeries &c = chart.AddLogging({6, 7, 8}, &log, QStringLiteral("c"));
    chart.DrawAt(TRect(0, 0, 332, 252));
    log.clear();
    // Bars and areas give a shared slot to several series.
    a.SetZOrder(0);
    b.SetZOrder(1);
    c.SetZOrder(0);
    a.seriesForwardAt = 1;
    chart.DrawAllSeries();
    EXPECT_EQ(log,
              (std::vector<QString>{"a before", "c before", "a value 0", "c value 0", "c value 1",
                                    "a value 1", "a value 2", "c value 2", "a after", "c after",
                                    "b before", "b value 0", "b value 1", "b after"}));

    log.clear();
    a.forward = false;
    a.seriesForwardAt = -1;
    chart.DrawAllSeries();
    EXPECT_EQ(log,
              (std::vector<QString>{"a before", "c before", "a value 2", "c value 2", "a value 1",
                                    "c value 1", "a value 0", "c value 0", "a after", "c after",
                                    "b before", "b value 0", "b value 1", "b after"}));

    log.clear();
    chart.SetView3D(false);
    chart.DrawAllSeries();
    EXPECT_EQ(log.front(), QStringLiteral("a before"));
    EXPECT_EQ(log[1], QStringLiteral("a value 2"));
}

TEST(ChartProperties, SettingTheCurrentValueRequestsNoRepaint) {
    RecordingChartPanel chart;
    const int start = chart.paints;
    chart.SetView3D(true);
    chart.SetChart3DPercent(15);
    chart.SetMarginLeft(3);
    chart.SetColor(clBtnFace);
    chart.SetBevelOuter(TBevelCut::bvRaised);
    chart.SetAxisVisible(true);
    chart.SetBackImageMode(TBackImageMode::pbmStretch);
    chart.SetBackImageInside(false);
    chart.Mouse().SetAllowPanning(TPanningMode::pmBoth);
    chart.LeftWall().SetColor(0x80FFFF);
    chart.BottomWall().SetSize(0);
    chart.Gradient().SetVisible(false);
    chart.Title().SetVisible(true);
    chart.Title().SetAlignment(TAlignment::taCenter);
    chart.BackWall().Pen().SetColor(clBlack);
    chart.SetTitle(chart.Title());
    chart.SetBackImage(QImage());
    EXPECT_EQ(chart.paints, start);
    EXPECT_FALSE(chart.Canvas().Stale() && chart.paints != start);

    chart.SetMarginLeft(4);
    EXPECT_EQ(chart.paints, start + 1);
    chart.LeftWall().SetColor(clRed);
    chart.BackWall().Brush().SetStyle(TBrushStyle::bsSolid);
    chart.Gradient().SetEndColor(clRed);
    chart.Title().SetFont(TFont(QStringLiteral("Arial"), 12));
    EXPECT_EQ(chart.paints, start + 5);
    // A title's text always repaints.
    chart.Title().SetText(chart.Title().Text());
    EXPECT_EQ(chart.paints, start + 6);
}

TEST(ChartProperties, DefaultsOfANewChart) {
    RecordingChartPanel chart;
    EXPECT_EQ(chart.Width(), 400);
    EXPECT_EQ(chart.Height(), 250);
    EXPECT_EQ(chart.Color(), clBtnFace);
    EXPECT_EQ(chart.BevelOuter(), TBevelCut::bvRaised);
    EXPECT_EQ(chart.BevelInner(), TBevelCut::bvNone);
    EXPECT_EQ(chart.BorderStyle(), TBorderStyle::bsNone);
    EXPECT_EQ(chart.Chart3DPercent(), 15);
    EXPECT_EQ(chart.BackColor(), clAutoColor);
    EXPECT_EQ(chart.BackWall().Brush().Style(), TBrushStyle::bsClear);
    EXPECT_EQ(chart.LeftWall().Color(), TColor(0x80FFFF));
    EXPECT_EQ(chart.BottomWall().Color(), clWhite);
    EXPECT_EQ(chart.Title().Font().Color(), clBlue);
    EXPECT_EQ(chart.Title().Font().Name(), QStringLiteral("Arial"));
    EXPECT_EQ(chart.Title().Font().Size(), 8);
    EXPECT_FALSE(chart.Title().IsFontStored());
    EXPECT_TRUE(chart.Title().Text().isEmpty());
    EXPECT_TRUE(chart.Foot().Text().isEmpty());
    EXPECT_FALSE(chart.Title().Frame().Visible());
    EXPECT_EQ(chart.Title().Brush().Color(), clAutoColor);
    EXPECT_FALSE(chart.Gradient().Visible());
    EXPECT_EQ(chart.Gradient().StartColor(), clWhite);
    EXPECT_EQ(chart.Gradient().EndColor(), clYellow);
    EXPECT_EQ(chart.Zoom().AnimatedZoomSteps(), 8);
    EXPECT_TRUE(chart.Mouse().AllowZoom());
    EXPECT_FALSE(chart.Zoom().AnimatedZoom());
    EXPECT_FALSE(chart.Zoom().Drag().Active);
    EXPECT_TRUE(chart.BackImage().isNull());
}

TEST(ChartProperties, RangeErrorsKeepTheOldValue) {
    RecordingChartPanel chart;
    for (int bad : {0, 101, -5}) {
        try {
            chart.SetChart3DPercent(bad);
            FAIL() << bad;
        } catch (const ChartException &e) {
            EXPECT_EQ(e.Message(),
                      QStringLiteral("Le pourcentage effet 3D doit être compris entre 1 et 100"));
        }
        EXPECT_EQ(chart.Chart3DPercent(), 15);
    }
    chart.SetChart3DPercent(100);
    EXPECT_EQ(chart.Chart3DPercent(), 100);
    try {
        chart.SetMaxPointsPerPage(-1);
        FAIL();
    } catch (const ChartException &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("MaxPointsPerPage doit être >= 0"));
    }
    EXPECT_EQ(chart.MaxPointsPerPage(), 0);
}

TEST(ChartProperties, PageIsClampedAndReported) {
    RecordingChartPanel chart;
    chart.AddLogging({1, 2, 3, 4, 5, 6, 7});
    int changes = 0;
    chart.OnPageChange = [&](TCustomAxisPanel &) { ++changes; };
    chart.SetPage(3);
    EXPECT_EQ(chart.Page(), 1);
    EXPECT_EQ(changes, 0);
    chart.SetMaxPointsPerPage(2);
    chart.SetPage(9);
    EXPECT_EQ(chart.Page(), 4);
    EXPECT_EQ(changes, 1);
    chart.SetMaxPointsPerPage(3);
    EXPECT_EQ(chart.Page(), 3);
    EXPECT_EQ(changes, 2);
}

TEST(ChartProperties, BackColorMakesTheBackWallSolid) {
    RecordingChartPanel chart;
    chart.SetBackColor(clRed);
    EXPECT_EQ(chart.BackWall().Color(), clRed);
    EXPECT_EQ(chart.BackWall().Brush().Style(), TBrushStyle::bsSolid);
    EXPECT_EQ(&chart.Frame(), &chart.BackWall().Pen());
    EXPECT_FALSE(chart.IsFreeSeriesColor(clRed, true));
    EXPECT_TRUE(chart.IsFreeSeriesColor(clRed, false));
}

TEST(ChartDrawing, ZoomDragDrawsItsRectangleLastInNotXor) {
    RecordingChartPanel chart;
    chart.SetColor(clWhite);
    chart.Zoom().Drag().Activate(40, 50);
    chart.Zoom().Drag().X1 = 90;
    chart.Zoom().Drag().Y1 = 70;
    chart.DrawAt(TRect(0, 0, 332, 252));
    const auto rects = chart.surface.RecordsOf(TRecordKind::Rectangle);
    ASSERT_FALSE(rects.empty());
    const TCanvasRecord &r = rects.back();
    EXPECT_EQ(r.Points, QPolygon({QPoint(40, 50), QPoint(90, 70)}));
    EXPECT_EQ(r.RasterOp, TRasterOp::NotXor);
    EXPECT_EQ(r.Pen.Color(), clRed);
    EXPECT_EQ(r.Brush.Style(), TBrushStyle::bsClear);
    EXPECT_EQ(chart.surface.RasterOp(), TRasterOp::Copy);
}

// A series filled point by point asks for one paint until the chart
// answers; every other change still asks each time.
TEST(ChartPanelDraw, PointsAppendedBetweenPaintsAskOnce) {
    RecordingChartPanel chart;
    // Kept as a picture, served again while nothing marks it stale.
    chart.Canvas().SetBuffered(true);
    auto &series = chart.AddSeries(std::make_unique<TLineSeries>());
    chart.DrawAt(TRect(0, 0, 400, 300));
    EXPECT_FALSE(chart.Canvas().Stale());
    const int start = chart.paints;
    for (int i = 0; i < 50; ++i)
        series.AddXY(i, i % 7);
    EXPECT_EQ(chart.paints, start + 1);
    EXPECT_TRUE(chart.Canvas().Stale());
    series.Add(3, QStringLiteral("a"));
    series.SetTitle(QStringLiteral("TP"));
    EXPECT_EQ(chart.paints, start + 3);

    // Drawn: the next point asks again, and marks the picture stale again.
    chart.DrawAt(TRect(0, 0, 400, 300));
    EXPECT_FALSE(chart.Canvas().Stale());
    series.AddXY(60, 1);
    EXPECT_EQ(chart.paints, start + 4);
    EXPECT_TRUE(chart.Canvas().Stale());
    series.AddXY(61, 2);
    EXPECT_EQ(chart.paints, start + 4);
}

} // namespace
} // namespace pexor::test
