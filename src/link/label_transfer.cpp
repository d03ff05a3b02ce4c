#include "link/label_transfer.h"

#include <ranges>

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
    Message m;
    m.text = text;
    link.prompts().ask(m);
}

bool groupValid(RadioLink& link, int group) {
    if (group >= kAllGroups && group <= kGroupCount) return true;
    tell(link, "Requested bank is invalid");
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
            if (!transferSlot(g, s)) {
                progress.setBarVisible(false);
                return false;
            }
            progress.setValue(++count);
        }
    }
    link.transport().Delay(300);
    progress.setBarVisible(false);
    return true;
}

// The closing bytes that end the label program.
void endLabelProgram(Transport& transport) {
    transport.SendByte(kEndLabelProgram);
    transport.Delay(10);
    transport.SendByte(kEndLabelProgram);
}

// After a failed bootstrap the radio is still in its resident firmware at 9600 baud.
void reportBootstrapFailure(RadioLink& link) {
    (void)link.SetBaud(0);
    link.transport().Delay(200);
    tell(link, "Transfer initialization error");
}

void finish(RadioLink& link) {
    link.progress().hideForm();
    link.progress().enableMainWindow();
}

}  // namespace

bool StartLabelTransfer(RadioLink& link) {
    const Byte loadAt = BlockLoadAddress(kLabelLoaderBlock);
    if (!link.PokeBlock(loadAt, BlockCode(kLabelLoaderBlock))) return false;
    link.ExecuteAt(loadAt);
    Transport& transport = link.transport();
    transport.SendByte(BlockLoadAddress(kLabelProgramBlock));
    transport.SendByte(kLabelProgramBlock[0]);
    for (const Byte b : std::views::reverse(BlockCode(kLabelProgramBlock))) transport.SendByte(b);
    return true;
}

void WriteLabelRegister(RadioLink& link, Byte reg, Byte value) {
    Transport& transport = link.transport();
    transport.SendByte(kWriteFrame);
    transport.Delay(2);
    transport.SendByte(kRegisterAccess);
    transport.Delay(2);
    transport.SendByte(kRegisterPage);
    transport.Delay(5);
    transport.SendByte(reg);
    transport.Delay(5);
    transport.SendByte(value);
    transport.Delay(50);
}

void SetLabelReadMode(RadioLink& link) {
    WriteLabelRegister(link, 0xF6, 0x00);
    WriteLabelRegister(link, 0xFE, 0x44);
    WriteLabelRegister(link, 0xFF, 0x10);
}

void ClearLabelReadMode(RadioLink& link) {
    WriteLabelRegister(link, 0xF6, 0x80);
    WriteLabelRegister(link, 0xFE, 0x45);
}

bool ReadLabel(RadioLink& link, int group, int slot, LabelSlot& buffer) {
    Transport& transport = link.transport();
    const int base = LabelOffset(group, slot);
    const auto high = static_cast<Byte>((base / 256) | kReadHighBits);
    int lo = base % 256;
    std::uint32_t pause = 2;  // grows with every miss in this slot
    for (int i = kLabelPositions - 1; i >= 0; --i) {
        bool came = false;
        for (int attempt = 0; attempt < kReadAttempts && !came; ++attempt) {
            if (link.progress().cancelled()) return false;
            transport.SendByte(kReadFrame);
            transport.SendByte(kByteAccess);
            transport.SendByte(high);
            transport.SendByte(static_cast<Byte>(lo));
            ++lo;
            Byte first = 0;
            Byte data = 0;
            // Only the first answer byte's arrival counts; the second is the data.
            if (transport.ReceiveByte(first) && transport.ReceiveByte(data)) {
                buffer[static_cast<std::size_t>(i)] = data;
                came = true;
            } else {
                transport.Delay(pause + 5);
                ++pause;
                --lo;  // the same offset again
            }
        }
        if (!came) return false;
    }
    return true;
}

bool WriteLabel(RadioLink& link, int group, int slot, const LabelSlot& buffer) {
    Transport& transport = link.transport();
    const int base = LabelOffset(group, slot);
    const auto high = static_cast<Byte>((base / 256) | kWriteHighBits);
    int lo = base % 256;
    for (int i = kLabelPositions - 1; i >= 0; --i) {
        const Byte value = buffer[static_cast<std::size_t>(i)];
        transport.SendByte(kWriteFrame);
        transport.SendByte(kByteAccess);
        transport.Delay(4);
        transport.SendByte(high);
        transport.Delay(5);
        transport.SendByte(static_cast<Byte>(lo));
        ++lo;
        transport.Delay(5);
        transport.DiscardInput();
        transport.SendByte(value);
        if (!transport.WaitForByte(value)) return false;
        transport.Delay(7);
    }
    return true;
}

bool ReadLabelGroups(RadioLink& link, LabelImage& labels, int group) {
    return forEachSlot(link, group, [&](int g, int s) {
        LabelSlot buffer{};
        if (!ReadLabel(link, g, s, buffer)) return false;
        for (int k = 0; k < kLabelPositions; ++k)
            labels[labelIndex(g - 1, s - 1, k)] = buffer[static_cast<std::size_t>(k)];
        return true;
    });
}

bool WriteLabelGroups(RadioLink& link, const LabelImage& labels, int group) {
    return forEachSlot(link, group, [&](int g, int s) {
        LabelSlot buffer{};
        for (int k = 0; k < kLabelPositions; ++k)
            buffer[static_cast<std::size_t>(k)] = labels[labelIndex(g - 1, s - 1, k)];
        return WriteLabel(link, g, s, buffer);
    });
}

namespace {

// One label connection: the progress window with `text`, the hook, 9600 baud and the
// bootstrap, then `transfer`, the bytes that end the label program, and the release.
// The progress window goes and the main window comes back however it ends.
template <typename Transfer>
bool labelConnection(RadioLink& link, const char* text, Transfer transfer) {
    const auto guard = link.TryBeginOperation();
    if (!guard) return false;
    link.progress().showForm(text, false);
    if (!link.HookRadio(false)) {
        finish(link);
        return false;
    }
    bool ok = false;
    if (link.SetBaud(1)) {
        if (!StartLabelTransfer(link)) {
            reportBootstrapFailure(link);
        } else {
            ok = transfer();
            endLabelProgram(link.transport());
        }
    }
    link.ReleaseRadio();
    finish(link);
    return ok;
}

}  // namespace

bool ReadLabelsFromRadio(RadioLink& link, LabelImage& labels, int groupIndex) {
    return labelConnection(link, "Please Wait - Reading Labels", [&] {
        SetLabelReadMode(link);
        link.progress().enableCancel();
        // Slots arrive one by one; the caller's labels change only when all came.
        LabelImage scratch = labels;
        const bool ok = ReadLabelGroups(link, scratch, groupIndex + 1);
        if (ok)
            labels = scratch;
        else if (!link.progress().cancelled())
            tell(link, "Unable to upload data from radio");
        ClearLabelReadMode(link);
        return ok;
    });
}

bool WriteLabelsToRadio(RadioLink& link, const LabelImage& labels, int groupIndex) {
    // The Cancel button stays disabled: a label write cannot be cancelled.
    return labelConnection(link, "Please Wait - Writing Labels", [&] {
        const bool ok = WriteLabelGroups(link, labels, groupIndex + 1);
        if (!ok) tell(link, "Unable to upload data to radio");
        return ok;
    });
}

}  // namespace zav
