#include "files/default_file.h"

#include <gtest/gtest.h>

#include <string>

#include "model/codecs.h"

namespace zav {
namespace {

std::string labelAt(const FrequencyFileBytes& file, int g, int s) {
    std::string text;
    for (int k = 0; k < kLabelPositions; ++k)
        text += labelByteToText(file[kFileLabelOffset + labelIndex(g, s, k)]);
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

TEST(DefaultFileTest, HeaderPageMapAndLabels) {
    const auto file = defaultFrequencyFile();
    EXPECT_TRUE(std::equal(kFileHeader.begin(), kFileHeader.end(), file.begin()));
    const auto image = [&](std::size_t i) { return file[kFileImageOffset + i]; };
    for (std::size_t i = 0; i < 128; ++i) {
        const Byte expected = i == 80 ? 0x08 : (i > 80 && i <= 87 ? 0x88 : 0x00);
        EXPECT_EQ(image(i), expected) << "global byte " << i;
    }
    EXPECT_EQ(file[kFileSpareByteOffset], 0);
    for (int g = 0; g < kGroupCount; ++g) {
        EXPECT_EQ(labelAt(file, g, 14), "GROUP " + std::to_string(g + 1));
        for (int c = 0; c < kChannelsPerGroup; ++c)
            EXPECT_EQ(labelAt(file, g, c), "CHAN " + std::to_string(c + 1)) << g << "/" << c;
        for (int k = 0; k < kLabelPositions; ++k)
            EXPECT_EQ(file[kFileLabelOffset + labelIndex(g, 15, k)], 0) << g;
    }
}

TEST(DefaultFileTest, DecodesAsAValidFile) {
    const auto file = defaultFrequencyFile();
    EXPECT_TRUE(decodeFrequencyFile(file).has_value());
}

}  // namespace
}  // namespace zav
