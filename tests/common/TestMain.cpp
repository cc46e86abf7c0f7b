#include "platform/QtTranslations.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every suite runs under one QApplication so widget and painting tests work
// alongside the pure ones (the offscreen platform is set by CTest), with
// Qt's dialogs in French as in the program.
int main(int argc, char **argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    pexor::InstallFrenchTranslations(app);
    return RUN_ALL_TESTS();
}
