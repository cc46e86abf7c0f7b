#pragma once

#include "chart/Chart.h"

#include <QCursor>
#include <QFrame>
#include <memory>

namespace pexor {

class TChartAccessibility;

// The chart as a window control. With BorderStyle bsSingle the window gets a
// sunken edge outside its client rectangle, which the chart fills.
class TChart : public QFrame, public TCustomChart {
    Q_OBJECT
public:
    explicit TChart(QWidget *parent = nullptr);
    ~TChart() override;

    // Resizes the window; the chart drops its off-screen bitmap.
    void SetBounds(int width, int height) override;
    // The client rectangle, inside the sunken edge.
    TRect GetChartRectangle() const override;

    // The cursor the chart comes back to when the mouse leaves it.
    const QCursor &OriginalCursor() const { return originalCursor_; }
    // The window's settings are in place: the cursor it has now is the one
    // to come back to.
    void Loaded() { originalCursor_ = cursor(); }
    // What screen readers are told of the chart.
    TChartAccessibility &Accessibility() { return *accessibility_; }
    const TChartAccessibility &Accessibility() const { return *accessibility_; }

protected:
    void RequestPaint() override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // Window side of the zoom, the mouse and the print.
    void UpdateWindow() override;
    void SetChartCursor(int cursorId) override;
    void RestoreCursor() override;
    void WindowFramesChanged() override;
    QPoint ClientPos(const QMouseEvent &event) const;

private:
    void UpdateFrameStyle();

    QCursor originalCursor_;
    std::unique_ptr<TChartAccessibility> accessibility_;
};

} // namespace pexor
