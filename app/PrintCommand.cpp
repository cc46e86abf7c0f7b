#include "app/PrintCommand.h"

#include "chart/Chart.h"
#include "chart/output/ChartPdf.h"
#include "render/Canvas.h"
#include "render/QtCanvas.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

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

// Stops the job so that nothing comes out. A PDF writer cannot abort: its
// file is closed and removed instead of being left with a half page.
void AbortJob(QPrinter &printer, QPainter &painter) {
    printer.abort();
    if (painter.isActive())
        painter.end();
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName());
}

// A document the printer refused to start may leave it marked as printing,
// which locks its settings until the program ends: its engine is told the job
// is over, so the set-up and the next print work. Nothing was drawn.
void ReleaseRefusedJob(QPrinter &printer) {
    if (printer.printerState() != QPrinter::Active)
        return;
    if (QPaintEngine *engine = printer.paintEngine())
        engine->end();
}

} // namespace

void DrawHeaderLine(Canvas &page, int pixelsPerInch) {
    TFont font;
    font.SetName(QStringLiteral("Arial"));
    font.SetPixelsPerInch(pixelsPerInch);
    font.SetSize(10);
    page.SetFont(font);
    page.TextOut(0, 0, kPrintHeaderLine);
}

void PrintChartPage(TCustomChart &chart, QPrinter &printer) {
    WaitCursorScope hourglass;
    printer.setDocName(QString());
    QPainter painter;
    if (!painter.begin(&printer)) {
        ReleaseRefusedJob(printer);
        throw EPrinterError(QStringLiteral("Impossible de commencer l'impression"));
    }
    try {
        {
            // Ended before the chart opens its own canvas on the printer.
            QtCanvas page(painter);
            DrawHeaderLine(page, printer.resolution());
        }
        chart.Print().PrintIntoRect(printer, ChartPageRect(printer.width(), printer.height()));
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
    // A set-up, not a print: its accept button only keeps the choice.
    dialog.setWindowTitle(kPrinterSetupTitle);
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>()) {
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(kPrinterSetupAccept);
    }
    dialog.exec();
}

} // namespace pexor
