#pragma once

#include "chart/style/ChartPen.h"
#include "render/Canvas.h"
#include "render/Color.h"

#include <QPoint>
#include <optional>
#include <vector>

namespace pexor {

class TChartSeries;

enum class TSeriesMarksStyle {
    smsValue,
    smsPercent,
    smsLabel,
    smsLabelPercent,
    smsLabelValue,
    smsLegend,
    smsPercentTotal,
    smsLabelPercentTotal,
    smsXValue
};

// Where one mark was drawn; a custom one is used as it stands.
struct TSeriesMarkPosition {
    QPoint ArrowFrom;
    QPoint ArrowTo;
    QPoint LeftTop;
    int Width = 0;
    int Height = 0;
    bool Custom = false;

    bool operator==(const TSeriesMarkPosition &) const = default;
};

// One optional position per point, index for index with the series.
class TSeriesMarksPositions {
public:
    int Count() const { return int(positions_.size()); }
    // Null when the point has no position stored.
    const TSeriesMarkPosition *Position(int index) const;
    TSeriesMarkPosition *Position(int index);
    // Stores a position, growing the list as needed.
    void SetPosition(int index, const TSeriesMarkPosition &position);
    // Grows the list to at least count entries.
    void EnsureCount(int count);
    // Removes an entry where the list is long enough.
    void Delete(int index);
    void Clear();

private:
    std::vector<std::optional<TSeriesMarkPosition>> positions_;
};

// The text boxes a series may show at its points. Every property change
// repaints the series' chart.
class TSeriesMarks {
public:
    explicit TSeriesMarks(TChartSeries *series);
    TSeriesMarks(const TSeriesMarks &) = delete;
    TSeriesMarks &operator=(const TSeriesMarks &) = delete;

    TChartSeries *Series() const { return series_; }

    // Copies the published properties, not the positions.
    void Assign(const TSeriesMarks &source);

    TChartArrowPen &Arrow() { return arrow_; }
    const TChartArrowPen &Arrow() const { return arrow_; }
    void SetArrow(const TChartPen &value) { arrow_.Assign(value); }
    int ArrowLength() const { return arrowLength_; }
    void SetArrowLength(int value);
    TColor BackColor() const { return backColor_; }
    void SetBackColor(TColor value);
    bool Clip() const { return clip_; }
    void SetClip(bool value);
    const TFont &Font() const { return font_; }
    void SetFont(const TFont &value);
    TChartPen &Frame() { return frame_; }
    const TChartPen &Frame() const { return frame_; }
    void SetFrame(const TChartPen &value) { frame_.Assign(value); }
    TSeriesMarksStyle Style() const { return style_; }
    void SetStyle(TSeriesMarksStyle value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);

    // Depth the marks are drawn at in a 3D chart; set by the chart.
    int ZPosition() const { return zPosition_; }
    void SetZPosition(int value) { zPosition_ = value; }

    TSeriesMarksPositions &Positions() { return positions_; }
    const TSeriesMarksPositions &Positions() const { return positions_; }

private:
    void Changed();

    TChartSeries *series_;
    TChartArrowPen arrow_;
    int arrowLength_ = 8;
    TColor backColor_ = 0x80FFFF;
    bool clip_ = false;
    TFont font_;
    TChartPen frame_;
    TSeriesMarksStyle style_ = TSeriesMarksStyle::smsLabel;
    bool transparent_ = false;
    bool visible_ = false;
    int zPosition_ = 0;
    TSeriesMarksPositions positions_;
};

} // namespace pexor
