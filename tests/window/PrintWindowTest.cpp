#include "WindowTestSupport.h"
#include "app/PrintCommand.h"
#include "chart/axes/ChartAxis.h"
#include "chart/ChartWidget.h"

#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace pexor {
namespace {

const QString kFichier = QStringLiteral("&Fichier");
const QString kConfiguration = QStringLiteral("&Configuration imprimante...");
const QString kImprimer = QStringLiteral("&Imprimer");

struct AxisRange {
    double Min;
    double Max;
    bool operator==(const AxisRange &) const = default;
};

class PrintWindowTest : public test::WindowFixture {
protected:
    void SetUp() override {
        test::WindowFixture::SetUp();
        WriteIni(test::kThreeReadings);
    }

    // The printer set-up through the menu, choosing a PDF file.
    void SetUpPdf(const QString &path) {
        boxes.OnDialog = [path](QDialog *dialog) { test::ChoosePdfFile(dialog, path); };
        ChooseMenuItem(kFichier, kConfiguration);
        boxes.OnDialog = nullptr;
    }

    void ExpectOnePage(const QString &path) {
        ASSERT_TRUE(QFile::exists(path)) << path.toStdString();
        const int pages = test::PdfPageCount(path);
        if (pages >= 0) {
            EXPECT_EQ(pages, 1);
        }
    }

    AxisRange LeftRange() const {
        return {window->Chart1().LeftAxis().Minimum(), window->Chart1().LeftAxis().Maximum()};
    }
    AxisRange BottomRange() const {
        return {window->Chart1().BottomAxis().Minimum(), window->Chart1().BottomAxis().Maximum()};
    }

    // A point of the chart's plot area as it stands on screen, as fractions
    // of its width and height, in the chart window's coordinates.
    QPoint PlotPoint(double fx, double fy) const {
        const TRect plot = screenPlot;
        const QPoint client(plot.Left + int(fx * plot.Width()), plot.Top + int(fy * plot.Height()));
        return client + window->Chart1().contentsRect().topLeft();
    }

    // A drag with the mouse from one point of the chart to another.
    void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
        TChart &chart = window->Chart1();
        QTest::mousePress(&chart, button, {}, from);
        QTest::mouseMove(&chart, (from + to) / 2);
        QTest::mouseMove(&chart, to);
        QTest::mouseRelease(&chart, button, {}, to);
    }

    TRect screenPlot;
};

TEST_F(PrintWindowTest, SetUpSpeaksFrenchAndItsOkKeepsTheChoiceWithoutPrinting) {
    Open();
    const QString pdf = dir.filePath(QStringLiteral("choix.pdf"));
    QString title;
    QStringList buttons;
    QStringList labels;
    QString acceptAfterChoice;
    boxes.OnDialog = [&](QDialog *dialog) {
        title = dialog->windowTitle();
        auto *box = dialog->findChild<QDialogButtonBox *>();
        for (QAbstractButton *button : box->buttons())
            buttons << button->text();
        for (QLabel *label : dialog->findChildren<QLabel *>())
            if (label->isVisible() && !label->text().isEmpty())
                labels << label->text();
        auto *printers = dialog->findChild<QComboBox *>(QStringLiteral("printers"));
        // Whatever printer is picked, the accept button stays a set-up's.
        for (int i = 0; i < printers->count(); ++i) {
            printers->setCurrentIndex(i);
            EXPECT_EQ(box->button(QDialogButtonBox::Ok)->text(), QStringLiteral("OK"));
        }
        test::ChoosePdfFile(dialog, pdf);
        acceptAfterChoice = box->button(QDialogButtonBox::Ok)->text();
    };
    ChooseMenuItem(kFichier, kConfiguration);

    EXPECT_EQ(title, QStringLiteral("Configuration de l'impression"));
    EXPECT_EQ(buttons, (QStringList{QStringLiteral("OK"), QStringLiteral("Annuler"),
                                    QStringLiteral("&Options >>")}));
    EXPECT_EQ(acceptAfterChoice, QStringLiteral("OK"));
    for (const char *label : {"&Nom :", "Emplacement :", "Type :", "&Fichier de sortie :"})
        EXPECT_TRUE(labels.contains(QString::fromUtf8(label))) << label;
    // The choice is kept for the next print; nothing was printed.
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(window->Printer().outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(window->Printer().outputFileName(), pdf);
}

TEST_F(PrintWindowTest, TwoPrintsInARow) {
    Open();
    const QString pdf = dir.filePath(QStringLiteral("courbe.pdf"));
    SetUpPdf(pdf);

    ClickToolButton("tlbImprimer");
    ExpectOnePage(pdf);
    ASSERT_TRUE(QFile::remove(pdf));

    ChooseMenuItem(kFichier, kImprimer);
    ExpectOnePage(pdf);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(PrintWindowTest, FailedPrintThenSetUpThenAPrintThatWorks) {
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "a printer is installed: a print would not fail";
    Open();

    ClickToolButton("tlbImprimer");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const test::SeenBox &box = boxes.Boxes()[0];
    EXPECT_EQ(box.Title, QStringLiteral("Pexorv1.0"));
    EXPECT_EQ(box.Text, QStringLiteral("Impossible de commencer l'impression."));
    EXPECT_EQ(box.Icon, QMessageBox::Critical);
    EXPECT_EQ(box.Buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(box.DefaultButton, QStringLiteral("OK"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    const QString pdf = dir.filePath(QStringLiteral("apres.pdf"));
    SetUpPdf(pdf);
    EXPECT_EQ(window->Printer().outputFileName(), pdf);
    ClickToolButton("tlbImprimer");
    ExpectOnePage(pdf);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(PrintWindowTest, MouseZoomsAndPansAfterAPrintAsBefore) {
    Open();
    TChart &chart = window->Chart1();
    screenPlot = chart.PlotRect();
    const QPoint from = PlotPoint(0.2, 0.2);
    const QPoint to = PlotPoint(0.7, 0.8);

    // The drag's zoom before any print, to compare with.
    Drag(Qt::LeftButton, from, to);
    ASSERT_TRUE(chart.Zoom().ScalesSaved());
    const AxisRange zoomedLeft = LeftRange();
    const AxisRange zoomedBottom = BottomRange();
    ClickToolButton("ToolButton4");
    const AxisRange left = LeftRange();
    ASSERT_NE(left, zoomedLeft);

    SetUpPdf(dir.filePath(QStringLiteral("zoom.pdf")));
    ClickToolButton("tlbImprimer");
    ASSERT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(chart.PlotRect(), screenPlot);

    // The rubber band shows while the button is down, and the release zooms.
    QTest::mousePress(&chart, Qt::LeftButton, {}, from);
    EXPECT_TRUE(chart.Zoom().Drag().Active);
    QTest::mouseMove(&chart, to);
    QTest::mouseRelease(&chart, Qt::LeftButton, {}, to);
    EXPECT_FALSE(chart.Zoom().Drag().Active);
    EXPECT_EQ(LeftRange(), zoomedLeft);
    EXPECT_EQ(BottomRange(), zoomedBottom);

    // Panning with the right button moves the range by the same amount.
    const AxisRange before = LeftRange();
    Drag(Qt::RightButton, PlotPoint(0.5, 0.5), PlotPoint(0.5, 0.3));
    EXPECT_FALSE(chart.Mouse().PanDrag().Active);
    EXPECT_NE(LeftRange(), before);
    EXPECT_NEAR(LeftRange().Max - LeftRange().Min, before.Max - before.Min, 1e-9);
}

} // namespace
} // namespace pexor
