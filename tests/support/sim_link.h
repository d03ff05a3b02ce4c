#pragma once
// A radio link wired to a simulated radio on a virtual clock, with scripted prompts and
// a recording progress window: the fixture every link test starts from.

#include <chrono>
#include <vector>

#include "iface/settings_store.h"
#include "link/radio_link.h"
#include "sim/sim_radio.h"
#include "sim/virtual_port.h"
#include "support/recording_progress.h"
#include "support/scripted_prompts.h"

namespace zav::test {

struct SimLink {
    explicit SimLink(sim::SimConfig config = {}, sim::VirtualPortOptions options = {})
        : radio(config), port(radio, std::move(options)) {}

    // Hooks the radio at 4800 baud and forgets the traffic so far.
    bool hook() {
        const bool ok = link.hookRadio(LineSpeed::Baud4800);
        radio.transcript().clear();
        return ok;
    }
    // Everything the host has sent since the last clear.
    [[nodiscard]] std::vector<Byte> sent() const { return radio.transcript().hostBytes(); }
    [[nodiscard]] std::chrono::nanoseconds now() const { return port.now(); }
    // Lets the line settle (bytes still travelling reach their receiver).
    void settle() { port.advance(port.now() + std::chrono::milliseconds(50)); }

    MemorySettingsStore settings;
    sim::SimRadio radio;
    sim::VirtualPort port;
    ScriptedPrompts prompts;
    RecordingProgress progress;
    RadioLink link{port, prompts, progress, &settings};
};

// Fills memory with a recognisable pattern: byte i holds (i * 7 + 3) & 0xFF.
inline void fillPattern(sim::RadioMemory& memory) {
    for (std::size_t i = 0; i < memory.size(); ++i) memory[i] = static_cast<Byte>(i * 7 + 3);
}

}  // namespace zav::test
