#include "link/label_transfer.h"
#include "iface/shown_text.h"

#include "iface/progress.h"
#include "iface/prompts.h"
#include "link/label_programs.h"
#include "link/radio_link.h"

namespace zav {

namespace {

constexpr int kAllGroups = 0;
constexpr int kReadAttempts = 4;
constexpr Byte kReadFrame = 0x02;
constexpr Byte kWriteFrame = 0x03;
constexpr Byte kByteAccess = 0x01;
constexpr Byte kRegisterAccess = 0x00;
constexpr Byte kRegisterPage = 0x60;
constexpr Byte kReadHighBits = 0x28;
constexpr Byte kWriteHighBits = 0x68;
constexpr Byte kEndLabelProgram = 0x00;

void tell(RadioLink& link, const char* text) {
    link.prompts().ask(notice(text));
}

bool groupValid(RadioLink& link, int group) {
    if (group >= kAllGroups && group <= kGroupCount) return true;
    tell(link, shownText("Messages", "Requested bank is invalid"));
    return false;
}

// Runs transferSlot(g, s) on slots 1..16 of group `group`, or of groups 1..15 for 0,
// counting the slots done on the progress bar; stops at the first slot that fails.
template <typename TransferSlot>
bool forEachSlot(RadioLink& link, int group, TransferSlot transferSlot) {
    if (!groupValid(link, group)) return false;
    const int first = group == kAllGroups ? 1 : group;
    const int last = group == kAllGroups ? kGroupCount : group;
    Progress& progress = link.progress();
    progress.setMinimum(0);
    progress.setMaximum((last - first + 1) * kLabelSlots);
    progress.setValue(0);
    progress.setBarVisible(true);
    int count = 0;
    for (int g = first; g <= last; ++g) {
        for (int s = 1; s <= kLabelSlots; ++s) {
            // Between labels a transfer stops safely: each label is the old or the new one.
            if (progress.cancelled() || !transferSlot(g, s)) {
                progress.setBarVisible(false);
                return false;
            }
            progress.setValue(++count);
        }
    }
    link.transport().delay(300);
    progress.setBarVisible(false);
    return true;
}

// The closing bytes that end the label program.
void endLabelProgram(Transport& transport) {
    transport.sendByte(kEndLabelProgram);
    transport.delay(10);
    transport.sendByte(kEndLabelProgram);
}

// After a failed bootstrap the radio is still in its resident firmware at 9600 baud.
void reportBootstrapFailure(RadioLink& link) {
    (void)link.setBaud(LineSpeed::Baud4800);
    link.transport().delay(200);
    tell(link, shownText("Messages", "Transfer initialization error"));
}

void finish(RadioLink& link) {
    link.progress().endOperation();
    link.progress().connectionEnded();
}

}  // namespace

bool startLabelTransfer(RadioLink& link) {
    const Byte loadAt = blockLoadAddress(kLabelLoaderBlock);
    if (!link.pokeBlock(loadAt, blockCode(kLabelLoaderBlock))) return false;
    link.executeAt(loadAt);
    Transport& transport = link.transport();
    transport.sendByte(blockLoadAddress(kLabelProgramBlock));
    transport.sendByte(kLabelProgramBlock[0]);
    transport.sendReversed(blockCode(kLabelProgramBlock));
    return true;
}

void writeLabelRegister(RadioLink& link, Byte reg, Byte value) {
    Transport& transport = link.transport();
    transport.sendByte(kWriteFrame);
    transport.delay(2);
    transport.sendByte(kRegisterAccess);
    transport.delay(2);
    transport.sendByte(kRegisterPage);
    transport.delay(5);
    transport.sendByte(reg);
    transport.delay(5);
    transport.sendByte(value);
    transport.delay(50);
}

void setLabelReadMode(RadioLink& link) {
    writeLabelRegister(link, 0xF6, 0x00);
    writeLabelRegister(link, 0xFE, 0x44);
    writeLabelRegister(link, 0xFF, 0x10);
}

void clearLabelReadMode(RadioLink& link) {
    writeLabelRegister(link, 0xF6, 0x80);
    writeLabelRegister(link, 0xFE, 0x45);
}

bool readLabel(RadioLink& link, int group, int slot, LabelSlot& buffer) {
    Transport& transport = link.transport();
    const int base = labelOffset(group, slot);
    const auto high = static_cast<Byte>((base / 256) | kReadHighBits);
    int lo = base % 256;
    std::uint32_t pause = 2;  // grows with every miss in this slot
    for (int i = kLabelPositions - 1; i >= 0; --i) {
        bool came = false;
        for (int attempt = 0; attempt < kReadAttempts && !came; ++attempt) {
            if (link.progress().cancelled()) return false;
            // A byte waiting here is left over from an answer that came late or twice.
            if (transport.bytesWaiting() > 0) return false;
            transport.sendByte(kReadFrame);
            transport.sendByte(kByteAccess);
            transport.sendByte(high);
            transport.sendByte(static_cast<Byte>(lo));
            ++lo;
            Byte first{};
            Byte data{};
            // Only the first answer byte's arrival counts; the second is the data.
            if (transport.receiveByte(first) && transport.receiveByte(data)) {
                buffer[static_cast<std::size_t>(i)] = data;
                came = true;
            } else {
                transport.delay(pause + 5);
                ++pause;
                --lo;  // the same offset again
            }
        }
        if (!came) return false;
    }
    return true;
}

bool writeLabel(RadioLink& link, int group, int slot, const LabelSlot& buffer,
                const LabelSlot* held) {
    Transport& transport = link.transport();
    const int base = labelOffset(group, slot);
    const auto high = static_cast<Byte>((base / 256) | kWriteHighBits);
    int lo = base % 256;
    for (int i = kLabelPositions - 1; i >= 0; --i, ++lo) {
        const Byte value = buffer[static_cast<std::size_t>(i)];
        // Each frame names its own offset: a byte the radio holds already is skipped.
        if (held != nullptr && (*held)[static_cast<std::size_t>(i)] == value) continue;
        transport.sendByte(kWriteFrame);
        transport.sendByte(kByteAccess);
        transport.delay(4);
        transport.sendByte(high);
        transport.delay(5);
        transport.sendByte(static_cast<Byte>(lo));
        transport.delay(5);
        transport.discardInput();
        transport.sendByte(value);
        if (!transport.waitForByte(value)) return false;
        transport.delay(7);
    }
    return true;
}

bool readLabelGroups(RadioLink& link, LabelImage& labels, int group) {
    return forEachSlot(link, group, [&](int g, int s) {
        LabelSlot buffer{};
        if (!readLabel(link, g, s, buffer)) return false;
        for (int k = 0; k < kLabelPositions; ++k)
            labels[labelIndex(g - 1, s - 1, k)] = buffer[static_cast<std::size_t>(k)];
        return true;
    });
}

bool writeLabelGroups(RadioLink& link, const LabelImage& labels, int group,
                      const LabelImage* onRadio) {
    const auto slotOf = [](const LabelImage& from, int g, int s) {
        LabelSlot buffer{};
        for (int k = 0; k < kLabelPositions; ++k)
            buffer[static_cast<std::size_t>(k)] = from[labelIndex(g - 1, s - 1, k)];
        return buffer;
    };
    return forEachSlot(link, group, [&](int g, int s) {
        const LabelSlot held = onRadio != nullptr ? slotOf(*onRadio, g, s) : LabelSlot{};
        return writeLabel(link, g, s, slotOf(labels, g, s), onRadio != nullptr ? &held : nullptr);
    });
}

namespace {

// One label connection: the progress window with `text`, the hook, 9600 baud and the
// bootstrap, then `transfer`, the bytes that end the label program, and the release.
// The progress window goes and the main window comes back however it ends.
template <typename Transfer>
bool labelConnection(RadioLink& link, const char* text, Transfer transfer) {
    const auto guard = link.tryBeginOperation();
    if (!guard) return false;
    link.progress().beginOperation(text, OperationKind::Reads);
    if (!link.hookRadio(LineSpeed::Baud4800)) {
        // A radio whose answer was lost, late or garbled has still heard the hook: it is
        // released as after any other operation, and the port closed.
        link.endSession();
        finish(link);
        return false;
    }
    bool ok = false;
    if (link.setBaud(LineSpeed::Baud9600)) {
        if (!startLabelTransfer(link)) {
            reportBootstrapFailure(link);
        } else {
            ok = transfer();
            endLabelProgram(link.transport());
        }
    }
    link.releaseRadio();
    finish(link);
    return ok;
}

}  // namespace

bool readLabelsFromRadio(RadioLink& link, LabelImage& labels, int groupIndex) {
    return labelConnection(link, kReadingLabels, [&] {
        setLabelReadMode(link);
        link.progress().enableCancel();
        // Slots arrive one by one; the caller's labels change only when all came.
        LabelImage scratch = labels;
        // Nothing may follow the last answer (the closing pause has let it come): a byte
        // that does means the answers were taken one off.
        const bool ok =
            readLabelGroups(link, scratch, groupIndex + 1) && link.transport().bytesWaiting() == 0;
        if (ok)
            labels = scratch;
        else if (!link.progress().cancelled())
            tell(link, shownText("Messages", "Unable to upload data from radio"));
        clearLabelReadMode(link);
        return ok;
    });
}

bool writeLabelsToRadio(RadioLink& link, const LabelImage& labels, int groupIndex,
                        const LabelImage* onRadio) {
    // The progress window's Cancel button stays disabled; a cancel from outside (a
    // terminal's interrupt, a fleet's Cancel) stops the write between two labels.
    return labelConnection(link, kWritingLabels, [&] {
        const bool ok = writeLabelGroups(link, labels, groupIndex + 1, onRadio);
        if (!ok && !link.progress().cancelled())
            tell(link, shownText("Messages", "Unable to upload data to radio"));
        return ok;
    });
}

}  // namespace zav
