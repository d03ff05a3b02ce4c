#include "model/group_fields.h"

#include <algorithm>
#include <stdexcept>

#include "model/memory_map.h"

namespace zav {

namespace {

namespace lf = label_field;

// Stored priority-mode code of each option button (A, B, C, D), and back.
constexpr auto kModeCodeOfButton = std::to_array<int>({0, 2, 3, 1});
constexpr auto kButtonOfModeCode = std::to_array<int>({kModeA, kModeD, kModeB, kModeC});

bool textCodec(const GroupField& f) {
    return f.codec == ParamCodec::Label || f.codec == ParamCodec::Id;
}

int asInt(const ParamValue& v) {
    if (const bool* flag = std::get_if<bool>(&v)) return *flag ? 1 : 0;
    return std::get<int>(v);
}

// A value the field cannot take is refused before anything is stored.
void checkFits(const GroupField& f, const ParamValue& v) {
    if (textCodec(f) || f.codec == ParamCodec::Button) return;
    const int value = asInt(v);
    if (value < f.lowest || value > f.highest)
        throw std::overflow_error(std::string(f.what) + " " + std::to_string(value) +
                                  " does not fit its field");
}

// The row of the field list that holds `member`.
template <class T>
const GroupField& fieldOf(T GroupParams::*member) {
    for (const GroupField& f : kGroupFields) {
        const auto* held = std::get_if<T GroupParams::*>(&f.member);
        if (held != nullptr && *held == member) return f;
    }
    throw std::logic_error("no group field holds the member");
}

template <class T>
T valueOf(const Group& g, T GroupParams::*member) {
    const ParamValue v = g.readParam(fieldOf(member));
    if constexpr (std::is_same_v<T, std::string>) {
        return std::get<std::string>(v);
    } else {
        return static_cast<T>(asInt(v));
    }
}

}  // namespace

ParamValue paramValue(const GroupParams& p, const GroupField& f) {
    return std::visit([&](auto member) { return ParamValue(p.*member); }, f.member);
}

void setParamValue(GroupParams& p, const GroupField& f, const ParamValue& v) {
    std::visit(
        [&](auto member) {
            using T = std::remove_reference_t<decltype(p.*member)>;
            if constexpr (std::is_same_v<T, std::string>) {
                p.*member = std::get<std::string>(v);
            } else if constexpr (std::is_same_v<T, bool>) {
                p.*member = asInt(v) != 0;
            } else {
                p.*member = asInt(v);
            }
        },
        f.member);
}

GroupParams Group::read() const {
    GroupParams p;
    for (const GroupField& f : kGroupFields) setParamValue(p, f, readParam(f));
    return p;
}

void Group::write(const GroupParams& p) {
    for (const GroupField& f : kGroupFields) checkFits(f, paramValue(p, f));
    for (const GroupField& f : kGroupFields) writeParam(f, paramValue(p, f));
}

ParamValue Group::readParam(const GroupField& f) const {
    const auto asMember = [&](int raw) {
        return std::holds_alternative<bool GroupParams::*>(f.member) ? ParamValue(raw != 0)
                                                                     : ParamValue(raw);
    };
    switch (f.codec) {
        case ParamCodec::Label:
            return readGroupLabel();
        case ParamCodec::Id:
            return readIdNum();
        case ParamCodec::PriorityMode:
            return kButtonOfModeCode[static_cast<std::size_t>(header(f.bits))];
        case ParamCodec::PriorityChannel:
            return std::min(header(f.bits), kChannelsPerGroup - 1);
        case ParamCodec::Backlight:
            return asMember(fieldValue(labelByte(lf::kBacklightSlot, f.bits.offset), f.bits));
        case ParamCodec::Header:
        case ParamCodec::Button:
            break;
    }
    return asMember(header(f.bits));
}

void Group::writeParam(const GroupField& f, const ParamValue& v) {
    checkFits(f, v);
    switch (f.codec) {
        case ParamCodec::Label:
            writeGroupLabel(std::get<std::string>(v));
            return;
        case ParamCodec::Id:
            writeIdNum(std::get<std::string>(v));
            return;
        case ParamCodec::Header:
            setBits(mem_, f.bits, asInt(v), page_);
            return;
        case ParamCodec::Button:
            setBits(mem_, f.bits, asInt(v) == 1 ? 1 : 0, page_);
            return;
        case ParamCodec::PriorityMode:
            setBits(mem_, f.bits, kModeCodeOfButton[static_cast<std::size_t>(asInt(v))], page_);
            return;
        case ParamCodec::PriorityChannel:
            setBits(mem_, f.bits, asInt(v) & fieldMax(f.bits), page_);
            return;
        case ParamCodec::Backlight: {
            Byte& b = labelByte(lf::kBacklightSlot, f.bits.offset);
            b = withField(b, f.bits, asInt(v));
            return;
        }
    }
}

// The parameters stored together are all checked before any is stored.
void Group::writeParams(std::initializer_list<std::pair<const GroupField*, ParamValue>> values) {
    for (const auto& [f, v] : values) checkFits(*f, v);
    for (const auto& [f, v] : values) writeParam(*f, v);
}

std::pair<int, int> Group::readTotScan() const {
    return {valueOf(*this, &GroupParams::tot), valueOf(*this, &GroupParams::scanHold)};
}

Backlight Group::readGroupBacklight() const {
    return {valueOf(*this, &GroupParams::blTimeout),   valueOf(*this, &GroupParams::alphaEnabled),
            valueOf(*this, &GroupParams::blKeypress),  valueOf(*this, &GroupParams::blOther),
            valueOf(*this, &GroupParams::blScanState), valueOf(*this, &GroupParams::blChannel)};
}

Priority Group::readPriority() const {
    return {valueOf(*this, &GroupParams::priorityMode),
            valueOf(*this, &GroupParams::priorityChannel)};
}

KeyboardLockouts Group::readKeyboardLockouts() const {
    return {valueOf(*this, &GroupParams::priKeyLock), valueOf(*this, &GroupParams::entClrLock)};
}

int Group::readBusyChannelIndicate() const {
    return valueOf(*this, &GroupParams::bci);
}

int Group::readAniDtmf() const {
    return valueOf(*this, &GroupParams::ani);
}

int Group::readVariableCg() const {
    return valueOf(*this, &GroupParams::varCG);
}

int Group::readBattSave() const {
    return valueOf(*this, &GroupParams::battSave);
}

void Group::writeTotScan(int tot, int scanHold) {
    writeParams({{&fieldOf(&GroupParams::tot), tot}, {&fieldOf(&GroupParams::scanHold), scanHold}});
}

void Group::writeGroupBacklight(const Backlight& b) {
    writeParams({{&fieldOf(&GroupParams::blTimeout), b.timeout},
                 {&fieldOf(&GroupParams::alphaEnabled), b.alphaEnabled},
                 {&fieldOf(&GroupParams::blKeypress), b.keypress},
                 {&fieldOf(&GroupParams::blOther), b.other},
                 {&fieldOf(&GroupParams::blScanState), b.scanState},
                 {&fieldOf(&GroupParams::blChannel), b.channel}});
}

void Group::writePriority(const Priority& p) {
    writeParams({{&fieldOf(&GroupParams::priorityMode), p.mode},
                 {&fieldOf(&GroupParams::priorityChannel), p.channel}});
}

void Group::writeKeyboardLockouts(const KeyboardLockouts& k) {
    writeParams({{&fieldOf(&GroupParams::priKeyLock), k.priKeyLock},
                 {&fieldOf(&GroupParams::entClrLock), k.entClrLock}});
}

void Group::writeBusyChannelIndicate(int bci) {
    writeParam(fieldOf(&GroupParams::bci), bci);
}

void Group::writeAniDtmf(int ani) {
    writeParam(fieldOf(&GroupParams::ani), ani);
}

void Group::writeVariableCg(int button) {
    writeParam(fieldOf(&GroupParams::varCG), button);
}

void Group::writeBattSave(int button) {
    writeParam(fieldOf(&GroupParams::battSave), button);
}

}  // namespace zav
