#include "model/group.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "model/codecs.h"
#include "model/lists.h"
#include "model/memory_fields.h"
#include "model/memory_map.h"

namespace zav {

namespace {

namespace gf = group_field;
namespace lf = label_field;

constexpr std::string_view kBlankGroupLabel = " BLANK  ";
constexpr int kIdDigits = 7;
constexpr int kNoPriorityChannel = -1;

// Stored priority-mode code of each option button (A, B, C, D), and back.
constexpr std::array<int, 4> kModeCodeOfButton{0, 2, 3, 1};
constexpr std::array<int, 4> kButtonOfModeCode{kModeA, kModeD, kModeB, kModeC};

void CheckRange(int value, int lo, int hi, const char* what) {
    if (value < lo || value > hi) {
        throw std::overflow_error(std::string(what) + " " + std::to_string(value) +
                                  " does not fit its field");
    }
}

void CheckListIndex(int value, std::size_t listSize, const char* what) {
    CheckRange(value, 0, static_cast<int>(listSize) - 1, what);
}

void CheckChannel(int c) {
    if (c < 0 || c >= kChannelsPerGroup) {
        throw std::out_of_range("channel index " + std::to_string(c));
    }
}

// Channel index from the channel number (1..14) in column 0 of a grid row.
int ChannelOfRow(const RowData& row) {
    const double number = LeadingNumber(row[0]);
    if (number != std::floor(number)) {
        throw std::out_of_range("channel number " + row[0]);
    }
    const double index = number - 1;
    if (index < 0 || index >= kChannelsPerGroup) {
        throw std::out_of_range("channel number " + row[0]);
    }
    return static_cast<int>(index);
}

std::string HexDigits(int value, int digits) {
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string text(static_cast<std::size_t>(digits), '0');
    for (int i = digits - 1; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = kHex[static_cast<std::size_t>(value & 15)];
        value >>= 4;
    }
    return text;
}

const char* EnabledOrLocked(bool locked) {
    return locked ? "Locked Out" : "Enabled";
}

}  // namespace

clsGroup::clsGroup(MemImage& mem, LabelImage& labels, int group)
    : mem_(mem), labels_(labels), group_(group), page_(GroupAddress(group)) {
    for (int c = 0; c < kChannelsPerGroup; ++c) {
        channels_[static_cast<std::size_t>(c)] =
            std::make_unique<clsChannel>(mem, labels, group, c);
    }
}

clsChannel& clsGroup::channel(int c) {
    CheckChannel(c);
    return *channels_[static_cast<std::size_t>(c)];
}

const clsChannel& clsGroup::channel(int c) const {
    CheckChannel(c);
    return *channels_[static_cast<std::size_t>(c)];
}

int clsGroup::header(BitField field) const {
    return GetBits(mem_, field, page_);
}

Byte& clsGroup::labelByte(int slot, int position) {
    return labels_.at(labelIndex(group_, slot, position));
}

Byte clsGroup::labelByte(int slot, int position) const {
    return labels_.at(labelIndex(group_, slot, position));
}

RowData clsGroup::Display(int nChan) const {
    return channel(nChan).Display();
}

void clsGroup::Update(int chn, int field, std::string_view txt) {
    channel(chn).Update(field, txt);
}

std::string clsGroup::CopyChan(int nChan) const {
    return channel(nChan).CopyChan();
}

void clsGroup::PasteRecord(std::string& s, int nRow) {
    channel(nRow).PasteChan(s);
}

void clsGroup::Default() {
    std::fill_n(mem_.begin() + page_, kPageSize, Byte{0});
    Write_Group_Label("GROUP " + std::to_string(group_ + 1));
    for (auto& ch : channels_) ch->Default();
}

GroupParams clsGroup::Read() const {
    GroupParams p;
    p.groupLabel = Read_Group_Label();
    std::tie(p.tot, p.scanHold) = Read_TOT_Scan();
    p.id = Read_ID_Num();
    const Priority pri = Read_Priority();
    p.priorityMode = pri.mode;
    p.priorityChannel = pri.channel;
    const KeyboardLockouts locks = Read_Keyboard_Lockouts();
    p.priKeyLock = locks.priKeyLock;
    p.entClrLock = locks.entClrLock;
    p.bci = Read_Busy_Channel_Indicate();
    p.ani = Read_ANI_DTMF();
    p.varCG = Read_VariableCG();
    p.battSave = Read_BattSave();
    const Backlight bl = Read_Group_Backlight();
    p.blTimeout = bl.timeout;
    p.alphaEnabled = bl.alphaEnabled;
    p.blKeypress = bl.keypress;
    p.blOther = bl.other;
    p.blScanState = bl.scanState;
    p.blChannel = bl.channel;
    return p;
}

std::pair<int, int> clsGroup::Read_TOT_Scan() const {
    return {header(gf::kTimeOutTimer), header(gf::kScanHold)};
}

std::string clsGroup::Read_Group_Label() const {
    std::string text;
    for (int k = 0; k < kLabelPositions; ++k) {
        text += LabelByteToText(labelByte(lf::kGroupLabelSlot, k));
    }
    return text.empty() ? std::string(kBlankGroupLabel) : text;
}

Backlight clsGroup::Read_Group_Backlight() const {
    const Byte b = labelByte(lf::kBacklightSlot, lf::kBacklightPosition);
    Backlight bl;
    bl.timeout = FieldValue(b, lf::kBlTimeout);
    bl.alphaEnabled = FieldValue(b, lf::kAlphaEnabled) != 0;
    bl.keypress = FieldValue(b, lf::kBlKeypress) != 0;
    bl.other = FieldValue(b, lf::kBlOther) != 0;
    bl.scanState = FieldValue(b, lf::kBlScanState) != 0;
    bl.channel = FieldValue(b, lf::kBlChannel) != 0;
    return bl;
}

std::string clsGroup::Read_ID_Num() const {
    std::string id = HexDigits(header(gf::kAniDigit1), 1);
    for (const BitField f : gf::kAniDigitBytes) id += HexDigits(header(f), 2);
    return id;
}

Priority clsGroup::Read_Priority() const {
    Priority p;
    p.mode = kButtonOfModeCode[static_cast<std::size_t>(header(gf::kPriorityMode))];
    p.channel = std::min(header(gf::kPriorityChannel), kChannelsPerGroup - 1);
    return p;
}

KeyboardLockouts clsGroup::Read_Keyboard_Lockouts() const {
    return {header(gf::kPriKeyLockout) != 0, header(gf::kEntClrLockout) != 0};
}

int clsGroup::Read_Busy_Channel_Indicate() const {
    return header(gf::kBusyChannel);
}

int clsGroup::Read_ANI_DTMF() const {
    return header(gf::kResidentAni);
}

int clsGroup::Read_VariableCG() const {
    return header(gf::kVariableCG);
}

int clsGroup::Read_BattSave() const {
    return header(gf::kBattSave);
}

void clsGroup::Write_Group(const GroupParams& p, const RowData* currentRow) {
    // Check everything first so that a refused value leaves the group as it was.
    CheckListIndex(p.tot, lists::kTimeOutTimer.size(), "time-out timer");
    CheckListIndex(p.scanHold, lists::kScanHold.size(), "scan hold");
    CheckListIndex(p.priorityMode, lists::kPriorityMode.size(), "priority mode");
    CheckRange(p.priorityChannel, kNoPriorityChannel, FieldMax(gf::kPriorityChannel),
               "priority channel");
    CheckListIndex(p.bci, lists::kBusyChannel.size(), "busy channel indicator");
    CheckListIndex(p.ani, lists::kResidentAni.size(), "resident ANI/DTMF");
    CheckListIndex(p.blTimeout, lists::kBacklightTimeout.size(), "backlight timeout");
    const int rowChannel = currentRow ? ChannelOfRow(*currentRow) : -1;

    Write_Group_Label(p.groupLabel);
    Write_TOT_Scan(p.tot, p.scanHold);
    Write_ID_Num(p.id);
    Write_Priority({p.priorityMode, p.priorityChannel});
    Write_Keyboard_Lockouts({p.priKeyLock, p.entClrLock});
    Write_Busy_Channel_Indicate(p.bci);
    Write_ANI_DTMF(p.ani);
    Write_VariableCG(p.varCG);
    Write_BattSave(p.battSave);
    Write_Group_Backlight(
        {p.blTimeout, p.alphaEnabled, p.blKeypress, p.blOther, p.blScanState, p.blChannel});
    if (currentRow) channel(rowChannel).Write_Channel(*currentRow);
}

void clsGroup::Write_TOT_Scan(int tot, int scanHold) {
    CheckListIndex(tot, lists::kTimeOutTimer.size(), "time-out timer");
    CheckListIndex(scanHold, lists::kScanHold.size(), "scan hold");
    StoreField(mem_, gf::kTimeOutTimer, tot, page_);
    StoreField(mem_, gf::kScanHold, scanHold, page_);
}

void clsGroup::Write_ID_Num(std::string_view id) {
    std::string t(id);
    if (t.size() < kIdDigits) t.insert(0, kIdDigits - t.size(), '0');
    SetBits(mem_, gf::kAniDigit1, HexTextToValue(t.substr(0, 1)), page_);
    for (std::size_t i = 0; i < gf::kAniDigitBytes.size(); ++i) {
        SetBits(mem_, gf::kAniDigitBytes[i], HexTextToValue(t.substr(1 + 2 * i, 2)), page_);
    }
}

void clsGroup::Write_Group_Label(std::string_view text) {
    std::string rest(text);
    for (int k = 0; k < kLabelPositions; ++k) {
        labelByte(lf::kGroupLabelSlot, k) = LabelTextToByte(rest);
    }
}

void clsGroup::Write_Group_Backlight(const Backlight& b) {
    CheckListIndex(b.timeout, lists::kBacklightTimeout.size(), "backlight timeout");
    Byte v = 0;  // every bit of the byte belongs to a field: the whole byte is replaced
    v = WithField(v, lf::kBlTimeout, b.timeout);
    v = WithField(v, lf::kAlphaEnabled, b.alphaEnabled);
    v = WithField(v, lf::kBlKeypress, b.keypress);
    v = WithField(v, lf::kBlOther, b.other);
    v = WithField(v, lf::kBlScanState, b.scanState);
    v = WithField(v, lf::kBlChannel, b.channel);
    labelByte(lf::kBacklightSlot, lf::kBacklightPosition) = v;
}

void clsGroup::Write_Priority(const Priority& p) {
    CheckListIndex(p.mode, lists::kPriorityMode.size(), "priority mode");
    CheckRange(p.channel, kNoPriorityChannel, FieldMax(gf::kPriorityChannel), "priority channel");
    StoreField(mem_, gf::kPriorityMode, kModeCodeOfButton[static_cast<std::size_t>(p.mode)], page_);
    // No selection (-1) stores 15, which reads back as the last channel.
    StoreField(mem_, gf::kPriorityChannel, p.channel & FieldMax(gf::kPriorityChannel), page_);
}

void clsGroup::Write_Keyboard_Lockouts(const KeyboardLockouts& k) {
    SetBits(mem_, gf::kPriKeyLockout, k.priKeyLock, page_);
    SetBits(mem_, gf::kEntClrLockout, k.entClrLock, page_);
}

void clsGroup::Write_Busy_Channel_Indicate(int bci) {
    CheckListIndex(bci, lists::kBusyChannel.size(), "busy channel indicator");
    StoreField(mem_, gf::kBusyChannel, bci, page_);
}

void clsGroup::Write_ANI_DTMF(int ani) {
    CheckListIndex(ani, lists::kResidentAni.size(), "resident ANI/DTMF");
    StoreField(mem_, gf::kResidentAni, ani, page_);
}

void clsGroup::Write_VariableCG(int button) {
    SetBits(mem_, gf::kVariableCG, button == 1 ? 1 : 0, page_);
}

void clsGroup::Write_BattSave(int button) {
    SetBits(mem_, gf::kBattSave, button == 1 ? 1 : 0, page_);
}

std::string clsGroup::Print_Priority() const {
    const Priority p = Read_Priority();
    return "Priority Channel: " +
           std::string(lists::kPriorityChannel[static_cast<std::size_t>(p.channel)]) +
           "      Priority Mode: " +
           std::string(lists::kPriorityMode[static_cast<std::size_t>(p.mode)]);
}

std::string clsGroup::Print_BCI_ANI() const {
    return "Busy Channel Indicator: " +
           std::string(
               lists::kBusyChannel[static_cast<std::size_t>(Read_Busy_Channel_Indicate())]) +
           "      Resident ANI/DTMF: " +
           std::string(lists::kResidentAni[static_cast<std::size_t>(Read_ANI_DTMF())]);
}

std::string clsGroup::Print_TOT_Scan() const {
    const auto [tot, scan] = Read_TOT_Scan();
    return "Time Out Timer = " + std::string(lists::kTimeOutTimer[static_cast<std::size_t>(tot)]) +
           "      Scan Hold Time = " +
           std::string(lists::kScanHold[static_cast<std::size_t>(scan)]);
}

std::string clsGroup::Print_VariableCG() const {
    return Read_VariableCG() ? "On" : "Off";
}

std::string clsGroup::Print_BattSave() const {
    return Read_BattSave() ? "Off" : "On";
}

std::string clsGroup::Print_Keyboard_Lockouts() const {
    const KeyboardLockouts k = Read_Keyboard_Lockouts();
    return "Battery Saver: " + Print_BattSave() +
           "      Priority Key: " + EnabledOrLocked(k.priKeyLock) +
           "      'ENT' & 'CLR' Keys: " + EnabledOrLocked(k.entClrLock);
}

}  // namespace zav
