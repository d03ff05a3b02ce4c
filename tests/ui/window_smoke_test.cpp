// Every window opens and keeps its layout: no control leaves its parent or covers
// another. The main window shows group 1 at its first size and at a large one, and Tab
// goes from the group selector to the grid.

#include <gtest/gtest.h>

#include <QTextBrowser>
#include <QTimer>

#include "support/editor.h"
#include "support/layout_check.h"
#include "ui/channel_grid_view.h"
#include "ui/help_viewer.h"
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
    QWidget* next = e.window->controls().currentGroupCombo;
    do {
        next = next->nextInFocusChain();
    } while ((next->focusPolicy() & Qt::TabFocus) == 0 || !next->isVisible());
    EXPECT_EQ(next, &e.window->grid());
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

TEST(WindowSmoke, HelpClosesOnEscape) {
    Editor e;
    e.trigger(&MainMenus::helpAction);
    auto* help = e.window->findChild<HelpWindow*>();
    ASSERT_TRUE(help != nullptr && help->isVisible());
    e.typeKeys("\x1b", help->browser());
    EXPECT_FALSE(help->isVisible());
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
