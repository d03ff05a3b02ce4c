// Every window opens and keeps its layout: no control leaves its parent or covers
// another. The main window shows group 1 at its first size and at a large one.

#include <gtest/gtest.h>

#include <QTimer>

#include "support/editor.h"
#include "support/layout_check.h"
#include "ui/progress_window.h"
#include "ui/splash_window.h"

namespace zav::test {
namespace {

TEST(WindowSmoke, TheMainWindowShowsGroupOneAtAnySize) {
    Editor e;
    e.window->show();
    e.window->progress().showForm("Please Wait - Reading Radio", false);
    for (const QSize size : {e.window->size(), QSize(1600, 1200)}) {
        e.window->resize(size);
        QApplication::processEvents();
        EXPECT_EQ(layoutFaults(*e.window), std::vector<std::string>{});
        EXPECT_EQ(e.window->controls().currentGroupCombo->currentText(), "1");
        EXPECT_EQ(e.cell(0, kColLabel), "CHAN 1  ");
    }
    EXPECT_EQ(layoutFaults(e.window->progress()), std::vector<std::string>{});
    SplashWindow splash;
    splash.show();
    EXPECT_EQ(layoutFaults(splash), std::vector<std::string>{});
}

struct WindowCase {
    const char* name;
    QAction* MainMenus::*item;
};

class WindowSmoke : public ::testing::TestWithParam<WindowCase> {};

// The command opens one window beside the main window (a modal one is checked from
// inside its own event loop, then closed).
TEST_P(WindowSmoke, OpensWithItsControlsApartAndInsideTheirParents) {
    Editor e;
    e.window->show();
    std::vector<std::string> opened;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->isVisible() || w == e.window.get()) continue;
            opened.push_back(w->metaObject()->className());
            EXPECT_EQ(layoutFaults(*w), std::vector<std::string>{}) << opened.back();
        }
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    e.trigger(GetParam().item);
    QApplication::processEvents();
    EXPECT_EQ(opened.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowSmoke,
                         ::testing::Values(WindowCase{"Globals", &MainMenus::globalsAction},
                                           WindowCase{"Syncal", &MainMenus::syncalAction},
                                           WindowCase{"Help", &MainMenus::helpAction},
                                           WindowCase{"Move", &MainMenus::moveAction},
                                           WindowCase{"About", &MainMenus::aboutAction},
                                           WindowCase{"PortDevice", &MainMenus::portDeviceAction}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace zav::test
