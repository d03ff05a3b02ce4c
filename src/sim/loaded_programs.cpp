#include "sim/loaded_programs.h"

#include "link/label_programs.h"
#include "link/transfer_programs.h"
#include "sim/label_program.h"
#include "sim/loader_chain.h"
#include "sim/sim_radio.h"

namespace zav::sim {

void installLoadedPrograms(SimRadio& radio) {
    radio.installProgram(kStage2Address, startLoaderChain);
    radio.installProgram(blockLoadAddress(kLabelLoaderBlock), startLabelLoader);
}

}  // namespace zav::sim
