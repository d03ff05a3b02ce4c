// The band check of the radio writes (RadioOperations::checkBand) and its parts.

#include "ops/band_check.h"
#include "iface/shown_text.h"

#include <algorithm>

#include "iface/progress.h"
#include "iface/prompts.h"
#include "link/radio_link.h"
#include "link/write_verify.h"
#include "model/channel.h"
#include "model/document.h"
#include "model/frequency_check.h"
#include "model/memory_fields.h"
#include "ops/radio_operations.h"

namespace zav {

namespace {

constexpr int kFreqDecimals = 5;  // the grid's "450.01250"
constexpr std::int64_t kUnitsPerMHz = 100'000;
constexpr std::size_t kShownAtMost = 12;  // channels the question lists

// The groups a whole write takes: as the radio's page map (read by the backup) chooses
// them; without it, every group the image holds, since the radio may hold each.
std::vector<int> groupsWritten(const MemImage& image, const std::optional<MemImage>& radio) {
    return blocksWritten(image, radio.value_or(image), GlobalBlock::Skip);
}

}  // namespace

std::vector<OutOfBand> channelsOutOfBand(const MemImage& image, const std::vector<int>& groups,
                                         const RadioBand& band) {
    // Channel reads through references; the copies keep the caller's image untouched.
    MemImage mem = image;
    LabelImage labels{};
    std::vector<OutOfBand> found;
    const auto check = [&](int g, int c, ChannelFrequency which, const std::string& mhz) {
        const auto units = wholeUnits(mhz, kFreqDecimals);
        if (!units) return;  // "none"
        if (*units < band.lowMHz * kUnitsPerMHz || *units > band.highMHz * kUnitsPerMHz)
            found.push_back(OutOfBand{g, c + 1, which, mhz});
    };
    for (const int g : groups) {
        for (int c = 0; c < kChannelsPerGroup; ++c) {
            const Channel channel(mem, labels, g - 1, c);
            check(g, c, ChannelFrequency::Receive, channel.recFreq());
            check(g, c, ChannelFrequency::Transmit, channel.txFreq());
        }
    }
    return found;
}

std::string outOfBandText(const OutOfBand& f) {
    return "group " + std::to_string(f.group) + ", channel " + std::to_string(f.channel) + ": " +
           (f.which == ChannelFrequency::Receive ? "receive" : "transmit") + " frequency " + f.mhz +
           " MHz";
}

std::string outOfBandQuestion(const std::vector<OutOfBand>& found, const RadioBand& band) {
    std::string text = "These channels lie outside the radio's band (" + bandText(band) +
                       "), where its synthesizer cannot lock:";
    // A file made for another band would fill the box beyond the screen: the first ones
    // and how many more (the failure that follows a No names every one).
    const std::size_t shown = std::min(found.size(), kShownAtMost);
    for (std::size_t i = 0; i < shown; ++i) text += "\n" + outOfBandText(found[i]);
    if (shown < found.size()) text += "\nand " + std::to_string(found.size() - shown) + " more";
    return text + "\n\n" + RadioOperations::kWriteAnyway;
}

std::optional<BandBytes> readBandBytes(RadioLink& link) {
    if (!link.hookRadio(LineSpeed::Baud4800)) {
        link.endSession();
        return std::nullopt;
    }
    Word edge{};
    Word divisor{};
    const bool read = link.readWord(syncal_field::kBandEdge, edge) &&
                      link.readWord(syncal_field::kBandDivisor, divisor) && link.confirmInStep();
    link.endSession();
    if (read) return BandBytes{edge[0], edge[1], divisor[0]};
    if (!link.progress().cancelled())
        link.prompts().ask(
            information(shownText("Messages", "Error reading radio"), kCommErrorTitle));
    return std::nullopt;
}

OperationResult RadioOperations::checkBand(std::optional<int> group) {
    bandNote_.clear();
    std::optional<BandBytes> bytes;
    if (radioImage_) {
        bytes = bandBytesOf(*radioImage_);
    } else {
        bytes = readBandBytes(link_);
        if (!bytes) return failure("the radio's band was not read: nothing was written");
    }
    const std::optional<RadioBand> band = decodeRadioBand(*bytes);
    radioBand_ = band;
    if (!band) {
        bandNote_ = kBandUnknown;
        return OperationResult::success();
    }
    const std::vector<int> groups =
        group ? std::vector<int>{*group} : groupsWritten(doc_.mem, radioImage_);
    const std::vector<OutOfBand> found = channelsOutOfBand(doc_.mem, groups, *band);
    if (found.empty()) return OperationResult::success();
    Message ask = question(outOfBandQuestion(found, *band), Buttons::YesNo, kBandTitle);
    ask.icon = Icon::Exclamation;
    ask.defaultButton = DefaultButton::Second;
    if (link_.prompts().ask(ask) == Answer::Yes) return OperationResult::success();
    std::string message;
    for (const OutOfBand& f : found) message += (message.empty() ? "" : "; ") + outOfBandText(f);
    return OperationResult::failure(message + ": outside the radio's band, " + bandText(*band) +
                                    ": nothing was written");
}

}  // namespace zav
