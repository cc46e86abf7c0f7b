#include "render/QtCanvas.h"

#include "render/QtFont.h"
#include "render/raster/DirectRaster.h"
#include "render/raster/PixelLine.h"
#include "render/raster/PixelWriter.h"
#include "render/raster/PolygonOutline.h"
#include "render/raster/PolygonSpans.h"
#include "render/raster/PolygonStamps.h"

#include <QFontMetrics>
#include <QRegion>
#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace pexor {

namespace {

// On and off runs of a styled one-pixel pen, in pixels; empty when solid.
std::span<const int> DashPattern(TPenStyle style) {
    static constexpr int kDash[] = {18, 6};
    static constexpr int kDot[] = {3, 3};
    static constexpr int kDashDot[] = {9, 6, 3, 6};
    static constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (style) {
    case TPenStyle::psDash:
        return kDash;
    case TPenStyle::psDot:
        return kDot;
    case TPenStyle::psDashDot:
        return kDashDot;
    case TPenStyle::psDashDotDot:
        return kDashDotDot;
    case TPenStyle::psSolid:
    case TPenStyle::psClear:
        break;
    }
    return {};
}

QPen MakePen(const TPen &pen, bool unscaled) {
    if (pen.IsClear())
        return QPen(Qt::NoPen);
    QPen p(ToQColor(pen.Color()));
    // One logical unit is one device pixel without scaling: Qt's one-pixel
    // cosmetic pen keeps shapes inside their rectangles exactly.
    p.setWidth(pen.Width() == 1 && unscaled ? 0 : pen.Width());
    if (pen.Width() > 1) {
        // Wide pens have round ends and are always solid.
        p.setCapStyle(Qt::RoundCap);
        p.setJoinStyle(Qt::RoundJoin);
        return p;
    }
    // A flat cap leaves a line's end point unpainted.
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    const std::span<const int> dashes = DashPattern(pen.Style());
    if (!dashes.empty())
        p.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
    return p;
}

QBrush MakeBrush(const TBrush &brush) {
    if (!brush.Bitmap().isNull())
        return QBrush(brush.Bitmap());
    const QColor color = ToQColor(brush.Color());
    switch (brush.Style()) {
    case TBrushStyle::bsClear:
        return QBrush(Qt::NoBrush);
    case TBrushStyle::bsSolid:
        return QBrush(color);
    case TBrushStyle::bsHorizontal:
        return QBrush(color, Qt::HorPattern);
    case TBrushStyle::bsVertical:
        return QBrush(color, Qt::VerPattern);
    case TBrushStyle::bsFDiagonal:
        return QBrush(color, Qt::FDiagPattern);
    case TBrushStyle::bsBDiagonal:
        return QBrush(color, Qt::BDiagPattern);
    case TBrushStyle::bsCross:
        return QBrush(color, Qt::CrossPattern);
    case TBrushStyle::bsDiagCross:
        return QBrush(color, Qt::DiagCrossPattern);
    }
    return QBrush(color);
}

// Right and bottom exclusive, whatever order the corners came in.
void Normalise(int &left, int &top, int &right, int &bottom) {
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
}

// The box Qt outlines so that a one-pixel pen covers left..right-1.
QRect OutlineBox(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left - 1, bottom - top - 1);
}

} // namespace

// Direct writing: the painter's image, the device offset of logical
// positions (when the mapping is a whole-pixel translation), and whether a
// clip set by the painter's owner is in force.
struct QtCanvas::TRaster {
    QImage *image = nullptr;
    std::optional<QPoint> deviceOffset;
    std::optional<QRect> deviceClipRect; // a rectangle clip, in device pixels
    bool foreignClip = false;
    TRegionHandle regionClip;            // the last region clip
    std::optional<TDirectRaster> direct; // for the clip and mapping in force
    std::vector<QLine> sides;
    std::vector<QPoint> on;
    std::vector<QPoint> off;
    TPolygonSpanner spanner;
};

QtCanvas::QtCanvas(QPaintDevice *device) : QtCanvas(device, ThreadRenderCache()) {}

QtCanvas::QtCanvas(QPainter &painter) : QtCanvas(painter, ThreadRenderCache()) {}

QtCanvas::QtCanvas(QPaintDevice *device, TRenderCache &cache)
    : cache_(cache), ownPainter_(std::make_unique<QPainter>(device)), painter_(ownPainter_.get()),
      fast_(std::make_unique<TRaster>()) {
    Setup();
}

QtCanvas::QtCanvas(QPainter &painter, TRenderCache &cache)
    : cache_(cache), painter_(&painter), fast_(std::make_unique<TRaster>()) {
    Setup();
}

QtCanvas::~QtCanvas() {
    if (ownPainter_)
        ownPainter_->end();
}

void QtCanvas::Setup() {
    QPaintDevice *device = painter_->device();
    // On a high-density device one logical pixel covers several device
    // pixels; only the painter knows how to draw them, so the fast path and
    // the one-device-pixel pens step aside.
    devicePixels_ = !device || device->devicePixelRatio() == 1.0;
    if (device && devicePixels_ && device->devType() == QInternal::Image &&
        TDirectRaster::Supports(*static_cast<QImage *>(device)))
        fast_->image = static_cast<QImage *>(device);
    fast_->foreignClip = painter_->hasClipping();
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, false);
    painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    base_ = painter_->worldTransform();
    MappingChanged();
}

void QtCanvas::MappingChanged() {
    QTransform m;
    const QPoint wo = WindowOrg();
    const QPoint vo = ViewportOrg();
    if (MapMode() == TMapMode::Text) {
        m = QTransform::fromTranslate(vo.x() - wo.x(), vo.y() - wo.y());
    } else {
        const QSize we = WindowExt();
        const QSize ve = ViewportExt();
        m = QTransform::fromTranslate(-wo.x(), -wo.y()) *
            QTransform::fromScale(double(ve.width()) / we.width(),
                                  double(ve.height()) / we.height()) *
            QTransform::fromTranslate(vo.x(), vo.y());
    }
    painter_->setWorldTransform(m * base_);
    const QTransform t = painter_->worldTransform();
    fast_->deviceOffset.reset();
    fast_->direct.reset();
    if (t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) &&
        t.dy() == std::floor(t.dy()) && std::fabs(t.dx()) < 1e6 && std::fabs(t.dy()) < 1e6)
        fast_->deviceOffset = QPoint(int(t.dx()), int(t.dy()));
}

TDirectRaster *QtCanvas::Direct() {
    if (!directRaster_ || !fast_->image || !fast_->deviceOffset || MapMode() != TMapMode::Text ||
        RasterOp() != TRasterOp::Copy || fast_->foreignClip || !fast_->image->isDetached())
        return nullptr;
    if (!fast_->direct) {
        switch (Clip().kind) {
        case TClip::Kind::None:
            fast_->direct.emplace(*fast_->image, fast_->image->rect(), *fast_->deviceOffset);
            break;
        case TClip::Kind::Rect:
            if (!fast_->deviceClipRect)
                return nullptr;
            fast_->direct.emplace(*fast_->image, *fast_->deviceClipRect, *fast_->deviceOffset);
            break;
        case TClip::Kind::Region:
            fast_->direct.emplace(*fast_->image, fast_->image->rect(), *fast_->deviceOffset,
                                  &fast_->regionClip->rows);
            break;
        }
    }
    return &*fast_->direct;
}

QRgb QtCanvas::Rgb(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

bool QtCanvas::SolidBrush() const {
    return Brush().Style() == TBrushStyle::bsSolid && Brush().Bitmap().isNull();
}

void QtCanvas::ClipChanged() {
    fast_->direct.reset();
    const TClip &clip = Clip();
    switch (clip.kind) {
    case TClip::Kind::None:
        painter_->setClipping(false);
        fast_->foreignClip = false;
        break;
    case TClip::Kind::Rect:
        painter_->setClipRect(clip.rect.ToQRect());
        fast_->foreignClip = false;
        // The painter keeps the rectangle where the mapping in force put it,
        // whatever the mapping does afterwards.
        fast_->deviceClipRect.reset();
        if (fast_->deviceOffset)
            fast_->deviceClipRect = clip.rect.ToQRect().translated(*fast_->deviceOffset);
        break;
    case TClip::Kind::Region: {
        // A region is in device pixels: set it with the mapping taken off.
        const QTransform mapped = painter_->worldTransform();
        painter_->setWorldTransform(base_);
        if (!fast_->regionClip || clip.region != fast_->regionClip->polygon)
            fast_->regionClip = cache_.RegionClip(clip.region, base_);
        // Once a rectangle clip has been switched off, the painter ignores
        // a region set straight after; a rectangle first makes it take.
        painter_->setClipRect(fast_->regionClip->region.boundingRect());
        painter_->setClipRegion(fast_->regionClip->region);
        painter_->setWorldTransform(mapped);
        fast_->foreignClip = false;
        break;
    }
    }
}

void QtCanvas::ApplyState(bool withPen, bool withBrush) {
    painter_->setPen(withPen ? MakePen(Pen(), devicePixels_ && MapMode() == TMapMode::Text)
                             : QPen(Qt::NoPen));
    painter_->setBrush(withBrush ? MakeBrush(Brush()) : QBrush(Qt::NoBrush));
    painter_->setBackgroundMode(BackMode() == TBackMode::Opaque ? Qt::OpaqueMode
                                                                : Qt::TransparentMode);
    painter_->setBackground(QBrush(ToQColor(BackColor())));
    painter_->setCompositionMode(RasterOp() == TRasterOp::NotXor
                                     ? QPainter::RasterOp_NotSourceXorDestination
                                     : QPainter::CompositionMode_SourceOver);
}

void QtCanvas::LineTo(int x, int y) {
    const QPoint from = PenPos();
    const QPoint to(x, y);
    SetPenPos(to);
    if (Pen().IsClear())
        return;
    if (from == to) {
        // Only a wide pen leaves a dot for a line of no length.
        if (Pen().Width() <= 1)
            return;
        ApplyState(false, false);
        painter_->setBrush(QBrush(ToQColor(Pen().Color())));
        const double r = Pen().Width() / 2.0;
        painter_->drawEllipse(QPointF(x, y), r, r);
        return;
    }
    if (ThinPixelLines()) {
        const QLine line(from, to);
        ThinLines(&line, 1);
        return;
    }
    ApplyState(true, false);
    painter_->drawLine(from, to);
}

void QtCanvas::Lines(const std::vector<QLine> &lines) {
    if (lines.empty())
        return;
    if (!ThinPixelLines() || Pen().IsClear()) {
        Canvas::Lines(lines);
        return;
    }
    ThinLines(lines.data(), lines.size());
    SetPenPos(lines.back().p2());
}

void QtCanvas::Polyline(const QPolygon &points) {
    if (points.size() < 2 || Pen().IsClear())
        return;
    if (ThinPixelLines()) {
        fast_->sides.clear();
        for (qsizetype i = 1; i < points.size(); ++i)
            fast_->sides.emplace_back(points[i - 1], points[i]);
        ThinLines(fast_->sides.data(), fast_->sides.size());
        return;
    }
    ApplyState(true, false);
    painter_->drawPolyline(points);
}

bool QtCanvas::ThinPixelLines() const {
    return Pen().Width() <= 1 && MapMode() == TMapMode::Text;
}

// One-pixel lines are laid out here rather than by Qt, whose aliased lines
// leave out whichever end comes last in its own order (the start of a line
// drawn leftwards or upwards). Each line paints its start, not its end.
void QtCanvas::ThinLines(const QLine *lines, std::size_t count) {
    TDirectRaster *raster = Direct();
    const std::span<const int> pattern = DashPattern(Pen().Style());
    auto inside = [raster](const QLine &line) {
        return raster->Covers(std::min(line.x1(), line.x2()), std::min(line.y1(), line.y2()),
                              std::max(line.x1(), line.x2()), std::max(line.y1(), line.y2()));
    };
    if (raster && pattern.empty()) {
        // Nothing to sort into dashes and gaps: straight to the pixels, in
        // a loop of its own, the one a long series takes.
        const QRgb rgb = Rgb(Pen().Color());
        for (std::size_t i = 0; i < count; ++i)
            WithWriter(*raster, inside(lines[i]), [&](auto writer) {
                LayOutLine(lines[i], [&](int x, int y) { writer.Pixel(x, y, rgb); });
            });
        return;
    }
    // Dashes are painted first, then the gaps, which take the background in
    // opaque mode; written straight, dashes need not wait in a list.
    const bool opaque = BackMode() == TBackMode::Opaque;
    const QRgb penRgb = Rgb(Pen().Color());
    fast_->on.clear();
    fast_->off.clear();
    auto layOut = [&](const QLine &line, auto paint) {
        if (pattern.empty()) {
            LayOutLine(line, paint);
            return;
        }
        // Each line starts the pattern afresh: its part and the pixels left in it.
        std::size_t part = 0;
        int left = pattern[0];
        LayOutLine(line, [&](int x, int y) {
            const bool painted = part % 2 == 0;
            if (--left == 0) {
                part = part + 1 == pattern.size() ? 0 : part + 1;
                left = pattern[part];
            }
            if (painted)
                paint(x, y);
            else if (opaque)
                fast_->off.emplace_back(x, y);
        });
    };
    for (std::size_t i = 0; i < count; ++i) {
        const QLine &line = lines[i];
        if (!raster) {
            layOut(line, [&](int x, int y) { fast_->on.emplace_back(x, y); });
            continue;
        }
        WithWriter(*raster, inside(line), [&](auto writer) {
            layOut(line, [&](int x, int y) { writer.Pixel(x, y, penRgb); });
        });
    }
    const bool gaps = !fast_->off.empty();
    if (raster) {
        if (gaps)
            raster->Points(fast_->off, Rgb(BackColor()));
        return;
    }
    ApplyState(false, false);
    const int dotWidth = devicePixels_ ? 0 : 1;
    painter_->setPen(QPen(ToQColor(Pen().Color()), dotWidth));
    painter_->drawPoints(fast_->on.data(), int(fast_->on.size()));
    if (gaps) {
        painter_->setPen(QPen(ToQColor(BackColor()), dotWidth));
        painter_->drawPoints(fast_->off.data(), int(fast_->off.size()));
    }
}

void QtCanvas::Polygon(const QPolygon &points) {
    if (points.size() < 2)
        return;
    TDirectRaster *raster = Direct();
    const bool plainPen = Pen().IsClear() || (ThinPixelLines() && Pen().Style() == TPenStyle::psSolid);
    const bool plainBrush = Brush().IsClear() || SolidBrush();
    // The painter's outline is laid out the same only while the corners lie
    // on its image; beyond it the painter first cuts the sides short.
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const QPoint &p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    if (!raster || !plainPen || !plainBrush || !raster->OnImage(left, top, right, bottom)) {
        ApplyState(true, true);
        painter_->drawPolygon(points, Qt::OddEvenFill);
        return;
    }
    // A shape wholly inside the clip (a series' segment inside the 3D box)
    // is written without a check per pixel; the outline may stray one pixel
    // out of the corners' box.
    const bool inside = raster->Covers(left - 1, top - 1, right + 1, bottom + 1);
    if (inside) {
        if (const TPolygonStamp *stamp = cache_.PolygonStamps().Find(points)) {
            const bool fill = !Brush().IsClear();
            const bool outline = !Pen().IsClear();
            if (fill)
                raster->SpansInside(outline ? stamp->fillBesideOutline : stamp->fill, points[0],
                                    Rgb(Brush().Color()));
            if (outline)
                raster->PointsInside(stamp->outline, points[0], Rgb(Pen().Color()));
            return;
        }
    }
    WithWriter(*raster, inside, [&](auto writer) {
        if (!Brush().IsClear()) {
            const QRgb rgb = Rgb(Brush().Color());
            fast_->spanner.ForEachSpan(points, raster->LogicalClip(),
                                       [&](int y, int l, int r) { writer.Span(y, l, r, rgb); });
        }
        if (!Pen().IsClear()) {
            const QRgb rgb = Rgb(Pen().Color());
            LayOutPolygonOutline(points, [&](int x, int y) { writer.Pixel(x, y, rgb); });
        }
    });
}

void QtCanvas::Rectangle(int left, int top, int right, int bottom) {
    Normalise(left, top, right, bottom);
    if (right == left || bottom == top)
        return;
    TDirectRaster *raster = Direct();
    if (!Brush().IsClear()) {
        if (raster && SolidBrush()) {
            raster->Fill(left, top, right, bottom, Rgb(Brush().Color()));
        } else {
            ApplyState(false, true);
            painter_->drawRect(QRect(left, top, right - left, bottom - top));
        }
    }
    if (Pen().IsClear())
        return;
    // The outline stays the painter's: under a region clip it leaves out a
    // corner that a plain box would have.
    ApplyState(true, false);
    painter_->drawRect(OutlineBox(left, top, right, bottom));
}

void QtCanvas::Ellipse(int left, int top, int right, int bottom) {
    Normalise(left, top, right, bottom);
    if (right == left || bottom == top)
        return;
    const bool simplePen =
        Pen().IsClear() || (Pen().Width() <= 1 && Pen().Style() == TPenStyle::psSolid);
    if (MapMode() != TMapMode::Text || !simplePen) {
        ApplyState(true, true);
        painter_->drawEllipse(OutlineBox(left, top, right, bottom));
        return;
    }
    // Qt's aliased ellipses may stray a pixel out of their box; in pixel
    // units we lay the ellipse out row by row ourselves.
    const double cx = (left + right) / 2.0;
    const double cy = (top + bottom) / 2.0;
    const double rx = (right - left) / 2.0;
    const double ry = (bottom - top) / 2.0;
    const int rows = bottom - top;
    std::vector<std::pair<int, int>> spans(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        const double dy = (top + i + 0.5 - cy) / ry;
        const double half = rx * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        int from = int(std::ceil(cx - half - 0.5));
        int to = int(std::floor(cx + half - 0.5));
        if (to < from) {
            from = int(std::floor(cx - 0.5));
            to = int(std::ceil(cx - 0.5));
        }
        spans[std::size_t(i)] = {std::max(left, from), std::min(right - 1, to)};
    }
    if (!Brush().IsClear()) {
        ApplyState(false, true);
        for (int i = 0; i < rows; ++i) {
            const auto [from, to] = spans[std::size_t(i)];
            painter_->drawRect(QRect(from, top + i, to - from + 1, 1));
        }
    }
    if (Pen().IsClear())
        return;
    ApplyState(false, false);
    const QColor color = ToQColor(Pen().Color());
    auto inside = [&](int row, int x) {
        if (row < 0 || row >= rows)
            return false;
        return x >= spans[std::size_t(row)].first && x <= spans[std::size_t(row)].second;
    };
    // The outline is every pixel of the ellipse with a neighbour outside it.
    for (int i = 0; i < rows; ++i) {
        const auto [from, to] = spans[std::size_t(i)];
        for (int x = from; x <= to; ++x)
            if (x == from || x == to || !inside(i - 1, x) || !inside(i + 1, x))
                painter_->fillRect(QRect(x, top + i, 1, 1), color);
    }
}

void QtCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                         int cornerHeight) {
    Normalise(left, top, right, bottom);
    if (right == left || bottom == top)
        return;
    ApplyState(true, true);
    painter_->drawRoundedRect(OutlineBox(left, top, right, bottom), cornerWidth / 2.0,
                              cornerHeight / 2.0);
}

void QtCanvas::ArcShape(bool pie, int left, int top, int right, int bottom, int startX, int startY,
                        int endX, int endY) {
    Normalise(left, top, right, bottom);
    const QRectF box = OutlineBox(left, top, right, bottom);
    const double rx = box.width() / 2.0;
    const double ry = box.height() / 2.0;
    if (rx <= 0 || ry <= 0)
        return;
    const QPointF c = box.center();
    // Angles on the ellipse's own circle, counter-clockwise with y up.
    auto angleOf = [&](int x, int y) {
        return std::atan2(-(y - c.y()) / ry, (x - c.x()) / rx) * 180.0 / M_PI;
    };
    const double start = angleOf(startX, startY);
    double span = angleOf(endX, endY) - start;
    while (span <= 0)
        span += 360.0;
    const int a = int(std::lround(start * 16));
    const int s = int(std::lround(span * 16));
    if (pie) {
        ApplyState(true, true);
        painter_->drawPie(box, a, s);
    } else {
        if (Pen().IsClear())
            return;
        ApplyState(true, false);
        painter_->drawArc(box, a, s);
    }
}

void QtCanvas::Arc(int left, int top, int right, int bottom, int startX, int startY, int endX,
                   int endY) {
    ArcShape(false, left, top, right, bottom, startX, startY, endX, endY);
}

void QtCanvas::Pie(int left, int top, int right, int bottom, int startX, int startY, int endX,
                   int endY) {
    ArcShape(true, left, top, right, bottom, startX, startY, endX, endY);
}

void QtCanvas::Pixel(int x, int y, TColor color) {
    painter_->setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_->fillRect(QRect(x, y, 1, 1), ToQColor(color));
}

void QtCanvas::FillRect(const TRect &rect) {
    if (Brush().IsClear() || rect.IsEmpty())
        return;
    if (TDirectRaster *raster = Direct(); raster && SolidBrush()) {
        raster->Fill(rect.Left, rect.Top, rect.Right, rect.Bottom, Rgb(Brush().Color()));
        return;
    }
    ApplyState(false, true);
    painter_->drawRect(rect.ToQRect());
}

void QtCanvas::TextOut(int x, int y, const QString &text) {
    if (text.isEmpty())
        return;
    const TFontHandle metrics = cache_.Font(Font(), painter_->device());
    const QFont &font = metrics->Font();
    const QFontMetrics &fm = metrics->Metrics();
    const int w = metrics->Advance(text);
    const int h = fm.height();
    const unsigned align = TextAlign();
    int dx = 0;
    if ((align & TA_HORIZONTAL_MASK) == TA_CENTER)
        dx = -w / 2;
    else if ((align & TA_HORIZONTAL_MASK) == TA_RIGHT)
        dx = -w;
    int dy = 0;
    if ((align & TA_VERTICAL_MASK) == TA_BASELINE)
        dy = -fm.ascent();
    else if ((align & TA_VERTICAL_MASK) == TA_BOTTOM)
        dy = -h;

    const bool turned = Font().Escapement() != 0;
    const bool opaque = BackMode() == TBackMode::Opaque;
    // Unturned text on the image is written from the pixels its layout
    // covers, found once: a glyph blit by the painter costs far more.
    if (TDirectRaster *raster = turned ? nullptr : Direct()) {
        const std::shared_ptr<const TTextStamp> kept =
            metrics->Stamp(text, fast_->image->format(), int(painter_->renderHints()));
        const TTextStamp &stamp = *kept;
        if (stamp.usable) {
            const int left = x + dx;
            const int top = y + dy;
            if (opaque)
                raster->Fill(left, top, left + w, top + h, Rgb(BackColor()));
            const QRgb rgb = Rgb(TextColor());
            for (const TSpan &run : stamp.runs)
                raster->Span(top + run.y, left + run.left, left + run.right, rgb);
            return;
        }
    }
    painter_->setCompositionMode(RasterOp() == TRasterOp::NotXor
                                     ? QPainter::RasterOp_NotSourceXorDestination
                                     : QPainter::CompositionMode_SourceOver);
    TDirectRaster *raster = turned || !opaque ? nullptr : Direct();
    if (raster)
        raster->Fill(x + dx, y + dy, x + dx + w, y + dy + h, Rgb(BackColor()));
    // The mapping is put back by hand: a painter's save and restore cost
    // more than the text itself.
    const QTransform mapped = painter_->worldTransform();
    painter_->translate(x, y);
    if (turned)
        painter_->rotate(-Font().Escapement() / 10.0);
    if (opaque && !raster)
        painter_->fillRect(QRect(dx, dy, w, h), ToQColor(BackColor()));
    // A new pen or font each time would be undone and redone by the painter
    // for every label of an axis.
    if (!(painter_->font() == font))
        painter_->setFont(font);
    const QColor textColor = ToQColor(TextColor());
    const QPen &pen = painter_->pen();
    if (pen.style() != Qt::SolidLine || pen.widthF() != 1 || pen.color() != textColor ||
        pen.brush().style() != Qt::SolidPattern)
        painter_->setPen(textColor);
    // Unturned text is laid out once and kept (over the box filled above);
    // turned text is laid out at each drawing, where a kept layout would
    // land its glyphs differently.
    if (!turned) {
        painter_->setBackgroundMode(Qt::TransparentMode);
        painter_->drawStaticText(QPointF(dx, dy), metrics->Layout(text));
    } else {
        painter_->setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
        painter_->setBackground(QBrush(ToQColor(BackColor())));
        painter_->drawText(dx, dy + fm.ascent(), text);
    }
    painter_->setWorldTransform(mapped);
}

QSize QtCanvas::TextExtent(const QString &text) {
    const TFontHandle metrics = cache_.Font(Font(), painter_->device());
    return QSize(metrics->Advance(text), metrics->Metrics().height());
}

void QtCanvas::Draw(int x, int y, const QImage &image) {
    if (image.isNull())
        return;
    ApplyState(false, false);
    painter_->drawImage(QPoint(x, y), image);
}

void QtCanvas::StretchDraw(const TRect &rect, const QImage &image) {
    if (image.isNull() || rect.IsEmpty())
        return;
    ApplyState(false, false);
    painter_->drawImage(rect.ToQRect(), image);
}

QSize QtCanvas::DeviceSize() const {
    const QPaintDevice *device = painter_->device();
    return device ? QSize(device->width(), device->height()) : QSize();
}

int QtCanvas::PixelsPerInch() const {
    const QPaintDevice *device = painter_->device();
    return device ? device->logicalDpiY() : kScreenPixelsPerInch;
}

} // namespace pexor
