#include "model/channel.h"

#include <stdexcept>

#include "model/codecs.h"
#include "model/memory_fields.h"
#include "model/memory_map.h"

namespace zav {

namespace {

constexpr std::string_view kBlankLabel = " blank  ";
constexpr char kTab = '\t';

std::size_t Index(int addr) {
    return static_cast<std::size_t>(addr);
}

}  // namespace

clsChannel::clsChannel(MemImage& mem, LabelImage& labels, int group, int channel)
    : mem_(mem),
      labels_(labels),
      channel_(channel),
      group_(group),
      record_(ChannelAddress(group, channel)),
      scanByte_(GroupAddress(group) + group_field::ScanFlag(channel).offset),
      scanMask_(FieldMask(group_field::ScanFlag(channel))) {}

bool clsChannel::setFreq(int offset, std::string_view text) {
    const auto bytes = FreqTextToBytes(text);
    if (!bytes) return false;
    mem_.at(Index(record_ + offset)) = (*bytes)[0];
    mem_.at(Index(record_ + offset + 1)) = (*bytes)[1];
    return true;
}

bool clsChannel::setCG(int offset, std::string_view text) {
    const auto bytes = CGTextToBytes(text);
    if (!bytes) return false;
    mem_.at(Index(record_ + offset)) = (*bytes)[0];
    mem_.at(Index(record_ + offset + 1)) = (*bytes)[1];
    return true;
}

std::string clsChannel::RecFreq() const {
    return FreqBytesToText(mem_.at(Index(record_ + channel_field::kRecFreq)),
                           mem_.at(Index(record_ + channel_field::kRecFreq + 1)));
}
bool clsChannel::setRecFreq(std::string_view text) {
    return setFreq(channel_field::kRecFreq, text);
}

std::string clsChannel::RecCG() const {
    return CGBytesToText(mem_.at(Index(record_ + channel_field::kRecCG)),
                         mem_.at(Index(record_ + channel_field::kRecCG + 1)));
}
bool clsChannel::setRecCG(std::string_view text) {
    return setCG(channel_field::kRecCG, text);
}

std::string clsChannel::TxFreq() const {
    return FreqBytesToText(mem_.at(Index(record_ + channel_field::kTxFreq)),
                           mem_.at(Index(record_ + channel_field::kTxFreq + 1)));
}
bool clsChannel::setTxFreq(std::string_view text) {
    return setFreq(channel_field::kTxFreq, text);
}

std::string clsChannel::TxCG() const {
    return CGBytesToText(mem_.at(Index(record_ + channel_field::kTxCG)),
                         mem_.at(Index(record_ + channel_field::kTxCG + 1)));
}
bool clsChannel::setTxCG(std::string_view text) {
    return setCG(channel_field::kTxCG, text);
}

std::string clsChannel::Label() const {
    std::string text;
    for (int k = 0; k < kLabelPositions; ++k) {
        text += LabelByteToText(labels_.at(labelIndex(group_, channel_, k)));
    }
    return text.empty() ? std::string(kBlankLabel) : text;
}

void clsChannel::setLabel(std::string_view text) {
    std::string rest(text);
    for (int k = 0; k < kLabelPositions; ++k) {
        labels_.at(labelIndex(group_, channel_, k)) = LabelTextToByte(rest);
    }
}

std::string clsChannel::Scan() const {
    return (mem_.at(Index(scanByte_)) & scanMask_) ? "Y" : "";
}

void clsChannel::setScan(std::string_view text) {
    Byte& b = mem_.at(Index(scanByte_));
    b = static_cast<Byte>(text == "Y" ? (b | scanMask_) : (b & ~scanMask_));
}

void clsChannel::Default() {
    setLabel("CHAN " + std::to_string(channel_ + 1));
}

RowData clsChannel::Display() const {
    RowData row;
    row[kColRecFreq] = RecFreq();
    row[kColRecCG] = RecCG();
    row[kColTxFreq] = TxFreq();
    row[kColTxCG] = TxCG();
    row[kColLabel] = Label();
    row[kColScan] = Scan();
    return row;
}

std::string clsChannel::CopyChan() const {
    const RowData row = Display();
    std::string text = row[kColRecFreq];
    for (int col = kColRecCG; col <= kColScan; ++col) {
        text += kTab;
        text += row[static_cast<std::size_t>(col)];
    }
    return text;
}

void clsChannel::PasteChan(std::string& s) {
    for (int pass = 0; pass < 7; ++pass) {
        const auto tab = s.find(kTab);
        const std::string field = s.substr(0, tab);
        if (tab != std::string::npos) s.erase(0, tab + 1);
        if (pass < 6) Update(pass + 1, field);
    }
}

void clsChannel::Write_Channel(const RowData& row) {
    for (int col = kColRecFreq; col <= kColScan; ++col) {
        Update(col, row[static_cast<std::size_t>(col)]);
    }
}

void clsChannel::Update(int field, std::string_view txt) {
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
