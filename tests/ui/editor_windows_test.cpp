// The main window's windows and commands, for what only the window can show: edits still
// in the group's controls, the grid's open cell and the global parameters window reach
// the radio before a write, and after a read (or a label read that broke off) the controls
// show the document; the global parameters window shows the image when activated, stores
// the user's edits when left, moves the deviation list and slider together and writes the
// deviation live. Outcomes under every fault are the operations' tests.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTreeWidget>

#include "files/frequency_file.h"
#include "link/port_devices.h"
#include "link/trace_port.h"
#include "model/globals.h"
#include "model/memory_map.h"
#include "ops/radio_operations.h"
#include "support/editor.h"
#include "support/temp_dir.h"
#include "ui/fleet_write_dialog.h"
#include "ui/globals_window.h"
#include "ui/status_line.h"

namespace zav::test {
namespace {

using M = MainMenus;
using R = RadioOperations;

struct MenuCase {
    const char* name;
    QAction* MainMenus::*item;
    int labels;  // the label setting: 0 always, 2 ask
    std::vector<Answer> answers;
    std::vector<std::string> told;
    bool channel = false, label = false, globals = false;  // the edits the radio must hold
    bool breakLabels = false;
};

// Group 2's label, its first Rec Freq in the open cell editor and the password, none of
// them stored yet.
void typeIntoTheWindows(Editor& e) {
    e.selectGroup(2);
    e.trigger(&M::globalsAction);
    QLineEdit* label = e.window->controls().groupLabelEdit;  // typed, its entry not ended
    label->selectAll();
    e.typeKeys("TYPED", label);  // the globals window has been activated meanwhile
    QLineEdit* password = e.window->windows().globalsWindow()->findChild<QLineEdit*>();
    password->clear();
    password->insert(QStringLiteral("ABC"));
    ChannelGridView& grid = e.goTo(0, kColRecFreq);
    grid.edit(grid.currentIndex());
    grid.cellEditor()->setText(QStringLiteral("452.5"));
}

class RadioMenu : public ::testing::TestWithParam<MenuCase> {};

TEST_P(RadioMenu, WritesTheEditsInTheWindowsAndShowsTheDocumentAfterwards) {
    const MenuCase& c = GetParam();
    Editor e;
    e.window->menus().labelChoiceActions[static_cast<std::size_t>(c.labels)]->trigger();
    e.radio.config().faults.labelMissFrame = c.breakLabels ? 1 : std::optional<int>{};
    e.radio.config().faults.labelMisses = 4;
    typeIntoTheWindows(e);
    for (const Answer a : c.answers) e.prompts.queueAnswer(a);
    e.trigger(c.item);
    EXPECT_EQ(e.prompts.texts(), c.told);
    // The status bar names the copy the radio history kept of the read or the radio.
    EXPECT_EQ(e.window->status().message().contains(QStringLiteral(" Radio history: /")),
              !c.breakLabels);
    const auto held = [&](std::size_t from, std::size_t n) {  // the radio holds the image's bytes
        return std::equal(e.mem().begin() + from, e.mem().begin() + from + n,
                          e.radio.memory().begin() + from);
    };
    if (c.channel)
        EXPECT_TRUE(e.cell(0, kColRecFreq) == "452.50000" && held(2 * kPageSize, kPageSize));
    if (c.globals) EXPECT_TRUE(readGlobalParams(e.mem()).password == "000ABC" && held(96, 3));
    if (c.label) EXPECT_EQ(e.doc.group(1)->readGroupLabel().substr(0, 5), "TYPED");
    for (std::size_t i = 1; c.label && i < kLabelImageSize; i += kGroupCount)  // group 2's labels
        EXPECT_EQ(e.radioLabels()[i], e.labels()[i]) << i;
    if (c.item == &M::writeGlobalAction) return;  // the group's edits stay in its controls
    const Group& shown = *e.doc.group(e.doc.shownGroup());
    EXPECT_EQ(e.window->controls().groupLabelEdit->text().toStdString(), shown.readGroupLabel());
    EXPECT_EQ(e.window->controls().idEdit->text().toStdString(), shown.readIdNum());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Commands, RadioMenu, ::testing::Values(
    MenuCase{"WriteRadio", &M::writeRadioAction, 0, {Answer::Ok, Answer::Yes},
             {R::kConfirmWrite, R::kAskWriteGlobal, "All labels written OK.", "All groups written OK."}, true, true, true},
    MenuCase{"WriteGroup", &M::writeGroupAction, 0, {Answer::Ok}, {R::kConfirmWrite, "Group 2 labels written OK."}, true, true},
    MenuCase{"WriteGroupAskNo", &M::writeGroupAction, 2, {Answer::Ok, Answer::No}, {R::kConfirmWrite, R::kAskWriteLabels}, true},
    MenuCase{"WriteGlobal", &M::writeGlobalAction, 0, {Answer::Ok}, {R::kConfirmWrite}, false, false, true},
    MenuCase{"LabelWriteGroup", &M::labelWriteGroupAction, 0, {}, {"Group 2 labels written OK."}, false, true},
    MenuCase{"LabelWriteRadio", &M::labelWriteRadioAction, 0, {}, {"All labels written OK."}, false, true},
    MenuCase{"ReadRadioAskYes", &M::readRadioAction, 2, {Answer::No, Answer::Yes}, {R::kAskSaveBeforeRead, R::kAskReadLabels, "All labels read OK.", "All groups read OK."}},
    MenuCase{"ReadRadioAskNo", &M::readRadioAction, 2, {Answer::No, Answer::No}, {R::kAskSaveBeforeRead, R::kAskReadLabels, "All groups read OK."}},
    MenuCase{"ReadGroup", &M::readGroupAction, 0, {Answer::No}, {R::kAskSaveBeforeRead, "Group 2 labels read OK."}},
    MenuCase{"BrokenLabelReadGroup", &M::labelReadGroupAction, 0, {Answer::No}, {R::kAskSaveBeforeRead, "Unable to upload data from radio"}, false, false, false, true}),
    [](const auto& test) { return std::string(test.param.name); });
// clang-format on

// Radio > Write Fleet...: the edits still in the windows and each radio's unit number reach
// every radio that answers, on threads of their own, a silent one listed as failed. The
// same window then reads two radios into a file each (the pattern's {port}), listing the
// file the radio history kept of each, and writes the editor's labels to both: a radio
// whose echo goes wrong part-way fails alone and keeps its bar where it got. The log has
// a row per radio of every run; Escape while the radios run cancels them, the window stays.
TEST(FleetWindow, WritesReadsAndWritesLabelsListingEveryRadio) {
    Editor e;
    TempDir dir;
    std::array<std::unique_ptr<sim::SimRadio>, 3> radios;
    const auto restart = [&] {  // switched off and on: each radio's clock starts again
        for (auto& radio : radios) {
            auto fresh = std::make_unique<sim::SimRadio>();
            fresh->memory() = radio ? radio->memory() : e.radio.memory();
            radio = std::move(fresh);
        }
    };
    restart();
    radios[1]->config().faults.silent = true;
    const auto open = [&](const std::string& device) {  // "sim<radio>"
        return std::make_unique<sim::VirtualPort>(*radios.at(std::stoul(device.substr(3))));
    };
    e.window->radioCommands().setFleetPorts(open, runOnThreads);
    typeIntoTheWindows(e);
    e.trigger(&M::writeFleetAction);
    FleetWriteDialog* d = e.window->radioCommands().fleetWriteDialog();
    auto* ports = d->findChild<QPlainTextEdit*>();
    ports->setPlainText(QStringLiteral("sim0\nsim1\n sim2 \n"));
    d->findChild<QCheckBox*>(QStringLiteral("chkUnits"))->setChecked(true);
    d->findChild<QSpinBox*>()->setValue(700);
    for (const auto& [name, text] : {std::pair("txtUnitGroups", std::string("2")),
                                     {"txtLog", dir.file("log.csv")},
                                     {"txtFiles", dir.file("r-{port}.frq")}})
        d->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromStdString(text));
    auto* operation = d->findChild<QComboBox*>(QStringLiteral("cmbOperation"));
    const QTreeWidget* list = d->findChild<QTreeWidget*>();
    const auto state = [&](int row) { return list->topLevelItem(row)->text(3).toStdString(); };
    const auto run = [&](int chosen, bool escape = false) {
        operation->setCurrentIndex(chosen);
        e.prompts.queueAnswer(Answer::Ok);
        d->findChild<QPushButton*>(QStringLiteral("btnStart"))->click();
        if (escape) QTest::keyClick(d, Qt::Key_Escape);
        const auto* cancel = d->findChild<QPushButton*>(QStringLiteral("btnCancel"));
        if (escape) EXPECT_TRUE(d->isVisible() && !cancel->isEnabled());
        while (d->running()) QTest::qWait(5);
        QApplication::processEvents();
    };
    run(0);
    ASSERT_EQ(list->topLevelItemCount(), 3);
    for (int k = 0; k < 3; ++k)
        EXPECT_THAT(state(k), ::testing::StartsWith(k == 1 ? "Failed" : "Written"));
    for (const std::size_t k : {0U, 2U}) {
        Document held;
        std::copy_n(radios[k]->memory().begin(), kRadioMemorySize, held.mem.begin());
        held.reloadGroups();
        EXPECT_EQ(held.group(1)->display(0)[kColRecFreq], "452.50000") << k;
        EXPECT_EQ(held.group(1)->readIdNum(), "000070" + std::to_string(k)) << k;
        EXPECT_EQ(held.group(2)->readIdNum(), e.doc.group(2)->readIdNum()) << k;
        EXPECT_EQ(readGlobalParams(held.mem).password, "000ABC");
    }

    restart();
    for (std::size_t k = 0; k < 2; ++k) radios[k]->memory()[200 + k] ^= 0x11;  // each its own
    ports->setPlainText(QStringLiteral("sim0\nsim1"));
    run(1);
    for (int k = 0; k < 2; ++k) {
        const std::string file = dir.file("r-sim" + std::to_string(k) + ".frq");
        const auto read = decodeFrequencyFile(readBytes(file));
        ASSERT_TRUE(read) << file;
        EXPECT_TRUE(std::ranges::equal(radios.at(static_cast<std::size_t>(k))->memory(),
                                       std::span(read->image).first(kRadioMemorySize)));
        EXPECT_EQ(state(k), "Read into " + file);
        EXPECT_THAT(list->topLevelItem(k)->text(4).toStdString(), ::testing::EndsWith(".frq"));
    }

    for (std::size_t i = 0; i < e.doc.labels.size(); ++i)
        e.doc.labels[i] = static_cast<Byte>('A' + i % 26);
    restart();
    radios[1]->config().faults.wrongEcho = 900;
    run(2);
    EXPECT_EQ(radios[0]->labels(), sim::labelMemoryFromImage(e.doc.labels));
    EXPECT_THAT(state(0), ::testing::StartsWith("Labels written"));
    EXPECT_THAT(state(1), ::testing::StartsWith("Failed"));
    const auto* bar = qobject_cast<QProgressBar*>(list->itemWidget(list->topLevelItem(1), 2));
    EXPECT_TRUE(bar->value() > 0 && bar->value() < bar->maximum()) << bar->value();
    EXPECT_EQ(d->findChild<QLabel*>(QStringLiteral("lblSummary"))->text(),
              "2 radios: 1 labels written, 1 failed.");
    EXPECT_EQ(std::ranges::count(readBytes(dir.file("log.csv")), '\n'), 8);
    EXPECT_EQ(e.prompts.messages.size(), 3U);  // each run's one question, nothing refused
    run(2, true);
}

// The last port, the verify, backup and trace checks hold at the next start, and the
// port's device is opened next; the trace goes on in a new file, shown in the status bar.
TEST(RadioMenuChoices, HoldAtTheNextStart) {
    Editor e;
    TempDir dir;
    const auto last = static_cast<std::size_t>(kLastPortNumber - 1);
    e.window->menus().portActions[last]->trigger();
    // Backup stays on until unchecked.
    for (const auto item : {&M::verifyAction, &M::backupAction}) e.trigger(item);
    e.triggerWith(&M::traceAction, dir.file("trace.txt"));
    e.create();
    const auto tracing = [&] {
        return std::pair(e.window->configCommands().tracing(), e.window->status().showsTrace());
    };
    EXPECT_EQ(std::tuple(e.window->menus().portActions[last]->isChecked(),
                         e.window->radioOperations().verifyAfterWrite(),
                         e.window->menus().backupAction->isChecked(), tracing()),
              std::tuple(true, true, false, std::pair(true, true)));
    e.trigger(&M::readGlobalAction);
    EXPECT_EQ(e.port.device(), defaultPortDevice(kLastPortNumber));
    // The start traces into a file of its own beside the chosen one, which keeps only what
    // the first run wrote.
    const std::string resumed = e.window->trace().path();
    EXPECT_TRUE(resumed.starts_with(dir.file("trace-")) && resumed.ends_with(".txt")) << resumed;
    EXPECT_TRUE(readBytes(dir.file("trace.txt")).size() < 500U && readBytes(resumed).size() > 500U);
    // Save Diagnostics holds that trace and the log of the read, in one file.
    e.triggerWith(&M::diagnosticsAction, dir.file("diagnostics.txt"));
    const std::string diagnostics = readText(dir.file("diagnostics.txt"));
    for (const std::string& part :
         {std::string("== Settings ==\n"), "file: " + resumed + "\n",
          std::string("# serial trace begun "), std::string("zav.ops: Read Global ends: done\n")})
        EXPECT_NE(diagnostics.find(part), std::string::npos) << part;
    // One that cannot be written is told, as a file command's failure is.
    const std::size_t told = e.prompts.messages.size();
    e.triggerWith(&M::diagnosticsAction, dir.file("no/such/folder.txt"));
    EXPECT_EQ(e.prompts.messages.size(), told + 1);
    // Off, then a FIFO chosen: refused without waiting on it.
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    e.trigger(&M::traceAction);
    e.triggerWith(&M::traceAction, dir.file("fifo"));
    EXPECT_EQ(tracing(), std::pair(false, false));
}

// The window shows the image when activated and stores the edits when left (an Undo
// step), not again once the image changed; the deviation list and slider move together and store
// the code; the live write reaches the radio, the window not closing while it waits; Read Global
// shows the radio's code.
TEST(GlobalsWindow, ShowsTheImageStoresTheEditsAndWritesTheDeviationLive) {
    Editor e;
    e.mem()[0x6F] = 0xFD;
    e.trigger(&MainMenus::globalsAction);
    GlobalsWindow* w = e.window->windows().globalsWindow();
    const auto send = [w](QEvent::Type type) {
        QApplication::sendEvent(w, std::make_unique<QEvent>(type).get());
    };
    e.mem()[96] = 0x12;  // changed meanwhile: shown again when the window is activated
    send(QEvent::WindowActivate);
    EXPECT_EQ(w->formValues().password, readGlobalParams(e.mem()).password);
    const MemImage before = e.mem();
    auto* rate = w->findChild<QComboBox*>(QStringLiteral("cboPriRate"));
    const int shown = rate->currentIndex();
    rate->setCurrentIndex(3);
    EXPECT_EQ(readGlobalParams(e.mem()).priRate, 3);  // a chosen entry is stored at once
    e.trigger(&MainMenus::undoAction);                // and taken back by Undo
    EXPECT_EQ(rate->currentIndex(), shown);
    QLineEdit* pw = w->findChild<QLineEdit*>();  // six hexadecimal digits
    pw->clear();
    for (const char c : std::string_view("1g2Z3")) pw->insert(QString(QChar::fromLatin1(c)));
    EXPECT_TRUE(pw->text() == "123" && e.mem() == before);
    send(QEvent::WindowDeactivate);
    const MemImage stored = e.mem();
    EXPECT_EQ(readGlobalParams(stored).password, "000123");
    e.trigger(&MainMenus::undoAction);  // leaving the window made one step
    EXPECT_EQ(e.mem(), before);
    e.trigger(&MainMenus::redoAction);
    EXPECT_EQ(e.mem(), stored);
    e.mem()[119] = 0x5B;  // a file opened meanwhile: the open window keeps its hands off
    send(QEvent::WindowDeactivate);
    EXPECT_EQ(e.mem()[119], 0x5B);
    auto* deviation = w->findChild<QComboBox*>(QStringLiteral("cboDTMFDev"));
    auto* slider = w->findChild<QSlider*>();
    EXPECT_EQ(slider->value(), 31);
    deviation->setCurrentIndex(1);
    EXPECT_EQ(e.mem()[0x6F], 0x0D);
    slider->setValue(28);
    slider->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(std::pair(deviation->currentIndex(), int{e.mem()[0x6F]}), std::pair(23, 23 * 8 + 5));
    e.trigger(&MainMenus::undoAction);  // each move is a step
    EXPECT_EQ(e.mem()[0x6F], 28 * 8 + 5);
    e.trigger(&MainMenus::redoAction);
    bool closed = true;
    e.port.setOnYield([&, waits = 0]() mutable { closed = waits++ == 3 ? w->close() : closed; });
    w->findChild<QPushButton*>()->click();
    EXPECT_EQ(std::tuple(closed, w->lastWriteResult()->outcome, e.radio.memory()[0x6F] >> 3),
              std::tuple(false, Outcome::Done, 23));
    e.port.setOnYield({});
    e.radio.memory()[0x6F] = 0x18;      // deviation code 3
    e.prompts.queueAnswer(Answer::No);  // the edits are given up
    e.trigger(&MainMenus::readGlobalAction);
    EXPECT_EQ(deviation->currentIndex(), 3);
}

}  // namespace
}  // namespace zav::test
