#include "ops/radio_queries.h"

#include <algorithm>

#include "iface/progress.h"
#include "iface/prompts.h"
#include "link/label_transfer.h"
#include "link/radio_link.h"
#include "link/radio_read.h"
#include "link/status_nibble.h"
#include "link/write_masks.h"
#include "link/write_verify.h"
#include "model/globals.h"
#include "model/group.h"
#include "model/image_diff.h"
#include "model/memory_fields.h"
#include "ops/radio_operations.h"

namespace zav {

namespace {

constexpr int kBlockBytes = static_cast<int>(kPageSize);

// The whole radio into `image` (which keeps its bytes where the read fails); the read
// refuses, telling why, while another operation holds the link.
bool readWhole(RadioLink& link, MemImage& image) {
    Progress& progress = link.progress();
    progress.beginOperation(RadioOperations::kReadingRadio, OperationKind::Reads);
    const bool read = readRadio(link, image);
    progress.endOperation();
    return read;
}

// Whether the radio's page map (in `radio`) says group g (1..15) is there to transfer.
bool onRadio(const MemImage& radio, int g) {
    return blockPresent(statusNibble(radio.at(static_cast<std::size_t>(statusByteAddress(g))), g));
}

OperationResult notRead(RadioLink& link) {
    if (link.progress().cancelled()) return OperationResult::cancelled();
    return OperationResult::failure("the radio was not read");
}

}  // namespace

RadioIdentity identityOf(const MemImage& radio) {
    RadioIdentity id;
    id.band = decodeRadioBand(bandBytesOf(radio));
    MemImage mem = radio;  // a group reads through references
    LabelImage labels{};
    for (int g = 1; g <= kGroupCount; ++g)
        if (onRadio(radio, g)) id.groups.push_back({g, Group(mem, labels, g - 1).readIdNum()});
    const std::string password = loadPassword(radio);
    id.passwordSet = password != "000000" && password != "FFFFFF";
    return id;
}

std::vector<std::string> identityLines(const RadioIdentity& identity) {
    std::vector<std::string> lines;
    lines.push_back("band: " + (identity.band ? bandText(*identity.band)
                                              : std::string("unknown (the band bytes are "
                                                            "blank or out of range)")));
    std::string present;
    for (const auto& g : identity.groups)
        present += (present.empty() ? "" : ", ") + std::to_string(g.group);
    lines.push_back("groups: " + (present.empty() ? std::string("none") : present));
    for (const auto& g : identity.groups)
        lines.push_back("group " + std::to_string(g.group) + ": ANI/ID " + g.unitId);
    lines.push_back(std::string("password: ") + (identity.passwordSet ? "set" : "not set"));
    return lines;
}

OperationResult identifyRadio(RadioLink& link, RadioIdentity& identity) {
    const auto guard = link.tryBeginOperation();
    if (!guard) return OperationResult::failure("another radio operation is in progress");
    // Word reads at 4800 baud of the bytes an identity needs, the groups' after the page
    // map says which there are: a whole read would also stand group 1 in for a radio
    // without groups.
    MemImage radio{};
    const auto word = [&](int address) {
        Word w{};
        if (!link.readWord(address, w)) return false;
        std::copy(w.begin(), w.end(), radio.begin() + address);
        return true;
    };
    const bool hooked = link.hookRadio(LineSpeed::Baud4800);
    bool read = hooked;
    for (const int a :
         {syncal_field::kBandEdge, syncal_field::kBandDivisor,
          int{global_field::kPassword[0].offset}, int{global_field::kPassword[2].offset} & ~1})
        read = read && word(a);
    for (int i = 0; i < global_field::kPageMapBytes; i += 2)
        read = read && word(global_field::kPageMapFirst + i);
    for (int g = 1; read && g <= kGroupCount; ++g) {
        if (!onRadio(radio, g)) continue;
        for (const int offset :
             {int{group_field::kAniDigit1.offset}, int{group_field::kAniDigitBytes[1].offset}})
            read = read && word(g * kBlockBytes + offset);
    }
    read = read && link.confirmInStep();
    link.endSession();
    if (!read) {
        if (hooked && !link.progress().cancelled())
            link.prompts().ask(information("Error reading radio", kCommErrorTitle));
        return notRead(link);
    }
    identity = identityOf(radio);
    return OperationResult::success();
}

WriteChanges changesOfWrite(const MemImage& file, const LabelImage& fileLabels,
                            const MemImage& radio, const LabelImage& radioLabels) {
    WriteChanges c{radio, radioLabels, radio, fileLabels};
    for (const int block : blocksWritten(file, radio, GlobalBlock::Write)) {
        const WriteMaskTable& mask = block == 0 ? kWriteMasks.global : kWriteMasks.group;
        for (int i = 0; i < kBlockBytes; ++i) {
            const auto a = static_cast<std::size_t>(block * kBlockBytes + i);
            const Byte m = mask[static_cast<std::size_t>(i)];
            c.after[a] = static_cast<Byte>((radio[a] & ~m) | (file[a] & m));
        }
    }
    return c;
}

OperationResult compareWithRadio(RadioLink& link, const MemImage& file,
                                 const LabelImage& fileLabels, LabelCompare labels,
                                 std::vector<std::string>& differences) {
    // What the radio does not send (groups it lacks) stays the file's: no difference.
    MemImage radio = file;
    if (!readWhole(link, radio)) return notRead(link);
    LabelImage radioLabels = fileLabels;
    if (labels == LabelCompare::Include && !readLabelsFromRadio(link, radioLabels, -1)) {
        if (link.progress().cancelled()) return OperationResult::cancelled();
        return OperationResult::failure("the radio's labels were not read");
    }
    const WriteChanges c = changesOfWrite(file, fileLabels, radio, radioLabels);
    differences = compareImages({c.radio, c.radioLabels}, {c.after, c.afterLabels});
    return OperationResult::success();
}

}  // namespace zav
