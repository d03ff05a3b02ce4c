// The texts a user types into the grid and the global window: frequencies, code guards,
// label characters, the frequency check, the offset and the entry gates. Whatever comes
// in, the codecs end, what they store reads back as a text that stores the same bytes, and
// what a gate takes reads back as the gate shows it.

#include <cmath>
#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "model/channel.h"
#include "model/codecs.h"
#include "model/field_entry.h"
#include "model/frequency_check.h"

using namespace zav;
using zav::fuzz::FuzzInput;
using zav::fuzz::require;

namespace {

void checkFrequencyText(const std::string& text) {
    if (const auto stored = freqTextToBytes(text)) {
        const std::string shown = freqBytesToText((*stored)[0], (*stored)[1]);
        const auto again = freqTextToBytes(shown == "none" ? "" : shown);
        require(again && *again == *stored, "a stored frequency reads back as the same bytes");
    }
    const FieldEntry entry = frequencyEntry(text);
    require(entry || !entry.reason().empty(), "a refusal says why");
    if (entry) {
        require(frequencyEntry(entry.shown()) == entry, "a frequency is taken again as shown");
        const auto bytes = freqTextToBytes(entry.shown());
        require(bytes && freqBytesToText((*bytes)[0], (*bytes)[1]) == entry.shown(),
                "a frequency taken is stored exactly");
    }
    // Too many digits give an infinity (an overflow no encoder takes for 0), never NaN.
    require(!std::isnan(leadingNumber(text)), "the leading number is a number");
}

void checkCodeGuardText(const std::string& text) {
    if (const auto stored = cgTextToBytes(text)) {
        const std::string shown = cgBytesToText((*stored)[0], (*stored)[1]);
        const auto again = cgTextToBytes(shown);
        require(again && *again == *stored, "a stored code guard reads back as the same bytes");
    }
}

// Whatever an entry gate takes, the field then shows as the gate says, and the gate takes
// that text again unchanged; what it refuses it says why.
void checkEntryText(const std::string& text) {
    MemImage mem{};
    LabelImage labels{};
    Channel channel(mem, labels, 0, 0);
    for (int column = kColRecFreq; column <= kColScan; ++column) {
        const MemImage before = mem;
        const FieldEntry entry = channel.update(column, text);
        require(entry || !entry.reason().empty(), "a refusal says why");
        require(entry || mem == before, "a refusal stores nothing");
        if (!entry) continue;
        require(channel.display()[static_cast<std::size_t>(column)] == entry.shown(),
                "an accepted entry reads back as the gate shows it");
        require(channelEntry(column, entry.shown()) == entry, "a gate takes what it shows");
    }
    const FieldEntry id = idEntry(text);
    if (id) require(idEntry(id.shown()) == id, "an ID is taken as shown");
}

void checkLabelText(std::string text) {
    while (!text.empty()) {
        const std::size_t before = text.size();
        const Byte b = labelTextToByte(text);
        require(text.size() < before, "every label character uses up some text");
        std::string shown = labelByteToText(b);
        if (!shown.empty()) require(labelTextToByte(shown) == b, "a label byte reads back");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const Byte f0 = input.takeByte();
    const Byte f1 = input.takeByte();
    // Whatever a radio or a file holds is shown as some text.
    checkFrequencyText(freqBytesToText(f0, f1));
    checkCodeGuardText(cgBytesToText(f0, f1));
    (void)labelByteToText(f0);

    const std::string first = input.takeField();
    const std::string second = input.takeRest();
    checkFrequencyText(first);
    checkCodeGuardText(first);
    checkLabelText(first);
    checkEntryText(first);
    checkFrequencyText(addOffset(first, second));
    return 0;
}
