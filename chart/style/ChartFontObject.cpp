#include "chart/style/ChartFontObject.h"

#include "chart/panel/AxisPanel.h"
#include "chart/Canvas3D.h"

namespace pexor {

TChartFontObject::TChartFontObject(TCustomAxisPanel *chart)
    : chart_(chart), font_(DefaultChartFont()), defaultFont_(font_) {}

TChartFontObject::~TChartFontObject() = default;

void TChartFontObject::SetFont(const TFont &value) {
    if (font_ == value)
        return;
    font_ = value;
    Repaint();
}

bool TChartFontObject::IsFontStored() const {
    return font_.Name() != defaultFont_.Name() || font_.Size() != defaultFont_.Size() ||
           font_.Color() != defaultFont_.Color() || font_.Style() != defaultFont_.Style();
}

void TChartFontObject::Repaint() const {
    if (chart_)
        chart_->Invalidate();
}

void TChartFontObject::SetDefaultFont(const TFont &font) {
    defaultFont_ = font;
    SetFont(font);
}

} // namespace pexor
