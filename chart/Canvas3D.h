#pragma once

#include "chart/style/ChartPen.h"
#include "chart/panel/View3DOptions.h"
#include "render/Canvas.h"
#include "platform/Rounding.h"

#include <QImage>
#include <QLocale>
#include <QPoint>
#include <QPolygon>
#include <functional>
#include <memory>
#include <vector>

namespace pexor {

class QtCanvas;

// A point of the chart's 3D box: pixels across and down, depth from the front.
struct TPoint3D {
    int X = 0;
    int Y = 0;
    int Z = 0;
    bool operator==(const TPoint3D &) const = default;
};

enum class TGradientDirection {
    gdTopBottom,
    gdBottomTop,
    gdLeftRight,
    gdRightLeft,
    gdFromCenter,
    gdFromTopLeft,
    gdFromBottomLeft
};

// The default font of chart elements: "Arial", 8 points, black, no style. In
// a Japanese locale the platform's user-interface font stands in for "Arial",
// at its own pixel height.
TFont DefaultChartFont(const QLocale &locale = QLocale::system());
// Whether a font equals the default (and need not be stored).
bool IsDefaultChartFont(const TFont &font, const QLocale &locale = QLocale::system());

// Each of red, green and blue lowered by quantity, not below 0.
TColor DarkenColor(TColor color, int quantity);

// The platform surface the chart draws on, with its pen, brush and font.
class TChartCanvas {
public:
    TChartCanvas();
    virtual ~TChartCanvas();
    TChartCanvas(const TChartCanvas &) = delete;
    TChartCanvas &operator=(const TChartCanvas &) = delete;

    // The surface drawn on now; a canvas without one draws nothing.
    Canvas &ReferenceCanvas() { return *current_; }
    const Canvas &ReferenceCanvas() const { return *current_; }
    bool HasSurface() const;
    // Attaches the canvas to a surface (the chart's window canvas); nullptr
    // detaches it.
    void SetSurface(Canvas *surface);

    TPen &Pen() { return current_->Pen(); }
    const TPen &Pen() const { return current_->Pen(); }
    TBrush &Brush() { return current_->Brush(); }
    const TBrush &Brush() const { return current_->Brush(); }
    TFont &Font() { return current_->Font(); }
    const TFont &Font() const { return current_->Font(); }

    bool Metafiling() const { return metafiling_; }
    void SetMetafiling(bool value) { metafiling_ = value; }

protected:
    Canvas *current_;

private:
    std::unique_ptr<Canvas> detached_;
    bool metafiling_ = false;
};

// Adds the view options in use and whether the projection is orthogonal.
class TCanvas3D : public TChartCanvas {
public:
    const TView3DOptions *View3DOptions() const { return view3DOptions_; }
    bool IsOrthogonal() const { return orthogonal_; }

protected:
    const TView3DOptions *view3DOptions_ = nullptr;
    bool orthogonal_ = true;
};

// The chart's canvas: projection of 3D points, the flat and 3D primitives,
// and the off-screen bitmap the chart is drawn into before it is shown.
class TChartCanvas3D : public TCanvas3D {
public:
    TChartCanvas3D();
    ~TChartCanvas3D() override;

    // Prepares a drawing on surface within bounds; answers the rectangle to
    // draw in (bounds itself, or the bitmap's own rectangle when buffered).
    TRect Prepare(Canvas &surface, const TView3DOptions *options, const TRect &bounds, bool is3D);
    void SetProjection(int depth, const TRect &bounds, const TRect &plotRect);
    // Copies the bitmap to target at position, marks the picture current and
    // draws on ownSurface again.
    void ShowPicture(Canvas &target, Canvas *ownSurface, QPoint position);
    bool RepaintFromCache();
    void MarkStale() { stale_ = true; }
    bool Stale() const { return stale_; }

    bool Buffered() const { return buffered_; }
    void SetBuffered(bool value);
    bool Monochrome() const { return monochrome_; }
    void SetMonochrome(bool value);
    // Device pixels per logical pixel of the screen the bitmap is shown on:
    // the bitmap has that many more pixels, so that it is not scaled up.
    qreal PixelRatio() const { return pixelRatio_; }
    void SetPixelRatio(qreal value);
    // The off-screen bitmap, null until the first buffered preparation.
    const QImage *Bitmap() const { return bitmap_.get(); }
    void FreeBitmap();
    const TRect &Bounds() const { return bounds_; }

    bool Is3D() const { return is3D_; }
    void BeginFlat();
    void EndFlat();
    void ResetState();
    void AssignVisiblePen(const TChartPen &pen);
    int TextWidth(const QString &text) const;
    int TextHeight(const QString &text) const;
    int FontHeight() const { return TextHeight(QStringLiteral("W")); }

    unsigned TextAlign() const { return current_->TextAlign(); }
    void SetTextAlign(unsigned flags) { current_->SetTextAlign(flags); }
    TBackMode BackMode() const { return current_->BackMode(); }
    void SetBackMode(TBackMode mode) { current_->SetBackMode(mode); }
    TColor BackColor() const { return current_->BackColor(); }
    void SetBackColor(TColor color) { current_->SetBackColor(color); }

    // Projection state.
    int XCenter() const { return xCenter_; }
    int YCenter() const { return yCenter_; }
    int ZCenter() const { return zCenter_; }
    int XCenterOffset() const { return xCenterOffset_; }
    int YCenterOffset() const { return yCenterOffset_; }
    double ZoomFactor() const { return zoomFactor_; }

    // Whether projecting moves a point by z to the right and z up and does
    // nothing else: shapes that differ only by a move project to shapes
    // that differ by the same move.
    bool ShearsDepth() const { return is3D_ && orthogonal_ && zoomFactor_ == 1.0; }
    QPoint Project(int x, int y, int z) const {
        if (!is3D_)
            return QPoint(x, y);
        if (orthogonal_) {
            // Unzoomed, the products are whole already (a series projects
            // four corners per segment).
            if (zoomFactor_ == 1.0)
                return QPoint(x + z - xCenter_ + xCenterOffset_, yCenterOffset_ + y - yCenter_ - z);
            return QPoint(Round((x + z - xCenter_) * zoomFactor_) + xCenterOffset_,
                          yCenterOffset_ + Round((y - yCenter_ - z) * zoomFactor_));
        }
        const double dx = x - xCenter_;
        const double dy = y - yCenter_;
        const double dz = z - zCenter_;
        return QPoint(Round((dx * a1_ + dy * a2_ + dz * a3_) * zoomFactor_) + xCenterOffset_,
                      yCenterOffset_ + Round((dx * b1_ + dy * b2_ + dz * b3_) * zoomFactor_));
    }
    void Unproject(int &x, int &y, int z) const;

    // Flat primitives, straight on the surface.
    void MoveTo(int x, int y) { current_->MoveTo(x, y); }
    void LineTo(int x, int y) { current_->LineTo(x, y); }
    void Line(int x0, int y0, int x1, int y1);
    void HLine(int x0, int x1, int y) { Line(x0, y, x1, y); }
    void VLine(int x, int y0, int y1) { Line(x, y0, x, y1); }
    void Rectangle(int left, int top, int right, int bottom) {
        current_->Rectangle(left, top, right, bottom);
    }
    void Rectangle(const TRect &r) { current_->Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
    void RoundRect(const TRect &r, int cornerWidth, int cornerHeight) {
        current_->RoundRect(r.Left, r.Top, r.Right, r.Bottom, cornerWidth, cornerHeight);
    }
    void Ellipse(int left, int top, int right, int bottom) {
        current_->Ellipse(left, top, right, bottom);
    }
    void Ellipse(const TRect &r) { current_->Ellipse(r.Left, r.Top, r.Right, r.Bottom); }
    void Arc(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY) {
        current_->Arc(left, top, right, bottom, startX, startY, endX, endY);
    }
    void Pie(int left, int top, int right, int bottom, int startX, int startY, int endX, int endY) {
        current_->Pie(left, top, right, bottom, startX, startY, endX, endY);
    }
    void Polygon(const QPolygon &points) { current_->Polygon(points); }
    void Polyline(const QPolygon &points) { current_->Polyline(points); }
    void Pixel(int x, int y, TColor color) { current_->Pixel(x, y, color); }
    void TextOut(int x, int y, const QString &text) { current_->TextOut(x, y, text); }
    // Text turned angle degrees counter-clockwise about (x, y).
    void RotatedTextOut(int x, int y, int angle, const QString &text);
    void FillRect(const TRect &r) { current_->FillRect(r); }
    void StretchDraw(const TRect &r, const QImage &picture) { current_->StretchDraw(r, picture); }
    void DrawGraphic(int x, int y, const QImage &picture) { current_->Draw(x, y, picture); }
    // Bands from base to target colour: horizontal bands counted from the
    // bottom edge for the vertical directions, vertical bands counted from the
    // right edge for the horizontal ones, nested rectangles for the others.
    void GradientFill(const TRect &rect, TColor base, TColor target, TGradientDirection direction);
    // count nested one-pixel frames, each one pixel inside the one before.
    void BevelFrame(const TRect &rect, TColor topLeft, int count, TColor bottomRight);
    void ClipRect(const TRect &r) { current_->ClipRect(r); }
    void Unclip() { current_->Unclip(); }

    // 3D primitives.
    void MoveTo3D(int x, int y, int z);
    void LineTo3D(int x, int y, int z);
    void HLine3D(int x0, int x1, int y, int z);
    void VLine3D(int x, int y0, int y1, int z);
    void ZLine3D(int x, int y, int z0, int z1);
    void Line3D(int x0, int y0, int x1, int y1, int z);
    void TextOut3D(int x, int y, int z, const QString &text);
    void RotatedText3D(int x, int y, int z, const QString &text, int angle);
    void RectAt(const TRect &rect, int z);
    void PlaneX(int x, int y0, int y1, int z0, int z1);
    void PlaneY(int y, int x0, int x1, int z0, int z1);
    void Ribbon3D(QPoint p, QPoint q, int z0, int z1);
    void Quad3D(QPoint p1, QPoint p2, QPoint p3, QPoint p4, int z);
    void Triangle3D(QPoint p1, QPoint p2, QPoint p3, int z);
    void Box(int left, int right, int top, int bottom, int z0, int z1, bool darkSides);
    void Ellipse3D(int left, int top, int right, int bottom, int z);
    void Pixel3D(int x, int y, TColor color, int z);
    // A closed polygon through points of the box, each at its own depth.
    void Polygon3D(const std::vector<TPoint3D> &points);
    // A pyramid standing on the rectangle (left..right, z0..z1) at y = bottom
    // with its apex at y = top above the middle: front face, right face, then
    // the base when it faces the viewer (apex below the base).
    void Pyramid3D(int left, int top, int right, int bottom, int z0, int z1, bool darkSides);
    // An upright cylinder filling left..right across and z0..z1 in depth,
    // from top to bottom: its front half body, then its top cover.
    void Cylinder3D(int left, int top, int right, int bottom, int z0, int z1, bool darkCover);
    // A pie slice of the ellipse around (xCenter, yCenter) from startAngle to
    // endAngle (radians, counter-clockwise from three o'clock), extruded from
    // z0 to z1: the rim band, then the front face at z0.
    void Pie3D(int xCenter, int yCenter, int xRadius, int yRadius, int z0, int z1,
               double startAngle, double endAngle, bool darkSides);
    void ClipBox(const TRect &rect, int z0, int z1);

    // Fired when a setting that changes the picture (Monochrome) changes.
    std::function<void(TChartCanvas3D &)> OnChange;

private:
    void ProjectedPolygon(std::initializer_list<TPoint3D> points);
    QPolygon ProjectAll(const std::vector<TPoint3D> &points) const;
    void CalcRotation(const TView3DOptions &options);
    void DrawOnBitmap();

    int xCenter_ = 0;
    int yCenter_ = 0;
    int zCenter_ = 0;
    int xCenterOffset_ = 0;
    int yCenterOffset_ = 0;
    double zoomFactor_ = 1.0;
    double a1_ = 1, a2_ = 0, a3_ = 0, b1_ = 0, b2_ = 1, b3_ = 0;
    bool is3D_ = false;
    bool savedIs3D_ = false;
    bool buffered_ = true;
    bool monochrome_ = false;
    qreal pixelRatio_ = 1.0;
    bool stale_ = true;
    TRect bounds_;
    Canvas *ownSurface_ = nullptr;
    std::unique_ptr<QImage> bitmap_;
    std::unique_ptr<QtCanvas> bitmapCanvas_;
    QPolygon projected_;
};

} // namespace pexor
