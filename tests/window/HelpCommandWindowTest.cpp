#include "WindowTestSupport.h"
#include "app/ProgramStart.h"

#include <QDir>
#include <QElapsedTimer>
#include <QScreen>
#include <cstdio>

namespace pexor {
namespace {

// Set in the child process the quit test starts: the folder of its readings.
const char *const kChildFolder = "PEXOR_QUIT_CHILD_FOLDER";
// What the child writes when it has answered "Oui".
const QByteArray kAnswered = "pexor-child: quit answered";

class HelpCommandWindowTest : public test::HelpViewerWindowFixture {};

TEST_F(HelpCommandWindowTest, F1OpensTheHelpBesideOrCentredOnTheWindowWhollyOnScreen) {
    Open();
    QTest::keyClick(window.get(), Qt::Key_F1);
    ASSERT_TRUE(WaitFor([] { return test::VisibleHelpWindows().size() == 1; }));
    EXPECT_TRUE(boxes.Boxes().empty());
    const QWidget *help = test::VisibleHelpWindows()[0];
    const QRect main = window->frameGeometry();
    const QRect place = help->frameGeometry();
    EXPECT_TRUE(window->screen()->availableGeometry().contains(place))
        << place.x() << "," << place.y() << " " << place.width() << "x" << place.height();
    const bool beside = (place.left() == main.right() + 1 || place.right() == main.left() - 1) &&
                        place.top() == main.top();
    const QPoint offCentre = place.center() - main.center();
    EXPECT_TRUE(beside || offCentre.manhattanLength() <= 1)
        << "help at " << place.x() << "," << place.y() << " " << place.width() << "x"
        << place.height() << ", window at " << main.x() << "," << main.y();
}

// Runs only as the child process of the test below: the program's own run,
// from its start to the end of its event loop, quitting with the help open.
TEST_F(HelpCommandWindowTest, ChildQuitsWithTheHelpOpen) {
    const QString folder = qEnvironmentVariable(kChildFolder);
    if (folder.isEmpty())
        GTEST_SKIP() << "runs as the child of QuitWithTheHelpOpenEndsTheProgram";
    const int code =
        RunPexor(QDir(folder).filePath(QStringLiteral("Pexor.ini")), [this](TfrmQuilma &shown) {
            QTimer::singleShot(0, &shown, [this, &shown] {
                shown.activateWindow();
                ASSERT_TRUE(QTest::qWaitForWindowActive(&shown));
                QTest::keyClick(&shown, Qt::Key_F1);
                ASSERT_EQ(test::VisibleHelpWindows().size(), 1u);
                shown.Table().SetCells(1, 1, QStringLiteral("64"));
                boxes.Answer(QStringLiteral("&Oui"));
                QTest::mouseClick(shown.findChild<QToolButton *>(QStringLiteral("tlbQuitter")),
                                  Qt::LeftButton);
                std::fprintf(stdout, "%s\n", kAnswered.constData());
                std::fflush(stdout);
            });
        });
    EXPECT_EQ(code, 0);
    // The window went at the end of the run, and with it the help.
    EXPECT_TRUE(test::VisibleHelpWindows().empty());
}

TEST(HelpQuitWindowTest, QuitWithTheHelpOpenEndsTheProgram) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildFolder), folder.path());
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=HelpCommandWindowTest.ChildQuitsWithTheHelpOpen")});
    ASSERT_TRUE(child.waitForStarted());

    QByteArray output;
    QElapsedTimer sinceStart;
    sinceStart.start();
    while (!output.contains(kAnswered) && child.state() != QProcess::NotRunning &&
           sinceStart.elapsed() < 60000) {
        child.waitForReadyRead(100);
        output += child.readAll();
    }
    ASSERT_TRUE(output.contains(kAnswered)) << output.toStdString();

    // Once "Oui" is answered the program must be gone within a second.
    const bool ended = child.waitForFinished(1000);
    if (!ended) {
        child.kill();
        child.waitForFinished();
    }
    output += child.readAll();
    ASSERT_TRUE(ended) << "still running a second after the quit\n" << output.toStdString();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();

    QFile readings(QDir(folder.path()).filePath(QStringLiteral("Pexor.ini")));
    ASSERT_TRUE(readings.open(QIODevice::ReadOnly));
    EXPECT_TRUE(readings.readAll().contains("TP1=64\r\n"));
}

} // namespace
} // namespace pexor
