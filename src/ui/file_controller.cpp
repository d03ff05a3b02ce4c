#include "ui/file_controller.h"

#include <QAction>
#include <QMenu>
#include <QPrinter>

#include "files/file_open_save.h"
#include "files/settings.h"
#include "link/radio_link.h"
#include "ops/editor_hooks.h"
#include "print/printout.h"
#include "qt/local_path.h"
#include "ui/editor_view.h"
#include "ui/main_menus.h"
#include "ui/print_commands.h"

namespace zav {

FileController::FileController(const MainMenus& menus, FileOpenSave& files, Document& doc,
                               Prompts& prompts, SettingsStore& settings, EditorHooks& editor,
                               EditorView& view, const RadioLink& link, QWidget* window)
    : menus_(menus),
      files_(files),
      doc_(doc),
      prompts_(prompts),
      settings_(settings),
      editor_(editor),
      view_(view),
      link_(link),
      window_(window) {
    connect(menus.openAction, &QAction::triggered, this, &FileController::openCommand);
    connect(menus.recentMenu, &QMenu::aboutToShow, this, &FileController::fillRecentMenu);
    connect(menus.saveAction, &QAction::triggered, this, [this] { files_.saveCommand(); });
    connect(menus.saveAsAction, &QAction::triggered, this, [this] { files_.saveAsCommand(); });
    connect(menus.printAction, &QAction::triggered, this, &FileController::printCommand);
    connect(menus.printSetupAction, &QAction::triggered, this, &FileController::printSetupCommand);
    connect(menus.printPreviewAction, &QAction::triggered, this,
            &FileController::printPreviewCommand);
}

FileController::~FileController() = default;

void FileController::fillRecentMenu() {
    QMenu* menu = menus_.recentMenu;
    menu->clear();
    const std::vector<std::string> files = readRecentFiles(settings_);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& path = files[i];
        QAction* entry = menu->addAction(QStringLiteral("&%1  %2").arg(i + 1).arg(shownPath(path)));
        connect(entry, &QAction::triggered, this, [this, path] { openFromOutside(path); });
    }
    menu->setEnabled(!files.empty());
}

void FileController::openCommand() {
    if (editor_.mayReplace(tr("Save changes before opening a file?").toStdString()))
        files_.openCommand();
}

void FileController::openFromOutside(const std::string& path) {
    if (link_.busy()) return;
    if (editor_.mayReplace(
            tr("Save changes before opening %1?").arg(QString::fromStdString(path)).toStdString()))
        files_.openNamed(path);
}

PrintCommands& FileController::printer() {
    if (!print_) print_ = std::make_unique<PrintCommands>(prompts_);
    return *print_;
}

void FileController::printCommand() {
    PrintCommands& commands = printer();
    view_.finishEntries();
    commands.printUnitData(composeUnitData(doc_, files_.names().printFileName), window_);
}

void FileController::printSetupCommand() {
    printer().printSetup(window_);
}

void FileController::printPreviewCommand() {
    PrintCommands& commands = printer();
    view_.finishEntries();
    commands.printPreview(composeUnitData(doc_, files_.names().printFileName), window_);
}

bool FileController::print(const Printout& printout) {
    return printer().printUnitData(printout, window_);
}

}  // namespace zav
