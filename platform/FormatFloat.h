#pragma once

#include "platform/LocaleSettings.h"

#include <QString>

namespace pexor {

// Formats a number by a pattern such as "#,##0.###", "##0.## %", "0" or
// "#,##0": digit placeholders 0 and #, grouping by the thousands separator,
// the decimal separator, the per-cent sign (value times 100) and literal text
// (quoted or plain). Halves round away from zero.
QString FormatFloat(const QString &pattern, double value);
QString FormatFloat(const QString &pattern, double value, const LocaleSettings &settings);

} // namespace pexor
