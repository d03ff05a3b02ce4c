#pragma once
// The serial port's waits run an event loop, which needs the process's one application
// object: made here unless the process already has one, so that a fleet of radios (one
// thread and port each) and a single radio share the same.

#include <QCoreApplication>
#include <array>
#include <memory>

namespace zav::tool {

class QtApplication {
  public:
    QtApplication() {
        if (QCoreApplication::instance() == nullptr)
            app_ = std::make_unique<QCoreApplication>(argc_, argv_.data());
    }

  private:
    int argc_ = 1;
    std::array<char, 8> name_{"zavtool"};
    std::array<char*, 2> argv_{name_.data(), nullptr};
    std::unique_ptr<QCoreApplication> app_;
};

}  // namespace zav::tool
