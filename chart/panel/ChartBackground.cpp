#include "chart/Chart.h"

namespace pexor {

void TCustomChart::DrawPanel(const TRect &rect) {
    FillBackground(rect);
    if (!backImage_.isNull() && !backImageInside_)
        DrawBackImage(rect);
    // A printed chart keeps the page's own background and has no bevels.
    if (Printing())
        return;
    pexor::Canvas &canvas = Canvas().ReferenceCanvas();
    canvas.SetPen(TPen(canvas.Pen().Color(), 1, TPenStyle::psSolid));
    canvas.SetRasterOp(TRasterOp::Copy);
    canvas.Brush().SetStyle(TBrushStyle::bsClear);
    TRect frame = rect;
    if (BevelOuter() != TBevelCut::bvNone)
        DrawBevel(frame, BevelOuter());
    if (BorderWidth() > 0) {
        Canvas().BevelFrame(frame, Color(), BorderWidth(), Color());
        frame = TRect(frame.Left + BorderWidth(), frame.Top + BorderWidth(),
                      frame.Right - BorderWidth(), frame.Bottom - BorderWidth());
    }
    if (BevelInner() != TBevelCut::bvNone)
        DrawBevel(frame, BevelInner());
}

void TCustomChart::DrawBevel(TRect &rect, TBevelCut cut) {
    const TColor topLeft = cut == TBevelCut::bvLowered ? clBtnShadow : clBtnHighlight;
    const TColor bottomRight = cut == TBevelCut::bvRaised ? clBtnShadow : clBtnHighlight;
    const int width = BevelWidth();
    Canvas().BevelFrame(rect, topLeft, width, bottomRight);
    rect = TRect(rect.Left + width, rect.Top + width, rect.Right - width, rect.Bottom - width);
}

void TCustomChart::FillBackground(const TRect &rect) {
    if (gradient_->Visible()) {
        gradient_->Draw(Canvas(), rect);
        return;
    }
    if (Printing())
        return;
    pexor::Canvas &canvas = Canvas().ReferenceCanvas();
    canvas.SetBrush(TBrush(Color(), TBrushStyle::bsSolid));
    canvas.FillRect(rect);
}

void TCustomChart::DrawBackImage(const TRect &rect) {
    if (backImage_.isNull())
        return;
    TChartCanvas3D &canvas = Canvas();
    if (backImageMode_ == TBackImageMode::pbmStretch) {
        canvas.StretchDraw(rect, backImage_);
        return;
    }
    ClipScope clip(canvas.ReferenceCanvas());
    canvas.ClipRect(rect);
    const int w = backImage_.width();
    const int h = backImage_.height();
    if (backImageMode_ == TBackImageMode::pbmTile) {
        if (w > 0 && h > 0)
            for (int y = 0; y < rect.Height(); y += h)
                for (int x = 0; x < rect.Width(); x += w)
                    canvas.DrawGraphic(rect.Left + x, rect.Top + y, backImage_);
    } else {
        FillBackground(rect);
        canvas.DrawGraphic(rect.Left + (rect.Width() - w) / 2, rect.Top + (rect.Height() - h) / 2,
                           backImage_);
    }
}

} // namespace pexor
