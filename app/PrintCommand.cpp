#include "app/PrintCommand.h"

#include "chart/Chart.h"
#include "chart/ChartPdf.h"
#include "platform/Canvas.h"
#include "platform/QtCanvas.h"

#include <QApplication>
#include <QFile>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace pexor {

namespace {

// The hourglass for the scope's life, whatever way it ends.
class WaitCursorScope {
public:
    WaitCursorScope() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursorScope() { QApplication::restoreOverrideCursor(); }
    WaitCursorScope(const WaitCursorScope &) = delete;
    WaitCursorScope &operator=(const WaitCursorScope &) = delete;
};

void DrawHeaderLine(QPainter &painter, int pixelsPerInch) {
    QtCanvas canvas(painter);
    TFont font;
    font.SetName(QStringLiteral("Arial"));
    font.SetPixelsPerInch(pixelsPerInch);
    font.SetSize(10);
    canvas.SetFont(font);
    canvas.TextOut(0, 0, kPrintHeaderLine);
}

// Stops the job so that nothing comes out. A PDF writer cannot abort: its
// file is closed and removed instead of being left with a half page.
void AbortJob(QPrinter &printer, QPainter &painter) {
    printer.abort();
    if (painter.isActive())
        painter.end();
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
}

} // namespace

void PrintChartPage(TCustomChart &chart, QPrinter &printer) {
    WaitCursorScope hourglass;
    printer.setDocName(QString());
    QPainter painter;
    if (!painter.begin(&printer))
        throw EPrinterError(QStringLiteral("Impossible de commencer l'impression"));
    try {
        DrawHeaderLine(painter, printer.resolution());
        chart.PrintIntoRect(printer, ChartPageRect(printer.width(), printer.height()));
    } catch (...) {
        AbortJob(printer, painter);
        throw;
    }
    if (!painter.end()) {
        AbortJob(printer, painter);
        throw EPrinterError(QStringLiteral("Impossible de terminer l'impression"));
    }
}

void RunPrinterSetup(QPrinter &printer, QWidget *owner) {
    QPrintDialog dialog(&printer, owner);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    dialog.exec();
}

} // namespace pexor
