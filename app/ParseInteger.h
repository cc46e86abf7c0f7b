#pragma once

#include <QString>

namespace pexor {

// The whole-number conversion of row numbers and TP texts: leading spaces, an
// optional sign, then decimal digits or hexadecimal digits after "$", "x",
// "X", "0x" or "0X", up to the very end, within the signed 32-bit range.
// False, and value untouched, for any other text.
bool TryParseInteger(const QString &text, int &value);

// Throws EConvertError "'%s' n'est pas une valeur entière correcte" naming
// the text.
int ParseInteger(const QString &text);

} // namespace pexor
