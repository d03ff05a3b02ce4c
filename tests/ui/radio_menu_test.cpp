// The Radio menu's commands against the simulated radio on the virtual clock: the message
// the user sees, what reaches the image, the radio and the window, and that a failed,
// refused or cancelled transfer leaves everything as it was.

#include <gtest/gtest.h>

#include <QPushButton>

#include "files/settings.h"
#include "link/port_devices.h"
#include "model/memory_map.h"
#include "support/editor.h"
#include "ui/progress_window.h"

namespace zav::test {
namespace {

using Texts = std::vector<std::string>;
using Command = QAction* MainMenus::*;
using M = MainMenus;
using Setup = std::function<void(Editor&)>;
constexpr const char* kConfirm = "Are you sure you want to write to the radio?";
constexpr const char* kAsk = "Read Labels from Radio";
constexpr const char* kAllRead = "All groups read OK.";
constexpr const char* kLabelsRead = "All labels read OK.";

void useLabels(const Editor& e, int setting) {
    e.window->menus().labelChoiceActions[static_cast<std::size_t>(setting)]->trigger();
}

// An image the radio does not hold, with the default page map so that every group exists,
// and a group label typed into the window.
void fillEditorImage(Editor& e) {
    for (std::size_t i = 0; i < e.mem().size(); ++i) e.mem()[i] = static_cast<Byte>(i * 13 + 5);
    initGlobalPage(e.mem());
    for (std::size_t i = 0; i < e.labels().size(); ++i) e.labels()[i] = static_cast<Byte>(i % 40);
    e.window->initGroups(0);
    e.window->controls().groupLabelEdit->setText(QStringLiteral("EDITED"));
    e.window->commitShownGroup();
}

// `base` with the labels of groups.first to before groups.second taken from `from`.
LabelImage withLabels(LabelImage base, const LabelImage& from, std::pair<int, int> groups) {
    for (int g = groups.first; g < groups.second; ++g)
        for (int s = 0; s < kLabelSlots; ++s)
            for (int k = 0; k < kLabelPositions; ++k)
                base[labelIndex(g, s, k)] = from[labelIndex(g, s, k)];
    return base;
}

void cancelOnce(Editor& e) {
    e.port.setOnYield([&e, pressed = false]() mutable {
        if (e.window->progress().cancelButton()->isEnabled() && !std::exchange(pressed, true))
            e.window->progress().cancelClicked();
    });
}
template <std::optional<int> sim::SimFaults::*fault, int at>
void breakAt(Editor& e) {
    e.radio.config().faults.*fault = at;
    e.radio.config().faults.labelMisses = 4;
}

struct MenuCase {
    std::string name;
    Command item;
    int labelSetting;
    std::vector<Answer> answers;
    Setup setup;
    Texts messages;
    bool writes = false;
    int first = 0, count = 0;      // the image bytes read or written
    std::pair<int, int> labels{};  // the groups [first, second) whose labels travelled
};

void PrintTo(const MenuCase& c, std::ostream* os) {
    *os << c.name;
}

class RadioMenu : public ::testing::TestWithParam<MenuCase> {};

TEST_P(RadioMenu, ShowsTheOutcomeAndMovesOnlyWhatTheCommandCovers) {
    const MenuCase& c = GetParam();
    Editor e({.failingDevices = {{"/dev/ttyUSB7", "Permission denied"}}});
    useLabels(e, c.labelSetting);
    fillEditorImage(e);
    if (c.setup) c.setup(e);
    e.window->markClean();
    const MemImage before = e.mem();
    const LabelImage labelsBefore = e.labels(), radioLabelsBefore = e.radioLabels();
    const sim::RadioMemory radioBefore = e.radio.memory();
    for (const Answer a : c.answers) e.prompts.queueAnswer(a);
    e.trigger(c.item);

    EXPECT_EQ(e.prompts.texts(), c.messages);
    if (c.writes) {
        EXPECT_TRUE(std::equal(e.mem().begin() + c.first, e.mem().begin() + c.first + c.count,
                               e.radio.memory().begin() + c.first));
        EXPECT_EQ(e.mem(), before);
        EXPECT_EQ(e.radioLabels(), withLabels(radioLabelsBefore, e.labels(), c.labels));
    } else {
        MemImage expected = before;  // the spare byte after the radio's is the file's
        std::copy_n(e.radio.memory().begin() + c.first, c.count, expected.begin() + c.first);
        EXPECT_EQ(e.mem(), expected);
        EXPECT_EQ(e.radio.memory(), radioBefore);
        EXPECT_EQ(e.labels(), withLabels(labelsBefore, radioLabelsBefore, c.labels));
        EXPECT_FALSE(e.window->hasUnsavedChanges());  // what was read is the radio's
    }
    // The controls show the document; the progress window is gone and the link free.
    const Group& shown = *e.doc.group(e.doc.shownGroup());
    EXPECT_EQ(e.window->controls().groupLabelEdit->text().toStdString(), shown.readGroupLabel());
    EXPECT_EQ(e.window->controls().idEdit->text().toStdString(), shown.readIdNum());
    EXPECT_FALSE(e.window->progress().isVisible());
    EXPECT_TRUE(e.window->progress().mainWindowEnabled());
    EXPECT_FALSE(e.window->link().busy());
}

Setup busyWith(Command item) {  // the command is tried during a label write of group 1
    return [item](Editor& e) {
        e.port.setOnYield([&e, item, tried = false]() mutable {
            if (!std::exchange(tried, true)) e.trigger(item);
        });
    };
}
void typeIntoGroup2(Editor& e) {
    e.selectGroup(2);
    e.window->controls().idEdit->setText(QStringLiteral("98765"));
    e.window->controls().groupLabelEdit->setText(QStringLiteral("TYPED"));
    e.window->commitShownGroup();
}
void selectGroup15(Editor& e) {
    e.selectGroup(15);
}
void typeLabel(Editor& e) {  // not yet stored
    e.window->controls().groupLabelEdit->setText(QStringLiteral("TYPED"));
}
void silent(Editor& e) {
    e.radio.config().faults.silent = true;
}
void portFails(Editor& e) {
    writeText(e.settings, settings::kDevice[0], "/dev/ttyUSB7");
}

std::vector<MenuCase> cases() {
    using F = sim::SimFaults;
    constexpr int kAll = kGroupCount, kPage = kPageSize, kRadio = kRadioMemorySize;
    constexpr std::pair kEvery{0, kAll}, kFirst{0, 1};
    const Texts broken{"Error reading radio"}, labelsBroken{"Unable to upload data from radio"};
    // clang-format off
    return {
        {"ReadRadioWithLabels", &M::readRadioAction, 0, {}, {}, {kLabelsRead, kAllRead}, false, 0, kRadio, kEvery},
        {"ReadRadio", &M::readRadioAction, 1, {}, {}, {kAllRead}, false, 0, kRadio},
        {"ReadRadioAskYes", &M::readRadioAction, 2, {Answer::Yes}, {}, {kAsk, kLabelsRead, kAllRead}, false, 0, kRadio, kEvery},
        {"ReadRadioAskNo", &M::readRadioAction, 2, {Answer::No}, {}, {kAsk, kAllRead}, false, 0, kRadio},
        {"ReadRadioAskCancel", &M::readRadioAction, 2, {Answer::Cancel}, {}, {kAsk}},
        {"ReadGlobal", &M::readGlobalAction, 0, {}, {}, {}, false, 0, kPage},
        {"ReadGroup", &M::readGroupAction, 1, {}, {}, {}, false, kPage, kPage},
        // Over the edits shown, with the selected group's labels.
        {"ReadGroup2", &M::readGroupAction, 0, {}, typeIntoGroup2, {"Group 2 labels read OK."}, false, 2 * kPage, kPage, {1, 2}},
        {"ReadGroup15", &M::readGroupAction, 0, {}, selectGroup15, {"Group 15 labels read OK."}, false, 15 * kPage, kPage, {14, 15}},
        {"WriteGroup15", &M::writeGroupAction, 1, {Answer::Ok}, selectGroup15, {kConfirm}, true, 15 * kPage + 16, kPage - 16},
        {"WriteGroup", &M::writeGroupAction, 0, {Answer::Ok}, {}, {kConfirm, "Group 1 labels written OK."}, true, kPage + 16, kPage - 16, kFirst},
        {"WriteRadio", &M::writeRadioAction, 0, {Answer::Ok, Answer::No}, {},
         {kConfirm, "Write Global Parameters?", "All labels written OK.", "All groups written OK."}, true, kAll * kPage + 16, kPage - 16, kEvery},
        {"LabelReadRadio", &M::labelReadRadioAction, 1, {}, {}, {kLabelsRead}, false, 0, 0, kEvery},
        {"LabelWriteGroup", &M::labelWriteGroupAction, 1, {}, typeLabel, {"Group 1 labels written OK."}, true, 0, 0, kFirst},
        {"LabelWriteRadio", &M::labelWriteRadioAction, 1, {}, typeLabel, {"All labels written OK."}, true, 0, 0, kEvery},
        // A transfer that breaks off or is cancelled puts back the images as they were.
        {"BrokenReadRadio", &M::readRadioAction, 1, {}, breakAt<&F::dropSegmentByte, 300>, broken},
        {"BrokenReadGlobal", &M::readGlobalAction, 1, {}, breakAt<&F::stopAfter, 21>, broken},
        {"BrokenReadGroup", &M::readGroupAction, 1, {}, breakAt<&F::stopAfter, 41>, broken},
        {"BrokenLabelReadGroup", &M::labelReadGroupAction, 1, {}, breakAt<&F::labelMissFrame, 1>, labelsBroken},
        {"BrokenLabelReadRadio", &M::labelReadRadioAction, 1, {}, breakAt<&F::labelMissFrame, 20>, labelsBroken},
        {"CancelledReadGroup", &M::readGroupAction, 1, {}, cancelOnce, {}},
        {"CancelledWriteGroupSendsNoLabels", &M::writeGroupAction, 0, {Answer::Ok, Answer::Yes}, cancelOnce,
         {kConfirm, ProgressWindow::kWriteCancelWarning}, true},
        {"PortFails", &M::writeGlobalAction, 1, {Answer::Ok}, portFails, {kConfirm, "Unable to open Comm Port", "Write Global Failed"}, true},
        // A silent radio and a busy link (every operation meets them in the operations'
        // tests): the window is left as it was.
        {"SilentWriteGroup", &M::writeGroupAction, 1, {Answer::Ok}, silent, {kConfirm, "Error Hooking to Radio.", "Write Group Failed"}, true},
        {"BusyReadRadio", &M::labelWriteGroupAction, 1, {}, busyWith(&M::readRadioAction), {"Another radio operation is in progress.", "Group 1 labels written OK."}, true, 0, 0, kFirst},
    };
    // clang-format on
}

INSTANTIATE_TEST_SUITE_P(Commands, RadioMenu, ::testing::ValuesIn(cases()),
                         [](const auto& test) { return test.param.name; });

// The first and the last port: choosing one closes the open port, holds at the next start
// and its device is opened next.
TEST(RadioMenuPort, AnotherPortClosesTheOpenOneAndItsDeviceIsUsedNext) {
    for (const int port : {kFirstPortNumber, kLastPortNumber}) {
        Editor e;
        ASSERT_TRUE(e.window->link().transport().openPort());
        e.window->menus().portActions[static_cast<std::size_t>(port - 1)]->trigger();
        EXPECT_FALSE(e.window->link().transport().isOpen()) << port;
        e.create();
        EXPECT_TRUE(e.window->menus().portActions[static_cast<std::size_t>(port - 1)]->isChecked());
        e.trigger(&MainMenus::readGlobalAction);
        EXPECT_EQ(e.port.device(), defaultPortDevice(port));
    }
}

}  // namespace
}  // namespace zav::test
