#pragma once
// Runs an editor command and checks it as one Undo step: a command that changed the shown
// group added exactly one step, Undo brings back every byte and Redo the command's rows; one
// that changed nothing added none and left every byte.

#include <gtest/gtest.h>

#include <QUndoStack>
#include <functional>

#include "support/channel_rows.h"
#include "support/editor.h"
#include "ui/image_history.h"

namespace zav::test {

struct StepResult {
    GroupRows before;
    GroupRows after;  // once the command ran (and again after Undo and Redo)
};

inline StepResult runAsOneStep(Editor& e, const std::function<void()>& command) {
    const auto rows = [&] { return groupRows(*e.doc.group(e.doc.shownGroup())); };
    QUndoStack& stack = e.window->history().stack();
    const int steps = stack.count();
    const MemImage mem = e.mem();
    const LabelImage labels = e.labels();
    StepResult result{rows(), {}};
    command();
    result.after = rows();
    const bool changed = result.after != result.before;
    EXPECT_EQ(stack.count(), steps + (changed ? 1 : 0));
    if (changed) e.window->undo();
    EXPECT_TRUE(e.mem() == mem && e.labels() == labels);
    if (changed) e.window->redo();
    EXPECT_EQ(rows(), result.after);
    return result;
}

}  // namespace zav::test
