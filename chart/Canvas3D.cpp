#include "chart/Canvas3D.h"

#include "render/QtCanvas.h"

#include <QFontInfo>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>

namespace pexor {

namespace {

// Where a canvas with no surface draws: nowhere, and text measures 0.
class DetachedCanvas : public Canvas {
public:
    void LineTo(int x, int y) override { SetPenPos(QPoint(x, y)); }
    void Polyline(const QPolygon &) override {}
    void Polygon(const QPolygon &) override {}
    void Rectangle(int, int, int, int) override {}
    void Ellipse(int, int, int, int) override {}
    void RoundRect(int, int, int, int, int, int) override {}
    void Arc(int, int, int, int, int, int, int, int) override {}
    void Pie(int, int, int, int, int, int, int, int) override {}
    void Pixel(int, int, TColor) override {}
    void FillRect(const TRect &) override {}
    void TextOut(int, int, const QString &) override {}
    QSize TextExtent(const QString &) override { return QSize(0, 0); }
    void Draw(int, int, const QImage &) override {}
    void StretchDraw(const TRect &, const QImage &) override {}
    QSize DeviceSize() const override { return QSize(0, 0); }
    int PixelsPerInch() const override { return kScreenPixelsPerInch; }
};

constexpr double kPi = 3.14159265358979323846;

// String-table texts 65276 and 65268.
const QString kChartFontName = QStringLiteral("Arial");
constexpr int kChartFontSize = 8;

QPolygon ToPolygon(std::initializer_list<QPoint> points) {
    return QPolygon(QList<QPoint>(points));
}

} // namespace

TColor DarkenColor(TColor color, int quantity) {
    const TColor rgb = ColorToRGB(color);
    auto lower = [quantity](int v) { return v > quantity ? v - quantity : 0; };
    return RGB(lower(GetRValue(rgb)), lower(GetGValue(rgb)), lower(GetBValue(rgb)));
}

TFont DefaultChartFont(const QLocale &locale) {
    TFont font(kChartFontName, kChartFontSize, clBlack, 0);
    if (locale.language() == QLocale::Japanese) {
        const QFont ui = QGuiApplication::font();
        if (font.Name() == kChartFontName)
            font.SetName(ui.family());
        const int height = QFontInfo(ui).pixelSize();
        font.SetSize(-MulDiv(height, 72, kScreenPixelsPerInch));
    }
    return font;
}

bool IsDefaultChartFont(const TFont &font, const QLocale &locale) {
    const TFont d = DefaultChartFont(locale);
    return font.Size() == d.Size() && font.Name() == d.Name() && font.Color() == clBlack &&
           font.Style() == 0;
}

TChartCanvas::TChartCanvas() : current_(nullptr), detached_(std::make_unique<DetachedCanvas>()) {
    current_ = detached_.get();
}

TChartCanvas::~TChartCanvas() = default;

bool TChartCanvas::HasSurface() const {
    return current_ != detached_.get();
}

void TChartCanvas::SetSurface(Canvas *surface) {
    current_ = surface ? surface : detached_.get();
}

TChartCanvas3D::TChartCanvas3D() = default;

TChartCanvas3D::~TChartCanvas3D() {
    // The bitmap's painter must end before the bitmap goes.
    bitmapCanvas_.reset();
}

TRect TChartCanvas3D::Prepare(Canvas &surface, const TView3DOptions *options, const TRect &bounds,
                              bool is3D) {
    bounds_ = bounds;
    view3DOptions_ = options;
    is3D_ = is3D;
    zoomFactor_ = 1.0;
    if (is3D && options) {
        orthogonal_ = options->Orthogonal();
        zoomFactor_ = options->Zoom() * 0.01;
        if (!orthogonal_)
            CalcRotation(*options);
    }
    ownSurface_ = &surface;
    if (!buffered_) {
        bitmapCanvas_.reset();
        SetSurface(&surface);
        return bounds;
    }
    DrawOnBitmap();
    return TRect(0, 0, bounds.Width(), bounds.Height());
}

void TChartCanvas3D::DrawOnBitmap() {
    bitmapCanvas_.reset();
    if (!bitmap_) {
        const QSize size(std::max(1, bounds_.Width()), std::max(1, bounds_.Height()));
        bitmap_ = std::make_unique<QImage>(QSize(int(std::ceil(size.width() * pixelRatio_)),
                                                 int(std::ceil(size.height() * pixelRatio_))),
                                           monochrome_ ? QImage::Format_Mono
                                                       : QImage::Format_RGB32);
        bitmap_->setDevicePixelRatio(pixelRatio_);
        bitmap_->fill(Qt::white);
    }
    bitmapCanvas_ = std::make_unique<QtCanvas>(bitmap_.get());
    SetSurface(bitmapCanvas_.get());
}

void TChartCanvas3D::CalcRotation(const TView3DOptions &options) {
    const double e = options.Elevation() * kPi / 180.0;
    const double r = options.Rotation() * kPi / 180.0;
    const double t = options.Tilt() * kPi / 180.0;
    const double se = std::sin(e), ce = std::cos(e);
    const double sr = std::sin(r), cr = std::cos(r);
    const double st = std::sin(t), ct = std::cos(t);
    a1_ = sr * se * st + cr * ct;
    a2_ = ce * st;
    a3_ = cr * se * st - ct * sr;
    b1_ = ct * sr * se - cr * st;
    b2_ = ce * ct;
    b3_ = cr * ct * se + sr * st;
}

// Bounds are kept by Prepare; the centre comes from the plot rectangle.
void TChartCanvas3D::SetProjection(int depth, const TRect &, const TRect &plotRect) {
    xCenter_ = (plotRect.Left + plotRect.Right) / 2;
    yCenter_ = (plotRect.Top + plotRect.Bottom) / 2;
    xCenterOffset_ = xCenter_;
    yCenterOffset_ = yCenter_;
    if (view3DOptions_) {
        xCenterOffset_ += view3DOptions_->HorizOffset();
        yCenterOffset_ += view3DOptions_->VertOffset();
    }
    zCenter_ = depth / 2;
}

void TChartCanvas3D::ShowPicture(Canvas &target, Canvas *ownSurface, QPoint position) {
    if (buffered_ && bitmap_) {
        // The painter on the bitmap ends so that all of it is there to copy.
        bitmapCanvas_.reset();
        const TRasterOp op = target.RasterOp();
        target.SetRasterOp(TRasterOp::Copy);
        target.Draw(position.x(), position.y(), *bitmap_);
        target.SetRasterOp(op);
        stale_ = false;
    }
    ownSurface_ = ownSurface;
    SetSurface(ownSurface);
}

bool TChartCanvas3D::RepaintFromCache() {
    if (stale_ || !bitmap_)
        return false;
    const TRasterOp op = current_->RasterOp();
    current_->SetRasterOp(TRasterOp::Copy);
    current_->Draw(0, 0, *bitmap_);
    current_->SetRasterOp(op);
    return true;
}

void TChartCanvas3D::FreeBitmap() {
    if (bitmapCanvas_ && current_ == bitmapCanvas_.get())
        SetSurface(ownSurface_);
    bitmapCanvas_.reset();
    bitmap_.reset();
    stale_ = true;
}

void TChartCanvas3D::SetBuffered(bool value) {
    if (buffered_ == value)
        return;
    buffered_ = value;
    if (!value)
        FreeBitmap();
}

void TChartCanvas3D::SetPixelRatio(qreal value) {
    if (!(value > 0) || pixelRatio_ == value)
        return;
    pixelRatio_ = value;
    FreeBitmap();
    MarkStale();
}

void TChartCanvas3D::SetMonochrome(bool value) {
    if (monochrome_ == value)
        return;
    monochrome_ = value;
    FreeBitmap();
    if (OnChange)
        OnChange(*this);
}

void TChartCanvas3D::BeginFlat() {
    savedIs3D_ = is3D_;
    is3D_ = false;
}

void TChartCanvas3D::EndFlat() {
    is3D_ = savedIs3D_;
}

void TChartCanvas3D::ResetState() {
    current_->SetPen(TPen(clBlack, 1, TPenStyle::psSolid));
    current_->SetBrush(TBrush(clWhite, TBrushStyle::bsSolid));
    current_->Font().SetColor(clBlack);
    current_->Font().SetSize(10);
    current_->SetBackColor(clWhite);
    current_->SetBackMode(TBackMode::Opaque);
}

void TChartCanvas3D::AssignVisiblePen(const TChartPen &pen) {
    if (!pen.Visible())
        current_->Pen().SetStyle(TPenStyle::psClear);
    else
        current_->SetPen(static_cast<const TPen &>(pen));
}

int TChartCanvas3D::TextWidth(const QString &text) const {
    return current_->TextExtent(text).width();
}

int TChartCanvas3D::TextHeight(const QString &text) const {
    return current_->TextExtent(text).height();
}

void TChartCanvas3D::Unproject(int &x, int &y, int z) const {
    if (!is3D_ || !orthogonal_)
        return;
    x = Round((x - xCenterOffset_) / zoomFactor_) + xCenter_ - z;
    y = Round((y - yCenterOffset_) / zoomFactor_) + yCenter_ + z;
}

void TChartCanvas3D::Line(int x0, int y0, int x1, int y1) {
    current_->MoveTo(x0, y0);
    current_->LineTo(x1, y1);
}

void TChartCanvas3D::RotatedTextOut(int x, int y, int angle, const QString &text) {
    FontScope font(*current_);
    current_->Font().SetEscapement(angle * 10);
    current_->Font().SetOrientation(angle * 10);
    current_->TextOut(x, y, text);
}

void TChartCanvas3D::GradientFill(const TRect &rect, TColor base, TColor target,
                                  TGradientDirection direction) {
    if (rect.IsEmpty())
        return;
    const TColor from = ColorToRGB(base);
    const TColor to = ColorToRGB(target);
    BrushScope brush(*current_);
    current_->SetBrush(TBrush(from, TBrushStyle::bsSolid));
    auto colourOf = [&](int k, int n) {
        if (n < 2)
            return from;
        return RGB(GetRValue(from) + MulDiv(k, GetRValue(to) - GetRValue(from), n - 1),
                   GetGValue(from) + MulDiv(k, GetGValue(to) - GetGValue(from), n - 1),
                   GetBValue(from) + MulDiv(k, GetBValue(to) - GetBValue(from), n - 1));
    };
    auto fill = [&](const TRect &band, TColor colour) {
        // Bands never spill outside the rectangle asked for.
        const TRect r(std::max(band.Left, rect.Left), std::max(band.Top, rect.Top),
                      std::min(band.Right, rect.Right), std::min(band.Bottom, rect.Bottom));
        if (r.IsEmpty())
            return;
        current_->Brush().SetColor(colour);
        current_->FillRect(r);
    };

    switch (direction) {
    case TGradientDirection::gdTopBottom:
    case TGradientDirection::gdBottomTop:
    case TGradientDirection::gdLeftRight:
    case TGradientDirection::gdRightLeft: {
        const bool vertical = direction == TGradientDirection::gdTopBottom ||
                              direction == TGradientDirection::gdBottomTop;
        const int e = vertical ? rect.Height() : rect.Width();
        const int n = std::min(256, e + 1);
        // The last band takes up what the rounding of the others leaves.
        for (int k = 0; k < n; ++k) {
            const int a = MulDiv(k, e + 1, n);
            const int b = MulDiv(k + 1, e + 1, n);
            if (vertical)
                fill(TRect(rect.Left, rect.Bottom - b, rect.Right, rect.Bottom - a),
                     colourOf(k, n));
            else
                fill(TRect(rect.Right - b, rect.Top, rect.Right - a, rect.Bottom), colourOf(k, n));
        }
        break;
    }
    case TGradientDirection::gdFromCenter: {
        const int w = rect.Width() / 2;
        const int h = rect.Height() / 2;
        const int n = std::max(1, std::min(256, std::max(w, h) + 1));
        for (int k = 0; k < n; ++k) {
            const int dx = MulDiv(k, w, n);
            const int dy = MulDiv(k, h, n);
            fill(TRect(rect.Left + dx, rect.Top + dy, rect.Right - dx, rect.Bottom - dy),
                 colourOf(k, n));
        }
        break;
    }
    case TGradientDirection::gdFromTopLeft:
    case TGradientDirection::gdFromBottomLeft: {
        const int w = rect.Width();
        const int h = rect.Height();
        const int n = std::max(1, std::min(256, std::max(w, h)));
        const bool fromTop = direction == TGradientDirection::gdFromTopLeft;
        for (int k = 0; k < n; ++k) {
            const int dx = MulDiv(k, w, n);
            const int dy = MulDiv(k, h, n);
            fill(fromTop ? TRect(rect.Left + dx, rect.Top + dy, rect.Right, rect.Bottom)
                         : TRect(rect.Left + dx, rect.Top, rect.Right, rect.Bottom - dy),
                 colourOf(k, n));
        }
        break;
    }
    }
}

void TChartCanvas3D::BevelFrame(const TRect &rect, TColor topLeft, int count, TColor bottomRight) {
    PenScope pen(*current_);
    current_->SetPen(TPen(topLeft, 1, TPenStyle::psSolid));
    TRect r = rect;
    for (int i = 0; i < count && r.Width() > 0 && r.Height() > 0; ++i) {
        const int right = r.Right - 1;
        const int bottom = r.Bottom - 1;
        current_->Pen().SetColor(topLeft);
        current_->Polyline(
            ToPolygon({QPoint(r.Left, bottom), QPoint(r.Left, r.Top), QPoint(right, r.Top)}));
        current_->Pen().SetColor(bottomRight);
        current_->Polyline(
            ToPolygon({QPoint(right, r.Top), QPoint(right, bottom), QPoint(r.Left - 1, bottom)}));
        r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
}

void TChartCanvas3D::MoveTo3D(int x, int y, int z) {
    const QPoint p = Project(x, y, z);
    current_->MoveTo(p.x(), p.y());
}

void TChartCanvas3D::LineTo3D(int x, int y, int z) {
    const QPoint p = Project(x, y, z);
    current_->LineTo(p.x(), p.y());
}

void TChartCanvas3D::HLine3D(int x0, int x1, int y, int z) {
    MoveTo3D(x0, y, z);
    LineTo3D(x1, y, z);
}

void TChartCanvas3D::VLine3D(int x, int y0, int y1, int z) {
    MoveTo3D(x, y0, z);
    LineTo3D(x, y1, z);
}

void TChartCanvas3D::ZLine3D(int x, int y, int z0, int z1) {
    MoveTo3D(x, y, z0);
    LineTo3D(x, y, z1);
}

void TChartCanvas3D::Line3D(int x0, int y0, int x1, int y1, int z) {
    MoveTo3D(x0, y0, z);
    LineTo3D(x1, y1, z);
}

void TChartCanvas3D::TextOut3D(int x, int y, int z, const QString &text) {
    const QPoint p = Project(x, y, z);
    if (zoomFactor_ == 1.0) {
        current_->TextOut(p.x(), p.y(), text);
        return;
    }
    FontScope font(*current_);
    current_->Font().SetSize(std::max(1, Round(current_->Font().Size() * zoomFactor_)));
    current_->TextOut(p.x(), p.y(), text);
}

void TChartCanvas3D::RotatedText3D(int x, int y, int z, const QString &text, int angle) {
    const QPoint p = Project(x, y, z);
    FontScope font(*current_);
    TFont &f = current_->Font();
    f.SetEscapement(angle * 10);
    f.SetOrientation(angle * 10);
    if (zoomFactor_ != 1.0)
        f.SetHeight(-MulDiv(std::max(1, Round(f.Size() * zoomFactor_)), f.PixelsPerInch(), 72));
    current_->Brush().SetStyle(TBrushStyle::bsClear);
    current_->TextOut(p.x(), p.y(), text);
}

void TChartCanvas3D::ProjectedPolygon(std::initializer_list<TPoint3D> points) {
    // One polygon kept for all: a series draws one per segment.
    projected_.resize(qsizetype(points.size()));
    QPoint *out = projected_.data();
    for (const TPoint3D &p : points)
        *out++ = Project(p.X, p.Y, p.Z);
    current_->Polygon(projected_);
}

QPolygon TChartCanvas3D::ProjectAll(const std::vector<TPoint3D> &points) const {
    QPolygon polygon;
    polygon.reserve(qsizetype(points.size()));
    for (const TPoint3D &p : points)
        polygon << Project(p.X, p.Y, p.Z);
    return polygon;
}

void TChartCanvas3D::RectAt(const TRect &r, int z) {
    ProjectedPolygon(
        {{r.Left, r.Top, z}, {r.Right, r.Top, z}, {r.Right, r.Bottom, z}, {r.Left, r.Bottom, z}});
}

void TChartCanvas3D::PlaneX(int x, int y0, int y1, int z0, int z1) {
    ProjectedPolygon({{x, y0, z0}, {x, y0, z1}, {x, y1, z1}, {x, y1, z0}});
}

void TChartCanvas3D::PlaneY(int y, int x0, int x1, int z0, int z1) {
    ProjectedPolygon({{x0, y, z0}, {x1, y, z0}, {x1, y, z1}, {x0, y, z1}});
}

void TChartCanvas3D::Ribbon3D(QPoint p, QPoint q, int z0, int z1) {
    ProjectedPolygon(
        {{p.x(), p.y(), z0}, {q.x(), q.y(), z0}, {q.x(), q.y(), z1}, {p.x(), p.y(), z1}});
}

void TChartCanvas3D::Quad3D(QPoint p1, QPoint p2, QPoint p3, QPoint p4, int z) {
    ProjectedPolygon(
        {{p1.x(), p1.y(), z}, {p2.x(), p2.y(), z}, {p3.x(), p3.y(), z}, {p4.x(), p4.y(), z}});
}

void TChartCanvas3D::Triangle3D(QPoint p1, QPoint p2, QPoint p3, int z) {
    ProjectedPolygon({{p1.x(), p1.y(), z}, {p2.x(), p2.y(), z}, {p3.x(), p3.y(), z}});
}

void TChartCanvas3D::Box(int left, int right, int top, int bottom, int z0, int z1, bool darkSides) {
    const bool solid = current_->Brush().Style() == TBrushStyle::bsSolid;
    const TColor c = ColorToRGB(solid ? current_->Brush().Color() : current_->BackColor());
    const TColor savedBrushColor = current_->Brush().Color();
    const TColor savedBackColor = current_->BackColor();
    auto shade = [&](int quantity) {
        if (solid)
            current_->Brush().SetColor(DarkenColor(c, quantity));
        else
            current_->SetBackColor(DarkenColor(c, quantity));
    };

    ProjectedPolygon({{left, top, z0}, {right, top, z0}, {right, bottom, z0}, {left, bottom, z0}});
    if (darkSides)
        shade(128);
    PlaneX(right, top, bottom, z0, z1);
    if (darkSides)
        shade(64);
    PlaneY(top, left, right, z0, z1);
    if (darkSides) {
        current_->Brush().SetColor(savedBrushColor);
        current_->SetBackColor(savedBackColor);
    }
}

void TChartCanvas3D::Ellipse3D(int left, int top, int right, int bottom, int z) {
    if (!is3D_) {
        current_->Ellipse(left, top, right, bottom);
        return;
    }
    const int cx = (left + right) / 2;
    const int cy = (top + bottom) / 2;
    const int rx = (right - left) / 2;
    const int ry = (bottom - top) / 2;
    constexpr int kPoints = 32;
    QPolygon points(kPoints);
    points[0] = Project(cx, bottom, z);
    for (int k = 1; k < kPoints; ++k) {
        const double angle = k * kPi / 10.0;
        points[k] = Project(cx + int(rx * std::sin(angle)), cy + int(ry * std::cos(angle)), z);
    }
    if (!current_->Brush().IsClear()) {
        PenScope pen(*current_);
        current_->Pen().SetStyle(TPenStyle::psClear);
        const QPoint centre = Project(cx, cy, z);
        for (int k = 1; k < kPoints; ++k)
            current_->Polygon(ToPolygon({centre, points[k - 1], points[k]}));
    }
    if (!current_->Pen().IsClear())
        current_->Polyline(points.mid(0, kPoints - 1));
}

void TChartCanvas3D::Pixel3D(int x, int y, TColor color, int z) {
    const QPoint p = Project(x, y, z);
    if (current_->Pen().Width() == 1) {
        current_->Pixel(p.x(), p.y(), color);
        return;
    }
    current_->MoveTo(p.x(), p.y());
    current_->LineTo(p.x(), p.y());
}

void TChartCanvas3D::Polygon3D(const std::vector<TPoint3D> &points) {
    current_->Polygon(ProjectAll(points));
}

void TChartCanvas3D::Pyramid3D(int left, int top, int right, int bottom, int z0, int z1,
                               bool darkSides) {
    const TPoint3D apex{(left + right) / 2, top, (z0 + z1) / 2};
    const TColor savedBrushColor = current_->Brush().Color();
    const TColor c = ColorToRGB(savedBrushColor);
    current_->Polygon(ProjectAll({{left, bottom, z0}, {right, bottom, z0}, apex}));
    if (darkSides)
        current_->Brush().SetColor(DarkenColor(c, 128));
    current_->Polygon(ProjectAll({{right, bottom, z0}, {right, bottom, z1}, apex}));
    // Pointing down, the base is the top of the shape and shows.
    if (top > bottom) {
        if (darkSides)
            current_->Brush().SetColor(DarkenColor(c, 64));
        PlaneY(bottom, left, right, z0, z1);
    }
    current_->Brush().SetColor(savedBrushColor);
}

void TChartCanvas3D::Cylinder3D(int left, int top, int right, int bottom, int z0, int z1,
                                bool darkCover) {
    constexpr int kSteps = 16;
    const double cx = (left + right) / 2.0;
    const double rx = (right - left) / 2.0;
    const double cz = (z0 + z1) / 2.0;
    const double rz = (z1 - z0) / 2.0;
    const int upper = std::min(top, bottom);
    const int lower = std::max(top, bottom);
    auto rim = [&](int k, int steps) {
        const double angle = 2.0 * kPi * k / steps;
        return std::pair<int, int>(Round(cx + rx * std::cos(angle)),
                                   Round(cz - rz * std::sin(angle)));
    };

    // Front half of the body: the near rim at the bottom, back along the top.
    std::vector<TPoint3D> body;
    for (int k = 0; k <= kSteps; ++k) {
        const auto [x, z] = rim(k, 2 * kSteps);
        body.push_back({x, lower, z});
    }
    for (int k = kSteps; k >= 0; --k) {
        const auto [x, z] = rim(k, 2 * kSteps);
        body.push_back({x, upper, z});
    }
    current_->Polygon(ProjectAll(body));

    std::vector<TPoint3D> cover;
    for (int k = 0; k < 2 * kSteps; ++k) {
        const auto [x, z] = rim(k, 2 * kSteps);
        cover.push_back({x, upper, z});
    }
    const TColor savedBrushColor = current_->Brush().Color();
    if (darkCover)
        current_->Brush().SetColor(DarkenColor(savedBrushColor, 64));
    current_->Polygon(ProjectAll(cover));
    current_->Brush().SetColor(savedBrushColor);
}

void TChartCanvas3D::Pie3D(int xCenter, int yCenter, int xRadius, int yRadius, int z0, int z1,
                           double startAngle, double endAngle, bool darkSides) {
    if (endAngle < startAngle)
        std::swap(startAngle, endAngle);
    const int steps = std::max(2, int(std::ceil((endAngle - startAngle) / (kPi / 32.0))));
    std::vector<QPoint> arc;
    for (int k = 0; k <= steps; ++k) {
        const double angle = startAngle + (endAngle - startAngle) * k / steps;
        arc.emplace_back(xCenter + Round(xRadius * std::cos(angle)),
                         yCenter - Round(yRadius * std::sin(angle)));
    }

    const TColor savedBrushColor = current_->Brush().Color();
    if (z1 != z0) {
        if (darkSides)
            current_->Brush().SetColor(DarkenColor(savedBrushColor, 128));
        const QPoint centre(xCenter, yCenter);
        Ribbon3D(centre, arc.front(), z0, z1);
        Ribbon3D(centre, arc.back(), z0, z1);
        for (std::size_t k = 1; k < arc.size(); ++k)
            Ribbon3D(arc[k - 1], arc[k], z0, z1);
        current_->Brush().SetColor(savedBrushColor);
    }
    QPolygon front;
    front << Project(xCenter, yCenter, z0);
    for (const QPoint &p : arc)
        front << Project(p.x(), p.y(), z0);
    current_->Polygon(front);
}

void TChartCanvas3D::ClipBox(const TRect &rect, int z0, int z1) {
    if (!is3D_) {
        current_->ClipRect(TRect(rect.Left + 1, rect.Top + 1, rect.Right, rect.Bottom - 1));
        return;
    }
    const TPoint3D corners[] = {{rect.Left, rect.Bottom, z0},  {rect.Left, rect.Top, z0},
                                {rect.Left, rect.Top, z1},     {rect.Right, rect.Top, z1},
                                {rect.Right, rect.Bottom, z1}, {rect.Right, rect.Bottom, z0}};
    QPolygon region;
    for (const TPoint3D &c : corners)
        region << current_->LogicalToDevice(Project(c.X, c.Y, c.Z));
    current_->ClipRegion(region);
}

} // namespace pexor
