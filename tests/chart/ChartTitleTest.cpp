#include "ChartDrawTestChart.h"

#include <gtest/gtest.h>

namespace pexor::test {
namespace {

// A chart laid out up to the titles on a 332 x 252 rectangle: PlotRect is
// (10, 10, 322, 242) when the titles are drawn.
class TitleChart : public ::testing::Test {
protected:
    void DrawTitles() {
        chart.surface.Clear();
        chart.SetDrawRect(TRect(0, 0, 332, 252));
        chart.CalcPlotRectFromMargins();
        chart.DrawTitlesAndLegend();
    }
    int FontHeight() {
        chart.SetCanvasFont(chart.Title().Font());
        return chart.Canvas().FontHeight();
    }
    int TextWidth(const QString &text) {
        chart.SetCanvasFont(chart.Title().Font());
        return chart.Canvas().TextWidth(text);
    }
    // A text exactly width pixels wide in the title font.
    QString TextOfWidth(int width) {
        for (int n = 0; n < 40; ++n)
            for (const QChar pad : {QChar('i'), QChar('l'), QChar('.'), QChar('x')})
                for (int m = 0; m < 12; ++m) {
                    const QString text = QString(n, QChar('W')) + QString(m, pad);
                    if (TextWidth(text) == width)
                        return text;
                }
        return QString();
    }
    std::vector<TCanvasRecord> Texts() const {
        return chart.surface.RecordsOf(TRecordKind::TextOut);
    }

    RecordingChartPanel chart;
};

TEST_F(TitleChart, OneLineTakesItsHeightAndFivePixels) {
    const QString text = QStringLiteral("Courbe de TP (%)");
    chart.Title().SetText({text});
    DrawTitles();
    const int fh = FontHeight();
    ASSERT_GT(fh, 0);
    EXPECT_EQ(chart.PlotRect(), TRect(10, 10 + fh + 5, 322, 242));
    EXPECT_EQ(chart.Title().TitleRect(), TRect(10, 10, 322, 10 + fh));
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].Text, text);
    EXPECT_EQ(texts[0].Points[0], QPoint(166 - TextWidth(text) / 2, 10));
    EXPECT_EQ(texts[0].Font.Color(), clBlue);
    EXPECT_EQ(texts[0].BackMode, TBackMode::Transparent);
    EXPECT_EQ(texts[0].TextAlign, TA_LEFT | TA_TOP);
    EXPECT_TRUE(chart.surface.RecordsOf(TRecordKind::Rectangle).empty());
}

TEST_F(TitleChart, TitlesWithoutLinesTakeNoRoom) {
    DrawTitles();
    EXPECT_EQ(chart.PlotRect(), TRect(10, 10, 322, 242));
    EXPECT_TRUE(Texts().empty());
}

TEST_F(TitleChart, HiddenTitleIsNotDrawn) {
    chart.Title().SetText({QStringLiteral("Haut")});
    chart.Title().SetVisible(false);
    DrawTitles();
    EXPECT_EQ(chart.PlotRect(), TRect(10, 10, 322, 242));
    EXPECT_TRUE(Texts().empty());
    EXPECT_FALSE(chart.Title().Clicked(100, 12));
}

TEST_F(TitleChart, FramedCentredTitleIsNarrowedToItsText) {
    const QString text = TextOfWidth(100);
    ASSERT_FALSE(text.isEmpty());
    chart.Title().SetText({text});
    chart.Title().Frame().SetVisible(true);
    chart.Title().Brush().SetColor(clYellow);
    DrawTitles();
    const int fh = FontHeight();
    // Half width 102 div 2 + 2 around the middle 166.
    EXPECT_EQ(chart.Title().TitleRect(), TRect(113, 10, 219, 12 + fh));
    EXPECT_EQ(chart.Title().TitleRect().Width(), 106);
    EXPECT_EQ(chart.PlotRect().Top, 10 + fh + 3 + 5);
    const auto rects = chart.surface.RecordsOf(TRecordKind::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].Points, QPolygon({QPoint(113, 10), QPoint(219, 12 + fh)}));
    EXPECT_EQ(rects[0].Brush.Color(), clYellow);
    EXPECT_EQ(rects[0].Brush.Style(), TBrushStyle::bsSolid);
    EXPECT_EQ(rects[0].Pen.Color(), clBlack);
    EXPECT_EQ(Texts()[0].Points[0], QPoint(166 - 50, 11));
    EXPECT_TRUE(chart.Title().Clicked(113, 10));
    EXPECT_FALSE(chart.Title().Clicked(219, 10));
}

TEST_F(TitleChart, FramedTitleAlignsItsNarrowFrame) {
    const QString text = TextOfWidth(100);
    ASSERT_FALSE(text.isEmpty());
    chart.Title().SetText({text});
    chart.Title().Frame().SetVisible(true);
    chart.Title().Frame().SetWidth(2);
    chart.Title().SetAlignment(TAlignment::taLeftJustify);
    DrawTitles();
    const int fh = FontHeight();
    EXPECT_EQ(chart.Title().TitleRect(), TRect(10, 10, 114, 14 + fh));
    EXPECT_EQ(Texts()[0].Points[0], QPoint(12, 12));
    // The brush without colour of its own fills nothing.
    EXPECT_EQ(chart.surface.RecordsOf(TRecordKind::Rectangle)[0].Brush.Style(),
              TBrushStyle::bsClear);

    chart.Title().SetAlignment(TAlignment::taRightJustify);
    DrawTitles();
    EXPECT_EQ(chart.Title().TitleRect(), TRect(218, 10, 322, 14 + fh));
    EXPECT_EQ(Texts()[0].Points[0], QPoint(320 - 100, 12));

    chart.Title().SetAdjustFrame(false);
    DrawTitles();
    EXPECT_EQ(chart.Title().TitleRect(), TRect(10, 10, 322, 14 + fh));
    EXPECT_EQ(chart.PlotRect().Top, 12 + fh + 4 + 5);
}

TEST_F(TitleChart, FrameWithoutColourDoesNotFrame) {
    chart.Title().SetText({QStringLiteral("Haut")});
    chart.Title().Frame().SetVisible(true);
    chart.Title().Frame().SetColor(clAutoColor);
    DrawTitles();
    EXPECT_TRUE(chart.surface.RecordsOf(TRecordKind::Rectangle).empty());
    EXPECT_EQ(chart.PlotRect().Top, 10 + FontHeight() + 5);
}

TEST_F(TitleChart, FootIsLaidOutUpwardsFromTheBottom) {
    chart.Foot().SetText({QStringLiteral("un"), QStringLiteral("deux")});
    chart.Foot().SetAlignment(TAlignment::taLeftJustify);
    DrawTitles();
    const int fh = FontHeight();
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Text, QStringLiteral("deux"));
    EXPECT_EQ(texts[0].Points[0], QPoint(10, 242 - fh));
    EXPECT_EQ(texts[1].Text, QStringLiteral("un"));
    EXPECT_EQ(texts[1].Points[0], QPoint(10, 242 - 2 * fh));
    EXPECT_EQ(chart.Foot().TitleRect(), TRect(10, 242 - 2 * fh, 322, 242));
    EXPECT_EQ(chart.PlotRect(), TRect(10, 10, 322, 242 - 2 * fh - 5));
}

TEST_F(TitleChart, TitleAndFootShrinkFromBothEnds) {
    chart.Title().SetText({QStringLiteral("Haut")});
    chart.Foot().SetText({QStringLiteral("Bas")});
    chart.Foot().SetAlignment(TAlignment::taRightJustify);
    DrawTitles();
    const int fh = FontHeight();
    EXPECT_EQ(chart.PlotRect(), TRect(10, 10 + fh + 5, 322, 242 - fh - 5));
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Text, QStringLiteral("Haut"));
    EXPECT_EQ(texts[1].Points[0], QPoint(322 - TextWidth(QStringLiteral("Bas")), 242 - fh));
}

TEST(ChartTitleFont, OnlyAFontUnlikeTheBlueDefaultIsStored) {
    RecordingChartPanel chart;
    TChartTitle &title = chart.Title();
    EXPECT_FALSE(title.IsFontStored());
    TFont font = title.Font();
    font.SetColor(clBlack);
    title.SetFont(font);
    EXPECT_TRUE(title.IsFontStored());
    font.SetColor(clBlue);
    font.SetStyle(fsBold);
    title.SetFont(font);
    EXPECT_TRUE(title.IsFontStored());
    font.SetStyle(0);
    title.SetFont(font);
    EXPECT_FALSE(title.IsFontStored());
}

} // namespace
} // namespace pexor::test
