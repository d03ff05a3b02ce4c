#include "ui/group_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

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
    c.lblCurrentGroup = label(parent, "lblCurrentGroup", "Current Group:");
    c.cboCurrentGroup = named(new QComboBox(parent), "cboCurrentGroup");
    c.lblGroupLabel = label(parent, "lblGroupLabel", "Group Label");
    c.txtGroupLabel = named(new QLineEdit(parent), "txtGroupLabel");
    c.lblANI = label(parent, "lblANI", "ANI/ID Number:");
    c.txtID = named(new QLineEdit(parent), "txtID");
    c.lblScanHold = label(parent, "lblScanHold", "Scan Hold Time:");
    c.cboScan = combo(parent, "cboScan", lists::kScanHold);
    c.lblTOT = label(parent, "lblTOT", "Tx Time Out Timer:");
    c.cboTOT = combo(parent, "cboTOT", lists::kTimeOutTimer);

    c.fraDualPri = frame(parent, "fraDualPri", "Priority");
    c.fraPriMode = frame(c.fraDualPri, "fraPriMode", "Mode");
    c.priMode = {option(c.fraPriMode, "priModeA", "A", 0), option(c.fraPriMode, "PriModeB", "B", 0),
                 option(c.fraPriMode, "PriModeC", "C", 0),
                 option(c.fraPriMode, "PriModeD", "D", 0)};
    c.lblPri1Chan = label(c.fraDualPri, "lblPri1Chan", "Channel");
    c.cboPri1Chan = combo(c.fraDualPri, "cboPri1Chan", lists::kPriorityChannel);

    c.fraUCG = frame(parent, "fraUCG", "Variable Code Guard");
    c.btnVarCG = {option(c.fraUCG, "btnVarCG", "Off", 0), option(c.fraUCG, "btnVarCG", "On", 1)};

    c.fraLockout = frame(parent, "fraLockout", "Keyboard Lockouts");
    c.chkPriKeyLock = check(c.fraLockout, "chkPriKeyLock", "Priority Key Lockout");
    c.chkENTCLRLock = check(c.fraLockout, "chkENTCLRLock", "'ENT'/'CLR' Key Lockout");

    c.fraBCI = frame(parent, "fraBCI", "Busy Channel Indicator");
    c.cboBCI = combo(c.fraBCI, "cboBCI", lists::kBusyChannel);
    c.fraANI = frame(parent, "fraANI", "Resident ANI/DTMF");
    c.cboANI = combo(c.fraANI, "cboANI", lists::kResidentAni);

    c.fraBattSave = frame(parent, "fraBattSave", "Battery Saver");
    c.btnBattSave = {option(c.fraBattSave, "btnBattSave", "On", 0),
                     option(c.fraBattSave, "btnBattSave", "Off", 1)};

    c.chkAlphaEnabled = check(parent, "chkAlphaEnabled", "Alpha Enabled");
    c.Backlight = frame(parent, "Backlight", "Alpha Display Backlight");
    c.chkBlChannel = check(c.Backlight, "chkBlChannel", "Channel Change");
    c.chkBLScanState = check(c.Backlight, "chkBLScanState", "Scan State Change");
    c.chkBlOther = check(c.Backlight, "chkBlOther", "Other Display");
    c.chkBlKeypress = check(c.Backlight, "chkBlKeypress", "Keypress");
    c.LabelBlTimeout = label(c.Backlight, "LabelBlTimeout", "Timeout");
    c.cboBlTimeout = combo(c.Backlight, "cboBlTimeout", lists::kBacklightTimeout);
    return c;
}

void showParams(const GroupControls& c, const GroupParams& p) {
    c.txtGroupLabel->setText(QString::fromStdString(p.groupLabel));
    c.cboTOT->setCurrentIndex(p.tot);
    c.cboScan->setCurrentIndex(p.scanHold);
    c.txtID->setText(QString::fromStdString(p.id));
    setChecked(c.priMode, p.priorityMode);
    c.cboPri1Chan->setCurrentIndex(p.priorityChannel);
    c.chkPriKeyLock->setChecked(p.priKeyLock);
    c.chkENTCLRLock->setChecked(p.entClrLock);
    c.cboBCI->setCurrentIndex(p.bci);
    c.cboANI->setCurrentIndex(p.ani);
    setChecked(c.btnVarCG, p.varCG);
    setChecked(c.btnBattSave, p.battSave);
    c.cboBlTimeout->setCurrentIndex(p.blTimeout);
    c.chkAlphaEnabled->setChecked(p.alphaEnabled);
    c.chkBlKeypress->setChecked(p.blKeypress);
    c.chkBlOther->setChecked(p.blOther);
    c.chkBLScanState->setChecked(p.blScanState);
    c.chkBlChannel->setChecked(p.blChannel);
}

GroupParams collectParams(const GroupControls& c) {
    GroupParams p;
    p.groupLabel = c.txtGroupLabel->text().toStdString();
    p.tot = c.cboTOT->currentIndex();
    p.scanHold = c.cboScan->currentIndex();
    p.id = c.txtID->text().toStdString();
    p.priorityMode = checkedIndex(c.priMode);
    p.priorityChannel = c.cboPri1Chan->currentIndex();
    p.priKeyLock = c.chkPriKeyLock->isChecked();
    p.entClrLock = c.chkENTCLRLock->isChecked();
    p.bci = c.cboBCI->currentIndex();
    p.ani = c.cboANI->currentIndex();
    p.varCG = checkedIndex(c.btnVarCG);
    p.battSave = checkedIndex(c.btnBattSave);
    p.blTimeout = c.cboBlTimeout->currentIndex();
    p.alphaEnabled = c.chkAlphaEnabled->isChecked();
    p.blKeypress = c.chkBlKeypress->isChecked();
    p.blOther = c.chkBlOther->isChecked();
    p.blScanState = c.chkBLScanState->isChecked();
    p.blChannel = c.chkBlChannel->isChecked();
    return p;
}

void writeChangedParams(clsGroup& group, const GroupParams& shown, const GroupParams& now) {
    // The same order as a whole-group write; each field only when it changed.
    if (now.groupLabel != shown.groupLabel) group.Write_Group_Label(now.groupLabel);
    if (now.tot != shown.tot || now.scanHold != shown.scanHold)
        group.Write_TOT_Scan(now.tot, now.scanHold);
    if (now.id != shown.id) group.Write_ID_Num(now.id);
    if (now.priorityMode != shown.priorityMode || now.priorityChannel != shown.priorityChannel)
        group.Write_Priority({now.priorityMode, now.priorityChannel});
    if (now.priKeyLock != shown.priKeyLock || now.entClrLock != shown.entClrLock)
        group.Write_Keyboard_Lockouts({now.priKeyLock, now.entClrLock});
    if (now.bci != shown.bci) group.Write_Busy_Channel_Indicate(now.bci);
    if (now.ani != shown.ani) group.Write_ANI_DTMF(now.ani);
    if (now.varCG != shown.varCG) group.Write_VariableCG(now.varCG);
    if (now.battSave != shown.battSave) group.Write_BattSave(now.battSave);
    const bool backlightChanged =
        now.blTimeout != shown.blTimeout || now.alphaEnabled != shown.alphaEnabled ||
        now.blKeypress != shown.blKeypress || now.blOther != shown.blOther ||
        now.blScanState != shown.blScanState || now.blChannel != shown.blChannel;
    if (backlightChanged) {
        group.Write_Group_Backlight({now.blTimeout, now.alphaEnabled, now.blKeypress, now.blOther,
                                     now.blScanState, now.blChannel});
    }
}

}  // namespace zav
