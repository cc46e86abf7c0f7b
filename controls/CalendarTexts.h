#pragma once

#include <QString>
#include <QStringList>

namespace pexor {

// The program's own texts of the calendar, letters as stored.
inline QStringList DefaultCalendarHints() {
    return {QStringLiteral("Annйe prйcйdente|"), QStringLiteral("Mois prйcйdent|"),
            QStringLiteral("Mois suivant|"), QStringLiteral("Annйe suivante|")};
}

inline QString DefaultDialogTitle() { return QStringLiteral("Sйlectionner une date"); }

inline QString CancelButtonText() { return QStringLiteral("Annuler"); }

// The month title above a calendar.
inline QString CalendarTitleFormat() { return QStringLiteral("MMMM, YYYY"); }

} // namespace pexor
