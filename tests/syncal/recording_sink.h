#pragma once
// A sink that records everything the alignment shows, in order.

#include <string>
#include <vector>

#include "syncal/syncal_sink.h"

namespace zav::test {

class RecordingSink final : public SyncalSink {
  public:
    void AddStatusLine(const std::string& text) override {
        log.push_back(text);
        events.push_back("log " + text);
    }
    void SetStatusText(const std::string& text) override {
        statuses.push_back(text);
        events.push_back("status " + text);
    }
    void ClearLog() override {
        log.clear();
        events.push_back("clear");
    }
    void ShowRunControls() override { events.push_back("run controls"); }
    void ShowIdleControls() override { events.push_back("idle controls"); }
    void SetStartEnabled(bool enabled) override {
        startEnabled = enabled;
        events.push_back(enabled ? "start on" : "start off");
    }

    std::vector<std::string> log;
    std::vector<std::string> statuses;
    std::vector<std::string> events;
    bool startEnabled = true;
};

}  // namespace zav::test
