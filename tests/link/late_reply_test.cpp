// Every radio operation with one of the radio's bytes arriving late (after the host gave
// up on it) or arriving twice: the operation either gives exactly the radio's contents or
// fails, leaving the caller's copy and the bits the write masks protect as they were.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "link/dtmf_deviation.h"
#include "link/global_transfer.h"
#include "link/label_transfer.h"
#include "link/radio_read.h"
#include "link/radio_write.h"
#include "sim/label_memory.h"
#include "support/masked_write.h"
#include "support/sim_link.h"

namespace zav {
namespace {

using namespace std::chrono_literals;
using test::expectWritten;
using test::WriteReach;

// clang-format off
enum class Op { ReadRadio, ReadGroup, ReadGlobal, WriteRadio, WriteGroup, WriteGlobal, ReadLabels,
                WriteLabels, Dtmf };
// clang-format on
// Which of the radio's bytes goes wrong, found in a run without faults.
enum class At { Hook, Probe, FirstWord, LastWord, Segment, Label };
enum class Fault { Late, Twice };

struct Row {
    Op op;
    At at;
};

constexpr int kGroup = 6;
constexpr int kDtmfCode = 19;
// The status bytes: every block is present but group 4, whose byte (82) comes just before
// group 6's: a status read one byte off finds group 6 missing.
constexpr int kAbsentGroup = 4;
constexpr std::array<Byte, 8> kStatus{0x88, 0x88, 0x08, 0x88, 0x88, 0x88, 0x88, 0x88};

struct Copies {
    MemImage image{};
    LabelImage labels{};
};

// The radio and the caller's copy hold different contents and the same status bytes.
Copies prepare(test::SimLink& s) {
    Copies copies;
    // Irregular contents, so that a byte taken from the wrong place shows (this seed gives
    // the radio's bytes 98 and 99, 118 and 119, 0x6E and 0x6F different kept bits).
    std::mt19937 rng(4);
    for (Byte& b : s.radio.memory()) b = static_cast<Byte>(rng());
    for (Byte& b : copies.image) b = static_cast<Byte>(rng());
    for (std::size_t i = 0; i < copies.labels.size(); ++i) {
        copies.labels[i] = static_cast<Byte>('A' + i % 26);
        s.radio.labels()[i] = static_cast<Byte>('a' + i % 23);
    }
    std::copy(kStatus.begin(), kStatus.end(), s.radio.memory().begin() + 80);
    std::copy(kStatus.begin(), kStatus.end(), copies.image.begin() + 80);
    return copies;
}

bool runOp(Op op, test::SimLink& s, Copies& copies) {
    RadioLink& link = s.link;
    switch (op) {
        case Op::ReadRadio:
            return readRadio(link, copies.image);
        case Op::ReadGroup:
            return readGroup(link, copies.image, kGroup) == GroupTransfer::Done;
        case Op::ReadGlobal:
            return readGlobal(link, copies.image);
        case Op::WriteRadio:
            return writeRadio(link, copies.image, false) == RadioWrite::Written;
        case Op::WriteGroup:
            return writeGroup(link, copies.image, kGroup) == GroupTransfer::Done;
        case Op::WriteGlobal:
            return writeGlobal(link, copies.image);
        case Op::ReadLabels:
            return readLabelsFromRadio(link, copies.labels, kGroup - 1);
        case Op::WriteLabels:
            return writeLabelsToRadio(link, copies.labels, kGroup - 1);
        case Op::Dtmf:
            return writeDtmfDeviation(link, kDtmfCode) == DtmfWriteResult::Written;
    }
    return false;
}

// The number (from 1, as the faults count) of the radio's byte at `at` in a run without
// faults; 0 when the operation has no such byte.
int positionOf(Op op, At at) {
    test::SimLink s;
    Copies copies = prepare(s);
    (void)runOp(op, s, copies);
    s.port.advance(s.now() + 2s);  // the last bytes arrive
    // What each byte the radio sent answered: its own note, else the host's last request.
    std::vector<std::string> answered{""};
    std::string request;
    for (const auto& e : s.radio.transcript().entries()) {
        if (e.direction == sim::Direction::HostToRadio)
            request = e.note.empty() ? request : e.note;
        else
            answered.push_back(e.note.empty() ? request : e.note);
    }
    std::vector<int> hits;
    const char* prefix = at == At::Hook      ? "hook reply"
                         : at == At::Probe   ? "probe reply"
                         : at == At::Segment ? "segment"
                         : at == At::Label   ? "label"
                                             : "read word";
    for (std::size_t i = 1; i < answered.size(); ++i)
        if (answered[i].starts_with(prefix)) hits.push_back(static_cast<int>(i));
    if (hits.empty()) return 0;
    switch (at) {
        case At::LastWord:
            return hits.back() - 1;  // the first byte of the last word
        case At::Segment:
        case At::Label:
            return hits[hits.size() / 2];
        default:
            return hits.front();
    }
}

WriteReach writeReach(Op op, const MemImage& image) {
    std::vector<int> blocks;
    if (op == Op::WriteGlobal || op == Op::WriteRadio) blocks.push_back(0);
    if (op == Op::WriteGroup) blocks.push_back(kGroup);
    for (int g = 1; op == Op::WriteRadio && g <= kGroupCount; ++g)
        if (g != kAbsentGroup) blocks.push_back(g);
    WriteReach r(image, blocks);
    if (op == Op::WriteRadio) r.requiredFrom = kPageSize;  // its global settings are best effort
    if (op == Op::Dtmf) {
        r.mask[kDtmfDeviationAddress] = 0xF8;
        r.target[kDtmfDeviationAddress] = static_cast<Byte>(kDtmfCode << 3);
    }
    return r;
}

// The bytes of radio memory a read takes into the image.
std::pair<std::size_t, std::size_t> readRange(Op op) {
    if (op == Op::ReadRadio) return {0, kRadioMemorySize};
    if (op == Op::ReadGroup) return {kPageSize * kGroup, kPageSize * (kGroup + 1)};
    if (op == Op::ReadGlobal) return {0, kPageSize};
    return {0, 0};
}

bool labelOfGroup(std::size_t index) {
    return index % kGroupCount == kGroup - 1;
}

class LateReply : public ::testing::TestWithParam<std::tuple<Row, Fault>> {};

TEST_P(LateReply, GivesTheRadiosContentsOrFailsCleanly) {
    const auto [row, fault] = GetParam();
    const int nth = positionOf(row.op, row.at);
    ASSERT_GT(nth, 0);
    sim::SimConfig config;
    if (fault == Fault::Late) {
        config.faults.lateOutput = nth;
        config.faults.lateBy = 700ms;  // the host has given up on it by then
    } else {
        config.faults.sentTwice = nth;
    }
    test::SimLink s(config);
    Copies copies = prepare(s);
    const Copies before = copies;
    const sim::RadioMemory radioBefore = s.radio.memory();
    const LabelImage radioLabels = sim::labelImageFromMemory(s.radio.labels());

    const bool ok = runOp(row.op, s, copies);
    s.port.advance(s.now() + 2s);  // the last bytes arrive
    SCOPED_TRACE("byte " + std::to_string(nth) + (ok ? ", succeeded" : ", failed"));

    // Reads: the radio is untouched; the copy changes in the range read, to the radio's.
    const auto [first, last] = readRange(row.op);
    for (std::size_t i = 0; i < copies.image.size(); ++i) {
        const bool read = ok && i >= first && i < last;
        ASSERT_EQ(copies.image[i], read ? radioBefore[i] : before.image[i]) << "image " << i;
    }
    const LabelImage labelsAfter = sim::labelImageFromMemory(s.radio.labels());
    for (std::size_t i = 0; i < copies.labels.size(); ++i) {
        const bool read = ok && row.op == Op::ReadLabels && labelOfGroup(i);
        ASSERT_EQ(copies.labels[i], read ? radioLabels[i] : before.labels[i]) << "label " << i;
        const bool written = row.op == Op::WriteLabels && labelOfGroup(i);
        const Byte target = written ? before.labels[i] : radioLabels[i];
        ASSERT_TRUE(labelsAfter[i] == target || (!ok && labelsAfter[i] == radioLabels[i]))
            << "radio label " << i;
    }
    // Writes: only writable bits change, and only to the image's; all of them on success.
    expectWritten(radioBefore, s.radio.memory(), writeReach(row.op, before.image), ok);
}

const Row kRows[] = {
    {Op::ReadRadio, At::Hook},   {Op::ReadRadio, At::Probe},       {Op::ReadRadio, At::Segment},
    {Op::ReadGroup, At::Hook},   {Op::ReadGroup, At::FirstWord},   {Op::ReadGroup, At::LastWord},
    {Op::ReadGlobal, At::Hook},  {Op::ReadGlobal, At::FirstWord},  {Op::ReadGlobal, At::LastWord},
    {Op::WriteRadio, At::Hook},  {Op::WriteRadio, At::FirstWord},  {Op::WriteRadio, At::LastWord},
    {Op::WriteRadio, At::Probe}, {Op::WriteGroup, At::Hook},       {Op::WriteGroup, At::FirstWord},
    {Op::WriteGlobal, At::Hook}, {Op::WriteGlobal, At::FirstWord}, {Op::WriteGlobal, At::LastWord},
    {Op::ReadLabels, At::Hook},  {Op::ReadLabels, At::Probe},      {Op::ReadLabels, At::Label},
    {Op::WriteLabels, At::Hook}, {Op::WriteLabels, At::Probe},     {Op::WriteLabels, At::Label},
    {Op::Dtmf, At::Hook},        {Op::Dtmf, At::FirstWord},
};

std::string rowName(const ::testing::TestParamInfo<std::tuple<Row, Fault>>& info) {
    static constexpr const char* kOps[] = {"ReadRadio",  "ReadGroup",   "ReadGlobal",
                                           "WriteRadio", "WriteGroup",  "WriteGlobal",
                                           "ReadLabels", "WriteLabels", "Dtmf"};
    static constexpr const char* kAts[] = {"Hook",     "Probe",   "FirstWord",
                                           "LastWord", "Segment", "Label"};
    const auto [row, fault] = info.param;
    return std::string(kOps[static_cast<int>(row.op)]) + "_" + kAts[static_cast<int>(row.at)] +
           (fault == Fault::Late ? "_Late" : "_Twice");
}

INSTANTIATE_TEST_SUITE_P(Operations, LateReply,
                         ::testing::Combine(::testing::ValuesIn(kRows),
                                            ::testing::Values(Fault::Late, Fault::Twice)),
                         rowName);

}  // namespace
}  // namespace zav
