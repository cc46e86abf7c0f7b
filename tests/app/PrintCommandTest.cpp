#include "app/PrintCommand.h"
#include "chart/output/ChartPdf.h"
#include "chart/ChartWidget.h"
#include "chart/panel/Legend.h"
#include "chart/draw/LineSeries.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMarginsF>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace pexor {
namespace {

constexpr int kRenderDpi = 100;
constexpr qreal kMarginMm = 15;

// The curve as the main window shows it: 336 × 256 with a sunken edge,
// a title and one red line.
class PrintCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        chart.SetBounds(336, 256);
        chart.SetBevelOuter(TBevelCut::bvLowered);
        chart.SetBorderStyle(TBorderStyle::bsSingle);
        chart.BackWall().Brush().SetStyle(TBrushStyle::bsClear);
        chart.Title().SetText({QStringLiteral("Courbe de TP (%)")});
        auto *series = &chart.AddSeries(std::make_unique<TLineSeries>());
        series->SetShowInLegend(false);
        series->SetSeriesColor(clRed);
        series->Add(80, QStringLiteral("01/02/2026"), clBlue);
        series->Add(95, QStringLiteral("15/02/2026"), clBlue);
        series->Add(70, QStringLiteral("01/03/2026"), clBlue);
        chart.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));

        pdf = dir.filePath(QStringLiteral("page.pdf"));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                               QPageLayout::Millimeter);
        printer.setDocName(QStringLiteral("ancien nom"));
    }

    // The printable area in pixels of the rendered page.
    QRect PrintableArea() const {
        return printer.pageLayout().paintRectPixels(kRenderDpi);
    }

    // The page rendered back at kRenderDpi; null without pdftoppm.
    QImage Render() const {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        if (tool.isEmpty())
            return {};
        const QString prefix = dir.filePath(QStringLiteral("page"));
        QProcess::execute(tool, {QStringLiteral("-r"), QString::number(kRenderDpi),
                                 QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf,
                                 prefix});
        const QImage image(prefix + QStringLiteral(".png"));
        // Kept beside the build for a look by eye.
        image.save(QDir::current().absoluteFilePath(QStringLiteral("print-command-page.png")));
        return image.convertToFormat(QImage::Format_RGB32);
    }

    int PageCount() const {
        const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        if (tool.isEmpty())
            return -1;
        QProcess info;
        info.start(tool, {pdf});
        info.waitForFinished();
        for (const QByteArray &line : info.readAllStandardOutput().split('\n'))
            if (line.startsWith("Pages:"))
                return line.mid(6).trimmed().toInt();
        return -1;
    }

    QTemporaryDir dir;
    TChart chart;
    QPrinter printer{QPrinter::HighResolution};
    QString pdf;
};

bool IsDark(QColor c) {
    return c.red() < 100 && c.green() < 100 && c.blue() < 100;
}

TEST_F(PrintCommandTest, OnePageWithTheHeaderAtTopLeftAndTheChartInItsRectangle) {
    Qt::CursorShape during = Qt::ArrowCursor;
    chart.OnAfterDraw = [&](TCustomAxisPanel &) {
        if (const QCursor *cursor = QApplication::overrideCursor())
            during = cursor->shape();
    };
    PrintChartPage(chart, printer);
    EXPECT_EQ(during, Qt::WaitCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(printer.docName(), QString());
    ASSERT_TRUE(QFile::exists(pdf));

    const int pages = PageCount();
    if (pages >= 0) {
        EXPECT_EQ(pages, 1);
    }
    const QImage image = Render();
    if (image.isNull())
        GTEST_SKIP() << "pdftoppm is not installed";
    // A4 at 100 dpi, give or take the renderer's rounding.
    ASSERT_NEAR(image.width(), 827, 1);
    ASSERT_NEAR(image.height(), 1169, 1);

    const QRect area = PrintableArea();
    const TRect r = ChartPageRect(area.width(), area.height());
    const QRect chartRect(area.left() + r.Left, area.top() + r.Top, r.Width(), r.Height());
    int headerTop = image.height();
    int headerBottom = -1;
    int headerLeft = image.width();
    int chartPixels = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == QColor(Qt::white))
                continue;
            // Labels centred on the plot's ends may reach a little past the
            // sides; above and below the rectangle only the header inks.
            if (y >= chartRect.top() - 2 && y <= chartRect.bottom() + 2) {
                ++chartPixels;
                continue;
            }
            ASSERT_LT(y, chartRect.top()) << "ink below the chart at " << x << "," << y;
            ASSERT_GE(x, area.left()) << "ink left of the printable area at " << x << "," << y;
            ASSERT_GE(y, area.top()) << "ink above the printable area at " << x << "," << y;
            if (IsDark(c)) {
                headerTop = std::min(headerTop, y);
                headerBottom = std::max(headerBottom, y);
                headerLeft = std::min(headerLeft, x);
            }
        }
    // The header starts at the printable area's corner, one line of 10
    // points (about 14 pixels at 100 dpi) high.
    EXPECT_LE(headerLeft - area.left(), 3);
    EXPECT_LE(headerTop - area.top(), 4);
    EXPECT_GE(headerBottom - headerTop, 8);
    EXPECT_LE(headerBottom - headerTop, 17);
    EXPECT_GT(chartPixels, 2000);
    // The page keeps its own background where the screen shows the panel.
    EXPECT_EQ(image.pixelColor(chartRect.left() + 3, chartRect.top() + 3), QColor(Qt::white));
}

TEST_F(PrintCommandTest, FailingDrawAbortsTheJobRethrowsAndRestoresTheCursor) {
    // Only the page's drawing fails: the window's own drawing afterwards runs
    // inside Qt's painting, which no exception may cross.
    chart.OnAfterDraw = [this](TCustomAxisPanel &) {
        if (chart.Printing())
            throw std::runtime_error("panne");
    };
    try {
        PrintChartPage(chart, printer);
        ADD_FAILURE() << "the failure did not reach the caller";
    } catch (const std::runtime_error &e) {
        EXPECT_STREQ(e.what(), "panne");
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_NE(printer.printerState(), QPrinter::Active);
    // Nothing comes out of an aborted job.
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_FALSE(chart.Printing());

    // The printer serves the next print.
    chart.OnAfterDraw = nullptr;
    PrintChartPage(chart, printer);
    EXPECT_TRUE(QFile::exists(pdf));
}

TEST_F(PrintCommandTest, DocumentThatCannotStartRaisesWithoutDrawing) {
    printer.setOutputFileName(dir.filePath(QStringLiteral("absent/page.pdf")));
    bool drawn = false;
    chart.OnAfterDraw = [&](TCustomAxisPanel &) { drawn = true; };
    try {
        PrintChartPage(chart, printer);
        ADD_FAILURE() << "a document that did not start was reported as printed";
    } catch (const EPrinterError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Impossible de commencer l'impression"));
    }
    EXPECT_FALSE(drawn);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PrintCommandTest, PrinterSetupShowsTheDialogOnTheSharedPrinter) {
    QPrintDialog *seen = nullptr;
    QPrinter *seenPrinter = nullptr;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (seen) {
            seenPrinter = seen->printer();
            seen->reject();
        }
    });
    RunPrinterSetup(printer, &chart);
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(seenPrinter, &printer);
    // A dialog put aside leaves the printer as it was.
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.outputFileName(), pdf);
}

} // namespace
} // namespace pexor
