// The frequency file's layout and decoding, and the radio history that keeps such files:
// where it lives, what a name tells back, copies listed newest first, a taken name never
// replaced, and a full disk leaving no file.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string_view>
#include <vector>

#include "files/default_file.h"
#include "files/frequency_file.h"
#include "files/radio_history.h"
#include "model/document.h"
#include "support/history.h"

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
    EXPECT_EQ(std::tuple(labelIndex(1, 0, 0), labelIndex(0, 1, 0), labelIndex(0, 0, 1)),
              std::tuple(1U, 15U, 240U));

    const Document doc;  // the default file holds the default document
    const auto defaults = decodeFrequencyFile(defaultFrequencyFile());
    ASSERT_TRUE(defaults);
    EXPECT_EQ(std::pair(defaults->image, defaults->labels), std::pair(doc.mem, doc.labels));
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
        if (decoded)
            EXPECT_EQ(std::pair(decoded->image, decoded->labels), std::pair(image, labels));
    }
}

struct Variables final : Environment, std::map<std::string, std::string> {
    [[nodiscard]] std::optional<std::string> variable(const std::string& name) const override {
        return contains(name) ? std::optional(at(name)) : std::nullopt;
    }
};

TEST(RadioHistory, LivesInTheUsersDataFolder) {
    for (const auto& [data, folder] : {std::pair{"/data", "/data/zavprog"},
                                       {"relative", "/home/u/.local/share/zavprog"},
                                       {"", "/home/u/.local/share/zavprog"}}) {
        Variables environment;
        environment["HOME"] = "/home/u";
        if (*data != '\0') environment["XDG_DATA_HOME"] = data;
        EXPECT_EQ(historyFolder(environment), folder) << data;
    }
}

TEST(RadioHistory, KeepsEveryCopyUnderANameOfItsOwnNewestFirst) {
    test::History h;
    Document doc;
    doc.group(0)->writeIdNum("2001");
    h.disk.full = true;
    EXPECT_TRUE(h.store.keep(HistoryReason::Read, "/dev/ttyUSB0", doc.mem, doc.labels).error);
    h.disk.full = false;
    const std::string stem = h.dir.path() + "/2026-12-08T091502-ttyUSB0-0002001";
    const std::pair<HistoryReason, std::string> copies[] = {
        {HistoryReason::Read, stem + ".frq"},
        {HistoryReason::BeforeWriteLabels, stem + "-before-write-labels.frq"},
        {HistoryReason::Read, stem + "_2.frq"},
        {HistoryReason::ReadGroup, stem + "-read-group.frq"}};
    for (const auto& [reason, path] : copies) {
        const KeptCopy copy = h.store.keep(reason, "/dev/ttyUSB0", doc.mem, doc.labels);
        EXPECT_EQ(std::pair(copy.path, copy.error), std::pair(path, std::error_code()));
    }
    for (const auto& kept : h.kept()) EXPECT_EQ(kept.image, doc.mem);
    for (const char* other : {"notes.frq", "20x6-12-08T091502-ttyUSB0-0002001.frq"})
        test::writeBytes(h.dir.file(other), std::vector<Byte>{1});
    std::error_code ec;
    const std::vector<HistoryEntry> listed = h.store.entries(ec);
    ASSERT_EQ(listed.size(), 4U);  // the files that are none are left out
    EXPECT_EQ(listed[0], (HistoryEntry{"2026-12-08 09:15:02", "ttyUSB0", "0002001",
                                       HistoryReason::Read, 2, stem + "_2.frq"}));
    std::set<std::string> reasons;  // copies of one second in no particular order
    for (const HistoryEntry& e : listed) reasons.insert(historyReasonText(e.reason));
    EXPECT_EQ(reasons, (std::set<std::string>{"read", "read group", "before write labels"}));
}

}  // namespace
}  // namespace zav
