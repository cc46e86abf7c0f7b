#pragma once

#include <QString>
#include <QStringList>

namespace pexor {

// The program's own texts of the calendar, letters as stored.
inline QStringList DefaultCalendarHints() {
    return {QStringLiteral("Annйe prйcйdente|"), QStringLiteral("Mois prйcйdent|"),
            QStringLiteral("Mois suivant|"), QStringLiteral("Annйe suivante|")};
}

// What the navigation buttons do, in the same order, as screen readers name
// them (the hints keep their stored letters).
inline QStringList CalendarButtonNames() {
    return {QStringLiteral("Année précédente"), QStringLiteral("Mois précédent"),
            QStringLiteral("Mois suivant"), QStringLiteral("Année suivante")};
}

// The drop-down calendar and the date field's button, for screen readers.
inline QString CalendarName() { return QStringLiteral("Calendrier"); }

inline QString DefaultDialogTitle() { return QStringLiteral("Sйlectionner une date"); }

inline QString CancelButtonText() { return QStringLiteral("Annuler"); }

// The month title above a calendar.
inline QString CalendarTitleFormat() { return QStringLiteral("MMMM, YYYY"); }

} // namespace pexor
