// A frequency file dropped on the main window opens, as a recent file does.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "qt/local_path.h"
#include "ui/file_controller.h"
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

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).empty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const std::string path = droppedFile(event->mimeData());
    if (path.empty()) return;
    event->acceptProposedAction();
    fileCommands_->openFromOutside(path);
}

}  // namespace zav
