#include "chart/panel/AxisPanel.h"

#include "chart/ChartException.h"
#include "chart/series/ChartSeries.h"
#include "platform/Rounding.h"

#include <algorithm>

namespace pexor {

TCustomAxisPanel::TCustomAxisPanel()
    : bottomAxis_(std::make_unique<TChartAxis>(*this, true, false)),
      topAxis_(std::make_unique<TChartAxis>(*this, true, true)),
      leftAxis_(std::make_unique<TChartAxis>(*this, false, false)),
      rightAxis_(std::make_unique<TChartAxis>(*this, false, true)),
      depthAxis_(std::make_unique<TChartDepthAxis>(*this)) {}

TCustomAxisPanel::~TCustomAxisPanel() {
    const std::vector<TChartSeries *> owned = seriesList_;
    for (TChartSeries *series : owned) {
        series->SetParentChart(nullptr);
        delete series;
    }
}

void TCustomAxisPanel::AdoptSeries(std::unique_ptr<TChartSeries> series) {
    // The list is the owner: the destructor deletes what it holds.
    series.release()->SetParentChart(this);
}

std::unique_ptr<TChartSeries> TCustomAxisPanel::RemoveSeries(TChartSeries &series) {
    if (series.ParentChart() != this)
        return nullptr;
    series.SetParentChart(nullptr);
    return std::unique_ptr<TChartSeries>(&series);
}

void TCustomAxisPanel::SeriesJoined(TChartSeries &series) {
    if (std::find(seriesList_.begin(), seriesList_.end(), &series) == seriesList_.end())
        seriesList_.push_back(&series);
}

void TCustomAxisPanel::SeriesLeft(TChartSeries &series) {
    const auto it = std::find(seriesList_.begin(), seriesList_.end(), &series);
    if (it == seriesList_.end())
        return;
    seriesList_.erase(it);
    Invalidate();
}

int TCustomAxisPanel::CountActiveSeries() const {
    return int(std::count_if(seriesList_.begin(), seriesList_.end(),
                             [](const TChartSeries *s) { return s->Active(); }));
}

void TCustomAxisPanel::SetChart3DPercent(int value) {
    if (value < 1 || value > 100)
        throw ChartException(
            QStringLiteral("Le pourcentage effet 3D doit être compris entre %1 et %2").arg(1).arg(100));
    Set(chart3DPercent_, value);
}

void TCustomAxisPanel::SetMaxPointsPerPage(int value) {
    if (value < 0)
        throw ChartException(QStringLiteral("MaxPointsPerPage doit être >= 0"));
    if (maxPointsPerPage_ == value)
        return;
    maxPointsPerPage_ = value;
    Invalidate();
    if (page_ > NumPages())
        SetPage(NumPages());
}

void TCustomAxisPanel::SetPage(int value) {
    value = std::clamp(value, 1, NumPages());
    if (page_ == value)
        return;
    page_ = value;
    Invalidate();
    if (OnPageChange)
        OnPageChange(*this);
}

int TCustomAxisPanel::PageCount(const TCustomChartAxis &axis) const {
    for (const TChartSeries *series : seriesList_)
        if (series->Active() && series->AssociatedToAxis(axis))
            return std::max(1, (series->Count() + maxPointsPerPage_ - 1) / maxPointsPerPage_);
    return 1;
}

int TCustomAxisPanel::NumPages() const {
    if (maxPointsPerPage_ == 0 || seriesList_.empty())
        return 1;
    const TChartSeries &first = *seriesList_.front();
    if (&first.MainValues() == &first.YValues())
        return std::max(PageCount(*topAxis_), PageCount(*bottomAxis_));
    return std::max(PageCount(*leftAxis_), PageCount(*rightAxis_));
}

bool TCustomAxisPanel::IsAxisVisible(const TCustomChartAxis &axis) const {
    if (!axisVisible_ || !axis.Visible())
        return false;
    if (axis.IsDepthAxis())
        return true;
    bool anyOnAxes = false;
    for (const TChartSeries *series : seriesList_) {
        if (!series->Active() || !series->UseAxis())
            continue;
        anyOnAxes = true;
        if (series->AssociatedToAxis(axis))
            return true;
    }
    return !anyOnAxes;
}

int TCustomAxisPanel::AxisWallSize(const TCustomChartAxis &axis) const {
    if (!View3D() || !view3DWalls_)
        return 0;
    if (&axis == leftAxis_.get())
        return LeftWallSize();
    if (&axis == bottomAxis_.get())
        return BottomWallSize();
    return 0;
}

void TCustomAxisPanel::CalcSeriesZOrder() {
    maxZOrder_ = 0;
    if (!View3D()) {
        for (TChartSeries *series : seriesList_)
            if (series->Active())
                series->SetZOrder(0);
        return;
    }
    maxZOrder_ = -1;
    for (TChartSeries *series : seriesList_)
        if (series->Active())
            series->SetZOrder(++maxZOrder_);
    // The first series goes to the back.
    for (TChartSeries *series : seriesList_)
        if (series->Active())
            series->SetZOrder(maxZOrder_ - series->ZOrder());
}

void TCustomAxisPanel::CalcAxisRoom() {
    for (TCustomChartAxis *axis : {static_cast<TCustomChartAxis *>(leftAxis_.get()),
                                   static_cast<TCustomChartAxis *>(rightAxis_.get()),
                                   static_cast<TCustomChartAxis *>(topAxis_.get()),
                                   static_cast<TCustomChartAxis *>(bottomAxis_.get()),
                                   static_cast<TCustomChartAxis *>(depthAxis_.get())})
        axis->UpdateRange();

    if (View3D()) {
        double f = chart3DPercent_ * 0.001;
        if (!View3DOptions().Orthogonal())
            f *= 2;
        seriesDepth3D_ = Round(PlotWidth() * f);
        SetDepth3D(seriesDepth3D_ * std::max(1, maxZOrder_ + 1));
    } else {
        seriesDepth3D_ = 0;
        SetDepth3D(0);
    }

    if (View3D() && View3DOptions().Orthogonal()) {
        const int w = view3DWalls_ ? BackWallSize() : 0;
        TRect r = PlotRect();
        r.Right -= w + Depth3D();
        r.Top += w + Depth3D();
        SetPlotRect(r);
    }

    TRect work = PlotRect();
    for (TCustomChartAxis *axis : {static_cast<TCustomChartAxis *>(leftAxis_.get()),
                                   static_cast<TCustomChartAxis *>(rightAxis_.get()),
                                   static_cast<TCustomChartAxis *>(topAxis_.get()),
                                   static_cast<TCustomChartAxis *>(bottomAxis_.get()),
                                   static_cast<TCustomChartAxis *>(depthAxis_.get())}) {
        if (!IsAxisVisible(*axis))
            continue;
        TRect room = work;
        axis->TakeRoom(room);
        const TRect common(std::max(room.Left, work.Left), std::max(room.Top, work.Top),
                           std::min(room.Right, work.Right), std::min(room.Bottom, work.Bottom));
        if (!common.IsEmpty())
            work = common;
    }
    SetPlotRect(work);
}

void TCustomAxisPanel::CalcSeriesDepths() {
    for (TChartSeries *series : seriesList_) {
        if (!series->Active())
            continue;
        const int start = seriesDepth3D_ * series->ZOrder();
        const int end = start + seriesDepth3D_;
        series->SetStartZ(start);
        series->SetEndZ(end);
        series->SetMiddleZ((start + end) / 2);
        series->Marks().SetZPosition(series->MiddleZ());
    }
}

void TCustomAxisPanel::CalcSeriesMargins() {
    for (TCustomChartAxis *axis : {static_cast<TCustomChartAxis *>(topAxis_.get()),
                                   static_cast<TCustomChartAxis *>(leftAxis_.get()),
                                   static_cast<TCustomChartAxis *>(rightAxis_.get()),
                                   static_cast<TCustomChartAxis *>(bottomAxis_.get())}) {
        int low = 0;
        int high = 0;
        for (const TChartSeries *series : seriesList_) {
            if (!series->Active() || !series->AssociatedToAxis(*axis))
                continue;
            const auto *margins = dynamic_cast<const ISeriesMargins *>(series);
            if (!margins)
                continue;
            int a = 0;
            int b = 0;
            if (axis->Horizontal()) {
                margins->CalcHorizMargins(a, b); // left, right
                low = std::max(low, a);
                high = std::max(high, b);
            } else {
                margins->CalcVerticalMargins(a, b); // top, bottom
                high = std::max(high, a);
                low = std::max(low, b);
            }
        }
        axis->ApplyMargins(low, high);
    }
}

void TCustomAxisPanel::DrawAxes() {
    if (!axisVisible_)
        return;
    for (TChartAxis *axis : {topAxis_.get(), bottomAxis_.get(), leftAxis_.get(), rightAxis_.get()})
        if (IsAxisVisible(*axis))
            axis->Draw(true);
    if (View3D() && depthAxis_->Visible())
        depthAxis_->Draw(true);
}

TCustomChartAxis *TCustomAxisPanel::AxisAt(int x, int y) {
    for (TCustomChartAxis *axis : {static_cast<TCustomChartAxis *>(bottomAxis_.get()),
                                   static_cast<TCustomChartAxis *>(topAxis_.get()),
                                   static_cast<TCustomChartAxis *>(leftAxis_.get()),
                                   static_cast<TCustomChartAxis *>(rightAxis_.get()),
                                   static_cast<TCustomChartAxis *>(depthAxis_.get())})
        if (axis->Clicked(x, y))
            return axis;
    return nullptr;
}

bool TCustomAxisPanel::IsFreeSeriesColor(TColor color, bool checkChartColors) const {
    for (const TChartSeries *series : seriesList_)
        if (series->SeriesColor() == color)
            return false;
    return !checkChartColors || (color != Color() && color != BackColor());
}

ISeriesAxis *TCustomAxisPanel::SeriesAxis(THorizAxis axis) const {
    return axis == THorizAxis::aTopAxis ? topAxis_.get() : bottomAxis_.get();
}

ISeriesAxis *TCustomAxisPanel::SeriesAxis(TVertAxis axis) const {
    return axis == TVertAxis::aRightAxis ? rightAxis_.get() : leftAxis_.get();
}

bool TCustomAxisPanel::HasActivePoints() const {
    return std::any_of(seriesList_.begin(), seriesList_.end(),
                       [](const TChartSeries *s) { return s->Active() && s->Count() > 0; });
}

QString TCustomAxisPanel::GetLegendValueText(const TChartSeries &, int) const { return {}; }

bool TCustomAxisPanel::IsValidDataSource(const TChartSeries &series,
                                         const TChartSeries &source) const {
    return &series != &source;
}

void TCustomAxisPanel::CheckDataSource(TChartSeries &series) {
    if (!Loading())
        series.CheckDataSource();
}

} // namespace pexor
