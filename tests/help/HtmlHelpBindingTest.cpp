#include "help/HtmlHelpBinding.h"

#include "help/HelpDiagnostics.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace pexor {
namespace {

// Loads the test stand-ins for the viewer; each records its calls in a log.
class HtmlHelpBindingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        logName = dir.filePath(QStringLiteral("viewer.log"));
        qputenv("PEXOR_FAKE_VIEWER_LOG", QFile::encodeName(logName));
        SetHelpViewerPathOverride(QStringLiteral(PEXOR_FAKE_VIEWER));
    }
    void TearDown() override {
        HelpViewerUnload();
        SetHelpViewerPathOverride(std::nullopt);
        SetHelpViewerAutoLoad(true);
        qunsetenv("PEXOR_FAKE_VIEWER_LOG");
    }
    QStringList Log() const {
        QFile file(logName);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    static void ExpectEmpty() {
        const HtmlHelpBindingState &state = HtmlHelpBinding();
        EXPECT_EQ(state.Library, nullptr);
        EXPECT_EQ(state.HtmlHelpA, nullptr);
        EXPECT_EQ(state.HtmlHelpW, nullptr);
        EXPECT_EQ(state.HtmlHelp, nullptr);
    }

    QTemporaryDir dir;
    QString logName;
};

TEST_F(HtmlHelpBindingTest, DisplayThenCloseAllReachTheViewerBeforeItIsFreed) {
    ExpectEmpty();
    HelpViewerLoad();
    const HtmlHelpBindingState &state = HtmlHelpBinding();
    ASSERT_NE(state.Library, nullptr);
    ASSERT_NE(state.HtmlHelpA, nullptr);
    EXPECT_NE(state.HtmlHelpW, nullptr);
    EXPECT_EQ(state.HtmlHelp, state.HtmlHelpA);

    int desktop = 0;
    EXPECT_NE(HelpDisplayTopic(&desktop, QStringLiteral("Pexor.chm")), nullptr);
    HelpCloseAll();
    HelpViewerUnload();
    ExpectEmpty();
    // Nothing reaches the freed library any more.
    HelpCloseAll();
    EXPECT_EQ(HelpDisplayTopic(&desktop, QStringLiteral("Pexor.chm")), nullptr);

    EXPECT_EQ(Log(), QStringList({QStringLiteral("A owner=set file=Pexor.chm command=0 data=0"),
                                  QStringLiteral("A owner=none file=(none) command=18 data=0"),
                                  QStringLiteral("unload owner=none file= command=0 data=0")}));
}

TEST_F(HtmlHelpBindingTest, SecondLoadKeepsTheLibraryAlreadyLoaded) {
    HelpViewerLoad();
    const LibraryHandle first = HtmlHelpBinding().Library;
    SetHelpViewerPathOverride(QStringLiteral(PEXOR_FAKE_VIEWER_WIDE));
    HelpViewerLoad();
    EXPECT_EQ(HtmlHelpBinding().Library, first);
    EXPECT_NE(HtmlHelpBinding().HtmlHelp, nullptr);
    HelpViewerUnload();
    HelpViewerUnload();
    ExpectEmpty();
}

TEST_F(HtmlHelpBindingTest, MissingOrBrokenViewerLeavesTheSlotsEmptyAndCallsSafe) {
    SetHelpViewerPathOverride(dir.filePath(QStringLiteral("libpexorhelp.so.4.74.9273.0")));
    EXPECT_EQ(HelpViewerPath(), QString());
    HelpViewerLoad();
    ExpectEmpty();

    // A file that is there but is no library.
    const QString bogus = dir.filePath(QStringLiteral("libbogus.so.1.2.3.4"));
    QFile file(bogus);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a library");
    file.close();
    SetHelpViewerPathOverride(bogus);
    EXPECT_EQ(HelpViewerPath(), bogus);
    HelpViewerLoad();
    ExpectEmpty();

    EXPECT_EQ(HelpDisplayTopic(nullptr, QStringLiteral("Pexor.chm")), nullptr);
    EXPECT_EQ(HtmlHelp(nullptr, "Pexor.chm", HH_DISPLAY_TOPIC, 0), nullptr);
    HelpCloseAll();
    HelpViewerUnload();
    EXPECT_TRUE(Log().isEmpty());
}

TEST_F(HtmlHelpBindingTest, MissingExportLeavesItsSlotsEmpty) {
    SetHelpViewerPathOverride(QStringLiteral(PEXOR_FAKE_VIEWER_WIDE));
    HelpViewerLoad();
    const HtmlHelpBindingState &state = HtmlHelpBinding();
    EXPECT_NE(state.Library, nullptr);
    EXPECT_EQ(state.HtmlHelpA, nullptr);
    EXPECT_EQ(state.HtmlHelp, nullptr);
    ASSERT_NE(state.HtmlHelpW, nullptr);

    EXPECT_EQ(HelpDisplayTopic(nullptr, QStringLiteral("Pexor.chm")), nullptr);
    HelpCloseAll();
    EXPECT_NE(state.HtmlHelpW(nullptr, u"Pexor.chm", HH_DISPLAY_TOPIC, 0), nullptr);
    HelpViewerUnload();
    ExpectEmpty();
    EXPECT_EQ(Log(), QStringList({QStringLiteral("W owner=none file=Pexor.chm command=0 data=0"),
                                  QStringLiteral("unload owner=none file= command=0 data=0")}));
}

TEST_F(HtmlHelpBindingTest, SessionLoadsAtStartAndFreesAtEnd) {
    HelpDiagnosticInputs inputs;
    inputs.ModulePath = dir.filePath(QStringLiteral("Pexor"));
    inputs.TempDirectory = dir.path();
    inputs.HelpViewerPath = HelpViewerPath();
    {
        const HelpSession session(inputs);
        EXPECT_NE(HtmlHelpBinding().HtmlHelp, nullptr);
        ASSERT_NE(session.Diagnostics(), nullptr);
        EXPECT_EQ(session.Diagnostics()->HhVerStr(), QStringLiteral("4.74.9273.0"));
        EXPECT_EQ(session.Diagnostics()->HhFriendlyVerStr(), QStringLiteral("1.33"));
        HelpCloseAll();
    }
    ExpectEmpty();
    EXPECT_EQ(Log(), QStringList({QStringLiteral("A owner=none file=(none) command=18 data=0"),
                                  QStringLiteral("unload owner=none file= command=0 data=0")}));

    SetHelpViewerAutoLoad(false);
    {
        const HelpSession session(inputs);
        ExpectEmpty();
    }
}

} // namespace
} // namespace pexor
