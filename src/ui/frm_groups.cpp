#include "ui/frm_groups.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "files/settings.h"
#include "model/memory_map.h"
#include "qt/qt_serial_port.h"
#include "ui/app_icon.h"
#include "ui/channel_grid_model.h"
#include "ui/channel_grid_view.h"
#include "ui/frm_globals.h"
#include "ui/frm_proc.h"
#include "ui/frm_syncal.h"
#include "ui/group_layout.h"
#include "ui/offset_entry.h"
#include "ui/print_commands.h"
#include "ui/twips.h"

namespace zav {

frmGroups::frmGroups(Document& doc, Prompts& prompts, SettingsStore& settings,
                     TextClipboard& clipboard, FileSystem& files, QWidget* parent)
    : frmGroups(doc, prompts, settings, clipboard, files, std::make_unique<QtSerialPort>(), nullptr,
                parent) {}

frmGroups::frmGroups(Document& doc, Prompts& prompts, SettingsStore& settings,
                     TextClipboard& clipboard, FileSystem& files, LinkPort& port, QWidget* parent)
    : frmGroups(doc, prompts, settings, clipboard, files, nullptr, &port, parent) {}

frmGroups::frmGroups(Document& doc, Prompts& prompts, SettingsStore& settings,
                     TextClipboard& clipboard, FileSystem& files, std::unique_ptr<LinkPort> ownPort,
                     LinkPort* port, QWidget* parent)
    : QMainWindow(parent),
      ownPort_(std::move(ownPort)),
      doc_(doc),
      prompts_(prompts),
      settings_(settings),
      files_(prompts, settings, files, doc.mem, doc.labels, *this),
      clip_(doc, clipboard, prompts) {
    // Load: the controls, the current group, the placement. The write masks the link
    // uses are constant tables (write_masks.h).
    buildWindow();
    link_ = std::make_unique<RadioLink>(port != nullptr ? *port : *ownPort_, prompts_, *proc_,
                                        &settings_);
    intCurrentGroup = selectorNumber() - 1 < 0 ? 0 : selectorNumber() - 1;
    ISINITIALIZE = true;
    restorePlacement();
    exitWithoutAsking_ = false;

    // Creation: the default image, shown from group 1.
    InitGlobalPage(doc_.mem);
    InitGroups(1);
    ISINITIALIZE = false;
    clip_.reset();
    menus_.mnuPaste->setEnabled(false);
    if (gridModel_->rowCount() > 0) grid_->setCurrentIndex(gridModel_->index(0, kColRecFreq));
    // The port number and the label setting (the port is closed if open).
    commands_ = std::make_unique<RadioCommands>(doc_, *link_, settings_, *this);
    showChecks();
    markClean();
}

frmGroups::~frmGroups() {
    // The windows that talk through the link go before it does (Qt would delete them
    // only after this window's members).
    delete globals_.data();
    delete syncal_.data();
    if (link_ && link_->transport().IsOpen()) link_->transport().ClosePort();
}

void frmGroups::buildWindow() {
    setObjectName(QStringLiteral("frmGroups"));
    setWindowTitle(QString::fromLatin1(kAppTitle.data(), static_cast<qsizetype>(kAppTitle.size())));
    setWindowIcon(appIcon());

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    controls_ = buildGroupControls(client);
    gridModel_ = new ChannelGridModel(doc_, this);
    grid_ = new ChannelGridView(*gridModel_, doc_, prompts_, undo_, client);
    offset_ = new OffsetEntry(*gridModel_, *grid_, prompts_, client);
    layout_ = std::make_unique<GroupLayout>(controls_, grid_, offset_, offset_->box());
    menus_ = buildMainMenus(menuBar());
    proc_ = new frmProc(prompts_, this);

    const double dpi = logicalDpi(this);
    layout_->place(dpi);
    grid_->fitRows(layout_->scale().px(design::kGridMaxHeight));
    const QSize clientSize = layout_->designClientSize();
    setMinimumSize(layout_->scale().px(6000),
                   layout_->scale().px(design::Grid.top) + menuBar()->sizeHint().height());
    resize(clientSize.width(), clientSize.height() + menuBar()->sizeHint().height());
    client->installEventFilter(this);

    connectCommands();
}

void frmGroups::connectCommands() {
    connect(controls_.cboCurrentGroup, &QComboBox::currentIndexChanged, this,
            [this](int) { selectorClicked(); });
    connect(grid_, &ChannelGridView::offsetRequested, offset_, &OffsetEntry::open);
    connect(offset_, &OffsetEntry::helpRequested, this, [this] { helpScreen(1); });

    connect(menus_.mnuOpen, &QAction::triggered, this, [this] { files_.OpenCommand(); });
    connect(menus_.mnuSave, &QAction::triggered, this, [this] { files_.SaveCommand(); });
    connect(menus_.mnuSaveAs, &QAction::triggered, this, [this] { files_.SaveAsCommand(); });
    connect(menus_.mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(menus_.mnuUndo, &QAction::triggered, this, &frmGroups::undo);
    connect(menus_.mnuAll, &QAction::triggered, this, &frmGroups::copyAll);
    connect(menus_.mnuRow, &QAction::triggered, this, &frmGroups::copyRow);
    connect(menus_.mnuPaste, &QAction::triggered, this, &frmGroups::paste);
    connect(menus_.mnuEdit, &QMenu::aboutToShow, this, &frmGroups::updatePasteEnabled);
    connectRadioCommands();
    connectWindowCommands();
}

bool frmGroups::eventFilter(QObject* object, QEvent* event) {
    if (offsetHelpKey(object, event)) return true;
    if (object == centralWidget() && event->type() == QEvent::Resize)
        layout_->resize(centralWidget()->size());
    return QMainWindow::eventFilter(object, event);
}

void frmGroups::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) updatePasteEnabled();
    QMainWindow::changeEvent(event);
}

// --- Groups ----------------------------------------------------------------------------

int frmGroups::selectorNumber() const {
    bool ok = false;
    const int n = controls_.cboCurrentGroup->currentText().toInt(&ok);
    return ok ? n : 0;
}

void frmGroups::InitGroups(int mode) {
    // The old group records go away: nothing of the window (not even an open cell
    // editor, which the grid's reset drops) may be stored into the new ones.
    intCurrentGroup = -1;
    shownGroup_ = -1;
    gridModel_->setGroup(-1);
    int first = 0;
    while (first < kGroupCount && GroupExists(doc_.mem, first) == 0) ++first;
    doc_.InitGroups(mode, first + 1);
    SetupCombos();
    if (doc_.CurrentGroup >= 0) {
        showGroup(doc_.CurrentGroup);
        if (ISINITIALIZE) intCurrentGroup = doc_.CurrentGroup;
    }
}

void frmGroups::SetupCombos() {
    QComboBox* selector = controls_.cboCurrentGroup;
    {
        const QSignalBlocker quiet(selector);
        selector->clear();
        for (int g = 0; g < kGroupCount; ++g)
            if (GroupExists(doc_.mem, g) != 0) selector->addItem(QString::number(g + 1));
        selector->setCurrentIndex(-1);
    }
    if (selector->count() > 0) {
        selector->setCurrentIndex(0);  // the selector's click shows the group
    } else {
        selectorClicked();
    }
}

void frmGroups::selectorClicked() {
    if (ISINITIALIZE) return;
    if (intCurrentGroup >= 0) storeGroup(intCurrentGroup);
    intCurrentGroup = selectorNumber() - 1;
    if (intCurrentGroup >= 0) showGroup(intCurrentGroup);
    undo_.clear();
}

void frmGroups::showGroup(int g) {
    const clsGroup* group = doc_.group(g);
    if (group == nullptr) return;
    shownParams_ = group->Read();
    showParams(controls_, shownParams_);
    shownGroup_ = g;
    gridModel_->setGroup(g);
    grid_->setCurrentIndex(gridModel_->index(0, kColRecFreq));
}

void frmGroups::storeGroup(int g) {
    grid_->commitPendingEdit();
    clsGroup* group = g >= 0 ? doc_.group(g) : nullptr;
    // Only the group whose values fill the controls can take them.
    if (group == nullptr || g != shownGroup_) return;
    const GroupParams now = collectParams(controls_);
    writeChangedParams(*group, shownParams_, now);
    shownParams_ = group->Read();
    if (now.groupLabel != shownParams_.groupLabel || now.id != shownParams_.id) {
        // The controls show what was stored (a padded ID, a re-read label).
        showParams(controls_, shownParams_);
    }
}

void frmGroups::displayGroupMemory() {
    if (selectorNumber() - 1 >= 0) showGroup(selectorNumber() - 1);
}

void frmGroups::storeGroupMemory() {
    if (selectorNumber() - 1 >= 0) storeGroup(selectorNumber() - 1);
}

int frmGroups::commitCurrentGroup() {
    const int g = selectorNumber() - 1 < 0 ? 0 : selectorNumber() - 1;
    storeGroup(g);
    intCurrentGroup = selectorNumber() - 1;
    return g;
}

void frmGroups::SaveLabels() {
    std::size_t k = 0;
    for (int g = 0; g < kGroupCount; ++g) {
        for (int s = 0; s < kLabelSlots; ++s) {
            for (int c = 0; c < kLabelPositions; ++c)
                ImageBackup[k + static_cast<std::size_t>(c)] = doc_.labels[labelIndex(g, s, c)];
            k += kLabelPositions;
        }
    }
}

void frmGroups::RestoreLabels() {
    std::size_t k = 0;
    for (int g = 0; g < kGroupCount; ++g) {
        for (int s = 0; s < kLabelSlots; ++s) {
            for (int c = 0; c < kLabelPositions; ++c)
                doc_.labels[labelIndex(g, s, c)] = ImageBackup[k + static_cast<std::size_t>(c)];
            k += kLabelPositions;
        }
    }
}

void frmGroups::MemCopy(std::span<Byte> a, std::span<const Byte> b, int count) {
    const std::size_t n =
        std::min({a.size(), b.size(), static_cast<std::size_t>(std::max(count, 0))});
    std::copy_n(b.begin(), n, a.begin());
}

void frmGroups::helpScreen(int context) {
    if (context != 1) return;
    Message m;
    m.text = "Enter the frequency offset, eg: -2, 7";
    prompts_.ask(m);
}

// --- File hooks ----------------------------------------------------------------------

void frmGroups::commitShownGroup() {
    storeGroupMemory();
    storeOtherWindows();
}

void frmGroups::afterOpen() {
    InitGroups(0);
    reloadOtherWindows();
}

void frmGroups::setCaption(const std::string& caption) {
    setWindowTitle(QString::fromStdString(caption) + captionSuffix_);
    // The caption changes after every successful open or save: the image now matches
    // the file.
    markClean();
}

void frmGroups::markClean() {
    cleanMem_ = doc_.mem;
    cleanLabels_ = doc_.labels;
}

bool frmGroups::hasUnsavedChanges() {
    storeGroupMemory();
    storeOtherWindows();
    return doc_.mem != cleanMem_ || doc_.labels != cleanLabels_;
}

}  // namespace zav
