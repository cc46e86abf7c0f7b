#include "tests/chart/AxisTestPanel.h"

#include "chart/axes/AxisLabels.h"
#include "chart/ChartException.h"
#include "platform/LocaleSettings.h"

#include <QDate>
#include <climits>
#include <cmath>
#include <vector>
#include <gtest/gtest.h>
#include <random>
#include <utility>

using namespace pexor;
using pexor::test::AxisTestPanel;

namespace {

template <typename E, typename F> QString ErrorOf(F &&call) {
    try {
        call();
    } catch (const E &e) {
        return e.Message();
    }
    return QStringLiteral("<aucune erreur>");
}

double Day(int y, int m, int d) { return double(QDate(y, m, d).toJulianDay() - 2415019); }

} // namespace

TEST(AxisDefaultsTest, NewAxesHaveTheirPublishedDefaults) {
    AxisTestPanel chart;
    const TChartAxis &a = chart.BottomAxis();
    EXPECT_TRUE(a.Automatic());
    EXPECT_TRUE(a.AutomaticMaximum());
    EXPECT_TRUE(a.AutomaticMinimum());
    EXPECT_EQ(a.Increment(), 0);
    EXPECT_EQ(a.Maximum(), 0);
    EXPECT_EQ(a.Minimum(), 0);
    EXPECT_FALSE(a.Logarithmic());
    EXPECT_EQ(a.Axis().Color(), clBlack);
    EXPECT_EQ(a.Axis().Width(), 2);
    EXPECT_EQ(a.Grid().Color(), 0x808080u);
    EXPECT_EQ(a.Grid().Style(), TPenStyle::psDot);
    EXPECT_FALSE(a.GridCentered());
    EXPECT_TRUE(a.Labels());
    EXPECT_EQ(a.LabelsAngle(), 0);
    EXPECT_EQ(a.LabelsFont().Name(), QStringLiteral("Arial"));
    EXPECT_EQ(a.LabelsFont().Size(), 8);
    EXPECT_TRUE(a.LabelsOnAxis());
    EXPECT_EQ(a.LabelsSeparation(), 10);
    EXPECT_EQ(a.LabelsSize(), 0);
    EXPECT_EQ(a.LabelStyle(), talAuto);
    EXPECT_EQ(a.AxisValuesFormat(), QStringLiteral("#,##0.###"));
    EXPECT_EQ(a.DateTimeFormat(), QString());
    EXPECT_TRUE(a.ExactDateTime());
    EXPECT_TRUE(a.RoundFirstLabel());
    EXPECT_FALSE(a.LabelsMultiLine());
    EXPECT_EQ(a.MinorTickCount(), 3);
    EXPECT_EQ(a.MinorTickLength(), 2);
    EXPECT_EQ(a.MinorTicks().Color(), 0x808080u);
    EXPECT_EQ(a.Ticks().Color(), 0x808080u);
    EXPECT_EQ(a.TicksInner().Color(), 0x808080u);
    EXPECT_EQ(a.TickInnerLength(), 0);
    EXPECT_EQ(a.TickLength(), 4);
    EXPECT_TRUE(a.TickOnLabelsOnly());
    EXPECT_FALSE(a.Inverted());
    EXPECT_TRUE(a.Visible());
    EXPECT_EQ(a.TitleSize(), 0);
    EXPECT_EQ(a.Title().Caption(), QString());
    EXPECT_FALSE(a.AxisValuesFormatStored());
    EXPECT_FALSE(a.LabelsFontStored());
    EXPECT_FALSE(a.MaximumStored());

    EXPECT_EQ(chart.BottomAxis().Title().Angle(), 0);
    EXPECT_EQ(chart.TopAxis().Title().Angle(), 0);
    EXPECT_EQ(chart.LeftAxis().Title().Angle(), 90);
    EXPECT_EQ(chart.RightAxis().Title().Angle(), 270);
    EXPECT_TRUE(chart.BottomAxis().Horizontal());
    EXPECT_FALSE(chart.BottomAxis().OtherSide());
    EXPECT_TRUE(chart.TopAxis().OtherSide());
    EXPECT_FALSE(chart.LeftAxis().Horizontal());
    EXPECT_TRUE(chart.RightAxis().OtherSide());
    EXPECT_FALSE(chart.DepthAxis().Visible());
    EXPECT_TRUE(chart.DepthAxis().IsDepthAxis());
}

TEST(AxisRangeTest, SetMinMaxOrdersTheEndsAndSwitchesAutomaticOff) {
    AxisTestPanel chart;
    TChartAxis &left = chart.LeftAxis();
    chart.paints = 0;
    left.SetMinMax(10, 2);
    EXPECT_EQ(left.Minimum(), 2);
    EXPECT_EQ(left.Maximum(), 10);
    EXPECT_FALSE(left.Automatic());
    EXPECT_FALSE(left.AutomaticMinimum());
    EXPECT_FALSE(left.AutomaticMaximum());
    EXPECT_TRUE(left.MaximumStored());
    EXPECT_GT(chart.paints, 0);

    chart.paints = 0;
    left.SetMinMax(10, 2);
    EXPECT_EQ(chart.paints, 0);

    left.SetMinMax(5, 5);
    EXPECT_EQ(left.Minimum(), 5);
    EXPECT_EQ(left.Maximum(), 5 + 1e-10);
}

TEST(AxisRangeTest, AutomaticFlagsFollowEachOther) {
    AxisTestPanel chart;
    TChartAxis &a = chart.BottomAxis();
    a.SetAutomaticMinimum(false);
    EXPECT_FALSE(a.Automatic());
    EXPECT_TRUE(a.AutomaticMaximum());
    a.SetAutomatic(true);
    EXPECT_TRUE(a.AutomaticMinimum());
    a.SetAutomatic(false);
    EXPECT_FALSE(a.AutomaticMinimum());
    EXPECT_FALSE(a.AutomaticMaximum());
    // Minimum and Maximum setters leave the flags alone.
    a.SetAutomatic(true);
    a.SetMaximum(50);
    EXPECT_TRUE(a.Automatic());
}

TEST(AxisRangeTest, AutomaticRangeFromTheSeries) {
    AxisTestPanel chart;
    chart.AddValues({62, 75, 80});
    chart.Layout(TRect(40, 20, 240, 220));
    EXPECT_EQ(chart.LeftAxis().Minimum(), 62);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 80);
    EXPECT_EQ(chart.LeftAxis().WorkRange(), 18);
    EXPECT_EQ(chart.BottomAxis().Minimum(), 0);
    EXPECT_EQ(chart.BottomAxis().Maximum(), 2);
    // Axes no series uses have no range.
    EXPECT_EQ(chart.RightAxis().Maximum(), 0);

    // A manual maximum stays; the minimum follows the data.
    chart.LeftAxis().SetAutomaticMaximum(false);
    chart.LeftAxis().SetMaximum(100);
    chart.AddValues({50});
    chart.Layout(TRect(40, 20, 240, 220));
    EXPECT_EQ(chart.LeftAxis().Minimum(), 50);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 100);

    // Inactive series do not count.
    chart.Series(1).SetActive(false);
    chart.Layout(TRect(40, 20, 240, 220));
    EXPECT_EQ(chart.LeftAxis().Minimum(), 62);
}

TEST(AxisRangeTest, PagingTakesThePointsOfThePage) {
    AxisTestPanel chart;
    TChartSeries &s = chart.AddValues({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17,
                                       18, 19, 20, 21, 22, 23, 24, 25});
    s.XValues().SetMultiplier(10); // X = 0, 10, 20 ... 240
    chart.SetMaxPointsPerPage(10);
    EXPECT_EQ(chart.NumPages(), 3);
    chart.SetPage(2);
    chart.Layout(TRect(40, 20, 240, 220));
    EXPECT_EQ(chart.BottomAxis().Minimum(), 100);
    EXPECT_EQ(chart.BottomAxis().Maximum(), 190);
    // The vertical axis keeps the whole range.
    EXPECT_EQ(chart.LeftAxis().Minimum(), 1);
    EXPECT_EQ(chart.LeftAxis().Maximum(), 25);

    chart.SetPage(3); // points 20 .. 24
    chart.Layout(TRect(40, 20, 240, 220));
    EXPECT_EQ(chart.BottomAxis().Minimum(), 200);
    EXPECT_EQ(chart.BottomAxis().Maximum(), 240);

    chart.SetScaleLastPage(false); // 5 points shown as if 10
    chart.Layout(TRect(40, 20, 240, 220));
    EXPECT_EQ(chart.BottomAxis().Maximum(), 200 + 40.0 * 10 / 5);
}

TEST(AxisMappingTest, LinearHorizontalAndVertical) {
    AxisTestPanel chart;
    chart.SetPlotRect(TRect(40, 20, 240, 220));
    TChartAxis &bottom = chart.BottomAxis();
    TChartAxis &left = chart.LeftAxis();
    bottom.SetWorkRange(0, 100);
    left.SetWorkRange(0, 100);
    EXPECT_EQ(bottom.ValueToPixel(0), 40);
    EXPECT_EQ(bottom.ValueToPixel(100), 240);
    EXPECT_EQ(bottom.ValueToPixel(25), 90);
    EXPECT_EQ(bottom.ValueToPixel(0.25), 40); // 0.5 rounds to even
    EXPECT_EQ(bottom.ValueToPixel(0.75), 42); // 1.5 rounds to even
    EXPECT_EQ(left.ValueToPixel(0), 220);
    EXPECT_EQ(left.ValueToPixel(100), 20);
    EXPECT_EQ(left.ValueToPixel(30), 160);
    EXPECT_EQ(bottom.PixelToValue(90), 25);
    EXPECT_EQ(left.PixelToValue(160), 30);
    EXPECT_EQ(left.PixelToValue(20), 100);

    // Far outside the range the pixel stays a valid integer.
    EXPECT_EQ(bottom.ValueToPixel(1e300), INT_MAX);
    EXPECT_EQ(bottom.ValueToPixel(-1e300), INT_MIN);
}

// The batch mapping must agree with the single one in every direction and
// mode, including half-pixel ties, far-off values and NaN.
TEST(AxisMappingTest, ManyValuesMapAsOneByOne) {
    AxisTestPanel chart;
    chart.SetPlotRect(TRect(40, 20, 240, 220));
    const std::vector<double> values = {0,     0.25, 0.75, 12.5, 30,   99.75, 100,
                                        -7.25, 1e9,  -1e9, 1e300, -1e300, std::nan("")};
    auto check = [&](TCustomChartAxis &axis, const char *what) {
        std::vector<int> pixels(values.size());
        axis.ValuesToPixels(values.data(), pixels.data(), values.size());
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_EQ(pixels[i], axis.ValueToPixel(values[i])) << what << " value " << values[i];
    };
    for (bool inverted : {false, true}) {
        for (TCustomChartAxis *axis : {static_cast<TCustomChartAxis *>(&chart.LeftAxis()),
                                       static_cast<TCustomChartAxis *>(&chart.BottomAxis())}) {
            axis->SetInverted(inverted);
            axis->SetWorkRange(0, 100);
            check(*axis, inverted ? "inverted" : "plain");
            axis->SetLogarithmic(true);
            axis->SetWorkRange(1, 1000);
            check(*axis, "logarithmic");
            axis->SetLogarithmic(false);
            axis->SetWorkRange(5, 5);
            check(*axis, "zero range");
        }
    }
    chart.DepthAxis().SetWorkRange(0, 10);
    check(chart.DepthAxis(), "depth");
    chart.BottomAxis().SetWorkRange(0, 100);
    EXPECT_EQ(chart.BottomAxis().ValueToPixel(std::nan("")), INT_MIN);
}

// Long runs of values take the product path a block at a time; every value
// must still land where the one-by-one quotient puts it, ties at half a
// pixel above all, which the product can miss by a unit in the last place.
TEST(AxisMappingTest, LongRunsMapAsOneByOne) {
    AxisTestPanel chart;
    chart.SetPlotRect(TRect(40, 20, 241, 219));
    std::mt19937 random(17);
    std::vector<double> values;
    for (int i = 0; i < 40000; ++i)
        values.push_back(i * 0.0025); // many exact halves of a pixel
    std::uniform_real_distribution<double> any(-50, 150);
    for (int i = 0; i < 40000; ++i)
        values.push_back(any(random));
    for (int i = 0; i < 1000; ++i)
        values.push_back(i % 7 == 0 ? std::nan("") : i % 7 == 1 ? 1e15 : i % 7 == 2 ? -1e300 : i);
    auto check = [&](TCustomChartAxis &axis, const char *what) {
        std::vector<int> pixels(values.size());
        axis.ValuesToPixels(values.data(), pixels.data(), values.size());
        int wrong = 0;
        for (std::size_t i = 0; i < values.size(); ++i)
            wrong += pixels[i] != axis.ValueToPixel(values[i]);
        EXPECT_EQ(wrong, 0) << what;
    };
    for (bool inverted : {false, true})
        for (TCustomChartAxis *axis : {static_cast<TCustomChartAxis *>(&chart.LeftAxis()),
                                       static_cast<TCustomChartAxis *>(&chart.BottomAxis())}) {
            axis->SetInverted(inverted);
            for (auto [low, high] : {std::pair{0.0, 100.0}, std::pair{0.0, 3.0},
                                     std::pair{-1e-3, 7e-3}, std::pair{1e12, 1e12 + 100}}) {
                axis->SetWorkRange(low, high);
                check(*axis, inverted ? "inverted" : "plain");
            }
        }
}

TEST(AxisMappingTest, InvertedAxesMapTheMinimumToTheOtherEdge) {
    AxisTestPanel chart;
    chart.SetPlotRect(TRect(40, 20, 240, 220));
    TChartAxis &left = chart.LeftAxis();
    TChartAxis &bottom = chart.BottomAxis();
    left.SetInverted(true);
    bottom.SetInverted(true);
    left.SetWorkRange(0, 100);
    bottom.SetWorkRange(0, 100);
    EXPECT_EQ(left.ValueToPixel(0), 20);
    EXPECT_EQ(left.ValueToPixel(100), 220);
    EXPECT_EQ(left.ValueToPixel(30), 80);
    EXPECT_EQ(left.PixelToValue(80), 30);
    EXPECT_EQ(bottom.ValueToPixel(0), 240);
    EXPECT_EQ(bottom.ValueToPixel(25), 190);
    EXPECT_EQ(bottom.PixelToValue(190), 25);
}

TEST(AxisMappingTest, DegenerateRangesAndSizes) {
    AxisTestPanel chart;
    chart.SetPlotRect(TRect(40, 20, 240, 220));
    TChartAxis &bottom = chart.BottomAxis();
    TChartAxis &left = chart.LeftAxis();
    bottom.SetWorkRange(7, 7);
    left.SetWorkRange(7, 7);
    EXPECT_EQ(bottom.ValueToPixel(7), 140);
    EXPECT_EQ(bottom.ValueToPixel(1000), 140);
    EXPECT_EQ(left.ValueToPixel(7), 120);
    EXPECT_EQ(bottom.PixelToValue(90), 7);
}

TEST(AxisMappingTest, Logarithmic) {
    AxisTestPanel chart;
    chart.SetPlotRect(TRect(0, 0, 300, 300));
    TChartAxis &bottom = chart.BottomAxis();
    TChartAxis &left = chart.LeftAxis();
    bottom.SetMinMax(1, 1000);
    left.SetMinMax(1, 1000);
    bottom.SetLogarithmic(true);
    left.SetLogarithmic(true);
    bottom.UpdateRange();
    left.UpdateRange();
    EXPECT_EQ(bottom.ValueToPixel(1), 0);
    EXPECT_EQ(bottom.ValueToPixel(10), 100);
    EXPECT_EQ(bottom.ValueToPixel(100), 200);
    EXPECT_EQ(bottom.ValueToPixel(1000), 300);
    EXPECT_EQ(bottom.ValueToPixel(0), 0);
    EXPECT_EQ(bottom.ValueToPixel(-5), 0);
    EXPECT_EQ(left.ValueToPixel(10), 200);
    EXPECT_EQ(left.ValueToPixel(1000), 0);
    EXPECT_NEAR(bottom.PixelToValue(100), 10, 1e-9);
    EXPECT_NEAR(left.PixelToValue(100), 100, 1e-9);

    // Inverted log axes mirror like linear ones and map back.
    left.SetInverted(true);
    EXPECT_EQ(left.ValueToPixel(10), 100);
    EXPECT_NEAR(left.PixelToValue(100), 10, 1e-9);

    // A minimum of 0 counts as ln = 0.
    bottom.SetMinMax(0, 100);
    bottom.UpdateRange();
    EXPECT_EQ(bottom.ValueToPixel(10), 150);
    bottom.SetMinMax(0, 1);
    bottom.UpdateRange();
    EXPECT_EQ(bottom.ValueToPixel(0.5), 150); // log range 0: the centre
    EXPECT_EQ(bottom.PixelToValue(10), 0);
}

TEST(AxisMappingTest, DepthAxisSpansTheDepth) {
    AxisTestPanel chart;
    chart.SetDepth3D(30);
    TChartDepthAxis &depth = chart.DepthAxis();
    depth.SetWorkRange(0, 2);
    EXPECT_EQ(depth.ValueToPixel(0), 0);
    EXPECT_EQ(depth.ValueToPixel(1), 15);
    EXPECT_EQ(depth.ValueToPixel(2), 30);
    EXPECT_EQ(depth.PixelToValue(15), 1);
    depth.SetWorkRange(1, 1);
    EXPECT_EQ(depth.ValueToPixel(1), 30);
}

TEST(AxisMappingTest, MarginsWidenTheWorkingRange) {
    AxisTestPanel chart;
    chart.SetPlotRect(TRect(0, 0, 200, 100));
    TChartAxis &bottom = chart.BottomAxis();
    bottom.SetWorkRange(0, 100);
    bottom.ApplyMargins(0, 0);
    EXPECT_EQ(bottom.WorkMin(), 0);
    EXPECT_EQ(bottom.WorkMax(), 100);
    // 180 pixels for 100: the 10-pixel margins add 100 x 10 / 180 each side.
    bottom.ApplyMargins(10, 10);
    EXPECT_NEAR(bottom.WorkMin(), -100.0 * 10 / 180, 1e-12);
    EXPECT_NEAR(bottom.WorkMax(), 100 + 100.0 * 10 / 180, 1e-12);
    EXPECT_EQ(chart.PlotRect(), TRect(0, 0, 200, 100));

    TChartAxis &left = chart.LeftAxis();
    left.SetWorkRange(0, 80);
    left.ApplyMargins(0, 20); // 20 pixels at the top of 100
    EXPECT_EQ(left.WorkMin(), 0);
    EXPECT_NEAR(left.WorkMax(), 100, 1e-12);
}

TEST(AxisValidationTest, EveryErrorWithItsTextLeavesTheValue) {
    AxisTestPanel chart;
    TChartAxis &a = chart.LeftAxis();
    a.SetMinMax(2, 10);

    EXPECT_EQ(ErrorOf<AxisException>([&] { a.SetMinimum(11); }),
              QStringLiteral("La valeur minimum de l'axe doit être <= maximum"));
    EXPECT_EQ(a.Minimum(), 2);
    EXPECT_EQ(ErrorOf<AxisException>([&] { a.SetMaximum(1); }),
              QStringLiteral("La valeur maximum de l'axe doit être >= minimum"));
    EXPECT_EQ(a.Maximum(), 10);
    EXPECT_EQ(ErrorOf<AxisException>([&] { a.SetIncrement(-1); }),
              QStringLiteral("Incrément axe doit être >= 0"));
    EXPECT_EQ(a.Increment(), 0);
    EXPECT_EQ(ErrorOf<AxisException>([&] { a.SetLabelsSeparation(-1); }),
              QStringLiteral("La séparation des libellés doit être supérieure à 0"));
    EXPECT_EQ(a.LabelsSeparation(), 10);
    EXPECT_EQ(ErrorOf<ChartException>([&] { a.SetLabelsAngle(361); }),
              QStringLiteral("L'angle Libellés axes doit être compris entre 0 et 359 degrés"));
    EXPECT_EQ(ErrorOf<ChartException>([&] { a.SetLabelsAngle(-1); }),
              QStringLiteral("L'angle Libellés axes doit être compris entre 0 et 359 degrés"));
    EXPECT_EQ(a.LabelsAngle(), 0);
    EXPECT_EQ(ErrorOf<ChartException>([&] { a.Title().SetAngle(400); }),
              QStringLiteral("L'angle Titre axe doit être compris entre 0 et 359 degrés"));
    EXPECT_EQ(a.Title().Angle(), 90);

    a.SetMinMax(-5, 10);
    EXPECT_EQ(ErrorOf<AxisException>([&] { a.SetLogarithmic(true); }),
              QStringLiteral("Les valeurs Min et Max de l'axe logarithmique doivent être >= 0"));
    EXPECT_FALSE(a.Logarithmic());

    TChartSeries &s = chart.AddValues({1, 2});
    s.XValues().SetDateTime(true);
    EXPECT_EQ(ErrorOf<AxisException>([&] { chart.BottomAxis().SetLogarithmic(true); }),
              QStringLiteral("Axe DateTime ne peut être logarithmique"));
    EXPECT_FALSE(chart.BottomAxis().Logarithmic());

    // 360 is taken as 0; 359 and 0 are fine.
    a.SetLabelsAngle(90);
    a.SetLabelsAngle(360);
    EXPECT_EQ(a.LabelsAngle(), 0);
    a.Title().SetAngle(360);
    EXPECT_EQ(a.Title().Angle(), 0);

    // While loading, the ends may be set in any order.
    chart.SetLoading(true);
    a.SetMinimum(50);
    EXPECT_EQ(a.Minimum(), 50);
    chart.SetLoading(false);
}

TEST(AxisValidationTest, UnchangedSettingsDoNotRepaint) {
    AxisTestPanel chart;
    TChartAxis &a = chart.BottomAxis();
    chart.paints = 0;
    a.SetLabels(true);
    a.SetTickLength(4);
    a.Grid().SetColor(0x808080);
    a.Title().SetCaption(QString());
    EXPECT_EQ(chart.paints, 0);
    a.Grid().SetColor(clRed);
    EXPECT_EQ(chart.paints, 1);
    a.Title().SetCaption(QStringLiteral("Dates"));
    EXPECT_EQ(chart.paints, 2);
    a.SetInverted(true);
    EXPECT_EQ(chart.paints, 3);
}

TEST(AxisLabelStepTest, StepFromTheRoomAlongTheAxis) {
    AxisTestPanel chart;
    TChartAxis &left = chart.LeftAxis();
    left.SetLabelsFont(pexor::test::FontOfHeight(chart, 20));
    chart.SetPlotRect(TRect(40, 20, 240, 220));
    left.SetMinMax(0, 100);
    left.UpdateRange();
    ASSERT_EQ((chart.SetCanvasFont(left.LabelsFont()), chart.Canvas().FontHeight()), 20);
    EXPECT_EQ(left.LabelStep(), 20);

    left.SetMinMax(0, 0.37);
    left.UpdateRange();
    chart.SetPlotRect(TRect(40, 20, 240, 328)); // 308 / 22 = 14 labels
    EXPECT_EQ(left.LabelStep(), 0.05);
    left.SetMinMax(0, 38);
    left.UpdateRange();
    EXPECT_EQ(left.LabelStep(), 5);
}

TEST(AxisLabelStepTest, DateTimeAxisTakesTableSteps) {
    SetLocaleSettings(LocaleSettings::French());
    AxisTestPanel chart;
    TChartSeries &s = chart.AddValues({});
    s.XValues().SetDateTime(true);
    s.AddXY(Day(2026, 1, 1), 70);
    s.AddXY(Day(2026, 12, 31), 80);
    chart.Layout(TRect(40, 20, 340, 220));
    TChartAxis &bottom = chart.BottomAxis();
    chart.SetCanvasFont(bottom.LabelsFont());
    const int width = std::max(chart.Canvas().TextWidth(QStringLiteral("31/12/2026")),
                               chart.Canvas().TextWidth(QStringLiteral("01/01/2026")));
    const int n = MaxLabelCount(300, width, 10);
    EXPECT_EQ(bottom.LabelStep(), DateTimeLabelStep(364, 0, n));
    EXPECT_GE(bottom.LabelStep(), 30);
}

TEST(AxisLabelTextTest, ValuesDatesHandlerAndLines) {
    SetLocaleSettings(LocaleSettings::French());
    AxisTestPanel chart;
    TChartAxis &left = chart.LeftAxis();
    left.SetWorkRange(0, 2000);
    EXPECT_EQ(left.ValueText(1234.5), QStringLiteral("1\u00a0234,5").replace(QChar(0xa0),
                                                                              Locale().ThousandSeparator));
    EXPECT_EQ(left.ValueText(0.12345), QStringLiteral("0,123"));
    left.SetAxisValuesFormat(QStringLiteral("0"));
    EXPECT_EQ(left.ValueText(7.6), QStringLiteral("8"));
    EXPECT_TRUE(left.AxisValuesFormatStored());

    TChartSeries &s = chart.AddValues({});
    s.XValues().SetDateTime(true);
    s.AddXY(Day(2026, 3, 5) + 0.5, 1);
    s.AddXY(Day(2026, 3, 9), 2);
    chart.Layout(TRect(0, 0, 300, 200));
    TChartAxis &bottom = chart.BottomAxis();
    EXPECT_TRUE(bottom.IsDateTime());
    EXPECT_EQ(bottom.ValueText(Day(2026, 3, 5)), QStringLiteral("05/03/2026"));
    EXPECT_EQ(bottom.ValueText(-1), QString());
    bottom.SetDateTimeFormat(QStringLiteral("dd/MM"));
    EXPECT_EQ(bottom.ValueText(Day(2026, 3, 5)), QStringLiteral("05/03"));

    int calls = 0;
    chart.OnGetAxisLabel = [&](TCustomChartAxis &axis, TChartSeries *series, int index,
                               QString &text) {
        ++calls;
        EXPECT_EQ(&axis, &left);
        EXPECT_EQ(series, nullptr);
        EXPECT_EQ(index, -1);
        text = QStringLiteral("valeur ") + text;
    };
    EXPECT_EQ(left.ValueText(8), QStringLiteral("valeur 8"));
    left.SetLabelsMultiLine(true);
    EXPECT_EQ(left.ValueText(8), QStringLiteral("valeur\r8"));
    EXPECT_EQ(calls, 2);
}

TEST(AxisLabelStyleTest, ResolvedFromTheSeries) {
    AxisTestPanel chart;
    EXPECT_EQ(chart.BottomAxis().CalcLabelStyle(), talNone);
    EXPECT_EQ(chart.DepthAxis().CalcLabelStyle(), talText);
    TChartSeries &s = chart.AddValues({80, 90}, {QStringLiteral("05/03/2026"), QString()});
    EXPECT_EQ(chart.BottomAxis().CalcLabelStyle(), talText);
    EXPECT_EQ(chart.LeftAxis().CalcLabelStyle(), talValue);
    EXPECT_EQ(chart.TopAxis().CalcLabelStyle(), talNone);
    chart.AddValues({70});
    s.SetActive(false);
    EXPECT_EQ(chart.BottomAxis().CalcLabelStyle(), talValue);
    chart.BottomAxis().SetLabelStyle(talMark);
    EXPECT_EQ(chart.BottomAxis().CalcLabelStyle(), talMark);
}

TEST(AxisRoomTest, TitleLabelsAndTicksShrinkTheSide) {
    AxisTestPanel chart;
    TChartAxis &left = chart.LeftAxis();
    TChartAxis &bottom = chart.BottomAxis();
    left.SetLabelsSize(30);
    left.Title().SetCaption(QStringLiteral("TP"));
    left.SetTitleSize(12);
    TRect r(0, 0, 300, 200);
    left.TakeRoom(r);
    // Title 12, labels 30, axis pen 2 + tick 4.
    EXPECT_EQ(r, TRect(48, 0, 300, 200));
    EXPECT_EQ(left.PosTitle(), 12);
    EXPECT_EQ(left.PosLabels(), 42);

    bottom.SetLabelsSize(15);
    bottom.Ticks().SetVisible(false); // minor ticks of 2 remain
    r = TRect(0, 0, 300, 200);
    bottom.TakeRoom(r);
    EXPECT_EQ(r, TRect(0, 0, 300, 181));
    EXPECT_EQ(bottom.PosLabels(), 185);

    TChartAxis &top = chart.TopAxis();
    top.SetLabels(false);
    top.Axis().SetVisible(false);
    top.Ticks().SetVisible(false);
    top.MinorTicks().SetVisible(false);
    r = TRect(0, 0, 300, 200);
    top.TakeRoom(r);
    EXPECT_EQ(r, TRect(0, 0, 300, 200));

    // Measured labels: the widest rounded end plus a space.
    TChartAxis &right = chart.RightAxis();
    right.SetLabelStyle(talValue);
    chart.SetPlotRect(TRect(0, 0, 300, 200));
    right.SetMinMax(0, 1000);
    right.UpdateRange();
    chart.SetCanvasFont(right.LabelsFont());
    const int expected = chart.Canvas().TextWidth(right.ValueText(1000)) +
                         chart.Canvas().TextWidth(QStringLiteral(" "));
    r = TRect(0, 0, 300, 200);
    right.TakeRoom(r);
    EXPECT_EQ(right.PosLabels(), 300 - expected);
    EXPECT_EQ(r.Right, 300 - expected - 6);
}

TEST(AxisClickTest, NearTheAxisLineWithinThePlot) {
    AxisTestPanel chart;
    chart.AddValues({1, 2});
    chart.SetPlotRect(TRect(40, 20, 240, 220));
    chart.BottomAxis().SetPosAxis(220);
    chart.LeftAxis().SetPosAxis(40);
    EXPECT_TRUE(chart.BottomAxis().Clicked(100, 231));
    EXPECT_FALSE(chart.BottomAxis().Clicked(100, 232));
    EXPECT_FALSE(chart.BottomAxis().Clicked(241, 220));
    EXPECT_TRUE(chart.LeftAxis().Clicked(29, 100));
    EXPECT_FALSE(chart.LeftAxis().Clicked(40, 221));
    // The top axis is not shown: no series uses it.
    chart.TopAxis().SetPosAxis(20);
    EXPECT_FALSE(chart.TopAxis().Clicked(100, 20));
    EXPECT_EQ(chart.AxisAt(100, 225), &chart.BottomAxis());
    EXPECT_EQ(chart.AxisAt(100, 100), nullptr);
}
