#include "model/image_diff.h"

#include <iomanip>
#include <sstream>

#include "model/field_texts.h"
#include "model/memory_fields.h"
#include "model/memory_map.h"

namespace zav {

namespace {

// A field's text as the list shows it: without the blanks that pad it, and "none", the
// grid's word for an empty frequency, where nothing is left.
std::string shownText(std::string_view text) {
    const std::size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? "none" : std::string(text.substr(0, end + 1));
}

std::string hex(unsigned value, int digits) {
    std::ostringstream text;
    text << std::uppercase << std::hex << std::setfill('0') << std::setw(digits) << value;
    return text.str();
}

// Compares the fields of one scope at one place. Each difference is reported and the
// second image's text stored into `scratch` (a copy of the first), so that the bytes
// still differing afterwards are those no text shows.
class FieldComparer {
  public:
    FieldComparer(ImagePair first, ImagePair second, std::vector<std::string>& lines)
        : first_(first), second_(second), lines_(lines), mem_(first.mem), labels_(first.labels) {
        // The texts are read through places, which need images they may refer to.
        secondMem_ = second.mem;
        secondLabels_ = second.labels;
    }

    void compare(FieldScope scope, const std::string& where, int g, int c) {
        const FieldPlace mine{mem_, labels_, g, c};
        const FieldPlace theirs{secondMem_, secondLabels_, g, c};
        for (const FieldText& f : fieldTexts()) {
            if (f.scope != scope) continue;
            const std::string a = f.read(mine);
            const std::string b = f.read(theirs);
            if (a == b) continue;
            // Texts that differ only in their padding are shown as they are.
            const bool padding = shownText(a) == shownText(b);
            lines_.push_back(where + std::string(f.name) + ": " + (padding ? a : shownText(a)) +
                             " -> " + (padding ? b : shownText(b)));
            f.store(mine, b);
        }
    }

    void presence(int g) {
        const bool inFirst = groupExists(mem_, g);
        if (inFirst == groupExists(second_.mem, g)) return;
        lines_.push_back("Group " + std::to_string(g + 1) + ": only in the " +
                         (inFirst ? "first" : "second") + " image");
        const BitField nibble = global_field::pageMapNibble(g + 1);
        setBits(mem_, nibble, getBits(second_.mem, nibble));
    }

    // The bytes that differ although every text now matches.
    void remainingBytes() {
        for (std::size_t i = 0; i < mem_.size(); ++i)
            if (first_.mem[i] != second_.mem[i] && mem_[i] != second_.mem[i])
                lines_.push_back(byteDifferenceText("byte", i, first_.mem[i], second_.mem[i]));
        for (std::size_t i = 0; i < labels_.size(); ++i)
            if (first_.labels[i] != second_.labels[i] && labels_[i] != second_.labels[i])
                lines_.push_back(
                    byteDifferenceText("label byte", i, first_.labels[i], second_.labels[i]));
    }

  private:
    ImagePair first_;
    ImagePair second_;
    std::vector<std::string>& lines_;
    MemImage mem_;
    LabelImage labels_;
    MemImage secondMem_{};
    LabelImage secondLabels_{};
};

}  // namespace

std::string byteDifferenceText(std::string_view where, std::size_t address, Byte first,
                               Byte second) {
    return std::string(where) + " 0x" + hex(static_cast<unsigned>(address), 3) + ": " +
           hex(first, 2) + " -> " + hex(second, 2);
}

std::vector<std::string> compareImages(ImagePair first, ImagePair second) {
    std::vector<std::string> lines;
    FieldComparer comparer(first, second, lines);
    comparer.compare(FieldScope::Global, "Global, ", 0, 0);
    for (int g = 0; g < kGroupCount; ++g) {
        if (!groupExists(first.mem, g) && !groupExists(second.mem, g)) continue;
        comparer.presence(g);
        const std::string group = "Group " + std::to_string(g + 1) + ", ";
        comparer.compare(FieldScope::Group, group, g, 0);
        for (int c = 0; c < kChannelsPerGroup; ++c)
            comparer.compare(FieldScope::Channel, group + "Chan " + std::to_string(c + 1) + ", ", g,
                             c);
    }
    comparer.remainingBytes();
    return lines;
}

}  // namespace zav
