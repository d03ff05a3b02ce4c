#include "model/channel.h"

#include <optional>
#include <stdexcept>

#include "model/codecs.h"
#include "model/memory_fields.h"
#include "model/memory_map.h"

namespace zav {

namespace {

constexpr std::string_view kBlankLabel = " blank  ";
constexpr char kTab = '\t';

std::size_t index(int addr) {
    return static_cast<std::size_t>(addr);
}

}  // namespace

Channel::Channel(MemImage& mem, LabelImage& labels, int group, int channel)
    : mem_(mem),
      labels_(labels),
      channel_(channel),
      group_(group),
      record_(channelAddress(group, channel)),
      scanByte_(groupAddress(group) + group_field::scanFlag(channel).offset),
      scanMask_(fieldMask(group_field::scanFlag(channel))) {}

int Channel::fieldAddress(int column) const {
    switch (column) {
        case kColRecFreq:
            return record_ + channel_field::kRecFreq;
        case kColRecCG:
            return record_ + channel_field::kRecCG;
        case kColTxFreq:
            return record_ + channel_field::kTxFreq;
        case kColTxCG:
            return record_ + channel_field::kTxCG;
        default:
            throw std::out_of_range("no record field in column " + std::to_string(column));
    }
}

void Channel::store(int column, const std::string& shown) {
    // The gates give only texts their codec encodes.
    const auto storeBytes = [&](const std::optional<BytePair>& bytes) {
        const auto at = index(fieldAddress(column));
        mem_.at(at) = bytes.value()[0];
        mem_.at(at + 1) = bytes.value()[1];
    };
    switch (column) {
        case kColRecFreq:
        case kColTxFreq:
            storeBytes(freqTextToBytes(shown));
            break;
        case kColRecCG:
        case kColTxCG:
            storeBytes(cgTextToBytes(shown));
            break;
        case kColLabel: {
            std::string rest = shown;
            for (int k = 0; k < kLabelPositions; ++k)
                labels_.at(labelIndex(group_, channel_, k)) = labelTextToByte(rest);
            break;
        }
        default: {
            Byte& b = mem_.at(index(scanByte_));
            b = static_cast<Byte>(shown == "Y" ? (b | scanMask_) : (b & ~scanMask_));
            break;
        }
    }
}

FieldEntry Channel::update(int column, std::string_view text) {
    if (column < kColRecFreq || column > kColScan) return channelEntry(column, text);
    std::string now = display()[static_cast<std::size_t>(column)];
    if (text == now) return FieldEntry::taken(std::move(now));
    FieldEntry entry = channelEntry(column, text);
    if (entry) store(column, entry.shown());
    return entry;
}

std::string Channel::recFreq() const {
    return freqBytesToText(mem_.at(index(record_ + channel_field::kRecFreq)),
                           mem_.at(index(record_ + channel_field::kRecFreq + 1)));
}
FieldEntry Channel::setRecFreq(std::string_view text) {
    return update(kColRecFreq, text);
}

std::string Channel::recCg() const {
    return cgBytesToText(mem_.at(index(record_ + channel_field::kRecCG)),
                         mem_.at(index(record_ + channel_field::kRecCG + 1)));
}
FieldEntry Channel::setRecCG(std::string_view text) {
    return update(kColRecCG, text);
}

std::string Channel::txFreq() const {
    return freqBytesToText(mem_.at(index(record_ + channel_field::kTxFreq)),
                           mem_.at(index(record_ + channel_field::kTxFreq + 1)));
}
FieldEntry Channel::setTxFreq(std::string_view text) {
    return update(kColTxFreq, text);
}

std::string Channel::txCg() const {
    return cgBytesToText(mem_.at(index(record_ + channel_field::kTxCG)),
                         mem_.at(index(record_ + channel_field::kTxCG + 1)));
}
FieldEntry Channel::setTxCG(std::string_view text) {
    return update(kColTxCG, text);
}

std::string Channel::label() const {
    std::string text;
    for (int k = 0; k < kLabelPositions; ++k) {
        text += labelByteToText(labels_.at(labelIndex(group_, channel_, k)));
    }
    return text.empty() ? std::string(kBlankLabel) : text;
}

FieldEntry Channel::setLabel(std::string_view text) {
    return update(kColLabel, text);
}

std::string Channel::scan() const {
    return (mem_.at(index(scanByte_)) & scanMask_) ? "Y" : "";
}

FieldEntry Channel::setScan(std::string_view text) {
    return update(kColScan, text);
}

void Channel::resetToDefaults() {
    setLabel("CHAN " + std::to_string(channel_ + 1));
}

RowData Channel::display() const {
    RowData row;
    row[kColRecFreq] = recFreq();
    row[kColRecCG] = recCg();
    row[kColTxFreq] = txFreq();
    row[kColTxCG] = txCg();
    row[kColLabel] = label();
    row[kColScan] = scan();
    return row;
}

std::string Channel::copyChan() const {
    const RowData row = display();
    std::string text = row[kColRecFreq];
    for (int col = kColRecCG; col <= kColScan; ++col) {
        text += kTab;
        text += row[static_cast<std::size_t>(col)];
    }
    return text;
}

RowData Channel::splitRow(std::string& s) {
    RowData row;
    // Seven passes: the seventh consumes a field that goes nowhere.
    for (int pass = 0; pass < 7; ++pass) {
        const auto tab = s.find(kTab);
        const std::string field = s.substr(0, tab);
        if (tab != std::string::npos) s.erase(0, tab + 1);
        if (pass < 6) row[static_cast<std::size_t>(pass + 1)] = field;
    }
    return row;
}

RowPaste Channel::checkRow(const RowData& row) const {
    const RowData now = display();
    RowPaste checked;
    for (int column = kColRecFreq; column <= kColScan; ++column) {
        const auto c = static_cast<std::size_t>(column);
        if (row[c] == now[c]) continue;  // what the channel holds stays as its bytes are
        FieldEntry entry = channelEntry(column, row[c]);
        if (!entry) return {std::string(kChannelCaptions[c]) + ": " + entry.reason(), {}};
        checked.changes.emplace_back(column, entry.shown());
    }
    return checked;
}

void Channel::storeRow(const RowPaste& checked) {
    for (const auto& [column, text] : checked.changes) update(column, text);
}

FieldEntry Channel::writeChannel(const RowData& row) {
    const RowPaste checked = checkRow(row);
    if (!checked.refusal.empty()) return FieldEntry::refused(checked.refusal);
    storeRow(checked);
    return FieldEntry::taken(copyChan());
}

FieldEntry Channel::pasteChan(std::string& s) {
    return writeChannel(splitRow(s));
}

}  // namespace zav
