// The progress window around a transfer, and the texts the Qt message boxes and file
// dialogs are given.

#include <gtest/gtest.h>

#include <QPushButton>

#include "qt/qt_prompts.h"
#include "support/editor.h"
#include "ui/progress_window.h"

namespace zav::test {
namespace {

// The main window is disabled and cannot be closed while the progress window is up;
// Cancel during a read needs no question, during a write it asks first.
TEST(ProgressWindow, HoldsTheMainWindowAndAsksBeforeCancellingAWrite) {
    Editor e;
    e.window->show();
    ProgressWindow& progress = e.window->progress();
    progress.showForm("Please Wait - Reading Radio", false);
    EXPECT_FALSE(e.window->centralWidget()->isEnabled());
    EXPECT_TRUE(progress.isEnabled());
    EXPECT_FALSE(e.window->close());
    EXPECT_FALSE(progress.cancelButton()->isEnabled());
    progress.enableCancel();
    progress.cancelButton()->click();
    EXPECT_TRUE(progress.cancelled());
    EXPECT_TRUE(e.prompts.messages.empty());
    progress.showForm("Please Wait - Writing Radio", true);
    EXPECT_FALSE(progress.cancelled());
    progress.enableCancel();
    for (const Answer answer : {Answer::No, Answer::Yes}) {
        e.prompts.queueAnswer(answer);
        progress.cancelButton()->click();
        EXPECT_EQ(progress.cancelled(), answer == Answer::Yes);
    }
    EXPECT_EQ(e.prompts.messages.size(), 2u);
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
