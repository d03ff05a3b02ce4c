#pragma once
// How the radio link target reads its input, shared with the seed generator.
//
// Input: the operation, the user's answers, the options and the selected group, then one
// record of three bytes per byte the radio sends: how many bytes the host must have sent
// since the previous reply went out, a delay (4 ms a step) and the byte. The radio sends
// nothing once the records run out.

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

#include "fuzz_check.h"
#include "iface/progress.h"
#include "iface/prompts.h"
#include "iface/settings_store.h"
#include "link/radio_link.h"
#include "link/status_nibble.h"
#include "model/document.h"
#include "ops/document_editor.h"
#include "ops/radio_operations.h"
#include "ops/utility_operations.h"
#include "sim/sim_radio.h"
#include "syncal/syncal.h"
#include "syncal/syncal_sink.h"

namespace zav::fuzz {

inline constexpr std::chrono::milliseconds kReplyDelayStep{4};

struct RunHeader {
    std::uint8_t operation = 0;  // see kOperationCount
    std::uint8_t answers = 0;    // bit i: the i-th question is answered Yes/Retry/Ok
    std::uint8_t options = 0;    // bit 0 verify after write, bits 1-2 the label setting
    std::uint8_t group = 0;      // the selected group, 0 none
};

inline constexpr int kOperationCount = 12;
inline constexpr int kSyncalOperation = 11;

// The bytes an operation computes and writes whatever the masks say: the alignment's
// results, up to (not including) its kept byte of the receiver path, whose protected
// bits it writes back as read. Empty for every other operation.
struct ByteRange {
    std::size_t first = 0;
    std::size_t end = 0;
};
inline ByteRange computedBytes(const RunHeader& header) {
    if (header.operation % kOperationCount != kSyncalOperation) return {};
    return {syncal_field::kTxResults, syncal_field::kRxKeptByte};
}

// Answers from the header's bits; after eight questions every answer is negative, so a
// run offers Retry a bounded number of times.
class BitPrompts final : public Prompts {
  public:
    explicit BitPrompts(std::uint8_t answers) : answers_(answers) {}
    Answer ask(const Message& message) override {
        const bool positive = asked_ < 8 && ((answers_ >> asked_) & 1) != 0;
        ++asked_;
        switch (message.buttons) {
            case Buttons::Ok:
                return Answer::Ok;
            case Buttons::OkCancel:
                return positive ? Answer::Ok : Answer::Cancel;
            case Buttons::RetryCancel:
                return positive ? Answer::Retry : Answer::Cancel;
            case Buttons::YesNo:
            case Buttons::YesNoCancel:
                return positive ? Answer::Yes : Answer::No;
        }
        return Answer::Cancel;
    }
    std::optional<std::string> chooseFile(const FileDialogRequest& /*request*/) override {
        return std::nullopt;
    }

  private:
    std::uint8_t answers_;
    int asked_ = 0;
};

class QuietSink final : public SyncalSink {
  public:
    void addStatusLine(const std::string& /*text*/) override {}
    void setStatusText(const std::string& /*text*/) override {}
};

// Every group (1..15) marked present on the page map of a memory or image.
inline void markGroupsPresent(std::span<Byte> memory) {
    for (int g = 1; g <= kGroupCount; ++g) {
        const BitField f = global_field::pageMapNibble(g);
        memory[f.offset] = withField(memory[f.offset], f, global_field::kPagePresent);
    }
}

// A radio's memory: a pattern no write of the default image repeats, every group present.
inline void fillRadioMemory(sim::RadioMemory& memory) {
    for (std::size_t i = 0; i < memory.size(); ++i) memory[i] = static_cast<Byte>(i * 7 + 3);
    markGroupsPresent(memory);
}

inline OperationResult startOperation(RadioOperations& ops, RadioLink& link, BitPrompts& prompts,
                                      const RunHeader& header);

// Runs the header's operation on a link over `port` to its end.
inline OperationResult runOperation(LinkPort& port, const RunHeader& header) {
    Document doc;  // the default file, with every group on its page map
    markGroupsPresent(doc.mem);
    const int group = header.group % (kGroupCount + 1);
    doc.resetGroups();
    DocumentEditor editor(doc, group);
    MemorySettingsStore settings;
    BitPrompts prompts(header.answers);
    NullProgress progress;
    RadioLink link(port, prompts, progress, &settings);
    RadioOperations ops(doc, link, settings, editor);
    ops.setVerifyAfterWrite((header.options & 1) != 0);
    ops.setLabelSetting(static_cast<LabelSetting>((header.options >> 1) % 3));
    return startOperation(ops, link, prompts, header);
}

inline OperationResult startOperation(RadioOperations& ops, RadioLink& link, BitPrompts& prompts,
                                      const RunHeader& header) {
    switch (header.operation % kOperationCount) {
        case 0:
            return ops.readRadio();
        case 1:
            return ops.readGlobal();
        case 2:
            return ops.readGroup();
        case 3:
            return ops.writeRadio();
        case 4:
            return ops.writeGlobal();
        case 5:
            return ops.writeGroup();
        case 6:
            return ops.labelReadGroup();
        case 7:
            return ops.labelReadRadio();
        case 8:
            return ops.labelWriteGroup();
        case 9:
            return ops.labelWriteRadio();
        case 10:
            return sendDtmfDeviation(link, header.options % 32);
        default: {
            QuietSink sink;
            Syncal syncal(link, prompts, sink);
            return alignSynthesizer(syncal);
        }
    }
}

}  // namespace zav::fuzz
