#include "ui/config_controller.h"

#include <array>

#include <QAction>
#include <QCoreApplication>
#include <QSysInfo>
#include <QtGlobal>

#include "files/file_system.h"
#include "files/settings.h"
#include "iface/platform.h"
#include "iface/version.h"
#include "link/radio_link.h"
#include "link/trace_port.h"
#include "ops/diagnostics.h"
#include "ops/exchange_operations.h"
#include "ops/radio_operations.h"
#include "ui/about_dialog.h"
#include "ui/command_outcome.h"
#include "ui/editor_view.h"
#include "ui/help_viewer.h"
#include "ui/main_menus.h"
#include "ui/port_device_dialog.h"

namespace zav {

namespace {
// The label setting of each Config > Labels entry, in the menu's order.
constexpr std::array kLabelMenuOrder{LabelSetting::Always, LabelSetting::Never,
                                     LabelSetting::Prompt};
constexpr std::string_view kTraceFilter = "Text (*.txt)|*.txt|All (*.*)|*.*";

}  // namespace

ConfigController::ConfigController(const MainMenus& menus, RadioOperations& operations,
                                   Diagnostics diagnostics, SettingsStore& settings,
                                   Prompts& prompts, EditorView& view, QWidget* window)
    : menus_(menus),
      operations_(operations),
      trace_(diagnostics.trace),
      log_(diagnostics.log),
      files_(diagnostics.files),
      settings_(settings),
      prompts_(prompts),
      view_(view),
      window_(window) {
    for (std::size_t i = 0; i < kLabelMenuOrder.size(); ++i) {
        connect(menus.labelChoiceActions.at(i), &QAction::triggered, this,
                [this, i] { chooseLabelSetting(kLabelMenuOrder.at(i)); });
    }
    for (QAction* a : menus.portActions) {
        connect(a, &QAction::triggered, this,
                [this, a] { chooseCommPort(a->property("index").toInt()); });
    }
    connect(menus.portDeviceAction, &QAction::triggered, this, &ConfigController::choosePortDevice);
    connect(menus.verifyAction, &QAction::triggered, this,
            &ConfigController::chooseVerifyAfterWrite);
    connect(menus.backupAction, &QAction::triggered, this,
            &ConfigController::chooseBackupBeforeWrite);
    connect(menus.traceAction, &QAction::triggered, this, &ConfigController::chooseTrace);
    connect(menus.diagnosticsAction, &QAction::triggered, this, &ConfigController::saveDiagnostics);
    connect(menus.aboutAction, &QAction::triggered, this, &ConfigController::showAbout);
    connect(menus.helpAction, &QAction::triggered, this, &ConfigController::showHelp);
}

void ConfigController::showChecks() {
    for (std::size_t i = 0; i < kLabelMenuOrder.size(); ++i)
        menus_.labelChoiceActions.at(i)->setChecked(kLabelMenuOrder.at(i) ==
                                                    operations_.labelSetting());
    const int port = operations_.portNumber();
    for (QAction* a : menus_.portActions) a->setChecked(a->property("index").toInt() == port);
    menus_.verifyAction->setChecked(operations_.verifyAfterWrite());
    menus_.backupAction->setChecked(operations_.backupBeforeWrite());
    menus_.traceAction->setChecked(trace_.tracing());
    view_.updateStatus();
}

void ConfigController::chooseLabelSetting(LabelSetting setting) {
    operations_.setLabelSetting(setting);
    showChecks();
}

void ConfigController::chooseCommPort(int port) {
    operations_.useCommPort(port);
    showChecks();
}

void ConfigController::choosePortDevice() {
    PortDeviceDialog dialog(settings_, operations_.portNumber(), window_);
    // The device is read when the port next opens; an open port keeps its device until
    // then.
    dialog.exec();
    view_.updateStatus();
}

void ConfigController::chooseVerifyAfterWrite(bool verify) {
    operations_.setVerifyAfterWrite(verify);
    showChecks();
}

void ConfigController::chooseBackupBeforeWrite(bool backup) {
    operations_.setBackupBeforeWrite(backup);
    showChecks();
}

bool ConfigController::tracing() const {
    return trace_.tracing();
}

void ConfigController::chooseTrace(bool trace) {
    if (!trace) {
        trace_.stopTrace();
        writeInt(settings_, settings::kTrace, 0);
        showChecks();
        return;
    }
    const auto path =
        askCommandFile(prompts_, menus_.traceAction, FileDialogMode::Save, kTraceFilter, "*.txt",
                       readText(settings_, settings::kTraceFile));
    // The context in full: lupdate loses this class's namespace in its header.
    if (path &&
        !trace_.startTrace(*path, traceHeader(SystemClock(), operations_.link().transport())))
        prompts_.ask(warning(
            QCoreApplication::translate("zav::ConfigController",
                                        "The serial trace cannot be written to %1.")
                .arg(QString::fromStdString(*path))
                .toStdString(),
            QCoreApplication::translate("zav::ConfigController", "Serial Trace").toStdString()));
    if (trace_.tracing()) {
        writeText(settings_, settings::kTraceFile, *path);
        writeInt(settings_, settings::kTrace, 1);
    }
    showChecks();
}

void ConfigController::saveDiagnostics() {
    const auto path = askCommandFile(prompts_, menus_.diagnosticsAction, FileDialogMode::Save,
                                     kTraceFilter, "*.txt");
    if (!path) return;
    const Transport& transport = operations_.link().transport();
    DiagnosticsInput input;
    input.versions = {{"ZAVPROG", versionText(programVersion())},
                      {"Qt", qVersion()},
                      {"System", QSysInfo::prettyProductName().toStdString()},
                      {"Kernel", QSysInfo::kernelVersion().toStdString()}};
    input.port = transport.port();
    input.device = transport.device();
    input.settings = &settings_;
    input.log = &log_;
    if (trace_.tracing()) {
        trace_.flushTrace();
        input.traceFile = trace_.path();
    }
    // A failure is told as the file commands tell theirs.
    (void)saveTextFile(files_, prompts_, diagnosticsText(input, files_), *path);
}

void ConfigController::showHelp() {
    zav::showHelp(window_);
}

void ConfigController::showAbout() {
    AboutDialog about(prompts_, window_);
    about.exec();
}

}  // namespace zav
