#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "editor_fixture.h"
#include "model/memory_map.h"

namespace zav::test {
namespace {

// Every control is found by its name and carries its caption or list.
TEST(GroupWindow, ControlsCarryTheirNamesCaptionsAndLists) {
    Editor e;
    QWidget* w = e.window.get();
    const std::pair<const char*, const char*> captions[] = {
        {"lblCurrentGroup", "Current Group:"}, {"lblGroupLabel", "Group Label"},
        {"lblANI", "ANI/ID Number:"},          {"lblScanHold", "Scan Hold Time:"},
        {"lblTOT", "Tx Time Out Timer:"},      {"lblPri1Chan", "Channel"},
        {"LabelBlTimeout", "Timeout"}};
    for (auto [name, text] : captions) {
        auto* l = w->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(l, nullptr) << name;
        EXPECT_EQ(l->text().toStdString(), text);
    }
    const std::pair<const char*, const char*> frames[] = {{"fraDualPri", "Priority"},
                                                          {"fraPriMode", "Mode"},
                                                          {"fraUCG", "Variable Code Guard"},
                                                          {"fraLockout", "Keyboard Lockouts"},
                                                          {"fraBCI", "Busy Channel Indicator"},
                                                          {"fraANI", "Resident ANI/DTMF"},
                                                          {"frmOffset", "Offset"},
                                                          {"fraBattSave", "Battery Saver"},
                                                          {"Backlight", "Alpha Display Backlight"}};
    for (auto [name, text] : frames) {
        auto* f = w->findChild<QGroupBox*>(QString::fromLatin1(name));
        ASSERT_NE(f, nullptr) << name;
        EXPECT_EQ(f->title().toStdString(), text);
    }
    const std::pair<const char*, const char*> checks[] = {
        {"chkPriKeyLock", "Priority Key Lockout"},
        {"chkENTCLRLock", "'ENT'/'CLR' Key Lockout"},
        {"chkAlphaEnabled", "Alpha Enabled"},
        {"chkBlChannel", "Channel Change"},
        {"chkBLScanState", "Scan State Change"},
        {"chkBlOther", "Other Display"},
        {"chkBlKeypress", "Keypress"}};
    for (auto [name, text] : checks) {
        auto* c = w->findChild<QCheckBox*>(QString::fromLatin1(name));
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(c->text().toStdString(), text);
    }
    const std::tuple<const char*, int, const char*, const char*> combos[] = {
        {"cboTOT", 16, "OFF", "225"},
        {"cboScan", 16, "0.0", "7.5"},
        {"cboPri1Chan", 14, "1", "14"},
        {"cboBCI", 4, "OFF", "Lockout"},
        {"cboANI", 4, "OFF", "DTMF w/ manual ANI"},
        {"cboBlTimeout", 8, "Always Off", "Always On"}};
    for (auto [name, count, first, last] : combos) {
        auto* c = w->findChild<QComboBox*>(QString::fromLatin1(name));
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(c->count(), count) << name;
        EXPECT_EQ(c->itemText(0).toStdString(), first);
        EXPECT_EQ(c->itemText(c->count() - 1).toStdString(), last);
    }
    for (const char* name : {"txtGroupLabel", "txtID", "txtOffset"})
        EXPECT_NE(w->findChild<QLineEdit*>(QString::fromLatin1(name)), nullptr) << name;
    for (const char* name : {"priModeA", "PriModeB", "PriModeC", "PriModeD"})
        EXPECT_NE(w->findChild<QRadioButton*>(QString::fromLatin1(name)), nullptr) << name;
    // Option arrays: index 1 is "On" for the variable code guard, "Off" for the saver.
    auto varCG = w->findChildren<QRadioButton*>(QStringLiteral("btnVarCG"));
    auto batt = w->findChildren<QRadioButton*>(QStringLiteral("btnBattSave"));
    ASSERT_EQ(varCG.size(), 2);
    ASSERT_EQ(batt.size(), 2);
    for (auto* b : varCG) EXPECT_EQ(b->text(), b->property("index").toInt() == 1 ? "On" : "Off");
    for (auto* b : batt) EXPECT_EQ(b->text(), b->property("index").toInt() == 0 ? "On" : "Off");
    EXPECT_FALSE(w->findChild<QGroupBox*>(QStringLiteral("frmOffset"))->isVisibleTo(w));
}

TEST(GroupWindow, StartsWithAllGroupsAndGroupOneShown) {
    Editor e;
    QComboBox* selector = e.window->controls().currentGroupCombo;
    ASSERT_EQ(selector->count(), 15);
    EXPECT_EQ(selector->currentText(), "1");
    EXPECT_EQ(e.window->shownGroup(), 0);
    EXPECT_EQ(e.window->controls().groupLabelEdit->text(), "GROUP 1 ");
    EXPECT_EQ(e.cell(0, 5), "CHAN 1  ");
    EXPECT_EQ(e.cell(13, 0), "14");
}

TEST(GroupWindow, SwitchingGroupsStoresEditsAndShowsTheNextGroup) {
    Editor e;
    const GroupControls& c = e.window->controls();
    c.totCombo->setCurrentIndex(3);
    c.idEdit->setText(QStringLiteral("12AB"));
    c.priKeyLockCheck->setChecked(true);
    c.battSaveButton[1]->setChecked(true);
    c.blTimeoutCombo->setCurrentIndex(7);
    e.typeInCell(2, kColRecFreq, "450.0125");

    e.selectGroup(2);
    EXPECT_EQ(e.window->shownGroup(), 1);
    EXPECT_EQ(c.groupLabelEdit->text(), "GROUP 2 ");
    EXPECT_EQ(c.totCombo->currentIndex(), 0);
    EXPECT_EQ(e.cell(2, kColRecFreq), "none");

    // Group 1's header and its channel reached the image.
    const int page = groupAddress(0);
    EXPECT_EQ(e.doc.mem[page + 2], 0x03);
    EXPECT_EQ(e.doc.mem[page + 3], 0x20);  // priority key locked out
    EXPECT_EQ(e.doc.mem[page + 6], 0x12);
    EXPECT_EQ(e.doc.mem[page + 7], 0xAB);
    EXPECT_EQ(e.doc.mem[page + 0] & 0x80, 0x80);  // battery saver off
    EXPECT_EQ(e.doc.labels[labelIndex(0, 15, 7)], 7 * 2);
    EXPECT_EQ(e.doc.group(0)->display(2)[kColRecFreq], "450.01250");

    e.selectGroup(1);
    EXPECT_EQ(c.totCombo->currentIndex(), 3);
    EXPECT_EQ(c.idEdit->text(), "00012AB");
    EXPECT_TRUE(c.battSaveButton[1]->isChecked());
    EXPECT_EQ(e.cell(2, kColRecFreq), "450.01250");
}

// Viewing a group and leaving it unchanged keeps every byte, even where the controls
// can only approximate them.
TEST(GroupWindow, LeavingAnUntouchedGroupKeepsItsBytes) {
    Editor e;
    const int page = groupAddress(0);
    e.doc.mem[page + 3] = 0x0F;  // priority channel nibble 15 shows as 14
    for (int k = 0; k < 8; ++k) e.doc.labels[labelIndex(0, 14, k)] = 0xFF;  // erased label
    e.window->displayGroupMemory();
    EXPECT_EQ(e.window->controls().groupLabelEdit->text(), " BLANK  ");
    const MemImage mem = e.doc.mem;
    const LabelImage labels = e.doc.labels;
    e.selectGroup(2);
    e.selectGroup(1);
    EXPECT_EQ(e.doc.mem, mem);
    EXPECT_EQ(e.doc.labels, labels);
}

TEST(GroupWindow, SelectorAfterAnImageWithOnlyGroupOne) {
    Editor e;
    e.window->controls().totCombo->setCurrentIndex(5);  // not stored into the new groups
    e.selectGroup(4);
    for (int i = 80; i <= 87; ++i) e.doc.mem[static_cast<std::size_t>(i)] = 0;
    setBits(e.doc.mem, 80, 0, 4, 8);  // group 1 only
    e.window->initGroups(0);
    QComboBox* selector = e.window->controls().currentGroupCombo;
    ASSERT_EQ(selector->count(), 1);
    EXPECT_EQ(selector->itemText(0), "1");
    EXPECT_EQ(e.window->shownGroup(), 0);
    EXPECT_EQ(e.model().rowCount(), 14);
    EXPECT_EQ(e.doc.mem[groupAddress(3) + 2], 0);
    EXPECT_EQ(e.doc.group(3), nullptr);
}

TEST(GroupWindow, AnImageWithoutGroupsShowsNoRows) {
    Editor e;
    for (int i = 80; i <= 87; ++i) e.doc.mem[static_cast<std::size_t>(i)] = 0;
    e.window->initGroups(0);
    EXPECT_EQ(e.window->controls().currentGroupCombo->count(), 0);
    EXPECT_EQ(e.window->shownGroup(), -1);
    EXPECT_EQ(e.model().rowCount(), 0);
}

TEST(GroupWindow, HelpScreenOneExplainsTheOffset) {
    Editor e;
    e.window->helpScreen(2);
    EXPECT_TRUE(e.prompts.messages.empty());
    e.window->helpScreen(1);
    ASSERT_EQ(e.prompts.messages.size(), 1u);
    EXPECT_EQ(e.prompts.messages[0].text, "Enter the frequency offset, eg: -2, 7");
    EXPECT_EQ(e.prompts.messages[0].shownTitle(), "ZAVPROG");
}

}  // namespace
}  // namespace zav::test
