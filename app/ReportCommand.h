#pragma once

#include "platform/DateUtil.h"

#include <QString>

class QWidget;

namespace pexor {

inline const QString kReportDialogTitle = QStringLiteral("Exporter pour le médecin");

// "Pexor-AAAA-MM-JJ.pdf" of the day, in the user's documents folder (the
// home folder when there is none).
QString DefaultReportPath(TDateTime today);

// The file dialog of the report command, in French, proposing the default
// path; answers the chosen file, ending in .pdf, or nothing when cancelled.
// Replacing an existing file is asked first.
QString AskReportPath(QWidget *owner, TDateTime today);

} // namespace pexor
