#pragma once

#include "render/Canvas.h"
#include "render/raster/DirectRaster.h"
#include "render/raster/PixelLine.h"
#include "render/raster/PolygonOutline.h"
#include "render/raster/PolygonSpans.h"
#include "render/raster/PolygonStamps.h"

#include <QPainter>
#include <QRegion>
#include <QTransform>
#include <memory>
#include <optional>
#include <vector>

namespace pexor {

// A canvas that paints through a QPainter on an image, a widget or a printer,
// without antialiasing and by the old device context's pixel rules.
class QtCanvas : public Canvas {
public:
    // Opens a painter of its own on device, closed with the canvas.
    explicit QtCanvas(QPaintDevice *device);
    // Paints through a painter already open (a widget's paint event); its
    // transform at this moment is taken as the device's own coordinates.
    explicit QtCanvas(QPainter &painter);
    ~QtCanvas() override;

    QPainter &Painter() { return *painter_; }

    // Whether one-pixel lines and plain fills are written straight into the
    // image when the canvas paints on one; on by default. Off, every shape
    // goes through the painter: the picture is the same, only slower.
    bool DirectRaster() const { return directRaster_; }
    void SetDirectRaster(bool value) { directRaster_ = value; }

    void LineTo(int x, int y) override;
    void Lines(const std::vector<QLine> &lines) override;
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
    QSize DeviceSize() const override;
    int PixelsPerInch() const override;

protected:
    void ClipChanged() override;
    void MappingChanged() override;

private:
    void Setup();
    bool ThinPixelLines() const;
    void ThinLines(const QLine *lines, std::size_t count);
    // The image written straight for the shape about to be drawn, when the
    // state in force allows it; nullptr otherwise.
    TDirectRaster *Direct();
    static QRgb Rgb(TColor color);
    bool SolidBrush() const;
    // Puts pen, brush, background and raster operation in force.
    void ApplyState(bool withPen, bool withBrush);
    void ArcShape(bool pie, int left, int top, int right, int bottom, int startX, int startY,
                  int endX, int endY);

    std::unique_ptr<QPainter> ownPainter_;
    QPainter *painter_;
    QTransform base_;

    // Direct writing: the painter's image, the device offset of logical
    // positions (when the mapping is a whole-pixel translation), and whether
    // a clip set by the painter's owner is in force.
    bool directRaster_ = true;
    QImage *image_ = nullptr;
    std::optional<QPoint> deviceOffset_;
    std::optional<QRect> deviceClipRect_; // a rectangle clip, in device pixels
    bool foreignClip_ = false;
    bool devicePixels_ = true; // one logical pixel is one device pixel
    // The last region clip: its polygon, the region, and its runs in device
    // pixels.
    QPolygon regionPolygon_;
    QRegion region_;
    TClipRows clipRows_;
    std::optional<TDirectRaster> direct_; // for the clip and mapping in force
    std::vector<QLine> sides_;
    std::vector<QPoint> on_;
    std::vector<QPoint> off_;
    TPolygonSpanner spanner_;
};

} // namespace pexor
