#include "render/QtFont.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace pexor {

namespace {
// A height of 0 asks for the default size, 8 points at screen resolution.
constexpr int kDefaultPixelHeight = 11;
constexpr qsizetype kMaxKeptTexts = 4096;
constexpr std::size_t kMaxKeptFonts = 64;

// What ToQFont and the metrics read: the font's name, height and style, and
// the device's resolution.
struct TFontKey {
    QString name;
    int height;
    TFontStyles style;
    int dpiX;
    int dpiY;
    bool operator==(const TFontKey &) const = default;
};
using TKeptFonts = std::vector<std::pair<TFontKey, std::unique_ptr<TQtFontMetrics>>>;

TKeptFonts *keptFonts = nullptr;

// Let go when the application goes, before Qt's font machinery does.
TKeptFonts &KeptFonts() {
    if (!keptFonts) {
        keptFonts = new TKeptFonts;
        qAddPostRoutine([] {
            delete keptFonts;
            keptFonts = nullptr;
        });
    }
    return *keptFonts;
}
} // namespace

QFont ToQFont(const TFont &font, const QPaintDevice *device) {
    QFont f(font.Name());
    f.setStyleStrategy(QFont::NoAntialias);
    f.setBold((font.Style() & fsBold) != 0);
    f.setItalic((font.Style() & fsItalic) != 0);
    f.setUnderline((font.Style() & fsUnderline) != 0);
    f.setStrikeOut((font.Style() & fsStrikeOut) != 0);
    const int height = font.Height();
    if (height < 0) {
        f.setPixelSize(-height);
    } else if (height == 0) {
        f.setPixelSize(kDefaultPixelHeight);
    } else {
        // A positive height is the whole cell: scale the character height so
        // that ascent plus descent comes to it.
        f.setPixelSize(height);
        const int cell = device ? QFontMetrics(f, device).height() : QFontMetrics(f).height();
        if (cell > 0)
            f.setPixelSize(std::max(1, int(std::lround(double(height) * height / cell))));
    }
    return f;
}

TQtFontMetrics::TQtFontMetrics(const QFont &font, const QPaintDevice *device)
    : font_(font), metrics_(device ? QFontMetrics(font, device) : QFontMetrics(font)) {}

int TQtFontMetrics::Advance(const QString &text) {
    if (const auto found = advances_.constFind(text); found != advances_.constEnd())
        return *found;
    // Bounded: a program measuring ever new texts must not grow without end.
    if (advances_.size() >= kMaxKeptTexts)
        advances_.clear();
    const int advance = metrics_.horizontalAdvance(text);
    advances_.insert(text, advance);
    return advance;
}

const QStaticText &TQtFontMetrics::Layout(const QString &text) {
    if (const auto found = layouts_.constFind(text); found != layouts_.constEnd())
        return *found;
    if (layouts_.size() >= kMaxKeptTexts)
        layouts_.clear();
    QStaticText layout(text);
    layout.setTextFormat(Qt::PlainText);
    layout.prepare(QTransform(), font_);
    return *layouts_.insert(text, layout);
}

const TTextStamp &TQtFontMetrics::Stamp(const QString &text, QImage::Format format,
                                        int renderHints) {
    if (const auto found = stamps_.constFind(text);
        found != stamps_.constEnd() && found->format == format && found->renderHints == renderHints)
        return found->stamp;
    if (stamps_.size() >= kMaxKeptTexts)
        stamps_.clear();
    TKeptStamp kept{format, renderHints, StampOf(Layout(text), font_, format, renderHints)};
    return stamps_.insert(text, std::move(kept))->stamp;
}

TQtFontMetrics &FontMetricsFor(const TFont &font, const QPaintDevice *device) {
    const TFontKey key{font.Name(), font.Height(), font.Style(),
                       device ? device->logicalDpiX() : 0, device ? device->logicalDpiY() : 0};
    TKeptFonts &kept = KeptFonts();
    for (auto &[k, metrics] : kept)
        if (k == key)
            return *metrics;
    if (kept.size() >= kMaxKeptFonts)
        kept.clear();
    kept.emplace_back(key, std::make_unique<TQtFontMetrics>(ToQFont(font, device), device));
    return *kept.back().second;
}

QSize TextExtentOf(const TFont &font, const QString &text, const QPaintDevice *device) {
    TQtFontMetrics &metrics = FontMetricsFor(font, device);
    return QSize(metrics.Advance(text), metrics.Metrics().height());
}

} // namespace pexor
