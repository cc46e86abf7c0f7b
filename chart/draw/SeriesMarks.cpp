#include "chart/draw/SeriesMarks.h"

#include "chart/Canvas3D.h"
#include "chart/series/ChartSeries.h"

namespace pexor {

const TSeriesMarkPosition *TSeriesMarksPositions::Position(int index) const {
    if (index < 0 || index >= Count() || !positions_[std::size_t(index)])
        return nullptr;
    return &*positions_[std::size_t(index)];
}

TSeriesMarkPosition *TSeriesMarksPositions::Position(int index) {
    if (index < 0 || index >= Count() || !positions_[std::size_t(index)])
        return nullptr;
    return &*positions_[std::size_t(index)];
}

void TSeriesMarksPositions::SetPosition(int index, const TSeriesMarkPosition &position) {
    if (index < 0)
        return;
    EnsureCount(index + 1);
    positions_[std::size_t(index)] = position;
}

void TSeriesMarksPositions::EnsureCount(int count) {
    if (count > Count())
        positions_.resize(std::size_t(count));
}

void TSeriesMarksPositions::Delete(int index) {
    if (index >= 0 && index < Count())
        positions_.erase(positions_.begin() + index);
}

void TSeriesMarksPositions::Clear() {
    std::vector<std::optional<TSeriesMarkPosition>>().swap(positions_);
}

TSeriesMarks::TSeriesMarks(TChartSeries *series) : series_(series), font_(DefaultChartFont()) {
    arrow_.OnChange = [this](TChartPen &) { Changed(); };
    frame_.OnChange = [this](TChartPen &) { Changed(); };
}

void TSeriesMarks::Changed() {
    if (series_)
        series_->Repaint();
}

void TSeriesMarks::Assign(const TSeriesMarks &source) {
    arrow_.Assign(source.arrow_);
    SetArrowLength(source.arrowLength_);
    SetBackColor(source.backColor_);
    SetClip(source.clip_);
    SetFont(source.font_);
    frame_.Assign(source.frame_);
    SetStyle(source.style_);
    SetTransparent(source.transparent_);
    SetVisible(source.visible_);
}

void TSeriesMarks::SetArrowLength(int value) {
    if (arrowLength_ == value)
        return;
    arrowLength_ = value;
    Changed();
}

void TSeriesMarks::SetBackColor(TColor value) {
    if (backColor_ == value)
        return;
    backColor_ = value;
    Changed();
}

void TSeriesMarks::SetClip(bool value) {
    if (clip_ == value)
        return;
    clip_ = value;
    Changed();
}

void TSeriesMarks::SetFont(const TFont &value) {
    if (font_ == value)
        return;
    font_.Assign(value);
    Changed();
}

void TSeriesMarks::SetStyle(TSeriesMarksStyle value) {
    if (style_ == value)
        return;
    style_ = value;
    Changed();
}

void TSeriesMarks::SetTransparent(bool value) {
    if (transparent_ == value)
        return;
    transparent_ = value;
    Changed();
}

void TSeriesMarks::SetVisible(bool value) {
    if (visible_ == value)
        return;
    visible_ = value;
    Changed();
}

} // namespace pexor
