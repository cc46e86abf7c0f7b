#include "controls/Lines.h"

#include "render/RecordingCanvas.h"

#include <gtest/gtest.h>

using namespace pexor;

namespace {

// The segment of the one LineTo a paint made.
QPolygon PaintedSegment(TLine &line) {
    RecordingCanvas canvas;
    line.Paint(canvas);
    const auto lines = canvas.RecordsOf(TRecordKind::LineTo);
    EXPECT_EQ(lines.size(), 1u);
    return lines.empty() ? QPolygon() : lines.front().Points;
}

QPolygon Segment(int x1, int y1, int x2, int y2) {
    return QPolygon({QPoint(x1, y1), QPoint(x2, y2)});
}

} // namespace

TEST(Line, Defaults) {
    TLine line;
    EXPECT_EQ(line.size(), QSize(65, 65));
    EXPECT_EQ(line.Line(), TLineType::ltCustom);
    EXPECT_EQ(line.Pen(), TPen());
    EXPECT_EQ(line.Brush(), TBrush());
    EXPECT_EQ(PaintedSegment(line), Segment(0, 0, 35, 35));
}

TEST(Line, HorizontalLineSettlesTenPixelsHighAfterTheSecondPaint) {
    TLine line;
    line.resize(196, 65);
    line.SetLine(TLineType::ltHorizontal);
    EXPECT_EQ(PaintedSegment(line), Segment(0, 32, 195, 32));
    EXPECT_EQ(line.size(), QSize(196, 10));
    EXPECT_EQ(PaintedSegment(line), Segment(0, 4, 195, 4));
    EXPECT_EQ(line.size(), QSize(196, 10));
    EXPECT_EQ(line.FromX(), 0);
    EXPECT_EQ(line.FromY(), 4);
    EXPECT_EQ(line.ToX(), 195);
    EXPECT_EQ(line.ToY(), 4);

    line.SetPen(TPen(clBlack, 2));
    PaintedSegment(line);
    EXPECT_EQ(line.size(), QSize(196, 20));
    EXPECT_EQ(PaintedSegment(line), Segment(0, 9, 195, 9));
}

TEST(Line, VerticalLineTakesTenPenWidths) {
    TLine line;
    line.resize(65, 120);
    line.SetLine(TLineType::ltVertical);
    EXPECT_EQ(PaintedSegment(line), Segment(32, 0, 32, 119));
    EXPECT_EQ(line.size(), QSize(10, 120));
    EXPECT_EQ(PaintedSegment(line), Segment(4, 0, 4, 119));
}

TEST(Line, PenOfWidthZeroKeepsTheLineVisible) {
    TLine line;
    line.resize(100, 65);
    line.SetPen(TPen(clBlack, 0));
    line.SetLine(TLineType::ltHorizontal);
    PaintedSegment(line);
    EXPECT_EQ(line.size(), QSize(100, 10));
}

TEST(Line, EdgeAndDiagonalKinds) {
    struct Case {
        TLineType kind;
        QPolygon segment;
    };
    const Case cases[] = {
        {TLineType::ltTop, Segment(0, 0, 79, 0)},
        {TLineType::ltBottom, Segment(0, 39, 79, 39)},
        {TLineType::ltLeft, Segment(0, 0, 0, 39)},
        {TLineType::ltRight, Segment(79, 0, 79, 39)},
        {TLineType::ltUpDiagonal, Segment(0, 39, 79, 0)},
        {TLineType::ltDownDiagonal, Segment(0, 0, 79, 39)},
    };
    for (const Case &c : cases) {
        TLine line;
        line.resize(80, 40);
        line.SetLine(c.kind);
        EXPECT_EQ(PaintedSegment(line), c.segment) << int(c.kind);
        EXPECT_EQ(line.size(), QSize(80, 40)) << int(c.kind);
    }
}

TEST(Line, PenAndBrushAreInForceForTheLine) {
    TLine line;
    line.SetPen(TPen(clWhite, 3, TPenStyle::psDot));
    line.SetBrush(TBrush(clRed));
    RecordingCanvas canvas;
    line.Paint(canvas);
    const auto lines = canvas.RecordsOf(TRecordKind::LineTo);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].Pen, TPen(clWhite, 3, TPenStyle::psDot));
    EXPECT_EQ(lines[0].Brush, TBrush(clRed));
    // The canvas gets its own pen back.
    EXPECT_EQ(canvas.Pen(), TPen());
}

TEST(Line, PointsAreWrittenOnlyWhileCustom) {
    TLine line;
    line.resize(196, 10);
    line.SetLine(TLineType::ltHorizontal);
    line.SetFromX(50);
    line.SetToY(1);
    EXPECT_EQ(line.FromX(), 0);
    EXPECT_EQ(line.ToY(), 35);
    EXPECT_EQ(PaintedSegment(line), Segment(0, 4, 195, 4));

    // A custom line keeps the last computed points.
    line.SetLine(TLineType::ltCustom);
    EXPECT_EQ(PaintedSegment(line), Segment(0, 4, 195, 4));
    line.SetFromX(50);
    EXPECT_EQ(PaintedSegment(line), Segment(50, 4, 195, 4));
}

TEST(Line, CustomLineGrowsToHoldItsPointsAndNeverShrinks) {
    TLine line;
    line.resize(100, 100);
    line.SetToX(200);
    EXPECT_EQ(PaintedSegment(line), Segment(0, 0, 200, 35));
    EXPECT_EQ(line.size(), QSize(201, 100));

    line.SetFromY(150);
    PaintedSegment(line);
    EXPECT_EQ(line.size(), QSize(201, 151));

    line.SetToX(3);
    line.SetFromY(2);
    PaintedSegment(line);
    EXPECT_EQ(line.size(), QSize(201, 151));
}

TEST(Line, CustomLineNegativePointsBecomeZero) {
    TLine line;
    line.SetFromX(-5);
    line.SetToY(-1);
    EXPECT_EQ(PaintedSegment(line), Segment(0, 0, 35, 0));
    EXPECT_EQ(line.FromX(), 0);
    EXPECT_EQ(line.ToY(), 0);
}

TEST(Line, KindChangeSizeRules) {
    struct Case {
        TLineType from;
        TLineType to;
        QSize before;
        QSize after;
    };
    const Case cases[] = {
        {TLineType::ltHorizontal, TLineType::ltVertical, {196, 10}, {10, 196}},
        {TLineType::ltHorizontal, TLineType::ltTop, {196, 10}, {196, 65}},
        {TLineType::ltHorizontal, TLineType::ltBottom, {196, 10}, {196, 65}},
        {TLineType::ltHorizontal, TLineType::ltLeft, {196, 10}, {65, 196}},
        {TLineType::ltHorizontal, TLineType::ltRight, {196, 10}, {65, 196}},
        {TLineType::ltHorizontal, TLineType::ltUpDiagonal, {196, 10}, {196, 65}},
        {TLineType::ltHorizontal, TLineType::ltDownDiagonal, {196, 10}, {196, 65}},
        {TLineType::ltHorizontal, TLineType::ltCustom, {196, 10}, {196, 10}},
        {TLineType::ltVertical, TLineType::ltHorizontal, {10, 150}, {150, 10}},
        {TLineType::ltVertical, TLineType::ltTop, {10, 150}, {150, 65}},
        {TLineType::ltVertical, TLineType::ltBottom, {10, 150}, {150, 65}},
        {TLineType::ltVertical, TLineType::ltLeft, {10, 150}, {65, 150}},
        {TLineType::ltVertical, TLineType::ltRight, {10, 150}, {65, 150}},
        {TLineType::ltVertical, TLineType::ltUpDiagonal, {10, 150}, {65, 150}},
        {TLineType::ltVertical, TLineType::ltDownDiagonal, {10, 150}, {65, 150}},
        {TLineType::ltTop, TLineType::ltVertical, {80, 40}, {80, 40}},
        {TLineType::ltCustom, TLineType::ltHorizontal, {80, 40}, {80, 40}},
    };
    for (const Case &c : cases) {
        TLine line;
        line.SetLine(c.from);
        line.resize(c.before);
        line.SetLine(c.to);
        EXPECT_EQ(line.size(), c.after) << int(c.from) << " -> " << int(c.to);
        EXPECT_EQ(line.Line(), c.to);
    }
}
