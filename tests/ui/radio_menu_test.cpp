// The Radio menu's commands against the simulated radio: when labels travel, what the
// image looks like after failures, the messages and their titles, the progress texts.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <string>
#include <vector>

#include "files/settings.h"
#include "model/memory_map.h"
#include "ui/channel_grid_model.h"
#include "ui/globals_window.h"
#include "ui/radio_editor_fixture.h"

namespace zav {
namespace {

using test::RadioEditor;
using Texts = std::vector<std::string>;

constexpr const char* kAllRead = "All groups read OK.";
constexpr const char* kAllLabelsRead = "All labels read OK.";
constexpr const char* kAskRead = "Read Labels from Radio";
constexpr const char* kConfirm = "Are you sure you want to write to the radio?";
constexpr const char* kHookError = "Error Hooking to Radio.";

// An image the radio does not hold: a pattern everywhere, the spare byte included, and
// the default page map so that every group exists.
void fillEditorImage(Document& doc) {
    for (std::size_t i = 0; i < doc.mem.size(); ++i)
        doc.mem[i] = static_cast<Byte>((i * 13 + 5) & 0xFF);
    initGlobalPage(doc.mem);
    doc.mem[kMemImageSize - 1] = 0x5A;
    for (std::size_t i = 0; i < doc.labels.size(); ++i) doc.labels[i] = static_cast<Byte>(i % 40);
}

bool sameRadioBytes(const MemImage& a, const MemImage& b, int first, int count) {
    return std::equal(a.begin() + first, a.begin() + first + count, b.begin() + first);
}

struct LabelCase {
    int setting;
    std::vector<Answer> answers;
    bool readsImage;
    bool readsLabels;
    Texts messages;
};

class ReadRadioLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(ReadRadioLabels, FollowTheSettingOrTheAnswer) {
    const LabelCase& c = GetParam();
    RadioEditor e;
    writeLabelSetting(e.settings, c.setting);
    e.create();
    fillEditorImage(e.doc);
    e.window->markClean();
    const MemImage before = e.doc.mem;
    const LabelImage labelsBefore = e.doc.labels;
    for (const Answer a : c.answers) e.prompts.queueAnswer(a);

    RadioEditor::trigger(e.window->menus().readRadioAction);

    EXPECT_EQ(e.prompts.texts(), c.messages);
    if (c.setting == 2) {
        ASSERT_FALSE(e.prompts.messages.empty());
        EXPECT_EQ(e.prompts.messages[0].title, "ZAV Editor");
        EXPECT_EQ(e.prompts.messages[0].buttons, Buttons::YesNoCancel);
        EXPECT_EQ(e.prompts.messages[0].icon, Icon::Question);
    }
    for (const Message& m : e.prompts.messages) {
        if (m.text == kAllRead) {
            EXPECT_EQ(m.title, "Read Radio");
        }
        if (m.text == kAllLabelsRead) {
            EXPECT_EQ(m.title, "Read Labels");
        }
    }
    if (c.readsImage) {
        EXPECT_TRUE(sameRadioBytes(e.doc.mem, e.radioImage(), 0, 2048));
        EXPECT_EQ(e.doc.mem[2048], 0x5A);  // the spare byte is the file's, not the radio's
        EXPECT_NE(std::find(e.progressTexts.begin(), e.progressTexts.end(),
                            "Please Wait - Reading Radio"),
                  e.progressTexts.end());
        // The selector was rebuilt and shows group 1 from the new image.
        EXPECT_EQ(e.window->shownGroup(), 0);
        EXPECT_EQ(e.window->gridModel().cellText(0, kColRecFreq).toStdString(), "451.02500");
        EXPECT_FALSE(e.window->hasUnsavedChanges());
    } else {
        EXPECT_EQ(e.doc.mem, before);
        EXPECT_TRUE(e.sent().empty());  // Cancel: nothing went to the radio
        EXPECT_EQ(e.port.opens(), 0);
    }
    EXPECT_EQ(e.doc.labels == e.radioLabels(), c.readsLabels);
    if (!c.readsLabels) {
        EXPECT_EQ(e.doc.labels, labelsBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ReadRadioLabels,
    ::testing::Values(LabelCase{0, {}, true, true, {kAllLabelsRead, kAllRead}},
                      LabelCase{1, {}, true, false, {kAllRead}},
                      LabelCase{2, {Answer::Yes}, true, true, {kAskRead, kAllLabelsRead, kAllRead}},
                      LabelCase{2, {Answer::No}, true, false, {kAskRead, kAllRead}},
                      LabelCase{2, {Answer::Cancel}, false, false, {kAskRead}}));

TEST(RadioMenu, AFailedReadRadioLeavesTheImageExactlyAsItWas) {
    sim::SimConfig config;
    config.faults.dropSegmentByte = 300;  // a byte of segment 1 never comes
    RadioEditor e(config);
    writeLabelSetting(e.settings, 1);
    e.create();
    fillEditorImage(e.doc);
    e.window->initGroups(0);
    const MemImage before = e.doc.mem;
    const std::string shown = e.window->gridModel().cellText(0, kColRecFreq).toStdString();

    RadioEditor::trigger(e.window->menus().readRadioAction);

    EXPECT_EQ(e.prompts.texts(), Texts{"Error reading radio"});
    EXPECT_EQ(e.doc.mem, before);
    EXPECT_EQ(e.window->gridModel().cellText(0, kColRecFreq).toStdString(), shown);
    EXPECT_FALSE(e.window->progress().isVisible());
    EXPECT_TRUE(e.window->progress().mainWindowEnabled());
}

TEST(RadioMenu, ReadGroupReadsTheSelectedGroupAndShowsItWithoutAMessage) {
    RadioEditor e;
    writeLabelSetting(e.settings, 1);
    e.create();
    fillEditorImage(e.doc);
    e.window->initGroups(0);
    // The radio's group 5 has channels of its own.
    for (int k = 16; k < 128; ++k) e.radio.memory()[5 * 128 + k] = e.radio.memory()[1 * 128 + k];
    e.selectGroup(5);
    const MemImage before = e.doc.mem;

    RadioEditor::trigger(e.window->menus().readGroupAction);

    EXPECT_TRUE(e.prompts.messages.empty());
    EXPECT_TRUE(sameRadioBytes(e.doc.mem, e.radioImage(), 640, 128));
    EXPECT_TRUE(sameRadioBytes(e.doc.mem, before, 0, 640));
    EXPECT_TRUE(std::equal(e.doc.mem.begin() + 768, e.doc.mem.end(), before.begin() + 768));
    EXPECT_EQ(e.window->shownGroup(), 4);
    EXPECT_EQ(e.window->gridModel().cellText(0, kColRecFreq).toStdString(), "451.02500");
    EXPECT_NE(
        std::find(e.progressTexts.begin(), e.progressTexts.end(), "Please Wait - Reading Radio"),
        e.progressTexts.end());
}

TEST(RadioMenu, ReadGroupWithLabelsReadsThatGroupsLabelsAfterTheGroup) {
    RadioEditor e;
    writeLabelSetting(e.settings, 0);
    e.create();
    e.selectGroup(2);
    RadioEditor::trigger(e.window->menus().readGroupAction);
    EXPECT_EQ(e.prompts.texts(), Texts{"Group 2 labels read OK."});
    EXPECT_EQ(e.prompts.messages[0].title, "Read Labels");
    EXPECT_EQ(e.window->controls().groupLabelEdit->text().toStdString(), "FIRE    ");
    EXPECT_EQ(e.window->gridModel().cellText(0, kColLabel).toStdString(), "FIRE 1  ");
    // Only group 2's labels came.
    EXPECT_EQ(e.doc.group(0)->readGroupLabel(), "GROUP 1 ");
}

// Edits left in the group's controls give way to the group as read, with and without
// the labels: the label read stores the controls first and must not put them back over
// the radio's values.
TEST(RadioMenu, ReadGroupReplacesEditsInTheControlsWhetherOrNotLabelsTravel) {
    for (const int setting : {0, 1}) {
        SCOPED_TRACE(setting);
        RadioEditor e;
        writeLabelSetting(e.settings, setting);
        e.create();
        e.selectGroup(2);
        e.window->controls().idEdit->setText(QStringLiteral("98765"));
        RadioEditor::trigger(e.window->menus().readGroupAction);
        EXPECT_TRUE(sameRadioBytes(e.doc.mem, e.radioImage(), 2 * 128, 128));
        const std::string radioId = e.doc.group(1)->readIdNum();
        EXPECT_EQ(radioId.find("98765"), std::string::npos);
        EXPECT_EQ(e.window->controls().idEdit->text().toStdString(), radioId);
    }
}

TEST(RadioMenu, WriteCurrentGroupWritesTheGroupsLabelsEvenAfterAFailedGroupWrite) {
    sim::SimConfig config;
    config.faults.wrongEcho = 1;  // the group write's first word comes back altered
    RadioEditor e(config);
    writeLabelSetting(e.settings, 0);
    e.create();
    e.selectGroup(3);
    e.window->controls().groupLabelEdit->setText(QStringLiteral("NEWLABEL"));
    e.prompts.queueAnswer(Answer::Ok);      // Are you sure...
    e.prompts.queueAnswer(Answer::Cancel);  // Write Failed... Retry/Cancel

    RadioEditor::trigger(e.window->menus().writeGroupAction);

    EXPECT_EQ(e.prompts.texts(),
              (Texts{kConfirm, "Write Failed. Cycle Radio Power before Retrying.",
                     "Write Group Failed", "Group 3 labels written OK."}));
    EXPECT_EQ(e.prompts.messages.back().title, "Write Labels");
    EXPECT_EQ(e.prompts.messages[2].title, "");  // the program's title
    // The edit reached the image before the write, and the radio's label memory.
    EXPECT_EQ(e.doc.group(2)->readGroupLabel(), "NEWLABEL");
    const LabelImage radioLabels = e.radioLabels();
    for (int s = 0; s < kLabelSlots; ++s)
        for (int c = 0; c < kLabelPositions; ++c)
            EXPECT_EQ(radioLabels[labelIndex(2, s, c)], e.doc.labels[labelIndex(2, s, c)]);
}

TEST(RadioMenu, CancellingTheGroupWriteSendsNoLabelsAfterIt) {
    RadioEditor e;
    writeLabelSetting(e.settings, 0);
    e.create();
    e.prompts.queueAnswer(Answer::Ok);   // Are you sure...
    e.prompts.queueAnswer(Answer::Yes);  // the progress window's cancel warning
    bool pressed = false;
    e.onYield = [&] {
        if (!pressed && e.window->progress().cancelButton()->isEnabled()) {
            pressed = true;
            e.window->progress().cancelClicked();
        }
    };
    RadioEditor::trigger(e.window->menus().writeGroupAction);
    EXPECT_TRUE(pressed);
    ASSERT_EQ(e.prompts.texts().size(), 2u);  // the confirmation and the cancel warning
    EXPECT_EQ(
        std::find(e.progressTexts.begin(), e.progressTexts.end(), "Please Wait - Writing Labels"),
        e.progressTexts.end());
}

struct SilentCase {
    const char* name;
    QAction* MainMenus::*item;
    std::vector<Answer> answers;
    Texts messages;
};

class SilentRadio : public ::testing::TestWithParam<SilentCase> {};

TEST_P(SilentRadio, ShowsTheHookErrorAndTheCommandsOwnFailureOnly) {
    const SilentCase& c = GetParam();
    sim::SimConfig config;
    config.faults.silent = true;
    RadioEditor e(config);
    writeLabelSetting(e.settings, 1);
    e.create();
    const MemImage before = e.doc.mem;
    for (const Answer a : c.answers) e.prompts.queueAnswer(a);
    RadioEditor::trigger(e.window->menus().*c.item);
    EXPECT_EQ(e.prompts.texts(), c.messages);
    EXPECT_EQ(e.doc.mem, before);
    EXPECT_FALSE(e.window->progress().isVisible());
    EXPECT_TRUE(e.window->progress().mainWindowEnabled());
    EXPECT_FALSE(e.window->link().busy());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SilentRadio,
    ::testing::Values(
        SilentCase{"ReadRadio", &MainMenus::readRadioAction, {}, {kHookError}},
        SilentCase{"ReadGlobal", &MainMenus::readGlobalAction, {}, {kHookError}},
        SilentCase{"ReadGroup", &MainMenus::readGroupAction, {}, {kHookError}},
        SilentCase{"WriteRadio",
                   &MainMenus::writeRadioAction,
                   {Answer::Ok, Answer::Yes},
                   {kConfirm, "Write Global Parameters?", kHookError}},
        SilentCase{"WriteGlobal",
                   &MainMenus::writeGlobalAction,
                   {Answer::Ok},
                   {kConfirm, kHookError, "Write Global Failed"}},
        SilentCase{"WriteGroup",
                   &MainMenus::writeGroupAction,
                   {Answer::Ok},
                   {kConfirm, kHookError, "Write Group Failed"}},
        SilentCase{"WriteCancelled", &MainMenus::writeGroupAction, {Answer::Cancel}, {kConfirm}},
        SilentCase{"LabelReadRadio", &MainMenus::labelReadRadioAction, {}, {kHookError}},
        SilentCase{"LabelWriteGroup", &MainMenus::labelWriteGroupAction, {}, {kHookError}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(RadioMenu, WriteRadioThenReadBackGivesTheEditorsChannels) {
    RadioEditor e;
    writeLabelSetting(e.settings, 1);
    e.create();
    e.selectGroup(1);
    e.window->gridModel().setCellText(0, kColRecFreq, QStringLiteral("470.50000"));
    e.prompts.queueAnswer(Answer::Ok);
    e.prompts.queueAnswer(Answer::No);  // no global parameters
    RadioEditor::trigger(e.window->menus().writeRadioAction);
    EXPECT_EQ(e.prompts.texts(),
              (Texts{kConfirm, "Write Global Parameters?", "All groups written OK."}));
    EXPECT_EQ(e.prompts.messages.back().title, "Write Radio");
    EXPECT_NE(
        std::find(e.progressTexts.begin(), e.progressTexts.end(), "Please Wait - Writing Radio"),
        e.progressTexts.end());
    // Every group's channel records went out (bytes 16..127 of each block).
    for (int g = 1; g <= 15; ++g)
        EXPECT_TRUE(sameRadioBytes(e.radioImage(), e.doc.mem, g * 128 + 16, 112)) << g;
}

TEST(RadioMenu, ReadGlobalThatBreaksOffKeepsTheGlobalBlockAndSaysSo) {
    sim::SimConfig config;
    config.faults.stopAfter = 21;  // the hook reply and ten words
    RadioEditor e(config);
    e.create();
    const MemImage before = e.doc.mem;
    RadioEditor::trigger(e.window->menus().readGlobalAction);
    EXPECT_EQ(e.prompts.texts(), Texts{"Error reading radio"});
    EXPECT_EQ(e.prompts.messages[0].title, "COMM ERROR");
    EXPECT_EQ(e.doc.mem, before);
}

TEST(RadioMenu, ReadGlobalReloadsAnOpenGlobalParametersWindow) {
    RadioEditor e;
    e.create();
    e.radio.memory()[0x6F] = 0x30;  // deviation code 6
    RadioEditor::trigger(e.window->menus().globalsAction);
    ASSERT_NE(e.window->globalsWindow(), nullptr);
    RadioEditor::trigger(e.window->menus().readGlobalAction);
    EXPECT_TRUE(e.prompts.messages.empty());
    EXPECT_EQ(e.doc.mem[0x6F], 0x30);
    EXPECT_EQ(e.window->globalsWindow()->formValues().dtmfDev, 6);
    EXPECT_FALSE(e.window->hasUnsavedChanges());
}

TEST(RadioMenu, AFailedLabelReadKeepsTheGroupLabelTypedBeforeIt) {
    sim::SimConfig config;
    config.faults.labelMissFrame = 1;
    config.faults.labelMisses = 4;
    RadioEditor e(config);
    e.create();
    e.window->controls().groupLabelEdit->setText(QStringLiteral("EDITED"));
    RadioEditor::trigger(e.window->menus().labelReadGroupAction);
    EXPECT_EQ(e.prompts.texts(), Texts{"Unable to upload data from radio"});
    EXPECT_EQ(e.doc.group(0)->readGroupLabel(), "EDITED  ");
    // Switching groups keeps it too.
    e.selectGroup(2);
    EXPECT_EQ(e.doc.group(0)->readGroupLabel(), "EDITED  ");
}

TEST(RadioMenu, LabelWriteRadioAndReadBackRoundTrip) {
    RadioEditor e;
    e.create();
    e.window->controls().groupLabelEdit->setText(QStringLiteral("MINE"));
    RadioEditor::trigger(e.window->menus().labelWriteRadioAction);
    EXPECT_EQ(e.prompts.texts(), Texts{"All labels written OK."});
    EXPECT_EQ(e.radioLabels(), e.doc.labels);
    e.doc.labels.fill(0);
    RadioEditor::trigger(e.window->menus().labelReadRadioAction);
    EXPECT_EQ(e.prompts.texts().back(), kAllLabelsRead);
    EXPECT_EQ(e.doc.group(0)->readGroupLabel(), "MINE    ");
    EXPECT_EQ(e.window->controls().groupLabelEdit->text().toStdString(), "MINE    ");
}

TEST(RadioMenu, ACommandDuringAnotherRadioOperationIsRefused) {
    RadioEditor e;
    writeLabelSetting(e.settings, 1);
    e.create();
    bool tried = false;
    e.onYield = [&] {
        if (tried) return;
        tried = true;
        RadioEditor::trigger(e.window->menus().writeGroupAction);
    };
    RadioEditor::trigger(e.window->menus().readRadioAction);
    EXPECT_EQ(e.prompts.texts(), (Texts{"Another radio operation is in progress.", kAllRead}));
}

}  // namespace
}  // namespace zav
