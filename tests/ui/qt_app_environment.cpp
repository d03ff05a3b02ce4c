// One QApplication for every window test, on Qt's offscreen platform.

#include <gtest/gtest.h>

#include <QApplication>

namespace {

int argc = 1;
char name[] = "test_ui";
char* argv[] = {name, nullptr};

struct QtApp final : ::testing::Environment {
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app.reset(); }
    std::unique_ptr<QApplication> app;
};

[[maybe_unused]] const ::testing::Environment* const kQtApp =
    ::testing::AddGlobalTestEnvironment(new QtApp);

}  // namespace
