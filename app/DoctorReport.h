#pragma once

#include "app/InrTarget.h"
#include "app/TimeInRange.h"
#include "platform/DateUtil.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace pexor {

class Canvas;
class ReadingsTable;

// What the report says beyond the readings themselves.
struct DoctorReportFacts {
    // The user's name, as the about box shows it; none when unknown.
    std::optional<QString> PatientName;
    TDateTime Today = EmptyDate;
    InrTarget Target;
};

// The facts of a report made now on a readings file: the about box's user
// name, today's date and the file's target.
DoctorReportFacts CurrentReportFacts(const QString &readingsPath);

inline const QString kReportTitle = QStringLiteral("Suivi du traitement anticoagulant");
inline const QString kReportNotice =
    QStringLiteral("Ce rapport ne remplace pas l'avis de votre médecin.");

// The lines of figures the report gives under the readings: time in range,
// readings in range, last INR.
QStringList InrFigureLines(const InrSummary &summary);

// The whole A4 portrait page on page, in device units of resolution dots per
// inch: title, patient, date and period,
// the readings in date order with each INR outside the target marked, the
// figures, the TP and INR charts and the notice.
void DrawDoctorReport(Canvas &page, int resolution, const ReadingsTable &table,
                      const DoctorReportFacts &facts);

// The page as a one-page PDF file's bytes.
QByteArray DoctorReportPdf(const ReadingsTable &table, const DoctorReportFacts &facts);

// Writes the report to path in one step: either the file is the complete
// report, or EFileError "Impossible d'écrire dans %s" is raised and what was
// there before is left as it was; no partial file is ever left.
void WriteDoctorReport(const QString &path, const ReadingsTable &table,
                       const DoctorReportFacts &facts);

} // namespace pexor
