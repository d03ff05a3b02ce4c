#pragma once
// The main window wired to a simulated radio on a virtual clock: scripted answers,
// settings and clipboard in memory, and every wait of a transfer costing no real time.
// The radio starts with the demo radio's contents, so reads visibly change the editor.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/file_system.h"
#include "iface/clipboard.h"
#include "iface/settings_store.h"
#include "model/document.h"
#include "sim/label_memory.h"
#include "sim/sim_radio.h"
#include "sim/virtual_port.h"
#include "support/scripted_prompts.h"
#include "ui/demo_radio.h"
#include "ui/main_window.h"
#include "ui/progress_window.h"

namespace zav::test {

struct RadioEditor {
    explicit RadioEditor(sim::SimConfig config = {}, sim::VirtualPortOptions options = {})
        : radio(config), port(radio, std::move(options)) {
        const DemoContents demo = demoContents();
        std::copy_n(demo.mem.begin(), radio.memory().size(), radio.memory().begin());
        radio.labels() = sim::labelMemoryFromImage(demo.labels);
        // What the progress window says whenever a transfer waits.
        port.setOnYield([this] {
            const ProgressWindow& proc = window->progress();
            const std::string text = proc.isVisible() ? proc.info()->text().toStdString() : "";
            if (progressTexts.empty() || progressTexts.back() != text)
                progressTexts.push_back(text);
            if (onYield) onYield();
        });
    }
    void create() {
        window = std::make_unique<MainWindow>(doc, prompts, settings, clipboard, fs, port);
    }

    // The radio's memory and labels as the editor's images hold them.
    [[nodiscard]] MemImage radioImage() const {
        MemImage m{};
        std::copy(radio.memory().begin(), radio.memory().end(), m.begin());
        return m;
    }
    [[nodiscard]] LabelImage radioLabels() const {
        return sim::labelImageFromMemory(radio.labels());
    }
    [[nodiscard]] std::vector<Byte> sent() const { return radio.transcript().hostBytes(); }

    void selectGroup(int number) const {
        QComboBox* c = window->controls().currentGroupCombo;
        c->setCurrentIndex(c->findText(QString::number(number)));
    }
    // Runs a menu item as the user would.
    static void trigger(QAction* action) { action->trigger(); }

    Document doc;
    ScriptedPrompts prompts;
    MemorySettingsStore settings;
    MemoryClipboard clipboard;
    DiskFileSystem fs;
    sim::SimRadio radio;
    sim::VirtualPort port;
    std::unique_ptr<MainWindow> window;
    // Distinct progress window texts seen during waits ("" while hidden).
    std::vector<std::string> progressTexts;
    std::function<void()> onYield;
};

}  // namespace zav::test
