#include "model/bulk_edit.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "model/field_entry.h"
#include "model/frequency_check.h"
#include "model/group.h"
#include "model/memory_map.h"
#include "model/typed_text.h"

namespace zav {

namespace {

constexpr int kHzDecimals = 6;  // hertz as decimals of a megahertz
constexpr std::int64_t kHzPerMHz = 1'000'000;
// The frequency gate reads a text of four or more whole digits (or below 1 MHz) as a finer
// unit, so a fill's frequency reaches it only with three whole digits of megahertz.
constexpr std::int64_t kGateLowHz = 100 * kHzPerMHz;
constexpr std::int64_t kGateHighHz = 1000 * kHzPerMHz;

// A cell's value checked and ready to store: the text its gate gave.
struct PlannedCell {
    int channel;
    int column;
    std::string shown;
};

void checkChannels(std::span<const int> channels) {
    std::array<bool, kChannelsPerGroup> seen{};
    for (const int c : channels) {
        if (c < 0 || c >= kChannelsPerGroup)
            throw std::invalid_argument("channel index " + std::to_string(c));
        auto& once = seen[static_cast<std::size_t>(c)];
        if (once) throw std::invalid_argument("channel index " + std::to_string(c) + " twice");
        once = true;
    }
}

std::string columnText(const Channel& channel, int column) {
    return channel.display()[static_cast<std::size_t>(column)];
}

bool beyondGate(std::int64_t hz) {
    return hz <= -kGateHighHz || hz >= kGateHighHz;
}

// "-5", "0.0125", "451.025": an amount in megahertz without trailing zeros.
std::string signedMegahertz(std::int64_t hz) {
    // Unsigned, so that even the lowest value has its size.
    const std::uint64_t size =
        hz < 0 ? 0 - static_cast<std::uint64_t>(hz) : static_cast<std::uint64_t>(hz);
    constexpr auto kPerMHz = static_cast<std::uint64_t>(kHzPerMHz);
    std::string text = std::to_string(size / kPerMHz);
    if (const std::uint64_t rest = size % kPerMHz; rest != 0) {
        std::string fraction = std::to_string(rest);
        fraction.insert(0, kHzDecimals - fraction.size(), '0');
        text += "." + fraction.substr(0, fraction.find_last_not_of('0') + 1);
    }
    return hz < 0 ? "-" + text : text;
}

// The frequency cell's entry for hz. One outside the gate's reach is refused here, in the
// gate's own words.
FieldEntry frequencyOf(std::int64_t hz) {
    if (hz < kGateLowHz || hz >= kGateHighHz)
        return FieldEntry::refused(signedMegahertz(hz) +
                                   " is not a frequency of the radio: 400 to 600 MHz in 12.5 "
                                   "kHz steps.");
    return frequencyEntry(signedMegahertz(hz));
}

BulkEdit refusal(std::vector<int> channels, int column, std::string reason) {
    return {BulkRefusal{std::move(channels), column, std::move(reason)}, {}};
}

// Every cell through its channel's setter; the cells whose text changed.
std::vector<CellChange> store(Group& group, const std::vector<PlannedCell>& cells) {
    std::vector<CellChange> changes;
    for (const PlannedCell& cell : cells) {
        Channel& channel = group.channel(cell.channel);
        std::string before = columnText(channel, cell.column);
        channel.update(cell.column, cell.shown);
        std::string after = columnText(channel, cell.column);
        if (after != before)
            changes.push_back({cell.channel, cell.column, std::move(before), std::move(after)});
    }
    return changes;
}

}  // namespace

std::string BulkEdit::message() const {
    if (!refusal) return {};
    std::string text;
    if (!refusal->channels.empty())
        text = (refusal->channels.size() == 1 ? "Channel " : "Channels ") +
               channelListText(refusal->channels) + ", ";
    return text + std::string(kChannelCaptions.at(static_cast<std::size_t>(refusal->column))) +
           ": " + refusal->reason;
}

BulkEdit setColumn(Group& group, std::span<const int> channels, int column, std::string_view text) {
    if (column < kColRecFreq || column > kColScan)
        throw std::invalid_argument("column " + std::to_string(column) + " takes no entry");
    checkChannels(channels);
    std::vector<int> refusing;
    std::string reason;
    std::vector<PlannedCell> cells;
    for (const int c : channels) {
        // A channel that shows the text already keeps its bytes, as its setter does.
        if (columnText(group.channel(c), column) == text) continue;
        const FieldEntry entry = channelEntry(column, text);
        if (entry) {
            cells.push_back({c, column, std::string(text)});
        } else {
            refusing.push_back(c);
            if (reason.empty()) reason = entry.reason();
        }
    }
    if (!refusing.empty()) return refusal(std::move(refusing), column, std::move(reason));
    return {std::nullopt, store(group, cells)};
}

BulkEdit fillFrequencies(Group& group, std::span<const int> channels, const FrequencyFill& fill) {
    checkChannels(channels);
    const std::vector<int> first =
        channels.empty() ? std::vector<int>{} : std::vector<int>{channels.front()};
    if (fill.stepHz == 0 || fill.stepHz % kRasterHz != 0)
        return refusal(first, kColRecFreq,
                       "a step of " + signedMegahertz(fill.stepHz) +
                           " MHz is no multiple of the radio's 12.5 kHz steps");
    const FieldEntry start = frequencyEntry(fill.start);
    if (!start) return refusal(first, kColRecFreq, start.reason());
    // The gate's text holds whole hertz.
    std::int64_t receive = megahertzToHz(start.shown()).value();
    std::vector<PlannedCell> cells;
    for (std::size_t k = 0; k < channels.size(); ++k) {
        const int c = channels[k];
        // Any frequency here is within the gate's reach, so with a step or an offset that
        // is too, no sum overflows.
        if (k > 0) {
            if (beyondGate(fill.stepHz))
                return refusal(
                    {c}, kColRecFreq,
                    "a step of " + signedMegahertz(fill.stepHz) + " MHz leaves the radio's band");
            receive += fill.stepHz;
        }
        const FieldEntry rx = frequencyOf(receive);
        if (!rx) return refusal({c}, kColRecFreq, rx.reason());
        cells.push_back({c, kColRecFreq, rx.shown()});
        if (fill.transmit == TransmitFill::Unchanged) continue;
        if (beyondGate(fill.offsetHz))
            return refusal(
                {c}, kColTxFreq,
                "an offset of " + signedMegahertz(fill.offsetHz) + " MHz leaves the radio's band");
        const FieldEntry tx = frequencyOf(receive + fill.offsetHz);
        if (!tx) return refusal({c}, kColTxFreq, tx.reason());
        cells.push_back({c, kColTxFreq, tx.shown()});
    }
    return {std::nullopt, store(group, cells)};
}

std::optional<std::int64_t> megahertzToHz(std::string_view text) {
    std::string_view t = trimmed(text);
    const bool negative = t.starts_with('-');
    if (negative || t.starts_with('+')) t.remove_prefix(1);
    // One sign, right before the digits.
    if (t.empty() || t.front() == '-' || t.front() == '+' || t.front() == ' ' || t.front() == '\t')
        return std::nullopt;
    const auto hz = wholeUnits(t, kHzDecimals);
    if (!hz) return std::nullopt;
    return negative ? -*hz : *hz;
}

ChannelList parseChannelList(std::string_view text) {
    NumberList list = parseNumberList(text, kChannelsPerGroup, "channel");
    for (int& n : list.numbers) --n;  // channel numbers as indices
    return {std::move(list.numbers), std::move(list.refusal)};
}

std::string channelListText(std::span<const int> channels) {
    std::string text;
    for (std::size_t i = 0; i < channels.size();) {
        std::size_t last = i;
        while (last + 1 < channels.size() && channels[last + 1] == channels[last] + 1) ++last;
        if (!text.empty()) text += ", ";
        text += std::to_string(channels[i] + 1);
        if (last > i) text += "-" + std::to_string(channels[last] + 1);
        i = last + 1;
    }
    return text;
}

}  // namespace zav
