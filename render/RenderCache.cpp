#include "render/RenderCache.h"

#include "platform/FormatFloat.h"
#include "platform/LocaleSettings.h"
#include "render/QtFont.h"
#include "render/raster/DirectRaster.h"
#include "render/raster/PolygonStamps.h"

#include <QCoreApplication>
#include <QHash>
#include <QThread>
#include <cstdint>
#include <cstring>
#include <functional>

namespace pexor {

namespace {

// The main thread's cache holds fonts, which must go with the application,
// before Qt's font machinery does.
TRenderCache *mainThreadCache = nullptr;
bool releaseRegistered = false;

void ReleaseMainThreadCache() {
    releaseRegistered = false;
    if (mainThreadCache)
        mainThreadCache->Clear();
}

} // namespace

bool TRenderCache::TNumberKey::operator==(const TNumberKey &other) const {
    // Bitwise on the value: -0 and 0, or two NaNs, stay apart.
    return pattern == other.pattern && std::memcmp(&value, &other.value, sizeof value) == 0 &&
           decimal == other.decimal && thousand == other.thousand;
}

std::size_t TRenderCache::TNumberKeyHash::operator()(const TNumberKey &k) const {
    std::uint64_t bits;
    std::memcpy(&bits, &k.value, sizeof bits);
    return qHash(k.pattern) ^ std::hash<std::uint64_t>()(bits) ^
           (std::size_t(k.decimal.unicode()) << 16) ^ k.thousand.unicode();
}

TRenderCache::TRenderCache() : stamps_(std::make_unique<TPolygonStamps>()) {}

TRenderCache::~TRenderCache() {
    if (mainThreadCache == this)
        mainThreadCache = nullptr;
}

TFontHandle TRenderCache::Font(const TFont &font, const QPaintDevice *device) {
    const TFontKey key{font.Name(), font.Height(), font.Style(), device ? device->logicalDpiX() : 0,
                       device ? device->logicalDpiY() : 0};
    for (const auto &[k, metrics] : fonts_)
        if (k == key)
            return metrics;
    if (fonts_.size() >= kMaxFonts)
        fonts_.clear();
    ReleaseFontsWithApplication();
    fonts_.emplace_back(key, std::make_shared<TQtFontMetrics>(ToQFont(font, device), device));
    return fonts_.back().second;
}

void TRenderCache::ReleaseFontsWithApplication() {
    const QCoreApplication *app = QCoreApplication::instance();
    if (this != &ThreadRenderCache() || !app || QThread::currentThread() != app->thread())
        return;
    mainThreadCache = this;
    if (!releaseRegistered) {
        qAddPostRoutine(ReleaseMainThreadCache);
        releaseRegistered = true;
    }
}

TPolygonStamps &TRenderCache::PolygonStamps() {
    return *stamps_;
}

TRegionHandle TRenderCache::RegionClip(const QPolygon &polygon, const QTransform &base) {
    // The chart clips every drawing to the same 3D box, each time on a new
    // canvas over its bitmap.
    if (!region_ || polygon != region_->polygon || base != region_->base ||
        region_->region.isEmpty()) {
        auto made = std::make_shared<TRegionClip>();
        made->polygon = polygon;
        made->base = base;
        made->region = QRegion(polygon, Qt::OddEvenFill);
        made->rows = TClipRows(base.map(made->region));
        region_ = std::move(made);
    }
    return region_;
}

QString TRenderCache::FormatFloat(const QString &pattern, double value) {
    // The chart formats the same axis labels at every drawing: results are
    // kept, keyed by everything the text depends on.
    const LocaleSettings &settings = Locale();
    TNumberKey key{pattern, value, settings.DecimalSeparator, settings.ThousandSeparator};
    if (const auto found = numbers_.find(key); found != numbers_.end())
        return found->second;
    if (numbers_.size() >= kMaxNumbers)
        numbers_.clear();
    QString text = pexor::FormatFloat(pattern, value, settings);
    numbers_.emplace(std::move(key), text);
    return text;
}

void TRenderCache::Clear() {
    fonts_.clear();
    stamps_ = std::make_unique<TPolygonStamps>();
    region_.reset();
    numbers_.clear();
}

TRenderCache &ThreadRenderCache() {
    thread_local TRenderCache cache;
    return cache;
}

} // namespace pexor
