#include "render/Canvas.h"

#include "platform/Rounding.h"

namespace pexor {

TFont::TFont(QString name, int size, TColor color, TFontStyles style)
    : name_(std::move(name)), color_(color), style_(style) {
    SetSize(size);
}

int TFont::Size() const {
    return -MulDiv(height_, 72, pixelsPerInch_);
}

void TFont::SetSize(int points) {
    height_ = -MulDiv(points, pixelsPerInch_, 72);
}

void TFont::Assign(const TFont &source) {
    const int ppi = pixelsPerInch_;
    name_ = source.name_;
    color_ = source.color_;
    style_ = source.style_;
    escapement_ = source.escapement_;
    orientation_ = source.orientation_;
    if (source.pixelsPerInch_ == ppi)
        height_ = source.height_;
    else
        SetSize(source.Size());
}

void Canvas::SetMapMode(TMapMode value) {
    if (mapMode_ == value)
        return;
    mapMode_ = value;
    MappingChanged();
}

void Canvas::SetWindowOrg(QPoint value) {
    if (windowOrg_ == value)
        return;
    windowOrg_ = value;
    MappingChanged();
}

void Canvas::SetWindowExt(QSize value) {
    if (windowExt_ == value || value.width() == 0 || value.height() == 0)
        return;
    windowExt_ = value;
    MappingChanged();
}

void Canvas::SetViewportOrg(QPoint value) {
    if (viewportOrg_ == value)
        return;
    viewportOrg_ = value;
    MappingChanged();
}

void Canvas::SetViewportExt(QSize value) {
    if (viewportExt_ == value || value.width() == 0 || value.height() == 0)
        return;
    viewportExt_ = value;
    MappingChanged();
}

QPoint Canvas::LogicalToDevice(QPoint p) const {
    if (mapMode_ == TMapMode::Text)
        return p - windowOrg_ + viewportOrg_;
    return QPoint(MulDiv(p.x() - windowOrg_.x(), viewportExt_.width(), windowExt_.width()) +
                      viewportOrg_.x(),
                  MulDiv(p.y() - windowOrg_.y(), viewportExt_.height(), windowExt_.height()) +
                      viewportOrg_.y());
}

QPoint Canvas::DeviceToLogical(QPoint p) const {
    if (mapMode_ == TMapMode::Text)
        return p - viewportOrg_ + windowOrg_;
    return QPoint(MulDiv(p.x() - viewportOrg_.x(), windowExt_.width(), viewportExt_.width()) +
                      windowOrg_.x(),
                  MulDiv(p.y() - viewportOrg_.y(), windowExt_.height(), viewportExt_.height()) +
                      windowOrg_.y());
}

void Canvas::ClipRect(const TRect &rect) {
    TClip clip;
    clip.kind = TClip::Kind::Rect;
    clip.rect = rect;
    SetClip(clip);
}

void Canvas::ClipRegion(const QPolygon &devicePoints) {
    TClip clip;
    clip.kind = TClip::Kind::Region;
    clip.region = devicePoints;
    SetClip(clip);
}

void Canvas::Unclip() {
    SetClip(TClip());
}

void Canvas::SetClip(const TClip &value) {
    clip_ = value;
    ClipChanged();
}

void Canvas::MoveTo(int x, int y) {
    penPos_ = QPoint(x, y);
}

void Canvas::Lines(const std::vector<QLine> &lines) {
    for (const QLine &line : lines) {
        MoveTo(line.x1(), line.y1());
        LineTo(line.x2(), line.y2());
    }
}

CanvasStateScope::CanvasStateScope(Canvas &canvas)
    : canvas_(canvas), pen_(canvas), brush_(canvas), font_(canvas), clip_(canvas),
      textAlign_(canvas.TextAlign()), backMode_(canvas.BackMode()), backColor_(canvas.BackColor()),
      rasterOp_(canvas.RasterOp()) {}

CanvasStateScope::~CanvasStateScope() {
    canvas_.SetTextAlign(textAlign_);
    canvas_.SetBackMode(backMode_);
    canvas_.SetBackColor(backColor_);
    canvas_.SetRasterOp(rasterOp_);
}

} // namespace pexor
