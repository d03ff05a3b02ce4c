#include "ui/command_outcome.h"

#include <QAction>

#include "qt/local_path.h"
#include "ui/status_line.h"
#include "ui/ui_text.h"

namespace zav {

QString commandCaption(const QAction* command) {
    return command->text().remove(QLatin1Char('&'));
}

namespace {

FileDialogRequest commandFileRequest(const QAction* command, FileDialogMode mode,
                                     std::string_view filter, std::string_view pattern,
                                     const std::string& name) {
    FileDialogRequest request;
    request.mode = mode;
    request.fileName = name;
    request.filter = filter;
    request.defaultPattern = pattern;
    QString title = commandCaption(command);
    if (title.endsWith(QStringLiteral("..."))) title.chop(3);
    request.title = title.toStdString();
    return request;
}

}  // namespace

std::optional<std::string> askCommandFile(Prompts& prompts, const QAction* command,
                                          FileDialogMode mode, std::string_view filter,
                                          std::string_view pattern, const std::string& name) {
    return prompts.chooseFile(commandFileRequest(command, mode, filter, pattern, name));
}

std::optional<ChosenFile> askCommandFileOfType(Prompts& prompts, const QAction* command,
                                               FileDialogMode mode, std::string_view filter,
                                               std::string_view pattern, const std::string& name) {
    return prompts.chooseFileOfType(commandFileRequest(command, mode, filter, pattern, name));
}

void sayOutcome(StatusLine& status, const QString& name, const OperationResult& result,
                const std::string& kept) {
    QString text = StatusLine::outcomeText(name, result);
    if (!kept.empty()) text += uiText(" Radio history: %1").arg(shownPath(kept));
    status.say(text);
}

}  // namespace zav
