#include "app/CurveRender.h"

#include "app/PrintCommand.h"
#include "app/CurveSettings.h"
#include "app/DoctorReport.h"
#include "app/ReadingsEntry.h"
#include "app/ReadingsFile.h"
#include "app/ReadingsTable.h"
#include "chart/output/ChartPdf.h"
#include "chart/ChartWidget.h"
#include "chart/Series.h"
#include "platform/Exceptions.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>
#include <memory>

namespace pexor {

namespace {

enum class OutputKind { Png, Pdf };

OutputKind OutputKindOf(const QString &path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return OutputKind::Png;
    if (suffix == QLatin1String("pdf"))
        return OutputKind::Pdf;
    throw EFileError(QStringLiteral("Type de fichier de sortie inconnu : %1 (.png ou .pdf attendu)")
                         .arg(path));
}

// ChargeOptions reads a missing file as empty; here it must exist.
void CheckReadable(const QString &path) {
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Impossible de lire %1").arg(path));
}

ReadingsTable LoadTable(const QString &readingsPath) {
    CheckReadable(readingsPath);
    ReadingsTable table;
    table.SetHeader();
    ChargeOptions(table, readingsPath);
    return table;
}

} // namespace

void RenderCurveFile(const QString &readingsPath, const QString &outputPath) {
    const OutputKind kind = OutputKindOf(outputPath);
    ReadingsTable table = LoadTable(readingsPath);

    TChart chart;
    chart.resize(kCurveImageWidth, kCurveImageHeight);
    ConfigureCurveChart(chart);
    auto series = std::make_unique<TLineSeries>();
    ConfigureCurveSeries(*series);
    TLineSeries &curve = chart.AddSeries(std::move(series));
    chart.Loaded();
    ReadingsEntry(table, curve).RebuildCurve();

    if (kind == OutputKind::Png) {
        const QImage image = chart.grab().toImage();
        if (!image.save(outputPath, "PNG"))
            throw EFileError(QStringLiteral("Impossible d'écrire dans %1").arg(outputPath));
        return;
    }
    ExportChartPdf(chart.Print(), outputPath, QPageSize(QPageSize::A4), kPdfResolution,
                   [](Canvas &page) { DrawHeaderLine(page, kPdfResolution); });
}

void RenderReportFile(const QString &readingsPath, const QString &outputPath) {
    if (QFileInfo(outputPath).suffix().toLower() != QLatin1String("pdf"))
        throw EFileError(
            QStringLiteral("Type de fichier de sortie inconnu : %1 (.pdf attendu)").arg(outputPath));
    const ReadingsTable table = LoadTable(readingsPath);
    WriteDoctorReport(outputPath, table, CurrentReportFacts(readingsPath));
}

} // namespace pexor
