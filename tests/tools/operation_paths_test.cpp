// Every radio operation once from the editor's window and once through zavtool's
// command, each against its own simulated radio in the same state: the two conversations
// must be the same byte for byte, since both run the operations layer.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSlider>
#include <sstream>

#include "files/frequency_file.h"
#include "files/settings.h"
#include "sim/synthesizer.h"
#include "support/editor.h"
#include "support/temp_dir.h"
#include "ui/alignment_window.h"
#include "ui/globals_window.h"
#include "zavtool.h"

namespace zav {
namespace {

using EditorStep = std::function<void(MainWindow&)>;

struct PathCase {
    const char* name;
    std::string toolArgs;  // after "--port 1"; FILE stands for the file
    EditorStep editor;
    LabelSetting labels;          // the editor's setting, as the command's --labels says
    std::vector<Answer> answers;  // the editor's answers to its questions
    std::function<void(sim::SimRadio&)> radioSetup = {};
    int exitStatus = tool::kExitDone;
    bool fileAsEditor = true;  // the tool's file ends as the editor's document
};

void PrintTo(const PathCase& c, std::ostream* os) {
    *os << c.name;
}

EditorStep menu(QAction* MainMenus::*item) {
    return [item](MainWindow& w) { (w.menus().*item)->trigger(); };
}

// Gives the radio the default image and labels, its band data and synthesizer, and the
// fault or changes of the case.
void prepare(sim::SimRadio& radio, const PathCase& c) {
    const Document defaults;
    std::copy_n(defaults.mem.begin(), radio.memory().size(), radio.memory().begin());
    radio.labels() = sim::labelMemoryFromImage(defaults.labels);
    sim::setBandData(radio.memory());
    sim::installSynthesizer(radio);
    if (c.radioSetup) c.radioSetup(radio);
}

std::vector<std::string> conversation(const sim::SimRadio& radio) {
    std::vector<std::string> lines;
    for (const auto& e : radio.transcript().entries()) lines.push_back(sim::formatEntry(e));
    return lines;
}

void failFirstEcho(sim::SimRadio& r) {
    r.config().faults.wrongEcho = 1;
}
void dropGroup3(sim::SimRadio& r) {
    r.memory()[81] &= 0xF0;
}

void dtmf6(MainWindow& w) {
    w.showGlobals();
    w.globalsWindow()->findChild<QSlider*>()->setValue(6);
    w.globalsWindow()->sendDtmfDeviation();
}
void syncal(MainWindow& w) {
    w.showSyncal();
    w.syncalWindow()->startAlignment();
}

const std::vector<PathCase>& cases() {
    using A = Answer;
    using M = MainMenus;
    constexpr auto kAll = LabelSetting::Always;
    constexpr auto kNone = LabelSetting::Never;
    constexpr int kFail = tool::kExitFailed;
    const std::string group3 = "--group 3 --labels FILE";
    // clang-format off
    static const std::vector<PathCase> all{
        {"Read", "read --labels --force FILE", menu(&M::readRadioAction), kAll, {}},
        {"ReadGlobal", "read-global FILE", menu(&M::readGlobalAction), kNone, {}},
        {"ReadGroup", "read-group --group 3 FILE", menu(&M::readGroupAction), kNone, {}},
        {"ReadAbsentGroup", "read-group --group 3 FILE", menu(&M::readGroupAction), kNone, {},
         dropGroup3, kFail},
        {"Write", "write --labels FILE", menu(&M::writeRadioAction), kAll, {A::Ok, A::Yes}},
        {"WriteSkipGlobal", "write --skip-global FILE", menu(&M::writeRadioAction), kNone,
         {A::Ok, A::No}},
        {"WriteGlobal", "write-global FILE", menu(&M::writeGlobalAction), kNone, {A::Ok}},
        {"WriteGroup", "write-group " + group3, menu(&M::writeGroupAction), kAll, {A::Ok}},
        {"WriteGroupFailsLabelsStillGo", "write-group " + group3, menu(&M::writeGroupAction), kAll,
         {A::Ok, A::Cancel}, failFirstEcho, kFail},
        {"WriteAbsentGroup", "write-group " + group3, menu(&M::writeGroupAction), kAll, {A::Ok},
         dropGroup3, kFail},
        {"ReadLabelsGroup", "read-labels --group 3 FILE", menu(&M::labelReadGroupAction), kNone, {}},
        {"ReadLabels", "read-labels FILE", menu(&M::labelReadRadioAction), kNone, {}},
        {"WriteLabelsGroup", "write-labels --group 3 FILE", menu(&M::labelWriteGroupAction), kNone, {}},
        {"WriteLabels", "write-labels FILE", menu(&M::labelWriteRadioAction), kNone, {}},
        {"Dtmf", "dtmf 6", dtmf6, kNone, {}, {}, tool::kExitDone, false},  // the editor keeps the code
        {"Syncal", "syncal", syncal, kNone, {}},
    };
    // clang-format on
    return all;
}

class OperationPaths : public ::testing::TestWithParam<PathCase> {
  public:
    static void SetUpTestSuite() { app_ = std::make_unique<QApplication>(argc_, argv_); }
    static void TearDownTestSuite() { app_.reset(); }

  private:
    static inline int argc_ = 1;
    static inline char* argv_[] = {const_cast<char*>("test_tools"), nullptr};
    static inline std::unique_ptr<QApplication> app_;
};

TEST_P(OperationPaths, EditorAndZavtoolHoldTheSameConversation) {
    const PathCase& c = GetParam();
    const DemoContents file = demoContents();  // an edited file, unlike the radio
    test::TempDir dir;
    const std::string path = dir.file("radio.frq");
    test::writeBytes(path, encodeFrequencyFile(file.mem, file.labels));

    test::Editor e;
    prepare(e.radio, c);
    writeLabelSetting(e.settings, static_cast<int>(c.labels));
    e.create();
    for (const Answer a : c.answers) e.prompts.queueAnswer(a);
    e.doc.mem = file.mem;
    e.doc.labels = file.labels;
    e.window->afterOpen();
    e.selectGroup(3);
    c.editor(*e.window);
    e.window.reset();

    sim::SimRadio radio;
    sim::VirtualPort port{radio};
    prepare(radio, c);
    std::ostringstream out, err;
    MemorySettingsStore devices;
    tool::ToolIo io{out, err, &port, &devices};
    std::vector<std::string> args;
    std::istringstream words(c.toolArgs);
    for (std::string w; words >> w;) args.push_back(w == "FILE" ? path : w);
    args.insert(args.begin() + 1, {"--port", "1"});
    EXPECT_EQ(tool::run(args, io), c.exitStatus) << err.str();

    const auto saved = decodeFrequencyFile(test::readBytes(path));
    ASSERT_TRUE(saved.has_value());
    EXPECT_EQ(saved->image == e.doc.mem && saved->labels == e.doc.labels, c.fileAsEditor);
    EXPECT_GT(conversation(e.radio).size(), 2U);
    EXPECT_EQ(conversation(e.radio), conversation(radio)) << err.str();
}

INSTANTIATE_TEST_SUITE_P(Operations, OperationPaths, ::testing::ValuesIn(cases()),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace zav
