// The editor opening any image and labels (offscreen): the main window shows every group
// the page map lists, one after the other as the user picks them in the selector, and the
// global parameters window opens on it; no crash, and looking changes nothing: the
// document is as opened and the editor has no unsaved changes.
//
// Input: the image, then the labels (missing bytes are zeros).

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "files/file_system.h"
#include "fuzz_check.h"
#include "iface/clipboard.h"
#include "iface/prompts.h"
#include "iface/settings_store.h"
#include "model/document.h"
#include "sim/sim_radio.h"
#include "sim/virtual_port.h"
#include "ui/group_controls.h"
#include "ui/main_window.h"

using namespace zav;
using zav::fuzz::FuzzInput;
using zav::fuzz::require;

namespace {

// Nobody answers: every question gets its cautious answer.
class NoAnswers final : public Prompts {
  public:
    Answer ask(const Message& message) override {
        return message.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    std::optional<std::string> chooseFile(const FileDialogRequest& /*request*/) override {
        return std::nullopt;
    }
};

QApplication& application() {
    static int argc = 1;
    static char name[] = "editor_image_fuzz";
    static char* argv[] = {name, nullptr};
    static const bool offscreen = (setenv("QT_QPA_PLATFORM", "offscreen", 0), true);
    (void)offscreen;
    static QApplication app(argc, argv);
    return app;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    application();
    FuzzInput input(data, size);
    Document doc;
    for (Byte& b : doc.mem) b = input.takeByte();
    for (Byte& b : doc.labels) b = input.takeByte();
    NoAnswers prompts;
    MemorySettingsStore settings;
    MemoryClipboard clipboard;
    DiskFileSystem files;
    sim::SimRadio radio;
    sim::VirtualPort port(radio);
    const auto window =
        std::make_unique<MainWindow>(doc, prompts, settings, clipboard, files, port);
    window->afterOpen();
    window->markClean();
    const MemImage mem = doc.mem;
    const LabelImage labels = doc.labels;
    QComboBox* selector = window->controls().currentGroupCombo;
    for (int i = 0; i < selector->count(); ++i) {
        selector->setCurrentIndex(i);
        QApplication::processEvents();
    }
    window->menus().globalsAction->trigger();
    QApplication::processEvents();
    window->finishEntries();
    require(!doc.modified() && !window->isWindowModified(), "looking at a file changes nothing");
    require(doc.mem == mem && doc.labels == labels, "the document is as opened");
    return 0;
}
