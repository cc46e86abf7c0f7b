#pragma once

#include "render/Canvas.h"

#include <QImage>
#include <vector>

namespace pexor {

enum class TRecordKind {
    MoveTo,
    LineTo,
    Polyline,
    Polygon,
    Rectangle,
    Ellipse,
    RoundRect,
    Arc,
    Pie,
    Pixel,
    FillRect,
    TextOut,
    Draw,
    StretchDraw,
    Clip
};

// One call to the canvas with its arguments and the state in force.
// Points holds the geometry in the call's order:
//   MoveTo (x, y); LineTo from, to; Polyline and Polygon their points;
//   Rectangle, Ellipse, FillRect, StretchDraw (left, top), (right, bottom);
//   RoundRect those and (corner width, corner height); Arc and Pie those and
//   the start and end points; Pixel, TextOut and Draw (x, y);
//   Clip the rectangle's two corners or the region's polygon (Clip.kind says).
struct TCanvasRecord {
    TRecordKind Kind = TRecordKind::MoveTo;
    QPolygon Points;
    QString Text;
    TColor Color = clBlack; // Pixel's colour
    QSize ImageSize;        // Draw and StretchDraw
    TPen Pen;
    TBrush Brush;
    TFont Font;
    unsigned TextAlign = 0;
    TBackMode BackMode = TBackMode::Opaque;
    TColor BackColor = clWhite;
    TRasterOp RasterOp = TRasterOp::Copy;
    TClip Clip;
};

// A canvas that draws nothing and keeps every call, for tests that check the
// exact geometry a drawing produces. Text is measured as on a screen image.
class RecordingCanvas : public Canvas {
public:
    explicit RecordingCanvas(QSize deviceSize = QSize(1024, 768),
                             int pixelsPerInch = kScreenPixelsPerInch);

    const std::vector<TCanvasRecord> &Records() const { return records_; }
    std::vector<TCanvasRecord> RecordsOf(TRecordKind kind) const;
    void Clear() { records_.clear(); }

    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Polyline(const QPolygon &points) override;
    void Polygon(const QPolygon &points) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    void RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                   int cornerHeight) override;
    void Arc(int left, int top, int right, int bottom, int startX, int startY, int endX,
             int endY) override;
    void Pie(int left, int top, int right, int bottom, int startX, int startY, int endX,
             int endY) override;
    void Pixel(int x, int y, TColor color) override;
    void FillRect(const TRect &rect) override;
    void TextOut(int x, int y, const QString &text) override;
    QSize TextExtent(const QString &text) override;
    void Draw(int x, int y, const QImage &image) override;
    void StretchDraw(const TRect &rect, const QImage &image) override;
    QSize DeviceSize() const override { return deviceSize_; }
    int PixelsPerInch() const override { return pixelsPerInch_; }

protected:
    void ClipChanged() override;

private:
    TCanvasRecord &Add(TRecordKind kind, QPolygon points);

    QSize deviceSize_;
    int pixelsPerInch_;
    QImage metricsDevice_;
    std::vector<TCanvasRecord> records_;
};

} // namespace pexor
