// The band check before the channel writes, on the simulated radio: channels outside the
// radio's band stop a whole or group write before its first byte unless the user says
// "Yes"; a radio whose band is unknown is written with a note; a fleet checks each radio
// against its own band.

#include <gtest/gtest.h>

#include "model/channel.h"
#include "model/document.h"
#include "ops/band_check.h"
#include "ops/document_editor.h"
#include "ops/fleet.h"
#include "ops/radio_operations.h"
#include "sim/synthesizer.h"
#include "support/history.h"
#include "support/sim_link.h"

namespace zav {
namespace {

using R = RadioOperations;

enum class Band : std::uint8_t { Known, Unknown };
enum class Backup : std::uint8_t { Off, On };

// Group 1 channel 1 receives at 420 MHz and group 3 channel 2 sends at 590 MHz; group 2
// lies within the radio's band, 450 to 512 MHz (unless unknown). The radio lacks group 3
// when `group3Absent`.
struct BandBench {
    BandBench(int group, Backup backup, Band band, bool group3Absent = false) : editor(doc, group) {
        auto& radio = s.radio.memory();
        std::fill_n(radio.begin() + 80, 8, Byte{0x88});
        if (group3Absent) radio[81] = 0x80;
        if (band == Band::Known) sim::setBandData(radio);
        std::fill_n(doc.mem.begin() + 80, 8, Byte{0x88});
        const auto channel = [&](int g, int c) {
            return Channel(doc.mem, doc.labels, g - 1, c - 1);
        };
        channel(1, 1).setRecFreq("420");
        channel(1, 1).setTxFreq("460");
        channel(2, 1).setRecFreq("450");
        channel(2, 14).setTxFreq("512");
        channel(3, 2).setTxFreq("590");
        ops.setLabelSetting(static_cast<int>(LabelSetting::Never));
        ops.setBackupBeforeWrite(backup == Backup::On);
        before = radio;
    }
    [[nodiscard]] bool written() const { return s.radio.memory() != before; }

    test::SimLink s;
    Document doc;
    DocumentEditor editor;
    test::History history;
    RadioOperations ops{doc, s.link, s.settings, editor, &history.store};
    sim::RadioMemory before{};
};

const std::string kGroup1 = "group 1, channel 1: receive frequency 420.00000 MHz";
const std::string kGroup3 = "group 3, channel 2: transmit frequency 590.00000 MHz";

TEST(BandCheck, ChannelsOutsideTheBandStopTheWriteUnlessTheUserSaysYes) {
    struct Case {
        const char* what;
        int group;  // 0: the whole radio
        Backup backup;
        Band band;
        bool group3Absent;
        std::optional<Answer> answer;    // to the band question; nullopt: none asked
        std::vector<std::string> named;  // the channels the question names
        bool written;
    };
    // clang-format off
    const Case cases[] = {
        {"whole, no", 0, Backup::Off, Band::Known, false, Answer::No, {kGroup1, kGroup3}, false},
        {"whole, backed up, no", 0, Backup::On, Band::Known, false, Answer::No, {kGroup1, kGroup3}, false},
        {"whole, yes", 0, Backup::Off, Band::Known, false, Answer::Yes, {kGroup1, kGroup3}, true},
        // The backup's page map says which groups go: the radio lacks group 3.
        {"whole, backed up, group 3 absent", 0, Backup::On, Band::Known, true, Answer::No, {kGroup1}, false},
        {"whole, group 3 maybe absent", 0, Backup::Off, Band::Known, true, Answer::No, {kGroup1, kGroup3}, false},
        {"group 1, no", 1, Backup::Off, Band::Known, false, Answer::No, {kGroup1}, false},
        {"group 3, backed up, yes", 3, Backup::On, Band::Known, false, Answer::Yes, {kGroup3}, true},
        {"group 2 in band, at its edges", 2, Backup::Off, Band::Known, false, std::nullopt, {}, true},
        {"whole, band unknown", 0, Backup::Off, Band::Unknown, false, std::nullopt, {}, true},
        {"group 1, backed up, band unknown", 1, Backup::On, Band::Unknown, false, std::nullopt, {}, true},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BandBench b(c.group, c.backup, c.band, c.group3Absent);
        b.s.prompts.queueAnswer(Answer::Ok);                     // the confirmation
        if (c.group == 0) b.s.prompts.queueAnswer(Answer::Yes);  // the global block
        if (c.answer) b.s.prompts.queueAnswer(*c.answer);
        const OperationResult result = c.group == 0 ? b.ops.writeRadio() : b.ops.writeGroup();
        EXPECT_EQ(result.done(), c.written) << result.message;
        EXPECT_EQ(b.written(), c.written);
        EXPECT_EQ(b.ops.bandNote(), c.band == Band::Unknown ? R::kBandUnknown : "");
        const auto asked =
            std::ranges::find(b.s.prompts.messages, std::string(R::kBandTitle), &Message::title);
        ASSERT_EQ(asked != b.s.prompts.messages.end(), c.answer.has_value());
        if (!c.answer) continue;
        EXPECT_EQ(asked->buttons, Buttons::YesNo);
        EXPECT_EQ(asked->defaultButton, DefaultButton::Second);
        std::string lines;
        for (const std::string& n : c.named) lines += "\n" + n;
        EXPECT_EQ(asked->text,
                  "These channels lie outside the radio's band (450 to 512 MHz), "
                  "where its synthesizer cannot lock:" +
                      lines + "\n\nWrite anyway?");
        if (c.written) continue;
        // The summary names them too, and the band.
        for (const std::string& n : c.named) EXPECT_NE(result.message.find(n), std::string::npos);
        EXPECT_NE(result.message.find("450 to 512 MHz"), std::string::npos);
    }
}

// Each radio of a fleet against its own band: the one whose band the file does not fit
// fails with the reason unless the request ignores the band.
TEST(BandCheck, AFleetChecksEachRadioAgainstItsOwnBand) {
    Document doc;
    std::fill_n(doc.mem.begin() + 80, 8, Byte{0x88});
    Channel(doc.mem, doc.labels, 0, 0).setRecFreq("420");
    Channel(doc.mem, doc.labels, 0, 1).setTxFreq("590");
    FileBytes file = defaultFileBytes();
    file.copyFrom(doc);
    for (const BandCheck check : {BandCheck::Stop, BandCheck::Ignore}) {
        std::array<sim::SimRadio, 2> radios;
        for (sim::SimRadio& r : radios) std::fill_n(r.memory().begin() + 80, 8, Byte{0x88});
        sim::setBandData(radios[0].memory());                  // 450 to 512 MHz
        sim::setBandData(radios[1].memory(), 0xFB, 0xE0, 70);  // 403 to 590 MHz
        const std::array before{radios[0].memory(), radios[1].memory()};
        FleetRequest request;
        request.ports = request.devices = {"0", "1"};
        request.answers.band = check;
        struct : FleetObserver {
            void finished(std::size_t /*index*/, const FleetRadioResult& /*r*/) override {}
        } observer;
        const auto results = runFleet(
            request, file,
            [&](const std::string& d) {
                return std::make_unique<sim::VirtualPort>(radios.at(std::stoul(d)));
            },
            observer, nullptr);
        const bool refused = check == BandCheck::Stop;
        EXPECT_EQ(results[0].result.done(), !refused) << results[0].reason;
        EXPECT_EQ(radios[0].memory() == before[0], refused);
        if (refused)
            EXPECT_TRUE(results[0].reason.starts_with(
                "group 1, channel 1: receive frequency 420.00000 MHz; group 1, channel 2: "
                "transmit frequency 590.00000 MHz: outside the radio's band, 450 to 512 MHz"))
                << results[0].reason;
        EXPECT_TRUE(results[1].result.done()) << results[1].reason;
        EXPECT_NE(radios[1].memory(), before[1]);
    }
}

}  // namespace
}  // namespace zav
