#include "ui/group_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <utility>
#include <vector>

#include "model/field_entry.h"
#include "model/lists.h"

namespace zav {

namespace {

template <typename W>
W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLabel* label(QWidget* parent, const char* name, const char* text) {
    return named(new QLabel(QString::fromLatin1(text), parent), name);
}

QCheckBox* check(QWidget* parent, const char* name, const char* text) {
    return named(new QCheckBox(QString::fromLatin1(text), parent), name);
}

QGroupBox* frame(QWidget* parent, const char* name, const char* text) {
    return named(new QGroupBox(QString::fromLatin1(text), parent), name);
}

QComboBox* combo(QWidget* parent, const char* name, lists::Entries entries) {
    auto* c = named(new QComboBox(parent), name);
    for (std::string_view e : entries)
        c->addItem(QString::fromUtf8(e.data(), static_cast<qsizetype>(e.size())));
    return c;
}

QRadioButton* option(QWidget* parent, const char* name, const char* text, int index) {
    auto* b = named(new QRadioButton(QString::fromLatin1(text), parent), name);
    b->setProperty("index", index);  // the control-array index
    return b;
}

int checkedIndex(const auto& buttons) {
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked()) return static_cast<int>(i);
    return 0;
}

void setChecked(const auto& buttons, int index) {
    if (index >= 0 && static_cast<std::size_t>(index) < buttons.size())
        buttons[static_cast<std::size_t>(index)]->setChecked(true);
}

}  // namespace

GroupControls buildGroupControls(QWidget* parent) {
    GroupControls c;
    c.currentGroupLabel = label(parent, "lblCurrentGroup", "Current Group:");
    c.currentGroupCombo = named(new QComboBox(parent), "cboCurrentGroup");
    c.groupLabelLabel = label(parent, "lblGroupLabel", "Group Label");
    c.groupLabelEdit = named(new QLineEdit(parent), "txtGroupLabel");
    c.aniLabel = label(parent, "lblANI", "ANI/ID Number:");
    c.idEdit = named(new QLineEdit(parent), "txtID");
    // What the fields hold: 8 label positions, 7 hexadecimal ID digits. An entry is
    // checked whole as it ends (checkEntries), never cut or filtered while typed.
    c.groupLabelEdit->setToolTip(QStringLiteral("Up to %1 characters").arg(kLabelPositions));
    c.idEdit->setToolTip(QStringLiteral("Up to %1 hexadecimal digits (0-9, A-F)").arg(kIdDigits));
    c.scanHoldLabel = label(parent, "lblScanHold", "Scan Hold Time:");
    c.scanCombo = combo(parent, "cboScan", lists::kScanHold);
    c.totLabel = label(parent, "lblTOT", "Tx Time Out Timer:");
    c.totCombo = combo(parent, "cboTOT", lists::kTimeOutTimer);

    c.dualPriFrame = frame(parent, "fraDualPri", "Priority");
    c.priModeFrame = frame(c.dualPriFrame, "fraPriMode", "Mode");
    c.priMode = {
        option(c.priModeFrame, "priModeA", "A", 0), option(c.priModeFrame, "PriModeB", "B", 0),
        option(c.priModeFrame, "PriModeC", "C", 0), option(c.priModeFrame, "PriModeD", "D", 0)};
    c.pri1ChanLabel = label(c.dualPriFrame, "lblPri1Chan", "Channel");
    c.pri1ChanCombo = combo(c.dualPriFrame, "cboPri1Chan", lists::kPriorityChannel);

    c.codeGuardFrame = frame(parent, "fraUCG", "Variable Code Guard");
    c.varCgButton = {option(c.codeGuardFrame, "btnVarCG", "Off", 0),
                     option(c.codeGuardFrame, "btnVarCG", "On", 1)};

    c.lockoutFrame = frame(parent, "fraLockout", "Keyboard Lockouts");
    c.priKeyLockCheck = check(c.lockoutFrame, "chkPriKeyLock", "Priority Key Lockout");
    c.entClrLockCheck = check(c.lockoutFrame, "chkENTCLRLock", "'ENT'/'CLR' Key Lockout");

    c.bciFrame = frame(parent, "fraBCI", "Busy Channel Indicator");
    c.bciCombo = combo(c.bciFrame, "cboBCI", lists::kBusyChannel);
    c.aniFrame = frame(parent, "fraANI", "Resident ANI/DTMF");
    c.aniCombo = combo(c.aniFrame, "cboANI", lists::kResidentAni);

    c.battSaveFrame = frame(parent, "fraBattSave", "Battery Saver");
    c.battSaveButton = {option(c.battSaveFrame, "btnBattSave", "On", 0),
                        option(c.battSaveFrame, "btnBattSave", "Off", 1)};

    c.alphaEnabledCheck = check(parent, "chkAlphaEnabled", "Alpha Enabled");
    c.backlightFrame = frame(parent, "Backlight", "Alpha Display Backlight");
    c.blChannelCheck = check(c.backlightFrame, "chkBlChannel", "Channel Change");
    c.blScanStateCheck = check(c.backlightFrame, "chkBLScanState", "Scan State Change");
    c.blOtherCheck = check(c.backlightFrame, "chkBlOther", "Other Display");
    c.blKeypressCheck = check(c.backlightFrame, "chkBlKeypress", "Keypress");
    c.labelBlTimeout = label(c.backlightFrame, "LabelBlTimeout", "Timeout");
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
    c.groupLabelEdit->setAccessibleName(QStringLiteral("Group Label"));
    c.idEdit->setAccessibleName(QStringLiteral("ANI/ID Number"));
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

void showParams(const GroupControls& c, const GroupParams& p) {
    c.groupLabelEdit->setText(QString::fromStdString(p.groupLabel));
    c.totCombo->setCurrentIndex(p.tot);
    c.scanCombo->setCurrentIndex(p.scanHold);
    c.idEdit->setText(QString::fromStdString(p.id));
    setChecked(c.priMode, p.priorityMode);
    c.pri1ChanCombo->setCurrentIndex(p.priorityChannel);
    c.priKeyLockCheck->setChecked(p.priKeyLock);
    c.entClrLockCheck->setChecked(p.entClrLock);
    c.bciCombo->setCurrentIndex(p.bci);
    c.aniCombo->setCurrentIndex(p.ani);
    setChecked(c.varCgButton, p.varCG);
    setChecked(c.battSaveButton, p.battSave);
    c.blTimeoutCombo->setCurrentIndex(p.blTimeout);
    c.alphaEnabledCheck->setChecked(p.alphaEnabled);
    c.blKeypressCheck->setChecked(p.blKeypress);
    c.blOtherCheck->setChecked(p.blOther);
    c.blScanStateCheck->setChecked(p.blScanState);
    c.blChannelCheck->setChecked(p.blChannel);
}

GroupParams collectParams(const GroupControls& c) {
    GroupParams p;
    p.groupLabel = c.groupLabelEdit->text().toStdString();
    p.tot = c.totCombo->currentIndex();
    p.scanHold = c.scanCombo->currentIndex();
    p.id = c.idEdit->text().toStdString();
    p.priorityMode = checkedIndex(c.priMode);
    p.priorityChannel = c.pri1ChanCombo->currentIndex();
    p.priKeyLock = c.priKeyLockCheck->isChecked();
    p.entClrLock = c.entClrLockCheck->isChecked();
    p.bci = c.bciCombo->currentIndex();
    p.ani = c.aniCombo->currentIndex();
    p.varCG = checkedIndex(c.varCgButton);
    p.battSave = checkedIndex(c.battSaveButton);
    p.blTimeout = c.blTimeoutCombo->currentIndex();
    p.alphaEnabled = c.alphaEnabledCheck->isChecked();
    p.blKeypress = c.blKeypressCheck->isChecked();
    p.blOther = c.blOtherCheck->isChecked();
    p.blScanState = c.blScanStateCheck->isChecked();
    p.blChannel = c.blChannelCheck->isChecked();
    return p;
}

std::string checkEntries(const GroupControls& c, const GroupParams& shown) {
    std::string refused;
    const auto check = [&](QLineEdit* edit, const std::string& held, auto gate) {
        const std::string typed = edit->text().toStdString();
        if (typed == held) return;  // what the group shows stays as its bytes are
        const FieldEntry entry = gate(typed);
        if (!entry) refused += (refused.empty() ? "" : "; ") + entry.reason();
        const QString now = QString::fromStdString(entry ? entry.shown() : held);
        if (edit->text() != now) edit->setText(now);
    };
    check(c.groupLabelEdit, shown.groupLabel, labelEntry);
    check(c.idEdit, shown.id, idEntry);
    return refused;
}

void writeChangedParams(Group& group, const GroupParams& shown, const GroupParams& now) {
    // The same order as a whole-group write; each field only when it changed.
    if (now.groupLabel != shown.groupLabel) group.writeGroupLabel(now.groupLabel);
    if (now.tot != shown.tot || now.scanHold != shown.scanHold)
        group.writeTotScan(now.tot, now.scanHold);
    if (now.id != shown.id) group.writeIdNum(now.id);
    if (now.priorityMode != shown.priorityMode || now.priorityChannel != shown.priorityChannel)
        group.writePriority({now.priorityMode, now.priorityChannel});
    if (now.priKeyLock != shown.priKeyLock || now.entClrLock != shown.entClrLock)
        group.writeKeyboardLockouts({now.priKeyLock, now.entClrLock});
    if (now.bci != shown.bci) group.writeBusyChannelIndicate(now.bci);
    if (now.ani != shown.ani) group.writeAniDtmf(now.ani);
    if (now.varCG != shown.varCG) group.writeVariableCg(now.varCG);
    if (now.battSave != shown.battSave) group.writeBattSave(now.battSave);
    const bool backlightChanged =
        now.blTimeout != shown.blTimeout || now.alphaEnabled != shown.alphaEnabled ||
        now.blKeypress != shown.blKeypress || now.blOther != shown.blOther ||
        now.blScanState != shown.blScanState || now.blChannel != shown.blChannel;
    if (backlightChanged) {
        group.writeGroupBacklight({now.blTimeout, now.alphaEnabled, now.blKeypress, now.blOther,
                                   now.blScanState, now.blChannel});
    }
}

}  // namespace zav
