#pragma once

#include <QString>

namespace pexor {

// The program's name and version as its texts show them.
inline const QString kProductName = QStringLiteral("Pexor");
inline const QString kVersion = QStringLiteral("v1.0");
// Caption of the error boxes: the application title has no blank.
inline const QString kApplicationTitle = kProductName + kVersion;
// Caption of the main window.
inline const QString kWindowCaption = kProductName + QLatin1Char(' ') + kVersion;

} // namespace pexor
