#include "helpviewer/WindowPlacement.h"

#include <gtest/gtest.h>

using namespace pexor;

namespace {

const QRect kScreen(0, 0, 1920, 1080);
const QSize kHelp(780, 540);

} // namespace

TEST(HelpWindowGeometry, BesideTheOwnerWhereThereIsRoom) {
    // Room on the right: level with the owner's top, just past its edge.
    EXPECT_EQ(HelpWindowGeometry(QRect(100, 200, 570, 410), kHelp, kScreen),
              QRect(670, 200, 780, 540));
    // Only on the left.
    EXPECT_EQ(HelpWindowGeometry(QRect(1200, 200, 570, 410), kHelp, kScreen),
              QRect(420, 200, 780, 540));
    // Neither side holds it whole: the wider side, narrowed to fit.
    EXPECT_EQ(HelpWindowGeometry(QRect(675, 335, 570, 410), kHelp, kScreen),
              QRect(1245, 335, 675, 540));
}

TEST(HelpWindowGeometry, CentredOnTheOwnerWhenNeitherSideHasRoom) {
    // The main window centred on a 1280 × 900 screen leaves 355 pixels a side.
    const QRect screen(0, 0, 1280, 900);
    const QRect owner(355, 245, 570, 410);
    const QRect place = HelpWindowGeometry(owner, kHelp, screen);
    EXPECT_EQ(place, QRect(250, 180, 780, 540));
    EXPECT_EQ(place.center(), owner.center());
}

TEST(HelpWindowGeometry, AlwaysWhollyOnTheScreen) {
    // An owner near the bottom: the help window moves up to stay on screen.
    EXPECT_EQ(HelpWindowGeometry(QRect(100, 900, 570, 170), kHelp, kScreen),
              QRect(670, 540, 780, 540));
    // Partly off screen to the left, on a second screen further right.
    const QRect second(1920, 0, 1280, 1024);
    const QRect place = HelpWindowGeometry(QRect(1800, -50, 570, 410), kHelp, second);
    EXPECT_TRUE(second.contains(place)) << place.x() << "," << place.y();
    // A screen smaller than the window: the window shrinks to the screen.
    const QRect small(0, 0, 640, 480);
    EXPECT_EQ(HelpWindowGeometry(QRect(35, 35, 570, 410), kHelp, small), small);
    // No owner: centred on the screen.
    EXPECT_EQ(HelpWindowGeometry(QRect(), kHelp, kScreen), QRect(570, 270, 780, 540));
}
