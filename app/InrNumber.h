#pragma once

#include <QString>
#include <optional>

namespace pexor {

// An INR as the patient types it: digits with a decimal comma or point
// ("2,5", "2.5", "3"), blanks around it ignored. Anything else (empty, a
// sign, letters, "2,5 ?") is not a number.
std::optional<double> ParseInrNumber(const QString &text);

// A decimal with a comma and at most two decimals, trailing zeros dropped:
// 2 gives "2", 2.5 gives "2,5", 2.25 gives "2,25".
QString InrNumberText(double value);

} // namespace pexor
