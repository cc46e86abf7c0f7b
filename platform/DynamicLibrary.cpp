#include "platform/DynamicLibrary.h"

#include <QFile>
#include <dlfcn.h>

namespace pexor {

LibraryHandle LoadLibrary(const QString &path) {
    if (path.isEmpty())
        return nullptr;
    // A bare file name would make the loader search the system paths; the
    // program always names the file it means.
    QString name = path;
    if (!name.contains(QLatin1Char('/')))
        name.prepend(QStringLiteral("./"));
    return dlopen(QFile::encodeName(name).constData(), RTLD_NOW | RTLD_LOCAL);
}

void *GetProcAddress(LibraryHandle library, const char *name) {
    if (library == nullptr || name == nullptr)
        return nullptr;
    return dlsym(library, name);
}

bool FreeLibrary(LibraryHandle library) {
    if (library == nullptr)
        return false;
    return dlclose(library) == 0;
}

} // namespace pexor
