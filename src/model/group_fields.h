#pragma once
// The group parameters, each listed once: the member of GroupParams that holds it and the
// codec the group record reads and stores it with. Group::read and Group::write, the main
// window's controls and their stores are all made from this list, in its order (the order
// of a whole-group write).

#include <array>
#include <string>
#include <variant>

#include "model/group.h"
#include "model/lists.h"
#include "model/memory_fields.h"

namespace zav {

enum class ParamCodec : std::uint8_t {
    Label,            // the group label's eight positions (" BLANK  " when it shows nothing)
    Id,               // seven hexadecimal digits over the ANI/ID nibble and bytes
    Header,           // a header bit field: a list index or a flag
    Button,           // a header bit: option button 1 sets it, any other clears it
    PriorityMode,     // the mode's option button, stored as the radio's code for it
    PriorityChannel,  // a list index; -1 (no selection) stores 15, above 13 reads as 13
    Backlight,        // a bit field of the backlight byte: a list index or a flag
};

using ParamMember =
    std::variant<std::string GroupParams::*, int GroupParams::*, bool GroupParams::*>;

struct GroupField {
    ParamMember member;
    ParamCodec codec;
    BitField bits{};  // Header, Button, PriorityMode, PriorityChannel, Backlight
    int lowest = 0;   // the values an int field stores
    int highest = 0;
    const char* what;  // for a refusal's message
};

namespace detail {
constexpr int lastIndex(lists::Entries list) {
    return static_cast<int>(list.size()) - 1;
}
}  // namespace detail

// clang-format off
inline constexpr std::array<GroupField, 18> kGroupFields{{
    {&GroupParams::groupLabel, ParamCodec::Label, {}, 0, 0, "group label"},
    {&GroupParams::tot, ParamCodec::Header, group_field::kTimeOutTimer,
     0, detail::lastIndex(lists::kTimeOutTimer), "time-out timer"},
    {&GroupParams::scanHold, ParamCodec::Header, group_field::kScanHold,
     0, detail::lastIndex(lists::kScanHold), "scan hold"},
    {&GroupParams::id, ParamCodec::Id, {}, 0, 0, "ANI/ID"},
    {&GroupParams::priorityMode, ParamCodec::PriorityMode, group_field::kPriorityMode,
     0, detail::lastIndex(lists::kPriorityMode), "priority mode"},
    {&GroupParams::priorityChannel, ParamCodec::PriorityChannel, group_field::kPriorityChannel,
     -1, fieldMax(group_field::kPriorityChannel), "priority channel"},
    {&GroupParams::priKeyLock, ParamCodec::Header, group_field::kPriKeyLockout, 0, 1,
     "priority key lockout"},
    {&GroupParams::entClrLock, ParamCodec::Header, group_field::kEntClrLockout, 0, 1,
     "ENT/CLR lockout"},
    {&GroupParams::bci, ParamCodec::Header, group_field::kBusyChannel,
     0, detail::lastIndex(lists::kBusyChannel), "busy channel indicator"},
    {&GroupParams::ani, ParamCodec::Header, group_field::kResidentAni,
     0, detail::lastIndex(lists::kResidentAni), "resident ANI/DTMF"},
    {&GroupParams::varCG, ParamCodec::Button, group_field::kVariableCG, 0, 0, "variable code guard"},
    {&GroupParams::battSave, ParamCodec::Button, group_field::kBattSave, 0, 0, "battery saver"},
    {&GroupParams::blTimeout, ParamCodec::Backlight, label_field::kBlTimeout,
     0, detail::lastIndex(lists::kBacklightTimeout), "backlight timeout"},
    {&GroupParams::alphaEnabled, ParamCodec::Backlight, label_field::kAlphaEnabled, 0, 1, "alpha"},
    {&GroupParams::blKeypress, ParamCodec::Backlight, label_field::kBlKeypress, 0, 1, "keypress"},
    {&GroupParams::blOther, ParamCodec::Backlight, label_field::kBlOther, 0, 1, "other display"},
    {&GroupParams::blScanState, ParamCodec::Backlight, label_field::kBlScanState, 0, 1,
     "scan state"},
    {&GroupParams::blChannel, ParamCodec::Backlight, label_field::kBlChannel, 0, 1,
     "channel change"},
}};
// clang-format on

// The field's value in p, and p with it replaced.
ParamValue paramValue(const GroupParams& p, const GroupField& f);
void setParamValue(GroupParams& p, const GroupField& f, const ParamValue& v);

}  // namespace zav
