#pragma once
// The help window: the editor's help pages (built into the program) in a browser with
// Back, Forward and Contents buttons, placed beside its owner.

#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace zav {

// The help's contents page, and the folder of all its pages.
QUrl helpContentsUrl();
inline constexpr const char* kHelpResourceFolder = ":/help/ZAVHelp";

class HelpWindow final : public QWidget {
    Q_OBJECT
  public:
    // A window of its own; with a parent it stays above it and closes with it.
    explicit HelpWindow(QWidget* parent = nullptr);

    // Back to the contents page.
    void showContents();

    [[nodiscard]] QTextBrowser* browser() const { return browser_; }

  protected:
    // Escape closes the window, as it closes the editor's dialogs.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void pageChanged();

    QTextBrowser* browser_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPushButton* forwardButton_ = nullptr;
    QPushButton* contentsButton_ = nullptr;
};

// The Help command: opens the help window at its contents page. The parent keeps one
// help window; when it is already open it returns to the contents page and comes to the
// front. Without a parent a new window is made, deleted when closed.
HelpWindow* showHelp(QWidget* parent);

}  // namespace zav
