#pragma once

#include "render/Canvas.h"

namespace pexor {

class TCustomAxisPanel;

// A chart element with a font of its own (titles, legend): the font starts as
// the default chart font, and any change of it repaints the chart.
class TChartFontObject {
public:
    explicit TChartFontObject(TCustomAxisPanel *chart);
    virtual ~TChartFontObject();
    TChartFontObject(const TChartFontObject &) = delete;
    TChartFontObject &operator=(const TChartFontObject &) = delete;

    TCustomAxisPanel *ParentChart() const { return chart_; }

    const TFont &Font() const { return font_; }
    // Copies value; the chart repaints when anything differs.
    void SetFont(const TFont &value);
    // Whether the font differs from the element's default and must be kept
    // with the chart's settings.
    bool IsFontStored() const;

protected:
    // Asks the chart, if any, to repaint.
    void Repaint() const;
    // Makes font both the current font and the one IsFontStored compares with.
    void SetDefaultFont(const TFont &font);

private:
    TCustomAxisPanel *chart_;
    TFont font_;
    TFont defaultFont_;
};

} // namespace pexor
