#include "ui/print_commands.h"

#include <QAbstractPrintDialog>
#include <QDialogButtonBox>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include "iface/prompts.h"
#include "model/document.h"
#include "qt/print_render.h"
#include "ui/ui_text.h"

namespace zav {

namespace {

const QString kDocName = QStringLiteral("ZAV Unit Data Printout");

// Keeps the main window disabled while the printout is painted; enabled again when done.
class DisabledWhilePrinting {
  public:
    explicit DisabledWhilePrinting(QWidget* window) : window_(window) {
        if (window_) window_->setEnabled(false);
    }
    ~DisabledWhilePrinting() { release(); }
    DisabledWhilePrinting(const DisabledWhilePrinting&) = delete;
    DisabledWhilePrinting& operator=(const DisabledWhilePrinting&) = delete;
    void release() {
        if (window_) window_->setEnabled(true);
        window_ = nullptr;
    }

  private:
    QPointer<QWidget> window_;
};

// Where the printout went: the printer's name, or the file it prints to.
QString destination(const QPrinter& printer) {
    if (!printer.outputFileName().isEmpty()) return uiText("File: ") + printer.outputFileName();
    return uiText("Printer: ") + printer.printerName();
}

}  // namespace

std::unique_ptr<QPrinter> systemDefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) return nullptr;
    // The printer's full resolution places the tab columns to a fraction of a point.
    return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
}

PrintCommands::PrintCommands(Prompts& prompts, PrinterFactory factory)
    : prompts_(prompts), factory_(std::move(factory)) {}

PrintCommands::~PrintCommands() = default;

void PrintCommands::report(std::string_view text, const QString& detail) {
    prompts_.ask(warning(std::string(text), kPrintTitle, detail.toStdString()));
}

bool PrintCommands::printUnitData(const Document& doc, std::string_view printFileName,
                                  QWidget* window) {
    return printUnitData(composeUnitData(doc, printFileName), window);
}

bool PrintCommands::printUnitData(const Printout& printout, QWidget* window) {
    DisabledWhilePrinting disabled(window);
    // Without a printer chosen in Print Setup, the system's default printer of the moment.
    std::unique_ptr<QPrinter> fresh;
    QPrinter* printer = printer_.get();
    if (printer == nullptr) {
        fresh = factory_ ? factory_() : nullptr;
        printer = fresh.get();
    }
    if (printer == nullptr) {
        disabled.release();
        report(kNoPrinterText);
        return false;
    }
    printer->setDocName(kDocName);
    const bool ok =
        renderPrintout(printout, *printer) && printer->printerState() != QPrinter::Error;
    disabled.release();
    if (!ok) report(kPrinterErrorText, destination(*printer));
    return ok;
}

bool PrintCommands::printSetup(QWidget* parent) {
    // Set up on a candidate, so that a cancelled setup leaves Print with the default printer.
    std::shared_ptr<QPrinter> candidate = printer_;
    if (!candidate) {
        std::unique_ptr<QPrinter> made = factory_ ? factory_() : nullptr;
        // No system printer: the dialog still offers printing into a file.
        candidate = made ? std::shared_ptr<QPrinter>(std::move(made))
                         : std::make_shared<QPrinter>(QPrinter::HighResolution);
    }
    QPrintDialog dialog(candidate.get(), parent);
    dialog.setObjectName(QStringLiteral("dlgPrintSetup"));
    dialog.setWindowTitle(tr("Print Setup"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // The dialog only sets the printer up; printing is the Print command's.
    for (QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>()) {
        if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) ok->setText(tr("OK"));
    }
    if (dialog.exec() != QDialog::Accepted) return false;
    printer_ = std::move(candidate);
    return true;
}

void PrintCommands::printPreview(const Printout& printout, QWidget* parent) {
    QPrintPreviewDialog* dialog = createPrintPreview(printout, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->exec();
}

QPrintPreviewDialog* PrintCommands::createPrintPreview(const Printout& printout, QWidget* parent) {
    std::shared_ptr<QPrinter> printer = printer_;
    if (!printer) {
        std::unique_ptr<QPrinter> made = factory_ ? factory_() : nullptr;
        // Without any printer the preview shows the printout on the default paper.
        printer = made ? std::shared_ptr<QPrinter>(std::move(made))
                       : std::make_shared<QPrinter>(QPrinter::HighResolution);
    }
    printer->setDocName(kDocName);
    auto* dialog = new QPrintPreviewDialog(printer.get(), parent);
    dialog->setObjectName(QStringLiteral("dlgPrintPreview"));
    dialog->setWindowTitle(tr("Print Preview"));
    // The connection owns the printer and the printout's copy: both live as long as the
    // dialog. Printing from the preview paints on the same printer.
    QObject::connect(dialog, &QPrintPreviewDialog::paintRequested, dialog,
                     [printer, printout](QPrinter* target) {
                         renderPrintout(printout, target != nullptr ? *target : *printer);
                     });
    return dialog;
}

}  // namespace zav
