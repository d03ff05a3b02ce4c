#pragma once
// A port that hands every call on to another port: the base of wrappers that watch or
// change the traffic (a byte count, a trace of the conversation, a read-back check)
// without the link knowing. A wrapper overrides only what it looks at.

#include "link/link_port.h"

namespace zav {

class ForwardingPort : public LinkPort {
  public:
    explicit ForwardingPort(LinkPort& port) : port_(port) {}

    std::optional<std::string> open(const std::string& device,
                                    const LineSettings& settings) override {
        return port_.open(device, settings);
    }
    void close() override { port_.close(); }
    [[nodiscard]] bool isOpen() const override { return port_.isOpen(); }
    void setSettings(const LineSettings& settings) override { port_.setSettings(settings); }
    bool writeByte(Byte value) override { return port_.writeByte(value); }
    void sendQueued() override { port_.sendQueued(); }
    [[nodiscard]] int bytesWaiting() override { return port_.bytesWaiting(); }
    std::optional<Byte> readByte() override { return port_.readByte(); }
    void discardInput() override { port_.discardInput(); }
    [[nodiscard]] LinkTime now() const override { return port_.now(); }
    void waitUntil(LinkTime deadline, bool wakeOnInput) override {
        port_.waitUntil(deadline, wakeOnInput);
    }
    void sleepBlocking(std::chrono::milliseconds duration) override {
        port_.sleepBlocking(duration);
    }

  private:
    LinkPort& port_;
};

}  // namespace zav
