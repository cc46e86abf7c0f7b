#pragma once

#include <QString>

class QCoreApplication;

namespace pexor {

// Makes Qt's own dialogs, buttons and context menus speak French: Qt's
// French catalogue (qtbase_fr, from the system's Qt translations) and, for
// the few texts it leaves in English, ours. The translators belong to app.
// Answers whether Qt's catalogue was found; ours is installed either way.
bool InstallFrenchTranslations(QCoreApplication &app);

// Where Qt's catalogues are looked for.
QString QtTranslationsDirectory();

} // namespace pexor
