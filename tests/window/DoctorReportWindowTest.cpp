#include "WindowTestSupport.h"
#include "app/InrTargetDlg.h"
#include "app/ReportCommand.h"
#include "controls/DateEdit.h"
#include "tests/common/EnvGuard.h"
#include "tests/common/FileFaults.h"

#include <QFileDialog>
#include <QLabel>
#include <cerrno>

namespace pexor {
namespace {

const QString kFichier = QStringLiteral("&Fichier");
const QString kExporter = QStringLiteral("&Exporter pour le médecin...");
const QString kCible = QStringLiteral("Cible IN&R...");

QString PdfText(const QString &path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QProcess process;
    process.start(tool, {path, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

// Types text over what a field holds, as a person does: all selected, then
// the keys.
void Retype(QLineEdit *field, const QString &text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
}

// The target dialog's two steps: a maximum above 6 typed and confirmed with
// Enter, then, after the error box, a good maximum.
void TypeTarget(TInrTargetDlg &target, int step) {
    // The offscreen platform leaves no window active between tests.
    target.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&target));
    if (step == 0) {
        Retype(&target.edINRMin(), QStringLiteral("2,5"));
        QTest::keyClick(&target.edINRMin(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), &target.edINRMax());
        Retype(&target.edINRMax(), QStringLiteral("6,5"));
        // Enter once the answerer is free again: its box comes next.
        QTimer::singleShot(0, &target,
                           [&target] { QTest::keyClick(&target.edINRMax(), Qt::Key_Return); });
    } else {
        EXPECT_EQ(target.edINRMin().text(), QStringLiteral("2,5"));
        Retype(&target.edINRMax(), QStringLiteral("3,5"));
        QTest::keyClick(&target.edINRMax(), Qt::Key_Return);
    }
}

class DoctorReportWindowTest : public test::WindowFixture {
protected:
    void SetUp() override {
        test::WindowFixture::SetUp();
        WriteIni(test::kThreeReadings);
    }

    // The report command through the menu, the file dialog read into `seen`
    // and its proposed name taken with Enter. The documents folder is one of
    // the test's own.
    QString Export() {
        const QString documents = dir.filePath(QStringLiteral("Documents"));
        EXPECT_TRUE(QDir().mkpath(documents));
        test::EnvGuard home("HOME", QFile::encodeName(dir.path()));
        test::EnvGuard config("XDG_CONFIG_HOME", QFile::encodeName(dir.path()));
        boxes.OnDialog = [this](QDialog *dialog) {
            ReadFileDialog(qobject_cast<QFileDialog *>(dialog));
            // Whatever failed above, the command must end.
            if (dialog->isVisible())
                dialog->reject();
        };
        ChooseMenuItem(kFichier, kExporter);
        boxes.OnDialog = nullptr;
        return QDir(documents).filePath(seenName);
    }

    void ReadFileDialog(QFileDialog *files) {
        ASSERT_NE(files, nullptr);
        auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        seenTitle = files->windowTitle();
        seenName = name->text();
        seenFolder = files->directory().path();
        for (QLabel *label : files->findChildren<QLabel *>())
            seenLabels << label->text();
        for (QPushButton *button : files->findChildren<QPushButton *>())
            seenLabels << button->text();
        name->setFocus();
        QTest::keyClick(name, Qt::Key_Return);
        EXPECT_FALSE(files->isVisible());
    }

    QString seenFolder;
    QString seenTitle;
    QString seenName;
    QStringList seenLabels;
};

TEST_F(DoctorReportWindowTest, MenuCommandWritesTheReportOfTheWindowsReadings) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext absent : installer poppler-utils (scripts/install-deps)";
    Open();
    // A fourth reading typed and not yet saved is in the report.
    window->edLigne().setText(QStringLiteral("4"));
    window->edTP().setText(QStringLiteral("41"));
    window->edINR().setText(QStringLiteral("3,4"));
    window->DateEdit1().SetDate(MakeDate(2026, 12, 22));
    window->DateEdit1Change();
    ASSERT_EQ(GridText(2, 4), QStringLiteral("3,4"));
    const QByteArray saved = ReadIni();

    const QString pdf = Export();
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(seenTitle, QStringLiteral("Exporter pour le médecin"));
    const DateParts today = SplitDate(Today());
    EXPECT_EQ(seenName, QStringLiteral("Pexor-%1-%2-%3.pdf")
                            .arg(today.Year)
                            .arg(today.Month, 2, 10, QLatin1Char('0'))
                            .arg(today.Day, 2, 10, QLatin1Char('0')));
    EXPECT_EQ(seenFolder, dir.filePath(QStringLiteral("Documents")));
    // Qt's own dialog, in French.
    EXPECT_TRUE(seenLabels.contains(QStringLiteral("&Enregistrer")))
        << seenLabels.join(u'|').toStdString();
    EXPECT_TRUE(seenLabels.contains(QStringLiteral("Annuler")))
        << seenLabels.join(u'|').toStdString();

    ASSERT_TRUE(QFile::exists(pdf));
    const QString text = PdfText(pdf);
    for (const char *reading :
         {"01/12/2026 30 2,5 dans la cible", "08/12/2026 45 2,1 dans la cible",
          "15/12/2026 38 2,8 dans la cible", "22/12/2026 41 3,4 au-dessus"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(reading))) << reading << "\n"
                                                               << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Cible INR : 2 à 3")));
    // The export writes nothing into the readings file.
    EXPECT_EQ(ReadIni(), saved);
}

TEST_F(DoctorReportWindowTest, FailedExportShowsTheErrorAndLeavesNoFile) {
    Open();
    QString pdf;
    {
        test::FileFaults faults;
        faults.FailAt(1, ENOSPC, true);
        boxes.Answer(QStringLiteral("OK"));
        pdf = Export();
    }
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].Title, QStringLiteral("Pexorv1.0"));
    EXPECT_EQ(boxes.Boxes()[0].Text, QStringLiteral("Impossible d'écrire dans %1.").arg(pdf));
    EXPECT_EQ(test::DirectoryEntries(QFileInfo(pdf).absolutePath()), QStringList());
    EXPECT_TRUE(window->isVisible());
}

TEST_F(DoctorReportWindowTest, TargetDialogChecksTypedBoundsAndSavesTheSection) {
    Open();
    const QByteArray before = ReadIni();

    // Esc leaves everything as it was.
    boxes.OnDialog = [](QDialog *dialog) {
        auto *target = dynamic_cast<TInrTargetDlg *>(dialog);
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(target->edINRMin().text(), QStringLiteral("2"));
        EXPECT_EQ(target->edINRMax().text(), QStringLiteral("3"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    };
    ChooseMenuItem(kFichier, kCible);
    EXPECT_EQ(ReadIni(), before);

    // A maximum above 6 is refused, the dialog stays; mended, it is saved.
    int step = 0;
    boxes.Answer(QStringLiteral("OK"));
    boxes.OnDialog = [&step](QDialog *dialog) {
        auto *target = dynamic_cast<TInrTargetDlg *>(dialog);
        if (target)
            TypeTarget(*target, step++);
        // A failed step must not leave the dialog waiting.
        if (!target || ::testing::Test::HasFatalFailure())
            dialog->reject();
    };
    ChooseMenuItem(kFichier, kCible);
    ASSERT_TRUE(WaitFor([&] { return step == 2 && !QApplication::activeModalWidget(); }));
    boxes.OnDialog = nullptr;
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(
        boxes.Boxes()[0].Text,
        QStringLiteral("La cible doit respecter 0,5 ≤ minimum < maximum ≤ 6 (ici 2,5 et 6,5)"));
    EXPECT_EQ(ReadIni(), before + "[Cible]\r\nINRMin=2,5\r\nINRMax=3,5\r\n");

    // The report takes the new target; the quit keeps it.
    if (!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        const QString pdf = Export();
        EXPECT_TRUE(PdfText(pdf).contains(QStringLiteral("Cible INR : 2,5 à 3,5")));
    }
    boxes.Answer(QStringLiteral("&Oui"));
    window->close();
    ASSERT_TRUE(WaitFor([&] { return !window->isVisible(); }));
    EXPECT_TRUE(ReadIni().contains("[Cible]\r\nINRMin=2,5\r\nINRMax=3,5\r\n"));
}

} // namespace
} // namespace pexor
