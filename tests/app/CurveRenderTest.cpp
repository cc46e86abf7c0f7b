#include "app/PrintCommand.h"
#include "app/CurveRender.h"
#include "app/Quilma.h"
#include "QuilmaTestSupport.h"
#include "chart/ChartWidget.h"
#include "platform/Exceptions.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPrinter>
#include <QProcess>

namespace pexor {
namespace {

using test::QuilmaFixture;

int PdfPageCount(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("%PDF"))
        return -1;
    return int(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
               bytes.count("/Type /Page/") + bytes.count("/Type /Page>"));
}

QString PdfText(const QString &path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    if (!process.waitForFinished())
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

class CurveRenderTest : public QuilmaFixture {};

TEST_F(CurveRenderTest, PngHasTheWindowChartSize) {
    WriteIni(test::ThreeReadingsIni());
    const QString png = dir.filePath(QStringLiteral("curve.png"));
    RenderCurveFile(iniPath, png);
    QImage image(png);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(336, 256));
    // The curve's blue segments are drawn.
    int blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            blue += image.pixelColor(x, y) == QColor(0, 0, 255);
    EXPECT_GT(blue, 20);
}

TEST_F(CurveRenderTest, PdfIsOneA4PageWithTheHeader) {
    WriteIni(test::ThreeReadingsIni());
    const QString pdf = dir.filePath(QStringLiteral("curve.PDF"));
    RenderCurveFile(iniPath, pdf);
    EXPECT_EQ(PdfPageCount(pdf), 1);
    EXPECT_TRUE(PdfText(pdf).contains(kPrintHeaderLine));
}

TEST_F(CurveRenderTest, RefusesUnreadableFileAndUnknownType) {
    WriteIni(test::ThreeReadingsIni());
    EXPECT_THROW(RenderCurveFile(dir.filePath(QStringLiteral("absent.ini")),
                                 dir.filePath(QStringLiteral("a.png"))),
                 EFileError);
    EXPECT_THROW(RenderCurveFile(iniPath, dir.filePath(QStringLiteral("a.jpg"))), EFileError);
    EXPECT_THROW(RenderCurveFile(iniPath, dir.filePath(QStringLiteral("none/a.png"))), EFileError);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("a.png"))));
}

class WindowPrintTest : public QuilmaFixture {
protected:
    void SetUp() override {
        QuilmaFixture::SetUp();
        WriteIni(test::ThreeReadingsIni());
        window = std::make_unique<TfrmQuilma>(iniPath);
        pdf = dir.filePath(QStringLiteral("page.pdf"));
        window->Printer().setOutputFormat(QPrinter::PdfFormat);
        window->Printer().setOutputFileName(pdf);
    }
    void TearDown() override {
        window.reset();
        QuilmaFixture::TearDown();
    }
    std::unique_ptr<TfrmQuilma> window;
    QString pdf;
};

TEST_F(WindowPrintTest, PrintsOnePageWithHeaderAndChart) {
    int drawsSeen = 0;
    window->Chart1().OnAfterDraw = [&](TCustomAxisPanel &) {
        ++drawsSeen;
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    };
    window->findChild<QAction *>(QStringLiteral("tlbImprimer"))->trigger();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(drawsSeen, 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(PdfPageCount(pdf), 1);
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.startsWith(kPrintHeaderLine)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Courbe de TP (%)")));
}

TEST_F(WindowPrintTest, FailingDrawThroughTheButtonShowsTheError) {
    window->Chart1().OnAfterDraw = [](TCustomAxisPanel &) {
        throw EFileError(QStringLiteral("Panne de dessin"));
    };
    window->findChild<QAction *>(QStringLiteral("tlbImprimer"))->trigger();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, QStringLiteral("Panne de dessin."));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_NE(PdfPageCount(pdf), 1);
}

} // namespace
} // namespace pexor
