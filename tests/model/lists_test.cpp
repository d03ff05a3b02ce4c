#include "model/lists.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace zav {
namespace {

TEST(Lists, DtmfDeviationEntries) {
    ASSERT_EQ(lists::kDtmfDeviation.size(), 32u);
    EXPECT_EQ(lists::kDtmfDeviation[0], "0");
    for (int k = 1; k <= 27; ++k) {
        char text[16];
        std::snprintf(text, sizeof text, "%6.1f", 187.5 * k);  // width 6: " 187.5", "5062.5"
        EXPECT_EQ(lists::kDtmfDeviation[static_cast<std::size_t>(k)], text) << k;
    }
    for (int t = 1; t <= 4; ++t) {
        EXPECT_EQ(lists::kDtmfDeviation[static_cast<std::size_t>(27 + t)],
                  "Test " + std::to_string(t));
    }
}

TEST(Lists, StepLists) {
    for (int i = 0; i < 16; ++i) {
        const auto index = static_cast<std::size_t>(i);
        char text[16];
        std::snprintf(text, sizeof text, "%.1f", 0.5 * i);
        EXPECT_EQ(lists::kScanHold[index], text);
        EXPECT_EQ(lists::kTimeOutTimer[index], i == 0 ? "OFF" : std::to_string(15 * i));
    }
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(lists::kPriorityChannel[static_cast<std::size_t>(i)], std::to_string(i + 1));
    }
    EXPECT_EQ(lists::kPriorityRate[1], ".25");
    EXPECT_EQ(lists::kPriorityRate[15], "3.75");
    EXPECT_EQ(lists::kBacklightTimeout[1], "1 Second");
    EXPECT_EQ(lists::kBacklightTimeout[7], "Always On");
}

TEST(Lists, entryOrEmpty) {
    EXPECT_EQ(lists::entryOrEmpty(lists::kAniRate, 1), "20");
    EXPECT_EQ(lists::entryOrEmpty(lists::kAniRate, 2), "");
    EXPECT_EQ(lists::entryOrEmpty(lists::kAniRate, -1), "");
}

}  // namespace
}  // namespace zav
