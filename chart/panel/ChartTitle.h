#pragma once

#include "chart/style/ChartBrush.h"
#include "chart/style/ChartFontObject.h"
#include "chart/style/ChartPen.h"
#include "render/Alignment.h"
#include "render/Rect.h"

#include <QStringList>

namespace pexor {

class TChartCanvas3D;

// A block of text lines above (the title) or below (the foot) the plot area,
// optionally framed and filled. Drawing it takes its room from PlotRect.
class TChartTitle : public TChartFontObject {
public:
    explicit TChartTitle(TCustomAxisPanel *chart);

    const QStringList &Text() const { return text_; }
    // Copies the lines and always repaints.
    void SetText(const QStringList &value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AdjustFrame() const { return adjustFrame_; }
    void SetAdjustFrame(bool value);
    TChartHiddenPen &Frame() { return frame_; }
    const TChartHiddenPen &Frame() const { return frame_; }
    void SetFrame(const TChartPen &value) { frame_.Assign(value); }
    TChartBrush &Brush() { return brush_; }
    const TChartBrush &Brush() const { return brush_; }
    void SetBrush(const TBrush &value) { brush_.Assign(value); }

    // Where the title was at its last drawing.
    const TRect &TitleRect() const { return titleRect_; }
    // Whether (x, y) lies in TitleRect of a visible title.
    bool Clicked(int x, int y) const { return visible_ && titleRect_.Contains(x, y); }

    // Copies the settings of another title.
    void Assign(const TChartTitle &source);

    // Draws the title at the top (onTop) or the bottom of the chart's plot
    // area and shrinks PlotRect by the room it took.
    void Draw(bool onTop);

private:
    QStringList text_;
    bool visible_ = true;
    TAlignment alignment_ = TAlignment::taCenter;
    TChartHiddenPen frame_;
    bool adjustFrame_ = true;
    TChartBrush brush_;
    TRect titleRect_;
};

} // namespace pexor
