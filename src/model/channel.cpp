#include "model/channel.h"

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

bool Channel::setFreq(int offset, std::string_view text) {
    const auto bytes = freqTextToBytes(text);
    if (!bytes) return false;
    mem_.at(index(record_ + offset)) = (*bytes)[0];
    mem_.at(index(record_ + offset + 1)) = (*bytes)[1];
    return true;
}

bool Channel::setCG(int offset, std::string_view text) {
    const auto bytes = cgTextToBytes(text);
    if (!bytes) return false;
    mem_.at(index(record_ + offset)) = (*bytes)[0];
    mem_.at(index(record_ + offset + 1)) = (*bytes)[1];
    return true;
}

std::string Channel::recFreq() const {
    return freqBytesToText(mem_.at(index(record_ + channel_field::kRecFreq)),
                           mem_.at(index(record_ + channel_field::kRecFreq + 1)));
}
bool Channel::setRecFreq(std::string_view text) {
    return setFreq(channel_field::kRecFreq, text);
}

std::string Channel::recCg() const {
    return cgBytesToText(mem_.at(index(record_ + channel_field::kRecCG)),
                         mem_.at(index(record_ + channel_field::kRecCG + 1)));
}
bool Channel::setRecCG(std::string_view text) {
    return setCG(channel_field::kRecCG, text);
}

std::string Channel::txFreq() const {
    return freqBytesToText(mem_.at(index(record_ + channel_field::kTxFreq)),
                           mem_.at(index(record_ + channel_field::kTxFreq + 1)));
}
bool Channel::setTxFreq(std::string_view text) {
    return setFreq(channel_field::kTxFreq, text);
}

std::string Channel::txCg() const {
    return cgBytesToText(mem_.at(index(record_ + channel_field::kTxCG)),
                         mem_.at(index(record_ + channel_field::kTxCG + 1)));
}
bool Channel::setTxCG(std::string_view text) {
    return setCG(channel_field::kTxCG, text);
}

std::string Channel::label() const {
    std::string text;
    for (int k = 0; k < kLabelPositions; ++k) {
        text += labelByteToText(labels_.at(labelIndex(group_, channel_, k)));
    }
    return text.empty() ? std::string(kBlankLabel) : text;
}

void Channel::setLabel(std::string_view text) {
    std::string rest(text);
    for (int k = 0; k < kLabelPositions; ++k) {
        labels_.at(labelIndex(group_, channel_, k)) = labelTextToByte(rest);
    }
}

std::string Channel::scan() const {
    return (mem_.at(index(scanByte_)) & scanMask_) ? "Y" : "";
}

void Channel::setScan(std::string_view text) {
    Byte& b = mem_.at(index(scanByte_));
    b = static_cast<Byte>(text == "Y" ? (b | scanMask_) : (b & ~scanMask_));
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

void Channel::pasteChan(std::string& s) {
    writeChannel(splitRow(s));
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

void Channel::writeChannel(const RowData& row) {
    for (int col = kColRecFreq; col <= kColScan; ++col) {
        update(col, row[static_cast<std::size_t>(col)]);
    }
}

void Channel::update(int field, std::string_view txt) {
    switch (field) {
        case kColRecFreq:
            setRecFreq(txt);
            break;
        case kColRecCG:
            setRecCG(txt);
            break;
        case kColTxFreq:
            setTxFreq(txt);
            break;
        case kColTxCG:
            setTxCG(txt);
            break;
        case kColLabel:
            setLabel(txt);
            break;
        case kColScan:
            setScan(txt);
            break;
        default:
            break;
    }
}

}  // namespace zav
