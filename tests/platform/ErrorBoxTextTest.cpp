#include "platform/Exceptions.h"

#include <gtest/gtest.h>

namespace pexor {
namespace {

TEST(ErrorBoxTextTest, FullStopOnlyAfterCharactersSortingAfterIt) {
    EXPECT_EQ(ErrorBoxText(QStringLiteral("''x'' n'est pas une date correcte")),
              QStringLiteral("''x'' n'est pas une date correcte."));
    EXPECT_EQ(ErrorBoxText(QStringLiteral("Impossible d'écrire dans /tmp/Pexor.ini")),
              QStringLiteral("Impossible d'écrire dans /tmp/Pexor.ini."));
    EXPECT_EQ(ErrorBoxText(QStringLiteral("valeur 5")), QStringLiteral("valeur 5."));
    EXPECT_EQ(ErrorBoxText(QStringLiteral("fini")), QStringLiteral("fini."));
    EXPECT_EQ(ErrorBoxText(QStringLiteral("déjà")), QStringLiteral("déjà."));
    EXPECT_EQ(ErrorBoxText(QStringLiteral("question ?")), QStringLiteral("question ?."));
    EXPECT_EQ(ErrorBoxText(QStringLiteral("index (5)")), QStringLiteral("index (5)"));
    EXPECT_EQ(ErrorBoxText(QStringLiteral("fin.")), QStringLiteral("fin."));
    EXPECT_EQ(ErrorBoxText(QStringLiteral("attention !")), QStringLiteral("attention !"));
    EXPECT_EQ(ErrorBoxText(QStringLiteral("'texte'")), QStringLiteral("'texte'"));
    EXPECT_EQ(ErrorBoxText(QStringLiteral("a-")), QStringLiteral("a-"));
    EXPECT_EQ(ErrorBoxText(QString()), QString());
}

TEST(ErrorBoxTextTest, ExceptionsCarryTheirMessage) {
    try {
        throw EConvertError(QStringLiteral("'x' n'est pas une valeur entière correcte"));
    } catch (const Exception &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("'x' n'est pas une valeur entière correcte"));
        EXPECT_STREQ(e.what(), "'x' n'est pas une valeur enti\xC3\xA8re correcte");
    }
}

} // namespace
} // namespace pexor
