#include "render/RenderCache.h"

#include "platform/LocaleSettings.h"
#include "render/QtCanvas.h"
#include "render/QtFont.h"
#include "render/raster/DirectRaster.h"

#include <QImage>
#include <gtest/gtest.h>

namespace pexor::test {
namespace {

TFont Arial(int height) {
    TFont font;
    font.SetName(QStringLiteral("Arial"));
    font.SetHeight(height);
    return font;
}

// A font handed out keeps working when its table is emptied, by the size
// rule or by Clear, and the next call makes it afresh.
TEST(RenderCache, FontHandlesOutliveTheirTable) {
    TRenderCache cache;
    const QImage device(10, 10, QImage::Format_RGB32);
    const TFontHandle kept = cache.Font(Arial(-12), &device);
    EXPECT_EQ(cache.Font(Arial(-12), &device), kept) << "kept for the same font and device";
    const int width = kept->Advance(QStringLiteral("Pexor"));
    ASSERT_GT(width, 0);

    for (int h = 1; h <= int(TRenderCache::kMaxFonts) + 1; ++h)
        cache.Font(Arial(-12 - h), &device);
    EXPECT_NE(cache.Font(Arial(-12), &device), kept) << "emptied once full";
    EXPECT_EQ(kept->Advance(QStringLiteral("Pexor")), width);

    const TFontHandle again = cache.Font(Arial(-12), &device);
    cache.Clear();
    EXPECT_NE(cache.Font(Arial(-12), &device), again);
    EXPECT_EQ(again->Advance(QStringLiteral("Pexor")), width);
}

// Numbers are kept under the separators in force: a change of locale is
// not answered from the old texts.
TEST(RenderCache, NumbersFollowTheLocale) {
    const LocaleSettings saved = Locale();
    LocaleSettings settings = LocaleSettings::French();
    settings.DecimalSeparator = u',';
    settings.ThousandSeparator = u' ';
    SetLocaleSettings(settings);
    TRenderCache cache;
    EXPECT_EQ(cache.FormatFloat(QStringLiteral("#,##0.##"), 1234.5), QStringLiteral("1 234,5"));
    settings.DecimalSeparator = u'.';
    settings.ThousandSeparator = u',';
    SetLocaleSettings(settings);
    EXPECT_EQ(cache.FormatFloat(QStringLiteral("#,##0.##"), 1234.5), QStringLiteral("1,234.5"));
    // Past the limit the table starts again; answers stay the same.
    for (int i = 0; i <= int(TRenderCache::kMaxNumbers); ++i)
        cache.FormatFloat(QStringLiteral("0"), i);
    EXPECT_EQ(cache.FormatFloat(QStringLiteral("#,##0.##"), 1234.5), QStringLiteral("1,234.5"));
    EXPECT_EQ(cache.FormatFloat(QStringLiteral("0"), -0.0), QStringLiteral("0"));
    SetLocaleSettings(saved);
}

// The region clip is laid out once for a polygon and mapping; a new one
// leaves the old handle whole for the canvas still holding it.
TEST(RenderCache, RegionClipIsKeptAndSharedSafely) {
    TRenderCache cache;
    const QPolygon box({QPoint(0, 0), QPoint(20, 0), QPoint(20, 10), QPoint(0, 10)});
    const QPolygon wedge({QPoint(0, 0), QPoint(20, 0), QPoint(0, 10)});
    const TRegionHandle first = cache.RegionClip(box, QTransform());
    EXPECT_EQ(cache.RegionClip(box, QTransform()), first);
    EXPECT_NE(cache.RegionClip(box, QTransform::fromTranslate(3, 0)), first);
    const TRegionHandle other = cache.RegionClip(wedge, QTransform());
    EXPECT_NE(other, first);
    EXPECT_EQ(first->region.boundingRect(), QRect(0, 0, 20, 10));
    EXPECT_EQ(first->rows.Row(5).size(), 1u);
    EXPECT_TRUE(first->rows.Covers(0, 0, 19, 9));
    EXPECT_FALSE(other->rows.Covers(0, 0, 19, 9));
}

// A canvas given its own cache draws as one on the thread's.
TEST(RenderCache, CanvasWithItsOwnCacheDrawsTheSame) {
    auto draw = [](TRenderCache *cache) {
        QImage image(120, 60, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            std::unique_ptr<QtCanvas> canvas = cache ? std::make_unique<QtCanvas>(&image, *cache)
                                                     : std::make_unique<QtCanvas>(&image);
            canvas->SetFont(Arial(-13));
            canvas->TextOut(4, 4, QStringLiteral("Écart 12,5"));
            canvas->ClipRegion(QPolygon({QPoint(0, 30), QPoint(100, 30), QPoint(50, 59)}));
            canvas->Brush().SetColor(clRed);
            canvas->Polygon(QPolygon({QPoint(10, 28), QPoint(90, 40), QPoint(30, 58)}));
        }
        return image;
    };
    TRenderCache own;
    const QImage withOwn = draw(&own);
    EXPECT_TRUE(withOwn == draw(nullptr));
    own.Clear();
    EXPECT_TRUE(withOwn == draw(&own)) << "drawn afresh after Clear";
}

} // namespace
} // namespace pexor::test
