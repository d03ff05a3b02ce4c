#include "link/radio_read.h"
#include "iface/shown_text.h"

#include <algorithm>

#include "iface/progress.h"
#include "iface/prompts.h"
#include "link/group_on_radio.h"
#include "link/radio_link.h"
#include "link/status_nibble.h"
#include "link/transfer_programs.h"
#include "link/upload_program.h"
#include "model/memory_map.h"

namespace zav {

namespace {

constexpr int kSegmentSize = 256;
constexpr int kSegmentCount = 8;
constexpr Byte kStartRead = 0x00;

constexpr std::string_view kReadMemoryTitle = shownText("Messages", "Read Memory");

void showReadError(RadioLink& link) {
    link.prompts().ask(information(shownText("Messages", "Error reading radio"), kCommErrorTitle));
}

// Bytes first..first + count of `from` into `to`.
void copyRange(const MemImage& from, MemImage& to, int first, int count) {
    const auto begin = from.begin() + first;
    std::copy(begin, begin + count, to.begin() + first);
}

}  // namespace

bool runReadProgram(RadioLink& link, MemImage& image) {
    Transport& transport = link.transport();
    transport.sendByte(kStartRead);
    bool allCame = true;
    for (int i = 0; i < kSegmentCount; ++i) {
        // Segment i holds pages 2i and 2i + 1, whose nibbles share one page-map byte.
        if (i != 0 && image[static_cast<std::size_t>(statusByteAddress(2 * i))] == 0) continue;
        // Between segments a read stops safely: the program still ends with its end byte.
        if (link.progress().cancelled()) {
            allCame = false;
            break;
        }
        // A byte waiting here is left over from a segment that came out of step.
        if (transport.bytesWaiting() > 0) {
            allCame = false;
            break;
        }
        transport.sendByte(static_cast<Byte>(2 * i));
        for (int j = 0; j < kSegmentSize; ++j) {
            Byte b{};
            if (!transport.receiveByte(b)) {
                // The rest of this segment is not coming; the radio still expects the
                // next request.
                allCame = false;
                break;
            }
            image[static_cast<std::size_t>(kSegmentSize * i + j)] = b;
        }
    }
    // A byte after the last segment means one came late or twice: the image is shifted.
    if (allCame && !link.confirmInStep()) allCame = false;
    transport.sendByte(kEndProgram);
    return allCame;
}

bool readRadio(RadioLink& link, MemImage& image) {
    const auto guard = link.tryBeginOperation();
    if (!guard) return false;
    if (!link.hookRadio(LineSpeed::Baud9600)) {
        link.endSession();
        return false;
    }
    // A failed upload shows up as segment bytes that do not come.
    (void)uploadProgram(link, kReadProgram);
    link.progress().enableCancel();
    MemImage scratch = image;
    const bool ok = runReadProgram(link, scratch);
    if (!ok) {
        link.releaseRadio();
        if (!link.progress().cancelled()) showReadError(link);
    }
    link.prompts().beep();
    link.endSession();
    if (!ok) return false;

    copyRange(scratch, image, 0, static_cast<int>(kRadioMemorySize));
    for (int g = 0; g < kGroupCount; ++g)
        if (groupExists(image, g)) return true;
    // Without any group the editor would have nothing to show; group 1 stands in.
    const BitField group1 = global_field::pageMapNibble(1);
    image[group1.offset] = withField(0, group1, global_field::kPagePresent);
    link.prompts().ask(
        information(shownText("Messages", "Warning: No valid channel groups"), kReadMemoryTitle));
    return true;
}

GroupTransfer readGroup(RadioLink& link, MemImage& image, int g) {
    if (g < 1 || g > kGroupCount) return GroupTransfer::Failed;
    const auto guard = link.tryBeginOperation();
    if (!guard) return GroupTransfer::Failed;
    if (!link.hookRadio(LineSpeed::Baud4800)) {
        link.endSession();
        return GroupTransfer::Failed;
    }
    const GroupOnRadio onRadio = checkGroupOnRadio(link, g, kReadGroupTitle);
    if (onRadio == GroupOnRadio::Absent) return GroupTransfer::Absent;
    MemImage scratch = image;
    const int first = blockAddress(g);
    const int size = static_cast<int>(kPageSize);
    const bool ok = onRadio == GroupOnRadio::Present && link.readBlock(scratch, first, size);
    if (!ok && !link.progress().cancelled()) showReadError(link);
    link.prompts().beep();
    link.endSession();
    if (ok) copyRange(scratch, image, first, size);
    return ok ? GroupTransfer::Done : GroupTransfer::Failed;
}

}  // namespace zav
