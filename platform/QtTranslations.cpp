#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QHash>
#include <QLibraryInfo>
#include <QTranslator>

namespace pexor {

namespace {

// The texts of Qt's dialogs that its French catalogue leaves in English,
// whatever their context; the printer dialogs hold most of them.
class MissingFrenchTexts : public QTranslator {
public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char *, const char *sourceText, const char *, int) const override {
        static const QHash<QByteArray, QString> texts = {
            {"Advanced", QStringLiteral("Avancé")},
            {"Double Sided Printing", QStringLiteral("Impression recto verso")},
            {"Long side binding", QStringLiteral("Reliure bord long")},
            {"Off", QStringLiteral("Désactivé")},
            {"Printer Properties", QStringLiteral("Propriétés de l'imprimante")},
            {"Short side binding", QStringLiteral("Reliure bord court")},
            {"Specify pages or ranges separated by commas. Ranges are specified by two numbers "
             "separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
             QStringLiteral("Indiquez des pages ou des plages de pages séparées par des virgules. "
                            "Une plage s'écrit avec deux numéros séparés par un tiret. Par "
                            "exemple, 3,5-7,9 imprime les pages 3, 5, 6, 7 et 9.")},
            {"There are conflicts in some options. Please fix them.",
             QStringLiteral("Certaines options sont incompatibles. Veuillez les corriger.")},
        };
        return sourceText ? texts.value(QByteArray(sourceText)) : QString();
    }
};

} // namespace

QString QtTranslationsDirectory() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

bool InstallFrenchTranslations(QCoreApplication &app) {
    // Installed first, so that Qt's own catalogue wins wherever it has a text.
    QCoreApplication::installTranslator(new MissingFrenchTexts(&app));
    auto *qt = new QTranslator(&app);
    if (!qt->load(QStringLiteral("qtbase_fr"), QtTranslationsDirectory())) {
        delete qt;
        return false;
    }
    QCoreApplication::installTranslator(qt);
    return true;
}

} // namespace pexor
