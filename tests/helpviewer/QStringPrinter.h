#pragma once

#include <QString>
#include <ostream>

// Failures show texts as text, not as runs of bytes.
inline void PrintTo(const QString &text, std::ostream *out) {
    *out << '"' << text.toStdString() << '"';
}
