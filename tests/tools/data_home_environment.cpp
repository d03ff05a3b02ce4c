// zavtool, in this process or started from it, keeps its radio history in a folder of
// the tests' own.

#include <gtest/gtest.h>

#include "support/data_home.h"

namespace {

struct DataHome final : ::testing::Environment {
    void SetUp() override { zav::test::isolateDataHome(); }
};

[[maybe_unused]] const ::testing::Environment* const kDataHome =
    ::testing::AddGlobalTestEnvironment(new DataHome);

}  // namespace
