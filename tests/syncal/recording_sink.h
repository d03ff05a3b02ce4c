#pragma once
// A sink that records everything the alignment shows, in order.

#include <string>
#include <vector>

#include "syncal/syncal_sink.h"

namespace zav::test {

class RecordingSink final : public SyncalSink {
  public:
    void addStatusLine(const std::string& text) override {
        log.push_back(text);
        events.push_back("log " + text);
    }
    void setStatusText(const std::string& text) override {
        statuses.push_back(text);
        events.push_back("status " + text);
    }
    void clearLog() override {
        log.clear();
        events.push_back("clear");
    }
    void showRunControls() override { events.push_back("run controls"); }
    void showIdleControls() override { events.push_back("idle controls"); }
    void setStartEnabled(bool enabled) override {
        startEnabled = enabled;
        events.push_back(enabled ? "start on" : "start off");
    }

    std::vector<std::string> log;
    std::vector<std::string> statuses;
    std::vector<std::string> events;
    bool startEnabled = true;
};

}  // namespace zav::test
