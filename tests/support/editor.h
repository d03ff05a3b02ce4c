#pragma once
// The main window as the GUI tests drive it: scripted answers, settings and clipboard in
// memory, the real file system, and a simulated radio on a virtual clock that starts with
// the demo radio's contents, so that reads visibly change the editor. A test watches a
// transfer from the port's yield hook, and breaks the radio with radio.config().faults.

#include <gtest/gtest.h>

#include <functional>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "sim/label_memory.h"
#include "sim/virtual_port.h"
#include "support/data_home.h"
#include "support/scripted_prompts.h"
#include "ui/channel_grid_view.h"
#include "ui/config_controller.h"
#include "ui/demo_radio.h"
#include "ui/exchange_controller.h"
#include "ui/main_window.h"
#include "ui/radio_controller.h"
#include "ui/windows_controller.h"

namespace zav::test {

struct Editor {
    explicit Editor(sim::VirtualPortOptions options = {}) : port(radio, std::move(options)) {
        isolateDataHome();
        const DemoContents demo = demoContents();
        std::copy_n(demo.mem.begin(), radio.memory().size(), radio.memory().begin());
        radio.labels() = sim::labelMemoryFromImage(demo.labels);
        create();
    }
    // A new window over the same document and settings, as at the program's start.
    void create() {
        window.reset();
        window = std::make_unique<MainWindow>(doc, prompts, settings, clipboard, fs, port);
    }

    // The editor's images and the radio's labels, the bytes the tests compare.
    [[nodiscard]] MemImage& mem() { return doc.mem; }
    [[nodiscard]] LabelImage& labels() { return doc.labels; }
    [[nodiscard]] LabelImage radioLabels() const {
        return sim::labelImageFromMemory(radio.labels());
    }

    void trigger(QAction* MainMenus::*item) const { (window->menus().*item)->trigger(); }
    // The command, its file dialog answered with `file`.
    void triggerWith(QAction* MainMenus::*item, const std::string& file) {
        prompts.queueFile(file);
        trigger(item);
    }
    [[nodiscard]] std::string cell(int row, int column) const {
        return window->gridModel().cellText(row, column).toStdString();
    }
    // Opens the cell's editor, replaces its text and leaves the cell.
    void typeInCell(int row, int column, const std::string& text) const {
        ChannelGridView& grid = window->grid();
        grid.setCurrentIndex(window->gridModel().index(row, column));
        grid.edit(window->gridModel().index(row, column));
        ASSERT_NE(grid.cellEditor(), nullptr);
        grid.cellEditor()->setText(QString::fromStdString(text));
        grid.commitPendingEdit();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Makes (row, column) the grid's current cell.
    ChannelGridView& goTo(int row, int column) const {
        window->grid().setCurrentIndex(window->gridModel().index(row, column));
        return window->grid();
    }
    // Types `keys` as the user does, a press and a release each, into `target` or, when
    // none is given, into the grid's open cell editor or the grid; '\n' is Enter, '\x1b'
    // Escape.
    void typeKeys(const std::string& keys, QWidget* target = nullptr) const {
        for (const char c : keys) {
            const auto u = static_cast<unsigned char>(c);
            const int code = c == '\x1b'            ? Qt::Key_Escape
                             : c == '\n'            ? Qt::Key_Return
                             : std::isalpha(u) != 0 ? Qt::Key_A + (std::toupper(u) - 'A')
                                                    : c;  // digits, '.', '-' and blank
            const QString text = std::isprint(u) != 0 ? QString(QLatin1Char(c)) : QString();
            for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QWidget* to = target != nullptr ? target : window->grid().cellEditor();
                QKeyEvent event(type, code, Qt::NoModifier, text);
                QApplication::sendEvent(to != nullptr ? to : &window->grid(), &event);
            }
        }
        QApplication::processEvents();
    }
    // Keys as the window system delivers them, to the window (shown and made active first):
    // shortcuts first, then each press and each release to whichever widget has the focus
    // at that moment. '\n' is Enter, "{End}" a key by its name.
    void pressKeys(std::string_view keys) const {
        if (!window->isActiveWindow()) {
            window->show();
            window->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        }
        QWindow* to = window->windowHandle();
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] == '\n') {
                QTest::keyClick(to, Qt::Key_Return);
            } else if (keys[i] == '{') {
                const std::size_t end = keys.find('}', i);
                const QKeySequence named(
                    QString::fromLatin1(keys.data() + i + 1, static_cast<qsizetype>(end - i - 1)));
                QTest::keyClick(to, named[0].key());
                i = end;
            } else {
                QTest::keyClick(to, keys[i]);
            }
        }
    }
    // The modal dialog the command opens, handed to `answer` from inside its event loop.
    template <typename Dialog>
    void inModal(QAction* MainMenus::*item, std::function<void(Dialog&)> answer) const {
        QTimer::singleShot(
            0, [answer] { answer(*qobject_cast<Dialog*>(QApplication::activeModalWidget())); });
        trigger(item);
    }
    // Picks a group by its number in the selector, as the user does.
    void selectGroup(int number) const {
        QComboBox* c = window->controls().currentGroupCombo;
        c->setCurrentIndex(c->findText(QString::number(number)));
    }

    Document doc;
    ScriptedPrompts prompts;
    MemorySettingsStore settings;
    MemoryClipboard clipboard;
    DiskFileSystem fs;
    sim::SimRadio radio;
    sim::VirtualPort port;
    std::unique_ptr<MainWindow> window;
};

}  // namespace zav::test
