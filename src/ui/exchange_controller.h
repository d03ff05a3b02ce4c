#pragma once
// The File menu's exchange commands: Export CSV..., Import CSV... (one Undo step) and
// Compare With File..., over the exchange operations.

#include <QObject>
#include <QPointer>

class QWidget;

namespace zav {

class Document;
class EditorView;
class FileSystem;
class ImageHistory;
class Prompts;
class StatusLine;
class TextReport;
struct MainMenus;

class ExchangeController final : public QObject {
    Q_OBJECT
  public:
    // `window` is the parent of the comparison's window.
    ExchangeController(const MainMenus& menus, Document& doc, Prompts& prompts, FileSystem& files,
                       ImageHistory& history, StatusLine& status, TextReport& report,
                       EditorView& view, QWidget* window);

    void exportCsvCommand();
    void importCsvCommand();
    void compareCommand();
    // The comparison's window while it is open.
    [[nodiscard]] QWidget* compareWindow() const;

  private:
    const MainMenus& menus_;
    Document& doc_;
    Prompts& prompts_;
    FileSystem& files_;
    ImageHistory& history_;
    StatusLine& status_;
    TextReport& report_;
    EditorView& view_;
    QWidget* window_;
    QPointer<QWidget> compare_;
};

}  // namespace zav
