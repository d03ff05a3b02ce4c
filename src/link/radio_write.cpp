#include "link/radio_write.h"

#include <algorithm>
#include <chrono>
#include <string>

#include "iface/progress.h"
#include "iface/prompts.h"
#include "link/radio_link.h"
#include "link/status_nibble.h"
#include "link/transfer_programs.h"
#include "link/upload_program.h"
#include "link/write_attempt.h"
#include "model/memory_map.h"

namespace zav {

namespace {

constexpr Byte kAckBit = 0x20;
constexpr int kRowSize = 8;
constexpr int kRowsPerBlock = 16;
constexpr int kSkippedRow = 1;  // header bytes 8..15: the radio's own

// The block command: the block number with its bits 1..3 moved up by one.
constexpr Byte blockCommand(int g) {
    return static_cast<Byte>(((g & 0x0E) * 2) | (g & 1));
}
static_assert(blockCommand(1) == 0x01);
static_assert(blockCommand(2) == 0x04);
static_assert(blockCommand(15) == 0x1D);

bool acknowledged(Transport& transport) {
    Byte ack{};
    return transport.receiveByte(ack) && (ack & kAckBit) != 0;
}

// The radio's page map, and (with `settings`) the bits of the global settings' words the
// radio keeps, read word by word and confirmed in step together. False when a word did not
// come or the words came out of step: without them the groups to write cannot be chosen
// safely, nor the settings merged.
bool readRadioStatus(RadioLink& link, StatusBytes& status, MemImage* settings) {
    Word word{};
    for (int i = 0; i < global_field::kPageMapBytes; i += 2) {
        if (!link.readWord(global_field::kPageMapFirst + i, word)) return false;
        status[static_cast<std::size_t>(i)] = word[0];
        status[static_cast<std::size_t>(i) + 1] = word[1];
    }
    if (settings != nullptr && !link.readKeptBits(*settings, 0, kPageSize)) return false;
    return link.confirmInStep();
}

// Every word of the global block the editor may change. The results do not stop the
// write; Whole when the radio echoed every word.
BlockReached writeGlobalSettings(RadioLink& link, const MemImage& merged) {
    bool all = true;
    for (int a = 0; a < static_cast<int>(kPageSize); a += 2) {
        const auto i = static_cast<std::size_t>(a);
        if (RadioLink::writable(a)) all = link.writeWord(a, merged[i], merged[i + 1]) && all;
    }
    return all ? BlockReached::Whole : BlockReached::Perhaps;
}

void note(BlocksReached& reached, int block, BlockReached how) {
    auto& r = reached[static_cast<std::size_t>(block)];
    r = std::max(r, how);
}

enum class Attempt { Succeeded, NothingToWrite, Failed, Ended };

// One attempt: release, hook, status, global settings, release, hook at 9600, upload,
// the chosen groups and the closing 0xFF, noting in `reached` what went. Ended: a port or
// hook failure that has been reported and ended the session.
Attempt writeAttempt(RadioLink& link, const MemImage& image, GlobalBlock global,
                     BlocksReached& reached) {
    if (!beginWriteAttempt(link)) return Attempt::Ended;
    Transport& transport = link.transport();
    StatusBytes radioStatus{};
    MemImage settings = image;
    if (!readRadioStatus(link, radioStatus, global == GlobalBlock::Skip ? nullptr : &settings))
        return Attempt::Failed;
    // From the first byte written to the write program's end byte a cancel waits: stopping
    // part-way would leave the radio holding some blocks of the file and some of its own.
    const UnstoppableStep unstoppable(link.progress());
    if (link.progress().cancelled()) return Attempt::Failed;  // asked for before: nothing written
    const std::vector<int> groups = chooseGroups(radioStatus, image);
    if (global == GlobalBlock::Write) note(reached, 0, writeGlobalSettings(link, settings));
    if (groups.empty()) return Attempt::NothingToWrite;
    link.releaseRadio();
    link.pauseBlocking(std::chrono::milliseconds(200));
    if (!link.hookRadio(LineSpeed::Baud9600)) {
        link.endSession();
        return Attempt::Ended;
    }
    bool ok = uploadProgram(link, kWriteProgram);
    if (ok) {
        // The bar counts the groups written, and the window names the one going now.
        Progress& progress = link.progress();
        const int count = static_cast<int>(groups.size());
        progress.setMinimum(0);
        progress.setMaximum(count);
        progress.setValue(0);
        progress.setBarVisible(true);
        for (int i = 0; i < count; ++i) {
            const int g = groups[static_cast<std::size_t>(i)];
            progress.setStep("Writing group " + std::to_string(g) + " (" + std::to_string(i + 1) +
                             " of " + std::to_string(count) + ")");
            note(reached, g, BlockReached::Perhaps);
            if (!writeProgramBlock(link, image, g)) {
                ok = false;
                break;
            }
            note(reached, g, BlockReached::Whole);
            progress.setValue(i + 1);
        }
    }
    transport.sendByte(kEndProgram);
    return ok ? Attempt::Succeeded : Attempt::Failed;
}

}  // namespace

std::vector<int> chooseGroups(const StatusBytes& radio, const MemImage& image) {
    std::vector<int> groups;
    for (int g = kGroupCount; g >= 1; --g) {
        const auto address = static_cast<std::size_t>(statusByteAddress(g));
        const std::size_t k = address - global_field::kPageMapFirst;
        const auto combined = static_cast<Byte>(radio[k] & image[address]);
        if (statusNibble(combined, g) == global_field::kPagePresent) groups.push_back(g);
    }
    return groups;
}

bool writeProgramBlock(RadioLink& link, const MemImage& image, int g) {
    Transport& transport = link.transport();
    transport.sendByte(blockCommand(g));
    for (int row = 0; row < kRowsPerBlock; ++row) {
        if (row == kSkippedRow) continue;
        const int first = blockAddress(g) + kRowSize * row;
        for (int i = 0; i < kRowSize; ++i)
            transport.sendByte(image[static_cast<std::size_t>(first + i)]);
        if (!acknowledged(transport)) return false;
    }
    return acknowledged(transport);  // the block is stored
}

RadioWrite writeRadio(RadioLink& link, const MemImage& image, GlobalBlock global) {
    BlocksReached reached{};
    return writeRadio(link, image, global, reached);
}

RadioWrite writeRadio(RadioLink& link, const MemImage& image, GlobalBlock global,
                      BlocksReached& reached) {
    reached = {};
    const auto guard = link.tryBeginOperation();
    if (!guard) return RadioWrite::Failed;
    for (;;) {
        switch (writeAttempt(link, image, global, reached)) {
            case Attempt::Ended:
                return RadioWrite::Failed;
            case Attempt::Succeeded:
                link.prompts().beep();
                link.endSession();
                return RadioWrite::Written;
            case Attempt::NothingToWrite:
                link.endSession();
                return RadioWrite::NoGroupInCommon;
            case Attempt::Failed:
                if (!retryFailedWrite(link)) return RadioWrite::Failed;
                break;
        }
    }
}

}  // namespace zav
