#include "files/frequency_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string_view>
#include <vector>

#include "files/default_file.h"
#include "model/document.h"

namespace zav {
namespace {

using Bytes = std::vector<Byte>;

template <typename... A>
void fillRandom(std::mt19937& rng, A&... arrays) {
    (std::ranges::generate(arrays, [&] { return static_cast<Byte>(rng()); }), ...);
}

TEST(FrequencyFile, Layout) {
    std::mt19937 rng(7);
    MemImage image;
    LabelImage labels;
    fillRandom(rng, image, labels);
    const auto file = encodeFrequencyFile(image, labels);
    const std::string_view magic = "MARDEN/TOLE universal radio editor data file 0000T";
    EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(file.data()), 50), magic);
    EXPECT_EQ(Bytes(file.begin() + 50, file.begin() + 56), Bytes(6, 0));
    EXPECT_EQ(Bytes(file.begin() + 56, file.begin() + 2105), Bytes(image.begin(), image.end()));
    EXPECT_EQ(Bytes(file.begin() + 2105, file.end()), Bytes(labels.begin(), labels.end()));
    // Label bytes in file order: the group varies fastest, then the slot, then the position.
    EXPECT_EQ(labelIndex(1, 0, 0), 1u);
    EXPECT_EQ(labelIndex(0, 1, 0), 15u);
    EXPECT_EQ(labelIndex(0, 0, 1), 240u);

    const Document doc;  // the default file holds the default document
    const auto defaults = decodeFrequencyFile(defaultFrequencyFile());
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->image, doc.mem);
    EXPECT_EQ(defaults->labels, doc.labels);
}

// Any bytes at all: decoding never fails in any other way than by refusing, and it
// accepts exactly the files that are long enough and start with the magic text and the
// format byte, whatever bytes 50 to 55 and anything after the labels hold.
TEST(FrequencyFile, DecodingArbitraryBytes) {
    std::mt19937 rng(20261206);
    const auto pick = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(rng);
    };
    for (int run = 0; run < 300; ++run) {
        MemImage image;
        LabelImage labels;
        fillRandom(rng, image, labels);
        const auto valid = encodeFrequencyFile(image, labels);
        Bytes bytes(valid.begin(), valid.end());
        const int kind = run % 5;
        const bool first = run < 5;  // the edge cases first: one byte short, the format byte
        if (kind == 0) bytes.resize(first ? kFrequencyFileSize - 1 : pick(kFrequencyFileSize));
        if (kind == 1) bytes[first ? 49 : pick(50)] ^= static_cast<Byte>(1 + pick(255));
        if (kind == 2) bytes[first ? 50 : 50 + pick(6)] = static_cast<Byte>(rng());  // spare
        if (kind == 3) bytes.resize(bytes.size() + pick(100), 0xEE);  // more after the labels
        if (kind == 4) {                                              // noise
            bytes.resize(pick(2 * kFrequencyFileSize));
            fillRandom(rng, bytes);
        }
        const bool accepted = kind == 2 || kind == 3;
        const auto decoded = decodeFrequencyFile(bytes);
        ASSERT_EQ(decoded.has_value(), accepted) << run;
        if (decoded) {
            EXPECT_EQ(decoded->image, image);
            EXPECT_EQ(decoded->labels, labels);
        }
    }
}

}  // namespace
}  // namespace zav
