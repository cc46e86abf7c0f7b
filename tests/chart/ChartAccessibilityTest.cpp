#include "chart/ChartAccessible.h"
#include "chart/ChartWidget.h"
#include "chart/panel/Legend.h"
#include "chart/draw/LineSeries.h"
#include "platform/LocaleSettings.h"
#include "tests/common/AccessibleTestSupport.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace pexor {
namespace {

using test::AccessibleEventLog;
using test::AccessibleOf;
using test::ChildNames;
using test::NameOf;

class ChartAccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLocaleSettings(LocaleSettings::French());
        chart.SetBounds(336, 256);
        chart.Title().SetText({QStringLiteral("Courbe de TP (%)")});
        chart.Legend().SetVisible(false);
        series = &chart.AddSeries(std::make_unique<TLineSeries>());
    }

    void Show() {
        chart.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
        chart.repaint();
    }

    TChart chart;
    TLineSeries *series = nullptr;
};

TEST_F(ChartAccessibilityTest, ReadsAsANamedGraphicWhosePointsAreItsChildren) {
    series->Add(20, QStringLiteral("01/09"));
    series->Add(12.5, QStringLiteral("15/09"));
    series->Add(7);
    auto owned = std::make_unique<TLineSeries>();
    owned->Add(99, QStringLiteral("caché"));
    owned->SetActive(false);
    TLineSeries *hidden = &chart.AddSeries(std::move(owned));

    QAccessibleInterface *iface = AccessibleOf(&chart);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::Chart);
    // Named by its title until it is given a name.
    EXPECT_EQ(NameOf(iface), QStringLiteral("Courbe de TP (%)"));
    chart.setAccessibleName(QStringLiteral("Courbe de TP"));
    EXPECT_EQ(NameOf(iface), QStringLiteral("Courbe de TP"));
    chart.setAccessibleDescription(QStringLiteral("Trois valeurs"));
    EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("Trois valeurs"));
    chart.Accessibility().OnGetDescription = [](TChart *sender) {
        return QStringLiteral("%1 points").arg(sender->Series(0).Count());
    };
    EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("3 points"));

    // Label and value by the series' format; the inactive series is not drawn,
    // so not read either.
    EXPECT_EQ(ChildNames(iface),
              (QStringList{QStringLiteral("01/09 : 20"), QStringLiteral("15/09 : 12,5"),
                           QStringLiteral("7")}));
    QAccessibleInterface *second = iface->child(1);
    EXPECT_EQ(second->role(), QAccessible::ListItem);
    EXPECT_EQ(second->parent(), iface);
    EXPECT_EQ(iface->indexOfChild(second), 1);
    EXPECT_EQ(iface->child(1), second);
    EXPECT_EQ(iface->child(3), nullptr);
    EXPECT_EQ(second->childCount(), 0);

    chart.Accessibility().OnGetPointText = [](TChart *, const TChartSeries &s, int index) {
        return QStringLiteral("point %1 de %2").arg(index + 1).arg(s.Count());
    };
    EXPECT_EQ(NameOf(second), QStringLiteral("point 2 de 3"));

    // A point taken away leaves its interface standing for nothing.
    QAccessibleInterface *third = iface->child(2);
    series->Delete(2);
    EXPECT_EQ(iface->childCount(), 2);
    EXPECT_EQ(NameOf(third), QString());
    EXPECT_TRUE(third->state().invisible);
    hidden->SetActive(true);
    EXPECT_EQ(ChildNames(iface).last(), QStringLiteral("point 1 de 1"));
}

TEST_F(ChartAccessibilityTest, PointsStandWhereTheyAreDrawn) {
    for (double v : {20.0, 120.0, 70.0})
        series->Add(v);
    Show();
    QAccessibleInterface *iface = AccessibleOf(&chart);
    for (int i = 0; i < 3; ++i) {
        const QPoint drawn = chart.mapToGlobal(chart.contentsRect().topLeft() +
                                               QPoint(series->XPixel(i), series->YPixel(i)));
        const QRect rect = iface->child(i)->rect();
        EXPECT_TRUE(rect.contains(drawn)) << i;
        EXPECT_LE(rect.width(), 5);
        EXPECT_FALSE(iface->child(i)->state().offscreen) << i;
        EXPECT_EQ(iface->childAt(drawn.x(), drawn.y()), iface->child(i)) << i;
    }
    // Scrolled out of the plot: still a child, but off screen.
    chart.BottomAxis().SetMinMax(0, 1);
    chart.repaint();
    EXPECT_TRUE(iface->child(2)->rect().isEmpty());
    EXPECT_TRUE(iface->child(2)->state().offscreen);
    EXPECT_FALSE(iface->child(1)->state().offscreen);
    chart.hide();
    EXPECT_TRUE(iface->child(0)->state().invisible);
}

// A chart not on screen is never painted; points appended without a label
// after the last news still bring news of their own.
TEST_F(ChartAccessibilityTest, PointsAppendedAfterTheNewsBringNewsAgain) {
    AccessibleEventLog log;
    AccessibleOf(&chart);
    series->AddXY(0, 20);
    QApplication::processEvents();
    EXPECT_EQ(log.Count(QAccessible::ObjectCreated), 1);

    log.Clear();
    series->AddXY(1, 30);
    series->AddXY(2, 40);
    QApplication::processEvents();
    EXPECT_EQ(log.Names(QAccessible::ObjectCreated),
              (QStringList{QStringLiteral("30"), QStringLiteral("40")}));
}

TEST_F(ChartAccessibilityTest, TellsWhatChangedOnceTheEventLoopTurns) {
    chart.Accessibility().OnGetDescription = [this](TChart *) {
        return QStringLiteral("%1 valeurs, axe de %2 à %3")
            .arg(series->Count())
            .arg(chart.BottomAxis().Minimum())
            .arg(chart.BottomAxis().Maximum());
    };
    AccessibleEventLog log;
    QAccessibleInterface *iface = AccessibleOf(&chart);
    for (double v : {20.0, 120.0, 70.0})
        series->Add(v, QStringLiteral("p"));
    // Nothing yet: three additions make one round of news, not three.
    EXPECT_EQ(log.Count(QAccessible::ObjectCreated), 0);
    QApplication::processEvents();
    EXPECT_EQ(log.Names(QAccessible::ObjectCreated),
              (QStringList{QStringLiteral("p : 20"), QStringLiteral("p : 120"),
                           QStringLiteral("p : 70")}));
    EXPECT_EQ(log.Names(QAccessible::DescriptionChanged),
              QStringList{QStringLiteral("Courbe de TP (%)")});
    EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("3 valeurs, axe de 0 à 0"));

    // A rebuild with one point less and one value changed.
    log.Clear();
    series->Clear();
    series->Add(20, QStringLiteral("p"));
    series->Add(125, QStringLiteral("p"));
    QApplication::processEvents();
    EXPECT_EQ(log.Names(QAccessible::NameChanged), QStringList{QStringLiteral("p : 125")});
    EXPECT_EQ(log.Count(QAccessible::ObjectDestroyed), 1);
    EXPECT_EQ(log.Count(QAccessible::ObjectCreated), 0);
    EXPECT_EQ(log.Count(QAccessible::DescriptionChanged, iface), 1);
    EXPECT_EQ(iface->childCount(), 2);

    // A scroll changes the description only.
    log.Clear();
    chart.BottomAxis().SetMinMax(0.5, 1.5);
    QApplication::processEvents();
    EXPECT_EQ(log.Count(QAccessible::DescriptionChanged, iface), 1);
    EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("2 valeurs, axe de 0.5 à 1.5"));
    EXPECT_EQ(log.Count(QAccessible::NameChanged), 0);

    // Nothing changed, nothing said.
    log.Clear();
    chart.Accessibility().Changed();
    QApplication::processEvents();
    EXPECT_EQ(log.Count(QAccessible::DescriptionChanged), 0);
    EXPECT_EQ(log.Count(QAccessible::NameChanged), 0);
    EXPECT_EQ(log.Count(QAccessible::ObjectCreated), 0);
    EXPECT_EQ(log.Count(QAccessible::ObjectDestroyed), 0);
}

TEST_F(ChartAccessibilityTest, AScreenReaderWalksAThousandPointsAtMost) {
    for (int i = 0; i < TChartAccessibility::kMaxPoints + 5; ++i)
        series->Add(i);
    QAccessibleInterface *iface = AccessibleOf(&chart);
    EXPECT_EQ(iface->childCount(), TChartAccessibility::kMaxPoints);
    EXPECT_EQ(NameOf(iface->child(TChartAccessibility::kMaxPoints - 1)), QStringLiteral("999"));
    EXPECT_EQ(iface->child(TChartAccessibility::kMaxPoints), nullptr);
}

} // namespace
} // namespace pexor
