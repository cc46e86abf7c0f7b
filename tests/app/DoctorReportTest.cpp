#include "app/DoctorReport.h"

#include "QuilmaTestSupport.h"
#include "app/CurveRender.h"
#include "app/ReadingsFile.h"
#include "app/ReadingsTable.h"
#include "platform/Exceptions.h"
#include "tests/common/FileFaults.h"

#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <cerrno>

namespace pexor {
namespace {

using test::QuilmaFixture;

// Runs a poppler tool; empty output when it is missing or fails.
QByteArray RunTool(const QString &name, const QStringList &args) {
    const QString tool = QStandardPaths::findExecutable(name);
    if (tool.isEmpty())
        return {};
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

bool HaveTools() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

// Six readings out of order, one INR above the target, one below, one not a
// number, one row empty.
QByteArray SixReadingsIni() {
    return "[Dates]\r\nDate1=15/12/2026\r\nDate2=01/12/2026\r\nDate4=22/12/2026\r\n"
           "Date5=08/12/2026\r\nDate6=29/12/2026\r\nDate7=05/01/2027\r\n"
           "[TP]\r\nTP1=31\r\nTP2=45\r\nTP4=24\r\nTP5=38\r\nTP6=52\r\nTP7=35\r\n"
           "[INR]\r\nINR1=2,9\r\nINR2=1,8\r\nINR4=3,6\r\nINR5=2,4\r\nINR6=non fait\r\n"
           "INR7=2,2\r\n";
}

class DoctorReportTest : public QuilmaFixture {
protected:
    void SetUp() override {
        QuilmaFixture::SetUp();
        WriteIni(SixReadingsIni());
        table.SetHeader();
        ChargeOptions(table, iniPath);
        facts.PatientName = QStringLiteral("Marie Curie");
        facts.Today = MakeDate(2027, 1, 6);
        pdf = dir.filePath(QStringLiteral("rapport.pdf"));
    }
    ReadingsTable table;
    DoctorReportFacts facts;
    QString pdf;
};

TEST(InrFigureLinesTest, SaysEachFigureOrWhyItIsMissing) {
    InrSummary summary;
    summary.TimeInRange = 0.625;
    summary.Counted = 3;
    summary.InRange = 2;
    summary.Last = InrPoint{MakeDate(2026, 12, 15), 2.9};
    const QStringList lines = InrFigureLines(summary);
    EXPECT_EQ(
        lines,
        QStringList({"Temps dans la cible : 63 %",
                     "(méthode de Rosendaal, 1993 : l'INR est interpolé en ligne droite "
                     "entre deux relevés)",
                     "Relevés dans la cible : 2 sur 3 (67 %)", "Dernier INR : 2,9 le 15/12/2026"}));
    const QStringList none = InrFigureLines(InrSummary{});
    EXPECT_EQ(none[0], QStringLiteral("Temps dans la cible : non calculable, il faut des INR à "
                                      "deux dates au moins"));
    EXPECT_EQ(none[2], QStringLiteral("Relevés dans la cible : aucun INR chiffré"));
    EXPECT_EQ(none[3], QStringLiteral("Dernier INR : aucun"));
}

TEST_F(DoctorReportTest, PageShowsEveryReadingAndTheFigures) {
    if (!HaveTools())
        GTEST_SKIP() << "pdftotext ou pdftoppm absent : installer poppler-utils "
                        "(scripts/install-deps)";
    WriteDoctorReport(pdf, table, facts);
    const QString text = QString::fromUtf8(RunTool(
        QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}));
    EXPECT_EQ(text.count(u'\f'), 1) << "one page";
    const QStringList expected = {
        "Suivi du traitement anticoagulant : rapport pour le médecin", "Patient : Marie Curie",
        "Rapport du 06/01/2027", "Période : du 01/12/2026 au 05/01/2027", "Cible INR : 2 à 3",
        // The readings in date order; the INR out of target marked.
        "01/12/2026 45 1,8 au-dessous", "08/12/2026 38 2,4 dans la cible",
        "15/12/2026 31 2,9 dans la cible", "22/12/2026 24 3,6 au-dessus",
        "29/12/2026 52 non fait non compté", "05/01/2027 35 2,2 dans la cible",
        // 01/12 to 08/12, 1,8 to 2,4: two thirds inside (4 2/3 days); to
        // 15/12: 7 days; to 22/12, 2,9 to 3,6: a seventh (1 day); to 05/01,
        // 3,6 to 2,2: four sevenths of 14 days (8 days). 20 2/3 of 35 days.
        "Temps dans la cible : 59 %", "Relevés dans la cible : 3 sur 5 (60 %)",
        "Dernier INR : 2,2 le 05/01/2027", "Courbe de TP (%)", "Courbe de l'INR",
        "Ce rapport ne remplace pas l'avis de votre médecin."};
    const QString flat = text.simplified();
    for (const QString &line : expected)
        EXPECT_TRUE(flat.contains(line)) << line.toStdString() << "\n" << text.toStdString();
}

// How many pixels of the band of the page (top to bottom, in millimetres)
// have the colour.
int CountColour(const QImage &page, double topMm, double bottomMm, QColor colour) {
    const double perMm = page.height() / 297.0;
    int count = 0;
    for (int y = int(topMm * perMm); y < int(bottomMm * perMm) && y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            count += page.pixelColor(x, y) == colour;
    return count;
}

TEST_F(DoctorReportTest, PageRendersWithBothCharts) {
    if (!HaveTools())
        GTEST_SKIP() << "pdftotext ou pdftoppm absent : installer poppler-utils "
                        "(scripts/install-deps)";
    WriteDoctorReport(pdf, table, facts);
    const QString prefix = dir.filePath(QStringLiteral("page"));
    RunTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"),
             QStringLiteral("-aa"), QStringLiteral("no"), QStringLiteral("-aaVector"),
             QStringLiteral("no"), QStringLiteral("-singlefile"), pdf, prefix});
    const QImage page(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width() * 297.0 / page.height(), 210.0, 1.0);
    const QColor blue(0, 0, 255);
    const QColor navy(0, 0, 128);
    const QColor band(0xC8, 0xF0, 0xC8);
    // The TP curve in the upper chart, the INR curve and its target band in
    // the lower one (the titles are blue too: the curves' pixels are many more).
    EXPECT_GT(CountColour(page, 112, 190, blue), 2000);
    EXPECT_GT(CountColour(page, 194, 272, navy), 50);
    EXPECT_GT(CountColour(page, 194, 272, band), 2000);
    EXPECT_EQ(CountColour(page, 0, 190, band), 0);
}

TEST_F(DoctorReportTest, FailedWriteLeavesNoFileAndTheOldOneAsItWas) {
    const QString missing = dir.filePath(QStringLiteral("absent/rapport.pdf"));
    try {
        WriteDoctorReport(missing, table, facts);
        ADD_FAILURE() << "no error";
    } catch (const EFileError &error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Impossible d'écrire dans %1").arg(missing));
    }
    EXPECT_FALSE(QFile::exists(missing));

    const QByteArray old = "ancien rapport";
    auto putOld = [&] {
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old);
    };
    putOld();
    test::FileFaults faults;
    WriteDoctorReport(pdf, table, facts);
    const int calls = faults.Calls();
    ASSERT_GE(calls, 5);
    for (int n = 1; n <= calls; ++n) {
        putOld();
        faults.FailAt(n, n % 2 ? EIO : ENOSPC);
        EXPECT_THROW(WriteDoctorReport(pdf, table, facts), EFileError) << "call " << n;
        QFile file(pdf);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), old) << "call " << n;
        EXPECT_EQ(test::DirectoryEntries(dir.path()),
                  QStringList({QStringLiteral("Pexor.ini"), QStringLiteral("rapport.pdf")}))
            << "call " << n;
    }
}

TEST_F(DoctorReportTest, CommandLineWritesTheReportOfAFile) {
    if (!HaveTools())
        GTEST_SKIP() << "pdftotext absent : installer poppler-utils (scripts/install-deps)";
    WriteIni(SixReadingsIni() + "[Cible]\r\nINRMin=2,5\r\nINRMax=3,5\r\n");
    QProcess tool;
    tool.start(QStringLiteral(PEXOR_RENDER),
               {QStringLiteral("--report"), pdf, QStringLiteral("--ini"), iniPath});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    const QString text =
        QString::fromUtf8(RunTool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}))
            .simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Cible INR : 2,5 à 3,5"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Relevés dans la cible : 1 sur 5 (20 %)")));

    // A report needs a PDF name and a readable file.
    tool.start(QStringLiteral(PEXOR_RENDER),
               {QStringLiteral("--report"), dir.filePath(QStringLiteral("r.png")),
                QStringLiteral("--ini"), iniPath});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 1);
    EXPECT_TRUE(tool.readAllStandardError().contains(".pdf attendu"));
    tool.start(QStringLiteral(PEXOR_RENDER), {QStringLiteral("--report")});
    ASSERT_TRUE(tool.waitForFinished(60000));
    EXPECT_EQ(tool.exitCode(), 2);
}

} // namespace
} // namespace pexor
