#include "render/Canvas.h"

#include "render/QtCanvas.h"
#include "render/QtFont.h"
#include "render/RecordingCanvas.h"
#include "platform/Rounding.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>

using namespace pexor;

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kGreen = 0xFF00FF00;

// A white image with a canvas on it; the canvas ends before pixels are read.
class Surface {
public:
    Surface(int w, int h) : image_(w, h, QImage::Format_RGB32) {
        image_.fill(Qt::white);
        canvas_ = std::make_unique<QtCanvas>(&image_);
    }
    QtCanvas &Canvas() { return *canvas_; }
    const QImage &Image() {
        canvas_.reset();
        return image_;
    }
    QRgb At(int x, int y) { return Image().pixel(x, y); }

private:
    QImage image_;
    std::unique_ptr<QtCanvas> canvas_;
};

// Bounding box of the pixels that are not white.
QRect Painted(const QImage &image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kWhite)
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

TEST(CanvasLines, EndPointIsNotPainted) {
    Surface s(20, 12);
    s.Canvas().MoveTo(2, 2);
    s.Canvas().LineTo(8, 2);
    s.Canvas().MoveTo(12, 1);
    s.Canvas().LineTo(12, 9);
    s.Canvas().MoveTo(1, 10);
    s.Canvas().LineTo(1, 10);
    EXPECT_EQ(s.Canvas().PenPos(), QPoint(1, 10));
    const QImage &img = s.Image();
    for (int x = 2; x < 8; ++x)
        EXPECT_EQ(img.pixel(x, 2), kBlack) << x;
    EXPECT_EQ(img.pixel(8, 2), kWhite);
    EXPECT_EQ(img.pixel(1, 2), kWhite);
    EXPECT_EQ(img.pixel(12, 8), kBlack);
    EXPECT_EQ(img.pixel(12, 9), kWhite);
    EXPECT_EQ(img.pixel(1, 10), kWhite) << "a one-pixel line of no length paints nothing";
}

TEST(CanvasLines, EveryDirectionPaintsItsStartButNotItsEnd) {
    const QPoint centre(10, 10);
    const QPoint ends[] = {QPoint(16, 10), QPoint(4, 10), QPoint(10, 16), QPoint(10, 4),
                           QPoint(16, 16), QPoint(4, 4),  QPoint(16, 4),  QPoint(4, 16),
                           QPoint(17, 13), QPoint(3, 7),  QPoint(13, 3),  QPoint(7, 17)};
    for (const QPoint &end : ends) {
        for (bool backwards : {false, true}) {
            const QPoint a = backwards ? end : centre;
            const QPoint b = backwards ? centre : end;
            Surface s(21, 21);
            s.Canvas().MoveTo(a.x(), a.y());
            s.Canvas().LineTo(b.x(), b.y());
            const QImage &img = s.Image();
            EXPECT_EQ(img.pixel(a), kBlack)
                << a.x() << "," << a.y() << " to " << b.x() << "," << b.y();
            EXPECT_EQ(img.pixel(b), kWhite)
                << a.x() << "," << a.y() << " to " << b.x() << "," << b.y();
            int painted = 0;
            for (int y = 0; y < 21; ++y)
                for (int x = 0; x < 21; ++x)
                    painted += img.pixel(x, y) == kBlack;
            const QPoint d = b - a;
            EXPECT_EQ(painted, std::max(std::abs(d.x()), std::abs(d.y())));
        }
    }
}

TEST(CanvasLines, LinesPaintAsSeparateMoveAndLine) {
    const std::vector<QLine> lines = {QLine(1, 1, 9, 1), QLine(9, 9, 1, 3), QLine(5, 12, 5, 2)};
    Surface batch(14, 14);
    batch.Canvas().Lines(lines);
    EXPECT_EQ(batch.Canvas().PenPos(), QPoint(5, 2));
    Surface single(14, 14);
    for (const QLine &l : lines) {
        single.Canvas().MoveTo(l.x1(), l.y1());
        single.Canvas().LineTo(l.x2(), l.y2());
    }
    EXPECT_EQ(batch.Image(), single.Image());
    EXPECT_EQ(batch.At(9, 9), kBlack);
    EXPECT_EQ(batch.At(5, 2), kWhite);
}

TEST(CanvasLines, DottedGapsTakeTheBackgroundWhenOpaque) {
    for (TBackMode mode : {TBackMode::Opaque, TBackMode::Transparent}) {
        Surface s(12, 3);
        QtCanvas &c = s.Canvas();
        c.SetBackMode(mode);
        c.SetBackColor(clLime);
        c.Pen().SetStyle(TPenStyle::psDot);
        c.MoveTo(0, 1);
        c.LineTo(12, 1);
        const QImage &img = s.Image();
        for (int x = 0; x < 12; ++x) {
            const bool dot = (x / 3) % 2 == 0;
            const QRgb gap = mode == TBackMode::Opaque ? kGreen : kWhite;
            EXPECT_EQ(img.pixel(x, 1), dot ? kBlack : gap) << x;
        }
    }
}

TEST(CanvasLines, PolylineBackwardsKeepsItsJoints) {
    Surface s(12, 12);
    s.Canvas().Polyline(QPolygon({QPoint(8, 8), QPoint(2, 8), QPoint(2, 2)}));
    EXPECT_EQ(s.Canvas().PenPos(), QPoint()) << "a polyline leaves the position alone";
    const QImage &img = s.Image();
    EXPECT_EQ(img.pixel(8, 8), kBlack);
    EXPECT_EQ(img.pixel(2, 8), kBlack);
    EXPECT_EQ(img.pixel(2, 3), kBlack);
    EXPECT_EQ(img.pixel(2, 2), kWhite);
}

TEST(CanvasLines, PolylineSkipsOnlyTheLastPoint) {
    Surface s(12, 12);
    s.Canvas().Polyline(QPolygon({QPoint(1, 1), QPoint(6, 1), QPoint(6, 6)}));
    const QImage &img = s.Image();
    EXPECT_EQ(img.pixel(6, 1), kBlack);
    EXPECT_EQ(img.pixel(6, 5), kBlack);
    EXPECT_EQ(img.pixel(6, 6), kWhite);
}

TEST(CanvasLines, ZeroWidthPenIsOneDevicePixelUnderScaling) {
    Surface s(40, 40);
    QtCanvas &c = s.Canvas();
    c.SetMapMode(TMapMode::Anisotropic);
    c.SetWindowExt(QSize(10, 10));
    c.SetViewportExt(QSize(40, 40));
    c.Pen().SetWidth(0);
    c.MoveTo(1, 5);
    c.LineTo(9, 5);
    const QRect box = Painted(s.Image());
    EXPECT_EQ(box.height(), 1);
    EXPECT_EQ(box.left(), 4);
    EXPECT_EQ(box.top(), 20);
}

TEST(CanvasLines, NotXorTwiceRestoresThePicture) {
    Surface s(20, 20);
    QtCanvas &c = s.Canvas();
    c.Brush().SetColor(clRed);
    c.FillRect(TRect(0, 0, 10, 20));
    c.SetRasterOp(TRasterOp::NotXor);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    for (int i = 0; i < 2; ++i)
        c.Rectangle(3, 3, 17, 17);
    const QImage &img = s.Image();
    EXPECT_EQ(img.pixel(3, 3), kRed);
    EXPECT_EQ(img.pixel(16, 10), kWhite);
    EXPECT_EQ(Painted(img), QRect(0, 0, 10, 20));
}

TEST(CanvasShapes, RectangleCoversLeftToRightMinusOne) {
    Surface s(12, 10);
    QtCanvas &c = s.Canvas();
    c.Brush().SetColor(clRed);
    c.Rectangle(2, 2, 8, 6);
    const QImage &img = s.Image();
    EXPECT_EQ(Painted(img), QRect(2, 2, 6, 4));
    EXPECT_EQ(img.pixel(2, 2), kBlack);
    EXPECT_EQ(img.pixel(7, 5), kBlack);
    EXPECT_EQ(img.pixel(4, 3), kRed);
}

TEST(CanvasShapes, RectangleCornersInAnyOrder) {
    Surface s(12, 10);
    s.Canvas().Rectangle(8, 6, 2, 2);
    EXPECT_EQ(Painted(s.Image()), QRect(2, 2, 6, 4));
}

TEST(CanvasShapes, EllipseStaysInsideItsRectangle) {
    Surface s(20, 16);
    s.Canvas().Brush().SetColor(clRed);
    s.Canvas().Ellipse(2, 3, 14, 11);
    EXPECT_EQ(Painted(s.Image()), QRect(2, 3, 12, 8));
}

TEST(CanvasShapes, ClearPenAndBrushDrawNothing) {
    Surface s(20, 20);
    QtCanvas &c = s.Canvas();
    c.Pen().SetStyle(TPenStyle::psClear);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.Rectangle(1, 1, 10, 10);
    c.Ellipse(1, 1, 10, 10);
    c.Polygon(QPolygon({QPoint(1, 1), QPoint(15, 2), QPoint(8, 15)}));
    c.MoveTo(0, 0);
    c.LineTo(19, 19);
    c.FillRect(TRect(0, 0, 20, 20));
    EXPECT_TRUE(Painted(s.Image()).isNull());
}

TEST(CanvasShapes, ClearPenStillFills) {
    Surface s(12, 12);
    s.Canvas().Pen().SetStyle(TPenStyle::psClear);
    s.Canvas().Brush().SetColor(clRed);
    s.Canvas().Rectangle(2, 2, 8, 8);
    EXPECT_EQ(s.At(2, 2), kRed);
    EXPECT_EQ(s.At(7, 7), kRed);
}

TEST(CanvasShapes, PolygonFillsEvenOdd) {
    // Two squares in one outline: the inner one is a hole.
    Surface s(24, 24);
    QtCanvas &c = s.Canvas();
    c.Pen().SetStyle(TPenStyle::psClear);
    c.Brush().SetColor(clRed);
    c.Polygon(QPolygon({QPoint(2, 2), QPoint(22, 2), QPoint(22, 22), QPoint(2, 22), QPoint(2, 2),
                        QPoint(8, 8), QPoint(16, 8), QPoint(16, 16), QPoint(8, 16), QPoint(8, 8)}));
    EXPECT_EQ(s.At(4, 12), kRed);
    EXPECT_EQ(s.At(12, 12), kWhite);
}

TEST(CanvasShapes, PixelIgnoresPenAndRasterOp) {
    Surface s(4, 4);
    s.Canvas().SetRasterOp(TRasterOp::NotXor);
    s.Canvas().Pixel(1, 2, clLime);
    EXPECT_EQ(s.At(1, 2), kGreen);
}

TEST(CanvasShapes, HatchGapsTakeBackgroundWhenOpaque) {
    for (TBackMode mode : {TBackMode::Opaque, TBackMode::Transparent}) {
        Surface s(16, 16);
        QtCanvas &c = s.Canvas();
        c.SetBackMode(mode);
        c.SetBackColor(clLime);
        c.Brush().SetColor(clBlack);
        c.Brush().SetStyle(TBrushStyle::bsCross);
        c.FillRect(TRect(0, 0, 16, 16));
        const QImage &img = s.Image();
        int green = 0;
        int white = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                green += img.pixel(x, y) == kGreen;
                white += img.pixel(x, y) == kWhite;
            }
        if (mode == TBackMode::Opaque) {
            EXPECT_GT(green, 0);
            EXPECT_EQ(white, 0);
        } else {
            EXPECT_EQ(green, 0);
            EXPECT_GT(white, 0);
        }
    }
}

TEST(CanvasText, AlignmentFlagsPlaceTheText) {
    struct Case {
        unsigned align;
        bool leftOfX, rightOfX, aboveY, belowY;
    };
    const Case cases[] = {
        {TA_LEFT | TA_TOP, false, true, false, true},
        {TA_RIGHT | TA_TOP, true, false, false, true},
        {TA_CENTER | TA_TOP, true, true, false, true},
        {TA_LEFT | TA_BOTTOM, false, true, true, false},
    };
    for (const Case &k : cases) {
        Surface s(200, 80);
        QtCanvas &c = s.Canvas();
        c.SetFont(TFont(QStringLiteral("Arial"), 12));
        c.SetBackMode(TBackMode::Transparent);
        c.SetTextAlign(k.align);
        const QSize extent = c.TextExtent(QStringLiteral("MWM"));
        c.TextOut(100, 40, QStringLiteral("MWM"));
        const QRect box = Painted(s.Image());
        ASSERT_FALSE(box.isNull()) << k.align;
        EXPECT_EQ(box.left() < 100, k.leftOfX) << k.align;
        EXPECT_EQ(box.right() >= 100, k.rightOfX) << k.align;
        EXPECT_EQ(box.top() < 40, k.aboveY) << k.align;
        EXPECT_EQ(box.bottom() >= 40, k.belowY) << k.align;
        EXPECT_LE(box.width(), extent.width() + 1);
        EXPECT_LE(box.height(), extent.height());
    }
}

// Text laid out once and drawn again must cover the pixels a fresh drawing
// of it covers: plain, bold, small and large, turned, over its box or not,
// and twice in a row.
TEST(CanvasText, KeptLayoutsDrawAsFreshText) {
    const QStringList texts = {QStringLiteral("07/12/2026"), QStringLiteral("Courbe de TP (%)"),
                               QStringLiteral("100"), QStringLiteral("Wj,é")};
    for (const TFont &font : {TFont(QStringLiteral("Arial"), 8),
                              TFont(QStringLiteral("Arial"), 8, clBlue, fsBold),
                              TFont(QStringLiteral("Liberation Sans"), 14, clRed, fsItalic)})
        for (int escapement : {0, 900, 450})
            for (bool opaque : {false, true})
                for (const QString &text : texts) {
                    QImage expected(140, 140, QImage::Format_RGB32);
                    expected.fill(Qt::white);
                    {
                        QPainter painter(&expected);
                        const QFont qfont = ToQFont(font, &expected);
                        const QFontMetrics fm(qfont, &expected);
                        painter.translate(60, 70);
                        painter.rotate(-escapement / 10.0);
                        if (opaque)
                            painter.fillRect(QRect(0, 0, fm.horizontalAdvance(text), fm.height()),
                                             Qt::green);
                        painter.setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
                        painter.setBackground(Qt::green);
                        painter.setFont(qfont);
                        painter.setPen(ToQColor(font.Color()));
                        painter.drawText(0, fm.ascent(), text);
                    }
                    for (int round = 0; round < 2; ++round) {
                        Surface s(140, 140);
                        QtCanvas &c = s.Canvas();
                        c.SetFont(font);
                        c.Font().SetEscapement(escapement);
                        c.SetBackMode(opaque ? TBackMode::Opaque : TBackMode::Transparent);
                        c.SetBackColor(clLime);
                        c.TextOut(60, 70, text);
                        ASSERT_EQ(s.Image(), expected)
                            << text.toStdString() << " at " << escapement << " opaque " << opaque;
                    }
                }
}

TEST(CanvasText, BaselineSitsOnTheReferencePoint) {
    Surface s(120, 60);
    QtCanvas &c = s.Canvas();
    c.SetFont(TFont(QStringLiteral("Arial"), 14));
    c.SetBackMode(TBackMode::Transparent);
    c.SetTextAlign(TA_LEFT | TA_BASELINE);
    c.TextOut(10, 40, QStringLiteral("HH"));
    const QRect box = Painted(s.Image());
    EXPECT_EQ(box.bottom(), 39);
}

TEST(CanvasText, OpaqueBackgroundFillsTheTextCell) {
    Surface s(120, 40);
    QtCanvas &c = s.Canvas();
    c.SetFont(TFont(QStringLiteral("Arial"), 10, clRed));
    c.SetBackMode(TBackMode::Opaque);
    c.SetBackColor(clLime);
    const QSize extent = c.TextExtent(QStringLiteral("Abc"));
    c.TextOut(5, 5, QStringLiteral("Abc"));
    const QImage &img = s.Image();
    EXPECT_EQ(Painted(img), QRect(QPoint(5, 5), extent));
    EXPECT_EQ(img.pixel(5, 5), kGreen);
    bool red = false;
    for (int y = 5; y < 5 + extent.height(); ++y)
        for (int x = 5; x < 5 + extent.width(); ++x)
            red = red || img.pixel(x, y) == kRed;
    EXPECT_TRUE(red) << "text is drawn in the font colour";
}

TEST(CanvasText, EscapementTurnsTheText) {
    Surface s(80, 120);
    QtCanvas &c = s.Canvas();
    c.SetFont(TFont(QStringLiteral("Arial"), 12));
    c.Font().SetEscapement(900);
    c.SetBackMode(TBackMode::Transparent);
    c.TextOut(30, 100, QStringLiteral("Vertical"));
    const QRect box = Painted(s.Image());
    EXPECT_GT(box.height(), box.width()) << "read bottom to top";
    EXPECT_LE(box.bottom(), 100);
    EXPECT_GE(box.left(), 30) << "the tops of the letters face left";
}

TEST(CanvasMapping, AnisotropicScalesAndMovesShapes) {
    Surface s(100, 100);
    QtCanvas &c = s.Canvas();
    c.SetMapMode(TMapMode::Anisotropic);
    c.SetWindowExt(QSize(50, 100));
    c.SetViewportExt(QSize(100, 50));
    c.SetViewportOrg(QPoint(10, 20));
    EXPECT_EQ(c.LogicalToDevice(QPoint(10, 10)), QPoint(30, 25));
    EXPECT_EQ(c.DeviceToLogical(QPoint(30, 25)), QPoint(10, 10));
    c.Brush().SetColor(clRed);
    c.FillRect(TRect(10, 10, 20, 30));
    EXPECT_EQ(Painted(s.Image()), QRect(30, 25, 20, 10));
}

TEST(CanvasMapping, PrintMappingOfAChartRectangle) {
    RecordingCanvas c(QSize(4800, 6600), 600);
    c.SetMapMode(TMapMode::Anisotropic);
    c.SetWindowExt(QSize(332, 252));
    c.SetViewportExt(QSize(3840, 3740));
    EXPECT_EQ(c.LogicalToDevice(QPoint(42, 148)), QPoint(486, 2197));
    EXPECT_EQ(c.DeviceToLogical(QPoint(480, 2200)), QPoint(42, 148));
}

TEST(CanvasClip, RectAndRegionLimitDrawing) {
    Surface s(40, 40);
    QtCanvas &c = s.Canvas();
    c.Brush().SetColor(clRed);
    c.ClipRect(TRect(5, 6, 15, 16));
    c.FillRect(TRect(0, 0, 40, 40));
    c.Unclip();
    EXPECT_EQ(c.Clip().kind, TClip::Kind::None);
    EXPECT_EQ(Painted(s.Image()), QRect(5, 6, 10, 10));
}

TEST(CanvasClip, RegionIsInDevicePixels) {
    Surface s(40, 40);
    QtCanvas &c = s.Canvas();
    c.SetMapMode(TMapMode::Anisotropic);
    c.SetWindowExt(QSize(1, 1));
    c.SetViewportExt(QSize(2, 2));
    c.ClipRegion(QPolygon({QPoint(10, 10), QPoint(20, 10), QPoint(20, 20), QPoint(10, 20)}));
    c.Brush().SetColor(clRed);
    c.FillRect(TRect(0, 0, 40, 40));
    EXPECT_EQ(Painted(s.Image()), QRect(10, 10, 10, 10));
}

// The painter drops a region set right after a rectangle clip was switched
// off; the 3D chart clips its series that way, box after plain rectangle.
TEST(CanvasClip, RegionAfterAnUnclippedRectangleStillLimits) {
    for (bool direct : {false, true}) {
        Surface s(60, 60);
        QtCanvas &c = s.Canvas();
        c.SetDirectRaster(direct);
        c.ClipRect(TRect(0, 0, 30, 30));
        c.MoveTo(0, 0);
        c.LineTo(5, 0);
        c.Unclip();
        c.LineTo(10, 0);
        c.ClipRegion(QPolygon({QPoint(20, 20), QPoint(40, 20), QPoint(40, 40), QPoint(20, 40)}));
        c.Pen().SetStyle(TPenStyle::psDot);
        c.Brush().SetColor(clRed);
        c.Polygon(QPolygon({QPoint(5, 5), QPoint(55, 5), QPoint(55, 55), QPoint(5, 55)}));
        const QImage &image = s.Image();
        EXPECT_EQ(image.pixel(30, 30), kRed) << direct;
        EXPECT_EQ(image.pixel(10, 30), kWhite) << direct;
        EXPECT_EQ(image.pixel(45, 45), kWhite) << direct;
    }
}

TEST(CanvasState, ScopesPutStateBack) {
    RecordingCanvas c;
    c.Pen().SetColor(clRed);
    c.SetTextAlign(TA_RIGHT);
    c.ClipRect(TRect(1, 2, 3, 4));
    {
        CanvasStateScope all(c);
        c.Pen().SetWidth(3);
        c.Brush().SetStyle(TBrushStyle::bsClear);
        c.Font().SetSize(20);
        c.SetTextAlign(TA_CENTER | TA_BOTTOM);
        c.SetBackMode(TBackMode::Transparent);
        c.SetRasterOp(TRasterOp::NotXor);
        c.Unclip();
    }
    EXPECT_EQ(c.Pen(), TPen(clRed, 1));
    EXPECT_EQ(c.Brush(), TBrush());
    EXPECT_EQ(c.Font().Size(), 8);
    EXPECT_EQ(c.TextAlign(), TA_RIGHT);
    EXPECT_EQ(c.BackMode(), TBackMode::Opaque);
    EXPECT_EQ(c.RasterOp(), TRasterOp::Copy);
    EXPECT_EQ(c.Clip().kind, TClip::Kind::Rect);
    EXPECT_EQ(c.Clip().rect, TRect(1, 2, 3, 4));
    {
        FontScope font(c);
        c.Font().SetName(QStringLiteral("Courier"));
    }
    EXPECT_EQ(c.Font().Name(), QStringLiteral("MS Sans Serif"));
}

TEST(CanvasFont, SizeAndHeight) {
    TFont f;
    f.SetSize(8);
    EXPECT_EQ(f.Height(), -11);
    EXPECT_EQ(f.Size(), 8);
    f.SetSize(10);
    EXPECT_EQ(f.Height(), -13);
    f.SetHeight(16);
    EXPECT_EQ(f.Size(), -12) << "a positive height is a cell height";

    TFont printer;
    printer.SetPixelsPerInch(600);
    TFont screen(QStringLiteral("Arial"), 8);
    printer.Assign(screen);
    EXPECT_EQ(printer.Size(), 8);
    EXPECT_EQ(printer.Height(), -67);
    // Same resolution: the pixel height goes over unchanged.
    printer.SetPixelsPerInch(96);
    screen.SetHeight(-17);
    printer.Assign(screen);
    EXPECT_EQ(printer.Height(), -17);
}

TEST(CanvasRounding, HalvesAsTheChartEngineRounds) {
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(3.5), 4);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(4.65), 5);
    EXPECT_EQ(Round(-3.5), -4);
    EXPECT_EQ(Round(0.49999999999999994), 0);
    EXPECT_EQ(Round(-0.5), 0);
    EXPECT_EQ(Round(1e9 + 0.5), 1000000000);
    EXPECT_EQ(Round(-1e9 - 1.5), -1000000002);
    for (int i = -2000; i <= 2000; ++i) {
        const double v = i / 8.0;
        EXPECT_EQ(Round(v), int(std::nearbyint(v))) << v;
    }
    EXPECT_EQ(MulDiv(3, 332, 100), 10);
    EXPECT_EQ(MulDiv(4, 252, 100), 10);
    EXPECT_EQ(MulDiv(1, 3, 2), 2);
    EXPECT_EQ(MulDiv(-1, 3, 2), -2);
    EXPECT_EQ(MulDiv(480, 332, 3840), 42);
    EXPECT_EQ(MulDiv(2000000000, 3, 4), 1500000000);
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
}

TEST(CanvasColors, SystemColoursComeFromThePalette) {
    const QPalette palette = QGuiApplication::palette();
    auto rgb = [&](QPalette::ColorRole role) {
        return palette.color(QPalette::Active, role).rgb();
    };
    EXPECT_EQ(ToQColor(clBtnFace).rgb(), rgb(QPalette::Button));
    EXPECT_EQ(ToQColor(clBtnShadow).rgb(), rgb(QPalette::Dark));
    EXPECT_EQ(ToQColor(clBtnHighlight).rgb(), rgb(QPalette::Light));
    EXPECT_EQ(ToQColor(clWindow).rgb(), rgb(QPalette::Base));
    EXPECT_EQ(ColorToRGB(clBtnFace), FromQColor(palette.color(QPalette::Active, QPalette::Button)));
    EXPECT_EQ(ColorToRGB(clNavy), clNavy);
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), RGB(1, 2, 3));
    EXPECT_EQ(RGB(1, 2, 3), 0x030201u);
}

TEST(RecordingCanvasTest, RecordsCallsWithTheStateInForce) {
    RecordingCanvas c;
    c.Pen().SetColor(clRed);
    c.MoveTo(1, 2);
    c.LineTo(5, 6);
    c.Brush().SetStyle(TBrushStyle::bsClear);
    c.Rectangle(0, 0, 10, 10);
    c.SetTextAlign(TA_CENTER);
    c.TextOut(3, 4, QStringLiteral("x"));
    c.Pixel(7, 8, clBlue);
    ASSERT_EQ(c.Records().size(), 5u);
    const TCanvasRecord &line = c.Records()[1];
    EXPECT_EQ(line.Kind, TRecordKind::LineTo);
    EXPECT_EQ(line.Points, QPolygon({QPoint(1, 2), QPoint(5, 6)}));
    EXPECT_EQ(line.Pen.Color(), clRed);
    EXPECT_EQ(line.Brush.Style(), TBrushStyle::bsSolid);
    EXPECT_EQ(c.Records()[2].Brush.Style(), TBrushStyle::bsClear);
    EXPECT_EQ(c.Records()[2].Points, QPolygon({QPoint(0, 0), QPoint(10, 10)}));
    EXPECT_EQ(c.Records()[3].Text, QStringLiteral("x"));
    EXPECT_EQ(c.Records()[3].TextAlign, TA_CENTER);
    EXPECT_EQ(c.Records()[4].Color, clBlue);
    EXPECT_EQ(c.RecordsOf(TRecordKind::LineTo).size(), 1u);
    EXPECT_EQ(c.PenPos(), QPoint(5, 6));
}

TEST(RecordingCanvasTest, MeasuresTextAsTheImageCanvas) {
    RecordingCanvas rec;
    Surface s(10, 10);
    for (int size : {8, 10, 14}) {
        const TFont font(QStringLiteral("Arial"), size, clBlack, size == 10 ? fsBold : 0);
        rec.SetFont(font);
        s.Canvas().SetFont(font);
        EXPECT_EQ(rec.TextExtent(QStringLiteral("12/05/2026")),
                  s.Canvas().TextExtent(QStringLiteral("12/05/2026")))
            << size;
    }
    EXPECT_GT(rec.TextWidth(QStringLiteral("WW")), rec.TextWidth(QStringLiteral("W")));
}

TEST(RecordingCanvasTest, SameDrawingOnBothBackends) {
    auto draw = [](Canvas &c) {
        c.Brush().SetColor(clRed);
        c.Rectangle(2, 3, 12, 9);
        c.Pen().SetColor(clBlue);
        c.MoveTo(2, 12);
        c.LineTo(14, 12);
    };
    RecordingCanvas rec;
    draw(rec);
    Surface s(20, 20);
    draw(s.Canvas());
    const QImage &img = s.Image();
    const TCanvasRecord rect = rec.RecordsOf(TRecordKind::Rectangle).at(0);
    const QPoint tl = rect.Points[0];
    const QPoint br = rect.Points[1];
    EXPECT_EQ(img.pixel(tl), kBlack);
    EXPECT_EQ(img.pixel(br - QPoint(1, 1)), kBlack);
    EXPECT_EQ(img.pixel(br - QPoint(0, 1)), kWhite);
    EXPECT_EQ(img.pixel(tl + QPoint(2, 2)), kRed);
    const TCanvasRecord line = rec.RecordsOf(TRecordKind::LineTo).at(0);
    EXPECT_EQ(img.pixel(line.Points[0]), 0xFF0000FFu);
    EXPECT_EQ(img.pixel(line.Points[1]), kWhite);
}
