// The comparison of any two images and labels (zavtool diff, File > Compare With File):
// no line for the same images, a line for any two that differ (either way round), each line
// naming a field, a group or a byte with both sides. (Not as many lines either way round:
// a text stored back may or may not give the other image's very bytes, so the bytes left
// over differ.)

#include <cstdint>
#include <string>

#include "fuzz_check.h"
#include "model/image_diff.h"

using namespace zav;
using zav::fuzz::FuzzInput;
using zav::fuzz::require;

namespace {

struct Images {
    MemImage mem{};
    LabelImage labels{};
};

Images takeImages(FuzzInput& input) {
    Images images;
    for (Byte& b : images.mem) b = input.takeByte();
    for (Byte& b : images.labels) b = input.takeByte();
    return images;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const Images first = takeImages(input);
    // The second image is a copy of the first with the changes the rest of the input says:
    // (where, high byte first, new value) triples, so that few differences are the rule.
    Images second = first;
    while (!input.empty()) {
        const unsigned high = input.takeByte();
        const std::size_t at = (high << 8 | input.takeByte()) % (kMemImageSize + kLabelImageSize);
        Byte& b = at < kMemImageSize ? second.mem[at] : second.labels[at - kMemImageSize];
        b = input.takeByte();
    }
    const ImagePair a{first.mem, first.labels};
    const ImagePair b{second.mem, second.labels};
    require(compareImages(a, a).empty(), "an image is the same as itself");
    const auto lines = compareImages(a, b);
    const bool same = first.mem == second.mem && first.labels == second.labels;
    require(lines.empty() == same, "a line when and only when the images differ");
    for (const std::string& line : lines)
        require(line.find(" -> ") != std::string::npos ||
                    line.find(": only in the ") != std::string::npos,
                "each line shows both sides");
    require(compareImages(b, a).empty() == same, "and either way round");
    return 0;
}
