#include "app/ReportCommand.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace pexor {

QString DefaultReportPath(TDateTime today) {
    const DateParts day = SplitDate(today);
    const QString name = QStringLiteral("Pexor-%1-%2-%3.pdf")
                             .arg(day.Year, 4, 10, QLatin1Char('0'))
                             .arg(day.Month, 2, 10, QLatin1Char('0'))
                             .arg(day.Day, 2, 10, QLatin1Char('0'));
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QDir(folder).filePath(name);
}

QString AskReportPath(QWidget *owner, TDateTime today) {
    QFileDialog dialog(owner, kReportDialogTitle);
    dialog.setObjectName(QStringLiteral("ReportFileDialog"));
    // Qt's own dialog, so that it speaks the French of the program's
    // translations whatever the desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Documents PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    const QString proposed = DefaultReportPath(today);
    dialog.setDirectory(QFileInfo(proposed).absolutePath());
    dialog.selectFile(QFileInfo(proposed).fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace pexor
