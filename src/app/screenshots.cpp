#include "app/screenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QSpinBox>
#include <QTemporaryDir>
#include <cstdio>

#include "files/file_system.h"
#include "files/radio_history.h"
#include "files/settings.h"
#include "iface/clipboard.h"
#include "iface/settings_store.h"
#include "model/document.h"
#include "qt/qt_prompts.h"
#include "sim/virtual_port.h"
#include "ui/about_dialog.h"
#include "ui/alignment_window.h"
#include "ui/bank_move_dialog.h"
#include "ui/bulk_edit_dialogs.h"
#include "ui/channel_grid_model.h"
#include "ui/channel_grid_view.h"
#include "ui/demo_radio.h"
#include "ui/fleet_write_dialog.h"
#include "ui/main_window.h"
#include "ui/offset_entry.h"
#include "ui/progress_window.h"
#include "ui/radio_history_dialog.h"
#include "ui/splash_window.h"
#include "ui/windows_controller.h"

namespace zav {

namespace {

// A group as a technician might have programmed it.
void fillSample(Document& doc) {
    struct Row {
        const char* rx;
        const char* rxCG;
        const char* tx;
        const char* txCG;
        const char* label;
        const char* scan;
    };
    const Row rows[] = {
        {"450.0125", "067.0", "455.0125", "D023-", "AB.C", "Y"},
        {"451.2500", "100.0", "456.2500", "100.0", "DISPATCH", "Y"},
        {"452.5375", "D754", "457.5375", "D754", "YARD", "Y"},
        {"453.1000", "", "458.1000", "", "MAINT", ""},
        {"460.6250", "123.0", "465.6250", "123.0", "SITE-2", "Y"},
        {"512.5375", "", "512.5375", "", "SIMPLEX", ""},
    };
    Group* g = doc.group(0);
    for (int r = 0; r < static_cast<int>(std::size(rows)); ++r) {
        const Row& row = rows[r];
        for (auto [col, text] : {std::pair{1, row.rx},
                                 {2, row.rxCG},
                                 {3, row.tx},
                                 {4, row.txCG},
                                 {5, row.label},
                                 {6, row.scan}})
            g->update(r, col, text);
    }
    g->writeGroupLabel("SECURITY");
    g->writeIdNum("1234567");
    g->writeTotScan(4, 3);
}

bool save(QWidget& w, const QDir& dir, const char* name) {
    w.adjustSize();
    QApplication::processEvents();
    const QString path = dir.filePath(QString::fromLatin1(name));
    const bool ok = w.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// Agrees to every question: the fleet's confirmation, taken as the user's OK.
class AgreeingPrompts final : public Prompts {
  public:
    Answer ask(const Message& message) override {
        return message.buttons == Buttons::OkCancel ? Answer::Ok : Answer::Yes;
    }
    std::optional<std::string> chooseFile(const FileDialogRequest& /*request*/) override {
        return std::nullopt;
    }
};

// The fleet window after four simulated radios were written, each backed up first, the
// third one silent.
bool saveFleetShot(Document& doc, SettingsStore& settings, QWidget& window, const QDir& dir) {
    const QTemporaryDir shelf;
    const SystemClock now;
    DiskFileSystem files;
    RadioHistory history(files, now, QFile::encodeName(shelf.path()).toStdString());
    writeInt(settings, settings::kBackupWrite, 1);
    std::array<sim::SimRadio, 4> radios;
    const DemoContents demo = demoContents();
    for (auto& radio : radios)
        std::copy_n(demo.mem.begin(), kRadioMemorySize, radio.memory().begin());
    radios[2].config().faults.silent = true;
    AgreeingPrompts agree;
    FleetWriteDialog fleet(
        agree, settings,
        [&doc] {
            FileBytes file = defaultFileBytes();
            file.copyFrom(doc);
            return file;
        },
        &window);
    fleet.setPortFactory(
        [&radios](const std::string& device) {
            return std::make_unique<sim::VirtualPort>(
                radios.at(std::stoul(device.substr(device.size() - 1))));
        },
        runOnThreads);
    fleet.setPorts({QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyUSB1"),
                    QStringLiteral("/dev/ttyUSB2"), QStringLiteral("/dev/ttyUSB3")});
    fleet.setHistory(&history);
    fleet.findChild<QCheckBox*>(QStringLiteral("chkUnits"))->setChecked(true);
    fleet.findChild<QSpinBox*>()->setValue(4101);
    fleet.show();
    fleet.start();
    while (fleet.running()) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return save(fleet, dir, "fleet.png");
}

bool saveShot(const QPixmap& shot, const QDir& dir, const char* name) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    const bool ok = shot.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

}  // namespace

int renderScreenshots(const QString& folder) {
    QDir dir;
    if (!dir.mkpath(folder)) return 1;
    dir.setPath(folder);

    Document doc;
    QtPrompts prompts;
    MemorySettingsStore settings;
    MemoryClipboard clipboard;
    DiskFileSystem files;
    MainWindow window(doc, prompts, settings, clipboard, files);
    fillSample(doc);
    window.showGroup(window.shownGroup());
    FileNames names;
    names.fileName = "/home/tech/radios/security.frq";
    window.files().setNames(names);
    window.setCaption(FileOpenSave::captionFor(names.fileName));  // as after opening it
    window.show();
    bool ok = true;
    {
        window.grid().setCurrentIndex(window.gridModel().index(1, 3));
        QApplication::processEvents();
        const QPixmap shot = window.grab();
        ok = shot.save(dir.filePath(QStringLiteral("main.png"))) && ok;
        std::printf("wrote %s\n", qPrintable(dir.filePath(QStringLiteral("main.png"))));
    }
    {
        window.offsetEntry().open(1);
        window.offsetEntry().box()->setText(QStringLiteral("-5"));
        QApplication::processEvents();
        ok = window.grab().save(dir.filePath(QStringLiteral("offset.png"))) && ok;
        std::printf("wrote %s\n", qPrintable(dir.filePath(QStringLiteral("offset.png"))));
        window.offsetEntry().hide();
    }
    {
        ProgressWindow& proc = window.progress();
        proc.beginOperation("Please Wait - Writing Radio", OperationKind::Writes);
        proc.setMaximum(15);
        proc.setValue(6);
        proc.setStep("Writing group 9 (7 of 15)");
        ok = save(proc, dir, "progress.png") && ok;
        // The same over the main window, as the user sees a write.
        QPixmap shot = window.grab();
        QPainter painter(&shot);
        painter.drawPixmap(proc.geometry().topLeft() - window.geometry().topLeft(), proc.grab());
        painter.end();
        ok = saveShot(shot, dir, "write-progress.png") && ok;
        proc.endOperation();
        proc.connectionEnded();
    }
    {
        // Four rows selected and a code guard about to be set on all of them.
        window.grid().selectRows(std::vector{1, 2, 3, 4}, kColRecCG);
        const QString caption =
            window.gridModel().headerData(kColRecCG, Qt::Horizontal, Qt::DisplayRole).toString();
        SetRowsDialog set(caption, 4, QStringLiteral("100.0"), &window);
        set.show();
        set.adjustSize();
        set.move(window.geometry().center() - set.rect().center());
        QApplication::processEvents();
        QPixmap shot = window.grab();
        QPainter painter(&shot);
        painter.drawPixmap(set.geometry().topLeft() - window.geometry().topLeft(), set.grab());
        painter.end();
        ok = saveShot(shot, dir, "set-rows.png") && ok;
        window.grid().setCurrentIndex(window.gridModel().index(1, kColTxFreq));
    }
    {
        // An entry the radio cannot store, refused with its reason in the status bar.
        window.grid().commitCellText(window.gridModel().index(2, 1), QStringLiteral("450.00625"));
        QApplication::processEvents();
        ok = saveShot(window.grab(), dir, "status-refused.png") && ok;
    }
    {
        BankMoveDialog move(doc, &settings, &window);
        move.show();
        ok = save(move, dir, "move.png") && ok;
    }
    ok = saveFleetShot(doc, settings, window, dir) && ok;
    {
        // Two copies of the sample, as a read and a write's backup keep them.
        const QTemporaryDir shelf;
        const SystemClock now;
        RadioHistory history(files, now, QFile::encodeName(shelf.path()).toStdString());
        for (const HistoryReason reason : {HistoryReason::Read, HistoryReason::BeforeWrite})
            (void)history.keep(reason, "ttyUSB0", doc.mem, doc.labels);
        RadioHistoryDialog dialog(history, &window);
        dialog.show();
        ok = save(dialog, dir, "history.png") && ok;
    }
    {
        // Syncal after a run: the log kept, to be saved or printed.
        window.menus().syncalAction->trigger();
        AlignmentWindow& syncal = *window.windows().syncalWindow();
        syncal.showRunControls();
        for (const char* line : {"RX LOW FREQ  403.000  D/A  12", "RX MID FREQ  470.000  D/A  31",
                                 "RX LOWER SIDE SLOPE  .0537", "RX BAND OFFSETS  8 -- 10"})
            syncal.addStatusLine(line);
        syncal.showIdleControls();
        ok = save(syncal, dir, "syncal.png") && ok;
        syncal.close();
    }
    {
        AboutDialog about(prompts, &window);
        about.show();
        ok = save(about, dir, "about.png") && ok;
    }
    {
        SplashWindow splash;
        splash.show();
        ok = save(splash, dir, "splash.png") && ok;
    }
    window.setExitWithoutAsking(true);
    window.close();
    return ok ? 0 : 1;
}

}  // namespace zav
