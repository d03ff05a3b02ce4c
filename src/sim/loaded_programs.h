#pragma once
// The code a host can load into the simulated radio's RAM and start: the loader chain
// of the whole-radio transfers (started at 0x60) and the label bootstrap (started at
// 0xE0). Every SimRadio has them installed.

namespace zav::sim {

class SimRadio;

void installLoadedPrograms(SimRadio& radio);

}  // namespace zav::sim
