#include "render/QtFont.h"
#include "render/raster/TextStamp.h"

#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <gtest/gtest.h>
#include <random>

namespace pexor::test {
namespace {

constexpr QRgb kPaper = 0xFFF0E0D0;
constexpr QRgb kInk = 0xFF0000FF;

QStaticText Prepared(const QString &text, const QFont &font) {
    QStaticText layout(text);
    layout.setTextFormat(Qt::PlainText);
    layout.prepare(QTransform(), font);
    return layout;
}

QImage Painted(const QStaticText &layout, const QFont &font, QPoint at) {
    QImage image(160, 80, QImage::Format_RGB32);
    image.fill(kPaper);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(QColor(kInk));
    painter.drawStaticText(at, layout);
    return image;
}

QImage Stamped(const TTextStamp &stamp, QPoint at) {
    QImage image(160, 80, QImage::Format_RGB32);
    image.fill(kPaper);
    for (const TSpan &run : stamp.runs)
        for (int x = run.left; x < run.right; ++x)
            if (image.rect().contains(at.x() + x, at.y() + run.y))
                image.setPixel(at.x() + x, at.y() + run.y, kInk);
    return image;
}

// The canvas' fonts: the stamp is the painter's text wherever it goes,
// partly off the image included.
TEST(TextStamp, CanvasFontsStampAsThePainterDraws) {
    const QImage probe(1, 1, QImage::Format_RGB32);
    std::mt19937 random(4);
    std::uniform_int_distribution<int> x(-30, 150);
    std::uniform_int_distribution<int> y(-10, 75);
    for (const TFont &font : {TFont(QStringLiteral("Arial"), 8),
                              TFont(QStringLiteral("Liberation Sans"), 14, clRed, fsItalic),
                              TFont(QStringLiteral("Arial"), 10, clBlack, fsBold | fsUnderline)})
        for (const QString &text : {QStringLiteral("28/12/2026"), QStringLiteral("Wj,é (%)")}) {
            const QFont qfont = ToQFont(font, &probe);
            const QStaticText layout = Prepared(text, qfont);
            const TTextStamp stamp = StampOf(layout, qfont, QImage::Format_RGB32, 0);
            ASSERT_TRUE(stamp.usable);
            ASSERT_FALSE(stamp.runs.empty());
            for (int i = 0; i < 20; ++i) {
                const QPoint at(x(random), y(random));
                ASSERT_EQ(Stamped(stamp, at), Painted(layout, qfont, at))
                    << text.toStdString() << " at " << at.x() << "," << at.y();
            }
        }
}

// A font that blends its edges leaves part-covered pixels: no stamp.
TEST(TextStamp, BlendedGlyphsAreLeftToThePainter) {
    QFont smooth(QStringLiteral("Liberation Sans"));
    smooth.setPixelSize(20);
    smooth.setStyleStrategy(QFont::PreferAntialias);
    const QStaticText layout = Prepared(QStringLiteral("Courbe"), smooth);
    const TTextStamp stamp =
        StampOf(layout, smooth, QImage::Format_RGB32, QPainter::TextAntialiasing);
    const QImage painted = Painted(layout, smooth, QPoint(10, 10));
    bool blended = false;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x)
            blended = blended || (painted.pixel(x, y) != kPaper && painted.pixel(x, y) != kInk);
    EXPECT_EQ(stamp.usable, !blended);
}

} // namespace
} // namespace pexor::test
