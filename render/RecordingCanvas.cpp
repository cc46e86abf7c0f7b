#include "render/RecordingCanvas.h"

#include "render/QtFont.h"

namespace pexor {

RecordingCanvas::RecordingCanvas(QSize deviceSize, int pixelsPerInch)
    : deviceSize_(deviceSize), pixelsPerInch_(pixelsPerInch),
      metricsDevice_(1, 1, QImage::Format_RGB32) {
    // Measure at the stated resolution, as a surface of that kind would.
    const int dotsPerMeter = int(pixelsPerInch / 0.0254 + 0.5);
    metricsDevice_.setDotsPerMeterX(dotsPerMeter);
    metricsDevice_.setDotsPerMeterY(dotsPerMeter);
}

std::vector<TCanvasRecord> RecordingCanvas::RecordsOf(TRecordKind kind) const {
    std::vector<TCanvasRecord> result;
    for (const TCanvasRecord &r : records_)
        if (r.Kind == kind)
            result.push_back(r);
    return result;
}

TCanvasRecord &RecordingCanvas::Add(TRecordKind kind, QPolygon points) {
    TCanvasRecord r;
    r.Kind = kind;
    r.Points = std::move(points);
    r.Pen = Pen();
    r.Brush = Brush();
    r.Font = Font();
    r.TextAlign = TextAlign();
    r.BackMode = BackMode();
    r.BackColor = BackColor();
    r.RasterOp = RasterOp();
    r.Clip = Clip();
    records_.push_back(std::move(r));
    return records_.back();
}

void RecordingCanvas::MoveTo(int x, int y) {
    Canvas::MoveTo(x, y);
    Add(TRecordKind::MoveTo, QPolygon({QPoint(x, y)}));
}

void RecordingCanvas::LineTo(int x, int y) {
    const QPoint from = PenPos();
    SetPenPos(QPoint(x, y));
    Add(TRecordKind::LineTo, QPolygon({from, QPoint(x, y)}));
}

void RecordingCanvas::Polyline(const QPolygon &points) {
    Add(TRecordKind::Polyline, points);
}

void RecordingCanvas::Polygon(const QPolygon &points) {
    Add(TRecordKind::Polygon, points);
}

void RecordingCanvas::Rectangle(int left, int top, int right, int bottom) {
    Add(TRecordKind::Rectangle, QPolygon({QPoint(left, top), QPoint(right, bottom)}));
}

void RecordingCanvas::Ellipse(int left, int top, int right, int bottom) {
    Add(TRecordKind::Ellipse, QPolygon({QPoint(left, top), QPoint(right, bottom)}));
}

void RecordingCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                                int cornerHeight) {
    Add(TRecordKind::RoundRect,
        QPolygon({QPoint(left, top), QPoint(right, bottom), QPoint(cornerWidth, cornerHeight)}));
}

void RecordingCanvas::Arc(int left, int top, int right, int bottom, int startX, int startY,
                          int endX, int endY) {
    Add(TRecordKind::Arc, QPolygon({QPoint(left, top), QPoint(right, bottom),
                                    QPoint(startX, startY), QPoint(endX, endY)}));
}

void RecordingCanvas::Pie(int left, int top, int right, int bottom, int startX, int startY,
                          int endX, int endY) {
    Add(TRecordKind::Pie, QPolygon({QPoint(left, top), QPoint(right, bottom),
                                    QPoint(startX, startY), QPoint(endX, endY)}));
}

void RecordingCanvas::Pixel(int x, int y, TColor color) {
    Add(TRecordKind::Pixel, QPolygon({QPoint(x, y)})).Color = color;
}

void RecordingCanvas::FillRect(const TRect &rect) {
    Add(TRecordKind::FillRect,
        QPolygon({QPoint(rect.Left, rect.Top), QPoint(rect.Right, rect.Bottom)}));
}

void RecordingCanvas::TextOut(int x, int y, const QString &text) {
    Add(TRecordKind::TextOut, QPolygon({QPoint(x, y)})).Text = text;
}

QSize RecordingCanvas::TextExtent(const QString &text) {
    return TextExtentOf(Font(), text, &metricsDevice_);
}

void RecordingCanvas::Draw(int x, int y, const QImage &image) {
    Add(TRecordKind::Draw, QPolygon({QPoint(x, y)})).ImageSize = image.size();
}

void RecordingCanvas::StretchDraw(const TRect &rect, const QImage &image) {
    Add(TRecordKind::StretchDraw,
        QPolygon({QPoint(rect.Left, rect.Top), QPoint(rect.Right, rect.Bottom)}))
        .ImageSize = image.size();
}

void RecordingCanvas::ClipChanged() {
    const TClip &clip = Clip();
    QPolygon points;
    if (clip.kind == TClip::Kind::Rect)
        points = QPolygon(
            {QPoint(clip.rect.Left, clip.rect.Top), QPoint(clip.rect.Right, clip.rect.Bottom)});
    else if (clip.kind == TClip::Kind::Region)
        points = clip.region;
    Add(TRecordKind::Clip, points);
}

} // namespace pexor
