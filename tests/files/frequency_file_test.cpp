#include "files/frequency_file.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "files/file_system.h"
#include "temp_dir.h"

namespace zav {
namespace {

template <typename A>
void fillRandom(A& a, std::mt19937& gen) {
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto& b : a) b = static_cast<Byte>(byte(gen));
}

TEST(FileHeaderTest, MagicTextFormatByteAndZeros) {
    const std::string magic = "MARDEN/TOLE universal radio editor data file 0000";
    ASSERT_EQ(magic.size(), 49u);
    for (std::size_t i = 0; i < magic.size(); ++i)
        EXPECT_EQ(kFileHeader[i], static_cast<Byte>(magic[i])) << i;
    EXPECT_EQ(kFileHeader[49], 0x54);
    for (std::size_t i = 50; i < 56; ++i) EXPECT_EQ(kFileHeader[i], 0) << i;
}

TEST(FrequencyFileTest, LayoutOfEncodedFile) {
    MemImage image{};
    LabelImage labels{};
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<Byte>(i * 7 + 1);
    for (std::size_t i = 0; i < labels.size(); ++i) labels[i] = static_cast<Byte>(i * 13 + 5);

    const auto bytes = encodeFrequencyFile(image, labels);
    ASSERT_EQ(bytes.size(), 4025u);
    EXPECT_EQ(bytes[49], 0x54);
    for (std::size_t i = 50; i < 56; ++i) EXPECT_EQ(bytes[i], 0) << i;
    EXPECT_EQ(bytes[56], image[0]);
    EXPECT_EQ(bytes[2103], image[2047]);
    EXPECT_EQ(bytes[2104], image[2048]);  // the spare byte
    EXPECT_EQ(bytes[2105], labels[labelIndex(0, 0, 0)]);
    EXPECT_EQ(bytes[4024], labels[labelIndex(14, 15, 7)]);

    // Group varies fastest, then slot, then position.
    struct LabelCase {
        int g, s, k;
        std::size_t offset;
    };
    for (const auto& c : {LabelCase{1, 0, 0, 2106}, LabelCase{0, 1, 0, 2120},
                          LabelCase{0, 0, 1, 2345}, LabelCase{14, 15, 7, 4024}}) {
        EXPECT_EQ(bytes[c.offset], labels[labelIndex(c.g, c.s, c.k)])
            << c.g << "," << c.s << "," << c.k;
    }
}

TEST(FrequencyFileTest, HeaderCheckCoversBytes0To49Only) {
    const MemImage image{};
    const LabelImage labels{};
    const auto good = encodeFrequencyFile(image, labels);

    auto spareHeader = good;
    for (std::size_t i = 50; i < 56; ++i) spareHeader[i] = 0xA5;
    EXPECT_TRUE(decodeFrequencyFile(spareHeader).has_value());

    for (std::size_t i : {0u, 10u, 48u, 49u}) {
        auto bad = good;
        bad[i] ^= 0x01;
        EXPECT_FALSE(decodeFrequencyFile(bad).has_value()) << "byte " << i;
    }
}

TEST(FrequencyFileTest, ShortFilesAreNotValidLongerOnesIgnoreTheRest) {
    std::mt19937 gen(7);
    MemImage image{};
    LabelImage labels{};
    fillRandom(image, gen);
    fillRandom(labels, gen);
    const auto full = encodeFrequencyFile(image, labels);
    const std::vector<Byte> all(full.begin(), full.end());

    for (std::size_t len : {0u, 49u, 50u, 56u, 2105u, 4024u}) {
        std::span<const Byte> part(all.data(), len);
        EXPECT_FALSE(decodeFrequencyFile(part).has_value()) << len;
    }
    auto longer = all;
    longer.push_back(0xEE);
    const auto decoded = decodeFrequencyFile(longer);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->image, image);
    EXPECT_EQ(decoded->labels, labels);
}

TEST(FrequencyFileTest, RandomImagesRoundTripThroughDisk) {
    test::TempDir dir;
    DiskFileSystem disk;
    std::mt19937 gen(20261206);
    const std::string path = dir.file("round.frq");
    for (int run = 0; run < 20; ++run) {
        MemImage image{};
        LabelImage labels{};
        fillRandom(image, gen);
        fillRandom(labels, gen);
        ASSERT_FALSE(disk.replaceFile(path, encodeFrequencyFile(image, labels)));
        const auto read = disk.readFile(path, kFrequencyFileSize);
        ASSERT_FALSE(read.error);
        ASSERT_EQ(read.bytes.size(), kFrequencyFileSize);
        const auto decoded = decodeFrequencyFile(read.bytes);
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(decoded->image, image) << run;
        EXPECT_EQ(decoded->labels, labels) << run;
    }
}

}  // namespace
}  // namespace zav
