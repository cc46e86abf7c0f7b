#include "app/ReadingsEntry.h"
#include "app/ReadingsTable.h"
#include "chart/series/ChartSeries.h"
#include "platform/DateUtil.h"
#include "platform/Exceptions.h"
#include "platform/LocaleSettings.h"

#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace pexor {
namespace {

using Snapshot =
    std::array<std::array<QString, ReadingsTable::kRowCount>, ReadingsTable::kColCount>;

Snapshot TakeSnapshot(const ReadingsTable &table) {
    Snapshot s;
    for (int c = 0; c < ReadingsTable::kColCount; ++c)
        for (int r = 0; r < ReadingsTable::kRowCount; ++r)
            s[std::size_t(c)][std::size_t(r)] = table.Cells(c, r);
    return s;
}

template <typename E> QString ErrorOf(const std::function<void()> &call) {
    try {
        call();
    } catch (const E &e) {
        return e.Message();
    }
    return QStringLiteral("no error");
}

struct Point {
    double X;
    double Y;
    QString Label;
    TColor Color;
    friend bool operator==(const Point &, const Point &) = default;
};

std::vector<Point> Points(const TChartSeries &series) {
    std::vector<Point> points;
    for (int i = 0; i < series.Count(); ++i)
        points.push_back(
            {series.XValue(i), series.YValue(i), series.PointLabel(i), series.PointColor(i)});
    return points;
}

std::ostream &operator<<(std::ostream &os, const Point &p) {
    return os << '(' << p.X << ", " << p.Y << ", " << p.Label.toStdString() << ", " << std::hex
              << p.Color << std::dec << ')';
}

class ReadingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetLocaleSettings(LocaleSettings::French());
        table_.SetHeader();
    }
    void TearDown() override { ReloadLocaleSettings(); }

    void Row(int row, const char *date, const char *tp, const char *inr) {
        table_.SetCells(0, row, QString::fromUtf8(date));
        table_.SetCells(1, row, QString::fromUtf8(tp));
        table_.SetCells(2, row, QString::fromUtf8(inr));
    }
    QStringList RowTexts(int row) const {
        return {table_.Cells(0, row), table_.Cells(1, row), table_.Cells(2, row)};
    }
    EntryOutcome Commit(const char *line, const char *tp, const char *inr,
                        TDateTime date = MakeDate(2002, 3, 5)) {
        return entry_.CommitReading(QString::fromUtf8(line), QString::fromUtf8(tp),
                                    QString::fromUtf8(inr), date);
    }

    ReadingsTable table_;
    int seriesCleared_ = 0; // outlives the series that counts into it
    TChartSeries series_;
    ReadingsEntry entry_{table_, series_};
};

TEST_F(ReadingsTest, TableHasHeaderAndRefusesCellsOutside) {
    EXPECT_EQ(RowTexts(0), (QStringList{"DATE", "TP", "INR"}));
    for (int r = 1; r < ReadingsTable::kRowCount; ++r)
        EXPECT_EQ(RowTexts(r), (QStringList{"", "", ""}));
    EXPECT_EQ(ErrorOf<EListError>([&] { table_.SetCells(0, 11, QStringLiteral("x")); }),
              QStringLiteral("Index de liste hors limites (11)"));
    EXPECT_EQ(ErrorOf<EListError>([&] { table_.SetCells(1, -1, QStringLiteral("x")); }),
              QStringLiteral("Index de liste hors limites (-1)"));
    EXPECT_EQ(ErrorOf<EListError>([&] { table_.Cells(3, 1); }),
              QStringLiteral("Index de liste hors limites (3)"));
    EXPECT_EQ(ErrorOf<EListError>([&] { table_.Cells(0, 1000000); }),
              QStringLiteral("Index de liste hors limites (1000000)"));
}

TEST_F(ReadingsTest, TableTellsEachChangeOnce) {
    std::vector<std::pair<int, int>> changes;
    table_.OnChange = [&](ReadingsTable &sender, int col, int row) {
        EXPECT_EQ(&sender, &table_);
        changes.emplace_back(col, row);
    };
    table_.SetCells(2, 7, QStringLiteral("2,5"));
    table_.SetCells(2, 7, QStringLiteral("2,5"));
    table_.SetHeader();
    table_.SetCells(0, 1, QString());
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{2, 7}}));
    EXPECT_EQ(table_.Cells(2, 7), QStringLiteral("2,5"));
}

TEST_F(ReadingsTest, CommitWritesRowAndCurveAndAdvances) {
    const EntryOutcome outcome = Commit("3", "85", "1,2");
    EXPECT_EQ(RowTexts(3), (QStringList{"05/03/2002", "85", "1,2"}));
    EXPECT_EQ(Points(series_), (std::vector<Point>{{0, 85, "05/03/2002", 0xFF0000}}));
    EXPECT_TRUE(outcome.FieldsCleared);
    EXPECT_EQ(outcome.NextLine, QStringLiteral("4"));

    // The same row again: one point for it, showing what the table holds.
    const EntryOutcome again = Commit("3", "90", "1,3", MakeDate(2002, 3, 6));
    EXPECT_EQ(RowTexts(3), (QStringList{"06/03/2002", "90", "1,3"}));
    EXPECT_EQ(Points(series_), (std::vector<Point>{{0, 90, "06/03/2002", 0xFF0000}}));
    EXPECT_EQ(again.NextLine, QStringLiteral("4"));

    // Points follow row order, whatever the order of the commits.
    Commit("1", "70", "");
    EXPECT_EQ(Points(series_), (std::vector<Point>{{0, 70, "05/03/2002", 0xFF0000},
                                                   {1, 90, "06/03/2002", 0xFF0000}}));
}

TEST_F(ReadingsTest, CommitTakesRowTextsParseIntegerAccepts) {
    EXPECT_EQ(Commit(" 10", "$50", "x").NextLine, QStringLiteral("11"));
    EXPECT_EQ(RowTexts(10), (QStringList{"05/03/2002", "$50", "x"}));
    EXPECT_EQ(series_.YValue(0), 80.0);
    EXPECT_EQ(Commit("$1", "-5", "").NextLine, QStringLiteral("2"));
    EXPECT_EQ(series_.YValue(0), -5.0);
}

TEST_F(ReadingsTest, CommitWithEmptyTpErasesTheReadingsPointOnly) {
    Commit("3", "85", "1,2");
    Commit("4", "88", "1,4");
    const EntryOutcome outcome = Commit("3", "", "2,0", MakeDate(2002, 3, 9));
    EXPECT_EQ(RowTexts(3), (QStringList{"09/03/2002", "", "2,0"}));
    EXPECT_FALSE(outcome.FieldsCleared);
    EXPECT_EQ(outcome.NextLine, QString());
    EXPECT_EQ(Points(series_), (std::vector<Point>{{0, 88, "05/03/2002", 0xFF0000}}));
}

TEST_F(ReadingsTest, CommitKeepsInrAsTyped) {
    Commit("2", "75", "  env. 2,5 ?");
    EXPECT_EQ(table_.Cells(2, 2), QStringLiteral("  env. 2,5 ?"));
}

TEST_F(ReadingsTest, RefusedCommitsWriteNothing) {
    Commit("2", "75", "1,1");
    const Snapshot before = TakeSnapshot(table_);
    const std::vector<Point> pointsBefore = Points(series_);
    const auto refused = [&](const char *line, const char *tp) {
        return ErrorOf<Exception>([&] { Commit(line, tp, "3,0", MakeDate(2010, 1, 1)); });
    };

    EXPECT_EQ(refused("abc", "80"), QStringLiteral("'abc' n'est pas une valeur entière correcte"));
    EXPECT_EQ(refused("", "80"), QStringLiteral("'' n'est pas une valeur entière correcte"));
    EXPECT_EQ(refused("2 ", "80"), QStringLiteral("'2 ' n'est pas une valeur entière correcte"));
    EXPECT_EQ(refused("0", "80"), QStringLiteral("Index de liste hors limites (0)"));
    EXPECT_EQ(refused("11", "80"), QStringLiteral("Index de liste hors limites (11)"));
    EXPECT_EQ(refused("-1", "80"), QStringLiteral("Index de liste hors limites (-1)"));
    EXPECT_EQ(refused("2147483647", "80"),
              QStringLiteral("Index de liste hors limites (2147483647)"));
    EXPECT_EQ(refused("2", "12.5"), QStringLiteral("'12.5' n'est pas une valeur entière correcte"));
    EXPECT_EQ(refused("2", "85,5"), QStringLiteral("'85,5' n'est pas une valeur entière correcte"));
    // Row checked before TP: the message names the row.
    EXPECT_EQ(refused("12", "abc"), QStringLiteral("Index de liste hors limites (12)"));

    EXPECT_THROW(Commit("0", "80", ""), EListError);
    EXPECT_THROW(Commit("2", "12.5", ""), EConvertError);
    EXPECT_EQ(TakeSnapshot(table_), before);
    EXPECT_EQ(Points(series_), pointsBefore);
}

TEST_F(ReadingsTest, BadTpStoredElsewhereStopsTheRebuildAfterTheWrite) {
    Row(2, "01/02/2002", "60", "");
    Row(5, "01/05/2002", "abc", "");
    EXPECT_EQ(ErrorOf<EConvertError>([&] { Commit("7", "80", "1,5"); }),
              QStringLiteral("'abc' n'est pas une valeur entière correcte"));
    EXPECT_EQ(RowTexts(7), (QStringList{"05/03/2002", "80", "1,5"}));
    EXPECT_EQ(Points(series_), (std::vector<Point>{{0, 60, "01/02/2002", 0xFF0000}}));

    // Mending that row brings every point back.
    EXPECT_EQ(Commit("5", "65", "").NextLine, QStringLiteral("6"));
    EXPECT_EQ(series_.Count(), 3);
    EXPECT_EQ(series_.YValue(2), 80.0);
}

TEST_F(ReadingsTest, ClearEmptiesReadingsAndCurveKeepsHeader) {
    for (int r = 1; r <= 10; ++r)
        Row(r, "01/01/2003", "50", "2");
    entry_.RebuildCurve();
    ASSERT_EQ(series_.Count(), 10);
    std::vector<std::pair<int, int>> changes;
    table_.OnChange = [&](ReadingsTable &, int col, int row) { changes.emplace_back(col, row); };
    series_.OnClearValues = [this](TChartSeries &) { ++seriesCleared_; };

    entry_.ClearReadings();
    EXPECT_EQ(RowTexts(0), (QStringList{"DATE", "TP", "INR"}));
    for (int r = 1; r <= 10; ++r)
        EXPECT_EQ(RowTexts(r), (QStringList{"", "", ""})) << r;
    EXPECT_EQ(series_.Count(), 0);
    EXPECT_EQ(seriesCleared_, 1);
    // Column by column, rows 1 to 10 within each.
    ASSERT_EQ(changes.size(), 30u);
    EXPECT_EQ(changes[0], std::make_pair(0, 1));
    EXPECT_EQ(changes[9], std::make_pair(0, 10));
    EXPECT_EQ(changes[10], std::make_pair(1, 1));
    EXPECT_EQ(changes[29], std::make_pair(2, 10));
}

TEST_F(ReadingsTest, RebuildSkipsRowsWithoutTp) {
    series_.Add(1.0, QStringLiteral("stale"));
    Row(2, "02/01/2003", "80", "2,1");
    Row(3, "03/01/2003", "", "2,2");
    Row(5, "05/01/2003", "95", "");
    entry_.RebuildCurve();
    EXPECT_EQ(Points(series_), (std::vector<Point>{{0, 80, "02/01/2003", 0xFF0000},
                                                   {1, 95, "05/01/2003", 0xFF0000}}));
    EXPECT_EQ(series_.MinY(), 80.0);
    EXPECT_EQ(series_.MaxY(), 95.0);

    Row(2, "", "", "");
    Row(5, "", "", "");
    entry_.RebuildCurve();
    EXPECT_EQ(series_.Count(), 0);
}

TEST_F(ReadingsTest, RebuildStopsAtBadTpKeepingEarlierPoints) {
    Row(1, "a", "10", "");
    Row(4, "b", "12.5", "");
    Row(6, "c", "30", "");
    EXPECT_EQ(ErrorOf<EConvertError>([&] { entry_.RebuildCurve(); }),
              QStringLiteral("'12.5' n'est pas une valeur entière correcte"));
    EXPECT_EQ(Points(series_), (std::vector<Point>{{0, 10, "a", 0xFF0000}}));
}

} // namespace
} // namespace pexor
