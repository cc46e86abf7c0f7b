#pragma once

#include "chart/panel/AxisPanel.h"
#include "chart/style/ChartGradient.h"
#include "chart/interaction/ChartMouse.h"
#include "chart/output/ChartPrint.h"
#include "chart/panel/ChartTitle.h"
#include "chart/panel/ChartWall.h"
#include "chart/interaction/ChartWindow.h"
#include "chart/interaction/ChartZoom.h"
#include "chart/panel/Legend.h"

#include <QImage>
#include <memory>
#include <vector>

namespace pexor {

enum class TBackImageMode { pbmStretch, pbmTile, pbmCenter };

// The chart: the axis panel with its titles, legend, walls, background and
// back image, and the drawing of all of it in a fixed order. Zoom, mouse and
// print are parts it owns; each holds the pieces of the chart it works on.
class TCustomChart : public TCustomAxisPanel, public IChartDrawing, protected IChartWindow {
public:
    TCustomChart();
    ~TCustomChart() override;

    TChartZoom &Zoom() { return zoom_; }
    const TChartZoom &Zoom() const { return zoom_; }
    TChartMouse &Mouse() { return mouse_; }
    const TChartMouse &Mouse() const { return mouse_; }
    TChartPrint &Print() { return print_; }

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

    // The legend's text for a point; marks of style smsLegend show it.
    QString GetLegendValueText(const TChartSeries &series, int valueIndex) const override;

    // Window paint: the cached picture when it is current, else a new
    // drawing of the client rectangle. Nothing while printing.
    void PaintWindow(pexor::Canvas &window);
    // Draws the whole chart into canvas within rect: off screen first and
    // then copied, unless the chart canvas draws straight to the target.
    void Draw(pexor::Canvas &canvas, const TRect &rect) override;

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

    // The window side of the parts: a chart without a window has nothing
    // to do; the window control answers them.
    void UpdateWindow() override {}
    void SetChartCursor(int) override {}
    void RestoreCursor() override {}
    void WindowFramesChanged() override {}

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
    pexor::Canvas *windowCanvas_ = nullptr;
    // After the titles and the legend, which the mouse hit-tests.
    TChartZoom zoom_;
    TChartMouse mouse_;
    TChartPrint print_;
};

} // namespace pexor
