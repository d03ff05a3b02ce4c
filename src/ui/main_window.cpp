#include "ui/main_window.h"

#include <algorithm>

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QUndoStack>

#include "files/radio_history.h"
#include "files/settings.h"
#include "link/port_devices.h"
#include "link/trace_port.h"
#include "model/memory_map.h"
#include "ops/unsaved_changes.h"
#include "qt/local_path.h"
#include "qt/qt_serial_port.h"
#include "ui/app_icon.h"
#include "ui/bulk_edit_controller.h"
#include "ui/channel_grid_model.h"
#include "ui/channel_grid_view.h"
#include "ui/config_controller.h"
#include "ui/demo_radio.h"
#include "ui/exchange_controller.h"
#include "ui/file_controller.h"
#include "ui/group_layout.h"
#include "ui/image_history.h"
#include "ui/offset_entry.h"
#include "ui/progress_window.h"
#include "ui/radio_controller.h"
#include "ui/status_line.h"
#include "ui/text_report.h"
#include "ui/windows_controller.h"

namespace zav {

MainWindow::MainWindow(Document& doc, Prompts& prompts, SettingsStore& settings,
                       TextClipboard& clipboard, FileSystem& files, QWidget* parent)
    : MainWindow(doc, prompts, settings, clipboard, files, std::make_unique<QtSerialPort>(),
                 nullptr, parent) {}

MainWindow::MainWindow(Document& doc, Prompts& prompts, SettingsStore& settings,
                       TextClipboard& clipboard, FileSystem& files, LinkPort& port, QWidget* parent)
    : MainWindow(doc, prompts, settings, clipboard, files, nullptr, &port, parent) {}

MainWindow::MainWindow(Document& doc, Prompts& prompts, SettingsStore& settings,
                       TextClipboard& clipboard, FileSystem& files,
                       std::unique_ptr<LinkPort> ownPort, LinkPort* port, QWidget* parent)
    : QMainWindow(parent),
      ownPort_(std::move(ownPort)),
      loggedSettings_(settings, log_),
      loggedFiles_(files, log_),
      doc_(doc),
      prompts_(prompts),
      settings_(loggedSettings_),
      files_(prompts, loggedSettings_, loggedFiles_, doc.mem, doc.labels, *this),
      clip_(doc, clipboard, prompts),
      fileSystem_(loggedFiles_) {
    // Load: the controls, the current group, the placement. The write masks the link
    // uses are constant tables (write_masks.h).
    buildWindow();
    trace_ = std::make_unique<TracePort>(port != nullptr ? *port : *ownPort_);
    link_ = std::make_unique<RadioLink>(*trace_, prompts_, *proc_, &settings_);
    link_->setLog(log_);
    initializing_ = true;
    restorePlacement();
    exitWithoutAsking_ = false;

    // Creation: the default image, shown from group 1.
    gridModel_->showGroup(-1);
    initGlobalPage(doc_.mem);
    doc_.resetGroups();
    reloadGroups();
    initializing_ = false;
    clip_.reset();
    menus_.pasteAction->setEnabled(false);
    if (gridModel_->rowCount() > 0) grid_->setCurrentIndex(gridModel_->index(0, kColRecFreq));
    // The port number and the label setting (the port is closed if open).
    radioHistory_ =
        std::make_unique<RadioHistory>(fileSystem_, clock_, historyFolder(SystemEnvironment()));
    operations_ =
        std::make_unique<RadioOperations>(doc_, *link_, settings_, *this, radioHistory_.get());
    operations_->setTrace(trace_.get());
    resumeTrace();
    makeControllers();
    configCommands_->showChecks();
    markClean();
}

void MainWindow::makeControllers() {
    fileCommands_ = std::make_unique<FileController>(menus_, files_, doc_, prompts_, settings_,
                                                     *this, *this, *link_, this);
    report_ = std::make_unique<TextReport>(
        prompts_, fileSystem_, [this](const Printout& p) { return fileCommands_->print(p); });
    windows_ = std::make_unique<WindowsController>(menus_, doc_, settings_, *link_, prompts_,
                                                   *history_, *status_, *report_, *this, this);
    radioCommands_ = std::make_unique<RadioController>(menus_, *operations_, doc_, prompts_,
                                                       settings_, *radioHistory_, *status_, *this,
                                                       *fileCommands_, fileSystem_, *report_, this);
    exchangeCommands_ = std::make_unique<ExchangeController>(
        menus_, doc_, prompts_, fileSystem_, *history_, *status_, *report_, *this, this);
    configCommands_ = std::make_unique<ConfigController>(
        menus_, *operations_, ConfigController::Diagnostics{*trace_, log_.memory(), fileSystem_},
        settings_, prompts_, *this, this);
    rowCommands_ = std::make_unique<BulkEditController>(menus_, doc_, *grid_, *gridModel_, clip_,
                                                        *history_, *status_, *this, this);
}

void MainWindow::resumeTrace() {
    if (readInt(settings_, settings::kTrace) != 1) return;
    // Not the chosen file itself: a trace of every start added to one file grows without
    // end and mixes the runs.
    const std::string path = datedTracePath(
        readText(settings_, settings::kTraceFile), clock_.now(),
        [](const std::string& p) { return QFileInfo::exists(QString::fromStdString(p)); });
    if (!trace_->startTrace(path, traceHeader(clock_, link_->transport())))
        log_.write(LogArea::Link, "the serial trace " + path + " cannot be written");
}

MainWindow::~MainWindow() {
    // The windows that talk through the link go before it does (Qt would delete them
    // only after this window's members).
    windows_.reset();
    // The history goes with this window's children, when it is only a QWidget; so may a
    // header field, whose entry ends as it loses the focus.
    QObject::disconnect(&history_->stack(), nullptr, this, nullptr);
    for (QLineEdit* edit : {controls_.groupLabelEdit, controls_.idEdit})
        QObject::disconnect(edit, nullptr, this, nullptr);
    if (link_ && link_->transport().isOpen()) link_->transport().closePort();
}

void MainWindow::buildWindow() {
    setObjectName(QStringLiteral("frmGroups"));
    caption_ = QString::fromLatin1(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size()));
    setWindowTitle(caption_ + QStringLiteral("[*]"));
    setWindowIcon(appIcon());
    setAcceptDrops(true);  // a frequency file dropped on the window opens

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    controls_ = buildGroupControls(client);
    gridModel_ = new ChannelGridModel(doc_, this);
    history_ = new ImageHistory(doc_, this);
    gridModel_->setHistory(history_);
    grid_ = new ChannelGridView(*gridModel_, doc_, prompts_, *history_, client);
    offset_ = new OffsetEntry(*gridModel_, *grid_, client);
    chainTabOrder(controls_, grid_);
    layOutGroupWindow(client, controls_, grid_, offset_, offset_->box());
    menus_ = buildMainMenus(menuBar());
    proc_ = new ProgressWindow(prompts_, this);
    status_ = std::make_unique<StatusLine>(statusBar());
    // The window starts as large as its content asks and can grow no smaller; the
    // layout's minimum holds from now on, also for a placement restored from the settings.
    layout()->activate();
    resize(sizeHint().expandedTo(minimumSize()));

    connectCommands();
}

void MainWindow::connectCommands() {
    connect(controls_.currentGroupCombo, &QComboBox::currentIndexChanged, this,
            [this](int) { selectorClicked(); });
    connect(grid_, &ChannelGridView::offsetRequested, offset_, &OffsetEntry::open);
    connect(offset_, &OffsetEntry::helpRequested, this, [this] { showOffsetHelp(); });
    connect(grid_, &ChannelGridView::copiedToAllRows, this, &MainWindow::sayCopiedToAllRows);

    connect(menus_.exitAction, &QAction::triggered, this, &QWidget::close);
    connect(menus_.undoAction, &QAction::triggered, this, &MainWindow::undo);
    connect(menus_.redoAction, &QAction::triggered, this, &MainWindow::redo);
    connect(history_, &ImageHistory::restored, this, &MainWindow::showRestored);
    connect(&history_->stack(), &QUndoStack::indexChanged, this, [this] { updateStatus(); });
    connect(&history_->stack(), &QUndoStack::canUndoChanged, this, [this] { updateUndoRedo(); });
    connect(&history_->stack(), &QUndoStack::canRedoChanged, this, [this] { updateUndoRedo(); });
    connect(grid_, &ChannelGridView::entryRefused, this,
            [this](const QString& reason) { status_->refuse(reason); });
    // Every entry stored is a step of the history: a refusal standing from before goes.
    connect(&history_->stack(), &QUndoStack::indexChanged, this,
            [this] { status_->entryAccepted(); });
    // Every header control stores its value as the user commits it, as a cell does.
    params_ = bindParams(controls_);
    // params_ is made once, so its elements stay where the connections point.
    for (const ParamBinding& b : params_) onCommit(b, this, [this, &b] { storeParam(b); });
    // The unsaved-changes mark follows the group's controls as they are edited.
    for (auto* edit : centralWidget()->findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textEdited, this, [this] { updateStatus(); });
    for (auto* box : centralWidget()->findChildren<QComboBox*>())
        connect(box, &QComboBox::activated, this, [this] { updateStatus(); });
    for (auto* button : centralWidget()->findChildren<QAbstractButton*>())
        connect(button, &QAbstractButton::clicked, this, [this] { updateStatus(); });
    connect(menus_.copyAllAction, &QAction::triggered, this, &MainWindow::copyAll);
    connect(menus_.copyRowAction, &QAction::triggered, this, &MainWindow::copyRow);
    connect(menus_.pasteAction, &QAction::triggered, this, &MainWindow::paste);
    connect(menus_.editMenu, &QMenu::aboutToShow, this, &MainWindow::updatePasteEnabled);
    // F1 in the offset box is the box's own help, not the Help command.
    offset_->box()->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* object, QEvent* event) {
    if (offsetHelpKey(object, event)) return true;
    return QMainWindow::eventFilter(object, event);
}

void MainWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) updatePasteEnabled();
    QMainWindow::changeEvent(event);
}

// --- Groups ----------------------------------------------------------------------------

void MainWindow::reloadGroups() {
    // The old group records go away: nothing of the window (not even an open cell
    // editor, which the grid's reset drops) may be stored into the new ones.
    gridModel_->showGroup(-1);
    const int first = doc_.reloadGroups();
    setupCombos();
    if (first >= 0) showGroup(first);  // also while the window is created
    // A new image (opened, read, created): the steps before it no longer apply.
    history_->clear();
    updateStatus();
}

void MainWindow::setupCombos() {
    QComboBox* selector = controls_.currentGroupCombo;
    {
        const QSignalBlocker quiet(selector);
        selector->clear();
        for (int g = 0; g < kGroupCount; ++g)
            if (groupExists(doc_.mem, g)) selector->addItem(QString::number(g + 1), g);
        selector->setCurrentIndex(-1);
    }
    if (selector->count() > 0) {
        selector->setCurrentIndex(0);  // the selector's click shows the group
    } else {
        selectorClicked();
    }
}

// The controls have stored every committed value already; the selector's click shows.
void MainWindow::selectorClicked() {
    if (initializing_) return;
    finishEntries();
    const QVariant selected = controls_.currentGroupCombo->currentData();
    if (selected.isValid()) {
        showGroup(selected.toInt());
    } else {
        gridModel_->showGroup(-1);
    }
}

void MainWindow::showGroup(int g) {
    const Group* group = doc_.group(g);
    if (group == nullptr) return;
    showParams(params_, group->read());
    gridModel_->showGroup(g);
    grid_->setCurrentIndex(gridModel_->index(0, kColRecFreq));
}

void MainWindow::storeParam(const ParamBinding& b) {
    Group* group = shownGroup() >= 0 ? doc_.group(shownGroup()) : nullptr;
    if (group == nullptr) return;
    const std::string refused = commitParam(b, *group, [this](const std::function<void()>& change) {
        history_->record(tr("Group Parameters"), change);
    });
    if (!refused.empty()) grid_->refuse(QString::fromStdString(refused));
    updateStatus();
}

bool MainWindow::entryPending() const {
    return controls_.groupLabelEdit->isModified() || controls_.idEdit->isModified();
}

void MainWindow::finishEntries() {
    grid_->commitPendingEdit();
    for (const ParamBinding& b : params_) {
        const auto* edit = std::get_if<QLineEdit*>(&b.control);
        if (edit != nullptr && (*edit)->isModified()) storeParam(b);
    }
    if (windows_) windows_->storeGlobals();
}

void MainWindow::showOffsetHelp() {
    prompts_.ask(notice(QT_TRANSLATE_NOOP("Messages", "Enter the frequency offset, eg: -2, 7")));
}

// --- File hooks ----------------------------------------------------------------------

void MainWindow::afterOpen() {
    reloadGroups();
    if (windows_) windows_->reloadGlobals();
}

void MainWindow::showImageAgain() {
    if (shownGroup() >= 0) showGroup(shownGroup());
    if (windows_) windows_->reloadGlobals();
    updateStatus();
}

void MainWindow::setCaption(const std::string& caption) {
    caption_ = QString::fromStdString(caption);
    // The caption changes after an open or save: that file is now the one open.
    openFile_ = shownPath(files_.names().fileName);
    setWindowTitle(caption_ + QStringLiteral("[*]") + captionSuffix_);
    // The caption changes after every successful open or save: the image now matches
    // the file.
    markClean();
}

void MainWindow::markClean() {
    doc_.markClean();
    updateStatus();
}

void MainWindow::updateUndoRedo() {
    if (history_ == nullptr) return;
    // An entry still being typed is stored as a step of its own before an Undo or Redo,
    // so Undo takes it back, and a Redo would find nothing left to redo.
    const bool pending = entryPending() || (windows_ && windows_->globalsPending());
    menus_.undoAction->setEnabled(history_->stack().canUndo() || pending);
    menus_.redoAction->setEnabled(history_->stack().canRedo() && !pending);
}

void MainWindow::updateStatus() {
    updateUndoRedo();
    if (!status_) return;
    // Text being typed into a header field counts before it is stored.
    const bool modified = doc_.modified() || entryPending();
    setWindowModified(modified);
    status_->showFile(openFile_, modified);
    if (operations_) {
        const int port = operations_->portNumber();
        const std::string device = resolvePortDevice(std::to_string(port), &settings_);
        status_->showPort(port, QString::fromStdString(device));
        status_->showTrace(trace_->tracing() ? QString::fromStdString(trace_->path()) : QString());
        // The simulated radio is named only while the port opens it.
        const bool simulated = !simulatedDevice_.empty() && device == simulatedDevice_;
        if (simulated != status_->showsSimulatedRadio()) {
            status_->showSimulatedRadio(simulated);
            setCaptionSuffix(simulated ? tr(kSimulatedCaption) : QString());
        }
    }
}

bool MainWindow::mayReplace(std::string question) {
    finishEntries();
    return mayReplaceDocument(
        prompts_, doc_, [this] { return saveChanges(); }, std::move(question));
}

bool MainWindow::saveChanges() {
    return files_.chooseFile(FileDialogMode::Save) && files_.saveFile();
}

}  // namespace zav
