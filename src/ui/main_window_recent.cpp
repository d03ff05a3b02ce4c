// Files opened over the document: through the file dialog, the recent files of the File
// menu and a file dropped on the window.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "files/settings.h"
#include "link/radio_link.h"
#include "qt/local_path.h"
#include "ui/main_window.h"

namespace zav {

namespace {

// The one local file a drag carries, or "" for anything else.
std::string droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? localPath(url) : std::string();
}

}  // namespace

void MainWindow::fillRecentMenu() {
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

void MainWindow::openCommand() {
    // Asked before the file dialog, whose chosen name would otherwise be the one offered
    // for saving the changes.
    if (mayReplace("Save changes before opening a file?")) files_.openCommand();
}

void MainWindow::openFromOutside(const std::string& path) {
    if (link_->busy()) return;
    if (mayReplace("Save changes before opening " + path + "?")) files_.openNamed(path);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).empty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const std::string path = droppedFile(event->mimeData());
    if (path.empty()) return;
    event->acceptProposedAction();
    openFromOutside(path);
}

}  // namespace zav
