#include "chart/ChartPanel.h"

#include "platform/Rounding.h"

namespace pexor {

TCustomChartPanel::TCustomChartPanel()
    : view3DOptions_(std::make_unique<TView3DOptions>()),
      canvas_(std::make_unique<TChartCanvas3D>()) {
    view3DOptions_->OnChange = [this](TView3DOptions &) { Invalidate(); };
    canvas_->OnChange = [this](TChartCanvas3D &) { Invalidate(); };
    // Repaint requests made while the panel is being built are dropped.
    repaintEnabled_ = true;
}

TCustomChartPanel::~TCustomChartPanel() = default;

void TCustomChartPanel::SetBounds(int width, int height) {
    if (width == width_ && height == height_)
        return;
    if (canvas_->Buffered())
        canvas_->FreeBitmap();
    canvas_->MarkStale();
    width_ = width;
    height_ = height;
    RequestPaint();
}

int TCustomChartPanel::Margin(int index) const {
    return index >= 0 && index < 4 ? margins_[index] : 0;
}

void TCustomChartPanel::SetMargin(int index, int value) {
    if (index < 0 || index >= 4)
        return;
    Set(margins_[index], value);
}

void TCustomChartPanel::SetPlotRect(const TRect &value) {
    plotRect_ = value;
    RecalcPlotSize();
}

void TCustomChartPanel::CalcPlotRectFromMargins() {
    const int w = drawRect_.Width();
    const int h = drawRect_.Height();
    const int b = borderWidth_;
    plotRect_ = TRect(drawRect_.Left + b + MulDiv(margins_[0], w, 100),
                      drawRect_.Top + b + MulDiv(margins_[1], h, 100),
                      drawRect_.Right - b - MulDiv(margins_[2], w, 100),
                      drawRect_.Bottom - b - MulDiv(margins_[3], h, 100));
    RecalcPlotSize();
}

void TCustomChartPanel::RecalcPlotSize() {
    TRect &r = plotRect_;
    if (r.Left < drawRect_.Left)
        r.Left = drawRect_.Left;
    if (r.Top < drawRect_.Top)
        r.Top = drawRect_.Top;
    if (r.Right < r.Left)
        r.Right = r.Left + 1;
    else if (r.Right == r.Left)
        r.Right = r.Left + width_;
    if (r.Bottom < r.Top)
        r.Bottom = r.Top + 1;
    else if (r.Bottom == r.Top)
        r.Bottom = r.Top + height_;
    plotWidth_ = r.Right - r.Left;
    plotHeight_ = r.Bottom - r.Top;
    plotXCenter_ = (r.Left + r.Right) / 2;
    plotYCenter_ = (r.Top + r.Bottom) / 2;
}

void TCustomChartPanel::SetCanvasFont(const TFont &font) {
    TFont copy = font;
    copy.SetPixelsPerInch(canvas_->Font().PixelsPerInch());
    canvas_->Font().Assign(copy);
}

void TCustomChartPanel::CheckPrintPen(TPen &pen) const {
    if (printing_ && pen.Style() != TPenStyle::psSolid && pen.Width() == 1)
        pen.SetWidth(0);
}

} // namespace pexor
