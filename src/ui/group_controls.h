#pragma once
// The group-parameter controls of the main window: built once, filled from a group's
// values and read back into them. Only the values pass through here; the group record
// does all encoding.

#include <array>

#include "model/group.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace zav {

struct GroupControls {
    QLabel* lblCurrentGroup = nullptr;
    QComboBox* cboCurrentGroup = nullptr;
    QLabel* lblGroupLabel = nullptr;
    QLineEdit* txtGroupLabel = nullptr;
    QLabel* lblANI = nullptr;
    QLineEdit* txtID = nullptr;
    QLabel* lblScanHold = nullptr;
    QComboBox* cboScan = nullptr;
    QLabel* lblTOT = nullptr;
    QComboBox* cboTOT = nullptr;

    QGroupBox* fraDualPri = nullptr;
    QGroupBox* fraPriMode = nullptr;
    std::array<QRadioButton*, 4> priMode{};  // A, B, C, D as shown
    QLabel* lblPri1Chan = nullptr;
    QComboBox* cboPri1Chan = nullptr;

    QGroupBox* fraUCG = nullptr;
    std::array<QRadioButton*, 2> btnVarCG{};  // index 0 "Off", 1 "On"

    QGroupBox* fraLockout = nullptr;
    QCheckBox* chkPriKeyLock = nullptr;
    QCheckBox* chkENTCLRLock = nullptr;

    QGroupBox* fraBCI = nullptr;
    QComboBox* cboBCI = nullptr;
    QGroupBox* fraANI = nullptr;
    QComboBox* cboANI = nullptr;

    QGroupBox* fraBattSave = nullptr;
    std::array<QRadioButton*, 2> btnBattSave{};  // index 0 "On", 1 "Off"

    QCheckBox* chkAlphaEnabled = nullptr;
    QGroupBox* Backlight = nullptr;
    QCheckBox* chkBlChannel = nullptr;
    QCheckBox* chkBLScanState = nullptr;
    QCheckBox* chkBlOther = nullptr;
    QCheckBox* chkBlKeypress = nullptr;
    QLabel* LabelBlTimeout = nullptr;
    QComboBox* cboBlTimeout = nullptr;
};

// Creates every control as a child of `parent` (frames hold their own controls), each
// named as the window's code and tests know it, with its caption and list entries.
GroupControls buildGroupControls(QWidget* parent);

void showParams(const GroupControls& c, const GroupParams& p);
GroupParams collectParams(const GroupControls& c);

// Stores the parameters that differ from those shown when the group was read. Fields
// the user left alone keep their bytes exactly, even where the shown value is only an
// approximation of them (an erased label, a priority channel nibble above 13).
void writeChangedParams(clsGroup& group, const GroupParams& shown, const GroupParams& now);

}  // namespace zav
