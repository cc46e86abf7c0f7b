#pragma once

#include "render/Canvas.h"
#include "render/RenderCache.h"

#include <QPainter>
#include <QTransform>
#include <memory>
#include <vector>

namespace pexor {

class TDirectRaster;

// A canvas that paints through a QPainter on an image, a widget or a printer,
// without antialiasing and by the old device context's pixel rules.
class QtCanvas : public Canvas {
public:
    // Opens a painter of its own on device, closed with the canvas.
    explicit QtCanvas(QPaintDevice *device);
    // Paints through a painter already open (a widget's paint event); its
    // transform at this moment is taken as the device's own coordinates.
    explicit QtCanvas(QPainter &painter);
    // The same with a cache of the caller's instead of the thread's; the
    // cache must outlive the canvas.
    QtCanvas(QPaintDevice *device, TRenderCache &cache);
    QtCanvas(QPainter &painter, TRenderCache &cache);
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

    TRenderCache &cache_;
    std::unique_ptr<QPainter> ownPainter_;
    QPainter *painter_;
    QTransform base_;

    bool directRaster_ = true;
    // Direct writing's state (the image, the device offset, the clip) and
    // work areas, seen only by the canvas' implementation.
    struct TRaster;
    std::unique_ptr<TRaster> fast_;
    bool devicePixels_ = true; // one logical pixel is one device pixel
};

} // namespace pexor
