#pragma once
// One channel group (bank): its 14 channels, its header parameters and its label-memory
// bytes (group label and Backlight). The Read_ methods decode into plain values (list
// indices, texts, flags) and the Write_ methods encode such values, so a window only moves
// values between its controls and the group.
//
// Values that do not fit their field (a list index outside its list, a mode outside 0..3)
// are refused with std::overflow_error before anything is written. A channel index
// outside 0..13 throws std::out_of_range.

#include <array>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <variant>

#include "model/channel.h"
#include "model/memory_fields.h"
#include "model/memory_image.h"

namespace zav {

// Priority mode as the option buttons show it: 0 = A, 1 = B, 2 = C, 3 = D. The radio
// stores a different code order (0 = A, 1 = D, 2 = B, 3 = C); the conversion is internal.
enum PriorityModeButton : int { kModeA = 0, kModeB = 1, kModeC = 2, kModeD = 3 };

struct Priority {
    int mode = kModeA;  // PriorityModeButton
    int channel{};      // priority channel list index 0..13; -1 (no selection) stores 15
};

struct KeyboardLockouts {
    bool priKeyLock{};  // priority key locked out
    bool entClrLock{};  // 'ENT' and 'CLR' keys locked out
};

struct Backlight {
    int timeout{};  // lists::kBacklightTimeout index 0..7
    bool alphaEnabled{};
    bool keypress{};
    bool other{};
    bool scanState{};
    bool channel{};
};

// The ANI/ID number's length in hexadecimal digits.
inline constexpr int kIdDigits = 7;

// Every group parameter the main window shows; group_fields.h lists how each is stored.
struct GroupParams {
    std::string groupLabel;
    int tot{};                  // lists::kTimeOutTimer index
    int scanHold{};             // lists::kScanHold index
    std::string id;             // ANI/ID number, 7 hexadecimal digits
    int priorityMode = kModeA;  // PriorityModeButton: 0=A, 1=B, 2=C, 3=D as shown
    int priorityChannel{};      // lists::kPriorityChannel index, -1 = none (stores 15)
    bool priKeyLock{};
    bool entClrLock{};
    int bci{};        // lists::kBusyChannel index
    int ani{};        // lists::kResidentAni index
    int varCG{};      // button index: 0 "Off", 1 "On"
    int battSave{};   // button index: 0 "On", 1 "Off"
    int blTimeout{};  // lists::kBacklightTimeout index
    bool alphaEnabled{};
    bool blKeypress{};
    bool blOther{};
    bool blScanState{};
    bool blChannel{};

    friend bool operator==(const GroupParams&, const GroupParams&) = default;
};

// One group parameter's value, as GroupParams holds it.
using ParamValue = std::variant<std::string, int, bool>;

struct GroupField;

class Group {
  public:
    // Throws std::out_of_range for a group outside 0..14.
    Group(MemImage& mem, LabelImage& labels, int group);

    int groupIndex() const { return group_; }
    Channel& channel(int c);
    const Channel& channel(int c) const;

    // Channel requests of the grid.
    RowData display(int nChan) const;
    void update(int chn, int field, std::string_view txt);
    std::string copyChan(int nChan) const;
    void pasteRecord(std::string& s, int nRow);

    // Zeroes the group page and writes the labels "GROUP n" and "CHAN n"; the backlight
    // byte is kept.
    void resetToDefaults();

    // Every parameter at once, each as the field list (group_fields.h) reads it.
    GroupParams read() const;
    // Every parameter, in the field list's order. A value that does not fit its field is
    // refused before anything is stored.
    void write(const GroupParams& p);
    // One parameter of the field list; writing stores only that parameter's bits.
    ParamValue readParam(const GroupField& f) const;
    void writeParam(const GroupField& f, const ParamValue& v);
    // Time-out timer and scan hold list indices.
    std::pair<int, int> readTotScan() const;
    // " BLANK  " when the label shows nothing.
    std::string readGroupLabel() const;
    Backlight readGroupBacklight() const;
    // Seven upper-case hexadecimal digits.
    std::string readIdNum() const;
    // Priority channel nibbles above 13 read as 13.
    Priority readPriority() const;
    KeyboardLockouts readKeyboardLockouts() const;
    int readBusyChannelIndicate() const;
    int readAniDtmf() const;
    int readVariableCg() const;
    int readBattSave() const;

    void writeTotScan(int tot, int scanHold);
    // Padded on the left with "0" to 7 digits; characters after the seventh are ignored;
    // non-hexadecimal characters count as 0.
    void writeIdNum(std::string_view id);
    void writeGroupLabel(std::string_view text);
    void writeGroupBacklight(const Backlight& b);
    void writePriority(const Priority& p);
    void writeKeyboardLockouts(const KeyboardLockouts& k);
    void writeBusyChannelIndicate(int bci);
    void writeAniDtmf(int ani);
    // Bit = 1 for button index 1, else 0.
    void writeVariableCg(int button);
    void writeBattSave(int button);

  private:
    void writeParams(std::initializer_list<std::pair<const GroupField*, ParamValue>> values);
    int header(BitField field) const;
    Byte& labelByte(int slot, int position);
    Byte labelByte(int slot, int position) const;

    MemImage& mem_;
    LabelImage& labels_;
    int group_;
    int page_;
    std::array<std::unique_ptr<Channel>, kChannelsPerGroup> channels_;
};

}  // namespace zav
