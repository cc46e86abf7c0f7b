#include "app/CurveDescription.h"

#include "app/CurveSettings.h"
#include "chart/ChartWidget.h"
#include "chart/Series.h"
#include "platform/LocaleSettings.h"
#include "tests/common/AccessibleTestSupport.h"

#include <QTest>
#include <gtest/gtest.h>

namespace pexor {
namespace {

using test::AccessibleOf;
using test::ChildNames;
using test::NameOf;

// The TP chart as the window makes it, with readings added as the rebuild
// adds them: TP value and date text.
class CurveDescriptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLocaleSettings(LocaleSettings::French());
        chart.SetBounds(336, 256);
        ConfigureCurveChart(chart);
        series = &chart.AddSeries(std::make_unique<TLineSeries>());
        ConfigureCurveSeries(*series);
        DescribeCurveChart(chart, *series);
    }

    void Add(double tp, const char *date) { series->Add(tp, QString::fromUtf8(date), clBlue); }
    QString Description() const { return CurveDescription(chart, *series); }

    // Drawn once, so that the axes have their automatic ranges to zoom from.
    void Show() {
        chart.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
        chart.repaint();
    }

    TChart chart;
    TLineSeries *series = nullptr;
};

TEST_F(CurveDescriptionTest, SaysHowManyReadingsFromWhenToWhenAndTheirRange) {
    EXPECT_EQ(Description(), QStringLiteral("Courbe de TP : aucune valeur"));
    Add(25, "01/09/2026");
    EXPECT_EQ(Description(), QStringLiteral("Courbe de TP : 1 valeur le 01/09/2026, 25 %"));
    // Rows need not be in date order: the first and last dates are found.
    Add(80, "01/12/2026");
    Add(40, "15/06/2026");
    EXPECT_EQ(Description(),
              QStringLiteral("Courbe de TP : 3 valeurs du 15/06/2026 au 01/12/2026, de 25 à 80 %"));
}

TEST_F(CurveDescriptionTest, OddDatesAndEqualValues) {
    // A date the file spells oddly is left out of the dates, not the count.
    Add(30, "hier");
    Add(30, "02/03/2026");
    EXPECT_EQ(Description(), QStringLiteral("Courbe de TP : 2 valeurs le 02/03/2026, 30 %"));
    series->Clear();
    Add(30, "hier");
    Add(32.5, "");
    EXPECT_EQ(Description(), QStringLiteral("Courbe de TP : 2 valeurs, de 30 à 32,5 %"));
}

TEST_F(CurveDescriptionTest, AZoomOrAScrollSaysWhatPartShows) {
    Add(25, "01/09/2026");
    Add(80, "15/09/2026");
    Add(40, "01/12/2026");
    // The bottom axis counts the readings 0, 1, 2.
    chart.BottomAxis().SetMinMax(0.5, 2);
    chart.LeftAxis().SetMinMax(22.5, 60);
    EXPECT_EQ(Description(),
              QStringLiteral("Courbe de TP : 3 valeurs du 01/09/2026 au 01/12/2026, de 25 à 80 %. "
                             "Partie affichée : 1 valeur le 01/12/2026, 40 %, "
                             "échelle de 22,5 à 60 %"));
    chart.LeftAxis().SetMinMax(90, 100);
    EXPECT_EQ(Description(),
              QStringLiteral("Courbe de TP : 3 valeurs du 01/09/2026 au 01/12/2026, de 25 à 80 %. "
                             "Partie affichée : aucune valeur, échelle de 90 à 100 %"));
}

TEST_F(CurveDescriptionTest, FollowsTheViewCommands) {
    Add(25, "01/09/2026");
    Add(80, "15/09/2026");
    Add(40, "01/12/2026");
    Show();
    const QString whole = Description();
    chart.Zoom().ZoomByPercent(120);
    EXPECT_TRUE(Description().startsWith(whole + QStringLiteral(". Partie affichée : ")))
        << Description().toStdString();
    chart.Zoom().UndoZoom();
    EXPECT_EQ(Description(), whole);
    ScrollHorizontal(chart, 10);
    EXPECT_TRUE(Description().contains(QStringLiteral("Partie affichée")))
        << Description().toStdString();
}

TEST_F(CurveDescriptionTest, TheChartSpeaksWithTheseTexts) {
    Add(25, "01/09/2026");
    Add(40, "");
    EXPECT_EQ(CurvePointText(*series, 0), QStringLiteral("01/09/2026 : TP 25 %"));
    EXPECT_EQ(CurvePointText(*series, 1), QStringLiteral("TP 40 %"));
    QAccessibleInterface *iface = AccessibleOf(&chart);
    EXPECT_EQ(iface->role(), QAccessible::Chart);
    EXPECT_EQ(NameOf(iface), QStringLiteral("Courbe de TP"));
    EXPECT_EQ(iface->text(QAccessible::Description), Description());
    EXPECT_EQ(ChildNames(iface),
              (QStringList{QStringLiteral("01/09/2026 : TP 25 %"), QStringLiteral("TP 40 %")}));
}

} // namespace
} // namespace pexor
