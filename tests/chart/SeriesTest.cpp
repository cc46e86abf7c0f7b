#include "chart/ChartEngine.h"
#include "platform/DateUtil.h"
#include "platform/LocaleSettings.h"
#include "tests/chart/SeriesTestChart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace pexor {
namespace {

QString ErrorText(const std::function<void()> &call) {
    try {
        call();
    } catch (const Exception &e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}

TEST(Series, NewSeriesDefaults) {
    TChartSeries series;
    EXPECT_EQ(series.Count(), 0);
    EXPECT_TRUE(series.Active());
    EXPECT_TRUE(series.ShowInLegend());
    EXPECT_FALSE(series.ColorEachPoint());
    EXPECT_EQ(series.SeriesColor(), clAutoColor);
    EXPECT_EQ(series.ValueFormat(), QStringLiteral("#,##0.###"));
    EXPECT_EQ(series.PercentFormat(), QStringLiteral("##0.## %"));
    EXPECT_EQ(series.XValues().Name(), QStringLiteral("X"));
    EXPECT_EQ(series.YValues().Name(), QStringLiteral("Y"));
    EXPECT_EQ(series.XValues().Order(), TChartListOrder::loAscending);
    EXPECT_EQ(series.YValues().Order(), TChartListOrder::loNone);
    EXPECT_FALSE(series.XValues().DateTime());
    EXPECT_EQ(series.XValues().Multiplier(), 1.0);
    ASSERT_EQ(series.ValuesLists().size(), 2u);
    EXPECT_EQ(series.ValuesLists()[0], &series.XValues());
    EXPECT_EQ(series.ValuesLists()[1], &series.YValues());
    EXPECT_EQ(series.HorizAxis(), THorizAxis::aBottomAxis);
    EXPECT_EQ(series.VertAxis(), TVertAxis::aLeftAxis);
    EXPECT_EQ(series.RecalcOptions(), rOnDelete | rOnModify | rOnAdd | rOnClear);
    EXPECT_EQ(series.FirstVisibleIndex(), -1);
    EXPECT_EQ(series.LastVisibleIndex(), -1);

    const TSeriesMarks &marks = series.Marks();
    EXPECT_FALSE(marks.Visible());
    EXPECT_EQ(marks.Style(), TSeriesMarksStyle::smsLabel);
    EXPECT_EQ(marks.ArrowLength(), 8);
    EXPECT_EQ(marks.BackColor(), TColor(0x80FFFF));
    EXPECT_FALSE(marks.Clip());
    EXPECT_FALSE(marks.Transparent());
    EXPECT_EQ(marks.Arrow().Color(), clWhite);
    EXPECT_TRUE(marks.Frame().Visible());
    EXPECT_EQ(marks.Frame().Color(), clBlack);
}

TEST(Series, AddLaysPointsOutByPosition) {
    TChartSeries series;
    EXPECT_EQ(series.Add(5), 0);
    EXPECT_EQ(series.Add(7), 1);
    EXPECT_EQ(series.Add(9), 2);
    EXPECT_EQ(series.Count(), 3);
    EXPECT_EQ(series.XValue(0), 0);
    EXPECT_EQ(series.XValue(1), 1);
    EXPECT_EQ(series.XValue(2), 2);
    EXPECT_EQ(series.YValue(2), 9);
    EXPECT_EQ(series.MinY(), 5);
    EXPECT_EQ(series.MaxY(), 9);
    EXPECT_EQ(series.MinX(), 0);
    EXPECT_EQ(series.MaxX(), 2);
    EXPECT_EQ(series.YValues().Total(), 21);

    series.Delete(2); // the largest
    EXPECT_EQ(series.MaxY(), 7);
    EXPECT_EQ(series.MaxX(), 1);
    EXPECT_EQ(series.YValues().Total(), 12);
    // X is the count before the call, even after a delete.
    EXPECT_EQ(series.Add(1), 2);
    EXPECT_EQ(series.XValue(2), 2);
}

TEST(Series, AddXYKeepsYLabelsAndColoursWithTheirX) {
    TChartSeries series;
    EXPECT_EQ(series.AddXY(2, 20, QStringLiteral("b"), clBlue), 0);
    EXPECT_EQ(series.AddXY(1, 10, QStringLiteral("a")), 0);
    EXPECT_EQ(series.AddXY(2, 21, QStringLiteral("c"), clLime), 2);
    EXPECT_EQ(series.AddXY(3, 30), 3);
    EXPECT_EQ(series.AddXY(0, 0, QString(), clRed), 0);
    const std::vector<double> ys{0, 10, 20, 21, 30};
    const std::vector<QString> labels{"", "a", "b", "c", ""};
    series.SetSeriesColor(clGray);
    const std::vector<TColor> colors{clRed, clGray, clBlue, clLime, clGray};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(series.YValue(i), ys[std::size_t(i)]) << i;
        EXPECT_EQ(series.PointLabel(i), labels[std::size_t(i)]) << i;
        EXPECT_EQ(series.PointColor(i), colors[std::size_t(i)]) << i;
    }

    series.Delete(2);
    EXPECT_EQ(series.Count(), 4);
    EXPECT_EQ(series.YValue(2), 21);
    EXPECT_EQ(series.PointLabel(2), QStringLiteral("c"));
    EXPECT_EQ(series.PointColor(2), clLime);
    EXPECT_EQ(series.PointLabel(1), QStringLiteral("a"));
    EXPECT_EQ(series.PointColor(1), clGray);
}

TEST(Series, PointColours) {
    TChartSeries series;
    series.SetSeriesColor(clRed);
    series.Add(80, QStringLiteral("05/03/2002"), 0xFF0000);
    series.Add(90);
    series.Add(70, QString(), clDefaultPointColor);
    series.Add(60);
    series.AddNull(QStringLiteral("vide"));
    EXPECT_EQ(series.PointColor(0), TColor(0xFF0000));
    EXPECT_EQ(series.PointColor(1), clRed);
    EXPECT_EQ(series.PointColor(2), clRed); // 0x20000000 is kept as clAutoColor
    EXPECT_EQ(series.PointColor(4), clNone);
    EXPECT_EQ(series.YValue(4), 0);
    EXPECT_EQ(series.XValue(4), 4);
    EXPECT_EQ(series.PointLabel(4), QStringLiteral("vide"));
    EXPECT_EQ(series.PointColor(99), clRed);
    EXPECT_EQ(series.PointColor(-1), clRed);

    series.SetColorEachPoint(true);
    EXPECT_EQ(series.PointColor(3), TColor(0xFF0000)); // palette entry 3
    EXPECT_EQ(series.PointColor(1), TColor(0x008000));
    EXPECT_EQ(series.PointColor(2), TColor(0x00FFFF));
    EXPECT_EQ(series.PointColor(0), TColor(0xFF0000)); // its own colour
    EXPECT_EQ(series.PointColor(4), clNone);

    series.SetPointColor(1, clPurple);
    EXPECT_EQ(series.PointColor(1), clPurple);
    // Turning it off forgets every point's own colour.
    series.SetColorEachPoint(false);
    for (int i = 0; i < series.Count(); ++i)
        EXPECT_EQ(series.PointColor(i), clRed) << i;
    EXPECT_THROW(series.SetPointColor(5, clBlue), EListError);

    const std::vector<TColor> palette{0x0000FF, 0x008000, 0x00FFFF, 0xFF0000, 0xFFFFFF, 0x808080,
                                      0xFF00FF, 0x808000, 0x800000, 0x000080, 0x00FF00, 0x008080,
                                      0x800080, 0xC0C0C0, 0xFFFF00, 0x000000};
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(PaletteColor(i), palette[std::size_t(i)]) << i;
        EXPECT_EQ(PaletteColor(i + 16), palette[std::size_t(i)]) << i;
    }
}

TEST(Series, Labels) {
    TChartSeries series;
    series.Add(1, QString());
    series.Add(2, QStringLiteral("02/01/2002"));
    series.Add(3);
    EXPECT_EQ(series.PointLabel(0), QString());
    EXPECT_EQ(series.PointLabel(1), QStringLiteral("02/01/2002"));
    EXPECT_EQ(series.PointLabel(2), QString());
    EXPECT_EQ(series.PointLabel(3), QString());
    EXPECT_EQ(series.PointLabel(-1), QString());
}

TEST(Series, AddEvents) {
    TChartSeries series;
    std::vector<int> afterAdd;
    series.OnAfterAdd = [&](TChartSeries &sender, int index) {
        EXPECT_EQ(&sender, &series);
        afterAdd.push_back(index);
    };
    bool allow = false;
    series.OnBeforeAdd = [&](TChartSeries &sender) {
        EXPECT_EQ(sender.XValues().PendingValue(), 4);
        EXPECT_EQ(sender.YValues().PendingValue(), 40);
        return allow;
    };
    EXPECT_EQ(series.AddXY(4, 40, QStringLiteral("x"), clRed), -1);
    EXPECT_EQ(series.Count(), 0);
    EXPECT_EQ(series.PointLabel(0), QString());
    EXPECT_TRUE(afterAdd.empty());

    // The handler may change what is added.
    series.OnBeforeAdd = [&](TChartSeries &sender) {
        sender.XValues().SetPendingValue(-1);
        sender.YValues().SetPendingValue(99);
        return true;
    };
    series.AddXY(5, 50);
    EXPECT_EQ(series.AddXY(4, 40), 1);
    EXPECT_EQ(series.XValue(0), -1);
    EXPECT_EQ(series.XValue(1), -1);
    EXPECT_EQ(series.YValue(1), 99);
    EXPECT_EQ(afterAdd, (std::vector<int>{0, 1}));
}

TEST(Series, ClearAndDelete) {
    test::RecordingChart chart;
    int cleared = 0; // outlives the series that counts into it
    TChartSeries series;
    series.SetParentChart(&chart);
    series.OnClearValues = [&](TChartSeries &sender) {
        EXPECT_EQ(&sender, &series);
        EXPECT_EQ(sender.Count(), 0);
        ++cleared;
    };
    chart.repaints = 0;
    series.Clear(); // empty: still notifies and repaints
    EXPECT_EQ(cleared, 1);
    EXPECT_EQ(chart.repaints, 1);

    series.Add(3, QStringLiteral("a"), clRed);
    series.Add(4, QStringLiteral("b"), clBlue);
    series.Marks().Positions().SetPosition(1, TSeriesMarkPosition{});
    series.Clear();
    EXPECT_EQ(cleared, 2);
    EXPECT_EQ(series.Count(), 0);
    EXPECT_EQ(series.YValues().Count(), 0);
    EXPECT_EQ(series.MaxY(), 0);
    EXPECT_EQ(series.YValues().Total(), 0);
    EXPECT_EQ(series.PointLabel(0), QString());
    EXPECT_EQ(series.Marks().Positions().Count(), 0);
    EXPECT_EQ(series.Add(8), 0);
    EXPECT_EQ(series.PointColor(0), series.SeriesColor());

    series.Add(9);
    series.Marks().Positions().SetPosition(1, TSeriesMarkPosition{{1, 2}, {3, 4}, {5, 6}, 7, 8, true});
    series.Delete(0);
    ASSERT_EQ(series.Marks().Positions().Count(), 1);
    ASSERT_NE(series.Marks().Positions().Position(0), nullptr);
    EXPECT_EQ(series.Marks().Positions().Position(0)->Width, 7);

    EXPECT_EQ(ErrorText([&] { series.Delete(1); }), QStringLiteral("Index de liste hors limites (1)"));
    EXPECT_EQ(ErrorText([&] { series.XValue(1); }), QStringLiteral("Index de liste hors limites (1)"));
    EXPECT_EQ(ErrorText([&] { series.YValue(-1); }), QStringLiteral("Index de liste hors limites (-1)"));
    EXPECT_EQ(series.Count(), 1);
}

TEST(Series, RepaintsOnlyOnChange) {
    test::RecordingChart chart;
    TChartSeries series;
    series.SetParentChart(&chart);
    chart.repaints = 0;
    series.Add(1);
    EXPECT_EQ(chart.repaints, 1);
    series.SetActive(false);
    EXPECT_EQ(chart.repaints, 2);
    series.Add(2); // an inactive series does not repaint on add
    EXPECT_EQ(chart.repaints, 2);

    chart.repaints = 0;
    series.SetTitle(QStringLiteral("TP"));
    series.SetTitle(QStringLiteral("TP"));
    series.SetValueFormat(QStringLiteral("0"));
    series.SetPercentFormat(QStringLiteral("0 %"));
    series.SetShowInLegend(false);
    series.SetShowInLegend(false);
    series.SetActive(false);
    series.SetSeriesColor(series.SeriesColor());
    series.SetHorizAxis(THorizAxis::aTopAxis);
    series.SetVertAxis(TVertAxis::aRightAxis);
    series.SetVertAxis(TVertAxis::aRightAxis);
    EXPECT_EQ(chart.repaints, 6);

    chart.repaints = 0;
    series.Marks().SetVisible(true);
    series.Marks().SetVisible(true);
    series.Marks().SetStyle(TSeriesMarksStyle::smsValue);
    series.Marks().SetArrowLength(12);
    series.Marks().Arrow().SetColor(clRed);
    series.Marks().Frame().SetVisible(false);
    series.Marks().SetBackColor(0x80FFFF);
    EXPECT_EQ(chart.repaints, 5);

    TChartSeries other;
    other.Marks().Assign(series.Marks());
    EXPECT_TRUE(other.Marks().Visible());
    EXPECT_EQ(other.Marks().Style(), TSeriesMarksStyle::smsValue);
    EXPECT_EQ(other.Marks().ArrowLength(), 12);
    EXPECT_EQ(other.Marks().Arrow().Color(), clRed);
    EXPECT_FALSE(other.Marks().Frame().Visible());
}

class SeriesMarkText : public ::testing::Test {
protected:
    void SetUp() override {
        SetLocaleSettings(LocaleSettings::French());
        series.Add(1, QStringLiteral("a"));
        series.Add(2.5);
        series.Add(-1.5, QStringLiteral("c"));
    }
    QString Text(TSeriesMarksStyle style, int index) {
        series.Marks().SetStyle(style);
        return series.MarkText(index);
    }
    TChartSeries series;
};

TEST_F(SeriesMarkText, EveryStyle) {
    // TotalAbs is 5: the points hold 20 %, 50 % and 30 %.
    EXPECT_EQ(Text(TSeriesMarksStyle::smsValue, 1), QStringLiteral("2,5"));
    EXPECT_EQ(Text(TSeriesMarksStyle::smsValue, 2), QStringLiteral("-1,5"));
    EXPECT_EQ(Text(TSeriesMarksStyle::smsPercent, 2), QStringLiteral("30 %"));
    EXPECT_EQ(Text(TSeriesMarksStyle::smsLabel, 0), QStringLiteral("a"));
    EXPECT_EQ(Text(TSeriesMarksStyle::smsLabel, 1), QStringLiteral("2,5"));
    EXPECT_EQ(Text(TSeriesMarksStyle::smsLabelPercent, 0), QStringLiteral("a 20 %"));
    EXPECT_EQ(Text(TSeriesMarksStyle::smsLabelPercent, 1), QStringLiteral("2,5 50 %"));
    EXPECT_EQ(Text(TSeriesMarksStyle::smsLabelValue, 2), QStringLiteral("c -1,5"));
    EXPECT_EQ(Text(TSeriesMarksStyle::smsPercentTotal, 1), QStringLiteral("50 % sur 5"));
    EXPECT_EQ(Text(TSeriesMarksStyle::smsLabelPercentTotal, 0), QStringLiteral("a 20 % sur 5"));
    // Without a chart there is no axis and no legend.
    EXPECT_EQ(Text(TSeriesMarksStyle::smsXValue, 2), QStringLiteral("2"));
    EXPECT_EQ(Text(TSeriesMarksStyle::smsLegend, 2), QString());
}

TEST_F(SeriesMarkText, ChartAxisLegendAndHandler) {
    test::RecordingChart chart;
    test::LinearAxis bottom(true, 0, 100, 0, 10);
    chart.bottom = &bottom;
    series.SetParentChart(&chart);
    EXPECT_EQ(Text(TSeriesMarksStyle::smsXValue, 1), QStringLiteral("axe 1"));
    EXPECT_EQ(Text(TSeriesMarksStyle::smsLegend, 2), QStringLiteral("légende 2"));
    series.SetHorizAxis(THorizAxis::aTopAxis); // the chart has no top axis here
    EXPECT_EQ(Text(TSeriesMarksStyle::smsXValue, 1), QStringLiteral("1"));

    series.OnGetMarkText = [](const TChartSeries &, int index, QString &text) {
        text += QStringLiteral(" #%1").arg(index);
    };
    EXPECT_EQ(Text(TSeriesMarksStyle::smsLabel, 0), QStringLiteral("a #0"));
    series.SetParentChart(nullptr);
}

TEST_F(SeriesMarkText, PercentOfAnEmptyTotalIsAHundred) {
    TChartSeries zeros;
    zeros.Add(0);
    zeros.Add(0);
    zeros.Marks().SetStyle(TSeriesMarksStyle::smsPercent);
    EXPECT_EQ(zeros.MarkText(1), QStringLiteral("100 %"));
    zeros.SetPercentFormat(QStringLiteral("0.0"));
    EXPECT_EQ(zeros.MarkText(1), QStringLiteral("100,0"));
    // A quoted per-cent sign is plain text and scales nothing.
    EXPECT_EQ(FormatPercent(QStringLiteral("0 '%'"), 0.25), QStringLiteral("25 %"));
    EXPECT_EQ(FormatPercent(QStringLiteral("##0.## %"), 0.125), QStringLiteral("12,5 %"));
    zeros.Marks().SetStyle(TSeriesMarksStyle::smsValue);
    EXPECT_THROW(zeros.MarkText(2), EListError);
}

TEST(SeriesSampleValues, RefusesNoValues) {
    TChartSeries series;
    series.Add(1);
    EXPECT_EQ(ErrorText([&] { series.FillSampleValues(0); }),
              QStringLiteral("FillSampleValues NumValues doit être > 0"));
    EXPECT_THROW(series.FillSampleValues(-3), ChartException);
    EXPECT_EQ(series.Count(), 1);
}

TEST(SeriesSampleValues, WithoutAChart) {
    int cleared = 0;
    TChartSeries series;
    series.Add(12345);
    series.OnClearValues = [&](TChartSeries &) { ++cleared; };
    series.FillSampleValues(10);
    EXPECT_EQ(cleared, 1);
    ASSERT_EQ(series.Count(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(series.XValue(i), i);
        EXPECT_GE(series.YValue(i), 0);
        EXPECT_EQ(series.YValue(i), std::floor(series.YValue(i))); // whole numbers
        EXPECT_EQ(series.PointLabel(i), QString());
        EXPECT_EQ(series.PointColor(i), clAutoColor);
    }
    // Each step moves by less than a quarter of the 0..1000 range.
    for (int i = 1; i < 10; ++i)
        EXPECT_LE(std::fabs(series.YValue(i) - series.YValue(i - 1)), 250) << i;

    series.FillSampleValues(1);
    ASSERT_EQ(series.Count(), 1);
    EXPECT_EQ(series.XValue(0), 0);
}

TEST(SeriesSampleValues, DatesStartToday) {
    SetClock([] { return 40000.75; });
    TChartSeries series;
    series.XValues().SetDateTime(true);
    series.FillSampleValues(3);
    ResetClock();
    ASSERT_EQ(series.Count(), 3);
    EXPECT_EQ(series.XValue(0), 40000);
    EXPECT_EQ(series.XValue(2), 40002);
}

TEST(SeriesSampleValues, FitTheChartsRanges) {
    test::RecordingChart chart;
    test::LinearAxis bottom(true, 0, 100, 0, 1);
    test::LinearAxis left(false, 0, 100, 0, 1);
    bottom.rangeMin = 10;
    bottom.rangeMax = 20;
    left.rangeMin = 50;
    left.rangeMax = 50; // an empty range: up to twice its minimum
    chart.bottom = &bottom;
    chart.left = &left;
    TChartSeries other;
    other.Add(50);
    other.SetParentChart(&chart);
    TChartSeries series;
    series.SetParentChart(&chart);
    series.FillSampleValues(5);
    ASSERT_EQ(series.Count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_DOUBLE_EQ(series.XValue(i), 10 + 2.5 * i);
    EXPECT_GE(series.MinY(), 0);
    // The first value is below 50 + 50, and four steps add at most 12 each.
    EXPECT_LT(series.MaxY(), 100 + 4 * 12 + 1);
}

} // namespace
} // namespace pexor
