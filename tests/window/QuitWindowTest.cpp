#include "WindowTestSupport.h"
#include "tests/common/FileFaults.h"

#include <QToolButton>

namespace pexor {
namespace {

using test::WindowFixture;

class QuitWindowTest : public WindowFixture {};

TEST_F(QuitWindowTest, TheRealBoxAsksAndOuiSavesAndCloses) {
    Open();
    window->Table().SetCells(1, 2, QStringLiteral("77"));

    boxes.Answer(QStringLiteral("&Non"));
    QTest::mouseClick(window->findChild<QToolButton *>(QStringLiteral("tlbQuitter")),
                      Qt::LeftButton);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const test::SeenBox &box = boxes.Boxes()[0];
    EXPECT_EQ(box.Title, QStringLiteral("Confirmation"));
    EXPECT_EQ(box.Text, QStringLiteral("Voulez-vous vraiment quitter le programme ?"));
    EXPECT_EQ(box.Icon, QMessageBox::Question);
    EXPECT_EQ(box.Buttons, (QStringList{QStringLiteral("&Oui"), QStringLiteral("&Non")}));
    EXPECT_EQ(box.DefaultButton, QStringLiteral("&Oui"));
    EXPECT_EQ(box.EscapeButton, QStringLiteral("&Non"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(ReadIni().isEmpty());

    boxes.Answer(QStringLiteral("&Oui"));
    QTest::mouseClick(window->findChild<QToolButton *>(QStringLiteral("tlbQuitter")),
                      Qt::LeftButton);
    EXPECT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(ReadIni().contains("TP2=77\r\n"));
}

// Every call of the save made to fail in turn, as a full or failing disk
// would: each time the error box names the file, the window stays open and
// the file keeps its old bytes. Then the disk is well again and Oui saves.
TEST_F(QuitWindowTest, ASaveThatFailsAtAnyStepShowsTheErrorAndKeepsTheWindow) {
    const QByteArray old = "[Notes]\r\nmedecin=Dr Martin\r\n[TP]\r\nTP1=70\r\n";
    WriteIni(old);
    Open();
    window->Table().SetCells(1, 2, QStringLiteral("77"));
    auto *quit = window->findChild<QToolButton *>(QStringLiteral("tlbQuitter"));

    test::FileFaults faults;
    SauveOptions(window->Table(), iniPath);
    const int calls = faults.Calls();
    ASSERT_GE(calls, 11);
    for (int n = 1; n <= calls; ++n) {
        WriteIni(old);
        faults.FailAt(n, n % 2 ? ENOSPC : EIO);
        boxes.Forget();
        boxes.Answer(QStringLiteral("&Oui"));
        boxes.Answer(QStringLiteral("OK"));
        QTest::mouseClick(quit, Qt::LeftButton);
        ASSERT_EQ(boxes.Boxes().size(), 2u) << "call " << n;
        const test::SeenBox &error = boxes.Boxes()[1];
        EXPECT_EQ(error.Title, QStringLiteral("Pexorv1.0"));
        EXPECT_EQ(error.Text, QStringLiteral("Impossible d'écrire dans ") + iniPath + u'.');
        EXPECT_EQ(error.Icon, QMessageBox::Critical);
        EXPECT_EQ(error.Buttons, QStringList{QStringLiteral("OK")});
        EXPECT_TRUE(window->isVisible()) << "call " << n;
        EXPECT_EQ(ReadIni(), old) << "call " << n;
        EXPECT_EQ(test::DirectoryEntries(dir.path()), QStringList{QStringLiteral("Pexor.ini")})
            << "call " << n;
    }

    faults.Reset();
    boxes.Answer(QStringLiteral("&Oui"));
    QTest::mouseClick(quit, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(ReadIni().startsWith("[Notes]\r\nmedecin=Dr Martin\r\n[Dates]\r\n"));
    EXPECT_TRUE(ReadIni().contains("TP2=77\r\n"));
}

} // namespace
} // namespace pexor
