#include "link/upload_program.h"

#include "link/radio_link.h"
#include "link/transfer_programs.h"

namespace zav {

bool uploadProgram(RadioLink& link, std::span<const Byte> program) {
    const auto stage2 = patchedStage2(program.size());
    // The restart address that follows must be read in step: a wrong one sends the radio
    // astray when the program ends.
    if (!link.pokeBlock(kStage2Address, stage2) || !link.confirmInStep()) return false;
    link.executeAt(kStage2Address);

    // Stage 2 starts by telling where the radio restarts: low byte, then high byte.
    Transport& transport = link.transport();
    Byte restartLow{};
    Byte restartHigh{};
    if (!transport.receiveByte(restartLow)) return false;
    if (!transport.receiveByte(restartHigh)) return false;

    transport.sendReversed(kLoaderStage1);
    transport.sendReversed(program);
    transport.sendReversed(patchedStage3(restartLow, restartHigh));
    // Lands on stage 1's loop branch and lets it fall through into stage 3.
    transport.sendByte(0x00);
    return true;
}

}  // namespace zav
