#pragma once

#include "render/Color.h"
#include "render/Rect.h"

#include <QImage>
#include <QLine>
#include <QPoint>
#include <QPolygon>
#include <QSize>
#include <QString>
#include <vector>

namespace pexor {

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

enum class TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

// Font style bits.
using TFontStyles = unsigned;
inline constexpr TFontStyles fsBold = 1;
inline constexpr TFontStyles fsItalic = 2;
inline constexpr TFontStyles fsUnderline = 4;
inline constexpr TFontStyles fsStrikeOut = 8;

// Text-alignment flags: one horizontal value ored with one vertical value.
inline constexpr unsigned TA_LEFT = 0;
inline constexpr unsigned TA_RIGHT = 2;
inline constexpr unsigned TA_CENTER = 6;
inline constexpr unsigned TA_TOP = 0;
inline constexpr unsigned TA_BOTTOM = 8;
inline constexpr unsigned TA_BASELINE = 24;
inline constexpr unsigned TA_HORIZONTAL_MASK = 6;
inline constexpr unsigned TA_VERTICAL_MASK = 24;

// Whether text and hatched brushes paint their background.
enum class TBackMode { Transparent, Opaque };

// How pens and brushes combine with the surface: copy, or not-xor (drawing the
// same shape twice gives back the old picture).
enum class TRasterOp { Copy, NotXor };

// Text: one logical unit is one device pixel. Anisotropic: logical points map
// to device points by the window and viewport origins and extents.
enum class TMapMode { Text, Anisotropic };

// Pixels per inch of the screen fonts are made for.
inline constexpr int kScreenPixelsPerInch = 96;

// A pen: black, width 1, solid when new. Width 0 draws one device pixel wide
// whatever the mapping; a wider pen is in logical units.
class TPen {
public:
    TPen() = default;
    explicit TPen(TColor color, int width = 1, TPenStyle style = TPenStyle::psSolid)
        : color_(color), width_(width), style_(style) {}

    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    int Width() const { return width_; }
    void SetWidth(int value) { width_ = value < 0 ? 0 : value; }
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value) { style_ = value; }

    bool IsClear() const { return style_ == TPenStyle::psClear; }
    bool operator==(const TPen &) const = default;

private:
    TColor color_ = clBlack;
    int width_ = 1;
    TPenStyle style_ = TPenStyle::psSolid;
};

// A brush: white, solid when new. A hatched brush paints its lines in Color
// and, when the canvas' background mode is opaque, the gaps in the canvas'
// BackColor. A brush with a bitmap tiles the bitmap and ignores colour and
// style.
class TBrush {
public:
    TBrush() = default;
    explicit TBrush(TColor color, TBrushStyle style = TBrushStyle::bsSolid)
        : color_(color), style_(style) {}

    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value) { style_ = value; }
    const QImage &Bitmap() const { return bitmap_; }
    void SetBitmap(const QImage &value) { bitmap_ = value; }

    bool IsClear() const { return style_ == TBrushStyle::bsClear && bitmap_.isNull(); }
    bool operator==(const TBrush &other) const {
        return color_ == other.color_ && style_ == other.style_ && bitmap_ == other.bitmap_;
    }

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = TBrushStyle::bsSolid;
    QImage bitmap_;
};

// A font. Its size is kept as a height in logical pixels at PixelsPerInch:
// a negative height is the character height (em), a positive one the cell
// height (ascent + descent). Size is in points, negative for a cell height.
// Escapement and Orientation are in tenths of a degree, counter-clockwise.
class TFont {
public:
    TFont() = default;
    TFont(QString name, int size, TColor color = clBlack, TFontStyles style = 0);

    const QString &Name() const { return name_; }
    void SetName(const QString &value) { name_ = value; }
    int Height() const { return height_; }
    void SetHeight(int value) { height_ = value; }
    int Size() const;
    void SetSize(int points);
    int PixelsPerInch() const { return pixelsPerInch_; }
    void SetPixelsPerInch(int value) { pixelsPerInch_ = value > 0 ? value : kScreenPixelsPerInch; }
    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    TFontStyles Style() const { return style_; }
    void SetStyle(TFontStyles value) { style_ = value; }
    int Escapement() const { return escapement_; }
    void SetEscapement(int value) { escapement_ = value; }
    int Orientation() const { return orientation_; }
    void SetOrientation(int value) { orientation_ = value; }

    // Copies another font's settings; the height is carried over as is when
    // both fonts have the same resolution, otherwise through the point size.
    void Assign(const TFont &source);

    bool operator==(const TFont &) const = default;

private:
    QString name_ = QStringLiteral("MS Sans Serif");
    int height_ = -11;
    int pixelsPerInch_ = kScreenPixelsPerInch;
    TColor color_ = clBlack;
    TFontStyles style_ = 0;
    int escapement_ = 0;
    int orientation_ = 0;
};

// The clip in force: none, a rectangle in logical units, or a polygon region
// in device pixels (even-odd).
struct TClip {
    enum class Kind { None, Rect, Region };
    Kind kind = Kind::None;
    TRect rect;
    QPolygon region;

    bool operator==(const TClip &) const = default;
};

// The drawing surface every control and the chart draw on: a device context
// with its pen, brush, font, text settings, mapping and clip. The state lives
// here; backends read it at each primitive. Coordinates are logical units.
// Rectangles are (left, top, right, bottom), right and bottom exclusive.
class Canvas {
public:
    Canvas() = default;
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;
    virtual ~Canvas() = default;

    // The canvas' own objects: change them in place or set them whole.
    TPen &Pen() { return pen_; }
    const TPen &Pen() const { return pen_; }
    void SetPen(const TPen &value) { pen_ = value; }
    TBrush &Brush() { return brush_; }
    const TBrush &Brush() const { return brush_; }
    void SetBrush(const TBrush &value) { brush_ = value; }
    TFont &Font() { return font_; }
    const TFont &Font() const { return font_; }
    void SetFont(const TFont &value) { font_ = value; }

    // Text is drawn in the font's colour.
    TColor TextColor() const { return font_.Color(); }
    void SetTextColor(TColor value) { font_.SetColor(value); }
    TBackMode BackMode() const { return backMode_; }
    void SetBackMode(TBackMode value) { backMode_ = value; }
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor value) { backColor_ = value; }
    unsigned TextAlign() const { return textAlign_; }
    void SetTextAlign(unsigned value) { textAlign_ = value; }
    TRasterOp RasterOp() const { return rasterOp_; }
    void SetRasterOp(TRasterOp value) { rasterOp_ = value; }

    // Mapping from logical units to device pixels.
    TMapMode MapMode() const { return mapMode_; }
    void SetMapMode(TMapMode value);
    QPoint WindowOrg() const { return windowOrg_; }
    void SetWindowOrg(QPoint value);
    QSize WindowExt() const { return windowExt_; }
    void SetWindowExt(QSize value);
    QPoint ViewportOrg() const { return viewportOrg_; }
    void SetViewportOrg(QPoint value);
    QSize ViewportExt() const { return viewportExt_; }
    void SetViewportExt(QSize value);
    QPoint LogicalToDevice(QPoint p) const;
    QPoint DeviceToLogical(QPoint p) const;

    // Clip: a rectangle in logical units, a polygon in device pixels, or none.
    // Each call replaces the clip in force.
    void ClipRect(const TRect &rect);
    void ClipRegion(const QPolygon &devicePoints);
    void Unclip();
    const TClip &Clip() const { return clip_; }
    void SetClip(const TClip &value);

    // Whether lines now paint every pixel they cover in the pen's colour,
    // whatever was there: one pixel wide, solid, copied. Lines of one colour
    // that overlap can then be merged without changing the picture.
    bool PaintsOpaqueLines() const {
        return Pen().Style() == TPenStyle::psSolid && Pen().Width() <= 1 &&
               rasterOp_ == TRasterOp::Copy;
    }
    // The same for shapes: a plain solid brush, and an outline that is such a
    // line or none. A shape then hides whatever it covers.
    bool PaintsOpaqueShapes() const {
        return Brush().Style() == TBrushStyle::bsSolid && Brush().Bitmap().isNull() &&
               (Pen().IsClear() || PaintsOpaqueLines());
    }

    // Lines: MoveTo sets the current position; LineTo draws from it to (x, y),
    // leaving (x, y) unpainted, and moves the position there.
    QPoint PenPos() const { return penPos_; }
    virtual void MoveTo(int x, int y);
    virtual void LineTo(int x, int y) = 0;
    // Separate lines, each painted as MoveTo to its first point and LineTo to
    // its second would paint it; the pen position ends at the last line's end.
    virtual void Lines(const std::vector<QLine> &lines);
    // Joins the points with the pen; the last point is not painted.
    virtual void Polyline(const QPolygon &points) = 0;
    // Fills with the brush (even-odd) and outlines the closed shape with the pen.
    virtual void Polygon(const QPolygon &points) = 0;

    // Filled with the brush and outlined with the pen inside left..right-1,
    // top..bottom-1.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;
    // Corners are quarter ellipses of width cornerWidth and height cornerHeight.
    virtual void RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                           int cornerHeight) = 0;
    // Part of the ellipse in the rectangle, counter-clockwise from the ray
    // towards (startX, startY) to the ray towards (endX, endY). Pie closes it
    // with two radii and fills it.
    virtual void Arc(int left, int top, int right, int bottom, int startX, int startY, int endX,
                     int endY) = 0;
    virtual void Pie(int left, int top, int right, int bottom, int startX, int startY, int endX,
                     int endY) = 0;
    // Sets one pixel to a colour, without pen or brush.
    virtual void Pixel(int x, int y, TColor color) = 0;
    // Fills with the brush only, no outline.
    virtual void FillRect(const TRect &rect) = 0;

    // Text placed by TextAlign relative to (x, y), rotated by the font's
    // escapement, over a BackColor box when BackMode is opaque.
    virtual void TextOut(int x, int y, const QString &text) = 0;
    // Width and height of the unrotated text with the current font, in
    // logical units; (0, 0) when it cannot be measured.
    virtual QSize TextExtent(const QString &text) = 0;
    int TextWidth(const QString &text) { return TextExtent(text).width(); }
    int TextHeight(const QString &text) { return TextExtent(text).height(); }

    // Copies a bitmap with its top-left corner at (x, y), or stretched to a
    // rectangle, under the raster operation in force.
    virtual void Draw(int x, int y, const QImage &image) = 0;
    virtual void StretchDraw(const TRect &rect, const QImage &image) = 0;

    // The device's size in pixels and its vertical resolution.
    virtual QSize DeviceSize() const = 0;
    virtual int PixelsPerInch() const = 0;

protected:
    // Told after the clip or the mapping changed.
    virtual void ClipChanged() {}
    virtual void MappingChanged() {}
    void SetPenPos(QPoint value) { penPos_ = value; }

private:
    TPen pen_;
    TBrush brush_;
    TFont font_;
    TBackMode backMode_ = TBackMode::Opaque;
    TColor backColor_ = clWhite;
    unsigned textAlign_ = TA_LEFT | TA_TOP;
    TRasterOp rasterOp_ = TRasterOp::Copy;
    TMapMode mapMode_ = TMapMode::Text;
    QPoint windowOrg_;
    QSize windowExt_{1, 1};
    QPoint viewportOrg_;
    QSize viewportExt_{1, 1};
    TClip clip_;
    QPoint penPos_;
};

// The scope guard: saves one part of the canvas state and puts it back when
// it goes out of scope.
template <typename Part, const Part &(Canvas::*Get)() const, void (Canvas::*Set)(const Part &)>
class CanvasPartScope {
public:
    explicit CanvasPartScope(Canvas &canvas) : canvas_(canvas), saved_((canvas.*Get)()) {}
    ~CanvasPartScope() { (canvas_.*Set)(saved_); }
    CanvasPartScope(const CanvasPartScope &) = delete;
    CanvasPartScope &operator=(const CanvasPartScope &) = delete;

private:
    Canvas &canvas_;
    Part saved_;
};

using PenScope = CanvasPartScope<TPen, &Canvas::Pen, &Canvas::SetPen>;
using BrushScope = CanvasPartScope<TBrush, &Canvas::Brush, &Canvas::SetBrush>;
using FontScope = CanvasPartScope<TFont, &Canvas::Font, &Canvas::SetFont>;
using ClipScope = CanvasPartScope<TClip, &Canvas::Clip, &Canvas::SetClip>;

// Saves pen, brush, font, clip, text alignment, background mode and colour,
// and raster operation.
class CanvasStateScope {
public:
    explicit CanvasStateScope(Canvas &canvas);
    ~CanvasStateScope();
    CanvasStateScope(const CanvasStateScope &) = delete;
    CanvasStateScope &operator=(const CanvasStateScope &) = delete;

private:
    Canvas &canvas_;
    PenScope pen_;
    BrushScope brush_;
    FontScope font_;
    ClipScope clip_;
    unsigned textAlign_;
    TBackMode backMode_;
    TColor backColor_;
    TRasterOp rasterOp_;
};

} // namespace pexor
