// The main window's exchange and support commands: CSV export and import, the comparison
// with a file, verify after write and the serial trace.

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QVBoxLayout>

#include "files/settings.h"
#include "link/trace_port.h"
#include "ops/exchange_operations.h"
#include "qt/local_path.h"
#include "ui/image_history.h"
#include "ui/main_window.h"
#include "ui/print_commands.h"
#include "ui/status_line.h"
#include "ui/text_report.h"

namespace zav {

namespace {

constexpr std::string_view kCsvFilter = "CSV (*.csv)|*.csv|All (*.*)|*.*";
constexpr std::string_view kTraceFilter = "Text (*.txt)|*.txt|All (*.*)|*.*";

}  // namespace

void MainWindow::connectExchangeCommands() {
    connect(menus_.exportCsvAction, &QAction::triggered, this, &MainWindow::exportCsvCommand);
    connect(menus_.importCsvAction, &QAction::triggered, this, &MainWindow::importCsvCommand);
    connect(menus_.compareAction, &QAction::triggered, this, &MainWindow::compareCommand);
    connect(menus_.verifyAction, &QAction::triggered, this, &MainWindow::chooseVerifyAfterWrite);
    connect(menus_.traceAction, &QAction::triggered, this, &MainWindow::chooseTrace);
}

std::optional<std::string> MainWindow::askFile(const QAction* command, FileDialogMode mode,
                                               std::string_view filter, std::string_view pattern,
                                               const std::string& name) {
    FileDialogRequest request;
    request.mode = mode;
    request.fileName = name;
    request.filter = filter;
    request.defaultPattern = pattern;
    // The dialog is named after its command ("Export CSV"), not "Open" or "Save As".
    QString title = command->text().remove(QLatin1Char('&'));
    if (title.endsWith(QStringLiteral("..."))) title.chop(3);
    request.title = title.toStdString();
    return prompts_.chooseFile(request);
}

void MainWindow::exportCsvCommand() {
    finishEntries();
    // The open file's name with .csv, in its folder; radio.csv before any file is open.
    const QFileInfo open(openFile_);
    const QString name =
        openFile_.isEmpty() ? QStringLiteral("radio.csv")
                            : open.dir().filePath(open.completeBaseName() + QStringLiteral(".csv"));
    const auto path =
        askFile(menus_.exportCsvAction, FileDialogMode::Save, kCsvFilter, "*.csv", localPath(name));
    if (!path) return;
    reportOutcome(menus_.exportCsvAction, exportCsvFile(fileSystem_, prompts_, doc_, *path));
}

void MainWindow::importCsvCommand() {
    finishEntries();
    const auto path = askFile(menus_.importCsvAction, FileDialogMode::Open, kCsvFilter, "*.csv");
    if (!path) return;
    OperationResult result;
    history_->record(QStringLiteral("Import CSV"),
                     [&] { result = importCsvFile(fileSystem_, prompts_, doc_, *path); });
    if (shownGroup() >= 0) showGroup(shownGroup());
    reloadOtherWindows();
    updateStatus();
    reportOutcome(menus_.importCsvAction, result);
}

void MainWindow::compareCommand() {
    finishEntries();
    const auto path =
        askFile(menus_.compareAction, FileDialogMode::Open, kFileFilter, kFileDefaultPattern);
    if (!path) return;
    const auto other = loadImages(fileSystem_, prompts_, *path);
    if (!other) return;
    const auto lines = compareImages(FileImages{doc_.mem, doc_.labels}, *other);
    QString text =
        QStringLiteral("From the editor's image to %1: ").arg(QString::fromStdString(*path));
    text += lines.empty()       ? QStringLiteral("no difference.")
            : lines.size() == 1 ? QStringLiteral("1 difference.")
                                : QStringLiteral("%1 differences.").arg(lines.size());
    for (const std::string& line : lines) text += QLatin1Char('\n') + QString::fromStdString(line);

    delete compare_.data();
    auto* window = new QDialog(this);
    compare_ = window;
    window->setObjectName(QStringLiteral("CompareWindow"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("Compare With File"));
    auto* list = new QPlainTextEdit(text, window);
    list->setObjectName(QStringLiteral("txtDifferences"));
    list->setReadOnly(true);
    list->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    textReport().addButtons(*buttons, {"Save Comparison", "differences.txt"},
                            [list] { return list->toPlainText().toStdString(); });
    connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(list);
    layout->addWidget(buttons);
    window->resize(640, 400);
    window->show();
}

TextReport& MainWindow::textReport() {
    if (!report_) {
        report_ = std::make_unique<TextReport>(prompts_, fileSystem_, [this](const Printout& p) {
            if (!print_) print_ = std::make_unique<PrintCommands>(prompts_);
            return print_->printUnitData(p, this);
        });
    }
    return *report_;
}

void MainWindow::chooseVerifyAfterWrite(bool verify) {
    operations_->setVerifyAfterWrite(verify);
    showChecks();
}

bool MainWindow::tracing() const {
    return trace_->tracing();
}

void MainWindow::chooseTrace(bool trace) {
    if (!trace) {
        trace_->stopTrace();
        writeInt(settings_, settings::kTrace, 0);
        showChecks();
        return;
    }
    const auto path = askFile(menus_.traceAction, FileDialogMode::Save, kTraceFilter, "*.txt",
                              readText(settings_, settings::kTraceFile));
    if (path && !trace_->startTrace(*path))
        prompts_.ask(
            warning("The serial trace cannot be written to " + *path + ".", "Serial Trace"));
    if (trace_->tracing()) {
        writeText(settings_, settings::kTraceFile, *path);
        writeInt(settings_, settings::kTrace, 1);
    }
    showChecks();
}

}  // namespace zav
