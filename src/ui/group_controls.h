#pragma once
// The group-parameter controls of the main window, built once; group_binding.h moves
// the values between them and the group record.

#include <array>
#include <string>

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
    QLabel* currentGroupLabel = nullptr;
    QComboBox* currentGroupCombo = nullptr;
    QLabel* groupLabelLabel = nullptr;
    QLineEdit* groupLabelEdit = nullptr;
    QLabel* aniLabel = nullptr;
    QLineEdit* idEdit = nullptr;
    QLabel* scanHoldLabel = nullptr;
    QComboBox* scanCombo = nullptr;
    QLabel* totLabel = nullptr;
    QComboBox* totCombo = nullptr;

    QGroupBox* dualPriFrame = nullptr;
    QGroupBox* priModeFrame = nullptr;
    std::array<QRadioButton*, 4> priMode{};  // A, B, C, D as shown
    QLabel* pri1ChanLabel = nullptr;
    QComboBox* pri1ChanCombo = nullptr;

    QGroupBox* codeGuardFrame = nullptr;
    std::array<QRadioButton*, 2> varCgButton{};  // index 0 "Off", 1 "On"

    QGroupBox* lockoutFrame = nullptr;
    QCheckBox* priKeyLockCheck = nullptr;
    QCheckBox* entClrLockCheck = nullptr;

    QGroupBox* bciFrame = nullptr;
    QComboBox* bciCombo = nullptr;
    QGroupBox* aniFrame = nullptr;
    QComboBox* aniCombo = nullptr;

    QGroupBox* battSaveFrame = nullptr;
    std::array<QRadioButton*, 2> battSaveButton{};  // index 0 "On", 1 "Off"

    QCheckBox* alphaEnabledCheck = nullptr;
    QGroupBox* backlightFrame = nullptr;
    QCheckBox* blChannelCheck = nullptr;
    QCheckBox* blScanStateCheck = nullptr;
    QCheckBox* blOtherCheck = nullptr;
    QCheckBox* blKeypressCheck = nullptr;
    QLabel* labelBlTimeout = nullptr;
    QComboBox* blTimeoutCombo = nullptr;
};

// Creates every control as a child of `parent` (frames hold their own controls), each
// named as the window's code and tests know it, with its caption and list entries.
GroupControls buildGroupControls(QWidget* parent);

// Tab follows the eye: the selector, the grid, the header fields, the right-hand frames
// from top to bottom (Priority Channel before Mode), then the backlight.
void chainTabOrder(const GroupControls& c, QWidget* grid);

}  // namespace zav
