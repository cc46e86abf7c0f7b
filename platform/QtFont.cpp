#include "platform/QtFont.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace pexor {

namespace {
// A height of 0 asks for the default size, 8 points at screen resolution.
constexpr int kDefaultPixelHeight = 11;
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

QSize TextExtentOf(const TFont &font, const QString &text, const QPaintDevice *device) {
    const QFont f = ToQFont(font, device);
    const QFontMetrics fm = device ? QFontMetrics(f, device) : QFontMetrics(f);
    return QSize(fm.horizontalAdvance(text), fm.height());
}

} // namespace pexor
