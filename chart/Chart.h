#pragma once

#include "chart/panel/AxisPanel.h"
#include "chart/style/ChartGradient.h"
#include "chart/interaction/ChartMouse.h"
#include "chart/output/ChartPrint.h"
#include "chart/panel/ChartTitle.h"
#include "chart/panel/ChartWall.h"
#include "chart/interaction/ChartZoom.h"
#include "chart/panel/Legend.h"
#include "chart/interaction/ZoomPanningRecord.h"

#include <QImage>
#include <memory>
#include <vector>

namespace pexor {

enum class TBackImageMode { pbmStretch, pbmTile, pbmCenter };
enum class TPanningMode { pmNone, pmHorizontal, pmVertical, pmBoth };

// The chart: the axis panel with its titles, legend, walls, background and
// back image, and the drawing of all of it in a fixed order.
class TCustomChart : public TCustomAxisPanel,
                     public TLegendEvents,
                     public TChartZoom,
                     public TChartMouse,
                     public TChartPrint {
public:
    TCustomChart();
    ~TCustomChart() override;

    TChartTitle &Title() { return *title_; }
    const TChartTitle &Title() const { return *title_; }
    void SetTitle(const TChartTitle &value) { title_->Assign(value); }
    TChartTitle &Foot() { return *foot_; }
    const TChartTitle &Foot() const { return *foot_; }
    void SetFoot(const TChartTitle &value) { foot_->Assign(value); }
    TChartLegend &Legend() { return *legend_; }
    const TChartLegend &Legend() const { return *legend_; }
    void SetLegend(const TChartLegend &value);
    TChartGradient &Gradient() { return *gradient_; }
    const TChartGradient &Gradient() const { return *gradient_; }
    void SetGradient(const TChartGradient &value) { gradient_->Assign(value); }
    TChartWall &BackWall() { return *backWall_; }
    const TChartWall &BackWall() const { return *backWall_; }
    void SetBackWall(const TChartWall &value) { backWall_->Assign(value); }
    TChartWall &LeftWall() { return *leftWall_; }
    const TChartWall &LeftWall() const { return *leftWall_; }
    void SetLeftWall(const TChartWall &value) { leftWall_->Assign(value); }
    TChartWall &BottomWall() { return *bottomWall_; }
    const TChartWall &BottomWall() const { return *bottomWall_; }
    void SetBottomWall(const TChartWall &value) { bottomWall_->Assign(value); }

    const QImage &BackImage() const { return backImage_; }
    void SetBackImage(const QImage &value);
    TBackImageMode BackImageMode() const { return backImageMode_; }
    void SetBackImageMode(TBackImageMode value) { Set(backImageMode_, value); }
    // False: the image covers the whole drawing rectangle; True: only the
    // plot rectangle.
    bool BackImageInside() const { return backImageInside_; }
    void SetBackImageInside(bool value) { Set(backImageInside_, value); }

    // The back wall's colour; setting it also makes the back wall's brush
    // solid.
    TColor BackColor() const override { return backWall_->Color(); }
    void SetBackColor(TColor value);
    // The back wall's pen.
    TChartPen &Frame() { return backWall_->Pen(); }
    void SetFrame(const TChartPen &value) { backWall_->SetPen(value); }

    bool AllowZoom() const { return allowZoom_; }
    void SetAllowZoom(bool value) { Set(allowZoom_, value); }
    TPanningMode AllowPanning() const { return allowPanning_; }
    void SetAllowPanning(TPanningMode value) { Set(allowPanning_, value); }
    bool AnimatedZoom() const { return animatedZoom_; }
    void SetAnimatedZoom(bool value) { Set(animatedZoom_, value); }
    int AnimatedZoomSteps() const { return animatedZoomSteps_; }
    void SetAnimatedZoomSteps(int value) { Set(animatedZoomSteps_, value); }
    TZoomPanningRecord &ZoomDrag() { return zoomDrag_; }
    TZoomPanningRecord &PanDrag() { return panDrag_; }

    // The legend's text for a point; marks of style smsLegend show it.
    QString GetLegendValueText(const TChartSeries &series, int valueIndex) const override;

    // Window paint: the cached picture when it is current, else a new
    // drawing of the client rectangle. Nothing while printing.
    void PaintWindow(pexor::Canvas &window);
    // Draws the whole chart into canvas within rect: off screen first and
    // then copied, unless the chart canvas draws straight to the target.
    void Draw(pexor::Canvas &canvas, const TRect &rect);

    // The steps of a drawing, in the order DrawChart runs them.
    void DrawChart();
    void DrawPanel(const TRect &rect);
    void FillBackground(const TRect &rect);
    void DrawBackImage(const TRect &rect);
    void DrawTitlesAndLegend();
    void DrawWalls();
    // Each active series, a group sharing one Z order drawn together.
    void DrawAllSeries();
    void DrawSeries(TChartSeries &series);
    void DrawSeriesGroup(const std::vector<TChartSeries *> &group);
    // The dragged zoom rectangle in not-xor, so that drawing it twice
    // removes it.
    void DrawZoomRectangle();

protected:
    int LeftWallSize() const override { return leftWall_->Size(); }
    int BottomWallSize() const override { return bottomWall_->Size(); }
    int BackWallSize() const override { return backWall_->Size(); }

private:
    void NotifyDrawingBegins();
    void DrawTitles();
    void DrawBevel(TRect &rect, TBevelCut cut);
    void DrawSeriesMarks(TChartSeries &series);

    std::unique_ptr<TChartTitle> title_;
    std::unique_ptr<TChartTitle> foot_;
    std::unique_ptr<TChartGradient> gradient_;
    std::unique_ptr<TChartWall> backWall_;
    std::unique_ptr<TChartWall> leftWall_;
    std::unique_ptr<TChartLegend> legend_;
    std::unique_ptr<TChartWall> bottomWall_;
    QImage backImage_;
    TBackImageMode backImageMode_ = TBackImageMode::pbmStretch;
    bool backImageInside_ = false;
    int animatedZoomSteps_ = 8;
    bool allowZoom_ = true;
    TPanningMode allowPanning_ = TPanningMode::pmBoth;
    bool animatedZoom_ = false;
    TZoomPanningRecord zoomDrag_;
    TZoomPanningRecord panDrag_;
    pexor::Canvas *windowCanvas_ = nullptr;
};

} // namespace pexor
