// The alignment window: its texts, the controls during and after a run, the log, and
// closing it during a run.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <memory>

#include "sim/synthesizer.h"
#include "support/sim_link.h"
#include "ui/alignment_window.h"

namespace zav {
namespace {

// Records what the window shows each time a message box comes up.
class WatchingPrompts final : public Prompts {
  public:
    explicit WatchingPrompts(test::ScriptedPrompts& inner) : inner_(inner) {}
    Answer ask(const Message& message) override {
        if (onAsk) onAsk();
        return inner_.ask(message);
    }
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override {
        return inner_.chooseFile(request);
    }
    std::function<void()> onAsk;

  private:
    test::ScriptedPrompts& inner_;
};

struct SyncalWindow {
    explicit SyncalWindow(sim::SynthModel model = {}) {
        synth = sim::installSynthesizer(sim.radio, model);
        sim::setBandData(sim.radio.memory());
        window = std::make_unique<AlignmentWindow>(sim.link, prompts);
        window->show();
    }
    template <class W>
    W* child(const char* name) const {
        W* w = window->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QPushButton* start() const { return child<QPushButton>("cmdStart"); }
    QLabel* log() const { return child<QLabel>("StatLabel"); }
    QStatusBar* status() const { return child<QStatusBar>("StatusBar"); }
    bool running() const { return start()->isHidden() && !log()->isHidden(); }

    test::SimLink sim;
    WatchingPrompts prompts{sim.prompts};
    std::shared_ptr<sim::Synthesizer> synth;
    std::unique_ptr<AlignmentWindow> window;
};

TEST(SyncalWindowTest, IdleWindow) {
    SyncalWindow w;
    EXPECT_EQ(w.window->windowTitle(), "Syncal");
    EXPECT_FALSE(w.window->isModal());
    EXPECT_EQ(w.child<QLabel>("Label1")->text(),
              "UHF Synthesizer alignment routine.\n\nFor reliable operation make sure the "
              "squelch knob is in the Code Guard position.");
    EXPECT_EQ(w.start()->text(), "Start Syncal");
    EXPECT_TRUE(w.start()->isVisible());
    EXPECT_TRUE(w.start()->isEnabled());
    EXPECT_FALSE(w.log()->isVisible());
    EXPECT_TRUE(QFontInfo(w.log()->font()).fixedPitch());
    EXPECT_EQ(w.status()->currentMessage(), "");
    // Closing an idle window leaves the radio alone.
    w.window->close();
    EXPECT_TRUE(w.sim.radio.transcript().hostBytes().empty());
}

TEST(SyncalWindowTest, RunFromStart) {
    SyncalWindow w;
    std::vector<std::string> seen;  // status bar texts in order
    QObject::connect(w.status(), &QStatusBar::messageChanged,
                     [&](const QString& text) { seen.push_back(text.toStdString()); });
    bool controlsDuringRun = true;
    w.sim.port.setOnYield([&] {
        if (w.synth->probes().empty()) return;
        controlsDuringRun = controlsDuringRun && w.running() && !w.start()->isEnabled();
    });
    bool logShownWithMessage = false;
    w.prompts.onAsk = [&] { logShownWithMessage = w.running(); };

    w.start()->click();

    EXPECT_TRUE(controlsDuringRun);
    EXPECT_EQ(seen, (std::vector<std::string>{"LOW BAND CALC", "HIGH BAND CALC", "MID BAND CALC",
                                              "TX BAND CALC", "LOW BAND CALC", "HIGH BAND CALC",
                                              "MID BAND CALC", ""}));
    EXPECT_EQ(w.sim.prompts.texts(),
              (std::vector<std::string>{"RADIO INIT PROCEDURE COMPLETE AND SUCCESSFUL"}));
    EXPECT_TRUE(logShownWithMessage);
    // Back to idle: Start shown and enabled, the log hidden, the status cleared.
    EXPECT_TRUE(w.start()->isVisible());
    EXPECT_TRUE(w.start()->isEnabled());
    EXPECT_FALSE(w.log()->isVisible());
    EXPECT_EQ(w.status()->currentMessage(), "");
    EXPECT_TRUE(w.window->syncal().completed());

    const QStringList lines = w.log()->text().split('\n');
    ASSERT_EQ(lines.size(), 15);  // 14 lines, each ended by a line break
    EXPECT_EQ(lines[0], "RX CALIBRATION SUCCESSFUL");
    EXPECT_EQ(lines[5], "LO/HI BAND OFFSETS   :   8 --  10");
    EXPECT_EQ(lines[7], "TX CALIBRATION SUCCESSFUL");
    EXPECT_EQ(lines[14], "");
    EXPECT_EQ(w.window->logText().substr(0, 26), "RX CALIBRATION SUCCESSFUL\r");

    // A second run starts with an empty log.
    w.sim.prompts.messages.clear();
    w.start()->click();
    EXPECT_EQ(w.log()->text().split('\n').size(), 15);
    EXPECT_EQ(w.sim.prompts.texts(),
              (std::vector<std::string>{"RADIO INIT PROCEDURE COMPLETE AND SUCCESSFUL"}));
}

TEST(SyncalWindowTest, FailedRunShowsItsMessageAndReturnsToIdle) {
    sim::SynthModel silent;
    silent.faults.silent = true;
    SyncalWindow w(silent);
    w.start()->click();
    EXPECT_EQ(w.sim.prompts.texts(),
              (std::vector<std::string>{
                  "Unable to detect sync range.\rMake sure squelch knob is in the Code Guard "
                  "position."}));
    EXPECT_TRUE(w.start()->isVisible());
    EXPECT_FALSE(w.log()->isVisible());
    EXPECT_EQ(w.log()->text(), "");
}

TEST(SyncalWindowTest, ClosingDuringARunReleasesTheRadio) {
    SyncalWindow w;
    w.sim.port.setOnYield([&] {
        if (w.synth->probes().size() == 10 && w.window->isVisible()) w.window->close();
    });
    w.start()->click();
    EXPECT_FALSE(w.window->isVisible());
    EXPECT_TRUE(w.sim.prompts.messages.empty());
    EXPECT_FALSE(w.window->syncal().running());
    EXPECT_FALSE(w.window->syncal().completed());
    EXPECT_FALSE(w.sim.port.isOpen());
    w.sim.settle();
    int releases = 0;
    for (const auto& e : w.sim.radio.transcript().entries()) releases += e.note == "release";
    EXPECT_EQ(releases, 2);  // after the parameter read, and at the close
    // Nothing was written.
    for (int a = 0x68; a < 0x78; ++a)
        EXPECT_EQ(w.sim.radio.memory()[static_cast<std::size_t>(a)], 0);
}

TEST(SyncalWindowTest, EscapeDuringARunReleasesTheRadioToo) {
    SyncalWindow w;
    w.sim.port.setOnYield([&] {
        if (w.synth->probes().size() == 5 && w.window->isVisible()) {
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(w.window.get(), &esc);
        }
    });
    w.start()->click();
    EXPECT_FALSE(w.window->isVisible());
    EXPECT_FALSE(w.sim.port.isOpen());
    EXPECT_TRUE(w.sim.prompts.messages.empty());
}

}  // namespace
}  // namespace zav
