#pragma once

#include <QString>

namespace pexor {

// The window chart's size, which a PNG of the curve has.
inline constexpr int kCurveImageWidth = 336;
inline constexpr int kCurveImageHeight = 256;

// Draws the TP curve of a readings file with the window's chart settings:
// into a PNG at the window chart's size, or through the print path onto an
// A4 PDF page, chosen by the output's suffix. Raises EFileError for a
// readings file that cannot be read, an output type other than .png or
// .pdf, or an output that cannot be written; a bad TP in the file raises
// its conversion error.
void RenderCurveFile(const QString &readingsPath, const QString &outputPath);

// Writes the report for the doctor of a readings file, its target included,
// as a one-page PDF. Raises EFileError for a readings file that cannot be
// read, an output whose suffix is not .pdf, or an output that cannot be
// written, which is then left as it was.
void RenderReportFile(const QString &readingsPath, const QString &outputPath);

} // namespace pexor
