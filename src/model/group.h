#pragma once
// One channel group (bank): its 14 channels, its header parameters and its label-memory
// bytes (group label and backlight). The Read_ methods decode into plain values (list
// indices, texts, flags) and the Write_ methods encode such values, so a window only moves
// values between its controls and the group.
//
// Values that do not fit their field (a list index outside its list, a mode outside 0..3)
// are refused with std::overflow_error before anything is written. A channel index
// outside 0..13 throws std::out_of_range.

#include <array>
#include <memory>
#include <string>
#include <utility>

#include "model/channel.h"
#include "model/memory_fields.h"
#include "model/memory_image.h"

namespace zav {

// Priority mode as the option buttons show it: 0 = A, 1 = B, 2 = C, 3 = D. The radio
// stores a different code order (0 = A, 1 = D, 2 = B, 3 = C); the conversion is internal.
enum PriorityModeButton : int { kModeA = 0, kModeB = 1, kModeC = 2, kModeD = 3 };

struct Priority {
    int mode = kModeA;  // PriorityModeButton
    int channel = 0;    // priority channel list index 0..13; -1 (no selection) stores 15
};

struct KeyboardLockouts {
    bool priKeyLock = false;  // priority key locked out
    bool entClrLock = false;  // 'ENT' and 'CLR' keys locked out
};

struct Backlight {
    int timeout = 0;  // lists::kBacklightTimeout index 0..7
    bool alphaEnabled = false;
    bool keypress = false;
    bool other = false;
    bool scanState = false;
    bool channel = false;
};

// Every group parameter the main window shows.
struct GroupParams {
    std::string groupLabel;
    int tot = 0;                // lists::kTimeOutTimer index
    int scanHold = 0;           // lists::kScanHold index
    std::string id;             // ANI/ID number, 7 hexadecimal digits
    int priorityMode = kModeA;  // PriorityModeButton: 0=A, 1=B, 2=C, 3=D as shown
    int priorityChannel = 0;    // lists::kPriorityChannel index, -1 = none (stores 15)
    bool priKeyLock = false;
    bool entClrLock = false;
    int bci = 0;        // lists::kBusyChannel index
    int ani = 0;        // lists::kResidentAni index
    int varCG = 0;      // button index: 0 "Off", 1 "On"
    int battSave = 0;   // button index: 0 "On", 1 "Off"
    int blTimeout = 0;  // lists::kBacklightTimeout index
    bool alphaEnabled = false;
    bool blKeypress = false;
    bool blOther = false;
    bool blScanState = false;
    bool blChannel = false;
};

class clsGroup {
  public:
    // Throws std::out_of_range for a group outside 0..14.
    clsGroup(MemImage& mem, LabelImage& labels, int group);

    int GroupIndex() const { return group_; }
    int PageAddress() const { return page_; }
    clsChannel& channel(int c);
    const clsChannel& channel(int c) const;

    // Channel requests of the grid.
    RowData Display(int nChan) const;
    void Update(int chn, int field, std::string_view txt);
    std::string CopyChan(int nChan) const;
    void PasteRecord(std::string& s, int nRow);

    // Zeroes the group page and writes the labels "GROUP n" and "CHAN n"; the backlight
    // byte is kept.
    void Default();

    // Every parameter at once.
    GroupParams Read() const;
    // Time-out timer and scan hold list indices.
    std::pair<int, int> Read_TOT_Scan() const;
    // " BLANK  " when the label shows nothing.
    std::string Read_Group_Label() const;
    Backlight Read_Group_Backlight() const;
    // Seven upper-case hexadecimal digits.
    std::string Read_ID_Num() const;
    // Priority channel nibbles above 13 read as 13.
    Priority Read_Priority() const;
    KeyboardLockouts Read_Keyboard_Lockouts() const;
    int Read_Busy_Channel_Indicate() const;
    int Read_ANI_DTMF() const;
    int Read_VariableCG() const;
    int Read_BattSave() const;

    // Stores every parameter, then (when given) the grid's current row into the channel
    // whose number (1..14) stands in column 0. All values are checked before any is stored.
    void Write_Group(const GroupParams& p, const RowData* currentRow = nullptr);
    void Write_TOT_Scan(int tot, int scanHold);
    // Padded on the left with "0" to 7 digits; characters after the seventh are ignored;
    // non-hexadecimal characters count as 0.
    void Write_ID_Num(std::string_view id);
    void Write_Group_Label(std::string_view text);
    void Write_Group_Backlight(const Backlight& b);
    void Write_Priority(const Priority& p);
    void Write_Keyboard_Lockouts(const KeyboardLockouts& k);
    void Write_Busy_Channel_Indicate(int bci);
    void Write_ANI_DTMF(int ani);
    // Bit = 1 for button index 1, else 0.
    void Write_VariableCG(int button);
    void Write_BattSave(int button);

    // Printout lines.
    std::string Print_Priority() const;
    std::string Print_BCI_ANI() const;
    std::string Print_TOT_Scan() const;
    std::string Print_VariableCG() const;
    std::string Print_Keyboard_Lockouts() const;
    std::string Print_BattSave() const;

  private:
    int header(BitField field) const;
    Byte& labelByte(int slot, int position);
    Byte labelByte(int slot, int position) const;

    MemImage& mem_;
    LabelImage& labels_;
    int group_;
    int page_;
    std::array<std::unique_ptr<clsChannel>, kChannelsPerGroup> channels_;
};

}  // namespace zav
