#include "WindowTestSupport.h"

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

} // namespace
} // namespace pexor
