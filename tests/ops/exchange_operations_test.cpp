// A text file (a CSV table, a report) that the disk does not take.

#include "ops/exchange_operations.h"

#include <gtest/gtest.h>

#include "support/history.h"
#include "support/scripted_prompts.h"

namespace zav {
namespace {

TEST(Exchange, ATextTheDiskRefusesIsToldAndFails) {
    test::History h;  // for its disk, made full
    h.disk.full = true;
    test::ScriptedPrompts prompts;
    EXPECT_FALSE(saveTextFile(h.disk, prompts, "a,b\n", h.dir.file("table.csv")).done());
    EXPECT_EQ(prompts.messages.size(), 1U);
}

}  // namespace
}  // namespace zav
