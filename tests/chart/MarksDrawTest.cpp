#include "chart/panel/AxisPanel.h"
#include "chart/draw/SeriesMarksDraw.h"
#include "render/RecordingCanvas.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

using namespace pexor;

namespace {

// A flat chart on a recording canvas whose bottom axis runs 0 .. 10 and left
// axis 0 .. 100 over the plot (100, 50, 300, 250): one unit is 20 pixels
// across and 2 pixels up.
class MarksPanel : public TCustomAxisPanel {
public:
    MarksPanel() {
        Canvas().SetSurface(&surface);
        SetView3D(false);
        SetDrawRect(TRect(0, 0, 400, 300));
        SetPlotRect(TRect(100, 50, 300, 250));
        BottomAxis().SetMinMax(0, 10);
        LeftAxis().SetMinMax(0, 100);
        BottomAxis().UpdateRange();
        LeftAxis().UpdateRange();
    }
    ~MarksPanel() override { Canvas().SetSurface(nullptr); }

    TChartSeries &Add(std::initializer_list<double> values, const std::vector<QString> &labels) {
        auto *s = &AddSeries(std::make_unique<TChartSeries>());
        int i = 0;
        for (double v : values) {
            s->Add(v, i < int(labels.size()) ? labels[std::size_t(i)] : QString());
            ++i;
        }
        s->Marks().SetVisible(true);
        return *s;
    }

    void Draw(TChartSeries &s) {
        surface.Clear();
        s.CalcVisibleRange();
        DrawMarks(s, *this);
    }

    int FontHeight(const TFont &font) {
        SetCanvasFont(font);
        return Canvas().FontHeight();
    }
    int Width(const TFont &font, const QString &text) {
        SetCanvasFont(font);
        return Canvas().TextWidth(text);
    }

    RecordingCanvas surface;
};

TRect RectOf(const TCanvasRecord &r) {
    return TRect(r.Points[0].x(), r.Points[0].y(), r.Points[1].x(), r.Points[1].y());
}

} // namespace

TEST(MarksDrawTest, BoxArrowAndTextAtThePoint) {
    MarksPanel chart;
    TChartSeries &s = chart.Add({50, 20}, {QStringLiteral("Mark"), QStringLiteral("Deux")});
    ASSERT_EQ(s.XPixel(0), 100);
    ASSERT_EQ(s.YPixel(0), 150);
    ASSERT_EQ(s.XPixel(1), 120);
    ASSERT_EQ(s.YPixel(1), 210);
    const TFont &font = s.Marks().Font();
    const int fh = chart.FontHeight(font);
    const int w =
        chart.Width(font, QStringLiteral("W")) + chart.Width(font, QStringLiteral("Mark")) + 2;
    const int h = fh + 2;
    chart.Draw(s);

    const auto lines = chart.surface.RecordsOf(TRecordKind::LineTo);
    ASSERT_EQ(lines.size(), 2u);
    // The arrow of the base series is a point; white on the chart's face
    // colour stays as it is.
    EXPECT_EQ(lines[0].Points[0], QPoint(100, 150));
    EXPECT_EQ(lines[0].Points[1], QPoint(100, 150));
    EXPECT_EQ(lines[0].Pen.Color(), clWhite);

    const auto rects = chart.surface.RecordsOf(TRecordKind::Rectangle);
    ASSERT_EQ(rects.size(), 2u);
    const TRect box(100 - w / 2, 150 - h + 1, 100 - w / 2 + w, 150 + 1);
    EXPECT_EQ(RectOf(rects[0]), box);
    EXPECT_EQ(rects[0].Brush.Color(), TColor(0x80FFFF));
    EXPECT_EQ(rects[0].Brush.Style(), TBrushStyle::bsSolid);
    EXPECT_EQ(rects[0].Pen.Color(), clBlack);

    const auto texts = chart.surface.RecordsOf(TRecordKind::TextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Text, QStringLiteral("Mark"));
    EXPECT_EQ(texts[0].Points[0], QPoint(box.Left + w / 2, box.Top + 1));
    EXPECT_EQ(texts[0].TextAlign, TA_CENTER | TA_TOP);
    EXPECT_EQ(texts[0].BackMode, TBackMode::Transparent);
    EXPECT_EQ(texts[1].Text, QStringLiteral("Deux"));
    EXPECT_EQ(chart.Canvas().TextAlign(), TA_LEFT | TA_TOP);

    // Each computed position is kept for the point.
    const TSeriesMarkPosition *stored = s.Marks().Positions().Position(0);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->LeftTop, QPoint(box.Left, box.Top));
    EXPECT_EQ(stored->Width, w);
    EXPECT_EQ(stored->Height, h);
    EXPECT_FALSE(stored->Custom);
}

TEST(MarksDrawTest, CustomPositionIsUsedAsItStands) {
    MarksPanel chart;
    TChartSeries &s = chart.Add({50, 20}, {QStringLiteral("a"), QStringLiteral("b")});
    TSeriesMarkPosition custom;
    custom.ArrowFrom = QPoint(10, 20);
    custom.ArrowTo = QPoint(30, 40);
    custom.LeftTop = QPoint(50, 60);
    custom.Width = 70;
    custom.Height = 20;
    custom.Custom = true;
    s.Marks().Positions().SetPosition(1, custom);
    chart.Draw(s);

    const auto lines = chart.surface.RecordsOf(TRecordKind::LineTo);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].Points[0], QPoint(10, 20));
    EXPECT_EQ(lines[1].Points[1], QPoint(30, 40));
    const auto rects = chart.surface.RecordsOf(TRecordKind::Rectangle);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(RectOf(rects[1]), TRect(50, 60, 120, 80));
    const auto texts = chart.surface.RecordsOf(TRecordKind::TextOut);
    EXPECT_EQ(texts[1].Points[0], QPoint(85, 61));
    EXPECT_EQ(*s.Marks().Positions().Position(1), custom);
}

TEST(MarksDrawTest, SkippedPointsLinesAndColours) {
    MarksPanel chart;
    TChartSeries &s = chart.Add(
        {50, 20, 30}, {QStringLiteral("un\rdeux"), QStringLiteral("nul"), QStringLiteral("vide")});
    s.SetPointColor(1, clNone);
    s.OnGetMarkText = [](const TChartSeries &, int index, QString &text) {
        if (index == 2)
            text.clear();
    };
    s.Marks().Arrow().SetColor(clBlue);
    s.SetPointColor(0, clBlue);
    s.Marks().Frame().SetVisible(false);
    const TFont &font = s.Marks().Font();
    const int fh = chart.FontHeight(font);
    chart.Draw(s);

    // Only point 0 has a mark, of two lines.
    const auto texts = chart.surface.RecordsOf(TRecordKind::TextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Text, QStringLiteral("un"));
    EXPECT_EQ(texts[1].Text, QStringLiteral("deux"));
    const auto rects = chart.surface.RecordsOf(TRecordKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    const TRect box = RectOf(rects[0]);
    EXPECT_EQ(box.Height(), 2 * fh);
    EXPECT_EQ(box.Bottom, 151);
    EXPECT_TRUE(rects[0].Pen.IsClear());
    // Without a frame the text starts at the box's top.
    EXPECT_EQ(texts[0].Points[0].y(), box.Top);
    EXPECT_EQ(texts[1].Points[0].y(), box.Top + fh);
    // An arrow in the point's colour is drawn black.
    const auto lines = chart.surface.RecordsOf(TRecordKind::LineTo);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Pen.Color(), clBlack);
    EXPECT_EQ(s.Marks().Positions().Position(1), nullptr);

    // On a black chart it is drawn white; transparent marks without a frame
    // draw no box.
    chart.SetColor(clBlack);
    s.Marks().Arrow().SetColor(clBlack);
    s.Marks().SetTransparent(true);
    chart.Draw(s);
    ASSERT_EQ(chart.surface.RecordsOf(TRecordKind::LineTo).size(), 1u);
    EXPECT_EQ(chart.surface.RecordsOf(TRecordKind::LineTo)[0].Pen.Color(), clWhite);
    EXPECT_TRUE(chart.surface.RecordsOf(TRecordKind::Rectangle).empty());

    s.Marks().Arrow().SetVisible(false);
    s.Marks().SetVisible(false);
    chart.Draw(s);
    EXPECT_TRUE(chart.surface.Records().empty());
}

TEST(MarksDrawTest, ThreeDimensionalPlacement) {
    MarksPanel chart;
    chart.SetView3D(true);
    chart.View3DOptions().SetZoom(200);
    chart.Canvas().SetBuffered(false);
    chart.Canvas().Prepare(chart.surface, &chart.View3DOptions(), chart.DrawRect(), true);
    chart.Canvas().SetProjection(30, chart.DrawRect(), chart.PlotRect());
    TChartSeries &s = chart.Add({50}, {QStringLiteral("M")});
    s.Marks().SetZPosition(12);
    TFont font = s.Marks().Font();
    font.SetSize(16);
    const int fh = chart.FontHeight(font);
    const int w =
        chart.Width(font, QStringLiteral("W")) + chart.Width(font, QStringLiteral("M")) + 2;
    chart.surface.Clear();
    s.CalcVisibleRange();
    DrawMarks(s, chart);

    const QPoint p = chart.Canvas().Project(100, 150, 12);
    ASSERT_NE(p, QPoint(100, 150));
    const auto moves = chart.surface.RecordsOf(TRecordKind::MoveTo);
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves[0].Points[0], p);
    const auto rects = chart.surface.RecordsOf(TRecordKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    const int left = 100 - w / 2 + p.x() - 100;
    const int top = 150 - (fh + 2) + 1 + p.y() - 150;
    EXPECT_EQ(RectOf(rects[0]), TRect(left, top, left + w, top + fh + 2));
    const auto texts = chart.surface.RecordsOf(TRecordKind::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Font.Size(), 16);
    // The stored position is the flat one.
    EXPECT_EQ(s.Marks().Positions().Position(0)->LeftTop, QPoint(100 - w / 2, 150 - fh - 1));
}
