#pragma once

#include "render/Canvas.h"
#include "render/Rect.h"

#include <QPageSize>
#include <QString>
#include <functional>

namespace pexor {

class TChartPrint;

// Resolution of the exported pages, in dots per inch.
inline constexpr int kPdfResolution = 600;

// Where the print command puts the chart on a page of the given size:
// a tenth of the width on both sides, a third of the height above and a
// tenth below.
TRect ChartPageRect(int pageWidth, int pageHeight);

// Writes a one-page PDF file with the chart printed into rect of the page
// (device units at resolution). beforeChart, when given, draws on the page
// first (a header line). Raises EFileError when the file cannot be written.
void ExportChartPdf(TChartPrint &print, const QString &path, const TRect &rect,
                    const QPageSize &pageSize = QPageSize(QPageSize::A4),
                    int resolution = kPdfResolution,
                    const std::function<void(Canvas &)> &beforeChart = {});
// The same into the print command's rectangle of the page.
void ExportChartPdf(TChartPrint &print, const QString &path,
                    const QPageSize &pageSize = QPageSize(QPageSize::A4),
                    int resolution = kPdfResolution,
                    const std::function<void(Canvas &)> &beforeChart = {});

} // namespace pexor
