#pragma once
// Message boxes and file dialogs with Qt Widgets.

#include <QStringList>
#include <string_view>

#include "iface/prompts.h"

class QWidget;

namespace zav {

// "Name (*.x)|*.x|Other (*.y;*.z)|*.y;*.z" to Qt's name filters, one per pair, each
// carrying its patterns in parentheses: {"Name (*.x)", "Other (*.y *.z)"}.
QStringList qtNameFilters(std::string_view filter);

// Carriage returns of the editor's texts as line breaks.
QString messageText(std::string_view text);

// A message's text as a box shows it: translated when it is one of the fixed texts marked
// with shownText in kMessageContext (else as it is), with its carriage returns as line breaks.
QString shownMessage(const std::string& text);

class QtPrompts final : public Prompts {
  public:
    // Boxes and dialogs are owned by `parent` (may be null) while they are shown.
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    Answer ask(const Message& message) override;
    std::optional<std::string> chooseFile(const FileDialogRequest& request) override;
    std::optional<ChosenFile> chooseFileOfType(const FileDialogRequest& request) override;
    void beep() override;

  private:
    QWidget* parent_;
};

}  // namespace zav
