// Every radio operation once from the editor's window and once through zavtool's
// command (with --trace and --verbose, which must change nothing), each against its own
// simulated radio in the same state: the two conversations must be the same byte for byte,
// since both run the operations layer.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSlider>
#include <algorithm>

#include "files/frequency_file.h"
#include "files/settings.h"
#include "sim/synthesizer.h"
#include "support/editor.h"
#include "support/temp_dir.h"
#include "tool_process.h"
#include "ui/alignment_window.h"
#include "ui/globals_window.h"

namespace zav {
namespace {

using EditorStep = std::function<void(MainWindow&)>;

struct PathCase {
    const char* name;
    const char* toolArgs;  // FILE stands for the file; --labels means the editor's Always
    EditorStep editor;
    std::vector<Answer> answers;  // the editor's answers to its questions
    bool fileAsEditor = true;     // the tool's file ends as the editor's document
};

EditorStep menu(QAction* MainMenus::*item) {
    return [item](MainWindow& w) { (w.menus().*item)->trigger(); };
}

// The default image and labels, band data and a synthesizer.
void prepare(sim::SimRadio& radio) {
    tooltest::loadDefaults(radio);
    radio.labels() = sim::labelMemoryFromImage(Document().labels);
    sim::installSynthesizer(radio);
}

void dtmf6(MainWindow& w) {
    w.menus().globalsAction->trigger();
    w.windows().globalsWindow()->findChild<QSlider*>()->setValue(6);
    w.windows().globalsWindow()->sendDtmfDeviation();
}
void syncal(MainWindow& w) {
    w.menus().syncalAction->trigger();
    w.windows().syncalWindow()->startAlignment();
}

using A = Answer;
using M = MainMenus;
// Failures are the operations tests' business: here every operation runs to its end.
// clang-format off
const PathCase kCases[] = {
    {"Read", "read --labels --force FILE", menu(&M::readRadioAction), {}},
    {"ReadGlobal", "read-global FILE", menu(&M::readGlobalAction), {}},
    {"ReadGroup", "read-group --group 3 FILE", menu(&M::readGroupAction), {}},
    {"Write", "write --labels FILE", menu(&M::writeRadioAction), {A::Ok, A::Yes}},
    {"WriteSkipGlobal", "write --skip-global FILE", menu(&M::writeRadioAction), {A::Ok, A::No}},
    {"WriteGlobal", "write-global FILE", menu(&M::writeGlobalAction), {A::Ok}},
    {"WriteGroup", "write-group --group 3 --labels FILE", menu(&M::writeGroupAction), {A::Ok}},
    {"ReadLabelsGroup", "read-labels --group 3 FILE", menu(&M::labelReadGroupAction), {}},
    {"ReadLabels", "read-labels FILE", menu(&M::labelReadRadioAction), {}},
    {"WriteLabelsGroup", "write-labels --group 3 FILE", menu(&M::labelWriteGroupAction), {}},
    {"WriteLabels", "write-labels FILE", menu(&M::labelWriteRadioAction), {}},
    {"Dtmf", "dtmf 6", dtmf6, {}, false},  // the editor keeps the code
    {"Syncal", "syncal", syncal, {}},
};
// clang-format on

TEST(OperationPaths, EditorAndZavtoolHoldTheSameConversation) {
    int argc = 1;
    char* argv[] = {const_cast<char*>("test_tools"), nullptr};
    const QApplication app(argc, argv);
    for (const PathCase& c : kCases) {
        SCOPED_TRACE(c.name);
        const DemoContents file = demoContents();  // an edited file, unlike the radio
        test::TempDir dir;
        const std::string path = dir.file("radio.frq");
        test::writeBytes(path, encodeFrequencyFile(file.mem, file.labels));
        std::string args = std::string(c.toolArgs) + " ";
        args.insert(args.find(' '), " --port 1");
        if (const auto at = args.find("FILE"); at != std::string::npos) args.replace(at, 4, path);
        const bool labels = args.find("--labels") != std::string::npos;

        test::Editor e;
        prepare(e.radio);
        writeLabelSetting(e.settings, labels ? LabelSetting::Always : LabelSetting::Never);
        e.create();
        for (const Answer a : c.answers) e.prompts.queueAnswer(a);
        e.doc.mem = file.mem;
        e.doc.labels = file.labels;
        e.window->afterOpen();
        e.window->markClean();  // as the file menu leaves an opened file
        e.selectGroup(3);
        c.editor(*e.window);
        e.window.reset();

        sim::SimRadio radio;
        prepare(radio);
        const tooltest::ToolRun run = tooltest::runInProcess(
            "--verbose --trace " + dir.file("trace.txt") + " " + args, &radio);
        EXPECT_EQ(run.status, tool::kExitDone) << run.output;

        const auto saved = decodeFrequencyFile(test::readBytes(path));
        ASSERT_TRUE(saved.has_value());
        EXPECT_EQ(saved->image == e.doc.mem && saved->labels == e.doc.labels, c.fileAsEditor);
        EXPECT_GT(tooltest::conversation(e.radio).size(), 2U);
        EXPECT_EQ(tooltest::conversation(e.radio), tooltest::conversation(radio)) << run.output;
        const std::string traced = test::readText(dir.file("trace.txt"));
        EXPECT_GT(std::ranges::count(traced, '\n'), 20);
        // The trace and the steps on stderr say which command ran and how it ended.
        EXPECT_TRUE(traced.starts_with("# serial trace begun ")) << traced.substr(0, 80);
        EXPECT_NE(traced.find(" ends: done\n"), std::string::npos);
        EXPECT_NE(run.output.find("zav.link: hooking the radio on "), std::string::npos);
        EXPECT_NE(run.output.find(" ends: done\n"), std::string::npos) << run.output;
    }
}

}  // namespace
}  // namespace zav
