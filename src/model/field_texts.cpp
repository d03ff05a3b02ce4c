#include "model/field_texts.h"

#include <algorithm>
#include <array>

#include "model/channel.h"
#include "model/codecs.h"
#include "model/field_entry.h"
#include "model/frequency_check.h"
#include "model/globals.h"
#include "model/group.h"
#include "model/lists.h"
#include "model/memory_fields.h"
#include "model/memory_map.h"

namespace zav {

namespace {

namespace gf = group_field;
namespace lf = label_field;
using Refusal = std::optional<std::string>;

// Texts of fields that are not lists of the editor's: check boxes and option buttons.
constexpr std::array kFlag{std::string_view(""), kFlagSet};
constexpr std::array kOffOn{std::string_view("Off"), std::string_view("On")};         // variable CG
constexpr std::array kSaverButtons{std::string_view("On"), std::string_view("Off")};  // 1 = off

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

// Index of a list entry: the entry itself, or for lists of numbers the entry of the same
// value (a spreadsheet writes "0.5" back as "0.5" but "1.0" as "1").
std::optional<int> entryIndex(lists::Entries list, std::string_view text) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == text) return static_cast<int>(i);
    if (!isNumericText(text)) return std::nullopt;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (isNumericText(list[i]) && leadingNumber(list[i]) == leadingNumber(text))
            return static_cast<int>(i);
    return std::nullopt;
}

Refusal notInList(lists::Entries list, std::string_view text) {
    std::string known;
    for (const std::string_view entry : list) known += (known.empty() ? "" : ", ") + quoted(entry);
    return quoted(text) + " is none of " + known;
}

bool hexDigits(std::string_view text, std::size_t most) {
    return !text.empty() && text.size() <= most &&
           std::all_of(text.begin(), text.end(), [](char ch) {
               return (ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'F') ||
                      (ch >= 'a' && ch <= 'f');
           });
}

Channel channelAt(const FieldPlace& at) {
    return {at.mem, at.labels, at.group, at.channel};
}

Group groupAt(const FieldPlace& at) {
    return {at.mem, at.labels, at.group};
}

// --- Channel fields: the grid's texts, stored as the grid stores them.

template <int Column>
std::string readChannel(const FieldPlace& at) {
    return channelAt(at).display()[Column];
}

Refusal refusal(const FieldEntry& entry) {
    return entry ? Refusal() : entry.reason();
}

template <int Column>
Refusal storeChannel(const FieldPlace& at, std::string_view text) {
    return refusal(channelAt(at).update(Column, text));
}

// --- Group fields: list entries of bit fields in the group header or the backlight byte.

Byte& backlightByte(const FieldPlace& at, BitField f) {
    return at.labels.at(labelIndex(at.group, lf::kBacklightSlot, f.offset));
}

template <BitField F, bool InLabels>
int fieldOf(const FieldPlace& at) {
    return InLabels ? fieldValue(backlightByte(at, F), F)
                    : getBits(at.mem, F, groupAddress(at.group));
}

// Values beyond the list (priority channels 15 and 16) show as its last entry, as the
// window's list shows them.
template <BitField F, const auto& List, bool InLabels = false>
std::string readList(const FieldPlace& at) {
    const int last = static_cast<int>(List.size()) - 1;
    return std::string(List[static_cast<std::size_t>(std::min(fieldOf<F, InLabels>(at), last))]);
}

template <BitField F, const auto& List, bool InLabels = false>
Refusal storeList(const FieldPlace& at, std::string_view text) {
    const auto index = entryIndex(List, text);
    if (!index) return notInList(List, text);
    if (InLabels)
        backlightByte(at, F) = withField(backlightByte(at, F), F, *index);
    else
        storeField(at.mem, F, *index, groupAddress(at.group));
    return std::nullopt;
}

std::string readPriorityMode(const FieldPlace& at) {
    return std::string(
        lists::kPriorityMode[static_cast<std::size_t>(groupAt(at).readPriority().mode)]);
}

Refusal storePriorityMode(const FieldPlace& at, std::string_view text) {
    const auto mode = entryIndex(lists::kPriorityMode, text);
    if (!mode) return notInList(lists::kPriorityMode, text);
    // The channel nibble is stored back as it is (15 included).
    const int channel = getBits(at.mem, gf::kPriorityChannel, groupAddress(at.group));
    groupAt(at).writePriority({*mode, channel});
    return std::nullopt;
}

std::string readId(const FieldPlace& at) {
    return groupAt(at).readIdNum();
}

Refusal storeId(const FieldPlace& at, std::string_view text) {
    const FieldEntry entry = idEntry(text);
    if (entry) groupAt(at).writeIdNum(entry.shown());
    return refusal(entry);
}

std::string readGroupLabel(const FieldPlace& at) {
    return groupAt(at).readGroupLabel();
}

Refusal storeGroupLabel(const FieldPlace& at, std::string_view text) {
    const FieldEntry entry = labelEntry(text);
    if (entry) groupAt(at).writeGroupLabel(entry.shown());
    return refusal(entry);
}

// --- Global fields: the global parameters window's lists and password.

template <int GlobalParams::*Member, const auto& List>
std::string readGlobal(const FieldPlace& at) {
    return std::string(lists::entryOrEmpty(List, readGlobalParams(at.mem).*Member));
}

template <int GlobalParams::*Member, const auto& List>
Refusal storeGlobal(const FieldPlace& at, std::string_view text) {
    const auto index = entryIndex(List, text);
    if (!index) return notInList(List, text);
    GlobalParams p = readGlobalParams(at.mem);
    p.*Member = *index;
    writeGlobalParams(at.mem, p);
    return std::nullopt;
}

std::string readPassword(const FieldPlace& at) {
    return loadPassword(at.mem);
}

Refusal storePasswordText(const FieldPlace& at, std::string_view text) {
    if (!hexDigits(text, 6)) return quoted(text) + " is not 1 to 6 hexadecimal digits";
    storePassword(at.mem, text);
    return std::nullopt;
}

template <int Column>
constexpr FieldText channelField() {
    return {kChannelCaptions[Column], FieldScope::Channel, readChannel<Column>,
            storeChannel<Column>};
}

template <BitField F, const auto& List, bool InLabels = false>
constexpr FieldText groupList(std::string_view name) {
    return {name, FieldScope::Group, readList<F, List, InLabels>, storeList<F, List, InLabels>};
}

template <int GlobalParams::*Member, const auto& List>
constexpr FieldText globalList(std::string_view name) {
    return {name, FieldScope::Global, readGlobal<Member, List>, storeGlobal<Member, List>};
}

constexpr std::array kFields{
    channelField<kColRecFreq>(),
    channelField<kColRecCG>(),
    channelField<kColTxFreq>(),
    channelField<kColTxCG>(),
    channelField<kColLabel>(),
    channelField<kColScan>(),
    FieldText{"Group Label", FieldScope::Group, readGroupLabel, storeGroupLabel},
    groupList<gf::kTimeOutTimer, lists::kTimeOutTimer>("Tx Time Out Timer"),
    groupList<gf::kScanHold, lists::kScanHold>("Scan Hold Time"),
    FieldText{"ANI/ID Number", FieldScope::Group, readId, storeId},
    groupList<gf::kPriorityChannel, lists::kPriorityChannel>("Priority Channel"),
    FieldText{"Priority Mode", FieldScope::Group, readPriorityMode, storePriorityMode},
    groupList<gf::kPriKeyLockout, kFlag>("Priority Key Lockout"),
    groupList<gf::kEntClrLockout, kFlag>("'ENT'/'CLR' Key Lockout"),
    groupList<gf::kBusyChannel, lists::kBusyChannel>("Busy Channel Indicator"),
    groupList<gf::kResidentAni, lists::kResidentAni>("Resident ANI/DTMF"),
    groupList<gf::kVariableCG, kOffOn>("Variable Code Guard"),
    groupList<gf::kBattSave, kSaverButtons>("Battery Saver"),
    groupList<lf::kAlphaEnabled, kFlag, true>("Alpha Enabled"),
    groupList<lf::kBlChannel, kFlag, true>("Backlight Channel Change"),
    groupList<lf::kBlScanState, kFlag, true>("Backlight Scan State Change"),
    groupList<lf::kBlOther, kFlag, true>("Backlight Other Display"),
    groupList<lf::kBlKeypress, kFlag, true>("Backlight Keypress"),
    groupList<lf::kBlTimeout, lists::kBacklightTimeout, true>("Backlight Timeout"),
    FieldText{"Pass Word", FieldScope::Global, readPassword, storePasswordText},
    globalList<&GlobalParams::priRate, lists::kPriorityRate>("Priority Rate"),
    globalList<&GlobalParams::globalBat, lists::kGlobalBattSave>("Global Battery Saver"),
    globalList<&GlobalParams::bankScan, lists::kBankScan>("Bank Scan"),
    globalList<&GlobalParams::porchTime, lists::kFrontPorch>("Front Porch Time"),
    globalList<&GlobalParams::aniRate, lists::kAniRate>("Character Rate"),
    globalList<&GlobalParams::dtmfDev, lists::kDtmfDeviation>("Single Tone Deviation"),
};

}  // namespace

std::span<const FieldText> fieldTexts() {
    return kFields;
}

}  // namespace zav
