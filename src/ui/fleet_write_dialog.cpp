#include "ui/fleet_write_dialog.h"

#include <QCheckBox>
#include <QCloseEvent>
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

namespace zav {

namespace {

constexpr std::string_view kTitle = QT_TRANSLATE_NOOP("Messages", "Write Fleet");
enum Column : int { kPortColumn, kUnitColumn, kProgressColumn, kResultColumn };

QString resultText(const FleetRadioResult& r) {
    switch (r.result.outcome) {
        case Outcome::Done:
            return QCoreApplication::translate("zav::FleetWriteDialog", "Written: %1 bytes in %2 s")
                .arg(r.bytesSent)
                .arg(std::chrono::duration<double>(r.duration).count(), 0, 'f', 1);
        case Outcome::Cancelled:
            return QCoreApplication::translate("zav::FleetWriteDialog", "Cancelled");
        case Outcome::Failed:
            break;
    }
    return QCoreApplication::translate("zav::FleetWriteDialog", "Failed: ") +
           QString::fromStdString(r.reason);
}

}  // namespace

// The radios' reports, handed to the window's thread as queued signals.
class FleetWriteDialog::Observer final : public FleetObserver {
  public:
    explicit Observer(FleetWriteDialog& dialog) : dialog_(dialog) {}
    void progressed(std::size_t index, int value, int maximum, const std::string& text) override {
        emit dialog_.radioProgressed(static_cast<int>(index), value, maximum,
                                     QString::fromStdString(text));
    }
    void finished(std::size_t index, const FleetRadioResult& result) override {
        emit dialog_.radioFinished(static_cast<int>(index), static_cast<int>(result.result.outcome),
                                   resultText(result));
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
    setWindowTitle(tr("Write Fleet"));

    ports_ = new QPlainTextEdit(this);
    ports_->setObjectName(QStringLiteral("txtPorts"));
    ports_->setToolTip(tr("Port numbers 1 to 4 or devices such as /dev/ttyUSB0"));
    ports_->setFixedHeight(ports_->fontMetrics().lineSpacing() * 5);

    unitsCheck_ = new QCheckBox(tr("Unit numbers from"), this);
    unitsCheck_->setObjectName(QStringLiteral("chkUnits"));
    unitFrom_ = new QSpinBox(this);
    unitFrom_->setObjectName(QStringLiteral("spnUnitFrom"));
    unitFrom_->setRange(0, static_cast<int>(kLastUnitNumber));
    unitFrom_->setValue(1);
    unitGroups_ = new QLineEdit(this);
    unitGroups_->setObjectName(QStringLiteral("txtUnitGroups"));
    unitGroups_->setPlaceholderText(tr("all"));
    unitGroups_->setToolTip(tr("Groups that take the unit number, such as 1,3,5-7"));
    auto* units = new QHBoxLayout;
    units->addWidget(unitsCheck_);
    units->addWidget(unitFrom_);
    units->addWidget(new QLabel(tr("in groups"), this));
    units->addWidget(unitGroups_, 1);

    globalCheck_ = new QCheckBox(tr("Write global parameters"), this);
    globalCheck_->setObjectName(QStringLiteral("chkGlobal"));
    globalCheck_->setChecked(true);
    labelsCheck_ = new QCheckBox(tr("Write labels too"), this);
    labelsCheck_->setObjectName(QStringLiteral("chkLabels"));
    auto* choices = new QHBoxLayout;
    choices->addWidget(globalCheck_);
    choices->addWidget(labelsCheck_);
    choices->addStretch(1);

    auto* form = new QFormLayout;
    form->addRow(tr("Ports (one a line):"), ports_);
    form->addRow(units);
    form->addRow(choices);

    radios_ = new QTreeWidget(this);
    radios_->setObjectName(QStringLiteral("lstRadios"));
    radios_->setRootIsDecorated(false);
    radios_->setHeaderLabels({tr("Port"), tr("Unit"), tr("Progress"), tr("Result")});
    radios_->header()->setStretchLastSection(true);
    radios_->setColumnWidth(kPortColumn, 120);
    radios_->setColumnWidth(kUnitColumn, 70);
    radios_->setColumnWidth(kProgressColumn, 110);
    radios_->setMinimumSize(640, 160);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("lblSummary"));
    writeButton_ = new QPushButton(tr("&Write"), this);
    writeButton_->setObjectName(QStringLiteral("btnWrite"));
    writeButton_->setDefault(true);
    cancelButton_ = new QPushButton(tr("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("btnCancel"));
    cancelButton_->setEnabled(false);
    closeButton_ = new QPushButton(tr("Close"), this);
    closeButton_->setObjectName(QStringLiteral("btnClose"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(summary_, 1);
    buttons->addWidget(writeButton_);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(closeButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(radios_, 1);
    layout->addLayout(buttons);

    connect(writeButton_, &QPushButton::clicked, this, &FleetWriteDialog::startWrite);
    connect(cancelButton_, &QPushButton::clicked, this, &FleetWriteDialog::cancelWrite);
    connect(closeButton_, &QPushButton::clicked, this, &FleetWriteDialog::close);
    connect(this, &FleetWriteDialog::radioProgressed, this, &FleetWriteDialog::showProgress,
            Qt::QueuedConnection);
    connect(this, &FleetWriteDialog::radioFinished, this, &FleetWriteDialog::showFinished,
            Qt::QueuedConnection);
    connect(this, &FleetWriteDialog::fleetFinished, this, &FleetWriteDialog::endRun,
            Qt::QueuedConnection);
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

std::optional<FleetRequest> FleetWriteDialog::request() {
    const auto refuse = [this](std::string text) {
        prompts_.ask(warning(std::move(text), kTitle));
        return std::nullopt;
    };
    FleetRequest r;
    for (const QString& line : ports_->toPlainText().split(QLatin1Char('\n'))) {
        const std::string port = line.trimmed().toStdString();
        if (port.empty()) continue;
        const std::string device = resolvePortDevice(port, &devices_);
        if (std::ranges::count(r.devices, device) > 0)
            return refuse(tr("Two ports name the device %1.")
                              .arg(QString::fromStdString(device))
                              .toStdString());
        r.ports.push_back(port);
        r.devices.push_back(device);
    }
    if (r.ports.empty()) return refuse(QT_TRANSLATE_NOOP("Messages", "Name at least one port."));
    if (unitsCheck_->isChecked()) {
        FleetUnits units{static_cast<std::uint32_t>(unitFrom_->value()), {}};
        if (const QString groups = unitGroups_->text().trimmed(); !groups.isEmpty()) {
            const auto named = parseGroupList(groups.toStdString());
            if (!named)
                return refuse(QT_TRANSLATE_NOOP(
                    "Messages", "The groups are numbers 1 to 15, such as 1,3,5-7."));
            units.groups = *named;
        }
        if (units.first + r.ports.size() - 1 > kLastUnitNumber)
            return refuse(
                QT_TRANSLATE_NOOP("Messages", "The unit numbers do not fit in seven digits."));
        r.units = units;
    }
    r.answers = {labelsCheck_->isChecked(), !globalCheck_->isChecked()};
    r.history = history_;
    r.backup = readInt(devices_, settings::kBackupWrite) == 1;
    return r;
}

void FleetWriteDialog::startWrite() {
    if (running()) return;
    auto r = request();
    if (!r) return;
    const QString ask = r->ports.size() == 1 ? tr("Write to %1 radio?") : tr("Write to %1 radios?");
    if (prompts_.ask(question(ask.arg(r->ports.size()).toStdString(), Buttons::OkCancel, kTitle)) !=
        Answer::Ok)
        return;
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
    summary_->setText(tr("Writing..."));
    writeButton_->setEnabled(false);
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

void FleetWriteDialog::cancelWrite() {
    cancel_.requested = true;
}

void FleetWriteDialog::showProgress(int index, int value, int maximum, const QString& text) {
    if (index < 0 || static_cast<std::size_t>(index) >= bars_.size()) return;
    QProgressBar* bar = bars_[static_cast<std::size_t>(index)];
    bar->setRange(0, maximum);
    bar->setValue(std::min(value, maximum));
    radios_->topLevelItem(index)->setText(kResultColumn, text);
}

void FleetWriteDialog::showFinished(int index, int outcome, const QString& text) {
    if (index < 0 || static_cast<std::size_t>(index) >= bars_.size()) return;
    QProgressBar* bar = bars_[static_cast<std::size_t>(index)];
    bar->setRange(0, 1);
    bar->setValue(outcome == static_cast<int>(Outcome::Done) ? 1 : 0);
    radios_->topLevelItem(index)->setText(kResultColumn, text);
    radios_->topLevelItem(index)->setToolTip(kResultColumn, text);  // a long reason is cut
}

void FleetWriteDialog::endRun() {
    runner_->wait();
    runner_.reset();
    const auto failed =
        std::ranges::count_if(results_, [](const FleetRadioResult& r) { return !r.result.done(); });
    summary_->setText(failed == 0 ? tr("All %1 radios written.").arg(results_.size())
                                  : tr("%1 of %2 not written.").arg(failed).arg(results_.size()));
    writeButton_->setEnabled(true);
    cancelButton_->setEnabled(false);
}

void FleetWriteDialog::closeEvent(QCloseEvent* event) {
    // The radios end first (a write stops only between its steps).
    if (running()) {
        cancelWrite();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace zav
