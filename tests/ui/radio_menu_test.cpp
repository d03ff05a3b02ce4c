// The Radio menu's commands against the simulated radio on the virtual clock: what reaches
// the image and the radio, when labels travel, and that a failed or refused transfer
// leaves the editor's images as they were.

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTimer>

#include "files/settings.h"
#include "link/port_devices.h"
#include "model/memory_map.h"
#include "support/editor.h"
#include "ui/bank_move_dialog.h"
#include "ui/globals_window.h"
#include "ui/progress_window.h"

namespace zav::test {
namespace {

using Texts = std::vector<std::string>;
using Command = QAction* MainMenus::*;
constexpr const char* kAllRead = "All groups read OK.";
constexpr const char* kAllLabelsRead = "All labels read OK.";
constexpr const char* kConfirm = "Are you sure you want to write to the radio?";

void useLabels(const Editor& e, int setting) {
    e.window->menus().labelChoiceActions[static_cast<std::size_t>(setting)]->trigger();
}

// An image the radio does not hold: a pattern everywhere, the spare byte included, with
// the default page map so that every group exists.
void fillEditorImage(Editor& e) {
    for (std::size_t i = 0; i < e.mem().size(); ++i) e.mem()[i] = static_cast<Byte>(i * 13 + 5);
    initGlobalPage(e.mem());
    e.mem()[kMemImageSize - 1] = 0x5A;
    for (std::size_t i = 0; i < e.labels().size(); ++i) e.labels()[i] = static_cast<Byte>(i % 40);
    e.window->initGroups(0);
}

bool sameBytes(const MemImage& image, const sim::RadioMemory& radio, int first, int count) {
    return std::equal(image.begin() + first, image.begin() + first + count, radio.begin() + first);
}

std::vector<Byte> groupLabels(const LabelImage& labels, int g) {
    std::vector<Byte> out;
    for (int s = 0; s < kLabelSlots; ++s)
        for (int k = 0; k < kLabelPositions; ++k) out.push_back(labels[labelIndex(g, s, k)]);
    return out;
}

struct LabelCase {
    int setting;
    Answer answer;
    bool readsImage;
    bool readsLabels;
    Texts messages;
};

class ReadRadio : public ::testing::TestWithParam<LabelCase> {};

TEST_P(ReadRadio, TakesTheLabelsAsTheSettingOrTheAnswerSays) {
    const LabelCase& c = GetParam();
    Editor e;
    useLabels(e, c.setting);
    fillEditorImage(e);
    e.window->markClean();
    const MemImage before = e.mem();
    const LabelImage labelsBefore = e.labels();
    e.prompts.queueAnswer(c.answer);
    e.trigger(&MainMenus::readRadioAction);
    EXPECT_EQ(e.prompts.texts(), c.messages);
    if (c.readsImage) {
        EXPECT_TRUE(sameBytes(e.mem(), e.radio.memory(), 0, kRadioMemorySize));
        EXPECT_EQ(e.mem()[kMemImageSize - 1], 0x5A);  // the spare byte is the file's
        EXPECT_EQ(e.cell(0, kColRecFreq), "451.02500");
        EXPECT_FALSE(e.window->hasUnsavedChanges());
    } else {
        EXPECT_EQ(e.mem(), before);
        EXPECT_TRUE(e.radio.transcript().hostBytes().empty());
    }
    EXPECT_EQ(e.labels(), c.readsLabels ? e.radioLabels() : labelsBefore);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ReadRadio,
    ::testing::Values(
        LabelCase{0, Answer::Ok, true, true, {kAllLabelsRead, kAllRead}},
        LabelCase{1, Answer::Ok, true, false, {kAllRead}},
        LabelCase{2, Answer::Yes, true, true, {"Read Labels from Radio", kAllLabelsRead, kAllRead}},
        LabelCase{2, Answer::No, true, false, {"Read Labels from Radio", kAllRead}},
        LabelCase{2, Answer::Cancel, false, false, {"Read Labels from Radio"}}));

// Each command meets a radio that is silent, a port that will not open, and a link busy
// with another operation: the user hears of it, and neither image nor radio changes.
enum class Fault { Silent, PortFails, Busy };

struct CommandCase {
    const char* name;
    Command item;
    Texts asked;     // before the connection (answered OK, and Yes)
    Texts reported;  // after the connection failed
};

const CommandCase kCommands[] = {
    {"ReadRadio", &MainMenus::readRadioAction, {}, {}},
    {"ReadGlobal", &MainMenus::readGlobalAction, {}, {}},
    {"ReadGroup", &MainMenus::readGroupAction, {}, {}},
    {"WriteRadio", &MainMenus::writeRadioAction, {kConfirm, "Write Global Parameters?"}, {}},
    {"WriteGlobal", &MainMenus::writeGlobalAction, {kConfirm}, {"Write Global Failed"}},
    {"WriteGroup", &MainMenus::writeGroupAction, {kConfirm}, {"Write Group Failed"}},
    {"LabelReadGroup", &MainMenus::labelReadGroupAction, {}, {}},
    {"LabelReadRadio", &MainMenus::labelReadRadioAction, {}, {}},
    {"LabelWriteGroup", &MainMenus::labelWriteGroupAction, {}, {}},
    {"LabelWriteRadio", &MainMenus::labelWriteRadioAction, {}, {}},
};

std::string failingLinkName(const ::testing::TestParamInfo<std::tuple<CommandCase, Fault>>& info) {
    const auto& param = info.param;
    constexpr std::array<const char*, 3> kFaults{"Silent", "PortFails", "Busy"};
    return std::string(std::get<0>(param).name) +
           kFaults[static_cast<std::size_t>(std::get<1>(param))];
}

class FailingLink : public ::testing::TestWithParam<std::tuple<CommandCase, Fault>> {};

TEST_P(FailingLink, IsReportedAndChangesNothing) {
    const auto& [c, fault] = GetParam();
    sim::VirtualPortOptions options;
    options.failingDevices = {{"/dev/ttyUSB7", "Permission denied"}};
    Editor e(options);
    e.radio.config().faults.silent = fault == Fault::Silent;
    useLabels(e, 1);
    if (fault == Fault::PortFails) writeText(e.settings, settings::kDevice[0], "/dev/ttyUSB7");
    const MemImage before = e.mem();
    const LabelImage labelsBefore = e.labels();
    const sim::RadioMemory radioBefore = e.radio.memory();
    e.prompts.queueAnswer(Answer::Ok);
    e.prompts.queueAnswer(Answer::Yes);
    Texts expected = c.asked;
    if (fault == Fault::Busy) {
        bool tried = false;
        e.port.setOnYield([&] {
            if (!std::exchange(tried, true)) e.trigger(c.item);
        });
        e.trigger(&MainMenus::labelReadGroupAction);  // its label is the radio's from now on
        expected = {"Another radio operation is in progress.", "Group 1 labels read OK."};
        e.labels() = labelsBefore;
    } else {
        e.trigger(c.item);
        expected.push_back(fault == Fault::Silent ? "Error Hooking to Radio."
                                                  : "Unable to open Comm Port");
        expected.insert(expected.end(), c.reported.begin(), c.reported.end());
    }
    EXPECT_EQ(e.prompts.texts(), expected);
    if (fault == Fault::PortFails) {
        const std::string detail = e.prompts.messages.at(c.asked.size()).detail;
        EXPECT_NE(detail.find("/dev/ttyUSB7"), std::string::npos) << detail;
        EXPECT_NE(detail.find("Permission denied"), std::string::npos) << detail;
    }
    EXPECT_EQ(e.mem(), before);
    EXPECT_EQ(e.labels(), labelsBefore);
    EXPECT_EQ(e.radio.memory(), radioBefore);
    EXPECT_FALSE(e.window->progress().isVisible());
    EXPECT_TRUE(e.window->progress().mainWindowEnabled());
    EXPECT_FALSE(e.window->link().busy());
}

INSTANTIATE_TEST_SUITE_P(Commands, FailingLink,
                         ::testing::Combine(::testing::ValuesIn(kCommands),
                                            ::testing::Values(Fault::Silent, Fault::PortFails,
                                                              Fault::Busy)),
                         failingLinkName);

// A transfer that breaks off puts back the images as they were, the user's unsaved group
// label included.
struct BrokenCase {
    const char* name;
    Command item;
    std::optional<int> sim::SimFaults::*fault;
    int at;
    const char* message;
};

const BrokenCase kBroken[] = {
    {"ReadRadio", &MainMenus::readRadioAction, &sim::SimFaults::dropSegmentByte, 300,
     "Error reading radio"},
    {"ReadGlobal", &MainMenus::readGlobalAction, &sim::SimFaults::stopAfter, 21,
     "Error reading radio"},
    {"ReadGroup", &MainMenus::readGroupAction, &sim::SimFaults::stopAfter, 41,
     "Error reading radio"},
    {"LabelReadGroup", &MainMenus::labelReadGroupAction, &sim::SimFaults::labelMissFrame, 1,
     "Unable to upload data from radio"},
    {"LabelReadRadio", &MainMenus::labelReadRadioAction, &sim::SimFaults::labelMissFrame, 20,
     "Unable to upload data from radio"},
};

class BrokenTransfer : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenTransfer, RestoresTheImages) {
    const BrokenCase& c = GetParam();
    Editor e;
    useLabels(e, 1);
    fillEditorImage(e);
    e.window->controls().groupLabelEdit->setText(QStringLiteral("EDITED"));
    e.window->commitShownGroup();
    const MemImage before = e.mem();
    const LabelImage labelsBefore = e.labels();
    const std::string shown = e.cell(0, kColRecFreq);
    e.radio.config().faults.*c.fault = c.at;
    e.radio.config().faults.labelMisses = 4;
    e.trigger(c.item);
    EXPECT_EQ(e.prompts.texts(), Texts{c.message});
    EXPECT_EQ(e.mem(), before);
    EXPECT_EQ(e.labels(), labelsBefore);
    EXPECT_EQ(e.cell(0, kColRecFreq), shown);
    EXPECT_EQ(e.window->controls().groupLabelEdit->text(), "EDITED  ");
}

INSTANTIATE_TEST_SUITE_P(Commands, BrokenTransfer, ::testing::ValuesIn(kBroken),
                         [](const auto& test) { return std::string(test.param.name); });

// Cancel during Read Group stops it without the warning a write needs; the image stays.
TEST(RadioMenu, CancellingReadGroupAsksNothingAndKeepsTheImage) {
    Editor e;
    useLabels(e, 1);
    fillEditorImage(e);
    const MemImage before = e.mem();
    e.port.setOnYield([&] {
        if (e.window->progress().cancelButton()->isEnabled()) e.window->progress().cancelClicked();
    });
    e.trigger(&MainMenus::readGroupAction);
    EXPECT_EQ(e.mem(), before);
    EXPECT_EQ(e.prompts.texts(), Texts{});
}

// Read Group takes the selected group only, over the edits in its controls, and its
// labels only when labels travel.
TEST(RadioMenu, ReadGroupTakesTheSelectedGroupAndItsLabelsWhenTheyTravel) {
    for (const int setting : {0, 1}) {
        SCOPED_TRACE(setting);
        Editor e;
        useLabels(e, setting);
        fillEditorImage(e);
        e.selectGroup(2);
        e.window->controls().idEdit->setText(QStringLiteral("98765"));
        e.window->controls().groupLabelEdit->setText(QStringLiteral("TYPED"));
        e.window->commitShownGroup();
        const MemImage before = e.mem();
        const LabelImage labelsBefore = e.labels();
        const LabelImage expected = setting == 0 ? e.radioLabels() : labelsBefore;
        e.trigger(&MainMenus::readGroupAction);
        EXPECT_EQ(e.prompts.texts(), setting == 0 ? Texts{"Group 2 labels read OK."} : Texts{});
        EXPECT_TRUE(sameBytes(e.mem(), e.radio.memory(), 256, 128));
        EXPECT_TRUE(std::equal(before.begin(), before.begin() + 256, e.mem().begin()));
        EXPECT_TRUE(std::equal(before.begin() + 384, before.end(), e.mem().begin() + 384));
        EXPECT_EQ(e.window->controls().idEdit->text().toStdString(), e.doc.group(1)->readIdNum());
        for (int g = 0; g < kGroupCount; ++g)
            EXPECT_EQ(groupLabels(e.labels(), g), groupLabels(g == 1 ? expected : labelsBefore, g));
    }
}

// Labels travelling with the writes: a group's labels go out even when its channels could
// not be written, Write Radio sends every group's channels and labels, and a cancelled
// group write sends no labels after it.
TEST(RadioMenu, WritesCarryTheChannelsAndLabels) {
    Editor e;
    useLabels(e, 0);
    e.selectGroup(3);
    e.window->controls().groupLabelEdit->setText(QStringLiteral("NEWLABEL"));
    e.radio.config().faults.wrongEcho = 1;
    e.prompts.queueAnswer(Answer::Ok);
    e.prompts.queueAnswer(Answer::Cancel);  // no retry
    e.trigger(&MainMenus::writeGroupAction);
    EXPECT_EQ(e.prompts.texts(),
              (Texts{kConfirm, "Write Failed. Cycle Radio Power before Retrying.",
                     "Write Group Failed", "Group 3 labels written OK."}));
    EXPECT_EQ(groupLabels(e.radioLabels(), 2), groupLabels(e.labels(), 2));
    e.radio.config().faults.wrongEcho.reset();
    e.prompts.messages.clear();
    e.typeInCell(0, kColRecFreq, "470.5");
    e.prompts.queueAnswer(Answer::Ok);
    e.prompts.queueAnswer(Answer::No);  // no global parameters
    e.trigger(&MainMenus::writeRadioAction);
    EXPECT_EQ(e.prompts.texts(), (Texts{kConfirm, "Write Global Parameters?",
                                        "All labels written OK.", "All groups written OK."}));
    for (int g = 1; g <= kGroupCount; ++g)
        EXPECT_TRUE(sameBytes(e.mem(), e.radio.memory(), g * 128 + 16, 112)) << g;
    EXPECT_EQ(e.radioLabels(), e.labels());
    // Cancelled during the group write, no labels follow it.
    const LabelImage radioLabels = e.radioLabels();
    e.window->controls().groupLabelEdit->setText(QStringLiteral("UNSENT"));
    e.prompts.queueAnswer(Answer::Ok);
    e.prompts.queueAnswer(Answer::Yes);  // the warning before cancelling a write
    bool pressed = false;
    e.port.setOnYield([&] {
        if (e.window->progress().cancelButton()->isEnabled() && !std::exchange(pressed, true))
            e.window->progress().cancelClicked();
    });
    e.trigger(&MainMenus::writeGroupAction);
    EXPECT_EQ(e.radioLabels(), radioLabels);
}

TEST(RadioMenu, GlobalEditsReachTheRadioAndReadGlobalReloadsTheWindow) {
    Editor e;
    e.trigger(&MainMenus::globalsAction);
    GlobalsWindow* globals = e.window->globalsWindow();
    globals->findChild<QComboBox*>(QStringLiteral("cboDTMFDev"))->setCurrentIndex(6);
    e.prompts.queueAnswer(Answer::Ok);
    e.trigger(&MainMenus::writeGlobalAction);
    EXPECT_EQ(e.radio.memory()[0x6F] >> 3, 6);
    e.radio.memory()[0x6F] = 0x18;  // deviation code 3
    e.trigger(&MainMenus::readGlobalAction);
    EXPECT_EQ(e.prompts.texts(), Texts{kConfirm});
    EXPECT_EQ(globals->formValues().dtmfDev, 3);
    EXPECT_FALSE(e.window->hasUnsavedChanges());
}

TEST(RadioMenu, AnotherPortClosesTheOpenOneAndItsDeviceIsUsedNext) {
    Editor e;
    ASSERT_TRUE(e.window->link().transport().openPort());
    e.window->menus().portActions[2]->trigger();
    EXPECT_FALSE(e.window->link().transport().isOpen());
    e.create();  // the choice holds at the next start
    EXPECT_TRUE(e.window->menus().portActions[2]->isChecked());
    e.trigger(&MainMenus::readGlobalAction);
    EXPECT_EQ(e.port.device(), defaultPortDevice(3));
}

// Move takes bank 15 to 1 by default; the window shows the moved bank, and a label typed
// before the move stays with its bank number.
TEST(RadioMenu, MoveShowsTheMovedBankAndKeepsEditsMadeBeforeIt) {
    Editor e;
    e.doc.group(14)->channel(0).setRecFreq("470.00000");
    e.selectGroup(3);
    e.window->controls().groupLabelEdit->setText(QStringLiteral("KEPT"));
    QTimer::singleShot(
        0, [] { qobject_cast<BankMoveDialog*>(QApplication::activeModalWidget())->acceptMove(); });
    e.trigger(&MainMenus::moveAction);
    EXPECT_EQ(e.doc.group(2)->readGroupLabel(), "KEPT    ");
    e.selectGroup(1);
    EXPECT_EQ(e.cell(0, kColRecFreq), "470.00000");
}

}  // namespace
}  // namespace zav::test
