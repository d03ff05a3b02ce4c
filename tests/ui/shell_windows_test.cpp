// The progress window around a transfer, and the texts the Qt message boxes and file
// dialogs are given.

#include <gtest/gtest.h>

#include <QPushButton>

#include "qt/qt_prompts.h"
#include "support/editor.h"
#include "ui/progress_window.h"

namespace zav::test {
namespace {

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

TEST(QtPrompts, FilterListsAndLineBreaks) {
    EXPECT_EQ(qtNameFilters("Frequency (*.frq)|*.frq|All (*.*)|*.*"),
              (QStringList{"Frequency (*.frq)", "All (*.*)"}));
    EXPECT_EQ(qtNameFilters("Pictures|*.png;*.bmp"), QStringList{"Pictures (*.png *.bmp)"});
    EXPECT_EQ(messageText("a\rb\r\nc"), "a\nb\nc");
}

}  // namespace
}  // namespace zav::test
