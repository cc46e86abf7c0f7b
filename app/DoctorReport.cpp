#include "app/DoctorReport.h"

#include "app/InrNumber.h"
#include "app/ReadingsTable.h"
#include "app/ReportCharts.h"
#include "app/ReportReadings.h"
#include "chart/output/ChartPdf.h"
#include "chart/ChartWidget.h"
#include "render/Canvas.h"
#include "platform/Exceptions.h"
#include "render/QtCanvas.h"
#include "platform/Registry.h"
#include "platform/ReplaceFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <array>
#include <cmath>

namespace pexor {

namespace {

const QString kFontName = QStringLiteral("Arial");
constexpr TColor kOutsideColor = 0x0000C0;
constexpr TColor kRuleColor = 0x808080;

// The page in millimetres, drawn in device units.
class ReportPage {
public:
    ReportPage(Canvas &canvas, int resolution) : canvas_(canvas), resolution_(resolution) {
        canvas_.SetBackMode(TBackMode::Transparent);
        canvas_.SetTextAlign(TA_LEFT | TA_TOP);
    }

    Canvas &Surface() { return canvas_; }
    int Mm(double mm) const { return int(std::lround(mm * resolution_ / 25.4)); }

    void SetFont(int points, TFontStyles style = 0, TColor color = clBlack) {
        TFont font;
        font.SetName(kFontName);
        font.SetPixelsPerInch(resolution_);
        font.SetSize(points);
        font.SetStyle(style);
        font.SetColor(color);
        canvas_.SetFont(font);
    }

    // Text cut with an ellipsis to the width.
    void Text(double xMm, double yMm, const QString &text, double widthMm) {
        canvas_.TextOut(Mm(xMm), Mm(yMm), Elided(text, Mm(widthMm)));
    }

    // Text broken between words to the width; answers the lines it took.
    int Wrapped(double xMm, double yMm, const QString &text, double widthMm, double lineMm) {
        QStringList lines;
        QString line;
        for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
            const QString longer = line.isEmpty() ? word : line + u' ' + word;
            if (!line.isEmpty() && canvas_.TextWidth(longer) > Mm(widthMm)) {
                lines << line;
                line = word;
            } else {
                line = longer;
            }
        }
        if (!line.isEmpty())
            lines << line;
        for (int i = 0; i < lines.size(); ++i)
            Text(xMm, yMm + i * lineMm, lines[i], widthMm);
        return int(lines.size());
    }

    void Rule(double xMm, double toMm, double yMm) {
        PenScope pen(canvas_);
        canvas_.SetPen(TPen(kRuleColor, Mm(0.2)));
        canvas_.MoveTo(Mm(xMm), Mm(yMm));
        canvas_.LineTo(Mm(toMm), Mm(yMm));
    }

    // The chart printed into the rectangle; the mapping it leaves is undone.
    void Chart(TChart &chart, double xMm, double yMm, double widthMm, double heightMm) {
        {
            CanvasStateScope state(canvas_);
            chart.Print().PrintIntoCanvas(canvas_,
                                  TRect(Mm(xMm), Mm(yMm), Mm(xMm + widthMm), Mm(yMm + heightMm)));
        }
        canvas_.SetMapMode(TMapMode::Text);
        canvas_.SetWindowOrg(QPoint());
        canvas_.SetViewportOrg(QPoint());
        canvas_.SetWindowExt(QSize(1, 1));
        canvas_.SetViewportExt(QSize(1, 1));
    }

private:
    QString Elided(const QString &text, int width) {
        if (canvas_.TextWidth(text) <= width)
            return text;
        QString cut = text;
        while (!cut.isEmpty() && canvas_.TextWidth(cut + u'…') > width)
            cut.chop(1);
        return cut + u'…';
    }

    Canvas &canvas_;
    int resolution_;
};

// Where things stand on the page, in millimetres.
constexpr double kLeft = 18.0;
constexpr double kWidth = 174.0;
constexpr double kLine = 5.5;
constexpr double kTableTop = 57.0;
constexpr double kFiguresLeft = 118.0;
constexpr double kChartTop = 112.0;
constexpr double kChartHeight = 78.0;
constexpr double kChartGap = 4.0;
constexpr double kNoticeTop = 280.0;

struct TableColumn {
    QString Title;
    double Left;
    double Width;
};

const std::array<TableColumn, 4> &TableColumns() {
    static const std::array<TableColumn, 4> columns{{
        {QStringLiteral("Date"), kLeft, 28.0},
        {QStringLiteral("TP (%)"), kLeft + 28.0, 18.0},
        {QStringLiteral("INR"), kLeft + 46.0, 20.0},
        {QStringLiteral("Cible"), kLeft + 66.0, 28.0},
    }};
    return columns;
}

// Where an INR stands against the target; blank INR, blank mark.
QString InrMark(const ReportReading &reading, const InrTarget &target) {
    if (reading.InrText.isEmpty())
        return {};
    if (!reading.Inr || !reading.Date)
        return QStringLiteral("non compté");
    if (*reading.Inr < target.Min)
        return QStringLiteral("au-dessous");
    if (*reading.Inr > target.Max)
        return QStringLiteral("au-dessus");
    return QStringLiteral("dans la cible");
}

QString PeriodText(const std::vector<ReportReading> &readings) {
    std::optional<TDateTime> first;
    std::optional<TDateTime> last;
    for (const ReportReading &reading : readings) {
        if (!reading.Date)
            continue;
        if (!first)
            first = reading.Date;
        last = reading.Date;
    }
    if (!first)
        return QStringLiteral("Période : aucun relevé daté");
    if (*first == *last)
        return QStringLiteral("Période : le %1").arg(DateText(*first));
    return QStringLiteral("Période : du %1 au %2").arg(DateText(*first), DateText(*last));
}

int Percent(double share) {
    return int(std::lround(share * 100.0));
}

void DrawHeading(ReportPage &page, const std::vector<ReportReading> &readings,
                 const DoctorReportFacts &facts) {
    page.SetFont(16, fsBold);
    page.Text(kLeft, 15.0, kReportTitle + QStringLiteral(" : rapport pour le médecin"), kWidth);
    page.SetFont(10);
    const QString lines[] = {
        QStringLiteral("Patient : %1")
            .arg(facts.PatientName.value_or(QStringLiteral("nom non renseigné"))),
        QStringLiteral("Rapport du %1").arg(DateText(facts.Today)),
        PeriodText(readings),
        QStringLiteral("Cible INR : %1").arg(InrTargetText(facts.Target)),
    };
    double y = 25.0;
    for (const QString &line : lines) {
        page.Text(kLeft, y, line, kWidth);
        y += kLine;
    }
}

void DrawReadings(ReportPage &page, const std::vector<ReportReading> &readings,
                  const InrTarget &target) {
    const auto &columns = TableColumns();
    const double right = columns.back().Left + columns.back().Width;
    page.SetFont(10, fsBold);
    page.Text(kLeft, kTableTop - kLine - 1.0, QStringLiteral("Relevés"), kWidth);
    for (const TableColumn &column : columns)
        page.Text(column.Left, kTableTop, column.Title, column.Width - 1.0);
    page.Rule(kLeft, right, kTableTop + kLine - 0.5);
    double y = kTableTop + kLine + 0.5;
    if (readings.empty()) {
        page.SetFont(10);
        page.Text(kLeft, y, QStringLiteral("Aucun relevé."), right - kLeft);
        return;
    }
    for (const ReportReading &reading : readings) {
        const QString mark = InrMark(reading, target);
        const bool outside =
            mark == QLatin1String("au-dessous") || mark == QLatin1String("au-dessus");
        const QString cells[] = {reading.DateText, reading.TpText, reading.InrText, mark};
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const bool marked = outside && i >= 2;
            page.SetFont(10, marked ? fsBold : 0, marked ? kOutsideColor : clBlack);
            page.Text(columns[i].Left, y, cells[i], columns[i].Width - 1.0);
        }
        y += kLine;
    }
    page.Rule(kLeft, right, y);
}

void DrawFigures(ReportPage &page, const std::vector<ReportReading> &readings,
                 const InrTarget &target) {
    const double width = kLeft + kWidth - kFiguresLeft;
    page.SetFont(10, fsBold);
    page.Text(kFiguresLeft, kTableTop - kLine - 1.0, QStringLiteral("INR et cible"), width);
    page.SetFont(10);
    double y = kTableTop;
    for (const QString &line : InrFigureLines(SummariseInr(InrPointsOf(readings), target)))
        y += page.Wrapped(kFiguresLeft, y, line, width, kLine) * kLine + 1.5;
    const bool anyUncounted = std::any_of(readings.begin(), readings.end(), [](const auto &r) {
        return !r.InrText.isEmpty() && !(r.Inr && r.Date);
    });
    if (anyUncounted) {
        page.SetFont(8);
        page.Wrapped(
            kFiguresLeft, y + 1.0,
            QStringLiteral("Un INR qui n'est pas un nombre, ou sans date valide, est "
                           "montré tel qu'il est écrit et ne compte pas dans les chiffres."),
            width, 4.0);
    }
}

} // namespace

DoctorReportFacts CurrentReportFacts(const QString &readingsPath) {
    DoctorReportFacts facts;
    facts.PatientName = Registry().RegisteredOwner();
    facts.Today = Today();
    facts.Target = LoadInrTarget(readingsPath);
    return facts;
}

QStringList InrFigureLines(const InrSummary &summary) {
    QStringList lines;
    if (summary.TimeInRange)
        lines << QStringLiteral("Temps dans la cible : %1 %").arg(Percent(*summary.TimeInRange));
    else
        lines << QStringLiteral("Temps dans la cible : non calculable, il faut des INR à deux "
                                "dates au moins");
    lines << QStringLiteral("(méthode de Rosendaal, 1993 : l'INR est interpolé en ligne droite "
                            "entre deux relevés)");
    if (summary.Counted > 0)
        lines << QStringLiteral("Relevés dans la cible : %1 sur %2 (%3 %)")
                     .arg(summary.InRange)
                     .arg(summary.Counted)
                     .arg(Percent(double(summary.InRange) / summary.Counted));
    else
        lines << QStringLiteral("Relevés dans la cible : aucun INR chiffré");
    if (summary.Last)
        lines << QStringLiteral("Dernier INR : %1 le %2")
                     .arg(InrNumberText(summary.Last->Inr), DateText(summary.Last->Date));
    else
        lines << QStringLiteral("Dernier INR : aucun");
    return lines;
}

void DrawDoctorReport(Canvas &canvas, int resolution, const ReadingsTable &table,
                      const DoctorReportFacts &facts) {
    const std::vector<ReportReading> readings = ReportReadingsOf(table);
    ReportPage page(canvas, resolution);
    DrawHeading(page, readings, facts);
    DrawReadings(page, readings, facts.Target);
    DrawFigures(page, readings, facts.Target);

    TChart tpChart;
    BuildReportTpChart(tpChart, readings);
    page.Chart(tpChart, kLeft, kChartTop, kWidth, kChartHeight);
    TChart inrChart;
    BuildReportInrChart(inrChart, readings, facts.Target);
    page.Chart(inrChart, kLeft, kChartTop + kChartHeight + kChartGap, kWidth, kChartHeight);

    page.SetFont(9, fsItalic);
    page.Text(kLeft, kNoticeTop, kReportNotice, kWidth);
}

QByteArray DoctorReportPdf(const ReadingsTable &table, const DoctorReportFacts &facts) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Point));
        writer.setCreator(QStringLiteral("Pexor"));
        writer.setTitle(kReportTitle);
        QPainter painter;
        if (!painter.begin(&writer))
            throw EFileError(QStringLiteral("Impossible de préparer le rapport"));
        {
            QtCanvas canvas(painter);
            DrawDoctorReport(canvas, kPdfResolution, table, facts);
        }
        if (!painter.end())
            throw EFileError(QStringLiteral("Impossible de préparer le rapport"));
    }
    return bytes;
}

void WriteDoctorReport(const QString &path, const ReadingsTable &table,
                       const DoctorReportFacts &facts) {
    const QByteArray bytes = DoctorReportPdf(table, facts);
    if (!ReplaceFile(path, bytes))
        throw EFileError(
            QStringLiteral("Impossible d'écrire dans %1").arg(QFileInfo(path).absoluteFilePath()));
}

} // namespace pexor
