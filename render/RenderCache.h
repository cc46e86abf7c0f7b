#pragma once

#include "render/Canvas.h"

#include <QChar>
#include <QPolygon>
#include <QString>
#include <QTransform>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

class QPaintDevice;

namespace pexor {

class TQtFontMetrics;
class TPolygonStamps;
struct TRegionClip;

// A font made ready for Qt, shared: it stays valid however the cache changes.
using TFontHandle = std::shared_ptr<TQtFontMetrics>;
// A region clip and its rows in device pixels, shared likewise.
using TRegionHandle = std::shared_ptr<const TRegionClip>;

// What drawing keeps from one picture to the next: fonts (with their text
// widths, layouts and stamps), polygon stamps, the last region clip and
// formatted numbers. The chart draws each picture on a new canvas, so the
// cache outlives canvases: each thread has one (ThreadRenderCache), and a
// canvas may be given another.
//
// One size rule for every table: when it holds its limit (below), the next
// new entry empties it first. Whatever the cache hands out is shared or
// copied, so emptying never pulls anything from under a caller.
class TRenderCache {
public:
    static constexpr std::size_t kMaxFonts = 64;
    static constexpr std::size_t kMaxTextsPerFont = 4096;
    static constexpr std::size_t kMaxNumbers = 1024;
    // Polygon stamps sit in a fixed table of slots, a new shape taking the
    // place of the one in its slot (TPolygonStamps::kSlots); the region
    // clip is only the last one.

    TRenderCache();
    ~TRenderCache();
    TRenderCache(const TRenderCache &) = delete;
    TRenderCache &operator=(const TRenderCache &) = delete;

    // The kept font for a canvas font on a device.
    TFontHandle Font(const TFont &font, const QPaintDevice *device);
    // Small polygons' pixels, laid out once per shape.
    TPolygonStamps &PolygonStamps();
    // The region of a clip polygon mapped by base, with its device rows.
    TRegionHandle RegionClip(const QPolygon &polygon, const QTransform &base);
    // FormatFloat(pattern, value) under the locale in force, kept.
    QString FormatFloat(const QString &pattern, double value);

    // Drops everything; for tests.
    void Clear();

private:
    struct TFontKey {
        QString name;
        int height;
        TFontStyles style;
        int dpiX;
        int dpiY;
        bool operator==(const TFontKey &) const = default;
    };
    struct TNumberKey {
        QString pattern;
        double value;
        QChar decimal;
        QChar thousand;
        bool operator==(const TNumberKey &other) const;
    };
    struct TNumberKeyHash {
        std::size_t operator()(const TNumberKey &k) const;
    };

    void ReleaseFontsWithApplication();

    std::vector<std::pair<TFontKey, TFontHandle>> fonts_;
    bool releaseRegistered_ = false;
    std::unique_ptr<TPolygonStamps> stamps_;
    TRegionHandle region_;
    std::unordered_map<TNumberKey, QString, TNumberKeyHash> numbers_;
};

// The calling thread's cache.
TRenderCache &ThreadRenderCache();

} // namespace pexor
