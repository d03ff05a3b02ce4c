#pragma once
// A progress window for tests: records what a transfer did with the bar and lets a
// test press Cancel.

#include <string>
#include <vector>

#include "iface/progress.h"

namespace zav::test {

class RecordingProgress final : public Progress {
  public:
    void beginOperation(const std::string& text, OperationKind kind) override {
        shownText = text;
        forms.push_back(kind == OperationKind::Writes ? text + " [write]" : text);
        shown = true;
        cancelPressed = cancelEnabled = mainWindowEnabled = false;
    }
    void endOperation() override { shown = false; }
    void enableCancel() override {
        cancelPressed = false;
        cancelEnabled = true;
        ++enableCancelCalls;
    }
    [[nodiscard]] bool cancelled() const override { return cancelPressed; }
    void setMinimum(int value) override { barCalls.push_back("min " + std::to_string(value)); }
    void setMaximum(int value) override { barCalls.push_back("max " + std::to_string(value)); }
    void setValue(int value) override {
        values.push_back(value);
        lastValueShown = barVisible;
    }
    void setBarVisible(bool visible) override { barVisible = visible; }
    void connectionEnded() override { mainWindowEnabled = true; }
    void pressCancel() { cancelPressed = true; }  // the Cancel button

    std::string shownText;
    std::vector<std::string> forms;  // every text shown, " [write]" after a write's
    bool shown = false;
    bool cancelEnabled = false;
    bool barVisible = false;
    bool mainWindowEnabled = true;
    int enableCancelCalls = 0;
    std::vector<std::string> barCalls;  // "min N" / "max N" in call order
    std::vector<int> values;
    bool lastValueShown = true;  // the bar was visible when it last moved
    bool cancelPressed = false;  // since Cancel was last enabled
};

}  // namespace zav::test
