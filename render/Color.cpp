#include "render/Color.h"

#include <QGuiApplication>
#include <QPalette>

namespace pexor {

namespace {

// The palette colour standing in for each system colour index.
QColor SystemQColor(unsigned index) {
    const QPalette palette = QGuiApplication::palette();
    auto role = [&](QPalette::ColorRole r) { return palette.color(QPalette::Active, r); };
    switch (index) {
    case 0: // scroll bar
        return role(QPalette::Midlight);
    case 1: // desktop
        return role(QPalette::Dark);
    case 2:  // active caption
    case 13: // highlight
    case 29: // menu highlight
        return role(QPalette::Highlight);
    case 3:  // inactive caption
    case 12: // application work space
        return role(QPalette::Mid);
    case 4:  // menu
    case 30: // menu bar
        return role(QPalette::Window);
    case 5: // window
        return role(QPalette::Base);
    case 6:  // window frame
    case 21: // 3D dark shadow
        return role(QPalette::Shadow);
    case 7: // menu text
        return role(QPalette::WindowText);
    case 8: // window text
        return role(QPalette::Text);
    case 9:  // caption text
    case 14: // highlighted text
        return role(QPalette::HighlightedText);
    case 10: // active border
    case 11: // inactive border
    case 15: // button face
        return role(QPalette::Button);
    case 16: // button shadow
        return role(QPalette::Dark);
    case 17: // grey text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18: // button text
        return role(QPalette::ButtonText);
    case 19: // inactive caption text
        return role(QPalette::Light);
    case 20: // button highlight
        return role(QPalette::Light);
    case 22: // 3D light
        return role(QPalette::Midlight);
    case 23: // tooltip text
        return role(QPalette::ToolTipText);
    case 24: // tooltip background
        return role(QPalette::ToolTipBase);
    case 26: // hot-tracked item
        return role(QPalette::Link);
    case 27: // gradient end of the active caption
        return role(QPalette::Highlight).lighter(150);
    case 28: // gradient end of the inactive caption
        return role(QPalette::Midlight);
    default:
        // Unknown indices read as black, as the old platform answered.
        return QColor(0, 0, 0);
    }
}

} // namespace

TColor ColorToRGB(TColor color) {
    if (IsSystemColor(color))
        return FromQColor(SystemQColor(color & 0xFFu));
    return color & 0x00FFFFFFu;
}

QColor ToQColor(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TColor FromQColor(const QColor &color) {
    const QColor c = color.toRgb();
    return RGB(c.red(), c.green(), c.blue());
}

} // namespace pexor
