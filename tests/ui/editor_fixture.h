#pragma once
// A main window with injected dependencies: scripted answers, settings in memory, a
// clipboard in memory and the real file system (files go to a temporary folder).

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <filesystem>
#include <memory>
#include <string>

#include "files/file_system.h"
#include "iface/clipboard.h"
#include "iface/settings_store.h"
#include "model/document.h"
#include "support/scripted_prompts.h"
#include "ui/channel_grid_model.h"
#include "ui/channel_grid_view.h"
#include "ui/main_window.h"

namespace zav::test {

struct Editor {
    Document doc;
    ScriptedPrompts prompts;
    MemorySettingsStore settings;
    MemoryClipboard clipboard;
    DiskFileSystem fs;
    std::unique_ptr<MainWindow> window;

    Editor() { create(); }
    void create() { window = std::make_unique<MainWindow>(doc, prompts, settings, clipboard, fs); }

    ChannelGridView& grid() const { return window->grid(); }
    ChannelGridModel& model() const { return window->gridModel(); }
    std::string cell(int row, int column) const {
        return model().cellText(row, column).toStdString();
    }

    // Opens the cell's editor, types the text over its contents and leaves the cell.
    void typeInCell(int row, int column, const std::string& text) const {
        grid().setCurrentIndex(model().index(row, column));
        grid().edit(model().index(row, column));
        auto* editor = grid().cellEditor();
        ASSERT_NE(editor, nullptr);
        editor->setText(QString::fromStdString(text));
        grid().commitPendingEdit();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Selects a group by its number in the selector, as the user does.
    void selectGroup(int number) const {
        QComboBox* c = window->controls().currentGroupCombo;
        c->setCurrentIndex(c->findText(QString::number(number)));
    }

    static void press(QWidget* w, int key, const QString& text = {},
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(w, &down);
        QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(w, &up);
    }
};

// A fresh temporary folder, removed afterwards.
class TempDir {
  public:
    TempDir() {
        path_ = std::filesystem::temp_directory_path() /
                ("zav_ui_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    [[nodiscard]] std::string file(const std::string& name) const {
        return (path_ / name).string();
    }

  private:
    std::filesystem::path path_;
};

}  // namespace zav::test
