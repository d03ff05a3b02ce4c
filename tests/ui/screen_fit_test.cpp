// A window restored from the settings lands wholly on a screen, however wrong the stored
// place is.

#include "ui/screen_fit.h"

#include <gtest/gtest.h>

namespace zav {
namespace {

const QRect kLeft(0, 0, 1920, 1050);      // a screen's available area, less its panel
const QRect kRight(1920, 30, 1280, 994);  // a second screen to its right, panel on top

struct FitCase {
    QRect wanted;
    QRect expected;
};

TEST(ScreenFit, KeepsTheWindowWhollyOnTheScreenItOverlapsMost) {
    const FitCase cases[] = {
        {{100, 100, 800, 600}, {100, 100, 800, 600}},    // already on screen: untouched
        {{-50000, -50000, 800, 600}, {0, 0, 800, 600}},  // far off: on the fallback screen
        {{100000, 100000, 800, 600}, {1120, 450, 800, 600}},
        {{1700, 500, 800, 600}, {1920, 424, 800, 600}},   // mostly on the right screen
        {{1500, 500, 800, 600}, {1120, 450, 800, 600}},   // mostly on the left screen
        {{-10, -10, 3000, 2000}, {0, 0, 1920, 1050}},     // larger than the screen: shrunk
        {{1919, 1049, 800, 600}, {1120, 450, 800, 600}},  // one pixel on screen
        {{1920, 30, 1280, 994}, {1920, 30, 1280, 994}},   // exactly the right screen
    };
    for (const FitCase& c : cases)
        EXPECT_EQ(fitToScreens(c.wanted, {kLeft, kRight}, kLeft), c.expected) << c.wanted.x();
}

}  // namespace
}  // namespace zav
