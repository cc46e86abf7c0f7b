#include "render/QtFont.h"

#include "render/RenderCache.h"

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
constexpr qsizetype kMaxKeptTexts = qsizetype(TRenderCache::kMaxTextsPerFont);
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

QStaticText TQtFontMetrics::Layout(const QString &text) {
    if (const auto found = layouts_.constFind(text); found != layouts_.constEnd())
        return *found;
    if (layouts_.size() >= kMaxKeptTexts)
        layouts_.clear();
    QStaticText layout(text);
    layout.setTextFormat(Qt::PlainText);
    layout.prepare(QTransform(), font_);
    return *layouts_.insert(text, layout);
}

std::shared_ptr<const TTextStamp> TQtFontMetrics::Stamp(const QString &text, QImage::Format format,
                                                        int renderHints) {
    if (const auto found = stamps_.constFind(text);
        found != stamps_.constEnd() && found->format == format && found->renderHints == renderHints)
        return found->stamp;
    if (stamps_.size() >= kMaxKeptTexts)
        stamps_.clear();
    TKeptStamp kept{
        format, renderHints,
        std::make_shared<const TTextStamp>(StampOf(Layout(text), font_, format, renderHints))};
    return stamps_.insert(text, std::move(kept))->stamp;
}

QSize TextExtentOf(const TFont &font, const QString &text, const QPaintDevice *device) {
    const TFontHandle metrics = ThreadRenderCache().Font(font, device);
    return QSize(metrics->Advance(text), metrics->Metrics().height());
}

} // namespace pexor
