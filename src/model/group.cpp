#include "model/group.h"

#include <algorithm>
#include <stdexcept>

#include "model/codecs.h"
#include "model/group_fields.h"
#include "model/lists.h"
#include "model/memory_fields.h"
#include "model/memory_map.h"

namespace zav {

namespace {

namespace gf = group_field;
namespace lf = label_field;

constexpr std::string_view kBlankGroupLabel = " BLANK  ";
constexpr int kNoPriorityChannel = -1;

using detail::kButtonOfModeCode;
using detail::kModeCodeOfButton;

void checkRange(int value, int lo, int hi, const char* what) {
    if (value < lo || value > hi) {
        throw std::overflow_error(std::string(what) + " " + std::to_string(value) +
                                  " does not fit its field");
    }
}

void checkListIndex(int value, std::size_t listSize, const char* what) {
    checkRange(value, 0, static_cast<int>(listSize) - 1, what);
}

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

std::pair<int, int> Group::readTotScan() const {
    return {header(gf::kTimeOutTimer), header(gf::kScanHold)};
}

std::string Group::readGroupLabel() const {
    std::string text;
    for (int k = 0; k < kLabelPositions; ++k) {
        text += labelByteToText(labelByte(lf::kGroupLabelSlot, k));
    }
    return text.empty() ? std::string(kBlankGroupLabel) : text;
}

Backlight Group::readGroupBacklight() const {
    const Byte b = labelByte(lf::kBacklightSlot, lf::kBacklightPosition);
    Backlight bl;
    bl.timeout = fieldValue(b, lf::kBlTimeout);
    bl.alphaEnabled = fieldValue(b, lf::kAlphaEnabled) != 0;
    bl.keypress = fieldValue(b, lf::kBlKeypress) != 0;
    bl.other = fieldValue(b, lf::kBlOther) != 0;
    bl.scanState = fieldValue(b, lf::kBlScanState) != 0;
    bl.channel = fieldValue(b, lf::kBlChannel) != 0;
    return bl;
}

std::string Group::readIdNum() const {
    std::string id = hexDigits(header(gf::kAniDigit1), 1);
    for (const BitField f : gf::kAniDigitBytes) id += hexDigits(header(f), 2);
    return id;
}

Priority Group::readPriority() const {
    Priority p;
    p.mode = kButtonOfModeCode[static_cast<std::size_t>(header(gf::kPriorityMode))];
    p.channel = std::min(header(gf::kPriorityChannel), kChannelsPerGroup - 1);
    return p;
}

KeyboardLockouts Group::readKeyboardLockouts() const {
    return {header(gf::kPriKeyLockout) != 0, header(gf::kEntClrLockout) != 0};
}

int Group::readBusyChannelIndicate() const {
    return header(gf::kBusyChannel);
}

int Group::readAniDtmf() const {
    return header(gf::kResidentAni);
}

int Group::readVariableCg() const {
    return header(gf::kVariableCG);
}

int Group::readBattSave() const {
    return header(gf::kBattSave);
}

void Group::writeTotScan(int tot, int scanHold) {
    // The first store refuses a time-out that does not fit before anything is stored.
    checkListIndex(scanHold, lists::kScanHold.size(), "scan hold");
    storeField(mem_, gf::kTimeOutTimer, tot, page_);
    storeField(mem_, gf::kScanHold, scanHold, page_);
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

void Group::writeGroupBacklight(const Backlight& b) {
    checkListIndex(b.timeout, lists::kBacklightTimeout.size(), "backlight timeout");
    Byte v = 0;  // every bit of the byte belongs to a field: the whole byte is replaced
    v = withField(v, lf::kBlTimeout, b.timeout);
    v = withField(v, lf::kAlphaEnabled, b.alphaEnabled);
    v = withField(v, lf::kBlKeypress, b.keypress);
    v = withField(v, lf::kBlOther, b.other);
    v = withField(v, lf::kBlScanState, b.scanState);
    v = withField(v, lf::kBlChannel, b.channel);
    labelByte(lf::kBacklightSlot, lf::kBacklightPosition) = v;
}

void Group::writePriority(const Priority& p) {
    checkListIndex(p.mode, lists::kPriorityMode.size(), "priority mode");
    checkRange(p.channel, kNoPriorityChannel, fieldMax(gf::kPriorityChannel), "priority channel");
    storeField(mem_, gf::kPriorityMode, kModeCodeOfButton[static_cast<std::size_t>(p.mode)], page_);
    // No selection (-1) stores 15, which reads back as the last channel.
    storeField(mem_, gf::kPriorityChannel, p.channel & fieldMax(gf::kPriorityChannel), page_);
}

void Group::writeKeyboardLockouts(const KeyboardLockouts& k) {
    setBits(mem_, gf::kPriKeyLockout, k.priKeyLock, page_);
    setBits(mem_, gf::kEntClrLockout, k.entClrLock, page_);
}

void Group::writeBusyChannelIndicate(int bci) {
    checkListIndex(bci, lists::kBusyChannel.size(), "busy channel indicator");
    storeField(mem_, gf::kBusyChannel, bci, page_);
}

void Group::writeAniDtmf(int ani) {
    checkListIndex(ani, lists::kResidentAni.size(), "resident ANI/DTMF");
    storeField(mem_, gf::kResidentAni, ani, page_);
}

void Group::writeVariableCg(int button) {
    setBits(mem_, gf::kVariableCG, button == 1 ? 1 : 0, page_);
}

void Group::writeBattSave(int button) {
    setBits(mem_, gf::kBattSave, button == 1 ? 1 : 0, page_);
}

}  // namespace zav
