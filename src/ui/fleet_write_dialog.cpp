#include "ui/fleet_write_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "files/settings.h"
#include "iface/prompts.h"
#include "link/port_devices.h"
#include "ops/fleet_log.h"
#include "ops/fleet_start.h"

namespace zav {

namespace {

constexpr std::string_view kTitle = QT_TRANSLATE_NOOP("Messages", "Fleet");
enum Column : int { kPortColumn, kUnitColumn, kProgressColumn, kResultColumn, kHistoryColumn };

QString capitalized(const std::string& text) {
    QString shown = QString::fromStdString(text);
    if (!shown.isEmpty()) shown[0] = shown[0].toUpper();
    return shown;
}

// The radio's row: what it ended with, and for a transfer that went well its figures.
QString resultText(const FleetRequest& request, std::size_t index, const FleetRadioResult& r) {
    if (r.result.outcome == Outcome::Failed)
        return FleetWriteDialog::tr("Failed: %1").arg(QString::fromStdString(r.reason));
    if (r.result.outcome == Outcome::Cancelled && r.bytesSent == 0)
        return FleetWriteDialog::tr("Cancelled before it started");
    if (!r.result.done()) return capitalized(r.outcome);
    const double seconds = std::chrono::duration<double>(r.duration).count();
    switch (request.operation) {
        case FleetOperation::Write:
            return FleetWriteDialog::tr("Written: %1 bytes in %2 s")
                .arg(r.bytesSent)
                .arg(seconds, 0, 'f', 1);
        case FleetOperation::Read:
            return FleetWriteDialog::tr("Read into %1")
                .arg(QString::fromStdString(request.files.at(index)));
        case FleetOperation::WriteLabels:
            return FleetWriteDialog::tr("Labels written: %1 bytes in %2 s")
                .arg(r.bytesSent)
                .arg(seconds, 0, 'f', 1);
    }
    return capitalized(r.outcome);
}

// The run's summary in the window's language, worded as zavtool's: the radios, then how
// many ended each way.
QString summaryText(FleetOperation operation, const std::vector<FleetRadioResult>& results) {
    int done = 0;
    int failed = 0;
    int cancelled = 0;
    for (const FleetRadioResult& r : results) {
        if (r.result.done())
            ++done;
        else if (r.result.outcome == Outcome::Failed)
            ++failed;
        else
            ++cancelled;
    }
    QStringList counts;
    if (done > 0) {
        counts << (operation == FleetOperation::Read    ? FleetWriteDialog::tr("%1 read")
                   : operation == FleetOperation::Write ? FleetWriteDialog::tr("%1 written")
                                                        : FleetWriteDialog::tr("%1 labels written"))
                      .arg(done);
    }
    if (failed > 0) counts << FleetWriteDialog::tr("%1 failed").arg(failed);
    if (cancelled > 0) counts << FleetWriteDialog::tr("%1 cancelled").arg(cancelled);
    QString text = results.size() == 1 ? FleetWriteDialog::tr("1 radio")
                                       : FleetWriteDialog::tr("%1 radios").arg(results.size());
    if (!counts.isEmpty()) text += QStringLiteral(": ") + counts.join(QStringLiteral(", "));
    return text + QLatin1Char('.');
}

}  // namespace

// The radios' reports, handed to the window's thread as queued signals; each radio's log
// row goes in as it ends.
class FleetWriteDialog::Observer final : public FleetObserver {
  public:
    explicit Observer(FleetWriteDialog& dialog) : dialog_(dialog) {}
    void progressed(std::size_t index, int value, int maximum, const std::string& text) override {
        emit dialog_.radioProgressed(static_cast<int>(index), value, maximum,
                                     QString::fromStdString(text));
    }
    void finished(std::size_t index, const FleetRadioResult& result) override {
        if (dialog_.fleetLog_) dialog_.fleetLog_->add(result);
        emit dialog_.radioFinished(static_cast<int>(index), result.result.done(),
                                   resultText(dialog_.request_, index, result),
                                   QString::fromStdString(result.historyFile));
    }

  private:
    FleetWriteDialog& dialog_;
};

FleetWriteDialog::FleetWriteDialog(Prompts& prompts, const SettingsStore& devices,
                                   std::function<FileBytes()> contents, QWidget* parent)
    : QDialog(parent),
      prompts_(prompts),
      devices_(devices),
      contents_(std::move(contents)),
      observer_(std::make_unique<Observer>(*this)) {
    setObjectName(QStringLiteral("frmFleet"));
    setWindowTitle(tr("Fleet"));

    ports_ = new QPlainTextEdit(this);
    ports_->setObjectName(QStringLiteral("txtPorts"));
    ports_->setToolTip(tr("Port numbers 1 to 4 or devices such as /dev/ttyUSB0"));
    ports_->setFixedHeight(ports_->fontMetrics().lineSpacing() * 5);

    operation_ = new QComboBox(this);
    operation_->setObjectName(QStringLiteral("cmbOperation"));
    operation_->addItem(tr("Write the editor's contents"), static_cast<int>(FleetOperation::Write));
    operation_->addItem(tr("Read each radio into a file"), static_cast<int>(FleetOperation::Read));
    operation_->addItem(tr("Write the editor's labels"),
                        static_cast<int>(FleetOperation::WriteLabels));

    units_ = new QWidget(this);
    unitsCheck_ = new QCheckBox(tr("Unit numbers from"), units_);
    unitsCheck_->setObjectName(QStringLiteral("chkUnits"));
    unitFrom_ = new QSpinBox(units_);
    unitFrom_->setObjectName(QStringLiteral("spnUnitFrom"));
    unitFrom_->setRange(0, static_cast<int>(kLastUnitNumber));
    unitFrom_->setValue(1);
    unitGroups_ = new QLineEdit(units_);
    unitGroups_->setObjectName(QStringLiteral("txtUnitGroups"));
    unitGroups_->setPlaceholderText(tr("all"));
    unitGroups_->setToolTip(tr("Groups that take the unit number, such as 1,3,5-7"));
    auto* units = new QHBoxLayout(units_);
    units->setContentsMargins(0, 0, 0, 0);
    units->addWidget(unitsCheck_);
    units->addWidget(unitFrom_);
    units->addWidget(new QLabel(tr("in groups"), units_));
    units->addWidget(unitGroups_, 1);

    choices_ = new QWidget(this);
    globalCheck_ = new QCheckBox(tr("Write global parameters"), choices_);
    globalCheck_->setObjectName(QStringLiteral("chkGlobal"));
    globalCheck_->setChecked(true);
    labelsCheck_ = new QCheckBox(tr("Labels too"), choices_);
    labelsCheck_->setObjectName(QStringLiteral("chkLabels"));
    verifyCheck_ = new QCheckBox(tr("Verify"), choices_);
    verifyCheck_->setObjectName(QStringLiteral("chkVerify"));
    verifyCheck_->setChecked(readInt(devices_, settings::kVerifyWrite) == 1);
    auto* choices = new QHBoxLayout(choices_);
    choices->setContentsMargins(0, 0, 0, 0);
    choices->addWidget(globalCheck_);
    choices->addWidget(labelsCheck_);
    choices->addWidget(verifyCheck_);
    choices->addStretch(1);

    files_ = new QLineEdit(this);
    files_->setObjectName(QStringLiteral("txtFiles"));
    files_->setPlaceholderText(tr("such as /home/me/radio-{port}.frq"));
    files_->setToolTip(tr("{port} stands for each port's name"));
    labelGroup_ = new QComboBox(this);
    labelGroup_->setObjectName(QStringLiteral("cmbLabelGroup"));
    labelGroup_->addItem(tr("All groups"));
    for (int g = 1; g <= kGroupCount; ++g) labelGroup_->addItem(tr("Group %1").arg(g));
    log_ = new QLineEdit(this);
    log_->setObjectName(QStringLiteral("txtLog"));
    log_->setPlaceholderText(tr("none"));
    log_->setToolTip(tr("A CSV file that takes a row per radio"));

    form_ = new QFormLayout;
    form_->addRow(tr("Ports (one a line):"), ports_);
    form_->addRow(tr("Operation:"), operation_);
    form_->addRow(units_);
    form_->addRow(choices_);
    form_->addRow(tr("Files:"), files_);
    form_->addRow(tr("Labels of:"), labelGroup_);
    form_->addRow(tr("Log file:"), log_);

    radios_ = new QTreeWidget(this);
    radios_->setObjectName(QStringLiteral("lstRadios"));
    radios_->setRootIsDecorated(false);
    radios_->setHeaderLabels(
        {tr("Port"), tr("Unit"), tr("Progress"), tr("Result"), tr("Radio history")});
    radios_->setColumnWidth(kPortColumn, 110);
    radios_->setColumnWidth(kUnitColumn, 70);
    radios_->setColumnWidth(kProgressColumn, 110);
    radios_->setColumnWidth(kResultColumn, 300);
    radios_->setMinimumSize(880, 160);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("lblSummary"));
    startButton_ = new QPushButton(this);
    startButton_->setObjectName(QStringLiteral("btnStart"));
    startButton_->setDefault(true);
    cancelButton_ = new QPushButton(tr("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("btnCancel"));
    cancelButton_->setEnabled(false);
    closeButton_ = new QPushButton(tr("Close"), this);
    closeButton_->setObjectName(QStringLiteral("btnClose"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(summary_, 1);
    buttons->addWidget(startButton_);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(closeButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    layout->addWidget(radios_, 1);
    layout->addLayout(buttons);

    connect(operation_, &QComboBox::currentIndexChanged, this, &FleetWriteDialog::showOperation);
    connect(startButton_, &QPushButton::clicked, this, &FleetWriteDialog::start);
    connect(cancelButton_, &QPushButton::clicked, this, &FleetWriteDialog::cancel);
    connect(closeButton_, &QPushButton::clicked, this, &FleetWriteDialog::close);
    connect(this, &FleetWriteDialog::radioProgressed, this, &FleetWriteDialog::showProgress,
            Qt::QueuedConnection);
    connect(this, &FleetWriteDialog::radioFinished, this, &FleetWriteDialog::showFinished,
            Qt::QueuedConnection);
    connect(this, &FleetWriteDialog::fleetFinished, this, &FleetWriteDialog::endRun,
            Qt::QueuedConnection);
    showOperation();
}

FleetWriteDialog::~FleetWriteDialog() {
    cancel_.requested = true;
    if (runner_) runner_->wait();
}

void FleetWriteDialog::setPorts(const QStringList& ports) {
    ports_->setPlainText(ports.join(QLatin1Char('\n')));
}

void FleetWriteDialog::setPortFactory(PortFactory makePort, ParallelRunner runAll) {
    makePort_ = std::move(makePort);
    runAll_ = std::move(runAll);
}

// Only the entries the chosen operation takes are shown.
void FleetWriteDialog::showOperation() {
    const auto op = static_cast<FleetOperation>(operation_->currentData().toInt());
    const bool write = op == FleetOperation::Write;
    form_->setRowVisible(units_, write);
    form_->setRowVisible(choices_, op != FleetOperation::WriteLabels);
    globalCheck_->setVisible(write);
    verifyCheck_->setVisible(write);
    form_->setRowVisible(files_, op == FleetOperation::Read);
    form_->setRowVisible(labelGroup_, op == FleetOperation::WriteLabels);
    startButton_->setText(write                        ? tr("&Write")
                          : op == FleetOperation::Read ? tr("&Read")
                                                       : tr("Write &Labels"));
}

std::optional<FleetRequest> FleetWriteDialog::request() {
    FleetRequest r;
    r.operation = static_cast<FleetOperation>(operation_->currentData().toInt());
    for (const QString& line : ports_->toPlainText().split(QLatin1Char('\n'))) {
        const std::string port = line.trimmed().toStdString();
        if (port.empty()) continue;
        r.ports.push_back(port);
        r.devices.push_back(resolvePortDevice(port, &devices_));
    }
    const bool write = r.operation == FleetOperation::Write;
    if (write && unitsCheck_->isChecked()) {
        FleetUnits units{static_cast<std::uint32_t>(unitFrom_->value()), {}};
        if (const QString groups = unitGroups_->text().trimmed(); !groups.isEmpty()) {
            const auto named = parseGroupList(groups.toStdString());
            if (!named) {
                prompts_.ask(warning(
                    QT_TRANSLATE_NOOP(
                        "Messages",
                        "The groups are numbers 1 to 15, each named once, such as 1,3,5-7."),
                    kTitle));
                return std::nullopt;
            }
            units.groups = *named;
        }
        r.units = units;
    }
    if (r.operation == FleetOperation::Read) {
        const std::string pattern = files_->text().trimmed().toStdString();
        for (const std::string& port : r.ports)
            r.files.push_back(pattern.empty() ? "" : fleetFileName(pattern, port));
    }
    r.answers = {r.operation != FleetOperation::WriteLabels && labelsCheck_->isChecked(),
                 write && !globalCheck_->isChecked()};
    r.verify = write && verifyCheck_->isChecked();
    r.labelGroup = r.operation == FleetOperation::WriteLabels ? labelGroup_->currentIndex() : 0;
    r.history = history_;
    r.backup = readInt(devices_, settings::kBackupWrite) == 1;
    return r;
}

void FleetWriteDialog::start() {
    if (running()) return;
    auto r = request();
    if (!r) return;
    auto log = prepareFleet(*r, log_->text().trimmed().toStdString(), prompts_, kTitle);
    if (!log) return;
    fleetLog_ = std::move(*log);
    request_ = std::move(*r);
    file_ = contents_();
    results_.clear();
    radios_->clear();
    bars_.clear();
    for (std::size_t i = 0; i < request_.ports.size(); ++i) {
        auto* row = new QTreeWidgetItem(radios_);
        row->setText(kPortColumn, QString::fromStdString(request_.ports[i]));
        if (request_.units)
            row->setText(kUnitColumn, QString::fromStdString(unitIdText(
                                          request_.units->first + static_cast<std::uint32_t>(i))));
        auto* bar = new QProgressBar(radios_);
        bar->setRange(0, 0);  // busy until the transfer sets a range
        bar->setTextVisible(false);
        radios_->setItemWidget(row, kProgressColumn, bar);
        bars_.push_back(bar);
    }
    summary_->setText(tr("Running..."));
    startButton_->setEnabled(false);
    cancelButton_->setEnabled(true);
    cancel_.requested = false;
    PortFactory makePort = makePort_;
    ParallelRunner runAll = runAll_ ? runAll_ : ParallelRunner(runOnThreads);
    runner_.reset(QThread::create([this, makePort, runAll] {
        results_ = runFleet(request_, file_, makePort, *observer_, &cancel_, runAll);
        emit fleetFinished();
    }));
    runner_->start();
}

void FleetWriteDialog::cancel() {
    if (!running()) return;
    cancel_.requested = true;
    cancelButton_->setEnabled(false);  // once is enough: every radio has heard it
    summary_->setText(tr("Cancelling: each radio stops at its next safe point..."));
}

void FleetWriteDialog::showProgress(int index, int value, int maximum, const QString& text) {
    if (index < 0 || static_cast<std::size_t>(index) >= bars_.size()) return;
    QProgressBar* bar = bars_[static_cast<std::size_t>(index)];
    bar->setRange(0, maximum);
    bar->setValue(std::min(value, maximum));
    radios_->topLevelItem(index)->setText(kResultColumn, text);
}

void FleetWriteDialog::showFinished(int index, bool done, const QString& text,
                                    const QString& historyFile) {
    if (index < 0 || static_cast<std::size_t>(index) >= bars_.size()) return;
    QProgressBar* bar = bars_[static_cast<std::size_t>(index)];
    // A radio that went well fills its bar; any other keeps it where it got.
    if (done) {
        bar->setRange(0, 1);
        bar->setValue(1);
    } else if (bar->maximum() == 0) {
        bar->setRange(0, 1);  // no longer busy
        bar->setValue(0);
    }
    QTreeWidgetItem* row = radios_->topLevelItem(index);
    row->setText(kResultColumn, text);
    row->setToolTip(kResultColumn, text);  // a long reason is cut
    row->setText(kHistoryColumn, QFileInfo(historyFile).fileName());
    row->setToolTip(kHistoryColumn, historyFile);
}

void FleetWriteDialog::endRun() {
    runner_->wait();
    runner_.reset();
    if (fleetLog_) {
        if (const std::error_code ec = fleetLog_->finish())
            prompts_.ask(warning("The log " + log_->text().trimmed().toStdString() +
                                     " lacks rows: " + ec.message() + ".",
                                 kTitle));
        fleetLog_.reset();
    }
    summary_->setText(summaryText(request_.operation, results_));
    startButton_->setEnabled(true);
    cancelButton_->setEnabled(false);
}

void FleetWriteDialog::closeEvent(QCloseEvent* event) {
    // The radios end first (each stops at its next safe point).
    if (running()) {
        cancel();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void FleetWriteDialog::reject() {
    if (running()) {
        cancel();
        return;
    }
    QDialog::reject();
}

}  // namespace zav
