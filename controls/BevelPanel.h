#pragma once

#include "render/Canvas.h"

#include <QWidget>

namespace pexor {

enum class TPanelBevel { bvNone, bvLowered, bvRaised };

// A plain panel in a colour of its own with an outer and an inner 1-pixel
// bevel, raised or lowered (outer raised, no inner bevel when new).
class TBevelPanel : public QWidget {
public:
    explicit TBevelPanel(QWidget *parent = nullptr);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TPanelBevel BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TPanelBevel value);
    TPanelBevel BevelInner() const { return bevelInner_; }
    void SetBevelInner(TPanelBevel value);

    // The area inside the bevels.
    TRect ClientRect() const;
    void PaintPanel(Canvas &canvas);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TColor color_ = clBtnFace;
    TPanelBevel bevelOuter_ = TPanelBevel::bvRaised;
    TPanelBevel bevelInner_ = TPanelBevel::bvNone;
};

} // namespace pexor
