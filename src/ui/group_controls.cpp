#include "ui/group_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <utility>
#include <vector>

#include "model/lists.h"
#include "ui/ui_text.h"

namespace zav {

namespace {

template <typename W>
W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel* label(QWidget* parent, const char* name, const char* text) {
    return named(new QLabel(uiText(text), parent), name);
}

QCheckBox* check(QWidget* parent, const char* name, const char* text) {
    return named(new QCheckBox(uiText(text), parent), name);
}

QGroupBox* frame(QWidget* parent, const char* name, const char* text) {
    return named(new QGroupBox(uiText(text), parent), name);
}

QComboBox* combo(QWidget* parent, const char* name, lists::Entries entries) {
    auto* c = named(new QComboBox(parent), name);
    for (std::string_view e : entries)
        c->addItem(QCoreApplication::translate("Lists", std::string(e).c_str()));
    return c;
}

QRadioButton* option(QWidget* parent, const char* name, const char* text, int index) {
    auto* b = named(new QRadioButton(uiText(text), parent), name);
    b->setProperty("index", index);  // the control-array index
    return b;
}

}  // namespace

GroupControls buildGroupControls(QWidget* parent) {
    GroupControls c;
    c.currentGroupLabel = label(parent, "lblCurrentGroup", QT_TR_NOOP("Current Group:"));
    c.currentGroupCombo = named(new QComboBox(parent), "cboCurrentGroup");
    c.groupLabelLabel = label(parent, "lblGroupLabel", QT_TR_NOOP("Group Label"));
    c.groupLabelEdit = named(new QLineEdit(parent), "txtGroupLabel");
    c.aniLabel = label(parent, "lblANI", QT_TR_NOOP("ANI/ID Number:"));
    c.idEdit = named(new QLineEdit(parent), "txtID");
    // What the fields hold: 8 label positions, 7 hexadecimal ID digits. An entry is
    // checked whole as it ends (commitParam), never cut or filtered while typed.
    c.groupLabelEdit->setToolTip(uiText("Up to %1 characters").arg(kLabelPositions));
    c.idEdit->setToolTip(uiText("Up to %1 hexadecimal digits (0-9, A-F)").arg(kIdDigits));
    c.scanHoldLabel = label(parent, "lblScanHold", QT_TR_NOOP("Scan Hold Time:"));
    c.scanCombo = combo(parent, "cboScan", lists::kScanHold);
    c.totLabel = label(parent, "lblTOT", QT_TR_NOOP("Tx Time Out Timer:"));
    c.totCombo = combo(parent, "cboTOT", lists::kTimeOutTimer);

    c.dualPriFrame = frame(parent, "fraDualPri", QT_TR_NOOP("Priority"));
    c.priModeFrame = frame(c.dualPriFrame, "fraPriMode", QT_TR_NOOP("Mode"));
    c.priMode = {
        option(c.priModeFrame, "priModeA", "A", 0), option(c.priModeFrame, "PriModeB", "B", 0),
        option(c.priModeFrame, "PriModeC", "C", 0), option(c.priModeFrame, "PriModeD", "D", 0)};
    c.pri1ChanLabel = label(c.dualPriFrame, "lblPri1Chan", QT_TR_NOOP("Channel"));
    c.pri1ChanCombo = combo(c.dualPriFrame, "cboPri1Chan", lists::kPriorityChannel);

    c.codeGuardFrame = frame(parent, "fraUCG", QT_TR_NOOP("Variable Code Guard"));
    c.varCgButton = {option(c.codeGuardFrame, "btnVarCG", QT_TR_NOOP("Off"), 0),
                     option(c.codeGuardFrame, "btnVarCG", QT_TR_NOOP("On"), 1)};

    c.lockoutFrame = frame(parent, "fraLockout", QT_TR_NOOP("Keyboard Lockouts"));
    c.priKeyLockCheck = check(c.lockoutFrame, "chkPriKeyLock", QT_TR_NOOP("Priority Key Lockout"));
    c.entClrLockCheck =
        check(c.lockoutFrame, "chkENTCLRLock", QT_TR_NOOP("'ENT'/'CLR' Key Lockout"));

    c.bciFrame = frame(parent, "fraBCI", QT_TR_NOOP("Busy Channel Indicator"));
    c.bciCombo = combo(c.bciFrame, "cboBCI", lists::kBusyChannel);
    c.aniFrame = frame(parent, "fraANI", QT_TR_NOOP("Resident ANI/DTMF"));
    c.aniCombo = combo(c.aniFrame, "cboANI", lists::kResidentAni);

    c.battSaveFrame = frame(parent, "fraBattSave", QT_TR_NOOP("Battery Saver"));
    c.battSaveButton = {option(c.battSaveFrame, "btnBattSave", QT_TR_NOOP("On"), 0),
                        option(c.battSaveFrame, "btnBattSave", QT_TR_NOOP("Off"), 1)};

    c.alphaEnabledCheck = check(parent, "chkAlphaEnabled", QT_TR_NOOP("Alpha Enabled"));
    c.backlightFrame = frame(parent, "Backlight", QT_TR_NOOP("Alpha Display Backlight"));
    c.blChannelCheck = check(c.backlightFrame, "chkBlChannel", QT_TR_NOOP("Channel Change"));
    c.blScanStateCheck = check(c.backlightFrame, "chkBLScanState", QT_TR_NOOP("Scan State Change"));
    c.blOtherCheck = check(c.backlightFrame, "chkBlOther", QT_TR_NOOP("Other Display"));
    c.blKeypressCheck = check(c.backlightFrame, "chkBlKeypress", QT_TR_NOOP("Keypress"));
    c.labelBlTimeout = label(c.backlightFrame, "LabelBlTimeout", QT_TR_NOOP("Timeout"));
    c.blTimeoutCombo = combo(c.backlightFrame, "cboBlTimeout", lists::kBacklightTimeout);

    // Each caption names its field for a screen reader (and a combo box on Linux is
    // otherwise read by its value alone: "1", "0.0", "OFF").
    const std::pair<QLabel*, QWidget*> captions[] = {{c.currentGroupLabel, c.currentGroupCombo},
                                                     {c.groupLabelLabel, c.groupLabelEdit},
                                                     {c.aniLabel, c.idEdit},
                                                     {c.scanHoldLabel, c.scanCombo},
                                                     {c.totLabel, c.totCombo},
                                                     {c.pri1ChanLabel, c.pri1ChanCombo},
                                                     {c.labelBlTimeout, c.blTimeoutCombo}};
    for (const auto& [caption, field] : captions) caption->setBuddy(field);
    c.groupLabelEdit->setAccessibleName(uiText("Group Label"));
    c.idEdit->setAccessibleName(uiText("ANI/ID Number"));
    return c;
}

void chainTabOrder(const GroupControls& c, QWidget* grid) {
    const std::vector<QWidget*> order{c.currentGroupCombo, grid,
                                      c.groupLabelEdit,    c.idEdit,
                                      c.scanCombo,         c.totCombo,
                                      c.pri1ChanCombo,     c.priMode[0],
                                      c.priMode[1],        c.priMode[2],
                                      c.priMode[3],        c.varCgButton[0],
                                      c.varCgButton[1],    c.priKeyLockCheck,
                                      c.entClrLockCheck,   c.bciCombo,
                                      c.aniCombo,          c.battSaveButton[0],
                                      c.battSaveButton[1], c.alphaEnabledCheck,
                                      c.blChannelCheck,    c.blOtherCheck,
                                      c.blScanStateCheck,  c.blKeypressCheck,
                                      c.blTimeoutCombo};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}

}  // namespace zav
