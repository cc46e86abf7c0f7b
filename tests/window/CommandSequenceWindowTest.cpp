#include "WindowTestSupport.h"
#include "chart/axes/ChartAxis.h"
#include "chart/ChartWidget.h"

#include <QPrinter>
#include <functional>
#include <string>

namespace pexor {
namespace {

struct Command {
    std::string Name;
    // Runs the command as a person does and checks that it did its work.
    std::function<void()> RunAndCheck;
};

// Every command of the window, then every other one after it: a command
// must do its work whatever ran before it.
class CommandSequenceWindowTest : public test::HelpViewerWindowFixture {
protected:
    void SetUp() override {
        test::HelpViewerWindowFixture::SetUp();
        WriteIni(test::kThreeReadings);
        pdf = dir.filePath(QStringLiteral("suite.pdf"));
    }

    TChart &Chart() const { return window->Chart1(); }
    double LeftSpan() const { return Chart().LeftAxis().Maximum() - Chart().LeftAxis().Minimum(); }

    // Back to the automatic ranges between two pairs of commands.
    void ResetView() {
        Chart().Zoom().UndoZoom();
        for (TCustomChartAxis *axis :
             {&Chart().LeftAxis(), &Chart().RightAxis(), &Chart().TopAxis(), &Chart().BottomAxis()})
            axis->SetAutomatic(true);
        Chart().repaint();
    }

    std::vector<Command> Commands() {
        return {
            {"print",
             [this] {
                 QFile::remove(pdf);
                 ClickToolButton("tlbImprimer");
                 EXPECT_TRUE(QFile::exists(pdf));
             }},
            {"printer set-up",
             [this] {
                 // A file that exists would bring the question whether to replace it.
                 QFile::remove(pdf);
                 boxes.OnDialog = [this](QDialog *dialog) { test::ChoosePdfFile(dialog, pdf); };
                 ChooseMenuItem(QStringLiteral("&Fichier"),
                                QStringLiteral("&Configuration imprimante..."));
                 boxes.OnDialog = nullptr;
                 EXPECT_EQ(window->Printer().outputFileName(), pdf);
             }},
            {"about",
             [this] {
                 QString seen;
                 boxes.OnDialog = [&seen](QDialog *dialog) {
                     seen = dialog->objectName();
                     dialog->reject();
                 };
                 ChooseMenuItem(QStringLiteral("&Aide"), QStringLiteral("A &propos de..."));
                 boxes.OnDialog = nullptr;
                 EXPECT_EQ(seen, QStringLiteral("FAbout"));
             }},
            {"help",
             [this] {
                 // The offscreen platform gives the window back no activation
                 // when a dialog closes, as a window manager would.
                 Activate();
                 QTest::keyClick(window.get(), Qt::Key_F1);
                 ASSERT_EQ(test::VisibleHelpWindows().size(), 1u);
                 test::VisibleHelpWindows()[0]->close();
                 EXPECT_TRUE(test::VisibleHelpWindows().empty());
             }},
            {"zoom by mouse",
             [this] {
                 // Well inside the plot area, whatever the labels' widths.
                 const QRect r = Chart().contentsRect();
                 const QPoint from = r.topLeft() + QPoint(r.width() * 4 / 10, r.height() * 3 / 10);
                 const QPoint to = r.topLeft() + QPoint(r.width() * 7 / 10, r.height() * 7 / 10);
                 const double span = LeftSpan();
                 QTest::mousePress(&Chart(), Qt::LeftButton, {}, from);
                 QTest::mouseMove(&Chart(), to);
                 QTest::mouseRelease(&Chart(), Qt::LeftButton, {}, to);
                 EXPECT_LT(LeftSpan(), span * 0.9);
             }},
            {"zoom in",
             [this] {
                 const double span = LeftSpan();
                 ClickToolButton("ToolButton1");
                 EXPECT_LT(LeftSpan(), span * 0.9);
             }},
            {"undo zoom",
             [this] {
                 ClickToolButton("ToolButton4");
                 EXPECT_FALSE(Chart().Zoom().ScalesSaved());
             }},
            {"scroll left",
             [this] {
                 const double min = Chart().BottomAxis().Minimum();
                 ClickToolButton("ToolButton5");
                 EXPECT_NE(Chart().BottomAxis().Minimum(), min);
             }},
            {"quit, no",
             [this] {
                 const std::size_t seen = boxes.Boxes().size();
                 boxes.Answer(QStringLiteral("&Non"));
                 ClickToolButton("tlbQuitter");
                 ASSERT_EQ(boxes.Boxes().size(), seen + 1);
                 EXPECT_EQ(boxes.Boxes().back().Title, QStringLiteral("Confirmation"));
                 EXPECT_TRUE(window->isVisible());
             }},
        };
    }

    QString pdf;
};

TEST_F(CommandSequenceWindowTest, EveryCommandWorksAfterEveryOther) {
    Open();
    const std::vector<Command> commands = Commands();
    commands[1].RunAndCheck(); // a printer to print on
    for (const Command &first : commands) {
        for (const Command &second : commands) {
            SCOPED_TRACE(second.Name + " after " + first.Name);
            // Between two clicks of a person the window repaints.
            first.RunAndCheck();
            QApplication::processEvents();
            second.RunAndCheck();
            ResetView();
            QApplication::processEvents();
        }
    }
    // Only the quit questions came up: no error on the way.
    for (const test::SeenBox &box : boxes.Boxes())
        EXPECT_EQ(box.Title, QStringLiteral("Confirmation")) << box.Text.toStdString();
}

} // namespace
} // namespace pexor
