#include "ui/exchange_controller.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFileInfo>

#include "files/file_open_save.h"
#include "model/document.h"
#include "ops/exchange_operations.h"
#include "qt/local_path.h"
#include "ui/command_outcome.h"
#include "ui/differences_window.h"
#include "ui/editor_view.h"
#include "ui/image_history.h"
#include "ui/main_menus.h"

namespace zav {

namespace {
constexpr std::string_view kCsvFilter = "CSV (*.csv)|*.csv|All (*.*)|*.*";
// The export's entry of the file dialog's types that writes CHIRP's table; the others
// write ours.
constexpr int kChirpType = 1;
}  // namespace

ExchangeController::ExchangeController(const MainMenus& menus, Document& doc, Prompts& prompts,
                                       FileSystem& files, ImageHistory& history, StatusLine& status,
                                       TextReport& report, EditorView& view, QWidget* window)
    : menus_(menus),
      doc_(doc),
      prompts_(prompts),
      files_(files),
      history_(history),
      status_(status),
      report_(report),
      view_(view),
      window_(window) {
    connect(menus.exportCsvAction, &QAction::triggered, this,
            &ExchangeController::exportCsvCommand);
    connect(menus.importCsvAction, &QAction::triggered, this,
            &ExchangeController::importCsvCommand);
    connect(menus.compareAction, &QAction::triggered, this, &ExchangeController::compareCommand);
}

QWidget* ExchangeController::compareWindow() const {
    return compare_;
}

void ExchangeController::exportCsvCommand() {
    view_.finishEntries();
    // The open file's name with .csv, in its folder; radio.csv before any file is open.
    const QString openFile = view_.openFile();
    const QFileInfo open(openFile);
    const QString name =
        openFile.isEmpty() ? QStringLiteral("radio.csv")
                           : open.dir().filePath(open.completeBaseName() + QStringLiteral(".csv"));
    const QAction* command = menus_.exportCsvAction;
    const QString types = tr("CSV (*.csv)") + QStringLiteral("|*.csv|") + tr("CHIRP CSV (*.csv)") +
                          QStringLiteral("|*.csv|") + tr("All (*.*)") + QStringLiteral("|*.*");
    const auto chosen = askCommandFileOfType(prompts_, command, FileDialogMode::Save,
                                             types.toStdString(), "*.csv", localPath(name));
    if (!chosen) return;
    const CsvFormat format = chosen->filterIndex == kChirpType ? CsvFormat::Chirp : CsvFormat::Own;
    sayOutcome(status_, commandCaption(command),
               exportCsvFile(files_, prompts_, doc_, chosen->path, format));
}

void ExchangeController::importCsvCommand() {
    view_.finishEntries();
    const QAction* command = menus_.importCsvAction;
    const auto path = askCommandFile(prompts_, command, FileDialogMode::Open, kCsvFilter, "*.csv");
    if (!path) return;
    // CHIRP's rows go into the group shown, and the user decides on rows it cannot hold.
    CsvImportOptions options;
    if (doc_.shownGroup() >= 0) options.group = doc_.shownGroup();
    options.unfit = UnfitRowChoice::Ask;
    OperationResult result;
    history_.record(tr("Import CSV"),
                    [&] { result = importCsvFile(files_, prompts_, doc_, *path, options); });
    view_.showImageAgain();
    sayOutcome(status_, commandCaption(command), result);
}

void ExchangeController::compareCommand() {
    view_.finishEntries();
    const auto path = askCommandFile(prompts_, menus_.compareAction, FileDialogMode::Open,
                                     kFileFilter, kFileDefaultPattern);
    if (!path) return;
    const auto other = loadImages(files_, prompts_, *path);
    if (!other) return;
    const auto lines = compareImages(FileImages{doc_.mem, doc_.labels}, *other);
    delete compare_.data();
    compare_ = showDifferencesWindow(
        window_, tr("Compare With File"),
        differencesText(tr("From the editor's image to %1: ").arg(QString::fromStdString(*path)),
                        lines),
        report_);
}

}  // namespace zav
