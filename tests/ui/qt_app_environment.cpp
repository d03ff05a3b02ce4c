// One QApplication for every window test, on Qt's offscreen platform, and a radio history
// of the tests' own.

#include <gtest/gtest.h>

#include <QApplication>

#include "support/data_home.h"

namespace {

int argc = 1;
char name[] = "test_ui";
char* argv[] = {name, nullptr};

struct QtApp final : ::testing::Environment {
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        zav::test::isolateDataHome();
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QApplication> app;
};

[[maybe_unused]] const ::testing::Environment* const kQtApp =
    ::testing::AddGlobalTestEnvironment(new QtApp);

}  // namespace
