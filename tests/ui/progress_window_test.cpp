// The progress window: it draws its message before a transfer can block (a write starts
// with a pause that lets no window event through, so a window shown but not yet painted
// would stay blank for the whole write), names each step, and holds the main window.

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <set>

#include "support/editor.h"
#include "ui/progress_window.h"

namespace zav::test {
namespace {

using Command = QAction* MainMenus::*;

// The virtual time of the window's first paint while it shows a message.
class PaintClock final : public QObject {
  public:
    explicit PaintClock(const Editor& e) : e_(e) { e.window->progress().installEventFilter(this); }
    std::optional<LinkTime> firstPaint;
    bool deadCancel = false;

  protected:
    bool eventFilter(QObject* /*object*/, QEvent* event) override {
        const ProgressWindow& p = e_.window->progress();
        if (event->type() == QEvent::Paint && !firstPaint && !p.info()->text().isEmpty())
            firstPaint = e_.port.now();
        // A disabled Cancel is never left unexplained.
        if (event->type() == QEvent::Paint)
            deadCancel =
                deadCancel || (!p.cancelButton()->isEnabled() && !p.cancelNote()->isVisible());
        return false;
    }

  private:
    const Editor& e_;
};

class ProgressPaint : public ::testing::TestWithParam<Command> {};

TEST_P(ProgressPaint, HappensWithin50msOfTheTransferStarting) {
    Editor e;
    e.window->menus().labelChoiceActions[1]->trigger();  // labels never travel
    e.prompts.queueAnswer(Answer::Ok);
    e.prompts.queueAnswer(Answer::Yes);
    const PaintClock clock(e);
    const LinkTime start = e.port.now();
    e.trigger(GetParam());
    ASSERT_TRUE(clock.firstPaint.has_value());
    EXPECT_LE(*clock.firstPaint - start, std::chrono::milliseconds(50));
    EXPECT_FALSE(clock.deadCancel);
    EXPECT_GT(e.port.now() - start, std::chrono::milliseconds(500));  // the transfer ran
}

INSTANTIATE_TEST_SUITE_P(Transfers, ProgressPaint,
                         ::testing::Values(&MainMenus::writeRadioAction,
                                           &MainMenus::writeGroupAction,
                                           &MainMenus::writeGlobalAction,
                                           &MainMenus::labelWriteGroupAction,
                                           &MainMenus::readRadioAction));

// A whole-radio write names each group as it goes and counts them on the bar.
TEST(ProgressWindow, NamesEachGroupOfAWrite) {
    Editor e;
    e.window->menus().labelChoiceActions[1]->trigger();
    e.prompts.queueAnswer(Answer::Ok);
    e.prompts.queueAnswer(Answer::Yes);
    std::set<QString> steps;
    e.port.setOnYield([&] { steps.insert(e.window->progress().step()->text()); });
    e.trigger(&MainMenus::writeRadioAction);
    EXPECT_TRUE(steps.contains(QStringLiteral("Writing group 15 (1 of 15)")));
    EXPECT_TRUE(steps.contains(QStringLiteral("Writing group 1 (15 of 15)")));
    EXPECT_EQ(e.window->progress().bar()->value(), 15);
}

// The main window is disabled and cannot be closed while the progress window is up; the
// warning before cancelling a write can be answered No (the radio menu's tests cancel).
TEST(ProgressWindow, HoldsTheMainWindowAndAWriteGoesOnWhenTheWarningSaysNo) {
    Editor e;
    e.window->show();
    ProgressWindow& progress = e.window->progress();
    progress.showForm("Please Wait - Writing Radio", true);
    EXPECT_FALSE(e.window->centralWidget()->isEnabled());
    EXPECT_FALSE(e.window->close());
    EXPECT_FALSE(progress.cancelButton()->isEnabled());
    progress.enableCancel();
    e.prompts.queueAnswer(Answer::No);
    progress.cancelButton()->click();
    EXPECT_FALSE(progress.cancelled());
    EXPECT_EQ(e.prompts.messages.size(), 1u);
    progress.hideForm();
    progress.enableMainWindow();
    EXPECT_TRUE(e.window->centralWidget()->isEnabled());
    EXPECT_TRUE(e.window->close());
}

}  // namespace
}  // namespace zav::test
