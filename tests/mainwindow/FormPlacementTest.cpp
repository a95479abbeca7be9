// Where a stored window place puts the window, worked out by hand for a
// 1280x1024 primary screen and a 1920x1080 one to its right.
#include "mainwindow/FormPlacement.h"

#include <gtest/gtest.h>

namespace {
const QList<QRect> kScreens = {QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
const QSize kDefault(760, 600);
const QSize kMinimum(320, 260);
} // namespace

TEST(FormPlacement, StoredPlacesAreKeptMovedInOrReplaced)
{
    const struct {
        const char* name;
        QRect stored, expected;
    } rows[] = {
        {"on the primary screen", QRect(30, 40, 500, 420), QRect(30, 40, 500, 420)},
        {"on the second screen", QRect(1500, 100, 800, 600), QRect(1500, 100, 800, 600)},
        {"past every screen", QRect(3300, 100, 760, 600), QRect(252, 188, 760, 600)},
        {"extreme values", QRect(-32767, -32767, 1, 19), QRect(252, 188, 760, 600)},
        {"title bar above the screen", QRect(100, -50, 500, 400), QRect(252, 188, 760, 600)},
        {"too small", QRect(100, 100, 1, 19), QRect(100, 100, 320, 260)},
        {"larger than its screen", QRect(10, 10, 3000, 2000), QRect(0, 0, 1264, 976)},
        {"hanging off the right edge", QRect(1200, 500, 500, 400), QRect(764, 500, 500, 400)},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const QRect place = PlaceOnScreen(r.stored, kScreens, kDefault, kMinimum);
        EXPECT_EQ(place, r.expected);
        EXPECT_TRUE(IsUsablePlace(place, kScreens, kMinimum));
    }
}

TEST(FormPlacement, BesideAnotherWindowWithoutCoveringIt)
{
    const QRect screen(0, 0, 1280, 1024);
    const QSize size(300, 200);
    // The other window, where the new one goes.
    const std::pair<QRect, QPoint> rows[] = {
        {{0, 0, 600, 500}, {600, 0}},      // room on the right
        {{700, 0, 580, 500}, {400, 0}},    // none on the right: on the left
        {{100, 0, 1100, 500}, {100, 500}}, // none at either side: below
        {{0, 0, 1280, 950}, {0, 0}},       // nowhere free: above, moved onto the screen
    };
    for (const auto& [other, at] : rows)
        EXPECT_EQ(PlaceBeside(size, other, screen), QRect(at, size)) << other.x();
}
