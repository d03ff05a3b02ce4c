// The Syncal window's run against the simulated synthesizer: the controls while it runs,
// the log beside the closing message, a failed run, and closing the window mid-run; and
// demo mode, the editor on the real serial port against the simulated radio.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "files/settings.h"
#include "sim/synthesizer.h"
#include "support/sim_link.h"
#include "support/temp_dir.h"
#include "ui/alignment_window.h"
#include "ui/channel_grid_model.h"
#include "ui/demo_radio.h"
#include "ui/main_window.h"
#include "ui/overlay_settings.h"
#include "ui/text_report.h"
#include "ui/windows_controller.h"

namespace zav {
namespace {

// The window with its own prompts, which note whether the run's log is shown beside the
// message that ends it.
struct Syncal final : Prompts {
    Syncal() {
        synth = sim::installSynthesizer(sim.radio, {});
        sim::setBandData(sim.radio.memory());
        window = std::make_unique<AlignmentWindow>(sim.link, *this, report);
        window->show();
    }
    Answer ask(const Message& m) override {
        logWithMessage = running();
        return sim.prompts.ask(m);
    }
    std::optional<std::string> chooseFile(const FileDialogRequest&) override { return saveTo; }
    QPushButton* start() const {
        return window->findChild<QPushButton*>(QStringLiteral("cmdStart"));
    }
    QLabel* log() const { return window->findChild<QLabel*>(QStringLiteral("StatLabel")); }
    bool running() const { return start()->isHidden() && log()->isVisible(); }

    test::SimLink sim;
    std::shared_ptr<sim::Synthesizer> synth;
    DiskFileSystem fs;
    std::optional<std::string> saveTo;
    Printout printed;
    TextReport report{*this, fs, [this](const Printout& p) {
                          printed = p;
                          return true;
                      }};
    std::unique_ptr<AlignmentWindow> window;
    bool logWithMessage = false;
};

// A run shows its log, in columns that line up, with its closing message, then the window
// is idle again (Start the default button) and the log stays, to be saved or printed; a
// second run starts with an empty log; a failed run says why (the run's own message) and
// returns to idle, at the idle size, with an empty log.
TEST(SyncalWindow, ARunShowsItsLogWithTheClosingMessageAndReturnsToIdle) {
    Syncal s;
    QApplication::processEvents();
    const QSize idle = s.window->size();
    bool runningThroughout = true, grew = false;
    s.sim.port.setOnYield([&] {
        runningThroughout = runningThroughout && (s.synth->probes().empty() || s.running()) &&
                            !s.start()->isEnabled();
        grew = grew || s.window->height() > idle.height();
    });
    s.start()->click();
    QApplication::processEvents();
    // Running throughout, grown, the log beside the message, done, idle with the log kept.
    EXPECT_EQ(std::tuple(runningThroughout, grew, s.logWithMessage, s.window->syncal().completed(),
                         s.log()->isVisible() && s.start()->isVisible() && s.start()->isDefault()),
              std::tuple(true, true, true, true, true));
    const QStringList lines = s.log()->text().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 14);
    const QFontMetricsF metrics(s.log()->font());  // every character takes the same width
    for (const QString& line : lines)
        EXPECT_NEAR(metrics.horizontalAdvance(line),
                    static_cast<double>(line.size()) * metrics.horizontalAdvance(QChar('0')), 0.5)
            << line.toStdString();
    const test::TempDir dir;
    s.saveTo = dir.file("syncal.txt");
    for (const char* button : {"cmdSaveReport", "cmdPrintReport"})
        s.window->findChild<QPushButton*>(QString::fromLatin1(button))->click();
    const std::string saved = test::readText(*s.saveTo);
    EXPECT_EQ(saved, s.log()->text().toStdString());
    EXPECT_EQ(plainText(s.printed), saved);
    s.start()->click();
    EXPECT_EQ(s.log()->text().split('\n', Qt::SkipEmptyParts).size(), 14);
    s.synth->model().faults.silent = true;
    s.start()->click();
    EXPECT_EQ(
        std::tuple(s.sim.prompts.texts().size(), s.start()->isVisible() && s.start()->isEnabled(),
                   s.log()->isVisible(), s.log()->text(), s.window->size()),
        std::tuple(3U, true, false, QString(), idle));
}

// Closing the window or pressing Escape mid-run abandons the run and frees the port (what
// the radio is left with is the run's own test).
TEST(SyncalWindow, LeavingMidRunReleasesTheRadio) {
    for (const bool escape : {false, true}) {
        Syncal s;
        s.sim.port.setOnYield([&] {
            if (s.synth->probes().size() != 10 || !s.window->isVisible()) return;
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            if (escape)
                QApplication::sendEvent(s.window.get(), &esc);
            else
                s.window->close();
        });
        s.start()->click();
        EXPECT_FALSE(s.window->isVisible()) << escape;
        EXPECT_FALSE(s.window->syncal().running() || s.window->syncal().completed()) << escape;
        EXPECT_FALSE(s.sim.port.isOpen()) << escape;
        EXPECT_TRUE(s.sim.prompts.texts().empty()) << escape;
    }
}

// Demo mode as a technician uses it: the simulated radio on a pseudo-terminal served by
// its own thread, the editor on the real serial port code. Read the radio with its labels
// and run Syncal; the user's own port setting is left alone.
TEST(DemoMode, ATechniciansSessionAgainstTheSimulatedRadio) {
    DemoRadio demo;
    MemorySettingsStore user;
    OverlaySettingsStore settings(user, "Comm");
    for (const SettingKey& key : settings::kDevice) writeText(settings, key, demo.devicePath());
    writeLabelSetting(settings, LabelSetting::Always);
    Document doc;
    test::ScriptedPrompts prompts;
    MemoryClipboard clipboard;
    DiskFileSystem fs;
    MainWindow window(doc, prompts, settings, clipboard, fs);
    window.showSimulatedRadio(demo.devicePath());
    // The caption names the simulated radio only while the port opens it.
    writeText(settings, settings::kDevice[1], "/dev/ttyUSB1");
    for (const int port : {2, 1}) {
        window.menus().portActions.at(static_cast<std::size_t>(port - 1))->trigger();
        EXPECT_EQ(window.windowTitle().endsWith(kSimulatedCaption), port == 1) << port;
    }
    window.menus().readRadioAction->trigger();
    EXPECT_EQ(prompts.texts(),
              (std::vector<std::string>{"All labels read OK.", "All groups read OK."}));
    EXPECT_EQ(window.gridModel().cellText(0, kColLabel).toStdString(), "DISP 1  ");
    window.menus().syncalAction->trigger();
    window.windows().syncalWindow()->startAlignment();
    EXPECT_EQ(prompts.texts().back(), "RADIO INIT PROCEDURE COMPLETE AND SUCCESSFUL");
    EXPECT_TRUE(user.read("Comm", "Device1", "").empty());  // the demo's port stays its own
    window.setExitWithoutAsking(true);
}

}  // namespace
}  // namespace zav
