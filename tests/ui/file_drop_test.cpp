// Files that reach the editor without the file dialog: dropped on the window, or chosen
// from the recent files.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "files/default_file.h"
#include "files/settings.h"
#include "support/editor.h"
#include "support/temp_dir.h"

namespace zav {
namespace {

// A drag entering the window and dropped, as the window system delivers them.
void drop(QWidget& window, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &event);
}

TEST(FileDrop, ADroppedFileOpensAfterTheUnsavedChangesQuestionAndJoinsTheRecentFiles) {
    test::TempDir dir;
    auto bytes = defaultFrequencyFile();
    bytes[kFileImageOffset + 3 * 128 + 20] ^= 0x5A;
    const std::string path = dir.file("bench radio.RXW");
    test::writeBytes(path, bytes);
    test::Editor e;
    e.mem()[3 * 128 + 20] ^= 0x11;  // an unsaved change

    e.prompts.queueAnswer(Answer::Cancel);
    drop(*e.window, QString::fromStdString(path));
    EXPECT_NE(e.mem()[3 * 128 + 20], bytes[kFileImageOffset + 3 * 128 + 20]);  // kept
    e.prompts.queueAnswer(Answer::No);
    drop(*e.window, QString::fromStdString(path));
    EXPECT_EQ(e.mem()[3 * 128 + 20], bytes[kFileImageOffset + 3 * 128 + 20]);
    ASSERT_EQ(e.prompts.messages.size(), 2u);
    EXPECT_NE(e.prompts.messages[0].text.find(path), std::string::npos);
    EXPECT_EQ(readRecentFiles(e.settings), std::vector<std::string>{path});

    QMenu* recent = e.window->menus().recentMenu;
    emit recent->aboutToShow();
    ASSERT_EQ(recent->actions().size(), 1);
    EXPECT_TRUE(recent->actions()[0]->text().endsWith(QString::fromStdString(path)));
}

TEST(RecentFiles, KeepTheLastEightNewestFirstEachOnce) {
    MemorySettingsStore store;
    for (const char* path : {"a", "b", "c", "b", "d", "e", "f", "g", "h", "i"})
        rememberRecentFile(store, path);
    EXPECT_EQ(readRecentFiles(store),
              (std::vector<std::string>{"i", "h", "g", "f", "e", "d", "b", "c"}));
}

}  // namespace
}  // namespace zav
