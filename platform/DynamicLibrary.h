#pragma once

#include <QString>

namespace pexor {

// A loaded shared library; null when none.
using LibraryHandle = void *;

// Loads the shared library at the path (all symbols bound now, kept local).
// Answers null when it cannot be loaded; the reason is not reported.
LibraryHandle LoadLibrary(const QString &path);
// The address of an exported symbol, or null when the library lacks it or
// the handle is null.
void *GetProcAddress(LibraryHandle library, const char *name);
// Releases a library LoadLibrary gave; a null handle is ignored. Answers
// whether the release succeeded.
bool FreeLibrary(LibraryHandle library);

} // namespace pexor
