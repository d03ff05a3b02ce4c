#include "model/group.h"

#include <algorithm>
#include <stdexcept>

#include "model/codecs.h"
#include "model/memory_fields.h"
#include "model/memory_map.h"

namespace zav {

namespace {

namespace gf = group_field;
namespace lf = label_field;

constexpr std::string_view kBlankGroupLabel = " BLANK  ";

void checkChannel(int c) {
    if (c < 0 || c >= kChannelsPerGroup) {
        throw std::out_of_range("channel index " + std::to_string(c));
    }
}

std::string hexDigits(int value, int digits) {
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kHex[static_cast<std::size_t>(value & 15)];
        value >>= 4;
    }
    return text;
}

}  // namespace

Group::Group(MemImage& mem, LabelImage& labels, int group)
    : mem_(mem), labels_(labels), group_(group), page_(groupAddress(group)) {
    for (int c = 0; c < kChannelsPerGroup; ++c) {
        channels_[static_cast<std::size_t>(c)] = std::make_unique<Channel>(mem, labels, group, c);
    }
}

Channel& Group::channel(int c) {
    checkChannel(c);
    return *channels_[static_cast<std::size_t>(c)];
}

const Channel& Group::channel(int c) const {
    checkChannel(c);
    return *channels_[static_cast<std::size_t>(c)];
}

int Group::header(BitField field) const {
    return getBits(mem_, field, page_);
}

Byte& Group::labelByte(int slot, int position) {
    return labels_.at(labelIndex(group_, slot, position));
}

Byte Group::labelByte(int slot, int position) const {
    return labels_.at(labelIndex(group_, slot, position));
}

RowData Group::display(int nChan) const {
    return channel(nChan).display();
}

void Group::update(int chn, int field, std::string_view txt) {
    channel(chn).update(field, txt);
}

std::string Group::copyChan(int nChan) const {
    return channel(nChan).copyChan();
}

void Group::pasteRecord(std::string& s, int nRow) {
    channel(nRow).pasteChan(s);
}

void Group::resetToDefaults() {
    std::fill_n(mem_.begin() + page_, kPageSize, Byte{0});
    writeGroupLabel("GROUP " + std::to_string(group_ + 1));
    for (auto& ch : channels_) ch->resetToDefaults();
}

std::string Group::readGroupLabel() const {
    std::string text;
    for (int k = 0; k < kLabelPositions; ++k) {
        text += labelByteToText(labelByte(lf::kGroupLabelSlot, k));
    }
    return text.empty() ? std::string(kBlankGroupLabel) : text;
}

std::string Group::readIdNum() const {
    std::string id = hexDigits(header(gf::kAniDigit1), 1);
    for (const BitField f : gf::kAniDigitBytes) id += hexDigits(header(f), 2);
    return id;
}

void Group::writeIdNum(std::string_view id) {
    std::string t(id);
    const auto digits = static_cast<std::size_t>(kIdDigits);
    t.insert(0, digits - std::min(t.size(), digits), '0');
    setBits(mem_, gf::kAniDigit1, hexTextToValue(t.substr(0, 1)), page_);
    for (std::size_t i = 0; i < gf::kAniDigitBytes.size(); ++i) {
        setBits(mem_, gf::kAniDigitBytes[i], hexTextToValue(t.substr(1 + 2 * i, 2)), page_);
    }
}

void Group::writeGroupLabel(std::string_view text) {
    std::string rest(text);
    for (int k = 0; k < kLabelPositions; ++k) {
        labelByte(lf::kGroupLabelSlot, k) = labelTextToByte(rest);
    }
}

}  // namespace zav
