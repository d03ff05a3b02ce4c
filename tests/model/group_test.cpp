#include "model/group.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <stdexcept>
#include <tuple>

#include "model/document.h"
#include "model/field_entry.h"
#include "model/field_texts.h"
#include "model/globals.h"
#include "model/group_fields.h"
#include "model/lists.h"
#include "model/memory_map.h"

namespace zav {
namespace {

class GroupTest : public ::testing::Test {
  protected:
    static constexpr std::size_t kPage = 5 * 128;
    MemImage mem{};
    LabelImage labels{};
    Group group{mem, labels, 4};
};

// Header bytes 0 to 7 and the backlight byte for every parameter set at once; the scan
// flags in bytes 0 and 1 are kept. (Reading is the inverse: see the round trip below.)
TEST_F(GroupTest, ParametersAndTheirBytes) {
    // clang-format off
    const std::pair<GroupParams, std::array<Byte, 9>> cases[] = {
        {{"GROUP 12", 3, 15, "00012AB", kModeA, 9, false, true, 3, 2, 1, 0, 5, true, true, false, true, false},
         {0x55, 0xAA, 0xF3, 0x19, 0xE0, 0x00, 0x12, 0xAB, 0x5B}},
        {{"H.1-ZZ YZ", 15, 0, "ABC1234", kModeD, 13, true, false, 0, 1, 0, 1, 7, false, false, true, false, true},
         {0x95, 0xAA, 0x0F, 0x6D, 0x1A, 0xBC, 0x12, 0x34, 0xAE}},
        {{"        ", 0, 4, "0000000", kModeB, 0, false, false, 1, 3, 0, 0, 0, false, true, false, true, false},
         {0x15, 0xAA, 0x40, 0x80, 0x70, 0x00, 0x00, 0x00, 0x50}},
        {{"ABCDEFGH", 8, 8, "FFFFFFF", kModeC, 2, true, true, 2, 0, 1, 1, 2, true, false, true, false, true},
         {0xD5, 0xAA, 0x88, 0xF2, 0x8F, 0xFF, 0xFF, 0xFF, 0xA5}}};
    // clang-format on
    for (const auto& [params, bytes] : cases) {
        mem[kPage] = 0x15;  // scan flags of channels 9, 11 and 13
        mem[kPage + 1] = 0xAA;
        group.write(params);
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end() - 1, mem.begin() + kPage))
            << params.groupLabel;
        EXPECT_EQ(labels[labelIndex(4, 15, 7)], bytes.back()) << params.groupLabel;
    }
    group.writePriority({kModeA, -1});  // no priority channel stores 15, read as the last one
    EXPECT_EQ(std::pair(mem[kPage + 3] & 0x0F, group.readPriority().channel), std::pair(15, 13));
    group.writeBattSave(2);  // only button 1 sets either bit
    group.writeVariableCg(2);
    EXPECT_EQ(group.readBattSave() + group.readVariableCg(), 0);
    const std::pair<const char*, const char*> ids[] = {
        {"123456789", "1234567"}, {"abcdef0", "ABCDEF0"}, {"1G3", "0000103"}};
    for (const auto& [text, shown] : ids) {
        mem[kPage + 4] = 0xF0;  // busy channel and resident ANI bits share the first digit's byte
        group.writeIdNum(text);
        EXPECT_EQ(std::tuple(group.readIdNum(), mem[kPage + 4] & 0xF0), std::tuple(shown, 0xF0))
            << text;
    }
    EXPECT_EQ(idEntry("abcdef").shown(), "0ABCDEF");  // the typed field's gate: every hex letter
    for (int k = 0; k < 8; ++k) labels[labelIndex(4, 14, k)] = 0xFF;
    EXPECT_EQ(group.readGroupLabel(), " BLANK  ");
}

TEST_F(GroupTest, ValuesThatDoNotFitAreRefusedAndStoreNothing) {
    mem.fill(0x11);
    labels.fill(0x11);
    // clang-format off
    const std::function<void()> cases[] = {
        [&] { group.writeTotScan(16, 0); }, [&] { group.writeTotScan(0, 16); },
        [&] { group.writePriority({4, 0}); }, [&] { group.writePriority({0, 16}); },
        [&] { group.writePriority({0, -2}); }, [&] { group.writeBusyChannelIndicate(4); },
        [&] { group.writeAniDtmf(-1); }, [&] { group.writeGroupBacklight({8, {}, {}, {}, {}, {}}); },
        [&] { GroupParams p; p.blTimeout = 8; group.write(p); }};  // the last field, checked first
    // clang-format on
    for (const auto& write : cases) EXPECT_THROW(write(), std::overflow_error);
    for (const FieldText& f : fieldTexts())  // a text no group field's gate takes
        if (f.scope == FieldScope::Group) EXPECT_TRUE(f.store({mem, labels, 4}, "@")) << f.name;
    EXPECT_TRUE(std::all_of(mem.begin(), mem.end(), [](Byte b) { return b == 0x11; }));
    EXPECT_TRUE(std::all_of(labels.begin(), labels.end(), [](Byte b) { return b == 0x11; }));
    EXPECT_THROW(group.display(14), std::out_of_range);
    EXPECT_THROW(group.channel(-1), std::out_of_range);
    EXPECT_THROW(Group(mem, labels, 15), std::out_of_range);
}

TEST_F(GroupTest, DefaultRewritesOnlyItsPageAndLabels) {
    mem.fill(0xA5);
    labels.fill(0xA5);
    group.resetToDefaults();
    for (std::size_t i = 0; i < mem.size(); ++i) ASSERT_EQ(mem[i], i / 128 == 5 ? 0 : 0xA5) << i;
    EXPECT_EQ(group.readGroupLabel(), "GROUP 5 ");
    // Every channel's label rewritten (the channel's own test reads its default), other
    // groups and the backlight slot kept.
    for (std::size_t i = 0; i < labels.size(); ++i)
        ASSERT_EQ(labels[i] == 0xA5, i % 15 != 4 || i % 240 >= 225) << i;
    std::string s = "452\t\t452\t\tTEN\tY";  // channel requests reach their channel
    group.pasteRecord(s, 9);
    EXPECT_EQ(group.copyChan(9), "452.00000\t\t452.00000\t\tTEN     \tY");
    EXPECT_EQ(mem[kPage], 0x02);  // channel 10's scan flag
}

// A parameter stored alone (a control's commit) changes only its own bits: every other
// parameter reads as before, even where its value only approximates its bytes (a priority
// channel nibble of 15 beside the mode and lockout bits).
TEST(GroupFields, EachStoresOnlyItsOwnBits) {
    std::mt19937 rng(20261208);
    MemImage mem{};
    LabelImage labels{};
    for (auto& b : mem) b = static_cast<Byte>(rng());
    for (auto& b : labels) b = static_cast<Byte>(rng());
    mem[static_cast<std::size_t>(groupAddress(2) + 3)] |= 0x0F;
    const MemImage memBefore = mem;
    const LabelImage labelsBefore = labels;
    Group group(mem, labels, 2);
    const GroupParams before = group.read();
    // clang-format off
    const GroupParams other{"NEWLABEL", 5, 6, "0ABCDEF", kModeC, 4, !before.priKeyLock,
        !before.entClrLock, (before.bci + 1) % 4, (before.ani + 1) % 4, 1 - before.varCG,
        1 - before.battSave, (before.blTimeout + 1) % 8, !before.alphaEnabled,
        !before.blKeypress, !before.blOther, !before.blScanState, !before.blChannel};
    // clang-format on
    for (const GroupField& f : kGroupFields) {
        mem = memBefore;
        labels = labelsBefore;
        group.writeParam(f, paramValue(other, f));
        EXPECT_EQ(group.readParam(f), paramValue(other, f)) << f.what;
        for (const GroupField& kept : kGroupFields)
            if (&kept != &f) EXPECT_EQ(group.readParam(kept), paramValue(before, kept)) << f.what;
        if (f.codec != ParamCodec::PriorityChannel)
            EXPECT_EQ(mem[static_cast<std::size_t>(groupAddress(2) + 3)] & 0x0F, 15) << f.what;
        const std::size_t page = groupAddress(2);  // nothing outside the header's fields
        for (std::size_t i = 0; i < mem.size(); ++i)
            if (i < page || i >= page + 8) ASSERT_EQ(mem[i], memBefore[i]) << f.what;
        EXPECT_EQ(mem[page] & 0x3F, memBefore[page] & 0x3F) << f.what;  // the scan flags
        EXPECT_EQ(mem[page + 1], memBefore[page + 1]) << f.what;
    }
}

// Random images read into the windows' values and stored back, as on every group change
// and save: bytes the editor does not interpret stay as they were.
TEST(GroupRoundTrip, RandomImagesKeepEveryByteTheEditorDoesNotInterpret) {
    std::mt19937 rng(20261206);
    for (int round = 0; round < 20; ++round) {
        Document doc;
        for (auto& b : doc.mem) b = static_cast<Byte>(rng());
        for (auto& b : doc.labels) b = static_cast<Byte>(rng());
        doc.reloadGroups();
        MemImage expected = doc.mem;
        const LabelImage labels = doc.labels;
        writeGlobalParams(doc.mem, readGlobalParams(doc.mem));
        for (int g = 0; g < kGroupCount; ++g) {
            if (Group* group = doc.group(g)) {
                group->write(group->read());
                Byte& priority = expected[static_cast<std::size_t>(groupAddress(g) + 3)];
                if ((priority & 0x0F) > 13) priority = (priority & 0xF0) | 13;  // reads as 13
            }
            for (int k = 0; k < 8; ++k)
                EXPECT_EQ(doc.labels[labelIndex(g, 15, k)], labels[labelIndex(g, 15, k)]);
        }
        ASSERT_EQ(doc.mem, expected) << round;
    }
}

// A field may hold more values than its list names (four bits, 14 priority channels): the
// others read as empty.
TEST(Lists, AnIndexOutsideTheListReadsAsEmpty) {
    for (const int i : {-1, 14, 15})
        EXPECT_EQ(lists::entryOrEmpty(lists::kPriorityChannel, i), "") << i;
    EXPECT_EQ(lists::entryOrEmpty(lists::kPriorityChannel, 13), lists::kPriorityChannel[13]);
}

// The global block's parameters (bytes 96 to 98, 111 and 119).
auto fields(const GlobalParams& p) {
    return std::tie(p.password, p.globalBat, p.bankScan, p.priRate, p.dtmfDev, p.aniRate,
                    p.porchTime);
}

TEST(Globals, BytesAndValuesBothWays) {
    // Bytes 96 to 98, 111 and 119; the values (the battery saver is stored inverted).
    const std::tuple<std::array<Byte, 5>, GlobalParams> cases[] = {
        {{0x01, 0x0A, 0xF0, 0xFF, 0x78}, {"010AF0", 1, 0, 15, 31, 1, 3}},
        {{0xFF, 0x00, 0x09, 0x30, 0x81}, {"FF0009", 0, 1, 0, 6, 0, 0}},
        {{0x00, 0x00, 0x00, 0xDA, 0x49}, {"000000", 1, 1, 9, 27, 0, 2}}};
    for (const auto& [bytes, values] : cases) {
        MemImage mem;
        for (std::size_t i = 0; i < mem.size(); ++i) mem[i] = static_cast<Byte>(i * 37 + 11);
        MemImage expected = mem;
        const std::size_t at[] = {96, 97, 98, 111, 119};
        for (std::size_t k = 0; k < 5; ++k) expected[at[k]] = bytes[k];
        expected[119] =
            static_cast<Byte>(expected[119] | (mem[119] & 0x06));  // bits 1, 2: not ours
        writeGlobalParams(mem, values);
        EXPECT_EQ(mem, expected);
        EXPECT_EQ(fields(readGlobalParams(mem)), fields(values));
    }
    for (int v = 0; v < 256; ++v) {  // every byte value survives a load and a store
        MemImage mem{};
        mem[111] = mem[96] = static_cast<Byte>(v);
        mem[119] = mem[98] = static_cast<Byte>(255 - v);
        const MemImage before = mem;
        writeGlobalParams(mem, readGlobalParams(mem));
        ASSERT_EQ(mem, before) << v;
    }
    const std::pair<const char*, const char*> passwords[] = {
        {"ABC", "000ABC"}, {"12345678", "123456"}, {"fe dcb", "FE0DCB"}};
    for (const auto& [text, stored] : passwords) {
        MemImage mem{};
        storePassword(mem, text);
        EXPECT_EQ(std::tuple(loadPassword(mem), mem[95] | mem[99]), std::tuple(stored, 0));
    }
}

TEST(Globals, IndicesOutsideTheirListsAreRefusedAndStoreNothing) {
    const GlobalParams largest{"123456", 1, 1, 15, 31, 1, 3};
    const std::function<void(GlobalParams&)> changes[] = {
        [](GlobalParams& p) { p.globalBat = 2; }, [](GlobalParams& p) { p.globalBat = -1; },
        [](GlobalParams& p) { p.bankScan = 2; },  [](GlobalParams& p) { p.priRate = 16; },
        [](GlobalParams& p) { p.dtmfDev = 32; },  [](GlobalParams& p) { p.aniRate = 2; },
        [](GlobalParams& p) { p.porchTime = 4; }};
    for (const auto& change : changes) {
        MemImage mem{};
        GlobalParams p = largest;
        change(p);
        EXPECT_THROW(writeGlobalParams(mem, p), std::overflow_error);
        EXPECT_EQ(mem, MemImage{});
    }
}

}  // namespace
}  // namespace zav
