#include "chart/ChartException.h"
#include "chart/output/ChartPdf.h"
#include "chart/ChartWidget.h"
#include "chart/panel/Legend.h"
#include "chart/draw/LineSeries.h"
#include "platform/Exceptions.h"
#include "render/RecordingCanvas.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

namespace pexor {
namespace {

// The program's chart: 336 × 256 with a sunken edge (client 332 × 252),
// lowered bevel, back wall clear, title, one line series in red.
void SetUpProgramChart(TCustomChart &chart, TLineSeries *&series) {
    chart.SetBevelOuter(TBevelCut::bvLowered);
    chart.SetBorderStyle(TBorderStyle::bsSingle);
    chart.BackWall().Brush().SetStyle(TBrushStyle::bsClear);
    chart.Title().SetText({QStringLiteral("Courbe de TP (%)")});
    chart.Legend().SetShadowSize(2);
    series = &chart.AddSeries(std::make_unique<TLineSeries>());
    series->SetShowInLegend(false);
    series->SetSeriesColor(clRed);
    series->Add(80, QStringLiteral("01/02/2026"), clBlue);
    series->Add(95, QStringLiteral("15/02/2026"), clBlue);
    series->Add(70, QStringLiteral("01/03/2026"), clBlue);
}

// The same chart without a window, its client fixed at 332 × 252.
class PrintedChart : public TCustomChart {
public:
    PrintedChart() { SetUpProgramChart(*this, series); }
    TRect GetChartRectangle() const override { return TRect(0, 0, 332, 252); }
    TLineSeries *series = nullptr;
};

const TRect kPageRect(480, 2200, 4320, 5940);

bool HasPenColor(const RecordingCanvas &canvas, TColor color) {
    for (const TCanvasRecord &r : canvas.Records())
        if ((r.Kind == TRecordKind::LineTo || r.Kind == TRecordKind::Polyline) &&
            r.Pen.Color() == color && !r.Pen.IsClear())
            return true;
    return false;
}

bool FillsWith(const RecordingCanvas &canvas, TColor color) {
    for (const TCanvasRecord &r : canvas.RecordsOf(TRecordKind::FillRect))
        if (r.Brush.Color() == color && !r.Brush.IsClear())
            return true;
    return false;
}

int CountTexts(const RecordingCanvas &canvas, const QString &text) {
    int n = 0;
    for (const TCanvasRecord &r : canvas.RecordsOf(TRecordKind::TextOut))
        n += r.Text == text;
    return n;
}

TEST(PrintIntoCanvas, MapsTheClientOntoTheDeviceRectangle) {
    PrintedChart chart;
    RecordingCanvas page(QSize(4800, 6600), 600);
    bool printingSeen = false;
    bool bufferedSeen = true;
    chart.OnAfterDraw = [&](TCustomAxisPanel &) {
        printingSeen = chart.Printing();
        bufferedSeen = chart.Canvas().Buffered();
    };
    chart.Print().PrintIntoCanvas(page, kPageRect);

    EXPECT_EQ(chart.DrawRect(), TRect(42, 148, 374, 400));
    EXPECT_EQ(page.MapMode(), TMapMode::Anisotropic);
    EXPECT_EQ(page.WindowExt(), QSize(332, 252));
    EXPECT_EQ(page.ViewportExt(), QSize(3840, 3740));
    EXPECT_EQ(page.WindowOrg(), QPoint(0, 0));
    EXPECT_EQ(page.ViewportOrg(), QPoint(0, 0));
    EXPECT_TRUE(printingSeen);
    EXPECT_FALSE(bufferedSeen);
    EXPECT_FALSE(chart.Printing());
    EXPECT_TRUE(chart.Canvas().Buffered());
    EXPECT_FALSE(chart.Canvas().HasSurface());

    RecordingCanvas reversed(QSize(4800, 6600), 600);
    chart.Print().PrintIntoCanvas(reversed, TRect(4320, 5940, 480, 2200));
    EXPECT_EQ(chart.DrawRect(), TRect(42, 148, 374, 400));
    EXPECT_EQ(reversed.ViewportExt(), QSize(3840, 3740));
    ASSERT_EQ(reversed.Records().size(), page.Records().size());
    for (std::size_t i = 0; i < page.Records().size(); ++i)
        EXPECT_EQ(reversed.Records()[i].Points, page.Records()[i].Points) << i;
}

TEST(PrintIntoCanvas, EmptyRectangleDrawsNothing) {
    PrintedChart chart;
    RecordingCanvas page(QSize(4800, 6600), 600);
    chart.Print().PrintIntoCanvas(page, TRect(480, 2200, 480, 5940));
    chart.Print().PrintIntoCanvas(page, TRect(480, 2200, 4320, 2200));
    EXPECT_TRUE(page.Records().empty());
    EXPECT_EQ(page.MapMode(), TMapMode::Text);
    EXPECT_FALSE(chart.Printing());
}

TEST(PrintIntoCanvas, PrintedChartHasNoBackgroundOrBevelsButEverythingElse) {
    PrintedChart chart;
    chart.Canvas().SetBuffered(false);
    RecordingCanvas screen;
    chart.Draw(screen, TRect(0, 0, 332, 252));
    chart.Canvas().SetBuffered(true);
    RecordingCanvas page(QSize(4800, 6600), 600);
    chart.Print().PrintIntoCanvas(page, kPageRect);

    EXPECT_TRUE(FillsWith(screen, clBtnFace));
    EXPECT_TRUE(HasPenColor(screen, clBtnShadow));
    EXPECT_TRUE(HasPenColor(screen, clBtnHighlight));
    EXPECT_FALSE(FillsWith(page, clBtnFace));
    EXPECT_FALSE(HasPenColor(page, clBtnShadow));
    EXPECT_FALSE(HasPenColor(page, clBtnHighlight));

    // Title, axis labels, walls, grid and the ribbon come out as on screen.
    EXPECT_EQ(CountTexts(page, QStringLiteral("Courbe de TP (%)")), 1);
    EXPECT_EQ(CountTexts(page, QStringLiteral("15/02/2026")),
              CountTexts(screen, QStringLiteral("15/02/2026")));
    EXPECT_GE(CountTexts(page, QStringLiteral("15/02/2026")), 1);
    bool leftWall = false;
    bool ribbon = false;
    for (const TCanvasRecord &r : page.RecordsOf(TRecordKind::Polygon)) {
        leftWall = leftWall || r.Brush.Color() == chart.LeftWall().Color();
        ribbon = ribbon || r.Brush.Color() == clBlue;
    }
    EXPECT_TRUE(leftWall);
    EXPECT_TRUE(ribbon);
    // Dotted grid lines are one device pixel wide on paper.
    bool dottedGrid = false;
    for (const TCanvasRecord &r : page.Records())
        if (r.Kind == TRecordKind::LineTo && r.Pen.Style() == TPenStyle::psDot) {
            dottedGrid = true;
            EXPECT_EQ(r.Pen.Width(), 0);
        }
    EXPECT_TRUE(dottedGrid);

    // Text keeps its height in chart units, whatever the page's resolution.
    TFont screenTitle;
    TFont pageTitle;
    for (const TCanvasRecord &r : screen.RecordsOf(TRecordKind::TextOut))
        if (r.Text == QStringLiteral("Courbe de TP (%)"))
            screenTitle = r.Font;
    for (const TCanvasRecord &r : page.RecordsOf(TRecordKind::TextOut))
        if (r.Text == QStringLiteral("Courbe de TP (%)"))
            pageTitle = r.Font;
    EXPECT_EQ(pageTitle.Height(), screenTitle.Height());
}

// A series whose drawing fails.
class FailingSeries : public TChartSeries {
public:
    void DrawValue(int) override { throw std::runtime_error("drawing failed"); }
};

TEST(PrintIntoCanvas, ExceptionLeavesPrintingOffAndBufferingRestored) {
    PrintedChart chart;
    chart.AddSeries(std::make_unique<FailingSeries>()).Add(1);
    {
        RecordingCanvas page(QSize(4800, 6600), 600);
        EXPECT_THROW(chart.Print().PrintIntoCanvas(page, kPageRect), std::runtime_error);
        EXPECT_FALSE(chart.Printing());
        EXPECT_TRUE(chart.Canvas().Buffered());
        // The chart no longer draws on the page, which goes now.
        EXPECT_FALSE(chart.Canvas().HasSurface());
    }
    chart.Canvas().SetBuffered(false);
    EXPECT_THROW(
        chart.Print().DrawUnbuffered(*std::make_unique<RecordingCanvas>(), TRect(0, 0, 50, 50)),
        std::runtime_error);
    EXPECT_FALSE(chart.Canvas().Buffered());
}

class ShownProgramChart : public ::testing::Test {
protected:
    void SetUp() override {
        chart.SetBounds(336, 256);
        SetUpProgramChart(chart, series);
        chart.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    }
    TChart chart;
    TLineSeries *series = nullptr;
};

TEST_F(ShownProgramChart, WindowIsDrawnAnewAfterAPrintWithItsScreenLayout) {
    ASSERT_EQ(chart.GetChartRectangle(), TRect(0, 0, 332, 252));
    const QImage before = chart.grab().toImage();
    const TRect plot = chart.PlotRect();
    const int bottomAxisAt = chart.BottomAxis().PosAxis();
    const QImage *bitmap = chart.Canvas().Bitmap();
    ASSERT_NE(bitmap, nullptr);
    int pageDrawings = 0;
    int drawings = 0;
    chart.OnAfterDraw = [&](TCustomAxisPanel &) {
        ++drawings;
        if (chart.Printing())
            ++pageDrawings;
    };
    RecordingCanvas page(QSize(4800, 6600), 600);
    chart.Print().PrintIntoCanvas(page, kPageRect);
    // The page was laid out in its own rectangle; the window came back at
    // once with the plot where the mouse finds it, background and bevels.
    EXPECT_EQ(pageDrawings, 1);
    EXPECT_EQ(drawings, 2);
    EXPECT_EQ(chart.PlotRect(), plot);
    EXPECT_EQ(chart.BottomAxis().PosAxis(), bottomAxisAt);
    EXPECT_FALSE(chart.Canvas().Stale());
    EXPECT_NE(chart.Canvas().Bitmap(), nullptr);
    EXPECT_EQ(chart.grab().toImage(), before);
}

TEST_F(ShownProgramChart, WindowIsDrawnAnewAfterAFailedPrint) {
    const TRect plot = chart.PlotRect();
    chart.OnAfterDraw = [&](TCustomAxisPanel &) {
        if (chart.Printing())
            throw std::runtime_error("panne");
    };
    RecordingCanvas page(QSize(4800, 6600), 600);
    EXPECT_THROW(chart.Print().PrintIntoCanvas(page, kPageRect), std::runtime_error);
    EXPECT_EQ(chart.PlotRect(), plot);
    EXPECT_FALSE(chart.Canvas().Stale());
}

QString BuildFile(const QString &name) {
    const QString dir = QDir::current().absoluteFilePath(QStringLiteral("print-test"));
    QDir().mkpath(dir);
    return dir + QLatin1Char('/') + name;
}

// The page rendered back to an image at dpi; null when pdftoppm is absent.
QImage RenderPdf(const QString &pdf, int dpi) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (tool.isEmpty())
        return {};
    const QString prefix = pdf.left(pdf.size() - 4);
    QProcess::execute(tool, {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                             QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

TEST_F(ShownProgramChart, PdfPageShowsTheChartWithoutPanelBackground) {
    // The screen picture beside the printed page, to compare them by eye.
    chart.grab().save(BuildFile(QStringLiteral("screen.png")));
    const QString pdf = BuildFile(QStringLiteral("chart.pdf"));
    QFile::remove(pdf);
    ExportChartPdf(chart.Print(), pdf, QPageSize(QPageSize::A4), 600);
    ASSERT_TRUE(QFile::exists(pdf));
    const QImage image = RenderPdf(pdf, 60);
    if (image.isNull())
        GTEST_SKIP() << "pdftoppm is not installed";

    // A4 at 60 dpi; the chart's rectangle is a tenth of the width in from
    // each side, a third of the height down, a tenth of the height up.
    ASSERT_EQ(image.size(), QSize(496, 702));
    const QRect chartArea(49, 234, 398, 397);
    const QColor face = QApplication::palette().color(QPalette::Button);
    int yellow = 0;
    int blue = 0;
    int faceColoured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            // Labels centred on the plot's ends may reach past the sides;
            // above and below the rectangle the page stays blank.
            if (y < chartArea.top() - 2 || y > chartArea.bottom() + 2) {
                EXPECT_EQ(c, QColor(Qt::white)) << x << "," << y;
                continue;
            }
            yellow += c.red() > 230 && c.green() > 230 && c.blue() < 170;
            blue += c.blue() > 200 && c.red() < 60 && c.green() < 60;
            faceColoured += c == face;
        }
    EXPECT_GT(yellow, 300);
    EXPECT_GT(blue, 100);
    // A filled panel would cover a good part of the chart's 150,000 pixels;
    // a few smoothed text edges may happen to take the same grey.
    EXPECT_LT(faceColoured, 100);
    // The chart corner (panel background when on screen) stays white.
    EXPECT_EQ(image.pixelColor(chartArea.left() + 3, chartArea.top() + 3), QColor(Qt::white));
}

TEST_F(ShownProgramChart, PrintIntoRectDrawsOnThePrintersOpenPage) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = BuildFile(QStringLiteral("printer.pdf"));
    printer.setOutputFileName(pdf);
    EXPECT_THROW(chart.Print().PrintIntoRect(printer, kPageRect), ChartException);
    {
        QPainter painter(&printer);
        chart.Print().PrintIntoRect(printer, ChartPageRect(printer.width(), printer.height()));
        EXPECT_FALSE(chart.Printing());
    }
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
}

TEST(ExportChartPdf, UnwritablePathRaisesAndPageRectFollowsThePrintCommand) {
    PrintedChart chart;
    EXPECT_THROW(ExportChartPdf(chart.Print(), QStringLiteral("/nonexistent-dir/x/chart.pdf")),
                 EFileError);
    EXPECT_EQ(ChartPageRect(4800, 6600), TRect(480, 2200, 4320, 5940));
    EXPECT_EQ(ChartPageRect(4961, 7016), TRect(496, 2338, 4465, 6315));
}

} // namespace
} // namespace pexor
