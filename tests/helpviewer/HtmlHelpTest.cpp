#include "helpviewer/HelpFileLocator.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTreeWidget>
#include <dlfcn.h>
#include <gtest/gtest.h>

using namespace pexor;

namespace {

using HtmlHelpA = void *(*)(void *, const char *, unsigned int, std::uintptr_t);
using HtmlHelpW = void *(*)(void *, const char16_t *, unsigned int, std::uintptr_t);
constexpr unsigned int DisplayTopic = 0;
constexpr unsigned int CloseAll = 18;

// The built library, loaded the way the program loads it.
class ViewerLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        handle = dlopen(PEXOR_TEST_VIEWER, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(handle, nullptr) << dlerror();
        helpA = reinterpret_cast<HtmlHelpA>(dlsym(handle, "HtmlHelpA"));
        helpW = reinterpret_cast<HtmlHelpW>(dlsym(handle, "HtmlHelpW"));
        ASSERT_TRUE(helpA && helpW);
    }
    void TearDown() override {
        if (helpA)
            helpA(nullptr, nullptr, CloseAll, 0);
        if (handle)
            dlclose(handle);
    }

    static int HelpWindows() {
        int count = 0;
        for (QWidget *widget : QApplication::topLevelWidgets())
            count += widget->objectName() == QLatin1String("HelpWindow");
        return count;
    }

    void *handle = nullptr;
    HtmlHelpA helpA = nullptr;
    HtmlHelpW helpW = nullptr;
};

} // namespace

TEST_F(ViewerLibrary, ExportsOnlyTheTwoEntryPoints) {
    EXPECT_NE(QString::fromLatin1(PEXOR_TEST_VIEWER)
                  .indexOf(QLatin1String("libpexorhelp.so.4.74.9273.0")),
              -1);
    EXPECT_EQ(dlsym(handle, "_ZN5pexor13ViewerSession8InstanceEv"), nullptr);
}

TEST_F(ViewerLibrary, DisplayOpensThenRaisesOneWindowAndCloseAllDestroysIt) {
    // A bare name is found beside the program (the test sits beside Pexor.chm).
    QPointer<QWidget> window = static_cast<QWidget *>(helpA(nullptr, "Pexor.chm", DisplayTopic, 0));
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Aide de Pexor"));
    auto *browser = window->findChild<QTextBrowser *>(QStringLiteral("Browser"));
    ASSERT_NE(browser, nullptr);
    EXPECT_EQ(browser->source().path(), QStringLiteral("/index.htm"));
    EXPECT_EQ(window->findChild<QTreeWidget *>(QStringLiteral("Contents"))->topLevelItemCount(), 2);

    // The user moves on and closes the window; the program asks again.
    browser->setSource(browser->source().resolved(QUrl(QStringLiteral("fichier.htm"))));
    EXPECT_EQ(browser->source().path(), QStringLiteral("/fichier.htm"));
    window->close();
    EXPECT_EQ(helpW(nullptr, u"Pexor.chm", DisplayTopic, 0), window.data());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(browser->source().path(), QStringLiteral("/index.htm"));
    EXPECT_EQ(HelpWindows(), 1);

    EXPECT_EQ(helpA(nullptr, nullptr, CloseAll, 0), nullptr);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(HelpWindows(), 0);
    EXPECT_EQ(helpA(nullptr, nullptr, CloseAll, 0), nullptr);
}

TEST_F(ViewerLibrary, NamedPageOpensThatPage) {
    auto *window = static_cast<QWidget *>(
        helpA(nullptr, PEXOR_TEST_HELP_FILE "::/clavier.htm", DisplayTopic, 0));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->findChild<QTextBrowser *>(QStringLiteral("Browser"))->source().path(),
              QStringLiteral("/clavier.htm"));
    // Straight to the page: nothing to go back to.
    EXPECT_FALSE(window->findChild<QWidget *>(QStringLiteral("Back"))->isEnabled());
}

TEST_F(ViewerLibrary, OtherCommandsAndBadFilesAnswerNull) {
    for (unsigned int command : {1u, 2u, 17u, 19u, 0x0Du, 0xFFFFFFFFu})
        EXPECT_EQ(helpA(nullptr, "Pexor.chm", command, 0), nullptr) << command;
    EXPECT_EQ(helpA(nullptr, "Absent.chm", DisplayTopic, 0), nullptr);
    EXPECT_EQ(helpW(nullptr, u"Absent.chm", DisplayTopic, 0), nullptr);
    EXPECT_EQ(helpA(nullptr, nullptr, DisplayTopic, 0), nullptr);
    EXPECT_EQ(helpW(nullptr, nullptr, DisplayTopic, 0), nullptr);
    EXPECT_EQ(helpA(nullptr, "", DisplayTopic, 0), nullptr);
    QTemporaryDir dir;
    QFile fake(dir.filePath(QStringLiteral("Faux.chm")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("ceci n'est pas un fichier d'aide");
    fake.close();
    EXPECT_EQ(helpA(nullptr, QFile::encodeName(fake.fileName()).constData(), DisplayTopic, 0),
              nullptr);
    EXPECT_EQ(HelpWindows(), 0);
}

TEST(HelpFileLocator, BesideTheProgramFirstThenTheDataDirectory) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    QDir(root.path()).mkpath(QStringLiteral("bin"));
    QDir(root.path()).mkpath(QStringLiteral("share/pexor"));
    auto touch = [&](const QString &relative) {
        QFile file(root.filePath(relative));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    };
    const HelpFileLocator locator(
        root.filePath(QStringLiteral("bin")),
        {root.filePath(QStringLiteral("share/pexor")), root.filePath(QStringLiteral("autre"))});
    EXPECT_EQ(locator.Locate(QStringLiteral("Pexor.chm")), QString());
    QDir(root.path()).mkpath(QStringLiteral("autre"));
    touch(QStringLiteral("autre/Pexor.chm"));
    EXPECT_EQ(locator.Locate(QStringLiteral("Pexor.chm")),
              QFileInfo(root.filePath(QStringLiteral("autre/Pexor.chm"))).canonicalFilePath());
    touch(QStringLiteral("share/pexor/Pexor.chm"));
    EXPECT_EQ(
        locator.Locate(QStringLiteral("Pexor.chm")),
        QFileInfo(root.filePath(QStringLiteral("share/pexor/Pexor.chm"))).canonicalFilePath());
    touch(QStringLiteral("bin/Pexor.chm"));
    EXPECT_EQ(locator.Locate(QStringLiteral("Pexor.chm")),
              QFileInfo(root.filePath(QStringLiteral("bin/Pexor.chm"))).canonicalFilePath());
    // A name with a directory is not searched for elsewhere.
    EXPECT_EQ(locator.Locate(QStringLiteral("autre/Pexor.chm")), QString());
    EXPECT_EQ(
        locator.Locate(root.filePath(QStringLiteral("share/pexor/Pexor.chm"))),
        QFileInfo(root.filePath(QStringLiteral("share/pexor/Pexor.chm"))).canonicalFilePath());
    EXPECT_EQ(locator.Locate(QStringLiteral("bin")), QString());
    EXPECT_EQ(locator.Locate(QString()), QString());
}

TEST(HelpFileLocator, DefaultsToTheRunningProgramAndItsPrefix) {
    const HelpFileLocator locator;
    const QDir program(QCoreApplication::applicationDirPath());
    EXPECT_EQ(locator.ProgramDirectory(), program.path());
    ASSERT_GE(locator.DataDirectories().size(), 1);
    EXPECT_EQ(locator.DataDirectories().first(),
              QDir::cleanPath(program.filePath(QStringLiteral("../share/pexor"))));
    for (const QString &directory : locator.DataDirectories())
        EXPECT_TRUE(directory.endsWith(QLatin1String("/share/pexor"))) << directory.toStdString();
}
