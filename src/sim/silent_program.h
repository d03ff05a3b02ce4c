#pragma once
// A processor that ran into code it cannot follow: from then on it answers nothing.

#include <string>
#include <utility>

#include "sim/radio_program.h"

namespace zav::sim {

class SilentProgram final : public RadioProgram {
  public:
    explicit SilentProgram(std::string why) : why_(std::move(why)) {}
    [[nodiscard]] std::string name() const override { return "hung: " + why_; }
    std::string onByte(SimRadio& /*radio*/, Byte /*b*/) override { return "ignored: hung"; }

  private:
    std::string why_;
};

}  // namespace zav::sim
