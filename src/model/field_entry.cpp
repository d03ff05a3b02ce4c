#include "model/field_entry.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "model/channel.h"
#include "model/codecs.h"
#include "model/frequency_check.h"
#include "model/group.h"
#include "model/typed_text.h"

namespace zav {

namespace {

// Tones in tenths of a hertz: four BCD digits, and from 800.0 Hz the first byte's top bit
// would mark a digital code.
constexpr std::int64_t kToneTenthsLimit = 8000;
constexpr std::string_view kHexDigits = "0123456789ABCDEFabcdef";

FieldEntry accepted(std::string text) {
    return FieldEntry::taken(std::move(text));
}

FieldEntry refused(std::string why) {
    return FieldEntry::refused(std::move(why));
}

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

bool allOf(std::string_view text, char low, char high) {
    return std::all_of(text.begin(), text.end(), [=](char c) { return c >= low && c <= high; });
}

std::string codeGuardShown(const std::string& text) {
    const auto bytes = cgTextToBytes(text);
    return bytes ? cgBytesToText((*bytes)[0], (*bytes)[1]) : std::string();
}

// What the display shows for what a label position took from the front of a text: its
// letters in capitals, except h.
std::string asShown(std::string taken) {
    for (char& c : taken)
        if (c >= 'a' && c <= 'z' && c != 'h') c = static_cast<char>(c - 'a' + 'A');
    return taken;
}

}  // namespace

const std::string& FieldEntry::shown() const {
    if (!accepted_) throw std::logic_error("a refused entry shows nothing: " + text_);
    return text_;
}

const std::string& FieldEntry::reason() const {
    if (accepted_) throw std::logic_error("a taken entry has no reason: " + text_);
    return text_;
}

FieldEntry codeGuardEntry(std::string_view typed) {
    const std::string_view text = trimmed(typed);
    if (text.empty()) return accepted({});
    if (text.front() == 'D' || text.front() == 'd') {
        const bool inverted = text.ends_with('-');
        const std::string_view digits = text.substr(1, text.size() - (inverted ? 2 : 1));
        if (digits.size() != 3 || !allOf(digits, '0', '9'))
            return refused(quoted(text) + " is not a digital code: D and three digits, as D023");
        // The code's digits are octal: the radio would take an 8 for 0 and a 9 for 1.
        if (!allOf(digits, '0', '7'))
            return refused(quoted(text) + " is not a digital code: its digits are 0 to 7");
        return accepted(codeGuardShown(std::string(text)));
    }
    if (!isNumericText(text))
        return refused(quoted(text) +
                       " is not a code guard: a tone such as 67.0 or a code such as D023");
    const auto tenths = wholeUnits(text, 1);
    if (!tenths || *tenths >= kToneTenthsLimit)
        return refused(quoted(text) +
                       " is not a tone of the radio: 0.1 to 799.9 Hz in steps of 0.1 Hz");
    if (*tenths == 0) return accepted({});
    return accepted(
        codeGuardShown(std::to_string(*tenths / 10) + "." + std::to_string(*tenths % 10)));
}

FieldEntry labelEntry(std::string_view typed) {
    std::string rest(typed);
    std::string shown;
    for (int position = 0; position < kLabelPositions; ++position) {
        const std::size_t before = rest.size();
        const std::string text = labelByteToText(labelTextToByte(rest));
        const std::string taken =
            asShown(std::string(typed.substr(typed.size() - before, before - rest.size())));
        // A character the display has not is stored as a blank, a point first as a blank
        // without its point.
        if (!taken.empty() && taken != text) {
            if (taken.front() == '.')
                return refused(quoted(typed) + " is not a label: a point follows a character");
            const bool point = taken.size() > 1 && taken.back() == '.';
            return refused(
                quoted(typed) + " is not a label: " +
                quoted(std::string_view(taken).substr(0, taken.size() - (point ? 1 : 0))) +
                " is not shown by the radio");
        }
        shown += text;
    }
    if (!rest.empty())
        return refused(quoted(typed) + " is not a label: it holds 8 characters at most");
    return accepted(shown);
}

FieldEntry idEntry(std::string_view typed) {
    if (typed.size() > static_cast<std::size_t>(kIdDigits) ||
        typed.find_first_not_of(kHexDigits) != std::string_view::npos)
        return refused(quoted(typed) + " is not an ANI/ID number: up to 7 hexadecimal digits");
    std::string id(static_cast<std::size_t>(kIdDigits) - typed.size(), '0');
    for (const char c : typed) id += (c >= 'a' && c <= 'f') ? static_cast<char>(c - 'a' + 'A') : c;
    return accepted(id);
}

FieldEntry scanEntry(std::string_view typed) {
    if (typed == "Y" || typed.empty()) return accepted(std::string(typed));
    return refused(quoted(typed) + " is not a scan flag: 'Y' or empty");
}

FieldEntry channelEntry(int column, std::string_view typed) {
    switch (column) {
        case kColRecFreq:
        case kColTxFreq:
            return frequencyEntry(typed);
        case kColRecCG:
        case kColTxCG:
            return codeGuardEntry(typed);
        case kColLabel:
            return labelEntry(typed);
        case kColScan:
            return scanEntry(typed);
        default:
            return refused("column " + std::to_string(column) + " takes no entry");
    }
}

}  // namespace zav
