#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

namespace pexor {
namespace {

// The test program installs the translations at start, as the program does.
TEST(QtTranslations, QtsDialogsAndOursSpeakFrench) {
    ASSERT_TRUE(QDir(QtTranslationsDirectory()).exists(QStringLiteral("qtbase_fr.qm")));
    // From Qt's catalogue.
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Undo"), QStringLiteral("&Annuler"));
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Imprimer"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"),
              QStringLiteral("Voir dans :"));
    // Ours, where Qt's catalogue has nothing.
    EXPECT_EQ(QCoreApplication::translate("QPrintSettingsOutput", "Long side binding"),
              QStringLiteral("Reliure bord long"));
    EXPECT_EQ(QCoreApplication::translate("QPrintPropertiesDialog", "Printer Properties"),
              QStringLiteral("Propriétés de l'imprimante"));
    // Neither: the text stays as it is.
    EXPECT_EQ(QCoreApplication::translate("Pexor", "Pexorv1.0"), QStringLiteral("Pexorv1.0"));
}

} // namespace
} // namespace pexor
