#pragma once
// What the radio's processor is running: the resident programming firmware, or a
// program the host loaded into RAM and started with an execute frame. The simulated
// radio hands every byte it understands to the current program.

#include <string>

#include "model/memory_image.h"

namespace zav::sim {

class SimRadio;

class RadioProgram {
  public:
    virtual ~RadioProgram() = default;
    [[nodiscard]] virtual std::string name() const = 0;
    // Called once when the program starts running (it may send bytes at once).
    virtual void start(SimRadio& radio) { (void)radio; }
    // A byte received at the radio's speed; returns what the program made of it, for
    // the transcript (empty: nothing worth noting).
    virtual std::string onByte(SimRadio& radio, Byte b) = 0;
    // A byte that arrived at another speed and could not be read.
    virtual void onGarbled(SimRadio& radio) { (void)radio; }
};

}  // namespace zav::sim
