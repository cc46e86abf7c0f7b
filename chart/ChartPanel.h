#pragma once

#include "platform/StoreIfChanged.h"
#include "chart/Canvas3D.h"
#include "chart/panel/View3DOptions.h"
#include "render/Color.h"
#include "render/Rect.h"

#include <memory>

namespace pexor {

enum class TBevelCut { bvNone, bvLowered, bvRaised };
enum class TBorderStyle { bsNone, bsSingle };

// The chart's panel level: its size and colours, the 3D view, the margins, the
// canvas it draws through, and the geometry of the current drawing (DrawRect,
// PlotRect and the depth of the 3D box). The painted window is built on top.
class TCustomChartPanel {
public:
    TCustomChartPanel();
    virtual ~TCustomChartPanel();
    TCustomChartPanel(const TCustomChartPanel &) = delete;
    TCustomChartPanel &operator=(const TCustomChartPanel &) = delete;

    // The control's size. A resize drops the off-screen bitmap (so the next
    // drawing makes one of the new size) or marks the picture stale.
    int Width() const { return width_; }
    int Height() const { return height_; }
    virtual void SetBounds(int width, int height);

    TColor Color() const { return color_; }
    void SetColor(TColor value) { Set(color_, value); }
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut value) { Set(bevelOuter_, value); }
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut value) { Set(bevelInner_, value); }
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value) { Set(bevelWidth_, value); }
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value) { Set(borderWidth_, value); }
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value) { Set(borderStyle_, value); }

    bool View3D() const { return view3D_; }
    void SetView3D(bool value) { Set(view3D_, value); }
    TView3DOptions &View3DOptions() { return *view3DOptions_; }
    const TView3DOptions &View3DOptions() const { return *view3DOptions_; }
    void SetView3DOptions(const TView3DOptions &value) { view3DOptions_->Assign(value); }

    // Margins in per cent of the drawing rectangle: index 0 left, 1 top,
    // 2 right, 3 bottom.
    int Margin(int index) const;
    void SetMargin(int index, int value);
    int MarginLeft() const { return margins_[0]; }
    void SetMarginLeft(int value) { SetMargin(0, value); }
    int MarginTop() const { return margins_[1]; }
    void SetMarginTop(int value) { SetMargin(1, value); }
    int MarginRight() const { return margins_[2]; }
    void SetMarginRight(int value) { SetMargin(2, value); }
    int MarginBottom() const { return margins_[3]; }
    void SetMarginBottom(int value) { SetMargin(3, value); }

    bool Monochrome() const { return canvas_->Monochrome(); }
    void SetMonochrome(bool value) { canvas_->SetMonochrome(value); }

    TChartCanvas3D &Canvas() { return *canvas_; }
    const TChartCanvas3D &Canvas() const { return *canvas_; }

    bool RepaintEnabled() const { return repaintEnabled_; }
    // Set during a print into a rectangle.
    bool Printing() const { return printing_; }
    void SetPrinting(bool value) { printing_ = value; }
    // Set while settings are read in bulk; range checks between Minimum and
    // Maximum of the axes are then skipped.
    bool Loading() const { return loading_; }
    void SetLoading(bool value) { loading_ = value; }

    // Geometry of the current drawing.
    const TRect &DrawRect() const { return drawRect_; }
    void SetDrawRect(const TRect &value) { drawRect_ = value; }
    const TRect &PlotRect() const { return plotRect_; }
    // Stores the rectangle and recalculates the plot size.
    void SetPlotRect(const TRect &value);
    int PlotWidth() const { return plotWidth_; }
    int PlotHeight() const { return plotHeight_; }
    int PlotXCenter() const { return plotXCenter_; }
    int PlotYCenter() const { return plotYCenter_; }
    int Depth3D() const { return depth3D_; }
    void SetDepth3D(int value) { depth3D_ = value; }

    // The first PlotRect of a drawing: DrawRect less the border width and the
    // four margins, then the plot size recalculated.
    void CalcPlotRectFromMargins();
    // Keeps PlotRect inside DrawRect's left and top and at least one pixel
    // wide and high, then recomputes PlotWidth, PlotHeight and the centres.
    void RecalcPlotSize();

    // The client rectangle a drawing fills.
    virtual TRect GetChartRectangle() const { return TRect(0, 0, width_, height_); }

    // Repaint request: marks the cached picture stale and asks for a paint,
    // except during construction.
    virtual void Invalidate() {
        if (!repaintEnabled_)
            return;
        canvas_->MarkStale();
        RequestPaint();
    }
    // An owned font, pen, brush or picture changed.
    void CanvasChanged() { Invalidate(); }

    // Puts font on the canvas keeping its pixel height (the canvas' resolution
    // is copied first, so no point-size conversion takes place).
    void SetCanvasFont(const TFont &font);
    // While printing, a dotted or dashed pen of width 1 becomes one device
    // pixel wide.
    void CheckPrintPen(TPen &pen) const;

protected:
    // Asks the window to paint; the widget built on this panel answers it.
    virtual void RequestPaint() {}

    template <typename T> void Set(T &field, const T &value) {
        if (StoreIfChanged(field, value))
            Invalidate();
    }

private:
    int width_ = 400;
    int height_ = 250;
    TColor color_ = clBtnFace;
    TBevelCut bevelOuter_ = TBevelCut::bvRaised;
    TBevelCut bevelInner_ = TBevelCut::bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = TBorderStyle::bsNone;
    bool view3D_ = true;
    std::unique_ptr<TView3DOptions> view3DOptions_;
    int margins_[4] = {3, 4, 3, 4};
    std::unique_ptr<TChartCanvas3D> canvas_;
    bool repaintEnabled_ = false;
    bool printing_ = false;
    bool loading_ = false;
    TRect drawRect_;
    TRect plotRect_;
    int plotWidth_ = 0;
    int plotHeight_ = 0;
    int plotXCenter_ = 0;
    int plotYCenter_ = 0;
    int depth3D_ = 0;
};

} // namespace pexor
