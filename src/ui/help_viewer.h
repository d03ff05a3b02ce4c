#pragma once
// The help window: the editor's help pages (built into the program) in a browser with
// Back, Forward and Contents buttons.

#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace zav {

// The help's contents page, and the folder of all its pages.
QUrl helpContentsUrl();
inline constexpr const char* kHelpResourceFolder = ":/help/ZAVHelp";

class frmHelp final : public QWidget {
    Q_OBJECT
  public:
    // A window of its own; with a parent it stays above it and closes with it.
    explicit frmHelp(QWidget* parent = nullptr);

    // Back to the contents page.
    void showContents();

    [[nodiscard]] QTextBrowser* browser() const { return browser_; }
    [[nodiscard]] QPushButton* backButton() const { return cmdBack_; }
    [[nodiscard]] QPushButton* forwardButton() const { return cmdForward_; }
    [[nodiscard]] QPushButton* contentsButton() const { return cmdContents_; }

  private:
    void pageChanged();

    QTextBrowser* browser_ = nullptr;
    QPushButton* cmdBack_ = nullptr;
    QPushButton* cmdForward_ = nullptr;
    QPushButton* cmdContents_ = nullptr;
};

// The Help command: opens the help window at its contents page. The parent keeps one
// help window; when it is already open it returns to the contents page and comes to the
// front. Without a parent a new window is made, deleted when closed.
frmHelp* showHelp(QWidget* parent);

}  // namespace zav
