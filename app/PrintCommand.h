#pragma once

#include "platform/Exceptions.h"

#include <QString>

class QPrinter;
class QWidget;

namespace pexor {

class Canvas;
class TCustomChart;

// The line printed above the curve, "Arial" 10 points at the page's top left.
inline const QString kPrintHeaderLine =
    QStringLiteral("Impréssion du TP par le logiciel Pexor v1.0");

// The header line on a page whose canvas has the given resolution, as the
// print command and the curve export both draw it.
void DrawHeaderLine(Canvas &page, int pixelsPerInch);

// The printer set-up dialog's title and accept button.
inline const QString kPrinterSetupTitle = QStringLiteral("Configuration de l'impression");
inline const QString kPrinterSetupAccept = QStringLiteral("OK");

// A print document that could not be started or finished.
class EPrinterError : public Exception {
public:
    using Exception::Exception;
};

// The print command: with the hourglass cursor, one document on printer with
// an empty name holding the header line and the chart in the rectangle from a
// tenth to nine tenths of the printable width and from a third to nine tenths
// of its height. A failure once the document is started aborts the job (a PDF
// file being written is removed) and is raised again unchanged; a document
// that cannot be started raises EPrinterError and leaves the printer ready
// for the next one. The cursor is restored on every path.
void PrintChartPage(TCustomChart &chart, QPrinter &printer);

// The printer set-up command: the modal printer dialog on printer, titled
// as a set-up, whose OK keeps the choice (PDF file output included) for the
// next print without printing. The dialog's answer is not used.
void RunPrinterSetup(QPrinter &printer, QWidget *owner);

} // namespace pexor
