#include "chart/output/ChartPdf.h"

#include "chart/output/ChartPrint.h"
#include "platform/Exceptions.h"
#include "render/QtCanvas.h"

#include <QFile>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

namespace pexor {

namespace {

[[noreturn]] void ThrowWriteError(const QString &path) {
    throw EFileError(
        QStringLiteral("Impossible d'écrire dans %1").arg(QFileInfo(path).absoluteFilePath()));
}

// Runs draw on a fresh one-page PDF of the page size; the page size in
// device units is given to draw.
void WritePdf(const QString &path, const QPageSize &pageSize, int resolution,
              const std::function<void(Canvas &, QSize)> &draw) {
    QPdfWriter writer(path);
    writer.setResolution(resolution);
    writer.setPageLayout(
        QPageLayout(pageSize, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point));
    writer.setCreator(QStringLiteral("Pexor"));
    QPainter painter;
    if (!painter.begin(&writer))
        ThrowWriteError(path);
    try {
        QtCanvas canvas(painter);
        draw(canvas, QSize(writer.width(), writer.height()));
    } catch (...) {
        // No half-written page is left behind.
        painter.end();
        QFile::remove(path);
        throw;
    }
    if (!painter.end())
        ThrowWriteError(path);
}

} // namespace

TRect ChartPageRect(int pageWidth, int pageHeight) {
    return TRect(pageWidth / 10, pageHeight / 3, pageWidth - pageWidth / 10,
                 pageHeight - pageHeight / 10);
}

void ExportChartPdf(TChartPrint &print, const QString &path, const TRect &rect,
                    const QPageSize &pageSize, int resolution,
                    const std::function<void(Canvas &)> &beforeChart) {
    WritePdf(path, pageSize, resolution, [&](Canvas &page, QSize) {
        if (beforeChart)
            beforeChart(page);
        print.PrintIntoCanvas(page, rect);
    });
}

void ExportChartPdf(TChartPrint &print, const QString &path, const QPageSize &pageSize,
                    int resolution, const std::function<void(Canvas &)> &beforeChart) {
    WritePdf(path, pageSize, resolution, [&](Canvas &page, QSize size) {
        if (beforeChart)
            beforeChart(page);
        print.PrintIntoCanvas(page, ChartPageRect(size.width(), size.height()));
    });
}

} // namespace pexor
