#include "chart/style/ChartPen.h"

namespace pexor {

TChartPen &TChartPen::operator=(const TChartPen &other) {
    TPen::operator=(other);
    visible_ = other.visible_;
    return *this;
}

void TChartPen::Changed() {
    if (OnChange)
        OnChange(*this);
}

void TChartPen::SetVisible(bool value) {
    if (visible_ == value)
        return;
    visible_ = value;
    Changed();
}

void TChartPen::SetColor(TColor value) {
    if (Color() == value)
        return;
    TPen::SetColor(value);
    Changed();
}

void TChartPen::SetWidth(int value) {
    if (Width() == value)
        return;
    TPen::SetWidth(value);
    Changed();
}

void TChartPen::SetStyle(TPenStyle value) {
    if (Style() == value)
        return;
    TPen::SetStyle(value);
    Changed();
}

void TChartPen::Assign(const TChartPen &source) {
    if (*this == source)
        return;
    *this = source;
    Changed();
}

TChartHiddenPen::TChartHiddenPen() {
    TChartPen::SetVisible(false);
}

TDottedGrayPen::TDottedGrayPen() {
    TChartPen::SetColor(clGray);
    TChartPen::SetStyle(TPenStyle::psDot);
}

TDarkGrayPen::TDarkGrayPen() {
    TChartPen::SetColor(clGray);
}

TChartAxisPen::TChartAxisPen() {
    TChartPen::SetWidth(2);
}

TChartArrowPen::TChartArrowPen() {
    TChartPen::SetColor(clWhite);
}

} // namespace pexor
